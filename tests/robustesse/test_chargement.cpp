// Damaged tournament files: each is refused with the read error message of
// the block at fault, and the tournament in memory stays exactly as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <iostream>

#include "gestion/joueurs.h"
#include "model/fichier_tournoi.h"
#include "model/texte.h"
#include "outils.h"
#include "pairing/appariement.h"
#include "support/tournoi_test.h"

namespace tavo::test {
namespace {

const char* const kTournoi = "Erreur de lecture TOURNOI dans ce fichier";
const char* const kJoueurs = "Erreur de lecture JOUEURS [] dans ce fichier";
const char* const kNbApp = "Erreur de lecture NB_APP [] dans ce fichier";
const char* const kApp = "Erreur de lecture APP [][] dans ce fichier";

int fichiers_refuses = 0;

// Nine players: round 1 with four tables and a bye, player 9 made inactive
// before round 2 (four tables, a forfeit). The file keeps four records for
// each round.
Tournoi tournoi_abime() {
    Tournoi t = tournoi_avec_joueurs(9, 5, {"BU", "SB", "PP"});
    ouvrir_ronde(t, 0);
    for (int table = 0; table < 4; ++table)
        poser_partie(t, 0, table, table + 1, table + 5, table % 3);
    poser_partie(t, 0, 4, 9, ID_QUALIFIE, 2);
    t.joueur(9).actif = false;
    ouvrir_ronde(t, 1);
    for (int table = 0; table < 4; ++table) poser_partie(t, 1, table, table + 5, 4 - table, 1);
    t.joueur(9).ronde(1) = {ID_FORFAIT, SANS_PARTIE, Resultat::aucun, 0};
    return t;
}

constexpr std::size_t kFinTournoi = 150;
constexpr std::size_t kFinJoueurs = kFinTournoi + 9 * 158;
constexpr std::size_t kFinNbApp = kFinJoueurs + 2 * 2;
constexpr std::size_t kTaille = kFinNbApp + 2 * 4 * 10;

std::size_t joueur(int position) {
    return kFinTournoi + 158 * (position - 1);
}
std::size_t table(int ronde, int numero, int par_ronde = 4) {
    return kFinNbApp + 10 * static_cast<std::size_t>(par_ronde * ronde + numero);
}

void poser_i16(std::string& octets, std::size_t position, int valeur) {
    const auto v = valeur;
    std::memcpy(octets.data() + position, &v, 2);
}

class ChargementRefuse : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::vector<char> image = image_fichier(abime);
        bon = std::string(image.begin(), image.end());
        ASSERT_EQ(bon.size(), kTaille);
        en_memoire.entete.modifie = true;
        avant = en_memoire;
    }

    // Loading `octets` over the tournament in memory must fail with `message`.
    void verifier_refus(const std::string& octets, const char* message) {
        ecrire_fichier(fichier, octets);
        InteractionTest io;
        EXPECT_FALSE(charger(en_memoire, fichier.string(), io));
        EXPECT_EQ(io.erreurs, std::vector<std::string>{std::string(message)});
        EXPECT_TRUE(en_memoire == avant) << "le tournoi en memoire a change";
        ++fichiers_refuses;
    }

    DossierTemporaire dossier;
    std::filesystem::path fichier = dossier.chemin() / "abime.pxi";
    Tournoi abime = tournoi_abime();
    std::string bon;
    Tournoi en_memoire = tournoi_avec_joueurs(4, 7, {"NG", "CU"});
    Tournoi avant;
};

TEST_F(ChargementRefuse, LeFichierIntactSeCharge) {
    ecrire_fichier(fichier, bon + "octets de trop, ignores");
    InteractionTest io;
    ASSERT_TRUE(charger(en_memoire, fichier.string(), io));
    EXPECT_TRUE(io.erreurs.empty());
    EXPECT_EQ(image_fichier(en_memoire), image_fichier(abime));
    // The bye table of round 1 was left out of the file: it reads as zeros
    // while round 1 still counts five tables.
    EXPECT_EQ(en_memoire.nb_tables(0), 5);
    EXPECT_TRUE(en_memoire.table(0, 4).vide());
    EXPECT_FALSE(en_memoire.entete.modifie);
}

TEST_F(ChargementRefuse, FichierCoupeAChaqueOctet) {
    for (std::size_t longueur = 0; longueur < kTaille; ++longueur) {
        SCOPED_TRACE("coupe a " + std::to_string(longueur) + " octets");
        const char* message = longueur < kFinTournoi   ? kTournoi
                              : longueur < kFinJoueurs ? kJoueurs
                              : longueur < kFinNbApp   ? kNbApp
                                                       : kApp;
        verifier_refus(bon.substr(0, longueur), message);
        if (HasFailure()) return;
    }
}

TEST_F(ChargementRefuse, CompteursAuDelaDesCapacites) {
    const struct {
        std::size_t position;
        int valeur;
        const char* message;
    } cas[] = {
        {offsetof(pxi::EnteteTournoi, nb_joueurs), 101, kTournoi},
        {offsetof(pxi::EnteteTournoi, nb_joueurs), -1, kTournoi},
        {offsetof(pxi::EnteteTournoi, nb_joueurs), 32767, kTournoi},
        {offsetof(pxi::EnteteTournoi, ronde_courante), 15, kTournoi},
        {offsetof(pxi::EnteteTournoi, ronde_courante), -2, kTournoi},
        {offsetof(pxi::EnteteTournoi, ronde_courante), -32768, kTournoi},
        {offsetof(pxi::EnteteTournoi, nb_departages), 7, kTournoi},
        {offsetof(pxi::EnteteTournoi, nb_departages), -1, kTournoi},
        // Tie-break ids outside 0..5 among those in use.
        {offsetof(pxi::EnteteTournoi, departages), 6, kTournoi},
        {offsetof(pxi::EnteteTournoi, departages) + 2, -1, kTournoi},
        {offsetof(pxi::EnteteTournoi, departages) + 4, 10000, kTournoi},
        // Table counts: above the 50 tables of a round, negative, or more
        // tables than nine players allow (five), in the current round or an
        // earlier one.
        {kFinJoueurs + 2, 51, kNbApp},
        {kFinJoueurs + 2, -1, kNbApp},
        {kFinJoueurs + 2, 6, kNbApp},
        {kFinJoueurs, 6, kNbApp},
        {kFinJoueurs, 32767, kNbApp},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE("octet " + std::to_string(c.position) + " = " + std::to_string(c.valeur));
        std::string octets = bon;
        poser_i16(octets, c.position, c.valeur);
        verifier_refus(octets, c.message);
    }
}

TEST_F(ChargementRefuse, NumerosDeJoueursHorsInvariants) {
    const struct {
        std::size_t position;
        int valeur;
        const char* message;
    } cas[] = {
        {joueur(3), 0, kJoueurs},   // id 0
        {joueur(3), 10, kJoueurs},  // above nb_joueurs
        {joueur(3), -4, kJoueurs},
        {joueur(3), 1, kJoueurs},  // two players numbered 1
        {joueur(9), 8, kJoueurs},
        {joueur(2) + offsetof(pxi::Joueur, adversaires), 10, kJoueurs},  // opponent not a player
        {joueur(2) + offsetof(pxi::Joueur, adversaires) + 2 * 14, 10002, kJoueurs},
        {joueur(2) + offsetof(pxi::Joueur, adversaires) + 2, -1, kJoueurs},
        {table(1, 0), 10, kApp},  // a table naming nobody known
        {table(0, 3) + 2, -7, kApp},
        {table(1, 3) + 2, 10005, kApp},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE("octet " + std::to_string(c.position) + " = " + std::to_string(c.valeur));
        std::string octets = bon;
        poser_i16(octets, c.position, c.valeur);
        verifier_refus(octets, c.message);
    }
}

// A current round that claims more tables than its players allow would send
// the results entry past the tables that were stored.
TEST_F(ChargementRefuse, RondeCouranteAvecTropDeTables) {
    // Player 9 back in round 2 with the bye: five tables, as nine players allow.
    Tournoi cinq = tournoi_abime();
    poser_partie(cinq, 1, 4, 9, ID_QUALIFIE, 2);
    const std::vector<char> image = image_fichier(cinq);
    const std::string octets(image.begin(), image.end());
    // Only the count is wrong once there are fewer players.
    std::string moins_de_joueurs = octets;
    poser_i16(moins_de_joueurs, offsetof(pxi::EnteteTournoi, nb_joueurs), 8);
    moins_de_joueurs.erase(joueur(9), 158);
    verifier_refus(moins_de_joueurs, kNbApp);
    ecrire_fichier(fichier, octets);
    InteractionTest io;
    EXPECT_TRUE(charger(en_memoire, fichier.string(), io));
}

// Values no program writes: results beyond 2 points, more than 64 discs,
// flags other than 0 or 1, unknown colours, texts without their NUL, rounds
// planned below the rounds paired. Each would spread into the standings.
TEST_F(ChargementRefuse, ValeursHorsDeLeursBornes) {
    const std::size_t j2 = joueur(2);
    const struct {
        std::size_t position, longueur;
        char octet;
        const char* message;
    } cas[] = {
        {offsetof(pxi::EnteteTournoi, nom), 50, 'X', kTournoi},
        {offsetof(pxi::EnteteTournoi, jeu), 21, 'X', kTournoi},
        {offsetof(pxi::EnteteTournoi, othello), 1, 2, kTournoi},
        {offsetof(pxi::EnteteTournoi, nb_rondes), 1, 1, kTournoi},  // two rounds are paired
        {offsetof(pxi::EnteteTournoi, nb_rondes), 1, 16, kTournoi},
        {j2 + offsetof(pxi::Joueur, nom), 30, 'X', kJoueurs},
        {j2 + offsetof(pxi::Joueur, equipe), 4, 'A', kJoueurs},
        {j2 + offsetof(pxi::Joueur, fille), 1, 2, kJoueurs},
        {j2 + offsetof(pxi::Joueur, actif), 1, 7, kJoueurs},
        {j2 + offsetof(pxi::Joueur, couleurs) + 1, 1, 3, kJoueurs},
        {j2 + offsetof(pxi::Joueur, resultats), 1, static_cast<char>(200), kJoueurs},
        {j2 + offsetof(pxi::Joueur, pions) + 3, 1, 65, kJoueurs},
        {table(0, 1) + offsetof(pxi::Appariement, res_blanc), 1, static_cast<char>(200), kApp},
        {table(1, 2) + offsetof(pxi::Appariement, pions_noir), 1, 65, kApp},
        {table(1, 3) + offsetof(pxi::Appariement, saisi), 1, 2, kApp},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE("octet " + std::to_string(c.position));
        std::string octets = bon;
        octets.replace(c.position, c.longueur, c.longueur, c.octet);
        verifier_refus(octets, c.message);
    }
}

// Records that contradict each other: each file is refused naming the round
// and the player or table, and what the loader refuses no save writes.
TEST_F(ChargementRefuse, FichesQuiSeContredisent) {
    const struct {
        void (*abimer)(Tournoi&);
        const char* message;
    } cas[] = {
        {[](Tournoi& t) { t.joueur(5).ronde(1).adversaire = 3; },
         "Ronde 2 : le joueur 4 joue contre le joueur 5, mais le joueur 5 joue contre le joueur 3"},
        {[](Tournoi& t) { t.joueur(1).ronde(0).couleur = NOIR; },
         "Ronde 1 : les joueurs 1 et 5 ont tous deux les Noirs"},
        {[](Tournoi& t) { t.joueur(1).ronde(0).resultat = Resultat::gain; },
         "Ronde 1 : les résultats des joueurs 1 et 5 ne vont pas ensemble (2-2)"},
        {[](Tournoi& t) { t.table(1, 3) = t.table(1, 2); },
         "Ronde 2 : le joueur 7 est à deux tables (n°3 et n°4)"},
        {[](Tournoi& t) { std::swap(t.table(1, 0).blanc, t.table(1, 0).noir); },
         "Ronde 2 : la table n°1 ne s'accorde pas avec la fiche du joueur 4"},
        {[](Tournoi& t) { t.table(1, 0).noir = ID_FORFAIT; },
         "Ronde 2 : la table n°1 ne réunit pas deux joueurs"},
        {[](Tournoi& t) { t.table(0, 1).res_blanc = Resultat::gain; },
         "Ronde 1 : le résultat de la table n°2 n'est pas celui des fiches des joueurs 2 et 6"},
        {[](Tournoi& t) { t.joueur(9).ronde(1).resultat = Resultat::gain; },
         "Ronde 2 : le joueur 9 est forfait, mais a une couleur ou des points"},
        {[](Tournoi& t) { t.joueur(9).ronde(1) = RondeJoueur{}; },
         "Ronde 2 : le joueur 9 n'a pas d'adversaire"},
        {[](Tournoi& t) { t.joueur(9).ronde(0).resultat = Resultat::nulle; },
         "Ronde 1 : le joueur 9 est exempté sans le 2-0 de l'exempt"},
        {[](Tournoi& t) {
             poser_partie(t, 1, 4, 9, ID_QUALIFIE, 2);
             t.table(1, 4).pions_blanc = 34;
         },
         "Ronde 2 : la table n°5 de l'exempt n'a pas son 2-0"},
        {[](Tournoi& t) {
             for (const int id : {4, 8})
                 t.joueur(id).ronde(0) = {ID_QUALIFIE, BLANC, Resultat::gain, 33};
         },
         "Ronde 1 : les joueurs 4 et 8 sont tous deux exemptés"},
        // The bye's table left out, and nothing to take its place.
        {[](Tournoi& t) { t.rondes[0].tables.resize(4); },
         "Ronde 1 : le joueur 9 n'est à aucune table"},
        {[](Tournoi& t) { t.rondes[1].tables.resize(5); }, "Ronde 2 : la table n°5 est vide"},
        {[](Tournoi& t) { t.entete.othello = true; },
         "Ronde 1 : les pions des joueurs 1 et 5 ne font pas 64 (0 et 0)"},
        {[](Tournoi& t) {
             t.entete.othello = true;
             for (int r = 0; r < 2; ++r)
                 for (int table = 0; table < 4; ++table) {
                     const Appariement& a = t.table(r, table);
                     const int pions = a.res_blanc == Resultat::gain    ? 40
                                       : a.res_blanc == Resultat::nulle ? 32
                                                                        : 24;
                     poser_resultat(t, r, table, a.res_blanc, pions, 64 - pions);
                 }
             poser_resultat(t, 0, 1, Resultat::nulle, 31, 33);
         },
         "Ronde 1 : les points des joueurs 2 et 6 ne suivent pas les pions (1-1 pour 31 pions "
         "contre 33)"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.message);
        Tournoi t = tournoi_abime();
        c.abimer(t);
        const std::vector<char> image = image_fichier(t);
        verifier_refus(std::string(image.begin(), image.end()),
                       (std::string("Fichier incohérent. ") + c.message).c_str());
        InteractionTest io;
        ecrire_fichier(fichier, "avant");
        EXPECT_FALSE(sauver(t, fichier.string(), io));
        EXPECT_EQ(io.erreurs, std::vector<std::string>{std::string(
                                  std::string("Sauvegarde refusée, le fichier ne se relirait pas. "
                                              "Fichier incohérent. ") +
                                  c.message)});
        EXPECT_EQ(lire_fichier(fichier), "avant");
    }

    // Earlier versions let a result of the current round be corrected after
    // the commit: its table then differs from the records until the next
    // commit. Such a file loads.
    Tournoi corrige = tournoi_abime();
    corrige.table(1, 0).res_blanc = Resultat::gain;
    InteractionTest io;
    EXPECT_TRUE(sauver(corrige, fichier.string(), io)) << io.erreurs.front();
}

// What only the file's records can say: a game in a round not paired (a
// paired file whose current round was set back to -1 would let a player be
// deleted, the numbers moving and the opponents not), a record past a
// round's table count.
TEST_F(ChargementRefuse, RecordsQueLeModeleNeTientPas) {
    std::string non_appariee = bon;
    poser_i16(non_appariee, joueur(3) + offsetof(pxi::Joueur, adversaires) + 2 * 2, 7);
    verifier_refus(non_appariee,
                   "Fichier incohérent. Ronde 3 : le joueur 3 a une partie, mais "
                   "cette ronde n'est pas appariée");
    std::string remise_a_zero = bon;
    poser_i16(remise_a_zero, offsetof(pxi::EnteteTournoi, ronde_courante), -1);
    remise_a_zero.resize(kFinJoueurs);
    verifier_refus(remise_a_zero,
                   "Fichier incohérent. Ronde 1 : le joueur 1 a une partie, mais "
                   "cette ronde n'est pas appariée");

    // Round 1 without player 9 (four tables), round 2 with his bye (five):
    // the file's fifth record of round 1 must be empty.
    Tournoi t = tournoi_abime();
    t.joueur(9).ronde(0) = {ID_FORFAIT, SANS_PARTIE, Resultat::aucun, 0};
    t.rondes[0].tables.resize(4);
    poser_partie(t, 1, 4, 9, ID_QUALIFIE, 2);
    const std::vector<char> image = image_fichier(t);
    std::string de_trop(image.begin(), image.end());
    de_trop.replace(table(0, 4, 5), 10, de_trop.substr(table(0, 3, 5), 10));
    verifier_refus(de_trop,
                   "Fichier incohérent. Ronde 1 : la table n°5 est de trop : la ronde en a 4");
}

// An editor that turned LF into CR LF shifts every byte after the 0x0A of the
// last player's Elo of 10: his girl flag and team code would be read askew.
TEST_F(ChargementRefuse, FichierConvertiEnCrLf) {
    Tournoi t = tournoi_avec_joueurs(3);
    t.joueur(3).elo = 10;
    t.joueur(3).equipe = "AB";
    const std::vector<char> image = image_fichier(t);
    std::string converti;
    for (char c : image) converti += c == '\n' ? std::string("\r\n") : std::string(1, c);
    ASSERT_EQ(converti.size(), image.size() + 1);
    verifier_refus(converti, kJoueurs);
    // Control characters in a text are refused too.
    t.joueur(2).nom = "X\r\n1 DEL";
    const std::vector<char> avec_controle = image_fichier(t);
    verifier_refus(std::string(avec_controle.begin(), avec_controle.end()), kJoueurs);
}

class Bilan : public ::testing::Environment {
  public:
    void TearDown() override {
        if (fichiers_refuses > 0)
            std::cout << "[ bilan    ] " << fichiers_refuses << " fichiers abimes refuses\n";
    }
};
const auto* const kBilan = ::testing::AddGlobalTestEnvironment(new Bilan);

}  // namespace
}  // namespace tavo::test
