#include "gestion/sorties.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "model/texte.h"

namespace tavo::gestion {
namespace {

std::string minuscules(std::string texte) {
    std::transform(texte.begin(), texte.end(), texte.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return texte;
}

// The names of the files the program reads: tournaments, team results, the
// team list.
bool nom_d_entree(const std::filesystem::path& chemin) {
    const std::string extension = minuscules(chemin.extension().string());
    return extension == ".pxi" || extension == ".tavo" || extension == ".pxr" ||
           minuscules(chemin.filename().string()) == "equipes.txt";
}

}  // namespace

bool sortie_permise(const std::filesystem::path& sortie, const std::filesystem::path& source,
                    Interaction& io) {
    std::error_code sans_cible, sans_source;
    const auto cible = std::filesystem::weakly_canonical(sortie, sans_cible);
    const bool meme_fichier =
        !source.empty() && std::filesystem::equivalent(sortie, source, sans_source) && !sans_source;
    if (!meme_fichier && !nom_d_entree(sortie) && !nom_d_entree(cible)) return true;
    io.message_erreur("Impossible d'écrire dans " + sortie.string() +
                      " : c'est un fichier de tournoi ou d'équipes, que le programme lit");
    return false;
}

}  // namespace tavo::gestion
