#include "ui/tform_interdits.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gestion/interdits.h"
#include "ui/controles.h"
#include "ui/ihm.h"
#include "ui/texte_qt.h"

namespace tavo::ui {
namespace {

QLineEdit* champ_numero(QWidget* parent, const char* nom) {
    auto* champ = new QLineEdit(parent);
    champ->setObjectName(QString::fromLatin1(nom));
    champ->setValidator(new QIntValidator(1, MAX_JOUEURS, champ));
    return champ;
}

}  // namespace

TForm_Interdits::TForm_Interdits(Tournoi& tournoi, Ihm& ihm, QWidget* parent)
    : QDialog(parent), tournoi_(tournoi), ihm_(ihm) {
    setObjectName(QStringLiteral("TForm_Interdits"));
    setWindowTitle(QStringLiteral("Appariements interdits"));
    setModal(true);
    resize(480, 320);

    Liste_Interdits = new QListWidget(this);
    Liste_Interdits->setObjectName(QStringLiteral("Liste_Interdits"));
    Ed_Joueur1 = champ_numero(this, "Ed_Joueur1");
    Ed_Joueur2 = champ_numero(this, "Ed_Joueur2");
    Bt_Ajouter = bouton(this, "Bt_Ajouter", QStringLiteral("&Ajouter"));
    Bt_Retirer = bouton(this, "Bt_Retirer", QStringLiteral("&Retirer"));
    Bt_Fermer = bouton(this, "Bt_Fermer", QStringLiteral("&Fermer"));

    auto* choix = new QFormLayout;
    choix->addRow(QStringLiteral("Joueur n°&1"), Ed_Joueur1);
    choix->addRow(QStringLiteral("Joueur n°&2"), Ed_Joueur2);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(Bt_Ajouter);
    boutons->addWidget(Bt_Retirer);
    boutons->addStretch();
    boutons->addWidget(Bt_Fermer);
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(Liste_Interdits, 1);
    colonne->addLayout(choix);
    colonne->addLayout(boutons);

    connect(Bt_Ajouter, &QPushButton::clicked, this, &TForm_Interdits::Bt_AjouterClick);
    connect(Bt_Retirer, &QPushButton::clicked, this, &TForm_Interdits::Bt_RetirerClick);
    connect(Bt_Fermer, &QPushButton::clicked, this, &QDialog::reject);
    connect(Liste_Interdits, &QListWidget::currentRowChanged, this, &TForm_Interdits::choisir);
}

void TForm_Interdits::a_l_ouverture() {
    Ed_Joueur1->clear();
    Ed_Joueur2->clear();
    afficher();
    Ed_Joueur1->setFocus();
}

void TForm_Interdits::afficher() {
    Liste_Interdits->blockSignals(true);
    Liste_Interdits->clear();
    for (const std::string& ligne : gestion::lignes_interdits(tournoi_))
        Liste_Interdits->addItem(qs(ligne));
    Liste_Interdits->blockSignals(false);
}

void TForm_Interdits::choisir(int ligne) {
    if (ligne < 0 || ligne >= static_cast<int>(tournoi_.interdits.size())) return;
    const auto& [a, b] = tournoi_.interdits[static_cast<std::size_t>(ligne)];
    Ed_Joueur1->setText(QString::number(a));
    Ed_Joueur2->setText(QString::number(b));
}

void TForm_Interdits::Bt_AjouterClick() {
    if (!gestion::interdire_appariement(tournoi_, Ed_Joueur1->text().toInt(),
                                        Ed_Joueur2->text().toInt(), ihm_))
        return;
    emit changement();
    afficher();
}

void TForm_Interdits::Bt_RetirerClick() {
    if (!gestion::autoriser_appariement(tournoi_, Ed_Joueur1->text().toInt(),
                                        Ed_Joueur2->text().toInt(), ihm_))
        return;
    emit changement();
    afficher();
}

}  // namespace tavo::ui
