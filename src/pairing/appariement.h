// "Nouvelle Ronde": pairs the next round of the tournament. The first round
// splits the active players into a top and a bottom half in table order;
// every later round is paired by the search of recherche.h over the players
// in standings order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo {

// Most nodes the search of one round may visit before the fallback pairs the
// round. A fixed count, not a time, so that a tournament file gives the same
// pairing on every machine; with the exact cuts a round of 100 players needs
// this many nodes in well under a tenth of a second.
inline constexpr std::int64_t BUDGET_NOEUDS = 10000;

// Most nodes the search without its cuts may visit first, per active player.
// Most rounds go straight down to their pairing (a node or two per player),
// and then the cuts only cost time; when this search finishes, its pairing
// is the search's own. Otherwise the search starts again with its cuts.
inline constexpr std::int64_t DIRECT_PAR_JOUEUR = 10;

// How a round after the first is paired. The defaults are the program's; the
// search alone (no cuts, no budget, no fallback) serves to check that the cuts
// change nothing. Without the fallback, a search that runs out of budget
// counts as failed.
struct OptionsAppariement {
    bool elagage = true;                                 // exact cuts of the search (elagage.h)
    std::int64_t budget = BUDGET_NOEUDS;                 // node budget, 0 for none
    bool secours = true;                                 // fallback matching (secours.h)
    std::int64_t direct_par_joueur = DIRECT_PAR_JOUEUR;  // first try without cuts, 0 for none
};

// Refuses (message, false) while the current round has a table without result
// or when the last planned round (or the capacity of rounds) is reached;
// otherwise pairs the next round. False also when the pairing failed
// ("Appariements impossibles", naming the forbidden pairs that block it when
// there are any, or "Aucun joueur actif" in the first round):
// ronde_courante is then back where it was (modifie stays set).
bool nouvelle_ronde(Tournoi& t, Interaction& io, const OptionsAppariement& options = {});

// Pairs round number `numero` (1-based), ronde_courante already advanced to
// it; the players who asked to miss it get their requested bye. True on
// success.
bool apparier(Tournoi& t, int numero, Interaction& io, const OptionsAppariement& options = {});

// The same among the active players, without the requested byes.
bool apparier_presents(Tournoi& t, int numero, Interaction& io,
                       const OptionsAppariement& options = {});

// The first round by halves, a table of a forbidden pair mended by exchanging
// black players with the nearest table that allows it; false (no message)
// when no player is active or a forbidden pair cannot be avoided (the
// unmended tables are then left in round 0, no record written).
bool premiere_ronde(Tournoi& t);

// The search for a round after the first. When it finds no pairing or runs
// out of its budget, the fallback pairs the round if any pairing exists at
// all, and the director is told so (io.information). Otherwise false with
// "Appariements impossibles": nothing of the round is then written, the table
// stays in standings order.
bool recherche_appariement(Tournoi& t, int numero, Interaction& io,
                           const OptionsAppariement& options = {});

// The sentence that tells the director the fallback paired the round.
std::string texte_secours();

// Writes table `table` of round r into its two players' records: opponent
// and colour, and the result (the bye's at once, none yet for a game).
void poser_table(Tournoi& t, int r, int table);

// The tables of round r from the search's line of placements (pairs in
// order, the bye a player's opponent), written into the players' records
// with the float marks of the pairs of unequal points.
struct Placement;
void ecrire_placements(Tournoi& t, int r, const std::vector<Placement>& ligne);

// Every inactive player gets his round without a table: ID_FORFAIT, no
// colour and 0 points, or the requested bye he asked for.
void forfaits_inactifs(Tournoi& t, int r);

// The float marks as the pairings of rounds 1 to `derniere` set them: a
// player who met an opponent with fewer points (over the rounds before) has
// floated down, the opponent up. Every other mark is cleared. For when a
// round is undone or its players exchanged, since a mark is otherwise never
// cleared.
void recalculer_flottements(Tournoi& t, int derniere);

}  // namespace tavo
