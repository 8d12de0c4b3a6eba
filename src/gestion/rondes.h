// Rounds as the director plays them: pairing the next one ("Nouvelle Ronde")
// and showing its pairing sheet again.
#pragma once

#include "model/interaction.h"
#include "model/tournoi.h"
#include "pairing/appariement.h"
#include "reports/rapport.h"

namespace tavo::gestion {

// "Nouvelle Ronde": pairs the next round and fills `rapport` with its pairing
// sheet. Refused (message, false) while the current round has a table
// without result, when every planned round is paired, when no player is
// active and when no pairing exists; nothing of the round is then written.
bool apparier_ronde(Tournoi& t, Rapport& rapport, Interaction& io,
                    const OptionsAppariement& options = {});

// "Revoir les appariements": the pairing sheet of the current round.
void revoir_appariements(const Tournoi& t, Rapport& rapport);

// The current round, numbered from 1 (0 before the first round).
int numero_ronde(const Tournoi& t);

}  // namespace tavo::gestion
