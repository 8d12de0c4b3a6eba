// tavo-captures DOSSIER: opens each window of the program on a sample
// tournament and saves a picture of it (PNG) into DOSSIER. The pictures of the
// README are made with it (scripts/screenshots).
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPrinter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <optional>

#include "gestion/fichiers.h"
#include "gestion/joueurs.h"
#include "gestion/proprietes.h"
#include "gestion/rapports.h"
#include "gestion/resultats.h"
#include "gestion/rondes.h"
#include "model/texte.h"
#include "ui/ihm.h"
#include "ui/tableau_de_bord.h"
#include "ui/tdlg_joueurs.h"
#include "ui/tform1.h"
#include "ui/tform_avertissement.h"
#include "ui/tform_dlg_tournoi.h"
#include "ui/tform_saisie_resultats.h"
#include "ui/tform_show_app.h"

namespace {

using namespace tavo;
using namespace tavo::ui;

// Messages go to stderr; the tournament file is the sample; no dialog blocks.
class IhmCaptures : public Ihm {
  public:
    explicit IhmCaptures(QString fichier) : fichier_(std::move(fichier)) {}
    void message_erreur(const std::string& texte) override {
        std::fprintf(stderr, "Erreur : %s\n", texte.c_str());
        erreurs = true;
    }
    bool question(const std::string&, const std::string&) override { return false; }
    Reponse question_annulable(const std::string&, const std::string&) override {
        return Reponse::non;
    }
    bool question_prudente(const std::string&, const std::string&) override { return false; }
    void information(const std::string&) override {}
    QString fichier_a_ouvrir(QWidget*, const QString&) override { return fichier_; }
    QString fichier_a_sauver(QWidget*, const QString&) override { return {}; }
    QString fichier_a_exporter(QWidget*, const QString&, const QStringList&, const QString&,
                               QString&) override {
        return {};
    }
    QString fichier_a_importer(QWidget*, const QString&) override { return {}; }
    int executer(QDialog&) override { return QDialog::Rejected; }
    void montrer(QDialog&) override {}
    bool choisir_imprimante(QPrinter&, QWidget*) override { return false; }
    void configurer_imprimante(QPrinter&, QWidget*) override {}
    bool erreurs = false;

  private:
    QString fichier_;
};

// An open of eight players after one round and a half.
bool ecrire_exemple(const QString& chemin, Interaction& io) {
    auto t = std::make_unique<Tournoi>();
    if (!gestion::nouveau_tournoi(*t, {"12/12/26", "Open de Noël", "Echecs", 5, {0, 2, 3}}, io))
        return false;
    const char* const joueurs[][6] = {
        {"DUPONT", "Jean", "12/03/10", "1850", "ABC", ""},
        {"MARTIN", "Léa", "05/11/11", "1720", "ABC", "F"},
        {"DURAND", "Paul", "23/07/09", "1690", "XYZ", ""},
        {"LEROY", "Anne", "14/02/12", "1605", "XYZ", "F"},
        {"MOREAU", "Marc", "30/09/10", "1540", "", ""},
        {"SIMON", "Zoé", "08/06/11", "1480", "ABC", "F"},
        {"LAURENT", "Hugo", "19/01/12", "1420", "XYZ", ""},
        {"MICHEL", "Inès", "  /  /  ", "0", "", "F"},
    };
    for (const auto& j : joueurs) {
        FicheJoueur f;
        f.nom = j[0];
        f.prenom = std::string(j[1]);
        f.ne_le = j[2];
        f.elo = lire_entier(j[3]);
        f.equipe = j[4];
        f.fille = j[5][0] == 'F';
        if (gestion::inscrire_joueur(*t, f, io) == 0) return false;
    }
    Rapport rapport;
    if (!gestion::apparier_ronde(*t, rapport, io)) return false;
    const int resultats[] = {2, 1, 0, 2};
    for (int table = 0; table < gestion::nb_tables(*t); ++table)
        gestion::enregistrer_points(*t, table, resultats[table % 4]);
    if (!gestion::tout_verifier(*t, io) || !gestion::apparier_ronde(*t, rapport, io)) return false;
    gestion::enregistrer_points(*t, 0, 1);
    gestion::enregistrer_points(*t, 1, 2);
    return gestion::sauver_tournoi(*t, chemin.toStdString(), io);
}

bool enregistrer(QWidget& fenetre, const QDir& dossier, const char* nom) {
    fenetre.show();
    fenetre.raise();
    QApplication::processEvents();
    const QString chemin = dossier.filePath(QString::fromLatin1(nom) + QStringLiteral(".png"));
    if (!fenetre.grab().save(chemin)) {
        std::fprintf(stderr, "Impossible d'écrire %s\n", qPrintable(chemin));
        return false;
    }
    std::printf("%s\n", qPrintable(chemin));
    fenetre.hide();
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage : tavo-captures DOSSIER\n");
        return 2;
    }
    QDir dossier(QString::fromLocal8Bit(argv[1]));
    if (!dossier.mkpath(QStringLiteral("."))) return 1;
    QTemporaryDir temporaire;
    const QString exemple = temporaire.filePath(QStringLiteral("open.pxi"));

    IhmCaptures ihm(exemple);
    if (!ecrire_exemple(exemple, ihm)) return 1;
    TForm1 principale(&ihm);
    bool ok = enregistrer(principale, dossier, "fenetre-principale");
    principale.show();
    principale.ChargerTournoi();
    if (ihm.erreurs) return 1;
    // The tournament in the main window: its round with a result typed on
    // the third table waiting for Enter, then its standings.
    principale.resize(960, 540);
    principale.Tableau_De_Bord->setCurrentIndex(0);
    principale.Tableau_De_Bord->Tbl_Ronde->setCurrentCell(2, 0);
    principale.show();
    QKeyEvent nulle(QEvent::KeyPress, Qt::Key_Equal, Qt::NoModifier, QStringLiteral("="));
    QApplication::sendEvent(principale.Tableau_De_Bord->Tbl_Ronde, &nulle);
    ok = ok && enregistrer(principale, dossier, "tableau-de-bord");
    principale.Tableau_De_Bord->setCurrentIndex(1);
    ok = ok && enregistrer(principale, dossier, "tableau-classement");

    TForm_Dlg_Tournoi& proprietes = *principale.Form_Dlg_Tournoi;
    proprietes.PageControl1->setCurrentIndex(0);
    ok = ok && enregistrer(proprietes, dossier, "proprietes-general");
    proprietes.PageControl1->setCurrentIndex(1);
    ok = ok && enregistrer(proprietes, dossier, "proprietes-departage");

    TDlg_joueurs& joueurs = *principale.Dlg_joueurs;
    joueurs.a_l_ouverture();
    joueurs.SBtn_BasClick();
    ok = ok && enregistrer(joueurs, dossier, "joueurs");

    TForm_Saisie_Resultats& saisie = *principale.Form_Saisie_Resultats;
    saisie.a_l_ouverture();
    ok = ok && enregistrer(saisie, dossier, "saisie-resultats");

    TForm_Show_App& rapports = *principale.Form_Show_App;
    Rapport rapport;
    gestion::revoir_appariements(principale.tournoi(), rapport);
    rapports.montrer(rapport);
    ok = ok && enregistrer(rapports, dossier, "appariements");
    gestion::produire_rapport(principale.tournoi(), gestion::SorteRapport::classement, rapport);
    rapports.montrer(rapport);
    ok = ok && enregistrer(rapports, dossier, "classement");

    ok = ok && enregistrer(*principale.Form__Avertissement, dossier, "avertissement");
    return ok && !ihm.erreurs ? 0 : 1;
}
