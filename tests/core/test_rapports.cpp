#include <gtest/gtest.h>

#include "model/registre.h"
#include "model/texte.h"
#include "reports/feuille.h"
#include "reports/rapports.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

using test::poser_partie;
using test::tournoi_avec_joueurs;
using Lignes = std::vector<std::string>;

Lignes en_utf8(const Rapport& rapport) {
    Lignes lignes;
    for (const std::string& l : rapport.lignes()) lignes.push_back(l);
    return lignes;
}

// Round 1 of 3: 1 beats 3, 2 and 4 draw. 2 has a 25-letter name and team XY,
// 4 team ABC; 3 is an inactive girl born 01/02/10.
Tournoi petit_tournoi() {
    Tournoi t = tournoi_avec_joueurs(4, 3, {"BU", "SB"});
    t.joueur(2).nom = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    t.joueur(2).equipe = "XY";
    t.joueur(4).equipe = "ABC";
    t.joueur(3).ne_le = "01/02/10";
    t.joueur(3).fille = true;
    test::ouvrir_ronde(t, 0);
    poser_partie(t, 0, 0, 1, 3, 2);
    poser_partie(t, 0, 1, 2, 4, 1);
    t.joueur(3).actif = false;
    return t;
}

TEST(Rapports, StandingsShareRanksOfPlayersEqualOnEverything) {
    Tournoi t = petit_tournoi();
    Rapport r;
    classement(t, r);
    EXPECT_EQ(r.titre(), "Classement");
    EXPECT_EQ(en_utf8(r),
              (Lignes{
                  "Tournoi : Open                           du 12/05/98",
                  "Jeu : Echecs                         après la ronde n°1",
                  " ",
                  "Classement",
                  "Cl  - N°  Equ Nom                  Prénom          Pts    BU  SB",
                  "  1 -   1     NOM1                 Prenom1           2     0   0 ",
                  "  2 -   2 XY  ABCDEFGHIJKLMNOPQRSTUVWXY Prenom2           1     1   1 ",
                  "  2 -   4 ABC NOM4                 Prenom4           1     1   1 ",
                  "  4 -   3     NOM3                 Prenom3           0     2   0 ",
              }));
}

TEST(Rapports, StandingsHeadingSaysWhenTheyAreFinal) {
    Tournoi t = petit_tournoi();
    t.entete.nb_rondes = 1;
    Rapport r;
    classement(t, r);
    EXPECT_EQ(r.lignes()[1],
              "Jeu : Echecs" + std::string(27, ' ') + "***** CLASSEMENT FINAL *****");
    t.table(0, 1).res_blanc = Resultat::aucun;  // the last round is not complete any more
    classement(t, r);
    EXPECT_EQ(r.lignes()[1], "Jeu : Echecs                         après la ronde n°0");
    EXPECT_EQ(r.lignes().size(), 9u);  // replaced, not appended

    Tournoi zero = tournoi_avec_joueurs(2, 0);
    classement(zero, r);
    EXPECT_EQ(r.lignes()[1],
              "Jeu : Echecs" + std::string(27, ' ') + "***** CLASSEMENT FINAL *****");
}

TEST(Rapports, StandingsBeforeTheFirstRound) {
    Tournoi t = tournoi_avec_joueurs(3, 5, {"BU"});
    Rapport r;
    classement(t, r);
    EXPECT_EQ(r.lignes()[1], "Jeu : Echecs                         après la ronde n°0");
    EXPECT_EQ(r.lignes()[4], "Cl  - N°  Equ Nom                  Prénom          Pts    BU");
    for (int p = 0; p < 3; ++p) EXPECT_EQ(r.lignes()[5 + p].substr(0, 6), "  1 - ");

    Tournoi vide;
    vide.entete.nb_rondes = 5;
    classement(vide, r);
    EXPECT_EQ(r.lignes().size(), 5u);
}

TEST(Rapports, HistoryListsEveryRoundOfEveryPlayer) {
    Tournoi t = petit_tournoi();
    Rapport r;
    historique(t, r);
    EXPECT_EQ(r.titre(), "Historique des rencontres");
    EXPECT_EQ(en_utf8(r), (Lignes{
                              "Historique des rencontres, Echecs, ronde 1, ",
                              " ",
                              " ",
                              "  1 NOM1                           Prenom1           2 Pts",
                              "        3B2  ",
                              "  2 ABCDEFGHIJKLMNOPQRSTUVWXY      Prenom2           1 Pts",
                              "        4B1  ",
                              "  4 NOM4                           Prenom4           1 Pts",
                              "        2N1  ",
                              "  3 NOM3                           Prenom3           0 Pts",
                              "        1N0  ",
                          }));
}

TEST(Rapports, HistoryShowsDiscsByesAndForfeitsInOthello) {
    Tournoi t = tournoi_avec_joueurs(4, 3);
    t.entete.othello = true;
    test::ouvrir_ronde(t, 0);
    poser_partie(t, 0, 0, 1, 2, 2, 40);
    poser_partie(t, 0, 1, 3, ID_QUALIFIE, 2);
    t.joueur(4).ronde(0).adversaire = ID_FORFAIT;
    t.joueur(4).ronde(0).couleur = SANS_PARTIE;
    t.joueur(4).actif = false;
    Rapport r;
    historique(t, r);
    ASSERT_EQ(r.lignes().size(), 11u);
    EXPECT_EQ(r.lignes()[4], "        2B40  ");
    EXPECT_EQ(r.lignes()[6], "      (Q)B33  ");
    EXPECT_EQ(r.lignes()[8], "        1N24  ");
    EXPECT_EQ(r.lignes()[10], "      (F)?0  ");

    Tournoi avant = tournoi_avec_joueurs(2);
    historique(avant, r);
    EXPECT_EQ(r.lignes()[0], "Historique des rencontres, Echecs, ronde 0, ");
    EXPECT_EQ(r.lignes()[4], "      ");
}

TEST(Rapports, PlayerListIsInNumberOrderWithCutNames) {
    Tournoi t = petit_tournoi();
    Rapport r;
    classement(t, r);  // sorts the table
    EXPECT_TRUE(liste_joueurs(t, r));
    EXPECT_EQ(r.titre(), "Liste des joueurs");
    EXPECT_EQ(en_utf8(r), (Lignes{
                              "Tournoi Open du 12/05/98, jeu : Echecs",
                              " ",
                              "Liste des joueurs",
                              " ",
                              "Nombre de joueurs = 4",
                              " ",
                              "IDX EQU E NOM                  PRENOM          S NE(E) LE ",
                              "  1     A NOM1                 Prenom1         M   /  /  ",
                              "  2 XY  A ABCDEFGHIJKLMNOPQRST Prenom2         M   /  /  ",
                              "  3     I NOM3                 Prenom3         F 01/02/10",
                              "  4 ABC A NOM4                 Prenom4         M   /  /  ",
                          }));

    Tournoi vide;
    EXPECT_FALSE(liste_joueurs(vide, r));
    EXPECT_EQ(r.lignes().size(), 7u);
    EXPECT_EQ(r.lignes()[4], "Nombre de joueurs = 0");
}

// The column (in characters) where `texte` starts in the line of `rapport`
// that holds it after the first `saut` lines; -1 when no line does.
int colonne(const Rapport& rapport, const std::string& texte, std::size_t saut = 0) {
    for (std::size_t i = saut; i < rapport.lignes().size(); ++i) {
        const std::string& l = rapport.lignes()[i];
        const std::size_t p = l.find(texte);
        if (p != std::string::npos) return static_cast<int>(colonnes(l.substr(0, p)));
    }
    return -1;
}

// A field of 1,000 players: player numbers of four digits widen their
// columns, so every line of every report keeps them aligned.
TEST(Rapports, FourDigitNumbersKeepTheColumnsAligned) {
    Tournoi t = tournoi_avec_joueurs(1000, 5, {"BU", "SB"});
    test::ouvrir_ronde(t, 0);
    for (int k = 1; k <= 500; ++k) poser_partie(t, 0, k - 1, k, k + 500, 2);
    Rapport r;
    // Standings, crosstable, history and player list: the names start where
    // their heading does, for player 1 as for player 1000.
    for (auto [rapport, entete] : {std::pair{&classement, "Nom"}, std::pair{&grille, "Nom Prénom"},
                                   std::pair{&historique, ""}}) {
        rapport(t, r);
        const int nom = colonne(r, "NOM1 ");
        EXPECT_EQ(colonne(r, "NOM1000 "), nom) << r.titre();
        if (*entete) {
            EXPECT_EQ(colonne(r, entete, 4), nom) << r.titre();
        }
    }
    liste_joueurs(t, r);
    EXPECT_EQ(colonne(r, "NOM1 "), colonne(r, "NOM "));
    EXPECT_EQ(colonne(r, "NOM1000 "), colonne(r, "NOM "));
    // The crosstable's round: the cell ends under its heading.
    grille(t, r);
    EXPECT_EQ(colonne(r, "501B+") + 5, colonne(r, "R1") + 2);
    EXPECT_EQ(colonne(r, "1000B+") + 6, colonne(r, "R1") + 2);
    // The pairing sheet: black's number under its heading, at every table.
    afficher_appariements(t, 1, r);
    EXPECT_EQ(colonne(r, "NOIRS"), colonne(r, "( 501/") + 2);
    EXPECT_EQ(colonne(r, "NOIRS"), colonne(r, "(1000/") + 2);
}

// Tie-break values of four digits (16 Othello games of 64 discs) widen their
// column under its label.
TEST(Rapports, FourDigitTieBreaksKeepTheirColumn) {
    Tournoi t = tournoi_avec_joueurs(2, 16, {"PP", "NG"});
    t.entete.othello = true;
    for (int r = 0; r < 16; ++r) {
        test::ouvrir_ronde(t, r);
        poser_partie(t, r, 0, 1, 2, 2, 64);
    }
    Rapport r;
    classement(t, r);
    EXPECT_EQ(r.lignes()[4], "Cl  - N°  Equ Nom                  Prénom          Pts     PP  NG");
    EXPECT_EQ(r.lignes()[5], "  1 -   1     NOM1                 Prenom1          32   1024  16 ");
    EXPECT_EQ(r.lignes()[6], "  2 -   2     NOM2                 Prenom2           0      0   0 ");
}

TEST(Rapports, LongLinesAreKeptWhole) {
    Rapport r;
    r.ligne("%s", std::string(500, 'x').c_str());
    EXPECT_EQ(r.lignes()[0].size(), 500u);
}

}  // namespace
}  // namespace tavo
