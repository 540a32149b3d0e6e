#!/usr/bin/env bash
# Typing on the desktop program on a private X server, with the keys xdotool presses: the whole
# window after typing "12.5*4=" equals the headless driver's picture after the same keys, and the
# driver shows the same display after clicking 1 2 , 5 X 4 =. Then, read back through the
# clipboard with Ctrl+C: keypad keys, BackSpace, Escape, Delete, Return with a
# key focused; Ctrl+C after clicks copies the whole display, and a drag across it makes its text
# the PRIMARY selection. A held key is drawn down (as the
# driver draws it held) and up again once let go; a paste of "42.5" enters it, and text that is
# no number changes nothing.
#
# usage: program_typed_under_xvfb.sh PROGRAM DRIVER
# Runs the X server itself through xvfb-run.
set -euo pipefail
[[ -n ${TRACE:-} ]] && set -x

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
        env DISPLAY_UNDER_TEST=1 bash "$0" "$@"
fi

program=$1
driver=$2
source "$(dirname "$0")/common.sh"
export LC_ALL=C  # the decimal separator is the point, as in the driver

# The display's text, as Ctrl+C copies it.
display() {
    printf '' | xclip -selection clipboard >/dev/null 2>&1
    xdotool key ctrl+c
    sleep 0.2
    xclip -o -selection clipboard
}
expect_display() {
    local shown
    shown=$(display)
    [[ $shown == "$1" ]] || fail "after $2 the display shows \"$shown\", not \"$1\""
}
# The window's pixels equal the driver's picture after the script on standard input.
expect_picture() {
    "$driver" >/dev/null
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
expect_picture "12.5*4= typed" <<SCRIPT
wait 5000
type 12.5*4=
move 1000 1000
wait 100
shot $work/headless.png
SCRIPT
clicked=$(printf 'wait 5000\nclick 1\nclick 2\nclick ,\nclick 5\nclick X\nclick 4\nclick =\nprint display\n' | "$driver")
[[ $clicked == "[50]" ]] || fail "clicking 1 2 , 5 X 4 = shows $clicked"
expect_display 50 "12.5*4="

xdotool key Escape KP_7 KP_Add KP_3 KP_Enter KP_Multiply KP_2 KP_Decimal KP_5 KP_Enter
expect_display 25 "7 + 3 = X 2.5 = on the keypad"
xdotool key Escape
xdotool type --delay 40 '987'
xdotool key BackSpace
expect_display 98 BackSpace
# The display cleared shows just what is typed next.
xdotool key Delete
xdotool type --delay 40 '6'
expect_display 6 "Delete, 6"
xdotool key Escape
xdotool type --delay 40 '7'
expect_display 7 "Escape, 7"

# Return means "=" with a key focused: the click on "4" gave that key the focus.
xdotool key Escape
xdotool mousemove --sync $(caption_on_screen "$X" "$Y" 4) click 1 mousemove --sync 1010 750
xdotool type --delay 40 '+2'
xdotool key Return
expect_display 6 "4 + 2 Return"

# Ctrl+C after clicks copies the whole display, whichever key has the focus.
xdotool key Escape
for caption in 4 2; do
    xdotool mousemove --sync $(caption_on_screen "$X" "$Y" "$caption") click 1
    sleep 0.1
done
xdotool mousemove --sync 1010 750
expect_display 42 "clicks on 4 and 2"

# A held key is drawn down until it is let go; then it clicks. The X server does not repeat it
# meanwhile.
xset r off
xdotool key Escape keydown 5
sleep 0.3
expect_picture "5 held" <<SCRIPT
wait 5000
click 4
click 2
key Escape
move 1000 1000
keydown 5
wait 100
shot $work/headless.png
SCRIPT
xdotool keyup 5
xset r on
sleep 0.3
expect_picture "5 let go" <<SCRIPT
wait 5000
click 4
click 2
key Escape
move 1000 1000
key 5
wait 100
shot $work/headless.png
SCRIPT
expect_display 5 "5 held and let go"

# A paste of a number enters it; text that is no number changes nothing.
printf '42.5' | xclip -selection clipboard >/dev/null 2>&1
xdotool key Escape ctrl+v
expect_display 42.5 "a paste of 42.5"
printf '4 2' | xclip -selection clipboard >/dev/null 2>&1
xdotool key ctrl+v
expect_display 42.5 "a paste of \"4 2\""

# A drag across the display makes its text the PRIMARY selection too.
xdotool mousemove --sync $((X + 30)) $((Y + 22)) mousedown 1 mousemove --sync $((X + 240)) $((Y + 22)) mouseup 1
primary=$(timeout 5 xclip -o -selection primary) || true
[[ $primary == 42.5 ]] || fail "the drag across the display made \"$primary\" the primary selection"
xdotool mousemove --sync 1010 750

xdotool key alt+F4
question=$(wait_for_window Exit 5)
[[ -n $question ]] || fail "closing asked no question"
xdotool key y
ends_with_status_0 "after Yes" "$work/stderr"
echo "PASS"
