// The director's corrections: undoing a round, exchanging players, late
// entries, results of earlier rounds and seeding by rating.
#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <map>
#include <random>

#include "gestion/corrections.h"
#include "gestion/fichiers.h"
#include "gestion/joueurs.h"
#include "gestion/resultats.h"
#include "gestion/rondes.h"
#include "model/texte.h"
#include "reports/rapports.h"
#include "standings/departages.h"
#include "standings/scores.h"
#include "support/dossier_test.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

using test::InteractionTest;

// Everything of a tournament that an undo must give back: each player's
// record by id (points recomputed), every table, and the header but for the
// marks that the undo itself sets (modifie) and the count only the first
// round's pairing keeps (nb_actifs).
struct Etat {
    std::map<int, std::vector<char>> joueurs;
    std::vector<char> tables;
    std::vector<char> entete;
};

template <typename T>
std::vector<char> octets(const T& valeur) {
    const char* debut = reinterpret_cast<const char*>(&valeur);
    return std::vector<char>(debut, debut + sizeof(T));
}

Etat etat(Tournoi t) {
    calculer_points(t);
    Etat e;
    for (int p = 1; p <= t.entete.nb_joueurs; ++p)
        e.joueurs[t.joueurs[p].id] = octets(t.joueurs[p]);
    e.tables = octets(t.app);
    const std::vector<char> comptes = octets(t.nb_app);
    e.tables.insert(e.tables.end(), comptes.begin(), comptes.end());
    EnteteTournoi entete = t.entete;
    entete.modifie = 0;
    entete.nb_actifs = 0;
    e.entete = octets(entete);
    return e;
}

bool operator==(const Etat& a, const Etat& b) {
    return a.joueurs == b.joueurs && a.tables == b.tables && a.entete == b.entete;
}

void saisir_au_hasard(Tournoi& t, std::mt19937& alea) {
    for (int table = 0; table < gestion::nb_tables(t); ++table) {
        const int blanc = static_cast<int>(alea() % 65);
        if (t.entete.othello)
            gestion::enregistrer_pions(t, table, blanc, 64 - blanc);
        else
            gestion::enregistrer_points(t, table, blanc % 3);
    }
}

// Between rounds: up to three players leave at once, one may come back, one
// may arrive late.
void entrees_et_sorties(Tournoi& t, std::mt19937& alea, int ronde) {
    const auto au_hasard = [&] { return 1 + static_cast<int>(alea() % t.entete.nb_joueurs); };
    for (int k = static_cast<int>(alea() % 4); k > 0; --k) t.joueur(au_hasard()).actif = 0;
    if (alea() % 2 == 0) t.joueur(au_hasard()).actif = 1;
    if (alea() % 4 == 0 && t.entete.nb_joueurs < MAX_JOUEURS) {
        FicheJoueur tard;
        tard.nom = "TARD" + std::to_string(ronde);
        InteractionTest io;
        EXPECT_NE(gestion::inscrire_joueur(t, tard, io), 0);
    }
}

// The tournament as the program finds it in its file.
void sauver_et_recharger(Tournoi& t, const std::filesystem::path& fichier) {
    InteractionTest io;
    ASSERT_TRUE(gestion::sauver_tournoi(t, fichier.string(), io)) << test::u(io.erreurs.back());
    ASSERT_TRUE(gestion::charger_tournoi(t, fichier.string(), io)) << test::u(io.erreurs.back());
}

// Generated tournaments, each round paired, its results entered, the
// tournament saved and loaded again through its file (which keeps every
// round's tables up to the current round's count only) and the round
// undone: the tournament is the one before the pairing, every table of every
// round and every player's record, and the same pairing follows.
TEST(Corrections, UndoGivesBackTheTournamentAndTheSamePairing) {
    test::DossierTemporaire dossier;
    const std::filesystem::path fichier = dossier.chemin() / "t.pxi";
    int rondes_annulees = 0;
    int tables_refaites = 0;  // tables the file left out, brought back at the load
    int plusieurs = 0;        // rounds that lost more than one table
    for (unsigned graine = 0; graine < 16; ++graine) {
        std::mt19937 alea(graine);
        const int n = graine % 8 == 7 ? 100 : 5 + static_cast<int>(alea() % 20);
        Tournoi t = test::tournoi_avec_joueurs(n, 9, {"BU", "SB"});
        t.entete.othello = graine % 3 == 0 ? 1 : 0;
        InteractionTest io;
        for (int ronde = 0; ronde < 9; ++ronde) {
            SCOPED_TRACE("graine " + std::to_string(graine) + ", ronde " +
                         std::to_string(ronde + 1));
            if (ronde > 0) entrees_et_sorties(t, alea, ronde);
            const Etat avant = etat(t);
            Rapport feuille;
            if (!gestion::apparier_ronde(t, feuille, io)) break;
            const Etat apparie = etat(t);
            saisir_au_hasard(t, alea);
            sauver_et_recharger(t, fichier);
            for (int r = 0; r < ronde; ++r) {
                const int hors_du_fichier = t.nb_app[r] - t.nb_app[ronde];
                tables_refaites += std::max(hors_du_fichier, 0);
                plusieurs += hors_du_fichier > 1 ? 1 : 0;
            }
            ASSERT_TRUE(gestion::annuler_ronde(t, io, true));
            ASSERT_TRUE(etat(t) == avant);
            ++rondes_annulees;
            Rapport encore;
            ASSERT_TRUE(gestion::apparier_ronde(t, encore, io));
            EXPECT_EQ(encore.lignes(), feuille.lignes());
            EXPECT_TRUE(etat(t) == apparie);
            saisir_au_hasard(t, alea);
            ASSERT_TRUE(gestion::tout_verifier(t, io));
        }
    }
    EXPECT_GT(rondes_annulees, 100);
    EXPECT_GT(tables_refaites, 100);
    EXPECT_GT(plusieurs, 20);
    std::cout << "[ bilan    ] " << rondes_annulees << " rondes annulees apres relecture, "
              << tables_refaites << " tables refaites, " << plusieurs
              << " rondes a plusieurs tables\n";
}

TEST(Corrections, UndoAsksBeforeLosingResults) {
    Tournoi t = test::tournoi_avec_joueurs(5, 3);
    InteractionTest io;
    Rapport feuille;
    ASSERT_TRUE(gestion::apparier_ronde(t, feuille, io));
    // Only the bye's automatic result: nothing to ask.
    Tournoi sans = t;
    ASSERT_TRUE(gestion::annuler_ronde(sans, io));
    EXPECT_TRUE(io.questions.empty());
    EXPECT_EQ(sans.entete.ronde_courante, -1);
    EXPECT_TRUE(gestion::suppression_possible(sans));

    gestion::enregistrer_points(t, 0, 2);
    gestion::enregistrer_points(t, 1, 1);
    const std::vector<char> avant = octets(t.joueurs);
    io.reponse = false;
    EXPECT_FALSE(gestion::annuler_ronde(t, io));
    EXPECT_EQ(io.questions.back(),
              cp("Confirmation|Annuler la ronde n°1 ? 2 résultats déjà saisis seront perdus."));
    EXPECT_EQ(octets(t.joueurs), avant);
    io.reponse = true;
    EXPECT_TRUE(gestion::annuler_ronde(t, io));
    EXPECT_FALSE(gestion::annuler_ronde(t, io));
    EXPECT_EQ(io.erreurs.back(), cp("Aucune ronde n'a encore été appariée"));
}

// Six players after one round: 1-4, 2-5, 3-6, all draws. For round 2,
// 1, 2 and 3 are strongly due black (their white and the new round's), so
// each of them plays black against one of 4, 5 and 6.
struct DeuxRondes {
    Tournoi t = test::tournoi_avec_joueurs(6, 5);
    InteractionTest io;
    DeuxRondes() {
        Rapport feuille;
        EXPECT_TRUE(gestion::apparier_ronde(t, feuille, io));
        for (int table = 0; table < 3; ++table) gestion::enregistrer_points(t, table, 1);
        EXPECT_TRUE(gestion::tout_verifier(t, io));
        EXPECT_TRUE(gestion::apparier_ronde(t, feuille, io));
        t.entete.modifie = 0;
    }
    // The white player facing `noir` in round 2.
    int blanc_contre(int noir) const {
        for (int k = 0; k < t.nb_app[1]; ++k)
            if (t.app[1][k].noir == noir) return t.app[1][k].blanc;
        return 0;
    }
};

TEST(Corrections, ExchangesBreakingARuleAreAskedAndRecordsFollow) {
    DeuxRondes d;
    Tournoi& t = d.t;
    const int w = d.blanc_contre(1);
    ASSERT_GE(w, 5);  // 4 met 1 in round 1
    const std::vector<char> avant = octets(t);

    // At one table the colours change hands: 1 would have white.
    d.io.reponse = false;
    EXPECT_FALSE(gestion::echanger_joueurs(t, w, 1, d.io));
    EXPECT_NE(d.io.questions.back().find(cp("NOM1 Prenom1 doit jouer avec les Noirs")),
              std::string::npos);
    // 4 takes w's seat against 1, whom he met in round 1.
    EXPECT_FALSE(gestion::echanger_joueurs(t, w, 4, d.io));
    EXPECT_NE(
        d.io.questions.back().find(cp("NOM4 Prenom4 et NOM1 Prenom1 se sont déjà rencontrés")),
        std::string::npos);
    EXPECT_EQ(octets(t), avant);

    // Refusals without a question.
    const struct {
        int a, b;
        const char* erreur;
    } refus[] = {{1, 1, "Choisissez deux joueurs différents"},
                 {1, 7, "Le joueur n°7 ne joue pas la ronde n°2"}};
    for (const auto& r : refus) {
        EXPECT_FALSE(gestion::echanger_joueurs(t, r.a, r.b, d.io, true));
        EXPECT_EQ(d.io.erreurs.back(), cp(r.erreur));
    }
    EXPECT_EQ(octets(t), avant);

    // Forced: done, and every record follows.
    ASSERT_TRUE(gestion::echanger_joueurs(t, w, 4, d.io, true));
    EXPECT_EQ(t.joueur(4).adversaires[1], 1);
    EXPECT_EQ(t.joueur(1).adversaires[1], 4);
    EXPECT_EQ(t.joueur(4).couleurs[1], BLANC);
    EXPECT_EQ(d.blanc_contre(1), 4);
    EXPECT_EQ(t.entete.modifie, 1);

    // A table with a result entered cannot change.
    gestion::enregistrer_points(t, 0, 2);
    const int a = t.app[1][0].noir;
    const int b = t.app[1][1].noir;
    EXPECT_FALSE(gestion::echanger_joueurs(t, a, b, d.io, true));
    EXPECT_EQ(d.io.erreurs.back(), cp("La table n°1 a déjà un résultat"));
}

TEST(Corrections, TheByeMovesWithItsResult) {
    Tournoi t = test::tournoi_avec_joueurs(5, 3);
    InteractionTest io;
    Rapport feuille;
    ASSERT_TRUE(gestion::apparier_ronde(t, feuille, io));  // 1-3, 2-4, 5 has the bye
    ASSERT_EQ(t.app[0][2].blanc, 5);
    ASSERT_EQ(t.app[0][2].noir, ID_QUALIFIE);
    ASSERT_TRUE(gestion::echanger_joueurs(t, 5, 4, io));
    EXPECT_EQ(t.app[0][1].noir, 5);
    EXPECT_EQ(t.app[0][2].blanc, 4);
    EXPECT_EQ(t.app[0][2].res_blanc, 2);
    EXPECT_EQ(t.app[0][2].saisi, 1);
    EXPECT_EQ(t.joueur(4).adversaires[0], ID_QUALIFIE);
    EXPECT_EQ(t.joueur(4).resultats[0], 2);
    EXPECT_EQ(t.joueur(4).pions[0], 33);
    EXPECT_EQ(t.joueur(5).adversaires[0], 2);
    EXPECT_EQ(t.joueur(5).couleurs[0], NOIR);
    EXPECT_EQ(t.joueur(5).resultats[0], 0);

    // Round 2: 4 may not have the bye a second time.
    for (int table = 0; table < 2; ++table) gestion::enregistrer_points(t, table, 1);
    ASSERT_TRUE(gestion::tout_verifier(t, io));
    ASSERT_TRUE(gestion::apparier_ronde(t, feuille, io));
    int exempt = 0;
    for (int table = 0; table < t.nb_app[1]; ++table) {
        const Appariement& a = t.app[1][table];
        if (a.noir == ID_QUALIFIE) exempt = a.blanc;
        if (a.blanc == ID_QUALIFIE) exempt = a.noir;
    }
    ASSERT_TRUE(est_joueur(exempt));
    ASSERT_NE(exempt, 4);
    io.reponse = false;
    EXPECT_FALSE(gestion::echanger_joueurs(t, exempt, 4, io));
    ASSERT_FALSE(io.questions.empty()) << io.erreurs.back();
    EXPECT_NE(io.questions.back().find(cp("NOM4 Prenom4 a déjà été exempté")), std::string::npos);
}

TEST(Corrections, LateEntrantForfeitsTheRoundsBeforeHim) {
    Tournoi t = test::tournoi_avec_joueurs(6, 4, {"BU", "PP"});
    InteractionTest io;
    Rapport feuille;
    ASSERT_TRUE(gestion::apparier_ronde(t, feuille, io));
    for (int table = 0; table < 3; ++table) gestion::enregistrer_points(t, table, 2);
    ASSERT_TRUE(gestion::tout_verifier(t, io));
    ASSERT_TRUE(gestion::apparier_ronde(t, feuille, io));
    FicheJoueur fiche;
    fiche.nom = "TARD";
    fiche.prenom = "Venu";
    const int id = gestion::inscrire_joueur(t, fiche, io);  // during round 2
    ASSERT_EQ(id, 7);
    for (int table = 0; table < 3; ++table) gestion::enregistrer_points(t, table, 1);
    ASSERT_TRUE(gestion::tout_verifier(t, io));
    ASSERT_TRUE(gestion::apparier_ronde(t, feuille, io));  // round 3: he plays
    const Joueur& j = t.joueur(id);
    EXPECT_TRUE(est_joueur(j.adversaires[2]) || j.adversaires[2] == ID_QUALIFIE);
    for (int table = 0; table < t.nb_app[2]; ++table)
        if (t.app[2][table].saisi == 0) gestion::enregistrer_points(t, table, 2);
    ASSERT_TRUE(gestion::tout_verifier(t, io));

    trier_classement(t);
    const Joueur& tard = t.joueur(id);
    EXPECT_EQ(tard.points, tard.resultats[2]);  // nothing for the two forfeits
    EXPECT_EQ(tard.resultats[2], 2);            // a win as white, or the bye
    // Bucholz counts his one real opponent only; PP counts 33 per forfeit.
    const int adversaire = tard.adversaires[2];
    EXPECT_EQ(departage_bucholz(t, tard), est_joueur(adversaire) ? t.joueur(adversaire).points : 0);
    EXPECT_EQ(departage_pions_pris(t, tard), 33 + 33 + (est_joueur(adversaire) ? 0 : 33));
    Rapport historique_;
    historique(t, historique_);
    bool vu = false;
    for (std::size_t k = 0; k + 1 < historique_.lignes().size(); ++k)
        if (historique_.lignes()[k].find("TARD") != std::string::npos) {
            EXPECT_EQ(historique_.lignes()[k + 1].substr(0, 20), "      (F)?0  (F)?0  ");
            vu = true;
        }
    EXPECT_TRUE(vu);
}

TEST(Corrections, EarlierResultsAreCorrectedAndCountAtOnce) {
    DeuxRondes d;
    Tournoi& t = d.t;
    t.indexer_joueurs();
    const std::vector<char> tables_ronde_2 = octets(t.app[1]);
    const int blanc = t.app[0][0].blanc;
    ASSERT_TRUE(gestion::saisir_resultat(t, 1, 2, 0, d.io, 1));
    EXPECT_EQ(d.io.informations.back(), gestion::correction_ronde_passee());
    EXPECT_EQ(t.joueur(blanc).resultats[0], 2);
    calculer_points(t);
    EXPECT_EQ(t.joueur(blanc).points, 2);
    EXPECT_EQ(octets(t.app[1]), tables_ronde_2);  // the pairing made stays
    EXPECT_FALSE(gestion::saisir_resultat(t, 1, 2, 0, d.io, 3));
    EXPECT_EQ(d.io.erreurs.back(), cp("La ronde n°3 n'est pas appariée"));
}

TEST(Corrections, SeedingByRatingBeforeTheFirstRound) {
    Tournoi t = test::tournoi_avec_joueurs(4);
    InteractionTest io;
    const int elos[] = {1500, 1800, 1500, 0};
    const char* noms[] = {"Zoé", "B", "Émile", "A"};
    for (int id = 1; id <= 4; ++id) {
        t.joueur(id).elo = static_cast<std::int16_t>(elos[id - 1]);
        copier_champ(t.joueur(id).nom, cp(noms[id - 1]));
    }
    ASSERT_TRUE(gestion::trier_par_elo(t, io));
    std::vector<std::string> ordre;
    for (int id = 1; id <= 4; ++id) ordre.push_back(vers_utf8(champ(t.joueur(id).nom)));
    EXPECT_EQ(ordre, (std::vector<std::string>{"B", "Émile", "Zoé", "A"}));
    t.entete.ronde_courante = 0;
    EXPECT_FALSE(gestion::trier_par_elo(t, io));
    EXPECT_EQ(io.erreurs.back(),
              cp("Impossible de trier les joueurs : la première ronde est déjà appariée"));
}

}  // namespace
}  // namespace tavo
