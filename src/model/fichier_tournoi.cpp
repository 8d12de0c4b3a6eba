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

#include "model/accord.h"
#include "model/disque.h"
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

// A text field ends with its NUL within the field, and holds no control
// character (a line break in a name would break the reports and team files).
template <std::size_t N>
bool texte_termine(const char (&f)[N]) {
    const std::size_t n = strnlen(f, N);
    return n < N && std::none_of(f, f + n, [](char c) {
               const auto octet = static_cast<unsigned char>(c);
               return octet < 0x20 || octet == 0x7F;
           });
}

bool drapeau(std::uint8_t valeur) {
    return valeur == 0 || valeur == 1;
}

bool entete_valide(const EnteteTournoi& e) {
    if (e.nb_joueurs < 0 || e.nb_joueurs > MAX_JOUEURS) return false;
    if (!texte_termine(e.date) || !texte_termine(e.nom) || !texte_termine(e.jeu)) return false;
    if (!drapeau(e.othello)) return false;
    // The rounds planned: 0 to 15, never fewer than the rounds already paired.
    if (e.nb_rondes < 0 || e.nb_rondes > MAX_RONDES || e.nb_rondes < e.ronde_courante + 1)
        return false;
    if (e.ronde_courante < -1 || e.ronde_courante >= MAX_RONDES) return false;
    if (e.nb_departages < 0 || e.nb_departages > NB_SYSTEMES_DEPARTAGE) return false;
    for (int i = 0; i < e.nb_departages; ++i)
        if (e.departages[i] < 0 || e.departages[i] >= NB_SYSTEMES_DEPARTAGE) return false;
    return true;
}

// The values a player record can hold: its texts ended, its flags 0 or 1,
// colours, points and discs within their ranges.
bool fiche_valide(const Joueur& j) {
    if (!texte_termine(j.nom) || !texte_termine(j.prenom) || !texte_termine(j.ne_le) ||
        !texte_termine(j.equipe))
        return false;
    if (!drapeau(j.fille) || !drapeau(j.actif)) return false;
    for (int r = 0; r < MAX_RONDES; ++r)
        if (j.couleurs[r] > SANS_PARTIE || j.resultats[r] > 2 || j.pions[r] > 64) return false;
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
        if (!fiche_valide(j)) return false;
        for (std::int16_t adversaire : j.adversaires)
            if (!id_valide(adversaire, n)) return false;
    }
    return true;
}

// A round cannot have more tables than half its players, rounded up.
bool nb_app_valide(std::int16_t nb, int nb_joueurs) {
    return nb >= 0 && nb <= MAX_TABLES && nb <= (nb_joueurs + 1) / 2;
}

// Points 0 to 2, discs 0 to 64, the entered flag 0 or 1.
bool table_valide(const Appariement& a) {
    return a.res_blanc <= 2 && a.res_noir <= 2 && a.pions_blanc <= 64 && a.pions_noir <= 64 &&
           drapeau(a.saisi);
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

namespace {

// Writes the file image beside `cible` under a temporary name, then puts it
// in place by replacing `cible` or, for a new file, only where there is none.
// Nothing is written when the image would not load again.
bool ecrire_image(Tournoi& t, const std::string& cible, bool nouveau, const std::string& chemin,
                  Interaction& io) {
    const std::vector<char> image = image_fichier(t);
    const std::string refus = relecture_refusee(image);
    if (!refus.empty()) {
        io.message_erreur(cp("Sauvegarde refusée, le fichier ne se relirait pas. ") + refus);
        return false;
    }
    FichierTemporaire temporaire(cible);
    if (!temporaire.ouvert()) {
        io.message_erreur("Impossible d'ouvrir ce fichier");
        return false;
    }
    const int fd = temporaire.fd();

    // The blocks in file order, each with the message naming it.
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
    if (!echec && !temporaire.synchroniser()) echec = dernier_bloc;
    if (echec) {
        io.message_erreur(cp(echec));
        return false;
    }
    if (nouveau ? !temporaire.creer() : !temporaire.remplacer()) {
        io.message_erreur(nouveau && errno == EEXIST ? cp("Le fichier existe déjà : ") + chemin
                                                     : "Impossible d'ouvrir ce fichier");
        return false;
    }
    t.entete.modifie = 0;
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

ErreurLecture lire_image(std::string_view octets, Tournoi& d, std::string* detail) {
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
                !id_valide(a.noir, d.entete.nb_joueurs) || !table_valide(a))
                return ErreurLecture::app;
        }
    }
    d.entete.modifie = 0;  // a tournament just read has nothing unsaved
    d.indexer_joueurs();
    const std::string contradiction = desaccord(d);
    if (contradiction.empty()) return ErreurLecture::aucune;
    if (detail) *detail = contradiction;
    return ErreurLecture::desaccord;
}

std::string message_lecture(ErreurLecture erreur, const std::string& detail) {
    switch (erreur) {
        case ErreurLecture::tournoi:
            return "Erreur de lecture TOURNOI dans ce fichier";
        case ErreurLecture::joueurs:
            return "Erreur de lecture JOUEURS [] dans ce fichier";
        case ErreurLecture::nb_app:
            return "Erreur de lecture NB_APP [] dans ce fichier";
        case ErreurLecture::app:
            return "Erreur de lecture APP [][] dans ce fichier";
        case ErreurLecture::desaccord:
            return cp("Fichier incohérent. ") + detail;
        case ErreurLecture::aucune:
            break;
    }
    return "";
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
