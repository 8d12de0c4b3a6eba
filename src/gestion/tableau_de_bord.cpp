#include "gestion/tableau_de_bord.h"

#include <algorithm>

#include "gestion/resultats.h"
#include "gestion/verifications.h"
#include "model/accord.h"
#include "model/texte.h"
#include "reports/feuille.h"
#include "reports/tableau.h"
#include "standings/scores.h"

namespace tavo::gestion {
namespace {

std::string points_texte(const Tournoi& t, int demis) {
    return texte_nombre(demis, unite_points(t), FormePoints::texte);
}

// The points of a player before round r, "" for the bye's side.
std::string points_avant(const Tournoi& t, int id, int r) {
    if (!est_joueur(id) || !t.existe(id)) return "";
    return points_texte(t, points_jusqu_a(t.joueur(id), r - 1));
}

// The name (or number) contains the text searched, case and accents ignored.
bool trouve(const Joueur& j, std::string_view recherche) {
    if (recherche.empty()) return true;
    const std::string numero = std::to_string(j.id);
    if (numero.rfind(recherche, 0) == 0) return true;
    const std::string cle = cle_de_tri(recherche);
    return !cle.empty() && cle_de_tri(j.nom + " " + j.prenom).find(cle) != std::string::npos;
}

bool trouve(const Tournoi& t, int id, std::string_view recherche) {
    return est_joueur(id) && t.existe(id) && trouve(t.joueur(id), recherche);
}

// The number of a registered player, 0 for the bye's or the forfeit's side.
int numero_joueur(const Tournoi& t, int id) {
    return est_joueur(id) && t.existe(id) ? id : 0;
}

std::string adversaire_texte(const Tournoi& t, const RondeJoueur& rj) {
    if (rj.adversaire == ID_ABSENCE) return "absent à sa demande";
    if (est_joueur(rj.adversaire) && t.existe(rj.adversaire)) return nom_affiche(t, rj.adversaire);
    if (rj.adversaire == ID_QUALIFIE) return "exempt";
    return rj.adversaire == ID_FORFAIT ? "ne joue pas" : "";
}

// The player's own result in a round: his points, "F" after them for a
// forfeit; "" while the table has no result.
std::string resultat_joueur(const Tournoi& t, const RondeJoueur& rj) {
    if (rj.resultat == Resultat::aucun) return "";
    const std::string points = points_texte(t, demi_points(rj.resultat));
    return rj.forfait ? points + "F" : points;
}

}  // namespace

bool tournoi_vide(const Tournoi& t) {
    return t.entete.nom.empty() && t.joueurs.empty() && t.entete.departages.empty() &&
           t.entete.ronde_courante < 0;
}

std::string texte_resultat(const Tournoi& t, const Appariement& a) {
    if (!a.saisi()) return "";
    const int b = demi_points(a.res_blanc), n = demi_points(a.res_noir());
    if (a.forfait != Forfait::aucun) return formater("%dF-%dF", b / 2, n / 2);
    if (t.jeu().pions) return formater("%d-%d", a.pions_blanc, a.pions_noir);
    return points_texte(t, b) + "-" + points_texte(t, n);
}

Grille grille_ronde(const Tournoi& t, std::string_view recherche) {
    Grille g{{"Table", "Blancs", "Pts", "Noirs", "Pts", "Résultat"}, {}, {}};
    const int r = t.entete.ronde_courante;
    for (int k = 0; k < nb_tables(t); ++k) {
        const Appariement& a = t.table(r, k);
        if (!recherche.empty() && !trouve(t, a.blanc, recherche) && !trouve(t, a.noir, recherche))
            continue;
        const bool exempt = table_sans_adversaire(t, k, r);
        g.lignes.push_back({std::to_string(k + 1), nom_affiche(t, a.blanc),
                            points_avant(t, a.blanc, r), nom_affiche(t, a.noir),
                            points_avant(t, a.noir, r), exempt ? "exempt" : texte_resultat(t, a)});
        g.joueurs.push_back({0, numero_joueur(t, a.blanc), 0, numero_joueur(t, a.noir), 0, 0});
    }
    return g;
}

Grille grille_parties(const Tournoi& t, int id) {
    Grille g{{"Ronde", "Couleur", "Adversaire", "Résultat", "Pts"}, {}, {}};
    if (!t.existe(id)) return g;
    const Joueur& j = t.joueur(id);
    const int derniere = std::min(t.entete.ronde_courante, static_cast<int>(j.rondes.size()) - 1);
    for (int r = 0; r <= derniere; ++r) {
        const RondeJoueur& rj = j.ronde(r);
        const bool partie = est_joueur(rj.adversaire) && t.existe(rj.adversaire);
        const std::string couleur = !partie || rj.forfait ? ""
                                    : rj.couleur == BLANC ? "Blancs"
                                                          : "Noirs";
        g.lignes.push_back({std::to_string(r + 1), couleur, adversaire_texte(t, rj),
                            resultat_joueur(t, rj), points_texte(t, points_jusqu_a(j, r))});
        g.joueurs.push_back({0, 0, partie ? rj.adversaire : 0, 0, 0});
    }
    return g;
}

Grille grille_classement(const Tournoi& t) {
    Grille g{{"Cl", "N°", "Nom Prénom", "Pts"}, {}, {}};
    const int nb = static_cast<int>(t.entete.departages.size());
    for (int i = 0; i < nb; ++i) g.colonnes.push_back(libelle_departage(t, i));
    const int r = t.entete.ronde_courante;
    const bool en_cours = r >= 0 && !t.ronde_complete(r);
    if (en_cours) g.colonnes.push_back(formater("Ronde %d", r + 1));
    const Classement vue(t);
    const std::vector<int> rangs = vue.rangs();
    for (std::size_t i = 0; i < vue.lignes().size(); ++i) {
        const LigneClassement& l = vue.lignes()[i];
        const Joueur& j = t.joueur(l.id);
        std::vector<std::string> ligne = {std::to_string(rangs[i]), std::to_string(j.id),
                                          j.nom + " " + j.prenom, points_texte(t, l.points)};
        for (int k = 0; k < nb; ++k)
            ligne.push_back(texte_nombre(l.departages[static_cast<std::size_t>(k)],
                                         unite_departage(t, k), FormePoints::texte));
        if (en_cours) {
            const RondeJoueur& rj = j.ronde(r);
            const bool compte = rj.resultat != Resultat::aucun || rj.adversaire == ID_ABSENCE;
            ligne.push_back(compte ? "+" + points_texte(t, demi_points(rj.resultat)) : "");
        }
        g.lignes.push_back(std::move(ligne));
        g.joueurs.push_back(std::vector<int>(g.colonnes.size(), 0));
        g.joueurs.back()[2] = j.id;
    }
    return g;
}

Grille grille_joueurs(const Tournoi& t, std::string_view recherche) {
    Grille g{{"N°", "Nom Prénom", "Elo", "Club / Equipe", "Actif"}, {}, {}};
    for (const Joueur& j : joueurs_par_numero(t)) {
        if (!trouve(j, recherche)) continue;
        g.lignes.push_back({std::to_string(j.id), j.nom + " " + j.prenom,
                            j.elo > 0 ? std::to_string(j.elo) : "",
                            j.club.empty() ? j.equipe : j.club, j.actif ? "oui" : "non"});
        g.joueurs.push_back({0, j.id, 0, 0, 0});
    }
    return g;
}

std::string texte_sans_resultat(const Tournoi& t) {
    if (t.entete.ronde_courante < 0) return "Aucune ronde appariée";
    const std::size_t n = tables_sans_resultat(t).size();
    if (n == 0) return "Toutes les tables ont un résultat";
    return n == 1 ? "1 table sans résultat" : formater("%zu tables sans résultat", n);
}

std::string etat_ronde(const Tournoi& t) {
    if (t.entete.ronde_courante < 0)
        return formater("%d joueurs, %d rondes prévues : aucune ronde appariée", t.nb_joueurs(),
                        t.entete.nb_rondes);
    return formater("Ronde %d sur %d : ", t.entete.ronde_courante + 1, t.entete.nb_rondes) +
           texte_sans_resultat(t);
}

}  // namespace tavo::gestion
