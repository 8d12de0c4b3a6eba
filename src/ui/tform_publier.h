// "Publier sur le réseau": starts and stops the service that serves the
// tournament's pages to the players' phones, and shows the address to give
// them with its QR code. The service keeps running while the dialog is
// closed, until the director stops it or quits.
#pragma once

#include <QDialog>

#include "web/serveur_pages.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tavo::ui {

class Ihm;

class TForm_Publier : public QDialog {
    Q_OBJECT
  public:
    TForm_Publier(Ihm& ihm, QWidget* parent = nullptr);

    // The tournament file the pages show; empty for a tournament never saved.
    void a_l_ouverture(const QString& fichier);

    QLineEdit* Ed_Reseau;
    QLineEdit* Ed_Adresse;
    QSpinBox* SE_Port;
    QPushButton* Bt_Publier;
    QLabel* Lbl_Adresse_Pages;
    QLabel* Img_QR;
    QPushButton* Bt_Fermer;

  public slots:
    void Bt_PublierClick();

  private:
    void afficher();

    Ihm& ihm_;
    QString fichier_;
    web::ServeurPages serveur_;
};

}  // namespace tavo::ui
