// The report window and the printing of its lines, checked on a PDF file.
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "ihm_test.h"
#include "model/texte.h"
#include "reports/rapports.h"
#include "ui/destination_export.h"
#include "ui/tform1.h"
#include "ui/tform_show_app.h"

using tavo::ui::TForm_Show_App;
using tavo::ui::test::IhmTest;

namespace {

// The text of a PDF file, pages separated by form feeds, as pdftotext reads it.
QString texte_pdf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QStringLiteral("<pdftotext>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class TestImpression : public QObject {
    Q_OBJECT
  private slots:
    void fenetre_et_rapports_successifs();
    void imprimer_dans_un_pdf();
    void pages_pleines();
    void imprimante_inutilisable();
    void importer_publier_exporter();
};

void TestImpression::fenetre_et_rapports_successifs() {
    IhmTest ihm;
    TForm_Show_App w(ihm);
    QCOMPARE(w.windowTitle(), QStringLiteral("Voir les appariements"));
    // The characters of a report are drawn with one width, whatever the
    // desktop's fonts.
    const QFontMetrics mesures(w.ListBox1->font());
    QCOMPARE(mesures.horizontalAdvance(QStringLiteral("iiiii.....")),
             mesures.horizontalAdvance(QStringLiteral("MMMMMWWWWW")));
    tavo::Rapport r;
    r.titre(std::string("Classement après 2 rondes"));
    r.ligne("%s", "un");
    r.ligne("%s", std::string("deux é").c_str());
    w.montrer(r);
    r.vider();
    r.titre("Liste");
    r.ajouter(" ");
    w.montrer(r);
    QCOMPARE(w.windowTitle(), QStringLiteral("Liste"));
    QCOMPARE(w.lignes(), QStringList{QStringLiteral(" ")});

    // A line longer than the window scrolls sideways, even after a short one;
    // the report opens at its first line.
    for (int k = 0; k < 100; ++k) r.ajouter(k == 50 ? std::string(250, 'x') : "court");
    w.montrer(r);
    w.show();
    QApplication::processEvents();
    QVERIFY(w.ListBox1->horizontalScrollBar()->maximum() > 0);
    QCOMPARE(w.ListBox1->verticalScrollBar()->value(), 0);
}

void TestImpression::imprimer_dans_un_pdf() {
    QTemporaryDir dossier;
    IhmTest ihm;
    TForm_Show_App w(ihm);
    tavo::Rapport r;
    r.ligne("Tournoi : %-30s du %s", "Open", "12/12/26");
    r.ajouter(" ");
    r.ligne("%3d %-25s %5.1f", 1, std::string("DUPONT Léa").c_str(), 3.5);
    r.ligne("%3d %-25s %5.1f", 2, "MARTIN Jean", 2.0);
    w.montrer(r);

    // Cancelled print dialog: nothing printed, no message.
    w.Bt_Imprimer->click();
    QVERIFY(ihm.erreurs.isEmpty());

    ihm.pdf = dossier.filePath(QStringLiteral("rapport.pdf"));
    w.Bt_Imprimer->click();
    QVERIFY(ihm.erreurs.isEmpty());
    const QString texte = texte_pdf(ihm.pdf);
    // One report line per printed line, in order (pdftotext narrows the runs
    // of blanks, so they are compared simplified).
    QStringList lignes;
    for (const QString& l : texte.split(QLatin1Char('\n'))) lignes << l.simplified();
    const int i = lignes.indexOf(QStringLiteral("Tournoi : Open du 12/12/26"));
    QVERIFY2(i >= 0, qPrintable(texte));
    QCOMPARE(lignes.value(i + 1), QString());
    QCOMPARE(lignes.value(i + 2), QStringLiteral("1 DUPONT Léa 3.5"));
    QCOMPARE(lignes.value(i + 3), QStringLiteral("2 MARTIN Jean 2.0"));
    QCOMPARE(texte.count(QLatin1Char('\f')), 1);  // one page
}

void TestImpression::pages_pleines() {
    QTemporaryDir dossier;
    QStringList lignes;
    for (int i = 1; i <= 200; ++i)
        lignes << QStringLiteral("Ligne %1 du rapport").arg(i, 3, 10, QLatin1Char('0'));
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(dossier.filePath(QStringLiteral("long.pdf")));
    QVERIFY(tavo::ui::imprimer_lignes(imprimante, lignes));
    const QString texte = texte_pdf(imprimante.outputFileName());
    const QStringList pages = texte.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 2, qPrintable(texte.left(200)));
    // Every line once, in order, across the pages, none cut at a page end.
    QStringList lues;
    for (const QString& l : texte.split(QRegularExpression(QStringLiteral("[\n\f]"))))
        if (!l.trimmed().isEmpty()) lues << l.trimmed();
    QCOMPARE(lues, lignes);

    // An empty report still prints (an empty page), as a form feed would.
    imprimante.setOutputFileName(dossier.filePath(QStringLiteral("vide.pdf")));
    QVERIFY(tavo::ui::imprimer_lignes(imprimante, {}));
    QVERIFY(QFileInfo(imprimante.outputFileName()).size() > 0);
}

void TestImpression::imprimante_inutilisable() {
    IhmTest ihm;
    tavo::ui::TForm1 f(&ihm);
    f.tournoi().joueurs.clear();
    // A report from the menu, printed to a file that cannot be created.
    ihm.pdf = QStringLiteral("/dossier/inexistant/rapport.pdf");
    ihm.pilotes.push_back([](QDialog& d) {
        static_cast<TForm_Show_App&>(d).Bt_Imprimer->click();
        QVERIFY(d.isVisible());  // the window stays open with its lines
    });
    f.Classement();
    QCOMPARE(ihm.dialogues, QStringList{QStringLiteral("Form_Show_App")});
    QCOMPARE(ihm.erreurs, QStringList{QStringLiteral("impossible d'utiliser l'imprimante")});
}

// The new user's path in the window: players imported from a list, the
// crosstable, each report exported in the form of the type chosen, the TRF;
// every file dialog opens in the tournament's folder.
void TestImpression::importer_publier_exporter() {
    QTemporaryDir dossier;
    IhmTest ihm;
    tavo::ui::TForm1 f(&ihm);
    ihm.a_sauver << dossier.filePath(QStringLiteral("open.pxi"));
    QVERIFY(f.SauverTournoiSous());
    const QString liste = dossier.filePath(QStringLiteral("liste.csv"));
    QFile fichier(liste);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write(
        "Nom;Pr\xE9nom;Elo\r\nDUPONT;L\xE9"
        "a;1500\r\nMARTIN;Jean;\r\n");
    fichier.close();
    ihm.a_importer << liste;
    f.action_importer_joueurs->trigger();
    QCOMPARE(ihm.informations, QStringList{QStringLiteral("2 joueurs importés")});
    QCOMPARE(f.tournoi().nb_joueurs(), 2);

    // The crosstable, exported: the type chosen gives its extension to a
    // name typed without one ("g" with CSV chosen, beside g.html, is
    // g.csv); a name typed with one of the types' extensions is of that type
    // ("g.csv" with HTML chosen), and replacing a file is asked about by its
    // final name.
    ihm.a_exporter << dossier.filePath(QStringLiteral("g.html"))
                   << dossier.filePath(QStringLiteral("g"))
                   << dossier.filePath(QStringLiteral("g.csv"))
                   << dossier.filePath(QStringLiteral("g"));
    ihm.types_exportes = {0, 1, 0, 2};
    ihm.pilotes.push_back([](QDialog& d) {
        auto* exporter = d.findChild<QPushButton*>(QStringLiteral("Bt_Exporter"));
        for (int i = 0; i < 4; ++i) exporter->click();
    });
    f.action_grille->trigger();
    QCOMPARE(ihm.dialogues, QStringList{QStringLiteral("Form_Show_App")});
    QVERIFY2(ihm.erreurs.isEmpty(), qPrintable(ihm.erreurs.join(QLatin1Char('\n'))));
    QFile html(dossier.filePath(QStringLiteral("g.html")));
    QVERIFY(html.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(html.readAll()).contains(QStringLiteral("<td>DUPONT Léa</td>")));
    QFile csv(dossier.filePath(QStringLiteral("g.csv")));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QVERIFY(
        csv.readAll().startsWith("\xEF\xBB\xBF"
                                 "Cl;N\xC2\xB0;Nom Pr\xC3\xA9nom;Elo;Equ;Pts"));
    const QString pdf = texte_pdf(dossier.filePath(QStringLiteral("g.pdf")));
    QVERIFY2(pdf.contains(QStringLiteral("Grille américaine")), qPrintable(pdf));
    QCOMPARE(ihm.prudentes, QStringList{QStringLiteral("Exporter|Le fichier « g.csv » existe "
                                                       "déjà.\n\nVoulez-vous le remplacer ?")});
    QCOMPARE(tavo::ui::accorder(QStringLiteral("c.2027"), {QStringLiteral("Page HTML (*.html)")}, 0)
                 .chemin,
             QStringLiteral("c.2027.html"));

    ihm.a_exporter << dossier.filePath(QStringLiteral("open"));
    f.action_exporter_trf->trigger();
    QFile trf(dossier.filePath(QStringLiteral("open.trf")));
    QVERIFY(trf.open(QIODevice::ReadOnly));
    QVERIFY(
        trf.readAll().contains("001    1 m    DUPONT,L\xC3\xA9"
                               "a"));
    QVERIFY(ihm.erreurs.isEmpty());
    ihm.dossiers.removeFirst();  // "Sauver sous", before the tournament had a file
    QCOMPARE(ihm.dossiers, QStringList(6, dossier.path()));
}

QTEST_MAIN(TestImpression)
#include "test_impression.moc"
