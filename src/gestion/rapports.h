// The reports a director asks for, by kind.
#pragma once

#include "model/interaction.h"
#include "model/tournoi.h"
#include "reports/rapport.h"

namespace tavo::gestion {

enum class SorteRapport { appariements, classement, historique, joueurs };

// Fills `rapport` with the report. Standings and history leave the player
// table sorted in standings order. False when there is nothing to show: the
// player list of a tournament without players (the report then holds its
// headings only).
bool produire_rapport(Tournoi& t, SorteRapport sorte, Rapport& rapport);

// Whether the window has something to show: the pairing sheet needs a
// paired round, the player list a player. False, with the message, otherwise.
bool rapport_a_montrer(const Tournoi& t, SorteRapport sorte, Interaction& io);

}  // namespace tavo::gestion
