#include "gestion/fichiers.h"

#include <memory>

#include "model/fichier_tournoi.h"
#include "standings/departages.h"

namespace tavo::gestion {

bool charger_tournoi(Tournoi& t, const std::string& chemin, Interaction& io) {
    if (!charger(t, chemin, io)) return false;
    choisir_departages_fichier(t);
    return true;
}

bool sauver_tournoi(Tournoi& t, const std::string& chemin, Interaction& io) {
    return sauver(t, chemin, io);
}

bool ecrire_copie_secours(const Tournoi& t, const std::string& chemin, Interaction& io) {
    // Written from a copy: saving clears the flag that the tournament keeps.
    auto copie = std::make_unique<Tournoi>(t);
    return sauver(*copie, chemin, io);
}

bool reprendre_copie_secours(Tournoi& t, const std::string& chemin, Interaction& io) {
    if (!charger_tournoi(t, chemin, io)) return false;
    t.entete.modifie = 1;
    return true;
}

bool a_sauver(const Tournoi& t) {
    return t.entete.modifie != 0;
}

}  // namespace tavo::gestion
