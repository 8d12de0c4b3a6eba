// The player dialog: registers, edits and deletes players, one at a time,
// addressed by the player's number.
#pragma once

#include <QDialog>
#include <optional>

#include "model/registre.h"
#include "model/tournoi.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tavo::ui {

class Ihm;

class TDlg_joueurs : public QDialog {
    Q_OBJECT
  public:
    TDlg_joueurs(Tournoi& tournoi, Ihm& ihm, QWidget* parent = nullptr);

    // What happens each time the dialog is about to be shown (FormShow).
    void a_l_ouverture();

    // The number of the player shown; 0 when none.
    int joueur_courant() const { return joueur_courant_; }
    // The next opening shows player `id` (the main window's player list).
    void choisir_joueur(int id) {
        joueur_courant_ = id;
        nouveau_ = false;
    }
    // After a load: the next opening starts again from player 1.
    void oublier_joueur() {
        joueur_courant_ = 0;
        nouveau_ = false;
    }
    // True while the form is a new player's, not registered until something
    // is typed in it and stored.
    bool nouveau() const { return nouveau_; }

    QLineEdit* Ed_ID;
    QPushButton* Bt_Chercher;
    QComboBox* CBx_Equipe;
    QLineEdit* Ed_Nom;
    QLineEdit* Ed_Prenom;
    QLineEdit* MEd_ne_le;
    QLineEdit* MEd_Elo;
    QCheckBox* Chk_Fille;
    QCheckBox* Chk_Inactif;
    // The federation details, which only a .tavo keeps: disabled for a .pxi.
    QLineEdit* Ed_Club;
    QLineEdit* Ed_Federation;
    QLineEdit* Ed_Fide_Id;
    QLineEdit* Ed_Id_National;
    QComboBox* Ed_Titre;
    // Requested byes of the player shown: the rounds ("3,4"), half a point or
    // none, stored at once by their buttons; the rounds already asked below.
    QLineEdit* Ed_Absences;
    QCheckBox* Chk_Demi_Point;
    QPushButton* Bt_Absence;
    QPushButton* Bt_Retirer_Absence;
    QLabel* Lbl_Absences;
    QPushButton* Bt_Valider;
    QPushButton* Bt_Annuler;
    QPushButton* Bt_Nouveau;
    QPushButton* Bt_Supprimer;
    QPushButton* Bt_Fermer;
    QPushButton* Bt_Trier_Elo;
    QToolButton* SBtn_Haut;
    QToolButton* SBtn_Bas;
    QLabel* Lbl_no_joueur;

  signals:
    // A player was stored, added, deleted or numbered again.
    void changement();

  public slots:
    void SBtn_HautClick();
    void SBtn_BasClick();
    void Bt_ValiderClick();
    void Bt_AnnulerClick();
    void Bt_NouveauClick();
    void Bt_SupprimerClick();
    void Bt_FermerClick();
    void Bt_Trier_EloClick();
    void Bt_ChercherClick();
    void Bt_AbsenceClick();
    void Bt_Retirer_AbsenceClick();
    void reject() override;

  private:
    void afficher_joueur();
    // The rounds typed for the player shown, given to `action` (a gestion
    // function); the dialog then shows his requests.
    template <typename Action>
    void changer_absences(Action action);
    // False when the player could not be stored (message shown).
    bool enregistrer_joueur();
    void commencer_nouveau();
    bool formulaire_vide() const;
    FicheJoueur fiche_affichee() const;
    // Remembers which player the fields were shown for, to recognise at the
    // next opening whether they still belong to player joueur_courant.
    void memoriser();
    bool fiche_inchangee() const;
    // True when the fields differ from the stored record of the player shown.
    bool fiche_modifiee() const;
    // Before the dialog closes: typed changes are stored or dropped as the
    // director says (Oui, Non); false for Annuler, the dialog then stays.
    bool quitter();

    Tournoi& tournoi_;
    Ihm& ihm_;
    int joueur_courant_ = 0;
    bool nouveau_ = false;

    // The stored record of the player the fields were shown for, as it was
    // when the dialog closed.
    std::optional<FicheJoueur> souvenir_;
};

}  // namespace tavo::ui
