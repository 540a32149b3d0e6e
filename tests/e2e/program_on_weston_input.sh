#!/usr/bin/env bash
# The desktop program on Wayland as a user meets it. Weston shows its output in a window on a
# private X server and takes that server's pointer and keyboard as its seat, so xdotool's clicks
# and keys reach the program through the compositor. Clicks on "2", "+", "3" and "=" leave the
# calculator equal to the headless driver's picture; a drag on the title bar moves the window
# by the drag; the display's text selected and copied with Ctrl+C is what another program
# pastes. Typed keys press the keypad's keys, read back with Ctrl+C: "12.5*4=", the keypad,
# BackSpace, Return with a key focused; a held key is drawn down as the headless driver draws it;
# a paste of "42.5" enters it and text that is no number changes nothing. The close box asks the
# quit question, whose "N" keeps the program; Alt+F4 asks again and Enter ("Yes") ends the
# program with status 0.
#
# usage: program_on_weston_input.sh PROGRAM DRIVER FIND_PICTURE
# Runs its own X server (xvfb-run) and Weston on it (weston_run.sh).
set -euo pipefail

here=$(dirname "$0")
if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        env DISPLAY_UNDER_TEST=1 WESTON_BACKEND=x11 WESTON_REPEAT_DELAY=5000 \
        "$here/weston_run.sh" bash "$0" "$@"
fi

program=$1
driver=$2
find_picture=$3
source "$here/common.sh"

# Weston's 1024 x 768 output window lies at the X screen's origin: X coordinates are output
# coordinates. Weston follows the X pointer only from its entering the output window on: a
# screenshot may grab the X server, after which Weston takes the pointer for gone. So the
# pointer comes in from beyond the output's edge before each input (to = "X Y").
pointer_to() { xdotool mousemove --sync 1200 900 mousemove --sync $1; }
# Weston draws the pointer into its output: it waits in a corner, away from windows.
park_pointer() { pointer_to "1020 760"; }

# The ids of the toplevel windows the program made so far, one a line.
toplevels() { sed -n 's/.*get_toplevel(new id xdg_toplevel@\([0-9]*\)).*/\1/p' "$work/protocol"; }

# Where the PNG $1 shows on the screen, as "X Y", waiting up to 15 s for it.
place_of() {
    for _ in $(seq 75); do
        import -window root "PNG24:$work/screen.png"
        "$find_picture" "$work/screen.png" "$1" && return 0
        sleep 0.2
    done
    return 1
}

"$driver" >/dev/null <<SCRIPT
wait 5000
shot $work/start.png
click 2
click +
click 3
click =
move 1000 1000
wait 100
shot $work/five.png
SCRIPT

env -u DISPLAY WAYLAND_DEBUG=client "$program" 2>"$work/protocol" &
pid=$!
park_pointer
read -r x y < <(place_of "$work/start.png") || fail "the calculator never showed"
# The calculator takes input once the splash has gone.
splash=$(toplevels | sed -n 1p)
for _ in $(seq 50); do
    grep -q "xdg_toplevel@$splash\.destroy()" "$work/protocol" && break
    sleep 0.1
done

for caption in 2 + 3 =; do
    pointer_to "$(caption_on_screen "$x" "$y" "$caption")"
    xdotool click 1
    sleep 0.1
done
park_pointer
place_of "$work/five.png" >/dev/null || fail "after 2 + 3 = the calculator differs from the headless picture"

# The title bar lies right above the client area.
pointer_to "$((x + 100)) $((y - 12))"
xdotool mousedown 1
xdotool mousemove --sync $((x + 175)) $((y + 20))
xdotool mousemove --sync $((x + 250)) $((y + 48)) mouseup 1
park_pointer
read -r moved_x moved_y < <(place_of "$work/five.png") || fail "the calculator is gone after the drag"
[[ "$moved_x $moved_y" == "$((x + 150)) $((y + 60))" ]] ||
    fail "the drag moved the calculator from $x,$y to $moved_x,$moved_y"
x=$moved_x
y=$moved_y

pointer_to "$((x + 30)) $((y + 22))"
xdotool mousedown 1
xdotool mousemove --sync $((x + 240)) $((y + 22)) mouseup 1 key ctrl+c
pasted=$(timeout 5 wl-paste --no-newline) || fail "nothing to paste"
[[ $pasted == 5 ]] || fail "the clipboard holds \"$pasted\""

# A key held is drawn down, as the driver draws it, with the display focused and emptied.
"$driver" >/dev/null <<SCRIPT
wait 5000
click 2
click +
click 3
click =
move 100 30
down
up
key Escape
move 1000 1000
keydown 5
wait 100
shot $work/held.png
SCRIPT
# Neither the X server under Weston nor the program (WESTON_REPEAT_DELAY) repeats it meanwhile.
xset r off
park_pointer
xdotool key Escape keydown 5
place_of "$work/held.png" >/dev/null || fail "the held key differs from the headless picture"
xdotool keyup 5
xset r on

# The display's text as Ctrl+C copies it.
expect_display() {
    local shown
    xdotool key ctrl+c
    sleep 0.3
    shown=$(timeout 5 wl-paste --no-newline) || true
    [[ $shown == "$1" ]] || fail "after $2 the display shows \"$shown\", not \"$1\""
}
expect_display 5 "5 held and let go"
xdotool key Escape
xdotool type --delay 60 '12.5*4='
expect_display 50 "12.5*4="
xdotool key Escape KP_7 KP_Add KP_3 KP_Enter
expect_display 10 "7 + 3 = on the keypad"
xdotool key Escape
xdotool type --delay 60 '987'
xdotool key BackSpace
expect_display 98 BackSpace
xdotool key Escape
pointer_to "$(caption_on_screen "$x" "$y" 4)"
xdotool click 1
park_pointer
xdotool type --delay 60 '+2'
xdotool key Return
expect_display 6 "4 + 2 Return with the key 4 focused"
printf '42.5' | wl-copy
xdotool key Escape ctrl+v
expect_display 42.5 "a paste of 42.5"
printf '4e2' | wl-copy
xdotool key ctrl+v
expect_display 42.5 "a paste of 4e2"

[[ $(toplevels | wc -l) == 2 ]] || fail "windows besides the splash and the calculator"
pointer_to "$((x + 300)) $((y - 12))"
xdotool click 1
sleep 0.5
question=$(toplevels | sed -n 3p)
[[ -n $question ]] || fail "the close box asked no question"
xdotool key n
sleep 0.5
# Object ids are used again: only what follows the question's making counts.
awk '/get_toplevel\(new id/ { made++ } made >= 3' "$work/protocol" |
    grep -q "xdg_toplevel@$question\.destroy()" || fail "\"N\" left the question open"
kill -0 "$pid" || fail "the program ended when the quit question was answered \"No\""

xdotool key alt+F4
sleep 0.5
xdotool key Return
ends_with_status_0 "after \"Yes\"" "$work/protocol"
echo "PASS"
