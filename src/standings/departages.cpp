#include "standings/departages.h"

#include <algorithm>
#include <span>

#include "model/texte.h"
#include "standings/scores.h"

namespace tavo {
namespace {

// A round's opponent is "real" when the game was played: not a special
// number (the bye, a round not played or asked to be missed) nor a forfeit.
// Every round without a game counts as the bye always has: no opponent. An
// unpaired round (number 0, seen while a new round is being paired) is a
// real opponent with 0 points.
bool adversaire_reel(const RondeJoueur& r) {
    return r.adversaire < ID_SPECIAL && !r.forfait;
}

int points_adversaire(const std::vector<int>& points, int id) {
    return id == ID_AUCUN ? 0 : points[static_cast<std::size_t>(id)];
}

// The rounds the tie-breaks count.
std::span<const RondeJoueur> rondes_comptees(const Tournoi& t, const Joueur& j) {
    const std::size_t n = static_cast<std::size_t>(derniere_ronde_complete(t) + 1);
    return std::span<const RondeJoueur>(j.rondes).first(std::min(n, j.rondes.size()));
}

int bucholz(const Tournoi& t, const std::vector<int>& points, const Joueur& j) {
    int somme = 0;
    for (const RondeJoueur& r : rondes_comptees(t, j))
        if (adversaire_reel(r)) somme += points_adversaire(points, r.adversaire);
    return somme;
}

// The Bucholz without the lowest and the highest opponent (the first of each
// when several are equal).
int bucholz_median(const Tournoi& t, const std::vector<int>& points, const Joueur& j) {
    const std::span<const RondeJoueur> rondes = rondes_comptees(t, j);
    const std::size_t n = rondes.size();
    std::size_t ronde_min = n, ronde_max = n;
    int plus_bas = 999, plus_haut = -999;
    for (std::size_t r = 0; r < n; ++r) {
        if (!adversaire_reel(rondes[r])) continue;
        const int pts = points_adversaire(points, rondes[r].adversaire);
        if (pts < plus_bas) plus_bas = pts, ronde_min = r;
    }
    for (std::size_t r = 0; r < n; ++r) {
        if (!adversaire_reel(rondes[r]) || r == ronde_min) continue;
        const int pts = points_adversaire(points, rondes[r].adversaire);
        if (pts > plus_haut) plus_haut = pts, ronde_max = r;
    }
    int somme = 0;
    for (std::size_t r = 0; r < n; ++r)
        if (adversaire_reel(rondes[r]) && r != ronde_min && r != ronde_max)
            somme += points_adversaire(points, rondes[r].adversaire);
    return somme;
}

int sonneborn_berger(const Tournoi& t, const std::vector<int>& points, const Joueur& j) {
    int somme = 0;
    for (const RondeJoueur& r : rondes_comptees(t, j))
        if (adversaire_reel(r))
            somme += demi_points(r.resultat) * points_adversaire(points, r.adversaire);
    return somme;
}

int cumulatif(const Tournoi& t, const Joueur& j) {
    int score = 0, cumul = 0;
    for (const RondeJoueur& r : rondes_comptees(t, j)) {
        if (!adversaire_reel(r)) continue;
        score += demi_points(r.resultat);
        cumul += score;
    }
    return cumul;
}

int nb_gains(const Tournoi& t, const Joueur& j) {
    int gains = 0;
    for (const RondeJoueur& r : rondes_comptees(t, j))
        if (adversaire_reel(r) && r.resultat == Resultat::gain) ++gains;
    return gains;
}

// A round without a game (the bye, a forfeit, a round missed) counts the
// bye's discs.
int pions_pris(const Tournoi& t, const Joueur& j) {
    int somme = 0;
    for (const RondeJoueur& r : rondes_comptees(t, j))
        somme += adversaire_reel(r) ? r.pions : t.jeu().pions_exempt;
    return somme;
}

}  // namespace

const std::array<std::string, NB_SYSTEMES_DEPARTAGE>& noms_departages() {
    static const std::array<std::string, NB_SYSTEMES_DEPARTAGE> noms = {
        "Bucholz",   "Bucholz médian",  "Sonneborn-Berger",
        "Cumulatif", "Nombre de gains", "Nombre de pions pris (othello)"};
    return noms;
}

int valeur_departage(int id, const Tournoi& t, const std::vector<int>& points, const Joueur& j) {
    switch (id) {
        case ID_BUCHOLZ:
            return bucholz(t, points, j);
        case ID_BUCHOLZ_MEDIAN:
            return bucholz_median(t, points, j);
        case ID_SONNEBORN_BERGER:
            return sonneborn_berger(t, points, j);
        case ID_CUMULATIF:
            return cumulatif(t, j);
        case ID_NB_GAINS:
            return nb_gains(t, j);
        case ID_PIONS_PRIS:
            return pions_pris(t, j);
        default:
            return 0;
    }
}

void choisir_departages(Tournoi& t, const std::vector<int>& ids) {
    t.entete.departages.clear();
    for (const int id : ids)
        if (id >= 0 && id < NB_SYSTEMES_DEPARTAGE &&
            t.entete.departages.size() < static_cast<std::size_t>(NB_SYSTEMES_DEPARTAGE))
            t.entete.departages.push_back(id);
}

int id_departage_par_libelle(const std::string& libelle) {
    for (int id = 0; id < NB_SYSTEMES_DEPARTAGE; ++id)
        if (egal_sans_casse(libelle, LIBELLES_DEPARTAGE[static_cast<std::size_t>(id)])) return id;
    return -1;
}

}  // namespace tavo
