// rapport KIND FICHIER.pxi [--format texte|html|csv] [--sortie CHEMIN]:
// prints a report (or writes it to a file); the tournament file is never
// written.
#include <iostream>

#include "cli/arguments.h"
#include "cli/commandes.h"
#include "gestion/rapports.h"

namespace tavo::cli {
namespace {

struct SorteRapport {
    const char* nom;
    gestion::SorteRapport sorte;
};

const SorteRapport kSortes[] = {
    {"classement", gestion::SorteRapport::classement},
    {"historique", gestion::SorteRapport::historique},
    {"joueurs", gestion::SorteRapport::joueurs},
    {"appariements", gestion::SorteRapport::appariements},
    {"grille", gestion::SorteRapport::grille},
};

gestion::FormatRapport format_rapport(const Arguments& args) {
    const std::string format = args.valeur("--format").value_or("texte");
    if (format == "texte") return gestion::FormatRapport::texte;
    if (format == "html") return gestion::FormatRapport::html;
    if (format == "csv") return gestion::FormatRapport::csv;
    throw ErreurUsage("format inconnu : " + citer(format) + " (texte, html ou csv)");
}

}  // namespace

const std::set<std::string> kOptionsPublication = {"--format", "--sortie"};

int publier_rapport(const Rapport& rapport, const Arguments& args, Console& console,
                    const std::string& source) {
    const gestion::FormatRapport format = format_rapport(args);
    if (auto sortie = args.valeur("--sortie"))
        return gestion::exporter_rapport(rapport, format, *sortie, console, source) ? SUCCES
                                                                                    : ECHEC;
    if (format == gestion::FormatRapport::texte)
        afficher_rapport(rapport);
    else
        std::cout << gestion::mettre_en_forme(rapport, format) << std::flush;
    return SUCCES;
}

int commande_rapport(const Mots& mots, Console& console) {
    const Arguments args(mots, kOptionsPublication, {});
    const std::string sorte = args.positionnel(0, "la sorte de rapport");
    const std::string chemin = args.positionnel(1, "le fichier du tournoi");
    args.au_plus(2);
    format_rapport(args);
    for (const SorteRapport& s : kSortes) {
        if (sorte != s.nom) continue;
        auto t = ouvrir_tournoi(chemin, console);
        if (!t) return ECHEC;
        // A pairing sheet needs a paired round; the player list of an empty
        // tournament is printed with its headings.
        if (s.sorte == gestion::SorteRapport::appariements &&
            !gestion::rapport_a_montrer(*t, s.sorte, console))
            return ECHEC;
        Rapport rapport;
        gestion::produire_rapport(*t, s.sorte, rapport);
        return publier_rapport(rapport, args, console, chemin);
    }
    throw ErreurUsage("sorte de rapport inconnue : " + citer(sorte));
}

}  // namespace tavo::cli
