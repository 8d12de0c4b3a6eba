// joueurs-importer, exporter-trf.
#include <iostream>

#include "cli/arguments.h"
#include "cli/commandes.h"
#include "gestion/fichiers.h"
#include "gestion/import.h"
#include "gestion/trf.h"
#include "model/texte.h"

namespace tavo::cli {

int commande_joueurs_importer(const Mots& mots, Console& console) {
    const Arguments args(mots, {}, {});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    const std::string liste = args.positionnel(1, "la liste des joueurs");
    args.au_plus(2);
    gestion::ActionFichier action(chemin);
    auto t = ouvrir_tournoi(action, console);
    if (!t) return ECHEC;
    const int nombre = gestion::importer_joueurs(*t, std::filesystem::path(liste), console);
    if (nombre < 0) return ECHEC;
    if (!enregistrer(*t, action, console)) return ECHEC;
    Console::afficher(gestion::bilan_import(nombre));
    return SUCCES;
}

namespace {

gestion::EncodageTrf encodage_trf(const Arguments& args) {
    const std::string encodage = args.valeur("--encodage").value_or("utf8");
    if (encodage == "utf8") return gestion::EncodageTrf::utf8;
    if (encodage == "cp1252") return gestion::EncodageTrf::cp1252;
    throw ErreurUsage("encodage inconnu : " + encodage + " (utf8 ou cp1252)");
}

}  // namespace

int commande_exporter_trf(const Mots& mots, Console& console) {
    const Arguments args(mots, {"--encodage"}, {});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    const std::string sortie = args.positionnel(1, "le fichier TRF");
    args.au_plus(2);
    const gestion::EncodageTrf encodage = encodage_trf(args);
    auto t = ouvrir_tournoi(chemin, console);
    if (!t) return ECHEC;
    return gestion::exporter_trf(*t, sortie, console, encodage, chemin) ? SUCCES : ECHEC;
}

}  // namespace tavo::cli
