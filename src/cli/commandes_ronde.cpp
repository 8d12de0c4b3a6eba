// ronde, resultat, valider: playing a round from the command line.
#include <cctype>

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

int commande_resultat(const Mots& mots, Console& console) {
    const Arguments args(mots, {"--ronde"}, {});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    const int numero =
        entier_option(args.positionnel(1, "le numéro de table"), 1, 9999, "le numéro de table");
    const auto [blanc, noir] = lire_resultat(args.positionnel(2, "le résultat"));
    args.au_plus(3);
    const auto texte_ronde = args.valeur("--ronde");
    const int ronde = texte_ronde ? entier_option(*texte_ronde, 1, 9999, "la ronde") : 0;

    gestion::ActionFichier action(chemin);
    auto t = ouvrir_tournoi(action, console);
    if (!t) return ECHEC;
    if (!gestion::saisir_resultat(*t, numero, blanc, noir, console, ronde)) return ECHEC;
    if (!enregistrer(*t, action, console)) return ECHEC;
    const int r = ronde == 0 ? gestion::RONDE_COURANTE : ronde - 1;
    const gestion::TableRonde table = *gestion::table_ronde(*t, numero - 1, r);
    Console::afficher(std::string("Table n°") + std::to_string(numero) + " : " + table.blanc + " " +
                      std::to_string(blanc) + "-" + std::to_string(noir) + " " + table.noir);
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
