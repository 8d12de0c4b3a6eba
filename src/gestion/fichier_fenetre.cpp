#include "gestion/fichier_fenetre.h"

#include <filesystem>
#include <system_error>

#include "gestion/fichiers.h"
#include "model/fichier_tavo.h"

namespace tavo::gestion {
namespace {

// Asked before a save over a file another program changed.
Interaction::Reponse question_fichier_change(Interaction& io) {
    return io.question_choix(
        "Sauver le tournoi",
        "Ce fichier a été modifié sur le disque depuis son chargement ou sa dernière "
        "sauvegarde.\n\nRecharger : reprendre le fichier tel qu'il est sur le disque.\n"
        "Écraser : le remplacer par ce tournoi.",
        "Recharger", "Écraser", Interaction::Reponse::annuler);
}

// Before "Recharger": the changes not saved are lost only if the director
// agrees.
bool perte_acceptee(const Tournoi& t, Interaction& io) {
    return !a_sauver(t) ||
           io.question_prudente("Recharger le tournoi",
                                "Les changements de ce tournoi qui ne sont pas enregistrés "
                                "seront perdus.\n\nRecharger quand même ?");
}

// A .pxi loaded, with the state it had before it was read: a change made
// while reading is seen as a change.
bool charger_pxi(Tournoi& t, const std::string& chemin, Interaction& io, EtatFichier& connu) {
    const EtatFichier avant = etat_fichier(chemin);
    if (!charger_tournoi(t, chemin, io)) return false;
    connu = avant;
    return true;
}

std::filesystem::path absolu(const std::string& chemin) {
    std::error_code ec;
    const auto p = std::filesystem::weakly_canonical(chemin, ec);
    return ec ? std::filesystem::absolute(chemin, ec) : p;
}

}  // namespace

FichierFenetre::FichierFenetre() = default;
FichierFenetre::~FichierFenetre() = default;

bool FichierFenetre::le_sien(const std::string& chemin) const {
    return !chemin_.empty() && absolu(chemin) == absolu(chemin_);
}

void FichierFenetre::oublier() {
    chemin_.clear();
    connu_ = {};
    tavo_.reset();
}

bool FichierFenetre::charger(Tournoi& t, const std::string& chemin, Interaction& io) {
    if (!est_fichier_tavo(chemin)) {
        EtatFichier etat;
        if (!charger_pxi(t, chemin, io, etat)) return false;
        oublier();
        connu_ = etat;
    } else {
        auto fichier = std::make_unique<FichierTavo>();
        if (!ouvrir_fichier_tavo(*fichier, chemin, io)) return false;
        if (!fichier->lire(t)) {
            io.message_erreur(fichier->erreur());
            return false;
        }
        oublier();
        tavo_ = std::move(fichier);
    }
    chemin_ = chemin;
    return true;
}

Sauvegarde FichierFenetre::sauver(Tournoi& t, const std::string& chemin, Interaction& io) {
    const bool tavo = est_fichier_tavo(chemin);
    const Sauvegarde s = !tavo                      ? sauver_pxi(t, chemin, io)
                         : tavo_ && le_sien(chemin) ? sauver_tavo(t, io)
                                                    : sauver_autre_tavo(t, chemin, io);
    // The fields of the dialogs follow what the tournament's file can hold.
    if (s == Sauvegarde::faite) t.limites_1998 = !tavo;
    return s;
}

Sauvegarde FichierFenetre::enregistrer_changement(Tournoi& t, Interaction& io) {
    if (!tavo_ || !a_sauver(t)) return Sauvegarde::abandonnee;
    return sauver_tavo(t, io);
}

Sauvegarde FichierFenetre::sauver_pxi(Tournoi& t, const std::string& chemin, Interaction& io) {
    // The state known is that of the window's file, none for another.
    EtatFichier connu = le_sien(chemin) && !tavo_ ? connu_ : EtatFichier{};
    VerrouFichier verrou;
    if (!verrouiller_tournoi(verrou, chemin, io)) return Sauvegarde::abandonnee;
    if (connu.existe && !meme_etat(connu, etat_fichier(chemin))) {
        switch (question_fichier_change(io)) {
            case Interaction::Reponse::oui:
                if (!perte_acceptee(t, io) || !charger_pxi(t, chemin, io, connu_))
                    return Sauvegarde::abandonnee;
                return Sauvegarde::rechargee;
            case Interaction::Reponse::non:
                break;
            case Interaction::Reponse::annuler:
                return Sauvegarde::abandonnee;
        }
    }
    if (!sauver_tournoi(t, chemin, io)) return Sauvegarde::abandonnee;
    oublier();
    chemin_ = chemin;
    connu_ = etat_fichier(chemin);
    return Sauvegarde::faite;
}

// The window's .tavo: the question comes when another program committed
// since this window last read or wrote it. The file stays held (other
// programs wait) from that check to the end of the save.
Sauvegarde FichierFenetre::sauver_tavo(Tournoi& t, Interaction& io) {
    FichierTavo& fichier = *tavo_;
    if (!fichier.commencer()) {
        io.message_erreur(fichier.erreur());
        return Sauvegarde::abandonnee;
    }
    if (fichier.change_ailleurs()) {
        switch (question_fichier_change(io)) {
            case Interaction::Reponse::oui: {
                const bool accepte = perte_acceptee(t, io);
                const bool repris = accepte && fichier.lire(t);
                if (accepte && !repris) io.message_erreur(fichier.erreur());
                fichier.abandonner();
                return repris ? Sauvegarde::rechargee : Sauvegarde::abandonnee;
            }
            case Interaction::Reponse::non:
                break;
            case Interaction::Reponse::annuler:
                fichier.abandonner();
                return Sauvegarde::abandonnee;
        }
    }
    if (!fichier.ecrire(t)) {
        io.message_erreur(fichier.erreur());
        return Sauvegarde::abandonnee;
    }
    return Sauvegarde::faite;
}

// Another .tavo (new, or holding another tournament the director chose to
// replace): written, then kept open as the window's file.
Sauvegarde FichierFenetre::sauver_autre_tavo(Tournoi& t, const std::string& chemin,
                                             Interaction& io) {
    if (!sauver_tournoi(t, chemin, io)) return Sauvegarde::abandonnee;
    auto fichier = std::make_unique<FichierTavo>();
    // Read back once on this connection, so that later changes by other
    // programs are told from this window's own.
    Tournoi relu;
    if (!fichier->ouvrir(chemin) || !fichier->lire(relu)) {
        io.message_erreur(fichier->erreur());
        oublier();
        return Sauvegarde::faite;
    }
    oublier();
    tavo_ = std::move(fichier);
    chemin_ = chemin;
    return Sauvegarde::faite;
}

}  // namespace tavo::gestion
