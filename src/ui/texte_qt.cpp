#include "ui/texte_qt.h"

#include <QByteArray>
#include <QToolTip>
#include <QWidget>

#include "model/texte.h"

namespace tavo::ui {

QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string utf8(const QString& texte) {
    return texte.toStdString();
}

QValidator::State ValidateurTexte::validate(QString& texte, int&) const {
    QString message;
    for (const QChar c : texte) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F)) {
            message = QStringLiteral("Caractère de contrôle refusé (code %1)").arg(c.unicode());
            break;
        }
    }
    if (message.isEmpty() && limites_1998_) {
        if (const auto c = caractere_impossible(texte.toStdString()))
            message = QStringLiteral("Caractère impossible à enregistrer : « %1 »")
                          .arg(c->empty() ? QStringLiteral("?") : QString::fromStdString(*c));
    }
    if (message.isEmpty()) return Acceptable;
    refus_ = message;
    if (auto* champ = qobject_cast<QWidget*>(parent()))
        QToolTip::showText(champ->mapToGlobal(QPoint(0, champ->height())), message, champ);
    return Invalid;
}

}  // namespace tavo::ui
