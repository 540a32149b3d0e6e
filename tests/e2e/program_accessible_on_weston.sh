#!/usr/bin/env bash
# The screen readers' view of the program on Wayland: in a D-Bus session of its own with
# at-spi2-core's launcher and registry and accessibility on, Weston shows its output in a window
# on a private X server and takes that server's keyboard as its seat, so xdotool's keys (Tab,
# Alt+F4) reach the program through the compositor. accessible_calculator.py checks what it
# checks on X11 but the extents: Wayland tells no program where its windows are on the screen.
# Yes to the quit question then ends the program with status 0.
#
# usage: program_accessible_on_weston.sh PROGRAM
# Runs its own X server (xvfb-run), D-Bus session (dbus-run-session) and Weston (weston_run.sh).
set -euo pipefail

here=$(dirname "$0")
if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        env DISPLAY_UNDER_TEST=1 WESTON_BACKEND=x11 dbus-run-session -- \
        "$here/weston_run.sh" bash "$0" "$@"
fi

program=$1
source "$here/common.sh"
source "$here/accessibility_bus.sh"

set_accessibility true
# Keys go to the X window under the pointer: Weston's output, at the X screen's origin.
xdotool mousemove --sync 1000 740
"$program" 2>"$work/stderr" &
pid=$!
/usr/bin/python3 "$here/accessible_calculator.py" 1 || fail "on Weston"
[[ -z $(xdotool search --name "^Tavik Calculator 2.0\$") ]] || fail "the calculator is an X window"
xdotool key alt+F4
sleep 0.5
xdotool key alt+y
ends_with_status_0 "after Yes to the quit question" "$work/stderr"
[[ ! -s $work/stderr ]] || fail "the program wrote: $(cat "$work/stderr")"
echo "PASS"
