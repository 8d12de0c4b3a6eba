// The real boxes and file dialogs of the program, inspected while they are
// open and then answered.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "model/texte.h"
#include "ui/ihm.h"
#include "ui/traductions.h"

using tavo::ui::IhmQt;

namespace {

// Runs `action` on the modal window as soon as it is open.
void quand_ouvert(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] { action(QApplication::activeModalWidget()); });
}

}  // namespace

class TestIhmQt : public QObject {
    Q_OBJECT
  private slots:
    void boites();
    void dialogues_de_fichier();
    void en_francais_et_prudentes();
};

void TestIhmQt::boites() {
    QWidget principale;
    IhmQt ihm(&principale);
    QString titre, texte;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    QMessageBox::StandardButtons boutons;
    const auto noter_puis = [&](QMessageBox::StandardButton reponse) {
        quand_ouvert([&, reponse](QWidget* w) {
            auto* boite = qobject_cast<QMessageBox*>(w);
            QVERIFY(boite != nullptr);
            titre = boite->windowTitle();
            texte = boite->text();
            icone = boite->icon();
            boutons = boite->standardButtons();
            boite->button(reponse)->click();
        });
    };

    noter_puis(QMessageBox::Ok);
    ihm.message_erreur(std::string("Impossible d'ouvrir ce fichier é"));
    QCOMPARE(titre, QStringLiteral("Erreur"));
    QCOMPARE(texte, QStringLiteral("Impossible d'ouvrir ce fichier é"));
    QCOMPARE(icone, QMessageBox::Critical);
    QCOMPARE(boutons, QMessageBox::StandardButtons(QMessageBox::Ok));

    noter_puis(QMessageBox::No);
    QVERIFY(!ihm.question("Confirmation", "Supprimer ?"));
    QCOMPARE(titre, QStringLiteral("Confirmation"));
    QCOMPARE(icone, QMessageBox::Question);
    QCOMPARE(boutons, QMessageBox::Yes | QMessageBox::No);
    noter_puis(QMessageBox::Yes);
    QVERIFY(ihm.question("Attention", "Sauver ?"));
}

void TestIhmQt::dialogues_de_fichier() {
    IhmQt ihm;
    QTemporaryDir dossier;
    QString titre;
    QStringList filtres;
    bool confirme = false;
    const auto noter = [&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        QVERIFY(d != nullptr);
        titre = d->windowTitle();
        filtres = d->nameFilters();
        confirme = !d->testOption(QFileDialog::DontConfirmOverwrite);
    };

    quand_ouvert([&](QWidget* w) {
        noter(w);
        static_cast<QDialog*>(w)->reject();
    });
    QVERIFY(ihm.fichier_a_ouvrir(nullptr, QString()).isEmpty());  // cancelled
    QCOMPARE(titre, QStringLiteral("Recharger un tournoi"));
    QCOMPARE(filtres, (QStringList{QStringLiteral("Tournois (*.tavo *.pxi)"),
                                   QStringLiteral("Tournoi TAVO (*.tavo)"),
                                   QStringLiteral("Tournoi 1998 (*.pxi)")}));

    // A name typed without extension gets that of the type chosen: ".tavo"
    // unless the director picks the 1998 file.
    const auto taper = [&](const QString& nom, int type) {
        quand_ouvert([&, nom, type](QWidget* w) {
            noter(w);
            auto* d = static_cast<QFileDialog*>(w);
            d->setDirectory(dossier.path());
            auto* types = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(types != nullptr);
            types->setCurrentIndex(type);
            emit types->activated(type);
            emit types->textActivated(types->itemText(type));
            d->selectFile(nom);
            static_cast<QDialog*>(d)->accept();
        });
    };
    taper(QStringLiteral("open"), 0);
    QCOMPARE(ihm.fichier_a_sauver(nullptr, dossier.path()),
             dossier.filePath(QStringLiteral("open.tavo")));
    QCOMPARE(titre, QStringLiteral("Sauvegarder le tournoi"));
    QCOMPARE(filtres, (QStringList{QStringLiteral("Tournoi TAVO (*.tavo)"),
                                   QStringLiteral("Tournoi 1998 (*.pxi)")}));
    QVERIFY(confirme);
    taper(QStringLiteral("open"), 1);
    QCOMPARE(ihm.fichier_a_sauver(nullptr, dossier.path()),
             dossier.filePath(QStringLiteral("open.pxi")));

    // The export dialog opens in the folder given and returns the name as
    // typed with the type chosen: the window settles the extension and asks
    // before replacing, the dialog does not.
    quand_ouvert([&](QWidget* w) {
        auto* d = static_cast<QFileDialog*>(w);
        QCOMPARE(d->directory().absolutePath(), QDir(dossier.path()).absolutePath());
        d->selectNameFilter(QStringLiteral("CSV (*.csv)"));
        d->selectFile(QStringLiteral("grille"));
        noter(w);
        static_cast<QDialog*>(d)->accept();
    });
    QString type;
    QCOMPARE(
        ihm.fichier_a_exporter(nullptr, QStringLiteral("Exporter"),
                               {QStringLiteral("HTML (*.html)"), QStringLiteral("CSV (*.csv)")},
                               dossier.path(), type),
        dossier.filePath(QStringLiteral("grille")));
    QCOMPARE(type, QStringLiteral("CSV (*.csv)"));
    QVERIFY(!confirme);
}

// Qt's own buttons speak French; a question before what cannot be undone
// answers Non to Enter; the save question offers Annuler.
void TestIhmQt::en_francais_et_prudentes() {
    QVERIFY(tavo::ui::installer_traductions(*QCoreApplication::instance()));
    QWidget principale;
    IhmQt ihm(&principale);
    QStringList textes;
    QAbstractButton* defaut = nullptr;
    const auto lire_puis = [&](QMessageBox::StandardButton reponse) {
        quand_ouvert([&, reponse](QWidget* w) {
            auto* boite = qobject_cast<QMessageBox*>(w);
            QVERIFY(boite != nullptr);
            textes.clear();
            for (QAbstractButton* b : boite->buttons()) textes << b->text().remove('&');
            defaut = boite->defaultButton();
            QCOMPARE(defaut, boite->button(QMessageBox::No));
            boite->button(reponse)->click();
        });
    };
    lire_puis(QMessageBox::No);
    QVERIFY(!ihm.question_prudente("Confirmation", "Supprimer ?"));
    QVERIFY(textes.contains(QStringLiteral("Oui")) && textes.contains(QStringLiteral("Non")));

    quand_ouvert([&](QWidget* w) {
        auto* boite = qobject_cast<QMessageBox*>(w);
        QVERIFY(boite != nullptr);
        QCOMPARE(boite->button(QMessageBox::Cancel)->text().remove('&'), QStringLiteral("Annuler"));
        boite->button(QMessageBox::Cancel)->click();
    });
    QCOMPARE(ihm.question_annulable("Attention", "Sauver ?"), IhmQt::Reponse::annuler);

    // Answers named by the question, each with its Alt key; Enter answers
    // the default given, Escape Annuler.
    for (const auto touche : {Qt::Key_Return, Qt::Key_Escape}) {
        quand_ouvert([&, touche](QWidget* w) {
            auto* boite = qobject_cast<QMessageBox*>(w);
            QVERIFY(boite != nullptr);
            QCOMPARE(boite->button(QMessageBox::Yes)->text(), QStringLiteral("&Recharger"));
            QCOMPARE(boite->button(QMessageBox::No)->text(), QStringLiteral("É&craser"));
            QTest::keyClick(boite, touche);
        });
        QCOMPARE(ihm.question_choix("Sauver", "Modifié", "Recharger", std::string("Écraser"),
                                    IhmQt::Reponse::non),
                 touche == Qt::Key_Return ? IhmQt::Reponse::non : IhmQt::Reponse::annuler);
    }
}

QTEST_MAIN(TestIhmQt)
#include "test_ihm_qt.moc"
