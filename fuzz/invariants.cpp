#include "invariants.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tavo::fuzz {
namespace {

bool id_de_table(int id, int nb_joueurs) {
    return id == ID_AUCUN || id == ID_FORFAIT || id == ID_QUALIFIE || (id >= 1 && id <= nb_joueurs);
}

}  // namespace

std::string invariant_rompu(const Tournoi& t) {
    const EnteteTournoi& e = t.entete;
    const int n = t.nb_joueurs();
    if (n > MAX_JOUEURS) return "nb_joueurs " + std::to_string(n);
    if (e.ronde_courante < -1 || e.ronde_courante >= MAX_RONDES)
        return "ronde_courante " + std::to_string(e.ronde_courante);
    if (static_cast<int>(t.rondes.size()) != e.ronde_courante + 1)
        return "rondes " + std::to_string(t.rondes.size());
    if (e.departages.size() > static_cast<std::size_t>(NB_SYSTEMES_DEPARTAGE))
        return "nb_departages " + std::to_string(e.departages.size());
    for (std::size_t i = 0; i < e.departages.size(); ++i)
        if (e.departages[i] < 0 || e.departages[i] >= NB_SYSTEMES_DEPARTAGE)
            return "departages[" + std::to_string(i) + "] " + std::to_string(e.departages[i]);

    std::vector<bool> vu(static_cast<std::size_t>(n) + 1, false);
    for (int p = 0; p < n; ++p) {
        const Joueur& j = t.joueurs[static_cast<std::size_t>(p)];
        if (j.id < 1 || j.id > n)
            return "id " + std::to_string(j.id) + " en position " + std::to_string(p);
        if (vu[static_cast<std::size_t>(j.id)]) return "id " + std::to_string(j.id) + " en double";
        vu[static_cast<std::size_t>(j.id)] = true;
        if (t.position(j.id) != p) return "index de l'id " + std::to_string(j.id) + " faux";
        if (j.rondes.size() != t.rondes.size()) return "rondes du joueur " + std::to_string(j.id);
        for (const RondeJoueur& r : j.rondes)
            if (!id_de_table(r.adversaire, n))
                return "adversaire " + std::to_string(r.adversaire) + " du joueur " +
                       std::to_string(j.id);
    }

    for (int r = 0; r <= e.ronde_courante; ++r) {
        const int nb = t.nb_tables(r);
        if (nb > (n + 1) / 2) return "nb_app[" + std::to_string(r) + "] " + std::to_string(nb);
        for (int table = 0; table < nb; ++table) {
            const Appariement& a = t.table(r, table);
            if (!id_de_table(a.blanc, n) || !id_de_table(a.noir, n))
                return "table " + std::to_string(table) + " de la ronde " + std::to_string(r);
        }
    }
    return "";
}

void exiger(const std::string& detail, std::string_view quoi) {
    if (detail.empty()) return;
    std::fprintf(stderr, "INVARIANT ROMPU (%.*s) : %s\n", static_cast<int>(quoi.size()),
                 quoi.data(), detail.c_str());
    std::abort();
}

}  // namespace tavo::fuzz
