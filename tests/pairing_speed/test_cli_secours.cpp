// tavo-cli pairs through the same path as the window: a round only the
// fallback can pair is paired, and the director reads why on stderr.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Sortie {
    int code;
    std::string out;
    std::string err;
};

std::string lire(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

Sortie cli(const fs::path& dossier, const std::vector<std::string>& mots) {
    std::string ligne = "'" + std::string(TAVO_CLI) + "'";
    for (const std::string& m : mots) ligne += " '" + m + "'";
    ligne += " >'" + (dossier / "out").string() + "' 2>'" + (dossier / "err").string() + "'";
    const int statut = std::system(ligne.c_str());
    return {WEXITSTATUS(statut), lire(dossier / "out"), lire(dossier / "err")};
}

TEST(CliSecours, AbandonDansUnChampImpair) {
    const fs::path dossier = fs::temp_directory_path() / "tavo_cli_secours";
    fs::remove_all(dossier);
    fs::create_directories(dossier);
    const std::string f = (dossier / "t.pxi").string();
    ASSERT_EQ(cli(dossier, {"nouveau", f, "--nom", "Open", "--date", "12/12/26", "--jeu", "Echecs",
                            "--rondes", "5", "--departages", "BU"})
                  .code,
              0);
    for (int k = 1; k <= 5; ++k)
        ASSERT_EQ(
            cli(dossier, {"joueur-ajouter", f, "--nom", "NOM" + std::to_string(k), "--prenom", "P"})
                .code,
            0);
    ASSERT_EQ(cli(dossier, {"ronde", f}).code, 0);  // 1-3, 2-4, 5 has the bye
    ASSERT_EQ(cli(dossier, {"resultat", f, "1", "2-0"}).code, 0);
    ASSERT_EQ(cli(dossier, {"resultat", f, "2", "2-0"}).code, 0);
    ASSERT_EQ(cli(dossier, {"valider", f}).code, 0);
    ASSERT_EQ(cli(dossier, {"joueur-modifier", f, "4", "--inactif"}).code, 0);

    // 1, 2 and 5 are all strongly due black: the search cannot pair them.
    const Sortie s = cli(dossier, {"ronde", f});
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.err,
              "Cette ronde a été appariée au plus près des règles (couleurs, scores, flotteurs), "
              "la recherche habituelle n'ayant pas trouvé d'appariement.\n");
    EXPECT_NE(s.out.find("Ronde n°2"), std::string::npos);
    fs::remove_all(dossier);
}

}  // namespace
