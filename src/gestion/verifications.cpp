#include "gestion/verifications.h"

#include <algorithm>
#include <iterator>

#include "model/pxi.h"
#include "model/texte.h"

namespace tavo::gestion {
namespace {

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
        io.message_erreur(
            std::string("La date de naissance doit être une vraie date (JJ/MM/AA) ou rester "
                        "vide : ") +
            ne_le);
    return valide;
}

// The text without the blanks around it.
std::string sans_blancs_autour(const std::string& texte) {
    const std::size_t debut = texte.find_first_not_of(' ');
    if (debut == std::string::npos) return std::string();
    return texte.substr(debut, texte.find_last_not_of(' ') - debut + 1);
}

std::string en_majuscules(std::string texte) {
    for (char& c : texte)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return texte;
}

bool que_des(const std::string& texte, const char* permis) {
    return texte.find_first_not_of(permis) == std::string::npos;
}

// The federation details as stored: a federation of three letters A to Z and
// a title among FIDE's, both raised to upper case, a FIDE ID of at most 11
// digits ("0" is none), a club and a national ID without control character.
// A 1998 file keeps none of them. False, with the message, otherwise.
bool details_federaux_verifies(const Tournoi& t, FicheJoueur& f, Interaction& io) {
    if (!verifier_texte(f.club, "le club", io) ||
        !verifier_texte(f.id_national, "l'identifiant national", io))
        return false;
    f.federation = en_majuscules(sans_blancs_autour(f.federation));
    f.fide_id = sans_blancs_autour(f.fide_id);
    f.titre = en_majuscules(sans_blancs_autour(f.titre));
    const auto refuser = [&](const std::string& message, const std::string& valeur) {
        io.message_erreur(message + " : " + controles_visibles(valeur));
        return false;
    };
    if (!f.federation.empty() &&
        (f.federation.size() != 3 || !que_des(f.federation, "ABCDEFGHIJKLMNOPQRSTUVWXYZ")))
        return refuser("La fédération s'écrit en trois lettres de A à Z", f.federation);
    if (!que_des(f.fide_id, "0123456789") || f.fide_id.size() > 11)
        return refuser("L'identifiant FIDE est un nombre de 11 chiffres au plus", f.fide_id);
    if (que_des(f.fide_id, "0")) f.fide_id.clear();
    static const char* const kTitres[] = {"GM", "IM", "FM", "CM", "WGM", "WIM", "WFM", "WCM"};
    if (!f.titre.empty() && std::none_of(std::begin(kTitres), std::end(kTitres),
                                         [&](const char* titre) { return f.titre == titre; }))
        return refuser("Le titre est GM, IM, FM, CM, WGM, WIM, WFM ou WCM", f.titre);
    Joueur j;
    ecrire_fiche(j, f);
    if (const char* detail = t.limites_1998 ? detail_federal(j) : nullptr) {
        io.message_erreur(std::string("Le fichier .pxi ne peut pas garder ") + detail);
        return false;
    }
    return true;
}

}  // namespace

bool date_reelle(int jour, int mois, int annee) {
    static constexpr int kJours[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mois < 1 || mois > 12 || jour < 1 || jour > kJours[mois - 1]) return false;
    const bool bissextile = annee < 0 || (annee % 4 == 0 && (annee % 100 != 0 || annee % 400 == 0));
    return mois != 2 || jour <= 28 || bissextile;
}

bool verifier_texte(std::string_view texte, const char* quoi, Interaction& io) {
    if (!utf8_valide(texte)) {
        io.message_erreur(formater("%s n'est pas du texte UTF-8 valide", quoi));
        return false;
    }
    const std::size_t controle = premier_controle(texte);
    if (controle == std::string_view::npos) return true;
    io.message_erreur(formater("Caractère de contrôle refusé dans %s (code %ld)", quoi,
                               code_en(texte, controle)));
    return false;
}

std::optional<std::string> texte_admis(const Tournoi& t, std::string_view texte,
                                       std::size_t longueur_1998, const char* quoi,
                                       Interaction& io) {
    if (!verifier_texte(texte, quoi, io)) return std::nullopt;
    if (!t.limites_1998) return std::string(texte);
    if (const auto c = caractere_impossible(texte)) {
        io.message_erreur(
            formater("%s contient un caractère que le fichier .pxi ne peut pas "
                     "enregistrer : « %s »",
                     quoi, c->c_str()));
        return std::nullopt;
    }
    return couper_colonnes(texte, longueur_1998);
}

std::optional<FicheJoueur> fiche_verifiee(const Tournoi& t, const FicheJoueur& fiche,
                                          Interaction& io) {
    using L = Limites1998;
    const auto nom = texte_admis(t, fiche.nom, L::nom, "le nom", io);
    const auto prenom = nom ? texte_admis(t, fiche.prenom, L::prenom, "le prénom", io) : nom;
    const auto ne_le =
        prenom ? texte_admis(t, fiche.ne_le, L::ne_le, "la date de naissance", io) : prenom;
    const auto equipe =
        ne_le ? texte_admis(t, fiche.equipe, std::string::npos, "le code d'équipe", io) : ne_le;
    if (!equipe) return std::nullopt;
    if (que_des_blancs(fiche.nom)) {
        io.message_erreur("Un joueur doit avoir un nom");
        return std::nullopt;
    }
    if (!date_naissance_valide(fiche.ne_le, io)) return std::nullopt;
    FicheJoueur f = fiche;
    f.nom = *nom;
    f.prenom = *prenom;
    f.ne_le = *ne_le;
    f.equipe = *equipe;
    // Blanks around the code are not part of it; the team list is matched
    // on letters and digits only.
    f.equipe = sans_blancs_autour(f.equipe);
    for (char& c : f.equipe) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if ((c < 'A' || c > 'Z') && (c < '0' || c > '9')) {
            io.message_erreur("Le code d'équipe ne prend que des lettres de A à Z et des chiffres");
            return std::nullopt;
        }
    }
    if (t.limites_1998) f.equipe = f.equipe.substr(0, L::equipe);
    if (!details_federaux_verifies(t, f, io)) return std::nullopt;
    return f;
}

bool joueurs_prets(const Tournoi& t, Interaction& io) {
    for (const Joueur& j : t.joueurs) {
        if (!que_des_blancs(j.nom)) continue;
        io.message_erreur(formater("Le joueur n°%d n'a pas de nom : complétez sa fiche", j.id));
        return false;
    }
    if (t.nb_joueurs_actifs() == 1) {
        io.message_erreur("Il faut au moins deux joueurs actifs pour apparier une ronde");
        return false;
    }
    return true;
}

bool table_sans_adversaire(const Tournoi& t, int table, int r) {
    if (r < 0 || table < 0 || table >= t.nb_tables(r)) return false;
    const Appariement& a = t.table(r, table);
    return !est_joueur(a.blanc) || !est_joueur(a.noir);
}

}  // namespace tavo::gestion
