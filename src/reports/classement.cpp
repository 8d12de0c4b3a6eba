#include <cstring>

#include "model/texte.h"
#include "reports/rapports.h"
#include "reports/tableau.h"
#include "standings/scores.h"

namespace tavo {
namespace {

std::string entete_colonnes(const Tournoi& t) {
    std::string texte = formater("%-3s - %-3s %-3.3s %-20s %-15s %3s", "Cl", cp("N°").c_str(),
                                 "Equ", "Nom", cp("Prénom").c_str(), "Pts");
    texte += "  ";
    for (int i = 0; i < t.entete.nb_departages; ++i)
        texte += "  " + std::string(t.entete.abrev_departages[i],
                                    strnlen(t.entete.abrev_departages[i], 3));
    return texte;
}

std::string ligne_joueur(const Tournoi& t, const Joueur& j, int rang) {
    std::string texte =
        formater("%3d - %3d %-3.3s %-20s %-15s %3d", rang, j.id, champ(j.equipe).c_str(),
                 champ(j.nom).c_str(), champ(j.prenom).c_str(), j.points);
    texte += "   ";
    for (int i = 0; i < t.entete.nb_departages; ++i) {
        const FonctionDepartage f = t.fonctions_departage[i];
        texte += formater("%3d ", f ? f(t, j) : 0);
    }
    return texte;
}

}  // namespace

void classement(Tournoi& t, Rapport& rapport) {
    const int n = derniere_ronde_complete(t);
    trier_classement(t);
    rapport.vider();
    rapport.titre("Classement");
    const std::string jeu = champ(t.entete.jeu);
    rapport.ligne("Tournoi : %-30s du %s", champ(t.entete.nom).c_str(),
                  champ(t.entete.date).c_str());
    if (n < t.entete.nb_rondes - 1)
        rapport.ligne(cp("Jeu : %-30s après la ronde n°%d").c_str(), jeu.c_str(), n + 1);
    else
        rapport.ligne("Jeu : %-30s   ***** CLASSEMENT FINAL *****", jeu.c_str());
    rapport.ajouter(" ");
    rapport.ajouter("Classement");
    rapport.ajouter(entete_colonnes(t));

    Tableau& tab = rapport.tableau();
    commencer_tableau(t,
                      n < t.entete.nb_rondes - 1
                          ? formater(cp("Après la ronde n°%d").c_str(), n + 1)
                          : "Classement final",
                      tab);
    tab.colonnes = {"Cl", cp("N°"), "Equ", "Nom", cp("Prénom"), "Pts"};
    for (int i = 0; i < t.entete.nb_departages; ++i)
        tab.colonnes.push_back(
            std::string(t.entete.abrev_departages[i], strnlen(t.entete.abrev_departages[i], 3)));

    const std::vector<int> rangs = rangs_classement(t);
    const int unite = unite_points(t.entete);
    for (int p = 1; p <= t.entete.nb_joueurs; ++p) {
        const Joueur& j = t.joueurs[p];
        const int rang = rangs[static_cast<std::size_t>(p)];
        rapport.ajouter(ligne_joueur(t, j, rang));
        std::vector<Cellule> cellules = {
            Cellule::de_nombre(rang),           Cellule::de_nombre(j.id),
            Cellule::de_texte(champ(j.equipe)), Cellule::de_texte(champ(j.nom)),
            Cellule::de_texte(champ(j.prenom)), Cellule::de_nombre(j.points, unite)};
        ajouter_departages(t, j, cellules);
        tab.lignes.push_back(std::move(cellules));
    }
}

}  // namespace tavo
