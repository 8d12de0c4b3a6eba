// What the reports share to build their table form, and the writers of a
// report's table as an HTML page or a CSV file (both UTF-8).
#pragma once

#include <string>
#include <vector>

#include "model/tournoi.h"
#include "reports/rapport.h"
#include "standings/scores.h"

namespace tavo {

// How many half-points make one point as the players of the game count
// them: 1 for draughts, counted 2, 1, 0 as the half-points are; 2 for the
// other games, counted 1, 1/2, 0.
int unite_points(const Tournoi& t);

// The same for the value of the i-th tie-break the tournament applies, so
// that it is written in the unit of the points: Bucholz, median Bucholz and
// cumulative are sums of points (unite_points); Sonneborn-Berger adds twice
// a beaten opponent's points and once a drawn one's (twice unite_points);
// the number of wins and the discs taken are counts (1).
int unite_departage(const Tournoi& t, int i);

// The federation details a table shows (club, federation, FIDE ID, title),
// only when a player of the tournament has one, so that the tables of other
// tournaments keep their columns: adds their columns to the table when it
// should, and returns whether it did.
bool colonnes_federales(const Tournoi& t, Tableau& tableau);
// Appends the player's cells under those columns.
void ajouter_details_federaux(const Joueur& j, std::vector<Cellule>& cellules);

// Appends a cell for each tie-break of a line of the standings, each in the
// unit of the points.
void ajouter_departages(const Tournoi& t, const LigneClassement& ligne,
                        std::vector<Cellule>& cellules);

// The width of a text column of numbers up to `plus_grand`: the 3
// characters of 1998, one more for each digit beyond (numbers from 1,000 on).
int largeur_nombres(int plus_grand);
// The width of the columns of player numbers and ranks of a tournament.
int largeur_numeros(const Tournoi& t);

// The label ("BU"...) of the i-th tie-break the tournament applies.
std::string libelle_departage(const Tournoi& t, int i);

// Starts the table of a tournament's report: its heading lines (name and
// date, game, then `ronde`, e.g. "Ronde n°3").
void commencer_tableau(const Tournoi& t, const std::string& ronde, Tableau& tableau);

// A value counted in units of 1/diviseur (1, 2 or 4): "3½", "½", "9¼", "4"
// in HTML; "3,5", "0,5", "9,25" in CSV (numbers a French spreadsheet reads);
// Windows-1252 "3½" for text.
enum class FormePoints { texte, html, csv };
std::string texte_nombre(int valeur, int diviseur, FormePoints forme);

// The report's table as one standalone UTF-8 HTML page: heading, a <table>
// with its header row, an inline stylesheet for screen, phone and A4 print.
std::string ecrire_html(const Rapport& rapport);

// What a page served to the players adds around the same table: HTML put in
// the head, before the heading and after the table. Each is written as it
// stands, so the caller escapes every text it puts there.
struct Habillage {
    std::string tete;
    std::string avant;
    std::string apres;
};
std::string ecrire_html(const Tableau& tableau, const std::string& titre,
                        const Habillage& habillage);

// A text made safe for HTML, in its content or in a double-quoted attribute:
// & < > " written as entities.
std::string echapper_html(const std::string& utf8);

// The report's table as CSV for French spreadsheets: ';' separator, UTF-8
// with a byte-order mark, CR LF line ends, one header row, quotes where
// needed. A text a spreadsheet would run as a formula is written with a
// leading apostrophe.
std::string ecrire_csv(const Rapport& rapport);

}  // namespace tavo
