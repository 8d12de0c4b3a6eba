"""Reference model of a Swiss tournament, written apart from the C++ program.

It reads and writes tournament files (.pxi), pairs rounds, stores results, sorts the
standings and builds the report lines exactly as the program must show them. The golden
files of tests/golden/cas are made with it (generer.py) and the program is checked against
them (verifier.py).

Texts are kept as Windows-1252 bytes in the records and decoded only to build report lines.
"""

import struct

MAX_JOUEURS = 100
MAX_RONDES = 15
MAX_TABLES = 50
ID_FORFAIT = 10000
ID_QUALIFIE = 10001
BLANC, NOIR, SANS_PARTIE = 0, 1, 2

LIBELLES = ["BU", "BM", "SB", "CU", "NG", "PP"]

# Penalties of the search.
DEBUT = -32000
COULEUR = -50
ECART = -80
FLOTTE = -300
ECHEC = -15000

ENTETE = struct.Struct("<15s50s21s10h30shhhhBxhBx")
JOUEUR = struct.Struct("<h30s20s12shBB4shxxhhxx15sx15h15s15s")
APPARIEMENT = struct.Struct("<hhBBBBBx")
assert ENTETE.size == 150 and JOUEUR.size == 158 and APPARIEMENT.size == 10


def champ(octets):
    """Text of a fixed field: the bytes before the first NUL."""
    return octets.split(b"\0", 1)[0]


def texte(octets):
    return champ(octets).decode("cp1252")


class Joueur:
    def __init__(self):
        self.id = 0
        self.nom = b""
        self.prenom = b""
        self.ne_le = b"  /  /  "
        self.elo = 0
        self.fille = 0
        self.actif = 1
        self.equipe = b""
        self.points = 0
        self.flotte_bas = 0
        self.flotte_haut = 0
        self.couleurs = [0] * MAX_RONDES
        self.adversaires = [0] * MAX_RONDES
        self.pions = [0] * MAX_RONDES
        self.resultats = [0] * MAX_RONDES


class Table:
    def __init__(self, blanc=0, noir=0):
        self.blanc = blanc
        self.noir = noir
        self.res_blanc = 0
        self.res_noir = 0
        self.pions_blanc = 0
        self.pions_noir = 0
        self.saisi = 0


class Tournoi:
    def __init__(self):
        self.date = b""
        self.nom = b""
        self.jeu = b""
        self.departages = []
        self.nb_rondes = 0
        self.nb_actifs = 0
        self.othello = 0
        self.ronde_courante = -1
        self.modifie = 0
        self.joueurs = []  # position p is joueurs[p - 1]
        self.app = [[Table() for _ in range(MAX_TABLES)] for _ in range(MAX_RONDES)]
        self.nb_app = [0] * MAX_RONDES

    # ----- small operations -------------------------------------------------

    def joueur(self, ident):
        for j in self.joueurs:
            if j.id == ident:
                return j
        raise KeyError(ident)

    def ronde_complete(self, r):
        return all(self.app[r][t].saisi for t in range(self.nb_app[r]))

    def derniere_ronde_complete(self):
        rc = self.ronde_courante
        if rc < 0:
            return -1
        return rc if self.ronde_complete(rc) else rc - 1

    def actifs(self):
        return [j for j in self.joueurs if j.actif]

    # ----- tournament file ---------------------------------------------------

    def image(self):
        """Bytes of the tournament file."""
        dep = list(self.departages) + [0] * (10 - len(self.departages))
        abrev = b"".join(LIBELLES[d].encode() + b"\0" for d in self.departages)
        morceaux = [
            ENTETE.pack(self.date, self.nom, self.jeu, *dep, abrev, self.nb_rondes,
                        len(self.departages), len(self.joueurs), self.nb_actifs, self.othello,
                        self.ronde_courante, 0)
        ]
        for j in self.joueurs:
            morceaux.append(
                JOUEUR.pack(j.id, j.nom, j.prenom, j.ne_le, j.elo, j.fille, j.actif, j.equipe,
                            j.points, j.flotte_bas, j.flotte_haut, bytes(j.couleurs),
                            *j.adversaires, bytes(j.pions), bytes(j.resultats)))
        rc = self.ronde_courante
        for r in range(rc + 1):
            morceaux.append(struct.pack("<h", self.nb_app[r]))
        if rc >= 0:
            n = self.nb_app[rc]
            for k in range(rc + 1):
                for t in range(n):
                    a = self.app[k][t]
                    morceaux.append(
                        APPARIEMENT.pack(a.blanc, a.noir, a.res_blanc, a.res_noir,
                                         a.pions_blanc, a.pions_noir, a.saisi))
        return b"".join(morceaux)

    @staticmethod
    def lire(donnees):
        """Tournament read from the bytes of a tournament file."""
        t = Tournoi()
        v = ENTETE.unpack_from(donnees, 0)
        t.date, t.nom, t.jeu = champ(v[0]), champ(v[1]), champ(v[2])
        dep = v[3:13]
        (t.nb_rondes, nb_dep, nb_joueurs, t.nb_actifs, t.othello, t.ronde_courante,
         _modifie) = v[14:21]
        t.modifie = 0
        t.departages = list(dep[:nb_dep])
        t.abrev_lus = [texte(v[13][3 * i:3 * i + 3]) for i in range(nb_dep)]
        pos = ENTETE.size
        for _ in range(nb_joueurs):
            v = JOUEUR.unpack_from(donnees, pos)
            pos += JOUEUR.size
            j = Joueur()
            (j.id, j.nom, j.prenom, j.ne_le, j.elo, j.fille, j.actif, j.equipe, j.points,
             j.flotte_bas, j.flotte_haut) = v[:11]
            j.nom, j.prenom, j.ne_le, j.equipe = map(champ, (j.nom, j.prenom, j.ne_le, j.equipe))
            j.couleurs = list(v[11])
            j.adversaires = list(v[12:27])
            j.pions = list(v[27])
            j.resultats = list(v[28])
            t.joueurs.append(j)
        rc = t.ronde_courante
        for r in range(rc + 1):
            t.nb_app[r] = struct.unpack_from("<h", donnees, pos)[0]
            pos += 2
        if rc >= 0:
            n = t.nb_app[rc]
            for k in range(rc + 1):
                for i in range(n):
                    a = t.app[k][i]
                    (a.blanc, a.noir, a.res_blanc, a.res_noir, a.pions_blanc, a.pions_noir,
                     a.saisi) = APPARIEMENT.unpack_from(donnees, pos)
                    pos += APPARIEMENT.size
        return t

    # ----- scores, tie-breaks and standings order ----------------------------

    def calculer_points(self):
        n = self.derniere_ronde_complete()
        for j in self.joueurs:
            j.points = sum(j.resultats[:n + 1])

    def _points_adversaire(self, ident):
        """Points of a real opponent; the entry 0 of an unpaired round counts 0."""
        return 0 if ident == 0 else self.joueur(ident).points

    def _rondes_reelles(self, j):
        n = self.derniere_ronde_complete()
        return [r for r in range(n + 1) if j.adversaires[r] < ID_FORFAIT]

    def departage(self, systeme, j):
        reelles = self._rondes_reelles(j)
        pts = {r: self._points_adversaire(j.adversaires[r]) for r in reelles}
        if systeme == 0:
            return sum(pts.values())
        if systeme == 1:
            bas, r_bas = 999, None
            for r in reelles:
                if pts[r] < bas:
                    bas, r_bas = pts[r], r
            haut, r_haut = -999, None
            for r in reelles:
                if r != r_bas and pts[r] > haut:
                    haut, r_haut = pts[r], r
            return sum(pts[r] for r in reelles if r not in (r_bas, r_haut))
        if systeme == 2:
            total = 0
            for r in reelles:
                if j.resultats[r] == 2:
                    total += 2 * pts[r]
                elif j.resultats[r] == 1:
                    total += pts[r]
            return total
        if systeme == 3:
            s = c = 0
            for r in reelles:
                s += j.resultats[r]
                c += s
            return c
        if systeme == 4:
            return sum(1 for r in reelles if j.resultats[r] == 2)
        if systeme == 5:
            n = self.derniere_ronde_complete()
            return sum(33 if j.adversaires[r] >= ID_FORFAIT else j.pions[r] for r in range(n + 1))
        raise ValueError(systeme)

    def cle_classement(self, j):
        """Tuple whose order is the standings order; equal tuples compare equal."""
        return (-j.points,) + tuple(-self.departage(s, j) for s in self.departages)

    def trier_classement(self):
        self.calculer_points()
        cles = {j.id: self.cle_classement(j) for j in self.joueurs}
        # Players equal in the standings come out in increasing id order.
        self.joueurs.sort(key=lambda j: (cles[j.id], j.id))

    # ----- results -------------------------------------------------------------

    def enregistrer(self, t, res_blanc, res_noir, pions_blanc=None, pions_noir=None):
        """Stores a table's result and gives it to its two players at once."""
        r = self.ronde_courante
        a = self.app[r][t]
        a.res_blanc, a.res_noir = res_blanc, res_noir
        if pions_blanc is not None:
            a.pions_blanc, a.pions_noir = pions_blanc, pions_noir
        a.saisi = 1
        self._reporter_table(a, r)

    def _reporter_table(self, a, r):
        if a.blanc < ID_FORFAIT:
            j = self.joueur(a.blanc)
            j.resultats[r], j.pions[r] = a.res_blanc, a.pions_blanc
        if a.noir < ID_FORFAIT:
            j = self.joueur(a.noir)
            j.resultats[r], j.pions[r] = a.res_noir, a.pions_noir

    def reporter_resultats(self):
        r = self.ronde_courante
        for t in range(self.nb_app[r]):
            self._reporter_table(self.app[r][t], r)
        return self.nb_app[r]

    # ----- pairing -------------------------------------------------------------

    def forfaits_inactifs(self, r):
        for j in self.joueurs:
            if not j.actif:
                j.adversaires[r] = ID_FORFAIT
                j.couleurs[r] = SANS_PARTIE
                j.resultats[r] = 0
                j.pions[r] = 0

    def _qualifier(self, a, r):
        """Bye table: already entered, a win with 33 discs for the player."""
        if a.noir == ID_QUALIFIE:
            a.res_blanc, a.res_noir, a.pions_blanc, a.pions_noir = 2, 0, 33, 31
        else:
            a.res_blanc, a.res_noir, a.pions_blanc, a.pions_noir = 0, 2, 31, 33
        a.saisi = 1
        self._reporter_table(a, r)

    def premiere_ronde(self):
        actifs = [p for p, j in enumerate(self.joueurs, 1) if j.actif]
        n = len(actifs)
        self.nb_actifs = n
        if n == 0:
            return False
        k = n // 2
        c = actifs[k - 1] if k > 0 else 0
        haut = [p for p in actifs if p <= c]
        bas = [p for p in actifs if p > c]
        self.nb_app[0] = k
        for t in range(k):
            jb, jn = self.joueurs[haut[t] - 1], self.joueurs[bas[t] - 1]
            a = self.app[0][t]
            a.blanc, a.noir = jb.id, jn.id
            jb.adversaires[0], jb.couleurs[0] = jn.id, BLANC
            jn.adversaires[0], jn.couleurs[0] = jb.id, NOIR
        if n % 2:
            j = self.joueurs[bas[k] - 1]
            a = self.app[0][k]
            a.blanc, a.noir = j.id, ID_QUALIFIE
            j.adversaires[0], j.couleurs[0] = ID_QUALIFIE, BLANC
            self.nb_app[0] = k + 1
            self._qualifier(a, 0)
        self.forfaits_inactifs(0)
        return True

    def couleur_due(self, j):
        """(due colour, strong) over the rounds up to the last complete one."""
        n = self.derniere_ronde_complete()
        w = sum(1 for r in range(n + 1) if j.couleurs[r] == BLANC)
        b = sum(1 for r in range(n + 1) if j.couleurs[r] == NOIR)
        if w > b:
            return NOIR, w - b >= 2
        if w < b:
            return BLANC, b - w >= 2
        return (NOIR if j.couleurs[n] == BLANC else BLANC), False

    def deja_rencontre(self, ident, autre):
        j = self.joueur(ident)
        n = self.derniere_ronde_complete()
        return any(j.adversaires[r] == autre for r in range(n + 1))

    def recherche_appariement(self, numero):
        r = numero - 1
        self.trier_classement()
        self.utilise = set()
        self.lignes = {}
        self.dues = {j.id: self.couleur_due(j) for j in self.joueurs}
        self.par_id = {j.id: j for j in self.joueurs}
        self.arret = -50 * len(self.joueurs)
        self.noeuds = 0
        meilleur = self.chercher(1, DEBUT, 0, SANS_PARTIE, 0)
        self.score_appariement = meilleur
        if meilleur < ECHEC + 1:
            return False
        self.app[r] = [Table() for _ in range(MAX_TABLES)]
        entrees = self.lignes.get(1, [])[:99]
        for e, (coul, ident) in enumerate(entrees):
            a = self.app[r][e // 2]
            if coul == 0:
                a.blanc = ident
            else:
                a.noir = ident
        self.nb_app[r] = (len(entrees) + 1) // 2
        for t in range(self.nb_app[r]):
            a = self.app[r][t]
            if ID_QUALIFIE in (a.blanc, a.noir):
                self._qualifier(a, r)
            if a.blanc < ID_FORFAIT:
                jb = self.par_id[a.blanc]
                jb.adversaires[r], jb.couleurs[r] = a.noir, BLANC
            if a.noir < ID_FORFAIT:
                jn = self.par_id[a.noir]
                jn.adversaires[r], jn.couleurs[r] = a.blanc, NOIR
            if a.blanc < ID_FORFAIT and a.noir < ID_FORFAIT:
                if jb.points > jn.points:
                    jb.flotte_bas = jn.flotte_haut = 1
                elif jb.points < jn.points:
                    jn.flotte_bas = jb.flotte_haut = 1
        return True

    def memoriser(self, d, ident, couleur):
        self.lignes[d] = [(couleur, ident)] + self.lignes.get(d + 1, [])

    def chercher(self, d, alpha, joueur, couleur, score):
        self.noeuds += 1
        if score <= alpha:
            return score
        candidats = [j for j in self.joueurs if j.actif and j.id not in self.utilise]
        impaire = d % 2 == 1
        if not candidats:
            if impaire:
                return score
            if self.deja_rencontre(joueur, ID_QUALIFIE):
                return ECHEC
            self.memoriser(d, ID_QUALIFIE, 1 - couleur)
            return score
        meilleur = ECHEC
        for cand in candidats:
            e = cand.id
            self.lignes[d + 1] = []
            g, fort = self.dues[e]
            if impaire:
                if score <= alpha:
                    continue
                self.utilise.add(e)
                v = self.chercher(d + 1, alpha, e, g, score)
                self.utilise.discard(e)
                if v > meilleur:
                    if v > alpha:
                        alpha = v
                        self.memoriser(d, e, g)
                    meilleur = v
                if meilleur > self.arret or meilleur > ECHEC:
                    break
                if fort:
                    continue
                if score + COULEUR > alpha:
                    self.utilise.add(e)
                    v = self.chercher(d + 1, alpha, e, 1 - g, score + COULEUR)
                    self.utilise.discard(e)
                    if v > meilleur:
                        if v > alpha:
                            alpha = v
                            self.memoriser(d, e, 1 - g)
                        meilleur = v
                    if meilleur > self.arret:
                        break
            else:
                if self.deja_rencontre(e, joueur):
                    continue
                p = 0
                if g == couleur:
                    if fort:
                        continue
                    p = COULEUR
                sa_couleur = 1 - couleur
                pj = self.par_id[joueur]
                pj_pts, pe_pts = pj.points, cand.points
                if pj_pts > pe_pts:
                    if pj.flotte_bas:
                        p += FLOTTE
                    if cand.flotte_haut:
                        p += FLOTTE
                    p += ECART * (pj_pts - pe_pts)
                elif pj_pts < pe_pts:
                    if pj.flotte_haut:
                        p += FLOTTE
                    if cand.flotte_bas:
                        p += FLOTTE
                    p += ECART * (pe_pts - pj_pts)
                if score + p > alpha:
                    self.utilise.add(e)
                    v = self.chercher(d + 1, alpha, 0, SANS_PARTIE, score + p)
                    self.utilise.discard(e)
                    if v > meilleur:
                        if v > alpha:
                            alpha = v
                            self.memoriser(d, e, sa_couleur)
                        meilleur = v
                    if p >= COULEUR or meilleur > self.arret or meilleur > ECHEC:
                        break
        return meilleur

    def nouvelle_ronde(self):
        """Pairs the next round; False (nothing written) when no pairing exists."""
        rc = self.ronde_courante
        if rc >= 0 and not self.ronde_complete(rc):
            raise ValueError("Tous les résultats de la ronde courante ne sont pas saisis")
        if rc >= self.nb_rondes - 1:
            raise ValueError("Toutes les rondes de ce tounoi ont été faites")
        self.ronde_courante += 1
        numero = self.ronde_courante + 1
        if numero == 1:
            ok = self.premiere_ronde()
        else:
            ok = self.recherche_appariement(numero)
            if ok:
                self.forfaits_inactifs(numero - 1)
        if not ok:
            self.ronde_courante -= 1
        return ok

    # ----- reports (lines as text, decoded from Windows-1252) ------------------

    def nom_affiche(self, ident):
        if ident == ID_FORFAIT:
            return "*FORFAIT*"
        if ident == ID_QUALIFIE:
            return "*QUALIFIE D'OFFICE*"
        j = self.joueur(ident)
        return texte(j.nom) + " " + texte(j.prenom)

    def _equipe(self, ident):
        return "" if ident >= ID_FORFAIT else texte(self.joueur(ident).equipe)

    def feuille(self, numero):
        r = numero - 1
        lignes = [
            "Tournoi : %-30s du %s" % (texte(self.nom), texte(self.date)),
            "Jeu : %-30s, Ronde n°%d" % (texte(self.jeu), numero),
            " ",
            "Tab   BLANCS                                     NOIRS",
        ]
        nb = self.nb_app[r] if 0 <= r < MAX_RONDES else 0
        for t in range(nb):
            a = self.app[r][t]
            lignes.append(" ")
            lignes.append("%03d (%3d/%-3s) %-25.25s  _ | _ (%3d/%-3s) %-25.25s" %
                          (t + 1, a.blanc, self._equipe(a.blanc), self.nom_affiche(a.blanc),
                           a.noir, self._equipe(a.noir), self.nom_affiche(a.noir)))
            lignes.append(" ")
        return lignes

    def classement(self):
        n = self.derniere_ronde_complete()
        self.trier_classement()
        lignes = ["Tournoi : %-30s du %s" % (texte(self.nom), texte(self.date))]
        if n < self.nb_rondes - 1:
            lignes.append("Jeu : %-30s après la ronde n°%d" % (texte(self.jeu), n + 1))
        else:
            lignes.append("Jeu : %-30s   ***** CLASSEMENT FINAL *****" % texte(self.jeu))
        lignes += [" ", "Classement"]
        tete = "%-3s - %-3s %-3.3s %-20s %-15s %3s" % ("Cl", "N°", "Equ", "Nom", "Prénom", "Pts")
        lignes.append(tete + "  " + "".join("  " + LIBELLES[s] for s in self.departages))
        cles = [self.cle_classement(j) for j in self.joueurs]
        rang = 1
        for p, j in enumerate(self.joueurs):
            if p > 0 and cles[p] != cles[p - 1]:
                rang = p + 1
            ligne = "%3d - %3d %-3.3s %-20s %-15s %3d" % (rang, j.id, texte(j.equipe),
                                                          texte(j.nom), texte(j.prenom), j.points)
            ligne += "   " + "".join("%3d " % self.departage(s, j) for s in self.departages)
            lignes.append(ligne)
        return lignes

    def historique(self):
        self.trier_classement()
        lignes = ["Historique des rencontres, %s, ronde %d, " % (texte(self.jeu),
                                                             self.ronde_courante + 1), " ", " "]
        for j in self.joueurs:
            lignes.append("%3d %-30s %-15s %3d Pts" % (j.id, texte(j.nom), texte(j.prenom),
                                                       j.points))
            cases = ""
            for r in range(self.ronde_courante + 1):
                adv = j.adversaires[r]
                cases += "(F)" if adv == ID_FORFAIT else "(Q)" if adv == ID_QUALIFIE else "%3d" % adv
                cases += {BLANC: "B", NOIR: "N"}.get(j.couleurs[r], "?")
                cases += str(j.pions[r] if self.othello else j.resultats[r])
                cases += "  "
            lignes.append("      %s" % cases)
        return lignes

    def liste_joueurs(self):
        lignes = [
            "Tournoi %s du %s, jeu : %s" % (texte(self.nom), texte(self.date), texte(self.jeu)),
            " ", "Liste des joueurs", " ", "Nombre de joueurs = %d" % len(self.joueurs), " ",
            "IDX EQU E %-20s %-15s S NE(E) LE " % ("NOM", "PRENOM"),
        ]
        for k in range(1, len(self.joueurs) + 1):
            j = self.joueur(k)
            lignes.append("%3d %-3s %c %-20.20s %-15.15s %c %s" %
                          (j.id, texte(j.equipe), "A" if j.actif else "I", texte(j.nom),
                           texte(j.prenom), "F" if j.fille else "M", texte(j.ne_le)))
        return lignes

    def etat(self, taille=None):
        """Compact lines of what the pairing and the results wrote, per player by id, and the
        tables of the current round, with the header and the size of the file (`taille`, by
        default the size of this tournament's own file); compared after each round. A player
        line holds: id, A/I (active), float marks down and up, colours, opponents, points and
        discs per round."""
        rc = self.ronde_courante
        lignes = [
            "entete rondes %d departages %s %s joueurs %d actifs %d othello %d ronde %d "
            "modifie %d" % (self.nb_rondes, ",".join(map(str, self.departages)),
                            ",".join(getattr(self, "abrev_lus", None) or
                                     [LIBELLES[d] for d in self.departages]), len(self.joueurs),
                            self.nb_actifs, self.othello, rc, self.modifie),
            "tables %s taille %d" % (",".join(map(str, self.nb_app[:rc + 1])),
                                     len(self.image()) if taille is None else taille),
        ]
        for k in range(1, len(self.joueurs) + 1):
            j = self.joueur(k)
            lignes.append("%d %s %d%d %s %s %s %s" %
                          (j.id, "A" if j.actif else "I", j.flotte_bas, j.flotte_haut,
                           "".join(map(str, j.couleurs[:rc + 1])),
                           ",".join(map(str, j.adversaires[:rc + 1])),
                           "".join(map(str, j.resultats[:rc + 1])),
                           ",".join(map(str, j.pions[:rc + 1]))))
        for t in range(self.nb_app[rc] if rc >= 0 else 0):
            a = self.app[rc][t]
            lignes.append("table %d %d-%d %d-%d %d-%d %d" %
                          (t + 1, a.blanc, a.noir, a.res_blanc, a.res_noir, a.pions_blanc,
                           a.pions_noir, a.saisi))
        return lignes
