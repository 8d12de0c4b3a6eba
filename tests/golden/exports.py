#!/usr/bin/env python3
"""Checks the published forms of the reports against the text reports of the golden tournaments.

For the last round file of each golden case, asks tavo-cli for every report as text, HTML and
CSV, and checks that:
- the HTML page parses with a strict HTML5 parser, is standalone, and its table equals the CSV's;
- the CSV has a byte-order mark, CR LF line ends, ';' fields, plain numbers and no cell a
  spreadsheet would run as a formula;
- each table holds the values of the text report's columns, points as the game counts them and
  tie-breaks in the same unit;
- the crosstable (ranks, numbers, rounds, points, tie-breaks, in its text form too) agrees with
  the standings and the game history; the pairing page is titled as a pairing sheet;
- the TRF file, read as a TRF16 reader reads it (each field at its columns), agrees with the
  standings and with itself (points equal to the sum of the round results, each game seen the
  same way from both sides), in UTF-8 and in Windows-1252.

Usage: exports.py TAVO_CLI [CASES_FOLDER]
Exit status 0 when everything agrees, 1 otherwise, 77 when no strict HTML parser is installed.
"""

import csv
import datetime
import io
import os
import re
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True

import modele  # noqa: E402  (the golden cases' own reader and writer of tournament files)

try:
    import html5lib
except ImportError:
    # The interpreter found first may be another Python than the system's, which holds the
    # Debian package.
    if os.path.exists("/usr/bin/python3") and os.path.realpath(sys.executable) != os.path.realpath(
            "/usr/bin/python3") and "TAVO_EXPORTS_RELANCE" not in os.environ:
        os.environ["TAVO_EXPORTS_RELANCE"] = "1"
        os.execv("/usr/bin/python3", ["/usr/bin/python3", *sys.argv])
    print("html5lib absent (python3-html5lib): test sauté")
    sys.exit(77)

NS = "{http://www.w3.org/1999/xhtml}"


class Echec(Exception):
    pass


def verifier(condition, message):
    if not condition:
        raise Echec(message)


def lancer(cli, *arguments):
    p = subprocess.run([cli, *arguments], capture_output=True, timeout=60)
    verifier(p.returncode == 0, "%s: code %d: %s" % (" ".join(arguments), p.returncode,
                                                     p.stderr.decode("utf-8", "replace")))
    return p.stdout


def sans_ronde(cli, fichier):
    """True when no round is paired yet: the pairing sheet is then refused."""
    p = subprocess.run([cli, "rapport", "appariements", fichier], capture_output=True, timeout=60)
    if p.returncode == 0:
        return False
    verifier(p.returncode == 1 and p.stdout == b"" and
             p.stderr.decode("utf-8") == "Aucune ronde n'a encore été appariée\n",
             "appariements avant la première ronde: code %d" % p.returncode)
    return True


def nombre(valeur, diviseur, forme):
    """A value counted in 1/diviseur units as the export writes it: '3½', '9¼' (html) or
    '3,5', '9,25' (csv)."""
    entier, reste = divmod(valeur, diviseur)
    if not reste:
        return str(entier)
    quarts = reste * 4 // diviseur
    if forme == "csv":
        return "%d,%s" % (entier, {1: "25", 2: "5", 3: "75"}[quarts])
    return ("%d" % entier if entier else "") + "¼½¾"[quarts - 1]


def diviseur_departage(libelle, unite):
    """Sums of points (BU, BM, CU) are in the points' unit; Sonneborn-Berger, which counts a
    beaten opponent's points twice and a drawn one's once in the text reports, in half of it;
    wins (NG) and discs (PP) are counts."""
    return {"BU": unite, "BM": unite, "CU": unite, "SB": 2 * unite}.get(libelle, 1)


def lire_html(octets):
    texte = octets.decode("utf-8")
    arbre = html5lib.HTMLParser(strict=True, namespaceHTMLElements=True).parse(texte)
    verifier(re.search(r'<meta charset="utf-8">', texte), "HTML sans charset utf-8")
    verifier(not re.search(r"<script|<link|\ssrc=|\shref=", texte), "HTML non autonome")
    verifier("thead { display: table-header-group" in texte and "@page" in texte,
             "HTML sans style d'impression")
    tables = arbre.findall(".//%stable" % NS)
    verifier(len(tables) == 1, "HTML: %d tables" % len(tables))
    entete = ["".join(th.itertext()) for th in tables[0].findall("./%sthead/%str/%sth" % (NS, NS, NS))]
    lignes = [["".join(td.itertext()) for td in tr.findall("./%std" % NS)]
              for tr in tables[0].findall("./%stbody/%str" % (NS, NS))]
    titres = ["".join(p.itertext()) for p in arbre.findall(".//%sp" % NS)]
    noms = arbre.findall(".//%stitle" % NS) + arbre.findall(".//%sh1" % NS)
    return entete, lignes, titres, ["".join(e.itertext()) for e in noms]


def lire_csv(octets):
    # Numbers are compared as the CSV writes them ("12", "3,5") with the text reports' values.
    verifier(octets.startswith(b"\xef\xbb\xbf"), "CSV sans BOM")
    verifier(octets.endswith(b"\r\n") and b"\n" not in octets.replace(b"\r\n", b""),
             "CSV: fins de ligne autres que CR LF")
    lignes = list(csv.reader(io.StringIO(octets.decode("utf-8-sig"), newline=""), delimiter=";"))
    # No cell a spreadsheet would run as a formula: such a text starts with an apostrophe,
    # which the spreadsheet shows as text (taken off here, to compare the texts).
    for ligne in lignes:
        for i, cellule in enumerate(ligne):
            formule = re.match(r"[=+\-@\t\r]", cellule)
            verifier(not formule or re.fullmatch(r"[-+]?\d+(,\d+)?", cellule),
                     "CSV: formule %r" % cellule)
            if re.match(r"'[=+\-@\t\r]", cellule):
                ligne[i] = cellule[1:]
    return lignes[0], lignes[1:]


def comparer_html_csv(genre, html, csv_):
    verifier(html[0] == csv_[0], "%s: en-têtes HTML %r et CSV %r" % (genre, html[0], csv_[0]))
    fractions = {"¼": ",25", "½": ",5", "¾": ",75"}
    en_csv = lambda m: (m.group(1) or "0") + fractions[m.group(2)]
    normal = [[re.sub(r"^(\d*)([¼½¾])$", en_csv, c) for c in ligne] for ligne in html[1]]
    verifier(normal == csv_[1], "%s: lignes HTML et CSV différentes" % genre)


class Cas:
    def __init__(self, cli, fichier):
        self.cli = cli
        self.fichier = fichier
        self.texte = {}
        self.tables = {}
        self.pages = {}
        for genre in ("classement", "historique", "joueurs", "appariements", "grille"):
            if genre == "appariements" and sans_ronde(cli, fichier):
                continue
            self.texte[genre] = lancer(cli, "rapport", genre, fichier).decode("utf-8").split("\n")[:-1]
            html = lire_html(lancer(cli, "rapport", genre, fichier, "--format", "html"))
            csv_ = lire_csv(lancer(cli, "rapport", genre, fichier, "--format", "csv"))
            comparer_html_csv(genre, html, csv_)
            self.tables[genre] = csv_
            if genre == "classement":
                self.titres = html[2]
            self.pages[genre] = html
        m = re.match(r"Tournoi (.*) du (.*), jeu : (.*)$", self.texte["joueurs"][0])
        self.nom, self.date, self.jeu = m.groups()
        self.unite = 1 if self.jeu.lower() == "dames" else 2
        self.othello = self.jeu.lower() == "othello"

    def classement(self):
        """{position: (rank, id, team, names, points, tie-breaks)} from the text report."""
        lignes = self.texte["classement"]
        debut = next(i for i, l in enumerate(lignes) if l.startswith("Cl  - N"))
        nb_dep = len(lignes[debut].split()) - 7
        self.libelles = lignes[debut].split()[7:]
        resultat = []
        for ligne in lignes[debut + 1:]:
            jetons = ligne[14:].split()
            nombres = [int(x) for x in jetons[len(jetons) - nb_dep - 1:]]
            resultat.append((int(ligne[0:3]), int(ligne[6:9]), ligne[10:13].strip(),
                             jetons[:len(jetons) - nb_dep - 1], nombres[0], nombres[1:]))
        return resultat

    def verifier_classement(self):
        verifier(self.titres[0] == "Tournoi : %s du %s" % (self.nom, self.date) and
                 self.titres[1] == "Jeu : " + self.jeu, "titres HTML %r" % self.titres)
        lignes = self.tables["classement"][1]
        texte = self.classement()
        verifier(len(lignes) == len(texte), "classement: nombre de lignes")
        for t, c in zip(texte, lignes):
            attendu = [str(t[0]), str(t[1]), t[2]] + [nombre(t[4], self.unite, "csv")]
            verifier([c[0], c[1], c[2], c[5]] == attendu and (c[3] + " " + c[4]).split() == t[3]
                     and c[6:6 + len(t[5])] == self.departages(t[5], "csv"),
                     "classement: %r contre %r" % (c, t))

    def departages(self, valeurs, forme):
        """The text standings' tie-break values (records' units) as the exports write them."""
        return [nombre(v, diviseur_departage(l, self.unite), forme)
                for v, l in zip(valeurs, self.libelles)]

    def historique(self):
        """{id: [(opponent, colour, result)]} from the text report."""
        lignes = self.texte["historique"][3:]
        parties = {}
        for i in range(0, len(lignes), 2):
            id_ = int(lignes[i][0:3])
            parties[id_] = [(a.strip(), c, int(r)) for a, c, r in re.findall(
                r"(\(F\)|\(Q\)|[ \d]{3}|\d+)([BN?])(\d+)  ", lignes[i + 1][6:])]
        return parties

    def verifier_historique(self):
        parties = self.historique()
        for c in self.tables["historique"][1]:
            rondes = parties[int(c[0])]
            attendu = [a + col + (str(r) if self.othello else nombre(r, self.unite, "html"))
                       for a, col, r in rondes]
            verifier(c[4:] == attendu, "historique: %r contre %r" % (c[4:], attendu))

    def verifier_joueurs(self):
        lignes = self.texte["joueurs"][7:]
        table = self.tables["joueurs"][1]
        verifier(len(lignes) == len(table), "joueurs: nombre de lignes")
        for l, c in zip(lignes, table):
            attendu = [l[0:3].strip(), l[4:7].strip(), l[8], l[10:30].strip(), l[31:46].strip(),
                       l[47], l[49:]]
            lu = [c[0], c[1], c[2], c[3][:20].rstrip(), c[4][:15].rstrip(), c[5], c[6]]
            verifier(lu == attendu,
                     "joueurs: %r contre %r" % (c, attendu))

    def verifier_appariements(self):
        if "appariements" not in self.texte:
            return
        lignes = [l for l in self.texte["appariements"][4:] if l.strip()]
        table = self.tables["appariements"][1]
        verifier(len(lignes) == len(table), "appariements: nombre de tables")
        # The bye and the forfeit (10000 and up) are named, without a number.
        numero = lambda n: n if int(n) < 10000 else ""
        for l, c in zip(lignes, table):
            m = re.fullmatch(r"(\d{3}) \(\s*(\d+)/(.{3})\) (.{25})  _ \| _ \(\s*(\d+)/(.{3})\) (.{25})",
                             l)
            verifier(m, "appariements: ligne illisible %r" % l)
            attendu = [str(int(m[1])), numero(m[2]), m[3].strip(), m[4].strip(), numero(m[5]),
                       m[6].strip(), m[7].strip()]
            verifier([c[0], c[1], c[2], c[3][:25], c[4], c[5], c[6][:25]] == attendu,
                     "appariements: %r contre %r" % (c, attendu))
        # The page is named as a pairing sheet, not as the window that shows it.
        verifier(self.pages["appariements"][3] == ["Appariements"] * 2,
                 "appariements: titre %r" % self.pages["appariements"][3])

    def verifier_grille(self):
        classement = self.classement()
        parties = self.historique()
        symbole = {2: "+", 1: "=", 0: "-"}
        texte = self.texte["grille"][5:]
        html = self.pages["grille"][1]
        verifier(len(texte) == len(classement), "grille: nombre de lignes")
        for c, t, l, h in zip(self.tables["grille"][1], classement, texte, html):
            nb_dep = len(t[5])
            rondes = c[5:len(c) - nb_dep - 1]
            # Rank shared as in the standings, the player's number, then the rounds naming the
            # opponent's number.
            verifier(c[0] == str(t[0]) and c[1] == str(t[1]) and c[2].split() == t[3] and
                     c[4] == t[2] and c[len(c) - nb_dep - 1] == nombre(t[4], self.unite, "csv") and
                     c[len(c) - nb_dep:] == self.departages(t[5], "csv"),
                     "grille: %r contre %r" % (c, t))
            attendu = []
            for a, col, r in parties[t[1]][:len(rondes)]:
                if a in ("(F)", "(Q)"):
                    attendu.append(a[1])
                else:
                    attendu.append("%s%s%s" % (a, col, r if self.othello else symbole[r]))
            verifier(rondes == attendu, "grille: rondes %r contre %r" % (rondes, attendu))
            # The text form: the same rounds, in 7-column cells after the team, and the points
            # and tie-breaks as the page writes them.
            verifier([l[48 + 7 * r:55 + 7 * r].strip() for r in range(len(rondes))] == rondes and
                     l.split()[len(l.split()) - nb_dep - 1:] == h[len(h) - nb_dep - 1:],
                     "grille texte: %r" % l)

    def verifier_trf(self, dossier):
        sortie = os.path.join(dossier, "tournoi.trf")
        lancer(self.cli, "exporter-trf", self.fichier, sortie)
        with open(sortie, "rb") as f:
            octets = f.read()
        entete, joueurs = lire_trf(octets, "utf-8")
        self.trf = entete, joueurs
        # Windows-1252 on request: the same characters in the same columns.
        lancer(self.cli, "exporter-trf", self.fichier, sortie, "--encodage", "cp1252")
        with open(sortie, "rb") as f:
            verifier(f.read().decode("cp1252") == octets.decode("utf-8"), "TRF: cp1252 différent")
        verifier(entete["012"] == self.nom, "TRF: nom %r" % entete.get("012"))
        date = date_trf(self.date, 99)
        verifier(entete["042"] == entete["052"] == date, "TRF: date %r" % entete["042"])
        if self.jeu.lower() != "echecs":
            verifier(self.jeu in entete["092"], "TRF: jeu absent de %r" % entete["092"])
        valeur = {"1": 1, "=": 0.5, "0": 0, "+": 1, "-": 0, "U": 1, "F": 1, "H": 0.5, "Z": 0}
        inverse = {"1": "0", "0": "1", "=": "="}
        verifier(int(entete["062"]) == len(joueurs), "TRF: nombre de joueurs")
        verifier(int(entete["072"]) == sum(1 for j in joueurs.values() if j["elo"]),
                 "TRF: nombre de joueurs classés")
        for id_, j in joueurs.items():
            verifier(sum(valeur[r] for _, _, r in j["rondes"]) == j["points"], "TRF: points %r" % j)
            for r, (adv, col, res) in enumerate(j["rondes"]):
                if adv == 0:
                    verifier(col == "-" and res in "UFHZ", "TRF: exempt %r" % ((adv, col, res),))
                    continue
                a, c, s = joueurs[adv]["rondes"][r]
                verifier(a == id_ and {col, c} == {"w", "b"} and s == inverse[res],
                         "TRF: partie %d ronde %d vue autrement par %d" % (id_, r + 1, adv))
        pivot = int(date[2:4]) if date else 99
        inscrits = {int(c[0]): c for c in self.tables["joueurs"][1]}
        for rang, id_, _, _, pts, _ in self.classement():
            j, c = joueurs[id_], inscrits[id_]
            # TRF points are 1, 1/2, 0 a game, whatever the game.
            verifier(j["points"] * 2 == pts and j["rang"] == rang and
                     j["nom"] == (c[3] + "," + c[4])[:33].rstrip() and
                     j["sexe"] == ("w" if c[5] == "F" else "m") and
                     j["naissance"] == date_trf(c[6], pivot),
                     "TRF: joueur %d %r contre le classement et la liste" % (id_, j))


# The TRF16 player record, by the columns (1-based, inclusive) of FIDE's description; the
# columns between fields are blank. Each round takes 10 columns from column 92: the opponent's
# starting rank in 92-95 ("0000" for a bye or a round not paired), the colour in 97 (w, b, or -
# without opponent), the result in 99.
CHAMPS_001 = {"numero": (5, 8), "sexe": (10, 10), "titre": (11, 13), "nom": (15, 47),
              "elo": (49, 52), "federation": (54, 56), "fide": (58, 68), "naissance": (70, 79),
              "points": (81, 84), "rang": (86, 89)}
ETIQUETTES = {"012", "022", "032", "042", "052", "062", "072", "082", "092", "102", "112", "122",
              "132", "XXR"}


def colonnes(ligne, debut, fin):
    return ligne[debut - 1:fin]


def date_reelle(texte):
    """A TRF date AAAA/MM/JJ naming a day of the calendar."""
    m = re.fullmatch(r"(\d{4})/(\d\d)/(\d\d)", texte)
    try:
        return bool(m) and datetime.date(int(m[1]), int(m[2]), int(m[3])) is not None
    except ValueError:
        return False


def date_trf(jjmmaa, pivot):
    """The TRF date a record's JJ/MM/AA should give: a two-digit year up to `pivot` is of this
    century; "" when the date is empty or names no day of the calendar."""
    m = re.fullmatch(r"(\d\d)/(\d\d)/(\d\d)\s*", jjmmaa)
    if not m:
        return ""
    date = "%d/%s/%s" % (int(m[3]) + (2000 if int(m[3]) <= pivot else 1900), m[2], m[1])
    return date if date_reelle(date) else ""


def lire_trf(octets, encodage):
    """Reads a TRF file as a TRF16 reader does, refusing what it would refuse. Returns the
    header lines by tag and the players by starting rank."""
    texte = octets.decode(encodage)
    verifier(texte.endswith("\r\n") and "\n" not in texte.replace("\r\n", ""),
             "TRF: fins de ligne autres que CR LF")
    entete, joueurs = {}, {}
    for l in texte.split("\r\n")[:-1]:
        verifier(len(l) == 3 or l[3] == " ", "TRF: étiquette %r" % l)
        if l[:3] == "XXP":
            # Players who must never meet: two or more starting ranks.
            verifier(re.fullmatch(r"XXP( [1-9]\d*){2,}", l), "TRF: XXP illisible %r" % l)
            entete.setdefault("XXP", []).append(tuple(int(n) for n in l.split()[1:]))
            continue
        if l[:3] != "001":
            verifier(l[:3] in ETIQUETTES, "TRF: ligne inconnue %r" % l)
            entete[l[:3]] = l[4:]
            continue
        c = {k: colonnes(l, a, b) for k, (a, b) in CHAMPS_001.items()}
        verifier(all(l[i - 1] == " " for i in (4, 9, 14, 48, 53, 57, 69, 80, 85)) and
                 len(l) >= 89 and (len(l) - 89) % 10 == 0, "TRF: colonnes %r" % l)
        verifier(re.fullmatch(r" *[1-9]\d*", c["numero"]) and c["sexe"] in ("m", "w") and
                 re.fullmatch(r" {4}| *[1-9]\d*", c["elo"]) and
                 (c["naissance"] == " " * 10 or date_reelle(c["naissance"])) and
                 re.fullmatch(r" *\d+\.[05]", c["points"]) and
                 re.fullmatch(r" *[1-9]\d*", c["rang"]) and
                 re.fullmatch(r" {3}| {1,2}(g|m|f|c|wg|wm|wf|wc)", c["titre"]) and
                 re.fullmatch(r" {3}|[A-Z]{3}", c["federation"]) and
                 re.fullmatch(r" {11}| *[1-9]\d*", c["fide"]),
                 "TRF: champ illisible %r" % l)
        rondes = []
        for debut in range(90, len(l), 10):
            bloc = l[debut - 1:debut + 9]
            m = re.fullmatch(r"  (0000| *[1-9]\d*) ([wb-]) ([-+WDL10=HFUZ])", bloc)
            verifier(m and (m[1] == "0000") == (m[2] == "-"), "TRF: ronde illisible %r" % bloc)
            rondes.append((int(m[1]), m[2], m[3]))
        joueurs[int(c["numero"])] = {
            "sexe": c["sexe"], "nom": c["nom"].rstrip(), "elo": c["elo"].strip(),
            "naissance": c["naissance"].strip(), "points": float(c["points"]),
            "rang": int(c["rang"]), "rondes": rondes, "titre": c["titre"].strip(),
            "federation": c["federation"].strip(), "fide": c["fide"].strip()}
    verifier(all(n in joueurs for paire in entete.get("XXP", []) for n in paire),
             "TRF: XXP nomme un joueur absent %r" % entete.get("XXP"))
    for etiquette in ("042", "052"):
        date = entete.get(etiquette, "")
        verifier(date == "" or date_reelle(date), "TRF: date %r" % date)
    return entete, joueurs


def fabriquer(source, cible):
    """A golden tournament with what the exports must neutralise: names a spreadsheet would run
    as formulas, accented names longer than the TRF's name field, impossible dates."""
    with open(source, "rb") as f:
        t = modele.Tournoi.lire(f.read())
    t.date = b"31/02/10"
    noms = ['=HYPERLINK("//e.vil","x")', "-2+3", "ÉLÉONORE DE LA TOUR D'ÂUVERGNE", "@SUM(1)"]
    dates = [b"31/02/10", b"99/99/99", b"29/02/00", b"29/02/01"]
    for ident, nom, date in zip(range(1, 5), noms, dates):
        t.joueur(ident).nom, t.joueur(ident).ne_le = nom.encode("cp1252")[:29], date
    t.joueur(3).prenom = "Amélie-Françoise".encode("cp1252")
    with open(cible, "wb") as f:
        f.write(t.image())


def verifier_fabrique(cas):
    entete, joueurs = cas.trf
    # The tournament's date and three birth dates are no day of the calendar (2001 is not a
    # leap year; 2000 is).
    verifier(entete["042"] == "" and [joueurs[i]["naissance"] for i in range(1, 5)] ==
             ["", "", "2000/02/29", ""], "TRF: dates impossibles %r" % (joueurs,))
    noms = {c[0]: c[3] for c in cas.tables["joueurs"][1]}
    verifier([noms[i] for i in "124"] == ['=HYPERLINK("//e.vil","x")', "-2+3", "@SUM(1)"],
             "CSV: noms %r" % noms)


def verifier_interdits(cli, source, temp):
    """A golden tournament in a .tavo with forbidden pairs: its TRF carries them as XXP lines."""
    tavo = os.path.join(temp, "interdits.tavo")
    lancer(cli, "convertir", source, tavo)
    for a, b in (("5", "2"), ("1", "3")):
        lancer(cli, "appariement-interdit", tavo, a, b)
    sortie = os.path.join(temp, "interdits.trf")
    lancer(cli, "exporter-trf", tavo, sortie)
    with open(sortie, "rb") as f:
        entete, _ = lire_trf(f.read(), "utf-8")
    verifier(entete.get("XXP") == [(1, 3), (2, 5)], "TRF: XXP %r" % entete.get("XXP"))


# The federation details given to some players of the fabricated tournament once it is a .tavo,
# with their TRF16 title: "g" for GM, "wf" for WFM...
DETAILS = {3: ("Échiquier d'Ys", "FRA", "12345678901", "GM", "g"),
           5: ("", "gbr", "", "wfm", "wf"), 6: ("Cercle Ryū", "", "7", "", "")}


def fabriquer_tavo(cli, pxi, tavo):
    """The fabricated tournament as a .tavo whose players carry federation details."""
    lancer(cli, "convertir", pxi, tavo)
    for id_, (club, fed, fide, titre, _) in DETAILS.items():
        lancer(cli, "joueur-modifier", tavo, str(id_), "--club", club, "--federation", fed,
               "--fide-id", fide, "--titre", titre)


def verifier_details(cas):
    """The TRF's title, federation and FIDE ID columns, and the last columns of the player list
    and the standings."""
    _, joueurs = cas.trf
    inscrits = {int(c[0]): c for c in cas.tables["joueurs"][1]}
    classes = {int(c[1]): c for c in cas.tables["classement"][1]}
    for genre in ("joueurs", "classement"):
        verifier(cas.tables[genre][0][-4:] == ["Club", "Féd.", "FIDE", "Titre"],
                 "%s: colonnes %r" % (genre, cas.tables[genre][0]))
    for id_, j in joueurs.items():
        club, fed, fide, titre, code = DETAILS.get(id_, ("", "", "", "", ""))
        verifier((j["titre"], j["federation"], j["fide"]) == (code, fed.upper(), fide),
                 "TRF: détails du joueur %d %r" % (id_, j))
        attendu = [club, fed.upper(), fide, titre.upper()]
        verifier(inscrits[id_][7:] == attendu and classes[id_][-4:] == attendu,
                 "joueurs et classement: détails %r %r" % (inscrits[id_], classes[id_]))


def verifier_cas(cli, fichier, temp):
    cas = Cas(cli, fichier)
    cas.verifier_classement()
    cas.verifier_historique()
    cas.verifier_joueurs()
    cas.verifier_appariements()
    cas.verifier_grille()
    cas.verifier_trf(temp)
    return cas


def main():
    cli = sys.argv[1]
    dossier_cas = sys.argv[2] if len(sys.argv) > 2 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "cas")
    echecs = []
    with tempfile.TemporaryDirectory() as temp:
        for nom in sorted(os.listdir(dossier_cas)):
            rondes = sorted((f for f in os.listdir(os.path.join(dossier_cas, nom))
                             if re.fullmatch(r"r\d+\.pxi", f)), key=lambda f: int(f[1:-4]))
            try:
                verifier_cas(cli, os.path.join(dossier_cas, nom, rondes[-1]), temp)
            except (Echec, KeyError, ValueError, IndexError) as e:
                echecs.append("%s: %s" % (nom, e))
        fichier = os.path.join(temp, "fabrique.pxi")
        fabriquer(os.path.join(dossier_cas, "main_six", "r3.pxi"), fichier)
        try:
            verifier_fabrique(verifier_cas(cli, fichier, temp))
            tavo = os.path.join(temp, "fabrique.tavo")
            fabriquer_tavo(cli, fichier, tavo)
            verifier_details(verifier_cas(cli, tavo, temp))
        except (Echec, KeyError, ValueError, IndexError) as e:
            echecs.append("fabriqué: %s" % e)
        try:
            verifier_interdits(cli, os.path.join(dossier_cas, "main_six", "r3.pxi"), temp)
        except (Echec, KeyError, ValueError, IndexError) as e:
            echecs.append("interdits: %s" % e)
    for e in echecs:
        print(e)
    print("%d cas et un fabriqué, %d en échec" % (len(os.listdir(dossier_cas)), len(echecs)))
    return 1 if echecs else 0


if __name__ == "__main__":
    sys.exit(main())
