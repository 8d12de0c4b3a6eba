// equipes-fichier, equipes-classement: the team competition.
#include <iostream>

#include "cli/arguments.h"
#include "cli/commandes.h"
#include "model/texte.h"
#include "teams/equipes.h"

namespace tavo::cli {

int commande_equipes_fichier(const Mots& mots, Console& console) {
    const Arguments args(mots, {"--dossier"}, {});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    const std::filesystem::path dossier = args.valeur("--dossier").value_or(".");

    auto t = ouvrir_tournoi(chemin, console);
    if (!t) return ECHEC;
    // The player table comes back sorted in standings order; the tournament
    // file is not rewritten.
    if (!fichier_resultat_equipes(*t, dossier, console)) return ECHEC;
    std::cout << (dossier / vers_utf8(nom_fichier_equipes(t->entete))).string() << '\n';
    return SUCCES;
}

int commande_equipes_classement(const Mots& mots, Console& console) {
    const Arguments args(mots, {"--dossier", "--tournoi"}, {});
    args.au_plus(0);
    const std::filesystem::path dossier = args.valeur("--dossier").value_or(".");

    EnteteTournoi entete{};
    if (auto chemin = args.valeur("--tournoi")) {
        auto t = ouvrir_tournoi(*chemin, console);
        if (!t) return ECHEC;
        entete = t->entete;
    }
    Rapport rapport;
    if (!classement_final_equipes(entete, dossier, rapport, console)) return ECHEC;
    for (const std::string& ligne : rapport.lignes()) Console::afficher(ligne);
    return SUCCES;
}

}  // namespace tavo::cli
