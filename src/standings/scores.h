// Scores over the complete rounds, the standings order and the commit of a
// round's results into the player records.
#pragma once

#include "model/tournoi.h"

namespace tavo {

// Index of the last round whose tables all have a result; -1 when none.
int derniere_ronde_complete(const Tournoi& t);

// Rewrites every player's `points` over rounds 0..derniere_ronde_complete().
void calculer_points(Tournoi& t);

// Negative when a ranks before b, positive when after, 0 when they are equal
// on points and on every selected tie-break. Uses the current `points` and
// needs an up-to-date id index.
int comparer_classement(const Tournoi& t, const Joueur& a, const Joueur& b);

// Computes the scores and sorts positions 1..nb_joueurs into standings order;
// players that compare equal keep increasing id order. Rebuilds the index.
void trier_classement(Tournoi& t);

// Copies the current round's points and discs from its tables into the
// players' records. Returns the number of tables processed.
int reporter_resultats(Tournoi& t);

}  // namespace tavo
