// A checker of the pairing of one round, independent of the search that made
// it: it reads only the records the pairing wrote (the round's tables and the
// players' per-round opponent and colour) and the history before the round.
// It does not use the GoogleTest library, so that the benchmark can run it too.
#pragma once

#include <string>
#include <vector>

#include "model/tournoi.h"

namespace tavo::test {

struct OptionsVerification {
    // Whether a player whose due colour is strong must get it. A pairing made
    // by a fallback that was allowed to break strong colours is checked with
    // this set to false.
    bool couleurs_fortes = true;
};

// The faults of the pairing of round r (0-based), each as a sentence; empty
// when the round is sound:
// - every active player sits at exactly one table, no inactive player sits
//   anywhere, and the round has (active players + 1) / 2 tables;
// - each table holds two players, or one player and the bye (entered as a 2-0
//   win, 33 discs to 31), and at most one table has the bye, only when the
//   number of active players is odd;
// - no two players meet a second time, and nobody gets a second bye;
// - the players' records agree with the tables (opponent, colour), and each
//   inactive player has ID_FORFAIT, no colour and 0 points for the round;
// - from the second round on, a player whose due colour is strong gets it.
std::vector<std::string> defauts_appariement(const Tournoi& t, int r,
                                             const OptionsVerification& options = {});

}  // namespace tavo::test
