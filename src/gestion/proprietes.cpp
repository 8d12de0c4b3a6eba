#include "gestion/proprietes.h"

#include <algorithm>

#include "gestion/verifications.h"
#include "model/texte.h"
#include "standings/departages.h"

namespace tavo::gestion {
namespace {

// The game as the header holds it: cut to its field.
std::string jeu_du_champ(const std::string& jeu) {
    char champ_jeu[sizeof(EnteteTournoi::jeu)];
    copier_champ(champ_jeu, jeu);
    return champ(champ_jeu);
}

void prendre_identite(Tournoi& t, const Proprietes& p) {
    copier_champ(t.entete.date, p.date);
    copier_champ(t.entete.nom, p.nom);
    t.entete.nb_rondes = static_cast<std::int16_t>(p.nb_rondes);
    choisir_departages(t, p.departages);
}

void prendre_jeu(Tournoi& t, const std::string& jeu) {
    copier_champ(t.entete.jeu, jeu);
    t.entete.othello = tavo::est_othello(champ(t.entete.jeu)) ? 1 : 0;
}

}  // namespace

Proprietes lire_proprietes(const Tournoi& t) {
    Proprietes p;
    p.date = champ(t.entete.date);
    p.nom = champ(t.entete.nom);
    p.jeu = champ(t.entete.jeu);
    p.nb_rondes = t.entete.nb_rondes;
    for (int i = 0; i < t.entete.nb_departages && i < MAX_DEPARTAGES; ++i)
        p.departages.push_back(t.entete.departages[i]);
    return p;
}

bool est_othello(const Tournoi& t) {
    return t.entete.othello != 0;
}

bool verifier_proprietes(const Proprietes& p, Interaction& io) {
    if (p.departages.empty()) {
        io.message_erreur(cp("Il me faut au moins une fonction de départage"));
        return false;
    }
    for (std::size_t i = 0; i < p.departages.size(); ++i) {
        const int id = p.departages[i];
        if (id < 0 || id >= NB_SYSTEMES_DEPARTAGE ||
            std::find(p.departages.begin(), p.departages.begin() + i, id) !=
                p.departages.begin() + i) {
            io.message_erreur(cp("Chaque fonction de départage se choisit une fois"));
            return false;
        }
    }
    // The round tables hold 15 rounds: a number the pairing could not honour
    // is refused here rather than discovered in the middle of the tournament.
    if (p.nb_rondes < 0 || p.nb_rondes > MAX_RONDES) {
        io.message_erreur(cp("Le nombre de rondes doit être compris entre 0 et 15"));
        return false;
    }
    return verifier_texte(p.date, "la date", io) &&
           verifier_texte(p.nom, "le nom du tournoi", io) && verifier_texte(p.jeu, "le jeu", io);
}

namespace {

// Rounds already paired stay part of the tournament.
bool rondes_suffisantes(const Tournoi& t, const Proprietes& p, Interaction& io) {
    const int appariees = t.entete.ronde_courante + 1;
    if (p.nb_rondes >= appariees) return true;
    io.message_erreur(cp(formater(
        "%d rondes sont déjà appariées : le tournoi ne peut pas en compter moins", appariees)));
    return false;
}

// Once a round is paired, the game cannot change to or from Othello: the
// results already entered are in the other kind.
bool jeu_permis(const Tournoi& t, const Proprietes& p, Interaction& io) {
    if (t.entete.ronde_courante < 0) return true;
    const bool othello = tavo::est_othello(jeu_du_champ(p.jeu));
    if (t.entete.othello == 0 && othello) {
        io.message_erreur(cp("Impossible de passer au jeu Othello en milieu de tournoi !"));
        return false;
    }
    if (t.entete.othello != 0 && !othello) {
        io.message_erreur(
            cp("Impossible de passer à un autre jeu qu'Othello en milieu de tournoi !"));
        return false;
    }
    return true;
}

}  // namespace

bool valider_proprietes(const Tournoi& t, const Proprietes& p, Interaction& io) {
    return verifier_proprietes(p, io) && rondes_suffisantes(t, p, io) && jeu_permis(t, p, io);
}

bool nouveau_tournoi(Tournoi& t, const Proprietes& p, Interaction& io) {
    if (!verifier_proprietes(p, io)) return false;
    t.vider();
    t.entete.modifie = 1;
    prendre_identite(t, p);
    prendre_jeu(t, p.jeu);
    return true;
}

bool modifier_tournoi(Tournoi& t, const Proprietes& p, Interaction& io) {
    if (!valider_proprietes(t, p, io)) return false;
    t.entete.modifie = 1;
    prendre_identite(t, p);
    prendre_jeu(t, p.jeu);
    return true;
}

}  // namespace tavo::gestion
