#include "model/fichier_tournoi.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "model/texte.h"

namespace tavo {
namespace {

template <typename T>
void ajouter_octets(std::vector<char>& out, const T& valeur) {
    const char* debut = reinterpret_cast<const char*>(&valeur);
    out.insert(out.end(), debut, debut + sizeof(T));
}

// Table count N of the current round: every round's group of the file holds N
// records, whatever its own count.
int tables_par_groupe(const Tournoi& t) {
    return t.entete.ronde_courante >= 0 ? t.nb_app[t.entete.ronde_courante] : 0;
}

// Reads the blocks one record at a time, as the file was written.
class Lecteur {
  public:
    explicit Lecteur(std::string_view octets) : reste_(octets) {}

    template <typename T>
    bool lire(T& dest) {
        if (reste_.size() < sizeof(T)) return false;
        std::memcpy(&dest, reste_.data(), sizeof(T));
        reste_.remove_prefix(sizeof(T));
        return true;
    }

  private:
    std::string_view reste_;
};

bool id_valide(std::int16_t id, int nb_joueurs) {
    return id == ID_AUCUN || id == ID_FORFAIT || id == ID_QUALIFIE || (id >= 1 && id <= nb_joueurs);
}

bool entete_valide(const EnteteTournoi& e) {
    if (e.nb_joueurs < 0 || e.nb_joueurs > MAX_JOUEURS) return false;
    if (e.ronde_courante < -1 || e.ronde_courante >= MAX_RONDES) return false;
    if (e.nb_departages < 0 || e.nb_departages > NB_SYSTEMES_DEPARTAGE) return false;
    for (int i = 0; i < e.nb_departages; ++i)
        if (e.departages[i] < 0 || e.departages[i] >= NB_SYSTEMES_DEPARTAGE) return false;
    return true;
}

// Ids 1..nb_joueurs each once, and every opponent a player or a special id.
bool joueurs_valides(const Tournoi& t) {
    const int n = t.entete.nb_joueurs;
    std::array<bool, MAX_JOUEURS + 1> vu{};
    for (int p = 1; p <= n; ++p) {
        const Joueur& j = t.joueurs[p];
        if (j.id < 1 || j.id > n || vu[j.id]) return false;
        vu[j.id] = true;
        for (std::int16_t adversaire : j.adversaires)
            if (!id_valide(adversaire, n)) return false;
    }
    return true;
}

// A round cannot have more tables than half its players, rounded up.
bool nb_app_valide(std::int16_t nb, int nb_joueurs) {
    return nb >= 0 && nb <= MAX_TABLES && nb <= (nb_joueurs + 1) / 2;
}

FonctionEcriture ecriture = ::write;

bool ecrire_tout(int fd, const char* donnees, std::size_t taille) {
    while (taille > 0) {
        const ssize_t ecrit = ecriture(fd, donnees, taille);
        if (ecrit < 0 && errno == EINTR) continue;
        if (ecrit <= 0) return false;
        donnees += ecrit;
        taille -= static_cast<std::size_t>(ecrit);
    }
    return true;
}

// Where a save really goes: the file a symbolic link names, not the link.
std::string cible_reelle(const std::string& chemin) {
    std::error_code ec;
    if (std::filesystem::is_symlink(chemin, ec)) {
        auto cible = std::filesystem::weakly_canonical(chemin, ec);
        if (!ec) return cible.string();
    }
    return chemin;
}

mode_t droits_du_fichier(const std::string& chemin) {
    struct stat etat {};
    if (::stat(chemin.c_str(), &etat) == 0) return etat.st_mode & 07777;
    const mode_t masque = ::umask(0);
    ::umask(masque);
    return 0666 & ~masque;
}

void synchroniser_dossier(const std::string& chemin) {
    const auto dossier = std::filesystem::path(chemin).parent_path();
    const int fd = ::open(dossier.empty() ? "." : dossier.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

void remplacer_ecriture(FonctionEcriture f) {
    ecriture = f ? f : ::write;
}

std::vector<char> image_fichier(const Tournoi& t) {
    std::vector<char> out;
    EnteteTournoi entete = t.entete;
    entete.modifie = 0;
    ajouter_octets(out, entete);
    for (int p = 1; p <= t.entete.nb_joueurs; ++p) ajouter_octets(out, t.joueurs[p]);
    for (int r = 0; r <= t.entete.ronde_courante; ++r) ajouter_octets(out, t.nb_app[r]);
    const int n = tables_par_groupe(t);
    for (int k = 0; k <= t.entete.ronde_courante; ++k)
        for (int table = 0; table < n; ++table) ajouter_octets(out, t.app[k][table]);
    return out;
}

bool sauver(Tournoi& t, const std::string& chemin, Interaction& io) {
    const std::string cible = cible_reelle(chemin);
    std::error_code ec;
    if (std::filesystem::is_directory(cible, ec)) {
        io.message_erreur("Impossible d'ouvrir ce fichier");
        return false;
    }
    std::string temporaire = cible + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temporaire.data());
    if (fd < 0) {
        io.message_erreur("Impossible d'ouvrir ce fichier");
        return false;
    }
    ::fchmod(fd, droits_du_fichier(cible));

    // The blocks in file order, each with the message naming it.
    const std::vector<char> image = image_fichier(t);
    const std::size_t fin_entete = sizeof(EnteteTournoi);
    const std::size_t fin_joueurs = fin_entete + sizeof(Joueur) * t.entete.nb_joueurs;
    const std::size_t fin_nb_app = fin_joueurs + 2 * (t.entete.ronde_courante + 1);
    const struct {
        std::size_t debut, fin;
        const char* message;
    } blocs[] = {
        {0, fin_entete, "Erreur d'écriture TOURNOI dans ce fichier"},
        {fin_entete, fin_joueurs, "Erreur d'écriture JOUEURS [] dans ce fichier"},
        {fin_joueurs, fin_nb_app, "Erreur d'écriture NB_APP [] dans ce fichier"},
        {fin_nb_app, image.size(), "Erreur d'écriture APP [][] dans ce fichier"},
    };
    const char* echec = nullptr;
    const char* dernier_bloc = blocs[0].message;
    for (const auto& bloc : blocs) {
        if (bloc.fin == bloc.debut) continue;
        dernier_bloc = bloc.message;
        if (!ecrire_tout(fd, image.data() + bloc.debut, bloc.fin - bloc.debut)) {
            echec = bloc.message;
            break;
        }
    }
    // Data that never reached the disk is a failed write of the last block.
    if (!echec && ::fsync(fd) != 0) echec = dernier_bloc;
    if (::close(fd) != 0 && !echec) echec = dernier_bloc;
    if (!echec && ::rename(temporaire.c_str(), cible.c_str()) != 0)
        echec = "Impossible d'ouvrir ce fichier";
    if (echec) {
        ::unlink(temporaire.c_str());
        io.message_erreur(cp(echec));
        return false;
    }
    synchroniser_dossier(cible);
    t.entete.modifie = 0;
    return true;
}

ErreurLecture lire_image(std::string_view octets, Tournoi& d) {
    Lecteur lecteur(octets);
    if (!lecteur.lire(d.entete) || !entete_valide(d.entete)) return ErreurLecture::tournoi;
    for (int p = 1; p <= d.entete.nb_joueurs; ++p)
        if (!lecteur.lire(d.joueurs[p])) return ErreurLecture::joueurs;
    if (!joueurs_valides(d)) return ErreurLecture::joueurs;
    for (int r = 0; r <= d.entete.ronde_courante; ++r)
        if (!lecteur.lire(d.nb_app[r]) || !nb_app_valide(d.nb_app[r], d.entete.nb_joueurs))
            return ErreurLecture::nb_app;
    const int n = tables_par_groupe(d);
    for (int k = 0; k <= d.entete.ronde_courante; ++k) {
        for (int table = 0; table < n; ++table) {
            Appariement& a = d.app[k][table];
            if (!lecteur.lire(a) || !id_valide(a.blanc, d.entete.nb_joueurs) ||
                !id_valide(a.noir, d.entete.nb_joueurs))
                return ErreurLecture::app;
        }
    }
    d.entete.modifie = 0;  // a tournament just read has nothing unsaved
    d.indexer_joueurs();
    return ErreurLecture::aucune;
}

std::string message_lecture(ErreurLecture erreur) {
    switch (erreur) {
        case ErreurLecture::tournoi:
            return "Erreur de lecture TOURNOI dans ce fichier";
        case ErreurLecture::joueurs:
            return "Erreur de lecture JOUEURS [] dans ce fichier";
        case ErreurLecture::nb_app:
            return "Erreur de lecture NB_APP [] dans ce fichier";
        case ErreurLecture::app:
            return "Erreur de lecture APP [][] dans ce fichier";
        case ErreurLecture::aucune:
            break;
    }
    return "";
}

bool charger(Tournoi& t, const std::string& chemin, Interaction& io) {
    std::ifstream fichier(chemin, std::ios::binary);
    std::error_code ec;
    if (!fichier || std::filesystem::is_directory(chemin, ec)) {
        io.message_erreur("Impossible d'ouvrir ce fichier");
        return false;
    }
    // Bytes after the last record are ignored, so nothing beyond the largest
    // possible file needs reading.
    std::string octets(TAILLE_MAX_FICHIER, '\0');
    fichier.read(octets.data(), static_cast<std::streamsize>(octets.size()));
    octets.resize(static_cast<std::size_t>(fichier.gcount()));

    auto lu = std::make_unique<Tournoi>();
    const ErreurLecture erreur = lire_image(octets, *lu);
    if (erreur != ErreurLecture::aucune) {
        io.message_erreur(message_lecture(erreur));
        return false;
    }
    t = *lu;
    return true;
}

}  // namespace tavo
