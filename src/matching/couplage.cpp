#include "matching/couplage.h"

#include <boost/graph/adjacency_matrix.hpp>
#include <boost/graph/filtered_graph.hpp>
#include <boost/graph/max_cardinality_matching.hpp>

namespace tavo {

void GrapheJoueurs::preparer(int n) {
    n_ = n;
    matrice_.assign(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0);
    exempt_.assign(static_cast<std::size_t>(n), 0);
}

void GrapheJoueurs::autoriser(int a, int b) {
    if (a == b) return;
    matrice_[static_cast<std::size_t>(a * n_ + b)] = 1;
    matrice_[static_cast<std::size_t>(b * n_ + a)] = 1;
}

void GrapheJoueurs::autoriser_exempt(int a) {
    exempt_[static_cast<std::size_t>(a)] = 1;
}

// ---------------------------------------------------------------------------
// Feasibility

namespace {

constexpr int LIBRE = -1;  // a vertex without partner in the pairing being built

using Graphe = boost::adjacency_matrix<boost::undirectedS>;
using Sommet = boost::graph_traits<Graphe>::vertex_descriptor;

}  // namespace

struct TestCouplage::Impl {
    const GrapheJoueurs& joueurs;
    int n;
    std::vector<int> temoin;  // last pairing found: partner, EXEMPT or SANS_PARTENAIRE
    int temoin_exempt = SANS_PARTENAIRE;
    std::vector<int> mate;  // pairing being built over players 0..n-1 and the bye, n
    Graphe graphe;          // players 0..n-1 and the bye, vertex n
    std::vector<Sommet> mate_boost;
    long long appels = 0;

    // The question being answered.
    const std::vector<std::uint8_t>* presents = nullptr;
    int seul = -1;
    const std::vector<std::uint8_t>* partenaires_seul = nullptr;
    bool exempt_requis = false;

    explicit Impl(const GrapheJoueurs& g)
        : joueurs(g),
          n(g.taille()),
          temoin(static_cast<std::size_t>(g.taille()), SANS_PARTENAIRE),
          mate(static_cast<std::size_t>(g.taille() + 1), LIBRE),
          graphe(static_cast<std::size_t>(g.taille() + 1)),
          mate_boost(static_cast<std::size_t>(g.taille() + 1)),
          voisins(static_cast<std::size_t>(g.taille() + 1)) {
        for (int a = 0; a < n; ++a) {
            for (int b = a + 1; b < n; ++b)
                if (g.autorise(a, b))
                    boost::add_edge(static_cast<Sommet>(a), static_cast<Sommet>(b), graphe);
            if (g.exempt_autorise(a))
                boost::add_edge(static_cast<Sommet>(a), static_cast<Sommet>(n), graphe);
            for (int b = 0; b < n; ++b)
                if (g.autorise(a, b)) voisins[static_cast<std::size_t>(a)].push_back(b);
            if (g.exempt_autorise(a)) {
                voisins[static_cast<std::size_t>(a)].push_back(n);
                voisins[static_cast<std::size_t>(n)].push_back(a);
            }
        }
    }

    std::vector<std::vector<int>> voisins;  // allowed partners of each vertex
    std::vector<int> libres_;
    bool complet = false;

    int reparer();               // returns how many vertices stay free
    void augmenter(int libres);  // Edmonds' augmenting paths; sets complet

    // The vertices whose removal, in the last question that had no answer,
    // left more groups of an odd number of vertices (no allowed pair between
    // two groups) than it removed: Tutte's proof that no pairing exists.
    // Questions in a row are close, and it often proves the next one too.
    std::vector<int> barriere;
    bool barriere_connue = false;
    std::vector<int> groupe;  // work space of barriere_prouve
    std::vector<int> pile;
    bool barriere_prouve();
    void noter_barriere(const std::vector<int>& etats);

    // Pair (a, b) of present vertices allowed for this question (either may
    // be the bye, n).
    bool permise(int a, int b) const {
        if (!present(a) || !present(b)) return false;
        if (a == n) return joueurs.exempt_autorise(b) && paire_permise(b, a);
        if (b == n) return joueurs.exempt_autorise(a) && paire_permise(a, b);
        return joueurs.autorise(a, b) && paire_permise(a, b);
    }

    bool present(int v) const {
        return v == n ? exempt_requis : (*presents)[static_cast<std::size_t>(v)] != 0;
    }

    // Pair (a, b) of present players allowed for this question; b may be the bye (n).
    bool paire_permise(int a, int b) const {
        if (b == n) return a != seul;
        if (a == seul) return (*partenaires_seul)[static_cast<std::size_t>(b)] != 0;
        if (b == seul) return (*partenaires_seul)[static_cast<std::size_t>(a)] != 0;
        return true;
    }

    // Whether present player a keeps his partner of the last pairing.
    bool temoin_valable(int a) const {
        const int p = temoin[static_cast<std::size_t>(a)];
        if (p == EXEMPT)
            return exempt_requis && temoin_exempt == a && joueurs.exempt_autorise(a) &&
                   paire_permise(a, n);
        if (p < 0 || !present(p) || temoin[static_cast<std::size_t>(p)] != a) return false;
        return joueurs.autorise(a, p) && paire_permise(a, p);
    }

    struct FiltreSommet {
        const Impl* i = nullptr;
        bool operator()(Sommet v) const { return i->present(static_cast<int>(v)); }
    };

    struct FiltreArete {
        const Impl* i = nullptr;
        bool operator()(boost::graph_traits<Graphe>::edge_descriptor e) const {
            const int a = static_cast<int>(boost::source(e, i->graphe));
            const int b = static_cast<int>(boost::target(e, i->graphe));
            if (!i->present(a) || !i->present(b)) return false;
            return a == i->n ? i->paire_permise(b, a) : i->paire_permise(a, b);
        }
    };
};

TestCouplage::TestCouplage(const GrapheJoueurs& graphe) : impl_(std::make_unique<Impl>(graphe)) {}
TestCouplage::~TestCouplage() = default;

int TestCouplage::partenaire(int a) const {
    return impl_->temoin[static_cast<std::size_t>(a)];
}

void TestCouplage::retenir(const std::vector<int>& partenaire) {
    Impl& i = *impl_;
    for (int a = 0; a < i.n; ++a) {
        const int p = partenaire[static_cast<std::size_t>(a)];
        i.temoin[static_cast<std::size_t>(a)] = p;
        if (p == EXEMPT) i.temoin_exempt = a;
    }
}

long long TestCouplage::appels_algorithme() const {
    return impl_->appels;
}

bool TestCouplage::possible(const std::vector<std::uint8_t>& presents, int seul,
                            const std::vector<std::uint8_t>* partenaires_seul) {
    Impl& i = *impl_;
    static const std::vector<std::uint8_t> aucun;
    i.presents = &presents;
    i.seul = seul;
    i.partenaires_seul = partenaires_seul ? partenaires_seul : &aucun;
    if (seul >= 0 && partenaires_seul == nullptr) return false;

    int m = 0;
    for (int a = 0; a < i.n; ++a)
        if (presents[static_cast<std::size_t>(a)]) ++m;
    i.exempt_requis = m % 2 == 1;

    bool tous = true;
    for (int a = 0; a < i.n && tous; ++a)
        if (presents[static_cast<std::size_t>(a)] && !i.temoin_valable(a)) tous = false;
    if (tous) return true;

    // Start from what is left of the last pairing, then augment.
    int libres = 0;
    for (int v = 0; v <= i.n; ++v) {
        int& s = i.mate[static_cast<std::size_t>(v)];
        s = LIBRE;
        if (!i.present(v)) continue;
        if (v < i.n && i.temoin_valable(v)) {
            const int p = i.temoin[static_cast<std::size_t>(v)];
            s = p == EXEMPT ? i.n : p;
        } else if (v == i.n && i.temoin_exempt >= 0 && i.present(i.temoin_exempt) &&
                   i.temoin[static_cast<std::size_t>(i.temoin_exempt)] == EXEMPT &&
                   i.temoin_valable(i.temoin_exempt)) {
            s = i.temoin_exempt;
        }
        if (s == LIBRE) ++libres;
    }

    // Most questions differ from the last one by a pair or two: mending the
    // pairing by hand (a direct pair, or a path of three pairs) mostly
    // completes it without the general algorithm.
    if (libres > 0) libres = i.reparer();

    if (libres > 0 && i.barriere_prouve()) return false;
    if (libres > 0) {
        ++i.appels;
        i.augmenter(libres);
    }
    const bool complet = libres == 0 || i.complet;
    for (int a = 0; a < i.n; ++a) {
        if (!presents[static_cast<std::size_t>(a)]) continue;
        const int s = i.mate[static_cast<std::size_t>(a)];
        int& t = i.temoin[static_cast<std::size_t>(a)];
        if (s == LIBRE) {
            t = SANS_PARTENAIRE;
        } else if (s == i.n) {
            t = EXEMPT;
            i.temoin_exempt = a;
        } else {
            t = s;
        }
    }
    return complet;
}

int TestCouplage::Impl::reparer() {
    libres_.clear();
    for (int v = 0; v <= n; ++v)
        if (present(v) && mate[static_cast<std::size_t>(v)] == LIBRE) libres_.push_back(v);
    auto est_libre = [&](int v) { return mate[static_cast<std::size_t>(v)] == LIBRE; };
    auto lier = [&](int a, int b) {
        mate[static_cast<std::size_t>(a)] = b;
        mate[static_cast<std::size_t>(b)] = a;
    };
    int reste = static_cast<int>(libres_.size());
    for (const int x : libres_) {
        if (!est_libre(x)) continue;
        bool fait = false;
        for (const int y : libres_)
            if (y != x && est_libre(y) && permise(x, y)) {
                lier(x, y);
                fait = true;
                break;
            }
        for (std::size_t k = 0; !fait && k < voisins[static_cast<std::size_t>(x)].size(); ++k) {
            const int u = voisins[static_cast<std::size_t>(x)][k];
            if (est_libre(u) || !permise(x, u)) continue;
            const int v = mate[static_cast<std::size_t>(u)];
            for (const int y : libres_)
                if (y != x && est_libre(y) && permise(v, y)) {
                    lier(x, u);
                    lier(v, y);
                    fait = true;
                    break;
                }
        }
        if (fait) reste -= 2;
    }
    return reste;
}

void TestCouplage::Impl::augmenter(int libres) {
    using Filtre = boost::filtered_graph<Graphe, FiltreArete, FiltreSommet>;
    const Filtre vue(graphe, FiltreArete{this}, FiltreSommet{this});
    const auto index = boost::get(boost::vertex_index, vue);
    const Sommet libre = boost::graph_traits<Graphe>::null_vertex();
    for (std::size_t v = 0; v < mate.size(); ++v)
        mate_boost[v] = mate[v] == LIBRE ? libre : static_cast<Sommet>(mate[v]);
    boost::edmonds_augmenting_path_finder<Filtre, Sommet*, decltype(index)> chemins(
        vue, mate_boost.data(), index);
    complet = libres % 2 == 0;
    for (int k = 0; complet && k < libres / 2; ++k)
        if (!chemins.augment_matching()) complet = false;
    chemins.get_current_matching(mate_boost.data());
    if (!complet) {
        // After a search that found no augmenting path, the odd vertices of
        // its forest are such a set.
        std::vector<int> etats(mate.size());
        chemins.get_vertex_state_map(etats.data());
        noter_barriere(etats);
    }
    for (std::size_t v = 0; v < mate.size(); ++v)
        mate[v] = mate_boost[v] == libre ? LIBRE : static_cast<int>(mate_boost[v]);
}

bool TestCouplage::Impl::barriere_prouve() {
    if (!barriere_connue) return false;
    groupe.assign(static_cast<std::size_t>(n + 1), -1);
    int retires = 0;
    for (const int v : barriere)
        if (present(v)) {
            groupe[static_cast<std::size_t>(v)] = v;  // out of every group
            ++retires;
        }
    int impairs = 0;
    for (int v = 0; v <= n; ++v) {
        if (!present(v) || groupe[static_cast<std::size_t>(v)] >= 0) continue;
        int taille = 0;
        pile.assign(1, v);
        groupe[static_cast<std::size_t>(v)] = v;
        while (!pile.empty()) {
            const int x = pile.back();
            pile.pop_back();
            ++taille;
            for (const int y : voisins[static_cast<std::size_t>(x)])
                if (groupe[static_cast<std::size_t>(y)] < 0 && permise(x, y)) {
                    groupe[static_cast<std::size_t>(y)] = v;
                    pile.push_back(y);
                }
        }
        impairs += taille % 2;
    }
    return impairs > retires;
}

void TestCouplage::Impl::noter_barriere(const std::vector<int>& etats) {
    barriere.clear();
    barriere_connue = true;
    for (int v = 0; v <= n; ++v)
        if (present(v) && etats[static_cast<std::size_t>(v)] == boost::graph::detail::V_ODD)
            barriere.push_back(v);
}

}  // namespace tavo
