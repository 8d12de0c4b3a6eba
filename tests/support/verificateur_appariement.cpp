#include "support/verificateur_appariement.h"

#include <vector>

namespace tavo::test {
namespace {

std::string nom(int id) {
    if (id == ID_QUALIFIE) return "l'exempt";
    if (id == ID_FORFAIT) return "le forfait";
    return "le joueur " + std::to_string(id);
}

// The colour a player must get because of his history: the new round counts
// as a white game (its colour entry is still 0 while the round is paired), so
// with W whites and B blacks before it he must have black when W + 1 - B >= 2,
// white when B - (W + 1) >= 2. -1 when his colour is free.
int couleur_imposee(const Joueur& j, int r) {
    int blancs = 1, noirs = 0;
    for (int k = 0; k < r; ++k) {
        if (j.ronde(k).couleur == BLANC) ++blancs;
        if (j.ronde(k).couleur == NOIR) ++noirs;
    }
    if (blancs - noirs >= 2) return NOIR;
    if (noirs - blancs >= 2) return BLANC;
    return -1;
}

// Position of player `id`, found by scanning the table rather than through
// the index that the pairing maintains.
const Joueur* chercher(const Tournoi& t, int id) {
    for (const Joueur& j : t.joueurs)
        if (j.id == id) return &j;
    return nullptr;
}

}  // namespace

std::vector<std::string> defauts_appariement(const Tournoi& t, int r,
                                             const OptionsVerification& options) {
    std::vector<std::string> defauts;
    const auto defaut = [&](std::string texte) {
        defauts.push_back("ronde " + std::to_string(r + 1) + " : " + std::move(texte));
    };
    if (r < 0 || r >= static_cast<int>(t.rondes.size())) {
        defaut("ronde hors du tournoi");
        return defauts;
    }

    int actifs = 0;
    for (const Joueur& j : t.joueurs) actifs += j.actif ? 1 : 0;
    if (t.nb_tables(r) != (actifs + 1) / 2)
        defaut(std::to_string(t.nb_tables(r)) + " tables pour " + std::to_string(actifs) +
               " joueurs actifs");

    std::vector<int> places(ID_SPECIAL, 0);
    int exempts = 0;
    for (int table = 0; table < t.nb_tables(r); ++table) {
        const Appariement& a = t.table(r, table);
        const std::string ici = "table " + std::to_string(table + 1) + " : ";
        const bool exempt = a.blanc == ID_QUALIFIE || a.noir == ID_QUALIFIE;
        for (int id : {a.blanc, a.noir}) {
            if (id == ID_QUALIFIE) continue;
            const Joueur* j = chercher(t, id);
            if (j == nullptr) {
                defaut(ici + nom(id) + " n'est pas un joueur");
                continue;
            }
            ++places[static_cast<std::size_t>(id)];
            if (!j->actif) defaut(ici + nom(id) + " est inactif");
        }
        if (a.blanc == a.noir) {
            defaut(ici + nom(a.blanc) + " joue contre lui-meme");
            continue;
        }
        if (exempt) {
            ++exempts;
            const bool blanc_exempt = a.noir == ID_QUALIFIE;
            const int id = blanc_exempt ? a.blanc : a.noir;
            const Resultat res = blanc_exempt ? a.res_blanc : a.res_noir();
            const bool gain =
                res == Resultat::gain && (blanc_exempt ? a.pions_blanc == 33 && a.pions_noir == 31
                                                       : a.pions_noir == 33 && a.pions_blanc == 31);
            if (!gain) defaut(ici + "l'exempt n'est pas saisi comme un gain 33-31");
            const Joueur* j = chercher(t, id);
            if (j == nullptr) continue;
            for (int k = 0; k < r; ++k)
                if (j->ronde(k).adversaire == ID_QUALIFIE)
                    defaut(ici + nom(id) + " est exempt une seconde fois (deja a la ronde " +
                           std::to_string(k + 1) + ")");
            if (j->ronde(r).adversaire != ID_QUALIFIE)
                defaut(ici + nom(id) + " ne sait pas qu'il est exempt");
            continue;
        }

        const Joueur* blanc = chercher(t, a.blanc);
        const Joueur* noir = chercher(t, a.noir);
        if (blanc == nullptr || noir == nullptr) continue;
        for (int k = 0; k < r; ++k)
            if (blanc->ronde(k).adversaire == a.noir || noir->ronde(k).adversaire == a.blanc)
                defaut(ici + nom(a.blanc) + " et " + nom(a.noir) +
                       " se sont deja rencontres a la ronde " + std::to_string(k + 1));
        if (blanc->ronde(r).adversaire != a.noir || blanc->ronde(r).couleur != BLANC)
            defaut(ici + "la fiche de " + nom(a.blanc) + " ne dit pas qu'il a les blancs contre " +
                   nom(a.noir));
        if (noir->ronde(r).adversaire != a.blanc || noir->ronde(r).couleur != NOIR)
            defaut(ici + "la fiche de " + nom(a.noir) + " ne dit pas qu'il a les noirs contre " +
                   nom(a.blanc));
        if (options.couleurs_fortes && r > 0) {
            if (couleur_imposee(*blanc, r) == NOIR)
                defaut(ici + nom(a.blanc) + " devait avoir les noirs (couleur forte)");
            if (couleur_imposee(*noir, r) == BLANC)
                defaut(ici + nom(a.noir) + " devait avoir les blancs (couleur forte)");
        }
    }
    if (exempts > 1) defaut(std::to_string(exempts) + " exempts");
    if (exempts != actifs % 2 && t.nb_tables(r) == (actifs + 1) / 2)
        defaut(std::to_string(exempts) + " exempt(s) pour " + std::to_string(actifs) +
               " joueurs actifs");

    for (const Joueur& j : t.joueurs) {
        if (!est_joueur(j.id)) continue;
        const int place = places[static_cast<std::size_t>(j.id)];
        if (j.actif && place != 1)
            defaut(nom(j.id) + " est place " + std::to_string(place) + " fois");
        if (!j.actif && (j.ronde(r).adversaire != ID_FORFAIT || j.ronde(r).couleur != SANS_PARTIE ||
                         j.ronde(r).resultat != Resultat::aucun || j.ronde(r).pions != 0))
            defaut(nom(j.id) + ", inactif, n'a pas son forfait");
    }
    return defauts;
}

}  // namespace tavo::test
