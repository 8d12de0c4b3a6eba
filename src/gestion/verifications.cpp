#include "gestion/verifications.h"

#include "model/texte.h"

namespace tavo::gestion {
namespace {

bool controle(char c) {
    const auto octet = static_cast<unsigned char>(c);
    return octet < 0x20 || octet == 0x7F;
}

bool que_des_blancs(std::string_view texte) {
    return texte.find_first_not_of(' ') == std::string_view::npos;
}

// A birth date is empty (blanks for every digit) or a real date "JJ/MM/AA";
// the year's century is unknown, so 29/02 is always taken.
bool date_naissance_valide(const std::string& ne_le, Interaction& io) {
    if (ne_le.empty() || ne_le == "  /  /  ") return true;
    auto chiffres = [&](std::size_t i) {
        return ne_le[i] >= '0' && ne_le[i] <= '9' && ne_le[i + 1] >= '0' && ne_le[i + 1] <= '9';
    };
    const bool valide =
        ne_le.size() == 8 && ne_le[2] == '/' && ne_le[5] == '/' && chiffres(0) && chiffres(3) &&
        chiffres(6) &&
        date_reelle(lire_entier(ne_le.substr(0, 2)), lire_entier(ne_le.substr(3, 2)), -1);
    if (!valide)
        io.message_erreur(cp("La date de naissance doit être une vraie date (JJ/MM/AA) ou rester "
                             "vide : ") +
                          ne_le);
    return valide;
}

}  // namespace

bool date_reelle(int jour, int mois, int annee) {
    static constexpr int kJours[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mois < 1 || mois > 12 || jour < 1 || jour > kJours[mois - 1]) return false;
    const bool bissextile = annee < 0 || (annee % 4 == 0 && (annee % 100 != 0 || annee % 400 == 0));
    return mois != 2 || jour <= 28 || bissextile;
}

bool verifier_texte(std::string_view texte, const char* quoi, Interaction& io) {
    for (char c : texte) {
        if (!controle(c)) continue;
        io.message_erreur(cp(formater("Caractère de contrôle refusé dans %s (code %d)", quoi,
                                      static_cast<unsigned char>(c))));
        return false;
    }
    return true;
}

std::optional<FicheJoueur> fiche_verifiee(const FicheJoueur& fiche, Interaction& io) {
    if (!verifier_texte(fiche.nom, "le nom", io) ||
        !verifier_texte(fiche.prenom, "le prénom", io) ||
        !verifier_texte(fiche.ne_le, "la date de naissance", io) ||
        !verifier_texte(fiche.equipe, "le code d'équipe", io))
        return std::nullopt;
    if (que_des_blancs(fiche.nom)) {
        io.message_erreur(cp("Un joueur doit avoir un nom"));
        return std::nullopt;
    }
    if (!date_naissance_valide(fiche.ne_le, io)) return std::nullopt;
    FicheJoueur f = fiche;
    // Blanks around the code are not part of it; the team list is matched
    // on letters and digits only.
    const std::size_t debut = f.equipe.find_first_not_of(' ');
    f.equipe = debut == std::string::npos
                   ? std::string()
                   : f.equipe.substr(debut, f.equipe.find_last_not_of(' ') - debut + 1);
    for (char& c : f.equipe) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if ((c < 'A' || c > 'Z') && (c < '0' || c > '9')) {
            io.message_erreur(
                cp("Le code d'équipe ne prend que des lettres de A à Z et des chiffres"));
            return std::nullopt;
        }
    }
    return f;
}

bool joueurs_prets(const Tournoi& t, Interaction& io) {
    for (int p = 1; p <= t.entete.nb_joueurs; ++p) {
        if (!que_des_blancs(champ(t.joueurs[p].nom))) continue;
        io.message_erreur(
            cp(formater("Le joueur n°%d n'a pas de nom : complétez sa fiche", t.joueurs[p].id)));
        return false;
    }
    if (t.nb_joueurs_actifs() == 1) {
        io.message_erreur(cp("Il faut au moins deux joueurs actifs pour apparier une ronde"));
        return false;
    }
    return true;
}

bool table_sans_adversaire(const Tournoi& t, int table, int r) {
    if (r < 0 || r >= MAX_RONDES || table < 0 || table >= t.nb_app[r] || table >= MAX_TABLES)
        return false;
    const Appariement& a = t.app[r][table];
    return !est_joueur(a.blanc) || !est_joueur(a.noir);
}

}  // namespace tavo::gestion
