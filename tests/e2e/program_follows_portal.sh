#!/usr/bin/env bash
# The desktop program following the appearance that the settings portal says, on a private X
# server and session bus with a stand-in of the portal (portal_stand_in.py):
# - with reduced-motion 1 the splash is at its top opacity 0.5 s after the start, and the
#   calculator is shown within 3.2 s;
# - with contrast 1 the calculator window is the headless driver's high-contrast picture, whose
#   captions the driver's tests measure at 7:1 or more; with contrast back to 0 it is the
#   designed picture again within a second;
# - with color-scheme 1 the About box opens dark; back to 0, the open box repaints within a
#   second.
#
# usage: program_follows_portal.sh PROGRAM DRIVER
# Runs the X server itself through xvfb-run, and the session bus through dbus-run-session.
set -euo pipefail

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
        env DISPLAY_UNDER_TEST=1 dbus-run-session -- bash "$0" "$@"
fi

here=$(cd "$(dirname "$0")" && pwd)
program=$1
driver=$2
source "$here/common.sh"

portal=
trap 'if [[ -n $portal ]]; then kill "$portal"; fi; cleanup' EXIT

now_ms() { date +%s%3N; }

# Has the stand-in take the values "KEY VALUE" given, each announced with SettingChanged.
change() {
    printf '%s\n' "$@" >"$work/change"
    kill -USR1 "$portal"
}

/usr/bin/python3 "$here/portal_stand_in.py" --version 1 --control "$work/change" \
    color-scheme=0 contrast=1 reduced-motion=1 &
portal=$!
within 50 dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetNameOwner string:org.freedesktop.portal.Desktop >/dev/null 2>&1 ||
    fail "the portal stand-in took no name"

xdotool mousemove 1270 1010  # away from every key
started=$(now_ms)
LC_ALL=C "$program" 2>"$work/stderr" &
pid=$!
splash=$(wait_for_window "Tavik Calculator" 10)
[[ -n $splash ]] || fail "no splash window"
while (($(now_ms) - started < 500)); do sleep 0.02; done
opacity=$(xprop -id "$splash" _NET_WM_WINDOW_OPACITY | awk '{print $3}')
[[ $opacity == 4210752250 ]] || fail "0.5 s after the start the splash's opacity is $opacity"
calculator=$(wait_for_window "Tavik Calculator 2.0" 10)
[[ -n $calculator ]] || fail "no calculator window"
calculator_ms=$(($(now_ms) - started))
((calculator_ms <= 3200)) || fail "the calculator came after ${calculator_ms} ms"
echo "reduced motion: the calculator after ${calculator_ms} ms: PASS"

sleep 0.3
shows_as_headless "$calculator" 'appearance high-contrast\nwait 5000' ||
    fail "under contrast 1 the window is not the high-contrast picture"
change "contrast 0"
within 10 shows_as_headless "$calculator" 'wait 5000' ||
    fail "a second after contrast 0 the window is not the designed picture"
echo "high contrast and back: PASS"

change "color-scheme 1"
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$calculator")"
xdotool mousemove --sync $(caption_on_screen "$X" "$Y" About) click 1 mousemove 1270 1010
about=$(wait_for_window About 5)
[[ -n $about ]] || fail "no About box"
sleep 0.3
shows_as_headless "$about" 'appearance dark\nwait 5000\nclick About' ||
    fail "with color-scheme 1 the About box is not dark"
change "color-scheme 0"
within 10 shows_as_headless "$about" 'wait 5000\nclick About' ||
    fail "a second after color-scheme 0 the open About box is not light"
echo "dark About box and back: PASS"

kill "$pid"
wait "$pid" || true
pid=
