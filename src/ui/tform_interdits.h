// "Appariements interdits": the pairs of players who must never meet, listed
// by number and name, and two player numbers to forbid or allow again.
#pragma once

#include <QDialog>

#include "model/tournoi.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tavo::ui {

class Ihm;

class TForm_Interdits : public QDialog {
    Q_OBJECT
  public:
    TForm_Interdits(Tournoi& tournoi, Ihm& ihm, QWidget* parent = nullptr);

    // What happens each time the dialog is about to be shown.
    void a_l_ouverture();

    QListWidget* Liste_Interdits;
    QLineEdit* Ed_Joueur1;
    QLineEdit* Ed_Joueur2;
    QPushButton* Bt_Ajouter;
    QPushButton* Bt_Retirer;
    QPushButton* Bt_Fermer;

  signals:
    void changement();

  public slots:
    void Bt_AjouterClick();
    void Bt_RetirerClick();

  private:
    void afficher();
    // A pair chosen in the list fills both fields.
    void choisir(int ligne);

    Tournoi& tournoi_;
    Ihm& ihm_;
};

}  // namespace tavo::ui
