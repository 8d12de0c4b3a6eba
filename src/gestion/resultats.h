// The results of the current round: storing one table's result (points, or
// Othello disc counts, with their checks) and the commit of a complete round
// ("Tout Vérifier"). Tables are counted from 0 here, as in the pairing
// records; the director sees them from 1.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo::gestion {

// The results dialog's store of one table. White's points 2, 1 or 0 (black
// gets the rest of 2); std::nullopt (or any other value) leaves the table
// without result, its points as they were. Returns whether the table now has
// a result; false, nothing changed, for a table outside the current round.
// Sets modifie.
bool enregistrer_points(Tournoi& t, int table, std::optional<int> res_blanc);

// The same for disc counts: the table has a result exactly when both are 0
// to 64 and they add up to 64; the points then follow from them (more discs
// 2, equal 1). Counts outside 0 to 64 are not stored (never cut to 8 bits):
// the table is then left without result.
bool enregistrer_pions(Tournoi& t, int table, int pions_blanc, int pions_noir);

// Both functions above also bring the table's two players' result and discs
// of the round up to date (0 and 0 while the table has no result), so that a
// round counts with the results entered, corrections included.

// The result of one table as the director types it, white first: the points
// 2-0, 1-1 or 0-2, or in an Othello tournament the disc counts (each 0 to 64,
// adding up to 64). `numero` is the table number shown (from 1). Refused,
// with the program's message and nothing changed, for a table that does not
// exist or a result that does not fit the game.
bool saisir_resultat(Tournoi& t, int numero, int blanc, int noir, Interaction& io);

// Leaving a disc-count field: the count typed (read as the field's text) must
// be 0 to 64; the other side then has the rest of 64. std::nullopt, with the
// message, otherwise.
std::optional<int> pions_restants(std::string_view texte, Interaction& io);

// "Tout Vérifier": false with "Il me manque des résultats" while a table of
// the current round has no result; otherwise copies the round's results into
// the players' records and returns true. Sets modifie.
bool tout_verifier(Tournoi& t, Interaction& io);

// One table of the current round as the results dialog shows it.
struct TableRonde {
    std::string blanc;  // display names (Windows-1252)
    std::string noir;
    bool saisi = false;  // the table has a result
    int res_blanc = 0;
    int res_noir = 0;
    int pions_blanc = 0;
    int pions_noir = 0;
};

// "Saisir les résultats" needs a paired round with at least one table; false,
// with the message, otherwise.
bool saisie_possible(const Tournoi& t, Interaction& io);

// The number of tables of the current round (0 before the first round).
int nb_tables(const Tournoi& t);
// Table `table` of the current round; std::nullopt for a table that does not
// exist.
std::optional<TableRonde> table_ronde(const Tournoi& t, int table);

}  // namespace tavo::gestion
