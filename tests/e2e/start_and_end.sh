#!/usr/bin/env bash
# The real program's first showing and end: "--maximized" and "--minimized"
# from a launcher, the title of copies under other names, and the ways the
# process ends (the close command, Alt+F4, the end of the session).
# Usage: start_and_end.sh <bilan> <window definition>
BILAN=$1
FORM_DEFINITION=$2
source "$(dirname "$0")/lib.sh"


start_display

# Maximised first showing.
start_program --maximized
main=$(find_window Calcul 15) || fail "no window titled Calcul"
wait_for 5 has_prop "$main" _NET_WM_STATE _NET_WM_STATE_MAXIMIZED_HORZ ||
  fail "--maximized: $(prop "$main" _NET_WM_STATE)"
has_prop "$main" _NET_WM_STATE _NET_WM_STATE_MAXIMIZED_VERT || fail "--maximized: $(prop "$main" _NET_WM_STATE)"
width=$(xdotool getwindowgeometry "$main" | awk '/Geometry/ { split($2, s, "x"); print s[1] }')
[ "$width" -ge 1200 ] || fail "maximised width $width"
note "maximised, $width pixels wide"
wmctrl -c Calcul
expect_exit 10 0

# Minimised first showing: only the taskbar entry until restored.
start_program --minimized
main=$(find_any_window Calcul 15) || fail "no window titled Calcul"
wait_for 5 has_prop "$main" WM_STATE 'window state: Iconic' || fail "--minimized: $(prop "$main" WM_STATE)"
no_visible_window Calcul || fail "--minimized: the window is on the screen"
has_prop "$main" _NET_WM_STATE _NET_WM_STATE_HIDDEN || fail "--minimized: $(prop "$main" _NET_WM_STATE)"
note "minimised"
# Restoring it from the taskbar entry activates the window, which then works.
xdotool windowactivate "$main"
find_window Calcul 5 >/dev/null || fail "the window did not come back"
wait_for 5 has_prop "$main" WM_STATE 'window state: Normal' || fail "not restored"
wait_for 5 has_focus "$main" || fail "the restored window has not the focus"
wait_settled "$main" || fail "the restored window does not stand still"
type_into "$main" Edit1 "1000"
type_into "$main" Edit2 "250,5"
click_control "$main" Button1
expect_field "$main" Edit3 "749,5"
note "restored and working"
# A session end (SIGTERM at logout) closes it the normal way.
kill -TERM "$program_pid"
expect_exit 10 0

# Copies under other names: the title, from the file name, captions the box
# and names the program's windows; the main window stays "Calcul".
# Qt's own options are not read from the command line either: the window
# still opens on this display, under its own class.
# A link is not a copy: the title comes from the file it leads to.
check_copy() {
  local file=$1 title=$2 how=${3:-copy}
  mkdir -p "$work_dir/copy"
  if [ "$how" = link ]; then
    ln -s "$(readlink -f "$BILAN")" "$work_dir/copy/$file"
  else
    cp "$BILAN" "$work_dir/copy/$file"
  fi
  PROGRAM="$work_dir/copy/$file" start_program -platform offscreen -name autre
  main=$(find_window Calcul 15) || fail "$file: no window titled Calcul"
  [ "$(prop "$main" WM_CLASS)" = "WM_CLASS(STRING) = \"$file\", \"$title\"" ] ||
    fail "$file: class $(prop "$main" WM_CLASS)"
  wait_settled "$main" || fail "$file: the window does not stand still"
  click_control "$main" Button1
  box=$(find_window "$title" 10) || fail "$file: no error box captioned $title"
  xdotool windowactivate --sync "$box" key Return
  wait_for 5 no_visible_window "$title" || fail "$file: the box did not close"
  note "$file ($how): title $title"
}
check_copy BILAN Bilan
kill -HUP "$program_pid"
expect_exit 10 0

check_copy LIEN bilan link
wmctrl -c Calcul
expect_exit 10 0

check_copy Mon.Calcul Mon
# Alt+F4, the window manager's close key.
xdotool windowactivate --sync "$main" key alt+F4
expect_exit 10 0
echo "PASS"
