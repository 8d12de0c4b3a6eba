// The final team classification: the sum of each team's ranks over the games,
// fewest points first, the Othello rank breaking ties.
#include <sys/stat.h>

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

namespace {

// resultat.txt copies lines of the team list: when the list is not
// readable by everyone, only the log's writer may read it. So root
// classifying in another user's folder never hands him lines of a file he
// could not read.
bool lisible_par_tous(const equipes::TexteLu& liste) {
    return liste.etat != FichierLu::Etat::lu || (liste.droits & S_IROTH) != 0;
}

// Why the team list was not read: the program's message for a missing list,
// followed by the folder searched; the real reason otherwise.
std::string liste_non_lue(const equipes::TexteLu& liste, const fs::path& dossier) {
    if (liste.etat != FichierLu::Etat::absent) return liste.refus;
    std::string cherche = fs::absolute(dossier).lexically_normal().string();
    if (cherche.size() > 1 && cherche.back() == '/') cherche.pop_back();
    return "Fichier EQUIPES.TXT non-trouvé\nDossier : " + cherche;
}

}  // namespace

bool classer_equipes(const fs::path& dossier, ClassementEquipes& classement, Interaction& io) {
    using namespace equipes;
    // resultat.txt is rewritten on every run, under a temporary name then
    // renamed: a symbolic link of that name is replaced, never followed.
    const std::string chemin_journal = (dossier / "resultat.txt").string();
    if (!remplacement_permis(chemin_journal, true)) {
        io.message_erreur("Impossible de créer le fichier RESULTAT.TXT !");
        return false;
    }
    // A new file of whoever runs the classification, never taking the owner
    // or mode of the file it replaces.
    FichierTemporaire fichier_journal(chemin_journal, 0666);
    if (!fichier_journal.ouvert()) {
        io.message_erreur("Impossible de créer le fichier RESULTAT.TXT !");
        return false;
    }
    const TexteLu liste_lue = lire_texte(trouver_fichier(dossier, "equipes.txt"));
    if (!lisible_par_tous(liste_lue)) ::fchmod(fichier_journal.fd(), S_IRUSR | S_IWUSR);
    std::istringstream fichier_liste(liste_lue.texte);
    std::ostringstream journal;
    std::vector<Equipe> liste;
    const bool liste_ok =
        liste_lue.refus.empty() && lire_liste_equipes(fichier_liste, journal, liste, io);
    // The format errors are the only record of the skipped lines: losing
    // them is a failure.
    const std::string lignes = pour_fichier_1998(journal.str());
    if (!ecrire_en_entier(fichier_journal.fd(), lignes) || !fichier_journal.remplacer()) {
        io.message_erreur("Erreur d'écriture dans le fichier RESULTAT.TXT");
        return false;
    }
    if (!liste_lue.refus.empty()) io.message_erreur(liste_non_lue(liste_lue, dossier));
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
