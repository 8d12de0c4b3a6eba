// The main window's central area with a tournament open: the current round
// (its tables, results typed on their lines), the standings and the players,
// as three tabs sized for a laptop screen or a projector.
#pragma once

#include <QString>
#include <QTabWidget>
#include <array>

#include "gestion/tableau_de_bord.h"
#include "model/tournoi.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace tavo::ui {

class Ihm;

class TableauDeBord : public QTabWidget {
    Q_OBJECT
  public:
    TableauDeBord(Tournoi& tournoi, Ihm& ihm, QWidget* parent = nullptr);

    // Shows the tournament as it is now (the line chosen in the round stays).
    void actualiser();
    // Tab k (0 the round, from its first table; 1 the standings; 2 the
    // players, from the search field) with the keyboard in it. Ctrl+1, Ctrl+2
    // and Ctrl+3 do the same.
    void montrer_onglet(int k);
    // The text of the tabs `pas` points larger (8 to 40 points): Ctrl++ and
    // Ctrl+-, for a projector.
    void agrandir(int pas);

    QLabel* Lbl_Sans_Resultat;  // "12 tables sans résultat"
    QTableWidget* Tbl_Ronde;    // one line per table; a result is typed on it
    QLabel* Lbl_Saisie;         // the result typed, waiting for Enter
    QTableWidget* Tbl_Classement;
    QLineEdit* Ed_Recherche_Joueur;
    QTableWidget* Tbl_Joueurs;  // double-click: the player dialog

  signals:
    // A result was stored.
    void changement();
    // The director asked to see player `id` (double-click on his line).
    void joueur_demande(int id);

  protected:
    // The keys of a result on the round's lines: 1, = (or n), 0, the discs
    // in Othello, F for the forfeits; Enter stores and goes to the next table
    // without result; Escape forgets what was typed.
    bool eventFilter(QObject* objet, QEvent* evenement) override;

  private:
    // Fills tab k if the tournament changed since it was last filled.
    void remplir_onglet(int k);
    void afficher_joueurs();
    // Stores what was typed for the table of the chosen line; false when
    // nothing was (or it was refused).
    bool enregistrer();
    void aller_a_la_suivante(int table);
    void oublier_saisie();
    void montrer_saisie();

    Tournoi& tournoi_;
    Ihm& ihm_;
    // What was typed on the chosen line: white's points (2, 1, 0; -1 none),
    // black's discs in Othello, or a forfeit.
    int points_ = -1;
    QString pions_;
    Forfait forfait_ = Forfait::aucun;
    // The tabs not filled since the tournament last changed.
    std::array<bool, 3> a_remplir_ = {true, true, true};
};

// Fills a table widget with a grid of texts, numbers right-aligned, read-only.
void remplir(QTableWidget* table, const gestion::Grille& grille);

}  // namespace tavo::ui
