// Runs tavo-cli as a user would and captures what it prints.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tavo::test {

struct Sortie {
    int code = -1;
    std::string out;  // UTF-8
    std::string err;
};

inline std::string entre_apostrophes(const std::string& mot) {
    std::string texte = "'";
    for (char c : mot) texte += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return texte + "'";
}

// Runs `tavo-cli ARGS...` in folder `dossier`.
inline Sortie tavo_cli(const std::vector<std::string>& args,
                       const std::filesystem::path& dossier = std::filesystem::current_path()) {
    const auto fichier_err = dossier / ".stderr";
    std::string commande = "cd " + entre_apostrophes(dossier.string()) + " && " TAVO_CLI;
    for (const std::string& a : args) commande += " " + entre_apostrophes(a);
    commande += " 2>" + entre_apostrophes(fichier_err.string());
    Sortie s;
    FILE* flux = ::popen(commande.c_str(), "r");
    if (!flux) return s;
    char tampon[4096];
    std::size_t lus;
    while ((lus = std::fread(tampon, 1, sizeof tampon, flux)) > 0) s.out.append(tampon, lus);
    const int statut = ::pclose(flux);
    s.code = WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
    std::ifstream err(fichier_err);
    std::ostringstream texte;
    texte << err.rdbuf();
    s.err = texte.str();
    std::filesystem::remove(fichier_err);
    return s;
}

}  // namespace tavo::test
