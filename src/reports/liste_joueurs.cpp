#include "model/accord.h"
#include "model/texte.h"
#include "reports/rapports.h"
#include "reports/tableau.h"

namespace tavo {
bool liste_joueurs(const Tournoi& t, Rapport& rapport) {
    rapport.vider();
    rapport.titre("Liste des joueurs");
    rapport.ligne("Tournoi %s du %s, jeu : %s", t.entete.nom.c_str(), t.entete.date.c_str(),
                  t.entete.jeu.c_str());
    rapport.ajouter(" ");
    rapport.ajouter("Liste des joueurs");
    rapport.ajouter(" ");
    rapport.ligne("Nombre de joueurs = %d", t.nb_joueurs());
    rapport.ajouter(" ");
    const int w = largeur_numeros(t);
    rapport.ligne("%-*s EQU E %-20s %-15s S NE(E) LE ", w, "IDX", "NOM", "PRENOM");
    Tableau& tab = rapport.tableau();
    commencer_tableau(t,
                      t.entete.ronde_courante >= 0
                          ? formater("Ronde n°%d", t.entete.ronde_courante + 1)
                          : std::string(),
                      tab);
    tab.colonnes = {"IDX", "EQU", "E", "NOM", "PRENOM", "S", "NE(E) LE"};
    const bool details = colonnes_federales(t, tab);
    for (const Joueur& j : joueurs_par_numero(t)) {
        tab.lignes.push_back({Cellule::de_nombre(j.id), Cellule::de_texte(j.equipe),
                              Cellule::de_texte(j.actif ? "A" : "I"), Cellule::de_texte(j.nom),
                              Cellule::de_texte(j.prenom), Cellule::de_texte(j.fille ? "F" : "M"),
                              Cellule::de_texte(j.ne_le)});
        if (details) ajouter_details_federaux(j, tab.lignes.back());
        rapport.ligne("%*d %-3s %c %-20.20s %-15.15s %c %s", w, j.id, j.equipe.c_str(),
                      j.actif ? 'A' : 'I', j.nom.c_str(), j.prenom.c_str(), j.fille ? 'F' : 'M',
                      j.ne_le.c_str());
    }
    return t.nb_joueurs() > 0;
}

}  // namespace tavo
