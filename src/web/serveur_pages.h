// The service that serves the tournament's pages on the room's network:
// read-only, it follows the tournament file and shows what is stored there
// (by the window or by tavo-cli) within a second or two.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/interaction.h"

namespace tavo::web {

struct ReglagesService {
    std::string fichier;  // the tournament file (.tavo or .pxi)
    std::string adresse;  // the address listened on; the local network's when empty
    int port = 8080;      // 0: any free port
    std::string reseau;   // the Wi-Fi network the poster names, "" for none
};

class ServeurPages {
  public:
    ServeurPages();
    ~ServeurPages();  // stops the service
    ServeurPages(const ServeurPages&) = delete;
    ServeurPages& operator=(const ServeurPages&) = delete;

    // Loads the tournament file and starts serving it. False (message shown)
    // when the file cannot be loaded, the address is not one of this
    // machine's, or the port is taken. A public address, or all of them, is
    // served after an information that says so.
    bool demarrer(const ReglagesService& reglages, Interaction& io);
    void arreter();
    bool en_service() const;

    // The address to give the players ("http://192.168.1.12:8080/").
    std::string adresse_pages() const;
    // Rises each time the pages change.
    std::uint64_t version() const;

  private:
    struct Etat;
    std::unique_ptr<Etat> etat_;
};

}  // namespace tavo::web
