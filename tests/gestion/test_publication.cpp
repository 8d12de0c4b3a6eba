// Importing players from a spreadsheet's list, and the exports' own cases
// (quoting, escaping, files that cannot be written). The values of every
// export are checked against the text reports by tests/golden/exports.py.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>

#include "gestion/equipes.h"
#include "gestion/import.h"
#include "gestion/rapports.h"
#include "gestion/trf.h"
#include "model/texte.h"
#include "reports/tableau.h"
#include "support/dossier_test.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

using test::InteractionTest;

bool memes_octets(const Tournoi& a, const Tournoi& b) {
    return a == b;
}

std::string fiche(const Tournoi& t, int id) {
    const Joueur& j = t.joueur(id);
    return j.nom + "|" + j.prenom + "|" + j.ne_le + "|" + std::to_string(j.elo) + "|" + j.equipe +
           "|" + (j.fille ? "F" : "M");
}

TEST(Import, ReadsEitherEncodingAnySeparatorAndHeaderSpelling) {
    Tournoi t = test::tournoi_avec_joueurs(1);
    InteractionTest io;
    // UTF-8 with a byte-order mark, ';', accented headers in any case, a
    // column without name and without value, a name longer than its field,
    // dates in three spellings.
    const std::string utf8 =
        "\xEF\xBB\xBFNOM;Prénom;;né le;ELO;Équipe;Fille\r\n"
        "MARTIN;Léa;;1/2/2010;1\xC2\xA0"
        "580;ABC;oui\r\n"
        ";;;;;;\r\n"
        "DE LA TOUR D'AUVERGNE-LAURAGAIS;Jean;;2009-04-03;;;\r\n";
    ASSERT_EQ(gestion::importer_liste(t, utf8, io), 2);
    EXPECT_EQ(fiche(t, 2), "MARTIN|Léa|01/02/10|1580|ABC|F");
    EXPECT_EQ(fiche(t, 3), "DE LA TOUR D'AUVERGNE-LAURAGA|Jean|03/04/09|0||M");
    // Windows-1252 with tabs and a sex column, even where its bytes could
    // be taken for overlong UTF-8 ("à€€"); commas with quoted fields.
    ASSERT_EQ(gestion::importer_liste(
                  t, "nom\tprenom\tsexe\tfille\nPETIT\tChloé\tF\tnon\nLà€€\tx\t\tgarçon\n", io),
              2);
    EXPECT_EQ(fiche(t, 4), "PETIT|Chloé|  /  /  |0||F");
    EXPECT_EQ(fiche(t, 5), "Là€€|x|  /  /  |0||M");
    ASSERT_EQ(gestion::importer_liste(
                  t, "Nom,Prenom,Elo\r\n\"ROUX, dit \"\"Le Roux\"\"\",Marc,1500\r\n", io),
              1);
    EXPECT_EQ(fiche(t, 6), "ROUX, dit \"Le Roux\"|Marc|  /  /  |1500||M");
    EXPECT_TRUE(io.erreurs.empty());
    EXPECT_EQ(t.nb_joueurs(), 6);
    EXPECT_EQ(gestion::bilan_import(2), "2 joueurs importés");

    // The federation details by their names, into a .tavo, checked by the
    // register: a bad one refuses the list with its line.
    Tournoi natif = test::tournoi_avec_joueurs(1);
    natif.limites_1998 = false;
    const std::string details = "nom;Club;Fédération;FIDE ID;Id national;Title\n";
    ASSERT_EQ(gestion::importer_liste(natif, details + "A;Échiquier d'Ys;fra;0123;K-1;wgm\n", io),
              1);
    const Joueur& a = natif.joueur(2);
    EXPECT_EQ(a.club + "|" + a.federation + "|" + std::to_string(a.fide_id) + "|" + a.id_national +
                  "|" + a.titre,
              "Échiquier d'Ys|FRA|123|K-1|WGM");
    EXPECT_EQ(gestion::importer_liste(natif, details + "B;;;;;\nC;;;12a;;\n", io), -1);
    EXPECT_EQ(io.erreurs.back(),
              "Ligne 3 : L'identifiant FIDE est un nombre de 11 chiffres au plus : 12a");
    EXPECT_EQ(natif.nb_joueurs(), 2);
}

TEST(Import, OneBadLineRefusesTheWholeListWithItsNumber) {
    struct Cas {
        std::string contenu;
        std::string message;  // UTF-8
    };
    const Cas cas[] = {
        {"prenom;elo\nJean;1500\n", "Ligne 1 : la colonne « nom » manque"},
        {"nom;prenom\nA;a\n;Jean\n", "Ligne 3 : le nom manque"},
        {"nom;elo\nA;1500\nB;15OO\n", "Ligne 3 : l'Elo n'est pas un nombre : 15OO"},
        {"nom;prenom\nA;a\nKOWALSKI;\xC5\x81ukasz\n",
         "Ligne 3 : le prénom contient un caractère que le fichier .pxi ne peut pas enregistrer : "
         "« Ł »"},
        {"nom;prenom\nnom1;prenom1\n", "Ligne 2 : joueur déjà inscrit : nom1 prenom1"},
        {"nom;prenom;ne le\nA;a;01/02/10\nB;b\nA;a;1/2/2010\n",
         "Ligne 4 : joueur déjà inscrit : A a"},
        {"nom;prenom\n\"deux\nlignes\";b\n",
         "Ligne 2 : caractère impossible à enregistrer : deux\\x0Alignes"},
        {"nom;fille\nA;peut-être\n", "Ligne 2 : valeur de « fille » inconnue : peut-être"},
        {"nom;sexe\nA;F\nB;X\n", "Ligne 3 : valeur de « sexe » inconnue : X"},
        {"nom;prenom\n", "Le fichier ne contient aucun joueur"},
        // Every column is known, once; no value is dropped.
        {"nom;Ville\nA;x\n",
         "Ligne 1 : colonne inconnue : « Ville » (les colonnes sont nom, prénom, né le, elo, "
         "équipe, fille, sexe, club, fédération, fide id, id national et titre)"},
        {"nom;\x1B[2J\n",
         "Ligne 1 : colonne inconnue : « \\x1B[2J » (les colonnes sont nom, prénom, né le, elo, "
         "équipe, fille, sexe, club, fédération, fide id, id national et titre)"},
        {"nom;Fed;fide_id\nA;FRA;123\nB;FR;\n",
         "Ligne 2 : Le fichier .pxi ne peut pas garder sa fédération"},
        {"nom;club;titre\nA;;\nB;;GM\n", "Ligne 3 : Le fichier .pxi ne peut pas garder son titre"},
        {"nom;Prénom;naissance;PRENOM\n", "Ligne 1 : colonne en double : « PRENOM »"},
        {"nom;;prenom\nA;;a\nB;x;b\n",
         "Ligne 3 : valeur dans la colonne 2, qui n'a pas de nom : x"},
        {"nom\nA;b\n", "Ligne 2 : valeur dans la colonne 2, qui n'a pas de nom : b"},
        // Values out of range, never stored as something else.
        {"nom;elo\nA;0009999\nB;12345\n", "Ligne 3 : l'Elo va de 0 à 9999 : 12345"},
        {"nom;ne le\nA;31/02/2010\n",
         "Ligne 2 : La date de naissance doit être une vraie date (JJ/MM/AA) ou rester vide : "
         "31/02/10"},
        {"nom;ne le\nA;le 3 mai\n", "Ligne 2 : date de naissance illisible : le 3 mai"},
        {"nom;equipe\nA;ABCD\n", "Ligne 2 : le code d'équipe a plus de 3 caractères : ABCD"},
        {"nom;elo\nA;" + std::string(900, 'x') + "\n",
         "Ligne 2 : l'Elo n'est pas un nombre : " + std::string(40, 'x') + "..."},
        // One encoding for the whole list.
        {"nom;prénom\nA;\xE9\n",
         "Ligne 2 : l'octet 0xE9 n'est pas de l'UTF-8, alors que la ligne 1 l'est : enregistrez "
         "la liste dans un seul codage"},
        {"\xEF\xBB\xBFnom\r\nA\r\n\xC9MILE\r\n",
         "Ligne 3 : l'octet 0xC9 n'est pas de l'UTF-8, alors que la ligne 1 l'est : enregistrez "
         "la liste dans un seul codage"},
        {std::string("\xFF\xFEn\0o\0m\0\n\0", 10),
         "La liste est en UTF-16 : enregistrez-la en UTF-8 ou en Windows-1252"},
        {std::string("\0n\0o\0m\0\n", 8),
         "La liste est en UTF-16 : enregistrez-la en UTF-8 ou en Windows-1252"},
        // Bounded lines and values.
        {"nom\n" + std::string(1001, 'A') + "\n", "Ligne 2 : une valeur dépasse 1000 caractères"},
        {"nom\nA\n" + std::string(9 << 20, ';'), "Ligne 3 : plus de 64 colonnes"},
        {"nom\nA\n\"B\nC\n", "Ligne 3 : un guillemet ouvert n'est jamais fermé"},
        {std::string((10 << 20) + 1, '\n'), "La liste est trop grande : 10 Mo au plus"},
    };
    for (const Cas& c : cas) {
        Tournoi t = test::tournoi_avec_joueurs(2);
        const Tournoi avant = t;
        InteractionTest io;
        EXPECT_EQ(gestion::importer_liste(t, c.contenu, io), -1) << c.contenu;
        ASSERT_EQ(io.erreurs.size(), 1u) << c.contenu;
        EXPECT_EQ(io.erreurs[0], c.message);
        EXPECT_TRUE(memes_octets(t, avant)) << c.contenu;
    }

    // The 100-player capacity: the line that would pass it is named.
    Tournoi t = test::tournoi_avec_joueurs(98);
    const Tournoi avant = t;
    InteractionTest io;
    EXPECT_EQ(gestion::importer_liste(t, "nom\nA\nB\nC\n", io), -1);
    EXPECT_EQ(io.erreurs.at(0), "Ligne 4 : le fichier .pxi est limité à 100 joueurs");
    EXPECT_TRUE(memes_octets(t, avant));
    EXPECT_TRUE(memes_octets(t, avant));
}

// Only a regular file is a list: a folder, a device or a FIFO is refused at
// once (a FIFO never waited on), and so is a file beyond 10 Mo.
TEST(Import, OnlyARegularFileOfAtMostTenMegabytes) {
    test::DossierTemporaire dossier;
    const auto chemin = [&](const char* nom) { return dossier.chemin() / nom; };
    ASSERT_EQ(::mkfifo(chemin("tube").c_str(), 0644), 0);
    std::filesystem::create_directory(chemin("dossier"));
    dossier.ecrire("grande", "nom\n" + std::string(10 << 20, ';'));
    const std::pair<std::filesystem::path, std::string> cas[] = {
        {"/nonexistent/liste.csv", "Fichier introuvable : /nonexistent/liste.csv"},
        {chemin("dossier"), chemin("dossier").string() + " n'est pas un fichier ordinaire"},
        {"/dev/zero", "/dev/zero n'est pas un fichier ordinaire"},
        {chemin("tube"), chemin("tube").string() + " n'est pas un fichier ordinaire"},
        {chemin("grande"), chemin("grande").string() + " est trop grand : 10 Mo au plus"},
    };
    for (const auto& [liste, message] : cas) {
        Tournoi t = test::tournoi_avec_joueurs(2);
        const Tournoi avant = t;
        InteractionTest io;
        EXPECT_EQ(gestion::importer_joueurs(t, liste, io), -1) << liste;
        EXPECT_EQ(io.erreurs, std::vector<std::string>{message});
        EXPECT_TRUE(memes_octets(t, avant));
    }
}

TEST(Export, QuotesEscapesAndLeavesNoFileWhenItCannotWrite) {
    Tournoi t = test::tournoi_avec_joueurs(2);
    t.joueurs[0].nom = "A;\"B\" <&>";
    Rapport rapport;
    gestion::produire_rapport(t, gestion::SorteRapport::joueurs, rapport);
    const std::string csv = gestion::mettre_en_forme(rapport, gestion::FormatRapport::csv);
    EXPECT_NE(csv.find("\r\n1;;A;\"A;\"\"B\"\" <&>\";"), std::string::npos) << csv;
    const std::string html = gestion::mettre_en_forme(rapport, gestion::FormatRapport::html);
    EXPECT_NE(html.find("<td>A;&quot;B&quot; &lt;&amp;&gt;</td>"), std::string::npos) << html;

    const Tournoi avant = t;
    test::DossierTemporaire dossier;
    InteractionTest io;
    const auto cible = dossier.chemin() / "absent" / "page.html";
    EXPECT_FALSE(gestion::exporter_rapport(t, gestion::SorteRapport::classement,
                                           gestion::FormatRapport::html, cible, io));
    EXPECT_FALSE(gestion::exporter_trf(t, dossier.chemin() / "absent" / "t.trf", io));
    // A folder in place of the file: the temporary file is written, the
    // rename fails, and nothing is left.
    std::filesystem::create_directory(dossier.chemin() / "dossier.csv");
    EXPECT_FALSE(gestion::exporter_rapport(t, gestion::SorteRapport::grille,
                                           gestion::FormatRapport::csv,
                                           dossier.chemin() / "dossier.csv", io));
    ASSERT_EQ(io.erreurs.size(), 3u);
    EXPECT_EQ(io.erreurs[0], "Impossible d'écrire le fichier : " + cible.string());
    EXPECT_EQ(dossier.contenu(), std::vector<std::string>{"dossier.csv"});
    EXPECT_TRUE(memes_octets(t, avant));
}

// The line of a CSV file that starts with `debut`.
std::string ligne_csv(const std::string& csv, const std::string& debut) {
    const auto i = csv.find("\r\n" + debut);
    return i == std::string::npos ? std::string()
                                  : csv.substr(i + 2, csv.find('\r', i + 2) - i - 2);
}

TEST(Export, TieBreaksAreInTheUnitOfThePoints) {
    // Five players, three rounds. R1: 1 beats 3, 2 draws 4, 5 has the bye.
    // R2: 5 draws 1, 4 beats 3, 2 has the bye. R3: 1 beats 2, 3 draws 5, 4 has
    // the bye. Points: 1 and 4 2½, 5 2, 2 1½, 3 ½.
    Tournoi t = test::tournoi_avec_joueurs(5, 3, {"BU", "BM", "SB", "CU", "NG", "PP"});
    test::poser_partie(t, 0, 0, 1, 3, 2);
    test::poser_partie(t, 0, 1, 2, 4, 1);
    test::poser_partie(t, 0, 2, 5, ID_QUALIFIE, 2);
    test::poser_partie(t, 1, 0, 5, 1, 1);
    test::poser_partie(t, 1, 1, 4, 3, 2);
    test::poser_partie(t, 1, 2, 2, ID_QUALIFIE, 2);
    test::poser_partie(t, 2, 0, 1, 2, 2);
    test::poser_partie(t, 2, 1, 3, 5, 1);
    test::poser_partie(t, 2, 2, 4, ID_QUALIFIE, 2);
    test::ouvrir_ronde(t, 2);
    const auto csv = [&](gestion::SorteRapport sorte, gestion::FormatRapport format) {
        Tournoi copie = t;
        Rapport rapport;
        gestion::produire_rapport(copie, sorte, rapport);
        return gestion::mettre_en_forme(rapport, format);
    };
    using gestion::FormatRapport;
    using gestion::SorteRapport;
    // Player 1 met 3 (½), 5 (2) and 2 (1½): Bucholz 4; median Bucholz, the
    // lowest and highest left out, 1½; Sonneborn-Berger ½ + 1½ for the wins
    // and 2 / 2 for the draw, 3; cumulative 1 + 1½ + 2½ = 5; 2 wins; no
    // discs. Player 2 drew with 4 (2½) and lost: Sonneborn-Berger 1¼. Ahead
    // of 4 (also 2½) on Bucholz, player 1 is first.
    EXPECT_EQ(ligne_csv(csv(SorteRapport::classement, FormatRapport::csv), "1;"),
              "1;1;;NOM1;Prenom1;2,5;4;1,5;3;5;2;0");
    EXPECT_EQ(ligne_csv(csv(SorteRapport::grille, FormatRapport::csv), "1;"),
              "1;1;NOM1 Prenom1;;;3B+;5N=;2B+;2,5;4;1,5;3;5;2;0");
    EXPECT_NE(csv(SorteRapport::classement, FormatRapport::html)
                  .find("<td>Prenom2</td><td class=\"n\">1\xC2\xBD</td><td class=\"n\">5</td>"
                        "<td class=\"n\">0</td><td class=\"n\">1\xC2\xBC</td>"),
              std::string::npos);
    // Draughts count 2 a win: the same in draughts points (Sonneborn-Berger
    // adds half a drawn opponent's points: 2½ for player 2).
    t.entete.jeu = "Dames";
    EXPECT_EQ(ligne_csv(csv(SorteRapport::classement, FormatRapport::csv), "1;"),
              "1;1;;NOM1;Prenom1;5;8;3;6;10;2;0");
    EXPECT_EQ(ligne_csv(csv(SorteRapport::grille, FormatRapport::csv), "4;2;"),
              "4;2;NOM2 Prenom2;;;4B=;Q;1N-;3;10;0;2,5;2;0;33");
}

TEST(Export, CsvTextsNeverRunAsFormulas) {
    Rapport rapport;
    Tableau& tab = rapport.tableau();
    tab.colonnes = {"@Jeu", "Nom", "Pts"};
    for (const char* texte : {"=HYPERLINK(\"//e.vil\",\"x\")", "=cmd|' /C calc'!A0", "+33 6", "-",
                              "@SUM(1)", "\tx", "\rx", "-12", "-1,5", "+3", "a=b", ""})
        tab.lignes.push_back(
            {Cellule::de_texte(texte), Cellule::de_texte("x"), Cellule::de_nombre(-3, 2)});
    EXPECT_EQ(gestion::mettre_en_forme(rapport, gestion::FormatRapport::csv),
              "\xEF\xBB\xBF'@Jeu;Nom;Pts\r\n"
              "\"'=HYPERLINK(\"\"//e.vil\"\",\"\"x\"\")\";x;-1,5\r\n"
              "'=cmd|' /C calc'!A0;x;-1,5\r\n'+33 6;x;-1,5\r\n'-;x;-1,5\r\n'@SUM(1);x;-1,5\r\n"
              "'\tx;x;-1,5\r\n\"'\rx\";x;-1,5\r\n-12;x;-1,5\r\n-1,5;x;-1,5\r\n+3;x;-1,5\r\n"
              "a=b;x;-1,5\r\n;x;-1,5\r\n");

    // The team classification: team names come from equipes.txt.
    test::DossierTemporaire dossier;
    dossier.ecrire("equipes.txt", "ALP Les Alpins\r\nEVL =cmd|' /C calc'!A0\r\n");
    dossier.ecrire("Echecs.PXR", "Echecs\r\n2\r\n1 ALP  DURAND Alex\r\n2 EVL  LEROY Alex\r\n");
    InteractionTest io;
    ASSERT_TRUE(gestion::classement_final_equipes(Tournoi{}, dossier.chemin(), rapport, io))
        << (io.erreurs.empty() ? "" : io.erreurs[0]);
    EXPECT_EQ(ligne_csv(gestion::mettre_en_forme(rapport, gestion::FormatRapport::csv), "2;"),
              "2;EVL;'=cmd|' /C calc'!A0;2;0;2");
}

}  // namespace
}  // namespace tavo
