#!/usr/bin/env bash
# The desktop program under a real window manager (Openbox) on two monitors side by side, the
# right one primary, as `xrandr --setmonitor` makes them. The calculator opens centred on the
# monitor under the pointer (the right one), its quit question centred on it. In the question,
# Tab and Shift+Tab reach No after Alt+F4 (whose Alt release the window manager keeps), so
# Tab, Space and Shift+Tab, Return keep the calculator as it was; in the About box Tab and
# Space answer OK. The windows carry what window managers ask for (ping, machine, process,
# icon in seven sizes). Minimised, the calculator comes back when the program is started again,
# and the second copy ends with status 0. Alt+F4, Return ends the program with status 0.
#
# usage: program_under_openbox.sh PROGRAM DRIVER
# Runs the X server itself through xvfb-run.
set -euo pipefail

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 2048x768x24 -nolisten tcp -noreset" \
        env DISPLAY_UNDER_TEST=1 bash "$0" "$@"
fi

program=$1
driver=$2
source "$(dirname "$0")/common.sh"

# The program's copies find each other in a folder of the test's own.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

xrandr --setmonitor LEFT 1024/270x768/200+0+0 none >/dev/null
xrandr --setmonitor '*RIGHT' 1024/270x768/200+1024+0 screen >/dev/null

openbox --sm-disable 2>"$work/openbox.err" &
openbox=$!
trap 'kill "$openbox" 2>/dev/null || true; cleanup' EXIT
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || fail "Openbox did not start"

# The place of window $1's client area on the screen, as "LEFT TOP WIDTH HEIGHT".
place_of() {
    xwininfo -id "$1" | sed -n 's/.*\(Absolute upper-left [XY]\|Width\|Height\): *//p' | tr '\n' ' '
}

# The centre of window $1's client area on the screen, as "X Y".
centre_of() {
    local left top width height
    read -r left top width height <<<"$(place_of "$1")"
    echo "$((left + width / 2)) $((top + height / 2))"
}

window_state() { xprop -id "$1" WM_STATE | sed -n 's/.*window state: *//p'; }

# The pointer rests on the right monitor, away from where the calculator opens.
xdotool mousemove 1900 40
"$program" 2>"$work/stderr" &
pid=$!
calculator=$(wait_for_window "Tavik Calculator 2.0" 15)
[[ -n $calculator ]] || fail "no calculator window: $(cat "$work/stderr")"
read -r cx cy <<<"$(centre_of "$calculator")"
((cx >= 1024 && cx < 2048)) || fail "the calculator's centre ($cx, $cy) is not on the right monitor"
# Tab and Shift+Tab leave the focus on the display, shown by its ring as the quit question's
# keys leave it.
xdotool windowactivate --sync "$calculator"
xdotool key Tab shift+Tab
sleep 0.3
import -window "$calculator" "PNG24:$work/before.png"

# What window managers ask of a client.
protocols=$(xprop -id "$calculator" WM_PROTOCOLS)
for protocol in WM_DELETE_WINDOW _NET_WM_PING; do
    grep -q "$protocol" <<<"$protocols" || fail "WM_PROTOCOLS lacks $protocol: $protocols"
done
[[ $(xprop -id "$calculator" WM_CLIENT_MACHINE) == *"\"$(uname -n)\""* ]] ||
    fail "WM_CLIENT_MACHINE: $(xprop -id "$calculator" WM_CLIENT_MACHINE)"
[[ $(xprop -id "$calculator" _NET_WM_PID) == *" = $pid" ]] || fail "_NET_WM_PID is not $pid"
icons=$(xprop -len 1000000 -id "$calculator" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
sizes=""
for size in 16 24 32 48 64 128 256; do sizes+="Icon ($size x $size) "; done
[[ $icons == "$sizes" ]] ||
    fail "the window icon comes in: $icons"

# Asks to close the calculator with Alt+F4, which Openbox takes, and answers with keys $@.
answer_quit_question() {
    xdotool windowactivate --sync "$calculator"
    xdotool key alt+F4
    local question
    question=$(wait_for_window Exit 5)
    [[ -n $question ]] || fail "Alt+F4 asked no question"
    [[ $(xdotool getwindowfocus) == "$question" ]] || fail "the question does not have the focus"
    read -r qx qy <<<"$(centre_of "$question")"
    ((qx - cx <= 1 && cx - qx <= 1 && qy - cy <= 1 && cy - qy <= 1)) ||
        fail "the question's centre ($qx, $qy) is not the calculator's ($cx, $cy)"
    xdotool key "$@"
    sleep 0.3
}

# Moved to the left monitor, the calculator keeps its question on it.
xdotool windowmove --sync "$calculator" 200 150
sleep 0.3
read -r cx cy <<<"$(centre_of "$calculator")"
((cx < 1024)) || fail "the calculator did not move to the left monitor"
for keys in "Tab space" "shift+Tab Return"; do
    read -r -a pressed <<<"$keys"
    answer_quit_question "${pressed[@]}"
    kill -0 "$pid" 2>/dev/null || fail "$keys in the quit question ended the program"
    [[ -z $(xdotool search --onlyvisible --name '^Exit$' || true) ]] ||
        fail "the question stayed after $keys"
    import -window "$calculator" "PNG24:$work/after.png"
    differing=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1) || true
    [[ $differing == 0 ]] || fail "after $keys the calculator differs in $differing pixels"
done

# About, from its label in the bottom-left corner: Tab keeps the focus in the box, Space
# answers it.
read -r left top _ <<<"$(place_of "$calculator")"
xdotool mousemove --sync $(caption_on_screen "$left" "$top" About) click 1
about=$(wait_for_window About 5)
[[ -n $about ]] || fail "no About box"
xdotool key Tab space
sleep 0.3
[[ -z $(xdotool search --onlyvisible --name '^About$' || true) ]] || fail "Tab, Space left About up"
xdotool mousemove 1900 40

# Started again while minimised: the calculator comes back, active, and the second copy ends.
xdotool windowminimize --sync "$calculator"
[[ $(window_state "$calculator") == Iconic ]] || fail "the calculator did not minimise"
DESKTOP_STARTUP_ID="e2e-launch_TIME$(($(date +%s) % 100000))" timeout 5 "$program" ||
    fail "the second copy ended with status $?"
for _ in $(seq 50); do
    [[ $(window_state "$calculator") == Normal ]] && break
    sleep 0.05
done
[[ $(window_state "$calculator") == Normal ]] || fail "the calculator stayed minimised"
[[ $(xdotool getactivewindow) == "$calculator" ]] || fail "the calculator is not active"

answer_quit_question Return
ends_with_status_0 "after Yes" "$work/stderr"
echo "PASS"
