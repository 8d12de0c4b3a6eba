#include "gestion/corrections.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/texte.h"
#include "pairing/appariement.h"
#include "pairing/recherche.h"
#include "reports/feuille.h"

namespace tavo::gestion {
namespace {

bool refuser(Interaction& io, const std::string& texte) {
    io.message_erreur(texte);
    return false;
}

bool table_exempt(const Appariement& a) {
    return a.blanc == ID_QUALIFIE || a.noir == ID_QUALIFIE;
}

// Where a player sits in round r: his table and side (0 white, 1 black).
struct Place {
    int table = -1;
    int cote = 0;
};

Place place_de(const Tournoi& t, int r, int id) {
    for (int table = 0; table < t.nb_tables(r); ++table) {
        if (t.table(r, table).blanc == id) return {table, 0};
        if (t.table(r, table).noir == id) return {table, 1};
    }
    return {};
}

int& siege(Appariement& a, int cote) {
    return cote == 0 ? a.blanc : a.noir;
}

// The rules of the pairing that a table of round r breaks, one sentence each.
void regles_rompues(const Tournoi& t, int r, const Appariement& a,
                    std::vector<std::string>& rompues) {
    for (int cote = 0; cote < 2; ++cote) {
        const int id = cote == 0 ? a.blanc : a.noir;
        const int autre = cote == 0 ? a.noir : a.blanc;
        if (!est_joueur(id)) continue;
        const Joueur& j = t.joueur(id);
        const std::string nom = nom_affiche(t, id);
        if (autre == ID_QUALIFIE && a_rencontre(j, ID_QUALIFIE, r - 1))
            rompues.push_back(nom + " a déjà été exempté");
        if (cote == 0 && est_joueur(autre) &&
            (a_rencontre(j, autre, r - 1) || a_rencontre(t.joueur(autre), id, r - 1)))
            rompues.push_back(nom + " et " + nom_affiche(t, autre) + " se sont déjà rencontrés");
        if (cote == 0 && est_joueur(autre) && appariement_interdit(t, id, autre))
            rompues.push_back(nom + " et " + nom_affiche(t, autre) +
                              " ne doivent pas se rencontrer (appariement interdit)");
        const int due = couleur_due_ronde(j, r);
        if (couleur_forte(due) && couleur_de(due) != cote)
            rompues.push_back(nom + (couleur_de(due) == BLANC ? " doit jouer avec les Blancs"
                                                              : " doit jouer avec les Noirs"));
    }
}

}  // namespace

bool annuler_ronde(Tournoi& t, Interaction& io, bool forcer) {
    const int r = t.entete.ronde_courante;
    if (r < 0) return refuser(io, "Aucune ronde n'a encore été appariée");
    int perdus = 0;
    for (int table = 0; table < t.nb_tables(r); ++table)
        if (t.table(r, table).saisi() && !table_exempt(t.table(r, table))) ++perdus;
    if (perdus > 0 && !forcer) {
        const std::string question =
            perdus == 1
                ? formater("Annuler la ronde n°%d ? 1 résultat déjà saisi sera perdu.", r + 1)
                : formater("Annuler la ronde n°%d ? %d résultats déjà saisis seront perdus.", r + 1,
                           perdus);
        if (!io.question_prudente("Confirmation", question)) return false;
    }
    t.effacer_rondes(r);
    t.entete.ronde_courante = r - 1;
    recalculer_flottements(t, r - 1);
    // The first round is paired by halves in table order: back to the
    // registration order it was paired from.
    if (r == 0)
        std::sort(t.joueurs.begin(), t.joueurs.end(),
                  [](const Joueur& a, const Joueur& b) { return a.id < b.id; });
    t.indexer_joueurs();
    t.entete.modifie = true;
    return true;
}

std::string ronde_annulee(const Tournoi& t) {
    const int courante = t.entete.ronde_courante;
    if (courante < 0)
        return "La ronde n°1 est annulée : aucune ronde n'est appariée, les joueurs peuvent de "
               "nouveau être ajoutés et supprimés.";
    return formater("La ronde n°%d est annulée : la ronde n°%d est de nouveau la ronde courante.",
                    courante + 2, courante + 1);
}

bool echange_possible(const Tournoi& t, Interaction& io) {
    return t.entete.ronde_courante >= 0 || refuser(io, "Aucune ronde n'a encore été appariée");
}

bool echanger_joueurs(Tournoi& t, int a, int b, Interaction& io, bool forcer) {
    if (!echange_possible(t, io)) return false;
    const int r = t.entete.ronde_courante;
    if (a == b) return refuser(io, "Choisissez deux joueurs différents");
    const Place pa = est_joueur(a) ? place_de(t, r, a) : Place{};
    const Place pb = est_joueur(b) ? place_de(t, r, b) : Place{};
    for (const auto& [id, place] : {std::pair{a, pa}, std::pair{b, pb}})
        if (place.table < 0)
            return refuser(io, formater("Le joueur n°%d ne joue pas la ronde n°%d", id, r + 1));
    for (const int table : {pa.table, pb.table}) {
        const Appariement& app = t.table(r, table);
        if (app.saisi() && !table_exempt(app))
            return refuser(io, formater("La table n°%d a déjà un résultat", table + 1));
    }

    Appariement nouvelle_a = t.table(r, pa.table);
    Appariement nouvelle_b = t.table(r, pb.table);
    if (pa.table == pb.table) {
        std::swap(nouvelle_a.blanc, nouvelle_a.noir);
        nouvelle_b = nouvelle_a;
    } else {
        siege(nouvelle_a, pa.cote) = b;
        siege(nouvelle_b, pb.cote) = a;
    }
    t.indexer_joueurs();
    std::vector<std::string> rompues;
    regles_rompues(t, r, nouvelle_a, rompues);
    if (pb.table != pa.table) regles_rompues(t, r, nouvelle_b, rompues);
    if (!rompues.empty() && !forcer) {
        std::string texte;
        for (const std::string& regle : rompues) texte += regle + "\n";
        if (!io.question_prudente("Confirmation", texte + "\nEchanger quand même ?")) return false;
    }

    t.table(r, pa.table) = nouvelle_a;
    t.table(r, pb.table) = nouvelle_b;
    poser_table(t, r, pa.table);
    poser_table(t, r, pb.table);
    recalculer_flottements(t, r);
    t.entete.modifie = true;
    return true;
}

}  // namespace tavo::gestion
