// What makes a game for the program: how its results are entered (points,
// or disc counts), how its points are shown, and its own tie-break. Every
// layer asks the game of a tournament (Tournoi::jeu) rather than its name.
#pragma once

#include <string_view>

namespace tavo {

struct Jeu {
    // The results are the discs of each player at the end of the game
    // (Othello): their total, and the count a bye is given (against
    // total - pions_exempt).
    bool pions = false;
    int total_pions = 64;
    int pions_exempt = 33;
    // The players count a win 1, a draw ½ (chess, Othello, Quarto); draughts
    // players count 2 and 1, the half-points themselves.
    bool demi_points_affiches = true;
};

// True when a game's name is Othello, whatever the case of its letters (a
// trailing blank makes it another game).
bool est_othello(std::string_view nom);

// True for draughts ("Dames", whatever the case).
bool est_dames(std::string_view nom);

// The game of a tournament: its name, and whether its results are disc
// counts (kept with the tournament: a game cannot become or stop being
// Othello once a round is paired).
Jeu jeu_de(std::string_view nom, bool pions);

}  // namespace tavo
