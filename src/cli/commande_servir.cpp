// tavo-cli servir: the tournament's pages on the room's network until the
// director stops the command (Ctrl+C).
#include <csignal>

#include "cli/arguments.h"
#include "cli/commandes.h"
#include "web/serveur_pages.h"

namespace tavo::cli {

int commande_servir(const Mots& mots, Console& console) {
    const Arguments args(mots, {"--adresse", "--port", "--reseau"}, {});
    web::ReglagesService reglages;
    reglages.fichier = args.positionnel(0, "le fichier du tournoi");
    args.au_plus(1);
    if (const auto v = args.valeur("--adresse")) reglages.adresse = *v;
    if (const auto v = args.valeur("--port"))
        reglages.port = entier_option(*v, 0, 65535, "le port");
    if (const auto v = args.valeur("--reseau")) reglages.reseau = texte_utf8(*v, "le réseau Wi-Fi");

    // Ctrl+C and a stop request are waited for here; the service's threads,
    // started after, inherit the blocked signals and never see them.
    sigset_t arret;
    sigemptyset(&arret);
    sigaddset(&arret, SIGINT);
    sigaddset(&arret, SIGTERM);
    sigaddset(&arret, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &arret, nullptr);

    web::ServeurPages serveur;
    if (!serveur.demarrer(reglages, console)) return ECHEC;
    const std::string adresse = serveur.adresse_pages();
    Console::afficher("Pages du tournoi : " + adresse);
    Console::afficher("Affiche à imprimer : " + adresse + "affiche");
    Console::afficher(
        "Les joueurs rejoignent le réseau de cette machine, puis ouvrent l'adresse "
        "ou scannent le code de l'affiche. Ctrl+C arrête le service.");
    std::fflush(stdout);
    int signal = 0;
    sigwait(&arret, &signal);
    serveur.arreter();
    Console::afficher("Service arrêté.");
    return SUCCES;
}

}  // namespace tavo::cli
