#include "gestion/rapports.h"

#include "gestion/rondes.h"
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

}  // namespace tavo::gestion
