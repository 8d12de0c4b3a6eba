// The player register: adding, editing, deleting and renumbering players.
#pragma once

#include <string>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo {

// The editable fields of a player, as the player dialog and the command line
// show them (Windows-1252 texts).
struct FicheJoueur {
    std::string nom;
    std::string prenom;
    std::string ne_le = "  /  /  ";  // "JJ/MM/AA", a blank for each digit not typed
    std::string equipe;
    int elo = 0;  // 0 when none
    bool fille = false;
    bool actif = true;
};

FicheJoueur lire_fiche(const Joueur& joueur);

// Stores the fields into the record; texts are cut to their field's capacity
// and the rating is kept within 0..9999.
void ecrire_fiche(Joueur& joueur, const FicheJoueur& fiche);

// Appends a new player (all fields empty, active) numbered nb_joueurs + 1 and
// returns its number. Refused, with a message and 0 returned, at the capacity
// of 100 players or once the first round has been paired.
int ajouter_joueur(Tournoi& tournoi, Interaction& io);

// Deletes player `id`: the following records move down one position and every
// player is numbered by position again. Only before the first round; returns
// false (and changes nothing) otherwise or for an unknown id.
bool supprimer_joueur(Tournoi& tournoi, int id);

// Numbers the players 1..nb_joueurs in table order and rebuilds the index.
void renumeroter(Tournoi& tournoi);

}  // namespace tavo
