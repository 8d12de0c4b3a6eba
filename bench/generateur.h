// Generated tournaments for the pairing benchmark and the tests of the
// pairing's speed: a seeded, machine-independent generator that registers
// players, plays every round through nouvelle_ronde (results with draws and
// upsets, Othello disc counts, withdrawals) and measures each pairing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/interaction.h"
#include "model/tournoi.h"
#include "pairing/appariement.h"

namespace tavo::banc {

// A small generator whose sequence is the same on every machine and library.
class Hasard {
  public:
    explicit Hasard(std::uint64_t graine) : etat_(graine) {}
    std::uint64_t suivant();
    int entre(int n) { return static_cast<int>(suivant() % static_cast<std::uint64_t>(n)); }
    bool chance(int pourcent) { return entre(100) < pourcent; }

  private:
    std::uint64_t etat_;
};

// What the director sees, kept for the caller.
class InteractionMuette : public Interaction {
  public:
    void message_erreur(const std::string& texte) override { erreurs.push_back(texte); }
    bool question(const std::string&, const std::string&) override { return true; }
    void information(const std::string& texte) override { informations.push_back(texte); }
    std::vector<std::string> erreurs;
    std::vector<std::string> informations;
};

struct Profil {
    std::uint64_t graine = 1;
    int joueurs = 20;
    int rondes = 15;
    bool othello = false;
    int nulles_pourcent = 20;
    int inactifs_depart = 0;   // players inactive from the first round on
    int abandons = 0;          // players who withdraw between two rounds
    int abandon_apres = -1;    // when >= 0, every withdrawal comes after this round index
    bool limites_1998 = true;  // kept in a 1998 file (100 players, 15 rounds at most)
};

// The tournament of a profile, no round paired: ratings in decreasing order
// with some noise, which is also each player's strength.
std::unique_ptr<Tournoi> creer_tournoi(const Profil& p, Hasard& h);

// Results for every table of the current round, then "Tout Vérifier".
void jouer_ronde(Tournoi& t, const Profil& p, Hasard& h);

struct Mesure {
    int ronde = 0;  // round index being paired
    int actifs = 0;
    bool appariee = false;     // nouvelle_ronde answered true
    bool secours = false;      // the fallback paired it
    bool interrompue = false;  // the node budget ran out
    std::int64_t noeuds = 0;
    double secondes = 0;  // the whole of nouvelle_ronde
    // Faults the independent pairing checker found in the round (strong
    // colours are checked unless the fallback paired it).
    std::vector<std::string> defauts;
};

// Plays the tournament round after round, pairing each with `options`, until
// the planned rounds are done or a round cannot be paired. `avant` (when
// given) is called with the tournament just before each pairing after the
// first. Returns one measure per pairing attempted.
std::vector<Mesure> jouer_tournoi(const Profil& p, const OptionsAppariement& options,
                                  const std::function<void(const Tournoi&)>& avant = {});

// n players (even) who have played a whole round robin over n - 1 rounds,
// every round complete: nobody can be paired any more.
std::unique_ptr<Tournoi> tournoi_sans_adversaire(int n, Hasard& h);

}  // namespace tavo::banc
