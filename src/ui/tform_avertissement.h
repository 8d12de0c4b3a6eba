// The warning dialog of the "Aide" menu: the limits of the Swiss system.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace tavo::ui {

class TForm__Avertissement : public QDialog {
    Q_OBJECT
  public:
    explicit TForm__Avertissement(QWidget* parent = nullptr);

    QListWidget* ListBox1;
    QPushButton* Bt_Fermer;
};

}  // namespace tavo::ui
