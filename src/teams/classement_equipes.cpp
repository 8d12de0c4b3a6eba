// The final team classification: the sum of each team's ranks over the games,
// fewest points first, the Othello rank breaking ties.
#include <sstream>

#include "model/disque.h"

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
    // resultat.txt is rewritten on every run, under a temporary name then
    // renamed: a symbolic link of that name is replaced, never followed.
    const std::string chemin_journal = (dossier / "resultat.txt").string();
    if (!remplacement_permis(chemin_journal, true)) {
        io.message_erreur(cp("Impossible de créer le fichier RESULTAT.TXT !"));
        return false;
    }
    FichierTemporaire fichier_journal(chemin_journal);
    if (!fichier_journal.ouvert()) {
        io.message_erreur(cp("Impossible de créer le fichier RESULTAT.TXT !"));
        return false;
    }
    const auto liste_lue = lire_texte(trouver_fichier(dossier, "equipes.txt"));
    std::istringstream fichier_liste(liste_lue.value_or(std::string()));
    std::ostringstream journal;
    std::vector<Equipe> liste;
    const bool liste_ok = liste_lue && lire_liste_equipes(fichier_liste, journal, liste, io);
    // The format errors are the only record of the skipped lines: losing
    // them is a failure.
    const std::string lignes = journal.str();
    if (!ecrire_en_entier(fichier_journal.fd(), lignes) || !fichier_journal.remplacer()) {
        io.message_erreur(cp("Erreur d'écriture dans le fichier RESULTAT.TXT"));
        return false;
    }
    // The folder searched follows the program's own message.
    if (!liste_lue) {
        std::string cherche = fs::absolute(dossier).lexically_normal().string();
        if (cherche.size() > 1 && cherche.back() == '/') cherche.pop_back();
        io.message_erreur(cp("Fichier EQUIPES.TXT non-trouvé\nDossier : ") + vers_cp1252(cherche));
    }
    if (!liste_ok) return false;

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
