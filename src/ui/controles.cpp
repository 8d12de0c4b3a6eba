#include "ui/controles.h"

#include "ui/texte_qt.h"

namespace tavo::ui {

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
    return b;
}

}  // namespace tavo::ui
