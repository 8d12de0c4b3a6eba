// The six tie-break systems and the choice of those a tournament applies.
// Every value is counted in half-points, over the rounds 0 to
// derniere_ronde_complete(), from the points of every player over those
// rounds (points_par_numero).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/tournoi.h"

namespace tavo {

// Ids of the systems, as the tournament files store them.
enum IdDepartage : int {
    ID_BUCHOLZ,
    ID_BUCHOLZ_MEDIAN,
    ID_SONNEBORN_BERGER,
    ID_CUMULATIF,
    ID_NB_GAINS,
    ID_PIONS_PRIS
};

// Names of systems 0 to 5 in the properties dialog's "Systèmes proposés" list.
const std::array<std::string, NB_SYSTEMES_DEPARTAGE>& noms_departages();

// The value of system `id` for player `j`; `points` by number.
int valeur_departage(int id, const Tournoi& t, const std::vector<int>& points, const Joueur& j);

// The selected systems by id (0 to 5), in priority order, six at most; ids
// outside 0 to 5 are skipped.
void choisir_departages(Tournoi& t, const std::vector<int>& ids);

// Id of the system with this label ("BU"...), or -1.
int id_departage_par_libelle(const std::string& libelle);

}  // namespace tavo
