#!/usr/bin/env bash
# The desktop program on Wayland as a user meets it. Weston shows its output in a window on a
# private X server and takes that server's pointer and keyboard as its seat, so xdotool's clicks
# and keys reach the program through the compositor. Clicks on "2", "+", "3" and "=" leave the
# calculator equal to the headless driver's picture; a drag on the title bar moves the window
# by the drag; the display's text selected and copied with Ctrl+C is what another program
# pastes. A held key is drawn down as the headless driver draws it, and the checks of
# typed_keys.sh pass as on X11. The close box asks the
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
source "$here/typed_keys.sh"

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

env -u DISPLAY LC_ALL=C WAYLAND_DEBUG=client "$program" 2>"$work/protocol" &
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

# A key held is drawn down, as the driver draws it; neither the X server under Weston nor the
# program (WESTON_REPEAT_DELAY) repeats it meanwhile. Then the checks of typed_keys.sh.
printf 'wait 5000\nclick 2\nclick +\nclick 3\nclick =\nmove 100 30\ndown\nup\nkey Escape
move 1000 1000\nkeydown 5\nwait 100\nshot %s\n' "$work/held.png" | "$driver" >/dev/null
xset r off
park_pointer
xdotool key Escape keydown 5
place_of "$work/held.png" >/dev/null || fail "the held key differs from the headless picture"
xdotool keyup 5
xset r on
read_clipboard() { timeout 5 wl-paste --no-newline; }
# wl-copy takes the keyboard for a moment with a surface of its own to set the selection: wait
# until the selection is there and the calculator has had time to get the keyboard back.
write_clipboard() {
    printf '%s' "$1" | wl-copy
    for _ in $(seq 50); do
        [[ $(read_clipboard) == "$1" ]] && break
        sleep 0.1
    done
    sleep 0.5
}
click() {
    pointer_to "$(caption_on_screen "$x" "$y" "$1")"
    xdotool click 1
    park_pointer
}
typed_checks

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
