// The matchings against brute force on many small random graphs, and the
// heaviest one's optimality certificate on large ones.
#include <gtest/gtest.h>

#include <array>
#include <numeric>

#include <climits>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <stdexcept>
#include <vector>

#include "matching/couplage.h"

namespace tavo {
namespace {

using Drapeaux = std::vector<std::uint8_t>;

GrapheJoueurs graphe_au_hasard(std::mt19937& hasard, int n, int densite_pourcent) {
    GrapheJoueurs g;
    g.preparer(n);
    std::uniform_int_distribution<int> cent(0, 99);
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b)
            if (cent(hasard) < densite_pourcent) g.autoriser(a, b);
        if (cent(hasard) < 70) g.autoriser_exempt(a);
    }
    return g;
}

// Every way to pair the present players, by trying every partner of the
// first one left.
bool brute_possible(const GrapheJoueurs& g, Drapeaux presents, int seul, const Drapeaux& permis,
                    bool exempt_libre) {
    int a = 0;
    while (a < g.taille() && !presents[static_cast<std::size_t>(a)]) ++a;
    if (a == g.taille()) return true;
    presents[static_cast<std::size_t>(a)] = 0;
    if (exempt_libre && a != seul && g.exempt_autorise(a) &&
        brute_possible(g, presents, seul, permis, false))
        return true;
    for (int b = a + 1; b < g.taille(); ++b) {
        if (!presents[static_cast<std::size_t>(b)] || !g.autorise(a, b)) continue;
        if (a == seul && !permis[static_cast<std::size_t>(b)]) continue;
        if (b == seul && !permis[static_cast<std::size_t>(a)]) continue;
        presents[static_cast<std::size_t>(b)] = 0;
        if (brute_possible(g, presents, seul, permis, exempt_libre)) return true;
        presents[static_cast<std::size_t>(b)] = 1;
    }
    return false;
}

TEST(TestCouplage, RepondCommeLaForceBruteSurDesQuestionsEnchainees) {
    std::mt19937 hasard(12345);
    int oui = 0, non = 0;
    for (int essai = 0; essai < 400; ++essai) {
        const int n = 1 + essai % 11;
        const GrapheJoueurs g = graphe_au_hasard(hasard, n, 25 + (essai * 7) % 60);
        TestCouplage test(g);
        // A run of questions on the same graph, as a search asks them: the
        // kept pairing must never make an answer wrong.
        for (int question = 0; question < 12; ++question) {
            Drapeaux presents(static_cast<std::size_t>(n)), permis(static_cast<std::size_t>(n));
            int nb = 0;
            for (int a = 0; a < n; ++a) {
                presents[static_cast<std::size_t>(a)] = hasard() % 4 != 0;
                permis[static_cast<std::size_t>(a)] = hasard() % 2;
                nb += presents[static_cast<std::size_t>(a)];
            }
            int seul = -1;
            if (nb > 0 && hasard() % 2) {
                seul = static_cast<int>(hasard() % static_cast<unsigned>(n));
                while (!presents[static_cast<std::size_t>(seul)]) seul = (seul + 1) % n;
            }
            const bool attendu = brute_possible(g, presents, seul, permis, nb % 2 == 1);
            const bool obtenu = test.possible(presents, seul, seul >= 0 ? &permis : nullptr);
            ASSERT_EQ(attendu, obtenu) << "essai " << essai << " question " << question;
            (attendu ? oui : non)++;
            if (!obtenu) continue;
            // The pairing it kept is a complete one for this question.
            int exempts = 0;
            for (int a = 0; a < n; ++a) {
                if (!presents[static_cast<std::size_t>(a)]) continue;
                const int p = test.partenaire(a);
                if (p == EXEMPT) {
                    ++exempts;
                    EXPECT_TRUE(g.exempt_autorise(a));
                    EXPECT_NE(a, seul);
                    continue;
                }
                ASSERT_GE(p, 0);
                EXPECT_TRUE(presents[static_cast<std::size_t>(p)]);
                EXPECT_EQ(test.partenaire(p), a);
                EXPECT_TRUE(g.autorise(a, p));
                if (a == seul) {
                    EXPECT_TRUE(permis[static_cast<std::size_t>(p)]);
                }
            }
            EXPECT_EQ(exempts, nb % 2);
        }
    }
    // Both answers were met often enough for the comparison to mean something.
    EXPECT_GT(oui, 500);
    EXPECT_GT(non, 500);
    std::printf("questions possibles %d, impossibles %d\n", oui, non);
}

TEST(TestCouplage, QuestionsVoisinesSansReponse) {
    // Questions that each differ from the one before by a player or two, as
    // in a search: most of those without answer are proved so by the last
    // proof found, without the matching algorithm.
    std::mt19937 hasard(2024);
    int non = 0, sans_algorithme = 0;
    for (int essai = 0; essai < 300; ++essai) {
        const int n = 6 + essai % 9;
        const GrapheJoueurs g = graphe_au_hasard(hasard, n, 15 + (essai * 7) % 30);
        TestCouplage test(g);
        Drapeaux presents(static_cast<std::size_t>(n), 1);
        const Drapeaux permis(static_cast<std::size_t>(n), 1);
        for (int question = 0; question < 15; ++question) {
            const int a = static_cast<int>(hasard() % static_cast<unsigned>(n));
            presents[static_cast<std::size_t>(a)] ^= 1;
            int nb = 0;
            for (const auto p : presents) nb += p;
            const long long avant = test.appels_algorithme();
            const bool attendu = brute_possible(g, presents, -1, permis, nb % 2 == 1);
            ASSERT_EQ(test.possible(presents), attendu)
                << "essai " << essai << " question " << question;
            if (attendu) continue;
            ++non;
            sans_algorithme += test.appels_algorithme() == avant;
        }
    }
    EXPECT_GT(non, 300);
    EXPECT_GT(sans_algorithme, non / 4);
    std::printf("impossibles %d, dont %d sans l'algorithme\n", non, sans_algorithme);
}

std::int64_t brute_cout_minimal(const GrapheJoueurs& g, Drapeaux& presents,
                                const std::vector<std::vector<std::int64_t>>& couts,
                                const std::vector<std::int64_t>& exempt, bool exempt_libre) {
    int a = 0;
    while (a < g.taille() && !presents[static_cast<std::size_t>(a)]) ++a;
    if (a == g.taille()) return 0;
    std::int64_t meilleur = LLONG_MAX;
    presents[static_cast<std::size_t>(a)] = 0;
    if (exempt_libre && g.exempt_autorise(a)) {
        const std::int64_t reste = brute_cout_minimal(g, presents, couts, exempt, false);
        if (reste != LLONG_MAX)
            meilleur = std::min(meilleur, reste + exempt[static_cast<std::size_t>(a)]);
    }
    for (int b = a + 1; b < g.taille(); ++b) {
        if (!presents[static_cast<std::size_t>(b)] || !g.autorise(a, b)) continue;
        presents[static_cast<std::size_t>(b)] = 0;
        const std::int64_t reste = brute_cout_minimal(g, presents, couts, exempt, exempt_libre);
        if (reste != LLONG_MAX)
            meilleur = std::min(
                meilleur, reste + couts[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)]);
        presents[static_cast<std::size_t>(b)] = 1;
    }
    presents[static_cast<std::size_t>(a)] = 1;
    return meilleur;
}

// Costs like the pairing's: many ties, a few very large values.
struct Couts {
    std::vector<std::vector<std::int64_t>> paire;
    std::vector<std::int64_t> exempt;

    Couts(std::mt19937& hasard, int n)
        : paire(static_cast<std::size_t>(n),
                std::vector<std::int64_t>(static_cast<std::size_t>(n))),
          exempt(static_cast<std::size_t>(n)) {
        for (int a = 0; a < n; ++a) {
            exempt[static_cast<std::size_t>(a)] = static_cast<std::int64_t>(hasard() % 3);
            for (int b = a + 1; b < n; ++b) {
                std::int64_t c = 50 * static_cast<std::int64_t>(hasard() % 2) +
                                 80 * static_cast<std::int64_t>(hasard() % 4);
                if (hasard() % 10 == 0) c += 200000;
                paire[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] = c;
                paire[static_cast<std::size_t>(b)][static_cast<std::size_t>(a)] = c;
            }
        }
    }
    std::function<std::int64_t(int, int)> de_paire() const {
        return [this](int a, int b) {
            return paire[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
        };
    }
    std::function<std::int64_t(int)> d_exempt() const {
        return [this](int a) { return exempt[static_cast<std::size_t>(a)]; };
    }
};

// The cost of a perfect matching of g (the bye once when n is odd), after
// checking that it is one.
std::int64_t cout_verifie(const GrapheJoueurs& g, const Couts& couts,
                          const std::vector<int>& partenaire) {
    const int n = g.taille();
    std::int64_t total = 0;
    int exempts = 0;
    for (int a = 0; a < n; ++a) {
        const int p = partenaire[static_cast<std::size_t>(a)];
        if (p == EXEMPT) {
            ++exempts;
            EXPECT_TRUE(g.exempt_autorise(a));
            total += couts.exempt[static_cast<std::size_t>(a)];
            continue;
        }
        EXPECT_GE(p, 0);
        if (p < 0) return -1;
        EXPECT_EQ(partenaire[static_cast<std::size_t>(p)], a);
        EXPECT_TRUE(g.autorise(a, p));
        if (a < p) total += couts.paire[static_cast<std::size_t>(a)][static_cast<std::size_t>(p)];
    }
    EXPECT_EQ(exempts, n % 2);
    return total;
}

// Pairs to weigh first, at random: none at all, a few, or many.
std::vector<std::vector<int>> voisins_au_hasard(std::mt19937& hasard, int n, int par_joueur) {
    std::vector<std::vector<int>> voisins(static_cast<std::size_t>(n));
    for (auto& liste : voisins)
        for (int k = 0; k < par_joueur; ++k) liste.push_back(static_cast<int>(hasard() % n));
    return voisins;
}

TEST(CouplageCoutMinimal, TrouveLeCoutDeLaForceBrute) {
    std::mt19937 hasard(777);
    int sans = 0;
    for (int essai = 0; essai < 600; ++essai) {
        const int n = 1 + essai % 11;
        const GrapheJoueurs g = graphe_au_hasard(hasard, n, 30 + (essai * 13) % 70);
        const Couts couts(hasard, n);
        Drapeaux tous(static_cast<std::size_t>(n), 1);
        const std::int64_t attendu =
            brute_cout_minimal(g, tous, couts.paire, couts.exempt, n % 2 == 1);
        std::vector<int> partenaire;
        const bool ok = couplage_cout_minimal(g, couts.de_paire(), couts.d_exempt(), partenaire);
        ASSERT_EQ(ok, attendu != LLONG_MAX) << "essai " << essai;
        // The large fields' matching, from pairs weighed at random.
        std::vector<int> par_voisinage;
        const bool ok_voisinage =
            couplage_cout_minimal_voisinage(g, couts.de_paire(), couts.d_exempt(),
                                            voisins_au_hasard(hasard, n, essai % 3), par_voisinage);
        ASSERT_EQ(ok_voisinage, ok) << "essai " << essai;
        if (!ok) {
            ++sans;
            continue;
        }
        EXPECT_EQ(cout_verifie(g, couts, partenaire), attendu) << "essai " << essai;
        EXPECT_EQ(cout_verifie(g, couts, par_voisinage), attendu) << "essai " << essai;
    }
    EXPECT_GT(sans, 20);
    EXPECT_LT(sans, 400);
}

// On graphs too large for brute force, where blossoms hold many vertices,
// the large fields' matching costs what the one of every pair costs.
TEST(CouplageCoutMinimal, ParVoisinageCouteAutantQueSurToutesLesPaires) {
    std::mt19937 hasard(4242);
    for (int essai = 0; essai < 16; ++essai) {
        const int n = 40 + 5 * essai;
        const GrapheJoueurs g = graphe_au_hasard(hasard, n, 10 + (essai * 23) % 80);
        const Couts couts(hasard, n);
        std::vector<int> partenaire;
        const bool ok = couplage_cout_minimal(g, couts.de_paire(), couts.d_exempt(), partenaire);
        std::vector<int> par_voisinage;
        ASSERT_EQ(couplage_cout_minimal_voisinage(g, couts.de_paire(), couts.d_exempt(),
                                                  voisins_au_hasard(hasard, n, 1 + essai % 4),
                                                  par_voisinage),
                  ok)
            << "essai " << essai;
        if (ok) {
            EXPECT_EQ(cout_verifie(g, couts, par_voisinage), cout_verifie(g, couts, partenaire))
                << "essai " << essai;
        }
    }
}

// ---------------------------------------------------------------------------
// The heaviest perfect matching and its dual

// A graph as the matching sees it: the players, plus the bye as vertex n
// when n is odd, with the weight of every allowed edge.
struct GraphePondere {
    GrapheJoueurs joueurs;
    int sommets = 0;                                  // n + n % 2
    std::vector<std::vector<std::int64_t>> poids;     // sommets x sommets
    std::vector<std::vector<std::uint8_t>> autorise;  // sommets x sommets

    std::int64_t paire(int a, int b) const {
        return poids[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
    }
    bool arete(int a, int b) const {
        return autorise[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] != 0;
    }
};

// Weights like the pairing's penalties: a few kinds of faults, each costing
// a round amount, so many ties; `etendue` > 0 draws them uniformly instead.
GraphePondere graphe_pondere(std::mt19937& hasard, int n, int densite_pourcent,
                             std::int64_t etendue = 0) {
    GraphePondere g;
    g.joueurs = graphe_au_hasard(hasard, n, densite_pourcent);
    g.sommets = n + n % 2;
    const auto m = static_cast<std::size_t>(g.sommets);
    g.poids.assign(m, std::vector<std::int64_t>(m, 0));
    g.autorise.assign(m, std::vector<std::uint8_t>(m, 0));
    auto tirage = [&]() -> std::int64_t {
        if (etendue > 0)
            return -static_cast<std::int64_t>(hasard() % static_cast<std::uint64_t>(etendue));
        return -80 * static_cast<std::int64_t>(hasard() % 6) -
               50 * static_cast<std::int64_t>(hasard() % 3);
    };
    for (int a = 0; a < g.sommets; ++a)
        for (int b = a + 1; b < g.sommets; ++b) {
            const bool permis = b < n ? g.joueurs.autorise(a, b) : g.joueurs.exempt_autorise(a);
            if (!permis) continue;
            const std::int64_t w = tirage();
            g.poids[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] = w;
            g.poids[static_cast<std::size_t>(b)][static_cast<std::size_t>(a)] = w;
            g.autorise[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] = 1;
            g.autorise[static_cast<std::size_t>(b)][static_cast<std::size_t>(a)] = 1;
        }
    return g;
}

bool heaviest(const GraphePondere& g, std::vector<int>& partenaire, BorneCouplage& borne) {
    const int n = g.joueurs.taille();
    return couplage_poids_maximal(
        g.joueurs, [&](int a, int b) { return g.paire(a, b); },
        [&](int a) { return g.paire(a, n); }, partenaire, &borne);
}

// The heaviest perfect matching of every subset of the vertices (bit v of
// the index: vertex v present), nullopt when it has none.
std::vector<std::optional<std::int64_t>> brute_tous_sous_ensembles(const GraphePondere& g) {
    std::vector<std::optional<std::int64_t>> meilleur(std::size_t{1} << g.sommets);
    meilleur[0] = 0;
    for (std::size_t masque = 1; masque < meilleur.size(); ++masque) {
        int a = 0;
        while (!(masque >> a & 1)) ++a;
        for (int b = a + 1; b < g.sommets; ++b) {
            if (!(masque >> b & 1) || !g.arete(a, b)) continue;
            const auto& reste = meilleur[masque & ~(std::size_t{1} << a) & ~(std::size_t{1} << b)];
            if (!reste) continue;
            const std::int64_t total = *reste + g.paire(a, b);
            if (!meilleur[masque] || total > *meilleur[masque]) meilleur[masque] = total;
        }
    }
    return meilleur;
}

// The matching is a perfect one of allowed edges; returns its weight.
std::int64_t verifier_couplage(const GraphePondere& g, const std::vector<int>& partenaire) {
    const int n = g.joueurs.taille();
    EXPECT_EQ(partenaire.size(), static_cast<std::size_t>(n));
    std::int64_t total = 0;
    int exempts = 0;
    for (int a = 0; a < n; ++a) {
        const int p = partenaire[static_cast<std::size_t>(a)];
        if (p == EXEMPT) {
            ++exempts;
            EXPECT_TRUE(g.joueurs.exempt_autorise(a)) << a;
            total += g.paire(a, n);
            continue;
        }
        EXPECT_TRUE(p >= 0 && p < n && p != a) << a << " -> " << p;
        if (p < 0 || p >= n) continue;
        EXPECT_EQ(partenaire[static_cast<std::size_t>(p)], a);
        EXPECT_TRUE(g.joueurs.autorise(a, p)) << a << "-" << p;
        if (a < p) total += g.paire(a, p);
    }
    EXPECT_EQ(exempts, n % 2);
    return total;
}

// Every allowed edge is covered: 4 w(u, v) <= s[u] + s[v] + the values of the
// blossoms that hold both; blossom values are positive, over odd sets.
void verifier_duale(const GraphePondere& g, const BorneCouplage& borne) {
    ASSERT_EQ(borne.sommets.size(), static_cast<std::size_t>(g.sommets));
    const auto m = static_cast<std::size_t>(g.sommets);
    std::vector<std::vector<std::int64_t>> fleurs_communes(m, std::vector<std::int64_t>(m, 0));
    for (const BorneCouplage::Fleur& f : borne.fleurs) {
        EXPECT_GT(f.valeur, 0);
        EXPECT_EQ(f.sommets.size() % 2, 1U);
        std::vector<std::uint8_t> dedans(m, 0);
        for (const int v : f.sommets) {
            ASSERT_TRUE(v >= 0 && v < g.sommets) << v;
            EXPECT_EQ(dedans[static_cast<std::size_t>(v)], 0) << "sommet en double " << v;
            dedans[static_cast<std::size_t>(v)] = 1;
        }
        for (const int u : f.sommets)
            for (const int v : f.sommets)
                fleurs_communes[static_cast<std::size_t>(u)][static_cast<std::size_t>(v)] +=
                    f.valeur;
    }
    for (int u = 0; u < g.sommets; ++u)
        for (int v = u + 1; v < g.sommets; ++v)
            if (g.arete(u, v)) {
                EXPECT_LE(
                    4 * g.paire(u, v),
                    borne.sommets[static_cast<std::size_t>(u)] +
                        borne.sommets[static_cast<std::size_t>(v)] +
                        fleurs_communes[static_cast<std::size_t>(u)][static_cast<std::size_t>(v)])
                    << u << "-" << v;
            }
}

TEST(CouplagePoidsMaximal, TrouveLeMeilleurCouplageEtUneBorneDeChaqueSousEnsemble) {
    std::mt19937 hasard(4242);
    int sans = 0, fleurs = 0;
    BorneCouplage borne;  // reused from one graph to the next, as the search does
    for (int essai = 0; essai < 1500; ++essai) {
        const int n = 1 + essai % 14;
        const std::int64_t etendue = essai % 5 == 0 ? 4001 : essai % 17 == 0 ? (1LL << 45) : 0;
        const GraphePondere g = graphe_pondere(hasard, n, 20 + (essai * 11) % 81, etendue);
        const auto meilleur = brute_tous_sous_ensembles(g);
        const std::size_t tous = meilleur.size() - 1;
        std::vector<int> partenaire;
        const bool ok = heaviest(g, partenaire, borne);
        ASSERT_EQ(ok, meilleur[tous].has_value()) << "essai " << essai;
        if (!ok) {
            ++sans;
            continue;
        }
        ASSERT_EQ(verifier_couplage(g, partenaire), *meilleur[tous]) << "essai " << essai;
        verifier_duale(g, borne);
        ASSERT_FALSE(HasFailure()) << "essai " << essai;
        fleurs += !borne.fleurs.empty();
        Drapeaux presents(static_cast<std::size_t>(g.sommets), 1);
        EXPECT_EQ(borne.borne(presents), 4 * *meilleur[tous]) << "essai " << essai;
        for (int question = 0; question < 20; ++question) {
            std::size_t masque = 0;
            for (int v = 0; v < g.sommets; ++v) {
                presents[static_cast<std::size_t>(v)] = hasard() % 3 != 0;
                if (presents[static_cast<std::size_t>(v)]) masque |= std::size_t{1} << v;
            }
            if (meilleur[masque]) {
                EXPECT_GE(borne.borne(presents), 4 * *meilleur[masque])
                    << "essai " << essai << " masque " << masque;
            }
        }
    }
    // Graphs without a perfect matching, and optimal duals that need
    // blossoms, were both met.
    EXPECT_GT(sans, 100);
    EXPECT_GT(fleurs, 50);
}

TEST(CouplagePoidsMaximal, CertifieSonOptimumSurDeGrandsGraphes) {
    std::mt19937 hasard(99);
    BorneCouplage borne;
    int sans = 0;
    for (int essai = 0; essai < 40; ++essai) {
        const int n = essai % 2 == 0 ? 50 : 101;
        const int densite = essai % 4 < 2 ? 70 : 4;  // dense, or sparse enough to fail at times
        const GraphePondere g = graphe_pondere(hasard, n, densite, essai % 3 == 0 ? 4001 : 0);
        std::vector<int> partenaire;
        const bool ok = heaviest(g, partenaire, borne);
        // Whether a perfect matching exists, answered independently.
        TestCouplage test(g.joueurs);
        ASSERT_EQ(ok, test.possible(Drapeaux(static_cast<std::size_t>(n), 1))) << "essai " << essai;
        if (!ok) {
            ++sans;
            continue;
        }
        const std::int64_t poids = verifier_couplage(g, partenaire);
        verifier_duale(g, borne);
        // A feasible dual whose value is the matching's weight proves it optimal.
        EXPECT_EQ(borne.borne(Drapeaux(static_cast<std::size_t>(g.sommets), 1)), 4 * poids)
            << "essai " << essai;
    }
    EXPECT_GT(sans, 0);
    EXPECT_LT(sans, 20);
}

// A graph of the players `gardes` of g (the bye kept when there is one),
// each pair lighter than in g by 0, 50 or 80, or no longer allowed: what
// the search asks a few levels below a node.
GraphePondere sous_graphe(std::mt19937& hasard, const GraphePondere& g,
                          const std::vector<int>& gardes) {
    const int n = static_cast<int>(gardes.size());
    GraphePondere h;
    h.joueurs.preparer(n);
    h.sommets = n + n % 2;
    const auto m = static_cast<std::size_t>(h.sommets);
    h.poids.assign(m, std::vector<std::int64_t>(m, 0));
    h.autorise.assign(m, std::vector<std::uint8_t>(m, 0));
    auto origine = [&](int x) {
        return x < n ? gardes[static_cast<std::size_t>(x)] : g.sommets - 1;
    };
    for (int x = 0; x < h.sommets; ++x)
        for (int y = x + 1; y < h.sommets; ++y) {
            if (!g.arete(origine(x), origine(y)) || hasard() % 10 == 0) continue;
            if (y == n)
                h.joueurs.autoriser_exempt(x);
            else
                h.joueurs.autoriser(x, y);
            const std::int64_t w =
                g.paire(origine(x), origine(y)) - std::array{0, 0, 50, 80}[hasard() % 4];
            h.poids[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = w;
            h.poids[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = w;
            h.autorise[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = 1;
            h.autorise[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = 1;
        }
    return h;
}

TEST(CouplagePoidsMaximal, RepartDeLaSolutionDUnGrapheParent) {
    // The start changes the work, never the answer: from the parent's
    // dual and pairing, from starts that do not fit, from nonsense.
    std::mt19937 hasard(777);
    int chauds = 0;
    for (int essai = 0; essai < 600; ++essai) {
        const int n = 3 + essai % 12;
        const GraphePondere g = graphe_pondere(hasard, n, 50 + essai % 50);
        std::vector<int> partenaire;
        BorneCouplage borne;
        if (!heaviest(g, partenaire, borne)) continue;
        // Two players placed: the others, in their order.
        std::vector<int> gardes(static_cast<std::size_t>(n));
        std::iota(gardes.begin(), gardes.end(), 0);
        gardes.erase(gardes.begin() + static_cast<long>(hasard() % gardes.size()));
        gardes.erase(gardes.begin() + static_cast<long>(hasard() % gardes.size()));
        const GraphePondere h = sous_graphe(hasard, g, gardes);
        const auto meilleur = brute_tous_sous_ensembles(h).back();

        std::vector<std::int64_t> valeurs;
        borne.valeurs_sans_fleurs(valeurs);
        std::vector<int> local(static_cast<std::size_t>(n), SANS_PARTENAIRE);
        for (std::size_t x = 0; x < gardes.size(); ++x)
            local[static_cast<std::size_t>(gardes[x])] = static_cast<int>(x);
        DepartCouplage depart;
        const auto k = static_cast<std::size_t>(h.sommets);
        depart.partenaire.assign(k, SANS_PARTENAIRE);
        for (std::size_t x = 0; x < k; ++x) {
            const int a = x < gardes.size() ? gardes[x] : g.sommets - 1;
            depart.sommets.push_back(valeurs[static_cast<std::size_t>(a)]);
            if (x == gardes.size()) continue;
            const int p = partenaire[static_cast<std::size_t>(a)];
            depart.partenaire[x] = p >= 0 ? local[static_cast<std::size_t>(p)] : p;
            if (p == EXEMPT) depart.partenaire[k - 1] = static_cast<int>(x);
        }
        // Starts that do not fit: some pairs heavier than the values allow,
        // values far too high, values unknown, partners that make no sense.
        DepartCouplage trop_bas = depart;
        for (std::int64_t& v : trop_bas.sommets) v -= 400 * static_cast<std::int64_t>(hasard() % 3);
        DepartCouplage absurde{std::vector<std::int64_t>(k, 1LL << 40), {}};
        for (std::size_t x = 0; x < k; ++x) {
            absurde.partenaire.push_back(static_cast<int>(hasard() % (k + 3)) - 2);
            if (hasard() % 3 == 0) absurde.sommets[x] = DepartCouplage::INCONNU;
        }
        DepartCouplage mauvaise_taille = depart;
        mauvaise_taille.sommets.push_back(0);

        for (DepartCouplage* d : {&depart, &trop_bas, &absurde, &mauvaise_taille}) {
            std::vector<int> p2;
            BorneCouplage b2;
            const bool ok = couplage_poids_maximal(
                h.joueurs, [&](int a, int b) { return h.paire(a, b); },
                [&](int a) { return h.paire(a, static_cast<int>(gardes.size())); }, p2, &b2, d);
            EXPECT_EQ(d->pris, d != &mauvaise_taille) << "essai " << essai;
            ASSERT_EQ(ok, meilleur.has_value()) << "essai " << essai;
            if (!ok) continue;
            ASSERT_EQ(verifier_couplage(h, p2), *meilleur) << "essai " << essai;
            verifier_duale(h, b2);
            EXPECT_EQ(b2.borne(Drapeaux(k, 1)), 4 * *meilleur) << "essai " << essai;
            ASSERT_FALSE(HasFailure()) << "essai " << essai;
            chauds += d->pris;
        }
    }
    EXPECT_GT(chauds, 200);
}

TEST(CouplagePoidsMaximal, CasLimites) {
    std::vector<int> partenaire{7};
    BorneCouplage borne;
    GrapheJoueurs vide;
    vide.preparer(0);
    auto zero_paire = [](int, int) { return std::int64_t{0}; };
    auto zero_exempt = [](int) { return std::int64_t{0}; };
    EXPECT_TRUE(couplage_poids_maximal(vide, zero_paire, zero_exempt, partenaire, &borne));
    EXPECT_TRUE(partenaire.empty());
    EXPECT_EQ(borne.borne({}), 0);

    // One player alone: the bye if he may take it, otherwise nothing.
    GrapheJoueurs seul;
    seul.preparer(1);
    EXPECT_FALSE(couplage_poids_maximal(seul, zero_paire, zero_exempt, partenaire, &borne));
    seul.autoriser_exempt(0);
    ASSERT_TRUE(couplage_poids_maximal(
        seul, zero_paire, [](int) { return std::int64_t{-30}; }, partenaire, &borne));
    EXPECT_EQ(partenaire, std::vector<int>{EXEMPT});
    EXPECT_EQ(borne.borne({1, 1}), -120);

    // Beyond the capacity: refused loudly rather than answered wrongly.
    GrapheJoueurs trop;
    trop.preparer(103);
    EXPECT_THROW(couplage_poids_maximal(trop, zero_paire, zero_exempt, partenaire, nullptr),
                 std::length_error);
}

}  // namespace
}  // namespace tavo
