// The command line's way of speaking to the director: messages go to stderr. There is nobody to
// answer a question: it is printed and taken as No, a refusal (the commands offer --forcer where
// the window asks).
#pragma once

#include <string>

#include "model/interaction.h"

namespace tavo::cli {

class Console : public Interaction {
  public:
    void message_erreur(const std::string& texte) override;
    bool question(const std::string& titre, const std::string& texte) override;
    void information(const std::string& texte) override;
    // Printed like a question, and answered Annuler.
    Reponse question_choix(const std::string& titre, const std::string& texte,
                           const std::string& oui, const std::string& non, Reponse defaut) override;

    // Prints a line on stdout.
    static void afficher(const std::string& ligne);

    bool erreur_signalee() const { return erreur_signalee_; }

    // The file this command has written for good (the tournament saved, a
    // team file...): when its output is then lost, the director must know
    // that the change is stored all the same, or a retry would make it twice.
    void noter_ecriture(const std::string& chemin) { fichier_ecrit_ = chemin; }
    const std::string& fichier_ecrit() const { return fichier_ecrit_; }

  private:
    bool erreur_signalee_ = false;
    std::string fichier_ecrit_;
};

}  // namespace tavo::cli
