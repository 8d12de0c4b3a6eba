// What the tests share: an Interaction that records what the director would
// see, and builders of small tournaments.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo::test {

class InteractionTest : public Interaction {
  public:
    void message_erreur(const std::string& texte) override { erreurs.push_back(texte); }
    bool question(const std::string& titre, const std::string& texte) override {
        questions.push_back(titre + "|" + texte);
        return reponse;
    }
    void information(const std::string& texte) override { informations.push_back(texte); }

    std::vector<std::string> erreurs;
    std::vector<std::string> questions;
    std::vector<std::string> informations;
    bool reponse = true;
};

// A tournament of `n` active players named "NOMk" / "Prenomk", numbered in
// registration order, `rondes` rounds planned, tie-breaks by label ("BU"...);
// beyond 100 players it is not kept in a 1998 file (limites_1998 false).
Tournoi tournoi_avec_joueurs(int n, int rondes = 5,
                             const std::vector<std::string>& departages = {"BU"});

// Writes a game of round r at table `table`: white and black ids, white's
// points (2, 1, 0), discs for Othello; the table is entered and both players'
// opponents, colours, results and discs for the round are set. A `noir` of
// ID_QUALIFIE makes the bye of `blanc`. The round is opened when needed and
// gets at least table + 1 tables.
void poser_partie(Tournoi& t, int r, int table, int blanc, int noir, int res_blanc,
                  int pions_blanc = 0);

// Advances the tournament to round r (ronde_courante = r), the rounds up to
// it opened (empty when new).
void ouvrir_ronde(Tournoi& t, int r);

// A fresh, empty folder under the system's temporary folder.
std::filesystem::path dossier_temporaire();

// The whole content of a file ("" when it cannot be read).
std::string lire_fichier(const std::filesystem::path& chemin);
// Writes `octets` as the whole file.
void ecrire_fichier(const std::filesystem::path& chemin, const std::string& octets);

}  // namespace tavo::test
