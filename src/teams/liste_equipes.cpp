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
    std::size_t caracteres = 0;  // kept: a character starts at each byte but UTF-8's continuations
    bool fin_de_ligne = false;
    for (;;) {
        const int c = tampon->sbumpc();
        if (c == std::char_traits<char>::eof()) break;
        if (c == '\n' || c == '\r') {
            if (c == '\r' && tampon->sgetc() == '\n') tampon->sbumpc();
            fin_de_ligne = true;
            break;
        }
        const bool suite = (c & 0xC0) == 0x80;
        if (!suite) ++caracteres;
        if (caracteres <= LONGUEUR_LIGNE) ligne += static_cast<char>(c);
        ++lus;
    }
    if (lus == 0 && !fin_de_ligne) {
        entree.setstate(std::ios::eofbit);
        return false;
    }
    ligne.resize(std::min(ligne.size(), ligne.find('\0')));
    return true;
}

namespace {

// The first control character of a text other than the line ends, as the
// message naming its line; "" when there is none.
std::string controle_refuse(const std::string& texte, const std::string& nom) {
    int ligne = 1;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        const auto octet = static_cast<unsigned char>(texte[i]);
        if (fin_de_ligne(texte, i))
            ++ligne;
        else if ((octet < 0x20 && octet != '\r') || octet == 0x7F)
            return formater("Fichier %s, ligne %d : caractère de contrôle refusé (code %d)",
                            nom.c_str(), ligne, octet);
    }
    return std::string();
}

}  // namespace

std::string nom_affiche(const fs::path& nom) {
    return controles_visibles(nom.filename().string());
}

TexteLu lire_texte(const fs::path& chemin) {
    FichierLu fichier = lire_fichier(chemin.string(), TAILLE_MAX_TEXTE, false);
    TexteLu lu;
    lu.etat = fichier.etat;
    lu.droits = fichier.droits;
    if (fichier.etat != FichierLu::Etat::lu) {
        lu.refus = raison_non_lu(fichier, nom_affiche(chemin), TAILLE_MAX_TEXTE);
        return lu;
    }
    lu.texte = texte_de_fichier(std::move(fichier.octets));
    lu.refus = controle_refuse(lu.texte, nom_affiche(chemin));
    if (!lu.refus.empty()) lu.texte.clear();
    return lu;
}

fs::path trouver_fichier(const fs::path& dossier, std::string_view nom) {
    const fs::path exact = dossier / nom;
    std::error_code ec;
    if (fs::symlink_status(exact, ec).type() != fs::file_type::not_found) return exact;
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
            journal << std::string("Erreur format équipe : ") << ligne << "\r\n";
            continue;
        }
        if (equipes.size() >= MAX_EQUIPES) {
            io.message_erreur(
                formater("Trop d'équipes dans le fichier EQUIPES.TXT : %d au plus", MAX_EQUIPES));
            return false;
        }
        Equipe equipe;
        equipe.code = ligne.substr(0, std::min(blanc, LONGUEUR_CODE));
        const std::size_t debut_nom = ligne.find_first_not_of(' ', blanc);
        if (debut_nom != std::string::npos)
            equipe.nom = couper_colonnes(ligne.substr(debut_nom), LONGUEUR_NOM);
        equipes.push_back(std::move(equipe));
    }
    return true;
}

}  // namespace tavo::equipes
