#include <gtest/gtest.h>

#include "model/texte.h"
#include "standings/departages.h"
#include "standings/scores.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

using test::poser_partie;
using test::tournoi_avec_joueurs;

// Player 1 met players 2, 3, 4 in rounds 0 to 2 (all complete, no tables
// needed) with the given opponent scores and results.
Tournoi rencontres(std::vector<int> points_adversaires, std::vector<int> resultats) {
    Tournoi t = tournoi_avec_joueurs(static_cast<int>(points_adversaires.size()) + 1);
    t.entete.ronde_courante = static_cast<std::int16_t>(points_adversaires.size() - 1);
    for (std::size_t r = 0; r < points_adversaires.size(); ++r) {
        t.joueur(1).adversaires[r] = static_cast<std::int16_t>(r + 2);
        t.joueur(1).resultats[r] = static_cast<std::uint8_t>(resultats[r]);
        t.joueur(static_cast<int>(r) + 2).points = static_cast<std::int16_t>(points_adversaires[r]);
    }
    return t;
}

TEST(Departages, MedianBucholzDropsOneLowestAndOneHighest) {
    Tournoi a = rencontres({6, 8, 10}, {2, 2, 2});
    EXPECT_EQ(departage_bucholz(a, a.joueur(1)), 24);
    EXPECT_EQ(departage_bucholz_median(a, a.joueur(1)), 8);
    Tournoi b = rencontres({10, 8, 6}, {2, 2, 2});
    EXPECT_EQ(departage_bucholz_median(b, b.joueur(1)), 8);
    Tournoi c = rencontres({5, 5}, {2, 2});
    EXPECT_EQ(departage_bucholz_median(c, c.joueur(1)), 0);
    Tournoi d = rencontres({7}, {2});
    EXPECT_EQ(departage_bucholz_median(d, d.joueur(1)), 0);
    Tournoi e = rencontres({4, 4, 4, 9}, {0, 0, 0, 0});  // ties keep the earliest round
    EXPECT_EQ(departage_bucholz_median(e, e.joueur(1)), 8);
}

TEST(Departages, SonnebornBergerCountsWinsTwiceAndDrawsOnce) {
    Tournoi t = rencontres({6, 8, 10}, {2, 1, 0});
    EXPECT_EQ(departage_sonneborn_berger(t, t.joueur(1)), 2 * 6 + 8);
    EXPECT_EQ(departage_nb_gains(t, t.joueur(1)), 1);
}

TEST(Departages, CumulativeSkipsSpecialRounds) {
    Tournoi t = rencontres({0, 0, 0}, {2, 0, 2});
    EXPECT_EQ(departage_cumulatif(t, t.joueur(1)), 2 + 2 + 4);
    // A bye inserted between the games changes nothing.
    Tournoi b = rencontres({0, 0, 0, 0}, {2, 2, 0, 2});
    b.joueur(1).adversaires[1] = ID_QUALIFIE;
    EXPECT_EQ(departage_cumulatif(b, b.joueur(1)), 8);
}

TEST(Departages, ByeAndForfeitGiveOnlyThePionsBonus) {
    Tournoi t = tournoi_avec_joueurs(4);
    t.entete.othello = 1;
    t.joueur(4).actif = 0;
    test::ouvrir_ronde(t, 0);
    poser_partie(t, 0, 0, 1, 2, 2, 40);
    poser_partie(t, 0, 1, 3, ID_QUALIFIE, 2);
    t.joueur(4).adversaires[0] = ID_FORFAIT;
    t.joueur(4).couleurs[0] = SANS_PARTIE;
    calculer_points(t);
    const Joueur& bye = t.joueur(3);
    EXPECT_EQ(bye.points, 2);
    EXPECT_EQ(departage_bucholz(t, bye), 0);
    EXPECT_EQ(departage_sonneborn_berger(t, bye), 0);
    EXPECT_EQ(departage_cumulatif(t, bye), 0);
    EXPECT_EQ(departage_nb_gains(t, bye), 0);
    EXPECT_EQ(departage_pions_pris(t, bye), 33);
    EXPECT_EQ(departage_pions_pris(t, t.joueur(4)), 33);
    EXPECT_EQ(t.joueur(4).points, 0);
    EXPECT_EQ(departage_pions_pris(t, t.joueur(1)), 40);
    EXPECT_EQ(departage_pions_pris(t, t.joueur(2)), 24);
}

TEST(Departages, OnlyCompleteRoundsCount) {
    Tournoi t = tournoi_avec_joueurs(4);
    trier_classement(t);
    for (int p = 1; p <= 4; ++p) EXPECT_EQ(comparer_classement(t, t.joueurs[1], t.joueurs[p]), 0);

    test::ouvrir_ronde(t, 0);
    poser_partie(t, 0, 0, 1, 3, 2);
    poser_partie(t, 0, 1, 2, 4, 2);
    test::ouvrir_ronde(t, 1);
    poser_partie(t, 1, 0, 3, 1, 0);
    poser_partie(t, 1, 1, 4, 2, 0);
    t.app[1][1].saisi = 0;  // round 2 not complete
    calculer_points(t);
    EXPECT_EQ(derniere_ronde_complete(t), 0);
    EXPECT_EQ(t.joueur(1).points, 2);
    EXPECT_EQ(departage_bucholz(t, t.joueur(3)), 2);
    t.app[1][1].saisi = 1;
    calculer_points(t);
    EXPECT_EQ(t.joueur(1).points, 4);
}

// Players 1 and 2 both have 2 points; 1 has the better SB, 2 the better BU.
Tournoi sb_contre_bu(const std::vector<std::string>& departages) {
    Tournoi t = tournoi_avec_joueurs(6, 5, departages);
    t.entete.ronde_courante = 1;  // two rounds, no table: complete
    const int adversaires[2][2] = {{3, 4}, {5, 6}};
    const int points[7] = {0, 2, 2, 6, 2, 1, 9};
    for (int id = 1; id <= 2; ++id) {
        for (int r = 0; r < 2; ++r) {
            t.joueur(id).adversaires[r] = static_cast<std::int16_t>(adversaires[id - 1][r]);
            t.joueur(id).resultats[r] = r == 0 ? 2 : 0;
        }
    }
    for (int id = 1; id <= 6; ++id) t.joueur(id).points = static_cast<std::int16_t>(points[id]);
    return t;
}

TEST(Departages, TieBreaksApplyInTheChosenOrder) {
    Tournoi sb = sb_contre_bu({"SB", "BU"});
    EXPECT_EQ(departage_sonneborn_berger(sb, sb.joueur(1)), 12);
    EXPECT_EQ(departage_sonneborn_berger(sb, sb.joueur(2)), 2);
    EXPECT_EQ(departage_bucholz(sb, sb.joueur(1)), 8);
    EXPECT_EQ(departage_bucholz(sb, sb.joueur(2)), 10);
    EXPECT_LT(comparer_classement(sb, sb.joueur(1), sb.joueur(2)), 0);
    Tournoi bu = sb_contre_bu({"BU", "SB"});
    EXPECT_GT(comparer_classement(bu, bu.joueur(1), bu.joueur(2)), 0);
    Tournoi points_seuls = sb_contre_bu({});
    EXPECT_EQ(comparer_classement(points_seuls, points_seuls.joueur(1), points_seuls.joueur(2)), 0);
}

TEST(Departages, PlayersEqualOnEverythingKeepIncreasingIds) {
    Tournoi t = tournoi_avec_joueurs(6, 5, {"BU", "SB"});
    test::ouvrir_ronde(t, 0);
    for (int k = 0; k < 3; ++k) poser_partie(t, 0, k, 4 + k, 1 + k, 1);  // three draws
    trier_classement(t);
    for (int p = 1; p <= 6; ++p) EXPECT_EQ(t.joueurs[p].id, p);
    // A win moves its player ahead; the others keep their id order.
    t.app[0][1].res_blanc = 2, t.app[0][1].res_noir = 0;
    reporter_resultats(t);
    trier_classement(t);
    EXPECT_EQ(t.joueurs[1].id, 5);
    EXPECT_EQ(t.joueurs[6].id, 2);
    EXPECT_EQ(t.joueurs[2].id, 1);
}

TEST(Departages, ChoiceByIdsSetsIdsLabelsAndFunctions) {
    Tournoi t;
    choisir_departages(t, {0, 2});
    EXPECT_EQ(t.entete.nb_departages, 2);
    EXPECT_EQ(t.entete.departages[0], 0);
    EXPECT_EQ(t.entete.departages[1], 2);
    EXPECT_STREQ(t.entete.abrev_departages[1], "SB");
    EXPECT_EQ(t.fonctions_departage[1], &departage_sonneborn_berger);
    choisir_departages(t, {5, 7});  // 7 has no function
    EXPECT_EQ(t.entete.nb_departages, 1);
    EXPECT_EQ(t.fonctions_departage[0], &departage_pions_pris);
    EXPECT_EQ(t.fonctions_departage[1], nullptr);
}

TEST(Departages, CommitCopiesTheCurrentRoundIntoThePlayers) {
    Tournoi t = tournoi_avec_joueurs(3);
    test::ouvrir_ronde(t, 0);
    t.nb_app[0] = 2;
    t.app[0][0] = Appariement{2, 1, 0, 2, 20, 44, 1, 0};
    t.app[0][1] = Appariement{3, ID_QUALIFIE, 2, 0, 33, 31, 1, 0};
    EXPECT_EQ(reporter_resultats(t), 2);
    EXPECT_EQ(t.joueur(1).resultats[0], 2);
    EXPECT_EQ(t.joueur(1).pions[0], 44);
    EXPECT_EQ(t.joueur(2).resultats[0], 0);
    EXPECT_EQ(t.joueur(3).resultats[0], 2);
    EXPECT_EQ(t.joueur(3).pions[0], 33);
}

}  // namespace
}  // namespace tavo
