#include <gtest/gtest.h>

#include <tuple>

#include "gestion/interdits.h"
#include "gestion/joueurs.h"
#include "model/fichier_tournoi.h"
#include "model/texte.h"
#include "standings/scores.h"
#include "support/tournoi_test.h"

namespace tavo {
namespace {

using test::InteractionTest;
using test::tournoi_avec_joueurs;

std::vector<std::string> noms_par_position(const Tournoi& t) {
    std::vector<std::string> noms;
    for (const Joueur& j : t.joueurs) noms.push_back(std::to_string(j.id) + ":" + j.nom);
    return noms;
}

TEST(Registre, NewPlayersAreEmptyActiveAndNumberedInOrder) {
    Tournoi t;
    InteractionTest io;
    EXPECT_EQ(ajouter_joueur(t), 1);
    EXPECT_EQ(ajouter_joueur(t), 2);
    const Joueur& j = t.joueur(2);
    EXPECT_EQ(j.actif, 1);
    EXPECT_EQ(j.elo, 0);
    EXPECT_EQ(j.nom, "");
    EXPECT_TRUE(t.entete.modifie);
}

TEST(Registre, DeletingRenumbersByPosition) {
    Tournoi t = tournoi_avec_joueurs(5);
    InteractionTest io;
    ASSERT_TRUE(gestion::supprimer_joueur(t, 3, io));
    EXPECT_EQ(noms_par_position(t),
              (std::vector<std::string>{"1:NOM1", "2:NOM2", "3:NOM4", "4:NOM5"}));
    EXPECT_EQ(t.joueur(3).nom, "NOM4");
    ASSERT_TRUE(gestion::supprimer_joueur(t, 4, io));
    EXPECT_EQ(t.nb_joueurs(), 3);
    EXPECT_EQ(t.nb_joueurs_actifs(), 3);
    EXPECT_TRUE(io.erreurs.empty());
    EXPECT_FALSE(gestion::supprimer_joueur(t, 4, io));
    EXPECT_FALSE(gestion::supprimer_joueur(t, 0, io));
    EXPECT_EQ(io.erreurs, (std::vector<std::string>{"Joueur inconnu : n°4",
                                                    std::string("Joueur inconnu : n°0")}));
}

TEST(Registre, DeletingAfterASortRenumbersInTheSortedOrder) {
    Tournoi t = tournoi_avec_joueurs(4);
    test::ouvrir_ronde(t, 0);
    test::poser_partie(t, 0, 0, 1, 3, 0);
    test::poser_partie(t, 0, 1, 2, 4, 0);
    appliquer_classement(t);  // 3 and 4 first
    t.entete.ronde_courante = -1;
    renumeroter(t);
    EXPECT_EQ(noms_par_position(t),
              (std::vector<std::string>{"1:NOM3", "2:NOM4", "3:NOM1", "4:NOM2"}));
    EXPECT_EQ(t.joueur(1).nom, "NOM3");
}

// Forbidden pairs: kept sorted, refused untouched when wrong, following their
// players when a deletion or a sort numbers them again.
TEST(Registre, ForbiddenPairsAreCheckedKeptSortedAndFollowTheirPlayers) {
    Tournoi t = tournoi_avec_joueurs(6);
    t.limites_1998 = false;
    InteractionTest io;
    using Paires = std::vector<std::pair<int, int>>;
    ASSERT_TRUE(gestion::interdire_appariement(t, 5, 2, io));
    ASSERT_TRUE(gestion::interdire_appariement(t, 1, 6, io));
    ASSERT_TRUE(gestion::interdire_appariement(t, 3, 4, io));
    EXPECT_EQ(t.interdits, (Paires{{1, 6}, {2, 5}, {3, 4}}));
    EXPECT_EQ(gestion::lignes_interdits(t).front(), "1-6 : NOM1 Prenom1 et NOM6 Prenom6");
    const Tournoi avant = t;
    EXPECT_FALSE(gestion::interdire_appariement(t, 2, 5, io));
    EXPECT_FALSE(gestion::interdire_appariement(t, 2, 2, io));
    EXPECT_FALSE(gestion::interdire_appariement(t, 2, 7, io));
    EXPECT_FALSE(gestion::autoriser_appariement(t, 1, 2, io));
    Tournoi pxi = tournoi_avec_joueurs(2);
    EXPECT_FALSE(gestion::interdire_appariement(pxi, 1, 2, io));
    EXPECT_EQ(io.erreurs, (std::vector<std::string>{
                              "L'appariement des joueurs 2 et 5 est déjà interdit",
                              "Choisissez deux joueurs différents", "Joueur inconnu : n°7",
                              "L'appariement des joueurs 1 et 2 n'est pas interdit",
                              "Le fichier .pxi ne peut pas garder l'appariement interdit des "
                              "joueurs 1 et 2"}));
    EXPECT_TRUE(t == avant);
    EXPECT_TRUE(pxi.interdits.empty());

    // Deleting 3 drops 3-4 and moves 5 and 6 up; a sort by Elo follows too.
    ASSERT_TRUE(gestion::supprimer_joueur(t, 3, io));
    EXPECT_EQ(t.interdits, (Paires{{1, 5}, {2, 4}}));
    t.joueur(5).elo = 2000;
    ASSERT_TRUE(gestion::trier_par_elo(t, io));
    EXPECT_EQ(t.joueur(1).nom, "NOM6");
    EXPECT_EQ(t.interdits, (Paires{{1, 2}, {3, 5}}));
    ASSERT_TRUE(gestion::autoriser_appariement(t, 5, 3, io));
    EXPECT_EQ(t.interdits, (Paires{{1, 2}}));
}

TEST(Registre, CapacityAndStartedTournamentAreRefusedUntouched) {
    Tournoi t;
    InteractionTest io;
    for (int k = 0; k < 100; ++k) ASSERT_EQ(gestion::inscrire_joueur(t, io), k + 1);
    const std::vector<char> plein = image_fichier(t);
    EXPECT_EQ(gestion::inscrire_joueur(t, io), 0);
    ASSERT_EQ(io.erreurs.size(), 1u);
    EXPECT_EQ(io.erreurs[0],
              "Impossible d'ajouter un joueur : le fichier .pxi est limité à 100 joueurs");
    EXPECT_EQ(image_fichier(t), plein);

    // Every planned round paired: no late entry left.
    Tournoi joue = tournoi_avec_joueurs(4, 5);
    joue.entete.ronde_courante = 4;
    const std::vector<char> avant = image_fichier(joue);
    EXPECT_EQ(gestion::inscrire_joueur(joue, io), 0);
    EXPECT_EQ(io.erreurs.back(),
              "Impossible d'ajouter un joueur : toutes les rondes prévues sont appariées");
    EXPECT_FALSE(gestion::supprimer_joueur(joue, 2, io));
    EXPECT_EQ(io.erreurs.back(),
              "Impossible de supprimer un joueur : la première ronde est déjà appariée");
    EXPECT_EQ(image_fichier(joue), avant);
}

// A tournament kept in a 1998 file cuts the texts to their fields; the
// rating stays within 0 to 9999 in any tournament.
TEST(Registre, FicheIsCutToTheFieldsAndRatingKeptInRange) {
    FicheJoueur f;
    f.nom = std::string(35, 'N');
    f.prenom = std::string(25, 'P');
    f.equipe = "ABCDE";
    f.elo = 12000;
    f.fille = true;
    f.actif = false;
    for (const bool limites : {true, false}) {
        Tournoi t;
        t.limites_1998 = limites;
        InteractionTest io;
        const int id = gestion::inscrire_joueur(t, f, io);
        ASSERT_EQ(id, 1);
        const Joueur& j = t.joueur(id);
        EXPECT_EQ(j.nom, std::string(limites ? 29 : 35, 'N'));
        EXPECT_EQ(j.prenom, std::string(limites ? 19 : 25, 'P'));
        EXPECT_EQ(j.equipe, limites ? "ABC" : "ABCDE");
        EXPECT_EQ(j.ne_le, "  /  /  ");
        EXPECT_EQ(j.elo, 9999);
        EXPECT_TRUE(j.fille);
        EXPECT_FALSE(j.actif);
    }
}

// The federation details: stored checked and in upper case in a .tavo,
// cleared by empty values, each bad one refused with the record untouched,
// every one refused in a .pxi with the words of its conversion.
TEST(Registre, FederationDetailsAreCheckedAndRefusedInAPxi) {
    Tournoi t = tournoi_avec_joueurs(2);
    t.limites_1998 = false;
    InteractionTest io;
    FicheJoueur f = *gestion::fiche_joueur(t, 1);
    f.club = "Échiquier de Brest";
    f.federation = " fra";
    f.fide_id = "00012345678";
    f.id_national = "K12-345";
    f.titre = "wfm";
    ASSERT_TRUE(gestion::modifier_joueur(t, 1, f, io));
    const Joueur& j = t.joueur(1);
    EXPECT_EQ(std::tie(j.club, j.federation, j.fide_id, j.id_national, j.titre),
              std::make_tuple(std::string("Échiquier de Brest"), std::string("FRA"),
                              std::int64_t{12345678}, std::string("K12-345"), std::string("WFM")));
    EXPECT_EQ(gestion::fiche_joueur(t, 1)->fide_id, "12345678");

    const Joueur avant = j;
    const std::pair<void (*)(FicheJoueur&), const char*> refus[] = {
        {[](FicheJoueur& g) { g.federation = "FR"; },
         "La fédération s'écrit en trois lettres de A à Z : FR"},
        {[](FicheJoueur& g) { g.federation = "FR1"; },
         "La fédération s'écrit en trois lettres de A à Z : FR1"},
        {[](FicheJoueur& g) { g.fide_id = "123456789012"; },
         "L'identifiant FIDE est un nombre de 11 chiffres au plus : 123456789012"},
        {[](FicheJoueur& g) { g.fide_id = "12 34"; },
         "L'identifiant FIDE est un nombre de 11 chiffres au plus : 12 34"},
        {[](FicheJoueur& g) { g.titre = "NM"; },
         "Le titre est GM, IM, FM, CM, WGM, WIM, WFM ou WCM : NM"},
        {[](FicheJoueur& g) { g.club = "A\tB"; },
         "Caractère de contrôle refusé dans le club (code 9)"},
        {[](FicheJoueur& g) { g.id_national = "\x7F"; },
         "Caractère de contrôle refusé dans l'identifiant national (code 127)"},
    };
    for (const auto& [changer, message] : refus) {
        FicheJoueur g = f;
        changer(g);
        EXPECT_FALSE(gestion::modifier_joueur(t, 1, g, io));
        EXPECT_EQ(io.erreurs.back(), message);
        EXPECT_EQ(t.joueur(1), avant);
    }
    FicheJoueur vide = f;
    vide.club = vide.federation = vide.id_national = vide.titre = "";
    vide.fide_id = "0";
    ASSERT_TRUE(gestion::modifier_joueur(t, 1, vide, io));
    EXPECT_EQ(std::tie(j.club, j.federation, j.fide_id, j.id_national, j.titre),
              std::make_tuple(std::string(), std::string(), std::int64_t{0}, std::string(),
                              std::string()));

    Tournoi pxi = tournoi_avec_joueurs(2);
    const std::pair<void (*)(FicheJoueur&), const char*> pxi_refus[] = {
        {[](FicheJoueur& g) { g.club = "Brest"; }, "son club"},
        {[](FicheJoueur& g) { g.federation = "FRA"; }, "sa fédération"},
        {[](FicheJoueur& g) { g.fide_id = "1"; }, "son identifiant FIDE"},
        {[](FicheJoueur& g) { g.id_national = "K1"; }, "son identifiant national"},
        {[](FicheJoueur& g) { g.titre = "GM"; }, "son titre"},
    };
    const auto image = image_fichier(pxi);
    for (const auto& [changer, detail] : pxi_refus) {
        FicheJoueur g = *gestion::fiche_joueur(pxi, 2);
        changer(g);
        EXPECT_FALSE(gestion::modifier_joueur(pxi, 2, g, io));
        EXPECT_EQ(io.erreurs.back(), std::string("Le fichier .pxi ne peut pas garder ") + detail);
        EXPECT_EQ(gestion::inscrire_joueur(pxi, g, io), 0);
    }
    EXPECT_EQ(image_fichier(pxi), image);
}

}  // namespace
}  // namespace tavo
