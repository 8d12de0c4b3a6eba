#!/usr/bin/env bash
# The recovery copy with the real program, as a director would meet it: on a
# virtual X display, tavo opens a tournament, two results are typed at the
# keyboard (Ctrl+E, then 1 Enter = Enter), and tavo is killed (SIGKILL, as
# a power cut). Its recovery copy holds the two results, and tavo started
# again offers the copy back.
set -euo pipefail
tavo="$1"
cli="$2"
for outil in xvfb-run xdotool; do
  command -v "$outil" >/dev/null || { echo "$outil est absent (paquets xvfb, xdotool)"; exit 1; }
done
dossier="$(mktemp -d)"
trap 'rm -rf "$dossier"' EXIT
export XDG_STATE_HOME="$dossier/etat" XDG_CONFIG_HOME="$dossier/config" QT_QPA_PLATFORM=xcb
tournoi="$dossier/club.pxi"
"$cli" nouveau "$tournoi" --nom Club --date 12/12/26 --jeu Echecs --rondes 3 --departages BU >/dev/null
for nom in A B C D; do "$cli" joueur-ajouter "$tournoi" --nom "$nom" --prenom X >/dev/null; done
"$cli" ronde "$tournoi" >/dev/null   # 1-3 and 2-4

xvfb-run -a bash -c '
  set -eu
  tavo="$1"; tournoi="$2"; cli="$3"
  # The window named "Nom" once it shows (xdotool waits at most 15 s), given
  # the keyboard: there is no window manager to give it.
  fenetre() {
    local id
    id=$(timeout 15 xdotool search --sync --onlyvisible --name "$1" | head -n 1)
    xdotool windowfocus --sync "$id"
    sleep 0.5
  }
  "$tavo" "$tournoi" 2>/dev/null &
  pid=$!
  fenetre "Tournoi Club"
  xdotool key ctrl+e
  fenetre "Saisie des"
  for touche in 1 Return equal Return; do xdotool key "$touche"; done
  # Killed once the second result has reached the copy (at most 20 s).
  copie="$XDG_STATE_HOME/tavo/secours.pxi"
  for attente in $(seq 40); do
    grep -q "4B1" <<<"$("$cli" rapport historique "$copie" 2>/dev/null)" && break
    sleep 0.5
  done
  kill -9 "$pid"
  wait "$pid" 2>/dev/null || true

  # Started again: the copy is offered back.
  "$tavo" 2>/dev/null &
  pid=$!
  statut=0
  timeout 15 xdotool search --sync --onlyvisible --name "Copie de secours" >/dev/null || statut=$?
  kill -9 "$pid"
  wait "$pid" 2>/dev/null || true
  exit "$statut"
' secours "$tavo" "$tournoi" "$cli" || { echo "tavo n'a pas proposé sa copie de secours"; exit 1; }

copie="$XDG_STATE_HOME/tavo/secours.pxi"
[ -f "$copie" ] || { echo "pas de copie de secours dans $XDG_STATE_HOME/tavo"; exit 1; }
historique=$("$cli" rapport historique "$copie")
# Table 1: A (white) won against C; table 2: B and D drew.
for attendu in "3B2" "4B1"; do
  grep -q -- "$attendu" <<<"$historique" || { echo "résultat $attendu absent :"; echo "$historique"; exit 1; }
done
# The tournament file itself was never written.
grep -q "3B0" <<<"$("$cli" rapport historique "$tournoi")" || { echo "le fichier du tournoi a changé"; exit 1; }
echo "tavo tué après deux résultats : la copie de secours les garde et est proposée au redémarrage"
