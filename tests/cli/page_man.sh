#!/usr/bin/env bash
# The manual page against the program itself: every command that
# `tavo-cli --help` lists has its section ".SS name" under COMMANDES, naming
# each option of its usage line; every such section names a command that
# exists; the options listed under "Options :" are under OPTIONS; the page's
# heading carries the version that `tavo-cli --version` prints.
#   page_man.sh TAVO-CLI PAGE
set -euo pipefail
cli="$1"
page="$2"

# The page's source with "\-" read as "-" and the font changes dropped.
source_page=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$page")
aide=$("$cli" --help)
defauts=0
defaut() {
  echo "$*"
  defauts=$((defauts + 1))
}

# The lines of a block of the help ("Commandes :", "Options :") up to the
# first empty line. Here-strings rather than pipes, for the reason below.
bloc_aide() {
  awk -v titre="$1" '$0 == titre { dans = 1; next } dans && /^$/ { exit } dans' <<<"$aide"
}
# The lines of the page from the line `debut` exactly up to the next heading
# of the same level or above.
section() {
  awk -v debut="$1" '
    $0 == debut { dans = 1; sous = debut ~ /^\.SS/; next }
    dans && (/^\.SH( |$)/ || (sous && /^\.SS( |$)/)) { exit }
    dans' <<<"$source_page"
}
# The page names `option` in `texte` (not as the start of a longer option).
# A here-string rather than a pipe: grep -q stops at the first match, and the
# writer's SIGPIPE would then fail the pipeline (pipefail).
nomme() {
  grep -qE -- "$1([^a-z-]|\$)" <<<"$2"
}

commandes=()
while read -r nom usage; do
  commandes+=("$nom")
  texte=$(section ".SS $nom")
  if [ -z "$texte" ]; then
    defaut "la commande $nom n'a pas de section « .SS $nom » dans $page"
    continue
  fi
  for option in $(printf '%s\n' "$usage" | grep -oE -- '--[a-z][a-z-]*' || true); do
    nomme "$option" "$texte" || defaut "la section de $nom ne parle pas de $option"
  done
done < <(bloc_aide "Commandes :")
[ ${#commandes[@]} -gt 0 ] || defaut "tavo-cli --help ne liste aucune commande"

while read -r nom; do
  nom=${nom#.SS }
  grep -qF " $nom " <<<"$(printf ' %s \n' "${commandes[@]}")" ||
    defaut "la section « .SS $nom » décrit une commande que tavo-cli n'a pas"
done < <(section ".SH COMMANDES" | grep '^\.SS ' || true)

options=$(section ".SH OPTIONS")
for option in $(bloc_aide "Options :" | grep -oE -- '--[a-z][a-z-]*' || true); do
  nomme "$option" "$options" || defaut "la section OPTIONS ne parle pas de $option"
done

version=$("$cli" --version)
version=${version#tavo-cli }
grep -q "^\.TH .*\"TAVO $version\"" "$page" ||
  defaut "l'en-tête .TH de $page ne porte pas la version $version"

[ "$defauts" -eq 0 ] || exit 1
echo "${#commandes[@]} commandes documentées dans $page"
