// Writes the seed corpora of the fuzz targets: files as the program itself
// writes them, so that the fuzzers start from well-formed inputs.
//   generer_graines DOSSIER   (one sub-folder per fuzz target)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "model/fichier_tournoi.h"
#include "model/registre.h"
#include "model/texte.h"
#include "standings/departages.h"
#include "standings/scores.h"

namespace {

using namespace tavo;
namespace fs = std::filesystem;

class Silence : public Interaction {
  public:
    void message_erreur(const std::string& texte) override {
        std::fprintf(stderr, "generer_graines : %s\n", vers_utf8(texte).c_str());
    }
    bool question(const std::string&, const std::string&) override { return false; }
    void information(const std::string&) override {}
};

std::unique_ptr<Tournoi> nouveau_tournoi(int joueurs, int rondes, const char* jeu,
                                         std::vector<std::string> departages) {
    auto t = std::make_unique<Tournoi>();
    copier_champ(t->entete.nom, cp("Open de Noël"));
    copier_champ(t->entete.date, "12/12/26");
    copier_champ(t->entete.jeu, jeu);
    t->entete.othello = egal_sans_casse(jeu, "Othello") ? 1 : 0;
    t->entete.nb_rondes = static_cast<std::int16_t>(rondes);
    std::vector<std::string> noms;
    for (const std::string& libelle : departages)
        noms.push_back(noms_departages()[id_departage_par_libelle(libelle)]);
    choisir_departages(*t, noms, {noms_departages().begin(), noms_departages().end()});
    Silence io;
    static const char* equipes[] = {"ABC", "DEF", "GHI", ""};
    for (int k = 1; k <= joueurs; ++k) {
        const int id = ajouter_joueur(*t, io);
        FicheJoueur f;
        f.nom = "JOUEUR" + std::to_string(k);
        f.prenom = cp("Prénom") + std::to_string(k);
        f.ne_le = "01/02/10";
        f.elo = 1000 + 37 * k;
        f.equipe = equipes[k % 4];
        f.fille = k % 3 == 0;
        ecrire_fiche(t->joueur(id), f);
    }
    return t;
}

// Pairs the active players two by two in standings order (the last one gets
// the bye, the inactive ones their forfeit) and enters random results: enough
// to give the files every kind of record.
void jouer_ronde(Tournoi& t, std::mt19937& alea, bool saisir) {
    trier_classement(t);
    const int r = ++t.entete.ronde_courante;
    int table = 0, attente = 0;
    for (int p = 1; p <= t.entete.nb_joueurs; ++p) {
        Joueur& j = t.joueurs[p];
        if (!j.actif) {
            j.adversaires[r] = ID_FORFAIT;
            j.couleurs[r] = SANS_PARTIE;
            continue;
        }
        if (attente == 0) {
            attente = p;
            continue;
        }
        Joueur& b = t.joueurs[attente];
        Appariement& a = t.app[r][table++];
        a.blanc = b.id;
        a.noir = j.id;
        b.adversaires[r] = j.id, b.couleurs[r] = BLANC;
        j.adversaires[r] = b.id, j.couleurs[r] = NOIR;
        if (saisir) {
            const int pions = static_cast<int>(alea() % 65);
            a.res_blanc = static_cast<std::uint8_t>(
                t.entete.othello ? (pions > 32) * 2 + (pions == 32) : alea() % 3);
            a.res_noir = static_cast<std::uint8_t>(2 - a.res_blanc);
            a.pions_blanc = static_cast<std::uint8_t>(t.entete.othello ? pions : 0);
            a.pions_noir = static_cast<std::uint8_t>(t.entete.othello ? 64 - pions : 0);
            a.saisi = 1;
        }
        attente = 0;
    }
    if (attente != 0) {
        Joueur& j = t.joueurs[attente];
        Appariement& a = t.app[r][table++];
        a = Appariement{j.id, ID_QUALIFIE, 2, 0, 33, 31, 1, 0};
        j.adversaires[r] = ID_QUALIFIE, j.couleurs[r] = BLANC;
        j.resultats[r] = 2, j.pions[r] = 33;
    }
    t.nb_app[r] = static_cast<std::int16_t>(table);
    if (saisir) reporter_resultats(t);
}

void ecrire_tournoi(Tournoi& t, const fs::path& fichier) {
    Silence io;
    if (!sauver(t, fichier.string(), io)) std::exit(1);
}

void graines_fichier_tournoi(const fs::path& dossier) {
    std::mt19937 alea(1998);
    ecrire_tournoi(*nouveau_tournoi(0, 5, "Echecs", {"BU"}), dossier / "vide.pxi");
    ecrire_tournoi(*nouveau_tournoi(10, 7, "Dames", {"SB", "BU", "NG"}), dossier / "inscrits.pxi");

    auto echecs = nouveau_tournoi(12, 5, "Echecs", {"BU", "BM", "SB", "CU", "NG", "PP"});
    for (int r = 0; r < 3; ++r) jouer_ronde(*echecs, alea, true);
    ecrire_tournoi(*echecs, dossier / "echecs_3_rondes.pxi");
    jouer_ronde(*echecs, alea, false);
    ecrire_tournoi(*echecs, dossier / "echecs_ronde_en_cours.pxi");

    // An odd field with a player made inactive: a bye, a forfeit, and rounds
    // of different table counts.
    auto othello = nouveau_tournoi(9, 4, "Othello", {"PP", "BU"});
    jouer_ronde(*othello, alea, true);
    othello->joueur(4).actif = 0;
    jouer_ronde(*othello, alea, true);
    ecrire_tournoi(*othello, dossier / "othello_inactif.pxi");

    auto grand = nouveau_tournoi(40, 15, "Quarto", {"CU", "SB"});
    for (int r = 0; r < 15; ++r) jouer_ronde(*grand, alea, true);
    ecrire_tournoi(*grand, dossier / "quarto_15_rondes.pxi");
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
    return 0;
}
