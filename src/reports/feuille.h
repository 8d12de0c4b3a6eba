// The pairing sheet: the tables of one round, white against black, as they
// are printed and posted; and the display name of a player id.
#pragma once

#include <string>

#include "model/tournoi.h"
#include "reports/rapport.h"

namespace tavo {

// Replaces the report with the sheet of round `numero` (1-based). A round
// outside 1 to 15 has no tables: the sheet then holds its heading only.
void afficher_appariements(const Tournoi& t, int numero, Rapport& rapport);

// "*FORFAIT*", "*QUALIFIE D'OFFICE*", or the player's "NOM Prenom" (through
// the id index); an empty text for an id that names nobody.
std::string nom_affiche(const Tournoi& t, int id);

}  // namespace tavo
