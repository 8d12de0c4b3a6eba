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
#include "model/registre.h"
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
// record (points recomputed, in number order), every table, and the header
// but for the marks that the undo itself sets (modifie) and the count only
// the first round's pairing keeps (nb_actifs).
struct Etat {
    std::vector<Joueur> joueurs;
    std::vector<Ronde> rondes;
    EnteteTournoi entete;
    bool operator==(const Etat&) const = default;
};

Etat etat(Tournoi t) {
    appliquer_classement(t);
    std::sort(t.joueurs.begin(), t.joueurs.end(),
              [](const Joueur& a, const Joueur& b) { return a.id < b.id; });
    t.entete.modifie = false;
    t.entete.nb_actifs = 0;
    return {t.joueurs, t.rondes, t.entete};
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
    const auto au_hasard = [&] { return 1 + static_cast<int>(alea() % t.nb_joueurs()); };
    for (int k = static_cast<int>(alea() % 4); k > 0; --k) t.joueur(au_hasard()).actif = false;
    if (alea() % 2 == 0) t.joueur(au_hasard()).actif = true;
    if (alea() % 4 == 0 && t.nb_joueurs() < capacite_joueurs(t)) {
        FicheJoueur tard;
        tard.nom = "TARD" + std::to_string(ronde);
        InteractionTest io;
        EXPECT_NE(gestion::inscrire_joueur(t, tard, io), 0);
    }
}

// The tournament as the program finds it in its file.
void sauver_et_recharger(Tournoi& t, const std::filesystem::path& fichier) {
    InteractionTest io;
    ASSERT_TRUE(gestion::sauver_tournoi(t, fichier.string(), io)) << io.erreurs.back();
    ASSERT_TRUE(gestion::charger_tournoi(t, fichier.string(), io)) << io.erreurs.back();
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
                const int hors_du_fichier = t.nb_tables(r) - t.nb_tables(ronde);
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
    const std::vector<Joueur> avant = t.joueurs;
    io.reponse = false;
    EXPECT_FALSE(gestion::annuler_ronde(t, io));
    EXPECT_EQ(io.questions.back(),
              "Confirmation|Annuler la ronde n°1 ? 2 résultats déjà saisis seront perdus.");
    EXPECT_EQ(t.joueurs, avant);
    io.reponse = true;
    EXPECT_TRUE(gestion::annuler_ronde(t, io));
    EXPECT_FALSE(gestion::annuler_ronde(t, io));
    EXPECT_EQ(io.erreurs.back(), "Aucune ronde n'a encore été appariée");
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
        t.entete.modifie = false;
    }
    // The white player facing `noir` in round 2.
    int blanc_contre(int noir) const {
        for (int k = 0; k < t.nb_tables(1); ++k)
            if (t.table(1, k).noir == noir) return t.table(1, k).blanc;
        return 0;
    }
};

TEST(Corrections, ExchangesBreakingARuleAreAskedAndRecordsFollow) {
    DeuxRondes d;
    Tournoi& t = d.t;
    const int w = d.blanc_contre(1);
    ASSERT_GE(w, 5);  // 4 met 1 in round 1
    t.interdits = {{1, 4}};
    const Tournoi avant = t;

    // At one table the colours change hands: 1 would have white.
    d.io.reponse = false;
    EXPECT_FALSE(gestion::echanger_joueurs(t, w, 1, d.io));
    EXPECT_NE(d.io.questions.back().find("NOM1 Prenom1 doit jouer avec les Noirs"),
              std::string::npos);
    // 4 takes w's seat against 1, whom he met in round 1.
    EXPECT_FALSE(gestion::echanger_joueurs(t, w, 4, d.io));
    EXPECT_NE(d.io.questions.back().find("NOM4 Prenom4 et NOM1 Prenom1 se sont déjà rencontrés"),
              std::string::npos);
    EXPECT_NE(d.io.questions.back().find("NOM4 Prenom4 et NOM1 Prenom1 ne doivent pas se "
                                         "rencontrer (appariement interdit)"),
              std::string::npos);
    EXPECT_TRUE(t == avant);

    // Refusals without a question.
    const struct {
        int a, b;
        const char* erreur;
    } refus[] = {{1, 1, "Choisissez deux joueurs différents"},
                 {1, 7, "Le joueur n°7 ne joue pas la ronde n°2"}};
    for (const auto& r : refus) {
        EXPECT_FALSE(gestion::echanger_joueurs(t, r.a, r.b, d.io, true));
        EXPECT_EQ(d.io.erreurs.back(), std::string(r.erreur));
    }
    EXPECT_TRUE(t == avant);

    // Forced: done, and every record follows.
    ASSERT_TRUE(gestion::echanger_joueurs(t, w, 4, d.io, true));
    EXPECT_EQ(t.joueur(4).ronde(1).adversaire, 1);
    EXPECT_EQ(t.joueur(1).ronde(1).adversaire, 4);
    EXPECT_EQ(t.joueur(4).ronde(1).couleur, BLANC);
    EXPECT_EQ(d.blanc_contre(1), 4);
    EXPECT_TRUE(t.entete.modifie);

    // A table with a result entered cannot change.
    gestion::enregistrer_points(t, 0, 2);
    const int a = t.table(1, 0).noir;
    const int b = t.table(1, 1).noir;
    EXPECT_FALSE(gestion::echanger_joueurs(t, a, b, d.io, true));
    EXPECT_EQ(d.io.erreurs.back(), "La table n°1 a déjà un résultat");
}

TEST(Corrections, TheByeMovesWithItsResult) {
    Tournoi t = test::tournoi_avec_joueurs(5, 3);
    InteractionTest io;
    Rapport feuille;
    ASSERT_TRUE(gestion::apparier_ronde(t, feuille, io));  // 1-3, 2-4, 5 has the bye
    ASSERT_EQ(t.table(0, 2).blanc, 5);
    ASSERT_EQ(t.table(0, 2).noir, ID_QUALIFIE);
    ASSERT_TRUE(gestion::echanger_joueurs(t, 5, 4, io));
    EXPECT_EQ(t.table(0, 1).noir, 5);
    EXPECT_EQ(t.table(0, 2).blanc, 4);
    EXPECT_EQ(t.table(0, 2).res_blanc, Resultat::gain);
    EXPECT_TRUE(t.table(0, 2).saisi());
    EXPECT_EQ(t.joueur(4).ronde(0).adversaire, ID_QUALIFIE);
    EXPECT_EQ(demi_points(t.joueur(4).ronde(0).resultat), 2);
    EXPECT_EQ(t.joueur(4).ronde(0).pions, 33);
    EXPECT_EQ(t.joueur(5).ronde(0).adversaire, 2);
    EXPECT_EQ(t.joueur(5).ronde(0).couleur, NOIR);
    EXPECT_EQ(demi_points(t.joueur(5).ronde(0).resultat), 0);

    // Round 2: 4 may not have the bye a second time.
    for (int table = 0; table < 2; ++table) gestion::enregistrer_points(t, table, 1);
    ASSERT_TRUE(gestion::tout_verifier(t, io));
    ASSERT_TRUE(gestion::apparier_ronde(t, feuille, io));
    int exempt = 0;
    for (int table = 0; table < t.nb_tables(1); ++table) {
        const Appariement& a = t.table(1, table);
        if (a.noir == ID_QUALIFIE) exempt = a.blanc;
        if (a.blanc == ID_QUALIFIE) exempt = a.noir;
    }
    ASSERT_TRUE(est_joueur(exempt));
    ASSERT_NE(exempt, 4);
    io.reponse = false;
    EXPECT_FALSE(gestion::echanger_joueurs(t, exempt, 4, io));
    ASSERT_FALSE(io.questions.empty()) << io.erreurs.back();
    EXPECT_NE(io.questions.back().find("NOM4 Prenom4 a déjà été exempté"), std::string::npos);
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
    EXPECT_TRUE(est_joueur(j.ronde(2).adversaire) || j.ronde(2).adversaire == ID_QUALIFIE);
    for (int table = 0; table < t.nb_tables(2); ++table)
        if (!t.table(2, table).saisi()) gestion::enregistrer_points(t, table, 2);
    ASSERT_TRUE(gestion::tout_verifier(t, io));

    appliquer_classement(t);
    const Joueur& tard = t.joueur(id);
    EXPECT_EQ(tard.points, demi_points(tard.ronde(2).resultat));  // nothing for the forfeits
    EXPECT_EQ(demi_points(tard.ronde(2).resultat), 2);            // a win as white, or the bye
    // Bucholz counts his one real opponent only; PP counts 33 per forfeit.
    const int adversaire = tard.ronde(2).adversaire;
    const std::vector<int> points = points_par_numero(t);
    EXPECT_EQ(valeur_departage(ID_BUCHOLZ, t, points, tard),
              est_joueur(adversaire) ? t.joueur(adversaire).points : 0);
    EXPECT_EQ(valeur_departage(ID_PIONS_PRIS, t, points, tard),
              33 + 33 + (est_joueur(adversaire) ? 0 : 33));
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
    const Ronde tables_ronde_2 = t.rondes[1];
    const int blanc = t.table(0, 0).blanc;
    ASSERT_TRUE(gestion::saisir_resultat(t, 1, 2, 0, d.io, 1));
    EXPECT_EQ(d.io.informations.back(), gestion::correction_ronde_passee());
    EXPECT_EQ(demi_points(t.joueur(blanc).ronde(0).resultat), 2);
    appliquer_classement(t);
    EXPECT_EQ(t.joueur(blanc).points, 2);
    EXPECT_EQ(t.rondes[1], tables_ronde_2);  // the pairing made stays
    EXPECT_FALSE(gestion::saisir_resultat(t, 1, 2, 0, d.io, 3));
    EXPECT_EQ(d.io.erreurs.back(), "La ronde n°3 n'est pas appariée");
}

TEST(Corrections, SeedingByRatingBeforeTheFirstRound) {
    Tournoi t = test::tournoi_avec_joueurs(4);
    InteractionTest io;
    const int elos[] = {1500, 1800, 1500, 0};
    const char* noms[] = {"Zoé", "B", "Émile", "A"};
    for (int id = 1; id <= 4; ++id) {
        t.joueur(id).elo = elos[id - 1];
        t.joueur(id).nom = std::string(noms[id - 1]);
    }
    ASSERT_TRUE(gestion::trier_par_elo(t, io));
    std::vector<std::string> ordre;
    for (int id = 1; id <= 4; ++id) ordre.push_back(t.joueur(id).nom);
    EXPECT_EQ(ordre, (std::vector<std::string>{"B", "Émile", "Zoé", "A"}));
    t.entete.ronde_courante = 0;
    EXPECT_FALSE(gestion::trier_par_elo(t, io));
    EXPECT_EQ(io.erreurs.back(),
              "Impossible de trier les joueurs : la première ronde est déjà appariée");
}

}  // namespace
}  // namespace tavo
