// The tournament file (".tavo"): an SQLite database, reached through a
// connection of our own over SQLite's C interface. Every failure becomes the
// French message the director is shown; nothing here throws.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/schema_tavo.h"
#include "model/systeme_fichiers.h"

struct sqlite3;

namespace tavo {

// How long a program waits for another one (the window, tavo-cli) to finish
// its change of the same file before it gives up with a message.
inline constexpr int ATTENTE_BASE_MS = 5000;

// The application id of a tournament file ("TAVO"), in its header.
inline constexpr std::int32_t ID_APPLICATION_TAVO = 0x5441564F;

struct OptionsBase {
    int attente_ms = ATTENTE_BASE_MS;
    // The steps of the schema (schema_tavo.h): a file is brought to their
    // number as its version.
    std::span<const std::string_view> etapes = etapes_schema_tavo();
    // The type of file system the file lies on, as statfs gives it; tests
    // name another to get the other journal.
    std::optional<std::uint32_t> type_systeme = std::nullopt;
};

// One connection to a tournament file. Opening it applies what every action
// relies on: foreign keys checked, each commit flushed to disk
// (synchronous=FULL), the write-ahead log on a local disk and the rollback
// journal elsewhere (systeme_fichiers.h), a wait of `attente_ms` for another
// program's change, a quick check of the whole file, and the schema brought
// to the program's version. A file that fails a check is refused with its
// message and never written: a damaged file, a file that is not a tournament
// file, a file from a newer program.
class BaseDonnees {
  public:
    enum class Ouverture {
        existant,  // the file must exist
        nouveau,   // a new file, refused when anything is at the path already
    };

    BaseDonnees() = default;
    ~BaseDonnees();
    BaseDonnees(const BaseDonnees&) = delete;
    BaseDonnees& operator=(const BaseDonnees&) = delete;

    // False, message in erreur(), when the file cannot be opened as a
    // tournament file; a new file that failed is removed.
    bool ouvrir(const std::string& chemin, Ouverture ouverture = Ouverture::existant,
                const OptionsBase& options = {});
    void fermer();
    bool ouverte() const { return base_ != nullptr; }

    // The message of the last failure.
    const std::string& erreur() const { return erreur_; }
    // What the director should know about where the file lies ("" when
    // nothing): shown at each opening.
    const std::string& avertissement() const { return avertissement_; }
    ModeJournal journal() const { return journal_; }

    // Runs statements that return no rows (several, separated by ';').
    bool executer(std::string_view sql);

    // The first column of the first row of a query; std::nullopt on a
    // failure or when it returns no row.
    std::optional<std::int64_t> entier(std::string_view sql);

  private:
    friend class Requete;
    friend class Transaction;

    // Records the message of SQLite's failure `code`; always false.
    bool echec(int code);
    bool refus(std::string message);

    bool connecter(const std::string& chemin, int attente_ms);
    bool verifier_en_tete(std::size_t version_connue);
    bool verifier_contenu();
    bool regler_journal(ModeJournal mode);
    bool mettre_a_jour(std::span<const std::string_view> etapes);

    sqlite3* base_ = nullptr;
    std::string nom_;  // the file's name, as messages show it
    std::string erreur_;
    std::string avertissement_;
    ModeJournal journal_ = ModeJournal::wal;
    std::int64_t version_ = 0;
    std::int64_t id_application_ = 0;
};

}  // namespace tavo
