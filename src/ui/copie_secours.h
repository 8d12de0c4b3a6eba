// The window's recovery copy: after every change that no file holds yet (a
// .pxi not saved, a tournament given no file, a .tavo that could not store
// it), the tournament is written whole, as a .tavo, to $XDG_STATE_HOME/tavo/
// (by default ~/.local/state/tavo/), never over the tournament file, so that a
// crash or a power cut loses nothing. A save or a "Non" to the save question
// removes it.
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <string>

#include "model/tournoi.h"

namespace tavo::ui {

class CopieSecours {
  public:
    // The folder of the copy, as the desktop's conventions place it.
    static QString dossier();

    // Writes the copy of `t`, noting the tournament's file (empty for a
    // tournament never saved). A failure is not the director's concern at
    // that moment: it is only written on stderr.
    void ecrire(const Tournoi& t, const QString& fichier);
    void effacer();

    // A copy worth offering back at start: newer than its tournament file,
    // or of a tournament never saved.
    struct Offre {
        QString copie;
        QString fichier;  // the tournament's file, empty when never saved
        QDateTime faite;
        std::string nom;  // the tournament's name
    };
    std::optional<Offre> a_proposer() const;

  private:
    static QString chemin_copie();
    static QString chemin_fichier();
};

}  // namespace tavo::ui
