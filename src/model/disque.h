// Files on disk as the program may touch them: only regular files are read
// or replaced (never a device, a FIFO or a folder), a file is replaced only
// when its permissions allow it and keeps its owner, group and mode, and one
// writer at a time changes a tournament file.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavo {

// The whole content of the regular file `chemin` (a symbolic link is followed
// only to a regular file), at most `max` bytes. std::nullopt when it cannot be
// opened or is not a regular file; a FIFO never makes this wait.
std::optional<std::string> lire_fichier_regulier(const std::string& chemin, std::size_t max);

// A file read whole, or why it was not.
struct FichierLu {
    enum class Etat { lu, absent, lien, pas_regulier, illisible, trop_grand };
    Etat etat = Etat::illisible;
    std::string octets;  // the content, when `lu`
    mode_t droits = 0;   // the file's permission bits, when `lu`
};

// The whole content of the regular file `chemin` when it holds at most `max`
// bytes. A symbolic link is followed only with `suivre_lien` (and only to a
// regular file); a FIFO is never waited on, a device never read.
FichierLu lire_fichier(const std::string& chemin, std::size_t max, bool suivre_lien);

// What the director is told when `lu` was not read: the file `nom` (as
// shown, Windows-1252) is missing, a link, not a regular file, unreadable, or
// larger than `max` bytes.
std::string raison_non_lu(const FichierLu& lu, std::string_view nom, std::size_t max);

// Where a save really goes: the file a symbolic link names, not the link.
std::string cible_reelle(const std::string& chemin);

// True when a file may be written at `cible`: there is none yet, or it is a
// regular file whose mode grants writing to this process (the mode bits are
// obeyed even by root). With `entree_remplacee`, whatever else is at `cible`
// but a folder (a symbolic link, a FIFO...) is replaced itself, never opened.
bool remplacement_permis(const std::string& cible, bool entree_remplacee = false);

// A temporary file beside `cible`, renamed over it by `remplacer` once
// complete; removed otherwise. Its name is short enough for any file name the
// folder holds. Each one is locked (flock) by its writer until it is renamed,
// so the temporary files of the same target that nobody holds any more (a
// killed process left them) are removed when a new one is created. It takes the mode, owner and
// group of the file it replaces; when the owner or group cannot be kept,
// `ouvert` is false and nothing is created.
class FichierTemporaire {
  public:
    explicit FichierTemporaire(const std::string& cible);
    // A new file of this process whatever it replaces: it takes `droits` less
    // the umask and the process's owner and group, never those of the file
    // it replaces.
    FichierTemporaire(const std::string& cible, mode_t droits);
    ~FichierTemporaire();
    FichierTemporaire(const FichierTemporaire&) = delete;
    FichierTemporaire& operator=(const FichierTemporaire&) = delete;

    bool ouvert() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // Its own name, for a writer that opens it by name (SQLite).
    const std::string& chemin() const { return chemin_; }

    // Flushes the content to disk; then renames the file over the target and
    // closes it. False when one step fails (the target is then as it was).
    bool synchroniser();
    bool remplacer();
    // The same for a new file: put at the target only when nothing is there
    // yet, even a file another program created meanwhile (errno is then
    // EEXIST and the temporary file is removed).
    bool creer();

  private:
    bool mis_en_place();
    void ouvrir(std::optional<mode_t> droits);

    std::string cible_;
    std::string chemin_;
    int fd_ = -1;
    bool remplace_ = false;
};

// Writes all of `octets` to `fd`, going on after partial writes; false on an
// error or a write that writes nothing.
bool ecrire_en_entier(int fd, std::string_view octets);

// Writes `contenu` as the whole of `cible`, through a temporary file renamed
// over it: false when it did not go through (the target is then as it was,
// and no temporary file is left).
bool ecrire_fichier_entier(const std::filesystem::path& cible, std::string_view contenu);

// An exclusive advisory lock (flock) on an existing file, held for as long as
// the object lives. The lock is taken on the file the path names once it is
// held: a writer that replaced the file by renaming meanwhile is noticed and
// the new file locked instead.
class VerrouFichier {
  public:
    enum class Etat { pris, absent, occupe, impossible, sans_verrou };

    VerrouFichier() = default;
    ~VerrouFichier();
    VerrouFichier(const VerrouFichier&) = delete;
    VerrouFichier& operator=(const VerrouFichier&) = delete;

    // Waits up to `attente_ms` for the lock. `absent`: there is no file to
    // lock; `impossible`: it is not a regular file or cannot be opened;
    // `sans_verrou`: its file system takes no lock.
    Etat prendre(const std::string& chemin, int attente_ms);

  private:
    int fd_ = -1;
};

// What tells that a file changed on disk: its modification time and size.
struct EtatFichier {
    bool existe = false;
    std::timespec modification{};
    off_t taille = 0;
};
EtatFichier etat_fichier(const std::string& chemin);
bool meme_etat(const EtatFichier& a, const EtatFichier& b);

}  // namespace tavo
