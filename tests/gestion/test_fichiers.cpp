// The two tournament files: the native .tavo (SQLite) and the 1998 .pxi,
// chosen by the name. Every golden tournament goes to a .tavo and back to the
// same .pxi; a tournament changed action after action through one open .tavo
// reads back equal after each, also when another program wrote in between.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "gestion/corrections.h"
#include "gestion/fichiers.h"
#include "gestion/joueurs.h"
#include "gestion/rapports.h"
#include "gestion/resultats.h"
#include "gestion/rondes.h"
#include "model/base_donnees.h"
#include "model/fichier_tavo.h"
#include "model/fichier_tournoi.h"
#include "model/requete.h"
#include "model/schema_tavo.h"
#include "support/dossier_test.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using test::InteractionTest;

std::vector<fs::path> pxi_golden() {
    std::vector<fs::path> fichiers;
    for (const auto& entree : fs::recursive_directory_iterator(TAVO_CAS_GOLDEN))
        if (entree.path().extension() == ".pxi") fichiers.push_back(entree.path());
    std::sort(fichiers.begin(), fichiers.end());
    return fichiers;
}

// The tournament as a fresh load of `chemin` finds it.
Tournoi relu(const fs::path& chemin) {
    Tournoi t;
    InteractionTest io;
    EXPECT_TRUE(gestion::charger_tournoi(t, chemin.string(), io))
        << ::testing::PrintToString(io.erreurs);
    return t;
}

// True when the file left out tables of an earlier round, which a load
// brings back (and a save then writes).
bool tables_laissees(const fs::path& pxi) {
    Tournoi brut;
    InteractionTest io;
    EXPECT_TRUE(charger(brut, pxi.string(), io));
    for (const Ronde& r : brut.rondes)
        for (const Appariement& a : r.tables)
            if (a.vide()) return true;
    return false;
}

TEST(FichiersTavo, EveryGoldenTournamentGoesToTavoAndBackWithTheSameReports) {
    test::DossierTemporaire dossier;
    const std::string tavo = (dossier.chemin() / "t.tavo").string();
    int fichiers = 0, tables_refaites = 0;
    for (const fs::path& pxi : pxi_golden()) {
        SCOPED_TRACE(pxi.string());
        InteractionTest io;
        const Tournoi depuis_pxi = relu(pxi);
        Tournoi copie = depuis_pxi;
        ASSERT_TRUE(gestion::sauver_tournoi(copie, tavo, io)) << io.erreurs.back();
        Tournoi depuis_tavo = relu(tavo);
        EXPECT_FALSE(depuis_tavo.limites_1998);
        // The bytes the program writes as the .pxi of each.
        const std::vector<char> retour = image_fichier(depuis_tavo),
                                direct = image_fichier(depuis_pxi);
        EXPECT_TRUE(retour == direct);
        // The program's own save of a .pxi differs from it only by the tables
        // the file had left out.
        if (std::string(direct.begin(), direct.end()) != test::lire_fichier(pxi)) {
            EXPECT_TRUE(tables_laissees(pxi));
            ++tables_refaites;
        }
        depuis_tavo.limites_1998 = true;
        EXPECT_TRUE(depuis_tavo == depuis_pxi);
        for (const auto sorte :
             {gestion::SorteRapport::classement, gestion::SorteRapport::historique,
              gestion::SorteRapport::joueurs, gestion::SorteRapport::grille}) {
            Rapport a, b;
            gestion::produire_rapport(depuis_pxi, sorte, a);
            gestion::produire_rapport(depuis_tavo, sorte, b);
            EXPECT_EQ(a.lignes(), b.lignes());
        }
        ++fichiers;
    }
    EXPECT_GT(fichiers, 100);
    EXPECT_LE(tables_refaites, 2);
}

// A tournament of 12 to 30 players played on a .tavo: pairings, results,
// corrections of earlier rounds, exchanges, undos, late entries, the
// standings applied; before the first round, deletions and a seeding. After
// each action it is stored through one connection kept open (only the rows
// that changed are written) and a fresh load gives it back.
TEST(FichiersTavo, EachActionStoredThroughOneOpenFileReadsBackEqual) {
    test::DossierTemporaire dossier;
    for (unsigned graine = 0; graine < 6; ++graine) {
        SCOPED_TRACE("graine " + std::to_string(graine));
        const auto chemin = dossier.chemin() / ("t" + std::to_string(graine) + ".tavo");
        std::mt19937 alea(graine);
        Tournoi t = test::tournoi_avec_joueurs(12 + static_cast<int>(alea() % 19), 8, {"BU", "SB"});
        t.limites_1998 = false;
        t.entete.othello = graine % 3 == 0;
        InteractionTest io;
        ASSERT_TRUE(gestion::creer_tournoi(t, chemin.string(), io));
        FichierTavo fichier;
        ASSERT_TRUE(fichier.ouvrir(chemin.string())) << fichier.erreur();
        const auto au_hasard = [&](int n) { return 1 + static_cast<int>(alea() % n); };
        std::map<std::string, int> faites;
        for (int action = 0; action < 120; ++action) {
            Rapport feuille;
            const int r = t.entete.ronde_courante;
            const char* nom = "";
            switch (alea() % 9) {
                case 0:
                case 1:
                    nom = "ronde";
                    if (r >= 0 && !t.ronde_complete(r)) continue;
                    if (!gestion::apparier_ronde(t, feuille, io)) continue;
                    break;
                case 2:
                case 3:
                    nom = "résultat";
                    if (r < 0) continue;
                    for (int k = 0; k < 3; ++k) {
                        const int ronde = au_hasard(r + 1) - 1;
                        if (gestion::nb_tables(t, ronde) == 0) continue;
                        const int table = au_hasard(gestion::nb_tables(t, ronde));
                        const int blanc = static_cast<int>(alea() % 65);
                        if (t.entete.othello)
                            gestion::saisir_resultat(t, table, blanc, 64 - blanc, io, ronde + 1);
                        else
                            gestion::saisir_resultat(t, table, blanc % 3, 2 - blanc % 3, io,
                                                     ronde + 1);
                    }
                    break;
                case 4:
                    nom = "valider";
                    if (r < 0) continue;
                    for (const int table : gestion::tables_sans_resultat(t))
                        gestion::saisir_resultat(t, table + 1, t.entete.othello ? 40 : 2,
                                                 t.entete.othello ? 24 : 0, io);
                    if (!gestion::tout_verifier(t, io)) continue;
                    gestion::retenir_classement(t, gestion::SorteRapport::classement);
                    break;
                case 5:
                    nom = "échange";
                    if (!gestion::echanger_joueurs(t, au_hasard(t.nb_joueurs()),
                                                   au_hasard(t.nb_joueurs()), io, true))
                        continue;
                    break;
                case 6:
                    nom = "annulation";
                    if (alea() % 2 || !gestion::annuler_ronde(t, io, true)) continue;
                    break;
                case 7: {
                    nom = "joueur";
                    FicheJoueur fiche;
                    fiche.nom = "NOUVEAU Ł" + std::to_string(action);
                    fiche.elo = static_cast<int>(alea() % 2500);
                    if (gestion::inscrire_joueur(t, fiche, io) == 0) continue;
                    t.joueur(au_hasard(t.nb_joueurs())).actif = alea() % 4 != 0;
                    break;
                }
                default:
                    nom = "tri";
                    if (!gestion::suppression_possible(t)) continue;
                    ASSERT_TRUE(gestion::supprimer_joueur(t, au_hasard(t.nb_joueurs()), io));
                    ASSERT_TRUE(gestion::trier_par_elo(t, io));
                    break;
            }
            SCOPED_TRACE(std::string("action ") + std::to_string(action) + " : " + nom);
            ++faites[nom];
            if (action % 10 == 9) {
                // Another program writes the file meanwhile: what is stored
                // next is still this very tournament.
                Tournoi autre = t;
                autre.joueurs.front().nom = "AUTRE";
                ASSERT_TRUE(gestion::sauver_tournoi(autre, chemin.string(), io));
            }
            ASSERT_TRUE(fichier.ecrire(t)) << fichier.erreur();
            EXPECT_FALSE(t.entete.modifie);
            Tournoi lu = relu(chemin);
            lu.limites_1998 = t.limites_1998;
            ASSERT_TRUE(lu == t);
        }
        for (const char* nom : {"ronde", "résultat", "valider", "échange", "joueur"})
            EXPECT_GT(faites[nom], 0) << nom;
    }
}

// Four players paired for round 1, stored in a new file at `chemin`.
Tournoi premiere_ronde(const std::string& chemin) {
    Tournoi t = test::tournoi_avec_joueurs(4, 3);
    InteractionTest io;
    Rapport feuille;
    EXPECT_TRUE(gestion::apparier_ronde(t, feuille, io));
    EXPECT_TRUE(gestion::creer_tournoi(t, chemin, io));
    return t;
}

// What a file that did not come from the program could hold is refused,
// named, and the tournament in memory left as it was.
TEST(FichiersTavo, AFileWhoseRecordsContradictEachOtherIsRefused) {
    test::DossierTemporaire dossier;
    const std::string chemin = (dossier.chemin() / "t.TAVO").string();
    const Tournoi t = premiere_ronde(chemin);
    InteractionTest io;
    EXPECT_TRUE(gestion::est_fichier_tavo(chemin));
    const struct {
        const char* sql;
        const char* message;
    } cas[] = {
        {"DELETE FROM partie WHERE joueur = 2",
         "Fichier incohérent. Ronde 1 : le joueur 2 n'a pas d'adversaire"},
        {"UPDATE joueur SET numero = 7 WHERE numero = 4",
         "Fichier incohérent. les joueurs ne sont pas numérotés de 1 à 4"},
        {"DELETE FROM appariement WHERE numero = 1",
         "Fichier incohérent. Ronde 1 : les tables ne se suivent pas"},
        {"UPDATE partie SET ronde = 2 WHERE joueur = 1",
         "Fichier incohérent. le joueur 1 a une partie de la ronde 3, qui n'est pas appariée"},
        {"DELETE FROM tournoi", "Fichier incohérent. le fichier ne contient pas de tournoi"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.sql);
        Tournoi copie = t;
        ASSERT_TRUE(gestion::sauver_tournoi(copie, chemin, io));
        {
            BaseDonnees base;
            ASSERT_TRUE(base.ouvrir(chemin));
            ASSERT_TRUE(base.executer(
                std::string("PRAGMA foreign_keys = OFF; PRAGMA defer_foreign_keys = ON; ") +
                c.sql));
        }
        Tournoi lu = test::tournoi_avec_joueurs(2);
        const Tournoi avant = lu;
        InteractionTest refus;
        EXPECT_FALSE(gestion::charger_tournoi(lu, chemin, refus));
        ASSERT_EQ(refus.erreurs.size(), 1u);
        EXPECT_EQ(refus.erreurs[0], c.message);
        EXPECT_TRUE(lu == avant);
    }
}

// A save refused ends its action: nothing is written, and another program
// writes at once.
TEST(FichiersTavo, ARefusedSaveUndoesItsActionAndWritesNothing) {
    test::DossierTemporaire dossier;
    const std::string chemin = (dossier.chemin() / "t.tavo").string();
    const Tournoi t = premiere_ronde(chemin);
    FichierTavo fichier;
    ASSERT_TRUE(fichier.ouvrir(chemin));
    ASSERT_TRUE(fichier.commencer());
    Tournoi lu;
    ASSERT_TRUE(fichier.lire(lu));
    lu.joueurs[1].rondes.clear();
    lu.joueurs[0].nom = "CHANGÉ";
    EXPECT_FALSE(fichier.ecrire(lu));
    EXPECT_EQ(fichier.erreur(),
              "Sauvegarde refusée, le fichier ne se relirait pas. Fichier incohérent. Ronde 1 : "
              "le joueur 2 n'a pas d'adversaire");
    FichierTavo autre;
    ASSERT_TRUE(autre.ouvrir(chemin, {.attente_ms = 100}));
    Tournoi ecrit = t;
    ecrit.entete.nom = "Autre";
    EXPECT_TRUE(autre.ecrire(ecrit)) << autre.erreur();
    Tournoi relu_ensuite = relu(chemin);
    relu_ensuite.limites_1998 = true;
    EXPECT_TRUE(relu_ensuite == ecrit);
}

// What only a .tavo holds: a file of the first version opens as the
// current one with its tournament whole; the federation details and the
// forbidden pairs come back as stored, and a .pxi refuses them by name.
TEST(FichiersTavo, AFirstVersionFileGrowsAndTheNewDetailsStayInTheTavo) {
    test::DossierTemporaire dossier;
    const std::string ancien = (dossier.chemin() / "v1.tavo").string();
    {
        BaseDonnees base;
        ASSERT_TRUE(base.ouvrir(ancien, BaseDonnees::Ouverture::nouveau,
                                {.etapes = etapes_schema_tavo().first(1)}))
            << base.erreur();
        ASSERT_TRUE(base.executer(
            "INSERT INTO tournoi VALUES (1, 'Open', '12/12/26', 'Echecs', 5, 0, 2, 0);"
            "INSERT INTO departage VALUES (0, 0);"
            "INSERT INTO joueur VALUES (1, 'ROUX', 'Marc', '  /  /  ', 1500, 0, 1, '', 0, 0, 0, 0);"
            "INSERT INTO joueur VALUES (2, 'PETIT', 'Léa', '  /  /  ', 0, 1, 1, '', 0, 0, 0, 1);"
            "INSERT INTO partie VALUES (1, 0, 2, 0, 'nul', 0), (2, 0, 1, 1, 'nul', 0);"
            "INSERT INTO appariement VALUES (0, 1, 1, 2, 'nul', 0, 0);"))
            << base.erreur();
    }
    Tournoi t = relu(ancien);
    ASSERT_EQ(t.nb_joueurs(), 2);
    EXPECT_EQ(t.joueurs[1].ronde(0), (RondeJoueur{1, NOIR, Resultat::nulle, 0, false}));
    EXPECT_EQ(t.table(0, 0).res_noir(), Resultat::nulle);
    EXPECT_EQ(t.joueurs[1].prenom, "Léa");
    EXPECT_TRUE(t.joueurs[1].club.empty());
    EXPECT_EQ(t.joueurs[1].fide_id, 0);
    EXPECT_TRUE(t.interdits.empty());

    t.joueurs[0].club = "Échiquier de Łódź";
    t.joueurs[0].federation = "POL";
    t.joueurs[0].fide_id = 1100001234;
    t.joueurs[0].titre = "IM";
    t.joueurs[1].id_national = "B12-345";
    t.interdits = {{1, 2}};
    InteractionTest io;
    ASSERT_TRUE(gestion::sauver_tournoi(t, ancien, io)) << ::testing::PrintToString(io.erreurs);
    EXPECT_EQ(relu(ancien), t);

    const std::string pxi = (dossier.chemin() / "open.pxi").string();
    EXPECT_FALSE(gestion::sauver_tournoi(t, pxi, io));
    EXPECT_EQ(io.erreurs.back(),
              "Ce tournoi ne tient pas dans un fichier .pxi : le joueur n°1 : le fichier .pxi ne "
              "peut pas garder son club");
    t.joueurs[0] = relu(ancien).joueurs[0];
    t.joueurs[0].club = t.joueurs[0].federation = t.joueurs[0].titre = "";
    t.joueurs[0].fide_id = 0;
    t.joueurs[1].id_national = "";
    EXPECT_FALSE(gestion::sauver_tournoi(t, pxi, io));
    EXPECT_EQ(io.erreurs.back(),
              "Ce tournoi ne tient pas dans un fichier .pxi : le fichier .pxi ne peut pas garder "
              "l'appariement interdit des joueurs 1 et 2");
    t.interdits.clear();
    poser_resultat(t, 0, 0, Resultat::perte, 0, 0, Forfait::les_deux);
    EXPECT_FALSE(gestion::sauver_tournoi(t, pxi, io));
    EXPECT_EQ(io.erreurs.back(),
              "Ce tournoi ne tient pas dans un fichier .pxi : le fichier .pxi ne peut pas garder "
              "le forfait de la table n°1 de la ronde n°1");
    EXPECT_FALSE(fs::exists(pxi));
    ASSERT_TRUE(gestion::sauver_tournoi(t, ancien, io));
    EXPECT_EQ(relu(ancien), t);
}

}  // namespace
}  // namespace tavo
