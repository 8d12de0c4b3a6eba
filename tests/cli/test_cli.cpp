#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "cli/executer.h"
#include "gestion/fichiers.h"
#include "model/base_donnees.h"
#include "model/fichier_tournoi.h"
#include "model/texte.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using test::tavo_cli;

class Cli : public ::testing::Test {
  protected:
    void TearDown() override { fs::remove_all(dossier); }

    test::Sortie cli(std::vector<std::string> args) { return tavo_cli(args, dossier); }

    void nouveau(const std::string& fichier = "t.pxi") {
        ASSERT_EQ(cli({"nouveau", fichier, "--nom", "Open de Noël", "--date", "12/12/26", "--jeu",
                       "Echecs", "--rondes", "5", "--departages", "BU,SB"})
                      .code,
                  0);
    }

    Tournoi relire(const std::string& fichier = "t.pxi") {
        Tournoi t;
        test::InteractionTest io;
        EXPECT_TRUE(gestion::charger_tournoi(t, (dossier / fichier).string(), io));
        return t;
    }

    fs::path dossier = test::dossier_temporaire();
};

TEST_F(Cli, HelpAndBadUsage) {
    const auto aide = cli({"--help"});
    EXPECT_EQ(aide.code, 0);
    EXPECT_NE(aide.out.find("joueur-ajouter"), std::string::npos);
    const auto version = cli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "tavo-cli " TAVO_VERSION_PROJET "\n");
    EXPECT_EQ(cli({}).code, 2);
    EXPECT_EQ(cli({"inconnue"}).code, 2);
    EXPECT_EQ(cli({"rapport", "palmares", "t.pxi"}).code, 2);
    EXPECT_EQ(cli({"nouveau", "t.pxi", "--departages", "XX"}).code, 2);
    // Well-formed but refused by the tournament's rules: failures, not bad usage.
    const auto rondes = cli({"nouveau", "t.pxi", "--departages", "BU", "--rondes", "16"});
    EXPECT_EQ(rondes.code, 1);
    EXPECT_EQ(rondes.err, "Le nombre de rondes doit être compris entre 0 et 15\n");
    EXPECT_EQ(cli({"nouveau", "t.pxi", "--departages", "BU,BU"}).code, 1);
    EXPECT_FALSE(fs::exists(dossier / "t.pxi"));
    // The usage of one command; a huge value is not echoed whole.
    const auto usage = cli({"ronde", "--help"});
    EXPECT_EQ(usage.code, 0);
    EXPECT_EQ(usage.out, "Usage : tavo-cli ronde FICHIER\n");
    const auto enorme = cli({"nouveau", "t.pxi", "--rondes", std::string(100000, '7')});
    EXPECT_EQ(enorme.code, 2);
    EXPECT_LT(enorme.err.size(), 300u);
    EXPECT_NE(enorme.err.find("7777…"), std::string::npos) << enorme.err;
}

TEST_F(Cli, NewTournamentHoldsTheGivenValues) {
    nouveau();
    const Tournoi t = relire();
    EXPECT_EQ(t.entete.nom, "Open de Noël");
    EXPECT_EQ(t.entete.jeu, "Echecs");
    EXPECT_EQ(t.entete.nb_rondes, 5);
    EXPECT_EQ(t.entete.departages, (std::vector<int>{0, 2}));
    EXPECT_FALSE(t.entete.othello);
    EXPECT_EQ(fs::file_size(dossier / "t.pxi"), 150u);

    // An existing file is not replaced without --remplacer.
    const auto refus = cli({"nouveau", "t.pxi", "--departages", "NG"});
    EXPECT_EQ(refus.code, 1);
    EXPECT_NE(refus.err.find("existe déjà"), std::string::npos);
    EXPECT_EQ(
        cli({"nouveau", "t.pxi", "--jeu", "othello", "--departages", "PP", "--remplacer"}).code, 0);
    EXPECT_TRUE(relire().entete.othello);

    const auto sans = cli({"nouveau", "u.pxi", "--departages", ""});
    EXPECT_EQ(sans.code, 1);
    EXPECT_EQ(sans.err, "Il me faut au moins une fonction de départage\n");
}

TEST_F(Cli, PlayersAreRegisteredEditedAndListed) {
    nouveau();
    auto ajout = cli({"joueur-ajouter", "t.pxi", "--nom", "DUPONT", "--prenom", "Jean", "--ne-le",
                      "01/02/10", "--elo", "1500", "--equipe", "ABCD"});
    EXPECT_EQ(ajout.code, 0) << ajout.err;
    EXPECT_EQ(ajout.out, "Joueur n°1 : DUPONT Jean\n");
    EXPECT_EQ(
        cli({"joueur-ajouter", "t.pxi", "--nom", "MARTIN", "--prenom", "Léa", "--fille"}).code, 0);
    EXPECT_EQ(cli({"joueur-modifier", "t.pxi", "2", "--inactif", "--elo", "1200"}).code, 0);

    const auto liste = cli({"rapport", "joueurs", "t.pxi"});
    EXPECT_EQ(liste.code, 0);
    EXPECT_EQ(
        liste.out,
        "Tournoi Open de Noël du 12/12/26, jeu : Echecs\n \nListe des joueurs\n \n"
        "Nombre de joueurs = 2\n \nIDX EQU E NOM                  PRENOM          S NE(E) LE \n"
        "  1 ABC A DUPONT               Jean            M 01/02/10\n"
        "  2     I MARTIN               Léa             F   /  /  \n");
    EXPECT_EQ(relire().joueur(2).elo, 1200);
    EXPECT_FALSE(relire().entete.modifie);
}

TEST_F(Cli, RefusalsLeaveTheFileAsItWas) {
    nouveau();
    EXPECT_EQ(cli({"joueur-ajouter", "t.pxi", "--nom", "X"}).code, 2);
    EXPECT_EQ(
        cli({"joueur-ajouter", "t.pxi", "--nom", "X", "--prenom", "Y", "--ne-le", "1/2/10"}).code,
        2);
    EXPECT_EQ(cli({"joueur-ajouter", "t.pxi", "--nom", "日本", "--prenom", "Y"}).code, 1);
    const auto inconnu = cli({"joueur-modifier", "t.pxi", "3", "--actif"});
    EXPECT_EQ(inconnu.code, 1);
    EXPECT_EQ(inconnu.err, "Joueur inconnu : n°3\n");
    const auto absent = cli({"rapport", "classement", "absent.pxi"});
    EXPECT_EQ(absent.code, 1);
    EXPECT_EQ(absent.err, "Impossible d'ouvrir ce fichier\n");
    EXPECT_EQ(fs::file_size(dossier / "t.pxi"), 150u);

    // Registration closes with the last planned round.
    Tournoi t = relire();
    t.entete.ronde_courante = 4;
    test::InteractionTest io;
    ASSERT_TRUE(sauver(t, (dossier / "t.pxi").string(), io));
    const auto ferme = cli({"joueur-ajouter", "t.pxi", "--nom", "X", "--prenom", "Y"});
    EXPECT_EQ(ferme.code, 1);
    EXPECT_EQ(ferme.err,
              "Impossible d'ajouter un joueur : toutes les rondes prévues sont appariées\n");
}

// The properties dialog and the player dialog's "Supprimer", headless.
TEST_F(Cli, PropertiesAndDeletion) {
    nouveau();
    for (const char* nom : {"A", "B", "C"})
        ASSERT_EQ(cli({"joueur-ajouter", "t.pxi", "--nom", nom, "--prenom", "P"}).code, 0);
    ASSERT_EQ(cli({"tournoi-modifier", "t.pxi", "--nom", "Open d'été", "--departages", "CU"}).code,
              0);
    ASSERT_EQ(cli({"joueur-supprimer", "t.pxi", "2"}).code, 0);
    Tournoi t = relire();
    EXPECT_EQ(t.entete.nom, "Open d'été");
    EXPECT_EQ(t.entete.date, "12/12/26");  // what was not given stays
    EXPECT_EQ(t.entete.departages, std::vector<int>{3});
    EXPECT_EQ(t.nb_joueurs(), 2);
    EXPECT_EQ(t.joueur(2).nom, "C");  // numbered again

    // Once round 1 is paired: no deletion, no switch to Othello (and then
    // none of the other properties given is taken).
    ASSERT_EQ(cli({"ronde", "t.pxi"}).code, 0);
    const std::string avant = test::lire_fichier(dossier / "t.pxi");
    const auto suppression = cli({"joueur-supprimer", "t.pxi", "1"});
    EXPECT_EQ(suppression.code, 1);
    EXPECT_EQ(suppression.err,
              "Impossible de supprimer un joueur : la première ronde est déjà appariée\n");
    EXPECT_EQ(test::lire_fichier(dossier / "t.pxi"), avant);
    const auto jeu = cli({"tournoi-modifier", "t.pxi", "--jeu", "Othello", "--rondes", "7"});
    EXPECT_EQ(jeu.code, 1);
    EXPECT_EQ(jeu.err, "Impossible de passer au jeu Othello en milieu de tournoi !\n");
    EXPECT_EQ(test::lire_fichier(dossier / "t.pxi"), avant);
}

TEST_F(Cli, ReportsNeverWriteTheFile) {
    nouveau();
    for (int k = 0; k < 3; ++k)
        cli({"joueur-ajouter", "t.pxi", "--nom", "N" + std::to_string(k), "--prenom", "P"});
    const std::string avant = test::lire_fichier(dossier / "t.pxi");
    const auto classement = cli({"rapport", "classement", "t.pxi"});
    EXPECT_EQ(classement.code, 0);
    EXPECT_NE(
        classement.out.find("Cl  - N°  Equ Nom                  Prénom          Pts    BU  SB\n"),
        std::string::npos);
    EXPECT_EQ(cli({"rapport", "historique", "t.pxi"}).code, 0);
    // No pairing sheet before round 1.
    const auto feuille = cli({"rapport", "appariements", "t.pxi"});
    EXPECT_EQ(feuille.code, 1);
    EXPECT_EQ(feuille.err, "Aucune ronde n'a encore été appariée\n");
    EXPECT_EQ(feuille.out, "");
    // Never a report or an export over what the program reads: the tournament
    // (under another name too), another tournament, the team files.
    fs::create_symlink("t.pxi", dossier / "lien");
    test::ecrire_fichier(dossier / "autre.PXI", "x");
    for (const char* sortie :
         {"t.pxi", "lien", "./t.pxi", "autre.PXI", "open.Tavo", "equipes.txt", "Dames.PXR"}) {
        const auto refus = cli({"rapport", "classement", "t.pxi", "--sortie", sortie});
        EXPECT_EQ(refus.code, 1) << sortie;
        EXPECT_NE(refus.err.find("fichier de tournoi ou d'équipes"), std::string::npos) << sortie;
        EXPECT_EQ(cli({"exporter-trf", "t.pxi", sortie}).code, 1) << sortie;
    }
    EXPECT_EQ(test::lire_fichier(dossier / "autre.PXI"), "x");
    EXPECT_FALSE(fs::exists(dossier / "equipes.txt"));
    EXPECT_FALSE(fs::exists(dossier / "open.Tavo"));
    EXPECT_EQ(test::lire_fichier(dossier / "t.pxi"), avant);
}

// Characters (not bytes) before `a` in a UTF-8 text.
std::size_t caracteres(const std::string& texte, std::size_t a) {
    return static_cast<std::size_t>(std::count_if(texte.begin(),
                                                  texte.begin() + static_cast<std::ptrdiff_t>(a),
                                                  [](char c) { return (c & 0xC0) != 0x80; }));
}

// The native file holds names of every language: a tournament played on a
// .tavo shows them as typed, in aligned columns; a .pxi cannot hold them, and
// the conversion is refused naming the player and the character.
TEST_F(Cli, ANativeFileHoldsTheNamesAsTyped) {
    ASSERT_EQ(
        cli({"nouveau", "t.tavo", "--nom", "Open d'Łódź", "--rondes", "20", "--departages", "BU"})
            .code,
        0);
    const std::vector<std::pair<std::string, std::string>> joueurs = {
        {"ŻÓŁĆ", "Łukasz"}, {"NGUYỄN", "Minh Khai"}, {"ÖZTÜRK", "Çağrı"}, {"DUPONT", "Jean"}};
    for (const auto& [nom, prenom] : joueurs)
        ASSERT_EQ(cli({"joueur-ajouter", "t.tavo", "--nom", nom, "--prenom", prenom}).code, 0);
    // A forbidden pair, listed by name; 1 and 3 would meet in round 1.
    ASSERT_EQ(cli({"appariement-interdit", "t.tavo", "3", "1"}).code, 0);
    EXPECT_EQ(cli({"appariements-interdits", "t.tavo"}).out, "1-3 : ŻÓŁĆ Łukasz et ÖZTÜRK Çağrı\n");
    // The federation details: given, cleared by an empty value, refused in a .pxi.
    ASSERT_EQ(cli({"joueur-modifier", "t.tavo", "4", "--club", "Échiquier de Brest", "--federation",
                   "fra", "--fide-id", "12345678", "--id-national", "K1", "--titre", "im"})
                  .code,
              0);
    ASSERT_EQ(cli({"joueur-modifier", "t.tavo", "4", "--id-national", ""}).code, 0);
    Tournoi natif;
    test::InteractionTest io;
    ASSERT_TRUE(gestion::charger_tournoi(natif, (dossier / "t.tavo").string(), io));
    const Joueur& dupont = natif.joueur(4);
    EXPECT_EQ(dupont.club + "|" + dupont.federation + "|" + std::to_string(dupont.fide_id) + "|" +
                  dupont.id_national + "|" + dupont.titre,
              "Échiquier de Brest|FRA|12345678||IM");
    const auto titre =
        cli({"joueur-ajouter", "t.tavo", "--nom", "X", "--prenom", "x", "--titre", "NM"});
    EXPECT_EQ(titre.code, 1);
    EXPECT_EQ(titre.err, "Le titre est GM, IM, FM, CM, WGM, WIM, WFM ou WCM : NM\n");
    for (int ronde = 0; ronde < 2; ++ronde) {
        const auto feuille = cli({"ronde", "t.tavo"});
        ASSERT_EQ(feuille.code, 0) << feuille.err;
        EXPECT_NE(feuille.out.find("ŻÓŁĆ Łukasz"), std::string::npos) << feuille.out;
        ASSERT_EQ(cli({"resultat", "t.tavo", "1", "2-0"}).code, 0);
        ASSERT_EQ(cli({"resultat", "t.tavo", "2", "1-1"}).code, 0);
        ASSERT_EQ(cli({"valider", "t.tavo"}).code, 0);
    }
    for (const char* sorte : {"classement", "joueurs", "historique", "grille"}) {
        SCOPED_TRACE(sorte);
        const auto rapport = cli({"rapport", sorte, "t.tavo"});
        ASSERT_EQ(rapport.code, 0) << rapport.err;
        // Each name is shown as typed, and the column after the first name
        // starts at the same character on every line.
        std::set<std::size_t> colonnes;
        for (const auto& [nom, prenom] : joueurs) {
            const std::size_t a = rapport.out.find(nom + " ");
            ASSERT_NE(a, std::string::npos) << nom << "\n" << rapport.out;
            const std::size_t debut_ligne = rapport.out.rfind('\n', a) + 1;
            const std::size_t p = rapport.out.find(prenom, a);
            const std::size_t apres = rapport.out.find_first_not_of(' ', p + prenom.size());
            colonnes.insert(caracteres(rapport.out, apres) - caracteres(rapport.out, debut_ligne));
        }
        EXPECT_EQ(colonnes.size(), 1u) << rapport.out;
    }
    const Tournoi joue = relire("t.tavo");
    for (int r = 0; r < 2; ++r) EXPECT_NE(joue.joueur(1).ronde(r).adversaire, 3);
    ASSERT_EQ(cli({"appariement-interdit", "t.tavo", "1", "3", "--retirer"}).code, 0);
    EXPECT_EQ(cli({"appariements-interdits", "t.tavo"}).out, "");
    EXPECT_EQ(cli({"appariement-interdit", "t.tavo", "1", "3", "--retirer"}).err,
              "L'appariement des joueurs 1 et 3 n'est pas interdit\n");
    // Beyond the rounds of a .pxi first, then within them.
    EXPECT_EQ(cli({"convertir", "t.tavo", "t.pxi"}).err,
              "Ce tournoi ne tient pas dans un fichier .pxi : le tournoi compte 20 rondes, le "
              "fichier .pxi 15 au plus\n");
    ASSERT_EQ(cli({"tournoi-modifier", "t.tavo", "--rondes", "3", "--nom", "Open"}).code, 0);
    const auto refus = cli({"convertir", "t.tavo", "t.pxi"});
    EXPECT_EQ(refus.code, 1);
    const std::string debut = "Ce tournoi ne tient pas dans un fichier .pxi : le joueur n°";
    const std::set<std::string> attendus = {
        debut + "1 : le nom « ŻÓŁĆ » contient « Ż », que le fichier .pxi ne peut pas enregistrer\n",
        debut +
            "2 : le nom « NGUYỄN » contient « Ễ », que le fichier .pxi ne peut pas enregistrer\n",
        debut +
            "3 : le prénom « Çağrı » contient « ğ », que le fichier .pxi ne peut pas "
            "enregistrer\n"};
    EXPECT_TRUE(attendus.count(refus.err)) << refus.err;
    EXPECT_FALSE(fs::exists(dossier / "t.pxi"));
}

// convertir goes by the names: a .pxi to a .tavo and back gives the same
// bytes; an existing destination is replaced only with --remplacer.
TEST_F(Cli, ConvertirBetweenBothFiles) {
    nouveau();
    for (const char* nom : {"A", "B", "C"})
        ASSERT_EQ(cli({"joueur-ajouter", "t.pxi", "--nom", nom, "--prenom", "é"}).code, 0);
    ASSERT_EQ(cli({"ronde", "t.pxi"}).code, 0);
    ASSERT_EQ(cli({"resultat", "t.pxi", "1", "0-2"}).code, 0);
    EXPECT_EQ(cli({"convertir", "t.pxi", "t.TAVO"}).code, 0);
    EXPECT_EQ(cli({"convertir", "t.TAVO", "retour.pxi"}).code, 0);
    EXPECT_EQ(test::lire_fichier(dossier / "retour.pxi"), test::lire_fichier(dossier / "t.pxi"));
    EXPECT_EQ(cli({"rapport", "historique", "t.TAVO"}).out,
              cli({"rapport", "historique", "t.pxi"}).out);

    const auto existe = cli({"convertir", "t.pxi", "t.TAVO"});
    EXPECT_EQ(existe.code, 1);
    EXPECT_EQ(existe.err, "Le fichier existe déjà : t.TAVO\n(--remplacer pour l'écraser)\n");
    ASSERT_EQ(cli({"joueur-modifier", "t.pxi", "1", "--elo", "2000"}).code, 0);
    EXPECT_EQ(cli({"joueur-modifier", "t.pxi", "1", "--club", "Brest"}).err,
              "Le fichier .pxi ne peut pas garder son club\n");
    EXPECT_EQ(cli({"convertir", "t.pxi", "t.TAVO", "--remplacer"}).code, 0);
    EXPECT_EQ(cli({"convertir", "t.TAVO", "retour.pxi", "--remplacer"}).code, 0);
    EXPECT_EQ(test::lire_fichier(dossier / "retour.pxi"), test::lire_fichier(dossier / "t.pxi"));

    // A file from a newer program is refused and left as it is.
    {
        BaseDonnees base;
        ASSERT_TRUE(base.ouvrir((dossier / "t.TAVO").string()));
        ASSERT_TRUE(base.executer("PRAGMA user_version = 99"));
    }
    const std::string avant = test::lire_fichier(dossier / "t.TAVO");
    const auto recent = cli({"joueur-ajouter", "t.TAVO", "--nom", "D", "--prenom", "d"});
    EXPECT_EQ(recent.code, 1);
    EXPECT_NE(recent.err.find("vient d'une version plus récente de TAVO"), std::string::npos)
        << recent.err;
    EXPECT_EQ(test::lire_fichier(dossier / "t.TAVO"), avant);
}

TEST_F(Cli, ImportSavesAllOrNothingAndExportsLeaveTheFile) {
    nouveau();
    test::ecrire_fichier(dossier / "liste.csv", "nom;elo\r\nA;1500\r\nB;\r\n");
    const auto importe = cli({"joueurs-importer", "t.pxi", "liste.csv"});
    EXPECT_EQ(importe.code, 0);
    EXPECT_EQ(importe.out, "2 joueurs importés\n");
    EXPECT_EQ(relire().nb_joueurs(), 2);
    const std::string avant = test::lire_fichier(dossier / "t.pxi");
    test::ecrire_fichier(dossier / "liste.csv", "nom;elo\r\nC;1500\r\nD;x\r\n");
    const auto refuse = cli({"joueurs-importer", "t.pxi", "liste.csv"});
    EXPECT_EQ(refuse.code, 1);
    EXPECT_EQ(refuse.err, "Ligne 3 : l'Elo n'est pas un nombre : x\n");

    EXPECT_EQ(cli({"rapport", "grille", "t.pxi", "--format", "csv", "--sortie", "g.csv"}).code, 0);
    EXPECT_EQ(test::lire_fichier(dossier / "g.csv").substr(0, 26),
              "\xEF\xBB\xBF"
              "Cl;N°;Nom Prénom;Elo;");
    EXPECT_EQ(cli({"rapport", "grille", "t.pxi", "--format", "pdf"}).code, 2);
    EXPECT_EQ(cli({"exporter-trf", "t.pxi", "absent/t.trf"}).code, 1);
    EXPECT_EQ(cli({"exporter-trf", "t.pxi", "t.trf", "--encodage", "latin1"}).code, 2);
    EXPECT_EQ(test::lire_fichier(dossier / "t.pxi"), avant);
}

}  // namespace
}  // namespace tavo
