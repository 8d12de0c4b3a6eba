#include "cli/console.h"

#include <iostream>

#include "model/texte.h"

namespace tavo::cli {

void Console::message_erreur(const std::string& texte) {
    erreur_signalee_ = true;
    std::cerr << vers_utf8(texte) << '\n';
}

bool Console::question(const std::string&, const std::string& texte) {
    erreur_signalee_ = true;
    std::cerr << vers_utf8(texte) << '\n';
    return false;
}

void Console::information(const std::string& texte) {
    std::cerr << vers_utf8(texte) << '\n';
}

void Console::afficher(const std::string& ligne_cp1252) {
    std::cout << vers_utf8(ligne_cp1252) << '\n';
}

}  // namespace tavo::cli
