// Team competition: one team result file per game's tournament, and the final
// team classification merging the team result files of a folder.
//
// Both read and write their files in the folder they are given, never through
// the process's current directory. Written files are Windows-1252 text with
// CR LF line ends; files read may end their lines with CR LF or LF.
#pragma once

#include <filesystem>
#include <string>

#include "model/interaction.h"
#include "model/tournoi.h"
#include "pairing/rapport.h"

namespace tavo {

// The team result file's name for a tournament: its game name followed by
// ".PXR" (Windows-1252, as the messages show it). On disk the name is UTF-8.
std::string nom_fichier_equipes(const EnteteTournoi& entete);

// Writes "<jeu>.PXR" into `dossier`: the game name, the number of players and
// one line "rank team  name first-name" per player in standings order, players
// with equal points sharing a rank. The player table is left sorted in
// standings order. The file is written under a temporary name and renamed over
// the target, so a failure never leaves a half-written file. False (message
// already shown) on failure, including a game name that cannot make a file
// name.
bool fichier_resultat_equipes(Tournoi& t, const std::filesystem::path& dossier, Interaction& io);

// Reads `dossier`/equipes.txt and every *.PXR of `dossier` (in byte order of
// their names), writes `dossier`/resultat.txt (the malformed team list lines),
// and fills `rapport` with the final team classification. `entete` supplies
// nom and date of the heading line. False (message shown, rapport untouched)
// on failure.
bool classement_final_equipes(const EnteteTournoi& entete, const std::filesystem::path& dossier,
                              Rapport& rapport, Interaction& io);

}  // namespace tavo
