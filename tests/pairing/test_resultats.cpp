#include <gtest/gtest.h>

#include "model/texte.h"
#include "pairing/appariement.h"
#include "pairing/resultats.h"
#include "standings/scores.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

using test::InteractionTest;

// A tournament whose first round is paired: 1-3 and 2-4.
Tournoi premiere_ronde_de_quatre(bool othello = false) {
    InteractionTest io;
    Rapport rapport;
    Tournoi t = test::tournoi_avec_joueurs(4);
    t.entete.othello = othello ? 1 : 0;
    EXPECT_TRUE(nouvelle_ronde(t, rapport, io));
    t.entete.modifie = 0;
    return t;
}

TEST(Resultats, PointsUpdateTableAndPlayers) {
    Tournoi t = premiere_ronde_de_quatre();
    EXPECT_TRUE(enregistrer_points(t, 0, 0));
    const Appariement& a = t.app[0][0];
    EXPECT_EQ(a.res_blanc, 0);
    EXPECT_EQ(a.res_noir, 2);
    EXPECT_EQ(a.saisi, 1);
    EXPECT_EQ(t.entete.modifie, 1);
    EXPECT_EQ(t.joueur(3).resultats[0], 2);
    EXPECT_EQ(t.joueur(1).resultats[0], 0);

    // No white choice: no result; the points stay in the table but no longer
    // count for the players.
    EXPECT_FALSE(enregistrer_points(t, 0, std::nullopt));
    EXPECT_EQ(a.saisi, 0);
    EXPECT_EQ(a.res_noir, 2);
    EXPECT_EQ(t.joueur(3).resultats[0], 0);
    EXPECT_FALSE(enregistrer_points(t, 0, 3));
    EXPECT_EQ(a.saisi, 0);

    // Tables outside the current round are never touched.
    t.entete.modifie = 0;
    EXPECT_FALSE(enregistrer_points(t, 2, 2));
    EXPECT_FALSE(enregistrer_points(t, -1, 2));
    EXPECT_FALSE(enregistrer_pions(t, 2, 40, 24));
    EXPECT_EQ(t.entete.modifie, 0);
    EXPECT_EQ(t.app[0][2].saisi, 0);
}

TEST(Resultats, OthelloDiscCounts) {
    Tournoi t = premiere_ronde_de_quatre(true);
    const Appariement& a = t.app[0][0];
    EXPECT_TRUE(enregistrer_pions(t, 0, 40, 24));
    EXPECT_EQ(a.res_blanc, 2);
    EXPECT_EQ(a.res_noir, 0);
    EXPECT_EQ(t.joueur(1).pions[0], 40);
    EXPECT_EQ(t.joueur(3).pions[0], 24);
    EXPECT_TRUE(enregistrer_pions(t, 0, 32, 32));
    EXPECT_EQ(a.res_blanc, 1);
    EXPECT_EQ(a.res_noir, 1);
    EXPECT_TRUE(enregistrer_pions(t, 0, 0, 64));
    EXPECT_EQ(a.res_blanc, 0);
    EXPECT_EQ(a.res_noir, 2);
    EXPECT_EQ(t.joueur(3).resultats[0], 2);

    // A sum other than 64: counts stored, no result, the old points unused.
    EXPECT_FALSE(enregistrer_pions(t, 0, 40, 20));
    EXPECT_EQ(a.saisi, 0);
    EXPECT_EQ(a.pions_blanc, 40);
    EXPECT_EQ(t.joueur(3).resultats[0], 0);

    // Out of range: never stored, never a result (320 and 65 + -1 would wrap
    // or add up to 64).
    EXPECT_FALSE(enregistrer_pions(t, 0, 65, -1));
    EXPECT_FALSE(enregistrer_pions(t, 1, 320, 0));
    EXPECT_EQ(a.saisi, 0);
    EXPECT_EQ(a.pions_blanc, 40);
    EXPECT_EQ(t.app[0][1].pions_blanc, 0);
    EXPECT_EQ(t.app[0][1].saisi, 0);
}

TEST(Resultats, ToutVerifierAndCorrectionsReachTheScores) {
    InteractionTest io;
    Tournoi t = premiere_ronde_de_quatre();
    enregistrer_points(t, 0, 2);
    EXPECT_FALSE(tout_verifier(t, io));
    EXPECT_EQ(io.erreurs.back(), cp("Il me manque des résultats"));
    EXPECT_EQ(t.entete.modifie, 1);

    enregistrer_points(t, 1, 1);
    ASSERT_TRUE(tout_verifier(t, io));
    calculer_points(t);
    EXPECT_EQ(t.joueur(1).points, 2);
    EXPECT_EQ(t.joueur(2).points, 1);

    // A correction after the commit counts at once, without another commit.
    enregistrer_points(t, 0, 0);
    calculer_points(t);
    EXPECT_EQ(t.joueur(1).points, 0);
    EXPECT_EQ(t.joueur(3).points, 2);

    // Before any round there is nothing to commit.
    Tournoi neuf = test::tournoi_avec_joueurs(2);
    EXPECT_FALSE(tout_verifier(neuf, io));
    EXPECT_EQ(io.erreurs.back(), cp("Aucune ronde n'a encore été appariée"));
}

TEST(Resultats, RoundEnteredWithoutCommitCountsWithItsResults) {
    // 5 players: the bye and two tables entered, never committed.
    InteractionTest io;
    Rapport rapport;
    Tournoi t = test::tournoi_avec_joueurs(5);
    ASSERT_TRUE(nouvelle_ronde(t, rapport, io));
    enregistrer_points(t, 0, 2);
    enregistrer_points(t, 1, 0);
    ASSERT_TRUE(t.ronde_complete(0));
    calculer_points(t);
    EXPECT_EQ(t.joueur(1).points, 2);
    EXPECT_EQ(t.joueur(4).points, 2);
    EXPECT_EQ(t.joueur(5).points, 2);  // the bye
    EXPECT_EQ(t.joueur(2).points, 0);
}

}  // namespace
}  // namespace tavo
