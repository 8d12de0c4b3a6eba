#include "model/requete.h"

#include <sqlite3.h>

#include <climits>

namespace tavo {

Requete::Requete(BaseDonnees& base, std::string_view sql) : base_(base) {
    if (!base_.base_ || sql.size() > INT_MAX) {
        base_.echec(SQLITE_MISUSE);
        echec_ = true;
        return;
    }
    verifier(sqlite3_prepare_v2(base_.base_, sql.data(), static_cast<int>(sql.size()), &requete_,
                                nullptr));
}

Requete::~Requete() {
    sqlite3_finalize(requete_);
}

// Keeps the first failure and its message; true when `code` is no failure.
bool Requete::verifier(int code) {
    if (code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE) return true;
    if (!echec_) base_.echec(code);
    echec_ = true;
    return false;
}

Requete& Requete::lier(int parametre, std::int64_t valeur) {
    if (!echec_) verifier(sqlite3_bind_int64(requete_, parametre, valeur));
    return *this;
}

Requete& Requete::lier(int parametre, std::string_view texte) {
    if (!echec_) {
        verifier(sqlite3_bind_text64(requete_, parametre, texte.data(), texte.size(),
                                     SQLITE_TRANSIENT, SQLITE_UTF8));
    }
    return *this;
}

Requete& Requete::lier_nul(int parametre) {
    if (!echec_) verifier(sqlite3_bind_null(requete_, parametre));
    return *this;
}

bool Requete::ligne() {
    if (echec_ || !requete_) return false;
    const int code = sqlite3_step(requete_);
    return verifier(code) && code == SQLITE_ROW;
}

bool Requete::executer() {
    while (ligne()) {
    }
    return !echec_;
}

void Requete::reprendre() {
    sqlite3_reset(requete_);
    sqlite3_clear_bindings(requete_);
    echec_ = requete_ == nullptr;
}

std::int64_t Requete::entier(int colonne) const {
    return sqlite3_column_int64(requete_, colonne);
}

std::string Requete::texte(int colonne) const {
    const auto* octets = sqlite3_column_text(requete_, colonne);
    const int taille = sqlite3_column_bytes(requete_, colonne);
    return octets ? std::string(reinterpret_cast<const char*>(octets), taille) : std::string();
}

bool Requete::nulle(int colonne) const {
    return sqlite3_column_type(requete_, colonne) == SQLITE_NULL;
}

Transaction::Transaction(BaseDonnees& base, Sorte sorte) : base_(base) {
    commencee_ = base_.executer(sorte == Sorte::ecriture ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction() {
    annuler();
}

bool Transaction::valider() {
    if (!commencee_) return false;
    if (base_.executer("COMMIT")) {
        commencee_ = false;
        return true;
    }
    annuler();
    return false;
}

// Rolls back what is still open, keeping the message of the failure that led
// here. SQLite may have rolled back already (a full disk, an I/O error).
void Transaction::annuler() {
    if (!commencee_) return;
    commencee_ = false;
    if (!base_.base_ || sqlite3_get_autocommit(base_.base_)) return;
    const std::string message = base_.erreur_;
    sqlite3_exec(base_.base_, "ROLLBACK", nullptr, nullptr, nullptr);
    base_.erreur_ = message;
}

}  // namespace tavo
