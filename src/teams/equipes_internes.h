// What the pieces of the final team classification share: reading text lines,
// the team list, the team result files and the team score table.
#pragma once

#include <array>
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "model/interaction.h"
#include "model/records.h"
#include "teams/equipes.h"

namespace tavo::equipes {

// Longest line kept from a text file; the rest of a longer line is skipped.
inline constexpr std::size_t LONGUEUR_LIGNE = 98;
inline constexpr std::size_t LONGUEUR_CODE = 3;
inline constexpr std::size_t LONGUEUR_NOM = 29;

// Reads the next line of a text file whose lines end with LF, CR LF or CR: the
// line end is removed, the text stops at a NUL byte and is cut to
// LONGUEUR_LIGNE bytes (the rest of the line is read and dropped). False at
// the end of the file, when there is no line left.
bool lire_ligne(std::istream& entree, std::string& ligne);

// Largest team list or team result file read.
inline constexpr std::size_t TAILLE_MAX_TEXTE = 8 << 20;

// The content of a regular text file of the team competition, in
// Windows-1252 (see texte_fichier_cp1252); std::nullopt when it is not a
// regular file, cannot be read, or is larger than TAILLE_MAX_TEXTE.
std::optional<std::string> lire_texte(const std::filesystem::path& chemin);

// `dossier`/`nom`, or, when it does not exist, the first file of the folder
// (in byte order) whose name is `nom` ignoring the case of letters, as the
// files of a Windows folder are found.
std::filesystem::path trouver_fichier(const std::filesystem::path& dossier, std::string_view nom);

// Reads the team list up to its end (end of file, or a line whose first byte
// is below 'A' or from 128 up). A line without blank is logged in `journal`
// as "Erreur format équipe : <line>" with CR LF and skipped. False, with a
// message, when the list holds more than MAX_EQUIPES teams.
bool lire_liste_equipes(std::istream& liste, std::ostream& journal, std::vector<Equipe>& equipes,
                        Interaction& io);

// The names of the team result files of `dossier`: regular files whose name
// ends in ".PXR" ignoring case, in increasing byte order. False, with a
// message, when the folder cannot be listed or holds more than MAX_JEUX of
// them.
bool fichiers_resultats(const std::filesystem::path& dossier, std::vector<std::string>& noms,
                        Interaction& io);

// Reads the team result file `nom` of `dossier` as the next game: its name
// goes to `jeux`, each player's rank to his team's score. False, with a
// message, on the first error.
bool lire_fichier_resultats(const std::filesystem::path& dossier, const std::string& nom,
                            const std::vector<Equipe>& equipes, std::vector<ScoreEquipe>& scores,
                            Jeux& jeux, Interaction& io);

// Selection sort: at each position the first record with the smallest total
// and, among those, the smallest Othello rank.
void trier_scores(std::vector<ScoreEquipe>& scores);

}  // namespace tavo::equipes
