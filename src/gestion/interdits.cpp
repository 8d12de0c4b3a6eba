#include "gestion/interdits.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "model/texte.h"
#include "reports/feuille.h"

namespace tavo::gestion {
namespace {

// The pair (smaller number first) when both players exist and differ;
// otherwise the refusal is told and std::nullopt returned.
std::optional<std::pair<int, int>> paire_verifiee(const Tournoi& t, int a, int b, Interaction& io) {
    for (const int id : {a, b})
        if (!est_joueur(id) || !t.existe(id)) {
            io.message_erreur(formater("Joueur inconnu : n°%d", id));
            return std::nullopt;
        }
    if (a == b) {
        io.message_erreur("Choisissez deux joueurs différents");
        return std::nullopt;
    }
    return std::minmax(a, b);
}

}  // namespace

bool interdire_appariement(Tournoi& t, int a, int b, Interaction& io) {
    const auto paire = paire_verifiee(t, a, b, io);
    if (!paire) return false;
    const auto place = std::lower_bound(t.interdits.begin(), t.interdits.end(), *paire);
    if (place != t.interdits.end() && *place == *paire) {
        io.message_erreur(formater("L'appariement des joueurs %d et %d est déjà interdit",
                                   paire->first, paire->second));
        return false;
    }
    if (t.limites_1998) {
        io.message_erreur(
            formater("Le fichier .pxi ne peut pas garder l'appariement interdit des joueurs %d "
                     "et %d",
                     paire->first, paire->second));
        return false;
    }
    t.interdits.insert(place, *paire);
    t.entete.modifie = true;
    return true;
}

bool autoriser_appariement(Tournoi& t, int a, int b, Interaction& io) {
    const auto paire = paire_verifiee(t, a, b, io);
    if (!paire) return false;
    const auto place = std::lower_bound(t.interdits.begin(), t.interdits.end(), *paire);
    if (place == t.interdits.end() || *place != *paire) {
        io.message_erreur(formater("L'appariement des joueurs %d et %d n'est pas interdit",
                                   paire->first, paire->second));
        return false;
    }
    t.interdits.erase(place);
    t.entete.modifie = true;
    return true;
}

std::vector<std::string> lignes_interdits(const Tournoi& t) {
    std::vector<std::string> lignes;
    for (const auto& [a, b] : t.interdits)
        lignes.push_back(formater("%d-%d : ", a, b) + nom_affiche(t, a) + " et " +
                         nom_affiche(t, b));
    return lignes;
}

}  // namespace tavo::gestion
