#!/usr/bin/env bash
# Starts the desktop program on a real X server (Xvfb, through xvfb-run) with
# the xcb platform plugin, as on the director's desktop, and checks that it is
# still running after 3 seconds. A missing platform plugin or library makes
# the program stop at once, and this test fail.
set -euo pipefail
programme="$1"
command -v xvfb-run >/dev/null || { echo "xvfb-run est absent (paquet xvfb)"; exit 1; }
journal="$(mktemp)"
trap 'rm -f "$journal"' EXIT
export QT_QPA_PLATFORM=xcb
statut=0
xvfb-run -a bash -c '
  "$1" > "$2" 2>&1 &
  pid=$!
  sleep 3
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    wait "$pid" || true
    exit 0
  fi
  wait "$pid"
  echo "code de sortie : $?"
  exit 1
' demarrage "$programme" "$journal" || statut=$?
if [ "$statut" -ne 0 ]; then
  echo "tavo ne tourne plus 3 secondes après son démarrage :"
  cat "$journal"
  exit 1
fi
if grep -q "Could not load the Qt platform plugin" "$journal"; then
  cat "$journal"
  exit 1
fi
echo "tavo a démarré sur Xvfb"
