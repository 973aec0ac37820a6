#!/usr/bin/env bash
# Measures the processor time the window program uses while nobody touches it:
# starts bilan on a private virtual screen, lets it settle, then reads its
# user and system time from /proc before and after an idle period and prints
# the difference. A program that waits for events without timers or polling
# shows 0 ticks here. With openbox on the screen the window is active and the
# caret blinks in the first field, as on a desktop; the blinking is Qt's.
# With IDLE_WITHOUT_WM=1 no window manager runs, the window is never active,
# and nothing at all should wake the program.
#
# Usage: [IDLE_WITHOUT_WM=1] tools/idle-cpu.sh [bilan] [seconds]
#        (defaults: build/app/bilan, 5)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bilan=${1:-$here/build/app/bilan}
seconds=${2:-5}
[ -x "$bilan" ] || { echo "idle-cpu: no program at $bilan (build it first)" >&2; exit 2; }

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=("$!")
for _ in $(seq 100); do grep -q '[0-9]' "$work/display" 2>/dev/null && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
if [ "${IDLE_WITHOUT_WM:-0}" != 1 ] && command -v openbox >/dev/null 2>&1; then
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  pids+=("$!")
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
fi

QT_QPA_PLATFORM=xcb LC_ALL=fr_FR.UTF-8 "$bilan" >"$work/bilan.log" 2>&1 &
pid=$!
pids=("$pid" "${pids[@]}")

for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^Calcul$' >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Calcul$' >/dev/null 2>&1 || { echo "idle-cpu: no window" >&2; exit 1; }

# utime and stime are fields 14 and 15 of /proc/<pid>/stat, in clock ticks;
# the command name (field 2) may hold spaces, so count from after its ")".
ticks() { sed 's/.*) //' "/proc/$pid/stat" | awk '{ print $12 + $13 }'; }

# How often the process woke up: its voluntary context switches (all threads).
wakeups() { cat /proc/"$pid"/task/*/status | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n }'; }

sleep 2 # the first painting and font loading are not idleness
before=$(ticks)
woke_before=$(wakeups)
sleep "$seconds"
after=$(ticks)
woke=$(($(wakeups) - woke_before))
window=$(xdotool search --onlyvisible --name '^Calcul$' | head -n 1)
if [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ]; then state="active"; else state="not active"; fi
hz=$(getconf CLK_TCK)
used=$((after - before))
awk -v t="$used" -v hz="$hz" -v s="$seconds" -v state="$state" -v w="$woke" 'BEGIN {
  printf "bilan idle for %d s (window %s): %d ticks of processor time (%.3f s, %.2f%% of one core), %d wake-ups\n",
         s, state, t, t / hz, 100 * t / hz / s, w }'
