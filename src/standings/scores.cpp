#include "standings/scores.h"

#include <algorithm>

#include "standings/departages.h"

namespace tavo {

int derniere_ronde_complete(const Tournoi& t) {
    const int r = t.entete.ronde_courante;
    if (r < 0) return -1;
    return t.ronde_complete(r) ? r : r - 1;
}

std::vector<int> points_par_numero(const Tournoi& t) {
    int plus_grand = 0;
    for (const Joueur& j : t.joueurs) plus_grand = std::max(plus_grand, j.id);
    std::vector<int> points(static_cast<std::size_t>(plus_grand) + 1, 0);
    const int n = derniere_ronde_complete(t);
    for (const Joueur& j : t.joueurs) points[static_cast<std::size_t>(j.id)] = points_jusqu_a(j, n);
    return points;
}

Classement::Classement(const Tournoi& t) {
    const std::vector<int> points = points_par_numero(t);
    for (const Joueur& j : t.joueurs) {
        LigneClassement l;
        l.id = j.id;
        l.points = points[static_cast<std::size_t>(j.id)];
        for (const int id : t.entete.departages)
            l.departages.push_back(valeur_departage(id, t, points, j));
        lignes_.push_back(std::move(l));
    }
    std::sort(lignes_.begin(), lignes_.end(),
              [](const LigneClassement& a, const LigneClassement& b) {
                  if (a.points != b.points) return a.points > b.points;
                  if (a.departages != b.departages) return a.departages > b.departages;
                  return a.id < b.id;
              });
    ligne_de_.assign(points.size(), 0);
    for (std::size_t i = 0; i < lignes_.size(); ++i)
        ligne_de_[static_cast<std::size_t>(lignes_[i].id)] = static_cast<int>(i);
}

bool Classement::ex_aequo(std::size_t i) const {
    return i + 1 < lignes_.size() && lignes_[i].points == lignes_[i + 1].points &&
           lignes_[i].departages == lignes_[i + 1].departages;
}

std::vector<int> Classement::rangs() const {
    std::vector<int> rangs(lignes_.size(), 0);
    int rang = 1;
    for (std::size_t i = 0; i < lignes_.size(); ++i) {
        rangs[i] = rang;
        if (!ex_aequo(i)) rang = static_cast<int>(i) + 2;
    }
    return rangs;
}

const LigneClassement& Classement::ligne(int id) const {
    return lignes_[static_cast<std::size_t>(ligne_de_[static_cast<std::size_t>(id)])];
}

void appliquer_classement(Tournoi& t) {
    const Classement classement(t);
    std::vector<Joueur> ordre;
    ordre.reserve(t.joueurs.size());
    for (const LigneClassement& l : classement.lignes()) {
        ordre.push_back(std::move(t.joueur(l.id)));
        ordre.back().points = l.points;
    }
    t.joueurs = std::move(ordre);
    t.indexer_joueurs();
}

}  // namespace tavo
