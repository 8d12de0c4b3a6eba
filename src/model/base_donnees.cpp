#include "model/base_donnees.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "model/disque.h"
#include "model/requete.h"
#include "model/texte.h"

namespace tavo {

namespace {

std::string nom_affiche(const std::string& chemin) {
    return controles_visibles(std::filesystem::path(chemin).filename().string());
}

// What the director is told of SQLite's failure `code` (an extended code) on
// the file `nom`; `detail` is SQLite's own text, kept only where it names
// what a program fault broke.
std::string message_sqlite(int code, int erreur_systeme, const std::string& nom,
                           const char* detail) {
    const char* n = nom.c_str();
    switch (code & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
        case SQLITE_PROTOCOL:
            return "Ce fichier est en cours de modification par un autre programme : "
                   "réessayez dans un instant";
        case SQLITE_FULL:
            return "Le disque est plein : la modification n'est pas enregistrée";
        case SQLITE_READONLY:
            return formater(
                std::string("Le fichier %s ne peut pas être modifié (lecture seule)").c_str(), n);
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return formater(std::string("Accès refusé au fichier %s").c_str(), n);
        case SQLITE_CANTOPEN:
            return erreur_systeme == ENOENT ? "Fichier introuvable : " + nom
                                            : "Impossible d'ouvrir le fichier : " + nom;
        case SQLITE_IOERR:
            return formater(
                std::string("Erreur de lecture ou d'écriture sur le disque (fichier %s)").c_str(),
                n);
        case SQLITE_CORRUPT:
            return formater(std::string("Le fichier %s est endommagé").c_str(), n);
        case SQLITE_NOTADB:
            return formater("%s n'est pas un fichier de tournoi TAVO", n);
        case SQLITE_NOMEM:
            return "Mémoire insuffisante";
        case SQLITE_TOOBIG:
        case SQLITE_NOLFS:
            return formater(std::string("Le fichier %s devient trop grand").c_str(), n);
        case SQLITE_CONSTRAINT:
            return std::string("Modification refusée : le tournoi deviendrait incohérent (") +
                   controles_visibles(detail) + ")";
        default:
            return formater("Erreur du fichier %s : %s", n, controles_visibles(detail).c_str());
    }
}

// Makes an empty file at `chemin`, only when nothing is there (even a file
// another program created meanwhile).
bool creer_vide(const std::string& chemin) {
    const int fd = ::open(chemin.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return fd >= 0 && ::close(fd) == 0;
}

}  // namespace

BaseDonnees::~BaseDonnees() {
    fermer();
}

void BaseDonnees::fermer() {
    // Every statement and transaction guard is gone by now (they live in a
    // scope inside the connection's), so the close cannot be refused.
    if (base_) sqlite3_close_v2(base_);
    base_ = nullptr;
}

bool BaseDonnees::echec(int code) {
    const int systeme = base_ ? sqlite3_system_errno(base_) : 0;
    const char* detail = base_ ? sqlite3_errmsg(base_) : sqlite3_errstr(code);
    erreur_ = message_sqlite(code, systeme, nom_, detail);
    return false;
}

bool BaseDonnees::refus(std::string message) {
    erreur_ = std::move(message);
    return false;
}

bool BaseDonnees::ouvrir(const std::string& chemin, Ouverture ouverture,
                         const OptionsBase& options) {
    fermer();
    nom_ = nom_affiche(chemin);
    erreur_.clear();
    const ChoixJournal choix =
        choisir_journal(options.type_systeme.value_or(type_systeme_fichiers(chemin).value_or(0)));
    avertissement_ = choix.avertissement;
    const bool nouveau = ouverture == Ouverture::nouveau;
    if (nouveau && !creer_vide(chemin)) {
        return refus(errno == EEXIST ? std::string("Le fichier existe déjà : ") + nom_
                                     : "Impossible d'ouvrir le fichier : " + nom_);
    }
    const bool ouvert = connecter(chemin, options.attente_ms) &&
                        verifier_en_tete(options.etapes.size()) && verifier_contenu() &&
                        regler_journal(choix.mode) && mettre_a_jour(options.etapes);
    if (ouvert) return true;
    fermer();
    if (nouveau) ::unlink(chemin.c_str());
    return false;
}

// Opens the file (it must exist: a directory, a FIFO or a device is refused
// before SQLite touches it) and sets what holds for the whole connection.
bool BaseDonnees::connecter(const std::string& chemin, int attente_ms) {
    struct stat etat {};
    const bool present = ::stat(chemin.c_str(), &etat) == 0;
    if (!present || !S_ISREG(etat.st_mode)) {
        FichierLu lu;
        lu.etat = present           ? FichierLu::Etat::pas_regulier
                  : errno == ENOENT ? FichierLu::Etat::absent
                                    : FichierLu::Etat::illisible;
        return refus(raison_non_lu(lu, nom_, 0));
    }
    const int code = sqlite3_open_v2(chemin.c_str(), &base_, SQLITE_OPEN_READWRITE, nullptr);
    if (code != SQLITE_OK) return echec(code);
    sqlite3_extended_result_codes(base_, 1);
    sqlite3_busy_timeout(base_, attente_ms);
    // A file from elsewhere runs none of its own SQL functions with side
    // effects, and its schema cannot be altered behind SQLite's back.
    sqlite3_db_config(base_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(base_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    if (sqlite3_db_readonly(base_, "main") == 1) return echec(SQLITE_READONLY);
    return executer("PRAGMA foreign_keys = ON; PRAGMA synchronous = FULL");
}

// The header alone (no table is read yet): a file from a newer program or of
// another application is refused before anything could change it.
bool BaseDonnees::verifier_en_tete(std::size_t version_connue) {
    const auto id = entier("PRAGMA application_id");
    const auto version = id ? entier("PRAGMA user_version") : std::nullopt;
    if (!version) return false;
    id_application_ = *id;
    version_ = *version;
    if (id_application_ != ID_APPLICATION_TAVO && (id_application_ != 0 || version_ != 0))
        return echec(SQLITE_NOTADB);
    if (version_ > static_cast<std::int64_t>(version_connue)) {
        return refus(
            formater(std::string("Le fichier %s vient d'une version plus récente de TAVO (fichier "
                                 "de version %lld, ce programme lit jusqu'à la version %zu) : "
                                 "mettez TAVO à jour pour l'ouvrir")
                         .c_str(),
                     nom_.c_str(), static_cast<long long>(version_), version_connue));
    }
    return true;
}

// Every page of the file is sound, and a file without the tournament's
// application id is empty (a new file) rather than another program's.
bool BaseDonnees::verifier_contenu() {
    Requete controle(*this, "PRAGMA quick_check");
    const bool lu = controle.ligne();
    if (controle.echec()) return false;  // a busy or unreadable file is not called damaged
    if (!lu || controle.texte(0) != "ok") return echec(SQLITE_CORRUPT);
    if (id_application_ == ID_APPLICATION_TAVO) return true;
    const auto objets = entier("SELECT count(*) FROM sqlite_schema");
    if (!objets) return false;
    return *objets == 0 || echec(SQLITE_NOTADB);
}

bool BaseDonnees::regler_journal(ModeJournal mode) {
    Requete reglage(*this, mode == ModeJournal::wal ? "PRAGMA journal_mode = WAL"
                                                    : "PRAGMA journal_mode = DELETE");
    if (!reglage.ligne()) return false;
    // The mode SQLite kept: a file system that cannot give WAL its shared
    // memory keeps the rollback journal.
    journal_ = reglage.texte(0) == "wal" ? ModeJournal::wal : ModeJournal::rollback;
    return true;
}

// Runs the steps from the file's version to the program's in one
// transaction: the file is brought to the new version whole, or stays as it
// was. The version is read again inside it, since another program may have
// brought the file up meanwhile.
bool BaseDonnees::mettre_a_jour(std::span<const std::string_view> etapes) {
    const auto voulue = static_cast<std::int64_t>(etapes.size());
    if (version_ == voulue) return true;
    Transaction transaction(*this);
    if (!transaction.commencee() || !verifier_en_tete(etapes.size())) return false;
    for (auto k = static_cast<std::size_t>(version_); k < etapes.size(); ++k)
        if (!executer(etapes[k])) return false;
    if (!executer(formater("PRAGMA user_version = %lld; PRAGMA application_id = %d",
                           static_cast<long long>(voulue), ID_APPLICATION_TAVO)) ||
        !transaction.valider())
        return false;
    version_ = voulue;
    id_application_ = ID_APPLICATION_TAVO;
    return true;
}

bool BaseDonnees::executer(std::string_view sql) {
    if (!base_) return echec(SQLITE_MISUSE);
    const std::string texte(sql);
    const int code = sqlite3_exec(base_, texte.c_str(), nullptr, nullptr, nullptr);
    return code == SQLITE_OK || echec(code);
}

std::optional<std::int64_t> BaseDonnees::entier(std::string_view sql) {
    Requete requete(*this, sql);
    if (!requete.ligne()) return std::nullopt;
    return requete.entier(0);
}

}  // namespace tavo
