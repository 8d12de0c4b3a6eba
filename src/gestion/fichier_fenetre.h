// The tournament file of the window, from its load to the next one. A .tavo
// stays open: each change of the tournament is stored in it the moment it is
// made, and a change another program (tavo-cli) stored meanwhile is noticed
// before it could be overwritten. A .pxi is read and saved whole when the
// director asks, as the 1998 program did, its state on disk kept to notice
// another program's save.
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

// What became of the window's save.
enum class Sauvegarde {
    faite,       // the file holds the tournament
    abandonnee,  // cancelled or failed (message shown): the file is as it was
    rechargee,   // the tournament was replaced by the file as it is on disk
};

class FichierFenetre {
  public:
    FichierFenetre();
    ~FichierFenetre();
    FichierFenetre(const FichierFenetre&) = delete;
    FichierFenetre& operator=(const FichierFenetre&) = delete;

    // Replaces the tournament with the one of the file, which becomes the
    // window's. On failure (message shown) nothing changes.
    bool charger(Tournoi& t, const std::string& chemin, Interaction& io);

    // Saves to `chemin`, the window's file or another one ("Sauver sous"),
    // which then becomes the window's. When the window's file was changed by
    // another program since this window last had it, the director is asked
    // first: "Recharger" takes the file as it is instead (after confirming
    // that the changes not saved are lost), "Écraser" replaces it, "Annuler"
    // (the default) does neither.
    Sauvegarde sauver(Tournoi& t, const std::string& chemin, Interaction& io);

    // After each change of the tournament: a .tavo stores it at once, as
    // sauver() does; a .pxi waits for the director's save (abandonnee,
    // nothing done), as does a tournament without file yet.
    Sauvegarde enregistrer_changement(Tournoi& t, Interaction& io);

    // A new tournament, not in any file yet.
    void oublier();

    // True when every change is stored as it is made (a .tavo).
    bool immediat() const { return tavo_ != nullptr; }
    // The window's file; empty for a tournament never saved.
    const std::string& chemin() const { return chemin_; }

  private:
    bool le_sien(const std::string& chemin) const;
    Sauvegarde sauver_pxi(Tournoi& t, const std::string& chemin, Interaction& io);
    Sauvegarde sauver_tavo(Tournoi& t, Interaction& io);
    Sauvegarde sauver_autre_tavo(Tournoi& t, const std::string& chemin, Interaction& io);

    std::string chemin_;
    // The state of a .pxi when this window last loaded or saved it.
    EtatFichier connu_;
    // The open .tavo, null for a .pxi.
    std::unique_ptr<FichierTavo> tavo_;
};

}  // namespace tavo::gestion
