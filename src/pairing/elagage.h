// Exact cuts of the pairing search. A node of the search whose subtree cannot
// give a complete pairing better than both alpha and the failure score returns
// the failure score, and every caller treats any such result as a failure; so
// answering it at once, without exploring, changes nothing but the time.
//
// The search may take any player left as the first of a pair and form the
// pairs in any order, and its loops go on until one succeeds; so a node
// succeeds exactly when the players left (the pending player with the
// opponents his loop will try: those it does not skip, up to the first one of
// the same score) have a pairing under the search's hard rules (never twice
// the same opponent, never two players strongly due the same colour, the bye
// to one player who has not had it) whose score stays above the threshold.
// The cuts test that:
// - upper bounds of the score any completion can reach: the best pair of
//   each player, the neighbours in the standings, and the dual solution of
//   a heaviest matching computed higher up;
// - a pairing of the players left: one known (the last heaviest matching,
//   mended where players left it), or the one a maximum-cardinality matching
//   finds; when neither scores above the threshold, the heaviest matching;
// - the same node (players placed, pending player and his colour) already
//   failed, with a score and an alpha for which its search takes every
//   branch the same way (see Echec below); matching tests and heaviest
//   matchings asked before are answered from memory.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "matching/couplage.h"
#include "model/tournoi.h"
#include "pairing/recherche.h"

namespace tavo {

class Elagage {
  public:
    // The most active players the cuts know: a node's players placed are
    // two 64-bit words, and a partner is sorted below 128.
    static constexpr int MAX_JOUEURS = 127;

    // Prepares the cuts for the search about to run on `t` with the tables
    // `w` (couleurs_dues and derniere_complete filled, table in standings
    // order with its index).
    Elagage(const Tournoi& t, const TablesRecherche& w);

    // One node of the search, called by chercher once the node is counted
    // and has passed the alpha test: the cuts, then explorer_noeud.
    int noeud(const Tournoi& t, TablesRecherche& w, int d, int alpha, int joueur, int couleur,
              int score);

    std::int64_t calculs_ponderes = 0;  // heaviest matchings computed

  private:
    // A node: players placed, pending player and his colour.
    struct Etat {
        std::uint64_t places[2];
        std::int32_t seul;     // index of the pending player, or -1
        std::int32_t couleur;  // his colour
        bool operator==(const Etat&) const = default;
    };
    // A failed search of a node, with score s, alpha a and failure threshold
    // f = max(a, -15000). Every test of the subtree compared a score reached
    // below the node, s + q, with a or f. Those found not above stay so for
    // any a - s >= marge_alpha and f - s >= marge_echec; those found above
    // (the nodes entered) stay so while a - s < plafond, the least q of the
    // nodes entered. Within these bounds the search of the node does exactly
    // the same again, and fails again.
    struct Echec {
        int marge_alpha;
        int marge_echec;
        int plafond;
    };
    struct HachageEtat {
        std::size_t operator()(const Etat& e) const;
    };
    // A heaviest matching computed: the node, and the opponents the pending
    // player could take (they depend on alpha).
    struct CleCouplage {
        Etat etat;
        std::uint64_t partenaires[2];
        bool operator==(const CleCouplage&) const = default;
    };
    struct HachageCle {
        std::size_t operator()(const CleCouplage& c) const;
    };
    struct CouplageConnu {
        std::optional<std::int64_t> poids;
        BorneCouplage duale;
        std::vector<int> retenu;  // couplage_retenu_ as it left it
    };

    // Best (highest, <= 0) score of pair (a, b) whoever is placed first;
    // INT_MIN for a pair the search never makes.
    int poids(int a, int b) const { return poids_[static_cast<std::size_t>(a * m_ + b)]; }
    // Penalty of `e` as the opponent of `j` playing `couleur`, as the search
    // counts it; false when the search would not take him.
    bool penalite_adversaire(const Tournoi& t, int j, int couleur, int e, int& penalite) const;

    // Upper bound of the score still to come for the players left (and the
    // pending player j, playing `couleur`, when j >= 0), from the colours
    // due and the points alone.
    long borne_ligne(int j, int couleur) const;
    // Four times an upper bound of the score still to come, from the dual of
    // the heaviest matching; needs presents_ (and partenaires_ for j >= 0).
    std::int64_t borne_duale(const Tournoi& t, const BorneCouplage& duale, int j, int couleur);
    // Reads the node: presents_, reste_ and its state.
    Etat lire_noeud(const TablesRecherche& w, int j, int couleur);
    // A failure recorded for this node that repeats with these margins.
    bool echec_connu(const Etat& etat, int marge_alpha, int marge_echec, int score);
    void noter_echec(const Etat& etat, int marge_alpha, int marge_echec, int plafond);
    // Twice an upper bound of the score still to come from the best pair of
    // each player left; fills meilleur_ and, for a pending player j, the
    // opponents his loop will try (partenaires_). LONG_MIN when he has none.
    long borne_paires(const Tournoi& t, int j, int couleur, int score, int alpha);

    // How a node's completion above its threshold was settled.
    enum class Completion {
        connue,              // the pairing kept, mended, is one
        par_test,            // the matching test's pairing is one
        par_couplage_exact,  // the heaviest matching is one (its dual is pushed on pile_)
        aucune_paire,        // the players left cannot be paired
        trop_basse,          // the heaviest matching is not above the threshold
        inconnue,            // the heaviest matching could not be computed: no cut
    };
    Completion chercher_completion(const Tournoi& t, const Etat& etat, int j, int couleur,
                                   long objectif);

    // Pair (a, b) allowed for the players left, j (the pending player, or
    // -1) only with the opponents in partenaires_; and its best score.
    bool permise(int j, int a, int b) const;
    int poids_paire(const Tournoi& t, int j, int couleur, int a, int b) const;
    // True when the pairing kept (couplage_retenu_), mended where players
    // left it, pairs the players left with a score above `objectif`; it is
    // then kept as mended.
    bool completion_connue(const Tournoi& t, int j, int couleur, long objectif);
    // Score of the pairing the matching test just found (a completion the
    // search can reach), for the players left and j.
    long poids_temoin(const Tournoi& t, int j, int couleur);
    // Score of a pairing (a partner, EXEMPT or SANS_PARTENAIRE for each
    // player) over the players left and j.
    long poids_couplage(const Tournoi& t, int j, int couleur,
                        const std::vector<int>& partenaire) const;
    // The heaviest perfect matching of the players left (j restricted to
    // partenaires_) by the pairs' best scores, and its dual; none when they
    // cannot all be paired. It becomes the pairing kept.
    std::optional<std::int64_t> couplage_exact(const Tournoi& t, int j, int couleur,
                                               BorneCouplage& duale);
    // Where the heaviest matching of `sommets` (players left, the bye last
    // when they are odd in number) starts: from the last one computed (a
    // nearby node's), and the pairing kept.
    void preparer_depart(const std::vector<int>& sommets, DepartCouplage& depart);
    CleCouplage cle_couplage(const Etat& etat, int j) const;
    // The same, answered from memory when the node asked it before.
    std::optional<std::int64_t> couplage_memorise(const Tournoi& t, const Etat& etat, int j,
                                                  int couleur, BorneCouplage& duale);

    int m_ = 0;                 // active players, in standings order
    std::vector<int> ids_;      // id of each index
    std::vector<int> index_;    // index of each id, -1 for none
    std::vector<int> due_;      // colour due of each index (couleur_due)
    std::vector<int> couleur_;  // its colour alone
    std::vector<int> points_;
    std::vector<std::uint8_t> deja_;  // deja_[a * m + b]: a met b (a's record)
    std::vector<std::uint8_t> exempt_;
    std::vector<int> poids_;
    std::vector<std::vector<int>> par_poids_;  // partners of each player, best pair first
    GrapheJoueurs graphe_;
    // The duals of the heaviest matchings of the nodes above that computed
    // one, the nearest last: each bounds the nodes below it.
    std::vector<BorneCouplage> pile_;
    std::vector<int> sous_sommets_;
    DepartCouplage depart_;
    // Four times the dual of the last heaviest matching, blossoms spread over
    // their vertices (INCONNU for the players it did not have); none before
    // the first.
    std::vector<std::int64_t> valeurs_depart_;
    std::vector<std::int64_t> valeurs_au_dessus_;
    std::vector<int> local_depart_;
    std::vector<int> couplage_retenu_;  // a good pairing of the players left, by player
    std::vector<int> essai_;
    std::vector<int> libres_;
    std::vector<std::uint8_t> sommets_presents_;  // players left, and the bye
    std::optional<TestCouplage> test_;            // built once graphe_ is complete
    std::unordered_map<Etat, std::vector<Echec>, HachageEtat> echecs_;
    std::unordered_map<CleCouplage, CouplageConnu, HachageCle> couplages_;
    std::unordered_map<CleCouplage, bool, HachageCle> possibles_;  // matching tests answered
    // Least score of the nodes entered in the subtree being searched.
    int plus_bas_ = 0;

    // Work space of one node.
    std::vector<std::uint8_t> presents_;
    std::vector<std::uint8_t> partenaires_;
    std::vector<int> reste_;
    std::vector<int> meilleur_;
    mutable std::vector<int> suite_;
    mutable std::vector<long> avant_;
    mutable std::vector<long> apres_;
};

}  // namespace tavo
