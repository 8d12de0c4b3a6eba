// joueur-ajouter, joueur-modifier, joueur-supprimer, appariement-interdit,
// appariements-interdits.
#include <iostream>

#include "cli/arguments.h"
#include "cli/commandes.h"
#include "gestion/absences.h"
#include "gestion/fichiers.h"
#include "gestion/interdits.h"
#include "gestion/joueurs.h"
#include "model/texte.h"

namespace tavo::cli {
namespace {

const std::set<std::string> kOptionsJoueur = {
    "--nom",  "--prenom",     "--ne-le",   "--elo",         "--equipe",
    "--club", "--federation", "--fide-id", "--id-national", "--titre"};

// A birth date as the player dialog's mask keeps it: "JJ/MM/AA", a blank for
// each digit not typed.
std::string date_naissance(const std::string& texte) {
    bool valide = texte.size() == 8 && texte[2] == '/' && texte[5] == '/';
    for (std::size_t i = 0; valide && i < texte.size(); ++i)
        if (i != 2 && i != 5) valide = texte[i] == ' ' || (texte[i] >= '0' && texte[i] <= '9');
    if (!valide) throw ErreurUsage("la date de naissance s'écrit JJ/MM/AA : " + citer(texte));
    return texte;
}

void appliquer_options(const Arguments& args, FicheJoueur& fiche) {
    if (auto v = args.valeur("--nom")) fiche.nom = texte_utf8(*v, "le nom");
    if (auto v = args.valeur("--prenom")) fiche.prenom = texte_utf8(*v, "le prénom");
    if (auto v = args.valeur("--ne-le")) fiche.ne_le = date_naissance(*v);
    if (auto v = args.valeur("--elo")) fiche.elo = entier_option(*v, 0, 9999, "le classement");
    if (auto v = args.valeur("--equipe")) fiche.equipe = texte_utf8(*v, "l'équipe");
    if (auto v = args.valeur("--club")) fiche.club = texte_utf8(*v, "le club");
    if (auto v = args.valeur("--federation")) fiche.federation = texte_utf8(*v, "la fédération");
    if (auto v = args.valeur("--fide-id")) fiche.fide_id = texte_utf8(*v, "l'identifiant FIDE");
    if (auto v = args.valeur("--id-national"))
        fiche.id_national = texte_utf8(*v, "l'identifiant national");
    if (auto v = args.valeur("--titre")) fiche.titre = texte_utf8(*v, "le titre");
    if (args.drapeau("--fille")) fiche.fille = true;
    if (args.drapeau("--garcon")) fiche.fille = false;
    if (args.drapeau("--inactif")) fiche.actif = false;
    if (args.drapeau("--actif")) fiche.actif = true;
}

int numero_joueur(const Arguments& args) {
    return entier_option(args.positionnel(1, "le numéro du joueur"), 1, 9999,
                         "le numéro du joueur");
}

}  // namespace

int commande_joueur_ajouter(const Mots& mots, Console& console) {
    const Arguments args(mots, kOptionsJoueur, {"--fille", "--inactif"});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    if (!args.valeur("--nom") || !args.valeur("--prenom"))
        throw ErreurUsage("--nom et --prenom sont obligatoires");
    FicheJoueur fiche;
    appliquer_options(args, fiche);

    gestion::ActionFichier action(chemin);
    auto t = ouvrir_tournoi(action, console);
    if (!t) return ECHEC;
    const int id = gestion::inscrire_joueur(*t, fiche, console);
    if (id == 0) return ECHEC;
    if (!enregistrer(*t, action, console)) return ECHEC;
    const FicheJoueur inscrit = *gestion::fiche_joueur(*t, id);
    std::cout << ("Joueur n°" + std::to_string(id) + " : " + inscrit.nom + " " + inscrit.prenom)
              << '\n';
    return SUCCES;
}

int commande_joueur_modifier(const Mots& mots, Console& console) {
    const Arguments args(mots, kOptionsJoueur, {"--fille", "--garcon", "--inactif", "--actif"});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    const int id = numero_joueur(args);
    args.au_plus(2);
    if (args.drapeau("--fille") && args.drapeau("--garcon"))
        throw ErreurUsage("--fille et --garcon s'excluent");
    if (args.drapeau("--actif") && args.drapeau("--inactif"))
        throw ErreurUsage("--actif et --inactif s'excluent");

    gestion::ActionFichier action(chemin);
    auto t = ouvrir_tournoi(action, console);
    if (!t) return ECHEC;
    FicheJoueur fiche = gestion::fiche_joueur(*t, id).value_or(FicheJoueur{});
    appliquer_options(args, fiche);
    if (!gestion::modifier_joueur(*t, id, fiche, console)) return ECHEC;
    return enregistrer(*t, action, console) ? SUCCES : ECHEC;
}

int commande_joueur_supprimer(const Mots& mots, Console& console) {
    const Arguments args(mots, {}, {});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    const int id = numero_joueur(args);
    args.au_plus(2);
    gestion::ActionFichier action(chemin);
    auto t = ouvrir_tournoi(action, console);
    if (!t) return ECHEC;
    if (!gestion::supprimer_joueur(*t, id, console)) return ECHEC;
    return enregistrer(*t, action, console) ? SUCCES : ECHEC;
}

int commande_appariement_interdit(const Mots& mots, Console& console) {
    const Arguments args(mots, {}, {"--retirer"});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    const auto [a, b] = deux_joueurs(args);
    gestion::ActionFichier action(chemin);
    auto t = ouvrir_tournoi(action, console);
    if (!t) return ECHEC;
    const bool fait = args.drapeau("--retirer") ? gestion::autoriser_appariement(*t, a, b, console)
                                                : gestion::interdire_appariement(*t, a, b, console);
    if (!fait) return ECHEC;
    return enregistrer(*t, action, console) ? SUCCES : ECHEC;
}

int commande_joueur_absent(const Mots& mots, Console& console) {
    const Arguments args(mots, {"--rondes"}, {"--demi-point", "--retirer"});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    const int id = entier_option(args.positionnel(1, "le numéro du joueur"), 1, MAX_JOUEURS,
                                 "le numéro du joueur");
    args.au_plus(2);
    const auto liste = args.valeur("--rondes");
    if (!liste) throw ErreurUsage("--rondes manque : les rondes à manquer, par exemple 3,4");
    const std::vector<int> rondes = gestion::lire_numeros_rondes(*liste);
    if (rondes.empty()) throw ErreurUsage("--rondes s'écrit 3,4 : " + citer(*liste));
    gestion::ActionFichier action(chemin);
    auto t = ouvrir_tournoi(action, console);
    if (!t) return ECHEC;
    const bool fait =
        args.drapeau("--retirer")
            ? gestion::retirer_absences(*t, id, rondes, console)
            : gestion::demander_absences(*t, id, rondes, args.drapeau("--demi-point"), console);
    if (!fait || !enregistrer(*t, action, console)) return ECHEC;
    const Joueur& j = t->joueur(id);
    const std::string absences = gestion::texte_absences(j);
    Console::afficher(formater(
        "Joueur n°%d %s %s : %s", id, j.nom.c_str(), j.prenom.c_str(),
        absences.empty() ? "aucune absence demandée" : ("absent aux rondes " + absences).c_str()));
    return SUCCES;
}

int commande_appariements_interdits(const Mots& mots, Console& console) {
    const Arguments args(mots, {}, {});
    const std::string chemin = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    const auto t = ouvrir_tournoi(chemin, console);
    if (!t) return ECHEC;
    for (const std::string& ligne : gestion::lignes_interdits(*t)) Console::afficher(ligne);
    return SUCCES;
}

}  // namespace tavo::cli
