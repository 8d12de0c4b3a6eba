#!/usr/bin/env python3
"""Plays every golden tournament with tavo-cli and compares its answers with the expected lines.

For each case folder and each round file rN.pxi: copy it to a temporary folder, pair the round
(`ronde`), enter the recorded results (`resultat`), commit them (`valider`), then ask for the
standings, the game history and the player list (`rapport`), and read back the per-player state
of the tournament file. A round whose expected answer is [echec] must be refused, leaving the
file's current round unchanged.

Usage: verifier.py TAVO_CLI [CASES_FOLDER]
Exit status 0 when everything agrees; 1 with the first differences printed otherwise.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source tree clean

import modele  # noqa: E402

MAX_DIFFERENCES = 20


def lire_attendu(chemin):
    """The sections of an expected-answer file, in order: [(title, lines)]."""
    sections = []
    with open(chemin, encoding="utf-8") as f:
        for ligne in f.read().split("\n")[:-1]:
            m = re.fullmatch(r"\[(\w+)\]", ligne)
            if m:
                sections.append((m.group(1), []))
            else:
                sections[-1][1].append(ligne)
    return sections


class Verification:
    def __init__(self, cli):
        self.cli = cli
        self.differences = []
        self.lignes_comparees = 0
        self.secours = 0  # expected refusals that the fallback paired
        self.rondes = 0

    def lancer(self, *arguments):
        p = subprocess.run([self.cli, *arguments], capture_output=True, timeout=120)
        return p.returncode, p.stdout.decode("utf-8", "replace"), p.stderr.decode(
            "utf-8", "replace")

    def comparer(self, ou, attendu, obtenu):
        self.lignes_comparees += max(len(attendu), len(obtenu))
        if attendu == obtenu:
            return
        for i in range(max(len(attendu), len(obtenu))):
            a = attendu[i] if i < len(attendu) else "<pas de ligne>"
            o = obtenu[i] if i < len(obtenu) else "<pas de ligne>"
            if a != o:
                self.differences.append("%s, ligne %d:\n  attendu: %r\n  obtenu:  %r" %
                                        (ou, i + 1, a, o))
                return

    def commande(self, ou, *arguments):
        """Runs a command that must succeed; returns its output lines or None."""
        rc, sortie, erreur = self.lancer(*arguments)
        if rc != 0:
            self.differences.append("%s: '%s' a échoué (code %d): %s" %
                                    (ou, " ".join(arguments[:1] + arguments[2:]), rc,
                                     erreur.strip()))
            return None
        return sortie.split("\n")[:-1] if sortie else []

    def ronde(self, cas, dossier_cas, numero, temp, joueurs):
        """Plays round `numero` of a case; `joueurs` holds the last expected player list (a
        round file repeats it only when it changed)."""
        fichier = os.path.join(temp, "tournoi.pxi")
        shutil.copyfile(os.path.join(dossier_cas, "r%d.pxi" % numero), fichier)
        ou = "%s, ronde %d" % (cas, numero)
        self.rondes += 1
        sections = lire_attendu(os.path.join(dossier_cas, "r%d.txt" % numero))

        etape = ", avant l'appariement"
        for titre, attendu in sections:
            if titre == "ronde":
                etape = ""
                obtenu = self.commande(ou, "ronde", fichier)
                if obtenu is None:
                    return
                self.comparer(ou + " (ronde)", attendu, obtenu)
                obtenu = self.commande(ou, "rapport", "appariements", fichier)
                if obtenu is not None:
                    self.comparer(ou + " (rapport appariements)", attendu, obtenu)
            elif titre == "echec":
                rc, _sortie, erreur = self.lancer("ronde", fichier)
                self.lignes_comparees += 1
                apres = modele.Tournoi.lire(open(fichier, "rb").read())
                if rc == 0 and "appariée au plus près des règles" in erreur:
                    # The search found nothing but a pairing exists: the
                    # program's fallback pairs the round, which the model
                    # (the search alone) cannot follow further.
                    self.secours += 1
                elif rc != 1 or "Appariements impossibles" not in erreur:
                    self.differences.append("%s: appariement impossible attendu, obtenu code "
                                            "%d et %r" % (ou, rc, erreur.strip()))
                elif rc == 1 and apres.ronde_courante != numero - 2:
                    self.differences.append("%s: la ronde courante a bougé après l'échec" % ou)
                return
            elif titre == "resultats":
                for saisie in attendu:
                    table, resultat = saisie.split()
                    if self.commande(ou, "resultat", fichier, table, resultat) is None:
                        return
            elif titre == "partiel":
                etape = ", résultats en partie saisis"
            elif titre == "etat":
                etape = ""
                if self.commande(ou, "valider", fichier) is None:
                    return
                donnees = open(fichier, "rb").read()
                etat = modele.Tournoi.lire(donnees).etat(len(donnees))
                self.comparer(ou + " (état du fichier)", attendu, etat)
            else:
                if titre == "joueurs":
                    joueurs[:] = attendu
                obtenu = self.commande(ou, "rapport", titre, fichier)
                if obtenu is not None:
                    self.comparer("%s (rapport %s%s)" % (ou, titre, etape), attendu, obtenu)
        if not any(titre == "joueurs" for titre, _ in sections):
            obtenu = self.commande(ou, "rapport", "joueurs", fichier)
            if obtenu is not None:
                self.comparer(ou + " (rapport joueurs)", joueurs, obtenu)


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    cli = os.path.abspath(sys.argv[1])
    ici = os.path.dirname(os.path.abspath(__file__))
    racine = sys.argv[2] if len(sys.argv) > 2 else os.path.join(ici, "cas")
    v = Verification(cli)
    cas_lus = sorted(os.listdir(racine))
    with tempfile.TemporaryDirectory() as temp:
        for cas in cas_lus:
            dossier_cas = os.path.join(racine, cas)
            numeros = sorted(int(m.group(1)) for m in
                             (re.fullmatch(r"r(\d+)\.pxi", n) for n in os.listdir(dossier_cas))
                             if m)
            joueurs = []
            for numero in numeros:
                v.ronde(cas, dossier_cas, numero, temp, joueurs)
    print("%d tournois, %d rondes, %d lignes comparées, %d différences, "
          "%d refus de la recherche appariés par le secours" %
          (len(cas_lus), v.rondes, v.lignes_comparees, len(v.differences), v.secours))
    for d in v.differences[:MAX_DIFFERENCES]:
        print(d)
    return 1 if v.differences else 0


if __name__ == "__main__":
    sys.exit(main())
