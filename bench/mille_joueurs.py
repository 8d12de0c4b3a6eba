#!/usr/bin/env python3
"""A tournament of 1,000 players run end to end with tavo-cli on a .tavo file.

    bench/mille_joueurs.py [TAVO_CLI] [--joueurs N] [--rondes R] [--sans-limites]

As a director would: a UTF-8 list of players in many scripts is imported, the
players are numbered by rating, and every round is paired with `ronde`, its
results typed table by table with `resultat` and committed with `valider`;
a few players withdraw on the way. Each round's pairing sheet is checked by a
checker of its own (every active player once, no rematch, the bye at most
once a round and once a player, strong colours kept), and at the end every
report in every form and the TRF file must show every name as typed.

Prints a line per round (time and memory of `ronde`, time of the result
entry) and a summary. Exits 1 when a check fails, or, unless --sans-limites
is given, when a `ronde` takes 1 s or more or holds 100 MB or more.
"""

import argparse
import collections
import csv
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unicodedata

GRAINE = 1000
LIMITE_SECONDES = 1.0
LIMITE_MO = 100.0
# Withdrawals: one player marked inactive after each of these rounds, so that
# the rounds after them have an odd field and a bye.
RETRAITS_APRES = (2, 4, 6)

# (surname, first name) as the acceptance test names them, typed exactly so.
NOMS_EXIGES = [("ŻÓŁĆ", "Łukasz"), ("ÖZTÜRK", "Çağrı"), ("NGUYỄN", "Minh Khai"),
               ("KIERKEGAARD", "Søren")]
# Longer than the columns of some text reports, and one typed decomposed (as
# a Mac keyboard may give it: E and a combining diaeresis).
NOMS_SUIVIS = NOMS_EXIGES + [("HERNÁNDEZ-ÁLVAREZ DE LA CRUZ", "Maria Guadalupe"),
                             ("BRONTE\u0308", "Anne")]

# Surnames and first names by language and script.
NOMS = [
    (["MARTIN", "LEFÈVRE", "GARÇON", "D'ARTAGNAN", "BOURGEOIS", "FAURÉ"],
     ["Chloé", "Gaëlle", "Jérôme", "François", "Noël", "Anaïs"]),
    (["WIŚNIEWSKI", "WÓJCIK", "KOWALCZYK", "ŁUCZAK", "ŻUREK", "GRZEGÓRZEWSKA"],
     ["Małgorzata", "Wojciech", "Zbigniew", "Jędrzej", "Agnieszka", "Bartłomiej"]),
    (["YILMAZ", "ŞAHİN", "ÇELİK", "DOĞAN", "GÜNEŞ", "ÖZDEMİR"],
     ["Ayşe", "Gökhan", "İlkay", "Şükrü", "Özge", "Çağla"]),
    (["TRẦN", "LÊ", "PHẠM", "HOÀNG", "ĐẶNG", "BÙI", "ĐỖ"],
     ["Thị Hương", "Văn Đức", "Quốc Bảo", "Ngọc Ánh", "Thu Hà"]),
    (["ØSTERGÅRD", "ÅBERG", "JÓNSDÓTTIR", "ÞÓRSSON", "LINDQVIST", "MÆHLE"],
     ["Åsa", "Bjørn", "Þórunn", "Ægir", "Sigríður", "Magnus"]),
    (["MÜLLER", "SCHRÖDER", "GROẞ", "WEIẞ", "KÖNIG"], ["Jürgen", "Käthe", "Uwe", "Sören"]),
    (["MUÑOZ", "GONÇALVES", "ASUNÇÃO", "PEÑA", "O'BRIEN"],
     ["José María", "João", "Íñigo", "Siobhán", "Inês"]),
    (["DVOŘÁK", "NOVÁKOVÁ", "ŘEHÁK", "KOVÁCS", "SZŐKE", "ȘTEFĂNESCU"],
     ["Jiří", "Zdeňka", "Ödön", "Ștefan", "Ľubica"]),
    (["ИВАНОВ", "ПЕТРОВА", "СМИРНОВ", "ШЕВЧЕНКО", "ЈОВАНОВИЋ", "ЖУКОВ"],
     ["Алексей", "Ольга", "Дмитрий", "Ігор", "Љубомир"]),
    (["ΠΑΠΑΔΟΠΟΥΛΟΣ", "ΓΕΩΡΓΙΟΥ", "ΝΙΚΟΛΑΪΔΗΣ"], ["Δημήτρης", "Ελένη", "Γιώργος"]),
    (["ՊԵՏՐՈՍՅԱՆ", "ԱՐՈՆՅԱՆ", "ՄԿՐՏՉՅԱՆ"], ["Լևոն", "Արմինե", "Տիգրան"]),
    (["ჯობავა", "ჩიბურდანიძე", "გაფრინდაშვილი"], ["ნონა", "მაია", "ბადურ"]),
    (["العلي", "حداد", "منصور"], ["محمد", "فاطمة", "يوسف"]),
    (["כהן", "לוי", "מזרחי"], ["דוד", "שרה", "נועה"]),
    (["शर्मा", "आनंद", "गुप्ता"], ["विश्वनाथन", "प्रिया", "अर्जुन"]),
    (["கிருஷ்ணன்", "ராமசாமி"], ["அருண்", "மீனா"]),
    (["ศรีสุข", "วงศ์สวัสดิ์", "ทองดี"], ["สมชาย", "มาลี"]),
    (["王", "李", "张", "欧阳"], ["逸凡", "丽娜", "超"]),
    (["佐藤", "鈴木", "高橋", "羽生"], ["善治", "さくら", "美咲"]),
    (["김", "이", "박", "최"], ["민준", "서연", "지훈"]),
    (["ተስፋዬ", "ገብረ"], ["አበበ", "ሰላም"]),
]
EQUIPES = ["", "", "ABC", "PAR", "WAW", "IST", "HAN", "CPH", "KYV", "TLV", "TYO", "Z9"]

# The columns of the fixed-pitch text reports where names are printed: the
# surname and first name each in its column, or "SURNAME First name" in one;
# `coupe` when the column cuts what does not fit.
COLONNES_TEXTE = {
    "classement": ("separes", 20, 15, False),
    "historique": ("separes", 30, 15, False),
    "joueurs": ("separes", 20, 15, True),
    "appariements": ("ensemble", 25, None, True),
    "grille": ("ensemble", 30, None, True),
}
# The columns of the tables (HTML and CSV) that give a player's number and his
# name: (number, surname, first name), or (number, "SURNAME First name").
COLONNES_TABLEAU = {
    "classement": [(1, 3, 4)],
    "historique": [(0, 1, 2)],
    "joueurs": [(0, 3, 4)],
    "appariements": [(1, 3), (4, 6)],
    "grille": [(1, 2)],
}
BYE = "*QUALIFIE D'OFFICE*"


class Echec(Exception):
    pass


def verifier(condition, message):
    if not condition:
        raise Echec(message)


# Columns of a fixed-pitch report: none for a combining mark, two for a wide
# East Asian character.
def largeur(texte):
    n = 0
    for c in texte:
        if unicodedata.combining(c):
            continue
        n += 2 if unicodedata.east_asian_width(c) in "WF" else 1
    return n


def cadrer(texte, colonnes, coupe):
    if coupe:
        debut = ""
        for c in texte:
            if largeur(debut + c) > colonnes:
                break
            debut += c
        texte = debut
    return texte + " " * max(0, colonnes - largeur(texte))


class Cli:
    """Runs tavo-cli in the scratch folder; `mesurer` gives wall time and peak RSS."""

    def __init__(self, programme, dossier):
        self.programme = programme
        self.dossier = dossier

    def __call__(self, *args):
        p = subprocess.run([self.programme, *args], cwd=self.dossier, capture_output=True)
        if p.returncode != 0:
            raise Echec("tavo-cli %s : code %d\n%s" % (" ".join(args), p.returncode,
                                                        p.stderr.decode("utf-8", "replace")))
        return p.stdout.decode("utf-8"), p.stderr.decode("utf-8")

    def mesurer(self, *args):
        sortie = os.path.join(self.dossier, "sortie.txt")
        erreurs = os.path.join(self.dossier, "erreurs.txt")
        with open(sortie, "wb") as out, open(erreurs, "wb") as err:
            debut = time.perf_counter()
            p = subprocess.Popen([self.programme, *args], cwd=self.dossier, stdout=out, stderr=err)
            _, statut, usage = os.wait4(p.pid, 0)
            duree = time.perf_counter() - debut
        p.returncode = os.waitstatus_to_exitcode(statut)
        with open(sortie, "rb") as f:
            texte = f.read().decode("utf-8")
        with open(erreurs, "rb") as f:
            texte_erreurs = f.read().decode("utf-8")
        if p.returncode != 0:
            raise Echec("tavo-cli %s : code %d\n%s" % (" ".join(args), p.returncode, texte_erreurs))
        return texte, texte_erreurs, duree, usage.ru_maxrss / 1024.0


def date_au_hasard(h):
    j, m, a = h.randint(1, 28), h.randint(1, 12), h.randint(1940, 2018)
    forme = h.randrange(3)
    if forme == 0:
        return "%02d/%02d/%04d" % (j, m, a), (j, m, a)
    if forme == 1:
        return "%04d-%02d-%02d" % (a, m, j), (j, m, a)
    return "%d/%d/%02d" % (j, m, a % 100), (j, m, a)


def generer_joueurs(n, h):
    """n players, the tracked names among them, each (surname, first name) once
    but for a few namesakes told apart by their birth dates."""
    joueurs = []
    cles = set()
    suivis = {}
    places = {1 + k * (n - 1) // (len(NOMS_SUIVIS) - 1): k for k in range(len(NOMS_SUIVIS))}
    while len(joueurs) < n:
        if len(joueurs) + 1 in places:
            nom, prenom = NOMS_SUIVIS[places[len(joueurs) + 1]]
        else:
            noms, prenoms = h.choice(NOMS)
            nom, prenom = h.choice(noms), h.choice(prenoms)
        texte_date, date = date_au_hasard(h) if h.random() < 0.85 else ("", None)
        cle = (nom, prenom, date)
        if cle in cles or ((nom, prenom) in suivis):
            continue
        cles.add(cle)
        if (nom, prenom) in NOMS_SUIVIS:
            suivis[(nom, prenom)] = len(joueurs)
        elo = 0 if h.random() < 0.1 else max(1000, min(2750, int(h.gauss(1750, 350))))
        joueurs.append({"nom": nom, "prenom": prenom, "ne_le": texte_date, "elo": elo,
                        "equipe": h.choice(EQUIPES), "fille": h.random() < 0.3})
    return joueurs


def ecrire_liste(chemin, joueurs):
    with open(chemin, "w", encoding="utf-8", newline="") as f:
        ecrivain = csv.writer(f, delimiter=";", lineterminator="\r\n")
        ecrivain.writerow(["Nom", "Prénom", "Né le", "Elo", "Équipe", "Fille"])
        for j in joueurs:
            ecrivain.writerow([j["nom"], j["prenom"], j["ne_le"], j["elo"] or "", j["equipe"],
                               "oui" if j["fille"] else "non"])


def lire_csv(texte):
    verifier(texte.startswith("\ufeff"), "un CSV sans marque d'ordre des octets")
    return list(csv.reader(texte[1:].splitlines(), delimiter=";"))


def lire_html(texte):
    """The rows of a report's HTML table, each a list of its cells' raw text."""
    lignes = []
    for tr in re.findall(r"<tr>(.*?)</tr>", texte):
        lignes.append(re.findall(r"<t[hd][^>]*>(.*?)</t[hd]>", tr))
    return lignes


class Suivi:
    """What the checker knows of the tournament: each player's opponents,
    colours and points round by round, from the sheets it read and the
    results it typed."""

    def __init__(self, noms):
        self.noms = noms  # number -> (surname, first name)
        self.actifs = set(noms)
        self.adversaires = {n: [] for n in noms}  # a number, "Q" (bye) or "F" (not played)
        self.couleurs = {n: [] for n in noms}  # "B", "N" or None
        self.demis = {n: 0 for n in noms}
        self.rencontres = set()

    def nom_affiche(self, n):
        nom, prenom = self.noms[n]
        return nom + " " + prenom

    def couleur_forte(self, n):
        """The colour a player must have in the next round, or None. The
        program counts the new round as a white game: strongly due black when
        his whites then outnumber his blacks by two, white the other way."""
        blancs = self.couleurs[n].count("B") + 1
        noirs = self.couleurs[n].count("N")
        if blancs - noirs >= 2:
            return "N"
        if noirs - blancs >= 2:
            return "B"
        return None

    def verifier_feuille(self, r, lignes):
        """Checks the pairing sheet of round r (from 1), its CSV rows, and
        records it. Returns the tables as (table, white, black), "Q" for the bye."""
        verifier(lignes[0] == ["Tab", "N°", "Equ", "Blancs", "N°", "Equ", "Noirs"],
                 "ronde %d : en-tête de la feuille %r" % (r, lignes[0]))
        tables = []
        places = collections.Counter()
        for k, ligne in enumerate(lignes[1:], 1):
            verifier(ligne[0] == str(k), "ronde %d : table %r à la place %d" % (r, ligne[0], k))
            cotes = []
            for numero, nom in ((ligne[1], ligne[3]), (ligne[4], ligne[6])):
                if numero == "":
                    verifier(nom == BYE, "ronde %d, table %d : ni joueur ni exempt" % (r, k))
                    cotes.append("Q")
                    continue
                n = int(numero)
                verifier(n in self.noms, "ronde %d : joueur n°%d inconnu" % (r, n))
                verifier(nom == self.nom_affiche(n),
                         "ronde %d : le n°%d s'appelle %r sur la feuille" % (r, n, nom))
                places[n] += 1
                cotes.append(n)
            tables.append((k, cotes[0], cotes[1]))
        self.verifier_tables(r, tables, places)
        self.noter(tables)
        return tables

    def verifier_tables(self, r, tables, places):
        double = [n for n, c in places.items() if c > 1]
        verifier(not double, "ronde %d : joueurs placés deux fois : %s" % (r, double))
        verifier(set(places) == self.actifs,
                 "ronde %d : absents %s, inactifs placés %s" %
                 (r, sorted(self.actifs - set(places)), sorted(set(places) - self.actifs)))
        byes = [(b, n) for _, b, n in tables if "Q" in (b, n)]
        verifier(len(byes) == len(self.actifs) % 2,
                 "ronde %d : %d exempts pour %d joueurs actifs" % (r, len(byes), len(self.actifs)))
        for _, blanc, noir in tables:
            if "Q" in (blanc, noir):
                n = noir if blanc == "Q" else blanc
                verifier("Q" not in self.adversaires[n],
                         "ronde %d : n°%d exempt deux fois" % (r, n))
                continue
            paire = frozenset((blanc, noir))
            verifier(paire not in self.rencontres,
                     "ronde %d : n°%d et n°%d se sont déjà rencontrés" % (r, blanc, noir))
            if r > 1:
                for n, couleur in ((blanc, "B"), (noir, "N")):
                    due = self.couleur_forte(n)
                    verifier(due in (None, couleur),
                             "ronde %d : n°%d (couleurs %s) doit avoir %s" %
                             (r, n, "".join(c or "-" for c in self.couleurs[n]), due))

    def noter(self, tables):
        joues = set()
        for _, blanc, noir in tables:
            for n, autre, couleur in ((blanc, noir, "B"), (noir, blanc, "N")):
                if n == "Q":
                    continue
                self.adversaires[n].append(autre)
                self.couleurs[n].append(couleur)
                joues.add(n)
            if "Q" not in (blanc, noir):
                self.rencontres.add(frozenset((blanc, noir)))
        for n in self.noms:
            if n not in joues:
                self.adversaires[n].append("F")
                self.couleurs[n].append(None)

    def statistiques_couleurs(self):
        ecart = max(abs(c.count("B") - c.count("N")) for c in self.couleurs.values())
        trois = sum(1 for c in self.couleurs.values()
                    if any(c[i] and c[i] == c[i + 1] == c[i + 2] for i in range(len(c) - 2)))
        return ecart, trois


def points_texte(demis):
    return str(demis // 2) + (",5" if demis % 2 else "")


def jouer_resultats(cli, suivi, tables, h):
    """Types every table's result; the bye's own 2-0 typed again, as the
    program accepts it. Returns the number of commands and the longest."""
    plus_long = 0.0
    for k, blanc, noir in tables:
        if "Q" in (blanc, noir):
            resultat = "2-0" if noir == "Q" else "0-2"
            gagnant = blanc if noir == "Q" else noir
            suivi.demis[gagnant] += 2
        else:
            tirage = h.random()
            resultat = "1-1" if tirage < 0.25 else "2-0" if tirage < 0.65 else "0-2"
            suivi.demis[blanc] += int(resultat[0])
            suivi.demis[noir] += int(resultat[2])
        debut = time.perf_counter()
        cli("resultat", "T.tavo", str(k), resultat)
        plus_long = max(plus_long, time.perf_counter() - debut)
    return len(tables), plus_long


def verifier_noms_tableau(sorte, forme, lignes, suivi):
    """Every name of a report's table (HTML or CSV) is the player's as typed."""
    vus = 0
    for ligne in lignes[1:]:
        for colonnes in COLONNES_TABLEAU[sorte]:
            if ligne[colonnes[0]] == "":
                verifier(ligne[colonnes[-1]] == BYE, "%s %s : %r" % (sorte, forme, ligne))
                continue
            n = int(ligne[colonnes[0]])
            attendu = list(suivi.noms[n]) if len(colonnes) == 3 else [suivi.nom_affiche(n)]
            lu = [ligne[c] for c in colonnes[1:]]
            verifier(lu == attendu, "%s %s : n°%d écrit %r au lieu de %r" %
                     (sorte, forme, n, lu, attendu))
            vus += 1
    return vus


def texte_attendu(sorte, nom, prenom):
    disposition, l1, l2, coupe = COLONNES_TEXTE[sorte]
    if disposition == "separes":
        return cadrer(nom, l1, coupe) + " " + cadrer(prenom, l2, coupe)
    return cadrer(nom + " " + prenom, l1, coupe)


def verifier_publications(cli, dossier, suivi, elos):
    """Every report in every form and the TRF file, after the last round."""
    for sorte in COLONNES_TEXTE:
        for forme in ("texte", "html", "csv"):
            fichier = "%s.%s" % (sorte, {"texte": "txt"}.get(forme, forme))
            cli("rapport", sorte, "T.tavo", "--format", forme, "--sortie", fichier)
            with open(os.path.join(dossier, fichier), "rb") as f:
                texte = f.read().decode("utf-8")
            if forme == "texte":
                lignes = texte.split("\n")
                for nom, prenom in NOMS_SUIVIS:
                    attendu = texte_attendu(sorte, nom, prenom)
                    verifier(any(attendu in l for l in lignes),
                             "%s texte : %r n'y est pas" % (sorte, attendu))
                continue
            tableau = lire_csv(texte) if forme == "csv" else lire_html(texte)
            vus = verifier_noms_tableau(sorte, forme, tableau, suivi)
            attendus = len(suivi.actifs) if sorte == "appariements" else len(suivi.noms)
            verifier(vus == attendus, "%s %s : %d joueurs au lieu de %d" %
                     (sorte, forme, vus, attendus))
            if sorte == "grille" and forme == "csv":
                verifier_grille(tableau, suivi, elos)
            if sorte == "classement" and forme == "csv":
                for ligne in tableau[1:]:
                    n = int(ligne[1])
                    verifier(ligne[5] == points_texte(suivi.demis[n]),
                             "classement : n°%d a %s points au lieu de %s" %
                             (n, ligne[5], points_texte(suivi.demis[n])))
    verifier_trf(cli, dossier, suivi)


def verifier_grille(tableau, suivi, elos):
    """The crosstable's ratings, opponents and colours against what was imported and paired."""
    for ligne in tableau[1:]:
        n = int(ligne[1])
        if elos[n] is not None:
            verifier(ligne[3] == (str(elos[n]) if elos[n] else ""), "grille : Elo du n°%d" % n)
        for r, adversaire in enumerate(suivi.adversaires[n]):
            case = ligne[5 + r]
            if adversaire in ("Q", "F"):
                verifier(case == adversaire, "grille : n°%d, ronde %d : %r" % (n, r + 1, case))
            else:
                attendu = "%d%s" % (adversaire, suivi.couleurs[n][r])
                verifier(case[:-1] == attendu, "grille : n°%d, ronde %d : %r au lieu de %s" %
                         (n, r + 1, case, attendu))


def verifier_trf(cli, dossier, suivi):
    """The TRF's 001 lines: the name "SURNAME,First name" in its 33 characters."""
    cli("exporter-trf", "T.tavo", "T.trf", "--encodage", "utf8")
    with open(os.path.join(dossier, "T.trf"), "rb") as f:
        lignes = f.read().decode("utf-8").split("\r\n")
    vus = 0
    for l in lignes:
        if not l.startswith("001 "):
            continue
        n = int(l[4:8])
        nom, prenom = suivi.noms[n]
        attendu = (nom + "," + prenom)[:33].ljust(33)
        verifier(l[14:47] == attendu, "TRF : n°%d écrit %r" % (n, l[14:47]))
        vus += 1
    verifier(vus == len(suivi.noms), "TRF : %d joueurs" % vus)


def preparer(cli, dossier, n, rondes, h):
    joueurs = generer_joueurs(n, h)
    ecrire_liste(os.path.join(dossier, "joueurs.csv"), joueurs)
    cli("nouveau", "T.tavo", "--nom", "Open international de Noël", "--date", "12/07/26",
        "--jeu", "Echecs", "--rondes", str(rondes), "--departages", "BU,SB,CU")
    debut = time.perf_counter()
    sortie, _ = cli("joueurs-importer", "T.tavo", "joueurs.csv")
    duree_import = time.perf_counter() - debut
    verifier(sortie.strip() == "%d joueurs importés" % n, "import : %r" % sortie)
    cli("joueurs-trier", "T.tavo", "--elo")
    # The numbers after the sort, from the player list; every name as typed.
    lignes = lire_csv(cli("rapport", "joueurs", "T.tavo", "--format", "csv")[0])
    noms = {int(l[0]): (l[3], l[4]) for l in lignes[1:]}
    verifier(collections.Counter(noms.values()) ==
             collections.Counter((j["nom"], j["prenom"]) for j in joueurs),
             "la liste des joueurs ne rend pas les noms importés")
    par_nom = {}
    for j in joueurs:
        par_nom.setdefault((j["nom"], j["prenom"]), []).append(j["elo"])
    elos = {}
    for numero, nom in noms.items():
        elos[numero] = par_nom[nom].pop() if len(par_nom[nom]) == 1 else None
    # Numbered by decreasing Elo (namesakes aside).
    ordre = [elos[k] for k in sorted(noms) if elos[k] is not None]
    verifier(ordre == sorted(ordre, reverse=True), "joueurs-trier --elo : ordre des Elo")
    return noms, elos, duree_import


def jouer(cli, n, rondes, limites):
    h = random.Random(GRAINE)
    noms, elos, duree_import = preparer(cli, cli.dossier, n, rondes, h)
    print("%d players imported in %.0f ms" % (n, duree_import * 1e3))
    suivi = Suivi(noms)
    suivis = {k for k, v in noms.items() if v in NOMS_SUIVIS}
    fautes = []
    mesures = []
    for r in range(1, rondes + 1):
        if r - 1 in RETRAITS_APRES:
            retrait = h.choice(sorted(suivi.actifs - suivis))
            cli("joueur-modifier", "T.tavo", str(retrait), "--inactif")
            suivi.actifs.discard(retrait)
        feuille, erreurs, duree, mo = cli.mesurer("ronde", "T.tavo")
        au_plus_pres = "au plus près des règles" in erreurs
        verifier(feuille == cli("rapport", "appariements", "T.tavo")[0],
                 "ronde %d : la feuille imprimée n'est pas celle du rapport" % r)
        lignes = lire_csv(cli("rapport", "appariements", "T.tavo", "--format", "csv")[0])
        tables = suivi.verifier_feuille(r, lignes)
        debut = time.perf_counter()
        commandes, plus_long = jouer_resultats(cli, suivi, tables, h)
        saisie = time.perf_counter() - debut
        cli("valider", "T.tavo")
        mesures.append((duree, mo))
        print("round %d: ronde %4.0f ms %5.1f MB%s; %d results in %5.1f s (%.0f ms each, "
              "longest %.0f ms)" % (r, duree * 1e3, mo, " (fallback)" if au_plus_pres else "",
                                    commandes, saisie, saisie / commandes * 1e3, plus_long * 1e3))
        if limites and (duree >= LIMITE_SECONDES or mo >= LIMITE_MO):
            fautes.append("round %d: ronde took %.0f ms and %.1f MB" % (r, duree * 1e3, mo))
    verifier_publications(cli, cli.dossier, suivi, elos)
    ecart, trois = suivi.statistiques_couleurs()
    print("ronde: %.0f to %.0f ms, at most %.1f MB; pairings, results, every report "
          "(text, HTML, CSV) and the TRF file checked" %
          (min(d for d, _ in mesures) * 1e3, max(d for d, _ in mesures) * 1e3,
           max(m for _, m in mesures)))
    print("colours: largest difference of whites and blacks %d; %d players had one colour "
          "three times running" % (ecart, trois))
    return fautes


def main():
    ici = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("cli", nargs="?",
                        default=os.path.join(ici, "..", "build", "src", "cli", "tavo-cli"))
    parser.add_argument("--joueurs", type=int, default=1000)
    parser.add_argument("--rondes", type=int, default=9)
    parser.add_argument("--sans-limites", action="store_true",
                        help="no limit of time or memory (the checks only)")
    args = parser.parse_args()
    if args.joueurs < 2 * len(NOMS_SUIVIS) or args.rondes < 1:
        parser.error("at least %d players and one round" % (2 * len(NOMS_SUIVIS)))
    dossier = tempfile.mkdtemp(prefix="tavo-mille-")
    try:
        fautes = jouer(Cli(os.path.abspath(args.cli), dossier), args.joueurs, args.rondes,
                       not args.sans_limites)
    except Echec as e:
        fautes = [str(e)]
    finally:
        shutil.rmtree(dossier)
    for f in fautes:
        print("FAULT: " + f, file=sys.stderr)
    return 1 if fautes else 0


if __name__ == "__main__":
    sys.exit(main())
