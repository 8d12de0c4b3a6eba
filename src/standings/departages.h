// The six tie-break systems and the choice of those a tournament applies.
// Every value is counted in half-points, over the rounds 0 to
// derniere_ronde_complete(); the id index must be up to date.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/tournoi.h"

namespace tavo {

// Ids of the systems, as the tournament file stores them.
enum IdDepartage : int {
    ID_BUCHOLZ,
    ID_BUCHOLZ_MEDIAN,
    ID_SONNEBORN_BERGER,
    ID_CUMULATIF,
    ID_NB_GAINS,
    ID_PIONS_PRIS
};

// Two-letter labels of systems 0 to 5, the standings' column headings.
inline constexpr std::array<const char*, NB_SYSTEMES_DEPARTAGE> LIBELLES_DEPARTAGE = {
    "BU", "BM", "SB", "CU", "NG", "PP"};

// Names of systems 0 to 5 in the properties dialog's "Systèmes proposés" list
// (Windows-1252).
const std::array<std::string, NB_SYSTEMES_DEPARTAGE>& noms_departages();

std::int16_t departage_bucholz(const Tournoi& t, const Joueur& j);
std::int16_t departage_bucholz_median(const Tournoi& t, const Joueur& j);
std::int16_t departage_sonneborn_berger(const Tournoi& t, const Joueur& j);
std::int16_t departage_cumulatif(const Tournoi& t, const Joueur& j);
std::int16_t departage_nb_gains(const Tournoi& t, const Joueur& j);
std::int16_t departage_pions_pris(const Tournoi& t, const Joueur& j);

// The selected systems by id (0 to 5), in priority order: the header's ids
// and labels and the functions applied. Ids outside 0 to 5 are skipped.
void choisir_departages(Tournoi& t, const std::vector<int>& ids);
// File mode: labels and functions rebuilt from the loaded ids.
void choisir_departages_fichier(Tournoi& t);

// Id of the system with this label ("BU"...), or -1.
int id_departage_par_libelle(const std::string& libelle);

}  // namespace tavo
