#include "gestion/joueurs.h"

#include <algorithm>
#include <string>

#include "gestion/verifications.h"
#include "model/texte.h"

namespace tavo::gestion {
namespace {

bool joueur_connu(const Tournoi& t, int id) {
    return est_joueur(id) && t.existe(id);
}

bool refuser_inconnu(int id, Interaction& io) {
    io.message_erreur("Joueur inconnu : n°" + std::to_string(id));
    return false;
}

}  // namespace

int nombre_joueurs(const Tournoi& t) {
    return t.nb_joueurs();
}

bool ajout_possible(const Tournoi& t) {
    const int r = t.entete.ronde_courante;
    const int capacite = t.limites_1998 ? Limites1998::rondes : MAX_RONDES;
    return r < 0 || r < std::min(t.entete.nb_rondes, capacite) - 1;
}

bool suppression_possible(const Tournoi& t) {
    return t.entete.ronde_courante < 0;
}

bool inscription_possible(const Tournoi& t, Interaction& io) {
    if (!ajout_possible(t)) {
        io.message_erreur(
            "Impossible d'ajouter un joueur : toutes les rondes prévues sont appariées");
        return false;
    }
    if (t.nb_joueurs() >= capacite_joueurs(t)) {
        io.message_erreur(formater("Impossible d'ajouter un joueur : %s est limité à %d joueurs",
                                   t.limites_1998 ? "le fichier .pxi" : "le programme",
                                   capacite_joueurs(t)));
        return false;
    }
    return true;
}

int inscrire_joueur(Tournoi& t, Interaction& io) {
    if (!inscription_possible(t, io)) return 0;
    const int id = ajouter_joueur(t);
    // The rounds paired before he came are forfeits, as for an inactive player.
    Joueur& j = t.joueur(id);
    for (int r = 0; r <= t.entete.ronde_courante; ++r) {
        j.ronde(r).adversaire = ID_FORFAIT;
        j.ronde(r).couleur = SANS_PARTIE;
    }
    return id;
}

int inscrire_joueur(Tournoi& t, const FicheJoueur& fiche, Interaction& io) {
    const auto verifiee = fiche_verifiee(t, fiche, io);
    if (!verifiee) return 0;
    const int id = inscrire_joueur(t, io);
    if (id != 0) ecrire_fiche(t.joueur(id), *verifiee);
    return id;
}

bool modifier_joueur(Tournoi& t, int id, const FicheJoueur& fiche, Interaction& io) {
    if (!joueur_connu(t, id)) return refuser_inconnu(id, io);
    const auto verifiee = fiche_verifiee(t, fiche, io);
    if (!verifiee) return false;
    Joueur& j = t.joueur(id);
    const Joueur avant = j;
    ecrire_fiche(j, *verifiee);
    if (!(avant == j)) t.entete.modifie = true;
    return true;
}

bool supprimer_joueur(Tournoi& t, int id, Interaction& io) {
    if (!joueur_connu(t, id)) return refuser_inconnu(id, io);
    if (!suppression_possible(t)) {
        io.message_erreur(
            "Impossible de supprimer un joueur : la première ronde est déjà appariée");
        return false;
    }
    return retirer_joueur(t, id);
}

void numeroter_joueurs(Tournoi& t) {
    if (!suppression_possible(t)) return;
    bool change = false;
    for (int q = 0; q < t.nb_joueurs(); ++q)
        change = change || t.joueurs[static_cast<std::size_t>(q)].id != q + 1;
    renumeroter(t);
    if (change) t.entete.modifie = true;
}

bool trier_par_elo(Tournoi& t, Interaction& io) {
    if (!suppression_possible(t)) {
        io.message_erreur("Impossible de trier les joueurs : la première ronde est déjà appariée");
        return false;
    }
    auto avant = [](const Joueur& a, const Joueur& b) {
        if (a.elo != b.elo) return a.elo > b.elo;
        const std::string na = cle_de_tri(a.nom), nb = cle_de_tri(b.nom);
        if (na != nb) return na < nb;
        return cle_de_tri(a.prenom) < cle_de_tri(b.prenom);
    };
    std::stable_sort(t.joueurs.begin(), t.joueurs.end(), avant);
    numeroter_joueurs(t);
    return true;
}

int chercher_joueur(const Tournoi& t, std::string_view debut, int apres) {
    const bool numero = !debut.empty() && debut.size() <= 4 &&
                        debut.find_first_not_of("0123456789") == std::string_view::npos;
    if (numero) return t.existe(lire_entier(debut)) ? lire_entier(debut) : 0;
    const std::string cle = cle_de_tri(debut);
    const int n = t.nb_joueurs();
    if (cle.empty()) return 0;
    for (int k = 1; k <= n; ++k) {
        const int id = (apres + k - 1) % n + 1;
        if (t.existe(id) && cle_de_tri(t.joueur(id).nom).rfind(cle, 0) == 0) return id;
    }
    return 0;
}

std::optional<FicheJoueur> fiche_joueur(const Tournoi& t, int id) {
    if (!joueur_connu(t, id)) return std::nullopt;
    return lire_fiche(t.joueur(id));
}

}  // namespace tavo::gestion
