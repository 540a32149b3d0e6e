#!/usr/bin/env bash
# The desktop program under a settings manager (xsettingsd) on a private X server. With Xft/DPI
# at 147456 (144 dpi) the calculator window is shown at 1.5 times its size, 468 x 486 pixels;
# with GNOME's pair, a window scaling factor of 2 and Xft/DPI at 196608, at twice, 624 x 648.
# Then the manager reads a file that says Xft/DPI 98304 (96 dpi), and the open window is
# 312 x 324 within two seconds.
#
# usage: program_follows_xsettings.sh PROGRAM
# Runs the X server itself through xvfb-run.
set -euo pipefail

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 2048x1536x24 -nolisten tcp -noreset" \
        env DISPLAY_UNDER_TEST=1 bash "$0" "$@"
fi

program=$1
source "$(dirname "$0")/common.sh"

manager=
trap 'if [[ -n $manager ]]; then kill "$manager"; fi; cleanup' EXIT

# Starts the manager with the settings $1 (one "Name value" a line) and waits until it owns
# the screen's settings.
start_manager() {
    printf '%s\n' "$1" >"$work/xsettings"
    xsettingsd -c "$work/xsettings" 2>"$work/manager" &
    manager=$!
    for _ in {1..50}; do
        grep -q "Took ownership" "$work/manager" && return
        sleep 0.1
    done
    fail "xsettingsd does not start: $(cat "$work/manager")"
}

stop_manager() {
    kill "$manager"
    wait "$manager" || true
    manager=
}

# Waits up to 2 s for window $1 to be $2 ("WIDTHxHEIGHT").
wait_for_size() {
    for _ in {1..20}; do
        [[ $(size_of "$1") == "$2" ]] && return
        sleep 0.1
    done
    fail "the calculator is $(size_of "$1"), not $2"
}

# Runs the program until its calculator window is shown at $1 ("WIDTHxHEIGHT"), in $calculator.
open_calculator() {
    env -u GDK_SCALE "$program" 2>"$work/stderr" &
    pid=$!
    [[ -n $(wait_for_window "Tavik Calculator" 10) ]] || fail "no splash window"
    calculator=$(wait_for_window "Tavik Calculator 2.0" 15)
    [[ -n $calculator ]] || fail "no calculator window"
    [[ $(size_of "$calculator") == "$1" ]] || fail "the calculator is $(size_of "$calculator"), not $1"
}

close_calculator() {
    xdotool windowclose "$calculator"
    ends_with_status_0 "without its window" "$work/stderr"
}

start_manager "Xft/DPI 147456"
open_calculator 468x486
close_calculator
stop_manager
echo "Xft/DPI: PASS"

start_manager $'Gdk/WindowScalingFactor 2\nXft/DPI 196608'
open_calculator 624x648
echo "Xft/DPI 98304" >"$work/xsettings"
kill -HUP "$manager"
wait_for_size "$calculator" 312x324
close_calculator
echo "PASS"
