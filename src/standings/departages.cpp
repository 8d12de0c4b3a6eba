#include "standings/departages.h"

#include <algorithm>
#include <cstring>

#include "model/texte.h"
#include "standings/scores.h"

namespace tavo {
namespace {

constexpr std::array<FonctionDepartage, NB_SYSTEMES_DEPARTAGE> kFonctions = {
    departage_bucholz,   departage_bucholz_median, departage_sonneborn_berger,
    departage_cumulatif, departage_nb_gains,       departage_pions_pris};

// A round's opponent is "real" when it is not a special id; an unpaired round
// (id 0, seen while a new round is being paired) is a real opponent with 0
// points.
bool adversaire_reel(std::int16_t id) {
    return id < ID_SPECIAL;
}

int points_adversaire(const Tournoi& t, std::int16_t id) {
    return id == ID_AUCUN ? 0 : t.joueur(id).points;
}

void definir_systeme(Tournoi& t, int i, int id) {
    t.entete.departages[i] = static_cast<std::int16_t>(id);
    std::memcpy(t.entete.abrev_departages[i], LIBELLES_DEPARTAGE[id], 3);
}

void definir_fonctions(Tournoi& t) {
    t.fonctions_departage = {};
    for (int i = 0; i < t.entete.nb_departages; ++i)
        t.fonctions_departage[i] = kFonctions[t.entete.departages[i]];
}

}  // namespace

const std::array<std::string, NB_SYSTEMES_DEPARTAGE>& noms_departages() {
    static const std::array<std::string, NB_SYSTEMES_DEPARTAGE> noms = {
        cp("Bucholz"),   cp("Bucholz médian"),  cp("Sonneborn-Berger"),
        cp("Cumulatif"), cp("Nombre de gains"), cp("Nombre de pions pris (othello)")};
    return noms;
}

std::int16_t departage_bucholz(const Tournoi& t, const Joueur& j) {
    int somme = 0;
    for (int r = 0; r <= derniere_ronde_complete(t); ++r)
        if (adversaire_reel(j.adversaires[r])) somme += points_adversaire(t, j.adversaires[r]);
    return static_cast<std::int16_t>(somme);
}

std::int16_t departage_bucholz_median(const Tournoi& t, const Joueur& j) {
    const int n = derniere_ronde_complete(t);
    int ronde_min = -1, plus_bas = 999;
    for (int r = 0; r <= n; ++r) {
        if (!adversaire_reel(j.adversaires[r])) continue;
        const int pts = points_adversaire(t, j.adversaires[r]);
        if (pts < plus_bas) plus_bas = pts, ronde_min = r;
    }
    int ronde_max = -1, plus_haut = -999;
    for (int r = 0; r <= n; ++r) {
        if (!adversaire_reel(j.adversaires[r]) || r == ronde_min) continue;
        const int pts = points_adversaire(t, j.adversaires[r]);
        if (pts > plus_haut) plus_haut = pts, ronde_max = r;
    }
    int somme = 0;
    for (int r = 0; r <= n; ++r)
        if (adversaire_reel(j.adversaires[r]) && r != ronde_min && r != ronde_max)
            somme += points_adversaire(t, j.adversaires[r]);
    return static_cast<std::int16_t>(somme);
}

std::int16_t departage_sonneborn_berger(const Tournoi& t, const Joueur& j) {
    int somme = 0;
    for (int r = 0; r <= derniere_ronde_complete(t); ++r) {
        if (!adversaire_reel(j.adversaires[r])) continue;
        const int pts = points_adversaire(t, j.adversaires[r]);
        if (j.resultats[r] == 2) somme += 2 * pts;
        if (j.resultats[r] == 1) somme += pts;
    }
    return static_cast<std::int16_t>(somme);
}

std::int16_t departage_cumulatif(const Tournoi& t, const Joueur& j) {
    int score = 0, cumul = 0;
    for (int r = 0; r <= derniere_ronde_complete(t); ++r) {
        if (!adversaire_reel(j.adversaires[r])) continue;
        score += j.resultats[r];
        cumul += score;
    }
    return static_cast<std::int16_t>(cumul);
}

std::int16_t departage_nb_gains(const Tournoi& t, const Joueur& j) {
    int gains = 0;
    for (int r = 0; r <= derniere_ronde_complete(t); ++r)
        if (adversaire_reel(j.adversaires[r]) && j.resultats[r] == 2) ++gains;
    return static_cast<std::int16_t>(gains);
}

std::int16_t departage_pions_pris(const Tournoi& t, const Joueur& j) {
    int somme = 0;
    for (int r = 0; r <= derniere_ronde_complete(t); ++r)
        somme += adversaire_reel(j.adversaires[r]) ? j.pions[r] : 33;
    return static_cast<std::int16_t>(somme);
}

void choisir_departages(Tournoi& t, const std::vector<int>& ids) {
    int n = 0;
    for (const int id : ids) {
        // An id without a function is not applied.
        if (id < 0 || id >= NB_SYSTEMES_DEPARTAGE || n >= NB_SYSTEMES_DEPARTAGE) continue;
        definir_systeme(t, n++, id);
    }
    t.entete.nb_departages = static_cast<std::int16_t>(n);
    definir_fonctions(t);
}

void choisir_departages_fichier(Tournoi& t) {
    for (int i = 0; i < t.entete.nb_departages; ++i) definir_systeme(t, i, t.entete.departages[i]);
    definir_fonctions(t);
}

int id_departage_par_libelle(const std::string& libelle) {
    for (int id = 0; id < NB_SYSTEMES_DEPARTAGE; ++id)
        if (egal_sans_casse(libelle, LIBELLES_DEPARTAGE[id])) return id;
    return -1;
}

}  // namespace tavo
