#include <algorithm>

#include "model/texte.h"
#include "reports/rapports.h"
#include "reports/tableau.h"
#include "standings/scores.h"

namespace tavo {
namespace {

// The widths of a line: player numbers and ranks, then each tie-break's
// values.
struct Largeurs {
    int numeros = 3;
    std::vector<int> departages;

    Largeurs(const Tournoi& t, const Classement& vue)
        : numeros(largeur_numeros(t)), departages(t.entete.departages.size(), 0) {
        for (const LigneClassement& l : vue.lignes())
            for (std::size_t i = 0; i < l.departages.size() && i < departages.size(); ++i)
                departages[i] = std::max(departages[i], l.departages[i]);
        for (int& largeur : departages) largeur = largeur_nombres(largeur);
    }
};

std::string entete_colonnes(const Tournoi& t, const Largeurs& largeurs) {
    const int w = largeurs.numeros;
    std::string texte = formater("%-*s - %-*s %-3.3s %-20s %-15s %3s", w, "Cl", w, "N°", "Equ",
                                 "Nom", "Prénom", "Pts");
    texte += "  ";
    for (std::size_t i = 0; i < t.entete.departages.size(); ++i)
        texte += std::string(static_cast<std::size_t>(largeurs.departages[i] - 1), ' ') +
                 libelle_departage(t, static_cast<int>(i));
    return texte;
}

std::string ligne_joueur(const Joueur& j, const LigneClassement& l, int rang,
                         const Largeurs& largeurs) {
    const int w = largeurs.numeros;
    std::string texte = formater("%*d - %*d %-3.3s %-20s %-15s %3d", w, rang, w, j.id,
                                 j.equipe.c_str(), j.nom.c_str(), j.prenom.c_str(), l.points);
    texte += "   ";
    for (std::size_t i = 0; i < l.departages.size(); ++i)
        texte += formater("%*d ", largeurs.departages[i], l.departages[i]);
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
    const Largeurs largeurs(t, vue);
    rapport.ajouter(entete_colonnes(t, largeurs));

    Tableau& tab = rapport.tableau();
    commencer_tableau(
        t, n < t.entete.nb_rondes - 1 ? formater("Après la ronde n°%d", n + 1) : "Classement final",
        tab);
    tab.colonnes = {"Cl", "N°", "Equ", "Nom", "Prénom", "Pts"};
    for (std::size_t i = 0; i < t.entete.departages.size(); ++i)
        tab.colonnes.push_back(libelle_departage(t, static_cast<int>(i)));
    const bool details = colonnes_federales(t, tab);

    const std::vector<int> rangs = vue.rangs();
    const int unite = unite_points(t);
    for (std::size_t i = 0; i < vue.lignes().size(); ++i) {
        const LigneClassement& l = vue.lignes()[i];
        const Joueur& j = t.joueur(l.id);
        rapport.ajouter(ligne_joueur(j, l, rangs[i], largeurs));
        std::vector<Cellule> cellules = {
            Cellule::de_nombre(rangs[i]), Cellule::de_nombre(j.id),
            Cellule::de_texte(j.equipe),  Cellule::de_texte(j.nom),
            Cellule::de_texte(j.prenom),  Cellule::de_nombre(l.points, unite)};
        ajouter_departages(t, l, cellules);
        if (details) ajouter_details_federaux(j, cellules);
        tab.lignes.push_back(std::move(cellules));
    }
}

}  // namespace tavo
