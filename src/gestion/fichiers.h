// Loading and saving the tournament file: the native file ".tavo" (an SQLite
// database) or the 1998 file (".pxi"), chosen by the file's name.
#pragma once

#include <memory>
#include <string>

#include "model/disque.h"
#include "model/interaction.h"
#include "model/tournoi.h"

namespace tavo {
class FichierTavo;
}

namespace tavo::gestion {

// True for a name ending in ".tavo" (any case of its letters): the native
// file. Any other name is a 1998 file.
bool est_fichier_tavo(const std::string& chemin);

// Replaces the tournament with the one of the file. A file whose records
// contradict each other is refused; from a 1998 file, the tables of earlier
// rounds that it left out are brought back from the players' records. A
// .tavo on a file system where locks cannot be trusted is loaded after the
// warning that names the risk (information). On any failure (message shown)
// the tournament is left as it was.
bool charger_tournoi(Tournoi& t, const std::string& chemin, Interaction& io);

// Writes the tournament to the file, in one transaction for a .tavo (created
// when it is not there yet), through a file renamed over the old one for a
// .pxi: the previous file stays whole when the save fails (message shown). A
// tournament that a .pxi cannot hold is refused as such, naming what does not
// fit. On success modifie is 0.
bool sauver_tournoi(Tournoi& t, const std::string& chemin, Interaction& io);

// Opens a .tavo for a window that keeps it open; its warning is shown when it
// lies where locks cannot be trusted. False (message shown) on failure.
bool ouvrir_fichier_tavo(FichierTavo& fichier, const std::string& chemin, Interaction& io);

// Writes a new tournament file: refused (message, false) when a file is
// already at `chemin`, even one that another program created meanwhile.
bool creer_tournoi(Tournoi& t, const std::string& chemin, Interaction& io);

// One action of a director on a tournament file, from its load to its save,
// with no other program's change in between. A .pxi is locked (flock) for the
// time of the action; a .tavo is loaded and saved in one SQLite transaction,
// whose commit stores the change whole (nothing when the action is given up:
// the object destroyed without a save). Another program's change is waited
// for up to 5 seconds, then the action is refused with a message.
class ActionFichier {
  public:
    explicit ActionFichier(std::string chemin);
    ~ActionFichier();
    ActionFichier(const ActionFichier&) = delete;
    ActionFichier& operator=(const ActionFichier&) = delete;

    // Takes the file for this action. A file not there yet needs nothing:
    // the save creates it.
    bool commencer(Interaction& io);
    bool charger(Tournoi& t, Interaction& io);
    bool sauver(Tournoi& t, Interaction& io);
    const std::string& chemin() const { return chemin_; }

  private:
    std::string chemin_;
    VerrouFichier verrou_;
    std::unique_ptr<FichierTavo> tavo_;
};

// The recovery copy of a tournament: written whole (or not at all) to
// `chemin`, never over the tournament file, without touching `modifie`.
bool ecrire_copie_secours(const Tournoi& t, const std::string& chemin, Interaction& io);

// Takes the tournament back from a recovery copy: loaded as a file is, and
// marked as not saved (the copy holds what the tournament file lacks).
bool reprendre_copie_secours(Tournoi& t, const std::string& chemin, Interaction& io);

// How long a command waits for another one to finish with a file.
inline constexpr int ATTENTE_VERROU_MS = 5000;

// One writer at a time: takes an exclusive lock on the tournament file, to be
// held over a whole load, change and save. Waits up to ATTENTE_VERROU_MS for
// another program holding it, then refuses with a message. A file that does
// not exist yet needs no lock (true); one that is not a regular file is
// refused.
bool verrouiller_tournoi(VerrouFichier& verrou, const std::string& chemin, Interaction& io);

// True when the tournament has changes not saved yet.
bool a_sauver(const Tournoi& t);

}  // namespace tavo::gestion
