// Scores over the complete rounds and the standings, as a view of a
// tournament that changes nothing; and the one place where the standings are
// applied to the tournament, as the 1998 program did at each ranking.
#pragma once

#include <array>
#include <vector>

#include "model/tournoi.h"

namespace tavo {

// Index of the last round whose tables all have a result; -1 when none.
int derniere_ronde_complete(const Tournoi& t);

// Every player's half-points over rounds 0..derniere_ronde_complete(), by
// number (entry 0 unused).
std::vector<int> points_par_numero(const Tournoi& t);

// One line of the standings: a player, his points and the values of the
// tie-breaks the tournament applies, in its order.
struct LigneClassement {
    int id = 0;
    int points = 0;
    std::vector<int> departages;
};

// The standings of a tournament: players by points, then by each tie-break
// in turn; players equal on all of them by increasing number.
class Classement {
  public:
    explicit Classement(const Tournoi& t);

    const std::vector<LigneClassement>& lignes() const { return lignes_; }
    // Whether lines i and i + 1 are equal on points and every tie-break.
    bool ex_aequo(std::size_t i) const;
    // The rank of each line: equal players share one (1, 2, 2, 4...).
    std::vector<int> rangs() const;
    // The line of player `id`.
    const LigneClassement& ligne(int id) const;

  private:
    std::vector<LigneClassement> lignes_;
    std::vector<int> ligne_de_;  // line of each number
};

// What the 1998 program did at every ranking (before a pairing, for the
// standings, the history and the team file): the players take the order of
// the standings and their points. The tournament file keeps both.
void appliquer_classement(Tournoi& t);

}  // namespace tavo
