// Writing a whole file safely: the content goes to a temporary file beside
// the target, flushed to disk, then renamed over the target. A write that
// does not go through leaves neither a half-written target nor the
// temporary file behind.
#pragma once

#include <filesystem>
#include <string>

namespace tavo {

class FichierTemporaire {
  public:
    explicit FichierTemporaire(const std::filesystem::path& cible);
    ~FichierTemporaire();
    FichierTemporaire(const FichierTemporaire&) = delete;
    FichierTemporaire& operator=(const FichierTemporaire&) = delete;

    bool ouvert() const { return fd_ >= 0; }

    // Writes the whole content, flushes it to disk and renames the file over
    // the target.
    bool remplacer(const std::string& contenu);

  private:
    std::filesystem::path cible_;
    std::string chemin_;
    int fd_ = -1;
    bool remplace_ = false;
};

// Writes `contenu` to `cible` through a temporary file; false when it did
// not go through (the target is then as it was).
bool ecrire_fichier_entier(const std::filesystem::path& cible, const std::string& contenu);

}  // namespace tavo
