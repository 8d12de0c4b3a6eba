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

#include "model/disque.h"
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
// LONGUEUR_LIGNE characters (the rest of the line is read and dropped). False at
// the end of the file, when there is no line left.
bool lire_ligne(std::istream& entree, std::string& ligne);

// Largest team list or team result file read.
inline constexpr std::size_t TAILLE_MAX_TEXTE = 8 << 20;

// A text file of the team competition as read.
struct TexteLu {
    FichierLu::Etat etat = FichierLu::Etat::illisible;
    std::string texte;  // Windows-1252 (see texte_fichier_cp1252)
    std::string refus;  // why it cannot be used, the file named; empty when read
    mode_t droits = 0;  // the file's permission bits
};

// Reads a regular text file of at most TAILLE_MAX_TEXTE bytes, never through
// a symbolic link. A file holding a control character (other than the line
// ends) is refused with its line: such a byte would reach the terminal, the
// reports and the pages.
TexteLu lire_texte(const std::filesystem::path& chemin);

// A file name as the messages show it: Windows-1252, control characters
// made visible.
std::string nom_affiche(const std::filesystem::path& nom);

// `dossier`/`nom`, or, when there is no entry of that name, the first entry
// of the folder (in byte order) whose name is `nom` ignoring the case of
// letters, as the files of a Windows folder are found.
std::filesystem::path trouver_fichier(const std::filesystem::path& dossier, std::string_view nom);

// Reads the team list up to its end (end of file, or a line whose first byte
// is below 'A' or from 128 up). A line without blank is logged in `journal`
// as "Erreur format équipe : <line>" with CR LF and skipped. False, with a
// message, when the list holds more than MAX_EQUIPES teams.
bool lire_liste_equipes(std::istream& liste, std::ostream& journal, std::vector<Equipe>& equipes,
                        Interaction& io);

// The names of the team result files of `dossier`: the entries but folders
// whose name ends in ".PXR" ignoring case, in increasing byte order. False,
// with a message, when the folder cannot be listed, holds more than MAX_JEUX
// of them, or two whose names differ only by case (one game counted twice).
bool fichiers_resultats(const std::filesystem::path& dossier, std::vector<std::string>& noms,
                        Interaction& io);

// Reads the team result file `nom` of `dossier` as the next game: its name
// goes to `jeux`, each player's rank to his team's score. A player line is
// "rank code  name": one blank after the rank, then the code up to the next
// blank; a line without code is refused, never read from the name. False,
// with a message, on the first error, and for a game already read from
// another file (game names equal ignoring case).
bool lire_fichier_resultats(const std::filesystem::path& dossier, const std::string& nom,
                            const std::vector<Equipe>& equipes, std::vector<ScoreEquipe>& scores,
                            Jeux& jeux, Interaction& io);

// Selection sort: at each position the first record with the smallest total
// and, among those, the smallest Othello rank.
void trier_scores(std::vector<ScoreEquipe>& scores);

}  // namespace tavo::equipes
