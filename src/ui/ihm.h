// Everything through which the windows talk to the director beyond their own
// controls: message boxes, file dialogs, the print dialog and the showing of
// modal dialogs. The program uses IhmQt; the tests put a recorder in its place
// that answers instead of blocking.
#pragma once

#include <QString>
#include <QStringList>

#include "model/interaction.h"

class QDialog;
class QPrinter;
class QWidget;

namespace tavo::ui {

class Ihm : public Interaction {
  public:
    // A question with Oui, Non and Annuler (Annuler: nothing is done).
    virtual Reponse question_annulable(const std::string& titre, const std::string& texte) = 0;

    // The tournament file to open or to save to, the dialog starting in
    // `dossier` (the tournament's, or the last one used); empty when cancelled.
    virtual QString fichier_a_ouvrir(QWidget* parent, const QString& dossier) = 0;
    virtual QString fichier_a_sauver(QWidget* parent, const QString& dossier) = 0;
    // A file to write a publication to, offering the types of `filtres`
    // ("Page HTML (*.html)"...), starting in `dossier`; `filtre` receives the
    // type chosen. The name is returned as typed: the caller settles its
    // extension and asks before replacing a file (destination_export.h).
    // Empty when cancelled.
    virtual QString fichier_a_exporter(QWidget* parent, const QString& titre,
                                       const QStringList& filtres, const QString& dossier,
                                       QString& filtre) = 0;
    // The player list (CSV) to import, starting in `dossier`; empty when
    // cancelled.
    virtual QString fichier_a_importer(QWidget* parent, const QString& dossier) = 0;

    // Shows a dialog modally and returns its result (QDialog::Accepted or
    // Rejected).
    virtual int executer(QDialog& dialogue) = 0;
    // Shows a window without waiting for it to close (the report window,
    // which may stay open beside the dialogs), raised above the others.
    virtual void montrer(QDialog& fenetre) = 0;

    // The print dialog: false when the director cancelled it.
    virtual bool choisir_imprimante(QPrinter& imprimante, QWidget* parent) = 0;
    // The printer set-up dialog.
    virtual void configurer_imprimante(QPrinter& imprimante, QWidget* parent) = 0;
};

// The real boxes and dialogs. A box belongs to the modal dialog open at the
// time, or else to the main window.
class IhmQt : public Ihm {
  public:
    explicit IhmQt(QWidget* fenetre_principale = nullptr) : principale_(fenetre_principale) {}
    void fenetre_principale(QWidget* fenetre) { principale_ = fenetre; }

    void message_erreur(const std::string& texte) override;
    bool question(const std::string& titre, const std::string& texte) override;
    void information(const std::string& texte) override;
    Reponse question_annulable(const std::string& titre, const std::string& texte) override;
    bool question_prudente(const std::string& titre, const std::string& texte) override;
    Reponse question_choix(const std::string& titre, const std::string& texte,
                           const std::string& oui, const std::string& non, Reponse defaut) override;

    QString fichier_a_ouvrir(QWidget* parent, const QString& dossier) override;
    QString fichier_a_sauver(QWidget* parent, const QString& dossier) override;
    QString fichier_a_exporter(QWidget* parent, const QString& titre, const QStringList& filtres,
                               const QString& dossier, QString& filtre) override;
    QString fichier_a_importer(QWidget* parent, const QString& dossier) override;
    int executer(QDialog& dialogue) override;
    void montrer(QDialog& fenetre) override;
    bool choisir_imprimante(QPrinter& imprimante, QWidget* parent) override;
    void configurer_imprimante(QPrinter& imprimante, QWidget* parent) override;

  private:
    QWidget* proprietaire() const;
    QWidget* principale_;
};

}  // namespace tavo::ui
