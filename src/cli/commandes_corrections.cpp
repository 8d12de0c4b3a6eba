// annuler-ronde, echanger, joueurs-trier: the director's corrections.
#include "cli/arguments.h"
#include "cli/commandes.h"
#include "gestion/corrections.h"
#include "gestion/fichiers.h"
#include "gestion/joueurs.h"
#include "gestion/rondes.h"

namespace tavo::cli {

int commande_annuler_ronde(const Mots& mots, Console& console) {
    const Arguments args(mots, {}, {"--forcer"});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    gestion::ActionFichier action(chemin);
    auto t = ouvrir_tournoi(action, console);
    if (!t) return ECHEC;
    // Without --forcer, the question about the results lost is a refusal.
    if (!gestion::annuler_ronde(*t, console, args.drapeau("--forcer"))) return ECHEC;
    if (!enregistrer(*t, action, console)) return ECHEC;
    Console::afficher(gestion::ronde_annulee(*t));
    return SUCCES;
}

int commande_echanger(const Mots& mots, Console& console) {
    const Arguments args(mots, {}, {"--forcer"});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    const auto [a, b] = deux_joueurs(args);
    gestion::ActionFichier action(chemin);
    auto t = ouvrir_tournoi(action, console);
    if (!t) return ECHEC;
    if (!gestion::echanger_joueurs(*t, a, b, console, args.drapeau("--forcer"))) return ECHEC;
    if (!enregistrer(*t, action, console)) return ECHEC;
    Rapport feuille;
    gestion::revoir_appariements(*t, feuille);
    afficher_rapport(feuille);
    return SUCCES;
}

int commande_joueurs_trier(const Mots& mots, Console& console) {
    const Arguments args(mots, {}, {"--elo"});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    if (!args.drapeau("--elo")) throw ErreurUsage("l'ordre du tri manque : --elo");
    gestion::ActionFichier action(chemin);
    auto t = ouvrir_tournoi(action, console);
    if (!t) return ECHEC;
    if (!gestion::trier_par_elo(*t, console)) return ECHEC;
    return enregistrer(*t, action, console) ? SUCCES : ECHEC;
}

}  // namespace tavo::cli
