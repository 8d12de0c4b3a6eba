// The results of a round: storing one table's result (points, or Othello
// disc counts, with their checks) and the commit of the current round ("Tout
// Vérifier"). Tables and rounds are counted from 0 here, as in the pairing
// records; the director sees them from 1. The result of any round already
// paired may be corrected: it counts at once in the players' records, and
// the pairings already made stay as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo::gestion {

// The round of a table: the current one unless another is given.
inline constexpr int RONDE_COURANTE = -1;

// The results dialog's store of one table. White's points 2, 1 or 0 (black
// gets the rest of 2); std::nullopt (or any other value) leaves the table
// without result, its points as they were. Returns whether the table now has
// a result; false, nothing changed, for a table that does not exist. Sets
// modifie.
bool enregistrer_points(Tournoi& t, int table, std::optional<int> res_blanc,
                        int ronde = RONDE_COURANTE);

// The same for disc counts: the table has a result exactly when both are 0
// to 64 and they add up to 64; the points then follow from them (more discs
// 2, equal 1). Counts outside 0 to 64 are not stored (never cut to 8 bits):
// the table is then left without result.
bool enregistrer_pions(Tournoi& t, int table, int pions_blanc, int pions_noir,
                       int ronde = RONDE_COURANTE);

// The disc counts of one table as the director typed them in the results
// dialog: each 0 to 64 and adding up to 64, then stored as above; otherwise
// refused with the message (false, nothing changed).
bool saisir_pions(Tournoi& t, int table, int pions_blanc, int pions_noir, Interaction& io,
                  int ronde = RONDE_COURANTE);

// Both functions above also bring the table's two players' result and discs
// of the round up to date (0 and 0 while the table has no result), so that a
// round counts with the results entered, corrections included.

// The result of one table as the director types it, white first: the points
// 2-0, 1-1 or 0-2, or in an Othello tournament the disc counts (each 0 to 64,
// adding up to 64). `numero` is the table number shown (from 1), in round
// number `numero_ronde` (from 1; 0 for the current round). Refused, with the
// program's message and nothing changed, for a round or a table that does
// not exist or a result that does not fit the game. A result of an earlier
// round is followed by the sentence of correction_ronde_passee().
bool saisir_resultat(Tournoi& t, int numero, int blanc, int noir, Interaction& io,
                     int numero_ronde = 0);

// A forfeit at table `numero` of round `numero_ronde` (as saisir_resultat
// counts them): `forfait` names the side that did not come, or both. The
// present player wins, the absent one loses, both lose a double forfeit; the
// game was not played, so it gives no tie-break and the two may still meet.
// Refused as saisir_resultat refuses, and at the bye's table.
bool saisir_forfait(Tournoi& t, int numero, Forfait forfait, Interaction& io, int numero_ronde = 0);

// A forfeit needs a .tavo: false, with the message, for a tournament kept in
// a .pxi.
bool forfait_possible(const Tournoi& t, Interaction& io);

// The same from the results dialog (table and round from 0, no message):
// false, nothing changed, for a table that does not exist or the bye's.
bool enregistrer_forfait(Tournoi& t, int table, Forfait forfait, int ronde = RONDE_COURANTE);

// The players absent from the forfeit of a table who are still active, the
// ones to mark inactive for the next round (rendre_inactifs).
std::vector<int> absents_actifs(const Tournoi& t, int table, int ronde = RONDE_COURANTE);

// The players `ids` take no part in the next pairings until made active
// again. Sets modifie.
void rendre_inactifs(Tournoi& t, const std::vector<int>& ids);

// After a forfeit entered in the window: for each absent player still active,
// the director is asked whether he becomes inactive for the next rounds
// ("Forfait"), and those he answers Oui for do.
void proposer_inactifs(Tournoi& t, int table, Interaction& io, int ronde = RONDE_COURANTE);

// The sentence that tells the director that a result of an earlier round
// counts at once while the pairings already made stay as they are.
std::string correction_ronde_passee();

// Leaving a disc-count field: the count typed (read as the field's text) must
// be 0 to the game's total (64); the other side then has the rest.
// std::nullopt, with the message, otherwise.
std::optional<int> pions_restants(const Tournoi& t, std::string_view texte, Interaction& io);

// "Tout Vérifier": false with "Il me manque des résultats" while a table of
// the current round has no result; otherwise copies the round's results into
// the players' records and returns true. Sets modifie.
bool tout_verifier(Tournoi& t, Interaction& io);

// One table of the current round as the results dialog shows it.
struct TableRonde {
    int id_blanc = 0;  // ids, ID_QUALIFIE for the bye
    int id_noir = 0;
    std::string blanc;  // display names
    std::string noir;
    bool saisi = false;  // the table has a result
    int res_blanc = 0;   // points: 2, 1 or 0
    int res_noir = 0;
    int pions_blanc = 0;
    int pions_noir = 0;
    Forfait forfait = Forfait::aucun;  // who did not come, when the result is a forfeit
};

// "Saisir les résultats" needs a paired round with at least one table; false,
// with the message, otherwise.
bool saisie_possible(const Tournoi& t, Interaction& io);

// The tables of a round still without result, numbered from 0.
std::vector<int> tables_sans_resultat(const Tournoi& t, int ronde = RONDE_COURANTE);

// The number of tables of a round (0 before the first round).
int nb_tables(const Tournoi& t, int ronde = RONDE_COURANTE);
// Table `table` of a round; std::nullopt for a table that does not exist.
std::optional<TableRonde> table_ronde(const Tournoi& t, int table, int ronde = RONDE_COURANTE);

}  // namespace tavo::gestion
