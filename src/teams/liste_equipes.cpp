// Text lines and the team list "equipes.txt".
#include <algorithm>

#include "model/disque.h"
#include "model/texte.h"
#include "teams/equipes_internes.h"

namespace tavo::equipes {

namespace fs = std::filesystem;

bool lire_ligne(std::istream& entree, std::string& ligne) {
    ligne.clear();
    std::streambuf* tampon = entree.rdbuf();
    if (tampon == nullptr) return false;
    // A line ends with LF, CR LF, or a CR alone (as old Macintosh files do).
    std::size_t lus = 0;
    bool fin_de_ligne = false;
    for (;;) {
        const int c = tampon->sbumpc();
        if (c == std::char_traits<char>::eof()) break;
        if (c == '\n' || c == '\r') {
            if (c == '\r' && tampon->sgetc() == '\n') tampon->sbumpc();
            fin_de_ligne = true;
            break;
        }
        if (ligne.size() < LONGUEUR_LIGNE) ligne += static_cast<char>(c);
        ++lus;
    }
    if (lus == 0 && !fin_de_ligne) {
        entree.setstate(std::ios::eofbit);
        return false;
    }
    ligne.resize(std::min(ligne.size(), ligne.find('\0')));
    return true;
}

std::optional<std::string> lire_texte(const fs::path& chemin) {
    auto octets = lire_fichier_regulier(chemin.string(), TAILLE_MAX_TEXTE + 1);
    if (!octets || octets->size() > TAILLE_MAX_TEXTE) return std::nullopt;
    return texte_fichier_cp1252(std::move(*octets));
}

fs::path trouver_fichier(const fs::path& dossier, std::string_view nom) {
    const fs::path exact = dossier / nom;
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    std::vector<std::string> candidats;
    fs::directory_iterator it(dossier.empty() ? fs::path(".") : dossier, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string candidat = it->path().filename().string();
        if (egal_sans_casse(candidat, nom)) candidats.push_back(candidat);
    }
    if (candidats.empty()) return exact;
    return dossier / *std::min_element(candidats.begin(), candidats.end());
}

bool lire_liste_equipes(std::istream& liste, std::ostream& journal, std::vector<Equipe>& equipes,
                        Interaction& io) {
    std::string ligne;
    while (lire_ligne(liste, ligne)) {
        // An empty line, or one starting with a blank, a digit, a sign or an
        // accented letter, ends the list.
        const auto premier = ligne.empty() ? 0u : static_cast<unsigned char>(ligne[0]);
        if (premier < 'A' || premier >= 128) break;
        const std::size_t blanc = ligne.find(' ');
        if (blanc == std::string::npos) {
            journal << cp("Erreur format équipe : ") << ligne << "\r\n";
            continue;
        }
        if (equipes.size() >= MAX_EQUIPES) {
            io.message_erreur(
                formater(cp("Trop d'équipes dans le fichier EQUIPES.TXT : %d au plus").c_str(),
                         MAX_EQUIPES));
            return false;
        }
        Equipe equipe;
        equipe.code = ligne.substr(0, std::min(blanc, LONGUEUR_CODE));
        const std::size_t debut_nom = ligne.find_first_not_of(' ', blanc);
        if (debut_nom != std::string::npos) equipe.nom = ligne.substr(debut_nom, LONGUEUR_NOM);
        equipes.push_back(std::move(equipe));
    }
    return true;
}

}  // namespace tavo::equipes
