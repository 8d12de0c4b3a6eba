#include "standings/scores.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace tavo {

int derniere_ronde_complete(const Tournoi& t) {
    const int r = t.entete.ronde_courante;
    if (r < 0) return -1;
    return t.ronde_complete(r) ? r : r - 1;
}

void calculer_points(Tournoi& t) {
    const int n = derniere_ronde_complete(t);
    for (int p = 1; p <= t.entete.nb_joueurs; ++p) {
        Joueur& j = t.joueurs[p];
        int somme = 0;
        for (int r = 0; r <= n; ++r) somme += j.resultats[r];
        j.points = static_cast<std::int16_t>(somme);
    }
}

int comparer_classement(const Tournoi& t, const Joueur& a, const Joueur& b) {
    if (b.points != a.points) return b.points - a.points;
    for (int i = 0; i < t.entete.nb_departages; ++i) {
        const FonctionDepartage f = t.fonctions_departage[i];
        if (f == nullptr) continue;
        const int vb = f(t, b);
        const int va = f(t, a);
        if (vb != va) return vb - va;
    }
    return 0;
}

void trier_classement(Tournoi& t) {
    calculer_points(t);
    t.indexer_joueurs();
    const int n = t.entete.nb_joueurs;

    // Each player's values are computed once: they depend only on fields that
    // the sort does not change.
    struct Cle {
        int position;
        std::array<int, NB_SYSTEMES_DEPARTAGE + 1> valeurs;  // points, then tie-breaks
    };
    std::vector<Cle> cles(static_cast<std::size_t>(n));
    for (int p = 1; p <= n; ++p) {
        Cle& c = cles[static_cast<std::size_t>(p - 1)];
        c.position = p;
        c.valeurs.fill(0);
        c.valeurs[0] = t.joueurs[p].points;
        for (int i = 0; i < t.entete.nb_departages; ++i)
            if (t.fonctions_departage[i])
                c.valeurs[i + 1] = t.fonctions_departage[i](t, t.joueurs[p]);
    }
    std::sort(cles.begin(), cles.end(), [&](const Cle& a, const Cle& b) {
        if (a.valeurs != b.valeurs) return a.valeurs > b.valeurs;
        return t.joueurs[a.position].id < t.joueurs[b.position].id;
    });

    std::vector<Joueur> ordre;
    ordre.reserve(cles.size());
    for (const Cle& c : cles) ordre.push_back(t.joueurs[c.position]);
    std::copy(ordre.begin(), ordre.end(), t.joueurs.begin() + 1);
    t.indexer_joueurs();
}

int reporter_resultats(Tournoi& t) {
    const int r = t.entete.ronde_courante;
    if (r < 0) return 0;
    t.indexer_joueurs();
    for (int table = 0; table < t.nb_app[r]; ++table) {
        const Appariement& a = t.app[r][table];
        if (est_joueur(a.blanc)) {
            t.joueur(a.blanc).resultats[r] = a.res_blanc;
            t.joueur(a.blanc).pions[r] = a.pions_blanc;
        }
        if (est_joueur(a.noir)) {
            t.joueur(a.noir).resultats[r] = a.res_noir;
            t.joueur(a.noir).pions[r] = a.pions_noir;
        }
    }
    return t.nb_app[r];
}

}  // namespace tavo
