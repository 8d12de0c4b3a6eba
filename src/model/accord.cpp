#include "model/accord.h"

#include <array>
#include <cstring>
#include <tuple>

#include "model/texte.h"

namespace tavo {
namespace {

constexpr int PIONS_EXEMPT = 33;

std::string ronde(int r) {
    return formater("Ronde %d : ", r + 1);
}

bool sans_resultat(const Joueur& j, int r) {
    return j.resultats[r] == 0 && j.pions[r] == 0;
}

bool sans_rien(const Joueur& j, int r) {
    return j.adversaires[r] == ID_AUCUN && j.couleurs[r] == 0 && sans_resultat(j, r);
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
    switch (j.adversaires[r]) {
        case ID_AUCUN:
            return "n'a pas d'adversaire";
        case ID_FORFAIT:
            return "est forfait";
        case ID_QUALIFIE:
            return "est exempté";
        default:
            return formater("joue contre le joueur %d", j.adversaires[r]);
    }
}

// The result of one game, white's points and discs first, wherever it is
// written (`ou`: "des joueurs 4 et 7", "de la table n°2"): "" when it is
// possible, else what is wrong with it.
std::string defaut_resultat(const Tournoi& t, const std::string& ou, int pb, int pn, int db,
                            int dn) {
    if (!points_vont_ensemble(pb, pn))
        return "les résultats " + ou + formater(" ne vont pas ensemble (%d-%d)", pb, pn);
    if (t.entete.othello == 0) return "";
    if (db + dn != 64) return "les pions " + ou + formater(" ne font pas 64 (%d et %d)", db, dn);
    if (points_des_pions(db, dn) != pb)
        return "les points " + ou +
               formater(" ne suivent pas les pions (%d-%d pour %d pions contre %d)", pb, pn, db,
                        dn);
    return "";
}

// The entries of one player for paired round r, and against his opponent's.
std::string defaut_joueur(const Tournoi& t, int r, const Joueur& j) {
    const int id = j.id;
    const int a = j.adversaires[r];
    if (a == ID_AUCUN) return formater("le joueur %d n'a pas d'adversaire", id);
    if (a == ID_FORFAIT) {
        if (j.couleurs[r] != SANS_PARTIE || !sans_resultat(j, r))
            return formater("le joueur %d est forfait, mais a une couleur ou des points", id);
        return "";
    }
    if (j.couleurs[r] == SANS_PARTIE) return formater("le joueur %d n'a pas de couleur", id);
    if (a == ID_QUALIFIE) {
        if (!sans_resultat(j, r) && (j.resultats[r] != 2 || j.pions[r] != PIONS_EXEMPT))
            return formater("le joueur %d est exempté sans le 2-0 de l'exempt", id);
        return "";
    }
    if (a == id) return formater("le joueur %d joue contre lui-même", id);
    const Joueur& o = t.joueur(a);
    if (o.adversaires[r] != id)
        return formater("le joueur %d joue contre le joueur %d, mais le joueur %d ", id, a, a) +
               entree(o, r);
    if (o.couleurs[r] == j.couleurs[r])
        return formater("les joueurs %d et %d ont tous deux les ", id, a) +
               (j.couleurs[r] == BLANC ? "Blancs" : "Noirs");
    if (id > a || (sans_resultat(j, r) && sans_resultat(o, r))) return "";
    const Joueur& b = j.couleurs[r] == BLANC ? j : o;
    const Joueur& n = j.couleurs[r] == BLANC ? o : j;
    return defaut_resultat(t, formater("des joueurs %d et %d", b.id, n.id), b.resultats[r],
                           n.resultats[r], b.pions[r], n.pions[r]);
}

// Where each player sits in round r: his table, or -1.
using Places = std::array<int, MAX_JOUEURS + 1>;

// One table of round r against its players' records; `places` gets its
// players' seats.
std::string defaut_table(const Tournoi& t, int r, int k, Places& places) {
    const Appariement& a = t.app[r][k];
    const bool partie = est_joueur(a.blanc) && est_joueur(a.noir) && a.blanc != a.noir;
    const bool exempt = (est_joueur(a.blanc) && a.noir == ID_QUALIFIE) ||
                        (a.blanc == ID_QUALIFIE && est_joueur(a.noir));
    if (!partie && !exempt) return formater("la table n°%d ne réunit pas deux joueurs", k + 1);
    for (const auto& [id, autre, couleur] :
         {std::tuple{a.blanc, a.noir, BLANC}, std::tuple{a.noir, a.blanc, NOIR}}) {
        if (!est_joueur(id)) continue;
        if (places[id] >= 0)
            return formater("le joueur %d est à deux tables (n°%d et n°%d)", id, places[id] + 1,
                            k + 1);
        places[id] = k;
        const Joueur& j = t.joueur(id);
        if (j.adversaires[r] != autre || j.couleurs[r] != couleur)
            return formater("la table n°%d ne s'accorde pas avec la fiche du joueur %d", k + 1, id);
    }
    if (exempt) {
        const bool blanc_exempte = a.noir == ID_QUALIFIE;
        const bool bon = a.saisi == 1 && a.res_blanc == (blanc_exempte ? 2 : 0) &&
                         a.res_noir == 2 - a.res_blanc &&
                         a.pions_blanc == (blanc_exempte ? PIONS_EXEMPT : 64 - PIONS_EXEMPT) &&
                         a.pions_noir == 64 - a.pions_blanc;
        return bon ? "" : formater("la table n°%d de l'exempt n'a pas son 2-0", k + 1);
    }
    if (a.saisi != 0) {
        const std::string defaut =
            defaut_resultat(t, formater("de la table n°%d", k + 1), a.res_blanc, a.res_noir,
                            a.pions_blanc, a.pions_noir);
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
    if (r == t.entete.ronde_courante && a.saisi != 0) return "";
    const bool meme = a.saisi != 0 && a.res_blanc == b.resultats[r] &&
                      a.res_noir == n.resultats[r] && a.pions_blanc == b.pions[r] &&
                      a.pions_noir == n.pions[r];
    return meme ? ""
                : formater(
                      "le résultat de la table n°%d n'est pas celui des fiches des joueurs "
                      "%d et %d",
                      k + 1, a.blanc, a.noir);
}

Places places_vides() {
    Places places;
    places.fill(-1);
    return places;
}

// True for a player whose record of round r puts him at a table.
bool a_une_table(const Joueur& j, int r) {
    return est_joueur(j.adversaires[r]) || j.adversaires[r] == ID_QUALIFIE;
}

std::string defaut_ronde_jouee(const Tournoi& t, int r) {
    const int n = t.entete.nb_joueurs;
    int exempt = 0;
    for (int id = 1; id <= n; ++id) {
        const Joueur& j = t.joueur(id);
        const std::string defaut = defaut_joueur(t, r, j);
        if (!defaut.empty()) return defaut;
        if (j.adversaires[r] != ID_QUALIFIE) continue;
        if (exempt != 0)
            return formater("les joueurs %d et %d sont tous deux exemptés", exempt, id);
        exempt = id;
    }
    Places places = places_vides();
    int vides = 0;
    int premiere_vide = -1;
    for (int k = 0; k < t.nb_app[r]; ++k) {
        if (table_vide(t.app[r][k])) {
            if (vides++ == 0) premiere_vide = k;
            continue;
        }
        const std::string defaut = defaut_table(t, r, k, places);
        if (!defaut.empty()) return defaut;
    }
    for (int k = t.nb_app[r]; k < MAX_TABLES; ++k)
        if (!table_vide(t.app[r][k]))
            return formater("la table n°%d est de trop : la ronde en a %d", k + 1, t.nb_app[r]);
    // The players of the tables left empty: each game counts once, by its
    // white player.
    int absentes = 0;
    for (int id = 1; id <= n; ++id) {
        const Joueur& j = t.joueur(id);
        if (!a_une_table(j, r) || places[id] >= 0) continue;
        if (j.couleurs[r] == BLANC || j.adversaires[r] == ID_QUALIFIE) ++absentes;
        if (absentes > vides) return formater("le joueur %d n'est à aucune table", id);
    }
    if (absentes < vides) return formater("la table n°%d est vide", premiere_vide + 1);
    return "";
}

std::string defaut_ronde(const Tournoi& t, int r) {
    if (r <= t.entete.ronde_courante) return defaut_ronde_jouee(t, r);
    for (int id = 1; id <= t.entete.nb_joueurs; ++id)
        if (!sans_rien(t.joueur(id), r))
            return formater("le joueur %d a une partie, mais cette ronde n'est pas appariée", id);
    return "";
}

}  // namespace

bool table_vide(const Appariement& a) {
    static const Appariement zero{};
    return std::memcmp(&a, &zero, sizeof a) == 0;
}

std::string desaccord(const Tournoi& t) {
    for (int r = 0; r < MAX_RONDES; ++r) {
        const std::string defaut = defaut_ronde(t, r);
        if (!defaut.empty()) return cp(ronde(r) + defaut);
    }
    return "";
}

std::vector<Appariement> tables_absentes(const Tournoi& t, int r) {
    Places places = places_vides();
    for (int k = 0; k < t.nb_app[r]; ++k) {
        const Appariement& a = t.app[r][k];
        if (est_joueur(a.blanc)) places[a.blanc] = k;
        if (est_joueur(a.noir)) places[a.noir] = k;
    }
    std::vector<Appariement> tables;
    Appariement exempt{};
    for (int id = 1; id <= t.entete.nb_joueurs; ++id) {
        const Joueur& j = t.joueur(id);
        if (!a_une_table(j, r) || places[id] >= 0) continue;
        if (j.adversaires[r] == ID_QUALIFIE) {
            const bool blanc = j.couleurs[r] == BLANC;
            exempt.blanc = blanc ? j.id : ID_QUALIFIE;
            exempt.noir = blanc ? ID_QUALIFIE : j.id;
            exempt.res_blanc = blanc ? 2 : 0;
            exempt.res_noir = blanc ? 0 : 2;
            exempt.pions_blanc = blanc ? PIONS_EXEMPT : 64 - PIONS_EXEMPT;
            exempt.pions_noir = blanc ? 64 - PIONS_EXEMPT : PIONS_EXEMPT;
            exempt.saisi = 1;
            continue;
        }
        if (j.couleurs[r] != BLANC) continue;
        const Joueur& n = t.joueur(j.adversaires[r]);
        Appariement a{};
        a.blanc = j.id;
        a.noir = n.id;
        if (!sans_resultat(j, r) || !sans_resultat(n, r)) {
            a.res_blanc = j.resultats[r];
            a.res_noir = n.resultats[r];
            a.pions_blanc = j.pions[r];
            a.pions_noir = n.pions[r];
            a.saisi = 1;
        }
        tables.push_back(a);
    }
    if (!table_vide(exempt)) tables.push_back(exempt);
    return tables;
}

}  // namespace tavo
