// The main window: start screen, menu, unsaved-work guard, load and save,
// the warning dialog, the "À propos" box.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QtTest>

#include "gestion/fichiers.h"
#include "ihm_test.h"
#include "model/fichier_tournoi.h"
#include "model/registre.h"
#include "model/texte.h"
#include "ui/copie_secours.h"
#include "ui/tdlg_joueurs.h"
#include "ui/tform1.h"
#include "ui/tform_avertissement.h"
#include "ui/tform_dlg_tournoi.h"
#include "ui/tform_show_app.h"

using tavo::ui::TForm1;
using tavo::ui::test::IhmTest;

namespace {

const QString kQuestion = QStringLiteral(
    "Attention|Il y a des changements non enregistrés\n\nVoulez-vous sauver les informations de "
    "ce tournoi ?");

// The visible texts of a menu, "-" for a separator; hidden items in brackets.
QStringList textes(const QMenu* menu) {
    QStringList s;
    for (const QAction* a : menu->actions()) {
        QString texte = a->isSeparator() ? QStringLiteral("-") : a->text();
        s << (a->isVisible() ? texte : QLatin1Char('[') + texte + QLatin1Char(']'));
    }
    return s;
}

// Every item of a menu, every button and buddy label of a dialog has its Alt
// key, and no two have the same.
void verifier_touches_alt(const QStringList& textes, const QString& ou) {
    QStringList touches;
    for (const QString& texte : textes) {
        const QString touche = QKeySequence::mnemonic(texte).toString();
        QVERIFY2(!touche.isEmpty(), qPrintable(ou + " : " + texte));
        QVERIFY2(!touches.contains(touche), qPrintable(ou + " : " + texte));
        touches << touche;
    }
}

QStringList textes_alt(const QWidget& dialogue) {
    QStringList t;
    for (const QAbstractButton* b : dialogue.findChildren<QAbstractButton*>())
        // The results are typed with 1, = and 0 instead.
        if (!b->text().isEmpty() && !qobject_cast<const QRadioButton*>(b)) t << b->text();
    for (const QLabel* l : dialogue.findChildren<QLabel*>())
        if (l->buddy() != nullptr) t << l->text();
    for (const QTabWidget* onglets : dialogue.findChildren<QTabWidget*>())
        for (int i = 0; i < onglets->count(); ++i) t << onglets->tabText(i);
    return t;
}

void ecrire_tournoi(const QString& chemin, const char* nom, int nb_joueurs) {
    tavo::Tournoi t;
    t.entete.nom = nom;
    t.entete.date = "01/01/27";
    t.entete.jeu = "Dames";
    t.entete.nb_rondes = 4;
    t.entete.departages = {2};
    for (int i = 0; i < nb_joueurs; ++i)
        t.joueur(tavo::ajouter_joueur(t)).nom = "J" + std::to_string(i + 1);
    IhmTest ihm;
    QVERIFY(tavo::gestion::sauver_tournoi(t, chemin.toStdString(), ihm));
}

}  // namespace

class TestFenetrePrincipale : public QObject {
    Q_OBJECT
  private slots:
    void ecran_de_depart_et_menu();
    void quitter_sans_changement_ne_demande_rien();
    void quitter_avec_changements();
    void charger_et_sauver();
    void charger_apres_sauvegarde_annulee_ne_charge_pas();
    void tavo_chaque_changement_enregistre();
    void avertissement();
    void recents_annuler_et_copie_de_secours();
    void a_propos();
};

void TestFenetrePrincipale::ecran_de_depart_et_menu() {
    IhmTest ihm;
    TForm1 f(&ihm);
    QCOMPARE(f.windowTitle(), QStringLiteral("Gestion de tournois TAVO"));
    // Without a tournament, how to start; the capacities are in "À propos".
    QCOMPARE(f.Pile_Centre->currentIndex(), 0);
    QVERIFY(f.Lbl_Accueil->text().contains(QStringLiteral("Nouveau Tournoi (Ctrl+N)")));
    QVERIFY(TForm1::texte_a_propos().endsWith(
        QStringLiteral("9999 Joueurs\n99 Rondes\n100 Equipes\n10 Jeux\n(fichier .pxi : 100 "
                       "joueurs, 15 rondes)")));
    auto* programme = f.statusBar()->findChild<QLabel*>(QStringLiteral("Pnl_Programme"));
    QVERIFY(programme != nullptr);
    QCOMPARE(programme->text(), QStringLiteral("Gestion de tournois en système Suisse"));
    auto* version = f.statusBar()->findChild<QLabel*>(QStringLiteral("Pnl_Version"));
    QVERIFY(version->text().startsWith(QStringLiteral("Version 1.01, 1998")));

    QStringList menus;
    for (const QAction* a : f.menuBar()->actions()) menus << a->text();
    QCOMPARE(menus,
             (QStringList{"&Fichiers", "&Rondes", "&Joueurs", "&Options", "&Equipes", "&Aide"}));
    const auto menu = [&](int i) { return f.menuBar()->actions()[i]->menu(); };
    QCOMPARE(textes(menu(0)),
             (QStringList{"&Nouveau Tournoi", "-", "&Charger un tournoi", "Tournois &récents",
                          "&Sauver le tournoi", "Sauver so&us…", "&Exporter au format TRF",
                          "&Publier sur le réseau", "[-]", "[C&onfigurer l'imprimante]",
                          "[&Imprimer]", "-", "&Quitter"}));
    QCOMPARE(
        textes(menu(1)),
        (QStringList{"&Nouvelle Ronde", "&Revoir les appariements", "&Modifier les appariements",
                     "&Annuler la dernière ronde", "-", "&Saisir les résultats", "-", "&Classement",
                     "&Historique", "&Grille américaine"}));
    QCOMPARE(textes(menu(2)), (QStringList{"&Gestion", "&Liste des joueurs",
                                           "&Importer des joueurs…", "&Appariements interdits…"}));
    QCOMPARE(textes(menu(3)), (QStringList{"&Tournoi"}));
    QCOMPARE(textes(menu(4)), (QStringList{"générer &Fichier résultats par Equipe", "-",
                                           "&Classement Final par équipe"}));
    QCOMPARE(textes(menu(5)), (QStringList{"&Avertissement", "À &propos"}));
    verifier_touches_alt(menus, QStringLiteral("menus"));
    for (int i = 0; i < menus.size(); ++i)
        verifier_touches_alt(textes(menu(i)).filter(QRegularExpression(QStringLiteral("^[^-[]"))),
                             menus[i]);
    QList<QDialog*> dialogues = f.findChildren<QDialog*>();
    dialogues << f.Form_Show_App;
    for (const QWidget* d : dialogues) verifier_touches_alt(textes_alt(*d), d->objectName());
    QCOMPARE(f.action_sauver_sous->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    for (QAction* a : f.findChildren<QAction*>())
        if (!a->isSeparator() && !a->menu() && a->isVisible())
            QVERIFY2(a->isEnabled(), qPrintable(a->text()));

    // The hidden item shows the printer set-up dialog.
    f.ConfigurerImprimante();
    QCOMPARE(ihm.dialogues, QStringList{QStringLiteral("mise en page")});

    // Before round 1 and before any player: a message, never an empty report.
    f.action_revoir_appariements->trigger();
    f.action_liste_joueurs->trigger();
    QCOMPARE(ihm.erreurs,
             (QStringList{"Aucune ronde n'a encore été appariée", "Aucun joueur n'est inscrit"}));
    QVERIFY(!f.Form_Show_App->isVisible());
}

void TestFenetrePrincipale::quitter_sans_changement_ne_demande_rien() {
    IhmTest ihm;
    TForm1 f(&ihm);
    f.show();
    f.action_quitter->trigger();
    QVERIFY(!f.isVisible());
    QVERIFY(ihm.questions.isEmpty());
}

void TestFenetrePrincipale::quitter_avec_changements() {
    QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("t.pxi"));
    IhmTest ihm;
    TForm1 f(&ihm);
    f.show();
    f.tournoi().entete.modifie = true;

    // Yes, then the save dialog is cancelled: the window stays open.
    ihm.reponses = {true};
    QVERIFY(!f.close());
    QVERIFY(f.isVisible());
    QCOMPARE(ihm.questions, QStringList{kQuestion});

    // Yes, then the save fails: still open, still modified.
    ihm.reponses = {true};
    ihm.a_sauver << dossier.filePath(QStringLiteral("absent/t.pxi"));
    QVERIFY(!f.close());
    QVERIFY(f.isVisible());
    QCOMPARE(ihm.erreurs.size(), 1);
    QVERIFY(f.tournoi().entete.modifie);

    // Yes and a successful save: closes, the file is written.
    ihm.reponses = {true};
    ihm.a_sauver << fichier;
    QVERIFY(f.close());
    QVERIFY(QFileInfo::exists(fichier));
    QCOMPARE(ihm.questions.size(), 3);

    // No: closes without saving.
    IhmTest ihm2;
    TForm1 f2(&ihm2);
    f2.show();
    f2.tournoi().entete.modifie = true;
    ihm2.reponses = {false};
    QVERIFY(f2.close());
    QCOMPARE(ihm2.questions.size(), 1);
}

void TestFenetrePrincipale::charger_et_sauver() {
    QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("dames.pxi"));
    ecrire_tournoi(fichier, "Coupe", 4);
    IhmTest ihm;
    TForm1 f(&ihm);

    // The player dialog was on player 3 of another tournament.
    f.GestionJoueurs();
    for (const char* nom : {"J1", "J2", "J3"}) {
        f.Dlg_joueurs->Ed_Nom->setText(QString::fromLatin1(nom));
        f.Dlg_joueurs->Bt_NouveauClick();
    }
    f.Dlg_joueurs->SBtn_HautClick();
    QCOMPARE(f.Dlg_joueurs->joueur_courant(), 3);
    f.tournoi().entete.modifie = false;

    ihm.a_ouvrir << fichier;
    f.ChargerTournoi();
    QVERIFY(ihm.erreurs.isEmpty());
    QVERIFY(
        f.windowTitle().startsWith(QStringLiteral("Tournoi Coupe, du 01/01/27, jeu : Dames — ")));
    QCOMPARE(f.tournoi().nb_joueurs(), 4);
    QVERIFY(!f.tournoi().entete.modifie);
    QCOMPARE(f.Form_Dlg_Tournoi->Ed_Nom->text(), QStringLiteral("Coupe"));
    QCOMPARE(f.Form_Dlg_Tournoi->ListBox2->count(), 1);
    QCOMPARE(f.Form_Dlg_Tournoi->ListBox2->item(0)->text(), QStringLiteral("Sonneborn-Berger"));
    QCOMPARE(f.Dlg_joueurs->joueur_courant(), 0);
    QCOMPARE(f.dossier_tournoi().string(), dossier.path().toStdString());

    // Right after a load, quitting asks nothing.
    QVERIFY(f.close());
    QVERIFY(ihm.questions.isEmpty());

    // A file that cannot be read: the tournament in memory stays.
    const QString abime = dossier.filePath(QStringLiteral("abime.pxi"));
    QFile court(abime);
    QVERIFY(court.open(QIODevice::WriteOnly));
    court.write("court");
    court.close();
    ihm.a_ouvrir << abime;
    f.ChargerTournoi();
    QCOMPARE(ihm.erreurs, QStringList{QStringLiteral("Erreur de lecture TOURNOI dans ce fichier")});
    QCOMPARE(f.tournoi().nb_joueurs(), 4);
    QCOMPARE(f.dossier_tournoi().string(), dossier.path().toStdString());

    // Save under another name: the file is the tournament's image.
    const QString copie = dossier.filePath(QStringLiteral("copie.pxi"));
    f.tournoi().entete.modifie = true;
    ihm.a_sauver << copie;
    QVERIFY(f.SauverTournoiSous());
    QCOMPARE(ihm.dossiers.last(), dossier.path());  // the dialog opened in its folder
    QVERIFY(!f.tournoi().entete.modifie);
    QCOMPARE(QFileInfo(copie).size(), qint64(150 + 4 * 158));
    // Cancelled save dialog: nothing written, reported as not saved.
    QVERIFY(!f.SauverTournoiSous());
    // "Sauver" writes to the tournament's file without asking.
    f.tournoi().entete.modifie = true;
    QVERIFY(f.SauverTournoi());
    QCOMPARE(f.fichier_courant(), copie);

    // The file changed on disk since this save: saving over it asks first;
    // Enter (Annuler) keeps the other program's file, "Écraser" replaces it.
    QFile autre(copie);
    QVERIFY(autre.open(QIODevice::Append));
    autre.write("x");
    autre.close();
    ihm.questions.clear();
    QVERIFY(!f.SauverTournoi());
    QCOMPARE(ihm.questions.size(), 1);
    QVERIFY(ihm.questions[0].contains(QStringLiteral("modifié sur le disque")));
    QVERIFY(ihm.questions[0].endsWith(QStringLiteral("[Recharger / Écraser]")));
    QCOMPARE(QFileInfo(copie).size(), qint64(150 + 4 * 158 + 1));
    ihm.choix = {IhmTest::Reponse::non};
    QVERIFY(f.SauverTournoi());
    QCOMPARE(QFileInfo(copie).size(), qint64(150 + 4 * 158));

    // "Recharger" takes the other program's tournament, once the director
    // agrees to lose his changes (Non: nothing happens).
    ecrire_tournoi(copie, "Autre", 6);
    f.tournoi().entete.modifie = true;
    ihm.choix = {IhmTest::Reponse::oui, IhmTest::Reponse::oui};
    ihm.reponses = {false, true};
    QVERIFY(!f.SauverTournoi());
    QCOMPARE(f.tournoi().nb_joueurs(), 4);
    QVERIFY(!f.SauverTournoi());
    QCOMPARE(ihm.prudentes.size(), 2);
    QVERIFY(ihm.prudentes[1].startsWith(QStringLiteral("Recharger le tournoi|Les changements")));
    QCOMPARE(f.tournoi().nb_joueurs(), 6);
    QVERIFY(!f.tournoi().entete.modifie);
    QVERIFY(
        f.windowTitle().startsWith(QStringLiteral("Tournoi Autre, du 01/01/27, jeu : Dames — ")));
    QCOMPARE(QFileInfo(copie).size(), qint64(150 + 6 * 158));
    // Taken as it is on disk: saving now asks nothing.
    ihm.questions.clear();
    QVERIFY(f.SauverTournoi());
    QVERIFY(ihm.questions.isEmpty());
}

void TestFenetrePrincipale::charger_apres_sauvegarde_annulee_ne_charge_pas() {
    QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("autre.pxi"));
    ecrire_tournoi(fichier, "Autre", 2);
    IhmTest ihm;
    TForm1 f(&ihm);
    f.tournoi().joueurs.clear();
    f.tournoi().entete.nom = "En cours";
    f.tournoi().entete.modifie = true;

    ihm.reponses = {true};  // save first... then cancel the save dialog
    ihm.a_ouvrir << fichier;
    f.ChargerTournoi();
    QCOMPARE(ihm.questions, QStringList{kQuestion});
    QCOMPARE(f.tournoi().entete.nom, std::string("En cours"));
    QCOMPARE(ihm.a_ouvrir.size(), 1);  // the open dialog was never shown

    ihm.reponses = {false};
    f.ChargerTournoi();
    QCOMPARE(f.tournoi().entete.nom, std::string("Autre"));
}

// A .tavo holds each change the moment it is made; a change another program
// stored meanwhile is never overwritten without the director's word.
void TestFenetrePrincipale::tavo_chaque_changement_enregistre() {
    QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("open.tavo"));
    ecrire_tournoi(fichier, "Open", 4);
    IhmTest ihm;
    TForm1 f(&ihm);
    f.ouvrir(fichier);
    QCOMPARE(f.fichier_courant(), fichier);
    const auto sur_disque = [&] {
        tavo::Tournoi lu;
        IhmTest silence;
        [&] { QVERIFY(tavo::gestion::charger_tournoi(lu, fichier.toStdString(), silence)); }();
        return lu;
    };
    const auto changer = [&](const char* nom) {
        f.tournoi().joueur(f.tournoi().joueurs.front().id).nom = nom;
        f.tournoi().entete.modifie = true;
        f.noter_changement();
    };

    changer("PREMIER");
    QCOMPARE(sur_disque().joueurs.front().nom, std::string("PREMIER"));
    QVERIFY(!tavo::gestion::a_sauver(f.tournoi()));
    QVERIFY(!QFileInfo::exists(tavo::ui::CopieSecours::dossier() + "/secours.tavo"));

    // Another program's change: Enter (Annuler) keeps it and the window's
    // change waits in the recovery copy; "Écraser" stores the window's.
    tavo::Tournoi autre = sur_disque();
    autre.joueurs.back().nom = "AUTRE";
    autre.entete.modifie = true;
    QVERIFY(tavo::gestion::sauver_tournoi(autre, fichier.toStdString(), ihm));
    changer("SECOND");
    QCOMPARE(ihm.questions.size(), 1);
    QVERIFY(ihm.questions[0].endsWith(QStringLiteral("[Recharger / Écraser]")));
    QCOMPARE(sur_disque().joueurs.back().nom, std::string("AUTRE"));
    QCOMPARE(sur_disque().joueurs.front().nom, std::string("PREMIER"));
    QVERIFY(QFileInfo::exists(tavo::ui::CopieSecours::dossier() + "/secours.tavo"));
    ihm.choix = {IhmTest::Reponse::non};
    QVERIFY(f.SauverTournoi());
    QCOMPARE(sur_disque().joueurs.front().nom, std::string("SECOND"));
    QVERIFY(!QFileInfo::exists(tavo::ui::CopieSecours::dossier() + "/secours.tavo"));
    // Stored by this window: the next change asks nothing.
    changer("TROISIEME");
    QCOMPARE(ihm.questions.size(), 2);
    QCOMPARE(sur_disque().joueurs.front().nom, std::string("TROISIEME"));
    QVERIFY(f.close());
}

void TestFenetrePrincipale::avertissement() {
    IhmTest ihm;
    TForm1 f(&ihm);
    bool vu = false;
    ihm.pilotes.push_back([&](QDialog& d) {
        auto& a = static_cast<tavo::ui::TForm__Avertissement&>(d);
        QCOMPARE(a.windowTitle(), QStringLiteral("Avertissement"));
        QCOMPARE(a.ListBox1->count(), 4);
        QCOMPARE(a.ListBox1->item(0)->text(), QStringLiteral("Limites du système Suisse :"));
        QCOMPARE(
            a.ListBox1->item(3)->text(),
            QStringLiteral("Le nombre maximal de rondes doit être de 1/2 du nombre de joueurs"));
        // Read, not chosen from: not greyed out, but never focused.
        QVERIFY(a.ListBox1->isEnabled());
        QCOMPARE(a.ListBox1->focusPolicy(), Qt::NoFocus);
        a.Bt_Fermer->click();
        vu = !a.isVisible();
    });
    f.action_avertissement->trigger();
    QVERIFY(vu);
    QCOMPARE(ihm.dialogues, QStringList{QStringLiteral("Form__Avertissement")});
}

// The files the usual ways: the recent ones remembered from one window to the
// next, Annuler on the save question, and the recovery copy offered back.
void TestFenetrePrincipale::recents_annuler_et_copie_de_secours() {
    QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("club.pxi"));
    ecrire_tournoi(fichier, "Club", 4);
    tavo::ui::CopieSecours().effacer();
    QSettings(QStringLiteral("tavo"), QStringLiteral("tavo")).clear();
    {
        IhmTest ihm;
        TForm1 f(&ihm);
        f.show();
        f.ouvrir(fichier);
        QCOMPARE(f.fichier_courant(), fichier);
        f.NouvelleRonde();  // a stored change: the copy follows
        QVERIFY(QFileInfo::exists(tavo::ui::CopieSecours::dossier() + "/secours.tavo"));
        ihm.annulations = 1;  // Annuler: the window stays, nothing is lost
        QVERIFY(!f.close());
        QVERIFY(f.isVisible());
        QCOMPARE(f.tournoi().entete.ronde_courante, 0);
        // Then the program stops without a word (a crash, a power cut).
    }
    IhmTest ihm;
    TForm1 f(&ihm);
    QCOMPARE(f.menu_recents->actions().size(), 1);
    QCOMPARE(f.menu_recents->actions().first()->text(),
             QStringLiteral("&1 club.pxi — ") + dossier.path());
    f.proposer_reprise();
    QCOMPARE(ihm.questions.size(), 1);
    QVERIFY(ihm.questions[0].startsWith(QStringLiteral(
        "Copie de secours|Une copie de secours du tournoi « Club » a été faite le ")));
    QCOMPARE(f.tournoi().entete.ronde_courante, 0);  // the round paired is back
    QVERIFY(f.tournoi().entete.modifie);
    QCOMPARE(f.fichier_courant(), fichier);
    // Saved: the copy is gone, and nothing is offered any more.
    QVERIFY(f.SauverTournoi());
    QVERIFY(!QFileInfo::exists(tavo::ui::CopieSecours::dossier() + "/secours.tavo"));
    f.proposer_reprise();
    QCOMPARE(ihm.questions.size(), 1);

    // A long folder loses its middle.
    QSettings(QStringLiteral("tavo"), QStringLiteral("tavo"))
        .setValue(
            QStringLiteral("recents"),
            QStringList{QStringLiteral("/%1/%2/t.pxi").arg(QString(30, 'a'), QString(30, 'b'))});
    TForm1 f2(&ihm);
    QCOMPARE(f2.menu_recents->actions().first()->text(),
             QStringLiteral("&1 t.pxi — /%1…%2").arg(QString(23, 'a'), QString(25, 'b')));
}

void TestFenetrePrincipale::a_propos() {
    IhmTest ihm;
    TForm1 f(&ihm);
    QString texte;
    ihm.pilotes.push_back([&](QDialog& d) {
        auto& boite = static_cast<QMessageBox&>(d);
        texte = boite.text();
        boite.button(QMessageBox::Ok)->click();
    });
    f.action_a_propos->trigger();
    QCOMPARE(ihm.dialogues, QStringList{QStringLiteral("Boite_A_Propos")});
    // The project's version, as CMake gives it.
    QVERIFY2(texte.contains(QStringLiteral("Version " TAVO_VERSION_PROJET "\n")),
             qPrintable(texte));
    QVERIFY(texte.startsWith(QStringLiteral("TAVO\n")));
}

QTEST_MAIN(TestFenetrePrincipale)
#include "test_fenetre_principale.moc"
