#include "gestion/joueurs.h"

#include <cstring>

#include "gestion/verifications.h"
#include "model/texte.h"

namespace tavo::gestion {
namespace {

bool joueur_connu(const Tournoi& t, int id) {
    return id >= 1 && id <= t.entete.nb_joueurs;
}

bool refuser_inconnu(int id, Interaction& io) {
    io.message_erreur(cp("Joueur inconnu : n°") + std::to_string(id));
    return false;
}

}  // namespace

int nombre_joueurs(const Tournoi& t) {
    return t.entete.nb_joueurs;
}

bool inscriptions_ouvertes(const Tournoi& t) {
    return t.entete.ronde_courante < 0;
}

bool inscription_possible(const Tournoi& t, Interaction& io) {
    if (!inscriptions_ouvertes(t)) {
        io.message_erreur(
            cp("Impossible d'ajouter un joueur : la première ronde est déjà appariée"));
        return false;
    }
    if (t.entete.nb_joueurs >= MAX_JOUEURS) {
        io.message_erreur(
            cp("Impossible d'ajouter un joueur : le programme est limité à 100 joueurs"));
        return false;
    }
    return true;
}

int inscrire_joueur(Tournoi& t, Interaction& io) {
    return inscription_possible(t, io) ? ajouter_joueur(t) : 0;
}

int inscrire_joueur(Tournoi& t, const FicheJoueur& fiche, Interaction& io) {
    const auto verifiee = fiche_verifiee(fiche, io);
    if (!verifiee) return 0;
    const int id = inscrire_joueur(t, io);
    if (id != 0) ecrire_fiche(t.joueur(id), *verifiee);
    return id;
}

bool modifier_joueur(Tournoi& t, int id, const FicheJoueur& fiche, Interaction& io) {
    if (!joueur_connu(t, id)) return refuser_inconnu(id, io);
    const auto verifiee = fiche_verifiee(fiche, io);
    if (!verifiee) return false;
    Joueur& j = t.joueur(id);
    const Joueur avant = j;
    ecrire_fiche(j, *verifiee);
    if (std::memcmp(&avant, &j, sizeof(Joueur)) != 0) t.entete.modifie = 1;
    return true;
}

bool supprimer_joueur(Tournoi& t, int id, Interaction& io) {
    if (!joueur_connu(t, id)) return refuser_inconnu(id, io);
    if (!inscriptions_ouvertes(t)) {
        io.message_erreur(
            cp("Impossible de supprimer un joueur : la première ronde est déjà appariée"));
        return false;
    }
    return retirer_joueur(t, id);
}

void numeroter_joueurs(Tournoi& t) {
    if (!inscriptions_ouvertes(t)) return;
    bool change = false;
    for (int q = 1; q <= t.entete.nb_joueurs; ++q) change = change || t.joueurs[q].id != q;
    renumeroter(t);
    if (change) t.entete.modifie = 1;
}

std::optional<FicheJoueur> fiche_joueur(const Tournoi& t, int id) {
    if (!joueur_connu(t, id)) return std::nullopt;
    return lire_fiche(t.joueur(id));
}

}  // namespace tavo::gestion
