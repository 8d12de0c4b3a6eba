// The tournament report file of chess federations (FIDE TRF, 2016 layout):
// "Exporter au format TRF" and tavo-cli exporter-trf.
#pragma once

#include <filesystem>
#include <string>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo::gestion {

// The file's text (Windows-1252, one byte a column): the tournament's header
// lines, then one "001" line per player in number order with sex, name,
// rating, birth date, points, rank and each complete round (opponent,
// colour, result). Points are counted 1, 1/2, 0 and agree with the rounds.
// Games other than chess name the game in the "092" line.
std::string texte_trf(const Tournoi& t);

// Writes texte_trf to `chemin` through a temporary file; the tournament is
// not changed. False (message shown, no file left) when it cannot be written.
bool exporter_trf(const Tournoi& t, const std::filesystem::path& chemin, Interaction& io,
                  const std::filesystem::path& source = {});

}  // namespace tavo::gestion
