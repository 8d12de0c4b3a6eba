// The crosstable: one line per player in standings order with, round by
// round, the opponent's number, the colour and the result.
#include "model/texte.h"
#include "reports/rapports.h"
#include "reports/tableau.h"
#include "standings/scores.h"

namespace tavo {
namespace {

// A round of a player: the opponent's number, colour and result ("+", "=",
// "-"; the disc count for Othello), or "F+" / "F-" after the number for a
// forfeit; "F" for a round not played (inactive), "Q" for the bye, "A=" and
// "A-" for a round the player asked to miss with half a point or none, empty
// for a round not paired.
std::string case_grille(const Tournoi& t, const Joueur& j, int r) {
    const RondeJoueur& rj = j.rondes[static_cast<std::size_t>(r)];
    const int adversaire = rj.adversaire;
    if (adversaire == ID_FORFAIT) return "F";
    if (adversaire == ID_QUALIFIE) return "Q";
    if (adversaire == ID_ABSENCE) return rj.resultat == Resultat::nulle ? "A=" : "A-";
    if (!est_joueur(adversaire) || !t.existe(adversaire)) return "";
    std::string texte = std::to_string(adversaire);
    if (rj.forfait) return texte + marque_forfait(rj);
    texte += rj.couleur == BLANC ? 'B' : rj.couleur == NOIR ? 'N' : '?';
    if (t.jeu().pions)
        texte += std::to_string(rj.pions);
    else
        texte += rj.resultat == Resultat::gain ? "+" : rj.resultat == Resultat::nulle ? "=" : "-";
    return texte;
}

}  // namespace

void grille(const Tournoi& t, Rapport& rapport) {
    const int n = derniere_ronde_complete(t);
    const Classement vue(t);
    rapport.vider();
    rapport.titre("Grille américaine");
    const std::string jeu = t.entete.jeu;
    const std::string ronde = n < t.entete.nb_rondes - 1 ? formater("Après la ronde n°%d", n + 1)
                                                         : std::string("Classement final");
    const int unite = unite_points(t);
    rapport.ligne("Tournoi : %-30s du %s", t.entete.nom.c_str(), t.entete.date.c_str());
    rapport.ligne("Jeu : %-30s %s", jeu.c_str(), ronde.c_str());
    rapport.ajouter(" ");
    rapport.ajouter("Grille américaine");
    // A round's cell holds the opponent's number and three characters more.
    const int w = largeur_numeros(t);
    std::string colonnes =
        formater("%*s %*s %-30s %4s %-3s ", w, "Cl", w, "N°", "Nom Prénom", "Elo", "Equ");
    for (int r = 0; r <= n; ++r)
        colonnes += formater(" %*s", w + 3, formater("R%d", r + 1).c_str());
    colonnes += formater(" %5s", "Pts");
    const int nb_departages = static_cast<int>(t.entete.departages.size());
    for (int i = 0; i < nb_departages; ++i)
        colonnes += formater(" %4s", libelle_departage(t, i).c_str());
    rapport.ajouter(colonnes);

    Tableau& tab = rapport.tableau();
    commencer_tableau(t, ronde, tab);
    tab.colonnes = {"Cl", "N°", "Nom Prénom", "Elo", "Equ"};
    for (int r = 0; r <= n; ++r) tab.colonnes.push_back(formater("R%d", r + 1));
    tab.colonnes.push_back("Pts");
    for (int i = 0; i < nb_departages; ++i) tab.colonnes.push_back(libelle_departage(t, i));

    const std::vector<int> rangs = vue.rangs();
    for (std::size_t i = 0; i < vue.lignes().size(); ++i) {
        const LigneClassement& l = vue.lignes()[i];
        const Joueur& j = t.joueur(l.id);
        const int rang = rangs[i];
        const std::string nom = j.nom + " " + j.prenom;
        // A player without a rating has an empty Elo.
        const std::string elo = j.elo > 0 ? std::to_string(j.elo) : std::string();
        std::string ligne = formater("%*d %*d %-30.30s %4s %-3.3s ", w, rang, w, j.id, nom.c_str(),
                                     elo.c_str(), j.equipe.c_str());
        std::vector<Cellule> cellules = {
            Cellule::de_nombre(rang), Cellule::de_nombre(j.id), Cellule::de_texte(nom),
            j.elo > 0 ? Cellule::de_nombre(j.elo) : Cellule::de_texte(""),
            Cellule::de_texte(j.equipe)};
        for (int r = 0; r <= n; ++r) {
            const std::string c = case_grille(t, j, r);
            ligne += formater(" %*s", w + 3, c.c_str());
            cellules.push_back(Cellule::de_texte(c));
        }
        cellules.push_back(Cellule::de_nombre(l.points, unite));
        ajouter_departages(t, l, cellules);
        // The points and tie-breaks as their cells write them.
        const std::size_t premier = cellules.size() - 1 - t.entete.departages.size();
        for (std::size_t k = premier; k < cellules.size(); ++k)
            ligne += formater(
                k == premier ? " %5s" : " %4s",
                texte_nombre(cellules[k].valeur, cellules[k].diviseur, FormePoints::texte).c_str());
        rapport.ajouter(ligne);
        tab.lignes.push_back(std::move(cellules));
    }
}

}  // namespace tavo
