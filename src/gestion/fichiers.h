// Loading and saving the tournament file (".pxi").
#pragma once

#include <string>

#include "model/disque.h"
#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo::gestion {

// Replaces the tournament with the one of the file, its tie-break labels and
// functions rebuilt from the ids it holds, and the tables of earlier rounds
// that the file left out brought back from the players' records. A file
// whose records contradict each other is refused. On any failure (message
// shown) the tournament is left as it was.
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

// How long a command waits for another one to finish with a file.
inline constexpr int ATTENTE_VERROU_MS = 5000;

// One writer at a time: takes an exclusive lock on the tournament file, to be
// held over a whole load, change and save. Waits up to ATTENTE_VERROU_MS for
// another program holding it, then refuses with a message. A file that does
// not exist yet needs no lock (true); one that is not a regular file is
// refused.
bool verrouiller_tournoi(VerrouFichier& verrou, const std::string& chemin, Interaction& io);

// The window's load and save: `connu` keeps the state (modification time and
// size) the file had when this program last loaded or saved it (empty for a
// file it never had). Before replacing a file whose state differs from
// `connu`, the director is asked; saying No cancels the save (false, no
// message). The save holds the file's lock. On success `connu` is updated.
bool charger_tournoi(Tournoi& t, const std::string& chemin, Interaction& io, EtatFichier& connu);
bool sauver_tournoi(Tournoi& t, const std::string& chemin, Interaction& io, EtatFichier& connu);

// True when the tournament has changes not saved yet.
bool a_sauver(const Tournoi& t);

}  // namespace tavo::gestion
