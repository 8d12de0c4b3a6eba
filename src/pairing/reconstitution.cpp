#include "pairing/reconstitution.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "model/accord.h"
#include "standings/scores.h"

namespace tavo {
namespace {

using Rangs = std::array<int, MAX_JOUEURS + 1>;

// Each player's place in the standings that round r was paired from: the
// rounds before it as the records hold them, round r not played yet.
Rangs rangs_avant_ronde(const Tournoi& t, int r) {
    auto avant = std::make_unique<Tournoi>(t);
    avant->effacer_rondes(r);
    avant->entete.ronde_courante = static_cast<std::int16_t>(r);
    trier_classement(*avant);
    Rangs rangs{};
    for (int p = 1; p <= avant->entete.nb_joueurs; ++p) rangs[avant->joueurs[p].id] = p;
    return rangs;
}

void reconstituer_ronde(Tournoi& t, int r, const std::vector<int>& vides) {
    std::vector<Appariement> tables = tables_absentes(t, r);
    const Rangs rangs = rangs_avant_ronde(t, r);
    auto rang = [&](const Appariement& a) {
        if (!est_joueur(a.blanc) || !est_joueur(a.noir)) return MAX_JOUEURS + 1;  // the bye
        return std::min(rangs[a.blanc], rangs[a.noir]);
    };
    std::stable_sort(tables.begin(), tables.end(),
                     [&](const Appariement& a, const Appariement& b) { return rang(a) < rang(b); });
    for (std::size_t i = 0; i < vides.size() && i < tables.size(); ++i)
        t.app[r][vides[i]] = tables[i];
}

}  // namespace

void reconstituer_tables(Tournoi& t) {
    t.indexer_joueurs();
    for (int r = 0; r <= t.entete.ronde_courante; ++r) {
        std::vector<int> vides;
        for (int k = 0; k < t.nb_app[r]; ++k)
            if (table_vide(t.app[r][k])) vides.push_back(k);
        if (!vides.empty()) reconstituer_ronde(t, r, vides);
    }
}

}  // namespace tavo
