#include <cstring>

#include "model/texte.h"
#include "reports/rapports.h"
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

    int rang = 1;
    for (int p = 1; p <= t.entete.nb_joueurs; ++p) {
        rapport.ajouter(ligne_joueur(t, t.joueurs[p], rang));
        if (p < t.entete.nb_joueurs && comparer_classement(t, t.joueurs[p], t.joueurs[p + 1]) != 0)
            rang = p + 1;
    }
}

}  // namespace tavo
