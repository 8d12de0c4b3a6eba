#include "generateur.h"

#include <algorithm>
#include <chrono>

#include "gestion/resultats.h"
#include "model/registre.h"
#include "model/texte.h"
#include "pairing/recherche.h"
#include "standings/departages.h"
#include "support/verificateur_appariement.h"

namespace tavo::banc {

std::uint64_t Hasard::suivant() {
    // splitmix64
    std::uint64_t z = (etat_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::unique_ptr<Tournoi> creer_tournoi(const Profil& p, Hasard& h) {
    auto t = std::make_unique<Tournoi>();
    t->limites_1998 = p.limites_1998;
    t->entete.nom = "Banc " + std::to_string(p.graine);
    t->entete.date = "01/01/27";
    t->entete.jeu = p.othello ? "Othello" : "Echecs";
    t->entete.othello = p.othello;
    t->entete.nb_rondes = p.rondes;
    choisir_departages(*t, {0, 2});
    InteractionMuette io;
    int elo = 2400;
    for (int k = 1; k <= p.joueurs; ++k) {
        const int id = ajouter_joueur(*t);
        FicheJoueur f;
        f.nom = "JOUEUR" + std::to_string(k);
        f.prenom = "P" + std::to_string(k);
        // Ratings fall by 5 to 34 points a player; a larger field spreads
        // the same fall over its players, from 2400 down to about 800.
        const int pas = 5 + h.entre(30);
        if (p.joueurs <= 100) {
            elo -= pas;
            f.elo = std::max(elo, 800);
        } else {
            f.elo = 2400 - 1600 * k / p.joueurs + pas - 20;
        }
        ecrire_fiche(t->joueur(id), f);
    }
    // Players inactive from the start, spread over the table.
    for (int restants = std::min(p.inactifs_depart, p.joueurs - 1); restants > 0;) {
        Joueur& j = t->joueur(1 + h.entre(p.joueurs));
        if (j.actif == 0) continue;
        j.actif = false;
        --restants;
    }
    t->entete.modifie = false;
    return t;
}

void jouer_ronde(Tournoi& t, const Profil& p, Hasard& h) {
    const int r = t.entete.ronde_courante;
    t.indexer_joueurs();
    for (int table = 0; table < t.nb_tables(r); ++table) {
        const Appariement& a = t.table(r, table);
        if (a.saisi() != 0) continue;  // the bye
        const int eb = t.joueur(a.blanc).elo;
        const int en = t.joueur(a.noir).elo;
        // The stronger player wins more often; a draw now and then.
        const int ecart = std::clamp((eb - en) / 8, -40, 40);
        const int tirage = h.entre(100);
        int res_blanc = 1;
        if (tirage >= p.nulles_pourcent) res_blanc = h.entre(100) < 50 + ecart ? 2 : 0;
        if (p.othello) {
            int pions = res_blanc == 2 ? 33 + h.entre(31) : res_blanc == 0 ? 1 + h.entre(31) : 32;
            gestion::enregistrer_pions(t, table, pions, 64 - pions);
        } else {
            gestion::enregistrer_points(t, table, res_blanc);
        }
    }
    InteractionMuette io;
    gestion::tout_verifier(t, io);
}

std::vector<Mesure> jouer_tournoi(const Profil& p, const OptionsAppariement& options,
                                  const std::function<void(const Tournoi&)>& avant) {
    Hasard h(p.graine);
    std::unique_ptr<Tournoi> t = creer_tournoi(p, h);
    std::vector<Mesure> mesures;
    int abandons = p.abandons;
    for (int r = 0; r < p.rondes; ++r) {
        if (r > 0) {
            // Withdrawals between rounds.
            const bool moment = p.abandon_apres >= 0 ? r - 1 == p.abandon_apres : h.chance(15);
            while (abandons > 0 && moment) {
                const int id = 1 + h.entre(t->nb_joueurs());
                if (t->joueur(id).actif == 0) continue;
                t->joueur(id).actif = false;
                --abandons;
                if (p.abandon_apres < 0) break;
            }
            if (avant) avant(*t);
        }
        Mesure m;
        m.ronde = r;
        m.actifs = t->nb_joueurs_actifs();
        InteractionMuette io;
        noter_statistiques({});
        const auto debut = std::chrono::steady_clock::now();
        m.appariee = nouvelle_ronde(*t, io, options);
        const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
        m.secondes = duree.count();
        const StatistiquesRecherche& s = statistiques_recherche();
        m.noeuds = s.noeuds;
        m.secours = s.secours;
        m.interrompue = s.interrompue;
        if (m.appariee)
            m.defauts = test::defauts_appariement(*t, t->entete.ronde_courante,
                                                  {.couleurs_fortes = !m.secours});
        mesures.push_back(m);
        if (!m.appariee) break;
        jouer_ronde(*t, p, h);
    }
    return mesures;
}

std::unique_ptr<Tournoi> tournoi_sans_adversaire(int n, Hasard& h) {
    Profil p;
    p.joueurs = n;
    p.rondes = Limites1998::rondes;
    std::unique_ptr<Tournoi> t = creer_tournoi(p, h);
    t->indexer_joueurs();
    // Circle method: player n stays, the others turn.
    for (int r = 0; r < n - 1; ++r) {
        t->entete.ronde_courante = r;
        t->ouvrir_ronde(r);
        t->rondes[static_cast<std::size_t>(r)].tables.resize(static_cast<std::size_t>(n / 2));
        for (int k = 0; k < n / 2; ++k) {
            const int a = k == 0 ? n : 1 + (r + k) % (n - 1);
            const int b = 1 + (r + n - 1 - k) % (n - 1);
            const bool a_blanc = (r + k) % 2 == 0;
            Appariement& app = t->table(r, k);
            app.blanc = a_blanc ? a : b;
            app.noir = a_blanc ? b : a;
            app.res_blanc = resultat_de(static_cast<int>(h.entre(3)));
            t->joueur(app.blanc).ronde(r) = {app.noir, BLANC, app.res_blanc, 0};
            t->joueur(app.noir).ronde(r) = {app.blanc, NOIR, app.res_noir(), 0};
        }
    }
    return t;
}

}  // namespace tavo::banc
