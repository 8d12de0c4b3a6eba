#include <gtest/gtest.h>

#include "model/texte.h"
#include "standings/scores.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

using test::tournoi_avec_joueurs;

TEST(Tournoi, StartsEmptyBeforeTheFirstRound) {
    Tournoi t;
    EXPECT_EQ(t.entete.ronde_courante, -1);
    EXPECT_EQ(t.nb_joueurs(), 0);
    EXPECT_FALSE(t.entete.modifie);
    EXPECT_EQ(t.position_mediane(), -1);
}

// Positions count from 0.
TEST(Tournoi, MedianSkipsInactivePlayers) {
    Tournoi t = tournoi_avec_joueurs(9);
    EXPECT_EQ(t.position_mediane(), 3);  // 9 active: the 4th
    t.joueurs[1].actif = false;
    t.joueurs[2].actif = false;
    EXPECT_EQ(t.nb_joueurs_actifs(), 7);
    EXPECT_EQ(t.position_mediane(), 4);  // 7 active: the 3rd, at position 4

    Tournoi deux = tournoi_avec_joueurs(3);
    deux.joueurs[0].actif = false;
    EXPECT_EQ(deux.position_mediane(), 1);  // 2 active: the first active one
    deux.joueurs[1].actif = false;
    EXPECT_EQ(deux.position_mediane(), -1);  // 1 active
}

TEST(Tournoi, PremierActifScansInclusively) {
    Tournoi t = tournoi_avec_joueurs(9);
    EXPECT_EQ(t.premier_actif(4, 3), -1);
    t.joueurs[2].actif = false;
    t.joueurs[3].actif = false;
    EXPECT_EQ(t.premier_actif(2, 8), 4);
    EXPECT_EQ(t.premier_actif(2, 3), -1);
}

TEST(Tournoi, ViderKeepsTheTournamentIdentity) {
    Tournoi t = tournoi_avec_joueurs(6, 7, {"SB", "BU"});
    test::ouvrir_ronde(t, 0);
    test::poser_partie(t, 0, 0, 1, 2, 2);
    t.entete.othello = true;
    t.vider();
    EXPECT_EQ(t.entete.nom, "Open");
    EXPECT_EQ(t.entete.date, "12/05/98");
    EXPECT_EQ(t.entete.jeu, "Echecs");
    EXPECT_EQ(t.entete.departages, (std::vector<int>{2, 0}));
    EXPECT_EQ(t.nb_joueurs(), 0);
    EXPECT_EQ(t.entete.ronde_courante, -1);
    EXPECT_EQ(t.entete.nb_rondes, 0);
    EXPECT_FALSE(t.entete.othello);
    EXPECT_EQ(t.nb_tables(0), 0);
}

TEST(Tournoi, CaptionNamesTournamentDateAndGame) {
    Tournoi t;
    t.entete.nom = "Open";
    t.entete.date = "12/05/98";
    t.entete.jeu = "Dames";
    EXPECT_EQ(t.titre_fenetre(), "Tournoi Open, du 12/05/98, jeu : Dames");
}

TEST(Tournoi, PlayersAreFoundByNumberAfterTheStandingsAreApplied) {
    Tournoi t = tournoi_avec_joueurs(8);
    test::ouvrir_ronde(t, 0);
    for (int k = 0; k < 4; ++k) test::poser_partie(t, 0, k, 1 + k, 5 + k, 0);  // black wins
    appliquer_classement(t);
    EXPECT_NE(t.position(7), 6);
    EXPECT_EQ(t.joueur(7).id, 7);
    EXPECT_EQ(t.joueur(7).nom, "NOM7");
}

}  // namespace
}  // namespace tavo
