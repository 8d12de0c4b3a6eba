#include "pairing/reconstitution.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "model/accord.h"
#include "standings/scores.h"

namespace tavo {
namespace {

// Each player's place in the standings that round r was paired from: the
// rounds before it as the records hold them, round r opened but not played.
std::vector<int> rangs_avant_ronde(const Tournoi& t, int r) {
    auto avant = std::make_unique<Tournoi>(t);
    avant->ouvrir_ronde(r);
    avant->entete.ronde_courante = r;
    const Classement classement(*avant);
    std::vector<int> rangs(ID_SPECIAL, 0);
    for (std::size_t i = 0; i < classement.lignes().size(); ++i)
        rangs[static_cast<std::size_t>(classement.lignes()[i].id)] = static_cast<int>(i);
    return rangs;
}

void reconstituer_ronde(Tournoi& t, int r, const std::vector<std::size_t>& vides) {
    std::vector<Appariement> tables = tables_absentes(t, r);
    const std::vector<int> rangs = rangs_avant_ronde(t, r);
    auto rang = [&](const Appariement& a) {
        if (!est_joueur(a.blanc) || !est_joueur(a.noir)) return ID_SPECIAL;  // the bye
        return std::min(rangs[static_cast<std::size_t>(a.blanc)],
                        rangs[static_cast<std::size_t>(a.noir)]);
    };
    std::stable_sort(tables.begin(), tables.end(),
                     [&](const Appariement& a, const Appariement& b) { return rang(a) < rang(b); });
    auto& ronde = t.rondes[static_cast<std::size_t>(r)].tables;
    for (std::size_t i = 0; i < vides.size() && i < tables.size(); ++i) ronde[vides[i]] = tables[i];
}

}  // namespace

void reconstituer_tables(Tournoi& t) {
    t.indexer_joueurs();
    for (int r = 0; r <= t.entete.ronde_courante; ++r) {
        std::vector<std::size_t> vides;
        const auto& tables = t.rondes[static_cast<std::size_t>(r)].tables;
        for (std::size_t k = 0; k < tables.size(); ++k)
            if (tables[k].vide()) vides.push_back(k);
        if (!vides.empty()) reconstituer_ronde(t, r, vides);
    }
}

}  // namespace tavo
