#include "gestion/fichiers.h"

#include <memory>

#include "model/fichier_tournoi.h"
#include "model/texte.h"
#include "pairing/reconstitution.h"

namespace tavo::gestion {

bool charger_tournoi(Tournoi& t, const std::string& chemin, Interaction& io) {
    if (!charger(t, chemin, io)) return false;
    reconstituer_tables(t);
    return true;
}

bool sauver_tournoi(Tournoi& t, const std::string& chemin, Interaction& io) {
    return sauver(t, chemin, io);
}

bool creer_tournoi(Tournoi& t, const std::string& chemin, Interaction& io) {
    return creer(t, chemin, io);
}

bool ecrire_copie_secours(const Tournoi& t, const std::string& chemin, Interaction& io) {
    // Written from a copy: saving clears the flag that the tournament keeps.
    auto copie = std::make_unique<Tournoi>(t);
    return sauver(*copie, chemin, io);
}

bool reprendre_copie_secours(Tournoi& t, const std::string& chemin, Interaction& io) {
    if (!charger_tournoi(t, chemin, io)) return false;
    t.entete.modifie = 1;
    return true;
}

bool verrouiller_tournoi(VerrouFichier& verrou, const std::string& chemin, Interaction& io) {
    switch (verrou.prendre(chemin, ATTENTE_VERROU_MS)) {
        case VerrouFichier::Etat::pris:
        case VerrouFichier::Etat::absent:
            return true;
        case VerrouFichier::Etat::occupe:
            io.message_erreur(
                "Ce fichier est en cours de modification par un autre "
                "programme : réessayez dans un instant");
            return false;
        case VerrouFichier::Etat::sans_verrou:
            io.message_erreur(
                "Ce fichier ne peut pas être verrouillé : son système de fichiers ne le "
                "permet pas (copiez-le dans un dossier local)");
            return false;
        case VerrouFichier::Etat::impossible:
            break;
    }
    io.message_erreur("Impossible d'ouvrir ce fichier");
    return false;
}

bool charger_tournoi(Tournoi& t, const std::string& chemin, Interaction& io, EtatFichier& connu) {
    // Taken before reading: a change made while reading is seen as a change.
    const EtatFichier avant = etat_fichier(chemin);
    if (!charger_tournoi(t, chemin, io)) return false;
    connu = avant;
    return true;
}

namespace {

// "Recharger": the file as it is on disk replaces the tournament, once the
// director agrees to lose the changes not saved.
bool recharger(Tournoi& t, const std::string& chemin, Interaction& io, EtatFichier& connu) {
    if (a_sauver(t) &&
        !io.question_prudente("Recharger le tournoi",
                              "Les changements de ce tournoi qui ne sont pas enregistrés "
                              "seront perdus.\n\nRecharger quand même ?"))
        return false;
    return charger_tournoi(t, chemin, io, connu);
}

}  // namespace

Sauvegarde sauver_tournoi(Tournoi& t, const std::string& chemin, Interaction& io,
                          EtatFichier& connu) {
    VerrouFichier verrou;
    if (!verrouiller_tournoi(verrou, chemin, io)) return Sauvegarde::abandonnee;
    if (connu.existe && !meme_etat(connu, etat_fichier(chemin))) {
        switch (io.question_choix(
            "Sauver le tournoi",
            "Ce fichier a été modifié sur le disque depuis son chargement ou sa dernière "
            "sauvegarde.\n\nRecharger : reprendre le fichier tel qu'il est sur le disque.\n"
            "Écraser : le remplacer par ce tournoi.",
            "Recharger", "Écraser", Interaction::Reponse::annuler)) {
            case Interaction::Reponse::oui:
                return recharger(t, chemin, io, connu) ? Sauvegarde::rechargee
                                                       : Sauvegarde::abandonnee;
            case Interaction::Reponse::non:
                break;
            case Interaction::Reponse::annuler:
                return Sauvegarde::abandonnee;
        }
    }
    if (!sauver_tournoi(t, chemin, io)) return Sauvegarde::abandonnee;
    connu = etat_fichier(chemin);
    return Sauvegarde::faite;
}

bool a_sauver(const Tournoi& t) {
    return t.entete.modifie != 0;
}

}  // namespace tavo::gestion
