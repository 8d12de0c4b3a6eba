// Playing rounds with tavo-cli: ronde, resultat, valider, rapport appariements.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/executer.h"
#include "support/tournoi_test.h"

namespace {

namespace fs = std::filesystem;
using tavo::test::lire_fichier;
using tavo::test::Sortie;

class CliRonde : public ::testing::Test {
  protected:
    void SetUp() override { fichier_ = (dossier_ / "t.pxi").string(); }
    void TearDown() override { fs::remove_all(dossier_); }

    Sortie cli(const std::vector<std::string>& mots) {
        return tavo::test::tavo_cli(mots, dossier_);
    }

    void creer(int joueurs, int rondes, const std::string& jeu = "Echecs") {
        ASSERT_EQ(cli({"nouveau", fichier_, "--nom", "Open", "--date", "12/12/26", "--jeu", jeu,
                       "--rondes", std::to_string(rondes), "--departages", "BU,SB"})
                      .code,
                  0);
        for (int k = 1; k <= joueurs; ++k)
            ASSERT_EQ(cli({"joueur-ajouter", fichier_, "--nom", "NOM" + std::to_string(k),
                           "--prenom", "P" + std::to_string(k)})
                          .code,
                      0);
    }

    fs::path dossier_ = tavo::test::dossier_temporaire();
    std::string fichier_;
};

TEST_F(CliRonde, WholeTournamentRoundByRound) {
    creer(5, 3);
    const char* resultats[] = {"2-0", "1-1", "0-2"};
    for (int ronde = 1; ronde <= 3; ++ronde) {
        const Sortie s = cli({"ronde", fichier_});
        ASSERT_EQ(s.code, 0) << s.err;
        EXPECT_NE(s.out.find("Ronde n°" + std::to_string(ronde)), std::string::npos) << s.out;
        EXPECT_NE(s.out.find("*QUALIFIE D'OFFICE*"), std::string::npos);
        EXPECT_EQ(cli({"rapport", "appariements", fichier_}).out, s.out);
        EXPECT_EQ(cli({"valider", fichier_}).err, "Il me manque des résultats\n");
        for (int table = 1; table <= 2; ++table) {
            const Sortie r =
                cli({"resultat", fichier_, std::to_string(table), resultats[(ronde + table) % 3]});
            ASSERT_EQ(r.code, 0) << r.err;
            EXPECT_EQ(r.out.rfind("Table n°" + std::to_string(table) + " : ", 0), 0u) << r.out;
        }
        EXPECT_EQ(cli({"valider", fichier_}).code, 0);
    }
    const Sortie classement = cli({"rapport", "classement", fichier_});
    EXPECT_EQ(classement.code, 0);
    const Sortie historique = cli({"rapport", "historique", fichier_});
    EXPECT_NE(historique.out.find("ronde 3"), std::string::npos) << historique.out;

    // Every planned round is done: refused, the file untouched.
    const std::string avant = lire_fichier(fichier_);
    const Sortie fin = cli({"ronde", fichier_});
    EXPECT_EQ(fin.code, 1);
    EXPECT_EQ(fin.err, "Toutes les rondes de ce tounoi ont été faites\n");
    EXPECT_EQ(lire_fichier(fichier_), avant);
}

TEST_F(CliRonde, RefusalsLeaveTheFileUntouched) {
    creer(2, 3);
    EXPECT_EQ(cli({"valider", fichier_}).code, 1);
    EXPECT_EQ(cli({"resultat", fichier_, "1", "2-0"}).code, 1);
    ASSERT_EQ(cli({"ronde", fichier_}).code, 0);
    std::string avant = lire_fichier(fichier_);

    Sortie s = cli({"ronde", fichier_});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.err, "Tous les résultats de la ronde courante ne sont pas saisis\n");
    s = cli({"resultat", fichier_, "2", "2-0"});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.err, "Il n'y a pas de table n°2 dans la ronde n°1\n");
    for (const char* faux : {"2:0", "2-", "-2", "deux-zero"})
        EXPECT_EQ(cli({"resultat", fichier_, "1", faux}).code, 2) << faux;
    for (const char* faux : {"2-1", "3-0"}) {
        s = cli({"resultat", fichier_, "1", faux});
        EXPECT_EQ(s.code, 1) << faux;
        EXPECT_EQ(s.err, "le résultat s'écrit 2-0, 1-1 ou 0-2\n");
    }
    EXPECT_EQ(cli({"resultat", fichier_, "x", "2-0"}).code, 2);
    EXPECT_EQ(lire_fichier(fichier_), avant);

    // The two players have met: no second round.
    ASSERT_EQ(cli({"resultat", fichier_, "1", "1-1"}).code, 0);
    avant = lire_fichier(fichier_);
    s = cli({"ronde", fichier_});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.err, "Appariements impossibles\n");
    EXPECT_EQ(lire_fichier(fichier_), avant);
}

TEST_F(CliRonde, OthelloDiscCounts) {
    creer(2, 1, "Othello");
    ASSERT_EQ(cli({"ronde", fichier_}).code, 0);
    EXPECT_EQ(cli({"resultat", fichier_, "1", "2-0"}).code, 1);
    Sortie s = cli({"resultat", fichier_, "1", "65-0"});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.err, "le nombre de pions doit être compris entre 0 et 64\n");
    s = cli({"resultat", fichier_, "1", "40-24"});
    ASSERT_EQ(s.code, 0) << s.err;
    EXPECT_EQ(s.out, "Table n°1 : NOM1 P1 40-24 NOM2 P2\n");
    ASSERT_EQ(cli({"valider", fichier_}).code, 0);
    const Sortie h = cli({"rapport", "historique", fichier_});
    EXPECT_NE(h.out.find("1N24"), std::string::npos) << h.out;
}

// The corrections, headless: undo (asked as a refusal, done with
// --forcer), exchange, late entry, an earlier result and seeding by Elo.
TEST_F(CliRonde, Corrections) {
    creer(4, 3);
    ASSERT_EQ(cli({"joueur-modifier", fichier_, "4", "--elo", "2000"}).code, 0);
    ASSERT_EQ(cli({"joueurs-trier", fichier_, "--elo"}).code, 0);
    EXPECT_NE(cli({"rapport", "joueurs", fichier_}).out.find("  1     A NOM4"), std::string::npos);
    const Sortie premiere = cli({"ronde", fichier_});
    ASSERT_EQ(premiere.code, 0);
    ASSERT_EQ(cli({"resultat", fichier_, "1", "2-0"}).code, 0);
    const std::string avant = lire_fichier(fichier_);
    Sortie s = cli({"annuler-ronde", fichier_});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.err, "Annuler la ronde n°1 ? 1 résultat déjà saisi sera perdu.\n");
    EXPECT_EQ(lire_fichier(fichier_), avant);
    s = cli({"annuler-ronde", fichier_, "--forcer"});
    ASSERT_EQ(s.code, 0);
    EXPECT_EQ(s.out,
              "La ronde n°1 est annulée : aucune ronde n'est appariée, les joueurs peuvent de "
              "nouveau être ajoutés et supprimés.\n");
    EXPECT_EQ(cli({"ronde", fichier_}).out, premiere.out);  // the same pairing again

    // Players 1 and 2 hold white at tables 1 and 2: they exchange seats.
    s = cli({"echanger", fichier_, "1", "2"});
    ASSERT_EQ(s.code, 0) << s.err;
    EXPECT_NE(s.out.find("001 (  2/   ) NOM"), std::string::npos) << s.out;
    EXPECT_EQ(cli({"echanger", fichier_, "1", "9"}).err,
              "Le joueur n°9 ne joue pas la ronde n°1\n");

    for (const char* table : {"1", "2"})
        ASSERT_EQ(cli({"resultat", fichier_, table, "1-1"}).code, 0);
    ASSERT_EQ(cli({"valider", fichier_}).code, 0);
    ASSERT_EQ(cli({"ronde", fichier_}).code, 0);
    ASSERT_EQ(cli({"joueur-ajouter", fichier_, "--nom", "TARD", "--prenom", "V"}).code, 0);
    s = cli({"resultat", fichier_, "1", "2-0", "--ronde", "1"});
    ASSERT_EQ(s.code, 0);
    EXPECT_EQ(s.err,
              "Ce résultat compte aussitôt dans les scores ; les appariements déjà faits restent "
              "tels qu'ils sont.\n");
    EXPECT_NE(cli({"rapport", "historique", fichier_}).out.find("      (F)?0  (F)?0  \n"),
              std::string::npos);
}

// Nine players, player 3 withdrawn after round 1: the file keeps four tables
// of round 1, as round 2 has, and every command loads it again. The bye's
// table of round 1 is still seen, and undoing round 2 gives round 1 back
// whole, so that it can be corrected and round 2 paired again.
TEST_F(CliRonde, AWithdrawalKeepsTheEarlierRoundsWhole) {
    creer(9, 5);
    const Sortie premiere = cli({"ronde", fichier_});
    ASSERT_EQ(premiere.code, 0);
    for (const char* table : {"1", "2", "3", "4"})
        ASSERT_EQ(cli({"resultat", fichier_, table, "1-1"}).code, 0);
    ASSERT_EQ(cli({"valider", fichier_}).code, 0);
    ASSERT_EQ(cli({"joueur-modifier", fichier_, "3", "--inactif"}).code, 0);
    ASSERT_EQ(cli({"ronde", fichier_}).code, 0);

    // Round 1's last table, the bye's, is still there: its own 2-0 may be
    // typed again, any other result is refused.
    EXPECT_EQ(cli({"resultat", fichier_, "5", "0-2", "--ronde", "1"}).err,
              "La table n°5 est celle de l'exempt : son résultat ne se change pas\n");
    Sortie s = cli({"annuler-ronde", fichier_, "--forcer"});
    ASSERT_EQ(s.code, 0) << s.err;
    EXPECT_EQ(cli({"rapport", "appariements", fichier_}).out, premiere.out);
    for (const char* table : {"5", "4"}) {
        s = cli({"resultat", fichier_, table, "2-0", "--ronde", "1"});
        EXPECT_EQ(s.code, 0) << s.err;
    }
    s = cli({"ronde", fichier_});
    EXPECT_EQ(s.code, 0) << s.err;
    EXPECT_NE(s.out.find("Ronde n°2"), std::string::npos) << s.out;
}

}  // namespace
