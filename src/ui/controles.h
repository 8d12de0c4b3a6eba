// Small builders of the controls the windows share: each control gets its
// object name, by which the tests find it.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace tavo::ui {

// A text field that holds at most `longueur_1998` characters (none when 0)
// and refuses characters outside Windows-1252, as a tournament kept in a 1998
// file does (limiter_champ changes it for another tournament).
QLineEdit* champ_texte(QWidget* parent, const char* nom, int longueur_1998);

// A text field of a tournament kept in a 1998 file (`limites_1998`): at most
// `longueur_1998` characters, Windows-1252 only; of any other tournament: any
// length, any character but control characters.
void limiter_champ(QLineEdit* champ, int longueur_1998, bool limites_1998);

// A button that is never the dialog's default (Enter does not press it), and
// that its Alt key presses at once.
QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte);

}  // namespace tavo::ui
