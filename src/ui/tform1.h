// The main window: owns the tournament, the report and the five other
// windows, and runs every command of the menu.
#pragma once

#include <QMainWindow>
#include <QString>
#include <filesystem>
#include <memory>

#include <optional>
#include "model/disque.h"
#include "model/tournoi.h"
#include "reports/rapport.h"

#include "gestion/fichier_fenetre.h"
#include "gestion/rapports.h"
#include "ui/copie_secours.h"

class QAction;
class QMenu;
class QLabel;
class QPrinter;
class QStackedWidget;

namespace tavo::ui {

class Ihm;
class IhmQt;
class TForm_Dlg_Tournoi;
class TDlg_joueurs;
class TForm_Show_App;
class TForm_Saisie_Resultats;
class TForm_Modifier_Appariements;
class TForm_Interdits;
class TForm_Publier;
class TForm__Avertissement;
class TableauDeBord;

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

    // Offers to save unsaved changes (Oui, Non, Annuler). True when the
    // caller may go on and replace or drop the tournament: nothing to save,
    // the director said Non, or the save succeeded.
    bool proposer_sauvegarde();

    // Opens a tournament file (given on the command line, dropped on the
    // window, chosen among the recent ones), after offering to save.
    void ouvrir(const QString& fichier);
    // The tournament's file: where "Sauver" writes (a .tavo holds every
    // change already); empty for a new tournament given no file yet.
    const QString& fichier_courant() const { return fichier_courant_; }
    // The size and place the window had when it was last closed; false when
    // none is known.
    bool reprendre_geometrie();

    // At start: a recovery copy newer than its tournament file (or of a
    // tournament never saved) is offered back, with the time it was made.
    // True when the copy was taken back.
    bool proposer_reprise();
    // After every change of the tournament: a .tavo stores it at once; the
    // recovery copy holds what no file holds yet.
    void noter_changement();

    // The folder of the tournament file last opened or saved, else the
    // current directory: where the team files are written and read.
    std::filesystem::path dossier_tournoi() const;

    TForm_Dlg_Tournoi* Form_Dlg_Tournoi;
    TDlg_joueurs* Dlg_joueurs;
    TForm_Show_App* Form_Show_App;
    TForm_Saisie_Resultats* Form_Saisie_Resultats;
    TForm_Modifier_Appariements* Form_Modifier_Appariements;
    TForm_Interdits* Form_Interdits;
    TForm_Publier* Form_Publier;
    TForm__Avertissement* Form__Avertissement;

    QLabel* Lbl_Accueil;             // how to start, without a tournament
    QStackedWidget* Pile_Centre;     // the start page, or the tournament
    TableauDeBord* Tableau_De_Bord;  // the round, the standings, the players
    QLabel* Lbl_Etat_Tournoi;        // status line: the round, what is missing, stored or not

    // "À propos": name, version, what the program does and its capacities.
    static QString texte_a_propos();
    QAction* action_nouveau_tournoi;
    QAction* action_charger;
    QAction* action_sauver;
    QAction* action_sauver_sous;
    QMenu* menu_recents;
    QAction* action_configurer_imprimante;
    QAction* action_imprimer;
    QAction* action_quitter;
    QAction* action_nouvelle_ronde;
    QAction* action_revoir_appariements;
    QAction* action_modifier_appariements;
    QAction* action_annuler_ronde;
    QAction* action_saisir_resultats;
    QAction* action_classement;
    QAction* action_historique;
    QAction* action_grille;
    QAction* action_importer_joueurs;
    QAction* action_exporter_trf;
    QAction* action_gestion_joueurs;
    QAction* action_liste_joueurs;
    QAction* action_interdits;
    QAction* action_options_tournoi;
    QAction* action_fichier_equipes;
    QAction* action_publier;
    QAction* action_classement_equipes;
    QAction* action_avertissement;
    QAction* action_a_propos;

  public slots:
    void NouveauTournoi();
    void ChargerTournoi();
    bool SauverTournoi();
    bool SauverTournoiSous();
    void ConfigurerImprimante();
    void Imprimer();
    void NouvelleRonde();
    void RevoirAppariements();
    void ModifierAppariements();
    void AnnulerRonde();
    void SaisirResultats();
    void Classement();
    void Historique();
    void Grille();
    void ImporterJoueurs();
    void ExporterTrf();
    void PublierReseau();
    void GestionJoueurs();
    void ListeJoueurs();
    void AppariementsInterdits();
    void OptionsTournoi();
    void FichierResultatsEquipe();
    void ClassementFinalEquipes();
    void Avertissement();
    void APropos();

  protected:
    void closeEvent(QCloseEvent* evenement) override;
    void dragEnterEvent(QDragEnterEvent* evenement) override;
    void dropEvent(QDropEvent* evenement) override;

  private:
    void creer_menu();
    // Shows the report window with the last report; a report of the
    // tournament (`sorte`) is then kept up to date while the window is open.
    void montrer_rapport(std::optional<gestion::SorteRapport> sorte = std::nullopt);
    // After a load or a save: the file becomes the tournament's, the first of
    // the recent ones, and its folder the one the dialogs start in.
    void retenir_fichier(const QString& fichier);
    void charger_fichier(const QString& fichier);
    // The caption and the dialogs follow a tournament taken from a file.
    void montrer_tournoi_charge();
    // The central area, the title and the status line show the tournament
    // as it is now (the start page without one).
    void actualiser_vue();
    bool sauver_dans(const QString& fichier);
    void remplir_recents();
    QString dossier_des_dialogues() const;

    std::unique_ptr<IhmQt> ihm_propre_;
    Ihm& ihm_;
    std::unique_ptr<Tournoi> tournoi_;
    Rapport rapport_;
    QString dernier_fichier_;
    QString fichier_courant_;
    CopieSecours secours_;
    std::optional<gestion::SorteRapport> sorte_montree_;
    // The tournament's file as this window holds it: a .tavo stores each
    // change as it is made; a save over a file another program changed asks
    // first.
    gestion::FichierFenetre fichier_;
    std::unique_ptr<QPrinter> imprimante_;
};

}  // namespace tavo::ui
