// The network address the pages are served on: the machine's address on the
// room's local network by default, and what kind of address the director
// chose, so that a public one is never used without saying so.
#pragma once

#include <string>

namespace tavo::web {

enum class Portee {
    invalide,  // not an IPv4 or IPv6 address
    boucle,    // this machine only (127.0.0.1, ::1): no phone reaches it
    locale,    // a private network: 10/8, 172.16/12, 192.168/16, 169.254/16, fc00::/7, fe80::/10
    toutes,    // every address of the machine (0.0.0.0, ::)
    publique,  // any other: reachable from the internet if the network routes it
};

Portee portee_adresse(const std::string& adresse);

// The machine's first private IPv4 address on an interface that is up;
// "127.0.0.1" when it has none (no network: the pages reach this machine only).
std::string adresse_reseau_local();

// The address to give the players: "http://192.168.1.12:8080/", an IPv6
// address in brackets.
std::string url_pages(const std::string& adresse, int port);

}  // namespace tavo::web
