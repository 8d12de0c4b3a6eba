// tavo-cli: the tournament director's commands without the window.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
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
              "2 en cas de mauvais usage, 3 quand le changement est enregistré mais que ce\n"
              "que la commande affiche n'a pas pu être écrit (ne pas la relancer).\n";
}

// What was printed must have reached standard output: a full disk, /dev/full
// or a closed output make the command fail, never pass for a success. When
// the command had already stored its change, it says so, with a status of
// its own: running it again would make the change twice.
int sortie_ecrite(int statut, const std::string& fichier_ecrit = {}) {
    std::cout.flush();
    if (std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout)) return statut;
    std::cerr << "tavo-cli : erreur d'écriture sur la sortie standard";
    if (fichier_ecrit.empty()) {
        std::cerr << '\n';
        return tavo::cli::ECHEC;
    }
    std::cerr << " ; le changement est pourtant enregistré dans " << fichier_ecrit << '\n';
    return tavo::cli::SORTIE_PERDUE;
}

bool demande_aide(const std::string& mot) {
    return mot == "--help" || mot == "-h";
}

}  // namespace

int main(int argc, char** argv) {
    // A standard stream started closed is taken by /dev/null, read-only: the
    // files opened later never get its number (nothing printed can land in a
    // tournament file), and writing to a closed output still fails.
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) == -1 && ::open("/dev/null", O_RDONLY) != fd) return 1;
    const tavo::cli::Mots mots(argv + 1, argv + argc);
    if (mots.empty() || demande_aide(mots[0]) || mots[0] == "aide") {
        aide(mots.empty() ? std::cerr : std::cout);
        return sortie_ecrite(mots.empty() ? tavo::cli::USAGE : tavo::cli::SUCCES);
    }
    if (mots[0] == "--version") {
        std::cout << "tavo-cli " << tavo::VERSION << '\n';
        return sortie_ecrite(tavo::cli::SUCCES);
    }
    for (const auto& commande : tavo::cli::commandes()) {
        if (mots[0] != commande.nom) continue;
        // "tavo-cli COMMANDE --help": the usage of that command.
        if (mots.size() == 2 && demande_aide(mots[1])) {
            std::cout << "Usage : tavo-cli " << commande.nom << ' ' << commande.usage << '\n';
            return sortie_ecrite(tavo::cli::SUCCES);
        }
        tavo::cli::Console console;
        try {
            const int statut =
                commande.executer(tavo::cli::Mots(mots.begin() + 1, mots.end()), console);
            return sortie_ecrite(statut, console.fichier_ecrit());
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
