// The three fixed-size records of the 1998 tournament file (".pxi"). The
// file is a raw image of these records, so every size and offset below is
// checked at compile time. Only the file's converter (fichier_tournoi.cpp)
// reads them; the program works on the model of tournoi.h.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace tavo::pxi {

static_assert(std::endian::native == std::endian::little,
              "the tournament file stores little-endian integers as they are in memory");

// Capacities of the file.
inline constexpr int MAX_JOUEURS = 100;
inline constexpr int MAX_RONDES = 15;
inline constexpr int MAX_TABLES = 50;      // tables of one round
inline constexpr int MAX_DEPARTAGES = 10;  // slots in the header

// Texts are NUL-terminated Windows-1252 strings; the longest text a field can
// hold is its size minus one.

// The 150-byte tournament header.
struct EnteteTournoi {
    char date[15];  // free text, "" when none
    char nom[50];   // tournament name
    char jeu[21];   // game name ("Echecs", "Dames", "Othello", "Quarto" or typed)
    std::int16_t departages[MAX_DEPARTAGES];   // tie-break ids 0..5, first nb_departages used
    char abrev_departages[MAX_DEPARTAGES][3];  // "BU", "BM"... of each selected id
    std::int16_t nb_rondes;                    // rounds planned, 0..15
    std::int16_t nb_departages;  // selected tie-breaks, 0 before a tournament is defined
    std::int16_t nb_joueurs;     // players at positions 1..nb_joueurs, 0..100
    std::int16_t nb_actifs;      // active players counted by the first-round pairing only
    std::uint8_t othello;        // 1 when the game is Othello (disc counts are entered)
    std::uint8_t reserve1;
    std::int16_t ronde_courante;  // 0-based current round, -1 before the first pairing
    std::uint8_t modifie;         // 1 when there are unsaved changes
    std::uint8_t reserve2;
};

// One 158-byte player record.
struct Joueur {
    std::int16_t id;      // player number 1..nb_joueurs, unique
    char nom[30];         // surname, 29 characters at most
    char prenom[20];      // first name, 19 characters at most
    char ne_le[12];       // birth date "JJ/MM/AA", blanks for missing digits
    std::int16_t elo;     // rating 0..9999, 0 when none
    std::uint8_t fille;   // 1 for a girl
    std::uint8_t actif;   // 1 when the player takes part in the pairings
    char equipe[4];       // team code, 3 characters at most, "" when none
    std::int16_t points;  // half-points over the complete rounds (win 2, draw 1)
    std::uint8_t reserve1[2];
    std::int16_t flotte_bas;   // 1 once paired with an opponent who had fewer points
    std::int16_t flotte_haut;  // 1 once paired with an opponent who had more points
    std::uint8_t reserve2[2];
    std::uint8_t couleurs[MAX_RONDES];  // BLANC, NOIR or SANS_PARTIE per round
    std::uint8_t reserve3;
    std::int16_t adversaires[MAX_RONDES];  // opponent id, ID_FORFAIT, ID_QUALIFIE, or 0
    std::uint8_t pions[MAX_RONDES];        // discs at the end of the game (Othello), 0..64
    std::uint8_t resultats[MAX_RONDES];    // points of the round: 2, 1 or 0
};

// One 10-byte table of a round.
struct Appariement {
    std::int16_t blanc;        // id with white, or ID_QUALIFIE when black has the bye
    std::int16_t noir;         // id with black, or ID_QUALIFIE when white has the bye
    std::uint8_t res_blanc;    // white's points 2, 1, 0
    std::uint8_t res_noir;     // black's points 2, 1, 0
    std::uint8_t pions_blanc;  // white's discs (Othello)
    std::uint8_t pions_noir;   // black's discs (Othello)
    std::uint8_t saisi;        // 1 when the result is entered
    std::uint8_t reserve;
};

static_assert(sizeof(EnteteTournoi) == 150);
static_assert(offsetof(EnteteTournoi, nom) == 15);
static_assert(offsetof(EnteteTournoi, jeu) == 65);
static_assert(offsetof(EnteteTournoi, departages) == 86);
static_assert(offsetof(EnteteTournoi, abrev_departages) == 106);
static_assert(offsetof(EnteteTournoi, nb_rondes) == 136);
static_assert(offsetof(EnteteTournoi, nb_departages) == 138);
static_assert(offsetof(EnteteTournoi, nb_joueurs) == 140);
static_assert(offsetof(EnteteTournoi, nb_actifs) == 142);
static_assert(offsetof(EnteteTournoi, othello) == 144);
static_assert(offsetof(EnteteTournoi, ronde_courante) == 146);
static_assert(offsetof(EnteteTournoi, modifie) == 148);

static_assert(sizeof(Joueur) == 158);
static_assert(offsetof(Joueur, nom) == 2);
static_assert(offsetof(Joueur, prenom) == 32);
static_assert(offsetof(Joueur, ne_le) == 52);
static_assert(offsetof(Joueur, elo) == 64);
static_assert(offsetof(Joueur, fille) == 66);
static_assert(offsetof(Joueur, actif) == 67);
static_assert(offsetof(Joueur, equipe) == 68);
static_assert(offsetof(Joueur, points) == 72);
static_assert(offsetof(Joueur, flotte_bas) == 76);
static_assert(offsetof(Joueur, flotte_haut) == 78);
static_assert(offsetof(Joueur, couleurs) == 82);
static_assert(offsetof(Joueur, adversaires) == 98);
static_assert(offsetof(Joueur, pions) == 128);
static_assert(offsetof(Joueur, resultats) == 143);

static_assert(sizeof(Appariement) == 10);
static_assert(offsetof(Appariement, res_blanc) == 4);
static_assert(offsetof(Appariement, saisi) == 8);

}  // namespace tavo::pxi
