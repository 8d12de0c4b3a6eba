#include "support/tournoi_test.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "model/registre.h"
#include "standings/departages.h"

namespace tavo::test {

Tournoi tournoi_avec_joueurs(int n, int rondes, const std::vector<std::string>& departages) {
    Tournoi t;
    t.entete.nom = "Open";
    t.entete.date = "12/05/98";
    t.entete.jeu = "Echecs";
    t.entete.nb_rondes = rondes;
    // More players than a 1998 file holds: the tournament is a native one.
    t.limites_1998 = n <= Limites1998::joueurs;
    std::vector<int> ids;
    for (const std::string& libelle : departages) ids.push_back(id_departage_par_libelle(libelle));
    choisir_departages(t, ids);
    for (int k = 1; k <= n; ++k) {
        const int id = ajouter_joueur(t);
        FicheJoueur f;
        f.nom = "NOM" + std::to_string(k);
        f.prenom = "Prenom" + std::to_string(k);
        ecrire_fiche(t.joueur(id), f);
    }
    t.entete.modifie = false;
    return t;
}

namespace {

// Rounds 0 to r exist, with an entry for each player; those already there
// are kept.
void jusqu_a_la_ronde(Tournoi& t, int r) {
    while (static_cast<int>(t.rondes.size()) <= r)
        t.ouvrir_ronde(static_cast<int>(t.rondes.size()));
}

}  // namespace

void ouvrir_ronde(Tournoi& t, int r) {
    jusqu_a_la_ronde(t, r);
    t.entete.ronde_courante = r;
}

void poser_partie(Tournoi& t, int r, int table, int blanc, int noir, int res_blanc,
                  int pions_blanc) {
    t.indexer_joueurs();
    jusqu_a_la_ronde(t, r);
    auto& tables = t.rondes[static_cast<std::size_t>(r)].tables;
    if (static_cast<int>(tables.size()) < table + 1)
        tables.resize(static_cast<std::size_t>(table) + 1);
    Appariement& a = t.table(r, table);
    a.blanc = blanc;
    a.noir = noir;
    a.res_blanc = resultat_de(res_blanc);
    a.pions_blanc = pions_blanc;
    a.pions_noir = pions_blanc ? 64 - pions_blanc : 0;
    if (noir == ID_QUALIFIE) a.pions_blanc = 33, a.pions_noir = 31;
    Joueur& b = t.joueur(blanc);
    b.ronde(r) = {noir, BLANC, a.res_blanc, a.pions_blanc};
    if (noir == ID_QUALIFIE) return;
    t.joueur(noir).ronde(r) = {blanc, NOIR, a.res_noir(), a.pions_noir};
}

std::filesystem::path dossier_temporaire() {
    std::string modele = (std::filesystem::temp_directory_path() / "tavo-test-XXXXXX").string();
    if (::mkdtemp(modele.data()) == nullptr) throw std::runtime_error("mkdtemp");
    return modele;
}

std::string lire_fichier(const std::filesystem::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream contenu;
    contenu << f.rdbuf();
    return contenu.str();
}

void ecrire_fichier(const std::filesystem::path& chemin, const std::string& octets) {
    std::ofstream fichier(chemin, std::ios::binary | std::ios::trunc);
    fichier.write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

}  // namespace tavo::test
