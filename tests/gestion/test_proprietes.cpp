#include <gtest/gtest.h>

#include "gestion/proprietes.h"
#include "model/fichier_tournoi.h"
#include "model/texte.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

using gestion::Proprietes;
using test::InteractionTest;

Proprietes proprietes(const std::string& jeu, int rondes, std::vector<int> departages) {
    return Proprietes{"12/12/26", "Open", jeu, rondes, std::move(departages)};
}

TEST(Proprietes, RefusedValuesLeaveTheTournamentAsItWas) {
    const struct {
        Proprietes p;
        const char* erreur;
    } cas[] = {
        {proprietes("Echecs", 5, {}), "Il me faut au moins une fonction de départage"},
        {proprietes("Echecs", 16, {0}), "Le nombre de rondes doit être compris entre 0 et 15"},
        {proprietes("Echecs", -1, {0}), "Le nombre de rondes doit être compris entre 0 et 15"},
        {proprietes("Echecs", 5, {2, 2}), "Chaque fonction de départage se choisit une fois"},
        {proprietes("Echecs", 5, {6}), "Chaque fonction de départage se choisit une fois"},
    };
    for (const auto& c : cas) {
        Tournoi t = test::tournoi_avec_joueurs(3);
        const std::vector<char> avant = image_fichier(t);
        InteractionTest io;
        EXPECT_FALSE(gestion::nouveau_tournoi(t, c.p, io));
        EXPECT_FALSE(gestion::modifier_tournoi(t, c.p, io));
        EXPECT_EQ(io.erreurs, std::vector<std::string>(2, std::string(c.erreur)));
        EXPECT_EQ(image_fichier(t), avant);
        EXPECT_FALSE(t.entete.modifie);
    }
}

TEST(Proprietes, NewTournamentTakesEverythingAndErasesThePlayers) {
    Tournoi t = test::tournoi_avec_joueurs(3);
    InteractionTest io;
    Proprietes p = proprietes("othello", 7, {2, 0});
    p.nom = std::string(60, 'N');
    ASSERT_TRUE(gestion::nouveau_tournoi(t, p, io));
    EXPECT_EQ(t.nb_joueurs(), 0);
    EXPECT_EQ(t.entete.nom, std::string(49, 'N'));
    EXPECT_TRUE(t.entete.othello);  // the case of the letters does not matter
    EXPECT_EQ(t.entete.departages.front(), 2);
    EXPECT_TRUE(t.entete.modifie);
    const Proprietes relues = gestion::lire_proprietes(t);
    EXPECT_EQ(relues.departages, (std::vector<int>{2, 0}));
    EXPECT_EQ(relues.nb_rondes, 7);
    EXPECT_FALSE(est_othello("Othello "));  // a trailing blank makes another game
}

// Once a round is paired the game cannot change to or from Othello; a
// refusal changes nothing at all, not even the unsaved mark.
TEST(Proprietes, OthelloCannotBeEnteredOrLeftOnceStarted) {
    const struct {
        const char* avant;
        const char* apres;
        bool commence;
        const char* erreur;
    } cas[] = {
        {"Echecs", "OTHELLO", true, "Impossible de passer au jeu Othello en milieu de tournoi !"},
        {"Othello", "Dames", true,
         "Impossible de passer à un autre jeu qu'Othello en milieu de tournoi !"},
        {"Echecs", "Dames", true, nullptr},
        {"Othello", "othello", true, nullptr},
        {"Echecs", "Othello", false, nullptr},
        {"Othello", "Quarto", false, nullptr},
    };
    for (const auto& c : cas) {
        Tournoi t;
        InteractionTest io;
        ASSERT_TRUE(gestion::nouveau_tournoi(t, proprietes(c.avant, 5, {0}), io));
        if (c.commence) t.entete.ronde_courante = 0;
        t.entete.modifie = false;
        const std::vector<char> avant = image_fichier(t);
        Proprietes p = proprietes(c.apres, 9, {1});
        p.nom = "Renommé";
        EXPECT_EQ(gestion::valider_proprietes(t, p, io), c.erreur == nullptr) << c.apres;
        EXPECT_EQ(gestion::modifier_tournoi(t, p, io), c.erreur == nullptr) << c.apres;
        if (c.erreur) {
            EXPECT_EQ(io.erreurs, std::vector<std::string>(2, std::string(c.erreur)));
            EXPECT_EQ(image_fichier(t), avant);
            EXPECT_FALSE(t.entete.modifie);
            continue;
        }
        EXPECT_TRUE(io.erreurs.empty());
        EXPECT_EQ(t.entete.jeu, c.apres);
        EXPECT_EQ(t.entete.othello != 0, est_othello(c.apres));
        EXPECT_EQ(t.entete.nom, "Renommé");
        EXPECT_EQ(t.entete.nb_rondes, 9);
        EXPECT_EQ(t.entete.departages[0], 1);
    }
}

}  // namespace
}  // namespace tavo
