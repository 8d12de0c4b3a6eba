// The director's corrections in the window: undoing a round, exchanging two
// players, seeding by Elo and correcting an earlier round's result. The
// rules themselves are tested in tests/gestion; here they reach the director.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "gestion/resultats.h"
#include "ihm_test.h"
#include "model/texte.h"
#include "support/tournoi_test.h"
#include "ui/tdlg_joueurs.h"
#include "ui/tform1.h"
#include "ui/tform_interdits.h"
#include "ui/tform_modifier_appariements.h"
#include "ui/tform_saisie_resultats.h"

using tavo::ui::TDlg_joueurs;
using tavo::ui::TForm1;
using tavo::ui::TForm_Interdits;
using tavo::ui::TForm_Modifier_Appariements;
using tavo::ui::TForm_Saisie_Resultats;
using tavo::ui::test::IhmTest;

class TestCorrections : public QObject {
    Q_OBJECT
  private slots:
    void trier_apparier_echanger_annuler();
    void corriger_une_ronde_passee();
    void appariements_interdits();
};

void TestCorrections::trier_apparier_echanger_annuler() {
    IhmTest ihm;
    TForm1 f(&ihm);
    f.tournoi() = tavo::test::tournoi_avec_joueurs(4, 3);
    f.tournoi().joueur(3).elo = 1900;

    // "Trier par Elo": player 3 becomes number 1.
    ihm.pilotes.push_back([](QDialog& dialogue) {
        auto& d = static_cast<TDlg_joueurs&>(dialogue);
        d.Bt_Trier_Elo->click();
        QCOMPARE(d.joueur_courant(), 1);
        QCOMPARE(d.Ed_Nom->text(), QStringLiteral("NOM3"));
    });
    f.GestionJoueurs();
    f.NouvelleRonde();  // 1-3, 2-4 in the new numbering

    // Players 1 and 2, both white, exchange their seats.
    ihm.pilotes.push_back([](QDialog& dialogue) {
        auto& d = static_cast<TForm_Modifier_Appariements&>(dialogue);
        QCOMPARE(d.Lst_Tables->count(), 2);
        d.CBx_Joueur1->setCurrentIndex(d.CBx_Joueur1->findData(1));
        d.CBx_Joueur2->setCurrentIndex(d.CBx_Joueur2->findData(2));
        d.Bt_Echanger->click();
        QVERIFY(d.Lst_Tables->item(0)->text().startsWith(QStringLiteral("001  NOM")));
    });
    f.ModifierAppariements();
    QVERIFY(ihm.erreurs.isEmpty());
    QCOMPARE(f.tournoi().table(0, 0).blanc, 2);
    // The new sheet is shown at once.
    QVERIFY(f.rapport().lignes().size() > 5);
    QVERIFY((f.rapport().lignes()[5]).find("001 (  2/") == 0);

    // A result entered: the undo asks, with the round and the results lost;
    // Enter answers Non.
    tavo::gestion::enregistrer_points(f.tournoi(), 0, 2);
    ihm.reponses = {false};
    f.AnnulerRonde();
    QCOMPARE(
        ihm.prudentes.last(),
        QStringLiteral("Confirmation|Annuler la ronde n°1 ? 1 résultat déjà saisi sera perdu."));
    QCOMPARE(f.tournoi().entete.ronde_courante, 0);
    ihm.reponses = {true};
    f.AnnulerRonde();
    QCOMPARE(f.tournoi().entete.ronde_courante, -1);
    QCOMPARE(ihm.informations,
             QStringList{QStringLiteral("La ronde n°1 est annulée : aucune ronde n'est appariée, "
                                        "les joueurs peuvent de nouveau être ajoutés et "
                                        "supprimés.")});
}

void TestCorrections::corriger_une_ronde_passee() {
    IhmTest ihm;
    TForm1 f(&ihm);
    f.tournoi() = tavo::test::tournoi_avec_joueurs(4, 3);
    f.NouvelleRonde();
    for (int table = 0; table < 2; ++table)
        tavo::gestion::enregistrer_points(f.tournoi(), table, 1);
    QVERIFY(tavo::gestion::tout_verifier(f.tournoi(), ihm));
    f.NouvelleRonde();
    ihm.pilotes.push_back([&](QDialog& dialogue) {
        auto& d = static_cast<TForm_Saisie_Resultats&>(dialogue);
        QCOMPARE(d.CBx_Ronde->count(), 2);
        QCOMPARE(d.CBx_Ronde->currentIndex(), 1);
        d.CBx_Ronde->setCurrentIndex(0);
        d.CBx_RondeChange(0);
        QCOMPARE(ihm.informations.size(), 1);
        QVERIFY(d.Rbt_BN->isChecked());  // the draw of round 1, table 1
        d.Rbt_BG->click();
        ihm.reponses = {false};
        d.Button2->click();  // closed, answering Non: the table shown is not stored...
    });
    f.SaisirResultats();
    QCOMPARE(demi_points(f.tournoi().joueur(1).ronde(0).resultat), 1);
    ihm.pilotes.push_back([](QDialog& dialogue) {
        auto& d = static_cast<TForm_Saisie_Resultats&>(dialogue);
        d.CBx_Ronde->setCurrentIndex(0);
        d.CBx_RondeChange(0);
        d.Rbt_BG->click();
        d.CBx_Ronde->setCurrentIndex(1);
        d.CBx_RondeChange(1);  // ...but leaving the round stores it
        d.Button2->click();
    });
    f.SaisirResultats();
    QCOMPARE(demi_points(f.tournoi().joueur(1).ronde(0).resultat), 2);
    QCOMPARE(f.tournoi().entete.ronde_courante, 1);

    // An exchange that makes two players meet again asks, Enter answering Non.
    const tavo::Appariement table1 = f.tournoi().table(1, 0);
    const int revu = f.tournoi().joueur(table1.blanc).ronde(0).adversaire;
    ihm.reponses = {false};
    ihm.pilotes.push_back([&](QDialog& dialogue) {
        auto& d = static_cast<TForm_Modifier_Appariements&>(dialogue);
        d.CBx_Joueur1->setCurrentIndex(d.CBx_Joueur1->findData(table1.noir));
        d.CBx_Joueur2->setCurrentIndex(d.CBx_Joueur2->findData(revu));
        d.Bt_Echanger->click();
    });
    f.ModifierAppariements();
    QCOMPARE(ihm.prudentes.size(), 1);
    QVERIFY(ihm.prudentes[0].contains(QStringLiteral("se sont déjà rencontrés")));
    QCOMPARE(f.tournoi().table(1, 0).noir, table1.noir);

    // Undone without a result entered: no question, but a word of what was done.
    ihm.questions.clear();
    f.AnnulerRonde();
    QVERIFY(ihm.questions.isEmpty());
    QCOMPARE(ihm.informations.last(),
             QStringLiteral(
                 "La ronde n°2 est annulée : la ronde n°1 est de nouveau la ronde courante."));
}

// "Appariements interdits": a pair typed by its numbers is listed by name,
// taken from the list to be allowed again, each change noted at once; a
// wrong one is refused with gestion's message.
void TestCorrections::appariements_interdits() {
    IhmTest ihm;
    TForm1 f(&ihm);
    f.tournoi() = tavo::test::tournoi_avec_joueurs(4, 3);
    f.tournoi().limites_1998 = false;
    QSignalSpy changements(f.Form_Interdits, &TForm_Interdits::changement);
    ihm.pilotes.push_back([&](QDialog& dialogue) {
        auto& d = static_cast<TForm_Interdits&>(dialogue);
        QTest::keyClicks(d.Ed_Joueur1, QStringLiteral("3"));
        QTest::keyClicks(d.Ed_Joueur2, QStringLiteral("1"));
        d.Bt_Ajouter->click();
        d.Bt_Ajouter->click();
        QCOMPARE(ihm.erreurs,
                 QStringList{QStringLiteral("L'appariement des joueurs 1 et 3 est déjà interdit")});
        QCOMPARE(d.Liste_Interdits->count(), 1);
        QCOMPARE(d.Liste_Interdits->item(0)->text(),
                 QStringLiteral("1-3 : NOM1 Prenom1 et NOM3 Prenom3"));
        QCOMPARE(f.tournoi().interdits, (std::vector<std::pair<int, int>>{{1, 3}}));
        d.Ed_Joueur1->clear();
        d.Ed_Joueur2->clear();
        d.Liste_Interdits->setCurrentRow(0);
        QCOMPARE(d.Ed_Joueur1->text() + d.Ed_Joueur2->text(), QStringLiteral("13"));
        d.Bt_Retirer->click();
        QCOMPARE(d.Liste_Interdits->count(), 0);
        d.Bt_Fermer->click();
    });
    f.AppariementsInterdits();
    QVERIFY(f.tournoi().interdits.empty());
    QCOMPARE(changements.count(), 2);
}

QTEST_MAIN(TestCorrections)
#include "test_corrections.moc"
