#include "model/jeu.h"

#include "model/texte.h"

namespace tavo {

bool est_othello(std::string_view nom) {
    return egal_sans_casse(nom, "Othello");
}

bool est_dames(std::string_view nom) {
    return egal_sans_casse(nom, "Dames");
}

Jeu jeu_de(std::string_view nom, bool pions) {
    Jeu jeu;
    jeu.pions = pions;
    jeu.demi_points_affiches = !est_dames(nom);
    return jeu;
}

}  // namespace tavo
