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

namespace {

void ecrire_rapport(const EnteteTournoi& entete, const std::vector<Equipe>& liste,
                    const std::vector<ScoreEquipe>& scores, const Jeux& jeux, Rapport& rapport) {
    rapport.titre(cp("Classement final par équipes"));
    rapport.vider();
    rapport.ajouter("CLASSEMENT FINAL PAR EQUIPES");
    rapport.ligne("Tournoi %s du %s", champ(entete.nom).c_str(), champ(entete.date).c_str());
    rapport.ajouter(" ");
    rapport.ligne(cp("%d équipes, %d jeux").c_str(), jeux.nb_joueurs,
                  static_cast<int>(jeux.noms.size()));
    std::string noms = "Jeux : ";
    for (std::size_t j = 0; j < jeux.noms.size(); ++j) noms += (j ? ", " : "") + jeux.noms[j];
    rapport.ajouter(noms);
    rapport.ajouter(" ");
    std::string colonnes = formater(cp("Cla Equ %-30.30s  Pts Dép ").c_str(), "Equipe");
    for (const std::string& jeu : jeux.noms) colonnes += " " + jeu.substr(0, 3);
    rapport.ajouter(colonnes);

    // Only teams with at least one rank are listed; a team of the list that
    // played no game keeps total 0 and equipe 0.
    std::vector<const ScoreEquipe*> listes;
    for (const ScoreEquipe& s : scores)
        if (s.total != 0 || s.equipe != 0) listes.push_back(&s);
    // Teams equal on total and Othello rank share a rank (1, 2, 2, 4...).
    int position = 1;
    int rang = 1;
    for (std::size_t i = 0; i < listes.size(); ++i) {
        const ScoreEquipe& s = *listes[i];
        const Equipe& e = liste[static_cast<std::size_t>(s.equipe)];
        std::string ligne = formater("%3d %-3.3s %-30.30s  %3d %3d  ", rang, e.code.c_str(),
                                     e.nom.c_str(), s.total, s.rang_othello);
        for (std::size_t j = 0; j < jeux.noms.size(); ++j) ligne += formater("%3d ", s.rangs[j]);
        rapport.ajouter(ligne);
        ++position;
        if (i + 1 < listes.size() &&
            (listes[i + 1]->total != s.total || listes[i + 1]->rang_othello != s.rang_othello))
            rang = position;
    }
}

}  // namespace
}  // namespace equipes

bool classement_final_equipes(const EnteteTournoi& entete, const fs::path& dossier,
                              Rapport& rapport, Interaction& io) {
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

    Rapport nouveau;
    ecrire_rapport(entete, liste, scores, jeux, nouveau);
    rapport = std::move(nouveau);
    return true;
}

}  // namespace tavo
