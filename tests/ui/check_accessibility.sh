#!/usr/bin/env bash
# Starts the window probe, reads its accessible tree from the accessibility bus
# and compares it with what assistive tools must find: the window, then its six
# fields and two buttons in creation order, each named after its caption, the
# fields with their texts; no entry for labels, shapes or pictures.
# Usage: check_accessibility.sh PROBE TREE_SCRIPT (inside a D-Bus session and
# with a display).
set -euo pipefail
probe=$1
tree=$2

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work  # the accessibility bus puts its socket there
chmod 700 "$work"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$probe" >"$work/probe.out" 2>"$work/probe.err" &
window=$!
trap 'kill "$window" 2>/dev/null || true; wait "$window" 2>/dev/null || true; rm -rf "$work"' EXIT

for _ in $(seq 100); do
  grep -q ready "$work/probe.out" && break
  sleep 0.1
done
grep -q ready "$work/probe.out" || { cat "$work/probe.err" >&2; exit 1; }

expected="application|form1_accessibility_probe|
filler|Calcul|
text|Production W/H|1234
text|Consommation des pompes W/H|
text|Production nette|0,0
push button|=|
push button|C|
text|Production par jour|0,0
text|Production par an|0,0
text|conversion en megawatt|0,0"

# The bridge registers the window shortly after it appears; ask a few times.
for _ in $(seq 20); do
  actual=$(bash "$tree" 2>/dev/null || true)
  [ "$actual" = "$expected" ] && { echo "$actual"; exit 0; }
  sleep 0.25
done
echo "accessible tree differs; expected:" >&2
echo "$expected" >&2
echo "actual:" >&2
echo "$actual" >&2
exit 1
