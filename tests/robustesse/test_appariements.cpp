// Generated tournaments played round by round through "Nouvelle Ronde", random
// results and "Tout Vérifier"; the independent checker verifies every pairing
// and the file written after each round must load back. A few hundred
// tournaments by default; TAVO_TOURNOIS=N plays N of them (scripts/verifier-appariements
// runs thousands).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <random>

#include "gestion/resultats.h"
#include "model/fichier_tournoi.h"
#include "model/registre.h"
#include "model/texte.h"
#include "pairing/appariement.h"
#include "pairing/recherche.h"
#include "standings/departages.h"
#include "support/tournoi_test.h"
#include "support/verificateur_appariement.h"

namespace tavo::test {
namespace {

struct Bilan {
    int tournois = 0;
    int appariements = 0;
    int impossibles = 0;
};

int nombre_de_tournois() {
    const char* valeur = std::getenv("TAVO_TOURNOIS");
    const int n = valeur ? std::atoi(valeur) : 0;
    return n > 0 ? n : 300;
}

Tournoi tournoi_tire(std::mt19937& alea) {
    const int joueurs = 2 + static_cast<int>(alea() % 11);  // 2 to 12
    std::vector<std::string> departages;
    for (const char* libelle : LIBELLES_DEPARTAGE)
        if (alea() % 3 == 0) departages.push_back(libelle);
    if (departages.empty()) departages.push_back("BU");
    Tournoi t = tournoi_avec_joueurs(joueurs, 1 + static_cast<int>(alea() % 12), departages);
    if (alea() % 4 == 0) {
        t.entete.jeu = "Othello";
        t.entete.othello = true;
    }
    for (int id = 1; id <= joueurs; ++id) {
        FicheJoueur f = lire_fiche(t.joueur(id));
        f.elo = static_cast<int>(alea() % 2500);
        f.actif = alea() % 10 != 0;
        ecrire_fiche(t.joueur(id), f);
    }
    return t;
}

void saisir_resultats(Tournoi& t, std::mt19937& alea) {
    const int r = t.entete.ronde_courante;
    for (int table = 0; table < t.nb_tables(r); ++table) {
        const Appariement& a = t.table(r, table);
        if (a.blanc == ID_QUALIFIE || a.noir == ID_QUALIFIE) continue;
        if (t.entete.othello) {
            const int pions = static_cast<int>(alea() % 65);
            EXPECT_TRUE(gestion::enregistrer_pions(t, table, pions, 64 - pions));
        } else {
            EXPECT_TRUE(gestion::enregistrer_points(t, table, static_cast<int>(alea() % 3)));
        }
    }
}

// Plays one tournament to its last planned round, or until a round cannot be
// paired.
void jouer(unsigned graine, Bilan& bilan) {
    SCOPED_TRACE("tournoi tire avec la graine " + std::to_string(graine));
    std::mt19937 alea(graine);
    Tournoi t = tournoi_tire(alea);
    t.entete.nb_rondes =
        static_cast<std::int16_t>(std::min<int>(t.entete.nb_rondes, t.nb_joueurs()));
    ++bilan.tournois;
    for (;;) {
        // A player may leave or come back between rounds.
        if (t.entete.ronde_courante >= 0 && alea() % 5 == 0) {
            Joueur& j = t.joueur(1 + static_cast<int>(alea() % t.nb_joueurs()));
            j.actif = !j.actif;
        }
        const int avant = t.entete.ronde_courante;
        if (avant >= t.entete.nb_rondes - 1) return;
        InteractionTest io;
        if (!nouvelle_ronde(t, io)) {
            EXPECT_EQ(t.entete.ronde_courante, avant);
            if (t.nb_joueurs_actifs() > 0) {
                EXPECT_EQ(io.erreurs, std::vector<std::string>{"Appariements impossibles"});
                ++bilan.impossibles;
            }
            return;
        }
        const int r = t.entete.ronde_courante;
        ASSERT_EQ(r, avant + 1);
        ++bilan.appariements;
        // Strong colours may be broken only by the fallback pairing.
        const OptionsVerification options{.couleurs_fortes = !statistiques_recherche().secours};
        const std::vector<std::string> defauts = defauts_appariement(t, r, options);
        for (const std::string& d : defauts) ADD_FAILURE() << d;
        if (!defauts.empty()) return;

        saisir_resultats(t, alea);
        ASSERT_TRUE(gestion::tout_verifier(t, io)) << (io.erreurs.empty() ? "" : io.erreurs.back());

        // The file of the tournament as it stands loads back to the same bytes.
        const std::vector<char> image = image_fichier(t);
        Tournoi relu;
        ASSERT_EQ(lire_image(std::string_view(image.data(), image.size()), relu),
                  ErreurLecture::aucune);
        ASSERT_EQ(image_fichier(relu), image);
    }
}

TEST(AppariementsVerifies, TournoisTires) {
    Bilan bilan;
    const int n = nombre_de_tournois();
    for (int i = 0; i < n && !HasFailure(); ++i) jouer(static_cast<unsigned>(i), bilan);
    std::cout << "[ bilan    ] " << bilan.tournois << " tournois, " << bilan.appariements
              << " appariements verifies, " << bilan.impossibles
              << " rondes impossibles a apparier\n";
    EXPECT_GT(bilan.appariements, bilan.tournois);
}

// The checker itself finds the faults it is meant to find.
TEST(AppariementsVerifies, LeVerificateurVoitLesFautes) {
    Tournoi t = tournoi_avec_joueurs(5);
    InteractionTest io;
    ASSERT_TRUE(nouvelle_ronde(t, io));
    for (int table = 0; table < 2; ++table) gestion::enregistrer_points(t, table, 2);
    ASSERT_TRUE(gestion::tout_verifier(t, io));
    ASSERT_TRUE(nouvelle_ronde(t, io));
    ASSERT_TRUE(defauts_appariement(t, 1).empty());

    Tournoi revu = t;  // a rematch of round 1's first table
    revu.table(1, 0) = t.table(0, 0);
    EXPECT_FALSE(defauts_appariement(revu, 1).empty());

    revu = t;  // the bye given again to the player who had it
    const int exempt = t.table(0, 2).blanc;
    for (int table = 0; table < 3; ++table) {
        Appariement& a = revu.table(1, table);
        if (a.noir == ID_QUALIFIE) a.blanc = exempt;
        if (a.blanc == ID_QUALIFIE) a.noir = exempt;
    }
    EXPECT_FALSE(defauts_appariement(revu, 1).empty());

    revu = t;  // an active player left out
    revu.rondes[1].tables.resize(2);
    EXPECT_FALSE(defauts_appariement(revu, 1).empty());

    revu = t;  // an inactive player without his forfeit
    revu.joueur(2).actif = false;
    EXPECT_FALSE(defauts_appariement(revu, 1).empty());

    // A strong colour broken: a player with two whites before the round
    // (three counting the new one) gets white again.
    revu = t;
    Joueur& j = revu.joueur(revu.table(1, 0).blanc);
    j.ronde(0).couleur = BLANC;
    EXPECT_FALSE(defauts_appariement(revu, 1).empty());
    // The same pairing is sound once strong colours may give way.
    EXPECT_TRUE(defauts_appariement(revu, 1, {.couleurs_fortes = false}).empty());
}

}  // namespace
}  // namespace tavo::test
