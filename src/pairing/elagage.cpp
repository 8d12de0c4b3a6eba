#include "pairing/elagage.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace tavo {
namespace {

std::size_t case_(int a, int b, int m) {
    return static_cast<std::size_t>(a * m + b);
}

}  // namespace

std::size_t Elagage::HachageEtat::operator()(const Etat& e) const {
    std::uint64_t h = e.places[0] * 0x9E3779B97F4A7C15ULL;
    h ^= e.places[1] + 0x632BE59BD9B4E019ULL + (h << 6) + (h >> 2);
    const std::uint64_t reste =
        (static_cast<std::uint64_t>(static_cast<std::uint32_t>(e.seul)) << 8) ^
        static_cast<std::uint64_t>(static_cast<std::uint32_t>(e.couleur));
    h ^= reste * 0xBF58476D1CE4E5B9ULL + (h << 6) + (h >> 2);
    return static_cast<std::size_t>(h ^ (h >> 31));
}

std::size_t Elagage::HachageCle::operator()(const CleCouplage& c) const {
    std::uint64_t h = HachageEtat{}(c.etat);
    h ^= c.partenaires[0] * 0x94D049BB133111EBULL + (h << 6) + (h >> 2);
    h ^= c.partenaires[1] * 0x9E3779B97F4A7C15ULL + (h << 6) + (h >> 2);
    return static_cast<std::size_t>(h ^ (h >> 29));
}

Elagage::Elagage(const Tournoi& t, const TablesRecherche& w) {
    for (const Joueur& j : t.joueurs)
        if (j.actif) ids_.push_back(j.id);
    m_ = static_cast<int>(ids_.size());
    const std::size_t m = static_cast<std::size_t>(m_);
    index_.assign(ID_QUALIFIE + 1, -1);
    due_.resize(m);
    couleur_.resize(m);
    points_.resize(m);
    suite_.reserve(m);
    avant_.resize(m + 1);
    apres_.resize(m + 2);
    exempt_.resize(m);
    deja_.assign(m * m, 0);
    poids_.assign(m * m, INT_MIN);  // pairs never made
    presents_.resize(m);
    partenaires_.resize(m);
    meilleur_.resize(m);
    reste_.reserve(m);
    for (int a = 0; a < m_; ++a) {
        const int id = ids_[static_cast<std::size_t>(a)];
        index_[static_cast<std::size_t>(id)] = a;
        due_[static_cast<std::size_t>(a)] = w.couleurs_dues[static_cast<std::size_t>(id)];
        couleur_[static_cast<std::size_t>(a)] = couleur_de(due_[static_cast<std::size_t>(a)]);
        exempt_[static_cast<std::size_t>(a)] = !deja_rencontre(t, id, ID_QUALIFIE);
        points_[static_cast<std::size_t>(a)] = t.joueur(id).points;
    }
    deja_ = matrice_rencontres(t, ids_, w.derniere_complete);
    for (int a = 0; a < m_; ++a) deja_[case_(a, a, m_)] = 0;

    // The pairs the search could ever make, whoever of the two it places
    // first, and the best score such a pair can add.
    graphe_.preparer(m_);
    for (int a = 0; a < m_; ++a) {
        const Joueur& ja = t.joueur(ids_[static_cast<std::size_t>(a)]);
        if (exempt_[static_cast<std::size_t>(a)]) graphe_.autoriser_exempt(a);
        for (int b = a + 1; b < m_; ++b) {
            // The search checks the record of the opponent it takes: the pair
            // is made unless both records show the meeting.
            if (deja_[case_(a, b, m_)] && deja_[case_(b, a, m_)]) continue;
            const std::optional<int> couleur = penalite_couleur_paire(
                due_[static_cast<std::size_t>(a)], due_[static_cast<std::size_t>(b)]);
            if (!couleur) continue;
            graphe_.autoriser(a, b);
            const int p =
                *couleur + penalite_ecart(ja, t.joueur(ids_[static_cast<std::size_t>(b)]));
            poids_[case_(a, b, m_)] = p;
            poids_[case_(b, a, m_)] = p;
        }
    }
    // Each player's possible partners, best pair first.
    par_poids_.resize(m);
    for (int a = 0; a < m_; ++a) {
        // Sorted as plain numbers: the penalty (0 or more) above, the
        // partner (below 128) below.
        std::vector<int>& liste = par_poids_[static_cast<std::size_t>(a)];
        for (int b = 0; b < m_; ++b)
            if (poids(a, b) != INT_MIN) liste.push_back(-poids(a, b) * 128 + b);
        std::sort(liste.begin(), liste.end());
        for (int& b : liste) b %= 128;
    }
    test_.emplace(graphe_);
    couplage_retenu_.assign(m, SANS_PARTENAIRE);
    essai_.resize(m);
    sommets_presents_.assign(m + 1, m_ % 2);  // the bye, when the players are odd in number
}

bool Elagage::penalite_adversaire(const Tournoi& t, int j, int couleur, int e,
                                  int& penalite) const {
    if (deja_[case_(e, j, m_)]) return false;
    const std::optional<int> p_couleur =
        penalite_couleur_adversaire(couleur, due_[static_cast<std::size_t>(e)]);
    if (!p_couleur) return false;
    penalite = *p_couleur + penalite_ecart(t.joueur(ids_[static_cast<std::size_t>(j)]),
                                           t.joueur(ids_[static_cast<std::size_t>(e)]));
    return true;
}

long Elagage::borne_ligne(int j, int couleur) const {
    // The players to pair, in standings order (so by decreasing points),
    // with the pending player at his place.
    suite_.clear();
    int blancs = 0;
    for (const int a : reste_) {
        if (j >= 0 && j < a && (suite_.empty() || suite_.back() < j)) suite_.push_back(j);
        suite_.push_back(a);
    }
    if (j >= 0 && suite_.back() < j) suite_.push_back(j);
    for (const int a : suite_)
        blancs += (a == j ? couleur : couleur_[static_cast<std::size_t>(a)]) == BLANC;
    const int n = static_cast<int>(suite_.size());
    const int noirs = n - blancs;
    // Colours: pairs of players due the same colour cost 50 each, and at
    // least half the surplus of one colour pairs that way (after the bye).
    const int surplus = std::abs(blancs - noirs);
    const long couleurs = n % 2 == 0 ? surplus / 2 : (surplus - 1) / 2;
    // Scores: on a line, pairing neighbours gives the least total distance.
    auto pts = [&](int k) {
        return points_[static_cast<std::size_t>(suite_[static_cast<std::size_t>(k)])];
    };
    avant_[0] = 0;
    for (int k = 2; k <= n; k += 2)
        avant_[static_cast<std::size_t>(k)] =
            avant_[static_cast<std::size_t>(k - 2)] + pts(k - 2) - pts(k - 1);
    apres_[static_cast<std::size_t>(n)] = 0;
    for (int k = n - 2; k >= 0; k -= 2)
        apres_[static_cast<std::size_t>(k)] =
            apres_[static_cast<std::size_t>(k + 2)] + pts(k) - pts(k + 1);
    long ecarts = 0;
    if (n % 2 == 0) {
        ecarts = avant_[static_cast<std::size_t>(n)];
    } else {
        // One of them takes the bye: the best one to take out.
        ecarts = LONG_MAX;
        for (int k = 0; k < n; ++k) {
            const int a = suite_[static_cast<std::size_t>(k)];
            if (a == j || !exempt_[static_cast<std::size_t>(a)]) continue;
            long e = 0;
            if (k % 2 == 0)
                e = avant_[static_cast<std::size_t>(k)] + apres_[static_cast<std::size_t>(k + 1)];
            else
                e = avant_[static_cast<std::size_t>(k - 1)] + pts(k - 1) - pts(k + 1) +
                    apres_[static_cast<std::size_t>(k + 2)];
            ecarts = std::min(ecarts, e);
        }
        if (ecarts == LONG_MAX) ecarts = 0;  // nobody may take it: the matching says so
    }
    return couleurs * PENALITE_COULEUR + ecarts * PENALITE_POINT;
}

std::int64_t Elagage::borne_duale(const Tournoi& t, const BorneCouplage& duale, int j,
                                  int couleur) {
    for (int a = 0; a < m_; ++a)
        sommets_presents_[static_cast<std::size_t>(a)] = presents_[static_cast<std::size_t>(a)];
    if (j < 0) return duale.borne(sommets_presents_);
    // j takes one of his possible opponents e, and the others a perfect
    // matching of the rest without e.
    sommets_presents_[static_cast<std::size_t>(j)] = 0;
    std::int64_t meilleur_e = INT64_MIN;
    for (const int e : reste_) {
        int p = 0;
        if (partenaires_[static_cast<std::size_t>(e)] == 0 ||
            !penalite_adversaire(t, j, couleur, e, p))
            continue;
        meilleur_e = std::max(meilleur_e, 4L * p - duale.sommets[static_cast<std::size_t>(e)]);
    }
    return duale.borne(sommets_presents_) + meilleur_e;
}

Elagage::Etat Elagage::lire_noeud(const TablesRecherche& w, int j, int couleur) {
    reste_.clear();
    Etat etat{{0, 0}, j, j >= 0 ? couleur : SANS_PARTIE};
    for (int a = 0; a < m_; ++a) {
        const bool libre =
            w.utilise[static_cast<std::size_t>(ids_[static_cast<std::size_t>(a)])] == 0;
        presents_[static_cast<std::size_t>(a)] = libre;
        if (libre)
            reste_.push_back(a);
        else
            etat.places[a / 64] |= 1ULL << (a % 64);
    }
    return etat;
}

bool Elagage::echec_connu(const Etat& etat, int marge_alpha, int marge_echec, int score) {
    const auto connu = echecs_.find(etat);
    if (connu == echecs_.end()) return false;
    for (const Echec& e : connu->second)
        if (marge_alpha >= e.marge_alpha && marge_alpha < e.plafond &&
            marge_echec >= e.marge_echec) {
            // What the search of the subtree would have entered.
            plus_bas_ = std::min(plus_bas_, score + e.plafond);
            return true;
        }
    return false;
}

void Elagage::noter_echec(const Etat& etat, int marge_alpha, int marge_echec, int plafond) {
    std::vector<Echec>& liste = echecs_[etat];
    if (liste.size() >= 8) liste.erase(liste.begin());
    liste.push_back({marge_alpha, marge_echec, plafond});
}

long Elagage::borne_paires(const Tournoi& t, int j, int couleur, int score, int alpha) {
    // Every player left takes half of his best pair among those left; the
    // one who gets the bye (when their number is odd) takes 0 instead.
    long somme = 0;
    int bonus_exempt = 0;
    for (const int a : reste_) {
        int meilleur = 0;  // no partner left: the matching test decides
        for (const int b : par_poids_[static_cast<std::size_t>(a)])
            if (presents_[static_cast<std::size_t>(b)]) {
                meilleur = poids(a, b);
                break;
            }
        meilleur_[static_cast<std::size_t>(a)] = meilleur;
        somme += meilleur;
        if (exempt_[static_cast<std::size_t>(a)]) bonus_exempt = std::max(bonus_exempt, -meilleur);
    }
    const std::size_t a_apparier = j >= 0 ? reste_.size() - 1 : reste_.size();
    long borne = somme + (a_apparier % 2 == 1 ? bonus_exempt : 0);
    if (j < 0) return borne;
    // The opponents the node's loop will try: in standings order, those it
    // does not skip, up to the first one of the same score, after whom it
    // stops.
    long meilleur_j = LONG_MIN;
    bool arret = false;
    for (const int e : reste_) {
        int p = 0;
        const bool possible =
            !arret && penalite_adversaire(t, j, couleur, e, p) && score + p > alpha;
        partenaires_[static_cast<std::size_t>(e)] = possible;
        if (!possible) continue;
        meilleur_j = std::max(meilleur_j, 2L * p - meilleur_[static_cast<std::size_t>(e)]);
        if (p >= PENALITE_COULEUR) arret = true;
    }
    return meilleur_j == LONG_MIN ? LONG_MIN : borne + meilleur_j;
}

int Elagage::noeud(const Tournoi& t, TablesRecherche& w, int d, int alpha, int joueur, int couleur,
                   int score) {
    const bool paire = d % 2 == 0;  // even depth: `joueur` waits for an opponent
    const int j = paire ? index_[static_cast<std::size_t>(joueur)] : -1;
    const Etat etat = lire_noeud(w, j, couleur);
    // Every node entered counts for the failures being recorded above it,
    // leaves included.
    plus_bas_ = std::min(plus_bas_, score);
    // A leaf (everyone placed) is the node's own business.
    if (reste_.empty()) return explorer_noeud(t, w, d, alpha, joueur, couleur, score);

    const int seuil = std::max(alpha, w.echec);
    const int marge_alpha = alpha - score;
    const int marge_echec = seuil - score;
    if (echec_connu(etat, marge_alpha, marge_echec, score)) return w.echec;

    // Upper bounds of the score still to come, in half and quarter units.
    long borne = borne_paires(t, j, couleur, score, alpha);
    if (borne == LONG_MIN) return w.echec;  // no opponent the search would take
    borne = std::min(borne, 2L * borne_ligne(j, couleur));
    if (2L * score + borne <= 2L * seuil ||
        (!pile_.empty() && 4L * score + borne_duale(t, pile_.back(), j, couleur) <= 4L * seuil))
        return w.echec;

    if (paire) presents_[static_cast<std::size_t>(j)] = 1;
    const Completion completion = chercher_completion(t, etat, j, couleur, seuil - score);
    if (completion == Completion::aucune_paire || completion == Completion::trop_basse)
        return w.echec;

    const int plus_bas_avant = plus_bas_;
    plus_bas_ = INT_MAX;
    const int v = explorer_noeud(t, w, d, alpha, joueur, couleur, score);
    if (completion == Completion::par_couplage_exact) pile_.pop_back();
    const int plus_bas_dessous = plus_bas_;
    plus_bas_ = std::min(plus_bas_avant, plus_bas_dessous);
    if (v <= w.echec && !w.interrompue)
        noter_echec(etat, marge_alpha, marge_echec,
                    plus_bas_dessous == INT_MAX ? 0 : std::min(0, plus_bas_dessous - score));
    return v;
}

}  // namespace tavo
