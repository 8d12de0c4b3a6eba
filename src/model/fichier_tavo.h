// The tournament file ".tavo" (an SQLite database, schema_tavo.h) as the
// model holds it: a whole tournament read from it, or stored in it, each in
// one transaction. Storing writes only the rows that differ from those the
// file holds, so that one action of a director stays a small transaction
// whatever the size of the tournament.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "model/base_donnees.h"
#include "model/requete.h"
#include "model/tournoi.h"

namespace tavo {

// The rows of the file's tables (tournoi, departage, joueur, partie,
// appariement, appariement_interdit), each table's rows in the order of their
// keys.
inline constexpr std::size_t NB_TABLES_TAVO = 7;
using ValeurTavo = std::variant<std::int64_t, std::string>;
using LigneTavo = std::vector<ValeurTavo>;
using ImageTavo = std::array<std::vector<LigneTavo>, NB_TABLES_TAVO>;

class FichierTavo {
  public:
    // Opens an existing file, with every check of BaseDonnees::ouvrir (a
    // damaged file, another program's, a newer program's is refused and left
    // as it is). False, message in erreur(), on failure.
    bool ouvrir(const std::string& chemin, const OptionsBase& options = {});

    // A new file at `chemin` holding `t`: written beside it under a
    // temporary name and put in place whole, only where nothing is yet (even
    // a file another program put there meanwhile). The file is closed again.
    bool creer(const std::string& chemin, Tournoi& t, const OptionsBase& options = {});

    // Begins one action: other programs wait (up to the busy timeout) until
    // ecrire() ends it; destroying the object first undoes everything.
    bool commencer();

    // Reads the whole tournament into `t` (limites_1998 and modifie false):
    // inside the action begun, or in a reading of its own. A file without
    // tournament, or whose records contradict each other, is refused
    // (message, `t` untouched).
    bool lire(Tournoi& t);

    // Stores `t` in the action begun (or in one of its own), and ends it: the
    // rows that differ from the file's are deleted and written again, then
    // committed. A tournament that would not read back equal is refused, the
    // action undone. On success `modifie` is false.
    bool ecrire(Tournoi& t);

    // Ends the action begun without storing anything.
    void abandonner() { action_.reset(); }

    // True when another program stored a change since this connection last
    // read or wrote the file (or when that cannot be told).
    bool change_ailleurs() { return !connues_valables(); }

    const std::string& erreur() const { return erreur_.empty() ? base_.erreur() : erreur_; }
    // What the director should know about where the file lies ("" on a local
    // disk): shown at each opening.
    const std::string& avertissement() const { return base_.avertissement(); }

  private:
    bool refus(std::string message);
    bool lire_image(ImageTavo& image);
    bool connues_valables();

    BaseDonnees base_;
    std::unique_ptr<Transaction> action_;
    // The rows the file holds as this connection last read or wrote them,
    // and the file's data_version then: they stay valid as long as no other
    // connection commits.
    std::optional<ImageTavo> connues_;
    std::int64_t version_connue_ = 0;
    std::string erreur_;
};

}  // namespace tavo
