#include "pairing/secours.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "matching/couplage.h"
#include "pairing/recherche.h"
#include "standings/scores.h"

namespace tavo {
namespace {

std::vector<int> joueurs_actifs(const Tournoi& t) {
    std::vector<int> ids;
    for (const Joueur& j : t.joueurs)
        if (j.actif) ids.push_back(j.id);
    return ids;
}

// The pairs allowed whatever the colours: never twice the same opponent
// (as either player's record says), the bye only to who has not had it.
GrapheJoueurs graphe_rencontres(const Tournoi& t, const std::vector<int>& ids) {
    const int m = static_cast<int>(ids.size());
    const std::vector<std::uint8_t> rencontres =
        matrice_rencontres(t, ids, derniere_ronde_complete(t));
    auto deja = [&](int a, int b) { return rencontres[static_cast<std::size_t>(a * m + b)] != 0; };
    GrapheJoueurs g;
    g.preparer(m);
    for (int a = 0; a < m; ++a) {
        const int ia = ids[static_cast<std::size_t>(a)];
        if (!deja_rencontre(t, ia, ID_QUALIFIE)) g.autoriser_exempt(a);
        for (int b = a + 1; b < m; ++b)
            if (!deja(a, b) && !deja(b, a)) g.autoriser(a, b);
    }
    return g;
}

}  // namespace

bool appariement_possible(const Tournoi& t) {
    const std::vector<int> ids = joueurs_actifs(t);
    const GrapheJoueurs g = graphe_rencontres(t, ids);
    TestCouplage test(g);
    return test.possible(std::vector<std::uint8_t>(ids.size(), 1));
}

bool appariement_secours(const Tournoi& t, TablesRecherche& w) {
    const std::vector<int> ids = joueurs_actifs(t);
    const int m = static_cast<int>(ids.size());
    const GrapheJoueurs g = graphe_rencontres(t, ids);

    auto due = [&](int a) {
        return w.couleurs_dues[static_cast<std::size_t>(ids[static_cast<std::size_t>(a)])];
    };
    auto joueur = [&](int a) -> const Joueur& {
        return t.joueur(ids[static_cast<std::size_t>(a)]);
    };
    // The pair's own penalty as a cost (0 or more); a pair of players strongly
    // due the same colour costs its score part alone here.
    auto penalite = [&](int a, int b) -> std::int64_t {
        const int couleur = penalite_couleur_paire(due(a), due(b)).value_or(0);
        return -static_cast<std::int64_t>(couleur + penalite_ecart(joueur(a), joueur(b)));
    };
    auto brise_une_forte = [&](int a, int b) { return !penalite_couleur_paire(due(a), due(b)); };
    // A broken strong colour outweighs every other penalty of a round.
    std::int64_t autres = 0;
    for (int a = 0; a < m; ++a) {
        std::int64_t pire = 0;
        for (int b = 0; b < m; ++b)
            if (b != a && g.autorise(a, b)) pire = std::max(pire, penalite(a, b));
        autres += pire;
    }
    const std::int64_t forte_brisee = autres + 1;
    // Costs are scaled so that the bye's place only decides between pairings
    // of equal penalty: 0 for the lowest-placed player, more for each place up.
    const std::int64_t echelle = m + 1;
    std::vector<int> partenaire;
    const bool ok = couplage_cout_minimal(
        g,
        [&](int a, int b) {
            std::int64_t c = penalite(a, b);
            if (brise_une_forte(a, b)) c += forte_brisee;
            return c * echelle;
        },
        [&](int a) { return static_cast<std::int64_t>(m - 1 - a); }, partenaire);
    if (!ok) return false;

    auto& ligne = w.lignes[1];
    std::size_t n = 0;
    int exempt = -1;
    for (int a = 0; a < m; ++a) {
        const int b = partenaire[static_cast<std::size_t>(a)];
        if (b == EXEMPT) {
            exempt = a;
            continue;
        }
        if (b < a) continue;  // table already written with its higher-placed player
        int ca = couleur_de(due(a));
        if (couleur_de(due(b)) == ca && couleur_forte(due(b)) && !couleur_forte(due(a)))
            ca = autre_couleur(ca);
        const int cb = autre_couleur(ca);
        ligne[n++] = Placement{static_cast<std::uint8_t>(ca), ids[static_cast<std::size_t>(a)]};
        ligne[n++] = Placement{static_cast<std::uint8_t>(cb), ids[static_cast<std::size_t>(b)]};
    }
    if (exempt >= 0) {
        const int c = couleur_de(due(exempt));
        ligne[n++] = Placement{static_cast<std::uint8_t>(c), ids[static_cast<std::size_t>(exempt)]};
        ligne[n++] = Placement{static_cast<std::uint8_t>(autre_couleur(c)), ID_QUALIFIE};
    }
    ligne[n] = Placement{0, 0};
    return true;
}

}  // namespace tavo
