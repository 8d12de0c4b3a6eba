// The service's own rules: which addresses it calls local, what it refuses
// to start on, and that it follows the window's file, which stays open while
// each change is stored in it.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "gestion/fichier_fenetre.h"
#include "gestion/resultats.h"
#include "support/tournoi_test.h"
#include "web/adresse_reseau.h"
#include "web/serveur_pages.h"

namespace tavo {
namespace {

TEST(Service, AddressesAreToldApartSoThatAPublicOneIsNeverUsedUnsaid) {
    using web::Portee;
    const std::pair<const char*, Portee> cas[] = {
        {"127.0.0.1", Portee::boucle},
        {"::1", Portee::boucle},
        {"192.168.1.12", Portee::locale},
        {"10.0.0.5", Portee::locale},
        {"172.16.0.1", Portee::locale},
        {"172.31.255.255", Portee::locale},
        {"172.32.0.1", Portee::publique},
        {"169.254.3.4", Portee::locale},
        {"fd12::1", Portee::locale},
        {"fe80::1", Portee::locale},
        {"0.0.0.0", Portee::toutes},
        {"::", Portee::toutes},
        {"8.8.8.8", Portee::publique},
        {"2001:db8::1", Portee::publique},
        {"::ffff:192.168.0.2", Portee::locale},
        {"192.168.1", Portee::invalide},
        {"machine.local", Portee::invalide},
        {"", Portee::invalide},
    };
    for (const auto& [adresse, portee] : cas)
        EXPECT_EQ(web::portee_adresse(adresse), portee) << adresse;
    EXPECT_EQ(web::url_pages("192.168.1.12", 8080), "http://192.168.1.12:8080/");
    EXPECT_EQ(web::url_pages("fd12::1", 80), "http://[fd12::1]:80/");
    EXPECT_NE(web::portee_adresse(web::adresse_reseau_local()), Portee::publique);
}

TEST(Service, RefusesWhatItCannotServeAndFollowsTheWindowsFile) {
    const auto dossier = test::dossier_temporaire();
    const std::string chemin = (dossier / "club.tavo").string();
    test::InteractionTest io;
    web::ServeurPages serveur;

    EXPECT_FALSE(serveur.demarrer({chemin, "127.0.0.1", 0, ""}, io)) << "no file yet";
    EXPECT_FALSE(serveur.en_service());

    Tournoi t = test::tournoi_avec_joueurs(6, 3);
    gestion::FichierFenetre fenetre;
    ASSERT_EQ(fenetre.sauver(t, chemin, io), gestion::Sauvegarde::faite);

    io.erreurs.clear();
    EXPECT_FALSE(serveur.demarrer({chemin, "salle-du-club", 0, ""}, io));
    ASSERT_EQ(io.erreurs.size(), 1u);
    EXPECT_EQ(io.erreurs[0],
              "« salle-du-club » n'est pas une adresse IP de cette machine (par exemple "
              "192.168.1.12)");

    ASSERT_TRUE(serveur.demarrer({chemin, "127.0.0.1", 0, ""}, io));
    const std::string adresse = serveur.adresse_pages();
    ASSERT_EQ(adresse.rfind("http://127.0.0.1:", 0), 0u) << adresse;
    const int port = std::stoi(adresse.substr(17));

    // The same port twice: the second service says so and does not start.
    web::ServeurPages second;
    io.erreurs.clear();
    EXPECT_FALSE(second.demarrer({chemin, "127.0.0.1", port, ""}, io));
    ASSERT_EQ(io.erreurs.size(), 1u);
    EXPECT_NE(io.erreurs[0].find("le port est déjà pris"), std::string::npos) << io.erreurs[0];

    // Round 1 paired and a result stored by the window, which keeps the
    // .tavo open: each raises the pages' version within a few seconds.
    const auto attendre_version = [&](std::uint64_t apres) {
        for (int i = 0; i < 100 && serveur.version() <= apres; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return serveur.version() > apres;
    };
    std::uint64_t version = serveur.version();
    test::ouvrir_ronde(t, 0);
    test::poser_partie(t, 0, 0, 1, 4, 2);
    test::poser_partie(t, 0, 1, 2, 5, 1);
    test::poser_partie(t, 0, 2, 3, 6, 0);
    t.entete.modifie = true;
    ASSERT_EQ(fenetre.enregistrer_changement(t, io), gestion::Sauvegarde::faite)
        << (io.erreurs.empty() ? "" : io.erreurs.back());
    EXPECT_TRUE(attendre_version(version));
    version = serveur.version();
    test::poser_partie(t, 0, 1, 2, 5, 2);
    t.entete.modifie = true;
    ASSERT_EQ(fenetre.enregistrer_changement(t, io), gestion::Sauvegarde::faite);
    EXPECT_TRUE(attendre_version(version));

    serveur.arreter();
    EXPECT_FALSE(serveur.en_service());
    EXPECT_TRUE(second.demarrer({chemin, "127.0.0.1", port, ""}, io)) << "the port is free again";
}

}  // namespace
}  // namespace tavo
