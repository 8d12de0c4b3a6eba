#include <gtest/gtest.h>

#include "pairing/recherche.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

TEST(CouleurDue, CountsTheNewRoundAsWhite) {
    // Colour histories of rounds 1 to 3; round 4 is being paired (no table yet).
    const std::vector<std::vector<int>> histoires = {
        {BLANC, NOIR, BLANC},                     // W 3 (new round included), B 1
        {NOIR, BLANC, NOIR},                      // W 2, B 2, last "white"
        {NOIR, NOIR, NOIR},                       // W 1, B 3
        {NOIR, NOIR, SANS_PARTIE},                // W 1, B 2
        {SANS_PARTIE, SANS_PARTIE, SANS_PARTIE},  // W 1
        {BLANC, BLANC, BLANC},                    // W 4
    };
    const std::vector<int> attendues = {
        NOIR | COULEUR_FORTE, NOIR, BLANC | COULEUR_FORTE, BLANC, NOIR, NOIR | COULEUR_FORTE};
    Tournoi t = test::tournoi_avec_joueurs(static_cast<int>(histoires.size()));
    test::ouvrir_ronde(t, 2);
    for (std::size_t k = 0; k < histoires.size(); ++k)
        for (int r = 0; r < 3; ++r)
            t.joueur(static_cast<int>(k) + 1).ronde(r).couleur =
                static_cast<std::uint8_t>(histoires[k][r]);
    test::ouvrir_ronde(t, 3);
    for (std::size_t k = 0; k < histoires.size(); ++k)
        EXPECT_EQ(couleur_due(t, static_cast<int>(k) + 1), attendues[k]) << "joueur " << k + 1;

    // Outside a pairing the last round counts only once complete: with round
    // 3 open and its table without result, player 1 counts W 2, B 1.
    t.rondes[3].tables = {Appariement{1, 2, Resultat::aucun, 0, 0}};
    EXPECT_EQ(couleur_due(t, 1), NOIR);
}

TEST(DejaRencontre, OnlyOverCompleteRounds) {
    Tournoi t = test::tournoi_avec_joueurs(4);
    test::ouvrir_ronde(t, 0);
    test::poser_partie(t, 0, 0, 1, 2, 2);
    test::poser_partie(t, 0, 1, 3, 4, 2);
    test::ouvrir_ronde(t, 1);
    test::poser_partie(t, 1, 0, 1, 3, 1);
    t.table(1, 0).res_blanc = Resultat::aucun;
    EXPECT_TRUE(deja_rencontre(t, 1, 2));
    EXPECT_TRUE(deja_rencontre(t, 2, 1));
    EXPECT_FALSE(deja_rencontre(t, 1, 3));  // round 2 has no result yet
    EXPECT_FALSE(deja_rencontre(t, 1, ID_QUALIFIE));
    t.table(1, 0).res_blanc = Resultat::nulle;
    EXPECT_TRUE(deja_rencontre(t, 1, 3));
}

}  // namespace
}  // namespace tavo
