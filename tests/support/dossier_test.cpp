#include "support/dossier_test.h"

#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tavo::test {

namespace fs = std::filesystem;

DossierTemporaire::DossierTemporaire() {
    std::string modele = (fs::temp_directory_path() / "tavo-equipes-XXXXXX").string();
    if (::mkdtemp(modele.data()) == nullptr) throw std::runtime_error("mkdtemp");
    chemin_ = modele;
}

DossierTemporaire::~DossierTemporaire() {
    std::error_code ec;
    // Entries made unreadable by a test must not stop the clean-up.
    for (const auto& entree : fs::recursive_directory_iterator(chemin_, ec))
        fs::permissions(entree.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(chemin_, ec);
}

void DossierTemporaire::ecrire(const std::string& nom, const std::string& octets) const {
    std::ofstream f(chemin_ / nom, std::ios::binary | std::ios::trunc);
    f << octets;
}

std::string DossierTemporaire::lire(const std::string& nom) const {
    std::ifstream f(chemin_ / nom, std::ios::binary);
    if (!f) return "<absent>";
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::vector<std::string> DossierTemporaire::contenu() const {
    std::vector<std::string> noms;
    for (const auto& entree : fs::directory_iterator(chemin_))
        noms.push_back(entree.path().filename().string());
    std::sort(noms.begin(), noms.end());
    return noms;
}

}  // namespace tavo::test
