#!/usr/bin/env bash
# The real program without any display: a French line on standard error and
# exit status 1, not Qt's abort.
# Usage: no_display.sh <bilan>
set -euo pipefail
bilan=$1
out=$(mktemp)
trap 'rm -f "$out"' EXIT

run() {
  set +e
  env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE LC_ALL=fr_FR.UTF-8 "$@" "$bilan" 2>"$out" >/dev/null
  status=$?
  set -e
}

expect() {
  local what=$1 line=$2
  [ "$status" -eq 1 ] || { echo "FAIL: $what: exit status $status" >&2; cat "$out" >&2; exit 1; }
  [ "$(cat "$out")" = "$line" ] || { echo "FAIL: $what: stderr '$(cat "$out")'" >&2; exit 1; }
  echo "-- $what: status 1, $line"
}

run env -u DISPLAY
expect "no DISPLAY" "bilan : aucun affichage graphique n'est disponible (la variable DISPLAY n'est pas définie)."

# A display number that nothing serves.
n=173
while [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
run env DISPLAY=":$n"
expect "display :$n unserved" "bilan : aucun affichage graphique n'est disponible (impossible d'ouvrir l'affichage « :$n »)."
echo "PASS"
