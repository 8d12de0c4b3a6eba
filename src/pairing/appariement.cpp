#include "pairing/appariement.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include "model/texte.h"
#include "pairing/elagage.h"
#include "pairing/recherche.h"
#include "pairing/secours.h"
#include "standings/scores.h"

namespace tavo {
namespace {

// Writes one game of round r into both players' records. The players' result
// of the round is cleared: the table has none yet.
void poser_adversaires(Tournoi& t, int r, const Appariement& a) {
    auto poser = [&](std::int16_t id, std::int16_t adversaire, std::uint8_t couleur) {
        if (!est_joueur(id)) return;
        Joueur& j = t.joueur(id);
        j.adversaires[r] = adversaire;
        j.couleurs[r] = couleur;
        j.resultats[r] = 0;
        j.pions[r] = 0;
    };
    poser(a.blanc, a.noir, BLANC);
    poser(a.noir, a.blanc, NOIR);
}

// The bye is entered at once as a 2-0 win (33 discs to 31). The player's
// record gets it too, so that the round counts right as soon as its other
// tables have their results, even before it is committed.
void reporter_exempt(Tournoi& t, int r, const Appariement& a) {
    if (a.noir == ID_QUALIFIE && est_joueur(a.blanc)) {
        t.joueur(a.blanc).resultats[r] = a.res_blanc;
        t.joueur(a.blanc).pions[r] = a.pions_blanc;
    }
    if (a.blanc == ID_QUALIFIE && est_joueur(a.noir)) {
        t.joueur(a.noir).resultats[r] = a.res_noir;
        t.joueur(a.noir).pions[r] = a.pions_noir;
    }
}

}  // namespace

void poser_table(Tournoi& t, int r, const Appariement& a) {
    poser_adversaires(t, r, a);
    reporter_exempt(t, r, a);
}

bool nouvelle_ronde(Tournoi& t, Interaction& io, const OptionsAppariement& options) {
    const int r = t.entete.ronde_courante;
    if (r >= 0 && !t.ronde_complete(r)) {
        io.message_erreur(cp("Tous les résultats de la ronde courante ne sont pas saisis"));
        return false;
    }
    const int derniere = std::min<int>(t.entete.nb_rondes, MAX_RONDES) - 1;
    if (r >= derniere) {
        io.message_erreur(cp("Toutes les rondes de ce tounoi ont été faites"));
        return false;
    }
    t.entete.ronde_courante = static_cast<std::int16_t>(r + 1);
    t.entete.modifie = 1;
    if (!apparier(t, r + 2, io, options)) {
        t.entete.ronde_courante = static_cast<std::int16_t>(r);
        if (r < 0 && t.nb_joueurs_actifs() == 0) io.message_erreur("Aucun joueur actif");
        return false;
    }
    return true;
}

bool apparier(Tournoi& t, int numero, Interaction& io, const OptionsAppariement& options) {
    if (numero == 1) return premiere_ronde(t);
    const bool ok = recherche_appariement(t, numero, io, options);
    if (ok) forfaits_inactifs(t, numero - 1);
    return ok;
}

bool premiere_ronde(Tournoi& t) {
    const int n = t.nb_joueurs_actifs();
    t.entete.nb_actifs = static_cast<std::int16_t>(n);
    if (n == 0) return false;
    t.indexer_joueurs();
    const int k = n / 2;
    const int c = t.position_mediane();
    const int fin = t.entete.nb_joueurs;
    t.app[0] = {};
    t.nb_app[0] = static_cast<std::int16_t>(k);

    int haut = 1;
    int bas = c + 1;
    for (int table = 0; table < k; ++table) {
        const int ph = t.premier_actif(haut, c);
        const int pb = t.premier_actif(bas, fin);
        Appariement& a = t.app[0][table];
        a.blanc = t.joueurs[ph].id;
        a.noir = t.joueurs[pb].id;
        a.saisi = 0;
        poser_table(t, 0, a);
        haut = ph + 1;
        bas = pb + 1;
    }
    if (n % 2 == 1) {
        const int pb = t.premier_actif(bas, fin);
        Appariement& a = t.app[0][k];
        a.blanc = t.joueurs[pb].id;
        a.noir = ID_QUALIFIE;
        a.res_blanc = 2;
        a.res_noir = 0;
        a.pions_blanc = 33;
        a.pions_noir = 31;
        a.saisi = 1;
        poser_table(t, 0, a);
        t.nb_app[0] = static_cast<std::int16_t>(k + 1);
    }
    forfaits_inactifs(t, 0);
    return true;
}

std::string texte_secours() {
    return cp(
        "Cette ronde a été appariée au plus près des règles (couleurs, scores, flotteurs), "
        "la recherche habituelle n'ayant pas trouvé d'appariement.");
}

bool recherche_appariement(Tournoi& t, int numero, Interaction& io,
                           const OptionsAppariement& options) {
    const int r = numero - 1;
    trier_classement(t);
    TablesRecherche& w = tables_recherche();
    w.effacer();
    t.indexer_joueurs();
    w.derniere_complete = derniere_ronde_complete(t);
    for (int p = 1; p <= t.entete.nb_joueurs; ++p) {
        const int id = t.joueurs[p].id;
        w.couleurs_dues[id] = static_cast<std::int16_t>(couleur_due(t, id));
    }

    const auto debut = std::chrono::steady_clock::now();
    std::optional<Elagage> elagage;
    auto noter = [&](int score, bool secours) {
        const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
        noter_statistiques({w.noeuds, score, duree.count(), w.interrompue, secours,
                            elagage ? elagage->calculs_ponderes : 0});
    };
    // When nobody can be paired at all, neither can the search.
    if (options.secours && !appariement_possible(t)) {
        noter(SCORE_ECHEC, false);
        io.message_erreur("Appariements impossibles");
        return false;
    }
    int meilleur = SCORE_ECHEC;
    bool cherche = false;
    const std::int64_t direct = options.direct_par_joueur * t.nb_joueurs_actifs();
    if (options.elagage && direct > 0) {
        w.budget = direct;
        meilleur = chercher(t, w, 1, SCORE_DEPART, 0, SANS_PARTIE, 0);
        cherche = !w.interrompue;
    }
    if (!cherche) {
        recommencer(w);
        if (options.elagage) {
            elagage.emplace(t, w);
            w.elagage = &*elagage;
        }
        w.budget = options.budget > 0 ? w.noeuds + options.budget : 0;
        meilleur = chercher(t, w, 1, SCORE_DEPART, 0, SANS_PARTIE, 0);
        w.elagage = nullptr;
    }
    const bool secours = meilleur < SCORE_ECHEC + 1 || w.interrompue;
    if (secours && (!options.secours || !appariement_secours(t, w))) {
        noter(meilleur, false);
        io.message_erreur("Appariements impossibles");
        return false;
    }
    noter(meilleur, secours);

    t.app[r] = {};
    int lus = 0;
    for (; lus < MAX_PLACEMENTS && w.lignes[1][lus].id != 0; ++lus) {
        const Placement& e = w.lignes[1][lus];
        Appariement& a = t.app[r][lus / 2];
        a.saisi = 0;
        a.reserve = 0;
        if (e.couleur == BLANC)
            a.blanc = e.id;
        else
            a.noir = e.id;
        if (e.id != ID_QUALIFIE) continue;
        const bool exempt_noir = e.couleur != BLANC;
        a.res_blanc = exempt_noir ? 2 : 0;
        a.res_noir = exempt_noir ? 0 : 2;
        a.pions_blanc = exempt_noir ? 33 : 31;
        a.pions_noir = exempt_noir ? 31 : 33;
        a.saisi = 1;
    }
    t.nb_app[r] = static_cast<std::int16_t>((lus + 1) / 2);

    for (int table = 0; table < t.nb_app[r]; ++table) {
        const Appariement& a = t.app[r][table];
        poser_table(t, r, a);
        if (!est_joueur(a.blanc) || !est_joueur(a.noir)) continue;
        Joueur& b = t.joueur(a.blanc);
        Joueur& n = t.joueur(a.noir);
        if (b.points > n.points) {
            b.flotte_bas = 1;
            n.flotte_haut = 1;
        } else if (b.points < n.points) {
            n.flotte_bas = 1;
            b.flotte_haut = 1;
        }
    }
    if (secours) io.information(texte_secours());
    return true;
}

void forfaits_inactifs(Tournoi& t, int r) {
    for (int p = 1; p <= t.entete.nb_joueurs; ++p) {
        Joueur& j = t.joueurs[p];
        if (j.actif != 0) continue;
        j.adversaires[r] = ID_FORFAIT;
        j.couleurs[r] = SANS_PARTIE;
        j.resultats[r] = 0;
        j.pions[r] = 0;
    }
}

void recalculer_flottements(Tournoi& t, int derniere) {
    t.indexer_joueurs();
    for (int p = 1; p <= t.entete.nb_joueurs; ++p) {
        t.joueurs[p].flotte_bas = 0;
        t.joueurs[p].flotte_haut = 0;
    }
    // Each player's points before round r, from his own record.
    auto points_avant = [](const Joueur& j, int r) {
        int somme = 0;
        for (int k = 0; k < r; ++k) somme += j.resultats[k];
        return somme;
    };
    // The first round is paired by halves, without floats.
    for (int r = 1; r <= derniere; ++r) {
        for (int p = 1; p <= t.entete.nb_joueurs; ++p) {
            Joueur& j = t.joueurs[p];
            const int adversaire = j.adversaires[r];
            if (!est_joueur(adversaire) || adversaire > t.entete.nb_joueurs) continue;
            const int pj = points_avant(j, r);
            const int pa = points_avant(t.joueur(adversaire), r);
            if (pj > pa) j.flotte_bas = 1;
            if (pj < pa) j.flotte_haut = 1;
        }
    }
}

}  // namespace tavo
