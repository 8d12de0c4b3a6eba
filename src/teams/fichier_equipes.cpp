// The team result file of one game's tournament.
#include "model/accord.h"
#include "model/disque.h"
#include "model/texte.h"
#include "standings/scores.h"
#include "teams/equipes.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

// A game name makes a file name of the chosen folder only when it is not
// empty, is not "." or "..", and holds neither a "/" (which would lead to
// another folder) nor a control character (which would also break the line
// holding the name).
bool nom_possible(const std::string& jeu) {
    if (jeu.empty() || jeu == "." || jeu == "..") return false;
    for (char c : jeu)
        if (c == '/' || (static_cast<unsigned char>(c) < 0x20)) return false;
    return true;
}

// Every player line must give its team: a player without code (or with a
// blank in it, which would end the code early) makes the message naming
// each such player; "" when there is none.
std::string joueurs_sans_code(const Tournoi& t) {
    std::string liste;
    for (const Joueur& j : joueurs_par_numero(t)) {
        const std::string code = j.equipe;
        if (!code.empty() && code.find(' ') == std::string::npos) continue;
        liste += formater("\nn°%d %s %s", j.id, j.nom.c_str(), j.prenom.c_str());
        if (!code.empty()) liste += " (code « " + code + " »)";
    }
    return liste.empty() ? liste : "Ces joueurs n'ont pas de code d'équipe :" + liste;
}

}  // namespace

std::string nom_fichier_equipes(const EnteteTournoi& entete) {
    return entete.jeu + ".PXR";
}

bool fichier_resultat_equipes(Tournoi& t, const fs::path& dossier, Interaction& io) {
    const std::string jeu = t.entete.jeu;
    const std::string nom = nom_fichier_equipes(t.entete);
    const auto refuser = [&] {
        io.message_erreur("Impossible d'ouvrir le fichier : " + controles_visibles(nom));
        return false;
    };
    if (jeu.find_first_not_of(' ') == std::string::npos) {
        io.message_erreur(
            "Le tournoi n'a pas de jeu : le fichier des résultats par équipe "
            "porte le nom du jeu");
        return false;
    }
    if (!nom_possible(jeu)) return refuser();
    if (const std::string sans_code = joueurs_sans_code(t); !sans_code.empty()) {
        io.message_erreur(sans_code);
        return false;
    }
    const std::string cible = (dossier / nom).string();
    if (!remplacement_permis(cible)) return refuser();
    FichierTemporaire fichier(cible);
    if (!fichier.ouvert()) return refuser();

    appliquer_classement(t);
    const int n = t.nb_joueurs();
    std::string contenu = formater("%s\r\n%d\r\n", jeu.c_str(), n);
    // Players with equal points share a rank; tie-breaks only order the lines.
    int rang = 1;
    for (int p = 0; p < n; ++p) {
        const Joueur& j = t.joueurs[static_cast<std::size_t>(p)];
        contenu +=
            formater("%d %s  %s %s\r\n", rang, j.equipe.c_str(), j.nom.c_str(), j.prenom.c_str());
        if (p + 1 < n && t.joueurs[static_cast<std::size_t>(p) + 1].points != j.points)
            rang = p + 2;
    }
    contenu = pour_fichier_1998(contenu);
    if (!ecrire_en_entier(fichier.fd(), contenu) || !fichier.remplacer()) return refuser();
    return true;
}

}  // namespace tavo
