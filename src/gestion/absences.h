// The rounds a player asks to miss (requested byes: a school trip, a
// religious holiday, a late entry): he is not paired in them and scores half
// a point or none. A tournament limits the half points: how many per player,
// and none in its last rounds (Proprietes; changing them leaves the requests
// granted as they are). With tavo-cli joueur-absent and the player dialog; a
// .pxi cannot hold them.
#pragma once

#include <string>
#include <vector>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo::gestion {

// Player `id` asks to miss rounds `numeros` (from 1), with half a point in
// each when `demi_point`, none otherwise; a round he already asked for takes
// the new choice. A round already paired may be asked for only when he has no
// table in it (he was inactive, or entered later): it then scores at once.
// Refused (message, false, nothing changed) for an unknown player or round,
// a round where he has a table, half points beyond the tournament's limits,
// and a tournament kept in a .pxi. Sets modifie.
bool demander_absences(Tournoi& t, int id, const std::vector<int>& numeros, bool demi_point,
                       Interaction& io);

// Takes the requests back: a round already paired becomes a round not
// played. Refused for an unknown player or a round he did not ask for.
bool retirer_absences(Tournoi& t, int id, const std::vector<int>& numeros, Interaction& io);

// A player's requests as the director reads them: "3 (½ point), 4 (0 point)";
// "" when none.
std::string texte_absences(const Joueur& j);

// The round numbers of a list the director typed, "3,4" or "3 4"; empty for
// a text that is not one.
std::vector<int> lire_numeros_rondes(const std::string& texte);

}  // namespace tavo::gestion
