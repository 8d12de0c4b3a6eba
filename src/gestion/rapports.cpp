#include "gestion/rapports.h"

#include "gestion/rondes.h"
#include "model/texte.h"
#include "reports/rapports.h"

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
    }
    return false;
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
