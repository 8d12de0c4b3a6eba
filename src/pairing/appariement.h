// "Nouvelle Ronde": pairs the next round of the tournament. The first round
// splits the active players into a top and a bottom half in table order;
// every later round is paired by the search of recherche.h over the players
// in standings order.
#pragma once

#include "model/interaction.h"
#include "model/tournoi.h"
#include "pairing/rapport.h"

namespace tavo {

// Refuses (message, false) while the current round has a table without result
// or when the last planned round (or the 15-round capacity) is reached;
// otherwise pairs the next round and fills `rapport` with its pairing sheet.
// False also when the pairing failed ("Appariements impossibles", or no active
// player): ronde_courante is then back where it was (modifie stays set).
bool nouvelle_ronde(Tournoi& t, Rapport& rapport, Interaction& io);

// Pairs round number `numero` (1-based), ronde_courante already advanced to
// it. True on success.
bool apparier(Tournoi& t, int numero, Interaction& io);

// The first round by halves; false (no message) when no player is active.
bool premiere_ronde(Tournoi& t);

// The search for a round after the first; false with "Appariements
// impossibles" when no complete pairing exists (nothing of the round is then
// written, the table stays in standings order).
bool recherche_appariement(Tournoi& t, int numero, Interaction& io);

// Every inactive player gets ID_FORFAIT, no colour and 0 points in round r.
void forfaits_inactifs(Tournoi& t, int r);

}  // namespace tavo
