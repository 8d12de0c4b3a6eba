#include "cli/commandes.h"

#include "cli/arguments.h"
#include "gestion/fichiers.h"
#include "model/texte.h"

namespace tavo::cli {

const std::vector<Commande>& commandes() {
    static const std::vector<Commande> liste = {
        {"nouveau",
         "FICHIER [--nom N] [--date D] [--jeu J] [--rondes R] --departages BU,SB,... "
         "[--demi-points-max N] [--dernieres-rondes-sans-demi N] [--remplacer]",
         commande_nouveau},
        {"tournoi-modifier",
         "FICHIER [--nom N] [--date D] [--jeu J] [--rondes R] [--departages BU,SB,...] "
         "[--demi-points-max N] [--dernieres-rondes-sans-demi N]",
         commande_tournoi_modifier},
        {"convertir", "SOURCE DESTINATION [--remplacer]", commande_convertir},
        {"joueur-ajouter",
         "FICHIER --nom N --prenom P [--ne-le JJ/MM/AA] [--elo N] [--equipe E] [--fille] "
         "[--inactif] [--club C] [--federation FED] [--fide-id N] [--id-national N] "
         "[--titre T]",
         commande_joueur_ajouter},
        {"joueur-modifier",
         "FICHIER ID [--nom N] [--prenom P] [--ne-le JJ/MM/AA] [--elo N] [--equipe E] "
         "[--fille|--garcon] [--inactif|--actif] [--club C] [--federation FED] [--fide-id N] "
         "[--id-national N] [--titre T]",
         commande_joueur_modifier},
        {"joueur-supprimer", "FICHIER ID", commande_joueur_supprimer},
        {"joueurs-trier", "FICHIER --elo", commande_joueurs_trier},
        {"appariement-interdit", "FICHIER ID1 ID2 [--retirer]", commande_appariement_interdit},
        {"joueur-absent", "FICHIER ID --rondes 3,4 [--demi-point] [--retirer]",
         commande_joueur_absent},
        {"appariements-interdits", "FICHIER", commande_appariements_interdits},
        {"ronde", "FICHIER", commande_ronde},
        {"resultat",
         "FICHIER TABLE BLANC-NOIR [--ronde N] | FICHIER TABLE --forfait blanc|noir|double "
         "[--garder-actif] [--ronde N]",
         commande_resultat},
        {"valider", "FICHIER", commande_valider},
        {"echanger", "FICHIER ID1 ID2 [--forcer]", commande_echanger},
        {"annuler-ronde", "FICHIER [--forcer]", commande_annuler_ronde},
        {"rapport",
         "classement|historique|joueurs|appariements|grille FICHIER "
         "[--format texte|html|csv] [--sortie CHEMIN]",
         commande_rapport},
        {"joueurs-importer", "FICHIER LISTE.csv", commande_joueurs_importer},
        {"exporter-trf", "FICHIER SORTIE.trf [--encodage utf8|cp1252]", commande_exporter_trf},
        {"equipes-fichier", "FICHIER [--dossier DIR]", commande_equipes_fichier},
        {"equipes-classement",
         "[--dossier DIR] [--tournoi FICHIER] [--format texte|html|csv] [--sortie CHEMIN]",
         commande_equipes_classement},
        {"servir", "FICHIER [--adresse A] [--port P] [--reseau NOM_DU_WIFI]", commande_servir},
    };
    return liste;
}

std::unique_ptr<Tournoi> ouvrir_tournoi(const std::string& chemin, Console& console) {
    auto tournoi = std::make_unique<Tournoi>();
    if (!gestion::charger_tournoi(*tournoi, chemin, console)) return nullptr;
    return tournoi;
}

std::unique_ptr<Tournoi> ouvrir_tournoi(gestion::ActionFichier& action, Console& console) {
    auto tournoi = std::make_unique<Tournoi>();
    if (!action.commencer(console) || !action.charger(*tournoi, console)) return nullptr;
    return tournoi;
}

bool enregistrer(Tournoi& t, gestion::ActionFichier& action, Console& console) {
    if (!action.sauver(t, console)) return false;
    console.noter_ecriture(action.chemin());
    return true;
}

void afficher_rapport(const Rapport& rapport) {
    for (const std::string& ligne : rapport.lignes()) Console::afficher(ligne);
}

std::string texte_utf8(const std::string& texte, const char* quoi) {
    if (!utf8_valide(texte))
        throw ErreurUsage(std::string(quoi) + " n'est pas du texte UTF-8 valide");
    return texte;
}

}  // namespace tavo::cli
