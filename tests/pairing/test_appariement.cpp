#include <gtest/gtest.h>

#include "gestion/resultats.h"
#include "gestion/rondes.h"
#include "model/texte.h"
#include "pairing/appariement.h"
#include "pairing/recherche.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

using test::InteractionTest;

// The tables of round r as "blanc-noir" pairs, in table order.
std::vector<std::pair<int, int>> tables(const Tournoi& t, int r) {
    std::vector<std::pair<int, int>> v;
    for (int k = 0; k < t.nb_app[r]; ++k) v.emplace_back(t.app[r][k].blanc, t.app[r][k].noir);
    return v;
}

using Tables = std::vector<std::pair<int, int>>;

TEST(PremiereRonde, HalvesWithWhiteOnTopAndByeForTheOddPlayer) {
    InteractionTest io;
    Rapport rapport;
    Tournoi huit = test::tournoi_avec_joueurs(8);
    ASSERT_TRUE(gestion::apparier_ronde(huit, rapport, io));
    EXPECT_EQ(tables(huit, 0), (Tables{{1, 5}, {2, 6}, {3, 7}, {4, 8}}));
    EXPECT_EQ(huit.entete.ronde_courante, 0);
    EXPECT_EQ(huit.entete.nb_actifs, 8);
    EXPECT_EQ(huit.entete.modifie, 1);
    huit.indexer_joueurs();
    EXPECT_EQ(huit.joueur(5).adversaires[0], 1);
    EXPECT_EQ(huit.joueur(5).couleurs[0], NOIR);

    Tournoi sept = test::tournoi_avec_joueurs(7);
    ASSERT_TRUE(gestion::apparier_ronde(sept, rapport, io));
    EXPECT_EQ(tables(sept, 0), (Tables{{1, 4}, {2, 5}, {3, 6}, {7, ID_QUALIFIE}}));
    const Appariement& exempt = sept.app[0][3];
    EXPECT_EQ(exempt.res_blanc, 2);
    EXPECT_EQ(exempt.res_noir, 0);
    EXPECT_EQ(exempt.pions_blanc, 33);
    EXPECT_EQ(exempt.pions_noir, 31);
    EXPECT_EQ(exempt.saisi, 1);
    sept.indexer_joueurs();
    EXPECT_EQ(sept.joueur(7).adversaires[0], ID_QUALIFIE);
    EXPECT_EQ(sept.joueur(7).couleurs[0], BLANC);
    EXPECT_EQ(sept.joueur(7).resultats[0], 2);
    EXPECT_TRUE(io.erreurs.empty());
}

TEST(PremiereRonde, InactivePlayerIsSkippedAndForfeited) {
    InteractionTest io;
    Rapport rapport;
    Tournoi t = test::tournoi_avec_joueurs(5);
    t.indexer_joueurs();
    t.joueur(2).actif = 0;
    t.joueur(2).resultats[0] = 2;  // stale value: the forfeit clears it
    ASSERT_TRUE(gestion::apparier_ronde(t, rapport, io));
    EXPECT_EQ(tables(t, 0), (Tables{{1, 4}, {3, 5}}));
    EXPECT_EQ(t.joueur(2).adversaires[0], ID_FORFAIT);
    EXPECT_EQ(t.joueur(2).couleurs[0], SANS_PARTIE);
    EXPECT_EQ(t.joueur(2).resultats[0], 0);
    EXPECT_EQ(t.entete.nb_actifs, 4);

    // Nobody active: refused, nothing paired.
    Tournoi vide = test::tournoi_avec_joueurs(2);
    vide.joueurs[1].actif = vide.joueurs[2].actif = 0;
    EXPECT_FALSE(gestion::apparier_ronde(vide, rapport, io));
    EXPECT_EQ(vide.entete.ronde_courante, -1);
    EXPECT_EQ(vide.nb_app[0], 0);
    EXPECT_EQ(io.erreurs, std::vector<std::string>{"Aucun joueur actif"});
}

// Four players: 1 beats 3, 2 and 4 draw; the second round crosses the score
// groups with colour and score penalties.
TEST(Recherche, FourPlayersSecondRound) {
    InteractionTest io;
    Rapport rapport;
    Tournoi t = test::tournoi_avec_joueurs(4);
    ASSERT_TRUE(gestion::apparier_ronde(t, rapport, io));
    ASSERT_EQ(tables(t, 0), (Tables{{1, 3}, {2, 4}}));
    gestion::enregistrer_points(t, 0, 2);
    gestion::enregistrer_points(t, 1, 1);
    ASSERT_TRUE(gestion::tout_verifier(t, io));

    ASSERT_TRUE(gestion::apparier_ronde(t, rapport, io));
    EXPECT_EQ(t.entete.ronde_courante, 1);
    EXPECT_EQ(tables(t, 1), (Tables{{4, 1}, {3, 2}}));
    EXPECT_EQ(statistiques_recherche().score, -260);
    EXPECT_GT(statistiques_recherche().noeuds, 0);
    for (int id : {1, 2}) EXPECT_EQ(t.joueur(id).flotte_bas, 1) << id;
    for (int id : {3, 4}) EXPECT_EQ(t.joueur(id).flotte_haut, 1) << id;
    for (int id : {1, 2}) EXPECT_EQ(t.joueur(id).flotte_haut, 0) << id;
    for (int id : {3, 4}) EXPECT_EQ(t.joueur(id).flotte_bas, 0) << id;
    EXPECT_EQ(t.joueur(1).adversaires[1], 4);
    EXPECT_TRUE(io.erreurs.empty());
}

TEST(Recherche, ByeNeverTwiceAndBacktracking) {
    // Round 1: 1 beats 2, 3 beats 4, 5 had the bye (corrected to 0 points).
    InteractionTest io;
    Rapport rapport;
    Tournoi t = test::tournoi_avec_joueurs(5);
    test::poser_partie(t, 0, 0, 1, 2, 2);
    test::poser_partie(t, 0, 1, 3, 4, 2);
    test::poser_partie(t, 0, 2, 5, ID_QUALIFIE, 0);
    test::ouvrir_ronde(t, 0);
    ASSERT_TRUE(gestion::apparier_ronde(t, rapport, io));
    // 5 would be left alone: the search backtracks and gives the bye to 3,
    // who is due black strongly: the bye takes the white side.
    EXPECT_EQ(tables(t, 1), (Tables{{4, 1}, {2, 5}, {ID_QUALIFIE, 3}}));
    EXPECT_EQ(statistiques_recherche().score, -260);
    const Appariement& exempt = t.app[1][2];
    EXPECT_EQ(exempt.saisi, 1);
    EXPECT_EQ(exempt.res_blanc, 0);
    EXPECT_EQ(exempt.res_noir, 2);
    EXPECT_EQ(exempt.pions_blanc, 31);
    EXPECT_EQ(exempt.pions_noir, 33);
    EXPECT_EQ(t.joueur(3).adversaires[1], ID_QUALIFIE);
    EXPECT_EQ(t.joueur(3).couleurs[1], NOIR);
}

// Full fields: 99 players (and the bye) or 100 fit in the search's tables.
// With every first-round game drawn the search goes straight down.
TEST(Recherche, FullCapacitySecondRound) {
    for (int n : {99, 100}) {
        InteractionTest io;
        Rapport rapport;
        Tournoi t = test::tournoi_avec_joueurs(n);
        ASSERT_TRUE(gestion::apparier_ronde(t, rapport, io));
        for (int k = 0; k < n / 2; ++k) gestion::enregistrer_points(t, k, 1);
        ASSERT_TRUE(gestion::apparier_ronde(t, rapport, io)) << n;
        ASSERT_EQ(t.nb_app[1], MAX_TABLES);
        std::vector<int> vus(MAX_JOUEURS + 1, 0);
        int exempts = 0;
        for (int k = 0; k < MAX_TABLES; ++k)
            for (int id : {t.app[1][k].blanc, t.app[1][k].noir}) {
                if (id == ID_QUALIFIE)
                    ++exempts;
                else
                    ++vus.at(id);
            }
        EXPECT_EQ(exempts, n % 2);
        for (int id = 1; id <= n; ++id) EXPECT_EQ(vus[id], 1) << n << " " << id;
        EXPECT_EQ(t.joueur(n).adversaires[1] == ID_QUALIFIE, false);  // had it in round 1
        EXPECT_EQ(rapport.lignes().size(), 4u + 3u * MAX_TABLES);
    }
}

TEST(NouvelleRonde, Refusals) {
    InteractionTest io;
    Rapport rapport;
    Tournoi t = test::tournoi_avec_joueurs(2, 2);
    ASSERT_TRUE(gestion::apparier_ronde(t, rapport, io));
    const std::vector<std::string> feuille = rapport.lignes();

    EXPECT_FALSE(gestion::apparier_ronde(t, rapport, io));
    EXPECT_EQ(io.erreurs.back(), cp("Tous les résultats de la ronde courante ne sont pas saisis"));

    // The two players have met: no second round exists.
    gestion::enregistrer_points(t, 0, 2);
    t.entete.modifie = 0;
    EXPECT_FALSE(gestion::apparier_ronde(t, rapport, io));
    EXPECT_EQ(io.erreurs.back(), "Appariements impossibles");
    EXPECT_EQ(t.entete.ronde_courante, 0);
    EXPECT_EQ(t.entete.modifie, 1);
    EXPECT_EQ(t.nb_app[1], 0);
    EXPECT_EQ(rapport.lignes(), feuille);
    EXPECT_LT(statistiques_recherche().score, -14999);

    // Last planned round reached.
    Tournoi une = test::tournoi_avec_joueurs(2, 1);
    ASSERT_TRUE(gestion::apparier_ronde(une, rapport, io));
    gestion::enregistrer_points(une, 0, 1);
    EXPECT_FALSE(gestion::apparier_ronde(une, rapport, io));
    EXPECT_EQ(io.erreurs.back(), cp("Toutes les rondes de ce tounoi ont été faites"));
    EXPECT_EQ(une.entete.ronde_courante, 0);

    // A file planning more rounds than the capacity stops at the 15th.
    Tournoi trop = test::tournoi_avec_joueurs(2, 5);
    trop.entete.nb_rondes = 20;
    test::ouvrir_ronde(trop, MAX_RONDES - 1);
    EXPECT_FALSE(gestion::apparier_ronde(trop, rapport, io));
    EXPECT_EQ(io.erreurs.back(), cp("Toutes les rondes de ce tounoi ont été faites"));
    EXPECT_EQ(trop.entete.ronde_courante, MAX_RONDES - 1);
}

}  // namespace
}  // namespace tavo
