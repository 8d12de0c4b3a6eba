#include "model/texte.h"
#include "reports/rapports.h"
#include "reports/tableau.h"

namespace tavo {

bool liste_joueurs(Tournoi& t, Rapport& rapport) {
    rapport.vider();
    rapport.titre("Liste des joueurs");
    rapport.ligne("Tournoi %s du %s, jeu : %s", champ(t.entete.nom).c_str(),
                  champ(t.entete.date).c_str(), champ(t.entete.jeu).c_str());
    rapport.ajouter(" ");
    rapport.ajouter("Liste des joueurs");
    rapport.ajouter(" ");
    rapport.ligne("Nombre de joueurs = %d", t.entete.nb_joueurs);
    rapport.ajouter(" ");
    rapport.ligne("IDX EQU E %-20s %-15s S NE(E) LE ", "NOM", "PRENOM");
    Tableau& tab = rapport.tableau();
    commencer_tableau(t,
                      t.entete.ronde_courante >= 0
                          ? formater(cp("Ronde n°%d").c_str(), t.entete.ronde_courante + 1)
                          : std::string(),
                      tab);
    tab.colonnes = {"IDX", "EQU", "E", "NOM", "PRENOM", "S", "NE(E) LE"};
    t.indexer_joueurs();
    for (int k = 1; k <= t.entete.nb_joueurs; ++k) {
        const Joueur& j = t.joueur(k);
        tab.lignes.push_back({Cellule::de_nombre(j.id), Cellule::de_texte(champ(j.equipe)),
                              Cellule::de_texte(j.actif ? "A" : "I"),
                              Cellule::de_texte(champ(j.nom)), Cellule::de_texte(champ(j.prenom)),
                              Cellule::de_texte(j.fille ? "F" : "M"),
                              Cellule::de_texte(champ(j.ne_le))});
        rapport.ligne("%3d %-3s %c %-20.20s %-15.15s %c %s", j.id, champ(j.equipe).c_str(),
                      j.actif ? 'A' : 'I', champ(j.nom).c_str(), champ(j.prenom).c_str(),
                      j.fille ? 'F' : 'M', champ(j.ne_le).c_str());
    }
    return t.entete.nb_joueurs > 0;
}

}  // namespace tavo
