// The player register: the records of adding, editing, deleting and
// renumbering players. The director's rules (when a player may be added or
// deleted, and the messages) are those of gestion/joueurs.h.
#pragma once

#include <string>

#include "model/tournoi.h"

namespace tavo {

// The editable fields of a player, as the player dialog and the command line
// show them.
struct FicheJoueur {
    std::string nom;
    std::string prenom;
    std::string ne_le = "  /  /  ";  // "JJ/MM/AA", a blank for each digit not typed
    std::string equipe;
    int elo = 0;  // 0 when none
    bool fille = false;
    bool actif = true;
    // The federation details, which only a .tavo keeps.
    std::string club;
    std::string federation;  // three letters, "" when none
    std::string fide_id;     // digits as typed, "" when none
    std::string id_national;
    std::string titre;  // "GM", "WFM"..., "" when none
};

FicheJoueur lire_fiche(const Joueur& joueur);

// Stores the fields into the record, the rating kept within 0..9999, the
// FIDE ID read from its digits (0 when there are none).
void ecrire_fiche(Joueur& joueur, const FicheJoueur& fiche);

// How many players the tournament may hold: 100 in a 1998 file.
int capacite_joueurs(const Tournoi& t);

// Appends a new player (all fields empty, active, no game in the rounds
// already paired) numbered nb_joueurs + 1 and returns its number; 0, nothing
// changed, at the capacity. Sets modifie.
int ajouter_joueur(Tournoi& tournoi);

// Deletes player `id`: the following records move down one position and every
// player is numbered by position again. False, nothing changed, for an
// unknown id. Sets modifie.
bool retirer_joueur(Tournoi& tournoi, int id);

// Numbers the players 1..nb_joueurs in their order and rebuilds the index;
// the forbidden pairs follow their players, those of a player no longer
// there are dropped.
void renumeroter(Tournoi& tournoi);

}  // namespace tavo
