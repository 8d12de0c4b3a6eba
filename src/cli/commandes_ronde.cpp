// ronde, resultat, valider: playing a round from the command line.
#include <cctype>

#include "cli/arguments.h"
#include "cli/commandes.h"
#include "model/fichier_tournoi.h"
#include "model/texte.h"
#include "pairing/appariement.h"
#include "pairing/feuille.h"
#include "pairing/resultats.h"

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
            "le résultat s'écrit BLANC-NOIR (2-0, 1-1, 0-2, ou les pions : 40-24) : " + texte);
    return {blanc, noir};
}

}  // namespace

int commande_ronde(const Mots& mots, Console& console) {
    const Arguments args(mots, {}, {});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    auto t = ouvrir_tournoi(chemin, console);
    if (!t) return ECHEC;
    Rapport rapport;
    if (!nouvelle_ronde(*t, rapport, console)) {
        // The first round with nobody active is refused without a message.
        if (!console.erreur_signalee()) console.message_erreur("Aucun joueur actif");
        return ECHEC;
    }
    if (!sauver(*t, chemin, console)) return ECHEC;
    for (const std::string& ligne : rapport.lignes()) Console::afficher(ligne);
    return SUCCES;
}

int commande_resultat(const Mots& mots, Console& console) {
    const Arguments args(mots, {}, {});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    const int numero =
        entier_option(args.positionnel(1, "le numéro de table"), 1, 9999, "le numéro de table");
    const std::pair<int, int> res = lire_resultat(args.positionnel(2, "le résultat"));
    args.au_plus(3);

    auto t = ouvrir_tournoi(chemin, console);
    if (!t) return ECHEC;
    const bool othello = t->entete.othello != 0;
    if (!othello && res.first + res.second != 2)
        throw ErreurUsage("le résultat s'écrit 2-0, 1-1 ou 0-2");
    const int r = t->entete.ronde_courante;
    if (r < 0) {
        console.message_erreur(cp("Aucune ronde n'a encore été appariée"));
        return ECHEC;
    }
    if (numero > t->nb_app[r]) {
        console.message_erreur(cp("Il n'y a pas de table n°") + std::to_string(numero) +
                               cp(" dans la ronde n°") + std::to_string(r + 1));
        return ECHEC;
    }
    if (othello && (res.first > 64 || res.second > 64)) {
        console.message_erreur(cp("le nombre de pions doit être compris entre 0 et 64"));
        return ECHEC;
    }
    if (othello && res.first + res.second != 64) {
        console.message_erreur(cp("les nombres de pions des deux joueurs doivent faire 64"));
        return ECHEC;
    }
    const int table = numero - 1;
    if (othello)
        enregistrer_pions(*t, table, res.first, res.second);
    else
        enregistrer_points(*t, table, res.first);
    if (!sauver(*t, chemin, console)) return ECHEC;
    const Appariement& a = t->app[r][table];
    Console::afficher(cp("Table n°") + std::to_string(numero) + " : " + nom_affiche(*t, a.blanc) +
                      " " + std::to_string(res.first) + "-" + std::to_string(res.second) + " " +
                      nom_affiche(*t, a.noir));
    return SUCCES;
}

int commande_valider(const Mots& mots, Console& console) {
    const Arguments args(mots, {}, {});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    auto t = ouvrir_tournoi(chemin, console);
    if (!t) return ECHEC;
    if (!tout_verifier(*t, console)) return ECHEC;
    return sauver(*t, chemin, console) ? SUCCES : ECHEC;
}

}  // namespace tavo::cli
