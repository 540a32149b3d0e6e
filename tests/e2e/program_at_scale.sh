#!/usr/bin/env bash
# The desktop program on a private X server of high density. With Xft.dpi at 192 (as desktop
# settings set it) every window is shown twice its size: the splash, then the calculator window
# of 624 x 648 pixels; clicks on "2", "+", "3" and "=" at the doubled key centres, the pointer
# then gone, leave the window equal, pixel by pixel, to the headless driver's picture at scale 2.
# GDK_SCALE=3 wins over the resource and shows it three times its size. Each run ends when
# another program destroys the calculator window.
#
# usage: program_at_scale.sh PROGRAM DRIVER
# Runs the X server itself through xvfb-run.
set -euo pipefail

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 3072x2304x24 -nolisten tcp -noreset" \
        env DISPLAY_UNDER_TEST=1 bash "$0" "$@"
fi

program=$1
driver=$2
source "$(dirname "$0")/common.sh"

# -noreset above keeps the resource when the last client leaves.
echo "Xft.dpi: 192" | xrdb -nocpp -merge

# Runs the program at scale $1 (with the environment the rest of the arguments give).
check_scale() {
    local scale=$1
    shift
    env "$@" "$program" 2>"$work/stderr" &
    pid=$!
    local splash calculator
    splash=$(wait_for_window "Tavik Calculator" 10)
    [[ -n $splash ]] || fail "no splash window at scale $scale"
    [[ $(size_of "$splash") == "$((scale * 399))x$((scale * 185))" ]] ||
        fail "the splash is $(size_of "$splash") at scale $scale"
    calculator=$(wait_for_window "Tavik Calculator 2.0" 15)
    [[ -n $calculator ]] || fail "no calculator window at scale $scale"
    [[ $(size_of "$calculator") == "$((scale * 312))x$((scale * 324))" ]] ||
        fail "the calculator is $(size_of "$calculator") at scale $scale"

    eval "$(xdotool getwindowgeometry --shell "$calculator")"
    for caption in 2 + 3 =; do
        xdotool mousemove --sync $(caption_on_screen "$X" "$Y" "$caption" "$scale") click 1
        sleep 0.1
    done
    xdotool mousemove --sync 3070 2300
    sleep 0.3

    "$driver" --scale "$scale" >/dev/null <<SCRIPT
wait 5000
click 2
click +
click 3
click =
move 1000 1000
wait 100
shot $work/headless.png
SCRIPT
    import -window "$calculator" "PNG24:$work/window.png"
    differing=$(compare -metric AE "$work/window.png" "PNG24:$work/headless.png" null: 2>&1) || true
    [[ $differing == 0 ]] ||
        fail "at scale $scale the window differs from the headless picture in $differing pixels"

    xdotool windowclose "$calculator"
    ends_with_status_0 "without its window" "$work/stderr"
    echo "scale $scale: PASS"
}

check_scale 2 -u GDK_SCALE
check_scale 3 GDK_SCALE=3
echo "PASS"
