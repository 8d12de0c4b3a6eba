// The depth-first search that pairs a round after the first: its working
// tables, the colour due to each player, the already-met rule, the recursive
// search and the recording of the best sequence of placements.
//
// Depths alternate: at an odd depth the search places the next first player of
// a pair, at an even depth it chooses that player's opponent (or gives him the
// bye when nobody is left). Scores are penalties, 0 for a perfect pairing.
#pragma once

#include <cstdint>
#include <vector>

#include "model/tournoi.h"
#include "pairing/regles.h"

namespace tavo {

// Thresholds of the search (the penalties of a pair are in regles.h), for
// fields the exact cuts know (up to 127 active players).
inline constexpr int SCORE_DEPART = -32000;  // best complete pairing before any is found
inline constexpr int SCORE_ECHEC = -15000;   // no pairing below this node
inline constexpr int PENALITE_ARRET = -50;   // x nb_joueurs: good enough to stop trying
// A larger field has more pairs to penalise: its thresholds are counted per
// active player, as the ones above are for a field of 100.
inline constexpr int DEPART_PAR_JOUEUR = SCORE_DEPART / 100;
inline constexpr int ECHEC_PAR_JOUEUR = SCORE_ECHEC / 100;

// One placement: the colour (0 white, 1 black) and the number (ID_QUALIFIE
// for the bye); number 0 ends a line.
struct Placement {
    std::uint8_t couleur;
    int id;
};

class Elagage;

// The working tables of one search, indexed by player number (couleurs_dues,
// utilise) or by depth (lignes).
struct TablesRecherche {
    std::vector<int> couleurs_dues;
    std::vector<std::uint8_t> utilise;
    // The active players not placed yet, by position in the table: a list
    // in standings order, so that a node visits only them. fin() is its end,
    // suivant[fin()] its first player.
    std::vector<int> suivant;
    std::vector<int> precedent;
    int fin() const { return static_cast<int>(suivant.size()) - 1; }
    // The player at position p, numbered id, is placed (out of the list),
    // and then taken back, the last placed first.
    void placer(int p, int id);
    void retirer(int p, int id);
    // lignes[d]: the best sequence of placements found from depth d on, ended
    // by an entry with number 0. A round holds one placement a player, and
    // the bye: depths 1 to n + 1 for n players.
    std::vector<std::vector<Placement>> lignes;
    // Last complete round, fixed for the whole search (the new round counts).
    int derniere_complete = -1;
    // The thresholds for this field: no pairing at or below `echec`, the
    // best score before any pairing is found, and a score good enough to
    // stop trying.
    int echec = SCORE_ECHEC;
    int depart = SCORE_DEPART;
    int arret = 0;
    // Calls of chercher since the tables were cleared.
    std::int64_t noeuds = 0;
    // Exact cuts of the search (elagage.h), or none: the search as it stands.
    Elagage* elagage = nullptr;
    // Most calls of chercher allowed, 0 for no limit. Past it every call
    // fails at once and `interrompue` is set: the search's answer is then
    // not the search's own.
    std::int64_t budget = 0;
    bool interrompue = false;

    // Sized for the players of `t` (numbers up to the largest), and cleared:
    // utilise, lignes and the node count; no cuts, no budget; the thresholds
    // of its field.
    void preparer(const Tournoi& t);
};

// The tables readied for the search of the round being paired: w.preparer(t),
// the last complete round and every player's colour due.
void preparer_recherche(const Tournoi& t, TablesRecherche& w);

// True for a field beyond the exact cuts (more than 127 active players): its
// search has no cuts, its thresholds are counted per player, and its fallback
// matching is the one for large fields.
bool grand_champ(const Tournoi& t);

// Readies the tables for a new search of the same round after one that was
// interrupted: lignes cleared, no longer interrupted; the node count goes on.
void recommencer(TablesRecherche& w);

// What the last search did (the last round paired after the first: the first
// round has no search and leaves these as they were).
struct StatistiquesRecherche {
    std::int64_t noeuds = 0;  // calls of chercher
    int score = 0;            // its result (at or below the failure threshold: no pairing)
    double secondes = 0;
    bool interrompue = false;             // the node budget ran out
    bool secours = false;                 // the round was paired by the fallback matching
    std::int64_t couplages_ponderes = 0;  // heaviest matchings the cuts computed
};
const StatistiquesRecherche& statistiques_recherche();
void noter_statistiques(const StatistiquesRecherche& s);

// Colour due to player `id` for the round being paired: 0 white or 1 black,
// with COULEUR_FORTE set when the difference of whites and blacks is 2 or
// more. Counts rounds 0 to derniere_ronde_complete(); during a pairing the new
// round counts, its unwritten colour (0) as a white game and the last colour.
int couleur_due(const Tournoi& t, int id);

// The same for player `j`, counting rounds 0 to `derniere_complete`.
int couleur_due_joueur(const Joueur& j, int derniere_complete);

// The colour due to a player as the pairing of round r saw it: his colours
// of rounds 0 to r - 1, and the new round's unwritten colour counted as a
// white game and as the last colour.
int couleur_due_ronde(const Joueur& j, int r);

// True when player `id` met `autre` (a player id or ID_QUALIFIE) in a round
// from 0 to derniere_ronde_complete().
bool deja_rencontre(const Tournoi& t, int id, int autre);

// Who met whom among the players `ids`, from each one's record over rounds 0
// to `derniere`: entry a * ids.size() + b is 1 when ids[a]'s record shows
// ids[b] as an opponent (the records of a round normally agree, but only
// each player's own is read, as deja_rencontre does). A forbidden pair is
// marked both ways.
std::vector<std::uint8_t> matrice_rencontres(const Tournoi& t, const std::vector<int>& ids,
                                             int derniere);

// The search at depth d: `alpha` the best complete score found so far,
// `joueur` the id placed at depth d - 1 (0 at odd depths), `couleur` his
// colour (2 for none), `score` the penalty so far. Returns the best complete
// score below this node, or w.echec. Needs the tables filled by the
// caller: couleurs_dues, utilise and lignes cleared, derniere_complete, and
// the table in standings order with its index.
int chercher(const Tournoi& t, TablesRecherche& w, int d, int alpha, int joueur, int couleur,
             int score);

// The loop of one node over its candidates: chercher without the node count,
// the alpha test at entry, the budget and the cuts.
int explorer_noeud(const Tournoi& t, TablesRecherche& w, int d, int alpha, int joueur, int couleur,
                   int score);

// lignes[d] becomes (couleur, id) followed by lignes[d + 1].
void memoriser(TablesRecherche& w, int d, int id, int couleur);

}  // namespace tavo
