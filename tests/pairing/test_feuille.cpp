#include <gtest/gtest.h>

#include "gestion/rondes.h"
#include "model/texte.h"
#include "pairing/appariement.h"
#include "reports/feuille.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

const std::string kTournoi = "Tournoi : Open                           du 12/05/98";
const std::string kTitres = "Tab   BLANCS                                     NOIRS";

TEST(Feuille, FourTablesWithLongNameAndTeamCode) {
    test::InteractionTest io;
    Rapport rapport;
    Tournoi t = test::tournoi_avec_joueurs(8);
    t.indexer_joueurs();
    t.joueur(1).nom = "DUPONTDELAFONTAINE";
    t.joueur(1).prenom = "Jean-Christophe";
    t.joueur(1).equipe = "ABC";
    ASSERT_TRUE(gestion::apparier_ronde(t, rapport, io));
    const std::vector<std::string> attendu = {
        kTournoi,
        "Jeu : Echecs                        , Ronde n°1",
        " ",
        kTitres,
        " ",
        "001 (  1/ABC) DUPONTDELAFONTAINE Jean-C  _ | _ (  5/   ) NOM5 Prenom5             ",
        " ",
        " ",
        "002 (  2/   ) NOM2 Prenom2               _ | _ (  6/   ) NOM6 Prenom6             ",
        " ",
        " ",
        "003 (  3/   ) NOM3 Prenom3               _ | _ (  7/   ) NOM7 Prenom7             ",
        " ",
        " ",
        "004 (  4/   ) NOM4 Prenom4               _ | _ (  8/   ) NOM8 Prenom8             ",
        " ",
    };
    EXPECT_EQ(rapport.lignes(), attendu);
    EXPECT_EQ(rapport.titre(), "Voir les appariements");
}

TEST(Feuille, ByeLineAndRoundWithoutTables) {
    test::InteractionTest io;
    Rapport rapport;
    Tournoi t = test::tournoi_avec_joueurs(7);
    ASSERT_TRUE(gestion::apparier_ronde(t, rapport, io));
    ASSERT_EQ(rapport.lignes().size(), 4u + 12u);
    EXPECT_EQ(
        rapport.lignes()[14],
        "004 (  7/   ) NOM7 Prenom7               _ | _ (10001/   ) *QUALIFIE D'OFFICE*      ");

    // Before the first round, and for a round number beyond the capacity: the
    // heading only.
    Tournoi neuf = test::tournoi_avec_joueurs(2);
    afficher_appariements(neuf, 0, rapport);
    EXPECT_EQ(rapport.lignes(),
              (std::vector<std::string>{kTournoi, "Jeu : Echecs                        , Ronde n°0",
                                        " ", kTitres}));
    afficher_appariements(t, 16, rapport);  // a round not paired
    EXPECT_EQ(rapport.lignes().size(), 4u);
}

TEST(Feuille, DisplayNames) {
    Tournoi t = test::tournoi_avec_joueurs(2);
    t.indexer_joueurs();
    EXPECT_EQ(nom_affiche(t, ID_FORFAIT), "*FORFAIT*");
    EXPECT_EQ(nom_affiche(t, ID_QUALIFIE), "*QUALIFIE D'OFFICE*");
    EXPECT_EQ(nom_affiche(t, 2), "NOM2 Prenom2");
    EXPECT_EQ(nom_affiche(t, 3), "");  // nobody: never read past the table
}

}  // namespace
}  // namespace tavo
