// Where a report or an export may be written: never over a file that the
// program reads.
#pragma once

#include <filesystem>

#include "model/interaction.h"

namespace tavo::gestion {

// False, with the message, when `sortie` is a tournament file (".pxi",
// ".tavo"), a
// team result file (".PXR"), the team list "equipes.txt" (whatever the case
// of their letters, and also through a symbolic link), or the very file
// `source` the report was made from (under any name).
bool sortie_permise(const std::filesystem::path& sortie, const std::filesystem::path& source,
                    Interaction& io);

}  // namespace tavo::gestion
