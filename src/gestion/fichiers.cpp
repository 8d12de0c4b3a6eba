#include "gestion/fichiers.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>

#include "model/fichier_tavo.h"
#include "model/fichier_tournoi.h"
#include "model/texte.h"
#include "pairing/reconstitution.h"

namespace tavo::gestion {

bool est_fichier_tavo(const std::string& chemin) {
    std::string extension = std::filesystem::path(chemin).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".tavo";
}

namespace {

bool present(const std::string& chemin) {
    std::error_code ec;
    return std::filesystem::symlink_status(chemin, ec).type() !=
           std::filesystem::file_type::not_found;
}

bool signaler(bool reussi, const FichierTavo& fichier, Interaction& io) {
    if (!reussi) io.message_erreur(fichier.erreur());
    return reussi;
}

}  // namespace

bool ouvrir_fichier_tavo(FichierTavo& fichier, const std::string& chemin, Interaction& io) {
    if (!fichier.ouvrir(chemin)) {
        io.message_erreur(fichier.erreur());
        return false;
    }
    if (!fichier.avertissement().empty()) io.information(fichier.avertissement());
    return true;
}

bool charger_tournoi(Tournoi& t, const std::string& chemin, Interaction& io) {
    if (est_fichier_tavo(chemin)) {
        FichierTavo fichier;
        return ouvrir_fichier_tavo(fichier, chemin, io) && signaler(fichier.lire(t), fichier, io);
    }
    if (!charger(t, chemin, io)) return false;
    reconstituer_tables(t);
    return true;
}

bool sauver_tournoi(Tournoi& t, const std::string& chemin, Interaction& io) {
    if (!est_fichier_tavo(chemin)) return sauver(t, chemin, io);
    if (!present(chemin)) return creer_tournoi(t, chemin, io);
    FichierTavo fichier;
    return ouvrir_fichier_tavo(fichier, chemin, io) && signaler(fichier.ecrire(t), fichier, io);
}

bool creer_tournoi(Tournoi& t, const std::string& chemin, Interaction& io) {
    if (!est_fichier_tavo(chemin)) return creer(t, chemin, io);
    FichierTavo fichier;
    if (!signaler(fichier.creer(chemin, t), fichier, io)) return false;
    if (!fichier.avertissement().empty()) io.information(fichier.avertissement());
    return true;
}

ActionFichier::ActionFichier(std::string chemin) : chemin_(std::move(chemin)) {}

ActionFichier::~ActionFichier() = default;

bool ActionFichier::commencer(Interaction& io) {
    if (!est_fichier_tavo(chemin_)) return verrouiller_tournoi(verrou_, chemin_, io);
    if (!present(chemin_)) return true;
    tavo_ = std::make_unique<FichierTavo>();
    return ouvrir_fichier_tavo(*tavo_, chemin_, io) && signaler(tavo_->commencer(), *tavo_, io);
}

bool ActionFichier::charger(Tournoi& t, Interaction& io) {
    if (!tavo_) return charger_tournoi(t, chemin_, io);
    return signaler(tavo_->lire(t), *tavo_, io);
}

bool ActionFichier::sauver(Tournoi& t, Interaction& io) {
    if (!tavo_) return sauver_tournoi(t, chemin_, io);
    return signaler(tavo_->ecrire(t), *tavo_, io);
}

bool ecrire_copie_secours(const Tournoi& t, const std::string& chemin, Interaction& io) {
    // Written from a copy: saving clears the flag that the tournament keeps.
    auto copie = std::make_unique<Tournoi>(t);
    return sauver_tournoi(*copie, chemin, io);
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

bool a_sauver(const Tournoi& t) {
    return t.entete.modifie != 0;
}

}  // namespace tavo::gestion
