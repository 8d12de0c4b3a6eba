// The tournament as the program holds it: its header, its players and the
// tables of its rounds, in containers of any size. Texts are UTF-8. The
// tournament file of 1998 (".pxi") is a converter of this model
// (fichier_tournoi.h); its fixed records are in records.h.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/jeu.h"
#include "model/resultat.h"

namespace tavo {

// Player numbers run from 1; the special numbers from 10000 up never name a
// player.
inline constexpr int ID_AUCUN = 0;         // round not paired yet
inline constexpr int ID_FORFAIT = 10000;   // did not play the round: inactive when it was paired
inline constexpr int ID_QUALIFIE = 10001;  // the bye
inline constexpr int ID_ABSENCE = 10002;   // a round the player asked to miss (requested bye)
inline constexpr int ID_SPECIAL = 10000;   // first number that is not a player

inline bool est_joueur(int id) {
    return id > 0 && id < ID_SPECIAL;
}

// What the model holds at most: every player has a number below the special
// ones; rounds are bounded only to catch a slip of the keyboard.
inline constexpr int MAX_JOUEURS = ID_SPECIAL - 1;
inline constexpr int MAX_RONDES = 99;

// Colours of a round.
inline constexpr std::uint8_t BLANC = 0;
inline constexpr std::uint8_t NOIR = 1;
inline constexpr std::uint8_t SANS_PARTIE = 2;

// The capacities of the 1998 tournament file. A tournament kept in one
// ("limites_1998") takes no more at entry: 100 players, 15 rounds, its texts
// cut to their fields, Windows-1252 characters only.
struct Limites1998 {
    static constexpr int joueurs = 100;
    static constexpr int rondes = 15;
    static constexpr int tables = 50;
    static constexpr std::size_t date = 14, nom_tournoi = 49, jeu = 20;
    static constexpr std::size_t nom = 29, prenom = 19, ne_le = 11, equipe = 3;
};

// The six tie-break systems, by the ids the files store, and their labels
// (the standings' column headings).
inline constexpr int NB_SYSTEMES_DEPARTAGE = 6;
inline constexpr std::array<const char*, NB_SYSTEMES_DEPARTAGE> LIBELLES_DEPARTAGE = {
    "BU", "BM", "SB", "CU", "NG", "PP"};

struct EnteteTournoi {
    std::string date;             // free text, "" when none
    std::string nom;              // tournament name
    std::string jeu;              // game name ("Echecs", "Dames", "Othello", "Quarto" or typed)
    std::vector<int> departages;  // tie-break ids 0..5 in priority order, each once
    int nb_rondes = 0;            // rounds planned
    int nb_actifs = 0;            // active players counted by the first round's pairing
    bool othello = false;         // the results are disc counts (see jeu())
    int ronde_courante = -1;      // 0-based current round, -1 before the first pairing
    // Requested half-point byes: how many one player may take, and how many
    // of the last rounds take none.
    int demi_points_max = 2;
    int dernieres_rondes_sans_demi = 2;
    bool modifie = false;  // changes not yet saved

    bool operator==(const EnteteTournoi&) const = default;
};

// A player's part in one round.
struct RondeJoueur {
    int adversaire = ID_AUCUN;     // a player, ID_QUALIFIE or ID_FORFAIT
    std::uint8_t couleur = BLANC;  // BLANC, NOIR or SANS_PARTIE (a round not yet written: BLANC)
    Resultat resultat = Resultat::aucun;
    int pions = 0;         // discs at the end of the game (disc-count games), 0 when none
    bool forfait = false;  // the game was not played: a forfeit on either side

    bool operator==(const RondeJoueur&) const = default;
};

// A round a player asked to miss: he is not paired in it and scores half a
// point or none.
struct Absence {
    int ronde = 0;  // counted from 0
    bool demi_point = false;

    bool operator==(const Absence&) const = default;
    auto operator<=>(const Absence&) const = default;
};

struct Joueur {
    int id = 0;                      // player number, 1..MAX_JOUEURS, unique
    std::string nom;                 // surname
    std::string prenom;              // first name
    std::string ne_le = "  /  /  ";  // "JJ/MM/AA", a blank for each digit not typed
    int elo = 0;                     // rating 0..9999, 0 when none
    bool fille = false;
    bool actif = true;   // takes part in the pairings
    std::string equipe;  // team code, "" when none
    // Federation details (none of them fits a .pxi).
    std::string club;          // club name, "" when none
    std::string federation;    // three-letter federation code ("FRA"), "" when none
    std::int64_t fide_id = 0;  // FIDE ID, 0 when none
    std::string id_national;   // national rating ID, "" when none
    std::string titre;         // title ("GM", "IM", "WFM"...), "" when none
    // Points (half-points, win 2) as the standings last ranked him: what the
    // pairing of a round and the 1998 file use (appliquer_classement).
    int points = 0;
    bool flotte_bas = false;   // once paired with an opponent who had fewer points
    bool flotte_haut = false;  // once paired with an opponent who had more points
    // One entry per round paired so far (and the one being paired).
    std::vector<RondeJoueur> rondes;
    // The rounds he asked to miss, past and future, by round, each once.
    std::vector<Absence> absences;

    // His request for round r, or nullptr.
    const Absence* absence(int r) const;

    RondeJoueur& ronde(int r) { return rondes[static_cast<std::size_t>(r)]; }
    const RondeJoueur& ronde(int r) const { return rondes[static_cast<std::size_t>(r)]; }

    bool operator==(const Joueur&) const = default;
};

// Who did not come to play a table's game.
enum class Forfait : std::uint8_t { aucun, blanc, noir, les_deux };

// One table of a round.
struct Appariement {
    int blanc = ID_AUCUN;  // player with white, or ID_QUALIFIE when black has the bye
    int noir = ID_AUCUN;   // player with black, or ID_QUALIFIE when white has the bye
    Resultat res_blanc = Resultat::aucun;  // white's result; black's is its opposite
    int pions_blanc = 0;                   // discs (disc-count games)
    int pions_noir = 0;
    // A forfeit: the present player wins, the absent one loses, both lose
    // when neither came; the discs are then 0 and 0.
    Forfait forfait = Forfait::aucun;

    bool saisi() const { return res_blanc != Resultat::aucun; }
    Resultat res_noir() const {
        return forfait == Forfait::les_deux ? Resultat::perte : oppose(res_blanc);
    }
    // An empty record: a table the 1998 file left out, not yet brought back.
    bool vide() const { return blanc == ID_AUCUN && noir == ID_AUCUN; }

    bool operator==(const Appariement&) const = default;
};

struct Ronde {
    std::vector<Appariement> tables;

    bool operator==(const Ronde&) const = default;
};

class Tournoi {
  public:
    EnteteTournoi entete;

    // Players in the order of the last standings applied (registration order
    // before any): the order the 1998 file keeps and the reports list.
    std::vector<Joueur> joueurs;
    // Rounds 0..ronde_courante.
    std::vector<Ronde> rondes;
    // Pairs of players who must never meet (player ids, the smaller first),
    // sorted, each once. None fits a .pxi.
    std::vector<std::pair<int, int>> interdits;

    // The tournament lives in a 1998 file: its capacities apply at entry.
    bool limites_1998 = true;

    int nb_joueurs() const { return static_cast<int>(joueurs.size()); }
    int nb_tables(int r) const;
    // Table k of round r (both counted from 0).
    Appariement& table(int r, int k) {
        return rondes[static_cast<std::size_t>(r)].tables[static_cast<std::size_t>(k)];
    }
    const Appariement& table(int r, int k) const {
        return rondes[static_cast<std::size_t>(r)].tables[static_cast<std::size_t>(k)];
    }

    // The game: its scoring, disc counts and tie-break.
    Jeu jeu() const { return jeu_de(entete.jeu, entete.othello); }

    // Reset for a new tournament or before a load: players, rounds and
    // tables are erased; name, date, game, tie-breaks, nb_actifs and
    // modifie stay.
    void vider();
    // Rounds from `de` on are erased, from the tables and from every player.
    void effacer_rondes(int de);
    // Round r (the next one) is opened: an empty round, and an entry for it
    // in every player's record.
    void ouvrir_ronde(int r);

    int nb_joueurs_actifs() const;
    // First active position from `de` to `a` inclusive (positions from 0),
    // -1 when there is none.
    int premier_actif(int de, int a) const;
    // Position of the (n/2)-th active player, n active players; -1 when n < 2.
    int position_mediane() const;
    // True when every table of round r has its result entered (or it has none).
    bool ronde_complete(int r) const;
    // Rebuilds the index of numbers after the players moved or were renumbered.
    void indexer_joueurs();

    // The player numbered `id`, found through the index.
    Joueur& joueur(int id) { return joueurs[static_cast<std::size_t>(index_[id])]; }
    const Joueur& joueur(int id) const { return joueurs[static_cast<std::size_t>(index_[id])]; }
    // Position of the player numbered `id`.
    int position(int id) const { return index_[static_cast<std::size_t>(id)]; }
    bool existe(int id) const {
        return id > 0 && static_cast<std::size_t>(id) < index_.size() && index_[id] >= 0;
    }

    // "Tournoi %s, du %s, jeu : %s": the main window's caption.
    std::string titre_fenetre() const;

    bool operator==(const Tournoi&) const = default;

  private:
    std::vector<int> index_;  // position of each number, -1 for none
};

// A table's result on the table and in both players' records, written once
// for every writer: the points (white's result), the discs and the forfeit.
void poser_resultat(Tournoi& t, int r, int table, Resultat res_blanc, int pions_blanc,
                    int pions_noir, Forfait forfait = Forfait::aucun);

// White's result of a forfeit (none for Forfait::aucun).
Resultat resultat_forfait(Forfait f);

// True when the round's entry is a game played over the board: a real
// opponent and no forfeit.
inline bool partie_jouee(const RondeJoueur& rj) {
    return est_joueur(rj.adversaire) && !rj.forfait;
}

// A player's entry of round r as it is before anything is written: no
// opponent, white, no result, no discs.
void effacer_ronde_joueur(Joueur& j, int r);

// Round r of a player who sits at no table of it: his requested bye when he
// asked to miss it (half a point or none), else a round not played.
void poser_ronde_sans_table(Joueur& j, int r);

// The half-points of a player over rounds 0..derniere, from his own record.
int points_jusqu_a(const Joueur& j, int derniere);

}  // namespace tavo
