// equipes-fichier, equipes-classement: the team competition.
#include <iostream>

#include "cli/arguments.h"
#include "cli/commandes.h"
#include "gestion/equipes.h"

namespace tavo::cli {

int commande_equipes_fichier(const Mots& mots, Console& console) {
    const Arguments args(mots, {"--dossier"}, {});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    const std::filesystem::path dossier = args.valeur("--dossier").value_or(".");

    auto t = ouvrir_tournoi(chemin, console);
    if (!t) return ECHEC;
    // The tournament file is not rewritten.
    const auto ecrit = gestion::ecrire_fichier_equipes(*t, dossier, console);
    if (!ecrit) return ECHEC;
    console.noter_ecriture(ecrit->string());
    std::cout << ecrit->string() << '\n';
    return SUCCES;
}

int commande_equipes_classement(const Mots& mots, Console& console) {
    std::set<std::string> options = {"--dossier", "--tournoi"};
    options.insert(kOptionsPublication.begin(), kOptionsPublication.end());
    const Arguments args(mots, options, {});
    args.au_plus(0);
    const std::filesystem::path dossier = args.valeur("--dossier").value_or(".");

    // Without --tournoi the heading has no name and no date.
    auto t = std::make_unique<Tournoi>();
    const std::string chemin = args.valeur("--tournoi").value_or("");
    if (!chemin.empty()) {
        t = ouvrir_tournoi(chemin, console);
        if (!t) return ECHEC;
    }
    Rapport rapport;
    if (!gestion::classement_final_equipes(*t, dossier, rapport, console)) return ECHEC;
    return publier_rapport(rapport, args, console, chemin);
}

}  // namespace tavo::cli
