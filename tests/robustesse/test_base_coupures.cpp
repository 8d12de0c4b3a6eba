// A tournament file (.tavo) under a writer killed at random instants, and
// under many writers at once. After each kill the file opens, passes SQLite's
// integrity check, and holds each action whole or not at all; concurrent
// writers lose no change. The actions here stand for a director's commands:
// each rewrites the players, their games and the tournament's row in one
// transaction, as a command will.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "model/base_donnees.h"
#include "model/requete.h"
#include "support/dossier_test.h"

namespace tavo::test {
namespace {

constexpr int kJoueursParAction = 20;

// Action `n`: the players replaced by twenty named "action n", each with a
// game of round 0 against a neighbour (written before the players it names:
// references are checked at the commit), and the tournament's row following.
bool action(BaseDonnees& base, int n) {
    Transaction transaction(base);
    if (!transaction.commencee() || !base.executer("DELETE FROM partie; DELETE FROM joueur"))
        return false;
    const std::string nom = "action " + std::to_string(n);
    Requete partie(base,
                   "INSERT INTO partie (joueur, ronde, adversaire, couleur, resultat, pions) "
                   "VALUES (?1, 0, ?2, ?3, 'nul', 32)");
    Requete joueur(
        base,
        "INSERT INTO joueur VALUES (?1, ?2, 'Jean', '  /  /  ', 0, 0, 1, '', 0, 0, 0, ?1, "
        "'', '', 0, '', '')");
    for (int k = 1; k <= kJoueursParAction; ++k) {
        if (!partie.lier(1, k).lier(2, k % 2 ? k + 1 : k - 1).lier(3, 1 - k % 2).executer())
            return false;
        partie.reprendre();
    }
    for (int k = 1; k <= kJoueursParAction; ++k) {
        if (!joueur.lier(1, k).lier(2, nom).executer()) return false;
        joueur.reprendre();
    }
    return Requete(base, "UPDATE tournoi SET nom = ?1, nb_actifs = ?2")
               .lier(1, nom)
               .lier(2, n)
               .executer() &&
           transaction.valider();
}

std::string texte(BaseDonnees& base, std::string_view sql) {
    Requete requete(base, sql);
    return requete.ligne() ? requete.texte(0) : "<aucune ligne>";
}

class BaseCoupures : public ::testing::TestWithParam<std::uint32_t> {
  protected:
    void SetUp() override {
        options.type_systeme = GetParam();
        BaseDonnees base;
        ASSERT_TRUE(base.ouvrir(chemin, BaseDonnees::Ouverture::nouveau, options));
        ASSERT_TRUE(
            base.executer("INSERT INTO tournoi VALUES (1, 'action 0', '', 'Echecs', 5, "
                          "-1, 0, 0, 2, 2)"));
    }

    // The file opens, is sound, and holds action `n` whole for one `n`, which
    // is returned (-1 after a failure).
    int action_entiere() {
        BaseDonnees base;
        EXPECT_TRUE(base.ouvrir(chemin, BaseDonnees::Ouverture::existant, options))
            << base.erreur();
        EXPECT_EQ(texte(base, "PRAGMA integrity_check"), "ok");
        EXPECT_EQ(texte(base, "PRAGMA foreign_key_check"), "<aucune ligne>");
        const auto n = base.entier("SELECT nb_actifs FROM tournoi");
        if (!n) return -1;
        const std::string nom = "action " + std::to_string(*n);
        EXPECT_EQ(texte(base, "SELECT nom FROM tournoi"), nom);
        const auto attendus = *n ? kJoueursParAction : 0;
        EXPECT_EQ(base.entier("SELECT count(*) FROM partie"), attendus);
        Requete joueurs(base, "SELECT count(*) FROM joueur WHERE nom = ?1");
        EXPECT_TRUE(joueurs.lier(1, nom).ligne());
        EXPECT_EQ(joueurs.entier(0), attendus);
        EXPECT_EQ(base.entier("SELECT count(*) FROM joueur"), attendus);
        return testing::Test::HasFailure() ? -1 : static_cast<int>(*n);
    }

    DossierTemporaire dossier;
    const std::string chemin = (dossier.chemin() / "open.tavo").string();
    OptionsBase options;
};

// A child writes actions from `premiere` on, saying "n" on its pipe after each
// commit, until it is killed; it says why when an action fails.
pid_t ecrivain(const std::string& chemin, const OptionsBase& options, int premiere, int sortie) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    BaseDonnees base;
    std::string ligne;
    for (int n = premiere;
         base.ouverte() || base.ouvrir(chemin, BaseDonnees::Ouverture::existant, options); ++n) {
        ligne = action(base, n) ? std::to_string(n) + "\n" : "erreur : " + base.erreur() + "\n";
        if (::write(sortie, ligne.data(), ligne.size()) < 0 || ligne[0] == 'e') break;
    }
    if (!base.ouverte()) ligne = "erreur : " + base.erreur() + "\n";
    (void)!::write(sortie, ligne.data(), ligne.size());
    ::_exit(1);
}

TEST_P(BaseCoupures, AWriterKilledAtRandomLeavesEachActionWholeOrAbsent) {
    std::mt19937 hasard(20260422);
    std::uniform_int_distribution<int> delai_us(1000, 30000);
    int derniere = 0;
    int validees = 0;  // actions reported committed, over all the kills
    for (int coupure = 0; coupure < 40; ++coupure) {
        SCOPED_TRACE("coupure " + std::to_string(coupure));
        int tube[2];
        ASSERT_EQ(::pipe(tube), 0);
        const pid_t pid = ecrivain(chemin, options, derniere + 1, tube[1]);
        ::close(tube[1]);
        // The kill falls among writes, however slow the machine: once the
        // child has reported its first commit, at a random instant after.
        std::string sortie;
        char tampon[4096];
        for (ssize_t lu; sortie.find('\n') == std::string::npos &&
                         (lu = ::read(tube[0], tampon, sizeof tampon)) > 0;)
            sortie.append(tampon, static_cast<std::size_t>(lu));
        std::this_thread::sleep_for(std::chrono::microseconds(delai_us(hasard)));
        ::kill(pid, SIGKILL);
        int etat = 0;
        ::waitpid(pid, &etat, 0);
        for (ssize_t lu; (lu = ::read(tube[0], tampon, sizeof tampon)) > 0;)
            sortie.append(tampon, static_cast<std::size_t>(lu));
        ::close(tube[0]);
        ASSERT_TRUE(WIFSIGNALED(etat)) << sortie;

        // The last action reported committed is there, or the one after it,
        // whose commit went through before the report.
        std::istringstream lignes(sortie);
        int annoncee = derniere;
        for (std::string ligne; std::getline(lignes, ligne);) annoncee = std::stoi(ligne);
        validees += annoncee - derniere;
        derniere = action_entiere();
        ASSERT_GE(derniere, annoncee);
        ASSERT_LE(derniere, annoncee + 1);
    }
    // Each kill came after a commit at least.
    EXPECT_GE(validees, 40);
    std::printf("%d actions validées entre 40 coupures\n", validees);
}

TEST_P(BaseCoupures, FiftyWritersAtOnceLoseNoChange) {
    constexpr int kEcrivains = 50;
    constexpr int kActions = 4;
    // They wait as long as it takes: what counts here is that no change is
    // lost (giving up after the wait has a test of its own).
    options.attente_ms = 60000;
    std::vector<pid_t> enfants;
    for (int e = 0; e < kEcrivains; ++e) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            BaseDonnees base;
            bool ok = base.ouvrir(chemin, BaseDonnees::Ouverture::existant, options);
            for (int k = 0; ok && k < kActions; ++k) {
                Transaction transaction(base);
                Requete joueur(base,
                               "INSERT INTO joueur VALUES (?1, 'ECRIVAIN', 'Jean', '  /  /  ', "
                               "0, 0, 1, '', 0, 0, 0, ?1, '', '', 0, '', '')");
                ok = transaction.commencee() && joueur.lier(1, e * kActions + k + 1).executer() &&
                     base.executer("UPDATE tournoi SET nb_actifs = nb_actifs + 1") &&
                     transaction.valider();
            }
            if (!ok) std::fprintf(stderr, "écrivain %d : %s\n", e, base.erreur().c_str());
            ::_exit(ok ? 0 : 1);
        }
        enfants.push_back(pid);
    }
    for (const pid_t pid : enfants) {
        int etat = 0;
        ::waitpid(pid, &etat, 0);
        EXPECT_TRUE(WIFEXITED(etat) && WEXITSTATUS(etat) == 0);
    }
    BaseDonnees base;
    ASSERT_TRUE(base.ouvrir(chemin, BaseDonnees::Ouverture::existant, options));
    EXPECT_EQ(texte(base, "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(base.entier("SELECT count(*) FROM joueur"), kEcrivains * kActions);
    EXPECT_EQ(base.entier("SELECT nb_actifs FROM tournoi"), kEcrivains * kActions);
}

// The write-ahead log of a local disk, and the rollback journal of a network
// share (NFS's type).
INSTANTIATE_TEST_SUITE_P(Journaux, BaseCoupures, ::testing::Values(0xEF53u, 0x6969u),
                         [](const auto& type) {
                             return type.param == 0x6969u ? "rollback" : "wal";
                         });

}  // namespace
}  // namespace tavo::test
