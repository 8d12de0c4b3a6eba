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

}  // namespace

std::string nom_fichier_equipes(const EnteteTournoi& entete) {
    return champ(entete.jeu) + ".PXR";
}

bool fichier_resultat_equipes(Tournoi& t, const fs::path& dossier, Interaction& io) {
    const std::string jeu = champ(t.entete.jeu);
    const std::string nom = nom_fichier_equipes(t.entete);
    const auto refuser = [&] {
        io.message_erreur("Impossible d'ouvrir le fichier : " + nom);
        return false;
    };
    if (!nom_possible(jeu)) return refuser();
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
