// tavo-cli: the tournament director's commands without the window.
#include <iostream>

#include "cli/arguments.h"
#include "cli/commandes.h"
#include "tavo/version.h"

namespace {

void aide(std::ostream& sortie) {
    sortie << "Usage : tavo-cli COMMANDE ARGUMENTS...\n"
              "Gestion de tournois en système Suisse, sans fenêtre.\n\nCommandes :\n";
    for (const auto& c : tavo::cli::commandes()) sortie << "  " << c.nom << ' ' << c.usage << '\n';
    sortie << "\nOptions :\n  --help     cette aide\n  --version  la version du programme\n";
    sortie << "\nSortie : 0 en cas de succès, 1 en cas d'échec (message sur la sortie d'erreur),\n"
              "2 en cas de mauvais usage.\n";
}

}  // namespace

int main(int argc, char** argv) {
    const tavo::cli::Mots mots(argv + 1, argv + argc);
    if (mots.empty() || mots[0] == "--help" || mots[0] == "-h" || mots[0] == "aide") {
        aide(mots.empty() ? std::cerr : std::cout);
        return mots.empty() ? tavo::cli::USAGE : tavo::cli::SUCCES;
    }
    if (mots[0] == "--version") {
        std::cout << "tavo-cli " << tavo::VERSION << '\n';
        return tavo::cli::SUCCES;
    }
    for (const auto& commande : tavo::cli::commandes()) {
        if (mots[0] != commande.nom) continue;
        tavo::cli::Console console;
        try {
            return commande.executer(tavo::cli::Mots(mots.begin() + 1, mots.end()), console);
        } catch (const tavo::cli::ErreurUsage& e) {
            std::cerr << "tavo-cli " << commande.nom << " : " << e.what() << "\nUsage : tavo-cli "
                      << commande.nom << ' ' << commande.usage << '\n';
            return tavo::cli::USAGE;
        }
    }
    std::cerr << "tavo-cli : commande inconnue : " << mots[0] << "\n\n";
    aide(std::cerr);
    return tavo::cli::USAGE;
}
