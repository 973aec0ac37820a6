#!/usr/bin/env bash
# The real window program on its own X server, driven from the keyboard alone:
# the start-up focus, Tab around the ring, Enter on "=", the arrows from a
# button into a field, the selection on entry, and the focus after an error box. Field texts are read through
# the clipboard (select all, copy), which also exercises the standard editing.
#
# Usage: keyboard_focus.sh PATH/TO/bilan
set -euo pipefail

BILAN=${1:?usage: keyboard_focus.sh PATH/TO/bilan}
source "$(dirname "$0")/lib.sh"
for tool in Xvfb xdotool xclip; do
  command -v "$tool" >/dev/null || fail "missing $tool"
done

# The window manager gives the program's window the focus as a desktop does.
start_display
start_program
pids_to_stop=("$program_pid" "${pids_to_stop[@]}")
window=$(find_window Calcul 15) || fail "the window did not appear"
for _ in $(seq 50); do
  [[ $(xdotool getactivewindow 2>/dev/null || true) == "$window" ]] && break
  xdotool windowactivate "$window" 2>/dev/null || xdotool windowfocus "$window" || true
  sleep 0.1
done
sleep 0.5

failures=0
check() {  # check WHAT EXPECTED ACTUAL
  if [[ $2 == "$3" ]]; then
    echo "ok: $1"
  else
    echo "FAIL: $1: expected '$2', got '$3'" >&2
    failures=$((failures + 1))
  fi
}

keys() { xdotool key --delay 60 "$@"; sleep 0.2; }

# The text of the focused field, copied without changing its selection for
# good: select all, copy, and read the clipboard.
focused_text() {
  printf 'stale' | xclip -selection clipboard -i
  keys ctrl+a ctrl+c
  sleep 0.3
  xclip -selection clipboard -o 2>/dev/null || true
}

# Start-up: Edit1 has the focus, so typing goes there.
xdotool type --delay 60 "1000"
keys Tab
xdotool type --delay 60 "250,5"
# Five Tabs from Edit2: Edit3, Edit4, Edit5, Edit6, then "=".
keys Tab Tab Tab Tab Tab
keys Return
sleep 0.5

# Back along the ring with Shift+Tab: each field selects all on entry, and the
# copy reads it.
results=()
for _ in 1 2 3 4; do
  keys shift+Tab
  results+=("$(focused_text)")
done
check "Edit6 (megawatts)" "6,56562" "${results[0]}"
check "Edit5 (per year)" "6565620" "${results[1]}"
check "Edit4 (per day)" "17988" "${results[2]}"
check "Edit3 (net)" "749,5" "${results[3]}"

# Edit3 -> Edit4 -> Edit5 -> Edit6 -> "=", then Right twice: "C", then Edit1,
# which is entered with its whole text selected, so typing replaces it.
keys Tab Tab Tab Tab
keys Right Right
xdotool type --delay 60 "42"
sleep 0.2
check "typing after the arrows replaces Edit1" "42" "$(focused_text)"

# The arrows inside a field only move the caret: the focus stays in Edit1.
keys Home Right Left Down Up
xdotool type --delay 60 "7"
check "arrows stay in Edit1" "742" "$(focused_text)"

# A failed "=" pressed with Enter: after OK closes the error box, the focus is
# back on "=", so Left goes to Edit6, which still shows the last result.
keys ctrl+a
xdotool type --delay 60 "abc"
keys shift+Tab Left Return
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^bilan$' | head -n 1 || true)
check "the error box opened" "yes" "$([[ -n $box ]] && echo yes || echo no)"
sleep 0.3
keys Return
for _ in $(seq 30); do
  [[ $(xdotool getactivewindow 2>/dev/null || true) == "$window" ]] && break
  sleep 0.1
done
check "the window is active again" "$window" "$(xdotool getactivewindow 2>/dev/null || true)"
keys Left
check "the focus came back to = (Left reached Edit6)" "6,56562" "$(focused_text)"

# The middle button pastes the primary selection, cut to Edit2's limit of 10.
xdotool mousemove --window "$window" 350 222 click 1
keys ctrl+a BackSpace
printf '123456789012345' | xclip -selection primary -quiet -i >/dev/null 2>&1 &
xclip_pid=$!
sleep 0.3
xdotool mousemove --window "$window" 350 222 click 2
sleep 0.3
kill "$xclip_pid" 2>/dev/null || true
wait "$xclip_pid" 2>/dev/null || true
check "middle-button paste into Edit2 keeps ten characters" "1234567890" "$(focused_text)"

kill -0 "$program_pid" 2>/dev/null || fail "the program ended early"
((failures == 0)) || fail "$failures keyboard checks failed"
echo "all keyboard checks passed"
