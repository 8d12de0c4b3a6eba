#include "ihm_test.h"

#include <QPrinter>

#include "ui/texte_qt.h"

namespace tavo::ui::test {

void IhmTest::message_erreur(const std::string& texte) {
    erreurs << qs(texte);
}

bool IhmTest::question(const std::string& titre, const std::string& texte) {
    questions << qs(titre) + QLatin1Char('|') + qs(texte);
    if (reponses.empty()) return true;
    const bool r = reponses.front();
    reponses.pop_front();
    return r;
}

Ihm::Reponse IhmTest::question_annulable(const std::string& titre, const std::string& texte) {
    if (annulations > 0) {
        --annulations;
        questions << qs(titre) + QLatin1Char('|') + qs(texte);
        return Reponse::annuler;
    }
    return question(titre, texte) ? Reponse::oui : Reponse::non;
}

bool IhmTest::question_prudente(const std::string& titre, const std::string& texte) {
    prudentes << qs(titre) + QLatin1Char('|') + qs(texte);
    return question(titre, texte);
}

Ihm::Reponse IhmTest::question_choix(const std::string& titre, const std::string& texte,
                                     const std::string& oui, const std::string& non,
                                     Reponse defaut) {
    questions << QStringLiteral("%1|%2 [%3 / %4]").arg(qs(titre), qs(texte), qs(oui), qs(non));
    if (choix.empty()) return defaut;
    const Reponse r = choix.front();
    choix.pop_front();
    return r;
}

void IhmTest::information(const std::string& texte) {
    informations << qs(texte);
}

QString IhmTest::fichier_a_ouvrir(QWidget*, const QString& dossier) {
    dossiers << dossier;
    return a_ouvrir.isEmpty() ? QString() : a_ouvrir.takeFirst();
}

QString IhmTest::fichier_a_sauver(QWidget*, const QString& dossier) {
    dossiers << dossier;
    return a_sauver.isEmpty() ? QString() : a_sauver.takeFirst();
}

QString IhmTest::fichier_a_exporter(QWidget*, const QString&, const QStringList& filtres,
                                    const QString& dossier, QString& filtre) {
    dossiers << dossier;
    if (a_exporter.isEmpty()) return {};
    int type = 0;
    if (!types_exportes.empty()) {
        type = types_exportes.front();
        types_exportes.pop_front();
    }
    filtre = filtres.value(type);
    return a_exporter.takeFirst();
}

QString IhmTest::fichier_a_importer(QWidget*, const QString& dossier) {
    dossiers << dossier;
    return a_importer.isEmpty() ? QString() : a_importer.takeFirst();
}

int IhmTest::executer(QDialog& dialogue) {
    dialogues << dialogue.objectName();
    dialogue.setResult(QDialog::Rejected);
    if (pilotes.empty()) return QDialog::Rejected;
    auto pilote = std::move(pilotes.front());
    pilotes.pop_front();
    dialogue.show();
    pilote(dialogue);
    const int resultat = dialogue.result();
    dialogue.hide();
    return resultat;
}

void IhmTest::montrer(QDialog& fenetre) {
    if (pilotes.empty()) {
        dialogues << fenetre.objectName();
        fenetre.show();
        return;
    }
    executer(fenetre);
}

bool IhmTest::choisir_imprimante(QPrinter& imprimante, QWidget*) {
    if (pdf.isEmpty()) return false;
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(pdf);
    return true;
}

void IhmTest::configurer_imprimante(QPrinter&, QWidget*) {
    dialogues << QStringLiteral("mise en page");
}

}  // namespace tavo::ui::test
