// The cheapest perfect matching, with LEMON's weighted perfect matching. LEMON 1.3 does
// not build as C++20 (it calls allocator members that C++20 removed), so this
// file alone is compiled as C++17; its interface is plain standard types.
#include <algorithm>

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

}  // namespace

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
