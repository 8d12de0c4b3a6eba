#include "generation.h"

#include "gestion/resultats.h"
#include "model/registre.h"
#include "model/texte.h"
#include "pairing/appariement.h"
#include "standings/departages.h"

namespace tavo::fuzz {

std::unique_ptr<Tournoi> nouveau_tournoi(int joueurs, int rondes, const char* jeu,
                                         const std::vector<std::string>& departages) {
    auto t = std::make_unique<Tournoi>();
    t->entete.nom = "Open de Noël";
    t->entete.date = "12/12/26";
    t->entete.jeu = jeu;
    t->entete.othello = est_othello(jeu);
    t->entete.nb_rondes = rondes;
    std::vector<int> ids;
    for (const std::string& libelle : departages) ids.push_back(id_departage_par_libelle(libelle));
    choisir_departages(*t, ids);
    Muette io;
    static const char* const equipes[] = {"ABC", "DEF", "GHI", ""};
    for (int k = 1; k <= joueurs; ++k) {
        const int id = ajouter_joueur(*t);
        if (id == 0) break;  // the file's capacity
        FicheJoueur f;
        f.nom = "JOUEUR" + std::to_string(k);
        f.prenom = std::string("Prénom") + std::to_string(k);
        f.ne_le = "01/02/10";
        f.elo = 1000 + 37 * k;
        f.equipe = equipes[k % 4];
        f.fille = k % 3 == 0;
        ecrire_fiche(t->joueur(id), f);
    }
    return t;
}

bool jouer_ronde(Tournoi& t, std::mt19937& alea, bool saisir) {
    Muette io;
    if (!nouvelle_ronde(t, io)) return false;
    if (!saisir) return true;
    const int r = t.entete.ronde_courante;
    for (int table = 0; table < t.nb_tables(r); ++table) {
        const int pions = static_cast<int>(alea() % 65);
        if (t.entete.othello)
            gestion::enregistrer_pions(t, table, pions, 64 - pions);
        else
            gestion::enregistrer_points(t, table, pions % 3);
    }
    return gestion::tout_verifier(t, io);
}

}  // namespace tavo::fuzz
