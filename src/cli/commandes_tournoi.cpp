// nouveau, joueur-ajouter, joueur-modifier.
#include <filesystem>
#include <iostream>
#include <sstream>

#include "cli/arguments.h"
#include "cli/commandes.h"
#include "model/fichier_tournoi.h"
#include "model/registre.h"
#include "model/texte.h"
#include "standings/departages.h"

namespace tavo::cli {
namespace {

const std::set<std::string> kOptionsJoueur = {"--nom", "--prenom", "--ne-le", "--elo", "--equipe"};

// The tie-break ids of "BU,SB,...", in priority order, each once.
std::vector<int> ids_departages(const std::string& liste) {
    std::vector<int> ids;
    std::stringstream flux(liste);
    std::string libelle;
    while (std::getline(flux, libelle, ',')) {
        const int id = id_departage_par_libelle(libelle);
        if (id < 0)
            throw ErreurUsage("système de départage inconnu : " + libelle +
                              " (BU, BM, SB, CU, NG ou PP)");
        if (std::find(ids.begin(), ids.end(), id) != ids.end())
            throw ErreurUsage("système de départage choisi deux fois : " + libelle);
        ids.push_back(id);
    }
    return ids;
}

// A birth date as the player dialog's mask keeps it: "JJ/MM/AA", a blank for
// each digit not typed.
std::string date_naissance(const std::string& texte) {
    bool valide = texte.size() == 8 && texte[2] == '/' && texte[5] == '/';
    for (std::size_t i = 0; valide && i < texte.size(); ++i)
        if (i != 2 && i != 5) valide = texte[i] == ' ' || (texte[i] >= '0' && texte[i] <= '9');
    if (!valide) throw ErreurUsage("la date de naissance s'écrit JJ/MM/AA : " + texte);
    return texte;
}

void appliquer_options(const Arguments& args, FicheJoueur& fiche) {
    if (auto v = args.valeur("--nom")) fiche.nom = texte_cp1252(*v, "le nom");
    if (auto v = args.valeur("--prenom")) fiche.prenom = texte_cp1252(*v, "le prénom");
    if (auto v = args.valeur("--ne-le")) fiche.ne_le = date_naissance(*v);
    if (auto v = args.valeur("--elo")) fiche.elo = entier_option(*v, 0, 9999, "le classement");
    if (auto v = args.valeur("--equipe")) fiche.equipe = texte_cp1252(*v, "l'équipe");
    if (args.drapeau("--fille")) fiche.fille = true;
    if (args.drapeau("--garcon")) fiche.fille = false;
    if (args.drapeau("--inactif")) fiche.actif = false;
    if (args.drapeau("--actif")) fiche.actif = true;
}

}  // namespace

int commande_nouveau(const Mots& mots, Console& console) {
    const Arguments args(mots, {"--nom", "--date", "--jeu", "--rondes", "--departages"},
                         {"--remplacer"});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    const std::vector<int> ids = ids_departages(args.valeur("--departages").value_or(""));
    const int rondes =
        entier_option(args.valeur("--rondes").value_or("5"), 0, MAX_RONDES, "le nombre de rondes");
    if (ids.empty()) {
        console.message_erreur(cp("Il me faut au moins une fonction de départage"));
        return ECHEC;
    }
    std::error_code ec;
    if (!args.drapeau("--remplacer") && std::filesystem::exists(chemin, ec)) {
        console.message_erreur(cp("Le fichier existe déjà : ") + chemin +
                               cp(" (--remplacer pour l'écraser)"));
        return ECHEC;
    }

    auto t = std::make_unique<Tournoi>();
    copier_champ(t->entete.nom, texte_cp1252(args.valeur("--nom").value_or(""), "le nom"));
    copier_champ(t->entete.date, texte_cp1252(args.valeur("--date").value_or(""), "la date"));
    const std::string jeu = texte_cp1252(args.valeur("--jeu").value_or(""), "le jeu");
    copier_champ(t->entete.jeu, jeu);
    t->entete.othello = egal_sans_casse(champ(t->entete.jeu), "Othello") ? 1 : 0;
    t->entete.nb_rondes = static_cast<std::int16_t>(rondes);
    std::vector<std::string> selectionnes;
    for (int id : ids) selectionnes.push_back(noms_departages()[id]);
    choisir_departages(*t, selectionnes, {noms_departages().begin(), noms_departages().end()});
    t->entete.modifie = 1;
    return sauver(*t, chemin, console) ? SUCCES : ECHEC;
}

int commande_joueur_ajouter(const Mots& mots, Console& console) {
    const Arguments args(mots, kOptionsJoueur, {"--fille", "--inactif"});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    if (!args.valeur("--nom") || !args.valeur("--prenom"))
        throw ErreurUsage("--nom et --prenom sont obligatoires");
    FicheJoueur fiche;
    appliquer_options(args, fiche);

    auto t = ouvrir_tournoi(chemin, console);
    if (!t) return ECHEC;
    const int id = ajouter_joueur(*t, console);
    if (id == 0) return ECHEC;
    ecrire_fiche(t->joueur(id), fiche);
    if (!sauver(*t, chemin, console)) return ECHEC;
    std::cout << vers_utf8(cp("Joueur n°") + std::to_string(id) + " : " + champ(t->joueur(id).nom) +
                           " " + champ(t->joueur(id).prenom))
              << '\n';
    return SUCCES;
}

int commande_joueur_modifier(const Mots& mots, Console& console) {
    const Arguments args(mots, kOptionsJoueur, {"--fille", "--garcon", "--inactif", "--actif"});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    const std::string texte_id = args.positionnel(1, "le numéro du joueur");
    args.au_plus(2);
    if (args.drapeau("--fille") && args.drapeau("--garcon"))
        throw ErreurUsage("--fille et --garcon s'excluent");
    if (args.drapeau("--actif") && args.drapeau("--inactif"))
        throw ErreurUsage("--actif et --inactif s'excluent");
    const int id = entier_option(texte_id, 1, MAX_JOUEURS, "le numéro du joueur");

    auto t = ouvrir_tournoi(chemin, console);
    if (!t) return ECHEC;
    if (id > t->entete.nb_joueurs) {
        console.message_erreur(cp("Joueur inconnu : n°") + std::to_string(id));
        return ECHEC;
    }
    FicheJoueur fiche = lire_fiche(t->joueur(id));
    appliquer_options(args, fiche);
    ecrire_fiche(t->joueur(id), fiche);
    return sauver(*t, chemin, console) ? SUCCES : ECHEC;
}

}  // namespace tavo::cli
