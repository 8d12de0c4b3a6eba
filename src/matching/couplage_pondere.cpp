// The cheapest perfect matching, with LEMON's weighted perfect matching. LEMON 1.3 does
// not build as C++20 (it calls allocator members that C++20 removed), so this
// file alone is compiled as C++17; its interface is plain standard types.
#include <algorithm>
#include <cstdint>
#include <utility>

#include "matching/couplage.h"

// LEMON used as headers only (this is the one file that includes it).
#define LEMON_ONLY_TEMPLATES
#include <lemon/matching.h>
#include <lemon/smart_graph.h>

namespace tavo {
namespace {

struct Arete {
    int a, b;  // b == n: the bye
    std::int64_t poids;
};

// The allowed pairs of `graphe` (and bye edges when the players are odd in
// number) with their weights.
std::vector<Arete> aretes_ponderees(const GrapheJoueurs& graphe,
                                    const std::function<std::int64_t(int, int)>& poids_paire,
                                    const std::function<std::int64_t(int)>& poids_exempt) {
    const int n = graphe.taille();
    std::vector<Arete> aretes;
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b)
            if (graphe.autorise(a, b)) aretes.push_back({a, b, poids_paire(a, b)});
        if (n % 2 == 1 && graphe.exempt_autorise(a)) aretes.push_back({a, n, poids_exempt(a)});
    }
    return aretes;
}

using Graphe = lemon::SmartGraph;
using Couplage = lemon::MaxWeightedPerfectMatching<Graphe, Graphe::EdgeMap<std::int64_t>>;

// The heaviest perfect matching when every weight is positive.
bool couplage_lemon(int n, const std::vector<Arete>& aretes, std::vector<int>& partenaire) {
    const int sommets_total = n + n % 2;
    Graphe g;
    std::vector<Graphe::Node> sommets;
    for (int v = 0; v < sommets_total; ++v) sommets.push_back(g.addNode());
    Graphe::EdgeMap<std::int64_t> poids(g);
    for (const Arete& e : aretes) {
        const auto arete = g.addEdge(sommets[static_cast<std::size_t>(e.a)],
                                     sommets[static_cast<std::size_t>(e.b)]);
        poids[arete] = e.poids;
    }
    Couplage couplage(g, poids);
    if (!couplage.run()) return false;
    for (int a = 0; a < n; ++a) {
        const int p = g.id(couplage.mate(sommets[static_cast<std::size_t>(a)]));
        partenaire[static_cast<std::size_t>(a)] = p == n ? EXEMPT : p;
    }
    return true;
}

// The cheapest perfect matching of a large field, found on a few of its
// pairs: those weighed so far, and the dual solution of their cheapest
// matching, which tells which pairs not yet weighed could make it cheaper.
class CouplageParVoisinage {
  public:
    CouplageParVoisinage(const GrapheJoueurs& graphe,
                         const std::function<std::int64_t(int, int)>& cout_paire,
                         const std::function<std::int64_t(int)>& cout_exempt)
        : graphe_(graphe),
          cout_paire_(cout_paire),
          n_(graphe.taille()),
          pesee_(static_cast<std::size_t>(n_) * static_cast<std::size_t>(n_), 0) {
        if (n_ % 2 == 1)
            for (int a = 0; a < n_; ++a)
                if (graphe.exempt_autorise(a)) aretes_.push_back({a, n_, cout_exempt(a)});
    }

    // Pair (a, b) is weighed from now on, when it is allowed.
    void peser(int a, int b);

    // The cheapest perfect matching of the pairs weighed (and every bye),
    // and its dual solution. False when they have none.
    bool resoudre(std::vector<int>& partenaire);

    // Weighs the pairs the dual solution leaves uncovered, for each player
    // the PAR_JOUEUR most uncovered of his: those could make the matching
    // cheaper, and when there is none it is a cheapest one of the whole
    // graph. Returns how many pairs were added.
    int peser_decouvertes();

  private:
    static constexpr std::size_t PAR_JOUEUR = 8;

    std::size_t case_(int a, int b) const {
        return static_cast<std::size_t>(a) * static_cast<std::size_t>(n_) +
               static_cast<std::size_t>(b);
    }
    // How much pair (a, b) lacks to be covered by the dual solution: four
    // times its weight less its two ends' values and those of the blossoms
    // holding both.
    std::int64_t manque(int a, int b) const;

    const GrapheJoueurs& graphe_;
    const std::function<std::int64_t(int, int)>& cout_paire_;
    int n_;
    std::vector<std::uint8_t> pesee_;  // pesee_[a * n + b], a < b: the pair is weighed
    std::vector<Arete> aretes_;        // pairs weighed and byes, with their costs
    // The last matching's dual solution. A pair weighs plafond_ less its
    // cost there; four times each vertex's value; the blossoms holding each
    // vertex, innermost first, and their values.
    std::int64_t plafond_ = 0;
    std::vector<std::int64_t> valeurs_;
    std::vector<std::vector<int>> fleurs_;
    std::vector<std::int64_t> valeurs_fleurs_;
};

void CouplageParVoisinage::peser(int a, int b) {
    if (a < 0 || b < 0 || a == b || !graphe_.autorise(a, b)) return;
    if (a > b) std::swap(a, b);
    std::uint8_t& pesee = pesee_[case_(a, b)];
    if (pesee != 0) return;
    pesee = 1;
    aretes_.push_back({a, b, cout_paire_(a, b)});
}

bool CouplageParVoisinage::resoudre(std::vector<int>& partenaire) {
    std::int64_t plus_grand = 0;
    for (const Arete& e : aretes_) plus_grand = std::max(plus_grand, e.poids);
    plafond_ = plus_grand + 1;
    const int sommets_total = n_ + n_ % 2;
    Graphe g;
    g.reserveNode(sommets_total);
    g.reserveEdge(static_cast<int>(aretes_.size()));
    std::vector<Graphe::Node> sommets;
    for (int v = 0; v < sommets_total; ++v) sommets.push_back(g.addNode());
    Graphe::EdgeMap<std::int64_t> poids(g);
    for (const Arete& e : aretes_) {
        const auto arete = g.addEdge(sommets[static_cast<std::size_t>(e.a)],
                                     sommets[static_cast<std::size_t>(e.b)]);
        poids[arete] = plafond_ - e.poids;
    }
    Couplage couplage(g, poids);
    if (!couplage.run()) return false;
    valeurs_.assign(static_cast<std::size_t>(sommets_total), 0);
    for (int v = 0; v < sommets_total; ++v) {
        const Graphe::Node s = sommets[static_cast<std::size_t>(v)];
        valeurs_[static_cast<std::size_t>(v)] = couplage.nodeValue(s);
        if (v == n_) continue;
        const int p = g.id(couplage.mate(s));
        partenaire[static_cast<std::size_t>(v)] = p == n_ ? EXEMPT : p;
    }
    // LEMON lists a blossom after the blossoms inside it.
    fleurs_.assign(static_cast<std::size_t>(sommets_total), {});
    valeurs_fleurs_.clear();
    for (int k = 0; k < couplage.blossomNum(); ++k) {
        valeurs_fleurs_.push_back(couplage.blossomValue(k));
        for (Couplage::BlossomIt v(couplage, k); v != lemon::INVALID; ++v)
            fleurs_[static_cast<std::size_t>(g.id(v))].push_back(k);
    }
    return true;
}

std::int64_t CouplageParVoisinage::manque(int a, int b) const {
    std::int64_t couverture =
        valeurs_[static_cast<std::size_t>(a)] + valeurs_[static_cast<std::size_t>(b)];
    // The blossoms holding both are the outermost ones they share.
    const std::vector<int>& fa = fleurs_[static_cast<std::size_t>(a)];
    const std::vector<int>& fb = fleurs_[static_cast<std::size_t>(b)];
    for (auto ia = fa.rbegin(), ib = fb.rbegin(); ia != fa.rend() && ib != fb.rend() && *ia == *ib;
         ++ia, ++ib)
        couverture += valeurs_fleurs_[static_cast<std::size_t>(*ia)];
    return Couplage::dualScale * (plafond_ - cout_paire_(a, b)) - couverture;
}

int CouplageParVoisinage::peser_decouvertes() {
    // Each player's most uncovered pairs, the most uncovered first.
    using Decouverte = std::pair<std::int64_t, int>;
    std::vector<std::vector<Decouverte>> pires(static_cast<std::size_t>(n_));
    auto retenir = [&](int a, int b, std::int64_t m) {
        std::vector<Decouverte>& liste = pires[static_cast<std::size_t>(a)];
        if (liste.size() == PAR_JOUEUR && liste.back().first >= m) return;
        if (liste.size() == PAR_JOUEUR) liste.pop_back();
        liste.insert(std::upper_bound(liste.begin(), liste.end(), Decouverte{m, b},
                                      [](const Decouverte& x, const Decouverte& y) {
                                          return x.first > y.first;
                                      }),
                     Decouverte{m, b});
    };
    for (int a = 0; a < n_; ++a)
        for (int b = a + 1; b < n_; ++b) {
            if (pesee_[case_(a, b)] != 0 || !graphe_.autorise(a, b)) continue;
            const std::int64_t m = manque(a, b);
            if (m <= 0) continue;
            retenir(a, b, m);
            retenir(b, a, m);
        }
    const std::size_t avant = aretes_.size();
    for (int a = 0; a < n_; ++a)
        for (const Decouverte& d : pires[static_cast<std::size_t>(a)]) peser(a, d.second);
    return static_cast<int>(aretes_.size() - avant);
}

}  // namespace

bool couplage_cout_minimal_voisinage(const GrapheJoueurs& graphe,
                                     const std::function<std::int64_t(int, int)>& cout_paire,
                                     const std::function<std::int64_t(int)>& cout_exempt,
                                     const std::vector<std::vector<int>>& voisins,
                                     std::vector<int>& partenaire) {
    const int n = graphe.taille();
    partenaire.assign(static_cast<std::size_t>(n), SANS_PARTENAIRE);
    if (n == 0) return true;
    CouplageParVoisinage couplage(graphe, cout_paire, cout_exempt);
    for (int a = 0; a < n; ++a)
        for (const int b : voisins[static_cast<std::size_t>(a)]) couplage.peser(a, b);
    if (!couplage.resoudre(partenaire)) {
        // The pairs given hold no perfect matching: those of one that exists.
        TestCouplage test(graphe);
        if (!test.possible(std::vector<std::uint8_t>(static_cast<std::size_t>(n), 1))) return false;
        for (int a = 0; a < n; ++a) couplage.peser(a, test.partenaire(a));
        if (!couplage.resoudre(partenaire)) return false;
    }
    while (couplage.peser_decouvertes() > 0)
        if (!couplage.resoudre(partenaire)) return false;
    return true;
}

bool couplage_cout_minimal(const GrapheJoueurs& graphe,
                           const std::function<std::int64_t(int, int)>& cout_paire,
                           const std::function<std::int64_t(int)>& cout_exempt,
                           std::vector<int>& partenaire) {
    const int n = graphe.taille();
    partenaire.assign(static_cast<std::size_t>(n), SANS_PARTENAIRE);
    if (n == 0) return true;
    // The algorithm maximises the weight of a perfect matching: every pair
    // weighs the same large amount less its cost, so the heaviest perfect
    // matching is the cheapest one.
    std::vector<Arete> aretes = aretes_ponderees(graphe, cout_paire, cout_exempt);
    std::int64_t plus_grand = 0;
    for (const Arete& e : aretes) plus_grand = std::max(plus_grand, e.poids);
    for (Arete& e : aretes) e.poids = plus_grand + 1 - e.poids;
    return couplage_lemon(n, aretes, partenaire);
}

}  // namespace tavo
