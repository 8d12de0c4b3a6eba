#include "pairing/interdits.h"

#include <algorithm>

#include "model/texte.h"
#include "pairing/recherche.h"
#include "pairing/regles.h"
#include "pairing/secours.h"

namespace tavo {
namespace {

bool table_interdite(const Tournoi& t, const Appariement& a) {
    return est_joueur(a.blanc) && est_joueur(a.noir) && appariement_interdit(t, a.blanc, a.noir);
}

// Exchanges the black players of tables k and l when both tables are then
// allowed.
bool echanger_noirs(const Tournoi& t, std::vector<Appariement>& tables, std::size_t k,
                    std::size_t l) {
    if (!est_joueur(tables[l].noir)) return false;
    std::swap(tables[k].noir, tables[l].noir);
    if (!table_interdite(t, tables[k]) && !table_interdite(t, tables[l])) return true;
    std::swap(tables[k].noir, tables[l].noir);
    return false;
}

}  // namespace

bool eviter_interdits(const Tournoi& t, std::vector<Appariement>& tables) {
    const std::size_t n = tables.size();
    for (std::size_t k = 0; k < n; ++k) {
        if (!table_interdite(t, tables[k])) continue;
        bool mendee = false;
        // The nearest tables first, the next one before the one above.
        for (std::size_t ecart = 1; ecart < n && !mendee; ++ecart)
            mendee = (k + ecart < n && echanger_noirs(t, tables, k, k + ecart)) ||
                     (ecart <= k && echanger_noirs(t, tables, k, k - ecart));
        if (!mendee) return false;
    }
    return true;
}

std::vector<std::pair<int, int>> interdits_des_tables(const Tournoi& t,
                                                      const std::vector<Appariement>& tables) {
    std::vector<std::pair<int, int>> paires;
    for (const Appariement& a : tables)
        if (table_interdite(t, a)) paires.push_back(std::minmax(a.blanc, a.noir));
    std::sort(paires.begin(), paires.end());
    return paires;
}

std::vector<std::pair<int, int>> interdits_bloquants(const Tournoi& t) {
    if (t.interdits.empty()) return {};
    Tournoi libre = t;
    libre.interdits.clear();
    TablesRecherche w;
    preparer_recherche(libre, w);
    if (!appariement_secours(libre, w)) return {};
    std::vector<Appariement> tables;
    const auto& ligne = w.lignes[1];
    for (std::size_t k = 0; k + 1 < ligne.size() && ligne[k].id != 0; k += 2)
        tables.push_back(Appariement{.blanc = ligne[k].id, .noir = ligne[k + 1].id});
    return interdits_des_tables(t, tables);
}

std::string texte_impossible(const std::vector<std::pair<int, int>>& bloquants) {
    if (bloquants.empty()) return "Appariements impossibles";
    std::string liste;
    for (std::size_t k = 0; k < bloquants.size(); ++k) {
        if (k > 0) liste += k + 1 == bloquants.size() ? " et " : ", ";
        liste += formater("%d-%d", bloquants[k].first, bloquants[k].second);
    }
    if (bloquants.size() == 1)
        return "Appariements impossibles : l'appariement interdit " + liste + " l'empêche";
    return "Appariements impossibles : les appariements interdits " + liste + " l'empêchent";
}

}  // namespace tavo
