// Team competition: one team result file per game's tournament, and the final
// team classification merging the team result files of a folder.
//
// Both read and write their files in the folder they are given, never through
// the process's current directory. Written files are Windows-1252 text (UTF-8
// when a name does not fit in it) with CR LF line ends; files read may be
// either, and end their lines with CR LF, LF or CR.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo {

namespace equipes {

// The capacities of the team competition: teams in the list, games (team
// result files) in a folder.
inline constexpr int MAX_EQUIPES = 100;
inline constexpr int MAX_JEUX = 10;

struct Equipe {
    std::string code;  // 3 characters at most
    std::string nom;   // 29 characters at most
};

// One team's ranks over the games read.
struct ScoreEquipe {
    int equipe = 0;                     // index in the team list, set with the team's first rank
    int total = 0;                      // sum of the ranks
    std::array<int, MAX_JEUX> rangs{};  // rank in each game, 0 when absent
    int rang_othello = 0;               // rank in the game "Othello", 0 when none
};

// The games read so far.
struct Jeux {
    std::vector<std::string> noms;      // line 1 of each file, 29 characters at most
    std::vector<std::string> fichiers;  // the file of each game, as the messages name it
    int nb_joueurs = 0;                 // announced by the first file
};

}  // namespace equipes

// The final team classification as read from a folder.
struct ClassementEquipes {
    std::vector<equipes::Equipe> equipes;      // the team list, in its order
    std::vector<equipes::ScoreEquipe> scores;  // fewest points first, the Othello rank on ties
    equipes::Jeux jeux;
};

// The team result file's name for a tournament: its game name followed by
// ".PXR".
std::string nom_fichier_equipes(const EnteteTournoi& entete);

// Writes "<jeu>.PXR" into `dossier`: the game name, the number of players and
// one line "rank team  name first-name" per player in standings order, players
// with equal points sharing a rank. The player table is left sorted in
// standings order. The file is written under a temporary name and renamed over
// the target, so a failure never leaves a half-written file. False (message
// already shown) on failure, including a tournament without game, a game name
// that cannot make a file name, and players without team code (each named:
// the file would credit them to no team, or to another one).
bool fichier_resultat_equipes(Tournoi& t, const std::filesystem::path& dossier, Interaction& io);

// Reads `dossier`/equipes.txt and every *.PXR of `dossier` (in byte order of
// their names), writes `dossier`/resultat.txt (the malformed team list lines),
// and adds up and sorts the teams' ranks. False (message shown, `classement`
// untouched) on failure.
bool classer_equipes(const std::filesystem::path& dossier, ClassementEquipes& classement,
                     Interaction& io);

}  // namespace tavo
