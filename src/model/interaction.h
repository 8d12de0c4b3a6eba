// How the core speaks to the director. Each front end implements it (message
// boxes in the window, stderr in the command-line program, a recorder in the
// tests). Every text is UTF-8.
#pragma once

#include <string>

namespace tavo {

class Interaction {
  public:
    virtual ~Interaction() = default;

    // The answers of a question that may be cancelled.
    enum class Reponse { oui, non, annuler };

    // The modal error box titled "Erreur" with a single OK button.
    virtual void message_erreur(const std::string& texte) = 0;

    // A Yes/No question box; true for Yes.
    virtual bool question(const std::string& titre, const std::string& texte) = 0;

    // A plain information box (nothing went wrong, but the director should know).
    virtual void information(const std::string& texte) = 0;

    // A Yes/No question whose default (Enter) is No: before what cannot be
    // undone. A front end without default buttons asks it as question().
    virtual bool question_prudente(const std::string& titre, const std::string& texte) {
        return question(titre, texte);
    }

    // A question with two answers named by the caller (`oui` for the first,
    // `non` for the second) and Annuler, which Escape gives too; Enter gives
    // `defaut`. A front end that cannot ask answers Annuler: nothing is done.
    virtual Reponse question_choix(const std::string& /*titre*/, const std::string& /*texte*/,
                                   const std::string& /*oui*/, const std::string& /*non*/,
                                   Reponse /*defaut*/) {
        return Reponse::annuler;
    }
};

}  // namespace tavo
