// The tournament report file of chess federations (FIDE TRF, 2016 layout):
// "Exporter au format TRF" and tavo-cli exporter-trf.
#pragma once

#include <filesystem>
#include <string>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo::gestion {

// The character set of the file: UTF-8, which the programs reading TRF files
// expect, or Windows-1252 for older ones. Columns count characters in both.
enum class EncodageTrf { utf8, cp1252 };

// The file's text: the tournament's header lines, then one "001" line per
// player in number order with sex, name, rating, birth date, points, rank
// and each complete round (opponent, colour, result; "0000" as the opponent
// of a bye or a round not played). Points are counted 1, 1/2, 0 and agree
// with the rounds. A date that is not a real day of the calendar is left
// blank. Games other than chess name the game in the "092" line.
std::string texte_trf(const Tournoi& t, EncodageTrf encodage = EncodageTrf::utf8);

// Writes texte_trf to `chemin` through a temporary file; the tournament is
// not changed. False (message shown, no file left) when it cannot be written,
// or when `chemin` is a file the program reads or `source`, the tournament
// file (sortie_permise).
bool exporter_trf(const Tournoi& t, const std::filesystem::path& chemin, Interaction& io,
                  EncodageTrf encodage = EncodageTrf::utf8,
                  const std::filesystem::path& source = {});

}  // namespace tavo::gestion
