#include "ui/tform1.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QSettings>
#include <QStackedWidget>
#include <QStatusBar>
#include <QVBoxLayout>

#include "gestion/corrections.h"
#include "gestion/equipes.h"
#include "gestion/fichiers.h"
#include "gestion/import.h"
#include "gestion/proprietes.h"
#include "gestion/rapports.h"
#include "gestion/resultats.h"
#include "gestion/rondes.h"
#include "gestion/tableau_de_bord.h"
#include "gestion/trf.h"
#include "model/texte.h"
#include "tavo/version.h"
#include "teams/equipes.h"
#include "ui/destination_export.h"
#include "ui/ihm.h"
#include "ui/tableau_de_bord.h"
#include "ui/tdlg_joueurs.h"
#include "ui/texte_qt.h"
#include "ui/tform_avertissement.h"
#include "ui/tform_dlg_tournoi.h"
#include "ui/tform_interdits.h"
#include "ui/tform_modifier_appariements.h"
#include "ui/tform_publier.h"
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
    // Large enough for the round, the standings and the players on a
    // 1366×768 laptop; the size the director gives it is kept.
    resize(1180, 700);
    setAcceptDrops(true);

    // Top panel: an empty bar; below it the start screen (how to start), or
    // the tournament's round, standings and players.
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
    auto* titre_accueil = new QLabel(QStringLiteral("Pour commencer :"), cadre);
    titre_accueil->setObjectName(QStringLiteral("Lbl_Pour_Commencer"));
    QFont gras = titre_accueil->font();
    gras.setBold(true);
    titre_accueil->setFont(gras);
    Lbl_Accueil = new QLabel(cadre);
    Lbl_Accueil->setObjectName(QStringLiteral("Lbl_Accueil"));
    Lbl_Accueil->setStyleSheet(QStringLiteral("color: blue;"));
    Lbl_Accueil->setText(
        QStringLiteral("Un nouveau tournoi : Fichiers / Nouveau Tournoi (Ctrl+N)\n"
                       "Un tournoi enregistré : Fichiers / Charger un tournoi (Ctrl+O)\n"
                       "Un tournoi récent : Fichiers / Tournois récents (Alt+F, R, 1)"));
    auto* textes = new QVBoxLayout;
    textes->addWidget(titre_accueil);
    textes->addWidget(Lbl_Accueil);
    auto* interieur = new QHBoxLayout(cadre);
    interieur->addWidget(icone, 0, Qt::AlignTop);
    interieur->addLayout(textes);
    interieur->addStretch();

    auto* milieu = new QHBoxLayout;
    milieu->addStretch();
    milieu->addWidget(cadre);
    milieu->addStretch();
    auto* accueil = new QWidget(centre);
    auto* colonne_accueil = new QVBoxLayout(accueil);
    colonne_accueil->addStretch();
    colonne_accueil->addLayout(milieu);
    colonne_accueil->addStretch();
    Tableau_De_Bord = new TableauDeBord(*tournoi_, ihm_, centre);
    Pile_Centre = new QStackedWidget(centre);
    Pile_Centre->setObjectName(QStringLiteral("Pile_Centre"));
    Pile_Centre->addWidget(accueil);
    Pile_Centre->addWidget(Tableau_De_Bord);
    auto* colonne = new QVBoxLayout(centre);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addWidget(barre);
    colonne->addWidget(Pile_Centre, 1);
    setCentralWidget(centre);

    auto* panneau1 = new QLabel(QStringLiteral("Gestion de tournois en système Suisse"), this);
    panneau1->setObjectName(QStringLiteral("Pnl_Programme"));
    panneau1->setAlignment(Qt::AlignCenter);
    panneau1->setFixedWidth(240);
    auto* panneau2 =
        new QLabel(QStringLiteral("Version 1.01, 1998 — portage Qt 6 pour Linux"), this);
    panneau2->setObjectName(QStringLiteral("Pnl_Version"));
    panneau2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Lbl_Etat_Tournoi = new QLabel(this);
    Lbl_Etat_Tournoi->setObjectName(QStringLiteral("Lbl_Etat_Tournoi"));
    statusBar()->addWidget(Lbl_Etat_Tournoi, 1);
    statusBar()->addWidget(panneau1);
    statusBar()->addWidget(panneau2);

    creer_menu();

    // The other windows, created once, in this order, alive until the end.
    Form_Dlg_Tournoi = new TForm_Dlg_Tournoi(*tournoi_, ihm_, this);
    Dlg_joueurs = new TDlg_joueurs(*tournoi_, ihm_, this);
    // A window of its own, which the dialogs do not block.
    Form_Show_App = new TForm_Show_App(
        ihm_, [this] { return dossier_des_dialogues(); }, nullptr);
    Form_Saisie_Resultats = new TForm_Saisie_Resultats(*tournoi_, ihm_, this);
    Form_Modifier_Appariements = new TForm_Modifier_Appariements(*tournoi_, ihm_, this);
    connect(Tableau_De_Bord, &TableauDeBord::changement, this, &TForm1::noter_changement);
    connect(Tableau_De_Bord, &TableauDeBord::joueur_demande, this, [this](int id) {
        Dlg_joueurs->choisir_joueur(id);
        GestionJoueurs();
    });
    connect(Form_Saisie_Resultats, &TForm_Saisie_Resultats::changement, this,
            &TForm1::noter_changement);
    connect(Dlg_joueurs, &TDlg_joueurs::changement, this, &TForm1::noter_changement);
    connect(Form_Modifier_Appariements, &TForm_Modifier_Appariements::changement, this,
            &TForm1::noter_changement);
    Form_Interdits = new TForm_Interdits(*tournoi_, ihm_, this);
    Form_Publier = new TForm_Publier(ihm_, this);
    connect(Form_Interdits, &TForm_Interdits::changement, this, &TForm1::noter_changement);
    Form__Avertissement = new TForm__Avertissement(this);
}

TForm1::~TForm1() {
    // The dialogs refer to the tournament and to the message boxes: they go
    // first, before the members they use.
    delete Form__Avertissement;
    delete Form_Publier;
    delete Form_Interdits;
    delete Form_Modifier_Appariements;
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
    menu_recents = fichiers->addMenu(QStringLiteral("Tournois &récents"));
    menu_recents->setObjectName(QStringLiteral("menu_recents"));
    action_sauver = action(fichiers, "action_sauver", QStringLiteral("&Sauver le tournoi"),
                           &TForm1::SauverTournoi);
    action_sauver_sous = action(fichiers, "action_sauver_sous", QStringLiteral("Sauver so&us…"),
                                &TForm1::SauverTournoiSous);
    action_exporter_trf = action(fichiers, "action_exporter_trf",
                                 QStringLiteral("&Exporter au format TRF"), &TForm1::ExporterTrf);
    action_publier = action(fichiers, "action_publier", QStringLiteral("&Publier sur le réseau"),
                            &TForm1::PublierReseau);
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
                                   QStringLiteral("&Nouvelle Ronde"), &TForm1::NouvelleRonde);
    action_revoir_appariements =
        action(rondes, "action_revoir_appariements", QStringLiteral("&Revoir les appariements"),
               &TForm1::RevoirAppariements);
    action_modifier_appariements =
        action(rondes, "action_modifier_appariements", QStringLiteral("&Modifier les appariements"),
               &TForm1::ModifierAppariements);
    action_annuler_ronde =
        action(rondes, "action_annuler_ronde", QStringLiteral("&Annuler la dernière ronde"),
               &TForm1::AnnulerRonde);
    rondes->addSeparator();
    action_saisir_resultats =
        action(rondes, "action_saisir_resultats", QStringLiteral("&Saisir les résultats"),
               &TForm1::SaisirResultats);
    rondes->addSeparator();
    action_classement =
        action(rondes, "action_classement", QStringLiteral("&Classement"), &TForm1::Classement);
    action_historique =
        action(rondes, "action_historique", QStringLiteral("&Historique"), &TForm1::Historique);
    action_grille =
        action(rondes, "action_grille", QStringLiteral("&Grille américaine"), &TForm1::Grille);

    QMenu* joueurs = menuBar()->addMenu(QStringLiteral("&Joueurs"));
    joueurs->setObjectName(QStringLiteral("menu_joueurs"));
    action_gestion_joueurs = action(joueurs, "action_gestion_joueurs", QStringLiteral("&Gestion"),
                                    &TForm1::GestionJoueurs);
    action_liste_joueurs = action(joueurs, "action_liste_joueurs",
                                  QStringLiteral("&Liste des joueurs"), &TForm1::ListeJoueurs);
    action_importer_joueurs =
        action(joueurs, "action_importer_joueurs", QStringLiteral("&Importer des joueurs…"),
               &TForm1::ImporterJoueurs);
    action_interdits =
        action(joueurs, "action_interdits", QStringLiteral("&Appariements interdits…"),
               &TForm1::AppariementsInterdits);

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("menu_options"));
    action_options_tournoi = action(options, "action_options_tournoi", QStringLiteral("&Tournoi"),
                                    &TForm1::OptionsTournoi);

    QMenu* equipes = menuBar()->addMenu(QStringLiteral("&Equipes"));
    equipes->setObjectName(QStringLiteral("menu_equipes"));
    action_fichier_equipes = action(equipes, "action_fichier_equipes",
                                    QStringLiteral("générer &Fichier résultats par Equipe"),
                                    &TForm1::FichierResultatsEquipe);
    equipes->addSeparator();
    action_classement_equipes =
        action(equipes, "action_classement_equipes", QStringLiteral("&Classement Final par équipe"),
               &TForm1::ClassementFinalEquipes);

    QMenu* aide = menuBar()->addMenu(QStringLiteral("&Aide"));
    aide->setObjectName(QStringLiteral("menu_aide"));
    action_avertissement = action(aide, "action_avertissement", QStringLiteral("&Avertissement"),
                                  &TForm1::Avertissement);
    action_a_propos =
        action(aide, "action_a_propos", QStringLiteral("À &propos"), &TForm1::APropos);

    // The usual keys, shown in the menus.
    action_nouveau_tournoi->setShortcut(QKeySequence::New);
    action_charger->setShortcut(QKeySequence::Open);
    action_sauver->setShortcut(QKeySequence::Save);
    // Not QKeySequence::SaveAs: it is empty outside GNOME and KDE.
    action_sauver_sous->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    action_quitter->setShortcut(QKeySequence::Quit);
    action_nouvelle_ronde->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    action_saisir_resultats->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    remplir_recents();
}

namespace {

constexpr int MAX_RECENTS = 8;

// What the window remembers from one run to the next (recent files, the last
// folder, its size and place), in ~/.config/tavo/tavo.conf.
std::unique_ptr<QSettings> reglages() {
    return std::make_unique<QSettings>(QStringLiteral("tavo"), QStringLiteral("tavo"));
}

// "&1 club.pxi — /home/arbitre/Tournois": the number is the key that opens it
// from the menu; a long folder loses its middle.
QString texte_recent(int numero, const QString& fichier) {
    constexpr qsizetype LONGUEUR_DOSSIER = 50;
    const QFileInfo info(fichier);
    QString dossier = info.absolutePath();
    if (dossier.size() > LONGUEUR_DOSSIER)
        dossier = dossier.left(LONGUEUR_DOSSIER / 2 - 1) + QChar(0x2026) +
                  dossier.right(LONGUEUR_DOSSIER / 2);
    QString texte = QStringLiteral("%1 — %2").arg(info.fileName(), dossier);
    texte.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 ").arg(numero) + texte;
}

bool est_tournoi(const QUrl& url) {
    if (!url.isLocalFile()) return false;
    const QString fichier = url.toLocalFile();
    return fichier.endsWith(QStringLiteral(".pxi"), Qt::CaseInsensitive) ||
           fichier.endsWith(QStringLiteral(".tavo"), Qt::CaseInsensitive);
}

}  // namespace

void TForm1::remplir_recents() {
    menu_recents->clear();
    const QStringList recents = reglages()->value(QStringLiteral("recents")).toStringList();
    for (int i = 0; i < recents.size(); ++i) {
        const QString& fichier = recents[i];
        QAction* a = menu_recents->addAction(texte_recent(i + 1, fichier));
        a->setToolTip(fichier);
        a->setStatusTip(fichier);
        connect(a, &QAction::triggered, this, [this, fichier] { ouvrir(fichier); });
    }
    menu_recents->setEnabled(!recents.isEmpty());
}

void TForm1::retenir_fichier(const QString& fichier) {
    const QString absolu = QFileInfo(fichier).absoluteFilePath();
    dernier_fichier_ = absolu;
    fichier_courant_ = absolu;
    const auto r = reglages();
    QStringList recents = r->value(QStringLiteral("recents")).toStringList();
    recents.removeAll(absolu);
    recents.prepend(absolu);
    while (recents.size() > MAX_RECENTS) recents.removeLast();
    r->setValue(QStringLiteral("recents"), recents);
    r->setValue(QStringLiteral("dossier"), QFileInfo(absolu).absolutePath());
    remplir_recents();
}

QString TForm1::dossier_des_dialogues() const {
    if (!fichier_courant_.isEmpty()) return QFileInfo(fichier_courant_).absolutePath();
    return reglages()->value(QStringLiteral("dossier"), QDir::currentPath()).toString();
}

void TForm1::dragEnterEvent(QDragEnterEvent* evenement) {
    const QList<QUrl> urls = evenement->mimeData()->urls();
    if (urls.size() == 1 && est_tournoi(urls.first())) evenement->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* evenement) {
    const QList<QUrl> urls = evenement->mimeData()->urls();
    if (urls.size() != 1 || !est_tournoi(urls.first())) return;
    evenement->acceptProposedAction();
    ouvrir(urls.first().toLocalFile());
}

bool TForm1::proposer_sauvegarde() {
    if (!gestion::a_sauver(*tournoi_)) return true;
    switch (ihm_.question_annulable("Attention",
                                    "Il y a des changements non enregistrés\n\nVoulez-vous "
                                    "sauver les informations de ce tournoi ?")) {
        case Ihm::Reponse::oui:
            // The tournament may be replaced or dropped only once it is saved.
            return SauverTournoi();
        case Ihm::Reponse::non:
            secours_.effacer();  // the changes are given up
            return true;
        case Ihm::Reponse::annuler:
            break;
    }
    return false;
}

void TForm1::closeEvent(QCloseEvent* evenement) {
    if (!proposer_sauvegarde()) {
        evenement->ignore();
        return;
    }
    reglages()->setValue(QStringLiteral("geometrie"), saveGeometry());
    Form_Show_App->close();  // a window of its own: it goes with the program
    evenement->accept();
}

bool TForm1::reprendre_geometrie() {
    return restoreGeometry(reglages()->value(QStringLiteral("geometrie")).toByteArray());
}

std::filesystem::path TForm1::dossier_tournoi() const {
    if (!dernier_fichier_.isEmpty())
        return std::filesystem::path(QFileInfo(dernier_fichier_).absolutePath().toStdString());
    std::error_code erreur;
    return std::filesystem::current_path(erreur);
}

void TForm1::montrer_rapport(std::optional<gestion::SorteRapport> sorte) {
    sorte_montree_ = sorte;
    Form_Show_App->montrer(rapport_);
    ihm_.montrer(*Form_Show_App);
}

void TForm1::NouveauTournoi() {
    // A new tournament is made for the native file, without the 1998 limits.
    Form_Dlg_Tournoi->preparer_nouveau_tournoi(false);
    if (ihm_.executer(*Form_Dlg_Tournoi) != QDialog::Accepted) return;
    if (!proposer_sauvegarde()) return;
    tournoi_->limites_1998 = false;
    gestion::nouveau_tournoi(*tournoi_, Form_Dlg_Tournoi->proprietes(), ihm_);
    fichier_.oublier();
    fichier_courant_.clear();
    // Its file at once, where each change will be stored. Without one (the
    // dialog cancelled), the first "Sauver" asks again.
    const QString fichier = ihm_.fichier_a_sauver(this, dossier_des_dialogues());
    if (!fichier.isEmpty()) sauver_dans(fichier);
    noter_changement();
}

void TForm1::OptionsTournoi() {
    Form_Dlg_Tournoi->remplir(gestion::lire_proprietes(*tournoi_), tournoi_->limites_1998);
    if (ihm_.executer(*Form_Dlg_Tournoi) != QDialog::Accepted) return;
    // The dialog's "Valider" checked the values: they are taken whole.
    if (!gestion::modifier_tournoi(*tournoi_, Form_Dlg_Tournoi->proprietes(), ihm_)) return;
    noter_changement();
}

void TForm1::ChargerTournoi() {
    if (!proposer_sauvegarde()) return;
    const QString fichier = ihm_.fichier_a_ouvrir(this, dossier_des_dialogues());
    if (fichier.isEmpty()) return;
    charger_fichier(fichier);
}

void TForm1::ouvrir(const QString& fichier) {
    if (!proposer_sauvegarde()) return;
    charger_fichier(fichier);
}

void TForm1::charger_fichier(const QString& fichier) {
    if (fichier_.charger(*tournoi_, fichier.toStdString(), ihm_)) retenir_fichier(fichier);
    montrer_tournoi_charge();
}

void TForm1::montrer_tournoi_charge() {
    actualiser_vue();
    Form_Dlg_Tournoi->remplir(gestion::lire_proprietes(*tournoi_), tournoi_->limites_1998);
    Dlg_joueurs->oublier_joueur();
}

bool TForm1::SauverTournoi() {
    if (fichier_courant_.isEmpty()) return SauverTournoiSous();
    return sauver_dans(fichier_courant_);
}

bool TForm1::SauverTournoiSous() {
    const QString fichier = ihm_.fichier_a_sauver(this, dossier_des_dialogues());
    return !fichier.isEmpty() && sauver_dans(fichier);
}

bool TForm1::sauver_dans(const QString& fichier) {
    switch (fichier_.sauver(*tournoi_, fichier.toStdString(), ihm_)) {
        case gestion::Sauvegarde::faite:
            break;
        case gestion::Sauvegarde::rechargee:
            // The other program's file is the tournament now; the changes of
            // this window were given up.
            montrer_tournoi_charge();
            noter_changement();
            return false;
        case gestion::Sauvegarde::abandonnee:
            return false;
    }
    retenir_fichier(fichier);
    secours_.effacer();  // the file holds everything now
    actualiser_vue();
    return true;
}

void TForm1::noter_changement() {
    if (fichier_.enregistrer_changement(*tournoi_, ihm_) == gestion::Sauvegarde::rechargee)
        montrer_tournoi_charge();
    if (gestion::a_sauver(*tournoi_))
        secours_.ecrire(*tournoi_, fichier_courant_);
    else
        secours_.effacer();
    // An open report of the tournament shows its latest state.
    if (sorte_montree_ && Form_Show_App->isVisible()) {
        gestion::retenir_classement(*tournoi_, *sorte_montree_);
        gestion::produire_rapport(*tournoi_, *sorte_montree_, rapport_);
        Form_Show_App->actualiser(rapport_);
    }
    actualiser_vue();
}

void TForm1::actualiser_vue() {
    const bool vide = gestion::tournoi_vide(*tournoi_);
    Pile_Centre->setCurrentIndex(vide ? 0 : 1);
    if (vide) {
        setWindowTitle(QStringLiteral("Gestion de tournois TAVO"));
        Lbl_Etat_Tournoi->clear();
        return;
    }
    Tableau_De_Bord->actualiser();
    const std::string etat = gestion::etat_ronde(*tournoi_);
    const bool enregistre = !gestion::a_sauver(*tournoi_);
    setWindowTitle(qs(tournoi_->titre_fenetre() + " — " + etat) +
                   (enregistre ? QString() : QStringLiteral(" *")));
    Lbl_Etat_Tournoi->setText(
        qs(etat + (enregistre ? " — tout est enregistré" : " — modifications non enregistrées")));
}

bool TForm1::proposer_reprise() {
    const auto offre = secours_.a_proposer();
    if (!offre) {
        secours_.effacer();
        return false;
    }
    const QString question =
        QStringLiteral(
            "Une copie de secours du tournoi « %1 » a été faite le %2 à %3, après son "
            "dernier enregistrement (le programme a dû s'arrêter sans sauver).\n\n"
            "Voulez-vous la reprendre ?")
            .arg(qs(offre->nom), offre->faite.toString(QStringLiteral("dd/MM/yyyy")),
                 offre->faite.toString(QStringLiteral("HH:mm")));
    if (!ihm_.question("Copie de secours", utf8(question))) {
        secours_.effacer();
        return false;
    }
    if (!gestion::reprendre_copie_secours(*tournoi_, offre->copie.toStdString(), ihm_))
        return false;
    // The copy becomes the tournament of its file, which "Sauver" replaces.
    fichier_.oublier();
    fichier_courant_ = offre->fichier;
    tournoi_->limites_1998 =
        !offre->fichier.isEmpty() && !gestion::est_fichier_tavo(offre->fichier.toStdString());
    if (!offre->fichier.isEmpty()) dernier_fichier_ = offre->fichier;
    montrer_tournoi_charge();
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
    noter_changement();
    Form_Saisie_Resultats->revenir_premiere_table();
    // The results are typed on the round's first line once the sheet closes.
    Tableau_De_Bord->montrer_onglet(0);
    montrer_rapport(gestion::SorteRapport::appariements);
}

void TForm1::RevoirAppariements() {
    if (!gestion::rapport_a_montrer(*tournoi_, gestion::SorteRapport::appariements, ihm_)) return;
    gestion::revoir_appariements(*tournoi_, rapport_);
    montrer_rapport(gestion::SorteRapport::appariements);
}

void TForm1::ModifierAppariements() {
    if (!gestion::echange_possible(*tournoi_, ihm_)) return;
    Form_Modifier_Appariements->a_l_ouverture();
    ihm_.executer(*Form_Modifier_Appariements);
    // The pairing sheet to post again.
    if (Form_Modifier_Appariements->modifie()) RevoirAppariements();
}

void TForm1::AnnulerRonde() {
    // Asks first when results would be lost.
    if (!gestion::annuler_ronde(*tournoi_, ihm_)) return;
    noter_changement();
    Form_Saisie_Resultats->revenir_premiere_table();
    ihm_.information(gestion::ronde_annulee(*tournoi_));
}

void TForm1::SaisirResultats() {
    if (!gestion::saisie_possible(*tournoi_, ihm_)) return;
    Form_Saisie_Resultats->a_l_ouverture();
    ihm_.executer(*Form_Saisie_Resultats);
}

void TForm1::Classement() {
    gestion::retenir_classement(*tournoi_, gestion::SorteRapport::classement);
    gestion::produire_rapport(*tournoi_, gestion::SorteRapport::classement, rapport_);
    montrer_rapport(gestion::SorteRapport::classement);
}

void TForm1::Historique() {
    gestion::retenir_classement(*tournoi_, gestion::SorteRapport::historique);
    gestion::produire_rapport(*tournoi_, gestion::SorteRapport::historique, rapport_);
    montrer_rapport(gestion::SorteRapport::historique);
}

void TForm1::Grille() {
    gestion::retenir_classement(*tournoi_, gestion::SorteRapport::grille);
    gestion::produire_rapport(*tournoi_, gestion::SorteRapport::grille, rapport_);
    montrer_rapport(gestion::SorteRapport::grille);
}

void TForm1::ImporterJoueurs() {
    const QString fichier = ihm_.fichier_a_importer(this, dossier_des_dialogues());
    if (fichier.isEmpty()) return;
    const int nombre =
        gestion::importer_joueurs(*tournoi_, std::filesystem::path(fichier.toStdString()), ihm_);
    if (nombre < 0) return;
    noter_changement();
    ihm_.information(gestion::bilan_import(nombre));
}

void TForm1::ExporterTrf() {
    const auto destination =
        choisir_destination(ihm_, this, QStringLiteral("Exporter au format TRF"),
                            {QStringLiteral("Fichier TRF (*.trf)")}, dossier_des_dialogues());
    if (!destination) return;
    gestion::exporter_trf(*tournoi_, std::filesystem::path(destination->chemin.toStdString()), ihm_,
                          gestion::EncodageTrf::utf8,
                          std::filesystem::path(fichier_courant_.toStdString()));
}

// The pages follow the tournament's file: a .tavo holds each change at once,
// a .pxi once saved.
void TForm1::PublierReseau() {
    Form_Publier->a_l_ouverture(fichier_courant_);
    Form_Publier->show();
    Form_Publier->raise();
}

void TForm1::GestionJoueurs() {
    Dlg_joueurs->a_l_ouverture();
    ihm_.executer(*Dlg_joueurs);
}

void TForm1::AppariementsInterdits() {
    Form_Interdits->a_l_ouverture();
    ihm_.executer(*Form_Interdits);
}

void TForm1::ListeJoueurs() {
    if (!gestion::rapport_a_montrer(*tournoi_, gestion::SorteRapport::joueurs, ihm_)) return;
    if (gestion::produire_rapport(*tournoi_, gestion::SorteRapport::joueurs, rapport_))
        montrer_rapport(gestion::SorteRapport::joueurs);
}

void TForm1::FichierResultatsEquipe() {
    const auto ecrit = gestion::ecrire_fichier_equipes(*tournoi_, dossier_tournoi(), ihm_);
    if (!ecrit) return;
    // Where it went: the file and its folder.
    const QFileInfo fichier(QString::fromStdString(ecrit->string()));
    ihm_.information(
        utf8(QStringLiteral("Fichier résultats par équipe écrit : %1\ndans le dossier : %2")
                 .arg(fichier.fileName(), fichier.absolutePath())));
}

void TForm1::ClassementFinalEquipes() {
    // On failure the message is shown and there is no new report to show.
    if (gestion::classement_final_equipes(*tournoi_, dossier_tournoi(), rapport_, ihm_))
        montrer_rapport();
}

void TForm1::Avertissement() {
    ihm_.executer(*Form__Avertissement);
}

QString TForm1::texte_a_propos() {
    return QStringLiteral(
               "TAVO\nVersion %1\n\nGestion de tournois en système Suisse "
               "(échecs, dames, othello, quarto).\n\n")
               .arg(QString::fromLatin1(VERSION)) +
           qs(formater("Programme limité à :\n%d Joueurs\n%d Rondes\n%d Equipes\n%d "
                       "Jeux\n(fichier .pxi : %d joueurs, %d rondes)",
                       MAX_JOUEURS, MAX_RONDES, equipes::MAX_EQUIPES, equipes::MAX_JEUX,
                       Limites1998::joueurs, Limites1998::rondes));
}

void TForm1::APropos() {
    // The program's name, its version (the project's, from CMake), what it
    // does and its capacities.
    QMessageBox boite(QMessageBox::NoIcon, QStringLiteral("À propos de TAVO"), texte_a_propos(),
                      QMessageBox::Ok, this);
    boite.setObjectName(QStringLiteral("Boite_A_Propos"));
    boite.setIconPixmap(icone_programme().pixmap(32, 32));
    ihm_.executer(boite);
}

}  // namespace tavo::ui
