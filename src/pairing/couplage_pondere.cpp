// The least-cost pairing, with LEMON's weighted perfect matching. LEMON 1.3
// does not build as C++20 (it calls allocator members that C++20 removed), so
// this file alone is compiled as C++17; its interface is plain standard types.
#include "pairing/couplage.h"

#include <algorithm>

// LEMON used as headers only (this is the one file that includes it).
#define LEMON_ONLY_TEMPLATES
#include <lemon/matching.h>
#include <lemon/smart_graph.h>

namespace tavo {

bool couplage_cout_minimal(const GrapheJoueurs& graphe,
                           const std::function<std::int64_t(int, int)>& cout_paire,
                           const std::function<std::int64_t(int)>& cout_exempt,
                           std::vector<int>& partenaire) {
    const int n = graphe.taille();
    partenaire.assign(static_cast<std::size_t>(n), SANS_PARTENAIRE);
    if (n == 0) return true;
    const bool avec_exempt = n % 2 == 1;

    struct Arete {
        int a, b;  // b == n: the bye
        std::int64_t cout;
    };
    std::vector<Arete> aretes;
    std::int64_t plus_grand = 0;
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b)
            if (graphe.autorise(a, b)) aretes.push_back({a, b, cout_paire(a, b)});
        if (avec_exempt && graphe.exempt_autorise(a)) aretes.push_back({a, n, cout_exempt(a)});
    }
    for (const Arete& e : aretes) plus_grand = std::max(plus_grand, e.cout);

    // The algorithm maximises the weight of a perfect matching: every pair
    // weighs the same large amount less its cost, so the heaviest perfect
    // matching is the cheapest one.
    lemon::SmartGraph g;
    std::vector<lemon::SmartGraph::Node> sommets;
    for (int v = 0; v < n + (avec_exempt ? 1 : 0); ++v) sommets.push_back(g.addNode());
    lemon::SmartGraph::EdgeMap<std::int64_t> poids(g);
    for (const Arete& e : aretes) {
        const auto arete = g.addEdge(sommets[static_cast<std::size_t>(e.a)],
                                     sommets[static_cast<std::size_t>(e.b)]);
        poids[arete] = plus_grand + 1 - e.cout;
    }
    lemon::MaxWeightedPerfectMatching<lemon::SmartGraph, lemon::SmartGraph::EdgeMap<std::int64_t>>
        couplage(g, poids);
    if (!couplage.run()) return false;
    for (int a = 0; a < n; ++a) {
        const int p = g.id(couplage.mate(sommets[static_cast<std::size_t>(a)]));
        partenaire[static_cast<std::size_t>(a)] = p == n ? EXEMPT : p;
    }
    return true;
}

}  // namespace tavo
