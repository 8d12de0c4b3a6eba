#!/usr/bin/env python3
"""The pages served to the players' phones, end to end: tavo-cli servir on a tournament in progress.

Checks, talking to 127.0.0.1 only:
- every page is reached from "/" by its links, parses with a strict HTML5 parser, fits a phone
  (viewport) and loads nothing from elsewhere; every player's page is reached;
- texts are escaped (a player named "<script>..."), nothing personal beyond the pairing sheet
  (birth date, national ID) is shown, and the search finds a player's table;
- only GET and HEAD are answered; other methods, paths outside the routes and paths that climb
  out are refused, and the tournament file is left as it was;
- 200 clients at once all get the page;
- a result stored with tavo-cli shows within 5 seconds (the version rises, the page shows it);
- in Chromium on a 360-pixel-wide phone screen: no horizontal scrolling on the pairings, the
  search finds "my table", a result typed meanwhile appears without reloading, and the poster's
  QR code, read by zbarimg from the screenshot, gives the address.

Usage: pages.py TAVO_CLI
Exit status 0 when all is well, 1 otherwise, 77 when html5lib is missing.
"""

import base64
import hashlib
import html.parser
import http.client
import json
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

sys.dont_write_bytecode = True

try:
    import html5lib
except ImportError:
    if os.path.exists("/usr/bin/python3") and os.path.realpath(sys.executable) != os.path.realpath(
            "/usr/bin/python3") and "TAVO_PAGES_RELANCE" not in os.environ:
        os.environ["TAVO_PAGES_RELANCE"] = "1"
        os.execv("/usr/bin/python3", ["/usr/bin/python3", *sys.argv])
    print("html5lib absent (python3-html5lib): test sauté")
    sys.exit(77)

CLI = sys.argv[1]
MECHANT = "<script>alert(1)</script>"


class Echec(Exception):
    pass


def verifier(condition, message):
    if not condition:
        raise Echec(message)


def cli(*arguments):
    p = subprocess.run([CLI, *arguments], capture_output=True, timeout=60)
    verifier(p.returncode == 0, "%s: %s" % (" ".join(arguments), p.stderr.decode()))
    return p.stdout.decode()


def preparer(dossier):
    """A 13-player tournament in round 1, names from several alphabets and one meant to harm."""
    f = os.path.join(dossier, "open.tavo")
    cli("nouveau", f, "--nom", "Open d'été <2026> & Cie", "--jeu", "Echecs", "--rondes", "5",
        "--departages", "BU,SB")
    noms = [("DUPONT", "Éloïse"), ("ΠΑΠΑΔΟΠΟΥΛΟΣ", "Νίκος"), ("Иванов", "Пётр"), ("李", "小龙"),
            (MECHANT, "Bob"), ("MARTIN", "Jean-Christophe-Alexandre"), ("DURAND", "Zoé")]
    noms += [("JOUEUR%d" % i, "Prénom") for i in range(len(noms) + 1, 14)]
    for i, (nom, prenom) in enumerate(noms):
        cli("joueur-ajouter", f, "--nom", nom, "--prenom", prenom, "--elo", str(1400 + 37 * i),
            "--ne-le", "17/03/91", "--id-national", "A98765", "--club", "Club & Co")
    cli("ronde", f)
    return f, noms


def demarrer(fichier):
    p = subprocess.Popen([CLI, "servir", fichier, "--adresse", "127.0.0.1", "--port", "0",
                          "--reseau", "Club <Wi-Fi>"], stdout=subprocess.PIPE,
                         stderr=subprocess.PIPE, text=True)
    ligne = p.stdout.readline()
    m = re.match(r"Pages du tournoi : (http://127\.0\.0\.1:(\d+)/)$", ligne.strip())
    verifier(m, "servir a écrit %r, %r" % (ligne, p.stderr.read() if p.poll() is not None else ""))
    return p, m.group(1), int(m.group(2))


def demander(port, methode, chemin, corps=None):
    c = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
    c.putrequest(methode, chemin, skip_accept_encoding=True)
    if corps is not None:
        c.putheader("Content-Length", str(len(corps)))
    c.endheaders(corps)
    r = c.getresponse()
    donnees = r.read()
    c.close()
    return r.status, dict(r.getheaders()), donnees


class Liens(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.liens, self.ressources = [], []

    def handle_starttag(self, tag, attrs):
        for nom, valeur in attrs:
            if nom == "href" and tag == "a":
                self.liens.append(valeur)
            elif nom in ("src", "href", "action", "data", "poster"):
                self.ressources.append(valeur)


def parcourir(port):
    """Every page reached from "/" by its links, each checked on its own."""
    vues, a_voir, textes = set(), ["/"], {}
    while a_voir:
        chemin = a_voir.pop()
        if chemin in vues:
            continue
        vues.add(chemin)
        statut, entetes, corps = demander(port, "GET", chemin)
        verifier(statut == 200, "%s : %d" % (chemin, statut))
        verifier(entetes["Content-Type"].startswith("text/html"), chemin + " : pas du HTML")
        texte = corps.decode("utf-8")
        html5lib.HTMLParser(strict=True).parse(texte)
        verifier('name="viewport" content="width=device-width' in texte, chemin + " sans viewport")
        liens = Liens()
        liens.feed(texte)
        for r in liens.ressources + liens.liens:
            verifier(r.startswith("/"), "%s charge %r d'ailleurs" % (chemin, r))
        verifier("default-src 'none'" in entetes.get("Content-Security-Policy", ""),
                 chemin + " sans Content-Security-Policy")
        a_voir += [l for l in liens.liens if l not in vues]
        textes[chemin] = texte
    return textes


def verifier_pages(port, noms):
    textes = parcourir(port)
    for chemin in ["/", "/ronde", "/classement", "/grille", "/joueurs", "/affiche"]:
        verifier(chemin in textes, chemin + " n'est pas atteint depuis /")
    joueurs = sorted(int(c.split("/")[2]) for c in textes if c.startswith("/joueur/"))
    verifier(joueurs == list(range(1, len(noms) + 1)), "pages de joueurs atteintes : %s" % joueurs)
    for chemin, texte in textes.items():
        verifier(MECHANT not in texte, chemin + " : nom non échappé")
    for chemin in ["/ronde", "/classement", "/grille", "/joueurs", "/joueur/5"]:
        verifier("&lt;script&gt;alert(1)&lt;/script&gt;" in textes[chemin], chemin + " sans le nom")
        verifier("17/03/91" not in texte and "1991" not in texte and "A98765" not in texte,
                 chemin + " montre une donnée personnelle")
    verifier("Νίκος" in textes["/joueur/2"] and "小龙" in textes["/ronde"], "noms non UTF-8")
    # The search finds the player's table only, whatever the case and accents typed.
    _, _, corps = demander(port, "GET", "/ronde?nom=eloise")
    tables = re.findall(r"<tr><td>(\d+)</td>", corps.decode())
    verifier(len(tables) == 1 and "DUPONT" in corps.decode(), "recherche eloise : %s" % tables)
    _, _, corps = demander(port, "GET", "/ronde?nom=%3Cb%3Ex%22")
    verifier(b"<b>x" not in corps and b"&lt;b&gt;x&quot;" in corps, "recherche non échappée")


def verifier_refus(port, fichier):
    avant = hashlib.sha256(open(fichier, "rb").read()).hexdigest()
    for methode in ["POST", "PUT", "DELETE", "PATCH", "OPTIONS"]:
        statut, entetes, _ = demander(port, methode, "/ronde", b"resultat=1-0")
        verifier(statut == 405 and entetes.get("Allow") == "GET, HEAD",
                 "%s : %d" % (methode, statut))
    statut, _, _ = demander(port, "BREW", "/")
    verifier(400 <= statut < 500, "méthode inconnue : %d" % statut)
    statut, _, corps = demander(port, "HEAD", "/classement")
    verifier(statut == 200 and corps == b"", "HEAD : %d" % statut)
    for chemin in ["/../../etc/passwd", "/%2e%2e/%2e%2e/etc/passwd", "/ronde/../../open.tavo",
                   "/open.tavo", "/joueur/0", "/joueur/01", "/joueur/999", "/joueur/1x",
                   "//etc/passwd", "/direct.js/.."]:
        statut, _, corps = demander(port, "GET", chemin)
        verifier(statut in (400, 404) and b"root:" not in corps, "%s : %d" % (chemin, statut))
    apres = hashlib.sha256(open(fichier, "rb").read()).hexdigest()
    verifier(avant == apres, "le fichier du tournoi a changé")


def verifier_foule(port):
    """200 connections opened together, each asking the round's page."""
    depart = threading.Barrier(200)
    resultats = []

    def client():
        depart.wait(timeout=30)
        try:
            statut, _, corps = demander(port, "GET", "/ronde")
            resultats.append((statut, hashlib.sha256(corps).hexdigest()))
        except OSError as e:
            resultats.append((str(e), ""))

    fils = [threading.Thread(target=client) for _ in range(200)]
    for f in fils:
        f.start()
    for f in fils:
        f.join(timeout=60)
    statuts = [s for s, _ in resultats]
    verifier(statuts.count(200) == 200, "200 clients : %s" % sorted(set(map(str, statuts))))
    verifier(len({h for _, h in resultats}) == 1, "200 clients : pages différentes")


def attendre(condition, secondes, message):
    fin = time.monotonic() + secondes
    while time.monotonic() < fin:
        if condition():
            return
        time.sleep(0.1)
    raise Echec(message)


def verifier_direct(port, fichier):
    version = demander(port, "GET", "/version")[2]
    cli("resultat", fichier, "2", "2-0")
    attendre(lambda: demander(port, "GET", "/version")[2] != version, 5, "version inchangée")
    corps = demander(port, "GET", "/ronde")[2].decode()
    verifier(re.search(r"<tr><td>2</td>.*<td>1-0</td></tr>", corps), "résultat absent de /ronde")


class Navigateur:
    """Chromium driven through chromedriver's WebDriver protocol, on loopback."""

    def __init__(self, dossier):
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            self.port = s.getsockname()[1]
        self.pilote = subprocess.Popen(["chromedriver", "--port=%d" % self.port],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        attendre(self.pret, 20, "chromedriver ne répond pas")
        options = {"binary": shutil.which("chromium"),
                   "args": ["--headless=new", "--no-sandbox", "--disable-gpu",
                            "--disable-dev-shm-usage", "--user-data-dir=" + dossier,
                            "--no-first-run", "--disable-extensions"],
                   "mobileEmulation": {"deviceMetrics": {"width": 360, "height": 740,
                                                         "pixelRatio": 2}}}
        session = self.appel("POST", "/session", {"capabilities": {"alwaysMatch": {
            "goog:chromeOptions": options}}})
        self.session = "/session/" + session["sessionId"]

    def pret(self):
        try:
            return self.appel("GET", "/status")["ready"]
        except OSError:
            return False

    def appel(self, methode, chemin, corps=None):
        donnees = json.dumps(corps).encode() if corps is not None else None
        requete = urllib.request.Request("http://127.0.0.1:%d%s" % (self.port, chemin),
                                         data=donnees, method=methode,
                                         headers={"Content-Type": "application/json"})
        with urllib.request.urlopen(requete, timeout=60) as r:
            return json.loads(r.read())["value"]

    def aller(self, adresse):
        self.appel("POST", self.session + "/url", {"url": adresse})

    def script(self, code):
        return self.appel("POST", self.session + "/execute/sync", {"script": code, "args": []})

    def image(self):
        return base64.b64decode(self.appel("GET", self.session + "/screenshot"))

    def fermer(self):
        try:
            self.appel("DELETE", self.session)
        finally:
            self.pilote.terminate()
            self.pilote.wait(timeout=10)


def verifier_navigateur(adresse, fichier, dossier):
    nav = Navigateur(os.path.join(dossier, "chromium"))
    try:
        nav.aller(adresse + "ronde")
        largeurs = nav.script("return [document.documentElement.scrollWidth, window.innerWidth]")
        verifier(largeurs[1] <= 400 and largeurs[0] <= largeurs[1],
                 "appariements plus larges que le téléphone : %s" % largeurs)
        # "Find my table": the search field, filled and sent as a player would.
        nav.script('document.querySelector("input[name=nom]").value = "Иванов";'
                   'document.querySelector("form").submit();')
        attendre(lambda: "nom=" in nav.script("return location.search"), 10, "recherche non envoyée")
        lignes = nav.script('return [...document.querySelectorAll("main tbody tr")]'
                            '.map(l => l.innerText)')
        verifier(len(lignes) == 1 and "Иванов" in lignes[0], "ma table : %s" % lignes)
        # A result stored meanwhile shows without the page being loaded again.
        nav.aller(adresse + "ronde")
        nav.script("window.sansRecharger = true")
        cli("resultat", fichier, "3", "0-2")
        attendre(lambda: nav.script(
            'return [...document.querySelectorAll("main tbody tr")].some('
            'l => l.cells[0].innerText == "3" && l.cells[5].innerText == "0-1")'), 5,
            "le résultat n'est pas apparu en 5 s")
        verifier(nav.script("return window.sansRecharger === true"), "la page a été rechargée")
        # The poster's code, as a phone's camera would read it.
        nav.aller(adresse + "affiche")
        image = os.path.join(dossier, "affiche.png")
        with open(image, "wb") as f:
            f.write(nav.image())
        lu = subprocess.run(["zbarimg", "--quiet", "--raw", image], capture_output=True,
                            text=True, timeout=30)
        verifier(lu.stdout.strip() == adresse, "le code QR donne %r" % lu.stdout)
    finally:
        nav.fermer()


def main():
    with tempfile.TemporaryDirectory() as dossier:
        fichier, noms = preparer(dossier)
        serveur, adresse, port = demarrer(fichier)
        try:
            verifier_pages(port, noms)
            verifier_refus(port, fichier)
            verifier_foule(port)
            verifier_direct(port, fichier)
            if shutil.which("chromium") and shutil.which("chromedriver") and shutil.which("zbarimg"):
                verifier_navigateur(adresse, fichier, dossier)
            else:
                raise Echec("chromium, chromedriver ou zbarimg absent (scripts/install-deps)")
            serveur.send_signal(2)
            verifier(serveur.wait(timeout=10) == 0, "servir ne s'arrête pas proprement")
        finally:
            if serveur.poll() is None:
                serveur.kill()
    print("pages : tout est juste")


if __name__ == "__main__":
    try:
        main()
    except Echec as e:
        print("ÉCHEC : %s" % e)
        sys.exit(1)
