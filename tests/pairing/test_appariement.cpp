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
    for (int k = 0; k < t.nb_tables(r); ++k)
        v.emplace_back(t.table(r, k).blanc, t.table(r, k).noir);
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
    EXPECT_TRUE(huit.entete.modifie);
    huit.indexer_joueurs();
    EXPECT_EQ(huit.joueur(5).ronde(0).adversaire, 1);
    EXPECT_EQ(huit.joueur(5).ronde(0).couleur, NOIR);

    Tournoi sept = test::tournoi_avec_joueurs(7);
    ASSERT_TRUE(gestion::apparier_ronde(sept, rapport, io));
    EXPECT_EQ(tables(sept, 0), (Tables{{1, 4}, {2, 5}, {3, 6}, {7, ID_QUALIFIE}}));
    const Appariement& exempt = sept.table(0, 3);
    EXPECT_EQ(demi_points(exempt.res_blanc), 2);
    EXPECT_EQ(demi_points(exempt.res_noir()), 0);
    EXPECT_EQ(exempt.pions_blanc, 33);
    EXPECT_EQ(exempt.pions_noir, 31);
    EXPECT_TRUE(exempt.saisi());
    sept.indexer_joueurs();
    EXPECT_EQ(sept.joueur(7).ronde(0).adversaire, ID_QUALIFIE);
    EXPECT_EQ(sept.joueur(7).ronde(0).couleur, BLANC);
    EXPECT_EQ(demi_points(sept.joueur(7).ronde(0).resultat), 2);
    EXPECT_TRUE(io.erreurs.empty());

    // A forbidden pair's table takes the black player of the next table.
    Tournoi interdits = test::tournoi_avec_joueurs(8);
    interdits.interdits = {{1, 5}, {4, 8}};
    ASSERT_TRUE(gestion::apparier_ronde(interdits, rapport, io));
    EXPECT_EQ(tables(interdits, 0), (Tables{{1, 6}, {2, 5}, {3, 8}, {4, 7}}));
}

TEST(PremiereRonde, InactivePlayerIsSkippedAndForfeited) {
    InteractionTest io;
    Rapport rapport;
    Tournoi t = test::tournoi_avec_joueurs(5);
    t.indexer_joueurs();
    t.joueur(2).actif = false;
    t.ouvrir_ronde(0);
    t.joueur(2).ronde(0).resultat = Resultat::gain;  // stale value: the forfeit clears it
    ASSERT_TRUE(gestion::apparier_ronde(t, rapport, io));
    EXPECT_EQ(tables(t, 0), (Tables{{1, 4}, {3, 5}}));
    EXPECT_EQ(t.joueur(2).ronde(0).adversaire, ID_FORFAIT);
    EXPECT_EQ(t.joueur(2).ronde(0).couleur, SANS_PARTIE);
    EXPECT_EQ(demi_points(t.joueur(2).ronde(0).resultat), 0);
    EXPECT_EQ(t.entete.nb_actifs, 4);

    // Nobody active: refused, nothing paired.
    Tournoi vide = test::tournoi_avec_joueurs(2);
    vide.joueurs[0].actif = vide.joueurs[1].actif = false;
    EXPECT_FALSE(gestion::apparier_ronde(vide, rapport, io));
    EXPECT_EQ(vide.entete.ronde_courante, -1);
    EXPECT_EQ(vide.nb_tables(0), 0);
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
    EXPECT_EQ(t.joueur(1).ronde(1).adversaire, 4);
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
    const Appariement& exempt = t.table(1, 2);
    EXPECT_TRUE(exempt.saisi());
    EXPECT_EQ(demi_points(exempt.res_blanc), 0);
    EXPECT_EQ(demi_points(exempt.res_noir()), 2);
    EXPECT_EQ(exempt.pions_blanc, 31);
    EXPECT_EQ(exempt.pions_noir, 33);
    EXPECT_EQ(t.joueur(3).ronde(1).adversaire, ID_QUALIFIE);
    EXPECT_EQ(t.joueur(3).ronde(1).couleur, NOIR);
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
        ASSERT_EQ(t.nb_tables(1), 50);
        std::vector<int> vus(101, 0);
        int exempts = 0;
        for (int k = 0; k < 50; ++k)
            for (int id : {t.table(1, k).blanc, t.table(1, k).noir}) {
                if (id == ID_QUALIFIE)
                    ++exempts;
                else
                    ++vus.at(id);
            }
        EXPECT_EQ(exempts, n % 2);
        for (int id = 1; id <= n; ++id) EXPECT_EQ(vus[id], 1) << n << " " << id;
        EXPECT_EQ(t.joueur(n).ronde(1).adversaire == ID_QUALIFIE, false);  // had it in round 1
        EXPECT_EQ(rapport.lignes().size(), 4u + 3u * 50);
    }
}

TEST(NouvelleRonde, Refusals) {
    InteractionTest io;
    Rapport rapport;
    Tournoi t = test::tournoi_avec_joueurs(2, 2);
    ASSERT_TRUE(gestion::apparier_ronde(t, rapport, io));
    const std::vector<std::string> feuille = rapport.lignes();

    EXPECT_FALSE(gestion::apparier_ronde(t, rapport, io));
    EXPECT_EQ(io.erreurs.back(), "Tous les résultats de la ronde courante ne sont pas saisis");

    // The two players have met: no second round exists.
    gestion::enregistrer_points(t, 0, 2);
    t.entete.modifie = false;
    EXPECT_FALSE(gestion::apparier_ronde(t, rapport, io));
    EXPECT_EQ(io.erreurs.back(), "Appariements impossibles");
    EXPECT_EQ(t.entete.ronde_courante, 0);
    EXPECT_TRUE(t.entete.modifie);
    EXPECT_EQ(t.nb_tables(1), 0);
    EXPECT_EQ(rapport.lignes(), feuille);
    EXPECT_LT(statistiques_recherche().score, -14999);

    // Last planned round reached.
    Tournoi une = test::tournoi_avec_joueurs(2, 1);
    ASSERT_TRUE(gestion::apparier_ronde(une, rapport, io));
    gestion::enregistrer_points(une, 0, 1);
    EXPECT_FALSE(gestion::apparier_ronde(une, rapport, io));
    EXPECT_EQ(io.erreurs.back(), "Toutes les rondes de ce tounoi ont été faites");
    EXPECT_EQ(une.entete.ronde_courante, 0);

    // A 1998 file planning more rounds than it holds stops at the 15th.
    Tournoi trop = test::tournoi_avec_joueurs(2, 5);
    trop.entete.nb_rondes = 20;
    test::ouvrir_ronde(trop, Limites1998::rondes - 1);
    EXPECT_FALSE(gestion::apparier_ronde(trop, rapport, io));
    EXPECT_EQ(io.erreurs.back(), "Toutes les rondes de ce tounoi ont été faites");
    EXPECT_EQ(trop.entete.ronde_courante, Limites1998::rondes - 1);
}

}  // namespace
}  // namespace tavo
