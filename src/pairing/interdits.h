// The director's forbidden pairs where the pairing rules alone do not see
// them: the first round by halves, and the message that names the pairs
// keeping a round from being paired.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/tournoi.h"

namespace tavo {

// Mends the first round's tables (by halves, before any is written) where a
// table holds a forbidden pair: its black player changes places with the
// black player of the nearest table with which neither table is forbidden.
// False when some table cannot be mended.
bool eviter_interdits(const Tournoi& t, std::vector<Appariement>& tables);

// The forbidden pairs of `tables` (the smaller id first).
std::vector<std::pair<int, int>> interdits_des_tables(const Tournoi& t,
                                                      const std::vector<Appariement>& tables);

// The forbidden pairs that a pairing of the round (after the first) made
// without them would use: none when there is no forbidden pair, or when the
// round cannot be paired even without them. Needs the table in standings
// order with its index, during a pairing.
std::vector<std::pair<int, int>> interdits_bloquants(const Tournoi& t);

// "Appariements impossibles", followed by the forbidden pairs that block it
// when there are any.
std::string texte_impossible(const std::vector<std::pair<int, int>>& bloquants);

}  // namespace tavo
