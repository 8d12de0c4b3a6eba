// The team competition as the director runs it: the team result file of the
// tournament's game, and the final team classification of a folder.
#pragma once

#include <filesystem>
#include <optional>

#include "model/interaction.h"
#include "model/tournoi.h"
#include "reports/rapport.h"

namespace tavo::gestion {

// Writes "<jeu>.PXR" into `dossier` and returns its path; std::nullopt
// (message shown) on failure. The player table is left sorted in standings
// order.
std::optional<std::filesystem::path> ecrire_fichier_equipes(Tournoi& t,
                                                            const std::filesystem::path& dossier,
                                                            Interaction& io);

// Reads the team list and the team result files of `dossier` and fills
// `rapport` with the final team classification, headed with the name and
// date of `t`. False (message shown, `rapport` untouched) on failure.
bool classement_final_equipes(const Tournoi& t, const std::filesystem::path& dossier,
                              Rapport& rapport, Interaction& io);

}  // namespace tavo::gestion
