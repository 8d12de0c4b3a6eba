// The results entry dialog: the tables of the current round one at a time,
// points by radio buttons or Othello disc counts, and the commit of the round.
#pragma once

#include <QDialog>
#include <optional>

#include "model/tournoi.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

namespace tavo::ui {

class Ihm;

class TForm_Saisie_Resultats : public QDialog {
    Q_OBJECT
  public:
    TForm_Saisie_Resultats(Tournoi& tournoi, Ihm& ihm, QWidget* parent = nullptr);
    ~TForm_Saisie_Resultats() override;

    // What happens each time the dialog is about to be shown (FormShow).
    void a_l_ouverture();
    // After a new round has been paired: the next opening shows table 1.
    void revenir_premiere_table() { table_courante_ = 0; }
    int table_courante() const { return table_courante_; }

    QComboBox* CBx_Ronde;  // the round shown: the current one, or an earlier one to correct
    QLabel* Lbl_No_App;
    QSpinBox* Ed_Aller_Table;   // a table's number, then Enter: that table is shown
    QLabel* Lbl_Etat;           // the tables still without result
    QStackedWidget* Notebook1;  // page 0 "Normal", page 1 "Othello"
    QLabel* Lbl_Nom_Blancs1;
    QLabel* Lbl_Nom_Noirs1;
    QRadioButton* Rbt_BG;
    QRadioButton* Rbt_BN;
    QRadioButton* Rbt_BP;
    QRadioButton* Rbt_NG;
    QRadioButton* Rbt_NN;
    QRadioButton* Rbt_NP;
    QLabel* Lbl_Nom_Noirs2;
    QLabel* Lbl_Nom_Blancs2;
    QLineEdit* Ed_Nbp_noir;
    QLineEdit* Ed_Nbp_blanc;
    // "Partie jouée", "Forfait blanc", "Forfait noir", "Double forfait"
    // (Alt+O, or F to go through them).
    QComboBox* CBx_Forfait;
    QPushButton* Bt_Prec;
    QPushButton* Bt_Valider;
    QPushButton* Button3;  // "Tout Vérifier"
    QPushButton* Button2;  // "Fermer sans Valider"

  signals:
    // A table was stored.
    void changement();

  public slots:
    void Bt_PrecClick();
    void Bt_ValiderClick();
    void Button3Click();
    void Ed_Nbp_noirExit();
    void Ed_Nbp_blancExit();
    void CBx_RondeChange(int index);
    // Escape, the close box and "Fermer sans Valider": a result typed and
    // not stored is asked about first (Oui stores it, Non drops it, Annuler
    // stays).
    void reject() override;

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    // The keyboard: 1, = (or n) and 0 give white's result, F the next
    // forfeit choice; Enter stores the table and goes to the next one
    // without result.
    void keyPressEvent(QKeyEvent* evenement) override;

  private:
    void afficher_table(int t);
    // Stores the table shown, then shows table t (0-based).
    void aller_a_la_table(int t);
    // Stores what the director typed or chose for table t; a table left as
    // it was shown is not stored. False when the result is refused (message
    // shown): the dialog then stays on the table.
    bool enregistrer_table(int t);
    // The white choice shown on the page "Normal", if any.
    std::optional<int> choix_blanc() const;
    // The forfeit chosen (Forfait::aucun for a game played).
    Forfait forfait_choisi() const;
    // The result fields follow the forfeit choice: locked while it names one.
    void suivre_forfait();
    // F: the next forfeit choice.
    void forfait_suivant();
    // True when what the dialog shows differs from the table's stored result.
    bool table_changee() const;
    // Enter: the table is stored, then the next one without result is shown.
    void valider_et_suivante();
    void afficher_etat();
    // Leaving a disc-count field typed in: 0 to 64 fills the other with the
    // rest of 64, unless the director typed that one too. False when refused.
    bool sortie_pions(QLineEdit* champ, QLineEdit* autre);
    bool& tape(QLineEdit* champ) { return champ == Ed_Nbp_noir ? noir_tape_ : blanc_tape_; }
    void coupler(QRadioButton* bouton, QRadioButton* complement);

    Tournoi& tournoi_;
    Ihm& ihm_;
    int table_courante_ = 0;
    int ronde_ = 0;  // index of the round shown
    bool retour_focus_ = false;
    // The disc counts last shown or accepted, given back after a refusal.
    QString pions_noir_;
    QString pions_blanc_;
    // The count shown in each field was typed by the director for this table
    // (and accepted), rather than shown or filled in by the dialog.
    bool noir_tape_ = false;
    bool blanc_tape_ = false;
    QButtonGroup* groupe_blancs_;
    QButtonGroup* groupe_noirs_;
};

}  // namespace tavo::ui
