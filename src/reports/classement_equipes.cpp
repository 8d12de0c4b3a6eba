// The final team classification report: the teams in order, their points,
// their Othello rank and their rank in each game.
#include "model/texte.h"
#include "reports/rapports.h"
#include "reports/tableau.h"

namespace tavo {

void classement_equipes(const EnteteTournoi& entete, const ClassementEquipes& classement,
                        Rapport& rapport) {
    const std::vector<equipes::Equipe>& liste = classement.equipes;
    const equipes::Jeux& jeux = classement.jeux;
    rapport.titre("Classement final par équipes");
    rapport.vider();
    rapport.ajouter("CLASSEMENT FINAL PAR EQUIPES");
    rapport.ligne("Tournoi %s du %s", entete.nom.c_str(), entete.date.c_str());
    rapport.ajouter(" ");
    rapport.ligne("%d équipes, %d jeux", jeux.nb_joueurs, static_cast<int>(jeux.noms.size()));
    std::string noms = "Jeux : ";
    for (std::size_t j = 0; j < jeux.noms.size(); ++j) noms += (j ? ", " : "") + jeux.noms[j];
    rapport.ajouter(noms);
    rapport.ajouter(" ");
    std::string colonnes = formater("Cla Equ %-30.30s  Pts Dép ", "Equipe");
    for (const std::string& jeu : jeux.noms) colonnes += " " + jeu.substr(0, 3);
    rapport.ajouter(colonnes);

    Tableau& tab = rapport.tableau();
    tab.entete = {
        "Tournoi " + entete.nom + " du " + entete.date,
        formater("%d équipes, %d jeux", jeux.nb_joueurs, static_cast<int>(jeux.noms.size())), noms};
    tab.colonnes = {"Cla", "Equ", "Equipe", "Pts", std::string("Dép")};
    for (const std::string& jeu : jeux.noms) tab.colonnes.push_back(jeu.substr(0, 3));

    // Only teams with at least one rank are listed; a team of the list that
    // played no game keeps total 0 and equipe 0.
    std::vector<const equipes::ScoreEquipe*> listes;
    for (const equipes::ScoreEquipe& s : classement.scores)
        if (s.total != 0 || s.equipe != 0) listes.push_back(&s);
    // Teams equal on total and Othello rank share a rank (1, 2, 2, 4...).
    int position = 1;
    int rang = 1;
    for (std::size_t i = 0; i < listes.size(); ++i) {
        const equipes::ScoreEquipe& s = *listes[i];
        const equipes::Equipe& e = liste[static_cast<std::size_t>(s.equipe)];
        std::string ligne = formater("%3d %-3.3s %-30.30s  %3d %3d  ", rang, e.code.c_str(),
                                     e.nom.c_str(), s.total, s.rang_othello);
        for (std::size_t j = 0; j < jeux.noms.size(); ++j) ligne += formater("%3d ", s.rangs[j]);
        rapport.ajouter(ligne);
        std::vector<Cellule> cellules = {Cellule::de_nombre(rang), Cellule::de_texte(e.code),
                                         Cellule::de_texte(e.nom), Cellule::de_nombre(s.total),
                                         Cellule::de_nombre(s.rang_othello)};
        for (std::size_t j = 0; j < jeux.noms.size(); ++j)
            cellules.push_back(Cellule::de_nombre(s.rangs[j]));
        tab.lignes.push_back(std::move(cellules));
        ++position;
        if (i + 1 < listes.size() &&
            (listes[i + 1]->total != s.total || listes[i + 1]->rang_othello != s.rang_othello))
            rang = position;
    }
}

}  // namespace tavo
