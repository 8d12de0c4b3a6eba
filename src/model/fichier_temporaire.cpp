#include "model/fichier_temporaire.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tavo {
namespace {

namespace fs = std::filesystem;

// Access rights of the new file: those of the file it replaces, or the usual
// ones for a new file.
mode_t droits(const fs::path& cible) {
    struct stat etat {};
    if (::stat(cible.c_str(), &etat) == 0) return etat.st_mode & 07777;
    const mode_t masque = ::umask(0);
    ::umask(masque);
    return 0666 & ~masque;
}

bool ecrire_tout(int fd, const std::string& contenu) {
    const char* donnees = contenu.data();
    std::size_t reste = contenu.size();
    while (reste > 0) {
        const ssize_t ecrit = ::write(fd, donnees, reste);
        if (ecrit < 0 && errno == EINTR) continue;
        if (ecrit <= 0) return false;
        donnees += ecrit;
        reste -= static_cast<std::size_t>(ecrit);
    }
    return true;
}

}  // namespace

FichierTemporaire::FichierTemporaire(const fs::path& cible) : cible_(cible) {
    const fs::path dossier = cible.has_parent_path() ? cible.parent_path() : fs::path(".");
    chemin_ = (dossier / ("." + cible.filename().string() + ".tmp-XXXXXX")).string();
    fd_ = ::mkstemp(chemin_.data());
    if (fd_ >= 0) ::fchmod(fd_, droits(cible));
}

FichierTemporaire::~FichierTemporaire() {
    if (fd_ >= 0) ::close(fd_);
    if (!remplace_) ::unlink(chemin_.c_str());
}

bool FichierTemporaire::remplacer(const std::string& contenu) {
    bool ok = ecrire_tout(fd_, contenu) && ::fsync(fd_) == 0;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    if (!ok || ::rename(chemin_.c_str(), cible_.c_str()) != 0) return false;
    remplace_ = true;
    return true;
}

bool ecrire_fichier_entier(const fs::path& cible, const std::string& contenu) {
    if (cible.empty() || !cible.has_filename()) return false;
    FichierTemporaire fichier(cible);
    return fichier.ouvert() && fichier.remplacer(contenu);
}

}  // namespace tavo
