// The tournament properties dialog: date, name, number of rounds, game and the
// ordered tie-break systems, and the mapping between it and the header.
#pragma once

#include <QDialog>
#include <string>

#include "model/tournoi.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tavo::ui {

class Ihm;

class TForm_Dlg_Tournoi : public QDialog {
    Q_OBJECT
  public:
    TForm_Dlg_Tournoi(Tournoi& tournoi, Ihm& ihm, QWidget* parent = nullptr);

    // Shows the header's values (Options / Tournoi, and after a load).
    void remplir(const EnteteTournoi& entete);
    // Stores date, name, number of rounds and tie-breaks into the tournament.
    void prendre_valeurs(Tournoi& t) const;
    // The game as typed or chosen (Windows-1252).
    std::string jeu() const;

    QTabWidget* PageControl1;
    QLineEdit* Ed_Date;
    QLineEdit* Ed_Nom;
    QLineEdit* Ed_nb_rondes;
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

  private:
    Tournoi& tournoi_;
    Ihm& ihm_;
};

}  // namespace tavo::ui
