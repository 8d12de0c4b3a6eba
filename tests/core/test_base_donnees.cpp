#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "model/base_donnees.h"
#include "model/requete.h"
#include "model/texte.h"
#include "support/dossier_test.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using Ouverture = BaseDonnees::Ouverture;
using test::lire_fichier;

constexpr std::string_view kAjoutJoueur =
    "INSERT INTO joueur VALUES (?1, ?2, 'Jean', '  /  /  ', 1500, 0, 1, '', 0, 0, 0, ?1, "
    "'', '', 0, '', '')";

bool ajouter_joueur(BaseDonnees& base, int numero, std::string_view nom = "DUPONT") {
    return Requete(base, kAjoutJoueur).lier(1, numero).lier(2, nom).executer();
}

std::int64_t nb_joueurs(BaseDonnees& base) {
    return base.entier("SELECT count(*) FROM joueur").value_or(-1);
}

std::string texte(BaseDonnees& base, std::string_view sql) {
    Requete requete(base, sql);
    return requete.ligne() ? requete.texte(0) : "<aucune ligne>";
}

class BaseDonneesTest : public ::testing::Test {
  protected:
    // A new tournament file "open.tavo", closed again.
    void creer(const OptionsBase& options = {}) {
        BaseDonnees base;
        ASSERT_TRUE(base.ouvrir(chemin, Ouverture::nouveau, options)) << base.erreur();
    }

    test::DossierTemporaire dossier;
    const std::string chemin = (dossier.chemin() / "open.tavo").string();
};

TEST_F(BaseDonneesTest, ANewFileOpensAgainWithWhatWasCommitted) {
    {
        BaseDonnees base;
        ASSERT_TRUE(base.ouvrir(chemin, Ouverture::nouveau)) << base.erreur();
        EXPECT_EQ(base.journal(), ModeJournal::wal);
        EXPECT_EQ(base.avertissement(), "");
        Transaction action(base);
        ASSERT_TRUE(action.commencee());
        ASSERT_TRUE(Requete(base,
                            "INSERT INTO tournoi VALUES (1, ?1, '12/12/26', 'Echecs', 5, -1, "
                            "0, 0, 2, 2)")
                        .lier(1, "Open de Noël")
                        .executer());
        ASSERT_TRUE(ajouter_joueur(base, 1, "Zoë"));
        ASSERT_TRUE(action.valider()) << base.erreur();
    }
    BaseDonnees base;
    ASSERT_TRUE(base.ouvrir(chemin)) << base.erreur();
    EXPECT_EQ(base.entier("PRAGMA user_version"),
              static_cast<std::int64_t>(etapes_schema_tavo().size()));
    EXPECT_EQ(base.entier("PRAGMA application_id"), ID_APPLICATION_TAVO);
    EXPECT_EQ(texte(base, "PRAGMA journal_mode"), "wal");
    EXPECT_EQ(base.entier("PRAGMA foreign_keys"), 1);
    EXPECT_EQ(base.entier("PRAGMA synchronous"), 2);  // FULL
    EXPECT_EQ(texte(base, "SELECT nom FROM tournoi"), "Open de Noël");
    EXPECT_EQ(texte(base, "SELECT nom FROM joueur WHERE numero = 1"), "Zoë");

    // A new file is never made over one that exists.
    BaseDonnees autre;
    EXPECT_FALSE(autre.ouvrir(chemin, Ouverture::nouveau));
    EXPECT_EQ(autre.erreur(), "Le fichier existe déjà : open.tavo");
    EXPECT_EQ(nb_joueurs(base), 1);
}

TEST_F(BaseDonneesTest, WhatIsNoTournamentFileIsRefusedAndLeftAlone) {
    BaseDonnees base;
    EXPECT_FALSE(base.ouvrir(chemin));
    EXPECT_EQ(base.erreur(), "Fichier introuvable : open.tavo");
    EXPECT_FALSE(fs::exists(chemin));
    EXPECT_FALSE(base.ouvrir(dossier.chemin().string()));
    EXPECT_EQ(base.erreur(),
              dossier.chemin().filename().string() + " n'est pas un fichier ordinaire");

    const std::string texte(3000, 'x');
    dossier.ecrire("notes.tavo", texte);
    EXPECT_FALSE(base.ouvrir((dossier.chemin() / "notes.tavo").string()));
    EXPECT_EQ(base.erreur(), "notes.tavo n'est pas un fichier de tournoi TAVO");
    EXPECT_EQ(dossier.lire("notes.tavo"), texte);

    // Another program's database: tables of its own, no application id.
    {
        BaseDonnees autre;
        ASSERT_TRUE(autre.ouvrir(chemin, Ouverture::nouveau, {.etapes = {}}));
        ASSERT_TRUE(autre.executer("CREATE TABLE notes (texte TEXT)"));
    }
    const std::string avant = lire_fichier(chemin);
    EXPECT_FALSE(base.ouvrir(chemin));
    EXPECT_EQ(base.erreur(), "open.tavo n'est pas un fichier de tournoi TAVO");
    EXPECT_EQ(lire_fichier(chemin), avant);
    EXPECT_FALSE(base.ouverte());
}

TEST_F(BaseDonneesTest, AFileFromANewerProgramIsRefusedByteForByte) {
    const auto connue = etapes_schema_tavo().size();
    {
        BaseDonnees base;
        ASSERT_TRUE(base.ouvrir(chemin, Ouverture::nouveau));
        ASSERT_TRUE(base.executer(formater("PRAGMA user_version = %zu", connue + 1)));
    }
    const std::string avant = lire_fichier(chemin);
    BaseDonnees base;
    EXPECT_FALSE(base.ouvrir(chemin));
    EXPECT_EQ(base.erreur(),
              formater(std::string(
                           "Le fichier open.tavo vient d'une version plus récente de TAVO (fichier "
                           "de version %zu, ce programme lit jusqu'à la version %zu) : mettez TAVO "
                           "à jour pour l'ouvrir")
                           .c_str(),
                       connue + 1, connue));
    EXPECT_EQ(lire_fichier(chemin), avant);
    EXPECT_EQ(dossier.contenu(), std::vector<std::string>{"open.tavo"});
}

TEST_F(BaseDonneesTest, ADamagedFileIsRefusedAtOpening) {
    {
        BaseDonnees base;
        ASSERT_TRUE(base.ouvrir(chemin, Ouverture::nouveau));
        Transaction action(base);
        for (int numero = 1; numero <= 300; ++numero)
            ASSERT_TRUE(ajouter_joueur(base, numero, std::string(200, 'A' + numero % 26)));
        ASSERT_TRUE(action.valider());
    }
    std::string octets = lire_fichier(chemin);
    const std::size_t page = 4096;
    ASSERT_GE(octets.size(), 10 * page);
    octets.replace(octets.size() / page / 2 * page, page, std::string(page, '\x5A'));
    test::ecrire_fichier(chemin, octets);

    BaseDonnees base;
    EXPECT_FALSE(base.ouvrir(chemin));
    EXPECT_EQ(base.erreur(), "Le fichier open.tavo est endommagé");
    EXPECT_EQ(lire_fichier(chemin), octets);
}

TEST(Journal, ChosenByTheFileSystemsType) {
    for (std::uint32_t local : {0xEF53u, 0x01021994u, 0x9123683Eu, 0x58465342u}) {
        const ChoixJournal choix = choisir_journal(local);  // ext4, tmpfs, btrfs, xfs
        EXPECT_EQ(choix.mode, ModeJournal::wal) << std::hex << local;
        EXPECT_EQ(choix.avertissement, "") << std::hex << local;
    }
    const std::pair<std::uint32_t, std::string> partages[] = {
        {0x6969, "(NFS)"},      {0xFF534D42, "(SMB/CIFS)"}, {0xFE534D42, "(SMB2/SMB3)"},
        {0x517B, "(SMB)"},      {0x65735546, "FUSE"},       {0x01021997, "(9P"},
        {0x00C36400, "(Ceph)"}, {0x6B414653, "(AFS)"},      {0x0BD00BD0, "(Lustre)"},
    };
    for (const auto& [type, nom] : partages) {
        const ChoixJournal choix = choisir_journal(type);
        EXPECT_EQ(choix.mode, ModeJournal::rollback) << std::hex << type;
        EXPECT_NE(choix.avertissement.find(nom), std::string::npos) << choix.avertissement;
    }
    EXPECT_EQ(choisir_journal(0x6969).avertissement,
              "Ce fichier est sur un partage réseau (NFS), où le verrouillage des fichiers "
              "n'est pas fiable : si deux programmes ou deux ordinateurs le modifient en même "
              "temps, le tournoi peut être abîmé. Travaillez de préférence sur un disque "
              "local.");
}

TEST_F(BaseDonneesTest, AFileOnANetworkShareLeavesTheWriteAheadLog) {
    creer();
    BaseDonnees base;
    ASSERT_TRUE(base.ouvrir(chemin, Ouverture::existant, {.type_systeme = 0x6969}));
    EXPECT_EQ(base.journal(), ModeJournal::rollback);
    EXPECT_EQ(base.avertissement(), choisir_journal(0x6969).avertissement);
    EXPECT_EQ(texte(base, "PRAGMA journal_mode"), "delete");
    Transaction action(base);
    ASSERT_TRUE(ajouter_joueur(base, 1));
    ASSERT_TRUE(action.valider());
    EXPECT_EQ(dossier.contenu(), std::vector<std::string>{"open.tavo"});
}

TEST_F(BaseDonneesTest, ASecondWriterWaitsThenGivesUpWithAMessage) {
    using horloge = std::chrono::steady_clock;
    creer();
    BaseDonnees premier, presse, patient;
    ASSERT_TRUE(premier.ouvrir(chemin));
    ASSERT_TRUE(presse.ouvrir(chemin, Ouverture::existant, {.attente_ms = 300}));
    ASSERT_TRUE(patient.ouvrir(chemin));
    Transaction action(premier);
    ASSERT_TRUE(ajouter_joueur(premier, 1));

    auto debut = horloge::now();
    {
        Transaction refusee(presse);
        EXPECT_FALSE(refusee.commencee());
    }
    EXPECT_GE(horloge::now() - debut, std::chrono::milliseconds(250));
    EXPECT_EQ(presse.erreur(),
              "Ce fichier est en cours de modification par un autre "
              "programme : réessayez dans un instant");

    // The first change ends while the other writer waits: it then goes on.
    std::thread fin([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_TRUE(action.valider());
    });
    debut = horloge::now();
    {
        Transaction suivante(patient);
        EXPECT_TRUE(suivante.commencee()) << patient.erreur();
        EXPECT_TRUE(ajouter_joueur(patient, 2));
        EXPECT_TRUE(suivante.valider());
    }
    EXPECT_GE(horloge::now() - debut, std::chrono::milliseconds(150));
    fin.join();
    EXPECT_EQ(nb_joueurs(presse), 2);
}

TEST_F(BaseDonneesTest, AnActionNotCommittedLeavesNothing) {
    creer();
    BaseDonnees base;
    ASSERT_TRUE(base.ouvrir(chemin));
    {
        Transaction action(base);
        ASSERT_TRUE(ajouter_joueur(base, 1));
    }
    EXPECT_EQ(nb_joueurs(base), 0);
    // A commit the schema refuses (a game against nobody) leaves nothing
    // either, and the next action goes through.
    {
        Transaction action(base);
        ASSERT_TRUE(ajouter_joueur(base, 1));
        ASSERT_TRUE(
            base.executer("INSERT INTO partie (joueur, ronde, adversaire, couleur, "
                          "resultat, pions) VALUES (1, 0, 7, 0, 'gain', 0)"));
        EXPECT_FALSE(action.valider());
        EXPECT_EQ(base.erreur(),
                  "Modification refusée : le tournoi deviendrait incohérent "
                  "(FOREIGN KEY constraint failed)");
    }
    EXPECT_EQ(nb_joueurs(base), 0);
    Transaction action(base);
    ASSERT_TRUE(ajouter_joueur(base, 1));
    EXPECT_TRUE(action.valider());
    EXPECT_EQ(nb_joueurs(base), 1);
}

TEST_F(BaseDonneesTest, TheSchemaRefusesWhatTheModelNeverHolds) {
    creer();
    BaseDonnees base;
    ASSERT_TRUE(base.ouvrir(chemin));
    ASSERT_TRUE(ajouter_joueur(base, 1));
    ASSERT_TRUE(ajouter_joueur(base, 2));
    const char* const refusees[] = {
        "UPDATE joueur SET prenom = 'Jean' || char(10) WHERE numero = 1",
        "UPDATE joueur SET equipe = char(127) WHERE numero = 1",
        "UPDATE joueur SET numero = 10000 WHERE numero = 1",
        "UPDATE joueur SET rang_classement = 2 WHERE numero = 1",
        "INSERT INTO tournoi VALUES (1, 'Open', '', 'Echecs', 3, 3, 0, 0, 2, 2)",
        "INSERT INTO absence_demandee VALUES (1, 2, 2)",
        "INSERT INTO departage VALUES (0, 6)",
        "INSERT INTO partie (joueur, ronde, adversaire, couleur, resultat, pions) "
        "VALUES (1, 0, 2, 3, 'gain', 0)",
        "INSERT INTO partie (joueur, ronde, adversaire, couleur, resultat, pions) "
        "VALUES (1, 0, 2, 0, 'gain', 65)",
        "INSERT INTO partie (joueur, ronde, adversaire, couleur, resultat, pions) "
        "VALUES (1, 0, 1, 0, 'gain', 0)",
        "INSERT INTO partie (joueur, ronde, adversaire, couleur, resultat, pions) "
        "VALUES (1, 0, '2', 0, 'victoire', 0)",
        "INSERT INTO partie (joueur, ronde, adversaire, couleur, resultat, pions, forfait) "
        "VALUES (1, 0, 2, 0, 'gain', 0, 2)",
        "INSERT INTO appariement (ronde, numero, blanc, noir, resultat_blanc, pions_blanc, "
        "pions_noir) VALUES (0, 1, 1, 10000, 'gain', 0, 0)",
    };
    for (const char* sql : refusees) {
        EXPECT_FALSE(base.executer(sql)) << sql;
        EXPECT_EQ(base.erreur().rfind("Modification refusée", 0), 0u) << base.erreur();
    }
    // A player meets players, a forfeit or the bye, once per round.
    EXPECT_TRUE(base.executer(
        "INSERT INTO partie (joueur, ronde, adversaire, couleur, resultat, pions) "
        "VALUES (1, 0, 10001, 2, 'gain', 33), (2, 0, 10000, 2, 'perte', 0), "
        "(1, 1, 2, 0, 'nul', 32), (2, 1, 1, 1, 'nul', 32);"
        "INSERT INTO appariement (ronde, numero, blanc, noir, resultat_blanc, pions_blanc, "
        "pions_noir) VALUES (0, 1, 1, 10001, 'gain', 33, 31), (1, 1, 1, 2, 'aucun', 0, 0)"))
        << base.erreur();
    EXPECT_FALSE(base.executer(
        "INSERT INTO appariement (ronde, numero, blanc, noir, resultat_blanc, pions_blanc, "
        "pions_noir) VALUES (1, 2, 1, 10001, 'gain', 0, 0)"));
}

TEST_F(BaseDonneesTest, ASchemaStepGoesThroughWholeOrNotAtAll) {
    constexpr std::string_view v1[] = {"CREATE TABLE a (x INTEGER) STRICT"};
    constexpr std::string_view v2[] = {v1[0],
                                       "ALTER TABLE a ADD COLUMN y TEXT; INSERT INTO a VALUES (1, "
                                       "'un')"};
    constexpr std::string_view v3[] = {v1[0], v2[1],
                                       "CREATE TABLE b (z); INSERT INTO a VALUES (2, 'deux'); "
                                       "SELECT inconnue()"};
    creer({.etapes = v1});
    BaseDonnees base;
    ASSERT_TRUE(base.ouvrir(chemin, Ouverture::existant, {.etapes = v2})) << base.erreur();
    EXPECT_EQ(base.entier("PRAGMA user_version"), 2);
    EXPECT_EQ(texte(base, "SELECT y FROM a"), "un");
    base.fermer();

    EXPECT_FALSE(base.ouvrir(chemin, Ouverture::existant, {.etapes = v3}));
    EXPECT_EQ(base.erreur(), "Erreur du fichier open.tavo : no such function: inconnue");
    ASSERT_TRUE(base.ouvrir(chemin, Ouverture::existant, {.etapes = v2}));
    EXPECT_EQ(base.entier("PRAGMA user_version"), 2);
    EXPECT_EQ(base.entier("SELECT count(*) FROM a"), 1);
    EXPECT_EQ(base.entier("SELECT count(*) FROM sqlite_schema WHERE name = 'b'"), 0);
}

}  // namespace
}  // namespace tavo
