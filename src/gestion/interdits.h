// The pairs of players who must never meet (brothers and sisters, a teacher
// and his pupil...), as the director keeps them: with tavo-cli
// appariement-interdit and the window's "Appariements interdits". The
// pairing treats such a pair as a rematch. Allowed at any time; a .pxi
// cannot hold them.
#pragma once

#include <string>
#include <vector>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo::gestion {

// Forbids players `a` and `b` to meet. Refused (message, false, nothing
// changed) for an unknown player, one player twice, a pair already
// forbidden and a tournament kept in a .pxi. Sets modifie.
bool interdire_appariement(Tournoi& t, int a, int b, Interaction& io);

// Allows them to meet again. Refused (message, false, nothing changed) for
// an unknown player, one player twice and a pair not forbidden. Sets modifie.
bool autoriser_appariement(Tournoi& t, int a, int b, Interaction& io);

// One line per forbidden pair, in order: "3-7 : DUPONT Jean et MARTIN Léa".
std::vector<std::string> lignes_interdits(const Tournoi& t);

}  // namespace tavo::gestion
