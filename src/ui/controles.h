// Small builders of the controls the windows share: each control gets its
// object name, by which the tests find it.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace tavo::ui {

// A text field that holds at most `longueur_max` characters (none when 0) and
// refuses characters outside Windows-1252.
QLineEdit* champ_texte(QWidget* parent, const char* nom, int longueur_max);

// A button that is never the dialog's default (Enter does not press it), and
// that its Alt key presses at once.
QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte);

}  // namespace tavo::ui
