// The pages the players read on their phones, built from the tournament: the
// current round's tables, the standings, the crosstable, the players and
// each player's games, and a poster to pin on the wall. Each is a whole HTML
// page with no resource from elsewhere, written by the reports' HTML writer.
#pragma once

#include <cstdint>
#include <string>

#include "model/tournoi.h"

namespace tavo::web {

struct Page {
    int statut = 200;
    std::string type = "text/html; charset=utf-8";
    std::string corps;
};

// What the poster says besides the tournament: the address of the pages and
// the Wi-Fi network the players join first ("" when the director named none).
struct Affiche {
    std::string adresse;
    std::string reseau;
};

// The page at `chemin` (the path of the request, its query left out), with
// `recherche` the name a player typed to find his table ("" for none).
// `version` is written into the page, so that its script knows when the
// tournament has changed. Any other path is the 404 page.
Page page(const Tournoi& t, const std::string& chemin, const std::string& recherche,
          const Affiche& affiche, std::uint64_t version);

// The script that brings a page up to date without the reader reloading:
// it asks /version every 2 seconds and, when it changed, takes the page
// again and puts its new content in place.
const char* script_direct();

}  // namespace tavo::web
