// The main window: owns the tournament, the report and the five other
// windows, and runs every command of the menu.
#pragma once

#include <QMainWindow>
#include <QString>
#include <filesystem>
#include <memory>

#include "model/disque.h"
#include "model/tournoi.h"
#include "reports/rapport.h"

class QAction;
class QLabel;
class QPrinter;

namespace tavo::ui {

class Ihm;
class IhmQt;
class TForm_Dlg_Tournoi;
class TDlg_joueurs;
class TForm_Show_App;
class TForm_Saisie_Resultats;
class TForm__Avertissement;

// The program's icon (a small board), drawn rather than loaded.
QIcon icone_programme();

class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    // Without `ihm`, the window shows real message boxes and dialogs.
    explicit TForm1(Ihm* ihm = nullptr, QWidget* parent = nullptr);
    ~TForm1() override;

    Tournoi& tournoi() { return *tournoi_; }
    const Rapport& rapport() const { return rapport_; }

    // Offers to save unsaved changes. True when the caller may go on and
    // replace or drop the tournament: nothing to save, the director said No,
    // or the save succeeded.
    bool proposer_sauvegarde();

    // The folder of the tournament file last opened or saved, else the
    // current directory: where the team files are written and read.
    std::filesystem::path dossier_tournoi() const;

    TForm_Dlg_Tournoi* Form_Dlg_Tournoi;
    TDlg_joueurs* Dlg_joueurs;
    TForm_Show_App* Form_Show_App;
    TForm_Saisie_Resultats* Form_Saisie_Resultats;
    TForm__Avertissement* Form__Avertissement;

    QLabel* Lbl_Capacites;
    QAction* action_nouveau_tournoi;
    QAction* action_charger;
    QAction* action_sauver;
    QAction* action_configurer_imprimante;
    QAction* action_imprimer;
    QAction* action_quitter;
    QAction* action_nouvelle_ronde;
    QAction* action_revoir_appariements;
    QAction* action_saisir_resultats;
    QAction* action_classement;
    QAction* action_historique;
    QAction* action_gestion_joueurs;
    QAction* action_liste_joueurs;
    QAction* action_options_tournoi;
    QAction* action_fichier_equipes;
    QAction* action_classement_equipes;
    QAction* action_avertissement;

  public slots:
    void NouveauTournoi();
    void ChargerTournoi();
    bool SauverTournoi();
    void ConfigurerImprimante();
    void Imprimer();
    void NouvelleRonde();
    void RevoirAppariements();
    void SaisirResultats();
    void Classement();
    void Historique();
    void GestionJoueurs();
    void ListeJoueurs();
    void OptionsTournoi();
    void FichierResultatsEquipe();
    void ClassementFinalEquipes();
    void Avertissement();

  protected:
    void closeEvent(QCloseEvent* evenement) override;

  private:
    void creer_menu();
    void montrer_rapport();

    std::unique_ptr<IhmQt> ihm_propre_;
    Ihm& ihm_;
    std::unique_ptr<Tournoi> tournoi_;
    Rapport rapport_;
    QString dernier_fichier_;
    // The state of dernier_fichier_ when it was last loaded or saved here: a
    // save over a file changed since then asks first.
    EtatFichier etat_fichier_;
    std::unique_ptr<QPrinter> imprimante_;
};

}  // namespace tavo::ui
