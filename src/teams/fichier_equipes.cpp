// The team result file of one game's tournament.
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
    for (int id = 1; id <= t.entete.nb_joueurs; ++id) {
        const Joueur& j = t.joueur(id);
        const std::string code = champ(j.equipe);
        if (!code.empty() && code.find(' ') == std::string::npos) continue;
        liste +=
            formater(cp("\nn°%d %s %s").c_str(), id, champ(j.nom).c_str(), champ(j.prenom).c_str());
        if (!code.empty()) liste += cp(" (code « ") + code + cp(" »)");
    }
    return liste.empty() ? liste : cp("Ces joueurs n'ont pas de code d'équipe :") + liste;
}

}  // namespace

std::string nom_fichier_equipes(const EnteteTournoi& entete) {
    return champ(entete.jeu) + ".PXR";
}

bool fichier_resultat_equipes(Tournoi& t, const fs::path& dossier, Interaction& io) {
    const std::string jeu = champ(t.entete.jeu);
    const std::string nom = nom_fichier_equipes(t.entete);
    const auto refuser = [&] {
        io.message_erreur("Impossible d'ouvrir le fichier : " + controles_visibles(nom));
        return false;
    };
    if (jeu.find_first_not_of(' ') == std::string::npos) {
        io.message_erreur(
            cp("Le tournoi n'a pas de jeu : le fichier des résultats par équipe "
               "porte le nom du jeu"));
        return false;
    }
    if (!nom_possible(jeu)) return refuser();
    if (const std::string sans_code = joueurs_sans_code(t); !sans_code.empty()) {
        io.message_erreur(sans_code);
        return false;
    }
    const std::string cible = (dossier / vers_utf8(nom)).string();
    if (!remplacement_permis(cible)) return refuser();
    FichierTemporaire fichier(cible);
    if (!fichier.ouvert()) return refuser();

    trier_classement(t);
    const int n = t.entete.nb_joueurs;
    std::string contenu = formater("%s\r\n%d\r\n", jeu.c_str(), n);
    // Players with equal points share a rank; tie-breaks only order the lines.
    int rang = 1;
    for (int p = 1; p <= n; ++p) {
        const Joueur& j = t.joueurs[p];
        contenu += formater("%d %s  %s %s\r\n", rang, champ(j.equipe).c_str(), champ(j.nom).c_str(),
                            champ(j.prenom).c_str());
        if (p < n && t.joueurs[p + 1].points != j.points) rang = p + 1;
    }
    if (!ecrire_en_entier(fichier.fd(), contenu) || !fichier.remplacer()) return refuser();
    return true;
}

}  // namespace tavo
