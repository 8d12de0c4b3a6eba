// The one tournament: its header, the player table, the pairing tables and the
// id index. Everything is allocated once, with fixed sizes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/records.h"

namespace tavo {

// True when a game's name is Othello, whatever the case of its letters (a
// trailing blank makes it another game): its results are disc counts.
bool est_othello(std::string_view jeu);

class Tournoi;
using FonctionDepartage = std::int16_t (*)(const Tournoi&, const Joueur&);

class Tournoi {
  public:
    Tournoi();

    EnteteTournoi entete{};

    // Player records by position; position 0 is unused, 1..nb_joueurs are in use.
    std::array<Joueur, MAX_JOUEURS + 1> joueurs{};
    // Tables of each round: app[r][t] is table t of round r.
    std::array<std::array<Appariement, MAX_TABLES>, MAX_RONDES> app{};
    // Number of tables of each round, 0 for a round not paired.
    std::array<std::int16_t, MAX_RONDES> nb_app{};
    // Position of each player id (entry 0 unused); valid for ids 1..nb_joueurs
    // after indexer_joueurs.
    std::array<std::int16_t, MAX_JOUEURS + 1> index{};
    // The function of each selected tie-break, in priority order
    // (entete.nb_departages of them); set by choisir_departages.
    std::array<FonctionDepartage, NB_SYSTEMES_DEPARTAGE> fonctions_departage{};

    // Reset for a new tournament or before a load: players, rounds and tables
    // are erased; name, date, game, tie-breaks, nb_actifs and modifie stay.
    void vider();
    // Erases rounds `de` onward: their tables and table counts, and every
    // player's opponent, colour, result and discs of those rounds.
    void effacer_rondes(int de);

    int nb_joueurs_actifs() const;
    // First active position from `de` to `a` inclusive, 0 when there is none.
    int premier_actif(int de, int a) const;
    // Position of the (n/2)-th active player, n active players; 0 when n < 2.
    int position_mediane() const;
    // True when every table of round r has its result entered (or it has none).
    bool ronde_complete(int r) const;
    void indexer_joueurs();

    // The player with number `id` (1..nb_joueurs), found through the index.
    Joueur& joueur(int id) { return joueurs[index[id]]; }
    const Joueur& joueur(int id) const { return joueurs[index[id]]; }

    // "Tournoi %s, du %s, jeu : %s": the main window's caption.
    std::string titre_fenetre() const;
};

}  // namespace tavo
