// The team competition through tavo-cli: three tournaments of three games,
// their team result files in one folder, and the final team classification.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "model/fichier_tournoi.h"
#include "model/records.h"
#include "model/texte.h"
#include "support/dossier_test.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

using test::DossierTemporaire;
using Lignes = std::vector<std::string>;

struct Sortie {
    int code;
    std::string sortie;   // stdout, UTF-8
    std::string erreurs;  // stderr, UTF-8
};

std::string entre_apostrophes(const std::string& mot) {
    std::string texte = "'";
    for (char c : mot) texte += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return texte + "'";
}

// Runs tavo-cli with `mots` from folder `dossier`.
Sortie tavo_cli(const DossierTemporaire& dossier, const std::vector<std::string>& mots) {
    std::string commande =
        "cd " + entre_apostrophes(dossier.chemin().string()) + " && " + entre_apostrophes(TAVO_CLI);
    for (const std::string& mot : mots) commande += " " + entre_apostrophes(mot);
    commande += " >.sortie 2>.erreurs";
    const int statut = std::system(commande.c_str());
    Sortie s{WIFEXITED(statut) ? WEXITSTATUS(statut) : -1, dossier.lire(".sortie"),
             dossier.lire(".erreurs")};
    std::filesystem::remove(dossier.chemin() / ".sortie");
    std::filesystem::remove(dossier.chemin() / ".erreurs");
    return s;
}

Lignes lignes(const std::string& texte) {
    Lignes l;
    std::istringstream flux(texte);
    for (std::string ligne; std::getline(flux, ligne);) l.push_back(ligne);
    return l;
}

// A tournament of three players (team codes in registration order) created
// with tavo-cli, then played over two rounds: in round 1 player 1 beats
// player 2 and player 3 has the bye; in round 2 `blanc_r2` beats `noir_r2` and
// `bye_r2` has the bye.
void tournoi(const DossierTemporaire& d, const std::string& fichier, const std::string& jeu,
             const std::vector<std::string>& equipes, int blanc_r2, int noir_r2, int bye_r2) {
    ASSERT_EQ(tavo_cli(d, {"nouveau", fichier, "--nom", "Coupe des clubs", "--date", "14/03/27",
                           "--jeu", jeu, "--rondes", "2", "--departages", "BU,SB"})
                  .code,
              0);
    const char* noms[] = {"DURAND", "LEROY", "PETIT"};
    for (std::size_t k = 0; k < 3; ++k)
        ASSERT_EQ(tavo_cli(d, {"joueur-ajouter", fichier, "--nom", noms[k], "--prenom", "Alex",
                               "--equipe", equipes[k]})
                      .code,
                  0);
    // Results are entered through the core (the round commands are not
    // needed to write team files).
    Tournoi t;
    test::InteractionTest io;
    const std::string chemin = (d.chemin() / fichier).string();
    ASSERT_TRUE(charger(t, chemin, io));
    const bool othello = t.entete.othello == 1;
    test::poser_partie(t, 0, 0, 1, 2, 2, othello ? 40 : 0);
    test::poser_partie(t, 0, 1, 3, ID_QUALIFIE, 2);
    test::poser_partie(t, 1, 0, blanc_r2, noir_r2, 2, othello ? 33 : 0);
    test::poser_partie(t, 1, 1, bye_r2, ID_QUALIFIE, 2);
    test::ouvrir_ronde(t, 1);
    ASSERT_TRUE(sauver(t, chemin, io));
}

TEST(CliEquipes, TroisJeuxUnDossierLeClassementFinal) {
    DossierTemporaire d;
    const std::string equipes = (d.chemin() / "equipes").string();
    std::filesystem::create_directory(equipes);
    // Echecs: PETIT (GAM) 4 points, DURAND (ALP) and LEROY (BET) 2: ranks 1, 2, 2.
    tournoi(d, "echecs.pxi", "Echecs", {"ALP", "BET", "GAM"}, 3, 1, 2);
    // Dames: DURAND (BET) 4, LEROY (GAM) and PETIT (alp, small letters) 2.
    tournoi(d, "dames.pxi", "Dames", {"BET", "GAM", "alp"}, 1, 3, 2);
    // Othello: DURAND (ALP) 4, LEROY (GAM) and PETIT (BET) 2.
    tournoi(d, "othello.pxi", "Othello", {"ALP", "GAM", "BET"}, 2, 3, 1);

    const std::string avant = d.lire("echecs.pxi");
    for (const char* pxi : {"echecs.pxi", "dames.pxi", "othello.pxi"}) {
        const Sortie s = tavo_cli(d, {"equipes-fichier", pxi, "--dossier", equipes});
        EXPECT_EQ(s.code, 0) << s.erreurs;
        EXPECT_EQ(s.erreurs, "");
    }
    EXPECT_EQ(d.lire("echecs.pxi"), avant) << "the tournament file must not be rewritten";
    EXPECT_EQ(d.lire("equipes/Echecs.PXR"),
              "Echecs\r\n3\r\n1 GAM  PETIT Alex\r\n2 ALP  DURAND Alex\r\n2 BET  LEROY Alex\r\n");

    d.ecrire("equipes/equipes.txt", "ALP Les Alpins\r\nBET Les B\xEAtas\r\nGAM Gamma Club\r\n");
    const Sortie s =
        tavo_cli(d, {"equipes-classement", "--dossier", "equipes", "--tournoi", "othello.pxi"});
    EXPECT_EQ(s.code, 0) << s.erreurs;
    EXPECT_EQ(s.erreurs, "");
    EXPECT_EQ(lignes(s.sortie),
              (Lignes{"CLASSEMENT FINAL PAR EQUIPES", "Tournoi Coupe des clubs du 14/03/27", " ",
                      "3 équipes, 3 jeux", "Jeux : Dames, Echecs, Othello", " ",
                      "Cla Equ Equipe                          Pts Dép  Dam Ech Oth",
                      "  1 ALP Les Alpins                        5   1    2   2   1 ",
                      "  2 BET Les Bêtas                         5   2    1   2   2 ",
                      "  2 GAM Gamma Club                        5   2    2   1   2 "}));
    EXPECT_EQ(d.lire("equipes/resultat.txt"), "");
    // The same values as a CSV table.
    EXPECT_EQ(tavo_cli(d, {"equipes-classement", "--dossier", "equipes", "--format", "csv"}).sortie,
              "\xEF\xBB\xBF"
              "Cla;Equ;Equipe;Pts;Dép;Dam;Ech;Oth\r\n1;ALP;Les Alpins;5;1;2;2;1\r\n"
              "2;BET;Les Bêtas;5;2;1;2;2\r\n2;GAM;Gamma Club;5;2;2;1;2\r\n");
}

TEST(CliEquipes, EchecsEtMauvaisUsages) {
    DossierTemporaire d;
    // Without a tournament the heading has no name or date.
    d.ecrire("equipes.txt", "ALP Les Alpins\r\n");
    Sortie s = tavo_cli(d, {"equipes-classement"});
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(lignes(s.sortie).at(1), "Tournoi  du ");

    std::filesystem::remove(d.chemin() / "equipes.txt");
    s = tavo_cli(d, {"equipes-classement"});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.sortie, "");
    EXPECT_EQ(s.erreurs, "Fichier EQUIPES.TXT non-trouvé\nDossier : " +
                             std::filesystem::canonical(d.chemin()).string() + "\n");

    ASSERT_EQ(tavo_cli(d, {"nouveau", "t.pxi", "--jeu", "a/b", "--departages", "BU"}).code, 0);
    s = tavo_cli(d, {"equipes-fichier", "t.pxi"});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.erreurs, "Impossible d'ouvrir le fichier : a/b.PXR\n");
    // No game names no file; a player without code is named, no file written.
    ASSERT_EQ(tavo_cli(d, {"tournoi-modifier", "t.pxi", "--jeu", ""}).code, 0);
    s = tavo_cli(d, {"equipes-fichier", "t.pxi"});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(
        s.erreurs,
        "Le tournoi n'a pas de jeu : le fichier des résultats par équipe porte le nom du jeu\n");
    ASSERT_EQ(tavo_cli(d, {"tournoi-modifier", "t.pxi", "--jeu", "Dames"}).code, 0);
    for (const char* nom : {"DUPONT", "MARTIN", "ROUX"})
        ASSERT_EQ(tavo_cli(d, {"joueur-ajouter", "t.pxi", "--nom", nom, "--prenom", "Léa",
                               "--equipe", nom[0] == 'M' ? "ABC" : ""})
                      .code,
                  0);
    s = tavo_cli(d, {"equipes-fichier", "t.pxi"});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.erreurs,
              "Ces joueurs n'ont pas de code d'équipe :\nn°1 DUPONT Léa\nn°3 ROUX Léa\n");
    EXPECT_EQ(d.lire("Dames.PXR"), "<absent>");

    EXPECT_EQ(tavo_cli(d, {"equipes-fichier", "absent.pxi"}).code, 1);
    EXPECT_EQ(tavo_cli(d, {"equipes-fichier"}).code, 2);
    EXPECT_EQ(tavo_cli(d, {"equipes-fichier", "t.pxi", "en-trop"}).code, 2);
    EXPECT_EQ(tavo_cli(d, {"equipes-classement", "en-trop"}).code, 2);
    EXPECT_EQ(tavo_cli(d, {"equipes-classement", "--dossier"}).code, 2);
}

}  // namespace
}  // namespace tavo
