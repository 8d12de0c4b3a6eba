#include "model/texte.h"
#include "reports/rapports.h"
#include "reports/tableau.h"
#include "standings/scores.h"

namespace tavo {
namespace {

// One round of a player's games: opponent, colour letter, result, two blanks.
// For the table the result is written as the players count it, without the
// blanks.
std::string case_ronde(const Tournoi& t, const Joueur& j, int r, bool tableau = false) {
    std::string texte;
    if (j.adversaires[r] == ID_FORFAIT)
        texte = "(F)";
    else if (j.adversaires[r] == ID_QUALIFIE)
        texte = "(Q)";
    else
        texte = formater("%3d", j.adversaires[r]);
    texte += j.couleurs[r] == BLANC ? 'B' : j.couleurs[r] == NOIR ? 'N' : '?';
    if (t.entete.othello)
        texte += std::to_string(j.pions[r]);
    else if (tableau)
        return texte + texte_nombre(j.resultats[r], unite_points(t.entete), FormePoints::texte);
    else
        texte += std::to_string(j.resultats[r]);
    if (tableau) return texte;
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
    Tableau& tab = rapport.tableau();
    commencer_tableau(t, formater(cp("Ronde n°%d").c_str(), t.entete.ronde_courante + 1), tab);
    tab.colonnes = {cp("N°"), "Nom", cp("Prénom"), "Pts"};
    for (int r = 0; r <= t.entete.ronde_courante; ++r)
        tab.colonnes.push_back(formater("R%d", r + 1));
    for (int p = 1; p <= t.entete.nb_joueurs; ++p) {
        const Joueur& j = t.joueurs[p];
        rapport.ligne("%3d %-30s %-15s %3d Pts", j.id, champ(j.nom).c_str(),
                      champ(j.prenom).c_str(), j.points);
        std::string parties;
        std::vector<Cellule> cellules = {Cellule::de_nombre(j.id), Cellule::de_texte(champ(j.nom)),
                                         Cellule::de_texte(champ(j.prenom)),
                                         Cellule::de_nombre(j.points, unite_points(t.entete))};
        for (int r = 0; r <= t.entete.ronde_courante; ++r) {
            parties += case_ronde(t, j, r);
            std::string c = case_ronde(t, j, r, true);
            c.erase(0, c.find_first_not_of(' '));
            cellules.push_back(Cellule::de_texte(c));
        }
        rapport.ajouter("      " + parties);
        tab.lignes.push_back(std::move(cellules));
    }
}

}  // namespace tavo
