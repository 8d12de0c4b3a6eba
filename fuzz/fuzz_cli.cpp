// Fuzz target: the command line of tavo-cli. The input is a command line, one
// word per line; "@" names a tournament with a round in progress and "@o" an
// Othello one, both rewritten in a scratch folder before every input. Words
// holding a "/" or equal to ".." are dropped so that nothing outside the
// scratch folder is ever written. Bad usage is an ErreurUsage; any other
// exception escaping a command is a fault (tavo-cli would abort on it).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <random>
#include <streambuf>
#include <string>

#include "bac_a_sable.h"
#include "cli/arguments.h"
#include "cli/commandes.h"
#include "generation.h"
#include "invariants.h"
#include "model/fichier_tournoi.h"
#include "standings/departages.h"

namespace {

using namespace tavo;

class Neant : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
};

std::string g_echecs;
std::string g_othello;

std::string image_en_cours(const char* jeu, int joueurs) {
    std::mt19937 alea(7);
    auto t = fuzz::nouveau_tournoi(joueurs, 5, jeu, {"BU", "SB"});
    fuzz::jouer_ronde(*t, alea, true);
    fuzz::jouer_ronde(*t, alea, false);
    const std::vector<char> image = image_fichier(*t);
    return std::string(image.begin(), image.end());
}

void ecrire(const std::string& nom, const std::string& octets) {
    std::ofstream f(nom, std::ios::binary | std::ios::trunc);
    f.write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

std::string lire(const std::string& nom) {
    std::ifstream f(nom, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A tournament file the program leaves behind must load, and keep the
// invariants.
void verifier_fichier(const std::string& nom) {
    const std::string octets = lire(nom);
    auto t = std::make_unique<Tournoi>();
    if (lire_image(octets, *t) != ErreurLecture::aucune)
        fuzz::exiger("le fichier " + nom + " ne se charge plus", "ligne de commande");
    fuzz::exiger(fuzz::invariant_rompu(*t), "fichier ecrit par la ligne de commande");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static Neant neant;
    std::cout.rdbuf(&neant);
    std::cerr.rdbuf(&neant);
    g_echecs = image_en_cours("Echecs", 7);
    g_othello = image_en_cours("Othello", 6);
    if (::chdir(fuzz::bac_a_sable().c_str()) != 0) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    std::vector<std::string> mots =
        fuzz::decouper(std::string(reinterpret_cast<const char*>(donnees), taille), "\n");
    if (mots.size() > 40) return 0;
    for (std::string& mot : mots) {
        if (mot.find('/') != std::string::npos || mot == "..") return 0;
        if (mot == "@") mot = "t.pxi";
        if (mot == "@o") mot = "o.pxi";
    }

    // The number reader alone: a value comes back only for plain digits
    // within the bounds.
    for (const std::string& mot : mots) {
        try {
            const int v = cli::entier_option(mot, 1, 9999, "le nombre");
            if (v < 1 || v > 9999 || mot.find_first_not_of("0123456789") != std::string::npos)
                fuzz::exiger("entier_option accepte " + mot, "entier_option");
        } catch (const cli::ErreurUsage&) {
        }
    }

    fuzz::vider_bac_a_sable();
    ecrire("t.pxi", g_echecs);
    ecrire("o.pxi", g_othello);
    for (const cli::Commande& commande : cli::commandes()) {
        if (mots.empty() || mots[0] != commande.nom) continue;
        cli::Console console;
        try {
            const int code = commande.executer(cli::Mots(mots.begin() + 1, mots.end()), console);
            if (code != cli::SUCCES && code != cli::ECHEC)
                fuzz::exiger("code de sortie inconnu", commande.nom);
            if (code == cli::ECHEC && !console.erreur_signalee())
                fuzz::exiger("echec sans message", commande.nom);
        } catch (const cli::ErreurUsage&) {
        }
        break;
    }
    verifier_fichier("t.pxi");
    verifier_fichier("o.pxi");
    return 0;
}
