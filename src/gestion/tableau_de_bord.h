// What the main window shows of a tournament at a glance: the current
// round's tables with their results, the standings, the players, and the
// state of the round. Every text is UTF-8, ready to show; the window keeps
// no rule of its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/tournoi.h"

namespace tavo::gestion {

// A table to show: its column headings, then its rows of texts.
struct Grille {
    std::vector<std::string> colonnes;
    std::vector<std::vector<std::string>> lignes;
    // For each row, the number of the player each cell names, 0 for none:
    // what a page links to the player's own page.
    std::vector<std::vector<int>> joueurs;
};

// True when there is no tournament to show (no name, no player, no
// tie-break, no round): the window then shows how to start.
bool tournoi_vide(const Tournoi& t);

// The result of a table as the players write it: "1-0", "½-½", "0-1" ("2-0",
// "1-1", "0-2" in draughts), the discs ("40-24") in Othello, "1F-0F",
// "0F-1F", "0F-0F" for a forfeit; "" without result.
std::string texte_resultat(const Tournoi& t, const Appariement& a);

// One row per table of the current round: table number, white, his points
// before the round, black, his, the result (see texte_resultat). With
// `recherche`, only the tables of the players it finds (see grille_joueurs).
Grille grille_ronde(const Tournoi& t, std::string_view recherche = {});

// A player's games, one row per round paired: round, colour, opponent,
// result as the player scored it ("1", "½", "0", "1F", "exempt", "absent"),
// his points after the round. Empty when there is no such player.
Grille grille_parties(const Tournoi& t, int id);

// The standings after the last complete round: rank, number, name, points,
// each tie-break; while the current round is not complete, one more column
// "Ronde n" with the points of its results entered so far ("+1", "+½", "+0",
// "" for a table without result).
Grille grille_classement(const Tournoi& t);

// The players in number order: number, name, Elo, club (or team), active.
// With `recherche`, only those whose number starts so or whose name or first
// name contains it (case and accents ignored).
Grille grille_joueurs(const Tournoi& t, std::string_view recherche = {});

// "12 tables sans résultat", "1 table sans résultat", "Toutes les tables ont
// un résultat"; "Aucune ronde appariée" before round 1.
std::string texte_sans_resultat(const Tournoi& t);

// The round and what it lacks, for the status line: "Ronde 3 sur 7 : 12
// tables sans résultat".
std::string etat_ronde(const Tournoi& t);

}  // namespace tavo::gestion
