// The commands of tavo-cli and what they share.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cli/console.h"
#include "gestion/fichiers.h"
#include "model/tournoi.h"
#include "reports/rapport.h"

namespace tavo::cli {

inline constexpr int SUCCES = 0;
inline constexpr int ECHEC = 1;  // the program's own error text is on stderr
inline constexpr int USAGE = 2;
// The change is stored (the file written), but what the command prints could
// not be written: the command must not be run again.
inline constexpr int SORTIE_PERDUE = 3;

using Mots = std::vector<std::string>;

struct Commande {
    const char* nom;
    const char* usage;  // the arguments, as --help lists them
    int (*executer)(const Mots& mots, Console& console);
};

// Every command, in the order --help lists them.
const std::vector<Commande>& commandes();

int commande_nouveau(const Mots& mots, Console& console);
int commande_tournoi_modifier(const Mots& mots, Console& console);
int commande_convertir(const Mots& mots, Console& console);
int commande_joueur_ajouter(const Mots& mots, Console& console);
int commande_joueur_modifier(const Mots& mots, Console& console);
int commande_joueur_supprimer(const Mots& mots, Console& console);
int commande_rapport(const Mots& mots, Console& console);
int commande_equipes_fichier(const Mots& mots, Console& console);
int commande_equipes_classement(const Mots& mots, Console& console);
int commande_ronde(const Mots& mots, Console& console);
int commande_resultat(const Mots& mots, Console& console);
int commande_valider(const Mots& mots, Console& console);
int commande_annuler_ronde(const Mots& mots, Console& console);
int commande_echanger(const Mots& mots, Console& console);
int commande_joueurs_trier(const Mots& mots, Console& console);
int commande_appariement_interdit(const Mots& mots, Console& console);
int commande_joueur_absent(const Mots& mots, Console& console);
int commande_appariements_interdits(const Mots& mots, Console& console);
int commande_joueurs_importer(const Mots& mots, Console& console);
int commande_exporter_trf(const Mots& mots, Console& console);
int commande_servir(const Mots& mots, Console& console);

// Loads a tournament file; nullptr (the message already on stderr) on failure.
std::unique_ptr<Tournoi> ouvrir_tournoi(const std::string& chemin, Console& console);

// The same for a command that changes the file: the action takes the file
// first and holds it as long as it lives, over the load, the change and the
// save (one transaction on a .tavo), so that two commands never lose each
// other's change.
std::unique_ptr<Tournoi> ouvrir_tournoi(gestion::ActionFichier& action, Console& console);

// Saves the tournament, ending the action, and notes the file in the console
// once it is stored.
bool enregistrer(Tournoi& t, gestion::ActionFichier& action, Console& console);

// Prints a report's lines on stdout.
void afficher_rapport(const Rapport& rapport);

// The options --format texte|html|csv and --sortie CHEMIN of a report, and
// what they do: the report on stdout (its lines by default) or written to
// CHEMIN, never over `source`, the tournament file it was made from.
// Returns the exit status.
class Arguments;
extern const std::set<std::string> kOptionsPublication;
int publier_rapport(const Rapport& rapport, const Arguments& args, Console& console,
                    const std::string& source);

// A text typed on the command line: invalid UTF-8 is bad usage naming
// `quoi`. (What the tournament may hold is checked by gestion.)
std::string texte_utf8(const std::string& texte, const char* quoi);

}  // namespace tavo::cli
