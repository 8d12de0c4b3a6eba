// Writes the seed corpora of the fuzz targets: files as the program itself
// writes them, so that the fuzzers start from well-formed inputs.
//   generer_graines DOSSIER   (one sub-folder per fuzz target)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "generation.h"
#include "model/fichier_tournoi.h"
#include "model/texte.h"
#include "teams/equipes.h"

namespace {

using namespace tavo;
namespace fs = std::filesystem;

void ecrire_tournoi(Tournoi& t, const fs::path& fichier) {
    fuzz::Muette io;
    if (!sauver(t, fichier.string(), io)) std::exit(1);
}

void graines_fichier_tournoi(const fs::path& dossier) {
    std::mt19937 alea(1998);
    ecrire_tournoi(*fuzz::nouveau_tournoi(0, 5, "Echecs", {"BU"}), dossier / "vide.pxi");
    ecrire_tournoi(*fuzz::nouveau_tournoi(10, 7, "Dames", {"SB", "BU", "NG"}),
                   dossier / "inscrits.pxi");

    auto echecs = fuzz::nouveau_tournoi(12, 5, "Echecs", {"BU", "BM", "SB", "CU", "NG", "PP"});
    for (int r = 0; r < 3; ++r) fuzz::jouer_ronde(*echecs, alea, true);
    ecrire_tournoi(*echecs, dossier / "echecs_3_rondes.pxi");
    fuzz::jouer_ronde(*echecs, alea, false);
    ecrire_tournoi(*echecs, dossier / "echecs_ronde_en_cours.pxi");

    // An odd field with a player made inactive: a bye, a forfeit, and rounds
    // of different table counts.
    auto othello = fuzz::nouveau_tournoi(9, 4, "Othello", {"PP", "BU"});
    fuzz::jouer_ronde(*othello, alea, true);
    othello->joueur(4).actif = false;
    fuzz::jouer_ronde(*othello, alea, true);
    ecrire_tournoi(*othello, dossier / "othello_inactif.pxi");

    // The largest field, after its first round (paired by halves).
    auto grand = fuzz::nouveau_tournoi(Limites1998::joueurs, 15, "Quarto", {"CU", "SB"});
    grand->joueur(50).actif = false;
    fuzz::jouer_ronde(*grand, alea, true);
    ecrire_tournoi(*grand, dossier / "quarto_100_joueurs.pxi");

    // A small field played as far as the pairing goes.
    auto long_ = fuzz::nouveau_tournoi(12, 15, "Dames", {"BM", "NG"});
    while (fuzz::jouer_ronde(*long_, alea, true)) {
    }
    ecrire_tournoi(*long_, dossier / "dames_toutes_rondes.pxi");
}

std::string lire(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void ecrire(const fs::path& chemin, const std::string& octets) {
    std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
    f << octets;
}

// The team list and the team result files of three games, as the program
// writes them, each team fielding one player per game; joined with the
// separator line the fuzz target splits them at.
void graines_equipes(const fs::path& dossier) {
    std::mt19937 alea(2026);
    const fs::path travail = dossier / "travail";
    fs::create_directories(travail);
    std::string pxr[3];
    const char* jeux[] = {"Echecs", "Othello", "Dames"};
    for (int g = 0; g < 3; ++g) {
        auto t = fuzz::nouveau_tournoi(5, 3, jeux[g], {"BU"});
        for (int id = 1; id <= 5; ++id) t->joueur(id).equipe = "E0" + std::to_string(id);
        for (int r = 0; r < 3; ++r) fuzz::jouer_ronde(*t, alea, true);
        fuzz::Muette io;
        if (!fichier_resultat_equipes(*t, travail, io)) std::exit(1);
        pxr[g] = lire(travail / (std::string(jeux[g]) + ".PXR"));
    }
    fs::remove_all(travail);
    const std::string liste =
        "E01 Les Fous du Roi\r\nE02 Damiers Unis\r\ne03 Club en minuscules\r\nE04   Noms "
        "avec blancs\r\nSANSBLANC\r\nE05 Cinquieme\r\n\r\nE06 Apres la fin\r\n";
    const std::string sep = "\n#PXR\n";
    ecrire(dossier / "trois_jeux", liste + sep + pxr[0] + sep + pxr[1] + sep + pxr[2]);
    ecrire(dossier / "un_jeu", liste + sep + pxr[1]);
    ecrire(dossier / "sans_resultats", liste);
    ecrire(dossier / "meme_nombre_faux",
           liste + sep + pxr[0] + sep + "Dames\r\n4\r\n1 E01  A B\r\n");
}

// Command lines, one word per line; "@" is the scratch tournament.
void graines_cli(const fs::path& dossier) {
    const char* lignes[] = {
        "rapport\nclassement\n@",
        "rapport\nhistorique\n@o",
        "rapport\njoueurs\n@",
        "rapport\nappariements\n@",
        "resultat\n@\n1\n2-0",
        "resultat\n@o\n2\n40-24",
        "resultat\n@\n3\n1-1",
        "valider\n@",
        "ronde\n@o",
        "nouveau\nx.pxi\n--nom\nOpen\n--jeu\nEchecs\n--rondes\n5\n--departages\nBU,SB\n--remplacer",
        "joueur-ajouter\n@\n--nom\nDUPONT\n--prenom\nJean\n--elo\n1500\n--fille",
        "joueur-modifier\n@\n2\n--inactif\n--ne-le\n01/02/10\n--equipe\nABC",
        "equipes-fichier\n@\n--dossier\n.",
        "equipes-classement\n--dossier\n.\n--tournoi\n@",
        "rapport\ngrille\n@\n--format\nhtml\n--sortie\ng.html",
        "rapport\nhistorique\n@o\n--format\ncsv",
        "exporter-trf\n@o\nt.trf",
        "joueurs-importer\n@\n@o",
    };
    int k = 0;
    for (const char* ligne : lignes) ecrire(dossier / ("commande" + std::to_string(++k)), ligne);
}

// Player lists as spreadsheets save them: each encoding and separator,
// quoted fields, and a list refused at its third line.
void graines_import(const fs::path& dossier) {
    ecrire(dossier / "utf8_bom",
           "\xEF\xBB\xBFNom;Pr\xC3\xA9nom;N\xC3\xA9 le;Elo;\xC3\x89quipe;Sexe\r\n"
           "MARTIN;L\xC3\xA9"
           "a;01/02/2010;1580;ABC;F\r\nPETIT;Paul;;;;M\r\n");
    ecrire(dossier / "cp1252_tab", "nom\tpr\xE9nom\tfille\telo\nROUX\tZo\xE9\toui\t1 500\n");
    ecrire(dossier / "virgules",
           "Nom,Prenom,Ne le\r\n\"DE LA TOUR, dit \"\"Le\"\"\",Jean,2010-02-01\r\n");
    ecrire(dossier / "refusee", "nom;elo\nA;1500\nB;15OO\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage : generer_graines DOSSIER\n");
        return 2;
    }
    const fs::path racine = argv[1];
    fs::create_directories(racine / "fuzz_fichier_tournoi");
    graines_fichier_tournoi(racine / "fuzz_fichier_tournoi");
    fs::create_directories(racine / "fuzz_equipes");
    graines_equipes(racine / "fuzz_equipes");
    fs::create_directories(racine / "fuzz_cli");
    graines_cli(racine / "fuzz_cli");
    fs::create_directories(racine / "fuzz_import");
    graines_import(racine / "fuzz_import");
    return 0;
}
