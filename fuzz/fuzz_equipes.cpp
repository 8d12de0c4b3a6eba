// Fuzz target: the final team classification's readers. The input is the
// team list "equipes.txt" followed by team result files, separated by lines
// "#PXR"; they are written into a scratch folder and merged.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "bac_a_sable.h"
#include "generation.h"
#include "gestion/equipes.h"
#include "invariants.h"

namespace {

using namespace tavo;

// Bound the number of files: one more than the ten games the merge accepts.
constexpr std::size_t kMaxFichiers = 12;

void ecrire(const std::filesystem::path& chemin, const std::string& octets) {
    std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
    f.write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string entree(reinterpret_cast<const char*>(donnees), taille);
    const std::vector<std::string> morceaux = fuzz::decouper(entree, "\n#PXR\n");
    if (morceaux.size() > kMaxFichiers + 1) return 0;

    fuzz::vider_bac_a_sable();
    const auto& dossier = fuzz::bac_a_sable();
    ecrire(dossier / "equipes.txt", morceaux[0]);
    for (std::size_t k = 1; k < morceaux.size(); ++k)
        ecrire(dossier / ("jeu" + std::to_string(k < 10 ? 0 : 1) + std::to_string(k % 10) + ".PXR"),
               morceaux[k]);

    static const Tournoi sans_nom;
    Rapport rapport;
    rapport.ajouter("rapport precedent");
    fuzz::Muette io;
    if (gestion::classement_final_equipes(sans_nom, dossier, rapport, io)) {
        if (!io.erreurs.empty())
            fuzz::exiger("un message malgre le succes", "classement par equipes");
        if (rapport.lignes().size() < 7 || rapport.lignes()[0] != "CLASSEMENT FINAL PAR EQUIPES")
            fuzz::exiger("en-tete du classement incomplet", "classement par equipes");
        // Seven heading lines, then one row at most per team of the list (100 at
        // most).
        if (rapport.lignes().size() > 7 + 100)
            fuzz::exiger("trop de lignes", "classement par equipes");
    } else {
        if (io.erreurs.size() != 1) fuzz::exiger("echec sans un message", "classement par equipes");
        if (rapport.lignes().size() != 1 || rapport.lignes()[0] != "rapport precedent")
            fuzz::exiger("le rapport a change malgre l'echec", "classement par equipes");
    }
    return 0;
}
