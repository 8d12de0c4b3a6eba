#include "ui/ihm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/destination_export.h"
#include "ui/texte_qt.h"

namespace tavo::ui {

QWidget* IhmQt::proprietaire() const {
    if (QWidget* modale = QApplication::activeModalWidget()) return modale;
    return principale_;
}

void IhmQt::message_erreur(const std::string& texte) {
    QMessageBox boite(QMessageBox::Critical, QStringLiteral("Erreur"), qs(texte), QMessageBox::Ok,
                      proprietaire());
    boite.exec();
}

namespace {

int poser(QWidget* proprietaire, const std::string& titre, const std::string& texte,
          QMessageBox::StandardButtons boutons, QMessageBox::StandardButton defaut) {
    QMessageBox boite(QMessageBox::Question, qs(titre), qs(texte), boutons, proprietaire);
    boite.setDefaultButton(defaut);
    return boite.exec();
}

// A button named by the core is pressed by Alt and the first unaccented letter
// of its name ("&Recharger", "É&craser").
QString avec_touche_alt(QString nom) {
    for (qsizetype i = 0; i < nom.size(); ++i)
        if (nom[i].unicode() < 128 && nom[i].isLetter()) return nom.insert(i, QLatin1Char('&'));
    return nom;
}

}  // namespace

bool IhmQt::question(const std::string& titre, const std::string& texte) {
    return poser(proprietaire(), titre, texte, QMessageBox::Yes | QMessageBox::No,
                 QMessageBox::Yes) == QMessageBox::Yes;
}

bool IhmQt::question_prudente(const std::string& titre, const std::string& texte) {
    return poser(proprietaire(), titre, texte, QMessageBox::Yes | QMessageBox::No,
                 QMessageBox::No) == QMessageBox::Yes;
}

Ihm::Reponse IhmQt::question_annulable(const std::string& titre, const std::string& texte) {
    return question_choix(titre, texte, {}, {}, Reponse::oui);
}

Ihm::Reponse IhmQt::question_choix(const std::string& titre, const std::string& texte,
                                   const std::string& oui, const std::string& non, Reponse defaut) {
    QMessageBox boite(QMessageBox::Question, qs(titre), qs(texte),
                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, proprietaire());
    // Oui and Non (in the desktop's words) unless the question names its answers.
    if (!oui.empty()) boite.button(QMessageBox::Yes)->setText(avec_touche_alt(qs(oui)));
    if (!non.empty()) boite.button(QMessageBox::No)->setText(avec_touche_alt(qs(non)));
    boite.setDefaultButton(defaut == Reponse::oui   ? QMessageBox::Yes
                           : defaut == Reponse::non ? QMessageBox::No
                                                    : QMessageBox::Cancel);
    const int r = boite.exec();
    return r == QMessageBox::Yes  ? Reponse::oui
           : r == QMessageBox::No ? Reponse::non
                                  : Reponse::annuler;
}

void IhmQt::information(const std::string& texte) {
    QMessageBox boite(QMessageBox::Information, QStringLiteral("Information"), qs(texte),
                      QMessageBox::Ok, proprietaire());
    boite.exec();
}

namespace {

// The types of tournament file, the native one first.
const QStringList& filtres_tournoi() {
    static const QStringList filtres{QStringLiteral("Tournoi TAVO (*.tavo)"),
                                     QStringLiteral("Tournoi 1998 (*.pxi)")};
    return filtres;
}

}  // namespace

QString IhmQt::fichier_a_ouvrir(QWidget* parent, const QString& dossier) {
    QFileDialog dialogue(parent, QStringLiteral("Recharger un tournoi"), dossier);
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    dialogue.setFileMode(QFileDialog::ExistingFile);
    dialogue.setNameFilters(QStringList{QStringLiteral("Tournois (*.tavo *.pxi)")} +
                            filtres_tournoi());
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) return {};
    return dialogue.selectedFiles().constFirst();
}

// A name typed without extension gets that of the type chosen, before the
// dialog asks about replacing a file of that name.
QString IhmQt::fichier_a_sauver(QWidget* parent, const QString& dossier) {
    QFileDialog dialogue(parent, QStringLiteral("Sauvegarder le tournoi"), dossier);
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    dialogue.setFileMode(QFileDialog::AnyFile);
    dialogue.setNameFilters(filtres_tournoi());
    dialogue.setDefaultSuffix(QStringLiteral("tavo"));
    QObject::connect(&dialogue, &QFileDialog::filterSelected, &dialogue,
                     [&dialogue](const QString& filtre) {
                         dialogue.setDefaultSuffix(extension_filtre(filtre));
                     });
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) return {};
    return dialogue.selectedFiles().constFirst();
}

QString IhmQt::fichier_a_exporter(QWidget* parent, const QString& titre, const QStringList& filtres,
                                  const QString& dossier, QString& filtre) {
    QFileDialog dialogue(parent, titre, dossier);
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    dialogue.setFileMode(QFileDialog::AnyFile);
    dialogue.setNameFilters(filtres);
    // The dialog would ask about the name as typed, before its extension is
    // settled (a type chosen with the keyboard does not even reach it): the
    // question comes once the name is final.
    dialogue.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) return {};
    filtre = dialogue.selectedNameFilter();
    return dialogue.selectedFiles().constFirst();
}

QString IhmQt::fichier_a_importer(QWidget* parent, const QString& dossier) {
    QFileDialog dialogue(parent, QStringLiteral("Importer des joueurs"), dossier,
                         QStringLiteral("Listes de joueurs (*.csv *.txt);;Tous les fichiers (*)"));
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    dialogue.setFileMode(QFileDialog::ExistingFile);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) return {};
    return dialogue.selectedFiles().constFirst();
}

int IhmQt::executer(QDialog& dialogue) {
    return dialogue.exec();
}

void IhmQt::montrer(QDialog& fenetre) {
    fenetre.show();
    fenetre.raise();
    fenetre.activateWindow();
}

bool IhmQt::choisir_imprimante(QPrinter& imprimante, QWidget* parent) {
    QPrintDialog dialogue(&imprimante, parent);
    return dialogue.exec() == QDialog::Accepted;
}

void IhmQt::configurer_imprimante(QPrinter& imprimante, QWidget* parent) {
    QPageSetupDialog dialogue(&imprimante, parent);
    dialogue.exec();
}

}  // namespace tavo::ui
