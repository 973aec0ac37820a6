#!/usr/bin/env bash
# The real program on a virtual screen: its window and icon, one calculation,
# the error box of a failed "=" (caption, blocked window, focus back on "="),
# and the end of the process when the window is closed.
# Usage: calculation_run.sh <bilan> <window definition>
BILAN=$1
FORM_DEFINITION=$2
source "$(dirname "$0")/lib.sh"

start_display
start_program
main=$(find_window Calcul 15) || fail "no window titled Calcul"
wait_settled "$main" || fail "the window does not stand still"
note "main window $main"

[ "$(prop "$main" WM_NAME)" = 'WM_NAME(STRING) = "Calcul"' ] || fail "title: $(prop "$main" WM_NAME)"
has_prop "$main" WM_CLASS '"bilan", "bilan"' || fail "class: $(prop "$main" WM_CLASS)"
icon=$(prop "$main" _NET_WM_ICON)
[[ "$icon" == *'Icon (128 x 128):'* ]] || fail "the window carries no 128 x 128 icon"
icons=$(grep -c 'Icon (' <<<"$icon" || true)
[ "$icons" -eq 1 ] || fail "$icons icons instead of one"
note "icon 128 x 128"

type_into "$main" Edit1 "1000"
type_into "$main" Edit2 "250,5"
click_control "$main" Button1
expect_field "$main" Edit3 "749,5"
expect_field "$main" Edit4 "17988"
expect_field "$main" Edit5 "6565620"
expect_field "$main" Edit6 "6,56562"

# "=" with an empty production field.
type_into "$main" Edit1 ""
click_control "$main" Button1
box=$(find_window bilan 10) || fail "no error box captioned bilan"
[ "$(prop "$box" WM_NAME)" = 'WM_NAME(STRING) = "bilan"' ] || fail "box caption: $(prop "$box" WM_NAME)"
has_prop "$box" _NET_WM_STATE _NET_WM_STATE_MODAL || fail "the box is not modal"
note "error box $box captioned bilan"

# While it is open the main window takes no input: "C" does not clear.
click_control "$main" Button2
sleep 0.3
xdotool windowactivate --sync "$box" key Return
wait_for 5 no_visible_window bilan || fail "the box did not close on Enter"

# The focus is back on "=": Space presses it, and the same error comes again.
xdotool key space
box=$(find_window bilan 5) || fail "Space after the box did not press '='"
xdotool windowactivate --sync "$box" key Return
wait_for 5 no_visible_window bilan || fail "the second box did not close"
expect_field "$main" Edit2 "250,5"
expect_field "$main" Edit3 "749,5"

# The window works again.
type_into "$main" Edit1 "2000"
type_into "$main" Edit2 "500"
click_control "$main" Button1
expect_field "$main" Edit3 "1500"
expect_field "$main" Edit6 "13,14"

# The close command, as the taskbar gives it, ends the process with status 0.
wmctrl -c Calcul
expect_exit 10 0
echo "PASS"
