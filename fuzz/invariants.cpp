#include "invariants.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace tavo::fuzz {
namespace {

bool id_de_table(int id, int nb_joueurs) {
    return id == ID_AUCUN || id == ID_FORFAIT || id == ID_QUALIFIE || (id >= 1 && id <= nb_joueurs);
}

}  // namespace

std::string invariant_rompu(const Tournoi& t) {
    const EnteteTournoi& e = t.entete;
    const int n = e.nb_joueurs;
    if (n < 0 || n > MAX_JOUEURS) return "nb_joueurs " + std::to_string(n);
    if (e.ronde_courante < -1 || e.ronde_courante >= MAX_RONDES)
        return "ronde_courante " + std::to_string(e.ronde_courante);
    if (e.nb_departages < 0 || e.nb_departages > NB_SYSTEMES_DEPARTAGE)
        return "nb_departages " + std::to_string(e.nb_departages);
    for (int i = 0; i < e.nb_departages; ++i) {
        if (e.departages[i] < 0 || e.departages[i] >= NB_SYSTEMES_DEPARTAGE)
            return "departages[" + std::to_string(i) + "] " + std::to_string(e.departages[i]);
        if (t.fonctions_departage[i] == nullptr)
            return "fonction de departage " + std::to_string(i) + " absente";
    }

    std::array<bool, MAX_JOUEURS + 1> vu{};
    for (int p = 1; p <= n; ++p) {
        const Joueur& j = t.joueurs[p];
        if (j.id < 1 || j.id > n)
            return "id " + std::to_string(j.id) + " en position " + std::to_string(p);
        if (vu[j.id]) return "id " + std::to_string(j.id) + " en double";
        vu[j.id] = true;
        if (t.index[j.id] != p) return "index de l'id " + std::to_string(j.id) + " faux";
        for (int r = 0; r < MAX_RONDES; ++r)
            if (!id_de_table(j.adversaires[r], n))
                return "adversaire " + std::to_string(j.adversaires[r]) + " du joueur " +
                       std::to_string(j.id);
    }

    for (int r = 0; r < MAX_RONDES; ++r) {
        const int nb = t.nb_app[r];
        if (r > e.ronde_courante) {
            if (nb != 0) return "ronde " + std::to_string(r) + " non jouee avec des tables";
            continue;
        }
        if (nb < 0 || nb > MAX_TABLES || nb > (n + 1) / 2)
            return "nb_app[" + std::to_string(r) + "] " + std::to_string(nb);
        for (int table = 0; table < nb; ++table) {
            const Appariement& a = t.app[r][table];
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
