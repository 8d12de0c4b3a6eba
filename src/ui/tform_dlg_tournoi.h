// The tournament properties dialog: date, name, number of rounds, game and the
// ordered tie-break systems, and the mapping between it and the header.
#pragma once

#include <QDialog>

#include "gestion/proprietes.h"
#include "model/tournoi.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace tavo::ui {

class Ihm;

class TForm_Dlg_Tournoi : public QDialog {
    Q_OBJECT
  public:
    TForm_Dlg_Tournoi(Tournoi& tournoi, Ihm& ihm, QWidget* parent = nullptr);

    // Shows a tournament's properties (Options / Tournoi, and after a load);
    // the fields take what its file holds (`limites_1998`: a 1998 file).
    void remplir(const gestion::Proprietes& p, bool limites_1998);
    // For "Nouveau Tournoi": an empty form (5 rounds, no tie-break chosen),
    // for a tournament to be kept in a file of that kind; "Valider" only
    // checks it.
    void preparer_nouveau_tournoi(bool limites_1998);
    // The properties the controls show.
    gestion::Proprietes proprietes() const;

    QTabWidget* PageControl1;
    QLineEdit* Ed_Date;
    QLineEdit* Ed_Nom;
    QLineEdit* Ed_nb_rondes;
    // Requested half-point byes: how many per player, and how many of the
    // last rounds take none (a .pxi keeps only 2 and 2: disabled there).
    QSpinBox* SE_Demi_Points_Max;
    QSpinBox* SE_Dernieres_Rondes_Sans_Demi;
    QCheckBox* Chk_Multi_jeux;
    QComboBox* Combo_Jeux;
    QListWidget* ListBox1;      // "Systèmes proposés", by tie-break id
    QListWidget* ListBox2;      // "Systèmes sélectionnés", in priority order
    QToolButton* SpeedButton3;  // add
    QToolButton* SpeedButton4;  // remove
    QToolButton* SpeedButton2;  // up
    QToolButton* SpeedButton1;  // down
    QPushButton* Bt_Valider;
    QPushButton* Bt_Annuler;

  public slots:
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton2Click();
    void SpeedButton1Click();
    void Bt_ValiderClick();

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

  private:
    Tournoi& tournoi_;
    Ihm& ihm_;
    bool pour_tournoi_existant_ = false;
    bool limites_1998_ = true;
};

}  // namespace tavo::ui
