// rapport KIND FICHIER.pxi: prints a report's lines; the file is never written.
#include "cli/arguments.h"
#include "cli/commandes.h"
#include "pairing/feuille.h"
#include "pairing/rapport.h"
#include "standings/rapports.h"

namespace tavo::cli {
namespace {

struct SorteRapport {
    const char* nom;
    void (*remplir)(Tournoi& t, Rapport& rapport);
};

const SorteRapport kSortes[] = {
    {"classement", [](Tournoi& t, Rapport& r) { classement(t, r); }},
    {"historique", [](Tournoi& t, Rapport& r) { historique(t, r); }},
    {"joueurs", [](Tournoi& t, Rapport& r) { liste_joueurs(t, r); }},
    {"appariements",
     [](Tournoi& t, Rapport& r) { afficher_appariements(t, t.entete.ronde_courante + 1, r); }},
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
        s.remplir(*t, rapport);
        for (const std::string& ligne : rapport.lignes()) Console::afficher(ligne);
        return SUCCES;
    }
    throw ErreurUsage("sorte de rapport inconnue : " + sorte);
}

}  // namespace tavo::cli
