// The completions of a node of the search: a pairing of the players left
// (the pending player with the opponents his loop tries) whose score proves
// that the node's search will reach a complete pairing above its threshold,
// or the heaviest such pairing, which tells that none exists. The search may
// take any player left as the first of a pair and form the pairs in any
// order, so every such pairing is one it can reach.
#include <algorithm>
#include <climits>
#include <stdexcept>

#include "pairing/elagage.h"

namespace tavo {

Elagage::Completion Elagage::chercher_completion(const Tournoi& t, const Etat& etat, int j,
                                                 int couleur, long objectif) {
    // A known completion lets the node through at once.
    if (completion_connue(t, j, couleur, objectif)) return Completion::connue;
    // Then the matching test. The same question asked before has the same
    // answer; but then the test's pairing is not this node's.
    const CleCouplage cle = cle_couplage(etat, j);
    const auto connu = possibles_.find(cle);
    const bool deja_su = connu != possibles_.end();
    const bool possible = deja_su ? connu->second
                                  : (j >= 0 ? test_->possible(presents_, j, &partenaires_)
                                            : test_->possible(presents_));
    if (!deja_su) {
        if (possibles_.size() >= 100000) possibles_.clear();  // bounded memory
        possibles_.emplace(cle, possible);
    }
    if (!possible) return Completion::aucune_paire;
    if (!deja_su && poids_temoin(t, j, couleur) > objectif) return Completion::par_test;
    // Last, the heaviest matching; its dual bounds the nodes below.
    BorneCouplage duale;
    std::optional<std::int64_t> meilleur;
    try {
        meilleur = couplage_memorise(t, etat, j, couleur, duale);
    } catch (const std::logic_error&) {
        return Completion::inconnue;  // no cut: the search decides, exactly as without it
    }
    if (!meilleur || *meilleur <= objectif) return Completion::trop_basse;
    pile_.push_back(std::move(duale));
    return Completion::par_couplage_exact;
}

bool Elagage::permise(int j, int a, int b) const {
    if (a == j) return partenaires_[static_cast<std::size_t>(b)] != 0;
    if (b == j) return partenaires_[static_cast<std::size_t>(a)] != 0;
    return poids(a, b) != INT_MIN;
}

int Elagage::poids_paire(const Tournoi& t, int j, int couleur, int a, int b) const {
    int p = 0;
    if (a == j)
        penalite_adversaire(t, j, couleur, b, p);
    else if (b == j)
        penalite_adversaire(t, j, couleur, a, p);
    else
        p = poids(a, b);
    return p;
}

bool Elagage::completion_connue(const Tournoi& t, int j, int couleur, long objectif) {
    // What is left of the pairing kept: the players whose partner is placed
    // (or no longer allowed) are free.
    std::vector<int>& c = essai_;
    libres_.clear();
    int exempt = -1;  // who has the bye
    for (int a = 0; a < m_; ++a) {
        c[static_cast<std::size_t>(a)] = SANS_PARTENAIRE;
        if (!presents_[static_cast<std::size_t>(a)]) continue;
        const int p = couplage_retenu_[static_cast<std::size_t>(a)];
        const bool garde =
            p == EXEMPT
                ? m_ % 2 == 1 && a != j && exempt_[static_cast<std::size_t>(a)] && exempt < 0
                : p >= 0 && presents_[static_cast<std::size_t>(p)] &&
                      couplage_retenu_[static_cast<std::size_t>(p)] == a && permise(j, a, p);
        if (garde) {
            c[static_cast<std::size_t>(a)] = p;
            if (p == EXEMPT) exempt = a;
        } else {
            libres_.push_back(a);
        }
    }
    if (libres_.size() > 6) return false;  // too far from it: the tests decide

    // Each free player in turn takes his best place: with another free
    // player, the bye, or in an existing pair whose other player then takes
    // a free one.
    for (const int x : libres_) {
        if (c[static_cast<std::size_t>(x)] != SANS_PARTENAIRE) continue;
        long meilleur = LONG_MIN;
        int avec = SANS_PARTENAIRE, coupe = -1, autre = -1;
        for (const int y : libres_)
            if (y != x && c[static_cast<std::size_t>(y)] == SANS_PARTENAIRE && permise(j, x, y) &&
                poids_paire(t, j, couleur, x, y) > meilleur) {
                meilleur = poids_paire(t, j, couleur, x, y);
                avec = y;
                coupe = -1;
            }
        if (m_ % 2 == 1 && exempt < 0 && x != j && exempt_[static_cast<std::size_t>(x)] &&
            0 > meilleur) {
            meilleur = 0;
            avec = EXEMPT;
            coupe = -1;
        }
        for (const int y : libres_) {
            if (y == x || c[static_cast<std::size_t>(y)] != SANS_PARTENAIRE) continue;
            for (int u = 0; u < m_; ++u) {
                const int v = c[static_cast<std::size_t>(u)];
                if (v < 0 || !permise(j, x, u) || !permise(j, v, y)) continue;
                const long g = poids_paire(t, j, couleur, x, u) + poids_paire(t, j, couleur, v, y) -
                               poids_paire(t, j, couleur, u, v);
                if (g > meilleur) {
                    meilleur = g;
                    avec = u;
                    coupe = v;
                    autre = y;
                }
            }
        }
        if (avec == SANS_PARTENAIRE) return false;
        if (avec == EXEMPT) {
            c[static_cast<std::size_t>(x)] = EXEMPT;
            exempt = x;
            continue;
        }
        c[static_cast<std::size_t>(x)] = avec;
        c[static_cast<std::size_t>(avec)] = x;
        if (coupe >= 0) {
            c[static_cast<std::size_t>(coupe)] = autre;
            c[static_cast<std::size_t>(autre)] = coupe;
        }
    }
    if (m_ % 2 == 1 && exempt < 0) return false;

    for (const int a : reste_)
        if (c[static_cast<std::size_t>(a)] == SANS_PARTENAIRE) return false;
    if (j >= 0 && c[static_cast<std::size_t>(j)] == SANS_PARTENAIRE) return false;
    if (poids_couplage(t, j, couleur, c) <= objectif) return false;
    for (int a = 0; a < m_; ++a)
        if (presents_[static_cast<std::size_t>(a)])
            couplage_retenu_[static_cast<std::size_t>(a)] = c[static_cast<std::size_t>(a)];
    return true;
}

long Elagage::poids_couplage(const Tournoi& t, int j, int couleur,
                             const std::vector<int>& partenaire) const {
    long total = 0;
    for (int a = 0; a < m_; ++a) {
        const int b = partenaire[static_cast<std::size_t>(a)];
        if (presents_[static_cast<std::size_t>(a)] && b > a)  // each pair once; the bye adds 0
            total += poids_paire(t, j, couleur, a, b);
    }
    return total;
}

long Elagage::poids_temoin(const Tournoi& t, int j, int couleur) {
    for (int a = 0; a < m_; ++a)
        if (presents_[static_cast<std::size_t>(a)])
            essai_[static_cast<std::size_t>(a)] = test_->partenaire(a);
    return poids_couplage(t, j, couleur, essai_);
}

Elagage::CleCouplage Elagage::cle_couplage(const Etat& etat, int j) const {
    CleCouplage cle{etat, {0, 0}};
    if (j >= 0)
        for (const int e : reste_)
            if (partenaires_[static_cast<std::size_t>(e)])
                cle.partenaires[e / 64] |= 1ULL << (e % 64);
    return cle;
}

std::optional<std::int64_t> Elagage::couplage_memorise(const Tournoi& t, const Etat& etat, int j,
                                                       int couleur, BorneCouplage& duale) {
    const CleCouplage cle = cle_couplage(etat, j);
    const auto connu = couplages_.find(cle);
    if (connu != couplages_.end()) {
        duale = connu->second.duale;
        if (connu->second.poids) {
            couplage_retenu_ = connu->second.retenu;
            test_->retenir(couplage_retenu_);
        }
        return connu->second.poids;
    }
    const std::optional<std::int64_t> poids = couplage_exact(t, j, couleur, duale);
    if (couplages_.size() >= 20000) couplages_.clear();  // bounded memory
    couplages_.emplace(cle, CouplageConnu{poids, duale, couplage_retenu_});
    return poids;
}

std::optional<std::int64_t> Elagage::couplage_exact(const Tournoi& t, int j, int couleur,
                                                    BorneCouplage& duale) {
    std::vector<int>& sommets = sous_sommets_;
    sommets = reste_;
    if (j >= 0) sommets.push_back(j);
    const int k = static_cast<int>(sommets.size());
    GrapheJoueurs g;
    g.preparer(k);
    for (int x = 0; x < k; ++x) {
        const int a = sommets[static_cast<std::size_t>(x)];
        if (a != j && exempt_[static_cast<std::size_t>(a)]) g.autoriser_exempt(x);
        for (int y = x + 1; y < k; ++y) {
            const int b = sommets[static_cast<std::size_t>(y)];
            if (permise(j, a, b)) g.autoriser(x, y);
        }
    }
    auto poids_local = [&](int x, int y) -> std::int64_t {
        return poids_paire(t, j, couleur, sommets[static_cast<std::size_t>(x)],
                           sommets[static_cast<std::size_t>(y)]);
    };
    ++calculs_ponderes;
    BorneCouplage locale;
    std::vector<int> partenaires;
    const bool chaud = !valeurs_depart_.empty();
    if (chaud) preparer_depart(sommets, depart_);
    if (!couplage_poids_maximal(
            g, poids_local, [](int) { return std::int64_t{0}; }, partenaires, &locale,
            chaud ? &depart_ : nullptr))
        return std::nullopt;
    std::int64_t total = 0;
    for (int x = 0; x < k; ++x) {
        const int y = partenaires[static_cast<std::size_t>(x)];
        if (y > x) total += poids_local(x, y);
    }
    // Back to the indices of the whole round (the bye is m_).
    auto global = [&](int x) { return x == k ? m_ : sommets[static_cast<std::size_t>(x)]; };
    // The matching tests below start from this pairing: the pairing they
    // find then mostly proves a good completion by itself.
    std::fill(couplage_retenu_.begin(), couplage_retenu_.end(), SANS_PARTENAIRE);
    for (int x = 0; x < k; ++x) {
        const int y = partenaires[static_cast<std::size_t>(x)];
        couplage_retenu_[static_cast<std::size_t>(global(x))] = y == EXEMPT ? EXEMPT : global(y);
    }
    test_->retenir(couplage_retenu_);
    duale.sommets.assign(static_cast<std::size_t>(m_ + 1), 0);
    for (std::size_t x = 0; x < locale.sommets.size(); ++x)
        duale.sommets[static_cast<std::size_t>(global(static_cast<int>(x)))] = locale.sommets[x];
    duale.fleurs = std::move(locale.fleurs);
    for (BorneCouplage::Fleur& f : duale.fleurs)
        for (int& v : f.sommets) v = global(v);
    // The next heaviest matching starts from this one.
    std::vector<std::int64_t> valeurs;
    duale.valeurs_sans_fleurs(valeurs);
    valeurs_depart_.assign(static_cast<std::size_t>(m_ + 1), DepartCouplage::INCONNU);
    for (int x = 0; x < k; ++x)
        valeurs_depart_[static_cast<std::size_t>(sommets[x])] =
            valeurs[static_cast<std::size_t>(global(x))];
    if (k % 2 == 1)
        valeurs_depart_[static_cast<std::size_t>(m_)] = valeurs[static_cast<std::size_t>(m_)];
    return total;
}

}  // namespace tavo

namespace tavo {

void Elagage::preparer_depart(const std::vector<int>& sommets, DepartCouplage& depart) {
    const std::size_t k = sommets.size();
    const std::size_t total = k + k % 2;  // the bye last, when they are odd in number
    std::vector<int>& local = local_depart_;
    local.assign(static_cast<std::size_t>(m_ + 1), SANS_PARTENAIRE);
    for (std::size_t x = 0; x < k; ++x)
        local[static_cast<std::size_t>(sommets[x])] = static_cast<int>(x);
    // Players the last one did not have take the values of the nearest node
    // above that computed one.
    std::vector<std::int64_t>& au_dessus = valeurs_au_dessus_;
    au_dessus.clear();
    if (!pile_.empty()) pile_.back().valeurs_sans_fleurs(au_dessus);
    depart.sommets.resize(total);
    depart.partenaire.assign(total, SANS_PARTENAIRE);
    for (std::size_t x = 0; x < total; ++x) {
        const int a = x < k ? sommets[x] : m_;
        depart.sommets[x] = valeurs_depart_[static_cast<std::size_t>(a)];
        if (depart.sommets[x] == DepartCouplage::INCONNU && !au_dessus.empty())
            depart.sommets[x] = au_dessus[static_cast<std::size_t>(a)];
        if (x == k) continue;
        const int p = couplage_retenu_[static_cast<std::size_t>(a)];
        if (p == EXEMPT && total > k) {
            depart.partenaire[x] = EXEMPT;
            depart.partenaire[k] = static_cast<int>(x);
        } else if (p >= 0) {
            depart.partenaire[x] = local[static_cast<std::size_t>(p)];
        }
    }
}

}  // namespace tavo
