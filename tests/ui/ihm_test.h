// An Ihm for the window tests: records every box, answers the questions and
// the file dialogs from queues, and runs "modal" dialogs through drivers
// given by the test instead of blocking in an event loop.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "ui/ihm.h"

namespace tavo::ui::test {

class IhmTest : public Ihm {
  public:
    void message_erreur(const std::string& texte) override;
    bool question(const std::string& titre, const std::string& texte) override;
    void information(const std::string& texte) override;
    Reponse question_annulable(const std::string& titre, const std::string& texte) override;
    bool question_prudente(const std::string& titre, const std::string& texte) override;
    // Recorded as "titre|texte [oui / non]".
    Reponse question_choix(const std::string& titre, const std::string& texte,
                           const std::string& oui, const std::string& non, Reponse defaut) override;
    QString fichier_a_ouvrir(QWidget* parent, const QString& dossier) override;
    QString fichier_a_sauver(QWidget* parent, const QString& dossier) override;
    QString fichier_a_exporter(QWidget* parent, const QString& titre, const QStringList& filtres,
                               const QString& dossier, QString& filtre) override;
    QString fichier_a_importer(QWidget* parent, const QString& dossier) override;
    int executer(QDialog& dialogue) override;
    // A window shown without waiting: its driver, when there is one, runs
    // as for a modal dialog; otherwise it simply stays shown.
    void montrer(QDialog& fenetre) override;
    bool choisir_imprimante(QPrinter& imprimante, QWidget* parent) override;
    void configurer_imprimante(QPrinter& imprimante, QWidget* parent) override;

    // What the director saw (UTF-8); questions as "titre|texte".
    QStringList erreurs;
    QStringList questions;
    // Those of them whose default (Enter) is Non.
    QStringList prudentes;
    QStringList informations;
    // Object names of the dialogs shown, in order.
    QStringList dialogues;

    // Answers to the questions, in order; Yes once the queue is empty. A
    // question with Annuler answers Annuler while `annulations` is above 0
    // (counting down), else as the others.
    std::deque<bool> reponses;
    int annulations = 0;
    // Answers to the questions with named answers, in order; once the queue
    // is empty, the question's default (as Enter would answer).
    std::deque<Reponse> choix;
    // File names chosen in the open and save dialogs; cancelled when empty.
    QStringList a_ouvrir;
    QStringList a_sauver;
    // Files chosen in the export dialog, each with the index of the type
    // chosen in `types_exportes` (the first type when that queue is empty),
    // and in the import dialog.
    QStringList a_exporter;
    std::deque<int> types_exportes;
    QStringList a_importer;
    // The folder each file dialog started in, in order.
    QStringList dossiers;
    // One driver per dialog shown: it acts on the dialog as the director
    // would (typing, clicking); the dialog's result is what it left. A dialog
    // shown with no driver left is closed at once (Cancel).
    std::deque<std::function<void(QDialog&)>> pilotes;
    // The print dialog chooses a PDF file of this name; cancelled when empty.
    QString pdf;
};

}  // namespace tavo::ui::test
