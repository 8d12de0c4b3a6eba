// The heaviest perfect matching of a small dense graph, with its dual
// solution: Edmonds' weighted blossom algorithm in its O(n^3) form, on an
// adjacency matrix, with one "slack" edge kept per vertex or blossom outside
// the search forest (the cheapest edge that joins it to an even vertex).
//
// The pairing search asks for it hundreds of times per round on the same few
// dozen players, so everything lives in one work area of fixed capacity,
// allocated once per thread and reused: a call allocates nothing once the
// caller's own vectors have reached their size. It may also start from the
// solution of a nearby graph (DepartCouplage): its values, raised where a
// pair needs it, and those of its pairs that stay tight; blossoms are not
// carried over. Then only the few players whose partners changed are left
// to match.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <type_traits>

#include "matching/couplage.h"

namespace tavo {
namespace {

// Vertices: the players plus the bye.
constexpr int MAX_SOMMETS = 102;
// Vertices are numbered 1..n, blossoms n+1..2n; 0 means "none".
constexpr int MAX_NOEUDS = 2 * MAX_SOMMETS + 1;

constexpr std::int64_t INFINI = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t AUCUNE = std::numeric_limits<std::int64_t>::min();

// Labels of the search forest.
constexpr int PAIR = 0;    // even: a root, or reached by a matched edge
constexpr int IMPAIR = 1;  // odd: reached by an edge not in the matching
constexpr int LIBRE = -1;  // outside the forest

// `oui` ? a : b, computed with masks: the compiler would otherwise turn some
// of these into branches, and where they are used the outcome is random.
template <typename T>
T choisir(bool oui, T a, T b) {
    const T masque = static_cast<T>(-static_cast<T>(oui));
    return static_cast<T>((a & masque) | (b & ~masque));
}

// An edge between two vertices u and v, or none (u == 0). The entry of the
// matrix between two blossoms (or a blossom and a vertex) holds the edge
// between them with the least slack, u on the side of the row.
struct Arete {
    std::uint8_t u, v;
};
static_assert(std::is_trivial_v<Arete>);
static_assert(MAX_NOEUDS <= 255);

// The dual values are kept as `lab`, four times the dual of the weights: the
// weights are stored times four, and for every edge (u, v) between two
// different top blossoms lab[u] + lab[v] >= 4 w(u, v) (the blossoms that hold
// both u and v add their own lab inside a blossom). Every label starts even,
// so the slack of an edge between two even vertices stays even and halving
// it keeps every value an integer.
//
// Vertex duals are free: this is the perfect matching problem, and when the
// forest can grow no more while the dual change is unbounded, there is no
// perfect matching.
class Blossom {
  public:
    Blossom() {
        for (auto& f : fleur_) f.reserve(MAX_SOMMETS);
        // Missing edges are read too (and their values ignored): everything
        // holds a value from the start.
        std::memset(g_, 0, sizeof g_);
        std::memset(lab_, 0, sizeof lab_);
        std::memset(poids_, 0, sizeof poids_);
    }

    // Takes the players of `graphe` as vertices 1..n, plus the bye as vertex
    // n + 1 when n is odd, with their weights. Weights are taken relative to
    // the first one: every perfect matching changes by the same amount, the
    // heaviest stays the same, and the values stay small whatever the
    // weights (only their spread counts). Returns the amount added to each.
    std::int64_t charger(const GrapheJoueurs& graphe,
                         const std::function<std::int64_t(int, int)>& poids_paire,
                         const std::function<std::int64_t(int)>& poids_exempt);

    // Starts from `depart` instead of from nothing, its labels shifted by
    // `decalage` (what charger returned) and raised where an edge needs it.
    // False, and nothing changed, when it does not have one entry per vertex.
    bool demarrer(const DepartCouplage& depart, std::int64_t decalage);

    // Runs the algorithm, from the start set by demarrer when `chaud`, else
    // from nothing; false when the graph has no perfect matching.
    bool resoudre(bool chaud);

    int partenaire(int u) const { return mate_[u]; }
    std::int64_t valeur_sommet(int u) const { return lab_[u]; }

    // Blossoms left at the end with a positive value: each one's value and,
    // through `feuilles`, the vertices it holds.
    template <typename F>
    void pour_chaque_fleur(F&& f) const {
        for (int b = n_ + 1; b <= nx_; ++b)
            if (st_[b] != 0 && lab_[b] > 0) f(b, lab_[b]);
    }
    template <typename F>
    void feuilles(int b, F&& f) const {
        for (const int x : fleur_[b])
            if (x <= n_)
                f(x);
            else
                feuilles(x, f);
    }

  private:
    std::int64_t ecart(Arete e) const { return lab_[e.u] + lab_[e.v] - poids_[e.u][e.v]; }

    // The cheapest edge from an even vertex outside x to x (read along x's
    // row: the matrix is symmetric).
    void calculer_ecart(int x) {
        slack_[x] = 0;
        std::int64_t meilleur = INFINI;
        const Arete* const ligne = g_[x];
        for (int u = 1; u <= n_; ++u) {
            // Without branches, as in former_fleur.
            const std::int64_t c = ecart(ligne[u]);
            const bool mieux =
                (ligne[u].u != 0) & (st_[u] != x) & (etiquette_[st_[u]] == PAIR) & (c < meilleur);
            meilleur = choisir(mieux, c, meilleur);
            slack_[x] = choisir(mieux, u, slack_[x]);
        }
        ecart_min_[x] = meilleur;
    }
    void enfiler(int x) {
        if (x <= n_)
            file_[fin_++] = x;
        else
            for (const int y : fleur_[x]) enfiler(y);
    }
    void poser_sommet(int x, int b) {
        st_[x] = b;
        if (x > n_)
            for (const int y : fleur_[x]) poser_sommet(y, b);
    }
    int position_paire(int b, int xr);
    void apparier(int u, int v);
    void augmenter(int u, int v);
    int ancetre_commun(int u, int v);
    void former_fleur(int u, int lca, int v);
    void ouvrir_fleur(int b);
    bool arete_serree(const Arete& e);
    bool etape(bool& bloque);

    int n_ = 0, nx_ = 0;
    int exempt_ = 0;  // the bye's vertex, 0 when the players are even in number
    Arete g_[MAX_NOEUDS][MAX_NOEUDS];
    std::int64_t poids_[MAX_SOMMETS + 1][MAX_SOMMETS + 1];  // four times the weight
    std::int64_t lab_[MAX_NOEUDS];
    int mate_[MAX_NOEUDS];  // the vertex at the other end of the matched edge
    // Outside the forest, or even: the even vertex at the end of the
    // cheapest edge to it (0: none), and that edge's slack, kept up to date
    // through the dual changes.
    int slack_[MAX_NOEUDS];
    std::int64_t ecart_min_[MAX_NOEUDS];
    int st_[MAX_NOEUDS];  // top blossom holding a vertex or blossom; 0: slot unused
    int pa_[MAX_NOEUDS];  // vertex on the even side of the edge that labelled an odd one
    int etiquette_[MAX_NOEUDS];
    int vu_[MAX_NOEUDS];
    int marque_ = 0;
    // Sub-blossom of a blossom that holds a given vertex (rows of blossoms only).
    std::uint8_t fleur_de_[MAX_NOEUDS][MAX_SOMMETS + 1];
    std::int64_t ecart_fleur_[MAX_NOEUDS];  // work area of former_fleur
    // Sub-blossoms of a blossom around its cycle, the base first.
    std::vector<int> fleur_[MAX_NOEUDS];
    // Vertices whose edges are still to scan; a vertex turns even at most
    // once per stage, so it enters at most once.
    int file_[MAX_NOEUDS];
    int tete_ = 0, fin_ = 0;
};

// Position of sub-blossom xr in the cycle of b, with the cycle turned so that
// the path from the base to xr has an even length.
int Blossom::position_paire(int b, int xr) {
    auto& f = fleur_[b];
    const int pr = static_cast<int>(std::find(f.begin(), f.end(), xr) - f.begin());
    if (pr % 2 == 1) {
        std::reverse(f.begin() + 1, f.end());
        return static_cast<int>(f.size()) - pr;
    }
    return pr;
}

// Matches u (a top blossom or vertex) through the edge g_[u][v], inside u too.
void Blossom::apparier(int u, int v) {
    const Arete e = g_[u][v];
    mate_[u] = e.v;
    if (u <= n_) return;
    const int xr = fleur_de_[u][e.u];
    const int pr = position_paire(u, xr);
    auto& f = fleur_[u];
    for (int i = 0; i < pr; ++i)
        apparier(f[static_cast<std::size_t>(i)], f[static_cast<std::size_t>(i ^ 1)]);
    apparier(xr, v);
    std::rotate(f.begin(), f.begin() + pr, f.end());
}

// Flips the matching along the path from u (even) back to its root, u being
// matched to v from now on.
void Blossom::augmenter(int u, int v) {
    for (;;) {
        const int xnv = st_[mate_[u]];
        apparier(u, v);
        if (xnv == 0) return;
        apparier(xnv, st_[pa_[xnv]]);
        u = st_[pa_[xnv]];
        v = xnv;
    }
}

// The blossom where the paths from u and v to their roots meet, 0 if they
// belong to different trees.
int Blossom::ancetre_commun(int u, int v) {
    if (++marque_ == std::numeric_limits<int>::max()) {
        std::fill(std::begin(vu_), std::end(vu_), 0);
        marque_ = 1;
    }
    for (; u != 0 || v != 0; std::swap(u, v)) {
        if (u == 0) continue;
        if (vu_[u] == marque_) return u;
        vu_[u] = marque_;
        u = st_[mate_[u]];
        if (u != 0) u = st_[pa_[u]];
    }
    return 0;
}

// Shrinks the odd cycle closed by an edge between even u and v into a new
// blossom based at lca.
void Blossom::former_fleur(int u, int lca, int v) {
    int b = n_ + 1;
    while (b <= nx_ && st_[b] != 0) ++b;
    if (b > nx_) ++nx_;
    lab_[b] = 0;
    etiquette_[b] = PAIR;
    mate_[b] = mate_[lca];
    auto& f = fleur_[b];
    f.clear();
    f.push_back(lca);
    for (int x = u, y; x != lca; x = st_[pa_[y]]) {
        f.push_back(x);
        f.push_back(y = st_[mate_[x]]);
        enfiler(y);
    }
    std::reverse(f.begin() + 1, f.end());
    for (int x = v, y; x != lca; x = st_[pa_[y]]) {
        f.push_back(x);
        f.push_back(y = st_[mate_[x]]);
        enfiler(y);
    }
    poser_sommet(b, b);
    // The edge of least slack from the new blossom to every other node, from
    // those of its sub-blossoms; the matrix stays symmetric (g_[x][y] is
    // g_[y][x] reversed), so the column is the row turned round.
    std::int64_t* const meilleur = ecart_fleur_;
    Arete* const ligne = g_[b];
    for (int x = 1; x <= nx_; ++x) {
        ligne[x] = Arete{};
        g_[x][b] = Arete{};  // the slot's column may hold edges of an earlier use
        meilleur[x] = INFINI;
    }
    for (int x = 1; x <= n_; ++x) fleur_de_[b][x] = 0;
    for (const int xs : f) {
        const Arete* const sous = g_[xs];
        // Without branches: which entries are edges and which are better
        // cannot be predicted. A missing edge (0, 0) reads entry 0.
        for (int x = 1; x <= nx_; ++x) {
            const Arete e = sous[x];
            const std::int64_t c = ecart(e);
            const bool mieux = (e.u != 0) & (c < meilleur[x]);
            meilleur[x] = choisir(mieux, c, meilleur[x]);
            ligne[x] = mieux ? e : ligne[x];
        }
        if (xs <= n_)
            fleur_de_[b][xs] = static_cast<std::uint8_t>(xs);
        else
            for (int x = 1; x <= n_; ++x)
                if (fleur_de_[xs][x] != 0) fleur_de_[b][x] = static_cast<std::uint8_t>(xs);
    }
    for (int x = 1; x <= nx_; ++x) g_[x][b] = Arete{ligne[x].v, ligne[x].u};
    calculer_ecart(b);
}

// Expands an odd blossom whose value has dropped to 0: the sub-blossoms on
// the even-length path from its entry to its base stay in the forest, the
// others leave it.
void Blossom::ouvrir_fleur(int b) {
    auto& f = fleur_[b];
    for (const int x : f) poser_sommet(x, x);
    const int xr = fleur_de_[b][g_[b][pa_[b]].u];
    const int pr = position_paire(b, xr);
    for (int i = 0; i < pr; i += 2) {
        const int xs = f[static_cast<std::size_t>(i)];
        const int xns = f[static_cast<std::size_t>(i + 1)];
        pa_[xs] = g_[xns][xs].u;
        etiquette_[xs] = IMPAIR;
        etiquette_[xns] = PAIR;
        slack_[xs] = 0;
        calculer_ecart(xns);
        enfiler(xns);
    }
    etiquette_[xr] = IMPAIR;
    pa_[xr] = pa_[b];
    for (std::size_t i = static_cast<std::size_t>(pr) + 1; i < f.size(); ++i) {
        etiquette_[f[i]] = LIBRE;
        calculer_ecart(f[i]);
    }
    st_[b] = 0;
}

// A tight edge from an even vertex: grows the forest, shrinks a blossom, or
// augments (returns true).
bool Blossom::arete_serree(const Arete& e) {
    const int u = st_[e.u], v = st_[e.v];
    if (etiquette_[v] == LIBRE) {
        pa_[v] = e.u;
        etiquette_[v] = IMPAIR;
        const int nu = st_[mate_[v]];
        slack_[v] = slack_[nu] = 0;
        etiquette_[nu] = PAIR;
        enfiler(nu);
    } else if (etiquette_[v] == PAIR) {
        const int lca = ancetre_commun(u, v);
        if (lca == 0) {
            augmenter(u, v);
            augmenter(v, u);
            return true;
        }
        former_fleur(u, lca, v);
    }
    return false;
}

// One stage: a forest grown from every unmatched vertex until an augmenting
// path appears (true). Sets `bloque` when the forest can grow no more and the
// dual can change no more: then no perfect matching exists.
bool Blossom::etape(bool& bloque) {
    bloque = false;
    std::fill(etiquette_ + 1, etiquette_ + nx_ + 1, LIBRE);
    std::fill(slack_ + 1, slack_ + nx_ + 1, 0);
    tete_ = fin_ = 0;
    for (int x = 1; x <= nx_; ++x)
        if (st_[x] == x && mate_[x] == 0) {
            pa_[x] = 0;
            etiquette_[x] = PAIR;
            enfiler(x);
        }
    if (tete_ == fin_) return false;
    // Each dual change adds to the forest, makes or opens a blossom, or
    // leads to an augmenting path: a few times the node count at most. Past
    // that the algorithm is lost; better an error than a program that hangs.
    for (int changements = 0;; ++changements) {
        if (changements > 4 * MAX_NOEUDS)
            throw std::logic_error("couplage_poids_maximal: the search does not end");
        while (tete_ < fin_) {
            const int u = file_[tete_++];
            if (etiquette_[st_[u]] == IMPAIR) continue;
            const Arete* const ligne = g_[u];
            const std::int64_t* const poids = poids_[u];
            const std::int64_t lab_u = lab_[u];  // labels change only at the dual changes
            for (int v = 1; v <= n_; ++v) {
                const int x = st_[v];
                const bool arete = (ligne[v].u != 0) & (st_[u] != x);
                const std::int64_t c = lab_u + lab_[v] - poids[v];
                if (arete && c == 0) {
                    // A tight edge to an odd node changes nothing.
                    if (etiquette_[x] != IMPAIR && arete_serree(ligne[v])) return true;
                    continue;
                }
                // Kept as x's slack without branches (edges and better ones
                // come unpredictably). The cheapest edge from u to a blossom
                // x may be another one than (u, v); when x is v, it is (u, v).
                const std::int64_t cx = ecart(g_[u][x]);
                const bool mieux = arete & ((slack_[x] == 0) | (cx < ecart_min_[x]));
                slack_[x] = choisir(mieux, u, slack_[x]);
                ecart_min_[x] = choisir(mieux, cx, ecart_min_[x]);
            }
        }
        // The dual change: as large as it can be without making an edge
        // slack negative or an odd blossom's value negative.
        std::int64_t d = INFINI;
        for (int b = n_ + 1; b <= nx_; ++b)
            if (st_[b] == b && etiquette_[b] == IMPAIR) d = std::min(d, lab_[b] / 2);
        for (int x = 1; x <= nx_; ++x)
            if (st_[x] == x && slack_[x] != 0) {
                if (etiquette_[x] == LIBRE)
                    d = std::min(d, ecart_min_[x]);
                else if (etiquette_[x] == PAIR)
                    d = std::min(d, ecart_min_[x] / 2);
            }
        if (d == INFINI) {
            bloque = true;
            return false;
        }
        for (int u = 1; u <= n_; ++u) {
            if (etiquette_[st_[u]] == PAIR)
                lab_[u] -= d;
            else if (etiquette_[st_[u]] == IMPAIR)
                lab_[u] += d;
        }
        for (int b = n_ + 1; b <= nx_; ++b)
            if (st_[b] == b) {
                if (etiquette_[b] == PAIR)
                    lab_[b] += 2 * d;
                else if (etiquette_[b] == IMPAIR)
                    lab_[b] -= 2 * d;
            }
        // An even vertex loses d: the cheapest edge from it to a node outside
        // the forest loses d, to an even node 2d.
        for (int x = 1; x <= nx_; ++x)
            if (st_[x] == x && slack_[x] != 0) {
                if (etiquette_[x] == LIBRE)
                    ecart_min_[x] -= d;
                else if (etiquette_[x] == PAIR)
                    ecart_min_[x] -= 2 * d;
            }
        tete_ = fin_ = 0;
        for (int x = 1; x <= nx_; ++x)
            if (st_[x] == x && slack_[x] != 0 && etiquette_[x] != IMPAIR && st_[slack_[x]] != x &&
                ecart_min_[x] == 0 && arete_serree(g_[slack_[x]][x]))
                return true;
        for (int b = n_ + 1; b <= nx_; ++b)
            if (st_[b] == b && etiquette_[b] == IMPAIR && lab_[b] == 0) ouvrir_fleur(b);
    }
}

std::int64_t Blossom::charger(const GrapheJoueurs& graphe,
                              const std::function<std::int64_t(int, int)>& poids_paire,
                              const std::function<std::int64_t(int)>& poids_exempt) {
    const int n = graphe.taille();
    n_ = nx_ = n + n % 2;
    exempt_ = n % 2 == 1 ? n_ : 0;
    for (int u = 1; u <= n_; ++u) {
        std::memset(&g_[u][1], 0, static_cast<std::size_t>(n_) * sizeof(Arete));
        lab_[u] = AUCUNE;  // until its heaviest edge (times four) is known
    }
    bool premiere = true;
    std::int64_t decalage = 0;
    auto ajouter = [&](int u, int v, std::int64_t w) {
        if (premiere) {
            decalage = -w;
            premiere = false;
        }
        w = 4 * (w + decalage);
        g_[u][v] = Arete{static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(v)};
        g_[v][u] = Arete{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(u)};
        poids_[u][v] = poids_[v][u] = w;
        lab_[v] = std::max(lab_[v], w);
        return w;
    };
    for (int a = 0; a < n; ++a) {
        std::int64_t plus_lourde = lab_[a + 1];
        for (int b = a + 1; b < n; ++b)
            if (graphe.autorise(a, b))
                plus_lourde = std::max(plus_lourde, ajouter(a + 1, b + 1, poids_paire(a, b)));
        if (n % 2 == 1 && graphe.exempt_autorise(a))
            plus_lourde = std::max(plus_lourde, ajouter(a + 1, n + 1, poids_exempt(a)));
        lab_[a + 1] = plus_lourde;
    }
    return decalage;
}

bool Blossom::demarrer(const DepartCouplage& depart, std::int64_t decalage) {
    if (depart.sommets.size() != static_cast<std::size_t>(n_) ||
        depart.partenaire.size() != static_cast<std::size_t>(n_))
        return false;
    std::int64_t labels[MAX_SOMMETS + 1];
    for (int u = 1; u <= n_; ++u) {
        const std::int64_t s = depart.sommets[static_cast<std::size_t>(u - 1)];
        // Unknown: as from nothing, half the heaviest edge (charger left it in lab_).
        labels[u] = s != DepartCouplage::INCONNU ? s + 2 * decalage
                    : lab_[u] == AUCUNE          ? 0
                                                 : lab_[u] / 2;
    }
    // Every edge covered: each vertex is raised, where needed, to cover its
    // edges to the vertices before it. Even labels: the slack of an edge
    // between two even vertices then stays even, as from nothing.
    for (int u = 1; u <= n_; ++u) {
        for (int v = 1; v < u; ++v)
            if (g_[u][v].u != 0) labels[u] = std::max(labels[u], poids_[u][v] - labels[v]);
        labels[u] += labels[u] & 1;
    }
    // The vertex of a partner as the caller numbers it, 0 for none.
    auto sommet = [&](int p) {
        if (p == EXEMPT) return exempt_;
        return p >= 0 && p < n_ && p + 1 != exempt_ ? p + 1 : 0;
    };
    std::fill(std::begin(mate_), std::end(mate_), 0);
    for (int u = 1; u <= n_; ++u) lab_[u] = labels[u];
    for (int u = 1; u <= n_; ++u) {
        const int v = sommet(depart.partenaire[static_cast<std::size_t>(u - 1)]);
        if (v == 0 || v == u || g_[u][v].u == 0 || mate_[u] != 0 || mate_[v] != 0) continue;
        if (sommet(depart.partenaire[static_cast<std::size_t>(v - 1)]) == u &&
            labels[u] + labels[v] == poids_[u][v]) {
            mate_[u] = v;
            mate_[v] = u;
        }
    }
    return true;
}

bool Blossom::resoudre(bool chaud) {
    std::fill(std::begin(st_), std::end(st_), 0);
    if (!chaud) std::fill(std::begin(mate_), std::end(mate_), 0);
    std::fill(std::begin(vu_), std::end(vu_), 0);
    marque_ = 0;
    for (int u = 1; u <= n_; ++u) {
        st_[u] = u;
        fleur_[u].clear();
        // From nothing, each vertex starts at half its heaviest edge (times
        // four), which makes every edge's slack >= 0 and the heaviest edges
        // tight. A vertex without edges leaves the graph without a perfect
        // matching: any value does.
        if (!chaud) lab_[u] = lab_[u] == AUCUNE ? 0 : lab_[u] / 2;
    }
    // A greedy matching of tight edges, then the augmenting paths of three
    // tight edges from what it left, save most of the stages.
    auto serree = [&](int u, int v) {
        return (g_[u][v].u != 0) & (lab_[u] + lab_[v] == poids_[u][v]);
    };
    int libres[MAX_SOMMETS];
    int nb_libres = 0;
    for (int u = 1; u <= n_; ++u) {
        for (int v = u + 1; v <= n_ && mate_[u] == 0; ++v)
            if (mate_[v] == 0 && serree(u, v)) {
                mate_[u] = v;
                mate_[v] = u;
            }
        if (mate_[u] == 0) libres[nb_libres++] = u;
    }
    for (int i = 0; i < nb_libres; ++i) {
        const int u = libres[i];
        for (int v = 1; v <= n_ && mate_[u] == 0; ++v) {
            if (!serree(u, v)) continue;
            const int w = mate_[v];
            for (int j = 0; j < nb_libres; ++j) {
                const int x = libres[j];
                if (x != u && mate_[x] == 0 && serree(w, x)) {
                    mate_[u] = v;
                    mate_[v] = u;
                    mate_[w] = x;
                    mate_[x] = w;
                    break;
                }
            }
        }
    }
    bool bloque = false;
    while (etape(bloque)) {
    }
    return !bloque;
}

Blossom& espace_de_travail() {
    thread_local std::unique_ptr<Blossom> espace = std::make_unique<Blossom>();
    return *espace;
}

}  // namespace

std::int64_t BorneCouplage::borne(const std::vector<std::uint8_t>& presents) const {
    std::int64_t total = 0;
    for (std::size_t v = 0; v < sommets.size(); ++v)
        if (presents[v] != 0) total += sommets[v];
    for (const Fleur& f : fleurs) {
        int dedans = 0;
        for (const int v : f.sommets) dedans += presents[static_cast<std::size_t>(v)] != 0;
        total += f.valeur * (dedans / 2);
    }
    return total;
}

void BorneCouplage::valeurs_sans_fleurs(std::vector<std::int64_t>& valeurs) const {
    valeurs = sommets;
    for (const Fleur& f : fleurs)
        for (const int v : f.sommets) valeurs[static_cast<std::size_t>(v)] += f.valeur / 2;
}

bool couplage_poids_maximal(const GrapheJoueurs& graphe,
                            const std::function<std::int64_t(int, int)>& poids_paire,
                            const std::function<std::int64_t(int)>& poids_exempt,
                            std::vector<int>& partenaire, BorneCouplage* borne,
                            DepartCouplage* depart) {
    const int n = graphe.taille();
    partenaire.assign(static_cast<std::size_t>(n), SANS_PARTENAIRE);
    if (borne != nullptr) borne->sommets.clear();
    if (n == 0) {
        if (borne != nullptr) borne->fleurs.clear();
        return true;
    }
    const int total = n + n % 2;  // vertex n (0-based) is the bye
    if (total > MAX_SOMMETS) throw std::length_error("couplage_poids_maximal: too many players");

    Blossom& calcul = espace_de_travail();
    const std::int64_t decalage = calcul.charger(graphe, poids_paire, poids_exempt);
    const bool chaud = depart != nullptr && calcul.demarrer(*depart, decalage);
    if (depart != nullptr) depart->pris = chaud;
    if (!calcul.resoudre(chaud)) return false;

    for (int a = 0; a < n; ++a) {
        const int p = calcul.partenaire(a + 1) - 1;
        partenaire[static_cast<std::size_t>(a)] = p == n ? EXEMPT : p;
    }
    if (borne == nullptr) return true;
    // The labels are four times the dual of the shifted weights: each vertex
    // gives back half the shift, times four.
    borne->sommets.resize(static_cast<std::size_t>(total));
    for (int v = 0; v < total; ++v)
        borne->sommets[static_cast<std::size_t>(v)] = calcul.valeur_sommet(v + 1) - 2 * decalage;
    // The caller's vectors are reused when it passes the same bound again.
    std::size_t k = 0;
    auto& fleurs = borne->fleurs;
    calcul.pour_chaque_fleur([&](int b, std::int64_t valeur) {
        if (k == fleurs.size()) fleurs.emplace_back();
        BorneCouplage::Fleur& fleur = fleurs[k++];
        fleur.valeur = valeur;
        fleur.sommets.clear();
        calcul.feuilles(b, [&](int x) { fleur.sommets.push_back(x - 1); });
    });
    fleurs.resize(k);
    return true;
}

}  // namespace tavo
