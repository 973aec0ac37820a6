#!/usr/bin/env bash
# The real window program on its own X server, driven from the keyboard alone:
# the start-up focus, Tab around the ring, Enter on "=", the arrows from a
# button into a field, the selection on entry, and the focus after an error box. Field texts are read through
# the clipboard (select all, copy), which also exercises the standard editing.
#
# Usage: keyboard_focus.sh PATH/TO/bilan
set -euo pipefail

program=${1:?usage: keyboard_focus.sh PATH/TO/bilan}
for tool in Xvfb xdotool xclip; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

work=$(mktemp -d)
server_pid="" wm_pid="" app_pid=""
cleanup() {
  for pid in "$app_pid" "$wm_pid" "$server_pid"; do
    if [[ -n $pid ]]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  done
  rm -rf "$work"
}
trap cleanup EXIT

# A display number that no other server holds (other scripts count from 90).
# The server must be ours: if another one won the number, try the next.
display=""
for n in $(seq 71 89); do
  [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -dpi 96 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  server_pid=$!
  for _ in $(seq 100); do
    kill -0 "$server_pid" 2>/dev/null || break
    DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1 && { display=":$n"; break; }
    sleep 0.1
  done
  [[ -n $display ]] && break
  kill "$server_pid" 2>/dev/null || true
  wait "$server_pid" 2>/dev/null || true
  server_pid=""
done
[[ -n $display ]] || { echo "no X server could be started" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=$display

# A window manager gives the program's window the focus as a desktop does.
if command -v openbox >/dev/null; then
  openbox --sm-disable >"$work/wm.log" 2>&1 &
  wm_pid=$!
  sleep 0.5
fi

export LC_ALL=fr_FR.UTF-8
"$program" >"$work/stdout.log" 2>"$work/stderr.log" &
app_pid=$!

window=$(xdotool search --sync --onlyvisible --name '^Calcul$' | head -n 1)
[[ -n $window ]] || { echo "the window did not appear" >&2; exit 1; }
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

kill -0 "$app_pid" 2>/dev/null || { echo "the program ended early" >&2; cat "$work/stderr.log" >&2; exit 1; }
if ((failures > 0)); then
  echo "--- program stderr ---" >&2
  cat "$work/stderr.log" >&2
  exit 1
fi
echo "all keyboard checks passed"
