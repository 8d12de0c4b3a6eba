// Registering players from a spreadsheet's CSV file ("Importer des
// joueurs..." and tavo-cli joueurs-importer).
#pragma once

#include <filesystem>
#include <string>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo::gestion {

// Registers every player of a CSV text: a header row naming the columns in
// any order and case, with or without accents (nom, prénom, né le, elo,
// équipe, fille or sexe F/M; others are ignored), the separator detected
// among ';', ',' and tab, the encoding among UTF-8 (with or without a
// byte-order mark) and Windows-1252. Texts longer than their field are cut.
// All or nothing: the first bad line (no name, an Elo that is not a number, a
// character Windows-1252 cannot hold, the 100-player capacity, a player
// already registered with the same name, first name and birth date, or the
// register's own refusal) is refused with its line number, and the
// tournament is left untouched. Returns the number of players registered,
// -1 on a refusal (message shown).
int importer_liste(Tournoi& t, const std::string& contenu, Interaction& io);

// importer_liste on the content of a file; a file that cannot be read is
// refused.
int importer_joueurs(Tournoi& t, const std::filesystem::path& fichier, Interaction& io);

// "N joueurs importés": what the front ends show after an import.
std::string bilan_import(int nombre);

}  // namespace tavo::gestion
