// The reports a director asks for, by kind.
#pragma once

#include <filesystem>
#include <string>

#include "model/interaction.h"
#include "model/tournoi.h"
#include "reports/rapport.h"

namespace tavo::gestion {

enum class SorteRapport { appariements, classement, historique, joueurs, grille };

// The forms a report is published in: its text lines, an HTML page, a CSV
// file for spreadsheets.
enum class FormatRapport { texte, html, csv };

// Fills `rapport` with the report. False when there is nothing to show:
// the player list of a tournament without players (the report then holds
// its headings only).
bool produire_rapport(const Tournoi& t, SorteRapport sorte, Rapport& rapport);

// What showing a report does to the tournament, as the 1998 program did: the
// standings, the history and the crosstable rank the players, and the file
// keeps that order and those points (appliquer_classement).
void retenir_classement(Tournoi& t, SorteRapport sorte);

// The report in a form, as UTF-8 bytes. The text form is its lines, each
// ended by a line feed, as tavo-cli prints them.
std::string mettre_en_forme(const Rapport& rapport, FormatRapport format);

// Writes the report in a form to `chemin`, through a temporary file renamed
// over it: on failure (message shown, false) no half-written file is left.
// Never over a file the program reads, nor over `source`, the tournament
// file it was made from (sortie_permise).
bool exporter_rapport(const Rapport& rapport, FormatRapport format,
                      const std::filesystem::path& chemin, Interaction& io,
                      const std::filesystem::path& source = {});

// Builds the report of a kind and writes it; the tournament (and its player
// order) is not changed.
bool exporter_rapport(const Tournoi& t, SorteRapport sorte, FormatRapport format,
                      const std::filesystem::path& chemin, Interaction& io);

// The message of a file that cannot be written.
void refuser_ecriture(const std::filesystem::path& chemin, Interaction& io);

// Whether the window has something to show: the pairing sheet needs a
// paired round, the player list a player. False, with the message, otherwise.
bool rapport_a_montrer(const Tournoi& t, SorteRapport sorte, Interaction& io);

}  // namespace tavo::gestion
