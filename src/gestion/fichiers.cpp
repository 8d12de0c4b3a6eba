#include "gestion/fichiers.h"

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

bool a_sauver(const Tournoi& t) {
    return t.entete.modifie != 0;
}

}  // namespace tavo::gestion
