#include "model/accord.h"
#include "model/texte.h"
#include "reports/rapports.h"
#include "reports/tableau.h"

namespace tavo {
namespace {

bool a_des_details(const Tournoi& t) {
    for (const Joueur& j : t.joueurs)
        if (!j.club.empty() || !j.federation.empty() || j.fide_id != 0 || !j.titre.empty())
            return true;
    return false;
}

}  // namespace

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
    // The federation details only where a player has one, so that the
    // lists of other tournaments keep their columns.
    const bool details = a_des_details(t);
    if (details) tab.colonnes.insert(tab.colonnes.end(), {"Club", "Féd.", "FIDE", "Titre"});
    for (const Joueur& j : joueurs_par_numero(t)) {
        tab.lignes.push_back({Cellule::de_nombre(j.id), Cellule::de_texte(j.equipe),
                              Cellule::de_texte(j.actif ? "A" : "I"), Cellule::de_texte(j.nom),
                              Cellule::de_texte(j.prenom), Cellule::de_texte(j.fille ? "F" : "M"),
                              Cellule::de_texte(j.ne_le)});
        if (details)
            tab.lignes.back().insert(
                tab.lignes.back().end(),
                {Cellule::de_texte(j.club), Cellule::de_texte(j.federation),
                 Cellule::de_texte(j.fide_id != 0 ? std::to_string(j.fide_id) : std::string()),
                 Cellule::de_texte(j.titre)});
        rapport.ligne("%*d %-3s %c %-20.20s %-15.15s %c %s", w, j.id, j.equipe.c_str(),
                      j.actif ? 'A' : 'I', j.nom.c_str(), j.prenom.c_str(), j.fille ? 'F' : 'M',
                      j.ne_le.c_str());
    }
    return t.nb_joueurs() > 0;
}

}  // namespace tavo
