// The tables of the rounds already paired that the tournament file left out,
// brought back from the players' records where the pairing had put them.
#pragma once

#include "model/tournoi.h"

namespace tavo {

// Fills the empty tables of every paired round (the file keeps each round's
// tables up to the current round's table count only) from their players'
// records (accord.h, tables_absentes). They are the last tables of their
// round and come back in the pairing's order: the games by their
// higher-placed player in the standings the round was paired from (the
// first round's: registration order), the bye last. Needs records that agree
// and the tie-break functions set.
void reconstituer_tables(Tournoi& t);

}  // namespace tavo
