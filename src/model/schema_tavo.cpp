#include "model/schema_tavo.h"

namespace tavo {

namespace {

// Version 1.
//
// tournoi      the one row of the tournament: its texts, the rounds planned,
//              the current round (-1 before the first, 0 for the first), the
//              active players counted by the first pairing (kept for the
//              1998 file), and whether results are disc counts (Othello).
// departage    the tie-breaks in priority order (rang 0 first), ids 0..5,
//              each once.
// joueur       one row per player, numbered 1..9999; `rang_classement` is
//              the player's place in the order of the last standings.
// partie       what each player did in each paired round: the opponent (a
//              player, 10000 for no game or a forfeit, 10001 for the bye),
//              the colour (0 white, 1 black, 2 none), the result and discs.
// appariement  the tables of each round in order (round 0 first, table 1
//              first): white and black (10001 on the side of a bye), white's
//              result and both disc counts.
//
// Texts are UTF-8 without control characters, of any length. Results are
// 'aucun' (not entered), 'perte', 'nul' or 'gain'. The references between
// players are checked at the commit of a transaction (DEFERRABLE INITIALLY
// DEFERRED), so an action may write its rows in any order; the opponent
// columns refer to players through the generated columns `*_joueur`, which
// leave out the special ids.
constexpr std::string_view kVersion1 = R"sql(
CREATE TABLE tournoi (
    id INTEGER PRIMARY KEY CHECK (id = 1),
    nom TEXT NOT NULL,
    date TEXT NOT NULL,
    jeu TEXT NOT NULL,
    rondes_prevues INTEGER NOT NULL CHECK (rondes_prevues >= 0),
    ronde_courante INTEGER NOT NULL CHECK (ronde_courante BETWEEN -1 AND rondes_prevues - 1),
    nb_actifs INTEGER NOT NULL CHECK (nb_actifs >= 0),
    resultats_en_pions INTEGER NOT NULL CHECK (resultats_en_pions IN (0, 1)),
    CHECK ((nom || date || jeu) NOT GLOB '*[' || char(1) || '-' || char(31) || char(127) || ']*')
) STRICT;

CREATE TABLE departage (
    rang INTEGER PRIMARY KEY CHECK (rang BETWEEN 0 AND 5),
    departage INTEGER NOT NULL UNIQUE CHECK (departage BETWEEN 0 AND 5)
) STRICT;

CREATE TABLE joueur (
    numero INTEGER PRIMARY KEY CHECK (numero BETWEEN 1 AND 9999),
    nom TEXT NOT NULL,
    prenom TEXT NOT NULL,
    ne_le TEXT NOT NULL,
    elo INTEGER NOT NULL CHECK (elo BETWEEN 0 AND 9999),
    fille INTEGER NOT NULL CHECK (fille IN (0, 1)),
    actif INTEGER NOT NULL CHECK (actif IN (0, 1)),
    equipe TEXT NOT NULL,
    flotteur_bas INTEGER NOT NULL CHECK (flotteur_bas IN (0, 1)),
    flotteur_haut INTEGER NOT NULL CHECK (flotteur_haut IN (0, 1)),
    points_dernier_classement INTEGER NOT NULL,
    rang_classement INTEGER NOT NULL UNIQUE,
    CHECK ((nom || prenom || ne_le || equipe)
           NOT GLOB '*[' || char(1) || '-' || char(31) || char(127) || ']*')
) STRICT;

CREATE TABLE partie (
    joueur INTEGER NOT NULL REFERENCES joueur (numero) DEFERRABLE INITIALLY DEFERRED,
    ronde INTEGER NOT NULL CHECK (ronde >= 0),
    adversaire INTEGER NOT NULL
        CHECK (adversaire BETWEEN 1 AND 9999 OR adversaire IN (10000, 10001)),
    adversaire_joueur INTEGER AS (CASE WHEN adversaire <= 9999 THEN adversaire END)
        REFERENCES joueur (numero) DEFERRABLE INITIALLY DEFERRED,
    couleur INTEGER NOT NULL CHECK (couleur IN (0, 1, 2)),
    resultat TEXT NOT NULL CHECK (resultat IN ('aucun', 'perte', 'nul', 'gain')),
    pions INTEGER NOT NULL CHECK (pions BETWEEN 0 AND 64),
    PRIMARY KEY (joueur, ronde),
    CHECK (adversaire <> joueur)
) STRICT, WITHOUT ROWID;

CREATE TABLE appariement (
    ronde INTEGER NOT NULL CHECK (ronde >= 0),
    numero INTEGER NOT NULL CHECK (numero >= 1),
    blanc INTEGER NOT NULL CHECK (blanc BETWEEN 1 AND 9999 OR blanc = 10001),
    noir INTEGER NOT NULL CHECK (noir BETWEEN 1 AND 9999 OR noir = 10001),
    blanc_joueur INTEGER AS (CASE WHEN blanc <= 9999 THEN blanc END)
        REFERENCES joueur (numero) DEFERRABLE INITIALLY DEFERRED,
    noir_joueur INTEGER AS (CASE WHEN noir <= 9999 THEN noir END)
        REFERENCES joueur (numero) DEFERRABLE INITIALLY DEFERRED,
    resultat_blanc TEXT NOT NULL CHECK (resultat_blanc IN ('aucun', 'perte', 'nul', 'gain')),
    pions_blanc INTEGER NOT NULL CHECK (pions_blanc BETWEEN 0 AND 64),
    pions_noir INTEGER NOT NULL CHECK (pions_noir BETWEEN 0 AND 64),
    PRIMARY KEY (ronde, numero),
    UNIQUE (ronde, blanc),
    UNIQUE (ronde, noir),
    CHECK (blanc <> noir)
) STRICT, WITHOUT ROWID;
)sql";

// Version 2: the federation details of each player (texts "" and FIDE ID 0
// when none), and the pairs of players who must never meet, the smaller
// number first.
constexpr std::string_view kVersion2 = R"sql(
ALTER TABLE joueur ADD COLUMN club TEXT NOT NULL DEFAULT ''
    CHECK (club NOT GLOB '*[' || char(1) || '-' || char(31) || char(127) || ']*');
ALTER TABLE joueur ADD COLUMN federation TEXT NOT NULL DEFAULT ''
    CHECK (federation NOT GLOB '*[' || char(1) || '-' || char(31) || char(127) || ']*');
ALTER TABLE joueur ADD COLUMN fide_id INTEGER NOT NULL DEFAULT 0
    CHECK (fide_id BETWEEN 0 AND 99999999999);
ALTER TABLE joueur ADD COLUMN id_national TEXT NOT NULL DEFAULT ''
    CHECK (id_national NOT GLOB '*[' || char(1) || '-' || char(31) || char(127) || ']*');
ALTER TABLE joueur ADD COLUMN titre TEXT NOT NULL DEFAULT ''
    CHECK (titre NOT GLOB '*[' || char(1) || '-' || char(31) || char(127) || ']*');

CREATE TABLE appariement_interdit (
    joueur1 INTEGER NOT NULL REFERENCES joueur (numero) DEFERRABLE INITIALLY DEFERRED,
    joueur2 INTEGER NOT NULL REFERENCES joueur (numero) DEFERRABLE INITIALLY DEFERRED,
    PRIMARY KEY (joueur1, joueur2),
    CHECK (joueur1 < joueur2)
) STRICT, WITHOUT ROWID;
)sql";

// Version 3: forfeits and requested byes.
//
// tournoi            how many half-point byes a player may ask for, and how
//                    many of the last rounds take none.
// appariement        `forfait`: the side that did not come ('aucun', 'blanc',
//                    'noir' or 'double' when neither did).
// partie             rebuilt for its new values: the opponent 10002 for a
//                    round the player asked to miss, and `forfait` 1 for a
//                    game not played.
// absence_demandee   the rounds each player asked to miss, past and future,
//                    and whether he scores half a point in them.
constexpr std::string_view kVersion3 = R"sql(
ALTER TABLE tournoi ADD COLUMN demi_points_max INTEGER NOT NULL DEFAULT 2
    CHECK (demi_points_max BETWEEN 0 AND 99);
ALTER TABLE tournoi ADD COLUMN dernieres_rondes_sans_demi INTEGER NOT NULL DEFAULT 2
    CHECK (dernieres_rondes_sans_demi BETWEEN 0 AND 99);
ALTER TABLE appariement ADD COLUMN forfait TEXT NOT NULL DEFAULT 'aucun'
    CHECK (forfait IN ('aucun', 'blanc', 'noir', 'double'));

CREATE TABLE partie_v3 (
    joueur INTEGER NOT NULL REFERENCES joueur (numero) DEFERRABLE INITIALLY DEFERRED,
    ronde INTEGER NOT NULL CHECK (ronde >= 0),
    adversaire INTEGER NOT NULL
        CHECK (adversaire BETWEEN 1 AND 9999 OR adversaire IN (10000, 10001, 10002)),
    adversaire_joueur INTEGER AS (CASE WHEN adversaire <= 9999 THEN adversaire END)
        REFERENCES joueur (numero) DEFERRABLE INITIALLY DEFERRED,
    couleur INTEGER NOT NULL CHECK (couleur IN (0, 1, 2)),
    resultat TEXT NOT NULL CHECK (resultat IN ('aucun', 'perte', 'nul', 'gain')),
    pions INTEGER NOT NULL CHECK (pions BETWEEN 0 AND 64),
    forfait INTEGER NOT NULL DEFAULT 0 CHECK (forfait IN (0, 1)),
    PRIMARY KEY (joueur, ronde),
    CHECK (adversaire <> joueur)
) STRICT, WITHOUT ROWID;
INSERT INTO partie_v3 (joueur, ronde, adversaire, couleur, resultat, pions)
    SELECT joueur, ronde, adversaire, couleur, resultat, pions FROM partie;
DROP TABLE partie;
ALTER TABLE partie_v3 RENAME TO partie;

CREATE TABLE absence_demandee (
    joueur INTEGER NOT NULL REFERENCES joueur (numero) DEFERRABLE INITIALLY DEFERRED,
    ronde INTEGER NOT NULL CHECK (ronde >= 0),
    demi_point INTEGER NOT NULL CHECK (demi_point IN (0, 1)),
    PRIMARY KEY (joueur, ronde)
) STRICT, WITHOUT ROWID;
)sql";

constexpr std::string_view kEtapes[] = {kVersion1, kVersion2, kVersion3};

}  // namespace

std::span<const std::string_view> etapes_schema_tavo() {
    return kEtapes;
}

}  // namespace tavo
