// The checks every text and player record goes through before it enters the
// tournament, whichever front end typed it.
#pragma once

#include <optional>
#include <string_view>

#include "model/interaction.h"
#include "model/registre.h"
#include "model/tournoi.h"

namespace tavo::gestion {

// False, with the message naming `quoi`, when the text is not UTF-8 or holds
// a control character (below 0x20, 0x7F, U+0080 to U+009F): such a
// character would break the lines of the reports and of the team files.
bool verifier_texte(std::string_view texte, const char* quoi, Interaction& io);

// The text as the tournament may hold it (verifier_texte): in a 1998 file a
// character outside Windows-1252 is refused with its name, and a text longer
// than its field (`longueur_1998` characters) is cut to it. std::nullopt,
// with the message, otherwise.
std::optional<std::string> texte_admis(const Tournoi& t, std::string_view texte,
                                       std::size_t longueur_1998, const char* quoi,
                                       Interaction& io);

// True for a day of the calendar; with a negative year (century unknown)
// 29/02 is always taken.
bool date_reelle(int jour, int mois, int annee);

// The record as it may be stored in the tournament: a name (not only
// blanks), every text admitted (texte_admis), a team code of letters A to Z
// and digits only, lower case raised, and a birth date that is a real date
// "JJ/MM/AA" or empty, and federation details as a .tavo keeps them (a
// federation of three letters, a FIDE ID of 11 digits at most, a FIDE title,
// upper case; none in a .pxi). std::nullopt, with the message, otherwise.
std::optional<FicheJoueur> fiche_verifiee(const Tournoi& t, const FicheJoueur& fiche,
                                          Interaction& io);

// A round can be paired only when every player has a name and at least two
// players are active (none at all is left to the pairing's own message).
// False, with the message, otherwise.
bool joueurs_prets(const Tournoi& t, Interaction& io);

// True for a table of round r where a player has the bye (or a forfeit): its
// result is set by the pairing and never changed by hand.
bool table_sans_adversaire(const Tournoi& t, int table, int r);

}  // namespace tavo::gestion
