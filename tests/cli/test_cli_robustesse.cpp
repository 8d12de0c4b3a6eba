// tavo-cli in careless or hostile hands: files that are not plain files,
// two writers at once, permissions, lost output, texts that would break the
// files, a program killed at any instant. Each command line runs in a shell
// (with `timeout` wherever a FIFO could make it wait), `$T` being tavo-cli.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <thread>

#include "cli/executer.h"
#include "gestion/fichiers.h"
#include "gestion/resultats.h"
#include "model/fichier_tournoi.h"
#include "model/requete.h"
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

using Horloge = std::chrono::steady_clock;

// Runs tavo-cli with `args` in `dossier`, its output thrown away; with
// `coupure`, kills it with SIGKILL that long after its start. The exit
// status, -1 when it was killed before it ended.
int lancer(const fs::path& dossier, const std::vector<std::string>& args,
           std::optional<std::chrono::microseconds> coupure = std::nullopt) {
    std::vector<char*> argv = {const_cast<char*>(TAVO_CLI)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int nul = ::open("/dev/null", O_WRONLY);
        if (::chdir(dossier.c_str()) != 0 || ::dup2(nul, 1) < 0 || ::dup2(nul, 2) < 0) ::_exit(127);
        ::execv(TAVO_CLI, argv.data());
        ::_exit(127);
    }
    if (coupure) {
        std::this_thread::sleep_for(*coupure);
        ::kill(pid, SIGKILL);
    }
    int etat = 0;
    ::waitpid(pid, &etat, 0);
    return WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
}

// The tournament of a .tavo, which must open and pass SQLite's whole check.
Tournoi tournoi_sain(const fs::path& chemin) {
    {
        BaseDonnees base;
        EXPECT_TRUE(base.ouvrir(chemin.string())) << base.erreur();
        Requete controle(base, "PRAGMA integrity_check");
        EXPECT_TRUE(controle.ligne());
        EXPECT_EQ(controle.texte(0), "ok");
    }
    Tournoi t;
    test::InteractionTest io;
    EXPECT_TRUE(gestion::charger_tournoi(t, chemin.string(), io))
        << ::testing::PrintToString(io.erreurs);
    return t;
}

// The next command of a seeded script that changes the tournament `t` of
// file F: players registered, changed, exchanged, sorted; rounds paired,
// undone; results entered, also in earlier rounds; rounds committed.
std::vector<std::string> commande_au_hasard(const Tournoi& t, std::mt19937& alea, int k) {
    const int r = t.entete.ronde_courante;
    const auto joueur = [&] { return std::to_string(1 + alea() % std::max(t.nb_joueurs(), 1)); };
    const std::string n = std::to_string(k);
    switch (alea() % 12) {
        case 0:
        case 1:
            if (t.nb_joueurs() < 14)
                return {"joueur-ajouter", "F", "--nom", "N" + n, "--prenom", "Łéa"};
            [[fallthrough]];
        case 2:
        case 3:
        case 4: {
            if (r < 0) return {"ronde", "F"};
            const auto libres = gestion::tables_sans_resultat(t);
            const int table = libres.empty() || alea() % 8 == 0
                                  ? static_cast<int>(alea() % std::max(t.nb_tables(r), 1))
                                  : libres[alea() % libres.size()];
            const char* res[] = {"2-0", "1-1", "0-2"};
            return {"resultat", "F", std::to_string(table + 1), res[alea() % 3]};
        }
        case 5:
        case 6:
            return {"ronde", "F"};
        case 7:
            return {gestion::tables_sans_resultat(t).empty() ? "valider" : "ronde", "F"};
        case 8:
            return {"joueur-modifier", "F", joueur(), alea() % 3 ? "--actif" : "--inactif"};
        case 9:
            return {"echanger", "F", joueur(), joueur(), "--forcer"};
        case 10:
            if (r < 0) return {"joueurs-trier", "F", "--elo"};
            if (alea() % 3 == 0) return {"annuler-ronde", "F", "--forcer"};
            [[fallthrough]];
        default:
            return {"tournoi-modifier", "F", "--nom", "Open n°" + n};
    }
}

// Under the sanitizers each run of tavo-cli is some ten times slower: fewer
// commands keep the test within seconds there.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVO_SOUS_ASAN 1
#endif
#endif
#ifdef TAVO_SOUS_ASAN
constexpr int kCommandesCoupees = 60;
#else
constexpr int kCommandesCoupees = 300;
#endif

std::vector<std::string> sur(std::vector<std::string> args, const std::string& fichier) {
    for (std::string& a : args)
        if (a == "F") a = fichier;
    return args;
}

// A script of changing commands (300) runs on a copy ("miroir.tavo") and on the
// file tested ("t.tavo"), where each is killed at a random instant of its
// run. After each kill the file opens, passes PRAGMA integrity_check, and
// holds the tournament as it was before the command or as the command left
// it, never anything between; a command killed before its commit is run
// again, whole.
TEST_F(CliRobuste, UnTavoCoupeAToutInstantGardeChaqueChangementEntierOuAbsent) {
    std::mt19937 alea(20260422);
    const std::vector<std::string> creation = {"nouveau",      "F",    "--rondes", "30",
                                               "--departages", "BU,SB"};
    ASSERT_EQ(lancer(dossier, sur(creation, "miroir.tavo")), 0);
    int avant_commit = 0, apres_commit = 0, commandes = 0;
    if (lancer(dossier, sur(creation, "t.tavo"), std::chrono::microseconds(alea() % 3000)) != 0 &&
        !fs::exists(dossier / "t.tavo")) {
        ++avant_commit;
        ASSERT_EQ(lancer(dossier, sur(creation, "t.tavo")), 0);
    }
    ASSERT_TRUE(tournoi_sain(dossier / "t.tavo") == tournoi_sain(dossier / "miroir.tavo"));
    Tournoi avant = tournoi_sain(dossier / "miroir.tavo");
    for (int k = 0; k < kCommandesCoupees; ++k) {
        const std::vector<std::string> args = commande_au_hasard(avant, alea, k);
        SCOPED_TRACE("commande " + std::to_string(k) + " : " + args[0]);
        const auto debut = Horloge::now();
        const int attendu = lancer(dossier, sur(args, "miroir.tavo"));
        const auto duree =
            std::chrono::duration_cast<std::chrono::microseconds>(Horloge::now() - debut);
        const Tournoi apres = tournoi_sain(dossier / "miroir.tavo");
        ++commandes;
        const std::chrono::microseconds coupure(alea() % (duree.count() + 1));
        const int code = lancer(dossier, sur(args, "t.tavo"), coupure);
        const Tournoi coupe = tournoi_sain(dossier / "t.tavo");
        if (code >= 0) {
            ASSERT_EQ(code, attendu);
            ASSERT_TRUE(coupe == apres);
        } else if (coupe == apres) {
            apres_commit += avant == apres ? 0 : 1;
        } else {
            ASSERT_TRUE(coupe == avant);
            ++avant_commit;
            ASSERT_EQ(lancer(dossier, sur(args, "t.tavo")), attendu);
            ASSERT_TRUE(tournoi_sain(dossier / "t.tavo") == apres);
        }
        avant = apres;
    }
    // The kills fell before commits and after them.
    EXPECT_GE(avant_commit, kCommandesCoupees / 10);
    EXPECT_GE(apres_commit, kCommandesCoupees / 60);
    const Tournoi fin = tournoi_sain(dossier / "t.tavo");
    EXPECT_GE(fin.entete.ronde_courante, kCommandesCoupees / 60);
    std::printf("%d commandes, %d coupées avant leur validation, %d après, %d joueurs, ronde %d\n",
                commandes, avant_commit, apres_commit, fin.nb_joueurs(),
                fin.entete.ronde_courante + 1);
}

// Fifty programs at once add a player each to one .tavo: SQLite's locks
// serialise them, and every player is there.
TEST_F(CliRobuste, CinquanteEcrivainsSurUnTavoNePerdentRien) {
    ASSERT_EQ(sh("$T nouveau c.tavo --departages BU"), 0);
    ASSERT_EQ(sh("for i in $(seq 1 50); do "
                 "($T joueur-ajouter c.tavo --nom A$i --prenom a >/dev/null || echo A$i >>perdu) & "
                 "done; wait"),
              0);
    EXPECT_FALSE(fs::exists(dossier / "perdu")) << octets("perdu");
    const Tournoi t = tournoi_sain(dossier / "c.tavo");
    ASSERT_EQ(t.nb_joueurs(), 50);
    std::set<std::string> noms;
    for (const Joueur& j : t.joueurs) noms.insert(j.nom);
    EXPECT_EQ(noms.size(), 50u);
}

}  // namespace
}  // namespace tavo
