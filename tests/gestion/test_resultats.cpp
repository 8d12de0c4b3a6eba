#include <gtest/gtest.h>

#include <cstring>

#include "gestion/absences.h"
#include "gestion/resultats.h"
#include "model/fichier_tournoi.h"
#include "model/texte.h"
#include "pairing/appariement.h"
#include "standings/scores.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

using test::InteractionTest;

// A tournament whose first round is paired: 1-3 and 2-4.
Tournoi premiere_ronde_de_quatre(bool othello = false) {
    InteractionTest io;
    Tournoi t = test::tournoi_avec_joueurs(4);
    t.entete.othello = othello ? 1 : 0;
    EXPECT_TRUE(nouvelle_ronde(t, io));
    t.entete.modifie = false;
    return t;
}

TEST(Resultats, PointsUpdateTableAndPlayers) {
    Tournoi t = premiere_ronde_de_quatre();
    EXPECT_TRUE(gestion::enregistrer_points(t, 0, 0));
    const Appariement& a = t.table(0, 0);
    EXPECT_EQ(demi_points(a.res_blanc), 0);
    EXPECT_EQ(demi_points(a.res_noir()), 2);
    EXPECT_TRUE(a.saisi());
    EXPECT_TRUE(t.entete.modifie);
    EXPECT_EQ(demi_points(t.joueur(3).ronde(0).resultat), 2);
    EXPECT_EQ(demi_points(t.joueur(1).ronde(0).resultat), 0);

    // No white choice: no result, for the table and its players.
    EXPECT_FALSE(gestion::enregistrer_points(t, 0, std::nullopt));
    EXPECT_FALSE(a.saisi());
    EXPECT_EQ(demi_points(t.joueur(3).ronde(0).resultat), 0);
    EXPECT_FALSE(gestion::enregistrer_points(t, 0, 3));
    EXPECT_FALSE(a.saisi());

    // Tables outside the current round are never touched.
    t.entete.modifie = false;
    EXPECT_FALSE(gestion::enregistrer_points(t, 2, 2));
    EXPECT_FALSE(gestion::enregistrer_points(t, -1, 2));
    EXPECT_FALSE(gestion::enregistrer_pions(t, 2, 40, 24));
    EXPECT_FALSE(t.entete.modifie);
    EXPECT_EQ(t.nb_tables(0), 2);
}

// The bye's table keeps the result the pairing gave it, whatever the results
// dialog stores.
TEST(Resultats, LaTableDeLExemptNeChangePas) {
    InteractionTest io;
    Tournoi t = test::tournoi_avec_joueurs(3);
    ASSERT_TRUE(nouvelle_ronde(t, io));
    const Appariement avant = t.table(0, 1);
    ASSERT_EQ(avant.noir, ID_QUALIFIE);
    EXPECT_TRUE(gestion::enregistrer_points(t, 1, 0));
    EXPECT_TRUE(gestion::enregistrer_points(t, 1, std::nullopt));
    EXPECT_TRUE(gestion::enregistrer_pions(t, 1, 0, 64));
    EXPECT_EQ(t.table(0, 1), avant);
    EXPECT_EQ(demi_points(t.joueur(3).ronde(0).resultat), 2);
}

TEST(Resultats, OthelloDiscCounts) {
    Tournoi t = premiere_ronde_de_quatre(true);
    const Appariement& a = t.table(0, 0);
    EXPECT_TRUE(gestion::enregistrer_pions(t, 0, 40, 24));
    EXPECT_EQ(demi_points(a.res_blanc), 2);
    EXPECT_EQ(demi_points(a.res_noir()), 0);
    EXPECT_EQ(t.joueur(1).ronde(0).pions, 40);
    EXPECT_EQ(t.joueur(3).ronde(0).pions, 24);
    EXPECT_TRUE(gestion::enregistrer_pions(t, 0, 32, 32));
    EXPECT_EQ(demi_points(a.res_blanc), 1);
    EXPECT_EQ(demi_points(a.res_noir()), 1);
    EXPECT_TRUE(gestion::enregistrer_pions(t, 0, 0, 64));
    EXPECT_EQ(demi_points(a.res_blanc), 0);
    EXPECT_EQ(demi_points(a.res_noir()), 2);
    EXPECT_EQ(demi_points(t.joueur(3).ronde(0).resultat), 2);

    // A sum other than 64: counts stored, no result, the old points unused.
    EXPECT_FALSE(gestion::enregistrer_pions(t, 0, 40, 20));
    EXPECT_FALSE(a.saisi());
    EXPECT_EQ(a.pions_blanc, 40);
    EXPECT_EQ(demi_points(t.joueur(3).ronde(0).resultat), 0);

    // Out of range: never stored, never a result (320 and 65 + -1 would wrap
    // or add up to 64).
    EXPECT_FALSE(gestion::enregistrer_pions(t, 0, 65, -1));
    EXPECT_FALSE(gestion::enregistrer_pions(t, 1, 320, 0));
    EXPECT_FALSE(a.saisi());
    EXPECT_EQ(a.pions_blanc, 40);
    EXPECT_EQ(t.table(0, 1).pions_blanc, 0);
    EXPECT_FALSE(t.table(0, 1).saisi());
}

TEST(Resultats, ToutVerifierAndCorrectionsReachTheScores) {
    InteractionTest io;
    Tournoi t = premiere_ronde_de_quatre();
    gestion::enregistrer_points(t, 0, 2);
    EXPECT_FALSE(gestion::tout_verifier(t, io));
    EXPECT_EQ(io.erreurs.back(), "Il me manque des résultats");
    EXPECT_TRUE(t.entete.modifie);

    gestion::enregistrer_points(t, 1, 1);
    ASSERT_TRUE(gestion::tout_verifier(t, io));
    appliquer_classement(t);
    EXPECT_EQ(t.joueur(1).points, 2);
    EXPECT_EQ(t.joueur(2).points, 1);

    // A correction after the commit counts at once, without another commit.
    gestion::enregistrer_points(t, 0, 0);
    appliquer_classement(t);
    EXPECT_EQ(t.joueur(1).points, 0);
    EXPECT_EQ(t.joueur(3).points, 2);

    // Before any round there is nothing to commit.
    Tournoi neuf = test::tournoi_avec_joueurs(2);
    EXPECT_FALSE(gestion::tout_verifier(neuf, io));
    EXPECT_EQ(io.erreurs.back(), "Aucune ronde n'a encore été appariée");
}

TEST(Resultats, RoundEnteredWithoutCommitCountsWithItsResults) {
    // 5 players: the bye and two tables entered, never committed.
    InteractionTest io;
    Tournoi t = test::tournoi_avec_joueurs(5);
    ASSERT_TRUE(nouvelle_ronde(t, io));
    gestion::enregistrer_points(t, 0, 2);
    gestion::enregistrer_points(t, 1, 0);
    ASSERT_TRUE(t.ronde_complete(0));
    appliquer_classement(t);
    EXPECT_EQ(t.joueur(1).points, 2);
    EXPECT_EQ(t.joueur(4).points, 2);
    EXPECT_EQ(t.joueur(5).points, 2);  // the bye
    EXPECT_EQ(t.joueur(2).points, 0);
}

// What the director types, white first: each refusal has its message and
// leaves the tournament as it was.
TEST(Resultats, TypedResultsAreCheckedAgainstTheGame) {
    struct Cas {
        bool othello;
        int table, blanc, noir;
        const char* erreur;  // nullptr: accepted
    };
    const Cas cas[] = {
        {false, 1, 2, 0, nullptr},
        {false, 2, 1, 1, nullptr},
        {false, 1, 2, 1, "le résultat s'écrit 2-0, 1-1 ou 0-2"},
        {false, 1, 3, -1, "le résultat s'écrit 2-0, 1-1 ou 0-2"},
        {false, 3, 2, 0, "Il n'y a pas de table n°3 dans la ronde n°1"},
        {false, 0, 2, 0, "Il n'y a pas de table n°0 dans la ronde n°1"},
        {true, 1, 40, 24, nullptr},
        {true, 1, 2, 0, "les nombres de pions des deux joueurs doivent faire 64"},
        {true, 1, 40, 25, "les nombres de pions des deux joueurs doivent faire 64"},
        {true, 1, 65, 0, "le nombre de pions doit être compris entre 0 et 64"},
        {true, 1, 0, 65, "le nombre de pions doit être compris entre 0 et 64"},
        {true, 1, 96, -32, "le nombre de pions doit être compris entre 0 et 64"},
    };
    for (const Cas& c : cas) {
        InteractionTest io;
        Tournoi t = premiere_ronde_de_quatre(c.othello);
        const std::vector<char> avant = image_fichier(t);
        bool ok = gestion::saisir_resultat(t, c.table, c.blanc, c.noir, io);
        // The results dialog's disc counts go through the same checks.
        if (c.othello && c.table == 1) {
            Tournoi fenetre = premiere_ronde_de_quatre(true);
            EXPECT_EQ(gestion::saisir_pions(fenetre, 0, c.blanc, c.noir, io), ok);
            EXPECT_EQ(image_fichier(fenetre), image_fichier(t));
        }
        EXPECT_EQ(ok, c.erreur == nullptr) << c.blanc << "-" << c.noir;
        if (ok) {
            EXPECT_TRUE(t.table(0, c.table - 1).saisi());
            EXPECT_TRUE(io.erreurs.empty());
            continue;
        }
        EXPECT_EQ(io.erreurs.front(), std::string(c.erreur));
        EXPECT_EQ(io.erreurs.back(), std::string(c.erreur));
        EXPECT_EQ(image_fichier(t), avant);
        EXPECT_FALSE(t.entete.modifie);
    }
    InteractionTest io;
    Tournoi neuf = test::tournoi_avec_joueurs(2);
    EXPECT_FALSE(gestion::saisir_resultat(neuf, 1, 2, 0, io));
    EXPECT_EQ(io.erreurs.back(), "Aucune ronde n'a encore été appariée");
}

TEST(Resultats, LeavingADiscFieldGivesTheRestOf64) {
    InteractionTest io;
    const Tournoi t = premiere_ronde_de_quatre(true);
    EXPECT_EQ(gestion::pions_restants(t, "40", io), 24);
    EXPECT_EQ(gestion::pions_restants(t, " 0", io), 64);
    EXPECT_EQ(gestion::pions_restants(t, "64", io), 0);
    EXPECT_EQ(gestion::pions_restants(t, "", io), 64);  // no digit reads as 0
    EXPECT_TRUE(io.erreurs.empty());
    EXPECT_EQ(gestion::pions_restants(t, "65", io), std::nullopt);
    EXPECT_EQ(gestion::pions_restants(t, "-1", io), std::nullopt);
    EXPECT_EQ(io.erreurs.size(), 2u);
    EXPECT_EQ(io.erreurs[0], "le nombre de pions doit être compris entre 0 et 64");
}

// A forfeit scores without a game: the two may meet again, and the absent
// player is the one to make inactive. A .pxi keeps none.
TEST(Forfaits, AForfeitScoresWithoutAGameAndAllowsARematch) {
    InteractionTest io;
    Tournoi t = test::tournoi_avec_joueurs(2, 3);
    EXPECT_FALSE(gestion::saisir_forfait(t, 1, Forfait::blanc, io));
    t.limites_1998 = false;
    ASSERT_TRUE(nouvelle_ronde(t, io));
    const Appariement a = t.table(0, 0);
    EXPECT_FALSE(gestion::saisir_forfait(t, 2, Forfait::blanc, io));
    ASSERT_TRUE(gestion::saisir_forfait(t, 1, Forfait::blanc, io));
    EXPECT_EQ(gestion::table_ronde(t, 0)->forfait, Forfait::blanc);
    EXPECT_EQ(gestion::absents_actifs(t, 0), std::vector<int>{a.blanc});
    EXPECT_EQ(points_jusqu_a(t.joueur(a.noir), 0), 2);
    EXPECT_TRUE(t.joueur(a.blanc).ronde(0).forfait);
    // Two players who only met by forfeit are paired again.
    ASSERT_TRUE(nouvelle_ronde(t, io)) << ::testing::PrintToString(io.erreurs);
    ASSERT_TRUE(gestion::saisir_forfait(t, 1, Forfait::les_deux, io));
    for (const int id : {1, 2}) EXPECT_EQ(points_jusqu_a(t.joueur(id), 1), id == a.noir ? 2 : 0);
    ASSERT_TRUE(gestion::saisir_resultat(t, 1, 1, 1, io));
    EXPECT_EQ(t.table(1, 0).forfait, Forfait::aucun);
    EXPECT_FALSE(t.joueur(1).ronde(1).forfait);
    EXPECT_EQ(io.erreurs.size(), 2u);
}

// Requested byes: the player is left out of the round with his half point or
// none, within the tournament's limits; a round already paired only where he
// has no table.
TEST(Forfaits, RequestedByesAreUnpairedAndScoreWithinTheLimits) {
    InteractionTest io;
    Tournoi t = test::tournoi_avec_joueurs(5, 5);
    t.limites_1998 = false;
    t.joueur(5).actif = false;
    ASSERT_TRUE(gestion::demander_absences(t, 2, {1, 2}, true, io));
    ASSERT_TRUE(gestion::demander_absences(t, 3, {1}, false, io));
    const Tournoi avant = t;
    EXPECT_FALSE(gestion::demander_absences(t, 2, {3}, true, io));
    EXPECT_FALSE(gestion::demander_absences(t, 1, {4}, true, io));
    EXPECT_FALSE(gestion::demander_absences(t, 1, {6}, false, io));
    EXPECT_FALSE(gestion::retirer_absences(t, 1, {2}, io));
    EXPECT_EQ(t, avant);
    EXPECT_EQ(io.erreurs,
              (std::vector<std::string>{
                  "Le joueur n°2 aurait 3 absences à demi-point ; le tournoi en permet 2",
                  "Pas d'absence à demi-point dans les 2 dernières rondes (ronde n°4)",
                  "La ronde n°6 n'existe pas : le tournoi en compte 5",
                  "Le joueur n°1 n'a pas demandé la ronde n°2"}));

    ASSERT_TRUE(nouvelle_ronde(t, io));
    EXPECT_EQ(t.nb_tables(0), 1);  // 1 and 4; 5 is inactive
    EXPECT_EQ(t.joueur(2).ronde(0), (RondeJoueur{ID_ABSENCE, SANS_PARTIE, Resultat::nulle, 0}));
    EXPECT_EQ(t.joueur(3).ronde(0).adversaire, ID_ABSENCE);
    EXPECT_EQ(points_jusqu_a(t.joueur(3), 0), 0);
    EXPECT_EQ(t.joueur(5).ronde(0).adversaire, ID_FORFAIT);
    EXPECT_FALSE(gestion::demander_absences(t, 1, {1}, false, io));
    EXPECT_EQ(io.erreurs.back(),
              "Le joueur n°1 est à une table de la ronde n°1 : son absence ne peut plus y être "
              "demandée");
    // The inactive player (or one who entered late) takes his half point at once.
    ASSERT_TRUE(gestion::demander_absences(t, 5, {1}, true, io));
    EXPECT_EQ(points_jusqu_a(t.joueur(5), 0), 1);
    ASSERT_TRUE(gestion::retirer_absences(t, 5, {1}, io));
    EXPECT_EQ(t.joueur(5).ronde(0).adversaire, ID_FORFAIT);
    EXPECT_EQ(gestion::texte_absences(t.joueur(2)), "1 (½ point), 2 (½ point)");
    EXPECT_EQ(gestion::lire_numeros_rondes("3, 4"), (std::vector<int>{3, 4}));
    EXPECT_TRUE(gestion::lire_numeros_rondes("3-4").empty());
}

}  // namespace
}  // namespace tavo
