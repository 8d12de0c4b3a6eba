// Matchings of the players of one round, for the pairing: whether a set of
// players can still be paired at all (cut of the search), and the pairing of
// least penalty (when the search finds none). Players are numbered 0..n-1 by
// the caller; the bye is a partner of its own, EXEMPT.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace tavo {

inline constexpr int SANS_PARTENAIRE = -1;
inline constexpr int EXEMPT = -2;  // the partner of the player who gets the bye

// Which pairs of players may meet, and who may get the bye.
class GrapheJoueurs {
  public:
    // n players, no pair allowed, nobody may get the bye.
    void preparer(int n);
    void autoriser(int a, int b);
    void autoriser_exempt(int a);

    int taille() const { return n_; }
    bool autorise(int a, int b) const {
        return matrice_[static_cast<std::size_t>(a * n_ + b)] != 0;
    }
    bool exempt_autorise(int a) const { return exempt_[static_cast<std::size_t>(a)] != 0; }

  private:
    int n_ = 0;
    std::vector<std::uint8_t> matrice_;  // n x n
    std::vector<std::uint8_t> exempt_;
};

// Answers "can these players all be paired by allowed pairs, one of them
// taking the bye when their number is odd?" with a maximum-cardinality
// matching (Edmonds). It keeps the last pairing it found and starts from it:
// in a depth-first search two questions in a row differ by a pair or two, so
// most answers cost a check of that pairing or one augmenting path.
class TestCouplage {
  public:
    // `graphe` must outlive this object and stay unchanged.
    explicit TestCouplage(const GrapheJoueurs& graphe);
    ~TestCouplage();
    TestCouplage(const TestCouplage&) = delete;
    TestCouplage& operator=(const TestCouplage&) = delete;

    // presents[a] != 0 for the players still to pair. When `seul` >= 0 (a
    // present player), he may only be paired with a player b for which
    // partenaires_seul[b] != 0, and may not take the bye.
    bool possible(const std::vector<std::uint8_t>& presents, int seul = -1,
                  const std::vector<std::uint8_t>* partenaires_seul = nullptr);

    // Partner of a present player in the last complete pairing found.
    int partenaire(int a) const;

    // Makes `partenaire` (a partner, EXEMPT or SANS_PARTENAIRE for each
    // player) the pairing the next questions start from: a good pairing
    // found elsewhere stays the answer's base while it remains valid.
    void retenir(const std::vector<int>& partenaire);

    // How many questions needed the matching algorithm (the others were
    // answered by the pairing kept from before).
    long long appels_algorithme() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// An upper bound of the heaviest perfect matching of any subset of the
// vertices of a graph (players 0..n-1, and the bye, vertex n, when n is odd):
// an optimal solution of the dual of the whole graph's matching problem,
// restricted to the subset. Values are four times the weights.
struct BorneCouplage {
    struct Fleur {
        std::int64_t valeur;       // >= 0
        std::vector<int> sommets;  // an odd set of vertices
    };
    std::vector<std::int64_t> sommets;  // one value per vertex
    std::vector<Fleur> fleurs;

    // Four times an upper bound of the weight of any perfect matching of
    // the vertices v with presents[v] != 0 (presents has one entry per vertex).
    std::int64_t borne(const std::vector<std::uint8_t>& presents) const;

    // The same dual solution without blossoms: each blossom's value spread
    // over its vertices, half to each (values are even). Every pair stays
    // covered, so it is a start for the heaviest matching of any subgraph.
    void valeurs_sans_fleurs(std::vector<std::int64_t>& valeurs) const;
};

// Where the heaviest matching may start from rather than from nothing: four
// times a value per vertex (the bye last when the players are odd in number),
// INCONNU where there is none, and a pairing (partner, EXEMPT or
// SANS_PARTENAIRE for each vertex, the bye included). The values are raised
// where a pair weighs more than its two ends allow, and the pairs of the
// pairing are kept where they weigh exactly that. The answer is a heaviest
// matching whatever the start; a start close to one (the solution of a
// nearly equal graph) saves most of the work.
struct DepartCouplage {
    static constexpr std::int64_t INCONNU = INT64_MIN;
    std::vector<std::int64_t> sommets;
    std::vector<int> partenaire;
    bool pris = false;  // set by the matching: the start was used (it has the right size)
};

// The perfect matching of greatest total weight over all the players of
// `graphe`, plus the bye when their number is odd, and (when `borne` is
// given) the bound above. Weights may be negative; their spread must stay
// below 2^50. At most 101 players (std::length_error beyond). Returns false
// when no perfect matching exists. Throws std::logic_error rather than loop
// without end should the algorithm ever lose its way.
bool couplage_poids_maximal(const GrapheJoueurs& graphe,
                            const std::function<std::int64_t(int, int)>& poids_paire,
                            const std::function<std::int64_t(int)>& poids_exempt,
                            std::vector<int>& partenaire, BorneCouplage* borne,
                            DepartCouplage* depart = nullptr);

// The perfect matching of least total cost over all the players of `graphe`,
// plus the bye when their number is odd. cout_paire(a, b) is asked for every
// allowed pair, cout_exempt(a) for every player who may get the bye; costs are
// >= 0 and their total must stay below 2^53. Returns false when no such
// matching exists; otherwise partenaire[a] is the partner of a, or EXEMPT.
bool couplage_cout_minimal(const GrapheJoueurs& graphe,
                           const std::function<std::int64_t(int, int)>& cout_paire,
                           const std::function<std::int64_t(int)>& cout_exempt,
                           std::vector<int>& partenaire);

// The same cheapest perfect matching for a large field, without weighing
// every pair at once. It weighs the pairs voisins[a] of each player a (the
// ones likely to be cheap), every bye, and the pairs of some perfect matching
// when those hold none; then, over and over, the pairs that the dual solution
// of their cheapest matching leaves uncovered (only such a pair could make it
// cheaper). When none is left, that matching is a cheapest one of the whole
// graph: the same cost as couplage_cout_minimal's, though where several cost
// the same it may be another. Each round weighs every allowed pair once.
bool couplage_cout_minimal_voisinage(const GrapheJoueurs& graphe,
                                     const std::function<std::int64_t(int, int)>& cout_paire,
                                     const std::function<std::int64_t(int)>& cout_exempt,
                                     const std::vector<std::vector<int>>& voisins,
                                     std::vector<int>& partenaire);

}  // namespace tavo
