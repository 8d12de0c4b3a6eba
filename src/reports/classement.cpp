#include "model/texte.h"
#include "reports/rapports.h"
#include "reports/tableau.h"
#include "standings/scores.h"

namespace tavo {
namespace {

std::string entete_colonnes(const Tournoi& t) {
    std::string texte =
        formater("%-3s - %-3s %-3.3s %-20s %-15s %3s", "Cl", "N°", "Equ", "Nom", "Prénom", "Pts");
    texte += "  ";
    for (std::size_t i = 0; i < t.entete.departages.size(); ++i)
        texte += "  " + libelle_departage(t, static_cast<int>(i));
    return texte;
}

std::string ligne_joueur(const Joueur& j, const LigneClassement& l, int rang) {
    std::string texte = formater("%3d - %3d %-3.3s %-20s %-15s %3d", rang, j.id, j.equipe.c_str(),
                                 j.nom.c_str(), j.prenom.c_str(), l.points);
    texte += "   ";
    for (const int valeur : l.departages) texte += formater("%3d ", valeur);
    return texte;
}

}  // namespace

void classement(const Tournoi& t, Rapport& rapport) {
    const int n = derniere_ronde_complete(t);
    const Classement vue(t);
    rapport.vider();
    rapport.titre("Classement");
    const std::string jeu = t.entete.jeu;
    rapport.ligne("Tournoi : %-30s du %s", t.entete.nom.c_str(), t.entete.date.c_str());
    if (n < t.entete.nb_rondes - 1)
        rapport.ligne("Jeu : %-30s après la ronde n°%d", jeu.c_str(), n + 1);
    else
        rapport.ligne("Jeu : %-30s   ***** CLASSEMENT FINAL *****", jeu.c_str());
    rapport.ajouter(" ");
    rapport.ajouter("Classement");
    rapport.ajouter(entete_colonnes(t));

    Tableau& tab = rapport.tableau();
    commencer_tableau(
        t, n < t.entete.nb_rondes - 1 ? formater("Après la ronde n°%d", n + 1) : "Classement final",
        tab);
    tab.colonnes = {"Cl", "N°", "Equ", "Nom", "Prénom", "Pts"};
    for (std::size_t i = 0; i < t.entete.departages.size(); ++i)
        tab.colonnes.push_back(libelle_departage(t, static_cast<int>(i)));

    const std::vector<int> rangs = vue.rangs();
    const int unite = unite_points(t);
    for (std::size_t i = 0; i < vue.lignes().size(); ++i) {
        const LigneClassement& l = vue.lignes()[i];
        const Joueur& j = t.joueur(l.id);
        rapport.ajouter(ligne_joueur(j, l, rangs[i]));
        std::vector<Cellule> cellules = {
            Cellule::de_nombre(rangs[i]), Cellule::de_nombre(j.id),
            Cellule::de_texte(j.equipe),  Cellule::de_texte(j.nom),
            Cellule::de_texte(j.prenom),  Cellule::de_nombre(l.points, unite)};
        ajouter_departages(t, l, cellules);
        tab.lignes.push_back(std::move(cellules));
    }
}

}  // namespace tavo
