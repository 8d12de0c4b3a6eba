#include "model/texte.h"
#include "reports/rapports.h"
#include "standings/scores.h"

namespace tavo {
namespace {

// One round of a player's games: opponent, colour letter, result, two blanks.
std::string case_ronde(const Tournoi& t, const Joueur& j, int r) {
    std::string texte;
    if (j.adversaires[r] == ID_FORFAIT)
        texte = "(F)";
    else if (j.adversaires[r] == ID_QUALIFIE)
        texte = "(Q)";
    else
        texte = formater("%3d", j.adversaires[r]);
    texte += j.couleurs[r] == BLANC ? 'B' : j.couleurs[r] == NOIR ? 'N' : '?';
    texte += std::to_string(t.entete.othello ? j.pions[r] : j.resultats[r]);
    texte += "  ";
    return texte;
}

}  // namespace

void historique(Tournoi& t, Rapport& rapport) {
    trier_classement(t);
    rapport.titre("Historique des rencontres");
    rapport.vider();
    rapport.ligne("Historique des rencontres, %s, ronde %d, ", champ(t.entete.jeu).c_str(),
                  t.entete.ronde_courante + 1);
    rapport.ajouter(" ");
    rapport.ajouter(" ");
    for (int p = 1; p <= t.entete.nb_joueurs; ++p) {
        const Joueur& j = t.joueurs[p];
        rapport.ligne("%3d %-30s %-15s %3d Pts", j.id, champ(j.nom).c_str(),
                      champ(j.prenom).c_str(), j.points);
        std::string parties;
        for (int r = 0; r <= t.entete.ronde_courante; ++r) parties += case_ronde(t, j, r);
        rapport.ajouter("      " + parties);
    }
}

}  // namespace tavo
