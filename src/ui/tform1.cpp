#include "ui/tform1.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "gestion/equipes.h"
#include "gestion/fichiers.h"
#include "gestion/proprietes.h"
#include "gestion/rapports.h"
#include "gestion/resultats.h"
#include "gestion/rondes.h"
#include "model/texte.h"
#include "ui/ihm.h"
#include "ui/tdlg_joueurs.h"
#include "ui/texte_qt.h"
#include "ui/tform_avertissement.h"
#include "ui/tform_dlg_tournoi.h"
#include "ui/tform_saisie_resultats.h"
#include "ui/tform_show_app.h"

namespace tavo::ui {

QIcon icone_programme() {
    QPixmap image(32, 32);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    for (int l = 0; l < 4; ++l)
        for (int c = 0; c < 4; ++c)
            peintre.fillRect(c * 8, l * 8, 8, 8,
                             (l + c) % 2 == 0 ? QColor(240, 217, 181) : QColor(120, 72, 40));
    peintre.setPen(QPen(Qt::black, 1));
    peintre.drawRect(0, 0, 31, 31);
    return QIcon(image);
}

TForm1::TForm1(Ihm* ihm, QWidget* parent)
    : QMainWindow(parent),
      ihm_propre_(ihm == nullptr ? std::make_unique<IhmQt>(this) : nullptr),
      ihm_(ihm == nullptr ? *ihm_propre_ : *ihm),
      tournoi_(std::make_unique<Tournoi>()),
      imprimante_(std::make_unique<QPrinter>()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Gestion de tournois TAVO"));
    setWindowIcon(icone_programme());
    resize(636, 426);

    // Top panel: an empty bar; below it the start screen with the capacities.
    auto* centre = new QWidget(this);
    auto* barre = new QFrame(centre);
    barre->setObjectName(QStringLiteral("Panel1"));
    barre->setFixedHeight(33);
    barre->setFrameShape(QFrame::StyledPanel);

    auto* cadre = new QFrame(centre);
    cadre->setObjectName(QStringLiteral("Cadre_Accueil"));
    cadre->setFrameShape(QFrame::Box);
    cadre->setFrameShadow(QFrame::Sunken);
    auto* icone = new QLabel(cadre);
    icone->setPixmap(icone_programme().pixmap(32, 32));
    auto* titre_limites = new QLabel(QStringLiteral("Programme Limité à :"), cadre);
    titre_limites->setObjectName(QStringLiteral("Lbl_Limites"));
    QFont gras = titre_limites->font();
    gras.setBold(true);
    titre_limites->setFont(gras);
    Lbl_Capacites = new QLabel(cadre);
    Lbl_Capacites->setObjectName(QStringLiteral("Lbl_Capacites"));
    Lbl_Capacites->setWordWrap(true);
    Lbl_Capacites->setStyleSheet(QStringLiteral("color: blue;"));
    Lbl_Capacites->setText(qs(formater("%d Joueurs\n%d Rondes\n%d Equipes\n%d Jeux\n", MAX_JOUEURS,
                                       MAX_RONDES, MAX_EQUIPES, MAX_JEUX)));
    auto* textes = new QVBoxLayout;
    textes->addWidget(titre_limites);
    textes->addWidget(Lbl_Capacites);
    auto* interieur = new QHBoxLayout(cadre);
    interieur->addWidget(icone, 0, Qt::AlignTop);
    interieur->addLayout(textes);
    interieur->addStretch();

    auto* milieu = new QHBoxLayout;
    milieu->addStretch();
    milieu->addWidget(cadre);
    milieu->addStretch();
    auto* colonne = new QVBoxLayout(centre);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addWidget(barre);
    colonne->addStretch();
    colonne->addLayout(milieu);
    colonne->addStretch();
    setCentralWidget(centre);

    auto* panneau1 = new QLabel(QStringLiteral("Gestion de tournois en système Suisse"), this);
    panneau1->setObjectName(QStringLiteral("Pnl_Programme"));
    panneau1->setAlignment(Qt::AlignCenter);
    panneau1->setFixedWidth(240);
    auto* panneau2 =
        new QLabel(QStringLiteral("Version 1.01, 1998 — portage Qt 6 pour Linux"), this);
    panneau2->setObjectName(QStringLiteral("Pnl_Version"));
    panneau2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar()->addWidget(panneau1);
    statusBar()->addWidget(panneau2, 1);

    creer_menu();

    // The other windows, created once, in this order, alive until the end.
    Form_Dlg_Tournoi = new TForm_Dlg_Tournoi(*tournoi_, ihm_, this);
    Dlg_joueurs = new TDlg_joueurs(*tournoi_, ihm_, this);
    Form_Show_App = new TForm_Show_App(ihm_, this);
    Form_Saisie_Resultats = new TForm_Saisie_Resultats(*tournoi_, ihm_, this);
    Form__Avertissement = new TForm__Avertissement(this);
}

TForm1::~TForm1() {
    // The dialogs refer to the tournament and to the message boxes: they go
    // first, before the members they use.
    delete Form__Avertissement;
    delete Form_Saisie_Resultats;
    delete Form_Show_App;
    delete Dlg_joueurs;
    delete Form_Dlg_Tournoi;
}

void TForm1::creer_menu() {
    auto action = [this](QMenu* menu, const char* nom, const QString& texte, auto commande) {
        QAction* a = menu->addAction(texte);
        a->setObjectName(QString::fromLatin1(nom));
        connect(a, &QAction::triggered, this, commande);
        return a;
    };

    QMenu* fichiers = menuBar()->addMenu(QStringLiteral("&Fichiers"));
    fichiers->setObjectName(QStringLiteral("menu_fichiers"));
    action_nouveau_tournoi = action(fichiers, "action_nouveau_tournoi",
                                    QStringLiteral("&Nouveau Tournoi"), &TForm1::NouveauTournoi);
    fichiers->addSeparator();
    action_charger = action(fichiers, "action_charger", QStringLiteral("&Charger un tournoi"),
                            &TForm1::ChargerTournoi);
    action_sauver = action(fichiers, "action_sauver", QStringLiteral("&Sauver le tournoi"),
                           &TForm1::SauverTournoi);
    fichiers->addSeparator()->setVisible(false);
    action_configurer_imprimante =
        action(fichiers, "action_configurer_imprimante", QStringLiteral("C&onfigurer l'imprimante"),
               &TForm1::ConfigurerImprimante);
    action_configurer_imprimante->setVisible(false);
    action_imprimer =
        action(fichiers, "action_imprimer", QStringLiteral("&Imprimer"), &TForm1::Imprimer);
    action_imprimer->setVisible(false);
    fichiers->addSeparator();
    action_quitter =
        action(fichiers, "action_quitter", QStringLiteral("&Quitter"), &QWidget::close);

    QMenu* rondes = menuBar()->addMenu(QStringLiteral("&Rondes"));
    rondes->setObjectName(QStringLiteral("menu_rondes"));
    action_nouvelle_ronde = action(rondes, "action_nouvelle_ronde",
                                   QStringLiteral("Nouvelle Ronde"), &TForm1::NouvelleRonde);
    action_revoir_appariements =
        action(rondes, "action_revoir_appariements", QStringLiteral("Revoir les appariements"),
               &TForm1::RevoirAppariements);
    rondes->addSeparator();
    action_saisir_resultats =
        action(rondes, "action_saisir_resultats", QStringLiteral("Saisir les résultats"),
               &TForm1::SaisirResultats);
    rondes->addSeparator();
    action_classement =
        action(rondes, "action_classement", QStringLiteral("Classement"), &TForm1::Classement);
    action_historique =
        action(rondes, "action_historique", QStringLiteral("Historique"), &TForm1::Historique);

    QMenu* joueurs = menuBar()->addMenu(QStringLiteral("&Joueurs"));
    joueurs->setObjectName(QStringLiteral("menu_joueurs"));
    action_gestion_joueurs = action(joueurs, "action_gestion_joueurs", QStringLiteral("&Gestion"),
                                    &TForm1::GestionJoueurs);
    action_liste_joueurs = action(joueurs, "action_liste_joueurs",
                                  QStringLiteral("&Liste des joueurs"), &TForm1::ListeJoueurs);

    QMenu* options = menuBar()->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("menu_options"));
    action_options_tournoi = action(options, "action_options_tournoi", QStringLiteral("Tournoi"),
                                    &TForm1::OptionsTournoi);

    QMenu* equipes = menuBar()->addMenu(QStringLiteral("Equipes"));
    equipes->setObjectName(QStringLiteral("menu_equipes"));
    action_fichier_equipes = action(equipes, "action_fichier_equipes",
                                    QStringLiteral("générer &Fichier résultats par Equipe"),
                                    &TForm1::FichierResultatsEquipe);
    equipes->addSeparator();
    action_classement_equipes =
        action(equipes, "action_classement_equipes", QStringLiteral("&Classement Final par équipe"),
               &TForm1::ClassementFinalEquipes);

    QMenu* aide = menuBar()->addMenu(QStringLiteral("Aide"));
    aide->setObjectName(QStringLiteral("menu_aide"));
    action_avertissement = action(aide, "action_avertissement", QStringLiteral("Avertissement"),
                                  &TForm1::Avertissement);
}

bool TForm1::proposer_sauvegarde() {
    if (!gestion::a_sauver(*tournoi_)) return true;
    if (!ihm_.question(cp("Attention"), cp("Il y a des changements non enregistrés\n\nVoulez-vous "
                                           "sauver les informations de ce tournoi ?")))
        return true;
    // Yes: the tournament may be replaced or dropped only once it is saved.
    return SauverTournoi();
}

void TForm1::closeEvent(QCloseEvent* evenement) {
    if (proposer_sauvegarde())
        evenement->accept();
    else
        evenement->ignore();
}

std::filesystem::path TForm1::dossier_tournoi() const {
    if (!dernier_fichier_.isEmpty())
        return std::filesystem::path(QFileInfo(dernier_fichier_).absolutePath().toStdString());
    std::error_code erreur;
    return std::filesystem::current_path(erreur);
}

void TForm1::montrer_rapport() {
    Form_Show_App->montrer(rapport_);
    ihm_.executer(*Form_Show_App);
}

void TForm1::NouveauTournoi() {
    Form_Dlg_Tournoi->preparer_nouveau_tournoi();
    if (ihm_.executer(*Form_Dlg_Tournoi) != QDialog::Accepted) return;
    if (!proposer_sauvegarde()) return;
    gestion::nouveau_tournoi(*tournoi_, Form_Dlg_Tournoi->proprietes(), ihm_);
    setWindowTitle(qs(tournoi_->titre_fenetre()));
}

void TForm1::OptionsTournoi() {
    Form_Dlg_Tournoi->remplir(gestion::lire_proprietes(*tournoi_));
    if (ihm_.executer(*Form_Dlg_Tournoi) != QDialog::Accepted) return;
    // A refused change of game leaves the caption as it was.
    if (gestion::modifier_tournoi(*tournoi_, Form_Dlg_Tournoi->proprietes(), ihm_))
        setWindowTitle(qs(tournoi_->titre_fenetre()));
}

void TForm1::ChargerTournoi() {
    if (!proposer_sauvegarde()) return;
    const QString fichier = ihm_.fichier_a_ouvrir(this);
    if (fichier.isEmpty()) return;
    EtatFichier etat;
    if (gestion::charger_tournoi(*tournoi_, fichier.toStdString(), ihm_, etat)) {
        dernier_fichier_ = fichier;
        etat_fichier_ = etat;
    }
    setWindowTitle(qs(tournoi_->titre_fenetre()));
    Form_Dlg_Tournoi->remplir(gestion::lire_proprietes(*tournoi_));
    Dlg_joueurs->oublier_joueur();
}

bool TForm1::SauverTournoi() {
    const QString fichier = ihm_.fichier_a_sauver(this);
    if (fichier.isEmpty()) return false;
    // The state known is that of the file last loaded or saved, none for another.
    EtatFichier etat = fichier == dernier_fichier_ ? etat_fichier_ : EtatFichier{};
    if (!gestion::sauver_tournoi(*tournoi_, fichier.toStdString(), ihm_, etat)) return false;
    dernier_fichier_ = fichier;
    etat_fichier_ = etat;
    return true;
}

void TForm1::ConfigurerImprimante() {
    ihm_.configurer_imprimante(*imprimante_, this);
}

void TForm1::Imprimer() {
    // The print dialog alone: nothing is printed from the main window.
    ihm_.choisir_imprimante(*imprimante_, this);
}

void TForm1::NouvelleRonde() {
    if (!gestion::apparier_ronde(*tournoi_, rapport_, ihm_)) return;
    Form_Saisie_Resultats->revenir_premiere_table();
    montrer_rapport();
}

void TForm1::RevoirAppariements() {
    gestion::revoir_appariements(*tournoi_, rapport_);
    montrer_rapport();
}

void TForm1::SaisirResultats() {
    if (!gestion::saisie_possible(*tournoi_, ihm_)) return;
    Form_Saisie_Resultats->a_l_ouverture();
    ihm_.executer(*Form_Saisie_Resultats);
}

void TForm1::Classement() {
    gestion::produire_rapport(*tournoi_, gestion::SorteRapport::classement, rapport_);
    montrer_rapport();
}

void TForm1::Historique() {
    gestion::produire_rapport(*tournoi_, gestion::SorteRapport::historique, rapport_);
    montrer_rapport();
}

void TForm1::GestionJoueurs() {
    Dlg_joueurs->a_l_ouverture();
    ihm_.executer(*Dlg_joueurs);
}

void TForm1::ListeJoueurs() {
    if (gestion::produire_rapport(*tournoi_, gestion::SorteRapport::joueurs, rapport_))
        montrer_rapport();
}

void TForm1::FichierResultatsEquipe() {
    gestion::ecrire_fichier_equipes(*tournoi_, dossier_tournoi(), ihm_);
}

void TForm1::ClassementFinalEquipes() {
    // On failure the message is shown and there is no new report to show.
    if (gestion::classement_final_equipes(*tournoi_, dossier_tournoi(), rapport_, ihm_))
        montrer_rapport();
}

void TForm1::Avertissement() {
    ihm_.executer(*Form__Avertissement);
}

}  // namespace tavo::ui
