// Tournaments played by the program itself, for the seed corpora and the
// scratch files of the fuzz targets.
#pragma once

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo::fuzz {

// An Interaction that shows nothing and answers No.
class Muette : public Interaction {
  public:
    void message_erreur(const std::string& texte) override { erreurs.push_back(texte); }
    bool question(const std::string&, const std::string&) override { return false; }
    void information(const std::string&) override {}
    std::vector<std::string> erreurs;
};

// A tournament of `joueurs` registered players (names, birth dates, ratings,
// team codes ABC, DEF, GHI or none, some girls), no round paired yet.
std::unique_ptr<Tournoi> nouveau_tournoi(int joueurs, int rondes, const char* jeu,
                                         const std::vector<std::string>& departages);

// "Nouvelle Ronde" then, when `saisir`, a random result at every table and
// "Tout Vérifier". False when the round could not be paired.
bool jouer_ronde(Tournoi& t, std::mt19937& alea, bool saisir);

}  // namespace tavo::fuzz
