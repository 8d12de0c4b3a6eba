#include "ui/tdlg_joueurs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "gestion/absences.h"
#include "gestion/joueurs.h"
#include "model/texte.h"
#include "ui/controles.h"
#include "ui/ihm.h"
#include "ui/texte_qt.h"

namespace tavo::ui {

namespace {

bool memes_fiches(const FicheJoueur& a, const FicheJoueur& b) {
    return a.nom == b.nom && a.prenom == b.prenom && a.ne_le == b.ne_le && a.equipe == b.equipe &&
           a.elo == b.elo && a.fille == b.fille && a.actif == b.actif && a.club == b.club &&
           a.federation == b.federation && a.fide_id == b.fide_id &&
           a.id_national == b.id_national && a.titre == b.titre;
}

// A label whose Alt key moves to its field.
QLabel* etiquette(QWidget* parent, const QString& texte, QWidget* champ) {
    auto* l = new QLabel(texte, parent);
    l->setBuddy(champ);
    return l;
}

}  // namespace

TDlg_joueurs::TDlg_joueurs(Tournoi& tournoi, Ihm& ihm, QWidget* parent)
    : QDialog(parent), tournoi_(tournoi), ihm_(ihm) {
    setObjectName(QStringLiteral("Dlg_joueurs"));
    setWindowTitle(QStringLiteral("Saisie des joueurs"));
    setModal(true);

    Ed_ID = new QLineEdit(this);
    Ed_ID->setObjectName(QStringLiteral("Ed_ID"));
    QFont gras = Ed_ID->font();
    gras.setBold(true);
    Ed_ID->setFont(gras);
    // A player's number, or the first letters of a name: "Chercher" shows
    // that player, or the next one whose name starts with them.
    Ed_ID->setPlaceholderText(QStringLiteral("N° ou nom…"));
    Ed_ID->setValidator(new ValidateurTexte(Ed_ID));
    Bt_Chercher = bouton(this, "Bt_Chercher", QStringLiteral("&Chercher"));

    CBx_Equipe = new QComboBox(this);
    CBx_Equipe->setObjectName(QStringLiteral("CBx_Equipe"));
    CBx_Equipe->setEditable(true);
    CBx_Equipe->setInsertPolicy(QComboBox::NoInsert);
    CBx_Equipe->lineEdit()->setValidator(new ValidateurTexte(CBx_Equipe));
    limiter_champ(CBx_Equipe->lineEdit(), Limites1998::equipe, true);
    Ed_Nom = champ_texte(this, "Ed_Nom", Limites1998::nom);
    Ed_Prenom = champ_texte(this, "Ed_Prenom", Limites1998::prenom);
    // Wide enough to read a long first name whole ("Jean-François").
    Ed_Prenom->setMinimumWidth(
        Ed_Prenom->fontMetrics().horizontalAdvance(QString(16, QLatin1Char('n'))));
    // Masked fields: a blank stands for each digit not typed; the slashes are
    // part of the stored text.
    MEd_ne_le = new QLineEdit(this);
    MEd_ne_le->setObjectName(QStringLiteral("MEd_ne_le"));
    MEd_ne_le->setInputMask(QStringLiteral("00/00/00; "));
    MEd_Elo = new QLineEdit(this);
    MEd_Elo->setObjectName(QStringLiteral("MEd_Elo"));
    MEd_Elo->setInputMask(QStringLiteral("0000; "));
    Chk_Fille = new QCheckBox(QStringLiteral("Fi&lle"), this);
    Chk_Fille->setObjectName(QStringLiteral("Chk_Fille"));
    Chk_Inactif = new QCheckBox(QStringLiteral("&Inactif"), this);
    Chk_Inactif->setObjectName(QStringLiteral("Chk_Inactif"));

    // Used only in a .tavo: any text, of any language.
    Ed_Club = champ_texte(this, "Ed_Club", 0);
    Ed_Federation = champ_texte(this, "Ed_Federation", 0);
    Ed_Fide_Id = champ_texte(this, "Ed_Fide_Id", 0);
    Ed_Id_National = champ_texte(this, "Ed_Id_National", 0);
    for (QLineEdit* e : {Ed_Club, Ed_Federation, Ed_Fide_Id, Ed_Id_National})
        limiter_champ(e, 0, false);
    Ed_Federation->setMaxLength(3);
    Ed_Fide_Id->setMaxLength(11);
    Ed_Titre = new QComboBox(this);
    Ed_Titre->setObjectName(QStringLiteral("Ed_Titre"));
    Ed_Titre->addItems({QString(), QStringLiteral("GM"), QStringLiteral("IM"), QStringLiteral("FM"),
                        QStringLiteral("CM"), QStringLiteral("WGM"), QStringLiteral("WIM"),
                        QStringLiteral("WFM"), QStringLiteral("WCM")});

    Ed_Absences = champ_texte(this, "Ed_Absences", 0);
    limiter_champ(Ed_Absences, 0, false);
    Ed_Absences->setPlaceholderText(QStringLiteral("3,4"));
    Chk_Demi_Point = new QCheckBox(QStringLiteral("½ &point"), this);
    Chk_Demi_Point->setObjectName(QStringLiteral("Chk_Demi_Point"));
    Bt_Absence = bouton(this, "Bt_Absence", QStringLiteral("Enre&gistrer l'absence"));
    Bt_Retirer_Absence = bouton(this, "Bt_Retirer_Absence", QStringLiteral("Ann&uler l'absence"));
    Lbl_Absences = new QLabel(this);
    Lbl_Absences->setObjectName(QStringLiteral("Lbl_Absences"));

    Bt_Valider = bouton(this, "Bt_Valider", QStringLiteral("&Valider"));
    Bt_Annuler = bouton(this, "Bt_Annuler", QStringLiteral("&Annuler"));
    Bt_Nouveau = bouton(this, "Bt_Nouveau", QStringLiteral("&Nouveau"));
    Bt_Supprimer = bouton(this, "Bt_Supprimer", QStringLiteral("&Supprimer"));
    Bt_Fermer = bouton(this, "Bt_Fermer", QStringLiteral("&Fermer"));
    Bt_Trier_Elo = bouton(this, "Bt_Trier_Elo", QStringLiteral("Trier par &Elo"));

    SBtn_Haut = new QToolButton(this);
    SBtn_Haut->setObjectName(QStringLiteral("SBtn_Haut"));
    SBtn_Haut->setArrowType(Qt::UpArrow);
    SBtn_Bas = new QToolButton(this);
    SBtn_Bas->setObjectName(QStringLiteral("SBtn_Bas"));
    SBtn_Bas->setArrowType(Qt::DownArrow);
    Lbl_no_joueur = new QLabel(QStringLiteral("0"), this);
    Lbl_no_joueur->setObjectName(QStringLiteral("Lbl_no_joueur"));
    Lbl_no_joueur->setAlignment(Qt::AlignCenter);
    Lbl_no_joueur->setMinimumWidth(70);
    QFont grand(QStringLiteral("Arial"));
    grand.setPixelSize(24);
    grand.setBold(true);
    grand.setItalic(true);
    Lbl_no_joueur->setFont(grand);

    auto* grille = new QGridLayout;
    grille->addWidget(new QLabel(QStringLiteral("ID"), this), 0, 0);
    grille->addWidget(Ed_ID, 0, 1);
    grille->addWidget(Bt_Chercher, 0, 2);
    grille->addWidget(new QLabel(QStringLiteral("Equipe"), this), 0, 3);
    grille->addWidget(CBx_Equipe, 0, 4);
    grille->addWidget(new QLabel(QStringLiteral("Nom"), this), 1, 0);
    grille->addWidget(Ed_Nom, 1, 1, 1, 2);
    grille->addWidget(new QLabel(QStringLiteral("Prénom"), this), 1, 3);
    grille->addWidget(Ed_Prenom, 1, 4);
    grille->addWidget(new QLabel(QStringLiteral("né(e) le "), this), 2, 0);
    grille->addWidget(MEd_ne_le, 2, 1);
    grille->addWidget(new QLabel(QStringLiteral("Classement"), this), 2, 3);
    grille->addWidget(MEd_Elo, 2, 4);
    grille->addWidget(Chk_Fille, 3, 1);
    grille->addWidget(Chk_Inactif, 3, 4);
    grille->addWidget(etiquette(this, QStringLiteral("Clu&b"), Ed_Club), 4, 0);
    grille->addWidget(Ed_Club, 4, 1, 1, 2);
    grille->addWidget(etiquette(this, QStringLiteral("&Titre"), Ed_Titre), 4, 3);
    grille->addWidget(Ed_Titre, 4, 4);
    grille->addWidget(etiquette(this, QStringLiteral("Fédé&ration"), Ed_Federation), 5, 0);
    grille->addWidget(Ed_Federation, 5, 1);
    grille->addWidget(etiquette(this, QStringLiteral("Id. FI&DE"), Ed_Fide_Id), 5, 3);
    grille->addWidget(Ed_Fide_Id, 5, 4);
    grille->addWidget(etiquette(this, QStringLiteral("Id. nati&onal"), Ed_Id_National), 6, 0);
    grille->addWidget(Ed_Id_National, 6, 1, 1, 2);
    grille->addWidget(etiquette(this, QStringLiteral("Rondes à &manquer"), Ed_Absences), 7, 0);
    grille->addWidget(Ed_Absences, 7, 1);
    grille->addWidget(Chk_Demi_Point, 7, 2);
    grille->addWidget(Bt_Absence, 7, 3);
    grille->addWidget(Bt_Retirer_Absence, 7, 4);
    grille->addWidget(Lbl_Absences, 8, 0, 1, 5);

    auto* navigation = new QVBoxLayout;
    navigation->addWidget(SBtn_Haut, 0, Qt::AlignHCenter);
    navigation->addWidget(Lbl_no_joueur);
    navigation->addWidget(SBtn_Bas, 0, Qt::AlignHCenter);

    auto* haut = new QHBoxLayout;
    haut->addLayout(grille, 1);
    haut->addLayout(navigation);

    auto* boutons = new QHBoxLayout;
    for (QPushButton* b :
         {Bt_Valider, Bt_Annuler, Bt_Nouveau, Bt_Supprimer, Bt_Trier_Elo, Bt_Fermer})
        boutons->addWidget(b);

    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(haut);
    colonne->addStretch();
    colonne->addLayout(boutons);
    // As tall as the fields and buttons need: no empty band under them.
    resize(sizeHint().expandedTo(QSize(502, 0)));

    // Tab order: the fields, then the buttons.
    QWidget* ordre[] = {
        CBx_Equipe,  Ed_Nom,         Ed_Prenom,    MEd_ne_le,          MEd_Elo,    Chk_Fille,
        Chk_Inactif, Ed_Club,        Ed_Titre,     Ed_Federation,      Ed_Fide_Id, Ed_Id_National,
        Ed_Absences, Chk_Demi_Point, Bt_Absence,   Bt_Retirer_Absence, Bt_Valider, Bt_Annuler,
        Bt_Nouveau,  Bt_Supprimer,   Bt_Trier_Elo, Bt_Fermer};
    for (std::size_t i = 0; i + 1 < std::size(ordre); ++i) setTabOrder(ordre[i], ordre[i + 1]);

    connect(SBtn_Haut, &QToolButton::clicked, this, &TDlg_joueurs::SBtn_HautClick);
    connect(SBtn_Bas, &QToolButton::clicked, this, &TDlg_joueurs::SBtn_BasClick);
    connect(Bt_Valider, &QPushButton::clicked, this, &TDlg_joueurs::Bt_ValiderClick);
    connect(Bt_Annuler, &QPushButton::clicked, this, &TDlg_joueurs::Bt_AnnulerClick);
    connect(Bt_Nouveau, &QPushButton::clicked, this, &TDlg_joueurs::Bt_NouveauClick);
    connect(Bt_Supprimer, &QPushButton::clicked, this, &TDlg_joueurs::Bt_SupprimerClick);
    connect(Bt_Fermer, &QPushButton::clicked, this, &TDlg_joueurs::Bt_FermerClick);
    connect(Bt_Trier_Elo, &QPushButton::clicked, this, &TDlg_joueurs::Bt_Trier_EloClick);
    connect(Bt_Chercher, &QPushButton::clicked, this, &TDlg_joueurs::Bt_ChercherClick);
    connect(Ed_ID, &QLineEdit::returnPressed, this, &TDlg_joueurs::Bt_ChercherClick);
    connect(Bt_Absence, &QPushButton::clicked, this, &TDlg_joueurs::Bt_AbsenceClick);
    connect(Bt_Retirer_Absence, &QPushButton::clicked, this,
            &TDlg_joueurs::Bt_Retirer_AbsenceClick);
}

template <typename Action>
void TDlg_joueurs::changer_absences(Action action) {
    if (nouveau_ || !tournoi_.existe(joueur_courant_)) {
        ihm_.message_erreur("Enregistrez d'abord le joueur");
        return;
    }
    const std::vector<int> rondes = gestion::lire_numeros_rondes(utf8(Ed_Absences->text()));
    if (!action(rondes)) return;
    Ed_Absences->clear();
    emit changement();
    afficher_joueur();
}

void TDlg_joueurs::Bt_AbsenceClick() {
    changer_absences([&](const std::vector<int>& rondes) {
        return gestion::demander_absences(tournoi_, joueur_courant_, rondes,
                                          Chk_Demi_Point->isChecked(), ihm_);
    });
}

void TDlg_joueurs::Bt_Retirer_AbsenceClick() {
    changer_absences([&](const std::vector<int>& rondes) {
        return gestion::retirer_absences(tournoi_, joueur_courant_, rondes, ihm_);
    });
}

void TDlg_joueurs::afficher_joueur() {
    FicheJoueur f;
    if (auto fiche = gestion::fiche_joueur(tournoi_, joueur_courant_)) {
        f = *fiche;
    } else {
        f.ne_le.clear();
        f.actif = true;
    }
    Ed_Nom->setText(qs(f.nom));
    Ed_Prenom->setText(qs(f.prenom));
    MEd_ne_le->setText(qs(f.ne_le));
    MEd_Elo->setText(joueur_courant_ > 0 ? QString::number(f.elo) : QString());
    Chk_Inactif->setChecked(!f.actif);
    Chk_Fille->setChecked(f.fille);
    CBx_Equipe->setEditText(qs(f.equipe));
    Ed_Club->setText(qs(f.club));
    Ed_Federation->setText(qs(f.federation));
    Ed_Fide_Id->setText(qs(f.fide_id));
    Ed_Id_National->setText(qs(f.id_national));
    Ed_Titre->setCurrentText(qs(f.titre));
    const std::string absences = !nouveau_ && tournoi_.existe(joueur_courant_)
                                     ? gestion::texte_absences(tournoi_.joueur(joueur_courant_))
                                     : std::string();
    Lbl_Absences->setText(
        qs(absences.empty() ? "Aucune absence demandée" : "Absences demandées : " + absences));
    Lbl_no_joueur->setText(
        QString::number(nouveau_ ? gestion::nombre_joueurs(tournoi_) + 1 : joueur_courant_));
}

void TDlg_joueurs::commencer_nouveau() {
    joueur_courant_ = 0;
    nouveau_ = true;
    afficher_joueur();
    CBx_Equipe->setFocus();
}

bool TDlg_joueurs::formulaire_vide() const {
    const FicheJoueur f = fiche_affichee();
    const auto vide = [](const std::string& s) {
        return s.find_first_not_of(" /") == std::string::npos;
    };
    return vide(f.nom) && vide(f.prenom) && vide(f.ne_le) && vide(f.equipe) && f.elo == 0 &&
           !f.fille && vide(f.club) && vide(f.federation) && vide(f.fide_id) &&
           vide(f.id_national) && f.titre.empty();
}

FicheJoueur TDlg_joueurs::fiche_affichee() const {
    FicheJoueur f;
    f.nom = utf8(Ed_Nom->text());
    f.prenom = utf8(Ed_Prenom->text());
    f.ne_le = utf8(MEd_ne_le->displayText());
    f.elo = lire_entier(utf8(MEd_Elo->displayText()));
    f.actif = !Chk_Inactif->isChecked();
    f.fille = Chk_Fille->isChecked();
    f.equipe = utf8(CBx_Equipe->currentText());
    f.club = utf8(Ed_Club->text());
    f.federation = utf8(Ed_Federation->text());
    f.fide_id = utf8(Ed_Fide_Id->text());
    f.id_national = utf8(Ed_Id_National->text());
    f.titre = utf8(Ed_Titre->currentText());
    return f;
}

bool TDlg_joueurs::enregistrer_joueur() {
    if (nouveau_) {
        // A new player is registered once something is typed, never empty.
        if (formulaire_vide()) return true;
        const int id = gestion::inscrire_joueur(tournoi_, fiche_affichee(), ihm_);
        if (id == 0) return false;
        nouveau_ = false;
        joueur_courant_ = id;
        Lbl_no_joueur->setText(QString::number(id));
        emit changement();
        return true;
    }
    // Nothing to store when no player is shown.
    if (!gestion::fiche_joueur(tournoi_, joueur_courant_)) return true;
    // Refused (no name, a date that is not one...): the fields stay as typed.
    if (!gestion::modifier_joueur(tournoi_, joueur_courant_, fiche_affichee(), ihm_)) return false;
    emit changement();
    return true;
}

void TDlg_joueurs::a_l_ouverture() {
    // The fields take what the tournament's file holds.
    const bool limites = tournoi_.limites_1998;
    limiter_champ(Ed_Nom, Limites1998::nom, limites);
    limiter_champ(Ed_Prenom, Limites1998::prenom, limites);
    limiter_champ(CBx_Equipe->lineEdit(), Limites1998::equipe, limites);
    limiter_champ(Ed_ID, 0, limites);
    for (QWidget* champ : std::initializer_list<QWidget*>{
             Ed_Club, Ed_Federation, Ed_Fide_Id, Ed_Id_National, Ed_Titre, Ed_Absences,
             Chk_Demi_Point, Bt_Absence, Bt_Retirer_Absence})
        champ->setEnabled(!limites);
    Bt_Supprimer->setEnabled(gestion::suppression_possible(tournoi_));
    Bt_Trier_Elo->setEnabled(gestion::suppression_possible(tournoi_));
    Bt_Nouveau->setEnabled(gestion::ajout_possible(tournoi_));
    const int nb = gestion::nombre_joueurs(tournoi_);
    if (joueur_courant_ > nb) joueur_courant_ = nb;
    // A new player's form stays one while players may be added.
    if (nouveau_ && gestion::ajout_possible(tournoi_)) return;
    nouveau_ = false;
    if (nb == 0) {
        Bt_NouveauClick();
        return;
    }
    if (joueur_courant_ == 0) {
        joueur_courant_ = 1;
        afficher_joueur();
        return;
    }
    // The fields keep what they showed when the dialog closed, typed text
    // included, but only while they still belong to player joueur_courant:
    // after a renumbering, a load or a new count they would be stored into
    // another player.
    if (!fiche_inchangee()) afficher_joueur();
}

void TDlg_joueurs::memoriser() {
    souvenir_ = gestion::fiche_joueur(tournoi_, joueur_courant_);
}

bool TDlg_joueurs::fiche_inchangee() const {
    const auto fiche = gestion::fiche_joueur(tournoi_, joueur_courant_);
    return souvenir_ && fiche && memes_fiches(*souvenir_, *fiche);
}

void TDlg_joueurs::SBtn_HautClick() {
    if (!enregistrer_joueur()) return;
    if (nouveau_) {
        nouveau_ = false;
        joueur_courant_ = gestion::nombre_joueurs(tournoi_);
        afficher_joueur();
    } else if (joueur_courant_ > 1) {
        --joueur_courant_;
        afficher_joueur();
    }
}

void TDlg_joueurs::SBtn_BasClick() {
    if (!enregistrer_joueur() || nouveau_) return;
    if (joueur_courant_ < gestion::nombre_joueurs(tournoi_)) {
        ++joueur_courant_;
        afficher_joueur();
    }
}

void TDlg_joueurs::Bt_ValiderClick() {
    enregistrer_joueur();
}

void TDlg_joueurs::Bt_AnnulerClick() {
    afficher_joueur();
}

void TDlg_joueurs::Bt_NouveauClick() {
    if (!enregistrer_joueur()) return;
    // "Nouveau" on an empty new form does nothing.
    if (nouveau_) {
        CBx_Equipe->setFocus();
        return;
    }
    // Refused, with a message, at 100 players or once a round is paired.
    if (!gestion::inscription_possible(tournoi_, ihm_)) return;
    commencer_nouveau();
}

void TDlg_joueurs::Bt_SupprimerClick() {
    const auto fiche = gestion::fiche_joueur(tournoi_, joueur_courant_);
    if (!fiche) return;
    // The player is named, and Enter answers Non.
    const std::string nom =
        std::to_string(joueur_courant_) + " - " + fiche->nom + " " + fiche->prenom;
    if (!ihm_.question_prudente(
            "Confirmation",
            std::string("Etes-vous sûr de vouloir supprimer ce joueur ?\n\n") + nom))
        return;
    if (!gestion::supprimer_joueur(tournoi_, joueur_courant_, ihm_)) return;
    emit changement();
    if (joueur_courant_ > gestion::nombre_joueurs(tournoi_)) --joueur_courant_;
    afficher_joueur();
}

void TDlg_joueurs::Bt_ChercherClick() {
    const int id = gestion::chercher_joueur(tournoi_, utf8(Ed_ID->text()), joueur_courant_);
    if (id == 0) {
        ihm_.message_erreur(std::string("Aucun joueur dont le nom commence par « ") +
                            utf8(Ed_ID->text()) + " »");
        return;
    }
    // What was typed for the player shown is stored, as the arrows do.
    if (!enregistrer_joueur()) return;
    joueur_courant_ = id;
    afficher_joueur();
}

void TDlg_joueurs::Bt_Trier_EloClick() {
    // What was typed is stored first, then the players are numbered by Elo;
    // the dialog shows the new number 1.
    if (!enregistrer_joueur()) return;
    if (!gestion::trier_par_elo(tournoi_, ihm_)) return;
    emit changement();
    joueur_courant_ = gestion::nombre_joueurs(tournoi_) > 0 ? 1 : 0;
    afficher_joueur();
}

bool TDlg_joueurs::fiche_modifiee() const {
    if (nouveau_) return !formulaire_vide();
    const auto stockee = gestion::fiche_joueur(tournoi_, joueur_courant_);
    if (!stockee) return false;
    FicheJoueur affichee = fiche_affichee();
    // A new player's birth date is empty; the mask shows it as "  /  /  ".
    if (stockee->ne_le.empty() && affichee.ne_le == "  /  /  ") affichee.ne_le.clear();
    return !memes_fiches(affichee, *stockee);
}

bool TDlg_joueurs::quitter() {
    if (!fiche_modifiee()) return true;
    const int numero = nouveau_ ? gestion::nombre_joueurs(tournoi_) + 1 : joueur_courant_;
    const std::string question = std::string("Les changements du joueur n°") +
                                 std::to_string(numero) +
                                 " ne sont pas enregistrés.\n\nVoulez-vous les enregistrer ?";
    switch (ihm_.question_annulable("Attention", question)) {
        case Ihm::Reponse::oui:
            return enregistrer_joueur();
        case Ihm::Reponse::non:
            afficher_joueur();
            return true;
        case Ihm::Reponse::annuler:
            break;
    }
    return false;
}

void TDlg_joueurs::Bt_FermerClick() {
    if (!quitter()) return;
    memoriser();
    // Before the first round the players are numbered in table order again (a
    // standings report may have sorted the table).
    gestion::numeroter_joueurs(tournoi_);
    emit changement();
    QDialog::reject();
}

void TDlg_joueurs::reject() {
    if (!quitter()) return;
    memoriser();
    QDialog::reject();
}

}  // namespace tavo::ui
