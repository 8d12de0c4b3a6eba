#include "model/disque.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "model/texte.h"

namespace tavo {
namespace fs = std::filesystem;

namespace {

// Opening with O_NONBLOCK never waits for a FIFO's writer; the file type is
// checked on the descriptor itself, so nothing can swap the file in between.
// Without `suivre_lien`, a symbolic link fails with ELOOP; a file that is not
// regular fails with EINVAL.
int ouvrir_regulier(const std::string& chemin, bool suivre_lien = true,
                    struct stat* etat_lu = nullptr) {
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY |
                                              (suivre_lien ? 0 : O_NOFOLLOW));
    if (fd < 0) return -1;
    struct stat etat {};
    if (::fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (etat_lu) *etat_lu = etat;
    return fd;
}

// Reads at most `max` bytes of `fd` and closes it; false on a read error.
bool lire_et_fermer(int fd, std::size_t max, std::string& octets) {
    char tampon[65536];
    bool erreur = false;
    while (octets.size() < max) {
        const ssize_t lu = ::read(fd, tampon, std::min(sizeof tampon, max - octets.size()));
        if (lu < 0 && errno == EINTR) continue;
        if (lu < 0) erreur = true;
        if (lu <= 0) break;
        octets.append(tampon, static_cast<std::size_t>(lu));
    }
    ::close(fd);
    return !erreur;
}

constexpr const char* kSuffixeTemporaire = ".tmp-";
constexpr std::size_t kLongueurAleatoire = 6;  // the XXXXXX of mkstemp

// "<name>.tmp-" with the name cut so that the whole temporary name fits in a
// file name of the folder.
std::string prefixe_temporaire(const fs::path& cible) {
    std::string nom = cible.filename().string();
    const std::size_t place =
        NAME_MAX - std::char_traits<char>::length(kSuffixeTemporaire) - kLongueurAleatoire;
    if (nom.size() > place) nom.resize(place);
    return nom + kSuffixeTemporaire;
}

// Removes the temporary files of `cible` that a killed save left behind.
void nettoyer_temporaires(const fs::path& dossier, const std::string& prefixe) {
    std::error_code ec;
    fs::directory_iterator it(dossier.empty() ? fs::path(".") : dossier, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string nom = it->path().filename().string();
        if (nom.size() != prefixe.size() + kLongueurAleatoire || nom.rfind(prefixe, 0) != 0)
            continue;
        // Only a file whose writer is gone: a save under way holds its lock.
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat etat {};
        if (::fstat(fd, &etat) == 0 && S_ISREG(etat.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(it->path().c_str());
        ::close(fd);
    }
}

}  // namespace

std::optional<std::string> lire_fichier_regulier(const std::string& chemin, std::size_t max) {
    const int fd = ouvrir_regulier(chemin);
    if (fd < 0) return std::nullopt;
    std::string octets;
    if (!lire_et_fermer(fd, max, octets)) return std::nullopt;
    return octets;
}

FichierLu lire_fichier(const std::string& chemin, std::size_t max, bool suivre_lien) {
    using Etat = FichierLu::Etat;
    FichierLu lu;
    struct stat etat {};
    const int fd = ouvrir_regulier(chemin, suivre_lien, &etat);
    if (fd < 0) {
        lu.etat = errno == ENOENT                     ? Etat::absent
                  : errno == ELOOP && !suivre_lien    ? Etat::lien
                  : errno == EINVAL || errno == ENXIO ? Etat::pas_regulier
                                                      : Etat::illisible;
        return lu;
    }
    if (!lire_et_fermer(fd, max + 1, lu.octets)) {
        lu.octets.clear();
        return lu;
    }
    lu.etat = lu.octets.size() > max ? Etat::trop_grand : Etat::lu;
    if (lu.etat != Etat::lu) lu.octets.clear();
    lu.droits = etat.st_mode & 07777;
    return lu;
}

std::string raison_non_lu(const FichierLu& lu, std::string_view nom, std::size_t max) {
    const std::string n(nom);
    switch (lu.etat) {
        case FichierLu::Etat::absent:
            return "Fichier introuvable : " + n;
        case FichierLu::Etat::lien:
            return n + " est un lien symbolique : il n'est pas lu";
        case FichierLu::Etat::pas_regulier:
            return n + " n'est pas un fichier ordinaire";
        case FichierLu::Etat::trop_grand:
            return formater("%s est trop grand : %zu Mo au plus", n.c_str(), max >> 20);
        default:
            return "Impossible d'ouvrir le fichier : " + n;
    }
}

std::string cible_reelle(const std::string& chemin) {
    std::error_code ec;
    if (fs::is_symlink(chemin, ec)) {
        auto cible = fs::weakly_canonical(chemin, ec);
        if (!ec) return cible.string();
    }
    return chemin;
}

bool remplacement_permis(const std::string& cible, bool entree_remplacee) {
    struct stat etat {};
    if (entree_remplacee && ::lstat(cible.c_str(), &etat) == 0 && !S_ISREG(etat.st_mode))
        return !S_ISDIR(etat.st_mode);
    if (::stat(cible.c_str(), &etat) != 0) return errno == ENOENT;
    if (!S_ISREG(etat.st_mode)) return false;
    // Root may write anything: the mode bits still say whether it should.
    if (::geteuid() == 0) return (etat.st_mode & 0222) != 0;
    return ::faccessat(AT_FDCWD, cible.c_str(), W_OK, AT_EACCESS) == 0;
}

FichierTemporaire::FichierTemporaire(const std::string& cible) : cible_(cible) {
    ouvrir(std::nullopt);
}

FichierTemporaire::FichierTemporaire(const std::string& cible, mode_t droits) : cible_(cible) {
    ouvrir(droits);
}

void FichierTemporaire::ouvrir(std::optional<mode_t> droits) {
    const std::string& cible = cible_;
    const fs::path chemin_cible(cible);
    const std::string prefixe = prefixe_temporaire(chemin_cible);
    nettoyer_temporaires(chemin_cible.parent_path(), prefixe);
    chemin_ = (chemin_cible.parent_path() / (prefixe + "XXXXXX")).string();
    fd_ = ::mkstemp(chemin_.data());
    if (fd_ < 0) {
        chemin_.clear();  // nothing was created: nothing to remove
        return;
    }
    ::flock(fd_, LOCK_EX | LOCK_NB);
    // The file the rename replaces: a symbolic link itself is replaced, so it
    // passes nothing on.
    struct stat etat {};
    if (!droits && ::lstat(cible.c_str(), &etat) == 0 && S_ISREG(etat.st_mode)) {
        ::fchmod(fd_, etat.st_mode & 07777);
        struct stat cree {};
        const bool a_changer =
            ::fstat(fd_, &cree) == 0 && (cree.st_uid != etat.st_uid || cree.st_gid != etat.st_gid);
        // A file that cannot keep its owner and group is not replaced; the
        // mode is set again since chown may clear the set-id bits.
        if (a_changer && (::fchown(fd_, etat.st_uid, etat.st_gid) != 0 ||
                          ::fchmod(fd_, etat.st_mode & 07777) != 0)) {
            ::close(fd_);
            ::unlink(chemin_.c_str());
            chemin_.clear();
            fd_ = -1;
        }
    } else {
        const mode_t masque = ::umask(0);
        ::umask(masque);
        ::fchmod(fd_, droits.value_or(0666) & 0666 & ~masque);
    }
}

bool ecrire_en_entier(int fd, std::string_view octets) {
    while (!octets.empty()) {
        const ssize_t ecrit = ::write(fd, octets.data(), octets.size());
        if (ecrit < 0 && errno == EINTR) continue;
        if (ecrit <= 0) return false;
        octets.remove_prefix(static_cast<std::size_t>(ecrit));
    }
    return true;
}

bool ecrire_fichier_entier(const std::filesystem::path& cible, std::string_view contenu) {
    if (cible.empty() || !cible.has_filename() || !remplacement_permis(cible.string()))
        return false;
    FichierTemporaire fichier(cible.string());
    return fichier.ouvert() && ecrire_en_entier(fichier.fd(), contenu) && fichier.remplacer();
}

FichierTemporaire::~FichierTemporaire() {
    if (fd_ >= 0) ::close(fd_);
    if (!remplace_ && !chemin_.empty()) ::unlink(chemin_.c_str());
}

bool FichierTemporaire::synchroniser() {
    return fd_ >= 0 && ::fsync(fd_) == 0;
}

bool FichierTemporaire::remplacer() {
    if (!synchroniser() || ::rename(chemin_.c_str(), cible_.c_str()) != 0) return false;
    return mis_en_place();
}

bool FichierTemporaire::creer() {
    if (!synchroniser()) return false;
    if (::renameat2(AT_FDCWD, chemin_.c_str(), AT_FDCWD, cible_.c_str(), RENAME_NOREPLACE) != 0) {
        // A file system without that rename: a hard link is made only when
        // the name is free as well.
        if (errno != EINVAL && errno != ENOSYS) return false;
        if (::link(chemin_.c_str(), cible_.c_str()) != 0) return false;
        ::unlink(chemin_.c_str());
    }
    return mis_en_place();
}

// The file is at its place: it is closed and the folder synchronised.
bool FichierTemporaire::mis_en_place() {
    remplace_ = true;
    // Closed once renamed: until then its lock keeps other saves off it.
    const bool ferme = ::close(fd_) == 0;
    fd_ = -1;
    if (!ferme) return false;
    const auto dossier = fs::path(cible_).parent_path();
    const int fd = ::open(dossier.empty() ? "." : dossier.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return true;
}

VerrouFichier::~VerrouFichier() {
    if (fd_ >= 0) ::close(fd_);
}

VerrouFichier::Etat VerrouFichier::prendre(const std::string& chemin, int attente_ms) {
    using horloge = std::chrono::steady_clock;
    const auto limite = horloge::now() + std::chrono::milliseconds(attente_ms);
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    for (;;) {
        const int fd = ouvrir_regulier(chemin);
        if (fd < 0) {
            struct stat etat {};
            return errno == ENOENT && ::lstat(chemin.c_str(), &etat) != 0 ? Etat::absent
                                                                          : Etat::impossible;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // The file may have been replaced (renamed over) while we waited:
            // the lock only counts on the file the path names now.
            struct stat tenu {
            }, actuel{};
            if (::fstat(fd, &tenu) == 0 && ::stat(chemin.c_str(), &actuel) == 0 &&
                tenu.st_dev == actuel.st_dev && tenu.st_ino == actuel.st_ino) {
                fd_ = fd;
                return Etat::pris;
            }
            ::close(fd);
            continue;
        }
        const bool occupe = errno == EWOULDBLOCK;
        ::close(fd);
        if (!occupe) return Etat::sans_verrou;
        if (horloge::now() >= limite) return Etat::occupe;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

EtatFichier etat_fichier(const std::string& chemin) {
    EtatFichier e;
    struct stat etat {};
    if (::stat(chemin.c_str(), &etat) != 0) return e;
    e.existe = true;
    e.modification = etat.st_mtim;
    e.taille = etat.st_size;
    return e;
}

bool meme_etat(const EtatFichier& a, const EtatFichier& b) {
    return a.existe == b.existe && a.taille == b.taille &&
           a.modification.tv_sec == b.modification.tv_sec &&
           a.modification.tv_nsec == b.modification.tv_nsec;
}

}  // namespace tavo
