// "Modifier les appariements": the tables of the current round, and the
// exchange of two of its players chosen by the director.
#pragma once

#include <QDialog>

#include "model/tournoi.h"

class QComboBox;
class QListWidget;
class QPushButton;

namespace tavo::ui {

class Ihm;

class TForm_Modifier_Appariements : public QDialog {
    Q_OBJECT
  public:
    TForm_Modifier_Appariements(Tournoi& tournoi, Ihm& ihm, QWidget* parent = nullptr);

    // What happens each time the dialog is about to be shown.
    void a_l_ouverture();
    // True when an exchange was made since the last opening.
    bool modifie() const { return echanges_ > 0; }

    QListWidget* Lst_Tables;
    QComboBox* CBx_Joueur1;
    QComboBox* CBx_Joueur2;
    QPushButton* Bt_Echanger;
    QPushButton* Bt_Fermer;

  signals:
    void changement();

  public slots:
    void Bt_EchangerClick();

  private:
    void afficher();

    Tournoi& tournoi_;
    Ihm& ihm_;
    int echanges_ = 0;
};

}  // namespace tavo::ui
