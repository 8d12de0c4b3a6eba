#include "cli/console.h"

#include <iostream>

namespace tavo::cli {

void Console::message_erreur(const std::string& texte) {
    erreur_signalee_ = true;
    std::cerr << texte << '\n';
}

bool Console::question(const std::string&, const std::string& texte) {
    erreur_signalee_ = true;
    std::cerr << texte << '\n';
    return false;
}

Interaction::Reponse Console::question_choix(const std::string& titre, const std::string& texte,
                                             const std::string&, const std::string&, Reponse) {
    question(titre, texte);
    return Reponse::annuler;
}

void Console::information(const std::string& texte) {
    std::cerr << texte << '\n';
}

void Console::afficher(const std::string& ligne) {
    std::cout << ligne << '\n';
}

}  // namespace tavo::cli
