// Fuzz target: the player list read by "Importer des joueurs". The input is
// the whole list file; it is imported into a tournament of five players.
#include <cstddef>
#include <cstdint>
#include <string>

#include "generation.h"
#include "gestion/import.h"
#include "invariants.h"
#include "model/texte.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    using namespace tavo;
    static const auto modele = fuzz::nouveau_tournoi(5, 5, "Echecs", {"BU"});
    auto t = std::make_unique<Tournoi>(*modele);
    const std::string liste(reinterpret_cast<const char*>(donnees), taille);
    fuzz::Muette io;
    const int nombre = gestion::importer_liste(*t, liste, io);
    if (nombre < 0) {
        // Refused: one message, and the tournament as it was.
        if (io.erreurs.size() != 1) fuzz::exiger("refus sans un message", "import");
        if (!(*t == *modele)) fuzz::exiger("tournoi change malgre le refus", "import");
        return 0;
    }
    if (!io.erreurs.empty()) fuzz::exiger("un message malgre le succes", "import");
    if (nombre == 0 || t->nb_joueurs() != 5 + nombre)
        fuzz::exiger("nombre de joueurs importes faux", "import");
    fuzz::exiger(fuzz::invariant_rompu(*t), "import");
    for (int id = 6; id <= t->nb_joueurs(); ++id)
        if (t->joueur(id).nom.empty()) fuzz::exiger("joueur importe sans nom", "import");
    return 0;
}
