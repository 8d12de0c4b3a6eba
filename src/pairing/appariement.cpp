#include "pairing/appariement.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include "pairing/elagage.h"
#include "pairing/interdits.h"
#include "pairing/recherche.h"
#include "pairing/secours.h"
#include "standings/scores.h"

namespace tavo {
namespace {

// Writes one game of round r into both players' records: opponent and
// colour, and no result yet.
void poser_adversaires(Tournoi& t, int r, const Appariement& a) {
    auto poser = [&](int id, int adversaire, std::uint8_t couleur) {
        if (!est_joueur(id)) return;
        RondeJoueur& rj = t.joueur(id).rondes[static_cast<std::size_t>(r)];
        rj = RondeJoueur{};
        rj.adversaire = adversaire;
        rj.couleur = couleur;
    };
    poser(a.blanc, a.noir, BLANC);
    poser(a.noir, a.blanc, NOIR);
}

// The bye's table, entered at once as a win with the bye's discs; `blanc`
// tells which side the player holds.
Appariement table_exempt(const Tournoi& t, int id, bool blanc) {
    const Jeu jeu = t.jeu();
    Appariement a;
    a.blanc = blanc ? id : ID_QUALIFIE;
    a.noir = blanc ? ID_QUALIFIE : id;
    a.res_blanc = blanc ? Resultat::gain : Resultat::perte;
    const int autre = jeu.total_pions - jeu.pions_exempt;
    a.pions_blanc = blanc ? jeu.pions_exempt : autre;
    a.pions_noir = blanc ? autre : jeu.pions_exempt;
    return a;
}

}  // namespace

void poser_table(Tournoi& t, int r, int table) {
    const Appariement a =
        t.rondes[static_cast<std::size_t>(r)].tables[static_cast<std::size_t>(table)];
    poser_adversaires(t, r, a);
    // The bye's player holds his win at once, so that the round counts
    // right as soon as its other tables have their results.
    if (a.saisi()) poser_resultat(t, r, table, a.res_blanc, a.pions_blanc, a.pions_noir, a.forfait);
}

bool nouvelle_ronde(Tournoi& t, Interaction& io, const OptionsAppariement& options) {
    const int r = t.entete.ronde_courante;
    if (r >= 0 && !t.ronde_complete(r)) {
        io.message_erreur("Tous les résultats de la ronde courante ne sont pas saisis");
        return false;
    }
    const int capacite = t.limites_1998 ? Limites1998::rondes : MAX_RONDES;
    const int derniere = std::min(t.entete.nb_rondes, capacite) - 1;
    if (r >= derniere) {
        io.message_erreur("Toutes les rondes de ce tounoi ont été faites");
        return false;
    }
    t.entete.ronde_courante = r + 1;
    t.entete.modifie = true;
    t.ouvrir_ronde(r + 1);
    if (!apparier(t, r + 2, io, options)) {
        t.effacer_rondes(r + 1);
        t.entete.ronde_courante = r;
        if (r < 0 && t.nb_joueurs_actifs() == 0) io.message_erreur("Aucun joueur actif");
        return false;
    }
    return true;
}

bool apparier(Tournoi& t, int numero, Interaction& io, const OptionsAppariement& options) {
    // Players who asked to miss this round are left out of it as inactive
    // players are, then hold their requested bye.
    const int r = numero - 1;
    std::vector<int> absents;
    for (Joueur& j : t.joueurs)
        if (j.actif && j.absence(r)) {
            j.actif = false;
            absents.push_back(j.id);
        }
    const bool ok = apparier_presents(t, numero, io, options);
    for (const int id : absents) t.joueur(id).actif = true;
    if (!ok) return false;
    for (Joueur& j : t.joueurs)
        if (j.absence(r)) poser_ronde_sans_table(j, r);
    return true;
}

bool apparier_presents(Tournoi& t, int numero, Interaction& io, const OptionsAppariement& options) {
    if (numero == 1) {
        if (premiere_ronde(t)) return true;
        // Some active player, yet no pairing: a forbidden pair could not be avoided.
        if (t.nb_joueurs_actifs() > 0)
            io.message_erreur(texte_impossible(interdits_des_tables(t, t.rondes[0].tables)));
        return false;
    }
    const bool ok = recherche_appariement(t, numero, io, options);
    if (ok) forfaits_inactifs(t, numero - 1);
    return ok;
}

bool premiere_ronde(Tournoi& t) {
    const int n = t.nb_joueurs_actifs();
    t.entete.nb_actifs = n;
    if (n == 0) return false;
    t.indexer_joueurs();
    const int k = n / 2;
    const int c = t.position_mediane();
    const int fin = t.nb_joueurs() - 1;
    std::vector<Appariement> tables;

    int haut = 0;
    int bas = c + 1;
    for (int table = 0; table < k; ++table) {
        const int ph = t.premier_actif(haut, c);
        const int pb = t.premier_actif(bas, fin);
        Appariement a;
        a.blanc = t.joueurs[static_cast<std::size_t>(ph)].id;
        a.noir = t.joueurs[static_cast<std::size_t>(pb)].id;
        tables.push_back(a);
        haut = ph + 1;
        bas = pb + 1;
    }
    if (n % 2 == 1) {
        const int pb = t.premier_actif(bas, fin);
        tables.push_back(table_exempt(t, t.joueurs[static_cast<std::size_t>(pb)].id, true));
    }
    const bool mendee = eviter_interdits(t, tables);
    t.rondes[0].tables = tables;
    if (!mendee) return false;
    for (int table = 0; table < static_cast<int>(tables.size()); ++table) poser_table(t, 0, table);
    forfaits_inactifs(t, 0);
    return true;
}

std::string texte_secours() {
    return "Cette ronde a été appariée au plus près des règles (couleurs, scores, flotteurs), "
           "la recherche habituelle n'ayant pas trouvé d'appariement.";
}

bool recherche_appariement(Tournoi& t, int numero, Interaction& io,
                           const OptionsAppariement& options) {
    const int r = numero - 1;
    appliquer_classement(t);
    TablesRecherche w;
    preparer_recherche(t, w);

    const auto debut = std::chrono::steady_clock::now();
    std::optional<Elagage> elagage;
    auto noter = [&](int score, bool secours) {
        const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
        noter_statistiques({w.noeuds, score, duree.count(), w.interrompue, secours,
                            elagage ? elagage->calculs_ponderes : 0});
    };
    const bool grand = grand_champ(t);
    // When nobody can be paired at all, neither can the search. (In a large
    // field, where this costs more than the search, the fallback tells it
    // after the search.)
    if (options.secours && !grand && !appariement_possible(t)) {
        noter(w.echec, false);
        io.message_erreur(texte_impossible(interdits_bloquants(t)));
        return false;
    }
    // The exact cuts know fields within the 1998 capacity; a larger field is
    // paired by the search while it is cheap, by the fallback otherwise.
    const bool avec_elagage = options.elagage && !grand;
    int meilleur = w.echec;
    bool cherche = false;
    const std::int64_t direct = options.direct_par_joueur * t.nb_joueurs_actifs();
    if (avec_elagage && direct > 0) {
        w.budget = direct;
        meilleur = chercher(t, w, 1, w.depart, 0, SANS_PARTIE, 0);
        cherche = !w.interrompue;
    }
    if (!cherche) {
        recommencer(w);
        if (avec_elagage) {
            elagage.emplace(t, w);
            w.elagage = &*elagage;
        }
        w.budget = options.budget > 0 ? w.noeuds + options.budget : 0;
        meilleur = chercher(t, w, 1, w.depart, 0, SANS_PARTIE, 0);
        w.elagage = nullptr;
    }
    const bool secours = meilleur <= w.echec || w.interrompue;
    if (secours && (!options.secours || !appariement_secours(t, w))) {
        noter(meilleur, false);
        io.message_erreur(texte_impossible(interdits_bloquants(t)));
        return false;
    }
    noter(meilleur, secours);
    ecrire_placements(t, r, w.lignes[1]);
    if (secours) io.information(texte_secours());
    return true;
}

void ecrire_placements(Tournoi& t, int r, const std::vector<Placement>& ligne) {
    auto& tables = t.rondes[static_cast<std::size_t>(r)].tables;
    tables.clear();
    for (std::size_t lus = 0; lus < ligne.size() && ligne[lus].id != 0; ++lus) {
        const Placement& e = ligne[lus];
        if (lus % 2 == 0) tables.emplace_back();
        Appariement& a = tables.back();
        if (e.couleur == BLANC)
            a.blanc = e.id;
        else
            a.noir = e.id;
        if (e.id != ID_QUALIFIE) continue;
        const bool blanc_exempte = e.couleur != BLANC;
        a = table_exempt(t, blanc_exempte ? a.blanc : a.noir, blanc_exempte);
    }
    for (int table = 0; table < static_cast<int>(tables.size()); ++table) {
        poser_table(t, r, table);
        const Appariement& a = tables[static_cast<std::size_t>(table)];
        if (!est_joueur(a.blanc) || !est_joueur(a.noir)) continue;
        Joueur& b = t.joueur(a.blanc);
        Joueur& n = t.joueur(a.noir);
        if (b.points > n.points) {
            b.flotte_bas = true;
            n.flotte_haut = true;
        } else if (b.points < n.points) {
            n.flotte_bas = true;
            b.flotte_haut = true;
        }
    }
}

void forfaits_inactifs(Tournoi& t, int r) {
    for (Joueur& j : t.joueurs)
        if (!j.actif) poser_ronde_sans_table(j, r);
}

void recalculer_flottements(Tournoi& t, int derniere) {
    t.indexer_joueurs();
    for (Joueur& j : t.joueurs) j.flotte_bas = j.flotte_haut = false;
    // The first round is paired by halves, without floats.
    for (int r = 1; r <= derniere; ++r) {
        for (Joueur& j : t.joueurs) {
            const int adversaire = j.rondes[static_cast<std::size_t>(r)].adversaire;
            if (!est_joueur(adversaire) || !t.existe(adversaire)) continue;
            // Each player's points before round r, from his own record.
            const int pj = points_jusqu_a(j, r - 1);
            const int pa = points_jusqu_a(t.joueur(adversaire), r - 1);
            if (pj > pa) j.flotte_bas = true;
            if (pj < pa) j.flotte_haut = true;
        }
    }
}

}  // namespace tavo
