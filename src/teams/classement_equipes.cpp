// The final team classification: the sum of each team's ranks over the games,
// fewest points first, the Othello rank breaking ties.
#include <fstream>

#include "model/texte.h"
#include "teams/equipes.h"
#include "teams/equipes_internes.h"

namespace tavo {

namespace fs = std::filesystem;

namespace equipes {

void trier_scores(std::vector<ScoreEquipe>& scores) {
    for (std::size_t i = 0; i + 1 < scores.size(); ++i) {
        std::size_t meilleur = i;
        for (std::size_t k = i + 1; k < scores.size(); ++k) {
            const ScoreEquipe& a = scores[k];
            const ScoreEquipe& b = scores[meilleur];
            if (a.total < b.total || (a.total == b.total && a.rang_othello < b.rang_othello))
                meilleur = k;
        }
        if (meilleur != i) std::swap(scores[i], scores[meilleur]);
    }
}

}  // namespace equipes

bool classer_equipes(const fs::path& dossier, ClassementEquipes& classement, Interaction& io) {
    using namespace equipes;
    std::ofstream journal(dossier / "resultat.txt", std::ios::binary | std::ios::trunc);
    if (!journal) {
        io.message_erreur(cp("Impossible de créer le fichier RESULTAT.TXT !"));
        return false;
    }
    const fs::path chemin_liste = trouver_fichier(dossier, "equipes.txt");
    std::ifstream fichier_liste(chemin_liste, std::ios::binary);
    std::error_code ec;
    if (!fichier_liste || fs::is_directory(chemin_liste, ec)) {
        io.message_erreur(cp("Fichier EQUIPES.TXT non-trouvé"));
        return false;
    }
    std::vector<Equipe> liste;
    if (!lire_liste_equipes(fichier_liste, journal, liste, io)) return false;
    fichier_liste.close();
    // The format errors are the only record of the skipped lines: losing
    // them is a failure.
    if (!journal.flush()) {
        io.message_erreur(cp("Erreur d'écriture dans le fichier RESULTAT.TXT"));
        return false;
    }

    std::vector<std::string> fichiers;
    if (!fichiers_resultats(dossier, fichiers, io)) return false;
    std::vector<ScoreEquipe> scores(liste.size());
    Jeux jeux;
    for (const std::string& nom : fichiers)
        if (!lire_fichier_resultats(dossier, nom, liste, scores, jeux, io)) return false;
    for (ScoreEquipe& s : scores) {
        s.total = 0;
        for (std::size_t j = 0; j < jeux.noms.size(); ++j) s.total += s.rangs[j];
    }
    trier_scores(scores);

    classement = ClassementEquipes{std::move(liste), std::move(scores), std::move(jeux)};
    return true;
}

}  // namespace tavo
