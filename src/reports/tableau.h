// What the reports share to build their table form, and the writers of a
// report's table as an HTML page or a CSV file (both UTF-8).
#pragma once

#include <string>
#include <vector>

#include "model/tournoi.h"
#include "reports/rapport.h"

namespace tavo {

// False for draughts ("Dames"), whose players count 2, 1, 0 per game as the
// records do; true for the other games, counted 1, 1/2, 0.
bool demi_points(const EnteteTournoi& entete);

// The rank of each position 1..nb_joueurs of a table sorted in standings
// order (entry 0 unused): players equal on points and every tie-break share
// a rank (1, 2, 2, 4...).
std::vector<int> rangs_classement(const Tournoi& t);

// Starts the table of a tournament's report: its heading lines (name and
// date, game, then `ronde`, e.g. "Ronde n°3") and its way of counting points.
void commencer_tableau(const Tournoi& t, const std::string& ronde, Tableau& tableau);

// Points as the players of the game count them: "3½", "½", "4" in HTML;
// "3,5" in CSV (a number a French spreadsheet reads); Windows-1252 "3½" for
// text.
enum class FormePoints { texte, html, csv };
std::string texte_points(int valeur, bool demi, FormePoints forme);

// The report's table as one standalone UTF-8 HTML page: heading, a <table>
// with its header row, an inline stylesheet for screen and A4 print.
std::string ecrire_html(const Rapport& rapport);

// The report's table as CSV for French spreadsheets: ';' separator, UTF-8
// with a byte-order mark, CR LF line ends, one header row, quotes where
// needed.
std::string ecrire_csv(const Rapport& rapport);

}  // namespace tavo
