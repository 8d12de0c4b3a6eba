#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <map>

#include "gestion/equipes.h"
#include "model/texte.h"
#include "support/dossier_test.h"
#include "support/tournoi_test.h"
#include "teams/equipes.h"

namespace tavo {
namespace {

using test::DossierTemporaire;
using test::InteractionTest;
using Lignes = std::vector<std::string>;

Tournoi tournoi_open() {
    Tournoi t;
    t.entete.nom = "Open";
    t.entete.date = "12/05/98";
    return t;
}

// The heading of a classification, up to the column heading included.
Lignes entete_rapport(int nb_equipes, int nb_jeux, const std::string& jeux,
                      const std::string& colonnes) {
    return {
        "CLASSEMENT FINAL PAR EQUIPES",
        "Tournoi Open du 12/05/98",
        " ",
        std::string(std::to_string(nb_equipes) + " équipes, " + std::to_string(nb_jeux) + " jeux"),
        "Jeux : " + jeux,
        " ",
        std::string("Cla Equ Equipe                          Pts Dép ") + colonnes};
}

Lignes avec(Lignes lignes, const Lignes& suite) {
    lignes.insert(lignes.end(), suite.begin(), suite.end());
    return lignes;
}

// Runs the classification; the lines, or the first error message.
struct Resultat {
    bool ok;
    Rapport rapport;
    InteractionTest io;
};

Resultat classer(const DossierTemporaire& dossier) {
    Resultat r{};
    r.rapport.titre("Avant");
    r.rapport.ajouter("ligne d'avant");
    r.ok = gestion::classement_final_equipes(tournoi_open(), dossier.chemin(), r.rapport, r.io);
    return r;
}

// Three teams with 4 points each over two games: the Othello rank orders them
// and no two share a rank.
TEST(ClassementEquipes, LeRangOthelloDepartageLesEgalites) {
    DossierTemporaire dossier;
    dossier.ecrire("equipes.txt", "AAA Equipe A\r\nBBB Equipe B\r\nCCC Equipe C\r\n");
    dossier.ecrire("Dames.PXR", "Dames\r\n3\r\n1 AAA  X a\r\n2 BBB  Y b\r\n3 CCC  Z c\r\n");
    dossier.ecrire("Othello.PXR", "Othello\r\n3\r\n1 CCC  Z c\r\n2 BBB  Y b\r\n3 AAA  X a\r\n");
    const Resultat r = classer(dossier);
    ASSERT_TRUE(r.ok) << r.io.erreurs.at(0);
    EXPECT_EQ(r.rapport.titre(), "Classement final par équipes");
    EXPECT_EQ(r.rapport.lignes(),
              avec(entete_rapport(3, 2, "Dames, Othello", " Dam Oth"),
                   {"  1 CCC Equipe C                          4   1    3   1 ",
                    "  2 BBB Equipe B                          4   2    2   2 ",
                    "  3 AAA Equipe A                          4   3    1   3 "}));
    EXPECT_EQ(dossier.lire("resultat.txt"), "");
}

// Totals 2, 4, 4, 5, 5 share ranks 1, 2, 2, 4, 4; a team absent from a game
// has 0 there and is not penalised; the first team of the list, in no file,
// is not listed and moves no rank; equal teams come out in selection-sort
// order (Charlie before Bravo here, not list order). Lines end with LF only.
TEST(ClassementEquipes, RangsPartagesEquipesAbsentesEtOrdreDuTri) {
    DossierTemporaire dossier;
    dossier.ecrire("equipes.txt",
                   "FFF Jamais\nBBB Bravo\nCCC Charlie\nDDD Delta\nEEE Echo\nAAA Alpha\n");
    dossier.ecrire("Dames.PXR", "Dames\n4\n1 AAA  a a\n2 BBB  b b\n3 CCC  c c\n4 DDD  d d\n");
    dossier.ecrire("Echecs.PXR", "Echecs\n4\n1 AAA  a a\n2 CCC  c c\n3 BBB  b b\n4 EEE  e e\n");
    const Resultat r = classer(dossier);
    ASSERT_TRUE(r.ok) << r.io.erreurs.at(0);
    EXPECT_EQ(r.rapport.lignes(),
              avec(entete_rapport(4, 2, "Dames, Echecs", " Dam Ech"),
                   {"  1 AAA Alpha                             2   0    1   1 ",
                    "  2 DDD Delta                             4   0    4   0 ",
                    "  2 EEE Echo                              4   0    0   4 ",
                    "  4 CCC Charlie                           5   0    3   2 ",
                    "  4 BBB Bravo                             5   0    2   3 "}));
}

// Codes match whatever their case; the code is what follows the rank's blank
// up to the next blank or the end of the line; an empty line after the
// players announced ends a file (the unknown team after it is never looked
// up); a line starting with a digit ends the team list.
TEST(ClassementEquipes, LectureDesCodesEtFinsDeListeEtDeFichier) {
    DossierTemporaire dossier;
    dossier.ecrire("equipes.txt", "abc Alpha\r\nXyZ Zeta\r\n1 Jamais\r\nQQQ Jamais\r\n");
    dossier.ecrire("Go.PXR", "Go\r\n2\r\n1 ABC  x\r\n2 xyz\r\n\r\n3 QQQ  q\r\n");
    const Resultat r = classer(dossier);
    ASSERT_TRUE(r.ok) << r.io.erreurs.at(0);
    EXPECT_EQ(r.rapport.lignes(), avec(entete_rapport(2, 1, "Go", " Go"),
                                       {"  1 abc Alpha                             1   0    1 ",
                                        "  2 XyZ Zeta                              2   0    2 "}));
}

// As in a Windows folder: "EQUIPES.TXT" is the team list and ".pxr" files
// count; games are taken in byte order of the file names ("Z" before "a");
// a folder named like a team result file is ignored.
TEST(ClassementEquipes, NomsDeFichiersSansCasseEtOrdreDesOctets) {
    DossierTemporaire dossier;
    dossier.ecrire("EQUIPES.TXT", "AAA Alpha\r\n");
    dossier.ecrire("a.pxr", "Quarto\r\n1\r\n1 AAA  x\r\n");
    dossier.ecrire("Z.PXR", "Dames\r\n1\r\n1 AAA  x\r\n");
    dossier.ecrire("Z.PXR.bak", "Echecs\r\n1\r\n1 AAA  x\r\n");
    std::filesystem::create_directory(dossier.chemin() / "Rep.PXR");
    const Resultat r = classer(dossier);
    ASSERT_TRUE(r.ok) << r.io.erreurs.at(0);
    EXPECT_EQ(r.rapport.lignes(),
              avec(entete_rapport(1, 2, "Dames, Quarto", " Dam Qua"),
                   {"  1 AAA Alpha                             2   0    1   1 "}));
}

// Files as other systems save them: lines ended by CR alone, and UTF-8 text
// (a byte order mark first) read as the characters it holds.
TEST(ClassementEquipes, FinsDeLigneCrEtTexteUtf8) {
    DossierTemporaire dossier;
    dossier.ecrire("equipes.txt",
                   "\xEF\xBB\xBF"
                   "AAA Les Bêtas\nBBB Zoé\n");
    dossier.ecrire("Dames.PXR", "Dames\r2\r1 AAA  a\r2 BBB  b\r");
    const Resultat r = classer(dossier);
    ASSERT_TRUE(r.ok) << r.io.erreurs.at(0);
    EXPECT_EQ(r.rapport.lignes(),
              avec(entete_rapport(2, 1, "Dames", " Dam"),
                   {"  1 AAA Les Bêtas                         1   0    1 ",
                    std::string("  2 BBB Zoé                               2   0    2 ")}));
}

TEST(ClassementEquipes, SansFichierDeResultatsSeulementLEntete) {
    DossierTemporaire dossier;
    dossier.ecrire("equipes.txt", "AAA Alpha\r\n");
    const Resultat r = classer(dossier);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.rapport.lignes(), entete_rapport(0, 0, "", ""));
}

// Malformed team lines go to resultat.txt (rewritten on each run, CR LF);
// codes are cut to 3, names start after the blanks and are cut to 29; a line
// longer than 98 bytes is cut, its rest never read as another line.
TEST(ClassementEquipes, ListeDesEquipesEtResultatTxt) {
    DossierTemporaire dossier;
    dossier.ecrire("resultat.txt", "ancien contenu\r\n");
    std::string liste = "ABCDEF   Nom avec blancs devant et bien plus long\r\n";
    liste += "SANSBLANC\r\n";
    liste += "XY Court\r\n";
    liste += "LNG " + std::string(94, 'x') + "ZZZGHOST\r\n";
    liste += "Z\n";
    liste += "S" + std::string(99, 's') + "\r\n";  // 100 bytes: 98 kept
    liste += "T" + std::string(97, 't') + "\r\n";  // 98 bytes, then CR LF
    liste += "\r\n";
    liste += "APRESLAFIN\r\n";
    dossier.ecrire("equipes.txt", liste);
    dossier.ecrire("Jeu.PXR", "Jeu\r\n3\r\n1 ABC  a\r\n2 XY  b\r\n3 LNG  c\r\n");
    const Resultat r = classer(dossier);
    ASSERT_TRUE(r.ok) << r.io.erreurs.at(0);
    EXPECT_EQ(r.rapport.lignes(), avec(entete_rapport(3, 1, "Jeu", " Jeu"),
                                       {"  1 ABC Nom avec blancs devant et bie     1   0    1 ",
                                        "  2 XY  Court                             2   0    2 ",
                                        "  3 LNG xxxxxxxxxxxxxxxxxxxxxxxxxxxxx     3   0    3 "}));
    const std::string erreur = vers_cp1252("Erreur format équipe : ");  // a 1998 file
    EXPECT_EQ(dossier.lire("resultat.txt"), erreur + "SANSBLANC\r\n" + erreur + "Z\r\n" + erreur +
                                                "S" + std::string(97, 's') + "\r\n" + erreur + "T" +
                                                std::string(97, 't') + "\r\n");
}

// Every error stops the run: the report keeps its previous lines and
// resultat.txt holds the format errors logged before the stop.
TEST(ClassementEquipes, ErreursDesFichiersDeResultats) {
    const std::string liste = "AAA Alpha\r\nMAUVAISE\r\nBBB Bravo\r\n";
    const std::string bon = "Dames\r\n2\r\n1 AAA  a\r\n2 BBB  b\r\n";
    std::map<std::string, std::string> onze;
    for (int k = 0; k < 11; ++k) onze["J" + std::to_string(k) + ".PXR"] = bon;
    const struct {
        std::map<std::string, std::string> fichiers;
        std::string message;
    } cas[] = {
        {{{"A.PXR", bon}, {"B.PXR", "Echecs\r\n3\r\n1 AAA  a\r\n"}},
         "Erreur Nombre de joueurs fichier B.PXR ==> 3"},
        {{{"A.PXR", "Dames\r\n2\r\n1 AAA  a\r\n"}},
         std::string("fichier Dames, impossible de lire résultats joueur 2")},
        {{{"A.PXR", "Dames\r\n2\r\n3 AAA  a\r\n"}}, "Erreur de classement 3 sur 2 joueurs ?"},
        {{{"A.PXR", "Dames\r\n2\r\n0 AAA  a\r\n"}}, "Erreur de classement 0 sur 2 joueurs ?"},
        {{{"A.PXR", "Dames\r\n2\r\n1 CCC  a\r\n"}},
         std::string("Equipe CCC non-trouvée dans la liste")},
        // A player without team code is refused, never read from his name;
        // a code is never cut to a list's code.
        {{{"A.PXR", "Dames\r\n2\r\n1 AAA  a\r\n2   DUPONT Jean\r\n"}},
         std::string("Fichier A.PXR, ligne 4 : joueur sans code d'équipe : 2   DUPONT Jean")},
        {{{"A.PXR", "Dames\r\n2\r\n1  AAA  a\r\n"}},
         std::string("Fichier A.PXR, ligne 3 : joueur sans code d'équipe : 1  AAA  a")},
        {{{"A.PXR", "Dames\r\n2\r\n1 AAAB  a\r\n"}},
         std::string("Equipe AAAB non-trouvée dans la liste")},
        // One game in two files: names equal but for case, or the same game
        // on line 1.
        {{{"Dames.PXR", bon}, {"DAMES.PXR", bon}},
         std::string("Deux fichiers du même jeu : DAMES.PXR et Dames.PXR")},
        {{{"échecs.PXR", bon}, {"ÉCHECS.pxr", bon}},
         std::string("Deux fichiers du même jeu : ÉCHECS.pxr et échecs.PXR")},
        {{{"A.PXR", bon}, {"B.PXR", "DAMES\r\n2\r\n1 AAA  a\r\n2 BBB  b\r\n"}},
         std::string("Deux fichiers du même jeu (DAMES) : A.PXR et B.PXR")},
        // Control characters never reach the report or the terminal, not
        // even in a file name.
        {{{"A.PXR", "Dames\r\n2\r\n1 AAA  a\x1B[2J\r\n2 BBB  b\r\n"}},
         std::string("Fichier A.PXR, ligne 3 : caractère de contrôle refusé (code 27)")},
        {{{"A\x1B]0;x\x07.PXR", "Dames\x7F\r\n2\r\n"}},
         std::string(
             "Fichier A\\x1B]0;x\\x07.PXR, ligne 1 : caractère de contrôle refusé (code 127)")},
        {{{"A.PXR", bon}, {"B.PXR", "Echecs\r\n2\r\n1 AAA  a\r\n2 aaa  b\r\n"}},
         std::string("Erreur résultat déja saisi JEU : Echecs, équipe : aaa")},
        {{{"A.PXR", "Dames\r\n2\r\n1AAA\r\n"}}, "Erreur format joueur fichier A.PXR : 1AAA"},
        {onze, std::string("Trop de fichiers .PXR dans le dossier : 10 au plus")},
        // The players read must be those announced, and a file is never empty.
        {{{"A.PXR", "Dames\r\n3\r\n1 AAA  a\r\n2 BBB  b\r\n\r\n"}},
         std::string("Fichier A.PXR : 3 joueurs annoncés, 2 lus")},
        {{{"A.PXR", "Dames\r\n1\r\n1 AAA  a\r\n2 BBB  b\r\n"}},
         std::string("Fichier A.PXR : 1 joueurs annoncés, 2 lus")},
        {{{"A.PXR", "Dames\r\n-3\r\n"}}, std::string("Fichier A.PXR : -3 joueurs annoncés, 0 lus")},
        {{{"A.PXR", ""}}, "Fichier A.PXR vide"},
    };
    for (const auto& c : cas) {
        DossierTemporaire dossier;
        dossier.ecrire("equipes.txt", liste);
        for (const auto& [nom, octets] : c.fichiers) dossier.ecrire(nom, octets);
        const Resultat r = classer(dossier);
        EXPECT_FALSE(r.ok) << c.message;
        EXPECT_EQ(r.io.erreurs, Lignes{c.message});
        EXPECT_EQ(r.rapport.titre(), "Avant");
        EXPECT_EQ(r.rapport.lignes(), Lignes{"ligne d'avant"});
        EXPECT_EQ(dossier.lire("resultat.txt"), vers_cp1252("Erreur format équipe : MAUVAISE\r\n"));
    }
}

TEST(ClassementEquipes, ErreursDeLaListeEtDeResultatTxt) {
    {
        DossierTemporaire dossier;
        dossier.ecrire("resultat.txt", "ancien\r\n");
        const Resultat r = classer(dossier);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.io.erreurs, Lignes{std::string("Fichier EQUIPES.TXT non-trouvé\nDossier : ") +
                                       dossier.chemin().lexically_normal().string()});
        EXPECT_EQ(r.rapport.lignes(), Lignes{"ligne d'avant"});
        EXPECT_EQ(dossier.lire("resultat.txt"), "");
    }
    {
        DossierTemporaire dossier;
        dossier.ecrire("equipes.txt", "AAA Alpha\r\n");
        std::filesystem::create_directory(dossier.chemin() / "resultat.txt");
        const Resultat r = classer(dossier);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.io.erreurs,
                  Lignes{std::string("Impossible de créer le fichier RESULTAT.TXT !")});
        EXPECT_EQ(r.rapport.lignes(), Lignes{"ligne d'avant"});
    }
    {
        // 100 teams are accepted, 101 refused before any file is read.
        DossierTemporaire dossier;
        std::string liste = "MAUVAISE\r\n";
        for (int k = 0; k < 100; ++k) liste += "T" + std::to_string(k) + " Equipe\r\n";
        dossier.ecrire("equipes.txt", liste);
        dossier.ecrire("A.PXR", "Dames\r\n1\r\n1 T99  a\r\n");
        EXPECT_TRUE(classer(dossier).ok);
        dossier.ecrire("equipes.txt", liste + "XYZ Une de trop\r\n");
        const Resultat r = classer(dossier);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.io.erreurs,
                  Lignes{std::string("Trop d'équipes dans le fichier EQUIPES.TXT : 100 au plus")});
        EXPECT_EQ(r.rapport.lignes(), Lignes{"ligne d'avant"});
        EXPECT_EQ(dossier.lire("resultat.txt"), vers_cp1252("Erreur format équipe : MAUVAISE\r\n"));
    }
    {
        // A link named resultat.txt is replaced, never followed: its target
        // keeps its bytes.
        DossierTemporaire dossier;
        dossier.ecrire("equipes.txt", "MAUVAISE\r\nAAA Alpha\r\n");
        dossier.ecrire("cible", "intact");
        std::filesystem::create_symlink("cible", dossier.chemin() / "resultat.txt");
        EXPECT_TRUE(classer(dossier).ok);
        EXPECT_EQ(dossier.lire("cible"), "intact");
        EXPECT_FALSE(std::filesystem::is_symlink(dossier.chemin() / "resultat.txt"));
        EXPECT_EQ(dossier.lire("resultat.txt"), vers_cp1252("Erreur format équipe : MAUVAISE\r\n"));
    }
}

// The team list and the team files are read only as regular files, never
// through a link (root would read another user's choice of file); a list
// holding a control character is refused with its line.
TEST(ClassementEquipes, ListeEtFichiersQuiNeSontPasDesFichiersOrdinaires) {
    namespace fs = std::filesystem;
    const std::string bon = "Dames\r\n1\r\n1 AAA  a\r\n";
    const struct {
        std::function<void(const DossierTemporaire&)> preparer;
        std::string message;
    } cas[] = {
        {[](const DossierTemporaire& d) {
             d.ecrire("vraie", "AAA Alpha\r\n");
             fs::create_symlink("vraie", d.chemin() / "equipes.txt");
         },
         "equipes.txt est un lien symbolique : il n'est pas lu"},
        {[](const DossierTemporaire& d) {
             fs::create_symlink("absente", d.chemin() / "EQUIPES.TXT");
         },
         "EQUIPES.TXT est un lien symbolique : il n'est pas lu"},
        {[](const DossierTemporaire& d) { ::mkfifo((d.chemin() / "equipes.txt").c_str(), 0644); },
         "equipes.txt n'est pas un fichier ordinaire"},
        {[](const DossierTemporaire& d) { fs::create_directory(d.chemin() / "equipes.txt"); },
         "equipes.txt n'est pas un fichier ordinaire"},
        {[](const DossierTemporaire& d) { d.ecrire("equipes.txt", "AAA Alpha\nBBB B\tta\n"); },
         std::string("Fichier equipes.txt, ligne 2 : caractère de contrôle refusé (code 9)")},
        {[&](const DossierTemporaire& d) {
             d.ecrire("equipes.txt", "AAA Alpha\r\n");
             d.ecrire("vrai", bon);
             fs::create_symlink("vrai", d.chemin() / "Dames.PXR");
         },
         "Dames.PXR est un lien symbolique : il n'est pas lu"},
        {[](const DossierTemporaire& d) {
             d.ecrire("equipes.txt", "AAA Alpha\r\n");
             ::mkfifo((d.chemin() / "Dames.PXR").c_str(), 0644);
         },
         "Dames.PXR n'est pas un fichier ordinaire"},
    };
    for (const auto& c : cas) {
        DossierTemporaire dossier;
        c.preparer(dossier);
        const Resultat r = classer(dossier);
        EXPECT_FALSE(r.ok) << c.message;
        EXPECT_EQ(r.io.erreurs, Lignes{c.message});
        EXPECT_EQ(r.rapport.lignes(), Lignes{"ligne d'avant"});
        EXPECT_EQ(dossier.lire("resultat.txt"), "");
    }
}

// resultat.txt copies lines of the list: a new file of whoever runs the
// classification (never the owner or mode of the file it replaces), readable
// only by him when the list is not readable by everyone.
TEST(ClassementEquipes, ResultatTxtNeLaissePasFuirLaListe) {
    namespace fs = std::filesystem;
    const mode_t masque = ::umask(022);
    DossierTemporaire dossier;
    const auto droits = [&](const char* nom) {
        struct stat etat {};
        EXPECT_EQ(::stat((dossier.chemin() / nom).c_str(), &etat), 0);
        return etat;
    };
    dossier.ecrire("equipes.txt", "MAUVAISE\r\nAAA Alpha\r\n");
    dossier.ecrire("resultat.txt", "");
    ::chmod((dossier.chemin() / "resultat.txt").c_str(), 0666);
    EXPECT_TRUE(classer(dossier).ok);
    EXPECT_EQ(droits("resultat.txt").st_mode & 07777, 0644u);

    ::chmod((dossier.chemin() / "equipes.txt").c_str(), 0640);
    if (::geteuid() == 0) {  // another user's folder and log
        EXPECT_EQ(::chown(dossier.chemin().c_str(), 65534, 65534), 0);
        EXPECT_EQ(::chown((dossier.chemin() / "resultat.txt").c_str(), 65534, 65534), 0);
    }
    EXPECT_TRUE(classer(dossier).ok);
    EXPECT_EQ(droits("resultat.txt").st_mode & 07777, 0600u);
    EXPECT_EQ(droits("resultat.txt").st_uid, ::geteuid());
    EXPECT_EQ(dossier.lire("resultat.txt"), vers_cp1252("Erreur format équipe : MAUVAISE\r\n"));
    ::umask(masque);
}

TEST(ClassementEquipes, FichierDeResultatsIllisible) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    DossierTemporaire dossier;
    dossier.ecrire("equipes.txt", "AAA Alpha\r\n");
    dossier.ecrire("A.PXR", "Dames\r\n1\r\n1 AAA  a\r\n");
    std::filesystem::permissions(dossier.chemin() / "A.PXR", std::filesystem::perms::none);
    const Resultat r = classer(dossier);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.io.erreurs, Lignes{"Impossible d'ouvrir le fichier A.PXR"});
    EXPECT_EQ(r.rapport.lignes(), Lignes{"ligne d'avant"});
}

}  // namespace
}  // namespace tavo
