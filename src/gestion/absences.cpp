#include "gestion/absences.h"

#include <algorithm>
#include <sstream>

#include "model/texte.h"

namespace tavo::gestion {
namespace {

bool joueur_connu(const Tournoi& t, int id, Interaction& io) {
    if (est_joueur(id) && t.existe(id)) return true;
    io.message_erreur(formater("Joueur inconnu : n°%d", id));
    return false;
}

// Each round a round of the tournament, or refused with the message.
bool rondes_connues(const Tournoi& t, const std::vector<int>& numeros, Interaction& io) {
    if (numeros.empty()) {
        io.message_erreur("Indiquez les rondes, par exemple 3,4");
        return false;
    }
    for (const int n : numeros)
        if (n < 1 || n > t.entete.nb_rondes) {
            io.message_erreur(formater("La ronde n°%d n'existe pas : le tournoi en compte %d", n,
                                       t.entete.nb_rondes));
            return false;
        }
    return true;
}

// A round already paired where the player has a table cannot be missed any
// more.
bool sans_table(const Tournoi& t, const Joueur& j, const std::vector<int>& numeros,
                Interaction& io) {
    for (const int n : numeros) {
        if (n - 1 > t.entete.ronde_courante) continue;
        const int adversaire = j.ronde(n - 1).adversaire;
        if (adversaire == ID_FORFAIT || adversaire == ID_ABSENCE) continue;
        io.message_erreur(formater(
            "Le joueur n°%d est à une table de la ronde n°%d : son absence ne peut plus y être "
            "demandée",
            j.id, n));
        return false;
    }
    return true;
}

// The half points asked for within the tournament's limits, or refused.
bool demi_points_permis(const Tournoi& t, const Joueur& j, const std::vector<int>& numeros,
                        Interaction& io) {
    const int dernieres = t.entete.dernieres_rondes_sans_demi;
    for (const int n : numeros)
        if (n > t.entete.nb_rondes - dernieres) {
            io.message_erreur(
                formater("Pas d'absence à demi-point dans les %d dernières rondes (ronde n°%d)",
                         dernieres, n));
            return false;
        }
    int total = static_cast<int>(numeros.size());
    for (const Absence& a : j.absences)
        if (a.demi_point && std::find(numeros.begin(), numeros.end(), a.ronde + 1) == numeros.end())
            ++total;
    if (total <= t.entete.demi_points_max) return true;
    io.message_erreur(
        formater("Le joueur n°%d aurait %d absences à demi-point ; le tournoi en "
                 "permet %d",
                 j.id, total, t.entete.demi_points_max));
    return false;
}

// The rounds once each, in order.
std::vector<int> uniques(std::vector<int> numeros) {
    std::sort(numeros.begin(), numeros.end());
    numeros.erase(std::unique(numeros.begin(), numeros.end()), numeros.end());
    return numeros;
}

// Round r of a player paired already scores as his request now says.
void suivre_ronde(Tournoi& t, Joueur& j, int r) {
    if (r <= t.entete.ronde_courante && static_cast<std::size_t>(r) < j.rondes.size())
        poser_ronde_sans_table(j, r);
}

}  // namespace

bool demander_absences(Tournoi& t, int id, const std::vector<int>& liste, bool demi_point,
                       Interaction& io) {
    if (!joueur_connu(t, id, io) || !rondes_connues(t, liste, io)) return false;
    if (t.limites_1998) {
        io.message_erreur("Le fichier .pxi ne peut pas garder les absences demandées");
        return false;
    }
    const std::vector<int> numeros = uniques(liste);
    Joueur& j = t.joueur(id);
    if (!sans_table(t, j, numeros, io)) return false;
    if (demi_point && !demi_points_permis(t, j, numeros, io)) return false;
    for (const int n : numeros) {
        std::erase_if(j.absences, [&](const Absence& a) { return a.ronde == n - 1; });
        j.absences.push_back({n - 1, demi_point});
    }
    std::sort(j.absences.begin(), j.absences.end());
    for (const int n : numeros) suivre_ronde(t, j, n - 1);
    t.entete.modifie = true;
    return true;
}

bool retirer_absences(Tournoi& t, int id, const std::vector<int>& liste, Interaction& io) {
    if (!joueur_connu(t, id, io) || !rondes_connues(t, liste, io)) return false;
    const std::vector<int> numeros = uniques(liste);
    Joueur& j = t.joueur(id);
    for (const int n : numeros)
        if (!j.absence(n - 1)) {
            io.message_erreur(formater("Le joueur n°%d n'a pas demandé la ronde n°%d", id, n));
            return false;
        }
    for (const int n : numeros) {
        std::erase_if(j.absences, [&](const Absence& a) { return a.ronde == n - 1; });
        suivre_ronde(t, j, n - 1);
    }
    t.entete.modifie = true;
    return true;
}

std::string texte_absences(const Joueur& j) {
    std::string texte;
    for (const Absence& a : j.absences)
        texte += formater("%s%d (%s)", texte.empty() ? "" : ", ", a.ronde + 1,
                          a.demi_point ? "½ point" : "0 point");
    return texte;
}

std::vector<int> lire_numeros_rondes(const std::string& texte) {
    std::string blancs = texte;
    std::replace(blancs.begin(), blancs.end(), ',', ' ');
    if (blancs.find_first_not_of("0123456789 ") != std::string::npos) return {};
    std::istringstream lecture(blancs);
    std::vector<int> numeros;
    for (std::string mot; lecture >> mot;) {
        if (mot.size() > 2) return {};
        numeros.push_back(lire_entier(mot));
    }
    return numeros;
}

}  // namespace tavo::gestion
