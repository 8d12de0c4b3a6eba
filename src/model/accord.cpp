#include "model/accord.h"

#include <algorithm>
#include <tuple>

#include "model/texte.h"

namespace tavo {
namespace {

std::string ronde(int r) {
    return formater("Ronde %d : ", r + 1);
}

const RondeJoueur& de(const Joueur& j, int r) {
    return j.rondes[static_cast<std::size_t>(r)];
}

bool sans_resultat(const Joueur& j, int r) {
    return de(j, r).resultat == Resultat::aucun && de(j, r).pions == 0 && !de(j, r).forfait;
}

int points(const Joueur& j, int r) {
    return demi_points(de(j, r).resultat);
}

// 2-0, 1-1 or 0-2.
bool points_vont_ensemble(int a, int b) {
    return a + b == 2;
}

// The points a disc count gives against the other's.
int points_des_pions(int pions, int autre) {
    return pions > autre ? 2 : pions == autre ? 1 : 0;
}

// What a player's record says of his round, to name it.
std::string entree(const Joueur& j, int r) {
    switch (de(j, r).adversaire) {
        case ID_AUCUN:
            return "n'a pas d'adversaire";
        case ID_FORFAIT:
            return "est forfait";
        case ID_QUALIFIE:
            return "est exempté";
        case ID_ABSENCE:
            return "est absent à sa demande";
        default:
            return formater("joue contre le joueur %d", de(j, r).adversaire);
    }
}

// The result of one game, white's points and discs first, wherever it is
// written (`ou()`: "des joueurs 4 et 7", "de la table n°2", only written
// for a fault): "" when it is possible, else what is wrong with it.
template <typename Lieu>
std::string defaut_resultat(const Tournoi& t, Lieu ou, int pb, int pn, int db, int dn) {
    if (!points_vont_ensemble(pb, pn))
        return "les résultats " + ou() + formater(" ne vont pas ensemble (%d-%d)", pb, pn);
    const Jeu jeu = t.jeu();
    if (!jeu.pions) return "";
    if (db + dn != jeu.total_pions)
        return "les pions " + ou() +
               formater(" ne font pas %d (%d et %d)", jeu.total_pions, db, dn);
    if (points_des_pions(db, dn) != pb)
        return "les points " + ou() +
               formater(" ne suivent pas les pions (%d-%d pour %d pions contre %d)", pb, pn, db,
                        dn);
    return "";
}

// A forfeit's points, white's first: 2-0, 0-2 or 0-0 without discs, and the
// forfeit in both records.
template <typename Lieu>
std::string defaut_forfait(Lieu ou, int pb, int pn, int db, int dn, bool fb, bool fn) {
    if (!fb || !fn) return "le forfait " + ou() + " n'est que dans une des fiches";
    if (pb + pn > 2 || pb == 1 || db != 0 || dn != 0)
        return "le forfait " + ou() + formater(" n'a pas les points d'un forfait (%d-%d)", pb, pn);
    return "";
}

// A round the player asked to miss: his request, and its points.
std::string defaut_absence(const Joueur& j, int r) {
    const RondeJoueur& rj = de(j, r);
    const Absence* demande = j.absence(r);
    if (rj.adversaire != ID_ABSENCE)
        return demande ? formater("le joueur %d a demandé cette ronde, mais ", j.id) + entree(j, r)
                       : "";
    if (!demande) return formater("le joueur %d est absent sans l'avoir demandé", j.id);
    const Resultat points = demande->demi_point ? Resultat::nulle : Resultat::perte;
    if (rj.couleur != SANS_PARTIE || rj.resultat != points || rj.pions != 0 || rj.forfait)
        return formater("le joueur %d n'a pas les points de son absence demandée", j.id);
    return "";
}

// The entries of one player for paired round r, and against his opponent's.
std::string defaut_joueur(const Tournoi& t, int r, const Joueur& j) {
    const int id = j.id;
    const RondeJoueur& rj = de(j, r);
    const int a = rj.adversaire;
    if (a == ID_AUCUN) return formater("le joueur %d n'a pas d'adversaire", id);
    if (std::string defaut = defaut_absence(j, r); !defaut.empty() || a == ID_ABSENCE)
        return defaut;
    if (a == ID_FORFAIT) {
        if (rj.couleur != SANS_PARTIE || !sans_resultat(j, r))
            return formater("le joueur %d est forfait, mais a une couleur ou des points", id);
        return "";
    }
    if (rj.couleur == SANS_PARTIE) return formater("le joueur %d n'a pas de couleur", id);
    if (a == ID_QUALIFIE) {
        if (!sans_resultat(j, r) &&
            (rj.resultat != Resultat::gain || rj.pions != t.jeu().pions_exempt))
            return formater("le joueur %d est exempté sans le 2-0 de l'exempt", id);
        return "";
    }
    if (a == id) return formater("le joueur %d joue contre lui-même", id);
    const Joueur& o = t.joueur(a);
    if (de(o, r).adversaire != id)
        return formater("le joueur %d joue contre le joueur %d, mais le joueur %d ", id, a, a) +
               entree(o, r);
    if (de(o, r).couleur == rj.couleur)
        return formater("les joueurs %d et %d ont tous deux les ", id, a) +
               (rj.couleur == BLANC ? "Blancs" : "Noirs");
    if (id > a || (sans_resultat(j, r) && sans_resultat(o, r))) return "";
    const Joueur& b = rj.couleur == BLANC ? j : o;
    const Joueur& n = rj.couleur == BLANC ? o : j;
    if (de(b, r).forfait || de(n, r).forfait)
        return defaut_forfait([&] { return formater("des joueurs %d et %d", b.id, n.id); },
                              points(b, r), points(n, r), de(b, r).pions, de(n, r).pions,
                              de(b, r).forfait, de(n, r).forfait);
    return defaut_resultat(
        t, [&] { return formater("des joueurs %d et %d", b.id, n.id); }, points(b, r), points(n, r),
        de(b, r).pions, de(n, r).pions);
}

// Where each player sits in round r: his table, or -1.
using Places = std::vector<int>;

// One table of round r against its players' records; `places` gets its
// players' seats.
std::string defaut_table(const Tournoi& t, int r, int k, Places& places) {
    const Appariement& a =
        t.rondes[static_cast<std::size_t>(r)].tables[static_cast<std::size_t>(k)];
    const bool partie = est_joueur(a.blanc) && est_joueur(a.noir) && a.blanc != a.noir;
    const bool exempt = (est_joueur(a.blanc) && a.noir == ID_QUALIFIE) ||
                        (a.blanc == ID_QUALIFIE && est_joueur(a.noir));
    if (!partie && !exempt) return formater("la table n°%d ne réunit pas deux joueurs", k + 1);
    for (const auto& [id, autre, couleur] :
         {std::tuple{a.blanc, a.noir, BLANC}, std::tuple{a.noir, a.blanc, NOIR}}) {
        if (!est_joueur(id)) continue;
        int& place = places[static_cast<std::size_t>(id)];
        if (place >= 0)
            return formater("le joueur %d est à deux tables (n°%d et n°%d)", id, place + 1, k + 1);
        place = k;
        const Joueur& j = t.joueur(id);
        if (de(j, r).adversaire != autre || de(j, r).couleur != couleur)
            return formater("la table n°%d ne s'accorde pas avec la fiche du joueur %d", k + 1, id);
    }
    if (exempt) {
        const Jeu jeu = t.jeu();
        const bool blanc_exempte = a.noir == ID_QUALIFIE;
        const int exempt = jeu.pions_exempt, autre = jeu.total_pions - jeu.pions_exempt;
        const bool bon = a.res_blanc == (blanc_exempte ? Resultat::gain : Resultat::perte) &&
                         a.pions_blanc == (blanc_exempte ? exempt : autre) &&
                         a.pions_noir == (blanc_exempte ? autre : exempt);
        return bon && a.forfait == Forfait::aucun
                   ? ""
                   : formater("la table n°%d de l'exempt n'a pas son 2-0", k + 1);
    }
    if (a.forfait != Forfait::aucun) {
        if (a.res_blanc != resultat_forfait(a.forfait) || a.pions_blanc != 0 || a.pions_noir != 0)
            return formater("le forfait de la table n°%d n'a pas les points d'un forfait", k + 1);
    } else if (a.saisi()) {
        const std::string defaut = defaut_resultat(
            t, [&] { return formater("de la table n°%d", k + 1); }, demi_points(a.res_blanc),
            demi_points(a.res_noir()), a.pions_blanc, a.pions_noir);
        if (!defaut.empty()) return defaut;
    }
    const Joueur& b = t.joueur(a.blanc);
    const Joueur& n = t.joueur(a.noir);
    // The records take the table's result when it is entered (in files of
    // earlier versions, when the round is committed); until then they hold
    // none. Those versions also let a result of the current round be
    // corrected after the commit, the records keeping the committed one
    // until the next: the table then holds the newer result.
    if (sans_resultat(b, r) && sans_resultat(n, r)) return "";
    if (r == t.entete.ronde_courante && a.saisi()) return "";
    const bool forfait = a.forfait != Forfait::aucun;
    const bool meme = a.saisi() && a.res_blanc == de(b, r).resultat &&
                      a.res_noir() == de(n, r).resultat && a.pions_blanc == de(b, r).pions &&
                      a.pions_noir == de(n, r).pions && de(b, r).forfait == forfait &&
                      de(n, r).forfait == forfait;
    return meme ? ""
                : formater(
                      "le résultat de la table n°%d n'est pas celui des fiches des joueurs "
                      "%d et %d",
                      k + 1, a.blanc, a.noir);
}

Places places_vides(const Tournoi& t) {
    int plus_grand = 0;
    for (const Joueur& j : t.joueurs) plus_grand = std::max(plus_grand, j.id);
    return Places(static_cast<std::size_t>(plus_grand) + 1, -1);
}

// True for a player whose record of round r puts him at a table.
bool a_une_table(const Joueur& j, int r) {
    return est_joueur(de(j, r).adversaire) || de(j, r).adversaire == ID_QUALIFIE;
}

std::string defaut_ronde_jouee(const Tournoi& t, int r) {
    int exempt = 0;
    for (const Joueur& j : joueurs_par_numero(t)) {
        const std::string defaut = defaut_joueur(t, r, j);
        if (!defaut.empty()) return defaut;
        if (de(j, r).adversaire != ID_QUALIFIE) continue;
        if (exempt != 0)
            return formater("les joueurs %d et %d sont tous deux exemptés", exempt, j.id);
        exempt = j.id;
    }
    Places places = places_vides(t);
    int vides = 0;
    int premiere_vide = -1;
    const auto& tables = t.rondes[static_cast<std::size_t>(r)].tables;
    for (int k = 0; k < static_cast<int>(tables.size()); ++k) {
        if (tables[static_cast<std::size_t>(k)].vide()) {
            if (vides++ == 0) premiere_vide = k;
            continue;
        }
        const std::string defaut = defaut_table(t, r, k, places);
        if (!defaut.empty()) return defaut;
    }
    // The players of the tables left empty: each game counts once, by its
    // white player.
    int absentes = 0;
    for (const Joueur& j : joueurs_par_numero(t)) {
        if (!a_une_table(j, r) || places[static_cast<std::size_t>(j.id)] >= 0) continue;
        if (de(j, r).couleur == BLANC || de(j, r).adversaire == ID_QUALIFIE) ++absentes;
        if (absentes > vides) return formater("le joueur %d n'est à aucune table", j.id);
    }
    if (absentes < vides) return formater("la table n°%d est vide", premiere_vide + 1);
    return "";
}

}  // namespace

std::vector<std::reference_wrapper<const Joueur>> joueurs_par_numero(const Tournoi& t) {
    std::vector<std::reference_wrapper<const Joueur>> joueurs(t.joueurs.begin(), t.joueurs.end());
    std::sort(joueurs.begin(), joueurs.end(),
              [](const Joueur& a, const Joueur& b) { return a.id < b.id; });
    return joueurs;
}

// The requests of each player: rounds of the tournament, each once, in order.
std::string defaut_absences(const Tournoi& t) {
    for (const Joueur& j : t.joueurs) {
        int avant = -1;
        for (const Absence& a : j.absences) {
            if (a.ronde <= avant || a.ronde >= MAX_RONDES)
                return formater("le joueur %d a une absence demandée hors des rondes", j.id);
            avant = a.ronde;
        }
    }
    return "";
}

std::string desaccord(const Tournoi& t) {
    if (std::string defaut = defaut_absences(t); !defaut.empty()) return defaut;
    for (int r = 0; r <= t.entete.ronde_courante; ++r) {
        if (static_cast<std::size_t>(r) >= t.rondes.size()) return ronde(r) + "la ronde manque";
        for (const Joueur& j : t.joueurs)
            if (j.rondes.size() != t.rondes.size())
                return formater("le joueur %d n'a pas une fiche par ronde", j.id);
        const std::string defaut = defaut_ronde_jouee(t, r);
        if (!defaut.empty()) return ronde(r) + defaut;
    }
    return "";
}

std::vector<Appariement> tables_absentes(const Tournoi& t, int r) {
    Places places = places_vides(t);
    for (const Appariement& a : t.rondes[static_cast<std::size_t>(r)].tables) {
        if (est_joueur(a.blanc)) places[static_cast<std::size_t>(a.blanc)] = 0;
        if (est_joueur(a.noir)) places[static_cast<std::size_t>(a.noir)] = 0;
    }
    const Jeu jeu = t.jeu();
    std::vector<Appariement> tables;
    Appariement exempt;
    for (const Joueur& j : joueurs_par_numero(t)) {
        if (!a_une_table(j, r) || places[static_cast<std::size_t>(j.id)] >= 0) continue;
        const RondeJoueur& rj = de(j, r);
        if (rj.adversaire == ID_QUALIFIE) {
            const bool blanc = rj.couleur == BLANC;
            const int autre = jeu.total_pions - jeu.pions_exempt;
            exempt.blanc = blanc ? j.id : ID_QUALIFIE;
            exempt.noir = blanc ? ID_QUALIFIE : j.id;
            exempt.res_blanc = blanc ? Resultat::gain : Resultat::perte;
            exempt.pions_blanc = blanc ? jeu.pions_exempt : autre;
            exempt.pions_noir = blanc ? autre : jeu.pions_exempt;
            continue;
        }
        if (rj.couleur != BLANC) continue;
        const Joueur& n = t.joueur(rj.adversaire);
        Appariement a;
        a.blanc = j.id;
        a.noir = n.id;
        if (!sans_resultat(j, r) || !sans_resultat(n, r)) {
            a.res_blanc = rj.resultat;
            a.pions_blanc = rj.pions;
            a.pions_noir = de(n, r).pions;
        }
        tables.push_back(a);
    }
    if (!exempt.vide()) tables.push_back(exempt);
    return tables;
}

}  // namespace tavo
