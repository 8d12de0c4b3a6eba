#include "model/tournoi.h"

#include <algorithm>

#include "model/texte.h"

namespace tavo {

int Tournoi::nb_tables(int r) const {
    if (r < 0 || r >= static_cast<int>(rondes.size())) return 0;
    return static_cast<int>(rondes[static_cast<std::size_t>(r)].tables.size());
}

void Tournoi::vider() {
    entete.othello = false;
    entete.ronde_courante = -1;
    entete.nb_rondes = 0;
    joueurs.clear();
    rondes.clear();
    interdits.clear();
    index_.clear();
}

void Tournoi::effacer_rondes(int de) {
    if (de < 0) de = 0;
    if (static_cast<std::size_t>(de) < rondes.size()) rondes.resize(static_cast<std::size_t>(de));
    for (Joueur& j : joueurs)
        if (static_cast<std::size_t>(de) < j.rondes.size())
            j.rondes.resize(static_cast<std::size_t>(de));
}

void Tournoi::ouvrir_ronde(int r) {
    effacer_rondes(r);
    rondes.resize(static_cast<std::size_t>(r) + 1);
    for (Joueur& j : joueurs) j.rondes.resize(static_cast<std::size_t>(r) + 1);
}

int Tournoi::nb_joueurs_actifs() const {
    int n = 0;
    for (const Joueur& j : joueurs)
        if (j.actif) ++n;
    return n;
}

int Tournoi::premier_actif(int de, int a) const {
    for (int p = de; p <= a && p < nb_joueurs(); ++p)
        if (joueurs[static_cast<std::size_t>(p)].actif) return p;
    return -1;
}

int Tournoi::position_mediane() const {
    const int k = nb_joueurs_actifs() / 2;
    if (k == 0) return -1;
    int vus = 0;
    for (int p = 0; p < nb_joueurs(); ++p)
        if (joueurs[static_cast<std::size_t>(p)].actif && ++vus == k) return p;
    return -1;
}

bool Tournoi::ronde_complete(int r) const {
    if (r < 0 || r >= static_cast<int>(rondes.size())) return true;
    for (const Appariement& a : rondes[static_cast<std::size_t>(r)].tables)
        if (!a.saisi()) return false;
    return true;
}

void Tournoi::indexer_joueurs() {
    int plus_grand = 0;
    for (const Joueur& j : joueurs) plus_grand = std::max(plus_grand, j.id);
    index_.assign(static_cast<std::size_t>(plus_grand) + 1, -1);
    for (int p = 0; p < nb_joueurs(); ++p) {
        const int id = joueurs[static_cast<std::size_t>(p)].id;
        if (id > 0) index_[static_cast<std::size_t>(id)] = p;
    }
}

std::string Tournoi::titre_fenetre() const {
    return "Tournoi " + entete.nom + ", du " + entete.date + ", jeu : " + entete.jeu;
}

const Absence* Joueur::absence(int r) const {
    for (const Absence& a : absences)
        if (a.ronde == r) return &a;
    return nullptr;
}

Resultat resultat_forfait(Forfait f) {
    return f == Forfait::aucun  ? Resultat::aucun
           : f == Forfait::noir ? Resultat::gain
                                : Resultat::perte;
}

void poser_resultat(Tournoi& t, int r, int table, Resultat res_blanc, int pions_blanc,
                    int pions_noir, Forfait forfait) {
    Appariement& a = t.rondes[static_cast<std::size_t>(r)].tables[static_cast<std::size_t>(table)];
    a.res_blanc = res_blanc;
    a.pions_blanc = pions_blanc;
    a.pions_noir = pions_noir;
    a.forfait = res_blanc == Resultat::aucun ? Forfait::aucun : forfait;
    // The players hold the result once it is entered, nothing before.
    const bool saisi = a.saisi();
    auto suivre = [&](int id, Resultat resultat, int pions) {
        if (!est_joueur(id) || !t.existe(id)) return;
        RondeJoueur& rj = t.joueur(id).rondes[static_cast<std::size_t>(r)];
        rj.resultat = saisi ? resultat : Resultat::aucun;
        rj.pions = saisi ? pions : 0;
        rj.forfait = a.forfait != Forfait::aucun;
    };
    suivre(a.blanc, a.res_blanc, a.pions_blanc);
    suivre(a.noir, a.res_noir(), a.pions_noir);
}

void effacer_ronde_joueur(Joueur& j, int r) {
    if (static_cast<std::size_t>(r) < j.rondes.size())
        j.rondes[static_cast<std::size_t>(r)] = RondeJoueur{};
}

void poser_ronde_sans_table(Joueur& j, int r) {
    RondeJoueur& rj = j.rondes[static_cast<std::size_t>(r)];
    rj = RondeJoueur{};
    rj.couleur = SANS_PARTIE;
    const Absence* demande = j.absence(r);
    rj.adversaire = demande ? ID_ABSENCE : ID_FORFAIT;
    if (demande) rj.resultat = demande->demi_point ? Resultat::nulle : Resultat::perte;
}

int points_jusqu_a(const Joueur& j, int derniere) {
    int somme = 0;
    for (int r = 0; r <= derniere && static_cast<std::size_t>(r) < j.rondes.size(); ++r)
        somme += demi_points(j.rondes[static_cast<std::size_t>(r)].resultat);
    return somme;
}

}  // namespace tavo
