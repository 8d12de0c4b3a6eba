#include "ui/texte_qt.h"

#include <QByteArray>

#include "model/texte.h"

namespace tavo::ui {

QString qs(std::string_view cp1252) {
    return QString::fromStdString(vers_utf8(cp1252));
}

std::string cp1252(const QString& texte) {
    return vers_cp1252(texte.toStdString());
}

QValidator::State ValidateurCp1252::validate(QString& texte, int&) const {
    bool perte = false;
    vers_cp1252(texte.toStdString(), &perte);
    return perte ? Invalid : Acceptable;
}

}  // namespace tavo::ui
