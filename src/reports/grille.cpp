// The crosstable: one line per player in standings order with, round by
// round, the opponent's number, the colour and the result.
#include <cstring>

#include "model/texte.h"
#include "reports/rapports.h"
#include "reports/tableau.h"
#include "standings/scores.h"

namespace tavo {
namespace {

// A round of a player: the opponent's number, colour and result ("+", "=",
// "-"; the disc count for Othello); "F" for a round not played (inactive),
// "Q" for the bye, empty for a round not paired.
std::string case_grille(const Tournoi& t, const Joueur& j, int r) {
    const int adversaire = j.adversaires[r];
    if (adversaire == ID_FORFAIT) return "F";
    if (adversaire == ID_QUALIFIE) return "Q";
    if (!est_joueur(static_cast<std::int16_t>(adversaire)) || adversaire > t.entete.nb_joueurs)
        return "";
    std::string texte = std::to_string(adversaire);
    texte += j.couleurs[r] == BLANC ? 'B' : j.couleurs[r] == NOIR ? 'N' : '?';
    if (t.entete.othello)
        texte += std::to_string(j.pions[r]);
    else
        texte += j.resultats[r] == 2 ? "+" : j.resultats[r] == 1 ? "=" : "-";
    return texte;
}

std::string abreviation(const Tournoi& t, int i) {
    return std::string(t.entete.abrev_departages[i], strnlen(t.entete.abrev_departages[i], 3));
}

}  // namespace

void grille(Tournoi& t, Rapport& rapport) {
    const int n = derniere_ronde_complete(t);
    trier_classement(t);
    rapport.vider();
    rapport.titre(cp("Grille américaine"));
    const std::string jeu = champ(t.entete.jeu);
    const std::string ronde = n < t.entete.nb_rondes - 1
                                  ? formater(cp("Après la ronde n°%d").c_str(), n + 1)
                                  : std::string("Classement final");
    const int unite = unite_points(t.entete);
    rapport.ligne("Tournoi : %-30s du %s", champ(t.entete.nom).c_str(),
                  champ(t.entete.date).c_str());
    rapport.ligne("Jeu : %-30s %s", jeu.c_str(), ronde.c_str());
    rapport.ajouter(" ");
    rapport.ajouter(cp("Grille américaine"));
    std::string colonnes = formater("%3s %3s %-30s %4s %-3s ", "Cl", cp("N°").c_str(),
                                    cp("Nom Prénom").c_str(), "Elo", "Equ");
    for (int r = 0; r <= n; ++r) colonnes += formater(" %6s", formater("R%d", r + 1).c_str());
    colonnes += formater(" %5s", "Pts");
    for (int i = 0; i < t.entete.nb_departages; ++i)
        colonnes += formater(" %4s", abreviation(t, i).c_str());
    rapport.ajouter(colonnes);

    Tableau& tab = rapport.tableau();
    commencer_tableau(t, ronde, tab);
    tab.colonnes = {"Cl", cp("N°"), cp("Nom Prénom"), "Elo", "Equ"};
    for (int r = 0; r <= n; ++r) tab.colonnes.push_back(formater("R%d", r + 1));
    tab.colonnes.push_back("Pts");
    for (int i = 0; i < t.entete.nb_departages; ++i) tab.colonnes.push_back(abreviation(t, i));

    const std::vector<int> rangs = rangs_classement(t);
    for (int p = 1; p <= t.entete.nb_joueurs; ++p) {
        const Joueur& j = t.joueurs[p];
        const int rang = rangs[static_cast<std::size_t>(p)];
        const std::string nom = champ(j.nom) + " " + champ(j.prenom);
        // A player without a rating has an empty Elo.
        const std::string elo = j.elo > 0 ? std::to_string(j.elo) : std::string();
        std::string ligne = formater("%3d %3d %-30.30s %4s %-3.3s ", rang, j.id, nom.c_str(),
                                     elo.c_str(), champ(j.equipe).c_str());
        std::vector<Cellule> cellules = {
            Cellule::de_nombre(rang), Cellule::de_nombre(j.id), Cellule::de_texte(nom),
            j.elo > 0 ? Cellule::de_nombre(j.elo) : Cellule::de_texte(""),
            Cellule::de_texte(champ(j.equipe))};
        for (int r = 0; r <= n; ++r) {
            const std::string c = case_grille(t, j, r);
            ligne += formater(" %6s", c.c_str());
            cellules.push_back(Cellule::de_texte(c));
        }
        cellules.push_back(Cellule::de_nombre(j.points, unite));
        ajouter_departages(t, j, cellules);
        // The points and tie-breaks as their cells write them; "½" is one
        // byte in Windows-1252, so the widths count characters.
        const std::size_t premier = cellules.size() - 1 - t.entete.nb_departages;
        for (std::size_t k = premier; k < cellules.size(); ++k)
            ligne += formater(
                k == premier ? " %5s" : " %4s",
                texte_nombre(cellules[k].valeur, cellules[k].diviseur, FormePoints::texte).c_str());
        rapport.ajouter(ligne);
        tab.lignes.push_back(std::move(cellules));
    }
}

}  // namespace tavo
