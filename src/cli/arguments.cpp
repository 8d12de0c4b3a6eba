#include "cli/arguments.h"

#include <algorithm>

namespace tavo::cli {

Arguments::Arguments(const std::vector<std::string>& mots, const std::set<std::string>& avec_valeur,
                     const std::set<std::string>& drapeaux) {
    for (std::size_t i = 0; i < mots.size(); ++i) {
        const std::string& mot = mots[i];
        if (mot.size() < 3 || mot.compare(0, 2, "--") != 0) {
            positionnels_.push_back(mot);
        } else if (avec_valeur.count(mot)) {
            if (i + 1 >= mots.size())
                throw ErreurUsage("l'option " + citer(mot) + " attend une valeur");
            valeurs_[mot] = mots[++i];
        } else if (drapeaux.count(mot)) {
            drapeaux_.insert(mot);
        } else {
            throw ErreurUsage("option inconnue : " + citer(mot));
        }
    }
}

const std::string& Arguments::positionnel(std::size_t i, const char* nom) const {
    if (i >= positionnels_.size()) throw ErreurUsage(std::string("il manque ") + nom);
    return positionnels_[i];
}

void Arguments::au_plus(std::size_t n) const {
    if (positionnels_.size() > n)
        throw ErreurUsage("argument en trop : " + citer(positionnels_[n]));
}

std::optional<std::string> Arguments::valeur(const std::string& option) const {
    const auto it = valeurs_.find(option);
    if (it == valeurs_.end()) return std::nullopt;
    return it->second;
}

std::string citer(const std::string& mot) {
    constexpr std::size_t kCaracteres = 40;
    std::size_t caracteres = 0;
    for (std::size_t i = 0; i < mot.size(); ++i) {
        // A character starts at every byte that is not a UTF-8 continuation.
        if ((static_cast<unsigned char>(mot[i]) & 0xC0) == 0x80) continue;
        if (caracteres++ == kCaracteres) return mot.substr(0, i) + "…";
    }
    return mot;
}

int entier_option(const std::string& texte, int min, int max, const char* quoi) {
    const bool chiffres =
        !texte.empty() && texte.size() <= 9 &&
        std::all_of(texte.begin(), texte.end(), [](char c) { return c >= '0' && c <= '9'; });
    const int valeur = chiffres ? std::stoi(texte) : -1;
    if (!chiffres || valeur < min || valeur > max)
        throw ErreurUsage(std::string(quoi) + " doit être un nombre de " + std::to_string(min) +
                          " à " + std::to_string(max) + " : " + citer(texte));
    return valeur;
}

std::pair<int, int> deux_joueurs(const Arguments& args) {
    const int a = entier_option(args.positionnel(1, "le premier joueur"), 1, 9999, "le joueur");
    const int b = entier_option(args.positionnel(2, "le second joueur"), 1, 9999, "le joueur");
    args.au_plus(3);
    return {a, b};
}

}  // namespace tavo::cli
