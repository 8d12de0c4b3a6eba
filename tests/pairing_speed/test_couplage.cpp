// The two matchings against brute force on many small random graphs.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <vector>

#include "pairing/couplage.h"

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

TEST(CouplageCoutMinimal, TrouveLeCoutDeLaForceBrute) {
    std::mt19937 hasard(777);
    int sans = 0;
    for (int essai = 0; essai < 600; ++essai) {
        const int n = 1 + essai % 11;
        const GrapheJoueurs g = graphe_au_hasard(hasard, n, 30 + (essai * 13) % 70);
        // Costs like the pairing's: many ties, a few very large values.
        std::vector<std::vector<std::int64_t>> couts(
            static_cast<std::size_t>(n), std::vector<std::int64_t>(static_cast<std::size_t>(n)));
        std::vector<std::int64_t> exempt(static_cast<std::size_t>(n));
        for (int a = 0; a < n; ++a) {
            exempt[static_cast<std::size_t>(a)] = static_cast<std::int64_t>(hasard() % 3);
            for (int b = a + 1; b < n; ++b) {
                std::int64_t c = 50 * static_cast<std::int64_t>(hasard() % 2) +
                                 80 * static_cast<std::int64_t>(hasard() % 4);
                if (hasard() % 10 == 0) c += 200000;
                couts[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] = c;
                couts[static_cast<std::size_t>(b)][static_cast<std::size_t>(a)] = c;
            }
        }
        Drapeaux tous(static_cast<std::size_t>(n), 1);
        const std::int64_t attendu = brute_cout_minimal(g, tous, couts, exempt, n % 2 == 1);
        std::vector<int> partenaire;
        const bool ok = couplage_cout_minimal(
            g,
            [&](int a, int b) {
                return couts[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
            },
            [&](int a) { return exempt[static_cast<std::size_t>(a)]; }, partenaire);
        ASSERT_EQ(ok, attendu != LLONG_MAX) << "essai " << essai;
        if (!ok) {
            ++sans;
            continue;
        }
        std::int64_t total = 0;
        int exempts = 0;
        for (int a = 0; a < n; ++a) {
            const int p = partenaire[static_cast<std::size_t>(a)];
            if (p == EXEMPT) {
                ++exempts;
                ASSERT_TRUE(g.exempt_autorise(a));
                total += exempt[static_cast<std::size_t>(a)];
                continue;
            }
            ASSERT_GE(p, 0);
            ASSERT_EQ(partenaire[static_cast<std::size_t>(p)], a);
            ASSERT_TRUE(g.autorise(a, p));
            if (a < p) total += couts[static_cast<std::size_t>(a)][static_cast<std::size_t>(p)];
        }
        EXPECT_EQ(exempts, n % 2);
        EXPECT_EQ(total, attendu) << "essai " << essai;
    }
    EXPECT_GT(sans, 20);
    EXPECT_LT(sans, 400);
}

}  // namespace
}  // namespace tavo
