#include "support/verificateur_appariement.h"

#include <array>

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
        if (j.couleurs[k] == BLANC) ++blancs;
        if (j.couleurs[k] == NOIR) ++noirs;
    }
    if (blancs - noirs >= 2) return NOIR;
    if (noirs - blancs >= 2) return BLANC;
    return -1;
}

// Position of player `id`, found by scanning the table rather than through
// the index that the pairing maintains.
const Joueur* chercher(const Tournoi& t, int id) {
    for (int p = 1; p <= t.entete.nb_joueurs; ++p)
        if (t.joueurs[p].id == id) return &t.joueurs[p];
    return nullptr;
}

}  // namespace

std::vector<std::string> defauts_appariement(const Tournoi& t, int r,
                                             const OptionsVerification& options) {
    std::vector<std::string> defauts;
    const auto defaut = [&](std::string texte) {
        defauts.push_back("ronde " + std::to_string(r + 1) + " : " + std::move(texte));
    };
    if (r < 0 || r >= MAX_RONDES) {
        defaut("ronde hors du tournoi");
        return defauts;
    }

    int actifs = 0;
    for (int p = 1; p <= t.entete.nb_joueurs; ++p) actifs += t.joueurs[p].actif != 0;
    if (t.nb_app[r] != (actifs + 1) / 2)
        defaut(std::to_string(t.nb_app[r]) + " tables pour " + std::to_string(actifs) +
               " joueurs actifs");

    std::array<int, MAX_JOUEURS + 1> places{};
    int exempts = 0;
    for (int table = 0; table < t.nb_app[r] && table < MAX_TABLES; ++table) {
        const Appariement& a = t.app[r][table];
        const std::string ici = "table " + std::to_string(table + 1) + " : ";
        const bool exempt = a.blanc == ID_QUALIFIE || a.noir == ID_QUALIFIE;
        for (int id : {a.blanc, a.noir}) {
            if (id == ID_QUALIFIE) continue;
            const Joueur* j = chercher(t, id);
            if (j == nullptr) {
                defaut(ici + nom(id) + " n'est pas un joueur");
                continue;
            }
            ++places[id];
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
            const bool gain = blanc_exempt ? a.res_blanc == 2 && a.res_noir == 0 &&
                                                 a.pions_blanc == 33 && a.pions_noir == 31
                                           : a.res_noir == 2 && a.res_blanc == 0 &&
                                                 a.pions_noir == 33 && a.pions_blanc == 31;
            if (!gain || a.saisi != 1) defaut(ici + "l'exempt n'est pas saisi comme un gain 33-31");
            const Joueur* j = chercher(t, id);
            if (j == nullptr) continue;
            for (int k = 0; k < r; ++k)
                if (j->adversaires[k] == ID_QUALIFIE)
                    defaut(ici + nom(id) + " est exempt une seconde fois (deja a la ronde " +
                           std::to_string(k + 1) + ")");
            if (j->adversaires[r] != ID_QUALIFIE)
                defaut(ici + nom(id) + " ne sait pas qu'il est exempt");
            continue;
        }

        const Joueur* blanc = chercher(t, a.blanc);
        const Joueur* noir = chercher(t, a.noir);
        if (blanc == nullptr || noir == nullptr) continue;
        for (int k = 0; k < r; ++k)
            if (blanc->adversaires[k] == a.noir || noir->adversaires[k] == a.blanc)
                defaut(ici + nom(a.blanc) + " et " + nom(a.noir) +
                       " se sont deja rencontres a la ronde " + std::to_string(k + 1));
        if (blanc->adversaires[r] != a.noir || blanc->couleurs[r] != BLANC)
            defaut(ici + "la fiche de " + nom(a.blanc) + " ne dit pas qu'il a les blancs contre " +
                   nom(a.noir));
        if (noir->adversaires[r] != a.blanc || noir->couleurs[r] != NOIR)
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
    if (exempts != actifs % 2 && t.nb_app[r] == (actifs + 1) / 2)
        defaut(std::to_string(exempts) + " exempt(s) pour " + std::to_string(actifs) +
               " joueurs actifs");

    for (int p = 1; p <= t.entete.nb_joueurs; ++p) {
        const Joueur& j = t.joueurs[p];
        if (j.id < 1 || j.id > MAX_JOUEURS) continue;
        if (j.actif && places[j.id] != 1)
            defaut(nom(j.id) + " est place " + std::to_string(places[j.id]) + " fois");
        if (!j.actif && (j.adversaires[r] != ID_FORFAIT || j.couleurs[r] != SANS_PARTIE ||
                         j.resultats[r] != 0 || j.pions[r] != 0))
            defaut(nom(j.id) + ", inactif, n'a pas son forfait");
    }
    return defauts;
}

}  // namespace tavo::test
