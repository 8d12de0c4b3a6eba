#include "pairing/recherche.h"

#include <algorithm>

#include "pairing/elagage.h"
#include "standings/scores.h"

namespace tavo {
namespace {

StatistiquesRecherche g_statistiques;

}  // namespace

void TablesRecherche::effacer() {
    utilise.fill(0);
    for (auto& ligne : lignes) ligne[0] = Placement{0, 0};
    noeuds = 0;
    elagage = nullptr;
    budget = 0;
    interrompue = false;
}

void recommencer(TablesRecherche& w) {
    for (auto& ligne : w.lignes) ligne[0] = Placement{0, 0};
    w.interrompue = false;
}

TablesRecherche& tables_recherche() {
    static TablesRecherche tables{};
    return tables;
}

const StatistiquesRecherche& statistiques_recherche() {
    return g_statistiques;
}
void noter_statistiques(const StatistiquesRecherche& s) {
    g_statistiques = s;
}

namespace {

// The colour due after the colours of rounds 0 to n as `couleurs` holds them.
int couleur_due_apres(const std::uint8_t* couleurs, int n) {
    int blancs = 0;
    int noirs = 0;
    for (int r = 0; r <= n; ++r) {
        if (couleurs[r] == BLANC) ++blancs;
        if (couleurs[r] == NOIR) ++noirs;
    }
    if (blancs > noirs) return NOIR | (blancs - noirs >= 2 ? COULEUR_FORTE : 0);
    if (blancs < noirs) return BLANC | (noirs - blancs >= 2 ? COULEUR_FORTE : 0);
    const int derniere = n >= 0 ? couleurs[n] : SANS_PARTIE;
    return derniere == BLANC ? NOIR : BLANC;
}

}  // namespace

int couleur_due(const Tournoi& t, int id) {
    return couleur_due_apres(t.joueur(id).couleurs, derniere_ronde_complete(t));
}

int couleur_due_ronde(const Joueur& j, int r) {
    std::uint8_t couleurs[MAX_RONDES];
    std::copy(j.couleurs, j.couleurs + r, couleurs);
    couleurs[r] = BLANC;
    return couleur_due_apres(couleurs, r);
}

bool deja_rencontre(const Tournoi& t, int id, int autre) {
    return a_rencontre(t.joueur(id), autre, derniere_ronde_complete(t));
}

std::vector<std::uint8_t> matrice_rencontres(const Tournoi& t, const std::vector<int>& ids,
                                             int derniere) {
    const std::size_t m = ids.size();
    std::array<int, MAX_JOUEURS + 1> index{};
    index.fill(-1);
    for (std::size_t a = 0; a < m; ++a)
        index[static_cast<std::size_t>(ids[a])] = static_cast<int>(a);
    std::vector<std::uint8_t> rencontres(m * m, 0);
    for (std::size_t a = 0; a < m; ++a) {
        const Joueur& j = t.joueur(ids[a]);
        for (int r = 0; r <= derniere; ++r) {
            const int adversaire = j.adversaires[r];
            if (!est_joueur(adversaire) || adversaire > MAX_JOUEURS) continue;
            const int b = index[static_cast<std::size_t>(adversaire)];
            if (b >= 0) rencontres[a * m + static_cast<std::size_t>(b)] = 1;
        }
    }
    return rencontres;
}

void memoriser(TablesRecherche& w, int d, int id, int couleur) {
    auto& ligne = w.lignes[d];
    ligne[0] = Placement{static_cast<std::uint8_t>(couleur), static_cast<std::int16_t>(id)};
    std::size_t n = 1;
    if (d + 1 <= PROFONDEUR_MAX) {
        const auto& suite = w.lignes[d + 1];
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
    const int arret = PENALITE_ARRET * t.entete.nb_joueurs;
    const Joueur* jj = impaire ? nullptr : &t.joueur(joueur);
    bool candidat = false;
    int meilleur = SCORE_ECHEC;

    for (int p = 1; p <= t.entete.nb_joueurs; ++p) {
        const Joueur& je = t.joueurs[p];
        const int e = je.id;
        if (je.actif == 0 || w.utilise[e] != 0) continue;
        candidat = true;
        w.lignes[d + 1][0] = Placement{0, 0};
        const int f = w.couleurs_dues[e];
        const int g = couleur_de(f);

        // Places e (with colour `couleur_e`), searches below and keeps the best
        // complete pairing found.
        auto essayer = [&](int couleur_e, int score_e, int joueur_suivant, int couleur_suivante) {
            w.utilise[e] = 1;
            const int v = chercher(t, w, d + 1, alpha, joueur_suivant, couleur_suivante, score_e);
            w.utilise[e] = 0;
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
    w.lignes[d + 1][0] = Placement{0, 0};
    memoriser(w, d, ID_QUALIFIE, autre_couleur(couleur));
    return score;
}

}  // namespace tavo
