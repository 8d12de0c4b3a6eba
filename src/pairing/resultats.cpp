#include "pairing/resultats.h"

#include "model/texte.h"
#include "standings/scores.h"

namespace tavo {
namespace {

bool table_existe(const Tournoi& t, int table) {
    const int r = t.entete.ronde_courante;
    return r >= 0 && r < MAX_RONDES && table >= 0 && table < t.nb_app[r] && table < MAX_TABLES;
}

// The table's two players follow what the table holds now.
void suivre_table(Tournoi& t, int r, const Appariement& a) {
    t.indexer_joueurs();
    const bool resultat = a.saisi != 0;
    if (est_joueur(a.blanc) && a.blanc <= t.entete.nb_joueurs) {
        t.joueur(a.blanc).resultats[r] = resultat ? a.res_blanc : 0;
        t.joueur(a.blanc).pions[r] = resultat ? a.pions_blanc : 0;
    }
    if (est_joueur(a.noir) && a.noir <= t.entete.nb_joueurs) {
        t.joueur(a.noir).resultats[r] = resultat ? a.res_noir : 0;
        t.joueur(a.noir).pions[r] = resultat ? a.pions_noir : 0;
    }
}

void poser_points(Appariement& a, int res_blanc) {
    a.res_blanc = static_cast<std::uint8_t>(res_blanc);
    a.res_noir = static_cast<std::uint8_t>(2 - res_blanc);
}

}  // namespace

bool enregistrer_points(Tournoi& t, int table, std::optional<int> res_blanc) {
    if (!table_existe(t, table)) return false;
    const int r = t.entete.ronde_courante;
    Appariement& a = t.app[r][table];
    const bool choisi = res_blanc && *res_blanc >= 0 && *res_blanc <= 2;
    if (choisi) poser_points(a, *res_blanc);
    a.saisi = choisi ? 1 : 0;
    t.entete.modifie = 1;
    suivre_table(t, r, a);
    return choisi;
}

bool enregistrer_pions(Tournoi& t, int table, int pions_blanc, int pions_noir) {
    if (!table_existe(t, table)) return false;
    const int r = t.entete.ronde_courante;
    Appariement& a = t.app[r][table];
    const bool valides =
        pions_blanc >= 0 && pions_blanc <= 64 && pions_noir >= 0 && pions_noir <= 64;
    if (valides) {
        a.pions_blanc = static_cast<std::uint8_t>(pions_blanc);
        a.pions_noir = static_cast<std::uint8_t>(pions_noir);
    }
    const bool resultat = valides && pions_blanc + pions_noir == 64;
    if (resultat) poser_points(a, pions_blanc > pions_noir ? 2 : pions_blanc == pions_noir ? 1 : 0);
    a.saisi = resultat ? 1 : 0;
    t.entete.modifie = 1;
    suivre_table(t, r, a);
    return resultat;
}

bool tout_verifier(Tournoi& t, Interaction& io) {
    const int r = t.entete.ronde_courante;
    if (r < 0) {
        io.message_erreur(cp("Aucune ronde n'a encore été appariée"));
        return false;
    }
    t.entete.modifie = 1;
    if (!t.ronde_complete(r)) {
        io.message_erreur(cp("Il me manque des résultats"));
        return false;
    }
    reporter_resultats(t);
    return true;
}

}  // namespace tavo
