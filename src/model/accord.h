// Whether the records of a tournament agree with each other (the players'
// own records of each round, and the tables), and the tables of a round that
// only the players' records still hold.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/tournoi.h"

namespace tavo {

// The first place where the records contradict each other, as the director
// reads it ("Ronde 2 : le joueur 5 ..."); "" when they agree. In each paired
// round:
// - every player has an opponent, the bye or a forfeit; his opponent names
//   him back with the other colour, and their results go together (2-0,
//   1-1, 0-2, or none yet); in a disc-count game the discs of a game with a
//   result add up to the game's total and give its points; the bye is a 2-0
//   win with its discs (or none yet), a forfeit has no colour and no points;
//   one bye at most;
// - every table holds two players, or a player and the bye; a player sits at
//   one table; the table agrees with both players' records on opponents and
//   colours, and on the result unless the records hold none yet (a round not
//   committed) or, in the current round, hold the result committed before
//   the table's was corrected;
// - the empty tables of a round, those the 1998 file left out, are exactly
//   as many as the tables that only the players' records hold.
std::string desaccord(const Tournoi& t);

// The players in number order.
std::vector<std::reference_wrapper<const Joueur>> joueurs_par_numero(const Tournoi& t);

// The tables of round r that its players' records hold and no table does,
// each as the pairing made it: a game with the white player first, its
// result and discs taken from the records (no result when they hold none),
// the bye entered as a 2-0 win with its discs. The games by increasing
// number of their white player, the bye last. For records that agree.
std::vector<Appariement> tables_absentes(const Tournoi& t, int r);

}  // namespace tavo
