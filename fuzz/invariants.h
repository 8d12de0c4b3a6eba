// What must hold of every tournament the loader accepts, whatever the bytes
// it came from. The fuzz targets stop with a report at the first breach.
#pragma once

#include <string>
#include <string_view>

#include "model/tournoi.h"

namespace tavo::fuzz {

// The first invariant the tournament breaks, or "" when it keeps them all:
// counts within the capacities, one round a player for each round paired,
// ids 1..nb_joueurs each once and indexed, tie-break ids 0..5, table counts
// within what the players allow, every id in the tables a player or a
// special id.
std::string invariant_rompu(const Tournoi& t);

// Prints `quoi` with `detail` on stderr and aborts (libFuzzer records the
// input as a crash) when `detail` is not empty.
void exiger(const std::string& detail, std::string_view quoi);

}  // namespace tavo::fuzz
