// The rules of a pair of players, as the search, its exact cuts and the
// fallback all apply them: the hard rules (never the same opponent twice nor
// a forbidden pair, never the bye twice, never against a strongly due colour) and the penalty
// of a pair. Penalties are negative, 0 for a perfect pair.
#pragma once

#include <algorithm>
#include <optional>
#include <utility>

#include "model/tournoi.h"

namespace tavo {

inline constexpr int PENALITE_COULEUR = -50;    // a player does not get his due (weak) colour
inline constexpr int PENALITE_POINT = -80;      // per half-point between the two opponents
inline constexpr int PENALITE_FLOTTEUR = -300;  // per player floating twice the same way

// Bits of a colour due (couleur_due in recherche.h): the colour in the low
// four bits, 0xF0 when it is strong.
inline constexpr int COULEUR_FORTE = 0xF0;

inline bool couleur_forte(int due) {
    return (due & COULEUR_FORTE) != 0;
}
inline int couleur_de(int due) {
    return due & 0x0F;
}
inline int autre_couleur(int couleur) {
    return couleur == BLANC ? NOIR : BLANC;
}

// True when player `j`'s record shows `autre` (a player id, or ID_QUALIFIE
// for the bye) as his opponent in a round from 0 to `derniere`. A game lost
// or won by forfeit was not played: the two may still meet.
inline bool a_rencontre(const Joueur& j, int autre, int derniere) {
    for (int r = 0; r <= derniere && static_cast<std::size_t>(r) < j.rondes.size(); ++r) {
        const RondeJoueur& rj = j.rondes[static_cast<std::size_t>(r)];
        if (rj.adversaire == autre && !rj.forfait) return true;
    }
    return false;
}

// True when the director forbade players `a` and `b` to meet: such a pair is
// never made, as a rematch is not.
inline bool appariement_interdit(const Tournoi& t, int a, int b) {
    if (t.interdits.empty()) return false;
    const auto [petit, grand] = std::minmax(a, b);
    return std::binary_search(t.interdits.begin(), t.interdits.end(), std::pair{petit, grand});
}

// The score part of a pair, whoever is placed first: 80 per half-point
// between the two, and 300 for each of them who would float the same way a
// second time (the higher one down, the lower one up). 0 for equal scores.
inline int penalite_ecart(const Joueur& a, const Joueur& b) {
    if (a.points == b.points) return 0;
    const Joueur& haut = a.points > b.points ? a : b;
    const Joueur& bas = a.points > b.points ? b : a;
    int p = PENALITE_POINT * (haut.points - bas.points);
    if (haut.flotte_bas) p += PENALITE_FLOTTEUR;
    if (bas.flotte_haut) p += PENALITE_FLOTTEUR;
    return p;
}

// The colour part when a player due `due_e` meets one who plays `couleur`:
// 0 when he gets his due colour, 50 when he does not and it is weak;
// std::nullopt when it is strong (the pair is not made).
inline std::optional<int> penalite_couleur_adversaire(int couleur, int due_e) {
    if (couleur_de(due_e) != couleur) return 0;
    if (couleur_forte(due_e)) return std::nullopt;
    return PENALITE_COULEUR;
}

// The colour part of a pair whoever is placed first: 0 for different due
// colours, 50 for the same one (one of them does without it), std::nullopt
// when both are strongly due it.
inline std::optional<int> penalite_couleur_paire(int due_a, int due_b) {
    if (couleur_de(due_a) != couleur_de(due_b)) return 0;
    if (couleur_forte(due_a) && couleur_forte(due_b)) return std::nullopt;
    return PENALITE_COULEUR;
}

}  // namespace tavo
