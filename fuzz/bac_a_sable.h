// The scratch folder of a fuzz target, one per process, emptied before every
// input: inside $TAVO_FUZZ_BAC when set, else in memory (/dev/shm) when the
// machine has it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tavo::fuzz {

const std::filesystem::path& bac_a_sable();
void vider_bac_a_sable();

// Splits `texte` at every occurrence of `separateur`.
std::vector<std::string> decouper(const std::string& texte, const std::string& separateur);

}  // namespace tavo::fuzz
