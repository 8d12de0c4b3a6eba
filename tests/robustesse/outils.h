// Tools of the robustness tests: whole-file reads and writes, and running a
// step in a child process (to kill it, to limit it or to give it a mount
// namespace of its own without touching the test runner).
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "support/dossier_test.h"
#include "support/tournoi_test.h"

namespace tavo::test {

// How a child process ended and what it wrote into its pipe.
struct FinEnfant {
    bool tue = false;  // ended by a signal
    int signal = 0;
    int code = -1;  // exit status when not killed
    std::string sortie;
};

// Runs `etape` in a forked child; its returned text comes back in `sortie`.
// The child never returns into the test program.
FinEnfant dans_un_enfant(const std::function<std::string()>& etape);

}  // namespace tavo::test
