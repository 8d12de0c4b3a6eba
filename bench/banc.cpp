// tavo-bench: plays generated tournaments through nouvelle_ronde and reports
// how the pairing fares (time, search nodes, fallback) per field size, and a
// signature: the total node count of a fixed corpus, which changes only when
// the search's behaviour changes.
//
//   tavo-bench                 the full corpus
//   tavo-bench --court         the short corpus
//   tavo-bench --grands        the large corpora only (300 and 1000 players)
//   tavo-bench --court --signature N   also fails (status 1) unless the
//                                      signature is N
//   tavo-bench --budget N      another node budget (0: none), to choose it
//   tavo-bench --direct N      another first try without cuts, in nodes per
//                              active player (0: none)
//
// Every pairing is also checked by the tests' independent checker; a fault
// fails the run (status 1).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "generateur.h"
#include "pairing/appariement.h"
#include "pairing/recherche.h"

using namespace tavo;
using namespace tavo::banc;

namespace {

struct Bilan {
    int tournois = 0;
    int rondes = 0;  // pairings attempted (after the first round)
    int appariees = 0;
    int refusees = 0;
    int secours = 0;
    int interrompues = 0;
    int verifiees = 0;  // pairings the independent checker went through
    std::vector<std::string> defauts;
    std::vector<double> temps;
    std::int64_t pire_noeuds = 0;
    std::int64_t noeuds = 0;
    double pire_refus = 0;  // longest "Appariements impossibles"

    void ajouter(const std::vector<Mesure>& mesures) {
        ++tournois;
        for (const Mesure& m : mesures) {
            if (m.ronde == 0) continue;  // the first round is not searched
            ++rondes;
            (m.appariee ? appariees : refusees)++;
            if (!m.appariee) pire_refus = std::max(pire_refus, m.secondes);
            secours += m.secours ? 1 : 0;
            interrompues += m.interrompue ? 1 : 0;
            verifiees += m.appariee ? 1 : 0;
            for (const std::string& d : m.defauts)
                defauts.push_back("round " + std::to_string(m.ronde + 1) + ": " + d);
            temps.push_back(m.secondes);
            pire_noeuds = std::max(pire_noeuds, m.noeuds);
            noeuds += m.noeuds;
        }
    }
};

double mediane(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// What the whole run adds up to.
struct Totaux {
    std::int64_t signature = 0;  // total search nodes
    int verifiees = 0;
    int defauts = 0;
};

// The largest memory the process has held so far, in megabytes.
double memoire_max_mo() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_maxrss) / 1024.0;
}

void afficher(const std::string& nom, const Bilan& b, Totaux& totaux) {
    totaux.signature += b.noeuds;
    totaux.verifiees += b.verifiees;
    totaux.defauts += static_cast<int>(b.defauts.size());
    for (const std::string& d : b.defauts) std::fprintf(stderr, "%s: %s\n", nom.c_str(), d.c_str());
    const double pire = b.temps.empty() ? 0 : *std::max_element(b.temps.begin(), b.temps.end());
    std::printf("%-26s %4d %6d %6d %5d %9.3f %9.3f %10lld %5d (%4.1f%%) %5d %7.0f\n", nom.c_str(),
                b.tournois, b.appariees, b.refusees, b.rondes, mediane(b.temps) * 1e3, pire * 1e3,
                static_cast<long long>(b.pire_noeuds), b.secours,
                b.rondes ? 100.0 * b.secours / b.rondes : 0.0, b.interrompues, memoire_max_mo());
}

// Realistic tournaments of one size: 15 rounds, draws, some Othello, a few
// players inactive from the start and a few withdrawals.
std::vector<Profil> profils_realistes(int joueurs, int nombre, std::uint64_t base) {
    std::vector<Profil> profils;
    for (int k = 0; k < nombre; ++k) {
        Profil p;
        p.graine =
            base + static_cast<std::uint64_t>(k) * 7919 + static_cast<std::uint64_t>(joueurs);
        p.joueurs = joueurs;
        p.rondes = 15;
        p.othello = k % 4 == 3;
        p.nulles_pourcent = 10 + (k * 7) % 30;
        p.inactifs_depart = k % 3 == 1 ? 1 + k % 3 : 0;
        p.abandons = k % 2 == 0 ? 1 + k % 4 : 0;
        profils.push_back(p);
    }
    return profils;
}

// Large fields beyond the 1998 file: 9 rounds, draws, some Othello, players
// inactive from the start and withdrawals.
std::vector<Profil> profils_grands(int joueurs, int nombre) {
    std::vector<Profil> profils = profils_realistes(joueurs, nombre, 3000);
    for (Profil& p : profils) {
        p.rondes = 9;
        p.limites_1998 = false;
        p.inactifs_depart *= joueurs / 100;
        p.abandons *= joueurs / 100;
    }
    return profils;
}

// The corpus of fields the 1998 file holds; its node total is the signature.
void corpus_habituel(bool court, const OptionsAppariement& options, Totaux& totaux) {
    const int par_taille = court ? 2 : 40;
    for (const int taille : {20, 50, 100}) {
        Bilan b;
        for (const Profil& p : profils_realistes(taille, par_taille, 1000))
            b.ajouter(jouer_tournoi(p, options));
        afficher(std::to_string(taille) + " players", b, totaux);
    }

    // Adversarial cases.
    {
        Bilan b;
        for (const int taille : {21, 51, 99})
            for (int k = 0; k < (court ? 1 : 10); ++k) {
                Profil p;
                p.graine = 5000 + static_cast<std::uint64_t>(taille * 100 + k);
                p.joueurs = taille;
                p.abandons = 1;
                p.abandon_apres = 0;
                b.ajouter(jouer_tournoi(p, options));
            }
        afficher("withdrawal after round 1", b, totaux);
    }
    {
        Bilan b;
        for (const int taille : {8, 10, 12, 16})
            for (int k = 0; k < (court ? 2 : 10); ++k) {
                Profil p;
                p.graine = 7000 + static_cast<std::uint64_t>(taille * 100 + k);
                p.joueurs = taille;
                p.rondes = std::min(taille - 1, 15);
                p.nulles_pourcent = 5 * k;
                b.ajouter(jouer_tournoi(p, options));
            }
        afficher("late rounds, few pairings", b, totaux);
    }
    {
        Bilan b;
        for (const int taille : {6, 8, 14}) {
            Hasard h(9000 + static_cast<std::uint64_t>(taille));
            std::unique_ptr<Tournoi> t = tournoi_sans_adversaire(taille, h);
            InteractionMuette io;
            noter_statistiques({});
            const auto debut = std::chrono::steady_clock::now();
            Mesure m;
            m.ronde = taille - 1;
            m.appariee = nouvelle_ronde(*t, io, options);
            m.secondes =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
            m.noeuds = statistiques_recherche().noeuds;
            b.ajouter({m});
        }
        afficher("everyone has met", b, totaux);
        std::printf("%-26s longest refusal %.3f ms\n", "", b.pire_refus * 1e3);
    }
}

// Fields of 300 and 1000 players over 9 rounds. Their nodes are counted apart
// from the signature.
void corpus_grands(const OptionsAppariement& options, Totaux& totaux) {
    std::int64_t signature = totaux.signature;
    for (const auto& [taille, nombre] : {std::pair{300, 10}, std::pair{1000, 5}}) {
        Bilan b;
        for (const Profil& p : profils_grands(taille, nombre)) b.ajouter(jouer_tournoi(p, options));
        afficher(std::to_string(taille) + " players, 9 rounds", b, totaux);
    }
    std::printf("Nodes of the large corpora: %lld\n",
                static_cast<long long>(totaux.signature - signature));
    totaux.signature = signature;
}

}  // namespace

int main(int argc, char** argv) {
    bool court = false;
    bool grands = false;
    long long attendue = -1;
    long long budget = BUDGET_NOEUDS;
    long long direct = DIRECT_PAR_JOUEUR;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--court") == 0) {
            court = true;
        } else if (std::strcmp(argv[i], "--grands") == 0) {
            grands = true;
        } else if (std::strcmp(argv[i], "--budget") == 0 && i + 1 < argc) {
            budget = std::atoll(argv[++i]);
        } else if (std::strcmp(argv[i], "--direct") == 0 && i + 1 < argc) {
            direct = std::atoll(argv[++i]);
        } else if (std::strcmp(argv[i], "--signature") == 0 && i + 1 < argc) {
            attendue = std::atoll(argv[++i]);
        } else {
            std::fprintf(stderr,
                         "usage: tavo-bench [--court | --grands] [--budget N] [--direct N] "
                         "[--signature N]\n");
            return 2;
        }
    }
    OptionsAppariement options;  // the program's own settings
    options.budget = budget;
    options.direct_par_joueur = direct;
    Totaux totaux;

    std::printf("Budget: %lld nodes per round, first try without cuts: %lld per player\n", budget,
                direct);
    std::printf("%-26s %4s %6s %6s %5s %9s %9s %10s %13s %5s %7s\n", "corpus", "trn", "paired",
                "refus", "rnds", "med ms", "worst ms", "worst node", "fallback", "budg", "peak MB");
    if (!grands) corpus_habituel(court, options, totaux);
    if (!court) corpus_grands(options, totaux);

    std::printf("Pairings checked by the independent checker: %d, faults: %d\n", totaux.verifiees,
                totaux.defauts);
    if (totaux.defauts > 0) return 1;
    std::printf("Signature: %lld\n", static_cast<long long>(totaux.signature));
    if (attendue >= 0 && attendue != totaux.signature) {
        std::fprintf(stderr, "signature %lld, expected %lld: the search's behaviour changed\n",
                     static_cast<long long>(totaux.signature), attendue);
        return 1;
    }
    return 0;
}
