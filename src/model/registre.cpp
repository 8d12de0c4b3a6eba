#include "model/registre.h"

#include <algorithm>

#include "model/texte.h"

namespace tavo {

FicheJoueur lire_fiche(const Joueur& j) {
    FicheJoueur f;
    f.nom = champ(j.nom);
    f.prenom = champ(j.prenom);
    f.ne_le = champ(j.ne_le);
    f.equipe = champ(j.equipe);
    f.elo = j.elo;
    f.fille = j.fille != 0;
    f.actif = j.actif != 0;
    return f;
}

void ecrire_fiche(Joueur& j, const FicheJoueur& f) {
    copier_champ(j.nom, f.nom);
    copier_champ(j.prenom, f.prenom);
    copier_champ(j.ne_le, f.ne_le);
    copier_champ(j.equipe, f.equipe);
    j.elo = static_cast<std::int16_t>(std::clamp(f.elo, 0, 9999));
    j.fille = f.fille ? 1 : 0;
    j.actif = f.actif ? 1 : 0;
}

int ajouter_joueur(Tournoi& t) {
    if (t.entete.nb_joueurs >= MAX_JOUEURS) return 0;
    const int n = ++t.entete.nb_joueurs;
    t.joueurs[n] = Joueur{};
    t.joueurs[n].actif = 1;
    t.joueurs[n].id = static_cast<std::int16_t>(n);
    t.indexer_joueurs();
    t.entete.modifie = 1;
    return n;
}

bool retirer_joueur(Tournoi& t, int id) {
    if (id < 1 || id > t.entete.nb_joueurs) return false;
    const int p = t.index[id];
    for (int q = p; q < t.entete.nb_joueurs; ++q) t.joueurs[q] = t.joueurs[q + 1];
    --t.entete.nb_joueurs;
    renumeroter(t);
    t.entete.modifie = 1;
    return true;
}

void renumeroter(Tournoi& t) {
    for (int q = 1; q <= t.entete.nb_joueurs; ++q) t.joueurs[q].id = static_cast<std::int16_t>(q);
    t.indexer_joueurs();
}

}  // namespace tavo
