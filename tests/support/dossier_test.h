// A temporary folder for the team competition's files, removed afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tavo::test {

class DossierTemporaire {
  public:
    DossierTemporaire();
    ~DossierTemporaire();
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;

    const std::filesystem::path& chemin() const { return chemin_; }

    // Writes `octets` as the whole file `nom` of the folder.
    void ecrire(const std::string& nom, const std::string& octets) const;
    // The bytes of file `nom`; "<absent>" when it cannot be read.
    std::string lire(const std::string& nom) const;
    // The names of the folder's entries, sorted.
    std::vector<std::string> contenu() const;

  private:
    std::filesystem::path chemin_;
};

}  // namespace tavo::test
