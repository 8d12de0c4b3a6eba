#include <gtest/gtest.h>

#include "model/registre.h"
#include "model/texte.h"
#include "support/dossier_test.h"
#include "support/tournoi_test.h"
#include "teams/equipes.h"

namespace tavo {
namespace {

using test::DossierTemporaire;
using test::InteractionTest;

// Four players ending with 6, 4, 4 and 2 points over four rounds; the
// Buchholz puts player 3 (opponents 2+6+4+6) before player 2 (6+2+4+2).
// Player 4 has a one-letter team code and has become inactive.
Tournoi tournoi_6_4_4_2() {
    Tournoi t = test::tournoi_avec_joueurs(4, 4, {"BU"});
    test::poser_partie(t, 0, 0, 1, 2, 2);
    test::poser_partie(t, 0, 1, 3, 4, 2);
    test::poser_partie(t, 1, 0, 1, 3, 2);
    test::poser_partie(t, 1, 1, 2, 4, 2);
    test::poser_partie(t, 2, 0, 1, 4, 2);
    test::poser_partie(t, 2, 1, 2, 3, 2);
    test::poser_partie(t, 3, 0, 3, 1, 2);
    test::poser_partie(t, 3, 1, 4, 2, 2);
    test::ouvrir_ronde(t, 3);
    t.joueur(1).equipe = "AAA";
    t.joueur(2).equipe = "BbB";
    t.joueur(3).equipe = "CCC";
    t.joueur(4).equipe = "D";
    t.joueur(4).actif = false;
    return t;
}

TEST(FichierEquipes, RangsPartagesSurLesPointsSeulementEtLignesCrLf) {
    DossierTemporaire dossier;
    Tournoi t = tournoi_6_4_4_2();
    InteractionTest io;
    ASSERT_TRUE(fichier_resultat_equipes(t, dossier.chemin(), io));
    EXPECT_TRUE(io.erreurs.empty());
    EXPECT_EQ(dossier.lire("Echecs.PXR"),
              "Echecs\r\n4\r\n"
              "1 AAA  NOM1 Prenom1\r\n"
              "2 CCC  NOM3 Prenom3\r\n"
              "2 BbB  NOM2 Prenom2\r\n"
              "4 D  NOM4 Prenom4\r\n");
    // The table stays in standings order, with its index rebuilt.
    EXPECT_EQ(t.joueurs[1].id, 3);
    EXPECT_EQ(t.joueurs[2].id, 2);
    EXPECT_EQ(t.joueur(2).id, 2);
    EXPECT_EQ(dossier.contenu(), std::vector<std::string>{"Echecs.PXR"});
}

TEST(FichierEquipes, RemplaceLeFichierEtNEcritQueLesEntetesSansJoueur) {
    DossierTemporaire dossier;
    dossier.ecrire("Dames.PXR", std::string(500, 'x'));
    Tournoi t = test::tournoi_avec_joueurs(0);
    t.entete.jeu = "Dames";
    InteractionTest io;
    ASSERT_TRUE(fichier_resultat_equipes(t, dossier.chemin(), io));
    EXPECT_EQ(dossier.lire("Dames.PXR"), "Dames\r\n0\r\n");
    ASSERT_TRUE(fichier_resultat_equipes(t, dossier.chemin(), io));
    EXPECT_EQ(dossier.lire("Dames.PXR"), "Dames\r\n0\r\n");
    // No temporary file is left behind.
    EXPECT_EQ(dossier.contenu(), std::vector<std::string>{"Dames.PXR"});
}

TEST(FichierEquipes, NomDeJeuAccentueEnUtf8SurLeDisqueEtWindows1252DansLeFichier) {
    DossierTemporaire dossier;
    Tournoi t = test::tournoi_avec_joueurs(1);
    t.joueur(1).equipe = "A1";
    t.entete.jeu = "Échecs";
    InteractionTest io;
    ASSERT_TRUE(fichier_resultat_equipes(t, dossier.chemin(), io));
    EXPECT_EQ(dossier.lire("Échecs.PXR"),
              "\xC9"
              "checs\r\n1\r\n1 A1  NOM1 Prenom1\r\n");
}

// A game name that cannot make a file name of the folder, a missing folder,
// or a target that cannot be replaced: the message names the file, nothing
// is written, and (when the file could not even be created) nothing is sorted.
TEST(FichierEquipes, RefusesSansRienEcrire) {
    DossierTemporaire dossier;
    std::filesystem::create_directory(dossier.chemin() / "a");
    const std::string sans_jeu =
        "Le tournoi n'a pas de jeu : le fichier des résultats par équipe porte le nom du jeu";
    const std::pair<std::string, std::string> cas[] = {
        {"", sans_jeu},
        {"   ", sans_jeu},
        {".", "Impossible d'ouvrir le fichier : ..PXR"},
        {"..", "Impossible d'ouvrir le fichier : ...PXR"},
        {"a/b", "Impossible d'ouvrir le fichier : a/b.PXR"},
        {"../x", "Impossible d'ouvrir le fichier : ../x.PXR"},
        {"Ech\x1B[2J", "Impossible d'ouvrir le fichier : Ech\\x1B[2J.PXR"},
    };
    for (const auto& [jeu, message] : cas) {
        Tournoi t = tournoi_6_4_4_2();
        t.entete.jeu = jeu;
        InteractionTest io;
        EXPECT_FALSE(fichier_resultat_equipes(t, dossier.chemin(), io)) << jeu;
        EXPECT_EQ(io.erreurs, std::vector<std::string>{message});
        EXPECT_EQ(t.joueurs[1].id, 2) << "sorted although nothing was written";
    }
    // A player without code would be read with no team, or another one's: each
    // such player is named, by number, and nothing is written.
    {
        Tournoi t = tournoi_6_4_4_2();
        t.joueur(2).equipe = "";
        t.joueur(4).equipe = "A B";
        t.joueur(2).prenom = "Léa";
        InteractionTest io;
        EXPECT_FALSE(fichier_resultat_equipes(t, dossier.chemin(), io));
        EXPECT_EQ(io.erreurs, std::vector<std::string>{std::string(
                                  "Ces joueurs n'ont pas de code d'équipe :\nn°2 NOM2 Léa\n"
                                  "n°4 NOM4 Prenom4 (code « A B »)")});
        EXPECT_EQ(t.joueurs[1].id, 2);
    }
    EXPECT_EQ(dossier.contenu(), std::vector<std::string>{"a"});
    EXPECT_TRUE(std::filesystem::is_empty(dossier.chemin() / "a"));

    Tournoi t = tournoi_6_4_4_2();
    InteractionTest io;
    EXPECT_FALSE(fichier_resultat_equipes(t, dossier.chemin() / "absent", io));
    EXPECT_EQ(io.erreurs, std::vector<std::string>{"Impossible d'ouvrir le fichier : Echecs.PXR"});
    EXPECT_EQ(t.joueurs[1].id, 2);

    // A folder in the way of the file: the rename fails, the temporary file goes.
    std::filesystem::create_directory(dossier.chemin() / "Echecs.PXR");
    io.erreurs.clear();
    EXPECT_FALSE(fichier_resultat_equipes(t, dossier.chemin(), io));
    EXPECT_EQ(io.erreurs, std::vector<std::string>{"Impossible d'ouvrir le fichier : Echecs.PXR"});
    EXPECT_EQ(dossier.contenu(), (std::vector<std::string>{"Echecs.PXR", "a"}));
}

}  // namespace
}  // namespace tavo
