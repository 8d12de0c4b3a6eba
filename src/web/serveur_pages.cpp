#include "web/serveur_pages.h"

#include <httplib.h>
#include <sys/stat.h>

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <tuple>

#include "gestion/fichiers.h"
#include "model/texte.h"
#include "model/tournoi.h"
#include "web/adresse_reseau.h"
#include "web/pages.h"

namespace tavo::web {
namespace {

// Enough workers for a room of phones: each request is short, and a
// connection is closed after its answer so that no worker waits on an idle
// phone.
constexpr std::size_t kOuvriers = 16;
constexpr auto kIntervalleVeille = std::chrono::milliseconds(500);

// The tournament as the file held it at one moment, and the pages built from
// it so far. Requests share it; a change of the file makes a new one.
struct Instantane {
    Tournoi tournoi;
    std::uint64_t version = 0;
    std::mutex mutex;  // over `pages`
    std::map<std::string, Page> pages;
};

// What says that a file has changed: its size, time and inode, and those of
// the journal an SQLite file writes first (its "-wal" file).
using Signature = std::tuple<bool, long long, long long, long long, unsigned long long>;

Signature signature_de(const std::string& chemin) {
    struct stat s {};
    if (stat(chemin.c_str(), &s) != 0) return {false, 0, 0, 0, 0};
    return {true, static_cast<long long>(s.st_size), static_cast<long long>(s.st_mtim.tv_sec),
            static_cast<long long>(s.st_mtim.tv_nsec), static_cast<unsigned long long>(s.st_ino)};
}

std::pair<Signature, Signature> signature_fichier(const std::string& chemin) {
    return {signature_de(chemin), signature_de(chemin + "-wal")};
}

// Loading in the background: nobody to answer, the last message kept.
class Silencieux : public Interaction {
  public:
    void message_erreur(const std::string& texte) override { dernier = texte; }
    bool question(const std::string&, const std::string&) override { return false; }
    void information(const std::string&) override {}
    std::string dernier;
};

}  // namespace

struct ServeurPages::Etat {
    ReglagesService reglages;
    Affiche affiche;
    httplib::Server http;
    std::thread ecoute, veille;

    std::mutex mutex;  // over `courant`, `fin`
    std::condition_variable reveil;
    bool fin = false;
    std::shared_ptr<Instantane> courant;
    std::pair<Signature, Signature> vue;
    std::atomic<std::uint64_t> version{0};
    socket_t prise = -1;  // the listening socket, once bound

    std::shared_ptr<Instantane> instantane() {
        const std::lock_guard verrou(mutex);
        return courant;
    }

    bool charger(Interaction& io) {
        const auto signature = signature_fichier(reglages.fichier);
        auto neuf = std::make_shared<Instantane>();
        if (!gestion::charger_tournoi(neuf->tournoi, reglages.fichier, io)) return false;
        neuf->version = version + 1;
        const std::lock_guard verrou(mutex);
        courant = std::move(neuf);
        vue = signature;
        version = courant->version;
        return true;
    }

    // Every half second, the file is looked at; a change loads it again. A
    // file being written, or gone, keeps the pages as they were until it
    // loads again.
    void veiller() {
        std::unique_lock verrou(mutex);
        while (!reveil.wait_for(verrou, kIntervalleVeille, [this] { return fin; })) {
            const bool change = signature_fichier(reglages.fichier) != vue;
            verrou.unlock();
            Silencieux silencieux;
            if (change) charger(silencieux);
            verrou.lock();
        }
    }

    Page repondre(const httplib::Request& requete) {
        const std::shared_ptr<Instantane> i = instantane();
        if (requete.path == "/version")
            return {200, "text/plain; charset=utf-8", std::to_string(i->version)};
        const std::string nom = requete.get_param_value("nom");
        if (!nom.empty()) return page(i->tournoi, requete.path, nom, affiche, i->version);
        // The same page for everyone until the file changes: built once.
        const std::lock_guard verrou(i->mutex);
        const auto gardee = i->pages.find(requete.path);
        if (gardee != i->pages.end()) return gardee->second;
        Page p = page(i->tournoi, requete.path, {}, affiche, i->version);
        if (p.statut == 200) i->pages.emplace(requete.path, p);
        return p;
    }

    void preparer_http() {
        http.new_task_queue = [] { return new httplib::ThreadPool(kOuvriers); };
        http.set_keep_alive_max_count(1);
        // The library would also share the port with any other program
        // (SO_REUSEPORT), which would then get half the phones' requests:
        // a port taken must be refused instead.
        http.set_socket_options([this](socket_t sock) {
            int oui = 1;
            setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &oui, sizeof oui);
            prise = sock;
        });
        http.set_read_timeout(5);
        http.set_write_timeout(5);
        http.set_payload_max_length(4096);
        // Nothing from elsewhere, nothing run but our own script, no frame.
        http.set_default_headers(
            {{"Content-Security-Policy",
              "default-src 'none'; script-src 'self'; connect-src 'self'; "
              "style-src 'unsafe-inline'; img-src 'self' data:; form-action 'self'; "
              "base-uri 'none'; frame-ancestors 'none'"},
             {"X-Content-Type-Options", "nosniff"},
             {"Referrer-Policy", "no-referrer"},
             {"Cache-Control", "no-store"}});
        // Reading only: any method but GET and HEAD is refused before any
        // route sees it.
        http.set_pre_routing_handler([](const httplib::Request& requete,
                                        httplib::Response& reponse) {
            if (requete.method == "GET" || requete.method == "HEAD")
                return httplib::Server::HandlerResponse::Unhandled;
            reponse.status = 405;
            reponse.set_header("Allow", "GET, HEAD");
            reponse.set_content("Ces pages se lisent seulement.\n", "text/plain; charset=utf-8");
            return httplib::Server::HandlerResponse::Handled;
        });
        http.Get(".*", [this](const httplib::Request& requete, httplib::Response& reponse) {
            const Page p = repondre(requete);
            reponse.status = p.statut;
            reponse.set_content(p.corps, p.type);
        });
    }
};

ServeurPages::ServeurPages() = default;

ServeurPages::~ServeurPages() {
    arreter();
}

bool ServeurPages::demarrer(const ReglagesService& reglages, Interaction& io) {
    arreter();
    auto e = std::make_unique<Etat>();
    e->reglages = reglages;
    const bool adresse_choisie = !reglages.adresse.empty();
    const std::string adresse = adresse_choisie ? reglages.adresse : adresse_reseau_local();
    const Portee portee = portee_adresse(adresse);
    if (portee == Portee::invalide) {
        io.message_erreur(
            "« " + adresse +
            " » n'est pas une adresse IP de cette machine (par exemple 192.168.1.12)");
        return false;
    }
    if (!e->charger(io)) return false;
    e->preparer_http();
    const int port = reglages.port == 0 ? e->http.bind_to_any_port(adresse)
                     : e->http.bind_to_port(adresse, reglages.port) ? reglages.port
                                                                    : -1;
    if (port <= 0) {
        io.message_erreur(
            formater("Impossible de servir les pages sur %s, port %d : l'adresse "
                     "n'est pas à cette machine ou le port est déjà pris",
                     adresse.c_str(), reglages.port));
        return false;
    }
    // The library listens with a queue of 5 connections: a room of phones
    // opening the page together would see most of theirs dropped and
    // retried seconds later. Listening again sets a queue of the system's
    // largest size.
    ::listen(e->prise, SOMAXCONN);
    const bool toutes = portee == Portee::toutes;
    e->affiche = {url_pages(toutes ? adresse_reseau_local() : adresse, port), reglages.reseau};
    if (portee == Portee::publique)
        io.information("L'adresse " + adresse +
                       " est publique : si le réseau la laisse passer, n'importe qui sur "
                       "internet peut lire les pages du tournoi.");
    else if (toutes)
        io.information(
            "Les pages sont servies sur toutes les adresses de cette machine, "
            "une adresse publique comprise si elle en a une.");
    else if (portee == Portee::boucle && !adresse_choisie)
        io.information(
            "Aucun réseau local trouvé : les pages ne se lisent que sur cette "
            "machine. Connectez-la au réseau de la salle, puis relancez le service.");
    Etat& etat = *e;
    etat.ecoute = std::thread([&etat] { etat.http.listen_after_bind(); });
    etat.veille = std::thread([&etat] { etat.veiller(); });
    // A stop asked before the listening loop runs would be lost and leave
    // it waiting for ever: the service counts as started once it listens.
    for (int i = 0; i < 5000 && !etat.http.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    etat_ = std::move(e);
    return true;
}

void ServeurPages::arreter() {
    if (!etat_) return;
    etat_->http.stop();
    {
        const std::lock_guard verrou(etat_->mutex);
        etat_->fin = true;
    }
    etat_->reveil.notify_all();
    if (etat_->ecoute.joinable()) etat_->ecoute.join();
    if (etat_->veille.joinable()) etat_->veille.join();
    etat_.reset();
}

bool ServeurPages::en_service() const {
    return etat_ != nullptr;
}

std::string ServeurPages::adresse_pages() const {
    return etat_ ? etat_->affiche.adresse : std::string();
}

std::uint64_t ServeurPages::version() const {
    return etat_ ? etat_->version.load() : 0;
}

}  // namespace tavo::web
