// The tournament file of 1998 (".pxi") on disk: its save and its load (the
// bytes and their conversion are in pxi.h).
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

#include "model/interaction.h"
#include "model/pxi.h"
#include "model/tournoi.h"

namespace tavo {

// Writes the tournament to `chemin`. The file is written beside the target
// under a temporary name, flushed to disk and renamed over the target, so a
// failed save leaves the previous file intact and `modifie` as it was. A
// tournament the file cannot hold (hors_limites_1998), or what would not
// load again (records that contradict each other), is not written.
// On success `modifie` is 0. Failures are reported through `io`.
bool sauver(Tournoi& tournoi, const std::string& chemin, Interaction& io);

// The same for a new file: written only when nothing is at `chemin`, even a
// file another program put there meanwhile ("Le fichier existe déjà").
bool creer(Tournoi& tournoi, const std::string& chemin, Interaction& io);

// Replaces the tournament with the one in `chemin`. The file is read and
// checked into a fresh tournament first: on any failure the tournament in
// memory is untouched. Failures are reported through `io`. The tables the
// file left out stay empty (gestion::charger_tournoi brings them back).
bool charger(Tournoi& tournoi, const std::string& chemin, Interaction& io);

// The write(2) call through which sauver writes. Tests put another in its
// place to make writes fail or to stop the process in the middle of a save;
// nullptr puts ::write back.
using FonctionEcriture = ssize_t (*)(int fd, const void* donnees, std::size_t taille);
void remplacer_ecriture(FonctionEcriture ecriture);

}  // namespace tavo
