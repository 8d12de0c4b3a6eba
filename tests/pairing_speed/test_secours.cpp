// The fallback pairing: when it is used, what it gives, and the one case left
// to "Appariements impossibles".
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "generateur.h"
#include "gestion/resultats.h"
#include "model/texte.h"
#include "pairing/appariement.h"
#include "pairing/recherche.h"
#include "pairing/secours.h"
#include "standings/scores.h"
#include "support/tournoi_test.h"
#include "support/verificateur_appariement.h"

namespace tavo {
namespace {

using test::InteractionTest;

// Every active player exactly once, nobody against an earlier opponent,
// nobody with a second bye.
void verifier_ronde(const Tournoi& t, int r) {
    std::set<int> vus;
    for (int k = 0; k < t.nb_tables(r); ++k) {
        const Appariement& a = t.table(r, k);
        for (const int id : {static_cast<int>(a.blanc), static_cast<int>(a.noir)}) {
            if (!est_joueur(id)) continue;
            EXPECT_TRUE(vus.insert(id).second) << "joueur " << id << " deux fois";
            const int autre = id == a.blanc ? a.noir : a.blanc;
            for (int avant = 0; avant < r; ++avant)
                EXPECT_NE(t.joueur(id).ronde(avant).adversaire, autre) << "joueur " << id;
        }
    }
    EXPECT_EQ(static_cast<int>(vus.size()), t.nb_joueurs_actifs());
}

TEST(Secours, AbandonDansUnChampImpair) {
    // Five players: 1-3 and 2-4, 5 has the bye; 1 and 2 win; 4 withdraws.
    // For round 2, 1, 2 and 5 are strongly due black: two of them must meet,
    // which the search never allows.
    InteractionTest io;
    Tournoi t = test::tournoi_avec_joueurs(5, 5);
    ASSERT_TRUE(nouvelle_ronde(t, io));
    ASSERT_EQ(t.table(0, 2).blanc, 5);
    gestion::enregistrer_points(t, 0, 2);
    gestion::enregistrer_points(t, 1, 2);
    ASSERT_TRUE(gestion::tout_verifier(t, io));
    t.indexer_joueurs();
    t.joueur(4).actif = false;

    Tournoi seule = t;
    EXPECT_FALSE(nouvelle_ronde(seule, io, OptionsAppariement{false, 0, false}));
    EXPECT_EQ(io.erreurs.back(), "Appariements impossibles");
    EXPECT_TRUE(io.informations.empty());

    io.erreurs.clear();
    ASSERT_TRUE(nouvelle_ronde(t, io));
    EXPECT_TRUE(io.erreurs.empty());
    ASSERT_EQ(io.informations.size(), 1u);
    EXPECT_EQ(io.informations[0], texte_secours());
    EXPECT_TRUE(statistiques_recherche().secours);
    ASSERT_EQ(t.nb_tables(1), 2);
    verifier_ronde(t, 1);
    // 3 (weakly due black) plays white against one of them; the other two
    // meet, and the higher-placed of those keeps his black.
    int fortes = 0;
    for (int k = 0; k < 2; ++k) {
        const Appariement& a = t.table(1, k);
        if (a.blanc == 3 || a.noir == 3) {
            EXPECT_EQ(a.blanc, 3);
            continue;
        }
        ++fortes;
        EXPECT_LT(t.position(a.noir), t.position(a.blanc));
    }
    EXPECT_EQ(fortes, 1);
    // The tables follow their higher-placed player.
    auto haut = [&](int k) {
        return std::min(t.position(t.table(1, k).blanc), t.position(t.table(1, k).noir));
    };
    EXPECT_LT(haut(0), haut(1));
}

// Three players with no game yet, all weakly due black, equal points, and
// the search's tables ready for them.
struct TroisJoueurs {
    Tournoi t = test::tournoi_avec_joueurs(3, 5);
    TablesRecherche w;

    TroisJoueurs() {
        test::ouvrir_ronde(t, 0);
        for (int id = 1; id <= 3; ++id)
            t.joueur(id).ronde(0) = {ID_FORFAIT, SANS_PARTIE, Resultat::aucun, 0};
        test::ouvrir_ronde(t, 1);
        appliquer_classement(t);
        w.preparer(t);
        w.derniere_complete = derniere_ronde_complete(t);
        for (int id = 1; id <= 3; ++id)
            w.couleurs_dues[static_cast<std::size_t>(id)] = couleur_due(t, id);
    }
};

TEST(Secours, ExemptAuMoinsBienPlaceQuandLesCoutsSontEgaux) {
    TroisJoueurs trois;
    Tournoi& t = trois.t;
    TablesRecherche& w = trois.w;
    ASSERT_TRUE(appariement_secours(t, w));
    // 1 and 2 pay the same colour penalty whoever is left out: the bye goes
    // to the last, 3; 1, higher placed, keeps his black.
    const auto& l = w.lignes[1];
    EXPECT_EQ(l[0].id, 1);
    EXPECT_EQ(l[0].couleur, NOIR);
    EXPECT_EQ(l[1].id, 2);
    EXPECT_EQ(l[1].couleur, BLANC);
    EXPECT_EQ(l[2].id, 3);
    EXPECT_EQ(l[3].id, ID_QUALIFIE);
    EXPECT_EQ(l[4].id, 0);

    // 3 already had a bye: it goes to the next one up.
    t.joueur(3).ronde(0).adversaire = ID_QUALIFIE;
    ASSERT_TRUE(appariement_secours(t, w));
    EXPECT_EQ(l[0].id, 1);
    EXPECT_EQ(l[1].id, 3);
    EXPECT_EQ(l[2].id, 2);
    EXPECT_EQ(l[3].id, ID_QUALIFIE);

    // Everybody had it: no pairing at all.
    t.joueur(1).ronde(0).adversaire = ID_QUALIFIE;
    t.joueur(2).ronde(0).adversaire = ID_QUALIFIE;
    EXPECT_FALSE(appariement_possible(t));
    EXPECT_FALSE(appariement_secours(t, w));
}

TEST(Secours, ImpossibleSeulementQuandToutLeMondeS_estRencontre) {
    banc::Hasard h(3);
    std::unique_ptr<Tournoi> t = banc::tournoi_sans_adversaire(8, h);
    InteractionTest io;
    const int ronde = t->entete.ronde_courante;
    EXPECT_FALSE(nouvelle_ronde(*t, io));
    ASSERT_EQ(io.erreurs.size(), 1u);
    EXPECT_EQ(io.erreurs[0], "Appariements impossibles");
    EXPECT_TRUE(io.informations.empty());
    EXPECT_EQ(t->entete.ronde_courante, ronde);
    EXPECT_EQ(t->nb_tables(ronde + 1), 0);
    EXPECT_EQ(statistiques_recherche().noeuds, 0);  // answered without searching
}

TEST(Secours, BudgetEpuise) {
    // A tournament played on; each round is paired again with a budget of a
    // few nodes: the search gives up, the fallback pairs every round.
    banc::Profil p;
    p.graine = 42;
    p.joueurs = 23;
    p.rondes = 8;
    p.abandons = 2;
    int rondes = 0;
    banc::jouer_tournoi(p, OptionsAppariement{}, [&](const Tournoi& avant) {
        Tournoi t = avant;
        InteractionTest io;
        ASSERT_TRUE(nouvelle_ronde(t, io, OptionsAppariement{true, 5, true, 0}));
        EXPECT_TRUE(statistiques_recherche().interrompue);
        EXPECT_EQ(io.informations.size(), 1u);
        verifier_ronde(t, t.entete.ronde_courante);
        ++rondes;
    });
    EXPECT_EQ(rondes, 7);
}

// A field of today's size, beyond the 1998 file (300 players here, 1,000 in
// the benchmark): the nine rounds of a tournament with draws and withdrawals
// are all paired, by the search or by the least-penalty matching, and every
// round passes the independent checker, strong colours included.
TEST(Secours, GrandChampNeufRondes) {
    banc::Profil p;
    p.graine = 2027;
    p.joueurs = 300;
    p.rondes = 9;
    p.limites_1998 = false;
    p.inactifs_depart = 10;
    banc::Hasard h(p.graine);
    std::unique_ptr<Tournoi> t = banc::creer_tournoi(p, h);
    int par_secours = 0;
    for (int r = 0; r < p.rondes; ++r) {
        for (int abandons = r > 0 ? 5 : 0; abandons > 0; --abandons)
            t->joueur(1 + h.entre(p.joueurs)).actif = false;
        InteractionTest io;
        ASSERT_TRUE(nouvelle_ronde(*t, io)) << "ronde " << r + 1;
        EXPECT_EQ(test::defauts_appariement(*t, r), std::vector<std::string>{});
        par_secours += statistiques_recherche().secours ? 1 : 0;
        banc::jouer_ronde(*t, p, h);
    }
    // Both ways were taken.
    EXPECT_GT(par_secours, 0);
    EXPECT_LT(par_secours, p.rondes - 1);
}

// The pairs of round r that the director forbade, read from the tables.
std::vector<std::pair<int, int>> paires_interdites(
    const Tournoi& t, int r, const std::set<std::pair<int, int>>& interdites) {
    std::vector<std::pair<int, int>> trouvees;
    for (int k = 0; k < t.nb_tables(r); ++k) {
        const auto paire = std::minmax(t.table(r, k).blanc, t.table(r, k).noir);
        if (interdites.count(paire) > 0) trouvees.push_back(paire);
    }
    return trouvees;
}

// Forbidden pairs never meet, on every path of the pairing: the first round
// by halves, the search with or without its cuts, the fallback, the large
// field. Before each round one pair that its pairing would make is forbidden
// too, so each round has a pair to avoid.
TEST(Interdits, JamaisAppariesQuelQueSoitLeChemin) {
    int par_secours = 0;
    for (const auto& [joueurs, rondes, graine] : {std::tuple{12, 6, 11}, std::tuple{16, 8, 12},
                                                  std::tuple{40, 9, 13}, std::tuple{150, 5, 14}}) {
        banc::Profil p;
        p.graine = static_cast<std::uint64_t>(graine);
        p.joueurs = joueurs;
        p.rondes = rondes;
        p.limites_1998 = joueurs <= 100;
        banc::Hasard h(p.graine);
        std::unique_ptr<Tournoi> t = banc::creer_tournoi(p, h);
        std::set<std::pair<int, int>> interdites{{1, joueurs / 2 + 1}};  // a first-round table
        for (int r = 0; r < rondes; ++r) {
            Tournoi essai = *t;
            essai.interdits.assign(interdites.begin(), interdites.end());
            InteractionTest io;
            if (nouvelle_ronde(essai, io))
                interdites.insert(std::minmax(essai.table(r, 0).blanc, essai.table(r, 0).noir));
            t->interdits.assign(interdites.begin(), interdites.end());
            ASSERT_TRUE(nouvelle_ronde(*t, io)) << joueurs << " joueurs, ronde " << r + 1;
            const bool secours = statistiques_recherche().secours;
            par_secours += secours ? 1 : 0;
            EXPECT_EQ(paires_interdites(*t, r, interdites), (std::vector<std::pair<int, int>>{}))
                << joueurs << " joueurs, ronde " << r + 1;
            EXPECT_EQ(test::defauts_appariement(*t, r, {.couleurs_fortes = !secours}),
                      std::vector<std::string>{});
            banc::jouer_ronde(*t, p, h);
        }
    }
    EXPECT_GT(par_secours, 0);
}

// A round that only forbidden pairs make impossible names them; the first
// round too.
TEST(Interdits, LeMessageNommeCeQuiBloque) {
    InteractionTest io;
    Tournoi deux = test::tournoi_avec_joueurs(2, 3);
    deux.interdits = {{1, 2}};
    EXPECT_FALSE(nouvelle_ronde(deux, io));
    EXPECT_EQ(io.erreurs.back(), "Appariements impossibles : l'appariement interdit 1-2 l'empêche");
    EXPECT_EQ(deux.entete.ronde_courante, -1);

    // Round 1: 1-3 and 2-4, drawn. Then 1 may meet neither 2 nor 4, nor 2
    // meet 3; without that, 1-4 and 2-3 keep every colour due.
    Tournoi t = test::tournoi_avec_joueurs(4, 3);
    test::ouvrir_ronde(t, 0);
    test::poser_partie(t, 0, 0, 1, 3, 1);
    test::poser_partie(t, 0, 1, 2, 4, 1);
    t.interdits = {{1, 2}, {1, 4}, {2, 3}};
    EXPECT_FALSE(nouvelle_ronde(t, io));
    EXPECT_EQ(io.erreurs.back(),
              "Appariements impossibles : les appariements interdits 1-4 et 2-3 l'empêchent");
    EXPECT_EQ(t.entete.ronde_courante, 0);
    EXPECT_EQ(t.nb_tables(1), 0);
}

// A large field that cannot be paired at all (an odd number of players who
// all had the bye) is refused after its search, the round left as it was.
TEST(Secours, GrandChampImpossible) {
    Tournoi t = test::tournoi_avec_joueurs(129, 5);
    test::ouvrir_ronde(t, 0);
    for (int id = 1; id <= 129; ++id) test::poser_partie(t, 0, id - 1, id, ID_QUALIFIE, 2);
    InteractionTest io;
    EXPECT_FALSE(nouvelle_ronde(t, io));
    EXPECT_EQ(io.erreurs, std::vector<std::string>{"Appariements impossibles"});
    EXPECT_EQ(t.entete.ronde_courante, 0);
    EXPECT_EQ(t.nb_tables(1), 0);
}

}  // namespace
}  // namespace tavo
