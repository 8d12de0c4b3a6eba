// The fallback pairing of a round after the first, for when the search finds
// no pairing or runs out of its node budget: the perfect matching of least
// penalty of the active players (plus the bye when their number is odd).
// - A pair costs the search's own penalties: 50 for a colour not due, 80 per
//   half-point of score difference, 300 per repeated float.
// - Nobody meets an opponent twice, nobody gets a second bye.
// - A strong colour is broken only when no pairing keeps them all: each broken
//   strong colour costs more than all other penalties together.
// - When costs tie, the bye goes to the lowest-placed player who may have it.
// - In a pair the higher-placed player gets his due colour, unless only the
//   other one's due colour is strong; then the other gets his.
// - Tables follow the order of their higher-placed player; the bye comes last.
// In a large field (grand_champ) the same least penalty is found without
// weighing every pair at once (couplage_cout_minimal_voisinage).
#pragma once

#include "model/tournoi.h"
#include "pairing/recherche.h"

namespace tavo {

// True when the active players can be paired at all: nobody twice against the
// same opponent, the bye (odd number) to someone who has not had it. Needs the
// table in standings order with its index, during a pairing.
bool appariement_possible(const Tournoi& t);

// Writes the fallback pairing into w.lignes[1], as the search writes its own:
// first player, his opponent, ..., the bye entry last. Needs couleurs_dues
// filled. False, lignes untouched, when no pairing exists at all.
bool appariement_secours(const Tournoi& t, TablesRecherche& w);

}  // namespace tavo
