// The director's corrections of a round already paired: undoing the last
// round, and exchanging two of its players. (Late entries are in joueurs.h,
// corrections of earlier results in resultats.h.)
#pragma once

#include <string>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo::gestion {

// "Annuler la dernière ronde": the tournament goes back to what it was just
// before the last round was paired: its tables and its players' entries are
// erased, the float marks are those of the earlier rounds, and the previous
// round is the current one again (before the first round, players may again
// be added and deleted). When results of the round were entered (the bye's
// aside), the director is asked first, with the round and the number of
// results lost; `forcer` skips the question. Refused (message, false,
// nothing changed) when no round is paired. Sets modifie.
bool annuler_ronde(Tournoi& t, Interaction& io, bool forcer = false);

// What the director is told once the last round is undone: the round undone
// and the one that is current again.
std::string ronde_annulee(const Tournoi& t);

// "Modifier les appariements": players `a` and `b` (numbers) of the current
// round exchange their places. At one table they exchange colours; at two
// tables their seats; with the holder of the bye, the bye and its result
// move to the other. Refused (message, false, nothing changed) for a player
// who does not play the round and when either table has a result (the bye's
// aside). An exchange that breaks a rule of the pairing (two players meeting
// again, a second bye, a strong colour not given) is done only when the
// director says so to a question naming the rule and the players (Enter
// answers Non), or with `forcer`. The float marks follow. Sets modifie.
bool echanger_joueurs(Tournoi& t, int a, int b, Interaction& io, bool forcer = false);

// The exchanges need a paired round; false, with the message, otherwise.
bool echange_possible(const Tournoi& t, Interaction& io);

}  // namespace tavo::gestion
