// Fuzz target: the tournament file loader. Any byte string is offered as a
// file; whatever the loader accepts must keep the tournament's invariants,
// give every report, and be written back as the same bytes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "invariants.h"
#include "model/fichier_tournoi.h"
#include "pairing/rapport.h"
#include "standings/rapports.h"

namespace {

using namespace tavo;

// The bytes the loader may change on the way back: `modifie` is stored as 0
// and the tie-break labels are rebuilt from the ids.
bool octet_reecrit(std::size_t i) {
    return i == offsetof(EnteteTournoi, modifie) ||
           (i >= offsetof(EnteteTournoi, abrev_departages) &&
            i < offsetof(EnteteTournoi, abrev_departages) +
                    sizeof(EnteteTournoi::abrev_departages));
}

void produire_rapports(const Tournoi& charge) {
    Rapport rapport;
    for (int sorte = 0; sorte < 3; ++sorte) {
        auto t = std::make_unique<Tournoi>(charge);
        if (sorte == 0) classement(*t, rapport);
        if (sorte == 1) historique(*t, rapport);
        if (sorte == 2) liste_joueurs(*t, rapport);
        if (rapport.lignes().empty()) fuzz::exiger("rapport vide", "rapports");
        // Sorting for a report must keep the tournament sound and savable.
        fuzz::exiger(fuzz::invariant_rompu(*t), "apres un rapport");
        const std::vector<char> image = image_fichier(*t);
        auto relu = std::make_unique<Tournoi>();
        if (lire_image(std::string_view(image.data(), image.size()), *relu) !=
            ErreurLecture::aucune)
            fuzz::exiger("le fichier trie est refuse", "apres un rapport");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
    auto t = std::make_unique<Tournoi>();
    if (lire_image(octets, *t) != ErreurLecture::aucune) return 0;
    fuzz::exiger(fuzz::invariant_rompu(*t), "apres chargement");

    // Written back, the file is the bytes read, up to its last record.
    const std::vector<char> image = image_fichier(*t);
    if (image.size() > taille || image.size() > TAILLE_MAX_FICHIER)
        fuzz::exiger("image plus longue que le fichier lu", "aller-retour");
    for (std::size_t i = 0; i < image.size(); ++i)
        if (image[i] != octets[i] && !octet_reecrit(i))
            fuzz::exiger("octet " + std::to_string(i) + " change", "aller-retour");
    auto relu = std::make_unique<Tournoi>();
    if (lire_image(std::string_view(image.data(), image.size()), *relu) != ErreurLecture::aucune)
        fuzz::exiger("l'image ecrite est refusee", "aller-retour");
    if (image_fichier(*relu) != image) fuzz::exiger("seconde image differente", "aller-retour");

    produire_rapports(*t);
    return 0;
}
