#include "gestion/rapports.h"

#include "gestion/rondes.h"
#include "gestion/sorties.h"
#include "model/disque.h"
#include "model/texte.h"
#include "reports/rapports.h"
#include "reports/tableau.h"
#include "standings/scores.h"

namespace tavo::gestion {

bool produire_rapport(const Tournoi& t, SorteRapport sorte, Rapport& rapport) {
    switch (sorte) {
        case SorteRapport::appariements:
            revoir_appariements(t, rapport);
            return true;
        case SorteRapport::classement:
            classement(t, rapport);
            return true;
        case SorteRapport::historique:
            historique(t, rapport);
            return true;
        case SorteRapport::joueurs:
            return liste_joueurs(t, rapport);
        case SorteRapport::grille:
            grille(t, rapport);
            return true;
    }
    return false;
}

std::string mettre_en_forme(const Rapport& rapport, FormatRapport format) {
    switch (format) {
        case FormatRapport::html:
            return ecrire_html(rapport);
        case FormatRapport::csv:
            return ecrire_csv(rapport);
        case FormatRapport::texte:
            break;
    }
    std::string texte;
    for (const std::string& ligne : rapport.lignes()) texte += ligne + "\n";
    return texte;
}

void refuser_ecriture(const std::filesystem::path& chemin, Interaction& io) {
    io.message_erreur("Impossible d'écrire le fichier : " + chemin.string());
}

bool exporter_rapport(const Rapport& rapport, FormatRapport format,
                      const std::filesystem::path& chemin, Interaction& io,
                      const std::filesystem::path& source) {
    if (!sortie_permise(chemin, source, io)) return false;
    if (!ecrire_fichier_entier(chemin, mettre_en_forme(rapport, format))) {
        refuser_ecriture(chemin, io);
        return false;
    }
    return true;
}

bool exporter_rapport(const Tournoi& t, SorteRapport sorte, FormatRapport format,
                      const std::filesystem::path& chemin, Interaction& io) {
    Rapport rapport;
    produire_rapport(t, sorte, rapport);
    return exporter_rapport(rapport, format, chemin, io);
}

void retenir_classement(Tournoi& t, SorteRapport sorte) {
    // The 1998 program ranked the players for these three: its file keeps
    // the order and the points of that ranking.
    if (sorte == SorteRapport::classement || sorte == SorteRapport::historique ||
        sorte == SorteRapport::grille)
        appliquer_classement(t);
}

bool rapport_a_montrer(const Tournoi& t, SorteRapport sorte, Interaction& io) {
    if (sorte == SorteRapport::appariements && t.entete.ronde_courante < 0) {
        io.message_erreur("Aucune ronde n'a encore été appariée");
        return false;
    }
    if (sorte == SorteRapport::joueurs && t.nb_joueurs() == 0) {
        io.message_erreur("Aucun joueur n'est inscrit");
        return false;
    }
    return true;
}

}  // namespace tavo::gestion
