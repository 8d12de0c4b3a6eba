#!/usr/bin/env python3
"""Checks the published forms of the reports against the text reports of the golden tournaments.

For the last round file of each golden case, asks tavo-cli for every report as text, HTML and
CSV, and checks that:
- the HTML page parses with a strict HTML5 parser, is standalone, and its table equals the CSV's;
- the CSV has a byte-order mark, CR LF line ends, ';' fields and plain numbers;
- each table holds the values of the text report's columns (points as the game counts them);
- the crosstable agrees with the standings and the game history;
- the TRF file, read back column by column, agrees with the standings and with itself (points
  equal to the sum of the round results, each game seen the same way from both sides).

Usage: exports.py TAVO_CLI [CASES_FOLDER]
Exit status 0 when everything agrees, 1 otherwise, 77 when no strict HTML parser is installed.
"""

import csv
import io
import os
import re
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True

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


def points(valeur, demi, forme):
    """Points of the records (win 2) as the game counts them: '3½' (html) or '3,5' (csv)."""
    if not demi:
        return str(valeur)
    entier, moitie = divmod(valeur, 2)
    if not moitie:
        return str(entier)
    if forme == "csv":
        return "%d,5" % entier
    return ("%d" % entier if entier else "") + "½"


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
    return entete, lignes, titres


def lire_csv(octets):
    # Numbers are compared as the CSV writes them ("12", "3,5") with the text reports' values.
    verifier(octets.startswith(b"\xef\xbb\xbf"), "CSV sans BOM")
    verifier(octets.endswith(b"\r\n") and b"\n" not in octets.replace(b"\r\n", b""),
             "CSV: fins de ligne autres que CR LF")
    lignes = list(csv.reader(io.StringIO(octets.decode("utf-8-sig"), newline=""), delimiter=";"))
    return lignes[0], lignes[1:]


def comparer_html_csv(genre, html, csv_):
    verifier(html[0] == csv_[0], "%s: en-têtes HTML %r et CSV %r" % (genre, html[0], csv_[0]))
    normal = [[re.sub(r"^(\d*)½$", lambda m: (m.group(1) or "0") + ",5", c) for c in ligne]
              for ligne in html[1]]
    verifier(normal == csv_[1], "%s: lignes HTML et CSV différentes" % genre)


class Cas:
    def __init__(self, cli, fichier):
        self.cli = cli
        self.fichier = fichier
        self.texte = {}
        self.tables = {}
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
        m = re.match(r"Tournoi (.*) du (.*), jeu : (.*)$", self.texte["joueurs"][0])
        self.nom, self.date, self.jeu = m.groups()
        self.demi = self.jeu.lower() != "dames"
        self.othello = self.jeu.lower() == "othello"

    def classement(self):
        """{position: (rank, id, team, names, points, tie-breaks)} from the text report."""
        lignes = self.texte["classement"]
        debut = next(i for i, l in enumerate(lignes) if l.startswith("Cl  - N"))
        nb_dep = len(lignes[debut].split()) - 7
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
            attendu = [str(t[0]), str(t[1]), t[2]] + [points(t[4], self.demi, "csv")]
            verifier([c[0], c[1], c[2], c[5]] == attendu and (c[3] + " " + c[4]).split() == t[3]
                     and c[6:] == [str(x) for x in t[5]], "classement: %r contre %r" % (c, t))

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
            attendu = [a + col + (str(r) if self.othello else points(r, self.demi, "html"))
                       for a, col, r in rondes]
            verifier(c[4:] == attendu, "historique: %r contre %r" % (c[4:], attendu))

    def verifier_joueurs(self):
        lignes = self.texte["joueurs"][7:]
        table = self.tables["joueurs"][1]
        verifier(len(lignes) == len(table), "joueurs: nombre de lignes")
        for l, c in zip(lignes, table):
            attendu = [l[0:3].strip(), l[4:7].strip(), l[8], l[10:30].strip(), l[31:46].strip(),
                       l[47], l[49:]]
            verifier([c[0], c[1], c[2], c[3][:20], c[4][:15], c[5], c[6]] == attendu,
                     "joueurs: %r contre %r" % (c, attendu))

    def verifier_appariements(self):
        if "appariements" not in self.texte:
            return
        lignes = [l for l in self.texte["appariements"][4:] if l.strip()]
        table = self.tables["appariements"][1]
        verifier(len(lignes) == len(table), "appariements: nombre de tables")
        for l, c in zip(lignes, table):
            m = re.fullmatch(r"(\d{3}) \(\s*(\d+)/(.{3})\) (.{25})  _ \| _ \(\s*(\d+)/(.{3})\) (.{25})",
                             l)
            verifier(m, "appariements: ligne illisible %r" % l)
            attendu = [str(int(m[1])), m[2], m[3].strip(), m[4].strip(), m[5], m[6].strip(),
                       m[7].strip()]
            verifier([c[0], c[1], c[2], c[3][:25], c[4], c[5], c[6][:25]] == attendu,
                     "appariements: %r contre %r" % (c, attendu))

    def verifier_grille(self):
        classement = self.classement()
        parties = self.historique()
        position = {t[1]: p for p, t in enumerate(classement, 1)}
        symbole = {2: "+", 1: "=", 0: "-"}
        texte = self.texte["grille"][5:]
        verifier(len(texte) == len(classement), "grille: nombre de lignes")
        for p, (c, t, l) in enumerate(zip(self.tables["grille"][1], classement, texte), 1):
            nb_dep = len(t[5])
            rondes = c[4:len(c) - nb_dep - 1]
            verifier(c[0] == str(p) and c[1].split() == t[3] and c[3] == t[2] and
                     c[len(c) - nb_dep - 1] == points(t[4], self.demi, "csv") and
                     c[len(c) - nb_dep:] == [str(x) for x in t[5]], "grille: %r contre %r" % (c, t))
            attendu = []
            for a, col, r in parties[t[1]][:len(rondes)]:
                if a in ("(F)", "(Q)"):
                    attendu.append(a[1])
                else:
                    attendu.append("%d%s%s" % (position[int(a)], col,
                                               r if self.othello else symbole[r]))
            verifier(rondes == attendu, "grille: rondes %r contre %r" % (rondes, attendu))
            # The text form: the same rounds, in 7-column cells after the team.
            verifier([l[44 + 7 * r:51 + 7 * r].strip() for r in range(len(rondes))] == rondes,
                     "grille texte: %r" % l)

    def verifier_trf(self, dossier):
        sortie = os.path.join(dossier, "tournoi.trf")
        lancer(self.cli, "exporter-trf", self.fichier, sortie)
        with open(sortie, "rb") as f:
            lignes = f.read().decode("cp1252").split("\r\n")[:-1]
        entete = {l[:3]: l[4:] for l in lignes if not l.startswith("001")}
        verifier(entete["012"] == self.nom, "TRF: nom %r" % entete.get("012"))
        if self.jeu.lower() != "echecs":
            verifier(self.jeu in entete["092"], "TRF: jeu absent de %r" % entete["092"])
        valeur = {"1": 1, "=": 0.5, "0": 0, "+": 1, "-": 0, "U": 1, "F": 1, "H": 0.5, "Z": 0}
        inverse = {"1": "0", "0": "1", "=": "="}
        joueurs = {}
        for l in (l for l in lignes if l.startswith("001")):
            verifier(l[3] == " " and l[8] == " " and l[9] in "mw" and l[13] == " ",
                     "TRF: colonnes %r" % l)
            rondes = []
            for debut in range(89, len(l), 10):
                bloc = l[debut:debut + 10]
                verifier(bloc[:2] == "  " and bloc[6] == " " and bloc[8] == " ",
                         "TRF: ronde illisible %r" % bloc)
                rondes.append((int(bloc[2:6]), bloc[7], bloc[9]))
            pts = float(l[80:84])
            verifier(sum(valeur[r] for _, _, r in rondes) == pts, "TRF: points %r" % l)
            joueurs[int(l[4:8])] = (l[14:47].rstrip(), pts, int(l[85:89]), rondes)
        verifier(int(entete["062"]) == len(joueurs), "TRF: nombre de joueurs")
        for id_, (_, _, _, rondes) in joueurs.items():
            for r, (adv, col, res) in enumerate(rondes):
                if adv == 0:
                    verifier(col == "-" and res in "UFHZ", "TRF: exempt %r" % ((adv, col, res),))
                    continue
                a, c, s = joueurs[adv][3][r]
                verifier(a == id_ and {col, c} == {"w", "b"} and s == inverse[res],
                         "TRF: partie %d ronde %d vue autrement par %d" % (id_, r + 1, adv))
        inscrits = {int(c[0]): (c[3] + "," + c[4])[:33] for c in self.tables["joueurs"][1]}
        for rang, id_, _, _, pts, _ in self.classement():
            nom, p, r, _ = joueurs[id_]
            verifier(p * 2 == pts and r == rang and nom == inscrits[id_].rstrip(),
                     "TRF: joueur %d %r contre le classement" % (id_, joueurs[id_][:3]))


def main():
    cli = sys.argv[1]
    dossier_cas = sys.argv[2] if len(sys.argv) > 2 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "cas")
    echecs = []
    with tempfile.TemporaryDirectory() as temp:
        for nom in sorted(os.listdir(dossier_cas)):
            rondes = sorted((f for f in os.listdir(os.path.join(dossier_cas, nom))
                             if re.fullmatch(r"r\d+\.pxi", f)), key=lambda f: int(f[1:-4]))
            fichier = os.path.join(dossier_cas, nom, rondes[-1])
            try:
                cas = Cas(cli, fichier)
                cas.verifier_classement()
                cas.verifier_historique()
                cas.verifier_joueurs()
                cas.verifier_appariements()
                cas.verifier_grille()
                cas.verifier_trf(temp)
            except (Echec, KeyError, ValueError, IndexError) as e:
                echecs.append("%s: %s" % (nom, e))
    for e in echecs:
        print(e)
    print("%d cas, %d en échec" % (len(os.listdir(dossier_cas)), len(echecs)))
    return 1 if echecs else 0


if __name__ == "__main__":
    sys.exit(main())
