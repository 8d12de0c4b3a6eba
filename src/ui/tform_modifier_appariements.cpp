#include "ui/tform_modifier_appariements.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gestion/corrections.h"
#include "gestion/resultats.h"
#include "model/texte.h"
#include "ui/controles.h"
#include "ui/ihm.h"
#include "ui/texte_qt.h"

namespace tavo::ui {

TForm_Modifier_Appariements::TForm_Modifier_Appariements(Tournoi& tournoi, Ihm& ihm,
                                                         QWidget* parent)
    : QDialog(parent), tournoi_(tournoi), ihm_(ihm) {
    setObjectName(QStringLiteral("Form_Modifier_Appariements"));
    setWindowTitle(QStringLiteral("Modifier les appariements"));
    setModal(true);
    resize(560, 360);

    Lst_Tables = new QListWidget(this);
    Lst_Tables->setObjectName(QStringLiteral("Lst_Tables"));
    Lst_Tables->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    CBx_Joueur1 = new QComboBox(this);
    CBx_Joueur1->setObjectName(QStringLiteral("CBx_Joueur1"));
    CBx_Joueur2 = new QComboBox(this);
    CBx_Joueur2->setObjectName(QStringLiteral("CBx_Joueur2"));
    Bt_Echanger = bouton(this, "Bt_Echanger", QStringLiteral("&Echanger"));
    Bt_Fermer = bouton(this, "Bt_Fermer", QStringLiteral("&Fermer"));

    auto* choix = new QFormLayout;
    choix->addRow(QStringLiteral("&Joueur"), CBx_Joueur1);
    choix->addRow(QStringLiteral("a&vec"), CBx_Joueur2);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(Bt_Echanger);
    boutons->addStretch();
    boutons->addWidget(Bt_Fermer);
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(Lst_Tables, 1);
    colonne->addLayout(choix);
    colonne->addLayout(boutons);

    connect(Bt_Echanger, &QPushButton::clicked, this,
            &TForm_Modifier_Appariements::Bt_EchangerClick);
    connect(Bt_Fermer, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm_Modifier_Appariements::a_l_ouverture() {
    echanges_ = 0;
    afficher();
}

void TForm_Modifier_Appariements::afficher() {
    const int choix1 = CBx_Joueur1->currentIndex();
    const int choix2 = CBx_Joueur2->currentIndex();
    Lst_Tables->clear();
    CBx_Joueur1->clear();
    CBx_Joueur2->clear();
    for (int table = 0; table < gestion::nb_tables(tournoi_); ++table) {
        const auto t = gestion::table_ronde(tournoi_, table);
        if (!t) continue;
        Lst_Tables->addItem(qs(formater("%03d  %-30s - %s%s", table + 1, t->blanc.c_str(),
                                        t->noir.c_str(), t->saisi ? "  (résultat saisi)" : "")));
        for (const auto& [id, nom] : {std::pair{t->id_blanc, t->blanc}, {t->id_noir, t->noir}}) {
            if (!est_joueur(static_cast<std::int16_t>(id))) continue;
            const QString texte = qs(formater("%3d - %s", id, nom.c_str()));
            CBx_Joueur1->addItem(texte, id);
            CBx_Joueur2->addItem(texte, id);
        }
    }
    CBx_Joueur1->setCurrentIndex(std::max(0, choix1));
    CBx_Joueur2->setCurrentIndex(std::max(0, choix2));
}

void TForm_Modifier_Appariements::Bt_EchangerClick() {
    if (CBx_Joueur1->currentIndex() < 0 || CBx_Joueur2->currentIndex() < 0) return;
    // A broken rule is asked about, and the director may go ahead.
    if (!gestion::echanger_joueurs(tournoi_, CBx_Joueur1->currentData().toInt(),
                                   CBx_Joueur2->currentData().toInt(), ihm_))
        return;
    ++echanges_;
    emit changement();
    afficher();
}

}  // namespace tavo::ui
