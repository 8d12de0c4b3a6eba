// Prepared statements and transactions on a tournament file (base_donnees.h).
// A failure is recorded in the connection's message (BaseDonnees::erreur).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/base_donnees.h"

struct sqlite3_stmt;

namespace tavo {

// One prepared statement. Parameters are numbered from 1, columns from 0.
// A failure to prepare or to bind is kept: the next step fails with it.
class Requete {
  public:
    Requete(BaseDonnees& base, std::string_view sql);
    ~Requete();
    Requete(const Requete&) = delete;
    Requete& operator=(const Requete&) = delete;

    Requete& lier(int parametre, std::int64_t valeur);
    Requete& lier(int parametre, std::string_view texte);  // UTF-8
    Requete& lier_nul(int parametre);

    // One step: true when a row is there to read; false at the end or on a
    // failure (echec() then tells which).
    bool ligne();
    // Runs the statement to its end; false on a failure.
    bool executer();
    // Ready to run again with new values (the parameters are cleared).
    void reprendre();
    bool echec() const { return echec_; }

    std::int64_t entier(int colonne) const;
    std::string texte(int colonne) const;
    bool nulle(int colonne) const;

  private:
    bool verifier(int code);

    BaseDonnees& base_;
    sqlite3_stmt* requete_ = nullptr;
    bool echec_ = false;
};

// One action of a director: BEGIN IMMEDIATE at construction (waiting for
// another program's change as long as the connection allows), COMMIT by
// valider(), and a rollback of everything done when it is destroyed without
// a commit that went through. A crash or a power cut at any instant leaves the
// file as it was before the transaction or as it is after its commit.
// A reading (Sorte::lecture, a deferred BEGIN) sees one state of the file
// through all its queries, whatever other programs commit meanwhile.
class Transaction {
  public:
    enum class Sorte { ecriture, lecture };
    explicit Transaction(BaseDonnees& base, Sorte sorte = Sorte::ecriture);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // False when it could not begin (another program's change went on past
    // the wait): nothing may then be written.
    bool commencee() const { return commencee_; }
    // Writes the transaction's changes to disk; false (everything rolled
    // back) when the commit failed.
    bool valider();

  private:
    void annuler();

    BaseDonnees& base_;
    bool commencee_ = false;
};

}  // namespace tavo
