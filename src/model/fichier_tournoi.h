// The tournament file (".pxi"): a raw image of the header, the player records,
// the table counts and the pairing records, one block after the other.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo {

// Writes the tournament to `chemin`. The file is written beside the target
// under a temporary name, flushed to disk and renamed over the target, so a
// failed save leaves the previous file intact and `modifie` as it was. What
// would not load again (records that contradict each other) is not written.
// On success `modifie` is 0. Failures are reported through `io`.
bool sauver(Tournoi& tournoi, const std::string& chemin, Interaction& io);

// The same for a new file: written only when nothing is at `chemin`, even a
// file another program put there meanwhile ("Le fichier existe déjà").
bool creer(Tournoi& tournoi, const std::string& chemin, Interaction& io);

// Replaces the tournament with the one in `chemin`. The file is read and
// checked into a fresh tournament first: on any failure the tournament in
// memory is untouched. Failures are reported through `io`. The tie-break
// labels and functions are not rebuilt here (gestion::charger_tournoi does).
bool charger(Tournoi& tournoi, const std::string& chemin, Interaction& io);

// The bytes that sauver writes (with `modifie` stored as 0).
std::vector<char> image_fichier(const Tournoi& tournoi);

// The block of the file that could not be read or failed its checks, or
// records that contradict each other (accord.h).
enum class ErreurLecture { aucune, tournoi, joueurs, nb_app, app, desaccord };

// Reads a whole file image into `dest` (which should be fresh); the id index
// is rebuilt on success. On failure `dest` holds a partial state and must be
// discarded. With ErreurLecture::desaccord, `detail` (when given) gets what
// contradicts what. The tables the file left out stay empty here
// (reconstituer_tables of the pairing brings them back).
ErreurLecture lire_image(std::string_view octets, Tournoi& dest, std::string* detail = nullptr);

// The read error message, as the director sees it: the block's, or for
// records that contradict each other "Fichier incohérent" followed by the
// detail.
std::string message_lecture(ErreurLecture erreur, const std::string& detail = "");

// The write(2) call through which sauver writes. Tests put another in its
// place to make writes fail or to stop the process in the middle of a save;
// nullptr puts ::write back.
using FonctionEcriture = ssize_t (*)(int fd, const void* donnees, std::size_t taille);
void remplacer_ecriture(FonctionEcriture ecriture);

// Size of the largest file the program can write.
inline constexpr std::size_t TAILLE_MAX_FICHIER = sizeof(EnteteTournoi) +
                                                  sizeof(Joueur) * MAX_JOUEURS + 2 * MAX_RONDES +
                                                  sizeof(Appariement) * MAX_TABLES * MAX_RONDES;

}  // namespace tavo
