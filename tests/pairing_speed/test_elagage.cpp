// The cuts change nothing but the time: on many generated tournaments small
// enough for the search alone, the pruned search pairs every round exactly as
// the search alone does, and fails exactly where it fails.
#include <gtest/gtest.h>

#include <cstring>

#include "generateur.h"
#include "pairing/appariement.h"
#include "pairing/recherche.h"

namespace tavo {
namespace {

struct Issue {
    bool ok = false;
    bool interrompue = false;
    std::int64_t noeuds = 0;
    std::int64_t couplages_ponderes = 0;
    Tournoi apres;
    std::vector<std::string> erreurs;
};

Issue apparier_copie(const Tournoi& t, const OptionsAppariement& options) {
    Issue i;
    i.apres = t;
    banc::InteractionMuette io;
    i.ok = nouvelle_ronde(i.apres, io, options);
    i.interrompue = statistiques_recherche().interrompue;
    i.noeuds = statistiques_recherche().noeuds;
    i.couplages_ponderes = statistiques_recherche().couplages_ponderes;
    i.erreurs = io.erreurs;
    return i;
}

TEST(Elagage, MemesAppariementsQueLaRechercheSeule) {
    const OptionsAppariement seule{false, 60000, false};
    const OptionsAppariement elaguee{true, 0, false, 0};
    // A short first try without the cuts: the search then starts again with
    // them in every round longer than that.
    const OptionsAppariement essai_court{true, 0, false, 3};
    int comparees = 0, echecs = 0, longues = 0, trop_longues = 0, ponderees = 0, relancees = 0;
    std::int64_t noeuds_seule = 0, noeuds_elaguee = 0;
    for (int k = 0; k < 160; ++k) {
        banc::Profil p;
        p.graine = 100 + static_cast<std::uint64_t>(k);
        p.joueurs = 5 + k % 10;
        p.rondes = 4 + k % 6;
        p.othello = k % 5 == 0;
        p.nulles_pourcent = (k * 11) % 40;
        p.inactifs_depart = k % 7 == 0 ? 1 : 0;
        p.abandons = k % 3 == 0 ? 1 + k % 2 : 0;
        // The tournament goes on with the program's own pairing; before each
        // round both searches pair a copy.
        banc::jouer_tournoi(p, OptionsAppariement{}, [&](const Tournoi& t) {
            const Issue a = apparier_copie(t, seule);
            if (a.interrompue) {
                ++trop_longues;
                return;
            }
            const Issue b = apparier_copie(t, elaguee);
            const Issue c = apparier_copie(t, essai_court);
            if (c.noeuds > 3 * t.nb_joueurs_actifs()) ++relancees;
            ++comparees;
            noeuds_seule += a.noeuds;
            noeuds_elaguee += b.noeuds;
            if (a.noeuds > 1000) ++longues;
            if (b.couplages_ponderes > 0) ++ponderees;
            for (const Issue* x : {&b, &c}) {
                ASSERT_EQ(a.ok, x->ok) << "graine " << p.graine;
                ASSERT_EQ(a.erreurs, x->erreurs);
                if (!a.ok) continue;
                // Byte for byte the same round and the same player records.
                const int r = a.apres.entete.ronde_courante;
                ASSERT_EQ(a.apres.nb_tables(r), x->apres.nb_tables(r)) << "graine " << p.graine;
                ASSERT_EQ(a.apres.rondes, x->apres.rondes)
                    << "graine " << p.graine << " ronde " << r;
                ASSERT_EQ(a.apres.joueurs, x->apres.joueurs)
                    << "graine " << p.graine << " ronde " << r;
            }
            if (!a.ok) ++echecs;
        });
    }
    std::printf(
        "rondes comparees %d (dont %d echecs, %d de plus de 1000 noeuds, %d avec couplage "
        "pondere, %d relancees), trop longues %d; noeuds %lld seule, %lld elaguee\n",
        comparees, echecs, longues, ponderees, relancees, trop_longues,
        static_cast<long long>(noeuds_seule), static_cast<long long>(noeuds_elaguee));
    // The comparison covered failures and long searches, not only easy rounds.
    EXPECT_GT(comparees, 500);
    EXPECT_GT(echecs, 15);
    EXPECT_GT(longues, 15);
    EXPECT_GT(ponderees, 50);
    EXPECT_GT(relancees, 100);
    EXPECT_LT(noeuds_elaguee * 4, noeuds_seule);
}

}  // namespace
}  // namespace tavo
