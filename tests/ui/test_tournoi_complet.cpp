// A whole tournament played through the windows alone, as a director would:
// new tournament, 7 players, three rounds with a bye and an inactive player,
// results, standings, history, save, quit, reload.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "ihm_test.h"
#include "ui/tdlg_joueurs.h"
#include "ui/tform1.h"
#include "ui/tform_dlg_tournoi.h"
#include "ui/tform_saisie_resultats.h"
#include "ui/tform_show_app.h"

using namespace tavo::ui;
using tavo::ui::test::IhmTest;

namespace {

// One player of each team, as in a competition between teams.
const char* const kJoueurs[7][3] = {
    {"DUPONT", "Jean", "AAA"},  {"MARTIN", "Léa", "BBB"},  {"DURAND", "Paul", "CCC"},
    {"LEROY", "Anne", "DDD"},   {"MOREAU", "Marc", "EEE"}, {"SIMON", "Zoé", "FFF"},
    {"LAURENT", "Hugo", "GGG"},
};

// Runs a command that shows the report window and returns the lines shown.
QStringList rapport(IhmTest& ihm, TForm1& f, void (TForm1::*commande)()) {
    QStringList lignes;
    ihm.pilotes.push_back([&](QDialog& d) {
        lignes = static_cast<TForm_Show_App&>(d).lignes();
        static_cast<TForm_Show_App&>(d).Bt_Fermer->click();
    });
    (f.*commande)();
    return lignes;
}

// Enters every table of the round: white wins on even tables, draws on odd
// ones; the byes are already entered. Then "Tout Vérifier".
void saisir_ronde(QDialog& dialogue) {
    auto& d = static_cast<TForm_Saisie_Resultats&>(dialogue);
    for (int table = 0;; ++table) {
        if (d.Lbl_Nom_Noirs1->text() != QStringLiteral("*QUALIFIE D'OFFICE*"))
            (table % 2 == 0 ? d.Rbt_BG : d.Rbt_BN)->click();
        if (!d.Bt_Valider->isEnabled()) break;
        d.Bt_Valider->click();
    }
    d.Button3->click();
}

}  // namespace

class TestTournoiComplet : public QObject {
    Q_OBJECT
  private slots:
    void tournoi_de_sept_joueurs();
};

void TestTournoiComplet::tournoi_de_sept_joueurs() {
    QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("open.pxi"));
    IhmTest ihm;
    auto f = std::make_unique<TForm1>(&ihm);

    // Fichiers / Nouveau Tournoi.
    ihm.pilotes.push_back([](QDialog& dialogue) {
        auto& d = static_cast<TForm_Dlg_Tournoi&>(dialogue);
        d.Ed_Date->setText(QStringLiteral("12/12/26"));
        d.Ed_Nom->setText(QStringLiteral("Open de Noël"));
        d.Ed_nb_rondes->setText(QStringLiteral("3"));
        d.Combo_Jeux->setCurrentIndex(0);  // Echecs
        d.ListBox1->setCurrentRow(0);
        d.SpeedButton3->click();
        d.ListBox1->setCurrentRow(2);
        d.SpeedButton3->click();
        d.Bt_Valider->click();
    });
    f->action_nouveau_tournoi->trigger();
    QVERIFY(f->windowTitle().startsWith(
        QStringLiteral("Tournoi Open de Noël, du 12/12/26, jeu : Echecs — ")));

    // Joueurs / Gestion: seven players.
    ihm.pilotes.push_back([](QDialog& dialogue) {
        auto& d = static_cast<TDlg_joueurs&>(dialogue);
        for (int i = 0; i < 7; ++i) {
            if (i > 0) d.Bt_Nouveau->click();
            d.CBx_Equipe->setEditText(QString::fromUtf8(kJoueurs[i][2]));
            d.Ed_Nom->setText(QString::fromUtf8(kJoueurs[i][0]));
            d.Ed_Prenom->setText(QString::fromUtf8(kJoueurs[i][1]));
            d.MEd_Elo->setText(QString::number(1800 - 50 * i));
            d.Chk_Fille->setChecked(i == 1 || i == 3 || i == 5);
        }
        d.Bt_Valider->click();
        d.Bt_Fermer->click();
    });
    f->action_gestion_joueurs->trigger();
    QCOMPARE(f->tournoi().nb_joueurs(), 7);
    const QStringList liste = rapport(ihm, *f, &TForm1::ListeJoueurs);
    QVERIFY(liste.join('\n').contains(QStringLiteral("SIMON")));
    QVERIFY(liste.join('\n').contains(QStringLiteral("Zoé")));

    // Round 1: three tables and a bye.
    const QStringList feuille1 = rapport(ihm, *f, &TForm1::NouvelleRonde);
    QVERIFY2(feuille1.join('\n').contains(QStringLiteral("*QUALIFIE D'OFFICE*")),
             qPrintable(feuille1.join('\n')));
    QCOMPARE(f->tournoi().nb_tables(0), 4);
    ihm.pilotes.push_back(saisir_ronde);
    f->action_saisir_resultats->trigger();
    QVERIFY(f->tournoi().ronde_complete(0));

    // DUPONT (number 1) stops playing after round 1.
    ihm.pilotes.push_back([](QDialog& dialogue) {
        auto& d = static_cast<TDlg_joueurs&>(dialogue);
        QVERIFY(d.Bt_Nouveau->isEnabled());  // a late entry is still possible
        QVERIFY(!d.Bt_Supprimer->isEnabled());
        while (d.joueur_courant() > 1) d.SBtn_Haut->click();
        QCOMPARE(d.Ed_Nom->text(), QStringLiteral("DUPONT"));
        d.Chk_Inactif->setChecked(true);
        d.Bt_Valider->click();
        d.Bt_Fermer->click();
    });
    f->action_gestion_joueurs->trigger();

    // Rounds 2 and 3: six active players, three tables, DUPONT forfeited.
    for (int ronde = 2; ronde <= 3; ++ronde) {
        const QStringList feuille = rapport(ihm, *f, &TForm1::NouvelleRonde);
        QVERIFY2(ihm.erreurs.isEmpty(), qPrintable(ihm.erreurs.join(" / ")));
        QVERIFY2(feuille.join('\n').contains(QStringLiteral("Ronde n°%1").arg(ronde)),
                 qPrintable(feuille.join('\n')));
        QVERIFY(!feuille.join('\n').contains(QStringLiteral("DUPONT")));
        QCOMPARE(f->tournoi().nb_tables(ronde - 1), 3);
        QCOMPARE(rapport(ihm, *f, &TForm1::RevoirAppariements), feuille);
        ihm.pilotes.push_back(saisir_ronde);
        f->action_saisir_resultats->trigger();
        QVERIFY(f->tournoi().ronde_complete(ronde - 1));
    }
    QVERIFY(ihm.erreurs.isEmpty());
    QCOMPARE(f->tournoi().joueur(1).ronde(2).adversaire, tavo::ID_FORFAIT);

    // The planned rounds are played: a fourth is refused with a message.
    f->action_nouvelle_ronde->trigger();
    QCOMPARE(ihm.erreurs.size(), 1);
    QCOMPARE(f->tournoi().entete.ronde_courante, 2);

    const QStringList classement = rapport(ihm, *f, &TForm1::Classement);
    const QStringList historique = rapport(ihm, *f, &TForm1::Historique);
    for (const auto& j : kJoueurs) {
        QVERIFY2(classement.join('\n').contains(QString::fromUtf8(j[0])),
                 qPrintable(classement.join('\n')));
        QVERIFY(historique.join('\n').contains(QString::fromUtf8(j[0])));
    }
    // Nine games and a bye over three rounds: 20 points of 2 shared.
    int total = 0;
    for (const tavo::Joueur& j : f->tournoi().joueurs) total += j.points;
    QCOMPARE(total, 3 * 2 + 2 + 3 * 2 + 3 * 2);

    // Sauver, then Quitter: no question once saved.
    ihm.a_sauver << fichier;
    f->action_sauver->trigger();
    QVERIFY(!f->tournoi().entete.modifie);
    // The team result file goes beside the tournament file.
    f->action_fichier_equipes->trigger();
    QVERIFY(QFileInfo::exists(dossier.filePath(QStringLiteral("Echecs.PXR"))));
    // The final team classification reads the same folder: without the team
    // list, a message and no report; with it, the classification.
    const int montres = ihm.dialogues.size();
    f->action_classement_equipes->trigger();
    QCOMPARE(ihm.erreurs.size(), 2);
    QCOMPARE(ihm.dialogues.size(), montres);
    QFile liste_equipes(dossier.filePath(QStringLiteral("equipes.txt")));
    QVERIFY(liste_equipes.open(QIODevice::WriteOnly));
    for (const auto& j : kJoueurs)
        liste_equipes.write(QByteArray(j[2]) + " Club " + QByteArray(j[0]) + "\r\n");
    liste_equipes.close();
    const QStringList equipes = rapport(ihm, *f, &TForm1::ClassementFinalEquipes);
    QVERIFY2(ihm.erreurs.size() == 2, qPrintable(ihm.erreurs.join(" / ")));
    QCOMPARE(ihm.dialogues.size(), montres + 1);
    for (const auto& j : kJoueurs)
        QVERIFY2(equipes.join('\n').contains(QStringLiteral("Club ") + QString::fromUtf8(j[0])),
                 qPrintable(equipes.join('\n')));
    f->tournoi().entete.modifie = false;  // the team file sorted the table; nothing to save
    f->show();
    f->action_quitter->trigger();
    QVERIFY(!f->isVisible());
    QVERIFY(ihm.questions.isEmpty());
    f.reset();

    // A new run: Charger un tournoi gives back the same tournament.
    IhmTest ihm2;
    TForm1 g(&ihm2);
    ihm2.a_ouvrir << fichier;
    g.action_charger->trigger();
    QVERIFY(ihm2.erreurs.isEmpty());
    QVERIFY(g.windowTitle().startsWith(
        QStringLiteral("Tournoi Open de Noël, du 12/12/26, jeu : Echecs — ")));
    QCOMPARE(g.tournoi().entete.ronde_courante, 2);
    QCOMPARE(rapport(ihm2, g, &TForm1::Classement), classement);
    QCOMPARE(rapport(ihm2, g, &TForm1::Historique), historique);
    QCOMPARE(rapport(ihm2, g, &TForm1::RevoirAppariements).size(), 4 + 3 * 3);
}

QTEST_MAIN(TestTournoiComplet)
#include "test_tournoi_complet.moc"
