// The 1998 tournament file (".pxi") as bytes, converted to and from the
// model: the header, the player records, the table counts and the tables,
// one block after the other (records.h). The file keeps every round's tables
// up to the current round's table count only: the tables it leaves out come
// back empty (Appariement::vide) until reconstituer_tables brings them back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"
#include "model/tournoi.h"

namespace tavo {

// What of the tournament a .pxi cannot hold (more than 100 players, 15
// rounds or 50 tables a round, a text longer than its field or holding a
// character outside Windows-1252), as the director reads it; "" when it fits.
std::string hors_limites_1998(const Tournoi& t);

// The first federation detail of a player ("son club", "sa fédération"...),
// which the 1998 file has no room for; null when he has none.
const char* detail_federal(const Joueur& j);

// The bytes of the file (with `modifie` stored as 0). For a tournament that
// fits (hors_limites_1998).
std::vector<char> image_fichier(const Tournoi& t);

// The block of the file that could not be read or failed its checks, or
// records that contradict each other (accord.h).
enum class ErreurLecture { aucune, tournoi, joueurs, nb_app, app, desaccord };

// Reads a whole file image into `dest`. On failure `dest` is to be
// discarded; with ErreurLecture::desaccord, `detail` (when given) gets what
// contradicts what.
ErreurLecture lire_image(std::string_view octets, Tournoi& dest, std::string* detail = nullptr);

// The read error message, as the director sees it: the block's, or for
// records that contradict each other "Fichier incohérent" followed by the
// detail.
std::string message_lecture(ErreurLecture erreur, const std::string& detail = "");

// Size of the largest file there can be.
inline constexpr std::size_t TAILLE_MAX_FICHIER =
    sizeof(pxi::EnteteTournoi) + sizeof(pxi::Joueur) * pxi::MAX_JOUEURS + 2 * pxi::MAX_RONDES +
    sizeof(pxi::Appariement) * pxi::MAX_TABLES * pxi::MAX_RONDES;

}  // namespace tavo
