#include "gestion/rondes.h"

#include "gestion/verifications.h"
#include "reports/feuille.h"

namespace tavo::gestion {

bool apparier_ronde(Tournoi& t, Rapport& rapport, Interaction& io,
                    const OptionsAppariement& options) {
    if (!joueurs_prets(t, io) || !nouvelle_ronde(t, io, options)) return false;
    revoir_appariements(t, rapport);
    return true;
}

void revoir_appariements(const Tournoi& t, Rapport& rapport) {
    afficher_appariements(t, numero_ronde(t), rapport);
}

int numero_ronde(const Tournoi& t) {
    return t.entete.ronde_courante + 1;
}

}  // namespace tavo::gestion
