// The player dialog: add, delete, navigation, storing and renumbering.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "ihm_test.h"
#include "model/registre.h"
#include "model/texte.h"
#include "reports/rapports.h"
#include "standings/departages.h"
#include "support/tournoi_test.h"
#include "ui/tdlg_joueurs.h"
#include "ui/texte_qt.h"
#include "ui/tform1.h"

using tavo::champ;
using tavo::ui::TDlg_joueurs;
using tavo::ui::TForm1;
using tavo::ui::test::IhmTest;

namespace {

// Registers players through the dialog, as a director would: "&Nouveau",
// then the fields, then "&Valider".
void inscrire(TDlg_joueurs& d, const QString& nom, const QString& prenom) {
    d.Bt_Nouveau->click();
    d.Ed_Nom->setText(nom);
    d.Ed_Prenom->setText(prenom);
    d.Bt_Valider->click();
}

std::string nom(TForm1& f, int id) {
    return f.tournoi().joueur(id).nom;
}

// A window whose dialog is open (driven directly: it is shown non-modally).
struct Banc {
    IhmTest ihm;
    TForm1 f{&ihm};
    TDlg_joueurs& d = *f.Dlg_joueurs;
    void ouvrir() {
        d.a_l_ouverture();
        d.show();
    }
};

}  // namespace

class TestDlgJoueurs : public QObject {
    Q_OBJECT
  private slots:
    void ouverture_sur_tournoi_vide_sans_joueur_vide();
    void enregistrer_navigation_et_annuler();
    void supprimer();
    void apres_la_premiere_ronde();
    void refus_du_101e_joueur();
    void rien_de_tape_ne_se_perd_et_chercher();
    void fermer_renumerote_et_ne_melange_pas_les_joueurs();
    void la_commande_gestion_et_modifie();
    void absences_demandees();
};

void TestDlgJoueurs::ouverture_sur_tournoi_vide_sans_joueur_vide() {
    Banc b;
    QCOMPARE(b.d.windowTitle(), QStringLiteral("Saisie des joueurs"));
    QVERIFY(b.d.Bt_Chercher->isEnabled());
    QCOMPARE(b.d.Ed_Nom->maxLength(), 29);
    QCOMPARE(b.d.Ed_Prenom->maxLength(), 19);
    QCOMPARE(b.d.CBx_Equipe->lineEdit()->maxLength(), 3);
    b.d.activateWindow();
    b.ouvrir();
    QVERIFY(QTest::qWaitForWindowActive(&b.d));
    // A long first name is read whole, in the desktop's font.
    const QLineEdit& prenom = *b.d.Ed_Prenom;
    QVERIFY(prenom.contentsRect().width() >
            prenom.fontMetrics().horizontalAdvance(QStringLiteral("Jean-François")) + 6);
    // An empty form for player 1, who exists only once something is typed:
    // "Nouveau" and closing on the empty form create nobody.
    QVERIFY(b.d.nouveau());
    QCOMPARE(b.d.Lbl_no_joueur->text(), QStringLiteral("1"));
    QCOMPARE(b.d.Ed_Nom->text(), QString());
    QVERIFY(!b.d.Chk_Inactif->isChecked());
    QVERIFY(!b.d.Chk_Fille->isChecked());
    QCOMPARE(b.d.focusWidget(), b.d.CBx_Equipe);
    b.d.Bt_Nouveau->click();
    b.d.Bt_Valider->click();
    b.d.Bt_Fermer->click();
    QCOMPARE(b.f.tournoi().nb_joueurs(), 0);
    QVERIFY(!b.f.tournoi().entete.modifie);
    QVERIFY(b.ihm.erreurs.isEmpty());
}

void TestDlgJoueurs::enregistrer_navigation_et_annuler() {
    Banc b;
    b.ouvrir();
    // Player 1: blank rating and birth date.
    b.d.Ed_Nom->setText(QStringLiteral("DUPONT"));
    b.d.Ed_Prenom->setText(QStringLiteral("Léa"));
    b.d.MEd_Elo->setText(QString());
    b.d.Chk_Fille->setChecked(true);
    b.d.CBx_Equipe->setEditText(QStringLiteral("ABCD"));  // cut to 3 by the field
    b.d.Bt_Valider->click();
    const tavo::Joueur& j1 = b.f.tournoi().joueur(1);
    QCOMPARE(nom(b.f, 1), std::string("DUPONT"));
    QCOMPARE((j1.prenom), std::string("Léa"));
    QCOMPARE(j1.elo, 0);
    QCOMPARE(j1.ne_le, std::string("  /  /  "));
    QCOMPARE(j1.fille, 1);
    QCOMPARE(j1.actif, 1);
    QCOMPARE(j1.equipe, std::string("ABC"));

    // A character Windows-1252 cannot hold is refused as it is typed.
    b.d.Ed_Nom->clear();
    for (const QChar c : QStringLiteral("DU€Ω")) {
        QKeyEvent touche(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(b.d.Ed_Nom, &touche);
    }
    QCOMPARE(b.d.Ed_Nom->text(), QStringLiteral("DU€"));
    const auto* validateur =
        dynamic_cast<const tavo::ui::ValidateurTexte*>(b.d.Ed_Nom->validator());
    QVERIFY(validateur->refus().contains(QStringLiteral("« Ω »")));
    b.d.Bt_Annuler->click();
    // A tournament of today's file takes any name, at any length.
    b.f.tournoi().limites_1998 = false;
    b.ouvrir();
    b.d.Ed_Nom->clear();
    for (const QChar c : QStringLiteral("ŁUKASZ ŻÓŁĆ-NGUYỄN DE LA TOUR D'AUVERGNE")) {
        QKeyEvent touche(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(b.d.Ed_Nom, &touche);
    }
    QCOMPARE(b.d.Ed_Nom->text(), QStringLiteral("ŁUKASZ ŻÓŁĆ-NGUYỄN DE LA TOUR D'AUVERGNE"));
    b.d.Bt_Annuler->click();
    // And the federation details, stored through the register's checks.
    b.d.Ed_Club->setText(QStringLiteral("Échiquier de Brest"));
    b.d.Ed_Federation->setText(QStringLiteral("fra"));
    b.d.Ed_Fide_Id->setText(QStringLiteral("12345678"));
    b.d.Ed_Id_National->setText(QStringLiteral("K1"));
    b.d.Ed_Titre->setCurrentText(QStringLiteral("WFM"));
    b.d.Bt_Valider->click();
    QCOMPARE(j1.club + "|" + j1.federation + "|" + std::to_string(j1.fide_id) + "|" +
                 j1.id_national + "|" + j1.titre,
             std::string("Échiquier de Brest|FRA|12345678|K1|WFM"));
    b.d.Ed_Fide_Id->setText(QStringLiteral("12a"));
    b.d.Bt_Valider->click();
    QCOMPARE(b.ihm.erreurs.last(),
             QStringLiteral("L'identifiant FIDE est un nombre de 11 chiffres au plus : 12a"));
    QCOMPARE(j1.fide_id, std::int64_t{12345678});
    for (QLineEdit* e : {b.d.Ed_Club, b.d.Ed_Federation, b.d.Ed_Fide_Id, b.d.Ed_Id_National})
        e->clear();
    b.d.Ed_Titre->setCurrentIndex(0);
    b.d.Bt_Valider->click();
    QVERIFY(j1.club.empty() && j1.fide_id == 0 && j1.titre.empty());
    b.f.tournoi().limites_1998 = true;
    b.ouvrir();
    QVERIFY(!b.d.Ed_Club->isEnabled() && !b.d.Ed_Titre->isEnabled() &&
            !b.d.Ed_Fide_Id->isEnabled());

    // Player 2 with a date and a rating; "&Nouveau" stores the player shown.
    b.d.Bt_Nouveau->click();
    QVERIFY(b.d.nouveau());
    QCOMPARE(b.d.Lbl_no_joueur->text(), QStringLiteral("2"));
    b.d.Ed_Nom->setText(QStringLiteral("MARTIN"));
    b.d.MEd_ne_le->setText(QStringLiteral("010210"));
    b.d.MEd_Elo->setText(QStringLiteral("1520"));
    b.d.Chk_Inactif->setChecked(true);
    b.d.SBtn_Haut->click();  // stores player 2, shows player 1
    QCOMPARE(b.d.joueur_courant(), 1);
    QCOMPARE(b.d.Ed_Nom->text(), QStringLiteral("DUPONT"));
    const tavo::Joueur& j2 = b.f.tournoi().joueur(2);
    QCOMPARE(nom(b.f, 2), std::string("MARTIN"));
    QCOMPARE(j2.ne_le, std::string("01/02/10"));
    QCOMPARE(j2.elo, 1520);
    QCOMPARE(j2.actif, 0);

    // Up on the first player and down on the last store and stay.
    b.d.Ed_Prenom->setText(QStringLiteral("Jean"));
    b.d.SBtn_Haut->click();
    QCOMPARE(b.d.joueur_courant(), 1);
    QCOMPARE(b.f.tournoi().joueur(1).prenom, std::string("Jean"));
    b.d.SBtn_Bas->click();
    QCOMPARE(b.d.Lbl_no_joueur->text(), QStringLiteral("2"));
    QVERIFY(b.d.Chk_Inactif->isChecked());
    QCOMPARE(b.d.MEd_ne_le->displayText(), QStringLiteral("01/02/10"));
    b.d.Ed_Nom->setText(QStringLiteral("MARTINEZ"));
    b.d.SBtn_Bas->click();
    QCOMPARE(b.d.joueur_courant(), 2);
    QCOMPARE(nom(b.f, 2), std::string("MARTINEZ"));

    // "&Annuler" shows the stored values again.
    b.d.Ed_Nom->setText(QStringLiteral("AUTRE"));
    b.d.Bt_Annuler->click();
    QCOMPARE(b.d.Ed_Nom->text(), QStringLiteral("MARTINEZ"));
    QCOMPARE(nom(b.f, 2), std::string("MARTINEZ"));
}

void TestDlgJoueurs::supprimer() {
    Banc b;
    b.ouvrir();
    b.d.Ed_Nom->setText(QStringLiteral("J1"));
    for (int i = 2; i <= 5; ++i) inscrire(b.d, QStringLiteral("J%1").arg(i), QString());

    // Declined: nothing changes.
    b.d.SBtn_Haut->click();
    b.d.SBtn_Haut->click();
    QCOMPARE(b.d.joueur_courant(), 3);
    b.ihm.reponses = {false};
    b.d.Bt_Supprimer->click();
    QCOMPARE(b.ihm.questions,
             QStringList{QStringLiteral(
                 "Confirmation|Etes-vous sûr de vouloir supprimer ce joueur ?\n\n3 - J3 ")});
    QCOMPARE(b.f.tournoi().nb_joueurs(), 5);

    // Player 3 of 5: the former 4 and 5 become 3 and 4; the new 3 is shown.
    b.f.tournoi().entete.modifie = false;
    b.d.Bt_Supprimer->click();
    QCOMPARE(b.f.tournoi().nb_joueurs(), 4);
    QVERIFY(b.f.tournoi().entete.modifie);
    QCOMPARE(nom(b.f, 3), std::string("J4"));
    QCOMPARE(nom(b.f, 4), std::string("J5"));
    QCOMPARE(b.d.joueur_courant(), 3);
    QCOMPARE(b.d.Ed_Nom->text(), QStringLiteral("J4"));

    // The last one: the new last is shown.
    b.d.SBtn_Bas->click();
    b.d.Bt_Supprimer->click();
    QCOMPARE(b.d.joueur_courant(), 3);
    QCOMPARE(b.d.Ed_Nom->text(), QStringLiteral("J4"));

    // Down to none: number 0, empty fields; storing changes nobody.
    for (int i = 0; i < 3; ++i) b.d.Bt_Supprimer->click();
    QCOMPARE(b.f.tournoi().nb_joueurs(), 0);
    QCOMPARE(b.d.Lbl_no_joueur->text(), QStringLiteral("0"));
    QCOMPARE(b.d.Ed_Nom->text(), QString());
    b.d.Ed_Nom->setText(QStringLiteral("FANTOME"));
    b.d.Bt_Valider->click();
    b.d.Bt_Supprimer->click();
    QCOMPARE(b.f.tournoi().nb_joueurs(), 0);
    b.d.Bt_Nouveau->click();
    QVERIFY(b.d.nouveau());
    QCOMPARE(b.f.tournoi().nb_joueurs(), 0);
}

void TestDlgJoueurs::apres_la_premiere_ronde() {
    Banc b;
    b.ouvrir();
    b.d.Ed_Nom->setText(QStringLiteral("A"));
    inscrire(b.d, QStringLiteral("B"), QString());
    b.d.Bt_Fermer->click();
    b.f.tournoi().entete.ronde_courante = 0;
    b.f.tournoi().entete.modifie = false;
    b.ouvrir();
    QVERIFY(!b.d.Bt_Nouveau->isEnabled());
    QVERIFY(!b.d.Bt_Supprimer->isEnabled());
    b.d.Chk_Inactif->setChecked(true);
    b.d.Bt_Valider->click();
    QCOMPARE(b.f.tournoi().joueur(2).actif, 0);
    QVERIFY(b.f.tournoi().entete.modifie);
}

void TestDlgJoueurs::refus_du_101e_joueur() {
    Banc b;
    b.ouvrir();
    for (int i = 1; i < tavo::Limites1998::joueurs; ++i) {
        b.d.Ed_Nom->setText(QStringLiteral("J%1").arg(i));
        b.d.Bt_Nouveau->click();
    }
    QCOMPARE(b.f.tournoi().nb_joueurs(), 99);
    QVERIFY(b.ihm.erreurs.isEmpty());
    b.d.Ed_Nom->setText(QStringLiteral("CENTIEME"));
    b.d.Bt_Nouveau->click();
    QCOMPARE(b.f.tournoi().nb_joueurs(), 100);
    QCOMPARE(b.ihm.erreurs.size(), 1);
    QVERIFY(b.ihm.erreurs[0].contains(QStringLiteral("100 joueurs")));
    QCOMPARE(b.d.joueur_courant(), 100);
    QCOMPARE(nom(b.f, 100), std::string("CENTIEME"));
}

void TestDlgJoueurs::fermer_renumerote_et_ne_melange_pas_les_joueurs() {
    Banc b;
    b.ouvrir();
    b.d.Ed_Nom->setText(QStringLiteral("A"));
    inscrire(b.d, QStringLiteral("B"), QString());
    inscrire(b.d, QStringLiteral("C"), QString());
    b.d.Bt_Fermer->click();
    QVERIFY(!b.d.isVisible());

    // Typed, then closed with Non to the question: dropped.
    b.ouvrir();
    b.d.Ed_Nom->setText(QStringLiteral("C-tape"));
    b.ihm.reponses = {false};
    b.d.Bt_Fermer->click();
    b.ouvrir();
    QCOMPARE(b.d.Ed_Nom->text(), QStringLiteral("C"));
    b.d.Bt_Fermer->click();

    // Sort the table (C first), then close with "Fermer": numbered in the
    // sorted order.
    tavo::Tournoi& t = b.f.tournoi();
    std::swap(t.joueurs[0], t.joueurs[2]);
    t.indexer_joueurs();
    b.ouvrir();  // shows player 3 (still "C" by number)
    QCOMPARE(b.d.Ed_Nom->text(), QStringLiteral("C"));
    b.d.Ed_Nom->setText(QStringLiteral("C-modifie"));  // typed, not stored
    t.entete.modifie = false;
    b.ihm.reponses = {false};
    b.d.Bt_Fermer->click();
    QCOMPARE(nom(b.f, 1), std::string("C"));
    QCOMPARE(nom(b.f, 3), std::string("A"));
    QVERIFY(t.entete.modifie);

    // Player 3 is now A: the fields typed for C are not stored into A.
    b.ouvrir();
    QCOMPARE(b.d.Ed_Nom->text(), QStringLiteral("A"));
    b.d.Bt_Valider->click();
    QCOMPARE(nom(b.f, 3), std::string("A"));
    QCOMPARE(nom(b.f, 1), std::string("C"));

    // Closing with the window's own close box does not renumber.
    std::swap(t.joueurs[0], t.joueurs[1]);
    t.indexer_joueurs();
    b.d.close();
    QCOMPARE(t.joueurs[0].id, 2);
}

void TestDlgJoueurs::la_commande_gestion_et_modifie() {
    IhmTest ihm;
    TForm1 f(&ihm);
    f.tournoi().entete.modifie = false;
    ihm.pilotes.push_back([](QDialog& dialogue) {
        auto& d = static_cast<TDlg_joueurs&>(dialogue);
        d.Ed_Nom->setText(QStringLiteral("SEUL"));
        d.Bt_Fermer->click();
    });
    ihm.reponses = {false};  // not stored when leaving
    f.GestionJoueurs();
    QCOMPARE(ihm.dialogues, QStringList{QStringLiteral("Dlg_joueurs")});
    QCOMPARE(f.tournoi().nb_joueurs(), 0);  // typed, never stored
    f.tournoi().entete.modifie = false;

    // Storing a change marks the tournament, so that quitting asks.
    ihm.pilotes.push_back([](QDialog& dialogue) {
        auto& d = static_cast<TDlg_joueurs&>(dialogue);
        d.Ed_Nom->setText(QStringLiteral("SEUL"));
        d.Bt_Valider->click();
        d.Bt_Fermer->click();
    });
    f.GestionJoueurs();
    QCOMPARE(nom(f, 1), std::string("SEUL"));
    QVERIFY(f.tournoi().entete.modifie);

    // Navigating without changing anything does not.
    f.tournoi().entete.modifie = false;
    ihm.pilotes.push_back([](QDialog& dialogue) {
        auto& d = static_cast<TDlg_joueurs&>(dialogue);
        d.SBtn_Haut->click();
        d.SBtn_Bas->click();
        d.Bt_Valider->click();
        d.Bt_Fermer->click();
    });
    f.GestionJoueurs();
    QVERIFY(!f.tournoi().entete.modifie);
}

// Leaving with typed changes asks: Annuler stays, Oui stores, Non drops.
// "Chercher" finds a player by the first letters of his name; a date that is
// not one is refused and the fields stay as typed.
void TestDlgJoueurs::rien_de_tape_ne_se_perd_et_chercher() {
    Banc b;
    b.ouvrir();
    b.d.Ed_Nom->setText(QStringLiteral("A"));
    b.d.Bt_Valider->click();
    inscrire(b.d, QStringLiteral("Bérard"), QStringLiteral("Léa"));
    b.d.SBtn_Haut->click();

    b.d.Ed_Nom->setText(QStringLiteral("ALPHONSE"));
    b.ihm.annulations = 1;
    b.d.Bt_Fermer->click();
    QVERIFY(b.d.isVisible());
    QCOMPARE(b.ihm.questions.last(),
             QStringLiteral("Attention|Les changements du joueur n°1 ne sont pas enregistrés.\n\n"
                            "Voulez-vous les enregistrer ?"));
    b.ihm.reponses = {true};
    b.d.reject();  // the close box and Escape ask the same
    QCOMPARE(nom(b.f, 1), std::string("ALPHONSE"));
    QVERIFY(b.f.tournoi().entete.modifie);

    b.ouvrir();
    b.d.Ed_Nom->setText(QStringLiteral("oubli"));
    b.ihm.reponses = {false};
    b.d.Bt_Fermer->click();
    QCOMPARE(nom(b.f, 1), std::string("ALPHONSE"));
    b.ouvrir();
    QCOMPARE(b.d.Ed_Nom->text(), QStringLiteral("ALPHONSE"));

    b.d.Ed_ID->setText(QStringLiteral("be"));
    b.d.Bt_Chercher->click();
    QCOMPARE(b.d.joueur_courant(), 2);
    b.d.Ed_ID->setText(QStringLiteral("1"));  // a number is the player's
    b.d.Bt_Chercher->click();
    QCOMPARE(b.d.joueur_courant(), 1);
    b.d.Ed_ID->setText(QStringLiteral("be"));
    b.d.Bt_Chercher->click();
    b.d.MEd_ne_le->setText(QStringLiteral("31/02/10"));
    b.d.SBtn_Haut->click();
    QCOMPARE(b.d.joueur_courant(), 2);  // refused: still on the same player
    QVERIFY(b.ihm.erreurs.last().startsWith(QStringLiteral("La date de naissance doit être")));

    // Alt+N, and the next key at once: it reaches the new player's first field.
    b.d.MEd_ne_le->setText(QString());
    b.d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&b.d));
    b.d.Ed_Nom->setFocus();
    QTest::keyClick(b.d.Ed_Nom, Qt::Key_N, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
    QVERIFY(b.d.nouveau());
    QCOMPARE(b.d.CBx_Equipe->currentText(), QStringLiteral("x"));
}

// The rounds a player asks to miss are stored at once by their buttons, and
// shown under them; a refusal says why.
void TestDlgJoueurs::absences_demandees() {
    Banc b;
    b.f.tournoi() = tavo::test::tournoi_avec_joueurs(4, 5);
    b.f.tournoi().limites_1998 = false;
    b.ouvrir();
    const int id = b.d.Lbl_no_joueur->text().toInt();
    QVERIFY(b.f.tournoi().existe(id));
    b.d.Ed_Absences->setText(QStringLiteral("3,2"));
    b.d.Chk_Demi_Point->setChecked(true);
    b.d.Bt_Absence->click();
    QCOMPARE(b.f.tournoi().joueur(id).absences, (std::vector<tavo::Absence>{{1, true}, {2, true}}));
    QCOMPARE(b.d.Lbl_Absences->text(),
             QStringLiteral("Absences demandées : 2 (½ point), 3 (½ point)"));
    QVERIFY(b.d.Ed_Absences->text().isEmpty());
    b.d.Ed_Absences->setText(QStringLiteral("5"));
    b.d.Bt_Absence->click();
    QCOMPARE(b.ihm.erreurs.size(), 1);
    QCOMPARE(b.d.Ed_Absences->text(), QStringLiteral("5"));
    b.d.Ed_Absences->setText(QStringLiteral("2"));
    b.d.Bt_Retirer_Absence->click();
    QCOMPARE(b.f.tournoi().joueur(id).absences, (std::vector<tavo::Absence>{{2, true}}));
}

QTEST_MAIN(TestDlgJoueurs)
#include "test_dlg_joueurs.moc"
