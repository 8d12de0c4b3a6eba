#include "gestion/joueurs.h"

#include <algorithm>
#include <cstring>
#include <string>

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

// A name as it sorts: capitals without accents.
std::string cle_alphabetique(std::string_view texte) {
    // Windows-1252 letters 0xC0 to 0xFF without their accents; 0 where none.
    static constexpr char kSansAccent[] =
        "AAAAAAACEEEEIIIIDNOOOOO\0OUUUUYTSAAAAAAACEEEEIIIIDNOOOOO\0OUUUUYTY";
    std::string cle;
    for (const char c : texte) {
        const auto octet = static_cast<unsigned char>(c);
        char l = c;
        if (octet >= 0xC0 && kSansAccent[octet - 0xC0] != 0) l = kSansAccent[octet - 0xC0];
        if (l >= 'a' && l <= 'z') l = static_cast<char>(l - 'a' + 'A');
        cle += l;
    }
    return cle;
}

}  // namespace

int nombre_joueurs(const Tournoi& t) {
    return t.entete.nb_joueurs;
}

bool ajout_possible(const Tournoi& t) {
    const int r = t.entete.ronde_courante;
    return r < 0 || r < std::min<int>(t.entete.nb_rondes, MAX_RONDES) - 1;
}

bool suppression_possible(const Tournoi& t) {
    return t.entete.ronde_courante < 0;
}

bool inscription_possible(const Tournoi& t, Interaction& io) {
    if (!ajout_possible(t)) {
        io.message_erreur(
            cp("Impossible d'ajouter un joueur : toutes les rondes prévues sont appariées"));
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
    if (!inscription_possible(t, io)) return 0;
    const int id = ajouter_joueur(t);
    // The rounds paired before he came are forfeits, as for an inactive player.
    Joueur& j = t.joueur(id);
    for (int r = 0; r <= t.entete.ronde_courante; ++r) {
        j.adversaires[r] = ID_FORFAIT;
        j.couleurs[r] = SANS_PARTIE;
    }
    return id;
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
    if (!suppression_possible(t)) {
        io.message_erreur(
            cp("Impossible de supprimer un joueur : la première ronde est déjà appariée"));
        return false;
    }
    return retirer_joueur(t, id);
}

void numeroter_joueurs(Tournoi& t) {
    if (!suppression_possible(t)) return;
    bool change = false;
    for (int q = 1; q <= t.entete.nb_joueurs; ++q) change = change || t.joueurs[q].id != q;
    renumeroter(t);
    if (change) t.entete.modifie = 1;
}

bool trier_par_elo(Tournoi& t, Interaction& io) {
    if (!suppression_possible(t)) {
        io.message_erreur(
            cp("Impossible de trier les joueurs : la première ronde est déjà appariée"));
        return false;
    }
    auto avant = [](const Joueur& a, const Joueur& b) {
        if (a.elo != b.elo) return a.elo > b.elo;
        const std::string na = cle_alphabetique(champ(a.nom)), nb = cle_alphabetique(champ(b.nom));
        if (na != nb) return na < nb;
        return cle_alphabetique(champ(a.prenom)) < cle_alphabetique(champ(b.prenom));
    };
    std::stable_sort(t.joueurs.begin() + 1, t.joueurs.begin() + 1 + t.entete.nb_joueurs, avant);
    numeroter_joueurs(t);
    return true;
}

int chercher_joueur(const Tournoi& t, std::string_view debut, int apres) {
    const std::string cle = cle_alphabetique(debut);
    const int n = t.entete.nb_joueurs;
    if (cle.empty()) return 0;
    for (int k = 1; k <= n; ++k) {
        const int id = (apres + k - 1) % n + 1;
        if (cle_alphabetique(champ(t.joueur(id).nom)).rfind(cle, 0) == 0) return id;
    }
    return 0;
}

std::optional<FicheJoueur> fiche_joueur(const Tournoi& t, int id) {
    if (!joueur_connu(t, id)) return std::nullopt;
    return lire_fiche(t.joueur(id));
}

}  // namespace tavo::gestion
