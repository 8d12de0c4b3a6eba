// ronde, resultat, valider: playing a round from the command line.
#include <cctype>
#include <vector>

#include "cli/arguments.h"
#include "cli/commandes.h"
#include "gestion/fichiers.h"
#include "gestion/resultats.h"
#include "gestion/rondes.h"
#include "model/texte.h"

namespace tavo::cli {
namespace {

// "BLANC-NOIR": two whole numbers in decimal digits joined by a dash.
std::pair<int, int> lire_resultat(const std::string& texte) {
    const std::size_t tiret = texte.find('-');
    const auto nombre = [&](const std::string& mot) {
        if (mot.empty() || mot.size() > 4) return -1;
        for (char c : mot)
            if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
        return std::stoi(mot);
    };
    const int blanc = tiret == std::string::npos ? -1 : nombre(texte.substr(0, tiret));
    const int noir = tiret == std::string::npos ? -1 : nombre(texte.substr(tiret + 1));
    if (blanc < 0 || noir < 0)
        throw ErreurUsage(
            "le résultat s'écrit BLANC-NOIR (2-0, 1-1, 0-2, ou les pions : 40-24) : " +
            citer(texte));
    return {blanc, noir};
}

}  // namespace

int commande_ronde(const Mots& mots, Console& console) {
    const Arguments args(mots, {}, {});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    gestion::ActionFichier action(chemin);
    auto t = ouvrir_tournoi(action, console);
    if (!t) return ECHEC;
    Rapport rapport;
    if (!gestion::apparier_ronde(*t, rapport, console)) return ECHEC;
    if (!enregistrer(*t, action, console)) return ECHEC;
    afficher_rapport(rapport);
    return SUCCES;
}

namespace {

// "blanc", "noir" or "double": the side that did not come.
Forfait lire_forfait(const std::string& texte) {
    if (texte == "blanc") return Forfait::blanc;
    if (texte == "noir") return Forfait::noir;
    if (texte == "double") return Forfait::les_deux;
    throw ErreurUsage("--forfait blanc, noir ou double : " + citer(texte));
}

// What a forfeit did, and the absent players made inactive.
void afficher_forfait(const Tournoi& t, int numero, const gestion::TableRonde& table,
                      const std::vector<int>& inactifs) {
    const bool blanc = table.forfait == Forfait::blanc || table.forfait == Forfait::les_deux;
    const bool noir = table.forfait == Forfait::noir || table.forfait == Forfait::les_deux;
    const auto cote = [](const std::string& nom, bool absent) {
        return nom + (absent ? " forfait" : " gagne par forfait");
    };
    Console::afficher(formater("Table n°%d : %s, %s", numero, cote(table.blanc, blanc).c_str(),
                               cote(table.noir, noir).c_str()));
    for (const int id : inactifs)
        Console::afficher(
            formater("Joueur n°%d %s %s rendu inactif pour les rondes suivantes "
                     "(joueur-modifier %d --actif pour le rappeler)",
                     id, t.joueur(id).nom.c_str(), t.joueur(id).prenom.c_str(), id));
}

}  // namespace

int commande_resultat(const Mots& mots, Console& console) {
    const Arguments args(mots, {"--ronde", "--forfait"}, {"--garder-actif"});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    const int numero =
        entier_option(args.positionnel(1, "le numéro de table"), 1, 9999, "le numéro de table");
    const auto texte_forfait = args.valeur("--forfait");
    const bool par_forfait = texte_forfait.has_value();
    const Forfait forfait = par_forfait ? lire_forfait(*texte_forfait) : Forfait::aucun;
    const auto [blanc, noir] =
        par_forfait ? std::pair{0, 0} : lire_resultat(args.positionnel(2, "le résultat"));
    args.au_plus(par_forfait ? 2 : 3);
    const auto texte_ronde = args.valeur("--ronde");
    const int ronde = texte_ronde ? entier_option(*texte_ronde, 1, 9999, "la ronde") : 0;

    gestion::ActionFichier action(chemin);
    auto t = ouvrir_tournoi(action, console);
    if (!t) return ECHEC;
    const int r = ronde == 0 ? gestion::RONDE_COURANTE : ronde - 1;
    std::vector<int> inactifs;
    if (par_forfait) {
        if (!gestion::saisir_forfait(*t, numero, forfait, console, ronde)) return ECHEC;
        if (!args.drapeau("--garder-actif")) inactifs = gestion::absents_actifs(*t, numero - 1, r);
        gestion::rendre_inactifs(*t, inactifs);
    } else if (!gestion::saisir_resultat(*t, numero, blanc, noir, console, ronde)) {
        return ECHEC;
    }
    if (!enregistrer(*t, action, console)) return ECHEC;
    const gestion::TableRonde table = *gestion::table_ronde(*t, numero - 1, r);
    if (par_forfait)
        afficher_forfait(*t, numero, table, inactifs);
    else
        Console::afficher(std::string("Table n°") + std::to_string(numero) + " : " + table.blanc +
                          " " + std::to_string(blanc) + "-" + std::to_string(noir) + " " +
                          table.noir);
    return SUCCES;
}

int commande_valider(const Mots& mots, Console& console) {
    const Arguments args(mots, {}, {});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    gestion::ActionFichier action(chemin);
    auto t = ouvrir_tournoi(action, console);
    if (!t) return ECHEC;
    if (!gestion::tout_verifier(*t, console)) return ECHEC;
    return enregistrer(*t, action, console) ? SUCCES : ECHEC;
}

}  // namespace tavo::cli
