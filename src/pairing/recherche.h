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

// Thresholds of the search (the penalties of a pair are in regles.h).
inline constexpr int SCORE_DEPART = -32000;  // best complete pairing before any is found
inline constexpr int SCORE_ECHEC = -15000;   // no pairing below this node
inline constexpr int PENALITE_ARRET = -50;   // x nb_joueurs: good enough to stop trying

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
    // lignes[d]: the best sequence of placements found from depth d on, ended
    // by an entry with number 0. A round holds one placement a player, and
    // the bye: depths 1 to n + 1 for n players.
    std::vector<std::vector<Placement>> lignes;
    // Last complete round, fixed for the whole search (the new round counts).
    int derniere_complete = -1;
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
    // utilise, lignes and the node count; no cuts, no budget.
    void preparer(const Tournoi& t);
};

// Readies the tables for a new search of the same round after one that was
// interrupted: lignes cleared, no longer interrupted; the node count goes on.
void recommencer(TablesRecherche& w);

// What the last search did (the last round paired after the first: the first
// round has no search and leaves these as they were).
struct StatistiquesRecherche {
    std::int64_t noeuds = 0;  // calls of chercher
    int score = 0;            // its result (below -14999: no pairing)
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
// each player's own is read, as deja_rencontre does).
std::vector<std::uint8_t> matrice_rencontres(const Tournoi& t, const std::vector<int>& ids,
                                             int derniere);

// The search at depth d: `alpha` the best complete score found so far,
// `joueur` the id placed at depth d - 1 (0 at odd depths), `couleur` his
// colour (2 for none), `score` the penalty so far. Returns the best complete
// score below this node, or SCORE_ECHEC. Needs the tables filled by the
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
