#!/usr/bin/env bash
# Typing on the desktop program on a private X server, with the keys xdotool presses: after
# "12.5*4=" and with "5" held down the window equals the headless driver's picture after the
# same keys, and the driver shows the same after clicking 1 2 , 5 X 4 =; then the checks of
# typed_keys.sh, and a drag across the display makes its text the PRIMARY selection.
#
# usage: program_typed_under_xvfb.sh PROGRAM DRIVER
# Runs the X server itself through xvfb-run.
set -euo pipefail

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
        env DISPLAY_UNDER_TEST=1 bash "$0" "$@"
fi

program=$1
driver=$2
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/typed_keys.sh"
export LC_ALL=C  # the decimal separator is the point, as in the driver

read_clipboard() { timeout 5 xclip -o -selection clipboard; }
write_clipboard() { printf '%s' "$1" | xclip -selection clipboard >/dev/null 2>&1; }
click() { xdotool mousemove --sync $(caption_on_screen "$X" "$Y" "$1") click 1 mousemove --sync 1010 750; }
# The window equals the driver's picture after its commands $2 (lines) typed from the start.
expect_picture() {
    printf 'wait 5000\n%s\nmove 1000 1000\nwait 100\nshot %s\n' "$2" "$work/headless.png" | "$driver" >/dev/null
    import -window "$calculator" "PNG24:$work/window.png"
    differing=$(compare -metric AE "$work/window.png" "PNG24:$work/headless.png" null: 2>&1) || true
    [[ $differing == 0 ]] || fail "$1: the window differs from the headless picture in $differing pixels"
}

"$program" 2>"$work/stderr" &
pid=$!
calculator=$(wait_for_window "Tavik Calculator 2.0" 15)
[[ -n $calculator ]] || fail "no calculator window"
eval "$(xdotool getwindowgeometry --shell "$calculator")"
xdotool mousemove --sync 1010 750 windowfocus --sync "$calculator"

xdotool type --delay 40 '12.5*4='
sleep 0.3
expect_picture "12.5*4= typed" "type 12.5*4="
clicked=$(printf 'wait 5000\nclick 1\nclick 2\nclick ,\nclick 5\nclick X\nclick 4\nclick =\nprint display\n' | "$driver")
[[ $clicked == "[50]" ]] || fail "clicking 1 2 , 5 X 4 = shows $clicked"
# Held, the key is drawn down; the X server does not repeat it meanwhile.
xset r off
xdotool key Escape keydown 5
sleep 0.3
expect_picture "5 held" "$(printf 'type 12.5*4=\nkey Escape\nkeydown 5')"
xdotool keyup 5
xset r on
expect_display 5 "5 held and let go"

typed_checks
xdotool mousemove --sync $((X + 30)) $((Y + 22)) mousedown 1 mousemove --sync $((X + 240)) $((Y + 22)) mouseup 1
primary=$(timeout 5 xclip -o -selection primary) || true
[[ $primary == 42.5 ]] || fail "the drag across the display made \"$primary\" the primary selection"

xdotool key alt+F4
[[ -n $(wait_for_window Exit 5) ]] || fail "closing asked no question"
xdotool key y
ends_with_status_0 "after Yes" "$work/stderr"
echo "PASS"
