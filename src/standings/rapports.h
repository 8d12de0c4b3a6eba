// The three listing reports built from the player records.
#pragma once

#include "model/tournoi.h"
#include "pairing/rapport.h"

namespace tavo {

// Standings: every player in standings order with rank, score and the value
// of each selected tie-break. Leaves the table sorted.
void classement(Tournoi& t, Rapport& rapport);

// Every player's games round by round, in standings order. Leaves the table
// sorted.
void historique(Tournoi& t, Rapport& rapport);

// The registered players in number order. Returns false when there is none
// (the report then holds its headings only).
bool liste_joueurs(Tournoi& t, Rapport& rapport);

}  // namespace tavo
