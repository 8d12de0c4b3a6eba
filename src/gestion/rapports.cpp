#include "gestion/rapports.h"

#include <memory>

#include "gestion/rondes.h"
#include "gestion/sorties.h"
#include "model/disque.h"
#include "model/texte.h"
#include "reports/rapports.h"
#include "reports/tableau.h"

namespace tavo::gestion {

bool produire_rapport(Tournoi& t, SorteRapport sorte, Rapport& rapport) {
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
    for (const std::string& ligne : rapport.lignes()) texte += vers_utf8(ligne) + "\n";
    return texte;
}

void refuser_ecriture(const std::filesystem::path& chemin, Interaction& io) {
    io.message_erreur(cp("Impossible d'écrire le fichier : ") + vers_cp1252(chemin.string()));
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
    // Standings sort the player table: they are built on a copy.
    auto copie = std::make_unique<Tournoi>(t);
    Rapport rapport;
    produire_rapport(*copie, sorte, rapport);
    return exporter_rapport(rapport, format, chemin, io);
}

bool rapport_a_montrer(const Tournoi& t, SorteRapport sorte, Interaction& io) {
    if (sorte == SorteRapport::appariements && t.entete.ronde_courante < 0) {
        io.message_erreur(cp("Aucune ronde n'a encore été appariée"));
        return false;
    }
    if (sorte == SorteRapport::joueurs && t.entete.nb_joueurs == 0) {
        io.message_erreur(cp("Aucun joueur n'est inscrit"));
        return false;
    }
    return true;
}

}  // namespace tavo::gestion
