#include "model/texte.h"
#include "reports/rapports.h"
#include "reports/tableau.h"
#include "standings/scores.h"

namespace tavo {
namespace {

// One round of a player's games: opponent, colour letter, result, two blanks.
// For the table the result is written as the players count it, without the
// blanks.
// The opponent takes `largeur` characters.
std::string case_ronde(const Tournoi& t, const Joueur& j, int r, int largeur,
                       bool tableau = false) {
    const RondeJoueur& rj = j.rondes[static_cast<std::size_t>(r)];
    std::string texte;
    if (rj.adversaire == ID_FORFAIT)
        texte = formater("%*s", largeur, "(F)");
    else if (rj.adversaire == ID_QUALIFIE)
        texte = formater("%*s", largeur, "(Q)");
    else if (rj.adversaire == ID_ABSENCE)
        texte = formater("%*s", largeur, "(A)");
    else
        texte = formater("%*d", largeur, rj.adversaire);
    // A forfeit: "F+" or "F-" where the colour and the result go.
    if (rj.forfait) return texte + marque_forfait(rj) + (tableau ? "" : "  ");
    texte += rj.couleur == BLANC ? 'B' : rj.couleur == NOIR ? 'N' : '?';
    const int points = demi_points(rj.resultat);
    if (t.jeu().pions)
        texte += std::to_string(rj.pions);
    else if (tableau)
        return texte + texte_nombre(points, unite_points(t), FormePoints::texte);
    else
        texte += std::to_string(points);
    if (tableau) return texte;
    texte += "  ";
    return texte;
}

}  // namespace

void historique(const Tournoi& t, Rapport& rapport) {
    const Classement vue(t);
    rapport.titre("Historique des rencontres");
    rapport.vider();
    rapport.ligne("Historique des rencontres, %s, ronde %d, ", t.entete.jeu.c_str(),
                  t.entete.ronde_courante + 1);
    rapport.ajouter(" ");
    rapport.ajouter(" ");
    Tableau& tab = rapport.tableau();
    commencer_tableau(t, formater("Ronde n°%d", t.entete.ronde_courante + 1), tab);
    tab.colonnes = {"N°", "Nom", "Prénom", "Pts"};
    for (int r = 0; r <= t.entete.ronde_courante; ++r)
        tab.colonnes.push_back(formater("R%d", r + 1));
    const int w = largeur_numeros(t);
    for (const LigneClassement& l : vue.lignes()) {
        const Joueur& j = t.joueur(l.id);
        rapport.ligne("%*d %-30s %-15s %3d Pts", w, j.id, j.nom.c_str(), j.prenom.c_str(),
                      l.points);
        std::string parties;
        std::vector<Cellule> cellules = {Cellule::de_nombre(j.id), Cellule::de_texte(j.nom),
                                         Cellule::de_texte(j.prenom),
                                         Cellule::de_nombre(l.points, unite_points(t))};
        for (int r = 0; r <= t.entete.ronde_courante; ++r) {
            parties += case_ronde(t, j, r, w);
            std::string c = case_ronde(t, j, r, w, true);
            c.erase(0, c.find_first_not_of(' '));
            cellules.push_back(Cellule::de_texte(c));
        }
        rapport.ajouter("      " + parties);
        tab.lignes.push_back(std::move(cellules));
    }
}

}  // namespace tavo
