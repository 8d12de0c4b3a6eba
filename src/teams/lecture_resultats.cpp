// Reading the team result files of a folder.
#include <algorithm>
#include <new>
#include <sstream>

#include "model/texte.h"
#include "model/tournoi.h"
#include "teams/equipes_internes.h"

namespace tavo::equipes {

namespace fs = std::filesystem;

namespace {

bool octet_de_code(char c) {
    const auto octet = static_cast<unsigned char>(c);
    return octet > ' ' && octet != 0x7F && octet < 128;
}

// The team code of a player line: after the blank ending the rank and any
// further blanks, at most 3 bytes, up to a blank, a control character or a
// byte from 128 up.
std::string code_lu(const std::string& ligne, std::size_t blanc) {
    std::size_t i = ligne.find_first_not_of(' ', blanc);
    std::string code;
    while (i < ligne.size() && code.size() < LONGUEUR_CODE && octet_de_code(ligne[i]))
        code += ligne[i++];
    return code;
}

}  // namespace

bool fichiers_resultats(const fs::path& dossier, std::vector<std::string>& noms, Interaction& io) {
    std::error_code ec;
    fs::directory_iterator it(dossier.empty() ? fs::path(".") : dossier, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string nom = it->path().filename().string();
        if (nom.size() < 4 || !egal_sans_casse(nom.substr(nom.size() - 4), ".PXR")) continue;
        std::error_code ec_type;
        if (it->is_regular_file(ec_type)) noms.push_back(nom);
    }
    if (ec) {
        io.message_erreur(cp("Impossible de lire le dossier ") + vers_cp1252(dossier.string()));
        return false;
    }
    if (noms.size() > MAX_JEUX) {
        io.message_erreur(
            formater(cp("Trop de fichiers .PXR dans le dossier : %d au plus").c_str(), MAX_JEUX));
        return false;
    }
    std::sort(noms.begin(), noms.end());
    return true;
}

bool lire_fichier_resultats(const fs::path& dossier, const std::string& nom,
                            const std::vector<Equipe>& equipes, std::vector<ScoreEquipe>& scores,
                            Jeux& jeux, Interaction& io) {
    // File names are UTF-8 on disk; messages are in the program's character set.
    const std::string nom_cp = vers_cp1252(nom);
    const auto texte = lire_texte(dossier / nom);
    if (!texte) {
        io.message_erreur(formater("Impossible d'ouvrir le fichier %s", nom_cp.c_str()));
        return false;
    }
    if (texte->empty()) {
        io.message_erreur(formater("Fichier %s vide", nom_cp.c_str()));
        return false;
    }
    std::istringstream fichier(*texte);
    const std::size_t j = jeux.noms.size();

    // A missing line reads as an empty one: no name, 0 players.
    std::string ligne;
    lire_ligne(fichier, ligne);
    std::string jeu;
    try {
        jeu = ligne.substr(0, LONGUEUR_NOM);
        jeux.noms.push_back(jeu);
    } catch (const std::bad_alloc&) {
        io.message_erreur(cp("Pb allocation mémoire nom_jeux []"));
        return false;
    }
    const bool othello = est_othello(jeu);

    if (!lire_ligne(fichier, ligne)) ligne.clear();
    const int n = lire_entier(ligne);
    if (j == 0) {
        jeux.nb_joueurs = n;
    } else if (n != jeux.nb_joueurs) {
        io.message_erreur(
            formater("Erreur Nombre de joueurs fichier %s ==> %d", nom_cp.c_str(), n));
        return false;
    }

    // The players read must be the players announced: no fewer (a line
    // ending them early), no more.
    const auto refuser_compte = [&](int lus) {
        io.message_erreur(formater(cp("Fichier %s : %d joueurs annoncés, %d lus").c_str(),
                                   nom_cp.c_str(), jeux.nb_joueurs, lus));
        return false;
    };
    if (jeux.nb_joueurs < 0) return refuser_compte(0);
    for (int k = 1; k <= jeux.nb_joueurs; ++k) {
        if (!lire_ligne(fichier, ligne)) {
            io.message_erreur(formater(
                cp("fichier %s, impossible de lire résultats joueur %d").c_str(), jeu.c_str(), k));
            return false;
        }
        // An empty line, or one whose first byte is below '0' (a blank, a
        // sign...) or from 128 up, ends the file's players.
        const auto premier = ligne.empty() ? 0u : static_cast<unsigned char>(ligne[0]);
        if (premier < '0' || premier >= 128) return refuser_compte(k - 1);
        const std::size_t blanc = ligne.find(' ');
        if (blanc == std::string::npos) {
            io.message_erreur(
                formater("Erreur format joueur fichier %s : %s", nom_cp.c_str(), ligne.c_str()));
            return false;
        }
        const int rang = lire_entier(ligne.substr(0, blanc));
        if (rang < 1 || rang > jeux.nb_joueurs) {
            io.message_erreur(
                formater("Erreur de classement %d sur %d joueurs ?", rang, jeux.nb_joueurs));
            return false;
        }
        const std::string code = code_lu(ligne, blanc);
        const auto trouvee = std::find_if(equipes.begin(), equipes.end(), [&](const Equipe& e) {
            return egal_sans_casse(e.code, code);
        });
        if (trouvee == equipes.end()) {
            io.message_erreur(
                formater(cp("Equipe %s non-trouvée dans la liste").c_str(), code.c_str()));
            return false;
        }
        const auto index = static_cast<std::size_t>(trouvee - equipes.begin());
        ScoreEquipe& score = scores[index];
        if (othello) score.rang_othello = rang;
        if (score.rangs[j] != 0) {
            io.message_erreur(
                formater(cp("Erreur résultat déja saisi JEU : %s, équipe : %s").c_str(),
                         jeu.c_str(), code.c_str()));
            return false;
        }
        score.rangs[j] = rang;
        score.equipe = static_cast<int>(index);
    }
    if (lire_ligne(fichier, ligne) && !ligne.empty()) {
        const auto premier = static_cast<unsigned char>(ligne[0]);
        if (premier >= '0' && premier < 128) return refuser_compte(jeux.nb_joueurs + 1);
    }
    return true;
}

}  // namespace tavo::equipes
