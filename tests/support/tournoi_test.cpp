#include "support/tournoi_test.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "model/registre.h"
#include "model/texte.h"
#include "standings/departages.h"

namespace tavo::test {

Tournoi tournoi_avec_joueurs(int n, int rondes, const std::vector<std::string>& departages) {
    Tournoi t;
    copier_champ(t.entete.nom, "Open");
    copier_champ(t.entete.date, "12/05/98");
    copier_champ(t.entete.jeu, "Echecs");
    t.entete.nb_rondes = static_cast<std::int16_t>(rondes);
    std::vector<int> ids;
    for (const std::string& libelle : departages) ids.push_back(id_departage_par_libelle(libelle));
    choisir_departages(t, ids);
    InteractionTest io;
    for (int k = 1; k <= n; ++k) {
        const int id = ajouter_joueur(t);
        FicheJoueur f;
        f.nom = "NOM" + std::to_string(k);
        f.prenom = "Prenom" + std::to_string(k);
        ecrire_fiche(t.joueur(id), f);
    }
    t.entete.modifie = 0;
    return t;
}

void ouvrir_ronde(Tournoi& t, int r) {
    t.entete.ronde_courante = static_cast<std::int16_t>(r);
}

void poser_partie(Tournoi& t, int r, int table, int blanc, int noir, int res_blanc,
                  int pions_blanc) {
    t.indexer_joueurs();
    Appariement& a = t.app[r][table];
    a.blanc = static_cast<std::int16_t>(blanc);
    a.noir = static_cast<std::int16_t>(noir);
    a.res_blanc = static_cast<std::uint8_t>(res_blanc);
    a.res_noir = static_cast<std::uint8_t>(2 - res_blanc);
    a.pions_blanc = static_cast<std::uint8_t>(pions_blanc);
    a.pions_noir = static_cast<std::uint8_t>(pions_blanc ? 64 - pions_blanc : 0);
    if (noir == ID_QUALIFIE) a.pions_blanc = 33, a.pions_noir = 31;
    a.saisi = 1;
    if (t.nb_app[r] < table + 1) t.nb_app[r] = static_cast<std::int16_t>(table + 1);
    Joueur& b = t.joueur(blanc);
    b.adversaires[r] = static_cast<std::int16_t>(noir);
    b.couleurs[r] = BLANC;
    b.resultats[r] = a.res_blanc;
    b.pions[r] = a.pions_blanc;
    if (noir == ID_QUALIFIE) return;
    Joueur& n = t.joueur(noir);
    n.adversaires[r] = static_cast<std::int16_t>(blanc);
    n.couleurs[r] = NOIR;
    n.resultats[r] = a.res_noir;
    n.pions[r] = a.pions_noir;
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

std::string u(const std::string& cp1252) {
    return vers_utf8(cp1252);
}

}  // namespace tavo::test
