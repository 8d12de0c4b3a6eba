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

// A Windows-1252 letter in small letters: A to Z, the accented capitals and
// the four capitals of 0x8A to 0x9F. (Names are compared in that set, as the
// 1998 files are written in it.)
unsigned char minuscule(char c) {
    const auto octet = static_cast<unsigned char>(c);
    if ((octet >= 'A' && octet <= 'Z') || (octet >= 0xC0 && octet <= 0xDE && octet != 0xD7))
        return static_cast<unsigned char>(octet + 0x20);
    if (octet == 0x8A || octet == 0x8C || octet == 0x8E)
        return static_cast<unsigned char>(octet + 0x10);
    return octet == 0x9F ? 0xFF : octet;
}

// True when two Windows-1252 names are equal ignoring the case of letters,
// accented ones included.
bool meme_nom_sans_casse(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return minuscule(x) == minuscule(y);
           });
}

// Names (UTF-8) compared as Windows-1252 when both fit in it, byte for byte
// otherwise.
bool meme_nom(const std::string& a, const std::string& b) {
    bool perte = false;
    const std::string ca = vers_cp1252(a, &perte);
    const std::string cb = vers_cp1252(b, &perte);
    return perte ? a == b : meme_nom_sans_casse(ca, cb);
}

// The team code of a player line as the writer puts it: right after the one
// blank ending the rank, up to the next blank. Empty when the rank is
// followed by two blanks (a player written without code).
std::string code_lu(const std::string& ligne, std::size_t blanc) {
    const std::size_t fin = ligne.find(' ', blanc + 1);
    return ligne.substr(blanc + 1, fin == std::string::npos ? std::string::npos : fin - blanc - 1);
}

}  // namespace

bool fichiers_resultats(const fs::path& dossier, std::vector<std::string>& noms, Interaction& io) {
    std::error_code ec;
    fs::directory_iterator it(dossier.empty() ? fs::path(".") : dossier, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string nom = it->path().filename().string();
        if (nom.size() < 4 || !egal_sans_casse(nom.substr(nom.size() - 4), ".PXR")) continue;
        // A link, a FIFO... is refused when read; only a folder is no file.
        std::error_code ec_type;
        if (!it->is_directory(ec_type) || it->is_symlink(ec_type)) noms.push_back(nom);
    }
    if (ec) {
        io.message_erreur("Impossible de lire le dossier " + dossier.string());
        return false;
    }
    if (noms.size() > MAX_JEUX) {
        io.message_erreur(formater("Trop de fichiers .PXR dans le dossier : %d au plus", MAX_JEUX));
        return false;
    }
    std::sort(noms.begin(), noms.end());
    for (std::size_t i = 0; i < noms.size(); ++i)
        for (std::size_t k = i + 1; k < noms.size(); ++k)
            if (meme_nom(noms[i], noms[k])) {
                io.message_erreur(formater("Deux fichiers du même jeu : %s et %s",
                                           nom_affiche(noms[i]).c_str(),
                                           nom_affiche(noms[k]).c_str()));
                return false;
            }
    return true;
}

bool lire_fichier_resultats(const fs::path& dossier, const std::string& nom,
                            const std::vector<Equipe>& equipes, std::vector<ScoreEquipe>& scores,
                            Jeux& jeux, Interaction& io) {
    const std::string nom_cp = nom_affiche(nom);
    const TexteLu lu = lire_texte(dossier / nom);
    if (lu.etat == FichierLu::Etat::absent || lu.etat == FichierLu::Etat::illisible) {
        io.message_erreur(formater("Impossible d'ouvrir le fichier %s", nom_cp.c_str()));
        return false;
    }
    if (!lu.refus.empty()) {
        io.message_erreur(lu.refus);
        return false;
    }
    if (lu.texte.empty()) {
        io.message_erreur(formater("Fichier %s vide", nom_cp.c_str()));
        return false;
    }
    std::istringstream fichier(lu.texte);
    const std::size_t j = jeux.noms.size();

    // A missing line reads as an empty one: no name, 0 players.
    std::string ligne;
    lire_ligne(fichier, ligne);
    std::string jeu;
    try {
        jeu = couper_colonnes(ligne, LONGUEUR_NOM);
        for (std::size_t autre = 0; autre < j; ++autre)
            if (meme_nom(jeux.noms[autre], jeu)) {
                io.message_erreur(formater("Deux fichiers du même jeu (%s) : %s et %s", jeu.c_str(),
                                           jeux.fichiers[autre].c_str(), nom_cp.c_str()));
                return false;
            }
        jeux.noms.push_back(jeu);
        jeux.fichiers.push_back(nom_cp);
    } catch (const std::bad_alloc&) {
        io.message_erreur("Pb allocation mémoire nom_jeux []");
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
        io.message_erreur(formater("Fichier %s : %d joueurs annoncés, %d lus", nom_cp.c_str(),
                                   jeux.nb_joueurs, lus));
        return false;
    };
    if (jeux.nb_joueurs < 0) return refuser_compte(0);
    for (int k = 1; k <= jeux.nb_joueurs; ++k) {
        if (!lire_ligne(fichier, ligne)) {
            io.message_erreur(
                formater("fichier %s, impossible de lire résultats joueur %d", jeu.c_str(), k));
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
        if (code.empty()) {
            io.message_erreur(formater("Fichier %s, ligne %d : joueur sans code d'équipe : %s",
                                       nom_cp.c_str(), k + 2, ligne.c_str()));
            return false;
        }
        const auto trouvee = std::find_if(equipes.begin(), equipes.end(), [&](const Equipe& e) {
            return egal_sans_casse(e.code, code);
        });
        if (trouvee == equipes.end()) {
            io.message_erreur(formater("Equipe %s non-trouvée dans la liste", code.c_str()));
            return false;
        }
        const auto index = static_cast<std::size_t>(trouvee - equipes.begin());
        ScoreEquipe& score = scores[index];
        if (othello) score.rang_othello = rang;
        if (score.rangs[j] != 0) {
            io.message_erreur(formater("Erreur résultat déja saisi JEU : %s, équipe : %s",
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
