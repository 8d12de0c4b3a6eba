#include "model/fichier_tournoi.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "model/disque.h"
#include "model/pxi.h"
#include "model/texte.h"

namespace tavo {
namespace {

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

// Why the file image would be refused on loading; "" when it loads.
std::string relecture_refusee(const std::vector<char>& image) {
    auto relu = std::make_unique<Tournoi>();
    std::string detail;
    const ErreurLecture erreur =
        lire_image(std::string_view(image.data(), image.size()), *relu, &detail);
    return erreur == ErreurLecture::aucune ? "" : message_lecture(erreur, detail);
}

}  // namespace

void remplacer_ecriture(FonctionEcriture f) {
    ecriture = f ? f : ::write;
}

namespace {

// Writes the file image beside `cible` under a temporary name, then puts it
// in place by replacing `cible` or, for a new file, only where there is none.
// Nothing is written when the image would not load again.
bool ecrire_image(Tournoi& t, const std::string& cible, bool nouveau, const std::string& chemin,
                  Interaction& io) {
    if (const std::string trop = hors_limites_1998(t); !trop.empty()) {
        io.message_erreur("Ce tournoi ne tient pas dans un fichier .pxi : " + trop);
        return false;
    }
    const std::vector<char> image = image_fichier(t);
    const std::string refus = relecture_refusee(image);
    if (!refus.empty()) {
        io.message_erreur("Sauvegarde refusée, le fichier ne se relirait pas. " + refus);
        return false;
    }
    FichierTemporaire temporaire(cible);
    if (!temporaire.ouvert()) {
        io.message_erreur("Impossible d'ouvrir ce fichier");
        return false;
    }
    const int fd = temporaire.fd();

    // The blocks in file order, each with the message naming it.
    const std::size_t fin_entete = sizeof(pxi::EnteteTournoi);
    const std::size_t fin_joueurs =
        fin_entete + sizeof(pxi::Joueur) * static_cast<std::size_t>(t.nb_joueurs());
    const std::size_t fin_nb_app =
        fin_joueurs + 2 * static_cast<std::size_t>(t.entete.ronde_courante + 1);
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
    if (!echec && !temporaire.synchroniser()) echec = dernier_bloc;
    if (echec) {
        io.message_erreur(echec);
        return false;
    }
    if (nouveau ? !temporaire.creer() : !temporaire.remplacer()) {
        io.message_erreur(nouveau && errno == EEXIST ? "Le fichier existe déjà : " + chemin
                                                     : "Impossible d'ouvrir ce fichier");
        return false;
    }
    t.entete.modifie = false;
    return true;
}

}  // namespace

bool sauver(Tournoi& t, const std::string& chemin, Interaction& io) {
    const std::string cible = cible_reelle(chemin);
    // Only a regular file with write permission is replaced, never a device,
    // a FIFO or a folder.
    if (!remplacement_permis(cible)) {
        io.message_erreur("Impossible d'ouvrir ce fichier");
        return false;
    }
    return ecrire_image(t, cible, false, chemin, io);
}

bool creer(Tournoi& t, const std::string& chemin, Interaction& io) {
    // The name itself is taken, whatever is there (a symbolic link too).
    return ecrire_image(t, chemin, true, chemin, io);
}

bool charger(Tournoi& t, const std::string& chemin, Interaction& io) {
    // Bytes after the last record are ignored, so nothing beyond the largest
    // possible file needs reading. Only a regular file is read.
    const auto octets = lire_fichier_regulier(chemin, TAILLE_MAX_FICHIER);
    if (!octets) {
        io.message_erreur("Impossible d'ouvrir ce fichier");
        return false;
    }
    auto lu = std::make_unique<Tournoi>();
    std::string detail;
    const ErreurLecture erreur = lire_image(*octets, *lu, &detail);
    if (erreur != ErreurLecture::aucune) {
        io.message_erreur(message_lecture(erreur, detail));
        return false;
    }
    t = *lu;
    return true;
}

}  // namespace tavo
