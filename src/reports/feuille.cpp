#include "reports/feuille.h"

#include <algorithm>

#include "model/texte.h"
#include "reports/tableau.h"

namespace tavo {
namespace {

bool joueur_inscrit(const Tournoi& t, int id) {
    return est_joueur(id) && t.existe(id);
}

std::string equipe(const Tournoi& t, int id) {
    return joueur_inscrit(t, id) ? t.joueur(id).equipe : std::string();
}

// A player's number; the bye and the forfeit, which are not players, show
// their name ("*QUALIFIE D'OFFICE*", "*FORFAIT*") without a number.
Cellule numero_cellule(int id) {
    return id < ID_SPECIAL ? Cellule::de_nombre(id) : Cellule::de_texte("");
}

}  // namespace

std::string nom_affiche(const Tournoi& t, int id) {
    if (id == ID_FORFAIT) return "*FORFAIT*";
    if (id == ID_QUALIFIE) return "*QUALIFIE D'OFFICE*";
    if (!joueur_inscrit(t, id)) return std::string();
    const Joueur& j = t.joueur(id);
    return j.nom + " " + j.prenom;
}

void afficher_appariements(const Tournoi& t, int numero, Rapport& rapport) {
    rapport.titre("Voir les appariements");
    rapport.vider();
    rapport.ligne("Tournoi : %-30s du %s", t.entete.nom.c_str(), t.entete.date.c_str());
    rapport.ligne("Jeu : %-30s, Ronde n°%d", t.entete.jeu.c_str(), numero);
    rapport.ajouter(" ");
    // Table numbers and player numbers widen from 1,000 on, and the
    // headings with them.
    const int r = numero - 1;
    const int tw = largeur_nombres(t.nb_tables(r));
    const int w = largeur_numeros(t);
    rapport.ajouter("Tab" + std::string(static_cast<std::size_t>(tw - 3), ' ') + "   BLANCS" +
                    std::string(static_cast<std::size_t>(37 + tw - 3 + w - 3), ' ') + "NOIRS");
    Tableau& tab = rapport.tableau();
    commencer_tableau(t, formater("Ronde n°%d", numero), tab);
    tab.titre = "Appariements";
    tab.colonnes = {"Tab", "N°", "Equ", "Blancs", "N°", "Equ", "Noirs"};
    for (int table = 0; table < t.nb_tables(r); ++table) {
        const Appariement& a =
            t.rondes[static_cast<std::size_t>(r)].tables[static_cast<std::size_t>(table)];
        rapport.ajouter(" ");
        rapport.ajouter(formater("%0*d (%*d/%-3s) %-25.25s  _ | _ (%*d/%-3s) %-25.25s", tw,
                                 table + 1, w, a.blanc, equipe(t, a.blanc).c_str(),
                                 nom_affiche(t, a.blanc).c_str(), w, a.noir,
                                 equipe(t, a.noir).c_str(), nom_affiche(t, a.noir).c_str()));
        rapport.ajouter(" ");
        tab.lignes.push_back({Cellule::de_nombre(table + 1), numero_cellule(a.blanc),
                              Cellule::de_texte(equipe(t, a.blanc)),
                              Cellule::de_texte(nom_affiche(t, a.blanc)), numero_cellule(a.noir),
                              Cellule::de_texte(equipe(t, a.noir)),
                              Cellule::de_texte(nom_affiche(t, a.noir))});
    }
    // The players who asked to miss the round, so that nobody looks for them
    // on the sheet.
    for (const Joueur& j : t.joueurs) {
        if (static_cast<std::size_t>(r) >= j.rondes.size() || j.ronde(r).adversaire != ID_ABSENCE)
            continue;
        const std::string points =
            j.ronde(r).resultat == Resultat::nulle ? "demi-point" : "sans point";
        rapport.ajouter(" ");
        rapport.ajouter(formater("%*s (%*d/%-3s) %-25.25s  absent à sa demande, %s", tw, "", w,
                                 j.id, j.equipe.c_str(), nom_affiche(t, j.id).c_str(),
                                 points.c_str()));
        tab.lignes.push_back({Cellule::de_texte(""), Cellule::de_nombre(j.id),
                              Cellule::de_texte(j.equipe), Cellule::de_texte(nom_affiche(t, j.id)),
                              Cellule::de_texte(""), Cellule::de_texte(""),
                              Cellule::de_texte("absent à sa demande, " + points)});
    }
}

}  // namespace tavo
