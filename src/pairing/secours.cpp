#include "pairing/secours.h"

#include <algorithm>
#include <cstdint>
#include <functional>
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
    const int derniere = derniere_ronde_complete(t);
    const std::vector<std::uint8_t> rencontres = matrice_rencontres(t, ids, derniere);
    auto deja = [&](int a, int b) {
        return rencontres[static_cast<std::size_t>(a) * static_cast<std::size_t>(m) +
                          static_cast<std::size_t>(b)] != 0;
    };
    GrapheJoueurs g;
    g.preparer(m);
    for (int a = 0; a < m; ++a) {
        if (!a_rencontre(t.joueur(ids[static_cast<std::size_t>(a)]), ID_QUALIFIE, derniere))
            g.autoriser_exempt(a);
        for (int b = a + 1; b < m; ++b)
            if (!deja(a, b) && !deja(b, a)) g.autoriser(a, b);
    }
    return g;
}

// The active players of a round (by index 0..m-1, in standings order), the
// pairs they may make and what each pair costs.
class Paires {
  public:
    Paires(const Tournoi& t, const TablesRecherche& w) : ids_(joueurs_actifs(t)) {
        graphe_ = graphe_rencontres(t, ids_);
        for (const int id : ids_) {
            joueurs_.push_back(&t.joueur(id));
            dues_.push_back(w.couleurs_dues[static_cast<std::size_t>(id)]);
        }
    }

    int taille() const { return static_cast<int>(ids_.size()); }
    int id(int a) const { return ids_[static_cast<std::size_t>(a)]; }
    int due(int a) const { return dues_[static_cast<std::size_t>(a)]; }
    const GrapheJoueurs& graphe() const { return graphe_; }

    // The pair's own penalty as a cost (0 or more); a pair of players
    // strongly due the same colour costs its score part alone here.
    std::int64_t penalite(int a, int b) const {
        const int couleur = penalite_couleur_paire(due(a), due(b)).value_or(0);
        return -static_cast<std::int64_t>(couleur +
                                          penalite_ecart(*joueurs_[static_cast<std::size_t>(a)],
                                                         *joueurs_[static_cast<std::size_t>(b)]));
    }
    bool brise_une_forte(int a, int b) const { return !penalite_couleur_paire(due(a), due(b)); }

    // More than the penalties of any pairing together: each player's worst
    // pair, summed.
    std::int64_t somme_des_pires() const {
        std::int64_t autres = 0;
        for (int a = 0; a < taille(); ++a) {
            std::int64_t pire = 0;
            for (int b = 0; b < taille(); ++b)
                if (b != a && graphe_.autorise(a, b)) pire = std::max(pire, penalite(a, b));
            autres += pire;
        }
        return autres;
    }

    // The same bound for a large field, without weighing every pair: for
    // each player the worst a pair can cost (a colour, a gap of all the
    // leader's points, two floats).
    std::int64_t borne_des_pires() const {
        int haut = 0;
        for (const Joueur* j : joueurs_) haut = std::max(haut, j->points);
        const std::int64_t pire =
            -(PENALITE_COULEUR + PENALITE_POINT * haut + 2 * PENALITE_FLOTTEUR);
        return pire * taille();
    }

    // The pairs worth weighing first in a large field, all keeping strong
    // colours: for each player the VOISINS_PROCHES nearest above him and
    // below him in the standings, and VOISINS_LOINTAINS spread over the whole
    // standings. The near ones hold the cheap pairs; the far ones let the
    // first matching float players as far as it needs, and keep its dual
    // solution covering most far pairs (fewer matchings to compute again).
    static constexpr int VOISINS_PROCHES = 8;
    static constexpr int VOISINS_LOINTAINS = 16;
    std::vector<std::vector<int>> voisins() const;

  private:
    std::vector<int> ids_;
    std::vector<const Joueur*> joueurs_;
    std::vector<int> dues_;
    GrapheJoueurs graphe_;
};

std::vector<std::vector<int>> Paires::voisins() const {
    const int m = taille();
    auto garde_les_fortes = [&](int a, int b) {
        return a != b && graphe_.autorise(a, b) && !brise_une_forte(a, b);
    };
    std::vector<std::vector<int>> voisins(static_cast<std::size_t>(m));
    for (int a = 0; a < m; ++a) {
        std::vector<int>& liste = voisins[static_cast<std::size_t>(a)];
        for (const int sens : {-1, 1}) {
            int pris = 0;
            for (int b = a + sens; b >= 0 && b < m && pris < VOISINS_PROCHES; b += sens)
                if (garde_les_fortes(a, b)) {
                    liste.push_back(b);
                    ++pris;
                }
        }
        for (int k = 1; k <= VOISINS_LOINTAINS; ++k) {
            const int depart = (a + k * m / (VOISINS_LOINTAINS + 1)) % m;
            for (int essai = 0; essai < VOISINS_PROCHES; ++essai) {
                const int b = (depart + essai) % m;
                if (!garde_les_fortes(a, b)) continue;
                liste.push_back(b);
                break;
            }
        }
    }
    return voisins;
}

}  // namespace

bool appariement_possible(const Tournoi& t) {
    const std::vector<int> ids = joueurs_actifs(t);
    const GrapheJoueurs g = graphe_rencontres(t, ids);
    TestCouplage test(g);
    return test.possible(std::vector<std::uint8_t>(ids.size(), 1));
}

bool appariement_secours(const Tournoi& t, TablesRecherche& w) {
    const Paires paires(t, w);
    const int m = paires.taille();
    const bool grand = grand_champ(t);
    // A broken strong colour outweighs every other penalty of a round.
    const std::int64_t forte_brisee =
        (grand ? paires.borne_des_pires() : paires.somme_des_pires()) + 1;
    // Costs are scaled so that the bye's place only decides between pairings
    // of equal penalty: 0 for the lowest-placed player, more for each place up.
    const std::int64_t echelle = m + 1;
    const std::function<std::int64_t(int, int)> cout_paire = [&](int a, int b) {
        std::int64_t c = paires.penalite(a, b);
        if (paires.brise_une_forte(a, b)) c += forte_brisee;
        return c * echelle;
    };
    const std::function<std::int64_t(int)> cout_exempt = [&](int a) {
        return static_cast<std::int64_t>(m - 1 - a);
    };
    std::vector<int> partenaire;
    const bool ok =
        grand ? couplage_cout_minimal_voisinage(paires.graphe(), cout_paire, cout_exempt,
                                                paires.voisins(), partenaire)
              : couplage_cout_minimal(paires.graphe(), cout_paire, cout_exempt, partenaire);
    if (!ok) return false;

    auto& ligne = w.lignes[1];
    std::size_t n = 0;
    int exempt = -1;
    auto due = [&](int a) { return paires.due(a); };
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
        ligne[n++] = Placement{static_cast<std::uint8_t>(ca), paires.id(a)};
        ligne[n++] = Placement{static_cast<std::uint8_t>(cb), paires.id(b)};
    }
    if (exempt >= 0) {
        const int c = couleur_de(due(exempt));
        ligne[n++] = Placement{static_cast<std::uint8_t>(c), paires.id(exempt)};
        ligne[n++] = Placement{static_cast<std::uint8_t>(autre_couleur(c)), ID_QUALIFIE};
    }
    ligne[n] = Placement{0, 0};
    return true;
}

}  // namespace tavo
