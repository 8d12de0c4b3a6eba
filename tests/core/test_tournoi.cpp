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
    EXPECT_EQ(t.entete.nb_joueurs, 0);
    EXPECT_EQ(t.entete.modifie, 0);
    EXPECT_EQ(t.position_mediane(), 0);
}

TEST(Tournoi, MedianSkipsInactivePlayers) {
    Tournoi t = tournoi_avec_joueurs(9);
    EXPECT_EQ(t.position_mediane(), 4);  // 9 active: the 4th
    t.joueurs[2].actif = 0;
    t.joueurs[3].actif = 0;
    EXPECT_EQ(t.nb_joueurs_actifs(), 7);
    EXPECT_EQ(t.position_mediane(), 5);  // 7 active: the 3rd, at position 5

    Tournoi deux = tournoi_avec_joueurs(3);
    deux.joueurs[1].actif = 0;
    EXPECT_EQ(deux.position_mediane(), 2);  // 2 active: the first active one
    deux.joueurs[2].actif = 0;
    EXPECT_EQ(deux.position_mediane(), 0);  // 1 active
}

TEST(Tournoi, PremierActifScansInclusively) {
    Tournoi t = tournoi_avec_joueurs(9);
    EXPECT_EQ(t.premier_actif(5, 4), 0);
    t.joueurs[3].actif = 0;
    t.joueurs[4].actif = 0;
    EXPECT_EQ(t.premier_actif(3, 9), 5);
    EXPECT_EQ(t.premier_actif(3, 4), 0);
}

TEST(Tournoi, StaleRecordsBeyondTheTableAreNeverCounted) {
    Tournoi t = tournoi_avec_joueurs(5);
    t.entete.nb_joueurs = 3;  // as after deletions: records 4 and 5 stay in memory
    EXPECT_EQ(t.nb_joueurs_actifs(), 3);
}

TEST(Tournoi, ViderKeepsTheTournamentIdentity) {
    Tournoi t = tournoi_avec_joueurs(6, 7, {"SB", "BU"});
    t.entete.ronde_courante = 1;
    t.nb_app[0] = 3;
    t.app[0][0].blanc = 1;
    t.entete.othello = 1;
    t.vider();
    EXPECT_EQ(champ(t.entete.nom), "Open");
    EXPECT_EQ(champ(t.entete.date), "12/05/98");
    EXPECT_EQ(champ(t.entete.jeu), "Echecs");
    EXPECT_EQ(t.entete.nb_departages, 2);
    EXPECT_EQ(t.entete.departages[0], 2);
    EXPECT_EQ(t.entete.nb_joueurs, 0);
    EXPECT_EQ(t.entete.ronde_courante, -1);
    EXPECT_EQ(t.entete.nb_rondes, 0);
    EXPECT_EQ(t.entete.othello, 0);
    EXPECT_EQ(t.nb_app[0], 0);
    EXPECT_EQ(t.app[0][0].blanc, 0);
}

TEST(Tournoi, CaptionNamesTournamentDateAndGame) {
    Tournoi t;
    copier_champ(t.entete.nom, "Open");
    copier_champ(t.entete.date, "12/05/98");
    copier_champ(t.entete.jeu, "Dames");
    EXPECT_EQ(t.titre_fenetre(), "Tournoi Open, du 12/05/98, jeu : Dames");
}

TEST(Tournoi, PlayersAreFoundByNumberAfterTheStandingsSort) {
    Tournoi t = tournoi_avec_joueurs(8);
    test::ouvrir_ronde(t, 0);
    for (int k = 0; k < 4; ++k) test::poser_partie(t, 0, k, 1 + k, 5 + k, 0);  // black wins
    trier_classement(t);
    EXPECT_NE(t.index[7], 7);
    EXPECT_EQ(t.joueur(7).id, 7);
    EXPECT_EQ(champ(t.joueur(7).nom), "NOM7");
}

}  // namespace
}  // namespace tavo
