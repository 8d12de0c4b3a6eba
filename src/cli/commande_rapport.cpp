// rapport KIND FICHIER.pxi: prints a report's lines; the file is never written.
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
};

}  // namespace

int commande_rapport(const Mots& mots, Console& console) {
    const Arguments args(mots, {}, {});
    const std::string sorte = args.positionnel(0, "la sorte de rapport");
    const std::string chemin = args.positionnel(1, "le fichier du tournoi");
    args.au_plus(2);
    for (const SorteRapport& s : kSortes) {
        if (sorte != s.nom) continue;
        auto t = ouvrir_tournoi(chemin, console);
        if (!t) return ECHEC;
        Rapport rapport;
        // The player list of an empty tournament is printed with its headings.
        gestion::produire_rapport(*t, s.sorte, rapport);
        afficher_rapport(rapport);
        return SUCCES;
    }
    throw ErreurUsage("sorte de rapport inconnue : " + sorte);
}

}  // namespace tavo::cli
