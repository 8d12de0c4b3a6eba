// Fuzz target: the tournament file loader. Any byte string is offered as a
// file; whatever the loader accepts must keep the tournament's invariants, be
// written back as the same tournament, have the tables the file left out brought
// back, give every report, the pairing sheets and the team result file, take
// the results of its current round and pair the next one, and stay savable
// and loadable after each of these.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "bac_a_sable.h"
#include "generation.h"
#include "gestion/resultats.h"
#include "invariants.h"
#include "model/fichier_tournoi.h"
#include "model/texte.h"
#include "pairing/appariement.h"
#include "pairing/reconstitution.h"
#include "reports/feuille.h"
#include "reports/rapport.h"
#include "reports/rapports.h"
#include "standings/departages.h"
#include "standings/scores.h"
#include "teams/equipes.h"

namespace {

using namespace tavo;

// Reloads the image of `t`: what the program holds must always be savable.
void exiger_relecture(const Tournoi& t, std::string_view quoi) {
    fuzz::exiger(fuzz::invariant_rompu(t), quoi);
    const std::vector<char> image = image_fichier(t);
    auto relu = std::make_unique<Tournoi>();
    if (lire_image(std::string_view(image.data(), image.size()), *relu) != ErreurLecture::aucune)
        fuzz::exiger("le tournoi ecrit est refuse", quoi);
}

// The pairing sheet of every round, and the team result file.
void produire_feuilles(const Tournoi& charge) {
    Rapport rapport;
    for (int numero = 1; numero <= charge.entete.ronde_courante + 1; ++numero) {
        afficher_appariements(charge, numero, rapport);
        if (rapport.lignes().empty()) fuzz::exiger("feuille vide", "feuille d'appariements");
    }
    auto t = std::make_unique<Tournoi>(charge);
    // Players without code are refused; with one each, the file is written.
    for (Joueur& j : t->joueurs)
        if (j.equipe.empty()) j.equipe = "Z";
    fuzz::vider_bac_a_sable();
    fuzz::Muette io;
    if (!fichier_resultat_equipes(*t, fuzz::bac_a_sable(), io) && io.erreurs.empty())
        fuzz::exiger("echec sans message", "fichier resultats par equipe");
    exiger_relecture(*t, "apres le fichier par equipe");
}

// Results entered at every table of the current round, the round committed,
// and, for a small field, the next round paired.
void jouer_la_suite(const Tournoi& charge) {
    auto t = std::make_unique<Tournoi>(charge);
    const int r = t->entete.ronde_courante;
    if (r < 0) return;
    for (int table = -1; table <= t->nb_tables(r); ++table) {
        if (t->entete.othello)
            gestion::enregistrer_pions(*t, table, 40 - table % 3, 24 + table % 3);
        else
            gestion::enregistrer_points(*t, table, (table + 3) % 3);
    }
    fuzz::Muette io;
    gestion::tout_verifier(*t, io);
    exiger_relecture(*t, "apres la saisie des resultats");
    if (t->nb_joueurs_actifs() > 10) return;  // the search is exponential
    nouvelle_ronde(*t, io);
    exiger_relecture(*t, "apres une nouvelle ronde");
}

void produire_rapports(const Tournoi& charge) {
    Rapport rapport;
    for (int sorte = 0; sorte < 3; ++sorte) {
        auto t = std::make_unique<Tournoi>(charge);
        if (sorte == 0) classement(*t, rapport);
        if (sorte == 1) historique(*t, rapport);
        if (sorte == 2) liste_joueurs(*t, rapport);
        if (rapport.lignes().empty()) fuzz::exiger("rapport vide", "rapports");
        // The ranking a report applies must keep the tournament sound and
        // savable.
        appliquer_classement(*t);
        exiger_relecture(*t, "apres un rapport");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
    auto t = std::make_unique<Tournoi>();
    if (lire_image(octets, *t) != ErreurLecture::aucune) return 0;
    fuzz::exiger(fuzz::invariant_rompu(*t), "apres chargement");

    // Written back and read again, the file is the same tournament, and its
    // bytes no longer change.
    const std::vector<char> image = image_fichier(*t);
    if (image.size() > taille || image.size() > TAILLE_MAX_FICHIER)
        fuzz::exiger("image plus longue que le fichier lu", "aller-retour");
    auto relu = std::make_unique<Tournoi>();
    if (lire_image(std::string_view(image.data(), image.size()), *relu) != ErreurLecture::aucune)
        fuzz::exiger("l'image ecrite est refusee", "aller-retour");
    if (!(*relu == *t)) fuzz::exiger("tournoi relu different", "aller-retour");
    if (image_fichier(*relu) != image) fuzz::exiger("seconde image differente", "aller-retour");
    // The tables the file left out come back, as the load operation does.
    reconstituer_tables(*t);
    exiger_relecture(*t, "apres les tables refaites");

    produire_rapports(*t);
    produire_feuilles(*t);
    jouer_la_suite(*t);
    return 0;
}
