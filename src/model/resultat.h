// The result of a game for one player.
#pragma once

#include <cstdint>

namespace tavo {

enum class Resultat : std::uint8_t {
    aucun,  // not entered yet (or not played)
    perte,
    nulle,
    gain,
};

// The points of a result in half-points: a win 2, a draw 1, a loss or no
// result 0 (the points of every game are counted so; the exports show them
// in the game's own unit, see Jeu).
inline int demi_points(Resultat r) {
    return r == Resultat::gain ? 2 : r == Resultat::nulle ? 1 : 0;
}

// The opponent's result.
inline Resultat oppose(Resultat r) {
    return r == Resultat::gain ? Resultat::perte : r == Resultat::perte ? Resultat::gain : r;
}

// The result of half-points 2, 1 or 0 (as the 1998 records and the command
// line write them); anything else is no result.
inline Resultat resultat_de(int demi) {
    return demi == 2   ? Resultat::gain
           : demi == 1 ? Resultat::nulle
           : demi == 0 ? Resultat::perte
                       : Resultat::aucun;
}

}  // namespace tavo
