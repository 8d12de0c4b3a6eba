#include "web/adresse_reseau.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cstdint>

namespace tavo::web {
namespace {

Portee portee_v4(std::uint32_t a) {
    if (a == 0) return Portee::toutes;
    const auto dans = [a](std::uint32_t reseau, int bits) {
        return (a >> (32 - bits)) == (reseau >> (32 - bits));
    };
    if (dans(0x7F000000, 8)) return Portee::boucle;
    if (dans(0x0A000000, 8) || dans(0xAC100000, 12) || dans(0xC0A80000, 16) || dans(0xA9FE0000, 16))
        return Portee::locale;
    return Portee::publique;
}

Portee portee_v6(const in6_addr& a) {
    if (IN6_IS_ADDR_UNSPECIFIED(&a)) return Portee::toutes;
    if (IN6_IS_ADDR_LOOPBACK(&a)) return Portee::boucle;
    if (IN6_IS_ADDR_V4MAPPED(&a)) {
        const std::uint32_t v4 = (std::uint32_t{a.s6_addr[12]} << 24) |
                                 (std::uint32_t{a.s6_addr[13]} << 16) |
                                 (std::uint32_t{a.s6_addr[14]} << 8) | a.s6_addr[15];
        return portee_v4(v4);
    }
    if ((a.s6_addr[0] & 0xFE) == 0xFC || IN6_IS_ADDR_LINKLOCAL(&a)) return Portee::locale;
    return Portee::publique;
}

}  // namespace

Portee portee_adresse(const std::string& adresse) {
    in_addr v4{};
    if (inet_pton(AF_INET, adresse.c_str(), &v4) == 1) return portee_v4(ntohl(v4.s_addr));
    in6_addr v6{};
    if (inet_pton(AF_INET6, adresse.c_str(), &v6) == 1) return portee_v6(v6);
    return Portee::invalide;
}

std::string adresse_reseau_local() {
    ifaddrs* liste = nullptr;
    if (getifaddrs(&liste) != 0) return "127.0.0.1";
    std::string trouvee = "127.0.0.1";
    for (const ifaddrs* i = liste; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !(i->ifa_flags & IFF_UP)) continue;
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(i->ifa_addr);
        const std::uint32_t a = ntohl(v4->sin_addr.s_addr);
        // A link-local address (169.254/16) is what a machine gives itself
        // without a network: no phone would be on it.
        if (portee_v4(a) != Portee::locale || (a >> 16) == 0xA9FE) continue;
        char texte[INET_ADDRSTRLEN] = {};
        if (inet_ntop(AF_INET, &v4->sin_addr, texte, sizeof texte)) {
            trouvee = texte;
            break;
        }
    }
    freeifaddrs(liste);
    return trouvee;
}

std::string url_pages(const std::string& adresse, int port) {
    const bool v6 = adresse.find(':') != std::string::npos;
    return "http://" + (v6 ? "[" + adresse + "]" : adresse) + ":" + std::to_string(port) + "/";
}

}  // namespace tavo::web
