#include "model/tournoi.h"

#include "model/texte.h"

namespace tavo {

bool est_othello(std::string_view jeu) {
    return egal_sans_casse(jeu, "Othello");
}

Tournoi::Tournoi() {
    entete.ronde_courante = -1;
}

void Tournoi::vider() {
    entete.othello = 0;
    entete.ronde_courante = -1;
    entete.nb_rondes = 0;
    entete.nb_joueurs = 0;
    app = {};
    nb_app = {};
    joueurs = {};
}

void Tournoi::effacer_rondes(int de) {
    for (int r = de; r < MAX_RONDES; ++r) {
        app[r] = {};
        nb_app[r] = 0;
        for (int p = 1; p <= entete.nb_joueurs; ++p) {
            Joueur& j = joueurs[p];
            j.adversaires[r] = ID_AUCUN;
            j.couleurs[r] = 0;
            j.resultats[r] = 0;
            j.pions[r] = 0;
        }
    }
}

int Tournoi::nb_joueurs_actifs() const {
    int n = 0;
    for (int p = 1; p <= entete.nb_joueurs; ++p)
        if (joueurs[p].actif != 0) ++n;
    return n;
}

int Tournoi::premier_actif(int de, int a) const {
    for (int p = de; p <= a; ++p)
        if (joueurs[p].actif != 0) return p;
    return 0;
}

int Tournoi::position_mediane() const {
    const int k = nb_joueurs_actifs() / 2;
    if (k == 0) return 0;
    int vus = 0;
    for (int p = 1; p <= entete.nb_joueurs; ++p)
        if (joueurs[p].actif != 0 && ++vus == k) return p;
    return 0;
}

bool Tournoi::ronde_complete(int r) const {
    for (int t = 0; t < nb_app[r]; ++t)
        if (app[r][t].saisi == 0) return false;
    return true;
}

void Tournoi::indexer_joueurs() {
    for (int p = 1; p <= entete.nb_joueurs; ++p)
        index[joueurs[p].id] = static_cast<std::int16_t>(p);
}

std::string Tournoi::titre_fenetre() const {
    return "Tournoi " + champ(entete.nom) + ", du " + champ(entete.date) +
           ", jeu : " + champ(entete.jeu);
}

}  // namespace tavo
