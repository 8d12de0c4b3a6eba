// The results of the current round: storing one table's result (points, or
// Othello disc counts) and the commit of a complete round ("Tout Vérifier").
// Tables are counted from 0 here, as in the pairing records.
#pragma once

#include <optional>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo {

// White's points 2, 1 or 0 (black gets the rest of 2); std::nullopt (or any
// other value) leaves the table without result, its points as they were.
// Returns whether the table now has a result; false, nothing changed, for a
// table outside the current round. Sets modifie.
bool enregistrer_points(Tournoi& t, int table, std::optional<int> res_blanc);

// Disc counts: the table has a result exactly when both are 0 to 64 and they
// add up to 64; the points then follow from them (more discs 2, equal 1).
// Counts outside 0 to 64 are not stored (never cut to 8 bits): the table is
// then left without result. Returns whether the table now has a result; false,
// nothing changed, for a table outside the current round. Sets modifie.
bool enregistrer_pions(Tournoi& t, int table, int pions_blanc, int pions_noir);

// Both functions above also bring the table's two players' result and discs
// of the round up to date (0 and 0 while the table has no result), so that a
// round counts with the results entered, corrections included.

// "Tout Vérifier": false with "Il me manque des résultats" while a table of
// the current round has no result; otherwise copies the round's results into
// the players' records and returns true. Sets modifie.
bool tout_verifier(Tournoi& t, Interaction& io);

}  // namespace tavo
