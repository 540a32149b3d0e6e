#!/usr/bin/env bash
# The desktop program under a settings manager (xsettingsd) on a private X server. With Xft/DPI
# at 147456 (144 dpi) the calculator window is shown at 1.5 times its size, 468 x 486 pixels;
# with GNOME's pair, a window scaling factor of 2 and Xft/DPI at 196608, at twice, 624 x 648.
# When the manager then reads Xft/DPI 98304 (96 dpi), the open window is 312 x 324 within two
# seconds. Under the theme "HighContrastInverse" the window is the headless driver's picture in
# high contrast; when the manager then names an ordinary theme, the designed picture within two
# seconds.
#
# usage: program_follows_xsettings.sh PROGRAM DRIVER
# Runs the X server itself through xvfb-run.
set -euo pipefail

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 2048x1536x24 -nolisten tcp -noreset" \
        env DISPLAY_UNDER_TEST=1 bash "$0" "$@"
fi

program=$1
driver=$2
source "$(dirname "$0")/common.sh"

manager=
trap 'if [[ -n $manager ]]; then kill "$manager"; fi; cleanup' EXIT

# Whether window $1 is $2 ("WIDTHxHEIGHT").
is_size() {
    [[ $(size_of "$1") == "$2" ]]
}

# Runs the manager with the settings $1 (one "Name value" a line), then the program until its
# calculator window ($calculator) is shown at $2 ("WIDTHxHEIGHT").
open_calculator() {
    printf '%s\n' "$1" >"$work/xsettings"
    xsettingsd -c "$work/xsettings" 2>"$work/manager" &
    manager=$!
    within 50 grep -q "Took ownership" "$work/manager" || fail "no manager: $(cat "$work/manager")"
    env -u GDK_SCALE "$program" 2>"$work/stderr" &
    pid=$!
    calculator=$(wait_for_window "Tavik Calculator 2.0" 15)
    [[ -n $calculator ]] || fail "no calculator window under \"$1\""
    is_size "$calculator" "$2" || fail "under \"$1\" it is $(size_of "$calculator")"
}

close_calculator() {
    xdotool windowclose "$calculator"
    ends_with_status_0 "without its window" "$work/stderr"
    kill "$manager"
    wait "$manager" || true
    manager=
}

open_calculator "Xft/DPI 147456" 468x486
close_calculator
open_calculator $'Gdk/WindowScalingFactor 2\nXft/DPI 196608' 624x648
echo "Xft/DPI 98304" >"$work/xsettings"
kill -HUP "$manager"
within 20 is_size "$calculator" 312x324 ||
    fail "after the change the calculator is $(size_of "$calculator")"
close_calculator

xdotool mousemove --sync 2040 1530  # away from every key
open_calculator $'Xft/DPI 98304\nNet/ThemeName "HighContrastInverse"' 312x324
sleep 0.3
shows_as_headless "$calculator" 'appearance high-contrast\nwait 5000' ||
    fail "under HighContrastInverse the window is not the high-contrast picture"
printf '%s\n' "Xft/DPI 98304" 'Net/ThemeName "Adwaita"' >"$work/xsettings"
kill -HUP "$manager"
within 20 shows_as_headless "$calculator" 'wait 5000' ||
    fail "with an ordinary theme the window is not the designed picture"
close_calculator
echo "PASS"
