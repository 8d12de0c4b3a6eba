// How the core speaks to the director. Each front end implements it (message
// boxes in the window, stderr in the command-line program, a recorder in the
// tests). Every text is Windows-1252.
#pragma once

#include <string>

namespace tavo {

class Interaction {
  public:
    virtual ~Interaction() = default;

    // The modal error box titled "Erreur" with a single OK button.
    virtual void message_erreur(const std::string& texte) = 0;

    // A Yes/No question box; true for Yes.
    virtual bool question(const std::string& titre, const std::string& texte) = 0;

    // A plain information box (nothing went wrong, but the director should know).
    virtual void information(const std::string& texte) = 0;
};

}  // namespace tavo
