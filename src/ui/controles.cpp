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

QLineEdit* champ_texte(QWidget* parent, const char* nom, int longueur_max) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(nom));
    if (longueur_max > 0) e->setMaxLength(longueur_max);
    e->setValidator(new ValidateurCp1252(e));
    return e;
}

QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setAutoDefault(false);
    b->installEventFilter(new ClicImmediat(b));
    return b;
}

}  // namespace tavo::ui
