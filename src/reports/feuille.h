// The pairing sheet: the tables of one round, white against black, as they
// are printed and posted; and the display name of a player id.
#pragma once

#include <string>

#include "model/tournoi.h"
#include "reports/rapport.h"

namespace tavo {

// Replaces the report with the sheet of round `numero` (1-based). A round
// not paired has no tables: the sheet then holds its heading only.
void afficher_appariements(const Tournoi& t, int numero, Rapport& rapport);

// "*FORFAIT*", "*QUALIFIE D'OFFICE*", or the player's "NOM Prenom"; an empty
// text for a number that names nobody.
std::string nom_affiche(const Tournoi& t, int id);

}  // namespace tavo
