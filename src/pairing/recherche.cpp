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
    const std::size_t placements = t.joueurs.size() + 1;
    lignes.assign(placements + 2, std::vector<Placement>(placements + 1, Placement{0, 0}));
    noeuds = 0;
    elagage = nullptr;
    budget = 0;
    interrompue = false;
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

// The colour due after the colours of rounds 0 to n.
int couleur_due_apres(const std::vector<std::uint8_t>& couleurs, int n) {
    int blancs = 0;
    int noirs = 0;
    for (int r = 0; r <= n; ++r) {
        if (couleurs[static_cast<std::size_t>(r)] == BLANC) ++blancs;
        if (couleurs[static_cast<std::size_t>(r)] == NOIR) ++noirs;
    }
    if (blancs > noirs) return NOIR | (blancs - noirs >= 2 ? COULEUR_FORTE : 0);
    if (blancs < noirs) return BLANC | (noirs - blancs >= 2 ? COULEUR_FORTE : 0);
    const int derniere = n >= 0 ? couleurs[static_cast<std::size_t>(n)] : SANS_PARTIE;
    return derniere == BLANC ? NOIR : BLANC;
}

std::vector<std::uint8_t> couleurs_de(const Joueur& j) {
    std::vector<std::uint8_t> couleurs;
    for (const RondeJoueur& r : j.rondes) couleurs.push_back(r.couleur);
    return couleurs;
}

}  // namespace

int couleur_due(const Tournoi& t, int id) {
    const Joueur& j = t.joueur(id);
    const int n = std::min(derniere_ronde_complete(t), static_cast<int>(j.rondes.size()) - 1);
    return couleur_due_apres(couleurs_de(j), n);
}

int couleur_due_ronde(const Joueur& j, int r) {
    std::vector<std::uint8_t> couleurs = couleurs_de(j);
    couleurs.resize(static_cast<std::size_t>(r) + 1);
    couleurs[static_cast<std::size_t>(r)] = BLANC;
    return couleur_due_apres(couleurs, r);
}

bool deja_rencontre(const Tournoi& t, int id, int autre) {
    return a_rencontre(t.joueur(id), autre, derniere_ronde_complete(t));
}

std::vector<std::uint8_t> matrice_rencontres(const Tournoi& t, const std::vector<int>& ids,
                                             int derniere) {
    const std::size_t m = ids.size();
    std::vector<int> index(ID_SPECIAL, -1);
    for (std::size_t a = 0; a < m; ++a)
        index[static_cast<std::size_t>(ids[a])] = static_cast<int>(a);
    std::vector<std::uint8_t> rencontres(m * m, 0);
    for (std::size_t a = 0; a < m; ++a) {
        const Joueur& j = t.joueur(ids[a]);
        for (int r = 0; r <= derniere && static_cast<std::size_t>(r) < j.rondes.size(); ++r) {
            const int adversaire = j.rondes[static_cast<std::size_t>(r)].adversaire;
            if (!est_joueur(adversaire)) continue;
            const int b = index[static_cast<std::size_t>(adversaire)];
            if (b >= 0) rencontres[a * m + static_cast<std::size_t>(b)] = 1;
        }
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
    if (w.interrompue) return SCORE_ECHEC;
    ++w.noeuds;
    if (score <= alpha) return score;
    if (w.budget > 0 && w.noeuds > w.budget) {
        w.interrompue = true;
        return SCORE_ECHEC;
    }
    if (w.elagage != nullptr) return w.elagage->noeud(t, w, d, alpha, joueur, couleur, score);
    return explorer_noeud(t, w, d, alpha, joueur, couleur, score);
}

int explorer_noeud(const Tournoi& t, TablesRecherche& w, int d, int alpha, int joueur, int couleur,
                   int score) {
    const bool impaire = d % 2 == 1;
    const int arret = PENALITE_ARRET * t.nb_joueurs();
    const Joueur* jj = impaire ? nullptr : &t.joueur(joueur);
    bool candidat = false;
    int meilleur = SCORE_ECHEC;
    auto& suivante = w.lignes[static_cast<std::size_t>(d) + 1];

    for (const Joueur& je : t.joueurs) {
        const int e = je.id;
        if (!je.actif || w.utilise[static_cast<std::size_t>(e)] != 0) continue;
        candidat = true;
        suivante[0] = Placement{0, 0};
        const int f = w.couleurs_dues[static_cast<std::size_t>(e)];
        const int g = couleur_de(f);

        // Places e (with colour `couleur_e`), searches below and keeps the best
        // complete pairing found.
        auto essayer = [&](int couleur_e, int score_e, int joueur_suivant, int couleur_suivante) {
            w.utilise[static_cast<std::size_t>(e)] = 1;
            const int v = chercher(t, w, d + 1, alpha, joueur_suivant, couleur_suivante, score_e);
            w.utilise[static_cast<std::size_t>(e)] = 0;
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
            if (meilleur > arret || meilleur > SCORE_ECHEC) break;
            if (couleur_forte(f)) continue;
            // Then with the other colour, when his due colour is weak.
            if (score + PENALITE_COULEUR > alpha) {
                essayer(autre_couleur(g), score + PENALITE_COULEUR, e, autre_couleur(g));
                if (meilleur > arret) break;
            }
            continue;
        }

        // e is a possible opponent for `joueur`, who plays `couleur`.
        if (a_rencontre(je, joueur, w.derniere_complete)) continue;
        const std::optional<int> penalite_couleur = penalite_couleur_adversaire(couleur, f);
        if (!penalite_couleur) continue;
        const int couleur_e = autre_couleur(couleur);
        const int penalite = *penalite_couleur + penalite_ecart(*jj, je);
        if (score + penalite <= alpha) continue;
        essayer(couleur_e, score + penalite, 0, SANS_PARTIE);
        if (penalite >= PENALITE_COULEUR || meilleur > arret || meilleur > SCORE_ECHEC) break;
    }

    if (candidat) return meilleur;
    if (impaire) return score;  // every player is placed
    // `joueur` is left alone: the bye, unless he already had it.
    if (a_rencontre(*jj, ID_QUALIFIE, w.derniere_complete)) return SCORE_ECHEC;
    suivante[0] = Placement{0, 0};
    memoriser(w, d, ID_QUALIFIE, autre_couleur(couleur));
    return score;
}

}  // namespace tavo
