#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "gestion/fichiers.h"
#include "model/accord.h"
#include "model/fichier_tournoi.h"
#include "model/texte.h"
#include "standings/scores.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using test::InteractionTest;
using test::lire_fichier;
using test::poser_partie;
using test::tournoi_avec_joueurs;

class FichierTournoi : public ::testing::Test {
  protected:
    void TearDown() override { fs::remove_all(dossier); }

    std::string chemin(const std::string& nom) const { return (dossier / nom).string(); }

    void ecrire(const std::string& nom, const std::string& octets) const {
        std::ofstream(chemin(nom), std::ios::binary) << octets;
    }

    // Loads `octets` over a tournament in play and checks the refusal leaves it untouched.
    void attendre_refus(const std::string& octets, const std::string& message) {
        ecrire("abime.pxi", octets);
        Tournoi t = tournoi_avec_joueurs(4);
        t.entete.modifie = true;
        const std::vector<char> avant = image_fichier(t);
        InteractionTest io;
        EXPECT_FALSE(charger(t, chemin("abime.pxi"), io));
        ASSERT_EQ(io.erreurs.size(), 1u);
        EXPECT_EQ(io.erreurs[0], message);
        EXPECT_EQ(image_fichier(t), avant);
        EXPECT_TRUE(t.entete.modifie);
        EXPECT_EQ(t.nb_joueurs(), 4);
    }

    fs::path dossier = test::dossier_temporaire();
    InteractionTest io;
};

// Two rounds of 5 tables for 10 players, all entered.
Tournoi tournoi_deux_rondes() {
    Tournoi t = tournoi_avec_joueurs(10, 5, {"BU", "SB"});
    for (int r = 0; r < 2; ++r) {
        test::ouvrir_ronde(t, r);
        for (int k = 0; k < 5; ++k) poser_partie(t, r, k, 1 + k, 6 + ((k + r) % 5), (k + r) % 3);
    }
    return t;
}

TEST_F(FichierTournoi, SizesFollowTheBlocks) {
    Tournoi vide;
    ASSERT_TRUE(sauver(vide, chemin("vide.pxi"), io));
    EXPECT_EQ(fs::file_size(chemin("vide.pxi")), 150u);

    Tournoi dix = tournoi_avec_joueurs(10);
    ASSERT_TRUE(sauver(dix, chemin("dix.pxi"), io));
    EXPECT_EQ(fs::file_size(chemin("dix.pxi")), 1730u);

    Tournoi joue = tournoi_deux_rondes();
    ASSERT_TRUE(sauver(joue, chemin("joue.pxi"), io));
    EXPECT_EQ(fs::file_size(chemin("joue.pxi")), 1834u);
    EXPECT_TRUE(io.erreurs.empty());
}

TEST_F(FichierTournoi, LoadThenSaveGivesBackTheSameBytes) {
    Tournoi t = tournoi_deux_rondes();
    t.entete.modifie = true;
    appliquer_classement(t);  // the stored order is the standings'
    ASSERT_TRUE(sauver(t, chemin("a.pxi"), io));
    EXPECT_FALSE(t.entete.modifie);
    const std::string octets = lire_fichier(chemin("a.pxi"));
    EXPECT_EQ(octets[148], 0);  // modifie is stored as 0

    Tournoi relu;
    relu.entete.modifie = true;
    ASSERT_TRUE(gestion::charger_tournoi(relu, chemin("a.pxi"), io));
    EXPECT_FALSE(relu.entete.modifie);
    std::string marque = octets;  // a file whose header says "modified" loads unmodified too
    marque[148] = 1;
    std::ofstream(chemin("m.pxi"), std::ios::binary) << marque;
    Tournoi m;
    ASSERT_TRUE(charger(m, chemin("m.pxi"), io));
    EXPECT_FALSE(m.entete.modifie);
    ASSERT_TRUE(sauver(relu, chemin("b.pxi"), io));
    EXPECT_EQ(lire_fichier(chemin("b.pxi")), octets);

    // The whole tournament comes back, its order and numbers too.
    EXPECT_TRUE(relu == t);
    EXPECT_EQ(relu.joueur(7).nom, "NOM7");
}

TEST_F(FichierTournoi, EveryRoundIsStoredWithTheCurrentRoundsTableCount) {
    // 9 active players in round 1 (4 tables and a bye), one inactive in round 2 (4 tables).
    Tournoi t = tournoi_avec_joueurs(9);
    test::ouvrir_ronde(t, 0);
    for (int k = 0; k < 4; ++k) poser_partie(t, 0, k, 1 + k, 5 + k, 2);
    poser_partie(t, 0, 4, 9, ID_QUALIFIE, 2);
    t.joueur(9).actif = false;
    test::ouvrir_ronde(t, 1);
    for (int k = 0; k < 4; ++k) poser_partie(t, 1, k, 5 + k, 1 + k, 1);
    t.joueur(9).ronde(1) = {ID_FORFAIT, SANS_PARTIE, Resultat::aucun, 0};
    ASSERT_TRUE(sauver(t, chemin("t.pxi"), io));
    EXPECT_EQ(fs::file_size(chemin("t.pxi")), 150u + 9 * 158 + 2 * 2 + 2 * 4 * 10);

    Tournoi relu;
    ASSERT_TRUE(charger(relu, chemin("t.pxi"), io));
    EXPECT_EQ(relu.nb_tables(0), 5);
    EXPECT_TRUE(relu.table(0, 4).vide());  // the bye table was left out of the file
    // The program's load brings it back from the players' records.
    ASSERT_TRUE(gestion::charger_tournoi(relu, chemin("t.pxi"), io));
    EXPECT_EQ(relu.rondes, t.rondes);
    EXPECT_EQ(relu.table(0, 4).noir, ID_QUALIFIE);
}

TEST_F(FichierTournoi, ARoundWithFewerTablesIsPaddedWithItsZeroRecords) {
    // Round 1 had 2 tables (players 5 and 6 forfeit), round 2 has 3.
    Tournoi t = tournoi_avec_joueurs(6);
    test::ouvrir_ronde(t, 0);
    poser_partie(t, 0, 0, 1, 3, 2);
    poser_partie(t, 0, 1, 2, 4, 2);
    for (const int id : {5, 6})
        t.joueur(id).ronde(0) = {ID_FORFAIT, SANS_PARTIE, Resultat::aucun, 0};
    test::ouvrir_ronde(t, 1);
    for (int k = 0; k < 3; ++k) poser_partie(t, 1, k, 4 + k, 1 + k, 1);
    ASSERT_TRUE(sauver(t, chemin("t.pxi"), io));
    Tournoi relu;
    ASSERT_TRUE(gestion::charger_tournoi(relu, chemin("t.pxi"), io));
    EXPECT_EQ(image_fichier(relu), image_fichier(t));
    EXPECT_EQ(relu.rondes, t.rondes);
    EXPECT_EQ(relu.nb_tables(0), 2);
}

// The labels of the file are written from the ids, whatever the file said.
TEST_F(FichierTournoi, LabelsAreRebuiltFromTheIds) {
    Tournoi t = tournoi_avec_joueurs(2, 5, {"CU", "PP"});
    std::vector<char> image = image_fichier(t);
    std::memcpy(image.data() + offsetof(pxi::EnteteTournoi, abrev_departages), "ZZ", 3);
    Tournoi relu;
    ASSERT_EQ(lire_image(std::string_view(image.data(), image.size()), relu),
              ErreurLecture::aucune);
    const std::vector<char> reecrit = image_fichier(relu);
    EXPECT_EQ(std::string(reecrit.data() + offsetof(pxi::EnteteTournoi, abrev_departages), 6),
              std::string("CU\0PP\0", 6));
}

TEST_F(FichierTournoi, ShortFilesAreRefusedNamingTheBlock) {
    Tournoi t = tournoi_deux_rondes();
    ASSERT_TRUE(sauver(t, chemin("t.pxi"), io));
    const std::string octets = lire_fichier(chemin("t.pxi"));
    attendre_refus(octets.substr(0, 149), "Erreur de lecture TOURNOI dans ce fichier");
    attendre_refus(octets.substr(0, 150 + 158 * 3), "Erreur de lecture JOUEURS [] dans ce fichier");
    attendre_refus(octets.substr(0, 1731), "Erreur de lecture NB_APP [] dans ce fichier");
    attendre_refus(octets.substr(0, 1833), "Erreur de lecture APP [][] dans ce fichier");
}

TEST_F(FichierTournoi, DamagedCountsAndIdsAreRefused) {
    Tournoi t = tournoi_deux_rondes();
    ASSERT_TRUE(sauver(t, chemin("t.pxi"), io));
    const std::string bon = lire_fichier(chemin("t.pxi"));
    auto avec = [&](std::size_t offset, std::int16_t valeur) {
        std::string octets = bon;
        std::memcpy(octets.data() + offset, &valeur, 2);
        return octets;
    };
    attendre_refus(avec(140, 101), "Erreur de lecture TOURNOI dans ce fichier");  // nb_joueurs
    attendre_refus(avec(140, -1), "Erreur de lecture TOURNOI dans ce fichier");
    attendre_refus(avec(146, 15), "Erreur de lecture TOURNOI dans ce fichier");  // ronde_courante
    attendre_refus(avec(138, 7), "Erreur de lecture TOURNOI dans ce fichier");   // nb_departages
    attendre_refus(avec(88, 6), "Erreur de lecture TOURNOI dans ce fichier");    // 2nd tie-break id
    attendre_refus(avec(150, 3), "Erreur de lecture JOUEURS [] dans ce fichier");  // duplicate id
    attendre_refus(avec(150, 0), "Erreur de lecture JOUEURS [] dans ce fichier");
    attendre_refus(avec(150, 11), "Erreur de lecture JOUEURS [] dans ce fichier");
    attendre_refus(avec(150 + 98, 11), "Erreur de lecture JOUEURS [] dans ce fichier");  // opponent
    attendre_refus(avec(1730, 6),
                   "Erreur de lecture NB_APP [] dans ce fichier");  // 6 tables, 10 players
    attendre_refus(avec(1734, 12), "Erreur de lecture APP [][] dans ce fichier");  // white id
}

TEST_F(FichierTournoi, MissingFileOrFolderCannotBeOpened) {
    Tournoi t = tournoi_avec_joueurs(3);
    EXPECT_FALSE(charger(t, chemin("absent.pxi"), io));
    EXPECT_FALSE(charger(t, dossier.string(), io));
    EXPECT_EQ(io.erreurs, std::vector<std::string>(2, "Impossible d'ouvrir ce fichier"));
    EXPECT_EQ(t.nb_joueurs(), 3);
}

TEST_F(FichierTournoi, FailedSaveKeepsTheOldFileAndTheModifiedFlag) {
    Tournoi t = tournoi_avec_joueurs(3);
    t.entete.modifie = true;
    fs::create_directory(chemin("dossier.pxi"));
    EXPECT_FALSE(sauver(t, chemin("dossier.pxi"), io));
    EXPECT_FALSE(sauver(t, chemin("absent/t.pxi"), io));
    EXPECT_EQ(io.erreurs, std::vector<std::string>(2, "Impossible d'ouvrir ce fichier"));
    EXPECT_TRUE(t.entete.modifie);
    EXPECT_TRUE(fs::is_directory(chemin("dossier.pxi")));
    // Nothing is left behind beside the targets.
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()), 1);
}

TEST_F(FichierTournoi, SaveReplacesAnExistingFileWhole) {
    Tournoi grand = tournoi_deux_rondes();
    ASSERT_TRUE(sauver(grand, chemin("t.pxi"), io));
    Tournoi petit;
    ASSERT_TRUE(sauver(petit, chemin("t.pxi"), io));
    EXPECT_EQ(fs::file_size(chemin("t.pxi")), 150u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace tavo
