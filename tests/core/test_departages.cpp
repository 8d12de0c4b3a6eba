#include <gtest/gtest.h>

#include "model/accord.h"
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
    const int n = static_cast<int>(points_adversaires.size());
    test::ouvrir_ronde(t, n - 1);
    for (int r = 0; r < n; ++r) {
        t.joueur(1).ronde(r).adversaire = r + 2;
        t.joueur(1).ronde(r).resultat = resultat_de(resultats[static_cast<std::size_t>(r)]);
        t.joueur(r + 2).points = points_adversaires[static_cast<std::size_t>(r)];
    }
    return t;
}

// A tie-break of player `id`, every player's points taken from his record
// (set by the test, whatever his games).
int dep(int systeme, const Tournoi& t, int id) {
    std::vector<int> points(static_cast<std::size_t>(t.nb_joueurs()) + 1, 0);
    for (const Joueur& j : t.joueurs) points[static_cast<std::size_t>(j.id)] = j.points;
    return valeur_departage(systeme, t, points, t.joueur(id));
}

TEST(Departages, MedianBucholzDropsOneLowestAndOneHighest) {
    Tournoi a = rencontres({6, 8, 10}, {2, 2, 2});
    EXPECT_EQ(dep(ID_BUCHOLZ, a, 1), 24);
    EXPECT_EQ(dep(ID_BUCHOLZ_MEDIAN, a, 1), 8);
    EXPECT_EQ(dep(ID_BUCHOLZ_MEDIAN, rencontres({10, 8, 6}, {2, 2, 2}), 1), 8);
    EXPECT_EQ(dep(ID_BUCHOLZ_MEDIAN, rencontres({5, 5}, {2, 2}), 1), 0);
    EXPECT_EQ(dep(ID_BUCHOLZ_MEDIAN, rencontres({7}, {2}), 1), 0);
    // Ties keep the earliest round.
    EXPECT_EQ(dep(ID_BUCHOLZ_MEDIAN, rencontres({4, 4, 4, 9}, {0, 0, 0, 0}), 1), 8);
}

TEST(Departages, SonnebornBergerCountsWinsTwiceAndDrawsOnce) {
    Tournoi t = rencontres({6, 8, 10}, {2, 1, 0});
    EXPECT_EQ(dep(ID_SONNEBORN_BERGER, t, 1), 2 * 6 + 8);
    EXPECT_EQ(dep(ID_NB_GAINS, t, 1), 1);
}

TEST(Departages, CumulativeSkipsSpecialRounds) {
    EXPECT_EQ(dep(ID_CUMULATIF, rencontres({0, 0, 0}, {2, 0, 2}), 1), 2 + 2 + 4);
    // A bye inserted between the games changes nothing.
    Tournoi b = rencontres({0, 0, 0, 0}, {2, 2, 0, 2});
    b.joueur(1).ronde(1).adversaire = ID_QUALIFIE;
    EXPECT_EQ(dep(ID_CUMULATIF, b, 1), 8);
}

TEST(Departages, ByeAndForfeitGiveOnlyThePionsBonus) {
    Tournoi t = tournoi_avec_joueurs(4);
    t.entete.othello = true;
    t.joueur(4).actif = false;
    test::ouvrir_ronde(t, 0);
    poser_partie(t, 0, 0, 1, 2, 2, 40);
    poser_partie(t, 0, 1, 3, ID_QUALIFIE, 2);
    t.joueur(4).ronde(0) = {ID_FORFAIT, SANS_PARTIE, Resultat::aucun, 0};
    const std::vector<int> points = points_par_numero(t);
    EXPECT_EQ(points[3], 2);
    EXPECT_EQ(points[4], 0);
    const auto valeur = [&](int systeme, int id) {
        return valeur_departage(systeme, t, points, t.joueur(id));
    };
    for (const int systeme : {ID_BUCHOLZ, ID_SONNEBORN_BERGER, ID_CUMULATIF, ID_NB_GAINS})
        EXPECT_EQ(valeur(systeme, 3), 0) << systeme;
    EXPECT_EQ(valeur(ID_PIONS_PRIS, 3), 33);
    EXPECT_EQ(valeur(ID_PIONS_PRIS, 4), 33);
    EXPECT_EQ(valeur(ID_PIONS_PRIS, 1), 40);
    EXPECT_EQ(valeur(ID_PIONS_PRIS, 2), 24);
}

// Every round without a game counts as the bye does: a forfeit (won, lost,
// or double) and a requested bye give their points but no opponent. Round 1:
// 1 wins by forfeit against 2, 3 beats 4, 5 and 6 both forfeit. Round 2: 1
// and 3 draw, 2 beats 4, 5 asked for a half-point bye and 6 for a zero one.
TEST(Departages, UnplayedGamesGiveTheirPointsButNoOpponent) {
    Tournoi t = tournoi_avec_joueurs(6, 4, {"BU", "SB", "CU"});
    t.limites_1998 = false;
    test::ouvrir_ronde(t, 1);
    poser_partie(t, 0, 0, 1, 2, 0);
    poser_resultat(t, 0, 0, Resultat::gain, 0, 0, Forfait::noir);
    poser_partie(t, 0, 1, 3, 4, 2);
    poser_partie(t, 0, 2, 5, 6, 0);
    poser_resultat(t, 0, 2, Resultat::perte, 0, 0, Forfait::les_deux);
    poser_partie(t, 1, 0, 1, 3, 1);
    poser_partie(t, 1, 1, 2, 4, 2);
    t.joueur(5).absences = {{1, true}};
    t.joueur(6).absences = {{1, false}};
    for (const int id : {5, 6}) poser_ronde_sans_table(t.joueur(id), 1);

    const Classement c(t);
    std::vector<std::vector<int>> lignes;
    for (const LigneClassement& l : c.lignes()) {
        lignes.push_back({l.id, l.points});
        lignes.back().insert(lignes.back().end(), l.departages.begin(), l.departages.end());
    }
    // id, points, BU, SB, CU in half-points: 3 and 1 part on the cumulative,
    // where 1's forfeit win does not count; 4 met 3 and 2 over the board.
    EXPECT_EQ(lignes, (std::vector<std::vector<int>>{{3, 3, 3, 3, 5},
                                                     {1, 3, 3, 3, 1},
                                                     {2, 2, 0, 0, 2},
                                                     {5, 1, 0, 0, 0},
                                                     {4, 0, 5, 0, 0},
                                                     {6, 0, 0, 0, 0}}));
    EXPECT_EQ(desaccord(t), "");
}

TEST(Departages, OnlyCompleteRoundsCount) {
    Tournoi t = tournoi_avec_joueurs(4);
    const Classement avant(t);
    for (std::size_t i = 0; i + 1 < 4; ++i) EXPECT_TRUE(avant.ex_aequo(i));

    test::ouvrir_ronde(t, 0);
    poser_partie(t, 0, 0, 1, 3, 2);
    poser_partie(t, 0, 1, 2, 4, 2);
    test::ouvrir_ronde(t, 1);
    poser_partie(t, 1, 0, 3, 1, 0);
    poser_partie(t, 1, 1, 4, 2, 0);
    t.table(1, 1).res_blanc = Resultat::aucun;  // round 2 not complete
    EXPECT_EQ(derniere_ronde_complete(t), 0);
    EXPECT_EQ(points_par_numero(t)[1], 2);
    EXPECT_EQ(Classement(t).ligne(1).points, 2);
    t.table(1, 1).res_blanc = Resultat::perte;
    EXPECT_EQ(points_par_numero(t)[1], 4);
}

// Players 1 and 2 both have 2 points (one win each); 1 has the better SB, 2
// the better BU.
Tournoi sb_contre_bu(const std::vector<std::string>& departages) {
    Tournoi t = tournoi_avec_joueurs(6, 5, departages);
    test::ouvrir_ronde(t, 4);  // five rounds, no table: complete
    const int adversaires[2][2] = {{3, 4}, {5, 6}};
    for (int id = 1; id <= 2; ++id)
        for (int r = 0; r < 2; ++r)
            t.joueur(id).ronde(r) = {adversaires[id - 1][r], BLANC,
                                     r == 0 ? Resultat::gain : Resultat::perte, 0};
    // Opponents' points (half-points, counted over their own records): 3 has
    // 6, 4 has 2, 5 has 1, 6 has 9.
    const int gains[7] = {0, 0, 0, 3, 1, 0, 4};
    const int nulles[7] = {0, 0, 0, 0, 0, 1, 1};
    for (int id = 3; id <= 6; ++id) {
        std::vector<RondeJoueur>& rondes = t.joueur(id).rondes;
        for (std::size_t r = 0; r < rondes.size(); ++r)
            rondes[r].resultat = r < static_cast<std::size_t>(gains[id]) ? Resultat::gain
                                 : r < static_cast<std::size_t>(gains[id] + nulles[id])
                                     ? Resultat::nulle
                                     : Resultat::aucun;
    }
    return t;
}

TEST(Departages, TieBreaksApplyInTheChosenOrder) {
    Tournoi sb = sb_contre_bu({"SB", "BU"});
    for (Joueur& j : sb.joueurs) j.points = points_par_numero(sb)[static_cast<std::size_t>(j.id)];
    EXPECT_EQ(dep(ID_SONNEBORN_BERGER, sb, 1), 12);
    EXPECT_EQ(dep(ID_SONNEBORN_BERGER, sb, 2), 2);
    EXPECT_EQ(dep(ID_BUCHOLZ, sb, 1), 8);
    EXPECT_EQ(dep(ID_BUCHOLZ, sb, 2), 10);
    const auto premier_des_deux = [](const Classement& c) {
        for (const LigneClassement& l : c.lignes())
            if (l.id == 1 || l.id == 2) return l.id;
        return 0;
    };
    EXPECT_EQ(premier_des_deux(Classement(sb)), 1);
    EXPECT_EQ(premier_des_deux(Classement(sb_contre_bu({"BU", "SB"}))), 2);
    const Classement points_seuls(sb_contre_bu({}));
    EXPECT_EQ(points_seuls.ligne(1).departages, points_seuls.ligne(2).departages);
}

TEST(Departages, PlayersEqualOnEverythingKeepIncreasingIds) {
    Tournoi t = tournoi_avec_joueurs(6, 5, {"BU", "SB"});
    test::ouvrir_ronde(t, 0);
    for (int k = 0; k < 3; ++k) poser_partie(t, 0, k, 4 + k, 1 + k, 1);  // three draws
    appliquer_classement(t);
    for (int p = 0; p < 6; ++p) EXPECT_EQ(t.joueurs[static_cast<std::size_t>(p)].id, p + 1);
    // A win moves its player ahead; the others keep their id order.
    poser_resultat(t, 0, 1, Resultat::gain, 0, 0);
    appliquer_classement(t);
    EXPECT_EQ(t.joueurs[0].id, 5);
    EXPECT_EQ(t.joueurs[5].id, 2);
    EXPECT_EQ(t.joueurs[1].id, 1);
    EXPECT_EQ(t.joueurs[0].points, 2);
}

TEST(Departages, ChoiceByIdsKeepsKnownSystemsInOrder) {
    Tournoi t;
    choisir_departages(t, {0, 2});
    EXPECT_EQ(t.entete.departages, (std::vector<int>{0, 2}));
    choisir_departages(t, {5, 7});  // 7 is no system
    EXPECT_EQ(t.entete.departages, std::vector<int>{5});
}

TEST(Departages, AResultIsWrittenOnTheTableAndBothPlayers) {
    Tournoi t = tournoi_avec_joueurs(3);
    test::ouvrir_ronde(t, 0);
    poser_partie(t, 0, 0, 2, 1, 0);
    poser_resultat(t, 0, 0, Resultat::perte, 20, 44);
    EXPECT_EQ(t.joueur(1).ronde(0).resultat, Resultat::gain);
    EXPECT_EQ(t.joueur(1).ronde(0).pions, 44);
    EXPECT_EQ(t.joueur(2).ronde(0).resultat, Resultat::perte);
    poser_resultat(t, 0, 0, Resultat::aucun, 20, 44);  // cleared: the players hold none
    EXPECT_EQ(t.joueur(1).ronde(0), (RondeJoueur{2, NOIR, Resultat::aucun, 0}));
}

}  // namespace
}  // namespace tavo
