#include "gestion/resultats.h"

#include "gestion/verifications.h"
#include "model/texte.h"
#include "reports/feuille.h"
#include "standings/scores.h"

namespace tavo::gestion {
namespace {

int ronde_voulue(const Tournoi& t, int ronde) {
    return ronde == RONDE_COURANTE ? t.entete.ronde_courante : ronde;
}

// A table of a round paired so far. (A tournament read without
// reconstituer_tables keeps the tables the file left out empty.)
bool table_existe(const Tournoi& t, int r, int table) {
    if (r < 0 || r > t.entete.ronde_courante || r >= MAX_RONDES) return false;
    if (table < 0 || table >= t.nb_app[r] || table >= MAX_TABLES) return false;
    const Appariement& a = t.app[r][table];
    return a.blanc != ID_AUCUN || a.noir != ID_AUCUN;
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

// The board's 64 discs are shared by the two players at the end of a game.
constexpr int PIONS_TOTAL = 64;

bool pions_possibles(int n) {
    return n >= 0 && n <= PIONS_TOTAL;
}

// A disc count is 0 to 64, or refused with the message.
bool verifier_pions(int n, Interaction& io) {
    if (pions_possibles(n)) return true;
    io.message_erreur(cp("le nombre de pions doit être compris entre 0 et 64"));
    return false;
}

// The counts of a game: each 0 to 64 and the board's 64 discs between them,
// or refused with the message.
bool verifier_partie(int pions_blanc, int pions_noir, Interaction& io) {
    if (!verifier_pions(pions_blanc, io) || !verifier_pions(pions_noir, io)) return false;
    if (pions_blanc + pions_noir == PIONS_TOTAL) return true;
    io.message_erreur(cp("les nombres de pions des deux joueurs doivent faire 64"));
    return false;
}

void poser_points(Appariement& a, int res_blanc) {
    a.res_blanc = static_cast<std::uint8_t>(res_blanc);
    a.res_noir = static_cast<std::uint8_t>(2 - res_blanc);
}

}  // namespace

bool enregistrer_points(Tournoi& t, int table, std::optional<int> res_blanc, int ronde) {
    const int r = ronde_voulue(t, ronde);
    if (!table_existe(t, r, table)) return false;
    // The bye's table keeps the result the pairing gave it.
    if (table_sans_adversaire(t, table, r)) return t.app[r][table].saisi != 0;
    Appariement& a = t.app[r][table];
    const bool choisi = res_blanc && *res_blanc >= 0 && *res_blanc <= 2;
    if (choisi) poser_points(a, *res_blanc);
    a.saisi = choisi ? 1 : 0;
    t.entete.modifie = 1;
    suivre_table(t, r, a);
    return choisi;
}

bool enregistrer_pions(Tournoi& t, int table, int pions_blanc, int pions_noir, int ronde) {
    const int r = ronde_voulue(t, ronde);
    if (!table_existe(t, r, table)) return false;
    // The bye's table keeps the result the pairing gave it.
    if (table_sans_adversaire(t, table, r)) return t.app[r][table].saisi != 0;
    Appariement& a = t.app[r][table];
    const bool valides = pions_possibles(pions_blanc) && pions_possibles(pions_noir);
    if (valides) {
        a.pions_blanc = static_cast<std::uint8_t>(pions_blanc);
        a.pions_noir = static_cast<std::uint8_t>(pions_noir);
    }
    const bool resultat = valides && pions_blanc + pions_noir == PIONS_TOTAL;
    if (resultat) poser_points(a, pions_blanc > pions_noir ? 2 : pions_blanc == pions_noir ? 1 : 0);
    a.saisi = resultat ? 1 : 0;
    t.entete.modifie = 1;
    suivre_table(t, r, a);
    return resultat;
}

bool saisir_pions(Tournoi& t, int table, int pions_blanc, int pions_noir, Interaction& io,
                  int ronde) {
    return verifier_partie(pions_blanc, pions_noir, io) &&
           enregistrer_pions(t, table, pions_blanc, pions_noir, ronde);
}

bool saisir_resultat(Tournoi& t, int numero, int blanc, int noir, Interaction& io,
                     int numero_ronde) {
    const int courante = t.entete.ronde_courante;
    if (courante < 0) {
        io.message_erreur(cp("Aucune ronde n'a encore été appariée"));
        return false;
    }
    const int r = numero_ronde == 0 ? courante : numero_ronde - 1;
    if (r < 0 || r > courante) {
        io.message_erreur(cp(formater("La ronde n°%d n'est pas appariée", numero_ronde)));
        return false;
    }
    if (!table_existe(t, r, numero - 1)) {
        io.message_erreur(
            cp(formater("Il n'y a pas de table n°%d dans la ronde n°%d", numero, r + 1)));
        return false;
    }
    if (table_sans_adversaire(t, numero - 1, r)) {
        // The bye's own result, typed again, changes nothing and is no fault.
        const Appariement& a = t.app[r][numero - 1];
        const bool le_sien = t.entete.othello == 0 ? blanc == a.res_blanc && noir == a.res_noir
                                                   : blanc == a.pions_blanc && noir == a.pions_noir;
        if (le_sien) return true;
        io.message_erreur(cp(formater(
            "La table n°%d est celle de l'exempt : son résultat ne se change pas", numero)));
        return false;
    }
    if (t.entete.othello == 0) {
        if (blanc < 0 || blanc > 2 || noir != 2 - blanc) {
            io.message_erreur(cp("le résultat s'écrit 2-0, 1-1 ou 0-2"));
            return false;
        }
        enregistrer_points(t, numero - 1, blanc, r);
    } else {
        if (!verifier_partie(blanc, noir, io)) return false;
        enregistrer_pions(t, numero - 1, blanc, noir, r);
    }
    if (r != courante) io.information(correction_ronde_passee());
    return true;
}

std::string correction_ronde_passee() {
    return cp(
        "Ce résultat compte aussitôt dans les scores ; les appariements déjà faits restent tels "
        "qu'ils sont.");
}

std::optional<int> pions_restants(std::string_view texte, Interaction& io) {
    // Read as the field's text, then as the 16-bit value the record type holds.
    const auto n = static_cast<std::int16_t>(lire_entier(texte));
    if (!verifier_pions(n, io)) return std::nullopt;
    return PIONS_TOTAL - n;
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

bool saisie_possible(const Tournoi& t, Interaction& io) {
    if (nb_tables(t) > 0) return true;
    io.message_erreur(cp("Aucune ronde n'est appariée : lancez d'abord « Nouvelle Ronde »"));
    return false;
}

std::vector<int> tables_sans_resultat(const Tournoi& t, int ronde) {
    const int r = ronde_voulue(t, ronde);
    std::vector<int> sans;
    for (int table = 0; table < nb_tables(t, r); ++table)
        if (table_existe(t, r, table) && t.app[r][table].saisi == 0) sans.push_back(table);
    return sans;
}

int nb_tables(const Tournoi& t, int ronde) {
    const int r = ronde_voulue(t, ronde);
    return r >= 0 && r <= t.entete.ronde_courante && r < MAX_RONDES ? t.nb_app[r] : 0;
}

std::optional<TableRonde> table_ronde(const Tournoi& t, int table, int ronde) {
    const int r = ronde_voulue(t, ronde);
    if (!table_existe(t, r, table)) return std::nullopt;
    const Appariement& a = t.app[r][table];
    return TableRonde{a.blanc,
                      a.noir,
                      nom_affiche(t, a.blanc),
                      nom_affiche(t, a.noir),
                      a.saisi != 0,
                      a.res_blanc,
                      a.res_noir,
                      a.pions_blanc,
                      a.pions_noir};
}

}  // namespace tavo::gestion
