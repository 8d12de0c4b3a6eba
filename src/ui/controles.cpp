#include "ui/controles.h"

#include <QShortcutEvent>

#include "ui/texte_qt.h"

namespace tavo::ui {

namespace {

// Qt presses a button reached by its Alt key 100 ms later, and a key typed
// meanwhile goes to the button and is lost. Pressed at once, the keys that
// follow reach the field the button leads to (Alt+N, then the new player).
class ClicImmediat : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (evenement->type() != QEvent::Shortcut ||
            static_cast<QShortcutEvent*>(evenement)->isAmbiguous())
            return false;
        auto* b = static_cast<QAbstractButton*>(objet);
        b->setFocus(Qt::ShortcutFocusReason);
        b->click();
        return true;
    }
};

}  // namespace

QLineEdit* champ_texte(QWidget* parent, const char* nom, int longueur_1998) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(nom));
    e->setValidator(new ValidateurTexte(e));
    limiter_champ(e, longueur_1998, true);
    return e;
}

void limiter_champ(QLineEdit* champ, int longueur_1998, bool limites_1998) {
    // QLineEdit's own default: no practical limit.
    constexpr int kSansLimite = 32767;
    champ->setMaxLength(limites_1998 && longueur_1998 > 0 ? longueur_1998 : kSansLimite);
    if (auto* v = dynamic_cast<const ValidateurTexte*>(champ->validator()))
        const_cast<ValidateurTexte*>(v)->limiter(limites_1998);
}

QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setAutoDefault(false);
    b->installEventFilter(new ClicImmediat(b));
    return b;
}

}  // namespace tavo::ui
