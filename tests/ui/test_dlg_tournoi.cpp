// The tournament properties dialog and the two commands that show it.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include "ihm_test.h"
#include "model/registre.h"
#include "model/texte.h"
#include "ui/tform1.h"
#include "ui/tform_dlg_tournoi.h"

using tavo::ui::TForm1;
using tavo::ui::TForm_Dlg_Tournoi;
using tavo::ui::test::IhmTest;

namespace {

QStringList selection(const TForm_Dlg_Tournoi& d) {
    QStringList s;
    for (int i = 0; i < d.ListBox2->count(); ++i) s << d.ListBox2->item(i)->text();
    return s;
}

void ajouter(TForm_Dlg_Tournoi& d, int id) {
    d.ListBox1->setCurrentRow(id);
    d.SpeedButton3->click();
}

// A driver filling the dialog as for a new tournament and validating it.
std::function<void(QDialog&)> definir(QString nom, QString jeu, QString rondes,
                                      std::vector<int> departages) {
    return [=](QDialog& dialogue) {
        auto& d = static_cast<TForm_Dlg_Tournoi&>(dialogue);
        d.Ed_Date->setText(QStringLiteral("12/12/26"));
        d.Ed_Nom->setText(nom);
        d.Ed_nb_rondes->setText(rondes);
        d.Combo_Jeux->setEditText(jeu);
        d.ListBox2->clear();
        for (int id : departages) ajouter(d, id);
        d.Bt_Valider->click();
    };
}

// A driver that types `rondes` (unless empty), validates, notes whether the
// dialog stayed open (refused), then cancels it.
std::function<void(QDialog&)> valider_refuse(bool& ouvert_apres, QString rondes = {}) {
    return [&ouvert_apres, rondes](QDialog& dialogue) {
        auto& d = static_cast<TForm_Dlg_Tournoi&>(dialogue);
        if (!rondes.isEmpty()) d.Ed_nb_rondes->setText(rondes);
        d.Bt_Valider->click();
        ouvert_apres = d.isVisible();
        d.Bt_Annuler->click();
    };
}

}  // namespace

class TestDlgTournoi : public QObject {
    Q_OBJECT
  private slots:
    void controles_et_boutons_de_liste();
    void valider_sans_departage_reste_ouvert();
    void nombre_de_rondes_selon_le_fichier();
    void nouveau_tournoi_prend_les_valeurs();
    void nouveau_tournoi_propose_de_sauver_l_ancien();
    void options_regle_othello();
    void options_rouvre_avec_les_memes_valeurs();
    void nouveau_tournoi_part_d_un_formulaire_vide();
};

void TestDlgTournoi::controles_et_boutons_de_liste() {
    IhmTest ihm;
    TForm1 f(&ihm);
    TForm_Dlg_Tournoi& d = *f.Form_Dlg_Tournoi;
    QCOMPARE(d.windowTitle(), QStringLiteral("Propriétés d'un tournoi"));
    QCOMPARE(d.PageControl1->tabText(0), QStringLiteral("&Général"));
    QCOMPARE(d.PageControl1->tabText(1), QStringLiteral("&Départage"));
    QCOMPARE(d.Ed_nb_rondes->text(), QStringLiteral("5"));
    QCOMPARE(d.ListBox1->count(), 6);
    QCOMPARE(d.ListBox1->item(1)->text(), QStringLiteral("Bucholz médian"));
    QCOMPARE(d.ListBox1->item(5)->text(), QStringLiteral("Nombre de pions pris (othello)"));
    QCOMPARE(d.Ed_Nom->maxLength(), 49);
    QCOMPARE(d.Ed_Date->maxLength(), 14);
    QCOMPARE(d.Combo_Jeux->lineEdit()->maxLength(), 20);

    // No current item: the buttons do nothing.
    d.SpeedButton3->click();
    d.SpeedButton4->click();
    d.SpeedButton2->click();
    d.SpeedButton1->click();
    QCOMPARE(d.ListBox2->count(), 0);

    ajouter(d, 3);
    ajouter(d, 3);  // "Cumulatif" twice is kept once
    QCOMPARE(selection(d), QStringList{QStringLiteral("Cumulatif")});
    QCOMPARE(d.ListBox1->count(), 6);

    ajouter(d, 2);
    ajouter(d, 0);
    QCOMPARE(selection(d), (QStringList{"Cumulatif", "Sonneborn-Berger", "Bucholz"}));
    d.ListBox2->setCurrentRow(2);
    d.SpeedButton2->click();
    QCOMPARE(selection(d), (QStringList{"Cumulatif", "Bucholz", "Sonneborn-Berger"}));
    QCOMPARE(d.ListBox2->currentRow(), 1);
    d.SpeedButton2->click();
    d.SpeedButton2->click();  // already first
    QCOMPARE(selection(d), (QStringList{"Bucholz", "Cumulatif", "Sonneborn-Berger"}));
    QCOMPARE(d.ListBox2->currentRow(), 0);
    d.ListBox2->setCurrentRow(1);
    d.SpeedButton1->click();
    d.SpeedButton1->click();  // already last
    QCOMPARE(selection(d), (QStringList{"Bucholz", "Sonneborn-Berger", "Cumulatif"}));
    QCOMPARE(d.ListBox2->currentRow(), 2);
    d.ListBox2->setCurrentRow(0);
    d.SpeedButton4->click();
    QCOMPARE(selection(d), (QStringList{"Sonneborn-Berger", "Cumulatif"}));

    // The same by keyboard; Enter in the list never validates the dialog.
    d.show();
    d.ListBox1->setCurrentRow(0);
    QTest::keyClick(d.ListBox1, Qt::Key_Return);
    QVERIFY(d.isVisible());
    QCOMPARE(selection(d), (QStringList{"Sonneborn-Berger", "Cumulatif", "Bucholz"}));
    d.ListBox2->setCurrentRow(2);
    QTest::keyClick(d.ListBox2, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(selection(d), (QStringList{"Sonneborn-Berger", "Bucholz", "Cumulatif"}));
    QTest::keyClick(d.ListBox2, Qt::Key_Delete);
    QCOMPARE(selection(d), (QStringList{"Sonneborn-Berger", "Cumulatif"}));
    d.reject();
}

void TestDlgTournoi::valider_sans_departage_reste_ouvert() {
    IhmTest ihm;
    TForm1 f(&ihm);
    bool ouvert_apres = false;
    ihm.pilotes.push_back(valider_refuse(ouvert_apres));
    f.OptionsTournoi();
    QVERIFY(ouvert_apres);
    QCOMPARE(ihm.erreurs,
             QStringList{QStringLiteral("Il me faut au moins une fonction de départage")});
    // A refused "Valider" changes nothing, not even the unsaved mark.
    QVERIFY(!f.tournoi().entete.modifie);
    QVERIFY(f.tournoi().entete.departages.empty());
}

void TestDlgTournoi::nombre_de_rondes_selon_le_fichier() {
    // A new tournament is made for the native file: up to 99 rounds.
    for (const char* texte : {"100", "-1"}) {
        IhmTest ihm;
        TForm1 f(&ihm);
        bool ouvert_apres = false;
        ihm.pilotes.push_back([&](QDialog& dialogue) {
            definir("Open", "Echecs", QString::fromLatin1(texte), {0})(dialogue);
            ouvert_apres = dialogue.isVisible();
        });
        f.NouveauTournoi();
        QVERIFY(ouvert_apres);
        QCOMPARE(
            ihm.erreurs,
            QStringList{QStringLiteral("Le nombre de rondes doit être compris entre 0 et 99")});
        QCOMPARE(f.windowTitle(), QStringLiteral("Gestion de tournois TAVO"));
    }
    IhmTest ihm;
    TForm1 f(&ihm);
    ihm.pilotes.push_back(definir("Open", "Echecs", "30", {0}));
    f.NouveauTournoi();
    QVERIFY(ihm.erreurs.isEmpty());
    QCOMPARE(f.tournoi().entete.nb_rondes, 30);
    // Kept in a .pxi, the tournament takes the 1998 file's 15 rounds at most.
    f.tournoi().entete.nb_rondes = 9;
    f.tournoi().limites_1998 = true;
    bool ouvert_apres = false;
    ihm.pilotes.push_back(valider_refuse(ouvert_apres, QStringLiteral("16")));
    f.OptionsTournoi();
    QVERIFY(ouvert_apres);
    QCOMPARE(ihm.erreurs,
             QStringList{QStringLiteral("Le nombre de rondes doit être compris entre 0 et 15")});
    QCOMPARE(f.tournoi().entete.nb_rondes, 9);
}

void TestDlgTournoi::nouveau_tournoi_prend_les_valeurs() {
    IhmTest ihm;
    TForm1 f(&ihm);
    ihm.pilotes.push_back(definir(QStringLiteral("Open de Noël"), "othello", " 7 rondes", {2, 0}));
    f.NouveauTournoi();
    const auto& e = f.tournoi().entete;
    QCOMPARE((e.nom), std::string("Open de Noël"));
    QCOMPARE(e.date, std::string("12/12/26"));
    QCOMPARE(e.nb_rondes, 7);
    QCOMPARE(e.departages.size(), std::size_t{2});
    QCOMPARE(e.departages[0], 2);
    QCOMPARE(e.departages[1], 0);
    QCOMPARE(e.othello, 1);  // the case of the letters does not matter
    QCOMPARE(e.modifie, 1);
    QCOMPARE(e.ronde_courante, -1);
    QVERIFY(f.windowTitle().startsWith(
        QStringLiteral("Tournoi Open de Noël, du 12/12/26, jeu : othello — ")));

    // A trailing blank makes it another game.
    ihm.reponses = {false};
    ihm.pilotes.push_back(definir("B", "Othello ", "5", {0}));
    f.NouveauTournoi();
    QCOMPARE(f.tournoi().entete.othello, 0);
}

void TestDlgTournoi::nouveau_tournoi_propose_de_sauver_l_ancien() {
    IhmTest ihm;
    TForm1 f(&ihm);
    ihm.pilotes.push_back(definir("Ancien", "Echecs", "5", {0}));
    f.NouveauTournoi();
    for (int k = 0; k < 3; ++k) tavo::ajouter_joueur(f.tournoi());  // unsaved work
    QVERIFY(ihm.questions.isEmpty());  // nothing to lose the first time

    // Yes, then the save dialog is cancelled: the old tournament stays.
    ihm.reponses = {true};
    ihm.pilotes.push_back(definir("Nouveau", "Dames", "5", {0}));
    f.NouveauTournoi();
    QCOMPARE(ihm.questions.size(), 1);
    QVERIFY(ihm.questions[0].startsWith(
        QStringLiteral("Attention|Il y a des changements non enregistrés\n\nVoulez-vous sauver")));
    QCOMPARE(f.tournoi().entete.nom, std::string("Ancien"));
    QCOMPARE(f.tournoi().nb_joueurs(), 3);

    // Annuler in the dialog: no question, nothing changes, modifie as it was.
    ihm.pilotes.push_back([](QDialog& d) { d.reject(); });
    f.NouveauTournoi();
    QCOMPARE(ihm.questions.size(), 1);

    // Yes and a successful save: replaced, and the file holds the old one.
    QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("ancien.pxi"));
    ihm.reponses = {true};
    ihm.a_sauver << fichier;
    ihm.pilotes.push_back(definir("Nouveau", "Dames", "5", {0}));
    f.NouveauTournoi();
    QCOMPARE(f.tournoi().entete.nom, std::string("Nouveau"));
    QCOMPARE(f.tournoi().nb_joueurs(), 0);
    QCOMPARE(QFileInfo(fichier).size(), qint64(150 + 3 * 158));
    QCOMPARE(f.dossier_tournoi().string(), dossier.path().toStdString());

    // No: replaced without saving.
    for (int k = 0; k < 2; ++k) tavo::ajouter_joueur(f.tournoi());
    ihm.reponses = {false};
    ihm.pilotes.push_back(definir("Troisième", "Dames", "5", {0}));
    f.NouveauTournoi();
    QCOMPARE(f.tournoi().nb_joueurs(), 0);
    QCOMPARE(QFileInfo(fichier).size(), qint64(150 + 3 * 158));
}

// The rule itself is the core's (tests/gestion); here its message reaches
// the director while the dialog stays open, and the caption follows the
// values finally taken.
void TestDlgTournoi::options_regle_othello() {
    IhmTest ihm;
    TForm1 f(&ihm);
    ihm.pilotes.push_back(definir("T", "Echecs", "5", {0}));
    f.NouveauTournoi();
    f.tournoi().entete.ronde_courante = 0;
    const QString titre_avant = f.windowTitle();
    ihm.pilotes.push_back([&](QDialog& dialogue) {
        auto& d = static_cast<TForm_Dlg_Tournoi&>(dialogue);
        d.Ed_Nom->setText(QStringLiteral("Renommé"));
        d.Combo_Jeux->setEditText(QStringLiteral("OTHELLO"));
        d.Bt_Valider->click();
        // Refused in the dialog, which stays open with what was typed.
        QVERIFY(d.isVisible());
        QCOMPARE(d.Ed_Nom->text(), QStringLiteral("Renommé"));
        d.Combo_Jeux->setEditText(QStringLiteral("Dames"));
        d.Bt_Valider->click();
    });
    f.tournoi().entete.modifie = false;
    f.OptionsTournoi();
    QCOMPARE(
        ihm.erreurs,
        QStringList{QStringLiteral("Impossible de passer au jeu Othello en milieu de tournoi !")});
    QVERIFY(
        f.windowTitle().startsWith(QStringLiteral("Tournoi Renommé, du 12/12/26, jeu : Dames — ")));
}

void TestDlgTournoi::options_rouvre_avec_les_memes_valeurs() {
    IhmTest ihm;
    TForm1 f(&ihm);
    ihm.pilotes.push_back(definir("Open", "Quarto", "9", {4, 1, 3}));
    f.NouveauTournoi();
    f.tournoi().entete.modifie = false;
    TForm_Dlg_Tournoi& d = *f.Form_Dlg_Tournoi;
    // Scramble the controls, then reopen: they show the header again.
    d.Ed_Nom->setText(QStringLiteral("x"));
    d.ListBox2->clear();
    d.Ed_nb_rondes->setText(QStringLiteral("1"));
    ihm.pilotes.push_back([](QDialog& dlg) { dlg.reject(); });
    f.OptionsTournoi();
    QCOMPARE(d.Ed_Nom->text(), QStringLiteral("Open"));
    QCOMPARE(d.Ed_nb_rondes->text(), QStringLiteral("9"));
    QCOMPARE(d.Combo_Jeux->currentText(), QStringLiteral("Quarto"));
    QCOMPARE(selection(d), (QStringList{"Nombre de gains", "Bucholz médian", "Cumulatif"}));
    // Annuler: nothing changes.
    QVERIFY(!f.tournoi().entete.modifie);
}

// "Nouveau Tournoi" opens on an empty form, on its first page, the keyboard
// in the date: what is typed first is not lost.
void TestDlgTournoi::nouveau_tournoi_part_d_un_formulaire_vide() {
    IhmTest ihm;
    TForm1 f(&ihm);
    ihm.pilotes.push_back(definir("Ancien", "Dames", "9", {2}));
    f.NouveauTournoi();
    ihm.reponses = {false};
    ihm.pilotes.push_back([](QDialog& dialogue) {
        auto& d = static_cast<TForm_Dlg_Tournoi&>(dialogue);
        QApplication::setActiveWindow(&d);
        QCOMPARE(d.PageControl1->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), d.Ed_Date);
        QVERIFY(d.Ed_Nom->text().isEmpty());
        QCOMPARE(d.Ed_nb_rondes->text(), QStringLiteral("5"));
        QCOMPARE(d.ListBox2->count(), 0);
    });
    f.Form_Dlg_Tournoi->PageControl1->setCurrentIndex(1);  // left on the second page
    f.NouveauTournoi();
}

QTEST_MAIN(TestDlgTournoi)
#include "test_dlg_tournoi.moc"
