// Playing rounds with tavo-cli: ronde, resultat, valider, rapport appariements.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/executer.h"
#include "support/tournoi_test.h"

namespace {

namespace fs = std::filesystem;
using tavo::test::lire_fichier;
using tavo::test::Sortie;

class CliRonde : public ::testing::Test {
  protected:
    void SetUp() override { fichier_ = (dossier_ / "t.pxi").string(); }
    void TearDown() override { fs::remove_all(dossier_); }

    Sortie cli(const std::vector<std::string>& mots) {
        return tavo::test::tavo_cli(mots, dossier_);
    }

    void creer(int joueurs, int rondes, const std::string& jeu = "Echecs") {
        ASSERT_EQ(cli({"nouveau", fichier_, "--nom", "Open", "--date", "12/12/26", "--jeu", jeu,
                       "--rondes", std::to_string(rondes), "--departages", "BU,SB"})
                      .code,
                  0);
        for (int k = 1; k <= joueurs; ++k)
            ASSERT_EQ(cli({"joueur-ajouter", fichier_, "--nom", "NOM" + std::to_string(k),
                           "--prenom", "P" + std::to_string(k)})
                          .code,
                      0);
    }

    fs::path dossier_ = tavo::test::dossier_temporaire();
    std::string fichier_;
};

TEST_F(CliRonde, WholeTournamentRoundByRound) {
    creer(5, 3);
    const char* resultats[] = {"2-0", "1-1", "0-2"};
    for (int ronde = 1; ronde <= 3; ++ronde) {
        const Sortie s = cli({"ronde", fichier_});
        ASSERT_EQ(s.code, 0) << s.err;
        EXPECT_NE(s.out.find("Ronde n°" + std::to_string(ronde)), std::string::npos) << s.out;
        EXPECT_NE(s.out.find("*QUALIFIE D'OFFICE*"), std::string::npos);
        EXPECT_EQ(cli({"rapport", "appariements", fichier_}).out, s.out);
        EXPECT_EQ(cli({"valider", fichier_}).err, "Il me manque des résultats\n");
        for (int table = 1; table <= 2; ++table) {
            const Sortie r =
                cli({"resultat", fichier_, std::to_string(table), resultats[(ronde + table) % 3]});
            ASSERT_EQ(r.code, 0) << r.err;
            EXPECT_EQ(r.out.rfind("Table n°" + std::to_string(table) + " : ", 0), 0u) << r.out;
        }
        EXPECT_EQ(cli({"valider", fichier_}).code, 0);
    }
    const Sortie classement = cli({"rapport", "classement", fichier_});
    EXPECT_EQ(classement.code, 0);
    const Sortie historique = cli({"rapport", "historique", fichier_});
    EXPECT_NE(historique.out.find("ronde 3"), std::string::npos) << historique.out;

    // Every planned round is done: refused, the file untouched.
    const std::string avant = lire_fichier(fichier_);
    const Sortie fin = cli({"ronde", fichier_});
    EXPECT_EQ(fin.code, 1);
    EXPECT_EQ(fin.err, "Toutes les rondes de ce tounoi ont été faites\n");
    EXPECT_EQ(lire_fichier(fichier_), avant);
}

TEST_F(CliRonde, RefusalsLeaveTheFileUntouched) {
    creer(2, 3);
    EXPECT_EQ(cli({"valider", fichier_}).code, 1);
    EXPECT_EQ(cli({"resultat", fichier_, "1", "2-0"}).code, 1);
    ASSERT_EQ(cli({"ronde", fichier_}).code, 0);
    std::string avant = lire_fichier(fichier_);

    Sortie s = cli({"ronde", fichier_});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.err, "Tous les résultats de la ronde courante ne sont pas saisis\n");
    s = cli({"resultat", fichier_, "2", "2-0"});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.err, "Il n'y a pas de table n°2 dans la ronde n°1\n");
    for (const char* faux : {"2:0", "2-", "-2", "deux-zero"})
        EXPECT_EQ(cli({"resultat", fichier_, "1", faux}).code, 2) << faux;
    for (const char* faux : {"2-1", "3-0"}) {
        s = cli({"resultat", fichier_, "1", faux});
        EXPECT_EQ(s.code, 1) << faux;
        EXPECT_EQ(s.err, "le résultat s'écrit 2-0, 1-1 ou 0-2\n");
    }
    EXPECT_EQ(cli({"resultat", fichier_, "x", "2-0"}).code, 2);
    EXPECT_EQ(lire_fichier(fichier_), avant);

    // The two players have met: no second round.
    ASSERT_EQ(cli({"resultat", fichier_, "1", "1-1"}).code, 0);
    avant = lire_fichier(fichier_);
    s = cli({"ronde", fichier_});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.err, "Appariements impossibles\n");
    EXPECT_EQ(lire_fichier(fichier_), avant);
}

TEST_F(CliRonde, OthelloDiscCounts) {
    creer(2, 1, "Othello");
    ASSERT_EQ(cli({"ronde", fichier_}).code, 0);
    EXPECT_EQ(cli({"resultat", fichier_, "1", "2-0"}).code, 1);
    Sortie s = cli({"resultat", fichier_, "1", "65-0"});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.err, "le nombre de pions doit être compris entre 0 et 64\n");
    s = cli({"resultat", fichier_, "1", "40-24"});
    ASSERT_EQ(s.code, 0) << s.err;
    EXPECT_EQ(s.out, "Table n°1 : NOM1 P1 40-24 NOM2 P2\n");
    ASSERT_EQ(cli({"valider", fichier_}).code, 0);
    const Sortie h = cli({"rapport", "historique", fichier_});
    EXPECT_NE(h.out.find("1N24"), std::string::npos) << h.out;
}

// The corrections, headless: undo (asked as a refusal, done with
// --forcer), exchange, late entry, an earlier result and seeding by Elo.
TEST_F(CliRonde, Corrections) {
    creer(4, 3);
    ASSERT_EQ(cli({"joueur-modifier", fichier_, "4", "--elo", "2000"}).code, 0);
    ASSERT_EQ(cli({"joueurs-trier", fichier_, "--elo"}).code, 0);
    EXPECT_NE(cli({"rapport", "joueurs", fichier_}).out.find("  1     A NOM4"), std::string::npos);
    const Sortie premiere = cli({"ronde", fichier_});
    ASSERT_EQ(premiere.code, 0);
    ASSERT_EQ(cli({"resultat", fichier_, "1", "2-0"}).code, 0);
    const std::string avant = lire_fichier(fichier_);
    Sortie s = cli({"annuler-ronde", fichier_});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.err, "Annuler la ronde n°1 ? 1 résultat déjà saisi sera perdu.\n");
    EXPECT_EQ(lire_fichier(fichier_), avant);
    s = cli({"annuler-ronde", fichier_, "--forcer"});
    ASSERT_EQ(s.code, 0);
    EXPECT_EQ(s.out,
              "La ronde n°1 est annulée : aucune ronde n'est appariée, les joueurs peuvent de "
              "nouveau être ajoutés et supprimés.\n");
    EXPECT_EQ(cli({"ronde", fichier_}).out, premiere.out);  // the same pairing again

    // Players 1 and 2 hold white at tables 1 and 2: they exchange seats.
    s = cli({"echanger", fichier_, "1", "2"});
    ASSERT_EQ(s.code, 0) << s.err;
    EXPECT_NE(s.out.find("001 (  2/   ) NOM"), std::string::npos) << s.out;
    EXPECT_EQ(cli({"echanger", fichier_, "1", "9"}).err,
              "Le joueur n°9 ne joue pas la ronde n°1\n");

    for (const char* table : {"1", "2"})
        ASSERT_EQ(cli({"resultat", fichier_, table, "1-1"}).code, 0);
    ASSERT_EQ(cli({"valider", fichier_}).code, 0);
    ASSERT_EQ(cli({"ronde", fichier_}).code, 0);
    ASSERT_EQ(cli({"joueur-ajouter", fichier_, "--nom", "TARD", "--prenom", "V"}).code, 0);
    s = cli({"resultat", fichier_, "1", "2-0", "--ronde", "1"});
    ASSERT_EQ(s.code, 0);
    EXPECT_EQ(s.err,
              "Ce résultat compte aussitôt dans les scores ; les appariements déjà faits restent "
              "tels qu'ils sont.\n");
    EXPECT_NE(cli({"rapport", "historique", fichier_}).out.find("      (F)?0  (F)?0  \n"),
              std::string::npos);
}

// Nine players, player 3 withdrawn after round 1: the file keeps four tables
// of round 1, as round 2 has, and every command loads it again. The bye's
// table of round 1 is still seen, and undoing round 2 gives round 1 back
// whole, so that it can be corrected and round 2 paired again.
TEST_F(CliRonde, AWithdrawalKeepsTheEarlierRoundsWhole) {
    creer(9, 5);
    const Sortie premiere = cli({"ronde", fichier_});
    ASSERT_EQ(premiere.code, 0);
    for (const char* table : {"1", "2", "3", "4"})
        ASSERT_EQ(cli({"resultat", fichier_, table, "1-1"}).code, 0);
    ASSERT_EQ(cli({"valider", fichier_}).code, 0);
    ASSERT_EQ(cli({"joueur-modifier", fichier_, "3", "--inactif"}).code, 0);
    ASSERT_EQ(cli({"ronde", fichier_}).code, 0);

    // Round 1's last table, the bye's, is still there: its own 2-0 may be
    // typed again, any other result is refused.
    EXPECT_EQ(cli({"resultat", fichier_, "5", "0-2", "--ronde", "1"}).err,
              "La table n°5 est celle de l'exempt : son résultat ne se change pas\n");
    Sortie s = cli({"annuler-ronde", fichier_, "--forcer"});
    ASSERT_EQ(s.code, 0) << s.err;
    EXPECT_EQ(cli({"rapport", "appariements", fichier_}).out, premiere.out);
    for (const char* table : {"5", "4"}) {
        s = cli({"resultat", fichier_, table, "2-0", "--ronde", "1"});
        EXPECT_EQ(s.code, 0) << s.err;
    }
    s = cli({"ronde", fichier_});
    EXPECT_EQ(s.code, 0) << s.err;
    EXPECT_NE(s.out.find("Ronde n°2"), std::string::npos) << s.out;
}

// The tables of a round as its CSV sheet gives them: white and black
// numbers (0 for the bye's side), and the players absent at their request.
struct Feuille {
    std::vector<std::pair<int, int>> tables;
    std::vector<int> absents;
};

Feuille feuille_csv(const std::string& csv) {
    Feuille f;
    std::istringstream lignes(csv);
    std::string ligne;
    std::getline(lignes, ligne);  // the headings
    while (std::getline(lignes, ligne)) {
        std::vector<std::string> champs;
        std::istringstream cellules(ligne);
        for (std::string c; std::getline(cellules, c, ';');) champs.push_back(c);
        const auto n = [](const std::string& c) { return c.empty() ? 0 : std::stoi(c); };
        if (champs.size() < 7) continue;
        if (champs[0].empty())
            f.absents.push_back(n(champs[1]));
        else
            f.tables.emplace_back(n(champs[1]), n(champs[4]));
    }
    return f;
}

// One player's line of a TRF16 file, read by its columns.
struct LigneTrf {
    int id = 0;
    double points = 0;
    std::string titre, federation, fide;
    std::vector<std::tuple<int, char, char>> rondes;  // opponent, colour, result
};

std::vector<LigneTrf> lire_trf(const std::string& texte) {
    std::vector<LigneTrf> joueurs;
    std::istringstream lignes(texte);
    for (std::string l; std::getline(lignes, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        if (l.rfind("001 ", 0) != 0) continue;
        l.resize(std::max<std::size_t>(l.size(), 91), ' ');
        LigneTrf j;
        j.id = std::stoi(l.substr(4, 4));
        j.titre = l.substr(10, 3);
        j.federation = l.substr(53, 3);
        j.fide = l.substr(57, 11);
        j.points = std::stod(l.substr(80, 4));
        for (std::size_t c = 91; c + 8 <= l.size(); c += 10)
            j.rondes.emplace_back(std::stoi(l.substr(c, 4)), l[c + 5], l[c + 7]);
        joueurs.push_back(j);
    }
    return joueurs;
}

double points_trf(char code) {
    return std::string("1+UF").find(code) != std::string::npos ? 1
           : code == '=' || code == 'H'                        ? 0.5
                                                               : 0;
}

// An open of 30 players and 7 rounds, played as a director would with its
// forfeits, a half-point and a zero-point requested bye and five forbidden
// pairs, then checked from its sheets and its TRF export alone.
TEST_F(CliRonde, AnOpenWithForfeitsByesAndForbiddenPairs) {
    const std::string f = (dossier_ / "open.tavo").string();
    ASSERT_EQ(cli({"nouveau", f, "--nom", "Open", "--date", "12/12/26", "--rondes", "7",
                   "--departages", "BU,SB,CU"})
                  .code,
              0);
    std::string liste = "nom;prenom;elo;federation;fide;titre\n";
    for (int k = 1; k <= 30; ++k)
        liste += "NOM" + std::to_string(k) + ";P;" + std::to_string(2400 - 10 * k) + ";FRA;" +
                 std::to_string(20000 + k) + ";" + (k <= 2 ? "IM" : "") + "\n";
    tavo::test::ecrire_fichier(dossier_ / "liste.csv", liste);
    ASSERT_EQ(cli({"joueurs-importer", f, "liste.csv"}).code, 0);
    // The pairs that the first round would make: 1-16, 2-17...
    const std::vector<std::pair<int, int>> interdits = {
        {1, 16}, {2, 17}, {3, 18}, {4, 19}, {5, 20}};
    for (const auto& [a, b] : interdits)
        ASSERT_EQ(cli({"appariement-interdit", f, std::to_string(a), std::to_string(b)}).code, 0);
    ASSERT_EQ(cli({"joueur-absent", f, "7", "--rondes", "2", "--demi-point"}).code, 0);
    ASSERT_EQ(cli({"joueur-absent", f, "8", "--rondes", "3"}).code, 0);
    EXPECT_EQ(cli({"joueur-absent", f, "9", "--rondes", "6", "--demi-point"}).code, 1);

    int forfait_noir = 0;  // the absent player of round 2's forfeit
    for (int r = 1; r <= 7; ++r) {
        ASSERT_EQ(cli({"ronde", f}).code, 0) << r;
        const Feuille feuille =
            feuille_csv(cli({"rapport", "appariements", f, "--format", "csv"}).out);
        std::vector<int> vus;
        for (const auto& [b, n] : feuille.tables) {
            EXPECT_EQ(std::count(interdits.begin(), interdits.end(),
                                 std::pair<int, int>(std::minmax(b, n))),
                      0);
            vus.insert(vus.end(), {b, n});
        }
        EXPECT_EQ(std::count(vus.begin(), vus.end(), 7), r == 2 ? 0 : 1) << r;
        EXPECT_EQ(std::count(vus.begin(), vus.end(), 8), r == 3 ? 0 : 1) << r;
        EXPECT_EQ(feuille.absents, r == 2   ? std::vector<int>{7}
                                   : r == 3 ? std::vector<int>{8}
                                            : std::vector<int>{});
        if (r == 3) {
            EXPECT_EQ(std::count(vus.begin(), vus.end(), forfait_noir), 0);
            ASSERT_EQ(cli({"joueur-modifier", f, std::to_string(forfait_noir), "--actif"}).code, 0);
        }
        for (std::size_t k = 0; k < feuille.tables.size(); ++k) {
            const std::string table = std::to_string(k + 1);
            if (feuille.tables[k].first == 0 || feuille.tables[k].second == 0) continue;
            if (r == 2 && k == 0) {
                const Sortie s = cli({"resultat", f, table, "--forfait", "noir"});
                EXPECT_NE(s.out.find("rendu inactif"), std::string::npos) << s.out;
                forfait_noir = feuille.tables[k].second;
            } else if (r == 4 && k == 1) {
                EXPECT_EQ(cli({"resultat", f, table, "--forfait", "double", "--garder-actif"}).code,
                          0);
            } else {
                const char* res[] = {"2-0", "1-1", "0-2"};
                EXPECT_EQ(
                    cli({"resultat", f, table, res[(k + static_cast<std::size_t>(r)) % 3]}).code,
                    0);
            }
        }
        ASSERT_EQ(cli({"valider", f}).code, 0) << r;
        if (r == 1) {
            // The bye asked for round 2 is announced to the pairing engines.
            ASSERT_EQ(cli({"exporter-trf", f, "r1.trf"}).code, 0);
            const LigneTrf sept = lire_trf(lire_fichier(dossier_ / "r1.trf"))[6];
            EXPECT_EQ(sept.rondes.size(), 2u);
            EXPECT_EQ(sept.rondes.back(), std::make_tuple(0, '-', 'H'));
        }
    }

    ASSERT_EQ(cli({"exporter-trf", f, "open.trf"}).code, 0);
    const std::string trf = lire_fichier(dossier_ / "open.trf");
    std::size_t xxp = 0;
    for (std::size_t a = trf.find("\nXXP "); a != std::string::npos; a = trf.find("\nXXP ", a + 1))
        ++xxp;
    EXPECT_EQ(xxp, interdits.size());
    const std::vector<LigneTrf> joueurs = lire_trf(trf);
    ASSERT_EQ(joueurs.size(), 30u);
    std::set<std::pair<int, int>> parties;
    int forfaits = 0;
    for (const LigneTrf& j : joueurs) {
        ASSERT_EQ(j.rondes.size(), 7u) << j.id;
        double somme = 0;
        for (std::size_t r = 0; r < 7; ++r) {
            const auto [adversaire, couleur, code] = j.rondes[r];
            somme += points_trf(code);
            forfaits += code == '+' || code == '-';
            if (std::string("10=").find(code) != std::string::npos) {
                EXPECT_TRUE(parties.insert({j.id, adversaire}).second) << "revanche " << j.id;
            }
        }
        EXPECT_DOUBLE_EQ(somme, j.points) << j.id;
        EXPECT_EQ(j.federation, "FRA");
        EXPECT_EQ(j.fide, std::string(6, ' ') + std::to_string(20000 + j.id));
    }
    EXPECT_EQ(joueurs[0].titre, "  m");
    EXPECT_EQ(joueurs[6].rondes[1], std::make_tuple(0, '-', 'H'));
    EXPECT_EQ(joueurs[7].rondes[2], std::make_tuple(0, '-', 'Z'));
    EXPECT_EQ(forfaits, 4);
}

}  // namespace
