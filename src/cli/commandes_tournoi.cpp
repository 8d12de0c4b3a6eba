// nouveau, tournoi-modifier: the properties of a tournament.
#include <filesystem>
#include <sstream>

#include "cli/arguments.h"
#include "cli/commandes.h"
#include "gestion/fichiers.h"
#include "gestion/proprietes.h"
#include "model/texte.h"
#include "standings/departages.h"

namespace tavo::cli {
namespace {

const std::set<std::string> kOptionsProprietes = {"--nom",
                                                  "--date",
                                                  "--jeu",
                                                  "--rondes",
                                                  "--departages",
                                                  "--demi-points-max",
                                                  "--dernieres-rondes-sans-demi"};

// The tie-break ids of "BU,SB,...", in the order given.
std::vector<int> ids_departages(const std::string& liste) {
    std::vector<int> ids;
    std::stringstream flux(liste);
    std::string libelle;
    while (std::getline(flux, libelle, ',')) {
        const int id = id_departage_par_libelle(libelle);
        if (id < 0)
            throw ErreurUsage("système de départage inconnu : " + citer(libelle) +
                              " (BU, BM, SB, CU, NG ou PP)");
        ids.push_back(id);
    }
    return ids;
}

// The options given, over the properties `p`.
void appliquer_options(const Arguments& args, gestion::Proprietes& p) {
    if (auto v = args.valeur("--nom")) p.nom = texte_utf8(*v, "le nom");
    if (auto v = args.valeur("--date")) p.date = texte_utf8(*v, "la date");
    if (auto v = args.valeur("--jeu")) p.jeu = texte_utf8(*v, "le jeu");
    if (auto v = args.valeur("--rondes"))
        p.nb_rondes = entier_option(*v, 0, 9999, "le nombre de rondes");
    if (auto v = args.valeur("--departages")) p.departages = ids_departages(*v);
    if (auto v = args.valeur("--demi-points-max"))
        p.demi_points_max = entier_option(*v, 0, 99, "le nombre d'absences à demi-point");
    if (auto v = args.valeur("--dernieres-rondes-sans-demi"))
        p.dernieres_rondes_sans_demi =
            entier_option(*v, 0, 99, "le nombre de dernières rondes sans demi-point");
}

// Writes the tournament to a new file at `chemin`, or with `remplacer` over
// the file there (taken first, as every action takes it). The exit status.
int ecrire_tournoi(Tournoi& t, const std::string& chemin, bool remplacer, Console& console) {
    if (remplacer) {
        gestion::ActionFichier action(chemin);
        return action.commencer(console) && enregistrer(t, action, console) ? SUCCES : ECHEC;
    }
    // Created only where no file is, even one another command has just made.
    if (!gestion::creer_tournoi(t, chemin, console)) {
        std::error_code ec;
        if (std::filesystem::symlink_status(chemin, ec).type() !=
            std::filesystem::file_type::not_found)
            console.information("(--remplacer pour l'écraser)");
        return ECHEC;
    }
    console.noter_ecriture(chemin);
    return SUCCES;
}

}  // namespace

int commande_nouveau(const Mots& mots, Console& console) {
    const Arguments args(mots, kOptionsProprietes, {"--remplacer"});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    gestion::Proprietes p;
    appliquer_options(args, p);
    auto t = std::make_unique<Tournoi>();
    // A .tavo holds what the program holds; a .pxi what the 1998 file does.
    t->limites_1998 = !gestion::est_fichier_tavo(chemin);
    if (!gestion::nouveau_tournoi(*t, p, console)) return ECHEC;
    return ecrire_tournoi(*t, chemin, args.drapeau("--remplacer"), console);
}

int commande_convertir(const Mots& mots, Console& console) {
    const Arguments args(mots, {}, {"--remplacer"});
    const std::string source = args.positionnel(0, "le fichier du tournoi");
    const std::string destination = args.positionnel(1, "le fichier converti");
    args.au_plus(2);
    auto t = ouvrir_tournoi(source, console);
    if (!t) return ECHEC;
    return ecrire_tournoi(*t, destination, args.drapeau("--remplacer"), console);
}

int commande_tournoi_modifier(const Mots& mots, Console& console) {
    const Arguments args(mots, kOptionsProprietes, {});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    gestion::ActionFichier action(chemin);
    auto t = ouvrir_tournoi(action, console);
    if (!t) return ECHEC;
    gestion::Proprietes p = gestion::lire_proprietes(*t);
    appliquer_options(args, p);
    // A refusal leaves the file as it was.
    if (!gestion::modifier_tournoi(*t, p, console)) return ECHEC;
    return enregistrer(*t, action, console) ? SUCCES : ECHEC;
}

}  // namespace tavo::cli
