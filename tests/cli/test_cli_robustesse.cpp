// tavo-cli in careless or hostile hands: files that are not plain files,
// two writers at once, permissions, lost output, texts that would break the
// files. Each command line runs in a shell (with `timeout` wherever a FIFO
// could make it wait), `$T` being tavo-cli.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "cli/executer.h"
#include "model/fichier_tournoi.h"
#include "model/texte.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

class CliRobuste : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(sh("$T nouveau t.pxi --rondes 3 --departages BU"), 0);
        for (const char* nom : {"A", "B", "C"})
            ASSERT_EQ(sh(std::string("$T joueur-ajouter t.pxi --nom ") + nom + " --prenom x"), 0);
    }
    void TearDown() override { fs::remove_all(dossier); }

    // The exit status of the shell command line, run in the test folder; its
    // stderr goes to the file "err".
    int sh(const std::string& ligne) {
        const std::string commande = "cd " + test::entre_apostrophes(dossier.string()) +
                                     " && T=" TAVO_CLI " && { " + ligne + " ; } 2>err";
        const int statut = std::system(commande.c_str());
        return WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
    }
    std::string err() { return test::lire_fichier(dossier / "err"); }
    std::string octets(const std::string& nom) { return test::lire_fichier(dossier / nom); }

    Tournoi relire() {
        Tournoi t;
        test::InteractionTest io;
        EXPECT_TRUE(charger(t, (dossier / "t.pxi").string(), io));
        return t;
    }

    fs::path dossier = test::dossier_temporaire();
};

TEST_F(CliRobuste, FichiersQuiNeSontPasDesFichiers) {
    // A FIFO as the tournament file, the team list or the log: refused at
    // once, never waited on (timeout's 124 would say it waited).
    ASSERT_EQ(sh("mkfifo f.pxi && mkdir eq && mkfifo eq/equipes.txt eq/resultat.txt"), 0);
    EXPECT_EQ(sh("timeout 10 $T valider f.pxi"), 1);
    EXPECT_EQ(err(), "Impossible d'ouvrir ce fichier\n");
    EXPECT_EQ(sh("timeout 10 $T joueur-ajouter f.pxi --nom A --prenom a"), 1);
    EXPECT_EQ(sh("timeout 10 $T equipes-classement --dossier eq"), 1);
    EXPECT_EQ(err(), "equipes.txt n'est pas un fichier ordinaire\n");
    // resultat.txt is replaced, the FIFO not opened.
    EXPECT_TRUE(fs::is_regular_file(dossier / "eq/resultat.txt"));
    // The import holds the tournament's lock: a FIFO as the list must not
    // keep it; a folder or a device is refused, never read.
    const std::string avant = octets("t.pxi");
    for (const char* liste : {"eq/equipes.txt", "eq", "/dev/zero"}) {
        EXPECT_EQ(sh(std::string("timeout 10 $T joueurs-importer t.pxi ") + liste), 1) << liste;
        EXPECT_EQ(err(), std::string(liste) + " n'est pas un fichier ordinaire\n");
    }
    EXPECT_EQ(octets("t.pxi"), avant);

    // A device reached through a link stays a device. Made here, not /dev's.
    if (::geteuid() != 0) GTEST_SKIP() << "mknod demande root";
    ASSERT_EQ(sh("mknod zero c 1 5 && ln -s zero z.pxi"), 0);
    EXPECT_EQ(sh("$T valider z.pxi"), 1);
    EXPECT_EQ(err(), "Impossible d'ouvrir ce fichier\n");
    EXPECT_EQ(sh("$T nouveau z.pxi --departages BU --remplacer"), 1);
    EXPECT_TRUE(fs::is_character_file(dossier / "zero"));
}

// Each pair of writers runs at the same moment: with the file's lock both
// changes reach the file, every time.
TEST_F(CliRobuste, DeuxEcrivainsNePerdentRien) {
    ASSERT_EQ(sh("$T joueur-supprimer t.pxi 3 && $T joueur-supprimer t.pxi 2 && "
                 "$T joueur-supprimer t.pxi 1"),
              0);
    ASSERT_EQ(sh("for i in $(seq 1 50); do "
                 "($T joueur-ajouter t.pxi --nom A$i --prenom a >/dev/null || echo A$i >>perdu) & "
                 "($T joueur-ajouter t.pxi --nom B$i --prenom b >/dev/null || echo B$i >>perdu) & "
                 "wait; done"),
              0);
    EXPECT_FALSE(fs::exists(dossier / "perdu")) << octets("perdu");
    const Tournoi t = relire();
    ASSERT_EQ(t.nb_joueurs(), 100);
    std::set<std::string> noms;
    for (const Joueur& j : t.joueurs) noms.insert(j.nom);
    EXPECT_EQ(noms.size(), 100u);

    // Two "nouveau" on one new path: one creates it, the other is refused.
    ASSERT_EQ(sh("for i in $(seq 1 20); do "
                 "($T nouveau n$i.pxi --nom A --departages BU 2>/dev/null && echo A >>n$i) & "
                 "($T nouveau n$i.pxi --nom B --departages BU 2>/dev/null && echo B >>n$i) & "
                 "wait; done"),
              0);
    for (int i = 1; i <= 20; ++i) {
        const std::string gagnant = octets("n" + std::to_string(i));
        ASSERT_EQ(gagnant.size(), 2u) << i << ": " << gagnant;
        Tournoi n;
        test::InteractionTest io;
        ASSERT_TRUE(charger(n, (dossier / ("n" + std::to_string(i) + ".pxi")).string(), io));
        EXPECT_EQ(n.entete.nom, gagnant.substr(0, 1));
    }
}

TEST_F(CliRobuste, PermissionsEtSortiePerdue) {
    const std::string avant = octets("t.pxi");
    ASSERT_EQ(sh("chmod 444 t.pxi"), 0);
    EXPECT_EQ(sh("$T joueur-ajouter t.pxi --nom D --prenom d"), 1);  // even for root
    EXPECT_EQ(err(), "Impossible d'ouvrir ce fichier\n");
    EXPECT_EQ(octets("t.pxi"), avant);

    // What is printed and lost is a failure; once the change is stored, a
    // status of its own says so (a retry would add the player twice).
    EXPECT_EQ(sh("$T rapport joueurs t.pxi >/dev/full"), 1);
    EXPECT_NE(err().find("sortie standard"), std::string::npos);
    EXPECT_EQ(sh("$T rapport joueurs t.pxi >&-"), 1);
    EXPECT_EQ(sh("$T --version >/dev/full"), 1);
    ASSERT_EQ(sh("chmod 644 t.pxi"), 0);
    EXPECT_EQ(sh("$T joueur-ajouter t.pxi --nom D --prenom d >/dev/full"), 3);
    EXPECT_EQ(err(),
              "tavo-cli : erreur d'écriture sur la sortie standard ; le changement est pourtant "
              "enregistré dans t.pxi\n");
    EXPECT_EQ(relire().nb_joueurs(), 4);
    ASSERT_EQ(sh("$T joueur-supprimer t.pxi 4"), 0);

    // A file system that takes no lock is named as the reason of the refusal
    // (the leak checker cannot run under strace).
    if (sh("strace -o /dev/null true") == 0) {
        EXPECT_EQ(sh("ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 "
                     "strace -f -o /dev/null -e inject=flock:error=ENOLCK "
                     "$T joueur-ajouter t.pxi --nom D --prenom d"),
                  1);
        EXPECT_EQ(err(),
                  "Ce fichier ne peut pas être verrouillé : son système de fichiers ne le permet "
                  "pas (copiez-le dans un dossier local)\n");
        EXPECT_EQ(octets("t.pxi"), avant);
    }
    ASSERT_EQ(sh("chmod 444 t.pxi"), 0);

    if (::geteuid() != 0) GTEST_SKIP() << "chown demande root";
    ASSERT_EQ(sh("chmod 640 t.pxi && chown 65534:65534 t.pxi"), 0);
    EXPECT_EQ(sh("$T joueur-ajouter t.pxi --nom D --prenom d"), 0) << err();
    struct stat etat {};
    ASSERT_EQ(::stat((dossier / "t.pxi").c_str(), &etat), 0);
    EXPECT_EQ(etat.st_uid, 65534u);
    EXPECT_EQ(etat.st_gid, 65534u);
    EXPECT_EQ(etat.st_mode & 07777, 0640u);
}

TEST_F(CliRobuste, TextesEtReglesDuTournoi) {
    const std::string avant = octets("t.pxi");
    // A line break in a name would add a line to the team files.
    EXPECT_EQ(sh("$T joueur-ajouter t.pxi --nom \"$(printf 'X\\r\\n1 DEL')\" --prenom a"), 1);
    EXPECT_EQ(sh("$T joueur-modifier t.pxi 1 --prenom \"$(printf 'a\\tb')\""), 1);
    EXPECT_EQ(sh("$T joueur-ajouter t.pxi --nom X --prenom a --equipe 'É1'"), 1);
    EXPECT_EQ(sh("$T joueur-ajouter t.pxi --nom '   ' --prenom a"), 1);
    EXPECT_EQ(err(), "Un joueur doit avoir un nom\n");
    // An overlong NUL is no text; a character outside Windows-1252 does not
    // fit in the tournament's 1998 file, and is named.
    EXPECT_EQ(sh("$T joueur-ajouter t.pxi --nom \"$(printf 'A\\340\\200\\200B')\" --prenom a"), 2);
    EXPECT_EQ(sh("$T joueur-ajouter t.pxi --nom Łukasz --prenom a"), 1);
    EXPECT_NE(err().find("« Ł »"), std::string::npos) << err();
    EXPECT_EQ(octets("t.pxi"), avant);
    EXPECT_EQ(sh("$T joueur-modifier t.pxi 1 --equipe ' ab1'"), 0);
    EXPECT_EQ(relire().joueur(1).equipe, "AB1");

    // Round 1: A-B, C has the bye at table 2, whose result stays.
    ASSERT_EQ(sh("$T ronde t.pxi >/dev/null"), 0);
    EXPECT_EQ(sh("$T resultat t.pxi 2 0-2"), 1);
    EXPECT_EQ(err(), "La table n°2 est celle de l'exempt : son résultat ne se change pas\n");
    EXPECT_EQ(sh("$T tournoi-modifier t.pxi --rondes 0"), 1);
    EXPECT_EQ(relire().entete.nb_rondes, 3);

    // One active player cannot be paired.
    ASSERT_EQ(sh("$T nouveau u.pxi --departages BU && $T joueur-ajouter u.pxi --nom A --prenom a"),
              0);
    EXPECT_EQ(sh("$T ronde u.pxi"), 1);
    EXPECT_EQ(err(), "Il faut au moins deux joueurs actifs pour apparier une ronde\n");
}

}  // namespace
}  // namespace tavo
