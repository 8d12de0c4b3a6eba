#include "gestion/resultats.h"

#include "gestion/verifications.h"
#include "model/texte.h"
#include "reports/feuille.h"

namespace tavo::gestion {
namespace {

int ronde_voulue(const Tournoi& t, int ronde) {
    return ronde == RONDE_COURANTE ? t.entete.ronde_courante : ronde;
}

// A table of a round paired so far. (A tournament read without
// reconstituer_tables keeps the tables the file left out empty.)
bool table_existe(const Tournoi& t, int r, int table) {
    if (r < 0 || r > t.entete.ronde_courante) return false;
    if (table < 0 || table >= t.nb_tables(r)) return false;
    return !t.table(r, table).vide();
}

bool pions_possibles(const Jeu& jeu, int n) {
    return n >= 0 && n <= jeu.total_pions;
}

// A disc count is 0 to the game's total, or refused with the message.
bool verifier_pions(const Jeu& jeu, int n, Interaction& io) {
    if (pions_possibles(jeu, n)) return true;
    io.message_erreur(
        formater("le nombre de pions doit être compris entre 0 et %d", jeu.total_pions));
    return false;
}

// The counts of a game: each within the board's discs and all of them
// between the two, or refused with the message.
bool verifier_partie(const Jeu& jeu, int pions_blanc, int pions_noir, Interaction& io) {
    if (!verifier_pions(jeu, pions_blanc, io) || !verifier_pions(jeu, pions_noir, io)) return false;
    if (pions_blanc + pions_noir == jeu.total_pions) return true;
    io.message_erreur(
        formater("les nombres de pions des deux joueurs doivent faire %d", jeu.total_pions));
    return false;
}

}  // namespace

bool enregistrer_points(Tournoi& t, int table, std::optional<int> res_blanc, int ronde) {
    const int r = ronde_voulue(t, ronde);
    if (!table_existe(t, r, table)) return false;
    // The bye's table keeps the result the pairing gave it.
    if (table_sans_adversaire(t, table, r)) return t.table(r, table).saisi();
    const Appariement& a = t.table(r, table);
    const bool choisi = res_blanc && *res_blanc >= 0 && *res_blanc <= 2;
    poser_resultat(t, r, table, choisi ? resultat_de(*res_blanc) : Resultat::aucun, a.pions_blanc,
                   a.pions_noir);
    t.entete.modifie = true;
    return choisi;
}

bool enregistrer_pions(Tournoi& t, int table, int pions_blanc, int pions_noir, int ronde) {
    const int r = ronde_voulue(t, ronde);
    if (!table_existe(t, r, table)) return false;
    // The bye's table keeps the result the pairing gave it.
    if (table_sans_adversaire(t, table, r)) return t.table(r, table).saisi();
    const Jeu jeu = t.jeu();
    const Appariement& a = t.table(r, table);
    const bool valides = pions_possibles(jeu, pions_blanc) && pions_possibles(jeu, pions_noir);
    const int pb = valides ? pions_blanc : a.pions_blanc;
    const int pn = valides ? pions_noir : a.pions_noir;
    const bool resultat = valides && pions_blanc + pions_noir == jeu.total_pions;
    const Resultat res = !resultat                   ? Resultat::aucun
                         : pions_blanc > pions_noir  ? Resultat::gain
                         : pions_blanc == pions_noir ? Resultat::nulle
                                                     : Resultat::perte;
    poser_resultat(t, r, table, res, pb, pn);
    t.entete.modifie = true;
    return resultat;
}

bool saisir_pions(Tournoi& t, int table, int pions_blanc, int pions_noir, Interaction& io,
                  int ronde) {
    return verifier_partie(t.jeu(), pions_blanc, pions_noir, io) &&
           enregistrer_pions(t, table, pions_blanc, pions_noir, ronde);
}

bool enregistrer_forfait(Tournoi& t, int table, Forfait forfait, int ronde) {
    const int r = ronde_voulue(t, ronde);
    if (!table_existe(t, r, table) || table_sans_adversaire(t, table, r) || t.limites_1998)
        return false;
    poser_resultat(t, r, table, resultat_forfait(forfait), 0, 0, forfait);
    t.entete.modifie = true;
    return forfait != Forfait::aucun;
}

std::vector<int> absents_actifs(const Tournoi& t, int table, int ronde) {
    const int r = ronde_voulue(t, ronde);
    std::vector<int> absents;
    if (!table_existe(t, r, table)) return absents;
    const Appariement& a = t.table(r, table);
    const bool blanc = a.forfait == Forfait::blanc || a.forfait == Forfait::les_deux;
    const bool noir = a.forfait == Forfait::noir || a.forfait == Forfait::les_deux;
    if (blanc && est_joueur(a.blanc) && t.joueur(a.blanc).actif) absents.push_back(a.blanc);
    if (noir && est_joueur(a.noir) && t.joueur(a.noir).actif) absents.push_back(a.noir);
    return absents;
}

void rendre_inactifs(Tournoi& t, const std::vector<int>& ids) {
    for (const int id : ids)
        if (t.existe(id)) t.joueur(id).actif = false;
    t.entete.modifie = true;
}

void proposer_inactifs(Tournoi& t, int table, Interaction& io, int ronde) {
    std::vector<int> inactifs;
    for (const int id : absents_actifs(t, table, ronde)) {
        const std::string nom = nom_affiche(t, id);
        if (io.question("Forfait", nom + " était absent.\n\nLe rendre inactif pour les rondes "
                                         "suivantes ?"))
            inactifs.push_back(id);
    }
    if (!inactifs.empty()) rendre_inactifs(t, inactifs);
}

namespace {

// The round (from 0) of a table the director names, or -1 with the message.
int ronde_de_la_table(const Tournoi& t, int numero, int numero_ronde, Interaction& io) {
    const int courante = t.entete.ronde_courante;
    if (courante < 0) {
        io.message_erreur("Aucune ronde n'a encore été appariée");
        return -1;
    }
    const int r = numero_ronde == 0 ? courante : numero_ronde - 1;
    if (r < 0 || r > courante) {
        io.message_erreur(formater("La ronde n°%d n'est pas appariée", numero_ronde));
        return -1;
    }
    if (!table_existe(t, r, numero - 1)) {
        io.message_erreur(formater("Il n'y a pas de table n°%d dans la ronde n°%d", numero, r + 1));
        return -1;
    }
    return r;
}

}  // namespace

bool forfait_possible(const Tournoi& t, Interaction& io) {
    if (!t.limites_1998) return true;
    io.message_erreur(
        "Le fichier .pxi ne peut pas garder un forfait : enregistrez d'abord le tournoi en .tavo "
        "(Sauver sous)");
    return false;
}

bool saisir_forfait(Tournoi& t, int numero, Forfait forfait, Interaction& io, int numero_ronde) {
    const int r = ronde_de_la_table(t, numero, numero_ronde, io);
    if (r < 0 || !forfait_possible(t, io)) return false;
    if (table_sans_adversaire(t, numero - 1, r)) {
        io.message_erreur(
            formater("La table n°%d est celle de l'exempt : personne n'y est forfait", numero));
        return false;
    }
    enregistrer_forfait(t, numero - 1, forfait, r);
    if (r != t.entete.ronde_courante) io.information(correction_ronde_passee());
    return true;
}

bool saisir_resultat(Tournoi& t, int numero, int blanc, int noir, Interaction& io,
                     int numero_ronde) {
    const int r = ronde_de_la_table(t, numero, numero_ronde, io);
    if (r < 0) return false;
    const int courante = t.entete.ronde_courante;
    if (table_sans_adversaire(t, numero - 1, r)) {
        // The bye's own result, typed again, changes nothing and is no fault.
        const Appariement& a = t.table(r, numero - 1);
        const bool le_sien =
            !t.jeu().pions ? blanc == demi_points(a.res_blanc) && noir == demi_points(a.res_noir())
                           : blanc == a.pions_blanc && noir == a.pions_noir;
        if (le_sien) return true;
        io.message_erreur(formater(
            "La table n°%d est celle de l'exempt : son résultat ne se change pas", numero));
        return false;
    }
    if (!t.jeu().pions) {
        if (blanc < 0 || blanc > 2 || noir != 2 - blanc) {
            io.message_erreur("le résultat s'écrit 2-0, 1-1 ou 0-2");
            return false;
        }
        enregistrer_points(t, numero - 1, blanc, r);
    } else {
        if (!verifier_partie(t.jeu(), blanc, noir, io)) return false;
        enregistrer_pions(t, numero - 1, blanc, noir, r);
    }
    if (r != courante) io.information(correction_ronde_passee());
    return true;
}

std::string correction_ronde_passee() {
    return "Ce résultat compte aussitôt dans les scores ; les appariements déjà faits restent tels "
           "qu'ils sont.";
}

std::optional<int> pions_restants(const Tournoi& t, std::string_view texte, Interaction& io) {
    const Jeu jeu = t.jeu();
    const int n = lire_entier(texte);
    if (!verifier_pions(jeu, n, io)) return std::nullopt;
    return jeu.total_pions - n;
}

bool tout_verifier(Tournoi& t, Interaction& io) {
    const int r = t.entete.ronde_courante;
    if (r < 0) {
        io.message_erreur("Aucune ronde n'a encore été appariée");
        return false;
    }
    t.entete.modifie = true;
    if (!t.ronde_complete(r)) {
        io.message_erreur("Il me manque des résultats");
        return false;
    }
    // The players' records take their tables' results (they hold them
    // already, but for a file of an earlier version corrected after its
    // commit).
    for (int table = 0; table < t.nb_tables(r); ++table) {
        const Appariement& a = t.table(r, table);
        poser_resultat(t, r, table, a.res_blanc, a.pions_blanc, a.pions_noir, a.forfait);
    }
    return true;
}

bool saisie_possible(const Tournoi& t, Interaction& io) {
    if (nb_tables(t) > 0) return true;
    io.message_erreur("Aucune ronde n'est appariée : lancez d'abord « Nouvelle Ronde »");
    return false;
}

std::vector<int> tables_sans_resultat(const Tournoi& t, int ronde) {
    const int r = ronde_voulue(t, ronde);
    std::vector<int> sans;
    for (int table = 0; table < nb_tables(t, r); ++table)
        if (table_existe(t, r, table) && !t.table(r, table).saisi()) sans.push_back(table);
    return sans;
}

int nb_tables(const Tournoi& t, int ronde) {
    const int r = ronde_voulue(t, ronde);
    return r >= 0 && r <= t.entete.ronde_courante ? t.nb_tables(r) : 0;
}

std::optional<TableRonde> table_ronde(const Tournoi& t, int table, int ronde) {
    const int r = ronde_voulue(t, ronde);
    if (!table_existe(t, r, table)) return std::nullopt;
    const Appariement& a = t.table(r, table);
    return TableRonde{a.blanc,
                      a.noir,
                      nom_affiche(t, a.blanc),
                      nom_affiche(t, a.noir),
                      a.saisi(),
                      demi_points(a.res_blanc),
                      demi_points(a.res_noir()),
                      a.pions_blanc,
                      a.pions_noir,
                      a.forfait};
}

}  // namespace tavo::gestion
