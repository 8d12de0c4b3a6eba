#include "model/registre.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tavo {

int capacite_joueurs(const Tournoi& t) {
    return t.limites_1998 ? Limites1998::joueurs : MAX_JOUEURS;
}

FicheJoueur lire_fiche(const Joueur& j) {
    FicheJoueur f;
    f.nom = j.nom;
    f.prenom = j.prenom;
    f.ne_le = j.ne_le;
    f.equipe = j.equipe;
    f.elo = j.elo;
    f.fille = j.fille;
    f.actif = j.actif;
    f.club = j.club;
    f.federation = j.federation;
    f.fide_id = j.fide_id != 0 ? std::to_string(j.fide_id) : std::string();
    f.id_national = j.id_national;
    f.titre = j.titre;
    return f;
}

void ecrire_fiche(Joueur& j, const FicheJoueur& f) {
    j.nom = f.nom;
    j.prenom = f.prenom;
    j.ne_le = f.ne_le;
    j.equipe = f.equipe;
    j.elo = std::clamp(f.elo, 0, 9999);
    j.fille = f.fille;
    j.actif = f.actif;
    j.club = f.club;
    j.federation = f.federation;
    j.fide_id = 0;
    for (const char c : f.fide_id)
        if (c >= '0' && c <= '9' && j.fide_id < 10000000000) j.fide_id = j.fide_id * 10 + (c - '0');
    j.id_national = f.id_national;
    j.titre = f.titre;
}

int ajouter_joueur(Tournoi& t) {
    if (t.nb_joueurs() >= capacite_joueurs(t)) return 0;
    Joueur j;
    j.id = t.nb_joueurs() + 1;
    j.rondes.resize(t.rondes.size());
    t.joueurs.push_back(std::move(j));
    t.indexer_joueurs();
    t.entete.modifie = true;
    return t.joueurs.back().id;
}

bool retirer_joueur(Tournoi& t, int id) {
    if (!t.existe(id)) return false;
    t.joueurs.erase(t.joueurs.begin() + t.position(id));
    renumeroter(t);
    t.entete.modifie = true;
    return true;
}

void renumeroter(Tournoi& t) {
    std::vector<int> nouveau;
    for (int p = 0; p < t.nb_joueurs(); ++p) {
        Joueur& j = t.joueurs[static_cast<std::size_t>(p)];
        if (static_cast<int>(nouveau.size()) <= j.id)
            nouveau.resize(static_cast<std::size_t>(j.id) + 1, 0);
        nouveau[static_cast<std::size_t>(j.id)] = p + 1;
        j.id = p + 1;
    }
    // The forbidden pairs follow their players; a pair of a player deleted
    // goes with him.
    auto numero = [&](int id) {
        return id > 0 && id < static_cast<int>(nouveau.size())
                   ? nouveau[static_cast<std::size_t>(id)]
                   : 0;
    };
    std::vector<std::pair<int, int>> suivis;
    for (const auto& [a, b] : t.interdits)
        if (numero(a) != 0 && numero(b) != 0) suivis.push_back(std::minmax(numero(a), numero(b)));
    std::sort(suivis.begin(), suivis.end());
    t.interdits = std::move(suivis);
    t.indexer_joueurs();
}

}  // namespace tavo
