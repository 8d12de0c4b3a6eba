#include "gestion/proprietes.h"

#include <algorithm>

#include "gestion/verifications.h"
#include "model/texte.h"
#include "standings/departages.h"

namespace tavo::gestion {
namespace {

using L = Limites1998;

// A text of the header as the tournament keeps it: cut to its field in a
// 1998 file (verifier_proprietes checked that it fits otherwise).
std::string dans_le_champ(const std::string& texte, std::size_t longueur, bool limites_1998) {
    return limites_1998 ? couper_colonnes(texte, longueur) : texte;
}

void prendre_identite(Tournoi& t, const Proprietes& p) {
    t.entete.date = dans_le_champ(p.date, L::date, t.limites_1998);
    t.entete.nom = dans_le_champ(p.nom, L::nom_tournoi, t.limites_1998);
    t.entete.nb_rondes = p.nb_rondes;
    t.entete.demi_points_max = p.demi_points_max;
    t.entete.dernieres_rondes_sans_demi = p.dernieres_rondes_sans_demi;
    choisir_departages(t, p.departages);
}

void prendre_jeu(Tournoi& t, const std::string& jeu) {
    t.entete.jeu = dans_le_champ(jeu, L::jeu, t.limites_1998);
    t.entete.othello = tavo::est_othello(t.entete.jeu);
}

// A text of the properties: UTF-8 without control character, and in a 1998
// file only characters of Windows-1252.
bool texte_valide(const std::string& texte, const char* quoi, bool limites_1998, Interaction& io) {
    Tournoi cadre;
    cadre.limites_1998 = limites_1998;
    return texte_admis(cadre, texte, std::string::npos, quoi, io).has_value();
}

// The limits of half-point byes: 0 to 99, and in a .pxi the only ones it
// keeps.
bool limites_absences_valides(const Proprietes& p, Interaction& io, bool limites_1998) {
    const auto hors = [](int n) { return n < 0 || n > 99; };
    if (hors(p.demi_points_max) || hors(p.dernieres_rondes_sans_demi)) {
        io.message_erreur("Les limites des absences à demi-point vont de 0 à 99");
        return false;
    }
    const Proprietes defaut;
    if (limites_1998 && (p.demi_points_max != defaut.demi_points_max ||
                         p.dernieres_rondes_sans_demi != defaut.dernieres_rondes_sans_demi)) {
        io.message_erreur("Le fichier .pxi ne peut pas garder d'autres limites des absences");
        return false;
    }
    return true;
}

}  // namespace

Proprietes lire_proprietes(const Tournoi& t) {
    Proprietes p;
    p.date = t.entete.date;
    p.nom = t.entete.nom;
    p.jeu = t.entete.jeu;
    p.nb_rondes = t.entete.nb_rondes;
    p.departages = t.entete.departages;
    p.demi_points_max = t.entete.demi_points_max;
    p.dernieres_rondes_sans_demi = t.entete.dernieres_rondes_sans_demi;
    return p;
}

bool est_othello(const Tournoi& t) {
    return t.entete.othello;
}

bool verifier_proprietes(const Proprietes& p, Interaction& io, bool limites_1998) {
    if (p.departages.empty()) {
        io.message_erreur("Il me faut au moins une fonction de départage");
        return false;
    }
    for (std::size_t i = 0; i < p.departages.size(); ++i) {
        const int id = p.departages[i];
        if (id < 0 || id >= NB_SYSTEMES_DEPARTAGE ||
            std::find(p.departages.begin(), p.departages.begin() + static_cast<std::ptrdiff_t>(i),
                      id) != p.departages.begin() + static_cast<std::ptrdiff_t>(i)) {
            io.message_erreur("Chaque fonction de départage se choisit une fois");
            return false;
        }
    }
    // A number the pairing could not honour is refused here rather than
    // discovered in the middle of the tournament.
    const int plus = limites_1998 ? L::rondes : MAX_RONDES;
    if (p.nb_rondes < 0 || p.nb_rondes > plus) {
        io.message_erreur(formater("Le nombre de rondes doit être compris entre 0 et %d", plus));
        return false;
    }
    if (!limites_absences_valides(p, io, limites_1998)) return false;
    return texte_valide(p.date, "la date", limites_1998, io) &&
           texte_valide(p.nom, "le nom du tournoi", limites_1998, io) &&
           texte_valide(p.jeu, "le jeu", limites_1998, io);
}

namespace {

// Rounds already paired stay part of the tournament.
bool rondes_suffisantes(const Tournoi& t, const Proprietes& p, Interaction& io) {
    const int appariees = t.entete.ronde_courante + 1;
    if (p.nb_rondes >= appariees) return true;
    io.message_erreur(formater(
        "%d rondes sont déjà appariées : le tournoi ne peut pas en compter moins", appariees));
    return false;
}

// Once a round is paired, the game cannot change to or from Othello: the
// results already entered are in the other kind.
bool jeu_permis(const Tournoi& t, const Proprietes& p, Interaction& io) {
    if (t.entete.ronde_courante < 0) return true;
    const bool othello = tavo::est_othello(dans_le_champ(p.jeu, L::jeu, t.limites_1998));
    if (!t.entete.othello && othello) {
        io.message_erreur("Impossible de passer au jeu Othello en milieu de tournoi !");
        return false;
    }
    if (t.entete.othello && !othello) {
        io.message_erreur("Impossible de passer à un autre jeu qu'Othello en milieu de tournoi !");
        return false;
    }
    return true;
}

}  // namespace

bool valider_proprietes(const Tournoi& t, const Proprietes& p, Interaction& io) {
    return verifier_proprietes(p, io, t.limites_1998) && rondes_suffisantes(t, p, io) &&
           jeu_permis(t, p, io);
}

bool nouveau_tournoi(Tournoi& t, const Proprietes& p, Interaction& io) {
    if (!verifier_proprietes(p, io, t.limites_1998)) return false;
    t.vider();
    t.entete.modifie = true;
    prendre_identite(t, p);
    prendre_jeu(t, p.jeu);
    return true;
}

bool modifier_tournoi(Tournoi& t, const Proprietes& p, Interaction& io) {
    if (!valider_proprietes(t, p, io)) return false;
    t.entete.modifie = true;
    prendre_identite(t, p);
    prendre_jeu(t, p.jeu);
    return true;
}

}  // namespace tavo::gestion
