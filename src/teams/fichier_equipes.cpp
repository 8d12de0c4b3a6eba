// The team result file of one game's tournament.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "model/texte.h"
#include "standings/scores.h"
#include "teams/equipes.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

// A game name makes a file name of the chosen folder only when it is not
// empty, is not "." or "..", and holds neither a "/" (which would lead to
// another folder) nor a control character (which would also break the line
// holding the name).
bool nom_possible(const std::string& jeu) {
    if (jeu.empty() || jeu == "." || jeu == "..") return false;
    for (char c : jeu)
        if (c == '/' || (static_cast<unsigned char>(c) < 0x20)) return false;
    return true;
}

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

// A temporary file beside the target, renamed over it once complete; removed
// when the write does not go through.
class FichierTemporaire {
  public:
    explicit FichierTemporaire(const fs::path& cible) : cible_(cible) {
        chemin_ =
            (cible.parent_path() / ("." + cible.filename().string() + ".tmp-XXXXXX")).string();
        fd_ = ::mkstemp(chemin_.data());
        if (fd_ >= 0) ::fchmod(fd_, droits(cible));
    }
    ~FichierTemporaire() {
        if (fd_ >= 0) ::close(fd_);
        if (!remplace_) ::unlink(chemin_.c_str());
    }
    FichierTemporaire(const FichierTemporaire&) = delete;
    FichierTemporaire& operator=(const FichierTemporaire&) = delete;

    bool ouvert() const { return fd_ >= 0; }

    // Writes the whole content, flushes it to disk and renames the file over
    // the target.
    bool remplacer(const std::string& contenu) {
        bool ok = ecrire_tout(fd_, contenu) && ::fsync(fd_) == 0;
        ok = ::close(fd_) == 0 && ok;
        fd_ = -1;
        if (!ok || ::rename(chemin_.c_str(), cible_.c_str()) != 0) return false;
        remplace_ = true;
        return true;
    }

  private:
    fs::path cible_;
    std::string chemin_;
    int fd_ = -1;
    bool remplace_ = false;
};

}  // namespace

std::string nom_fichier_equipes(const EnteteTournoi& entete) {
    return champ(entete.jeu) + ".PXR";
}

bool fichier_resultat_equipes(Tournoi& t, const fs::path& dossier, Interaction& io) {
    const std::string jeu = champ(t.entete.jeu);
    const std::string nom = nom_fichier_equipes(t.entete);
    const auto refuser = [&] {
        io.message_erreur("Impossible d'ouvrir le fichier : " + nom);
        return false;
    };
    if (!nom_possible(jeu)) return refuser();
    FichierTemporaire fichier(dossier / vers_utf8(nom));
    if (!fichier.ouvert()) return refuser();

    trier_classement(t);
    const int n = t.entete.nb_joueurs;
    std::string contenu = formater("%s\r\n%d\r\n", jeu.c_str(), n);
    // Players with equal points share a rank; tie-breaks only order the lines.
    int rang = 1;
    for (int p = 1; p <= n; ++p) {
        const Joueur& j = t.joueurs[p];
        contenu += formater("%d %s  %s %s\r\n", rang, champ(j.equipe).c_str(), champ(j.nom).c_str(),
                            champ(j.prenom).c_str());
        if (p < n && t.joueurs[p + 1].points != j.points) rang = p + 1;
    }
    if (!fichier.remplacer(contenu)) return refuser();
    return true;
}

}  // namespace tavo
