#include "gestion/equipes.h"

#include "model/texte.h"
#include "reports/rapports.h"
#include "teams/equipes.h"

namespace tavo::gestion {

std::optional<std::filesystem::path> ecrire_fichier_equipes(Tournoi& t,
                                                            const std::filesystem::path& dossier,
                                                            Interaction& io) {
    if (!fichier_resultat_equipes(t, dossier, io)) return std::nullopt;
    return dossier / nom_fichier_equipes(t.entete);
}

bool classement_final_equipes(const Tournoi& t, const std::filesystem::path& dossier,
                              Rapport& rapport, Interaction& io) {
    ClassementEquipes lu;
    if (!classer_equipes(dossier, lu, io)) return false;
    classement_equipes(t.entete, lu, rapport);
    return true;
}

}  // namespace tavo::gestion
