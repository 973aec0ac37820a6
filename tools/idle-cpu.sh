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

# The virtual screen, the window manager and the start of the program are the
# end-to-end tests' own.
BILAN=$bilan
source "$here/tests/e2e/lib.sh"
if [ "${IDLE_WITHOUT_WM:-0}" = 1 ]; then start_display without-wm; else start_display; fi
start_program
pid=$program_pid
pids_to_stop=("$pid" "${pids_to_stop[@]}")
window=$(find_window Calcul 10) || fail "idle-cpu: no window"

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
if [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ]; then state="active"; else state="not active"; fi
hz=$(getconf CLK_TCK)
used=$((after - before))
awk -v t="$used" -v hz="$hz" -v s="$seconds" -v state="$state" -v w="$woke" 'BEGIN {
  printf "bilan idle for %d s (window %s): %d ticks of processor time (%.3f s, %.2f%% of one core), %d wake-ups\n",
         s, state, t, t / hz, 100 * t / hz / s, w }'
