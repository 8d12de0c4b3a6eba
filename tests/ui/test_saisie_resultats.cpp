// The results entry dialog on rounds paired by "Nouvelle Ronde".
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QtTest>

#include "ihm_test.h"
#include "model/texte.h"
#include "support/tournoi_test.h"
#include "ui/tform1.h"
#include "ui/tform_saisie_resultats.h"
#include "ui/tform_show_app.h"

using tavo::ui::TForm1;
using tavo::ui::TForm_Saisie_Resultats;
using tavo::ui::test::IhmTest;

namespace {

// A window holding `n` players ("NOMk Prenomk") with round 1 paired through
// the menu; the results dialog is opened and shown non-modally.
struct Banc {
    IhmTest ihm;
    TForm1 f{&ihm};
    TForm_Saisie_Resultats& d = *f.Form_Saisie_Resultats;
    Banc(int n, bool othello = false) {
        f.tournoi() = tavo::test::tournoi_avec_joueurs(n, 5);
        if (othello) {
            f.tournoi().entete.jeu = "Othello";
            f.tournoi().entete.othello = true;
        }
        f.NouvelleRonde();
    }
    void ouvrir() {
        d.a_l_ouverture();
        d.show();
        QApplication::setActiveWindow(&d);
    }
    const tavo::Appariement& table(int t) { return f.tournoi().table(0, t); }
    // Types a disc count over the one shown, as the director does.
    static void taper(QLineEdit* champ, const QString& texte) {
        champ->setFocus();
        champ->selectAll();
        QTest::keyClicks(champ, texte);
    }
    QStringList coches() const {
        QStringList s;
        for (QRadioButton* b : {d.Rbt_BG, d.Rbt_BN, d.Rbt_BP, d.Rbt_NG, d.Rbt_NN, d.Rbt_NP})
            if (b->isChecked()) s << b->objectName();
        return s;
    }
};

}  // namespace

class TestSaisieResultats : public QObject {
    Q_OBJECT
  private slots:
    void sans_ronde_appariee_la_commande_refuse();
    void activation_des_boutons();
    void couplage_et_enregistrement();
    void tout_verifier();
    void othello_complement_et_bornes();
    void reouverture();
    void au_clavier();
    void forfaits_au_clavier();
    void classement_ouvert_a_cote();
};

void TestSaisieResultats::sans_ronde_appariee_la_commande_refuse() {
    IhmTest ihm;
    TForm1 f(&ihm);
    f.SaisirResultats();
    QCOMPARE(ihm.erreurs.size(), 1);
    QVERIFY(ihm.erreurs[0].contains(QStringLiteral("Nouvelle Ronde")));
    QVERIFY(ihm.dialogues.isEmpty());
}

void TestSaisieResultats::activation_des_boutons() {
    Banc b(6);
    QCOMPARE(b.f.tournoi().nb_tables(0), 3);
    b.ouvrir();
    QCOMPARE(b.d.windowTitle(), QStringLiteral("Saisie des résultats : Echecs, ronde n°1"));
    QCOMPARE(b.d.Notebook1->currentIndex(), 0);
    QCOMPARE(b.d.Lbl_No_App->text(), QStringLiteral("Table n°1"));
    QCOMPARE(b.d.Lbl_Nom_Blancs1->text(), QStringLiteral("NOM1 Prenom1"));
    QCOMPARE(b.d.Lbl_Nom_Noirs1->text(), QStringLiteral("NOM4 Prenom4"));
    QVERIFY(!b.d.Bt_Prec->isEnabled());
    QVERIFY(b.d.Bt_Valider->isEnabled());
    b.d.Bt_Valider->click();
    b.d.Bt_Valider->click();
    QCOMPARE(b.d.Lbl_No_App->text(), QStringLiteral("Table n°3"));
    QVERIFY(b.d.Bt_Prec->isEnabled());
    QVERIFY(!b.d.Bt_Valider->isEnabled());
    b.d.Bt_Valider->click();  // disabled: stays on the last table
    QCOMPARE(b.d.table_courante(), 2);

    Banc un(2);
    un.ouvrir();
    QVERIFY(!un.d.Bt_Prec->isEnabled());
    QVERIFY(!un.d.Bt_Valider->isEnabled());
}

void TestSaisieResultats::couplage_et_enregistrement() {
    Banc b(6);
    b.ouvrir();
    QVERIFY(b.coches().isEmpty());  // never entered
    b.d.Rbt_NG->click();
    QCOMPARE(b.coches(), (QStringList{"Rbt_BP", "Rbt_NG"}));
    b.d.Rbt_BN->click();
    QCOMPARE(b.coches(), (QStringList{"Rbt_BN", "Rbt_NN"}));
    b.d.Rbt_NP->click();
    QCOMPARE(b.coches(), (QStringList{"Rbt_BG", "Rbt_NP"}));
    b.d.Rbt_BP->click();
    b.f.tournoi().entete.modifie = false;
    b.d.Bt_Valider->click();
    QVERIFY(b.f.tournoi().entete.modifie);
    QVERIFY(b.table(0).saisi());
    QCOMPARE(demi_points(b.table(0).res_blanc), 0);
    QCOMPARE(demi_points(b.table(0).res_noir()), 2);

    // Table 2 left without a choice stays without result; table 1 comes back
    // with its buttons.
    QVERIFY(b.coches().isEmpty());
    b.d.Bt_Prec->click();
    QVERIFY(!b.table(1).saisi());
    QCOMPARE(b.coches(), (QStringList{"Rbt_BP", "Rbt_NG"}));
    b.d.Rbt_BN->click();
    b.d.Bt_Valider->click();
    QCOMPARE(demi_points(b.table(0).res_blanc), 1);
    QCOMPARE(demi_points(b.table(0).res_noir()), 1);
}

void TestSaisieResultats::tout_verifier() {
    Banc b(7);  // 3 tables and the bye of player 7
    const tavo::Tournoi& t = b.f.tournoi();
    QCOMPARE(t.nb_tables(0), 4);
    QCOMPARE(t.table(0, 3).noir, tavo::ID_QUALIFIE);
    bool ouvert = false;
    b.ihm.pilotes.push_back([&](QDialog& dialogue) {
        auto& d = static_cast<TForm_Saisie_Resultats&>(dialogue);
        d.Rbt_BG->click();
        d.Bt_Valider->click();
        d.Rbt_NG->click();
        d.Bt_Valider->click();
        // Table 3 has no result yet.
        d.Button3->click();
        ouvert = d.isVisible();
        QCOMPARE(d.Lbl_No_App->text(), QStringLiteral("Table n°3"));
        d.Rbt_BN->click();
        d.Bt_Valider->click();
        // The bye is shown entered: 2 points for player 7.
        QCOMPARE(d.Lbl_Nom_Noirs1->text(), QStringLiteral("*QUALIFIE D'OFFICE*"));
        QVERIFY(d.Rbt_BG->isChecked());
        // Its result is the pairing's: the fields cannot change it.
        QVERIFY(!d.Rbt_BP->isEnabled() && !d.Rbt_NG->isEnabled());
        d.Bt_Prec->click();
        QVERIFY(d.Rbt_BP->isEnabled());
        d.Bt_Valider->click();
        d.Button3->click();
    });
    b.f.SaisirResultats();
    QVERIFY(ouvert);
    QCOMPARE(b.ihm.erreurs, QStringList{QStringLiteral("Il me manque des résultats")});
    QVERIFY(!b.d.isVisible());
    QCOMPARE(demi_points(t.joueur(1).ronde(0).resultat), 2);
    QCOMPARE(demi_points(t.joueur(4).ronde(0).resultat), 0);
    QCOMPARE(demi_points(t.joueur(2).ronde(0).resultat), 0);
    QCOMPARE(demi_points(t.joueur(5).ronde(0).resultat), 2);
    QCOMPARE(demi_points(t.joueur(3).ronde(0).resultat), 1);
    QCOMPARE(demi_points(t.joueur(6).ronde(0).resultat), 1);
    QCOMPARE(demi_points(t.joueur(7).ronde(0).resultat), 2);
    QVERIFY(t.ronde_complete(0));
}

void TestSaisieResultats::othello_complement_et_bornes() {
    Banc b(4, true);
    b.ouvrir();
    QVERIFY(QTest::qWaitForWindowActive(&b.d));
    QCOMPARE(b.d.Notebook1->currentIndex(), 1);
    QCOMPARE(b.d.Lbl_Nom_Noirs2->text(), QStringLiteral("NOM3 Prenom3"));
    QCOMPARE(b.d.Ed_Nbp_noir->text(), QStringLiteral("0"));
    QCOMPARE(b.d.Ed_Nbp_blanc->text(), QStringLiteral("0"));

    // Only digits are typed.
    b.d.Ed_Nbp_noir->setFocus();
    b.d.Ed_Nbp_noir->clear();
    QTest::keyClicks(b.d.Ed_Nbp_noir, QStringLiteral("4x-0"));
    QCOMPARE(b.d.Ed_Nbp_noir->text(), QStringLiteral("40"));
    QTest::keyClick(b.d.Ed_Nbp_noir, Qt::Key_Tab);  // leaving the field
    QCOMPARE(b.d.Ed_Nbp_blanc->text(), QStringLiteral("24"));
    b.d.Bt_Valider->click();
    QVERIFY(b.table(0).saisi());
    QCOMPARE(b.table(0).pions_noir, 40);
    QCOMPARE(demi_points(b.table(0).res_noir()), 2);
    QCOMPARE(demi_points(b.table(0).res_blanc), 0);

    // 65 is refused: the box, the focus back, the counts before in both
    // fields (40 for black, typed and accepted, and 24).
    QCOMPARE(b.d.Ed_Nbp_blanc->text(), QStringLiteral("0"));  // table 2, never entered
    Banc::taper(b.d.Ed_Nbp_noir, QStringLiteral("40"));
    b.d.Ed_Nbp_blanc->setFocus();
    QCOMPARE(b.d.Ed_Nbp_blanc->text(), QStringLiteral("24"));
    Banc::taper(b.d.Ed_Nbp_blanc, QStringLiteral("65"));
    b.d.Ed_Nbp_noir->setFocus();
    const QString hors_bornes =
        QStringLiteral("le nombre de pions doit être compris entre 0 et 64");
    QCOMPARE(b.ihm.erreurs, QStringList{hors_bornes});
    QCOMPARE(QApplication::focusWidget(), b.d.Ed_Nbp_blanc);
    QCOMPARE(b.d.Ed_Nbp_noir->text(), QStringLiteral("40"));
    QCOMPARE(b.d.Ed_Nbp_blanc->text(), QStringLiteral("24"));
    // Typed again, 65 is refused by "Précédent" too: nothing stored, nothing moves.
    Banc::taper(b.d.Ed_Nbp_blanc, QStringLiteral("65"));
    b.d.Bt_Prec->click();
    QCOMPARE(b.ihm.erreurs, (QStringList{hors_bornes, hors_bornes}));
    QCOMPARE(b.d.table_courante(), 1);
    QVERIFY(!b.table(1).saisi());

    // Both counts typed: neither overwrites the other, and a total other
    // than 64 (40-25) is refused with its message, never made 39-25.
    Banc::taper(b.d.Ed_Nbp_blanc, QStringLiteral("25"));
    b.d.Ed_Nbp_noir->setFocus();
    QCOMPARE(b.d.Ed_Nbp_noir->text(), QStringLiteral("40"));
    b.d.Button3->click();
    QCOMPARE(b.ihm.erreurs.last(),
             QStringLiteral("les nombres de pions des deux joueurs doivent faire 64"));
    QVERIFY(!b.table(1).saisi());
    QVERIFY(b.d.isVisible());

    // 0 and 64, then 32 each: a draw.
    Banc::taper(b.d.Ed_Nbp_blanc, QStringLiteral("64"));
    Banc::taper(b.d.Ed_Nbp_noir, QStringLiteral("0"));
    b.d.Bt_Prec->click();
    QCOMPARE(b.table(1).pions_blanc, 64);
    b.d.Bt_Valider->click();
    Banc::taper(b.d.Ed_Nbp_noir, QStringLiteral("32"));
    b.d.Ed_Nbp_blanc->setFocus();
    QCOMPARE(b.d.Ed_Nbp_blanc->text(), QStringLiteral("32"));
    b.d.Button3->click();
    QCOMPARE(b.ihm.erreurs.size(), 3);
    QVERIFY(b.table(1).saisi());
    QCOMPARE(demi_points(b.table(1).res_blanc), 1);
    QCOMPARE(demi_points(b.table(1).res_noir()), 1);
    QVERIFY(!b.d.isVisible());  // every table entered: committed and closed
    QCOMPARE(b.f.tournoi().joueur(3).ronde(0).pions, 40);
}

void TestSaisieResultats::reouverture() {
    Banc b(8);
    b.ihm.pilotes.push_back([&b](QDialog& dialogue) {
        auto& d = static_cast<TForm_Saisie_Resultats&>(dialogue);
        for (int i = 0; i < 3; ++i) {
            d.Rbt_BG->click();
            d.Bt_Valider->click();
        }
        // A result typed and not stored: leaving asks. Annuler stays...
        d.Rbt_BN->click();
        b.ihm.annulations = 1;
        QTest::keyClick(&d, Qt::Key_Escape);
        QVERIFY(d.isVisible());
        // ...Non drops it.
        b.ihm.reponses = {false};
        d.Button2->click();  // "Fermer sans Valider" on table 4
    });
    b.f.SaisirResultats();
    const QString question = QStringLiteral(
        "Attention|Le résultat de la table n°4 n'est pas enregistré.\n\nVoulez-vous "
        "l'enregistrer ?");
    QCOMPARE(b.ihm.questions, QStringList(2, question));
    QVERIFY(!b.table(3).saisi());  // the table shown is not stored
    QVERIFY(b.table(2).saisi());
    b.ouvrir();
    QCOMPARE(b.d.Lbl_No_App->text(), QStringLiteral("Table n°4"));
    b.d.Rbt_BN->click();
    b.d.close();  // the close box: Oui stores it
    QVERIFY(!b.d.isVisible());
    QVERIFY(b.table(3).saisi());
    b.ouvrir();
    b.d.Button3->click();  // nothing typed: no question
    QCOMPARE(b.ihm.questions.size(), 3);
    QVERIFY(!b.d.isVisible());

    b.f.NouvelleRonde();
    QCOMPARE(b.f.tournoi().entete.ronde_courante, 1);
    b.ouvrir();
    QCOMPARE(b.d.Lbl_No_App->text(), QStringLiteral("Table n°1"));
    QCOMPARE(b.d.windowTitle(), QStringLiteral("Saisie des résultats : Echecs, ronde n°2"));
}

// A whole round by keyboard, two keys a table: the result, then Enter, which
// goes on to the next table without result; the status names those left.
// F goes through the forfeit choices; Enter stores the forfeit and asks
// whether each absent player becomes inactive. A .pxi offers none.
void TestSaisieResultats::forfaits_au_clavier() {
    Banc pxi(4);
    pxi.ouvrir();
    QVERIFY(!pxi.d.CBx_Forfait->isEnabled());
    Banc b(6);
    b.f.tournoi().limites_1998 = false;
    b.ouvrir();
    QVERIFY(QTest::qWaitForWindowActive(&b.d));
    QTest::keyClick(&b.d, Qt::Key_F);
    QCOMPARE(b.d.CBx_Forfait->currentText(), QStringLiteral("Forfait blanc"));
    QVERIFY(!b.d.Rbt_BG->isEnabled());
    QTest::keyClick(&b.d, '1');  // locked: a forfeit's points are its own
    b.ihm.reponses = {false};
    QTest::keyClick(&b.d, Qt::Key_Return);
    QCOMPARE(b.table(0).forfait, tavo::Forfait::blanc);
    QCOMPARE(b.table(0).res_blanc, tavo::Resultat::perte);
    QCOMPARE(b.ihm.questions.size(), 1);
    QVERIFY(b.ihm.questions[0].startsWith(QStringLiteral("Forfait|")));
    QVERIFY(b.f.tournoi().joueur(b.table(0).blanc).actif);
    // Table 2: three times F, a double forfeit; both absent players asked.
    QCOMPARE(b.d.Lbl_No_App->text(), QStringLiteral("Table n°2"));
    QCOMPARE(b.d.CBx_Forfait->currentIndex(), 0);
    for (int i = 0; i < 3; ++i) QTest::keyClick(&b.d, Qt::Key_F);
    QTest::keyClick(&b.d, Qt::Key_Return);
    QCOMPARE(b.table(1).forfait, tavo::Forfait::les_deux);
    QVERIFY(!b.f.tournoi().joueur(b.table(1).blanc).actif);
    QVERIFY(!b.f.tournoi().joueur(b.table(1).noir).actif);
    // Back on table 1: the forfeit is shown; a result typed replaces it.
    b.d.Bt_PrecClick();
    b.d.Bt_PrecClick();
    QCOMPARE(b.d.CBx_Forfait->currentText(), QStringLiteral("Forfait blanc"));
    QTest::keyClick(&b.d, Qt::Key_F);
    QTest::keyClick(&b.d, Qt::Key_F);
    QTest::keyClick(&b.d, Qt::Key_F);
    QTest::keyClick(&b.d, '=');
    QTest::keyClick(&b.d, Qt::Key_Return);
    QCOMPARE(b.table(0).forfait, tavo::Forfait::aucun);
    QCOMPARE(b.table(0).res_blanc, tavo::Resultat::nulle);
}

void TestSaisieResultats::au_clavier() {
    Banc b(40);
    b.ouvrir();
    QVERIFY(QTest::qWaitForWindowActive(&b.d));
    // The first ten only, so that a large field's line stays one line.
    QCOMPARE(b.d.Lbl_Etat->text(), QStringLiteral("20 tables sans résultat : 1, 2, 3, 4, 5, 6, 7, "
                                                  "8, 9, 10, …"));
    const char touches[] = {'1', '=', '0', 'n'};
    for (int table = 0; table < 20; ++table) {
        QTest::keyClick(&b.d, touches[table % 4]);
        QTest::keyClick(&b.d, Qt::Key_Return);
    }
    for (int table = 0; table < 20; ++table) {
        QVERIFY(b.table(table).saisi());
        QCOMPARE(demi_points(b.table(table).res_blanc), "2101"[table % 4] - '0');
    }
    QCOMPARE(b.d.Lbl_Etat->text(), QStringLiteral("Toutes les tables ont un résultat"));

    // A table reached by its number (Alt+A), then corrected with its two keys.
    QTest::keyClick(&b.d, Qt::Key_A, Qt::AltModifier);
    QVERIFY(b.d.Ed_Aller_Table->hasFocus());
    b.d.Ed_Aller_Table->selectAll();
    QTest::keyClicks(b.d.Ed_Aller_Table, QStringLiteral("17"));
    QTest::keyClick(b.d.Ed_Aller_Table, Qt::Key_Return);
    QCOMPARE(b.d.Lbl_No_App->text(), QStringLiteral("Table n°17"));
    QTest::keyClick(&b.d, '0');
    QTest::keyClick(&b.d, Qt::Key_Return);
    QCOMPARE(demi_points(b.table(16).res_blanc), 0);  // was 1-0

    // Othello: the count, then Enter.
    Banc o(6, true);
    o.ouvrir();
    QVERIFY(QTest::qWaitForWindowActive(&o.d));
    o.d.Ed_Nbp_noir->setFocus();
    o.d.Ed_Nbp_noir->selectAll();
    QTest::keyClicks(o.d.Ed_Nbp_noir, QStringLiteral("40"));
    QTest::keyClick(o.d.Ed_Nbp_noir, Qt::Key_Return);
    QCOMPARE(o.table(0).pions_noir, 40);
    QCOMPARE(o.table(0).pions_blanc, 24);
    QCOMPARE(o.d.Lbl_No_App->text(), QStringLiteral("Table n°2"));
    QCOMPARE(QApplication::focusWidget(), o.d.Ed_Nbp_noir);
    // Enter in white's count stores it and fills nothing on the next table;
    // passing through a field (Tab, Shift+Tab) fills nothing either, and
    // Enter on counts nobody typed stores nothing.
    Banc::taper(o.d.Ed_Nbp_blanc, QStringLiteral("30"));
    QTest::keyClick(o.d.Ed_Nbp_blanc, Qt::Key_Return);
    QCOMPARE(o.table(1).pions_blanc, 30);
    QCOMPARE(o.table(1).pions_noir, 34);
    QCOMPARE(o.d.Lbl_No_App->text(), QStringLiteral("Table n°3"));
    QTest::keyClick(o.d.Ed_Nbp_noir, Qt::Key_Tab);
    QTest::keyClick(o.d.Ed_Nbp_blanc, Qt::Key_Backtab);
    QCOMPARE(o.d.Ed_Nbp_noir->text(), QStringLiteral("0"));
    QCOMPARE(o.d.Ed_Nbp_blanc->text(), QStringLiteral("0"));
    o.f.tournoi().entete.modifie = false;
    QTest::keyClick(o.d.Ed_Nbp_noir, Qt::Key_Return);
    QTest::keyClick(o.d.Ed_Nbp_noir, Qt::Key_Return);
    QVERIFY(!o.table(2).saisi());
    QCOMPARE(o.table(2).pions_noir, 0);
    QVERIFY(!o.f.tournoi().entete.modifie);
    QVERIFY(o.ihm.erreurs.isEmpty());
}

// The standings stay open beside the results dialog and follow each result.
void TestSaisieResultats::classement_ouvert_a_cote() {
    Banc b(4);
    b.f.Classement();
    tavo::ui::TForm_Show_App& rapport = *b.f.Form_Show_App;
    QVERIFY(rapport.isVisible());
    QVERIFY(rapport.lignes().join('\n').contains(QStringLiteral("après la ronde n°0")));
    b.ihm.pilotes.push_back([](QDialog& dialogue) {
        auto& d = static_cast<TForm_Saisie_Resultats&>(dialogue);
        QTest::keyClick(&d, '1');
        QTest::keyClick(&d, Qt::Key_Return);
        QTest::keyClick(&d, '1');
        QTest::keyClick(&d, Qt::Key_Return);
        d.Button3->click();
    });
    b.f.SaisirResultats();
    QVERIFY(rapport.isVisible());
    QVERIFY2(rapport.lignes().join('\n').contains(QStringLiteral("après la ronde n°1")),
             qPrintable(rapport.lignes().join('\n')));
}

QTEST_MAIN(TestSaisieResultats)
#include "test_saisie_resultats.moc"
