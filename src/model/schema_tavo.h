// The schema of the tournament file (".tavo"), version by version.
#pragma once

#include <span>
#include <string_view>

namespace tavo {

// The steps that bring a tournament file to the version this program writes:
// step k turns a file of version k (its user_version) into one of version
// k + 1, so the program's version is the number of steps. A new version
// appends a step; a step once published never changes.
std::span<const std::string_view> etapes_schema_tavo();

}  // namespace tavo
