// Loading and saving the tournament file (".pxi").
#pragma once

#include <string>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo::gestion {

// Replaces the tournament with the one of the file, its tie-break labels and
// functions rebuilt from the ids it holds. On any failure (message shown)
// the tournament is left as it was.
bool charger_tournoi(Tournoi& t, const std::string& chemin, Interaction& io);

// Writes the tournament to the file; the previous file stays whole when the
// save fails (message shown). On success modifie is 0.
bool sauver_tournoi(Tournoi& t, const std::string& chemin, Interaction& io);

// The recovery copy of a tournament: written whole (or not at all) to
// `chemin`, never over the tournament file, without touching `modifie`.
bool ecrire_copie_secours(const Tournoi& t, const std::string& chemin, Interaction& io);

// Takes the tournament back from a recovery copy: loaded as a file is, and
// marked as not saved (the copy holds what the tournament file lacks).
bool reprendre_copie_secours(Tournoi& t, const std::string& chemin, Interaction& io);

// True when the tournament has changes not saved yet.
bool a_sauver(const Tournoi& t);

}  // namespace tavo::gestion
