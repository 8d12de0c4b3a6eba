// The listing reports: standings, history and player list built from the
// player records, and the final team classification.
#pragma once

#include <string>

#include "model/tournoi.h"
#include "reports/rapport.h"
#include "teams/equipes.h"

namespace tavo {

// A game not played, as the reports write it after the opponent's number:
// "F+" for the present player's win, "F-" for the absent's loss.
inline std::string marque_forfait(const RondeJoueur& rj) {
    return rj.resultat == Resultat::gain ? "F+" : "F-";
}

// Standings: every player in standings order with rank, score and the value
// of each selected tie-break.
void classement(const Tournoi& t, Rapport& rapport);

// Every player's games round by round, in standings order.
void historique(const Tournoi& t, Rapport& rapport);

// The crosstable: one line per player in standings order with rank (shared
// as in the standings), number, name, rating, team, each complete round
// (opponent's number, colour, result), then points and tie-breaks in the
// unit of the points as the game counts them.
void grille(const Tournoi& t, Rapport& rapport);

// The registered players in number order. Returns false when there is none
// (the report then holds its headings only).
bool liste_joueurs(const Tournoi& t, Rapport& rapport);

// The final team classification; `entete` gives the tournament name and date
// of its heading.
void classement_equipes(const EnteteTournoi& entete, const ClassementEquipes& classement,
                        Rapport& rapport);

}  // namespace tavo
