// Saves that go wrong: full disk, read-only folder, a folder in place of the
// file, a process killed in the middle of the save. Each time the previous
// file must stay byte for byte as it was, the tournament must stay marked as
// modified, and the director must see the message of what failed.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <iterator>

#include "model/fichier_tournoi.h"
#include "model/texte.h"
#include "outils.h"
#include "support/tournoi_test.h"

namespace tavo::test {
namespace {

namespace fs = std::filesystem;

const char* const kTournoi = "Erreur d'écriture TOURNOI dans ce fichier";
const char* const kJoueurs = "Erreur d'écriture JOUEURS [] dans ce fichier";
const char* const kNbApp = "Erreur d'écriture NB_APP [] dans ce fichier";
const char* const kApp = "Erreur d'écriture APP [][] dans ce fichier";
const char* const kOuvrir = "Impossible d'ouvrir ce fichier";

int pannes_injectees = 0;

// Ten players after two complete rounds; the tournament in memory has moved
// on to a third round and is bigger than the file on disk.
Tournoi tournoi_sauve() {
    Tournoi t = tournoi_avec_joueurs(10, 5, {"BU", "SB"});
    for (int r = 0; r < 2; ++r) {
        ouvrir_ronde(t, r);
        for (int table = 0; table < 5; ++table)
            poser_partie(t, r, table, 2 * table + 1 + r, r ? 2 * table + 1 : 2 * table + 2,
                         table % 3);
    }
    return t;
}

Tournoi tournoi_en_cours() {
    Tournoi t = tournoi_sauve();
    ouvrir_ronde(t, 2);
    for (int table = 0; table < 5; ++table) poser_partie(t, 2, table, 10 - table, table + 1, 1);
    for (int table = 0; table < 5; ++table)  // no result entered yet
        poser_resultat(t, 2, table, Resultat::aucun, 0, 0);
    t.entete.nom = "Open d'été";
    t.entete.modifie = true;
    return t;
}

// Sizes of the blocks of tournoi_en_cours() in its file.
constexpr std::size_t kFinTournoi = 150;
constexpr std::size_t kFinJoueurs = kFinTournoi + 10 * 158;
constexpr std::size_t kFinNbApp = kFinJoueurs + 3 * 2;
constexpr std::size_t kTaille = kFinNbApp + 3 * 5 * 10;

// The block a write stopped at byte `octet` of the file belongs to.
const char* bloc_a(std::size_t octet) {
    if (octet < kFinTournoi) return kTournoi;
    if (octet < kFinJoueurs) return kJoueurs;
    if (octet < kFinNbApp) return kNbApp;
    return kApp;
}

// What a save made in a child process reports: returned value, modifie and
// the messages shown, one text.
std::string compte_rendu(bool ok, const Tournoi& t, const InteractionTest& io) {
    std::string texte =
        std::string(ok ? "ok" : "echec") + " modifie=" + std::to_string(t.entete.modifie);
    for (const std::string& e : io.erreurs) texte += " | " + e;
    return texte;
}

std::string noms(const std::vector<std::string>& entrees) {
    std::string texte;
    for (const std::string& nom : entrees) texte += (texte.empty() ? "" : " ") + nom;
    return texte;
}

std::string attendu(const char* message) {
    return std::string("echec modifie=1 | ") + message;
}

class SauvegardeEnPanne : public ::testing::Test {
  protected:
    void SetUp() override {
        Tournoi precedent = tournoi_sauve();
        InteractionTest io;
        ASSERT_TRUE(sauver(precedent, cible.string(), io));
        avant = lire_fichier(cible);
        ASSERT_EQ(avant.size(), 1834u);
        ASSERT_EQ(image_fichier(courant).size(), kTaille);
    }
    void TearDown() override { remplacer_ecriture(nullptr); }

    // The previous file is untouched and nothing else is left in the folder.
    void verifier_fichier_intact() {
        ++pannes_injectees;
        EXPECT_EQ(lire_fichier(cible), avant);
        EXPECT_EQ(dossier.contenu(), std::vector<std::string>{"open.pxi"});
    }

    // A save in this process that must fail with `message`.
    void verifier_echec(const char* message) {
        InteractionTest io;
        EXPECT_FALSE(sauver(courant, cible.string(), io));
        EXPECT_TRUE(courant.entete.modifie);
        EXPECT_EQ(io.erreurs, std::vector<std::string>{std::string(message)});
        verifier_fichier_intact();
    }

    // A save in a child that gives up root's rights first (user "nobody"):
    // root ignores permission bits. Its report begins with SKIP when it could
    // not.
    FinEnfant sauver_sans_root() {
        return dans_un_enfant([&]() -> std::string {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                return std::string("SKIP ") + std::strerror(errno);
            InteractionTest io;
            const bool ok = sauver(courant, cible.string(), io);
            return compte_rendu(ok, courant, io);
        });
    }

    DossierTemporaire dossier;
    fs::path cible = dossier.chemin() / "open.pxi";
    Tournoi courant = tournoi_en_cours();
    std::string avant;
};

// --- write failures injected through the write call -------------------------

int appel_en_panne = 0;
int appels = 0;
bool panne_par_zero = false;

ssize_t ecriture_en_panne(int fd, const void* donnees, std::size_t taille) {
    if (++appels == appel_en_panne) {
        if (panne_par_zero) return 0;
        errno = ENOSPC;
        return -1;
    }
    return ::write(fd, donnees, taille);
}

ssize_t ecriture_comptee(int fd, const void* donnees, std::size_t taille) {
    ++appels;
    return ::write(fd, donnees, taille);
}

TEST_F(SauvegardeEnPanne, DisquePleinAChaqueEcritureNommeLeBloc) {
    const char* blocs[] = {kTournoi, kJoueurs, kNbApp, kApp};
    for (bool zero : {false, true}) {
        for (int k = 1; k <= 4; ++k) {
            SCOPED_TRACE("ecriture " + std::to_string(k) + (zero ? " (0 octet)" : " (ENOSPC)"));
            appels = 0, appel_en_panne = k, panne_par_zero = zero;
            remplacer_ecriture(ecriture_en_panne);
            verifier_echec(blocs[k - 1]);
        }
    }
    remplacer_ecriture(nullptr);
    InteractionTest io;
    ASSERT_TRUE(sauver(courant, cible.string(), io));
    EXPECT_FALSE(courant.entete.modifie);
    const std::vector<char> image = image_fichier(courant);
    EXPECT_EQ(lire_fichier(cible), std::string(image.begin(), image.end()));
}

// RLIMIT_FSIZE makes the kernel refuse to grow a file past a size (EFBIG once
// SIGXFSZ is ignored): a full disk at any byte, without a real file system.
TEST_F(SauvegardeEnPanne, DisquePleinAChaqueOctetDeBordure) {
    const std::size_t limites[] = {0,
                                   1,
                                   149,
                                   150,
                                   151,
                                   kFinJoueurs - 1,
                                   kFinJoueurs,
                                   kFinJoueurs + 1,
                                   kFinNbApp - 1,
                                   kFinNbApp,
                                   kFinNbApp + 1,
                                   kTaille - 1};
    for (std::size_t limite : limites) {
        SCOPED_TRACE("fichier limite a " + std::to_string(limite) + " octets");
        const FinEnfant fin = dans_un_enfant([&] {
            ::signal(SIGXFSZ, SIG_IGN);
            rlimit r{};
            ::getrlimit(RLIMIT_FSIZE, &r);
            r.rlim_cur = limite;
            ::setrlimit(RLIMIT_FSIZE, &r);
            InteractionTest io;
            const bool ok = sauver(courant, cible.string(), io);
            return compte_rendu(ok, courant, io);
        });
        EXPECT_EQ(fin.sortie, attendu(bloc_a(limite)));
        verifier_fichier_intact();
    }
}

// A real full file system: a small tmpfs, mounted in a mount namespace of the
// child's own so that nothing outlives the test.
TEST_F(SauvegardeEnPanne, SystemeDeFichiersPlein) {
    const FinEnfant fin = dans_un_enfant([&]() -> std::string {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tavo", dossier.chemin().c_str(), "tmpfs", 0, "size=16k") != 0)
            return std::string("SKIP ") + std::strerror(errno);
        ecrire_fichier(cible, avant);
        {
            std::string bloc(1024, 'x');
            FILE* remplissage = std::fopen((dossier.chemin() / "remplissage").c_str(), "wb");
            while (remplissage &&
                   std::fwrite(bloc.data(), 1, bloc.size(), remplissage) == bloc.size() &&
                   std::fflush(remplissage) == 0) {
            }
            if (remplissage) std::fclose(remplissage);
        }
        InteractionTest io;
        const bool ok = sauver(courant, cible.string(), io);
        return compte_rendu(ok, courant, io) +
               (lire_fichier(cible) == avant ? " intact" : " ABIME") + " [" +
               noms(dossier.contenu()) + "]";
    });
    if (fin.sortie.rfind("SKIP", 0) == 0) GTEST_SKIP() << "pas de tmpfs ici : " << fin.sortie;
    ++pannes_injectees;
    EXPECT_EQ(fin.sortie, attendu(kTournoi) + " intact [open.pxi remplissage]");
}

// A folder on a read-only file system (a read-only bind mount of the scratch
// folder in the child's own mount namespace): even root cannot write there.
TEST_F(SauvegardeEnPanne, DossierEnLectureSeule) {
    const FinEnfant fin = dans_un_enfant([&]() -> std::string {
        const char* d = dossier.chemin().c_str();
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(d, d, nullptr, MS_BIND, nullptr) != 0 ||
            ::mount(nullptr, d, nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return std::string("SKIP ") + std::strerror(errno);
        InteractionTest io;
        const bool ok = sauver(courant, cible.string(), io);
        return compte_rendu(ok, courant, io);
    });
    if (fin.sortie.rfind("SKIP", 0) == 0) GTEST_SKIP() << "pas de montage ici : " << fin.sortie;
    EXPECT_EQ(fin.sortie, attendu(kOuvrir));
    verifier_fichier_intact();
}

// A folder without write permission. Root ignores permission bits, so the
// child gives up its rights first (user "nobody").
TEST_F(SauvegardeEnPanne, DossierSansDroitDEcriture) {
    ::chmod(dossier.chemin().c_str(), 0555);
    const FinEnfant fin = sauver_sans_root();
    ::chmod(dossier.chemin().c_str(), 0700);
    if (fin.sortie.rfind("SKIP", 0) == 0)
        GTEST_SKIP() << "impossible de quitter root : " << fin.sortie;
    EXPECT_EQ(fin.sortie, attendu(kOuvrir));
    verifier_fichier_intact();
}

// Root's file, writable by all in a folder open to all: another user may not
// replace it by one of his own.
TEST_F(SauvegardeEnPanne, LeProprietaireNeChangePas) {
    if (::geteuid() != 0) GTEST_SKIP() << "il faut root pour le fichier d'un autre";
    ::chmod(dossier.chemin().c_str(), 0777);
    ::chmod(cible.c_str(), 0666);
    const FinEnfant fin = sauver_sans_root();
    ::chmod(dossier.chemin().c_str(), 0700);
    if (fin.sortie.rfind("SKIP", 0) == 0)
        GTEST_SKIP() << "impossible de quitter root : " << fin.sortie;
    EXPECT_EQ(fin.sortie, attendu(kOuvrir));
    verifier_fichier_intact();
    struct stat etat {};
    ASSERT_EQ(::stat(cible.c_str(), &etat), 0);
    EXPECT_EQ(etat.st_uid, 0u);
}

TEST_F(SauvegardeEnPanne, LaCibleEstUnDossier) {
    const fs::path dossier_cible = dossier.chemin() / "open.pxi.d";
    fs::create_directory(dossier_cible);
    ecrire_fichier(dossier_cible / "dedans.txt", "garde-moi");
    InteractionTest io;
    EXPECT_FALSE(sauver(courant, dossier_cible.string(), io));
    EXPECT_EQ(io.erreurs, std::vector<std::string>{std::string(kOuvrir)});
    EXPECT_TRUE(courant.entete.modifie);
    EXPECT_TRUE(fs::is_directory(dossier_cible));
    EXPECT_EQ(lire_fichier(dossier_cible / "dedans.txt"), "garde-moi");
    fs::remove_all(dossier_cible);
    verifier_fichier_intact();
}

// --- a process killed in the middle of a save --------------------------------

int appel_fatal = 0;
bool moitie_ecrite = false;

ssize_t ecriture_fatale(int fd, const void* donnees, std::size_t taille) {
    if (++appels == appel_fatal) {
        if (moitie_ecrite) (void)::write(fd, donnees, taille / 2);
        ::raise(SIGKILL);
    }
    return ::write(fd, donnees, taille);
}

TEST_F(SauvegardeEnPanne, ProcessusTueAChaqueEcriture) {
    appels = 0;
    remplacer_ecriture(ecriture_comptee);
    {
        Tournoi copie = courant;
        InteractionTest io;
        ASSERT_TRUE(sauver(copie, (dossier.chemin() / "compte.pxi").string(), io));
    }
    remplacer_ecriture(nullptr);
    fs::remove(dossier.chemin() / "compte.pxi");
    const int nb_ecritures = appels;
    ASSERT_GE(nb_ecritures, 4);

    for (bool moitie : {false, true}) {
        for (int k = 1; k <= nb_ecritures; ++k) {
            SCOPED_TRACE("tue a l'ecriture " + std::to_string(k) +
                         (moitie ? " (a moitie faite)" : ""));
            const FinEnfant fin = dans_un_enfant([&]() -> std::string {
                appels = 0, appel_fatal = k, moitie_ecrite = moitie;
                remplacer_ecriture(ecriture_fatale);
                InteractionTest io;
                return "revenu : " + compte_rendu(sauver(courant, cible.string(), io), courant, io);
            });
            EXPECT_TRUE(fin.tue && fin.signal == SIGKILL) << fin.sortie;
            ++pannes_injectees;
            EXPECT_EQ(lire_fichier(cible), avant);
            // The file still loads, as the tournament it was.
            Tournoi relu;
            InteractionTest io;
            ASSERT_TRUE(charger(relu, cible.string(), io));
            EXPECT_EQ(image_fichier(relu), std::vector<char>(avant.begin(), avant.end()));
            // What the killed save left is its own temporary file, never the target.
            for (const auto& entree : fs::directory_iterator(dossier.chemin())) {
                const std::string nom = entree.path().filename().string();
                EXPECT_TRUE(entree.path() == cible || nom.rfind("open.pxi.tmp-", 0) == 0) << nom;
            }
        }
    }
    // The next save after the crashes goes through and removes what they left.
    InteractionTest io;
    ASSERT_TRUE(sauver(courant, cible.string(), io));
    EXPECT_EQ(lire_fichier(cible).size(), kTaille);
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier.chemin()), fs::directory_iterator()), 1);

    // The longest file name a folder holds saves too: the temporary name is
    // cut to fit.
    const fs::path long_nom = dossier.chemin() / (std::string(251, 'n') + ".pxi");
    EXPECT_TRUE(sauver(courant, long_nom.string(), io)) << io.erreurs.at(0);
    EXPECT_TRUE(charger(courant, long_nom.string(), io));
}

class Bilan : public ::testing::Environment {
  public:
    void TearDown() override {
        if (pannes_injectees > 0)
            std::cout
                << "[ bilan    ] " << pannes_injectees
                << " pannes de sauvegarde injectees, le fichier precedent intact a chaque fois\n";
    }
};
const auto* const kBilan = ::testing::AddGlobalTestEnvironment(new Bilan);

}  // namespace
}  // namespace tavo::test
