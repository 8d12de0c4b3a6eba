// The main window's own view of the tournament: the round typed at two keys
// per table, the standings following, the players found and opened.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "gestion/fichiers.h"
#include "ihm_test.h"
#include "support/tournoi_test.h"
#include "ui/tableau_de_bord.h"
#include "ui/tdlg_joueurs.h"
#include "ui/tform1.h"
#include "ui/tform_publier.h"

using tavo::ui::TableauDeBord;
using tavo::ui::TForm1;
using tavo::ui::test::IhmTest;

namespace {

QString cellule(QTableWidget* t, int ligne, int colonne) {
    const QTableWidgetItem* c = t->item(ligne, colonne);
    return c ? c->text() : QString();
}

QStringList colonnes(QTableWidget* t) {
    QStringList titres;
    for (int c = 0; c < t->columnCount(); ++c) titres << t->horizontalHeaderItem(c)->text();
    return titres;
}

}  // namespace

class TestTableauDeBord : public QObject {
    Q_OBJECT
  private slots:
    void une_ronde_de_cinquante_tables_au_clavier();
    void othello_forfait_et_joueurs();
};

void TestTableauDeBord::une_ronde_de_cinquante_tables_au_clavier() {
    IhmTest ihm;
    TForm1 f(&ihm);
    f.tournoi() = tavo::test::tournoi_avec_joueurs(100, 5, {"BU", "SB"});
    f.NouvelleRonde();
    TableauDeBord& d = *f.Tableau_De_Bord;
    QCOMPARE(f.Pile_Centre->currentWidget(), &d);
    QCOMPARE(d.Tbl_Ronde->rowCount(), 50);
    QCOMPARE(d.Lbl_Sans_Resultat->text(), QStringLiteral("50 tables sans résultat"));
    QVERIFY(f.Lbl_Etat_Tournoi->text().startsWith(
        QStringLiteral("Ronde 1 sur 5 : 50 tables sans résultat")));
    const QString blanc = cellule(d.Tbl_Ronde, 0, 1);

    // Two keys a table: the result, then Enter, which goes to the next one.
    const char touches[] = {'1', '=', '0', 'n'};
    d.Tbl_Ronde->setFocus();
    d.Tbl_Ronde->setCurrentCell(0, 0);
    for (int table = 0; table < 50; ++table) {
        QTest::keyClick(d.Tbl_Ronde, touches[table % 4]);
        QTest::keyClick(d.Tbl_Ronde, Qt::Key_Return);
        if (table == 0) {
            // At once in the standings (filled when shown), apart from the
            // points of the rounds complete, and in the status line.
            d.setCurrentIndex(1);
            QCOMPARE(colonnes(d.Tbl_Classement).last(), QStringLiteral("Ronde 1"));
            QCOMPARE(cellule(d.Tbl_Classement, 0, 2), blanc);
            QCOMPARE(cellule(d.Tbl_Classement, 0, 3), QStringLiteral("0"));
            QCOMPARE(cellule(d.Tbl_Classement, 0, 6), QStringLiteral("+1"));
            QVERIFY(f.windowTitle().contains(QStringLiteral("49 tables sans résultat")));
            d.setCurrentIndex(0);
            d.Tbl_Ronde->setFocus();
            QCOMPARE(d.Tbl_Ronde->currentRow(), 1);
        }
    }
    for (int table = 0; table < 50; ++table)
        QCOMPARE(tavo::demi_points(f.tournoi().table(0, table).res_blanc), "2101"[table % 4] - '0');
    QCOMPARE(cellule(d.Tbl_Ronde, 1, 5), QStringLiteral("½-½"));
    QCOMPARE(d.Lbl_Sans_Resultat->text(), QStringLiteral("Toutes les tables ont un résultat"));
    d.setCurrentIndex(1);
    QCOMPARE(colonnes(d.Tbl_Classement),
             (QStringList{"Cl", "N°", "Nom Prénom", "Pts", "BU", "SB"}));
    QCOMPARE(cellule(d.Tbl_Classement, 0, 3), QStringLiteral("1"));
    // Escape forgets a key typed; Enter alone stores nothing.
    d.montrer_onglet(0);
    d.Tbl_Ronde->setCurrentCell(2, 0);
    QTest::keyClick(d.Tbl_Ronde, '1');
    QTest::keyClick(d.Tbl_Ronde, Qt::Key_Escape);
    QTest::keyClick(d.Tbl_Ronde, Qt::Key_Return);
    QCOMPARE(tavo::demi_points(f.tournoi().table(0, 2).res_blanc), 0);
}

void TestTableauDeBord::othello_forfait_et_joueurs() {
    IhmTest ihm;
    TForm1 f(&ihm);
    f.tournoi() = tavo::test::tournoi_avec_joueurs(12, 5);
    f.tournoi().entete.jeu = "Othello";
    f.tournoi().entete.othello = true;
    f.tournoi().limites_1998 = false;
    f.NouvelleRonde();
    TableauDeBord& d = *f.Tableau_De_Bord;
    d.Tbl_Ronde->setCurrentCell(0, 0);
    // Black's discs, then Enter: white has the rest of 64.
    QTest::keyClicks(d.Tbl_Ronde, QStringLiteral("40"));
    QCOMPARE(d.Lbl_Saisie->text(), QStringLiteral("Table 1 : Noirs : 40 pions — Entrée pour "
                                                  "l'enregistrer"));
    QTest::keyClick(d.Tbl_Ronde, Qt::Key_Return);
    QCOMPARE(f.tournoi().table(0, 0).pions_noir, 40);
    QCOMPARE(cellule(d.Tbl_Ronde, 0, 5), QStringLiteral("24-40"));
    // F, F: black did not come; the window asks whether he stops playing.
    ihm.reponses = {true};
    QTest::keyClick(d.Tbl_Ronde, Qt::Key_F);
    QTest::keyClick(d.Tbl_Ronde, Qt::Key_F);
    QTest::keyClick(d.Tbl_Ronde, Qt::Key_Return);
    const tavo::Appariement& a = f.tournoi().table(0, 1);
    QCOMPARE(a.forfait, tavo::Forfait::noir);
    QVERIFY(!f.tournoi().joueur(a.noir).actif);
    QCOMPARE(cellule(d.Tbl_Ronde, 1, 5), QStringLiteral("1F-0F"));

    // The players: found by name or number, opened by a double-click.
    d.setCurrentIndex(2);
    QCOMPARE(d.Tbl_Joueurs->rowCount(), 12);
    QTest::keyClicks(d.Ed_Recherche_Joueur, QStringLiteral("nom1"));
    QCOMPARE(d.Tbl_Joueurs->rowCount(), 4);  // 1, 10, 11, 12
    QCOMPARE(cellule(d.Tbl_Joueurs, 3, 1), QStringLiteral("NOM12 Prenom12"));
    emit d.Tbl_Joueurs->cellDoubleClicked(3, 1);
    QCOMPARE(f.Dlg_joueurs->joueur_courant(), 12);

    // The file opened in the middle of the round shows the same.
    QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("milieu.tavo"));
    tavo::test::InteractionTest io;
    QVERIFY(tavo::gestion::sauver_tournoi(f.tournoi(), fichier.toStdString(), io));
    IhmTest ihm2;
    TForm1 g(&ihm2);
    g.ouvrir(fichier);
    TableauDeBord& e = *g.Tableau_De_Bord;
    QCOMPARE(g.Pile_Centre->currentWidget(), &e);
    QCOMPARE(e.Tbl_Ronde->rowCount(), 6);
    QCOMPARE(cellule(e.Tbl_Ronde, 0, 5), QStringLiteral("24-40"));
    QCOMPARE(cellule(e.Tbl_Ronde, 0, 1), cellule(d.Tbl_Ronde, 0, 1));
    QCOMPARE(e.Lbl_Sans_Resultat->text(), QStringLiteral("4 tables sans résultat"));
    g.show();
    QApplication::setActiveWindow(&g);
    QVERIFY(QTest::qWaitForWindowActive(&g));
    QTest::keyClick(&g, Qt::Key_2, Qt::ControlModifier);
    QCOMPARE(e.currentIndex(), 1);
    const int taille = e.Tbl_Classement->font().pointSize();
    QTest::keyClick(&g, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(e.Tbl_Classement->font().pointSize(), taille + 2);
    QCOMPARE(e.Tbl_Classement->rowCount(), 12);
    QVERIFY(g.Lbl_Etat_Tournoi->text().endsWith(QStringLiteral("tout est enregistré")));

    // Fichiers / Publier sur le réseau: the pages served on this machine's
    // loopback, their address shown with a QR code that a reader decodes
    // to it, then stopped.
    g.action_publier->trigger();
    tavo::ui::TForm_Publier& p = *g.Form_Publier;
    p.Ed_Adresse->setText(QStringLiteral("127.0.0.1"));
    p.SE_Port->setValue(0);
    p.Ed_Reseau->setText(QStringLiteral("Club"));
    QTest::mouseClick(p.Bt_Publier, Qt::LeftButton);
    QVERIFY2(ihm2.erreurs.isEmpty(), qPrintable(ihm2.erreurs.join(QLatin1Char(10))));
    const QRegularExpression adresse(QStringLiteral("http://127\\.0\\.0\\.1:\\d+/"));
    const QString url = adresse.match(p.Lbl_Adresse_Pages->text()).captured();
    QVERIFY2(!url.isEmpty(), qPrintable(p.Lbl_Adresse_Pages->text()));
    QVERIFY(!p.Ed_Adresse->isEnabled());
    const QString image = dossier.filePath(QStringLiteral("qr.png"));
    QVERIFY(p.Img_QR->pixmap().save(image));
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"),
               {QStringLiteral("--quiet"), QStringLiteral("--raw"), image});
    if (zbar.waitForFinished(30000))
        QCOMPARE(QString::fromUtf8(zbar.readAllStandardOutput()).trimmed(), url);
    else
        qWarning("zbarimg absent : code QR non relu");
    QTest::mouseClick(p.Bt_Publier, Qt::LeftButton);
    QVERIFY(p.Ed_Adresse->isEnabled());
    QVERIFY(p.Img_QR->pixmap().isNull());
}

QTEST_MAIN(TestTableauDeBord)
#include "test_tableau_de_bord.moc"
