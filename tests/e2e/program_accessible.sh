#!/usr/bin/env bash
# The desktop program as screen readers see it: in a D-Bus session of its own, with at-spi2-core's
# bus launcher and registry and accessibility turned on (org.a11y.Status IsEnabled), on a private
# X server at 1x and at 2x (Xft.dpi 192), accessible_calculator.py checks the tree, the actions,
# the display's text and its events, the extents of "7" where the headless driver finds it, the
# focus and the quit question; the program then ends with status 0 after Yes.
#
# usage: program_accessible.sh PROGRAM DRIVER
# Runs the X server itself through xvfb-run, and the session through dbus-run-session.
set -euo pipefail

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1600x1400x24 -nolisten tcp -noreset" \
        env DISPLAY_UNDER_TEST=1 dbus-run-session -- bash "$0" "$@"
fi

program=$1
driver=$2
here=$(dirname "$0")
source "$here/common.sh"
source "$here/accessibility_bus.sh"
# pyatspi is Debian's, for the system's own Python.
python=/usr/bin/python3

set_accessibility true

check_scale() {
    local scale=$1 calculator seven
    "$program" 2>"$work/stderr" &
    pid=$!
    calculator=$(wait_for_window "Tavik Calculator 2.0" 20)
    [[ -n $calculator ]] || fail "no calculator window at scale $scale"
    eval "$(xdotool getwindowgeometry --shell "$calculator")"
    xdotool windowfocus --sync "$calculator"
    seven=$(caption_on_screen "$X" "$Y" 7 "$scale")
    "$python" "$here/accessible_calculator.py" "$scale" $seven || fail "at scale $scale"
    xdotool key alt+F4
    sleep 0.5
    xdotool key alt+y
    ends_with_status_0 "after Yes to the quit question" "$work/stderr"
    [[ ! -s $work/stderr ]] || fail "the program wrote: $(cat "$work/stderr")"
    echo "scale $scale: PASS"
}

check_scale 1
echo "Xft.dpi: 192" | xrdb -nocpp -merge
check_scale 2
echo "PASS"
