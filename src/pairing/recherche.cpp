#include "pairing/recherche.h"

#include <algorithm>

#include "pairing/elagage.h"
#include "standings/scores.h"

namespace tavo {
namespace {

StatistiquesRecherche g_statistiques;

}  // namespace

void TablesRecherche::preparer(const Tournoi& t) {
    int plus_grand = 0;
    for (const Joueur& j : t.joueurs) plus_grand = std::max(plus_grand, j.id);
    couleurs_dues.assign(static_cast<std::size_t>(plus_grand) + 1, 0);
    utilise.assign(static_cast<std::size_t>(plus_grand) + 1, 0);
    // Every active player is free, linked to the next and previous ones; the
    // end of the list, fin(), links the last and the first.
    const int n = t.nb_joueurs();
    suivant.assign(static_cast<std::size_t>(n) + 1, n);
    precedent.assign(static_cast<std::size_t>(n) + 1, n);
    int dernier = n;
    for (int p = 0; p < n; ++p) {
        if (!t.joueurs[static_cast<std::size_t>(p)].actif) continue;
        suivant[static_cast<std::size_t>(dernier)] = p;
        precedent[static_cast<std::size_t>(p)] = dernier;
        dernier = p;
    }
    suivant[static_cast<std::size_t>(dernier)] = n;
    precedent[static_cast<std::size_t>(n)] = dernier;
    const std::size_t placements = t.joueurs.size() + 1;
    lignes.assign(placements + 2, std::vector<Placement>(placements + 1, Placement{0, 0}));
    noeuds = 0;
    elagage = nullptr;
    budget = 0;
    interrompue = false;
    const int actifs = t.nb_joueurs_actifs();
    const bool grand = grand_champ(t);
    echec = grand ? ECHEC_PAR_JOUEUR * actifs : SCORE_ECHEC;
    depart = grand ? DEPART_PAR_JOUEUR * actifs : SCORE_DEPART;
    arret = PENALITE_ARRET * (grand ? actifs : t.nb_joueurs());
}

void TablesRecherche::placer(int p, int id) {
    utilise[static_cast<std::size_t>(id)] = 1;
    suivant[static_cast<std::size_t>(precedent[static_cast<std::size_t>(p)])] =
        suivant[static_cast<std::size_t>(p)];
    precedent[static_cast<std::size_t>(suivant[static_cast<std::size_t>(p)])] =
        precedent[static_cast<std::size_t>(p)];
}

void TablesRecherche::retirer(int p, int id) {
    utilise[static_cast<std::size_t>(id)] = 0;
    suivant[static_cast<std::size_t>(precedent[static_cast<std::size_t>(p)])] = p;
    precedent[static_cast<std::size_t>(suivant[static_cast<std::size_t>(p)])] = p;
}

void preparer_recherche(const Tournoi& t, TablesRecherche& w) {
    w.preparer(t);
    w.derniere_complete = derniere_ronde_complete(t);
    for (const Joueur& j : t.joueurs)
        w.couleurs_dues[static_cast<std::size_t>(j.id)] =
            couleur_due_joueur(j, w.derniere_complete);
}

bool grand_champ(const Tournoi& t) {
    return t.nb_joueurs_actifs() > Elagage::MAX_JOUEURS;
}

void recommencer(TablesRecherche& w) {
    for (auto& ligne : w.lignes) ligne[0] = Placement{0, 0};
    w.interrompue = false;
}

const StatistiquesRecherche& statistiques_recherche() {
    return g_statistiques;
}
void noter_statistiques(const StatistiquesRecherche& s) {
    g_statistiques = s;
}

namespace {

// The colour due after the colours of rounds 0 to n, round `blanche` (when
// one of them) counted as a white game, and a round the record does not hold
// yet as well. A game forfeited was not played and gives no colour.
int couleur_due_apres(const Joueur& j, int n, int blanche) {
    auto couleur = [&](int r) -> int {
        const std::size_t k = static_cast<std::size_t>(r);
        if (r == blanche || k >= j.rondes.size()) return BLANC;
        return j.rondes[k].forfait ? SANS_PARTIE : j.rondes[k].couleur;
    };
    int blancs = 0;
    int noirs = 0;
    for (int r = 0; r <= n; ++r) {
        if (couleur(r) == BLANC) ++blancs;
        if (couleur(r) == NOIR) ++noirs;
    }
    if (blancs > noirs) return NOIR | (blancs - noirs >= 2 ? COULEUR_FORTE : 0);
    if (blancs < noirs) return BLANC | (noirs - blancs >= 2 ? COULEUR_FORTE : 0);
    const int derniere = n >= 0 ? couleur(n) : SANS_PARTIE;
    return derniere == BLANC ? NOIR : BLANC;
}

}  // namespace

int couleur_due(const Tournoi& t, int id) {
    return couleur_due_joueur(t.joueur(id), derniere_ronde_complete(t));
}

int couleur_due_joueur(const Joueur& j, int derniere_complete) {
    return couleur_due_apres(j, std::min(derniere_complete, static_cast<int>(j.rondes.size()) - 1),
                             -1);
}

int couleur_due_ronde(const Joueur& j, int r) {
    return couleur_due_apres(j, r, r);
}

bool deja_rencontre(const Tournoi& t, int id, int autre) {
    return a_rencontre(t.joueur(id), autre, derniere_ronde_complete(t));
}

std::vector<std::uint8_t> matrice_rencontres(const Tournoi& t, const std::vector<int>& ids,
                                             int derniere) {
    const std::size_t m = ids.size();
    const int plus_grand = ids.empty() ? 0 : *std::max_element(ids.begin(), ids.end());
    std::vector<int> index(static_cast<std::size_t>(plus_grand) + 1, -1);
    for (std::size_t a = 0; a < m; ++a)
        index[static_cast<std::size_t>(ids[a])] = static_cast<int>(a);
    std::vector<std::uint8_t> rencontres(m * m, 0);
    for (std::size_t a = 0; a < m; ++a) {
        const Joueur& j = t.joueur(ids[a]);
        for (int r = 0; r <= derniere && static_cast<std::size_t>(r) < j.rondes.size(); ++r) {
            const RondeJoueur& rj = j.rondes[static_cast<std::size_t>(r)];
            if (!partie_jouee(rj)) continue;
            const int adversaire = rj.adversaire;
            if (adversaire > plus_grand) continue;
            const int b = index[static_cast<std::size_t>(adversaire)];
            if (b >= 0) rencontres[a * m + static_cast<std::size_t>(b)] = 1;
        }
    }
    // A forbidden pair counts as met, in both records.
    for (const auto& [x, y] : t.interdits) {
        if (std::max(x, y) > plus_grand) continue;
        const int a = index[static_cast<std::size_t>(x)];
        const int b = index[static_cast<std::size_t>(y)];
        if (a < 0 || b < 0) continue;
        rencontres[static_cast<std::size_t>(a) * m + static_cast<std::size_t>(b)] = 1;
        rencontres[static_cast<std::size_t>(b) * m + static_cast<std::size_t>(a)] = 1;
    }
    return rencontres;
}

void memoriser(TablesRecherche& w, int d, int id, int couleur) {
    auto& ligne = w.lignes[static_cast<std::size_t>(d)];
    ligne[0] = Placement{static_cast<std::uint8_t>(couleur), id};
    std::size_t n = 1;
    if (static_cast<std::size_t>(d) + 1 < w.lignes.size()) {
        const auto& suite = w.lignes[static_cast<std::size_t>(d) + 1];
        for (std::size_t k = 0; n < ligne.size() - 1 && suite[k].id != 0; ++k)
            ligne[n++] = suite[k];
    }
    ligne[n] = Placement{0, 0};
}

int chercher(const Tournoi& t, TablesRecherche& w, int d, int alpha, int joueur, int couleur,
             int score) {
    // Once interrupted, the search only unwinds: those calls are not nodes.
    if (w.interrompue) return w.echec;
    ++w.noeuds;
    if (score <= alpha) return score;
    if (w.budget > 0 && w.noeuds > w.budget) {
        w.interrompue = true;
        return w.echec;
    }
    if (w.elagage != nullptr) return w.elagage->noeud(t, w, d, alpha, joueur, couleur, score);
    return explorer_noeud(t, w, d, alpha, joueur, couleur, score);
}

int explorer_noeud(const Tournoi& t, TablesRecherche& w, int d, int alpha, int joueur, int couleur,
                   int score) {
    const bool impaire = d % 2 == 1;
    const int arret = w.arret;
    const Joueur* jj = impaire ? nullptr : &t.joueur(joueur);
    bool candidat = false;
    int meilleur = w.echec;
    auto& suivante = w.lignes[static_cast<std::size_t>(d) + 1];

    // The active players not yet placed, in standings order.
    for (int p = w.suivant[static_cast<std::size_t>(w.fin())]; p != w.fin();
         p = w.suivant[static_cast<std::size_t>(p)]) {
        const Joueur& je = t.joueurs[static_cast<std::size_t>(p)];
        const int e = je.id;
        candidat = true;
        suivante[0] = Placement{0, 0};
        const int f = w.couleurs_dues[static_cast<std::size_t>(e)];
        const int g = couleur_de(f);

        // Places e (with colour `couleur_e`), searches below and keeps the best
        // complete pairing found.
        auto essayer = [&](int couleur_e, int score_e, int joueur_suivant, int couleur_suivante) {
            w.placer(p, e);
            const int v = chercher(t, w, d + 1, alpha, joueur_suivant, couleur_suivante, score_e);
            w.retirer(p, e);
            if (v > meilleur) {
                if (v > alpha) {
                    alpha = v;
                    memoriser(w, d, e, couleur_e);
                }
                meilleur = v;
            }
        };

        if (impaire) {
            // e becomes the first player of a pair, with his due colour first.
            if (score <= alpha) continue;
            essayer(g, score, e, g);
            if (meilleur > arret || meilleur > w.echec) break;
            if (couleur_forte(f)) continue;
            // Then with the other colour, when his due colour is weak.
            if (score + PENALITE_COULEUR > alpha) {
                essayer(autre_couleur(g), score + PENALITE_COULEUR, e, autre_couleur(g));
                if (meilleur > arret) break;
            }
            continue;
        }

        // e is a possible opponent for `joueur`, who plays `couleur`.
        if (a_rencontre(je, joueur, w.derniere_complete) || appariement_interdit(t, e, joueur))
            continue;
        const std::optional<int> penalite_couleur = penalite_couleur_adversaire(couleur, f);
        if (!penalite_couleur) continue;
        const int couleur_e = autre_couleur(couleur);
        const int penalite = *penalite_couleur + penalite_ecart(*jj, je);
        if (score + penalite <= alpha) continue;
        essayer(couleur_e, score + penalite, 0, SANS_PARTIE);
        if (penalite >= PENALITE_COULEUR || meilleur > arret || meilleur > w.echec) break;
    }

    if (candidat) return meilleur;
    if (impaire) return score;  // every player is placed
    // `joueur` is left alone: the bye, unless he already had it.
    if (a_rencontre(*jj, ID_QUALIFIE, w.derniere_complete)) return w.echec;
    suivante[0] = Placement{0, 0};
    memoriser(w, d, ID_QUALIFIE, autre_couleur(couleur));
    return score;
}

}  // namespace tavo
