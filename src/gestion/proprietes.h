// The properties of a tournament: its date, name, number of rounds, game and
// tie-break systems, as the director sets them in the properties dialog
// ("Nouveau Tournoi", "Options / Tournoi") and with tavo-cli.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo::gestion {

struct Proprietes {
    // In a 1998 file, longer texts are cut to their field (14, 49 and 20
    // characters).
    std::string date;
    std::string nom;
    std::string jeu;
    int nb_rondes = 5;
    std::vector<int> departages;  // tie-break ids 0 to 5, in priority order
    // Requested half-point byes: how many per player (0 to 99), and how many
    // of the last rounds take none (0 to 99). A .pxi keeps only 2 and 2.
    int demi_points_max = 2;
    int dernieres_rondes_sans_demi = 2;
};

// The properties a tournament holds.
Proprietes lire_proprietes(const Tournoi& t);

// True when the tournament's game is Othello (est_othello of model/tournoi.h
// tells it of a game's name).
bool est_othello(const Tournoi& t);

// The checks of the dialog's "Valider": at least one tie-break system, each
// known and chosen once, 0 to 15 rounds in a 1998 file (99 otherwise), texts
// without control character (and only Windows-1252 ones in a 1998 file).
// False, with the message, when one fails.
bool verifier_proprietes(const Proprietes& p, Interaction& io, bool limites_1998 = true);

// The same for the dialog opened on an existing tournament ("Options /
// Tournoi"), where the rounds already paired also count: no fewer rounds
// than those, and no change to or from Othello once a round is paired.
// Changes nothing.
bool valider_proprietes(const Tournoi& t, const Proprietes& p, Interaction& io);

// "Nouveau Tournoi": players, rounds and pairings are erased and the
// tournament takes the properties (within the limits of the file it is to
// be kept in: t.limites_1998, set by the caller). Refused (message, nothing
// changed) when they fail verifier_proprietes. Sets modifie.
bool nouveau_tournoi(Tournoi& t, const Proprietes& p, Interaction& io);

// "Options / Tournoi": the tournament takes the properties. Refused as a
// whole (message, false, nothing changed, modifie as it was) when they fail
// valider_proprietes. Sets modifie.
bool modifier_tournoi(Tournoi& t, const Proprietes& p, Interaction& io);

}  // namespace tavo::gestion
