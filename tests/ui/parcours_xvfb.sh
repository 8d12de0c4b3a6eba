#!/usr/bin/env bash
# The real program driven at the keyboard alone, as a director new to it would,
# on a virtual X display (Xvfb, keys sent by xdotool):
#  1. create a tournament, given its file (a .tavo) at once, register six
#     players, pair round 1, enter its results, export the standings
#     ("Tableur CSV" chosen with the keyboard), quit: no "Sauver" needed;
#  2. reopen it through "Tournois récents", then with `tavo FICHIER.tavo`;
#     another program changes the file: the window's next change asks, Enter
#     keeps the other program's change, "Recharger" takes it;
#  3. pair round 2, enter its results, and kill tavo (SIGKILL, as a power
#     cut): the file holds everything;
#  4. "Sauver sous" a .pxi (the 1998 type chosen with the keyboard), pair
#     round 3, type two results, kill tavo: the .pxi waits for "Sauver";
#     started again, tavo offers its recovery copy; taking it back and saving
#     puts the two results into the .pxi;
#  5. in the .tavo, a player asks to miss round 3, a pair is forbidden and a
#     forfeit is typed;
#  6. a new tournament of five rounds, its results typed in the main window.
# Each step is checked in the files, read back with tavo-cli.
set -euo pipefail
tavo="$(realpath "$1")"
cli="$(realpath "$2")"
if [ -z "${TAVO_PARCOURS_X:-}" ]; then
  for outil in xvfb-run xdotool; do
    command -v "$outil" >/dev/null || { echo "$outil est absent (paquets xvfb, xdotool)"; exit 1; }
  done
  exec env TAVO_PARCOURS_X=1 xvfb-run -a "$0" "$@"
fi

dossier="$(mktemp -d)"
pid=
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$dossier"' EXIT
export XDG_STATE_HOME="$dossier/etat" XDG_CONFIG_HOME="$dossier/config" QT_QPA_PLATFORM=xcb
cd "$dossier"
tournoi="$dossier/club.tavo"
ancien="$dossier/club.pxi"
copie="$XDG_STATE_HOME/tavo/secours.tavo"

echec() { echo "$*"; exit 1; }
# The window whose title starts so, once it shows (at most 15 s), given the
# keyboard: there is no window manager to give it.
fenetre() {
  local id
  id=$(timeout 15 xdotool search --sync --onlyvisible --name "^$1" | head -n 1) ||
    echec "la fenêtre « $1 » ne s'est pas ouverte"
  xdotool windowfocus --sync "$id"
  sleep 0.5
}
touches() { for t in "$@"; do xdotool key --delay 50 "$t"; done; sleep 0.4; }
taper() { xdotool type --delay 30 "$1"; }
demarrer() { "$tavo" "$@" 2>/dev/null & pid=$!; }
# tavo has left by itself (at most 10 s).
parti() {
  for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || { pid=; return; }; sleep 0.5; done
  echec "tavo ne s'est pas arrêté : $1"
}
# From the main window: the next round paired (its sheet closed), then the
# results dialog given these keys.
apparier_et_saisir() {
  touches ctrl+r
  fenetre "Voir les appariements"
  touches Escape
  fenetre "Tournoi Club"
  touches ctrl+e
  fenetre "Saisie des résultats"
  touches "$@"
}
contient() { grep -q -- "$2" <<<"$1" || { echo "$1"; echec "« $2 » absent ($3)"; }; }

# The points of every game in the history (a chess game gives 2): 6 after
# round 1; a table without result adds 0.
points() {
  "$cli" rapport historique "$1" 2>/dev/null | grep -v ' Pts$' | grep -o '[BN][0-2]' |
    awk '{ s += substr($0, 2) } END { print s + 0 }'
}
# Waits (at most 20 s) until the file holds these points.
attendre_points() {
  for _ in $(seq 40); do [ "$(points "$1")" = "$2" ] && return; sleep 0.5; done
  echec "$1 n'a pas $2 points : $(points "$1")"
}
couper() { kill -9 "$pid"; wait "$pid" 2>/dev/null || true; pid=; }

# 1. From nothing to a round played, stored as it was played.
demarrer
fenetre "Gestion de tournois"
touches ctrl+n
fenetre "Propriétés"
taper 12/12/26; touches Tab; taper Club; touches Tab ctrl+a; taper 3; touches Tab Tab; taper Echecs
touches alt+d alt+p Return alt+v   # Bucholz, the first system proposed
# Its file at once: the name typed gets the extension of the native type.
fenetre "Sauvegarder"
taper "$dossier/club"; touches Return
fenetre "Tournoi Club"
touches alt+j g
fenetre "Saisie des joueurs"
for nom in AA BB CC DD EE FF; do
  touches alt+n Tab; taper "$nom"; touches Tab; taper Jean; touches alt+v
done
touches Escape
fenetre "Tournoi Club"
apparier_et_saisir 1 Return equal Return 0 Return alt+f
fenetre "Tournoi Club"
# The type chosen with the keyboard gives its extension to the name typed.
touches alt+r c
fenetre "Classement"
touches alt+e
fenetre "Exporter"
taper classement; touches Tab Down Return
fenetre "Classement"
touches Escape
fenetre "Tournoi Club"
touches ctrl+q
parti "Ctrl+Q sans « Sauver » : le fichier a tout"
[ ! -e classement.html ] || echec "l'export CSV a été écrit dans classement.html"
head -n 1 classement.csv | grep -q 'Cl;' || echec "classement.csv n'est pas le classement en CSV"

[ -f "$tournoi" ] || echec "le tournoi n'a pas de fichier"
joueurs=$("$cli" rapport joueurs "$tournoi")
for nom in AA BB CC DD EE FF; do contient "$joueurs" " $nom  *Jean" "joueurs"; done
historique=$("$cli" rapport historique "$tournoi")
# 1-0, draw, 0-1 on the three tables: points 2 2 1 1 0 0 (chess counts 2/1/0).
[ "$(grep -c ' Pts' <<<"$historique")" = 6 ] || echec "six joueurs attendus : $historique"
for pts in "2 Pts" "1 Pts" "0 Pts"; do
  [ "$(grep -c -- "$pts" <<<"$historique")" = 2 ] || echec "deux joueurs à $pts attendus : $historique"
done
[ ! -e "$copie" ] || echec "une copie de secours alors que le fichier a tout"

# 2. Reopened from the recent files, then from the command line.
demarrer
fenetre "Gestion de tournois"
touches alt+f r 1
fenetre "Tournoi Club"
touches ctrl+q
parti "Ctrl+Q sans changement"
demarrer "$tournoi"
fenetre "Tournoi Club"
# Another program changes the file: the window's next change would replace
# it, so the window asks; Enter stores nothing...
"$cli" joueur-modifier "$tournoi" 1 --nom ZZ >/dev/null
touches ctrl+r
fenetre "Sauver le tournoi"
touches Return
fenetre "Voir les appariements"
touches Escape
fenetre "Tournoi Club"
contient "$("$cli" rapport joueurs "$tournoi")" " ZZ " "le changement de l'autre programme"
"$cli" rapport appariements "$tournoi" 2>/dev/null | grep -q "Ronde n°2" &&
  echec "la ronde 2 de la fenêtre a remplacé le changement de l'autre programme"
# ...and "Recharger" takes the file, once the round paired is given up.
touches ctrl+s
fenetre "Sauver le tournoi"
touches alt+r
fenetre "Recharger le tournoi"
touches shift+Tab space
fenetre "Tournoi Club"

# 3. Round 2 paired and played, then a power cut: each result was stored as
# it was typed.
apparier_et_saisir 1 Return equal Return 0 Return alt+f
attendre_points "$tournoi" 12
couper
contient "$("$cli" rapport joueurs "$tournoi")" " ZZ " "« Recharger » n'a pas repris le fichier"
[ ! -e "$copie" ] || echec "une copie de secours alors que le fichier a tout"

# 4. The 1998 file: "Sauver sous" with its type chosen at the keyboard, then
# changes that wait for "Sauver", a power cut and the recovery copy.
demarrer "$tournoi"
fenetre "Tournoi Club"
touches ctrl+shift+s
fenetre "Sauvegarder"
taper club; touches Tab Down Return
fenetre "Tournoi Club"
attendre_points "$ancien" 12
apparier_et_saisir 1 Return equal Return
attendre_points "$copie" 16
couper
[ "$(points "$ancien")" = 12 ] || echec "le fichier .pxi a changé sans « Sauver »"
demarrer
fenetre "Copie de secours"
touches Return
fenetre "Tournoi Club"
touches ctrl+s ctrl+q
parti "Ctrl+Q après la reprise"
[ "$(points "$ancien")" = 16 ] || echec "les résultats repris ne sont pas dans le fichier .pxi"
[ ! -e "$copie" ] || echec "la copie de secours reste après la reprise et l'enregistrement"
[ "$(points "$tournoi")" = 12 ] || echec "le .tavo a changé après « Sauver sous »"

# 5. Back in the .tavo, round 3: a player asks to miss it (no point: a half
# point is refused in the last rounds), players 1 and 2 must not meet, table
# 1 is won by forfeit (F), and the window asks whether the absent player
# stops playing.
demarrer "$tournoi"
fenetre "Tournoi Club"
touches alt+j g
fenetre "Saisie des joueurs"
touches alt+m; taper 3; touches alt+g Escape
fenetre "Tournoi Club"
touches alt+j a
fenetre "Appariements interdits"
touches alt+1; taper 1; touches alt+2; taper 2; touches alt+a Escape
fenetre "Tournoi Club"
apparier_et_saisir f Return
fenetre "Forfait"
touches Return
fenetre "Saisie des résultats"
touches 1 Return alt+f
fenetre "Tournoi Club"
touches ctrl+q
parti "Ctrl+Q après les forfaits"
"$cli" exporter-trf "$tournoi" club.trf >/dev/null
trf=$(cut -c 92- club.trf | tr -d '\r' | grep -v '^$' || true)
[ "$(grep -c '0000 - Z *$' <<<"$trf")" = 1 ] || echec "une absence demandée attendue en ronde 3 : $trf"
[ "$(grep -c ' w -$' <<<"$trf")" = 1 ] && [ "$(grep -c ' b +$' <<<"$trf")" = 1 ] ||
  echec "un forfait des Blancs attendu en ronde 3 : $trf"
contient "$("$cli" appariements-interdits "$tournoi")" "^1-2 : ZZ Jean et BB Jean$" \
  "l'appariement interdit"
[ "$(sed -n 1p <<<"$trf" | cut -c 21-24)" != "   2" ] || echec "1 et 2 se rencontrent en ronde 3"
grep -qE '^ *[0-9]+ .{3} I ' <<<"$("$cli" rapport joueurs "$tournoi")" ||
  echec "le joueur forfait reste actif"
# 6. A new tournament of five rounds played in the main window itself: after
# each pairing sheet, the results are typed on the round's lines, two keys a
# table; the status line follows.
demarrer
fenetre "Gestion de tournois"
touches ctrl+n
fenetre "Propriétés"
taper 01/01/27; touches Tab; taper Cinq; touches Tab ctrl+a; taper 5; touches Tab Tab; taper Echecs
touches alt+d alt+p Return alt+v
fenetre "Sauvegarder"
taper "$dossier/cinq"; touches Return
fenetre "Tournoi Cinq"
touches alt+j g
fenetre "Saisie des joueurs"
for nom in GG HH II JJ KK LL; do
  touches alt+n Tab; taper "$nom"; touches Tab; taper Paul; touches alt+v
done
touches Escape
for ronde in 1 2 3 4 5; do
  fenetre "Tournoi Cinq"
  touches ctrl+r
  fenetre "Voir les appariements"
  touches Escape
  fenetre "Tournoi Cinq"
  touches 1 Return equal Return 0 Return
  attendre_points "$dossier/cinq.tavo" $((ronde * 6))
done
touches ctrl+q
parti "Ctrl+Q après cinq rondes"
contient "$("$cli" rapport classement "$dossier/cinq.tavo")" "CLASSEMENT FINAL" "cinq rondes"
echo "au clavier seul : tournoi .tavo créé, six joueurs, deux rondes jouées sans « Sauver », repris après SIGKILL, puis en .pxi , une absence demandée, un appariement interdit et un forfait ; un tournoi de cinq rondes saisi dans la fenêtre principale"
