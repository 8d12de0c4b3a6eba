// The player register as the director uses it: in the player dialog and
// with tavo-cli joueur-ajouter, joueur-modifier and joueur-supprimer.
// Players are addressed by their number (id).
#pragma once

#include <optional>
#include <string_view>

#include "model/interaction.h"
#include "model/registre.h"
#include "model/tournoi.h"

namespace tavo::gestion {

// Registers a new player, numbered after the last one, and returns his
// number: with every field empty, or with `fiche` (the player dialog stores
// a new player this way once something is typed in its empty form).
// A player registered once rounds are paired is a late entry: each round
// paired so far, the current one included, is a forfeit for him (as for an
// inactive player), and he is paired from the next round on. Refused
// (message, 0 returned, nothing changed) once every planned round is paired
// and at the capacity of 100 players. Sets modifie.
// With `fiche`, the record must pass fiche_verifiee (gestion/verifications.h):
// a name, no control character, a team code of letters and digits, a birth
// date that is a real date or empty, federation details well formed (none in
// a .pxi).
int inscrire_joueur(Tournoi& t, Interaction& io);
int inscrire_joueur(Tournoi& t, const FicheJoueur& fiche, Interaction& io);

// Whether a player may be registered now; false with the message of
// inscrire_joueur otherwise.
bool inscription_possible(const Tournoi& t, Interaction& io);

// Stores the fields of player `id` (texts cut to their field, rating kept
// within 0 to 9999). Refused (message, false) for an unknown player and a
// record that fails fiche_verifiee. Sets modifie when the record changed.
bool modifier_joueur(Tournoi& t, int id, const FicheJoueur& fiche, Interaction& io);

// Deletes player `id`; the players after him are numbered one less. Refused
// (message, false, nothing changed) for an unknown player and once the
// first round is paired: his games are then in his opponents' records.
bool supprimer_joueur(Tournoi& t, int id, Interaction& io);

// Before the first round, numbers the players 1, 2... in table order again
// (a report may have sorted the table), as the player dialog does when it
// closes. Sets modifie when a number changed.
void numeroter_joueurs(Tournoi& t);

// "Chercher": the player numbered `debut` when it is a number; otherwise the
// number of the first player after `apres` (going round to the first one)
// whose name starts with `debut`, ignoring case and accents; 0 when there is
// none.
int chercher_joueur(const Tournoi& t, std::string_view debut, int apres);

// The fields of player `id`; std::nullopt for an unknown player.
std::optional<FicheJoueur> fiche_joueur(const Tournoi& t, int id);

// The number of registered players.
int nombre_joueurs(const Tournoi& t);

// Players may be added while a planned round is still to be paired.
bool ajout_possible(const Tournoi& t);
// Players may be deleted only before the first round is paired.
bool suppression_possible(const Tournoi& t);

// "Trier par Elo": before the first round, the players are numbered again in
// decreasing Elo order (equal Elo: by name, then first name, ignoring case
// and accents), so that the first round's halves put the strongest against
// the middle of the field. Refused (message, false) once the first round is
// paired. Sets modifie when a number changed.
bool trier_par_elo(Tournoi& t, Interaction& io);

}  // namespace tavo::gestion
