#!/usr/bin/env bash
# The desktop program on a private X server of high density. With Xft.dpi at 120, 144, 168 and
# 192 (as desktop settings set it) every window is shown at 1.25, 1.5, 1.75 and 2 times its
# size, each edge rounded to the nearest device pixel: the splash, then the calculator window
# (468 x 486 pixels at 1.5); clicks on "2", "+", "3" and "=" at the scaled key centres, the
# pointer then gone, leave the window equal, pixel by pixel, to the headless driver's picture at
# that scale. GDK_SCALE=3 wins over the resource and shows it three times its size. At 1.5,
# Ctrl+plus twice shows the calculator at 2.25 and Ctrl+0 at 1.5 again. Each run ends when
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

# Logical length $1 in device pixels at $2 120ths: rounded to the nearest, halves up.
edge() {
    echo $(((2 * $1 * $2 + 120) / 240))
}

# The client size of window $1 is that of logical $2 x $3 at $4 120ths.
expect_size() {
    local want
    want="$(edge "$2" "$4")x$(edge "$3" "$4")"
    [[ $(size_of "$1") == "$want" ]] || fail "a window is $(size_of "$1"), not $want, at $4/120"
}

# Runs the program at scale $1 (in 120ths; with the environment the rest of the arguments
# give), with the Xft.dpi resource that $1 means.
check_scale() {
    local per120=$1 scale
    shift
    scale=$(awk "BEGIN { print $per120 / 120 }")
    # -noreset above keeps the resource when the last client leaves.
    echo "Xft.dpi: $((per120 * 96 / 120))" | xrdb -nocpp -merge
    env "$@" "$program" 2>"$work/stderr" &
    pid=$!
    local splash calculator
    splash=$(wait_for_window "Tavik Calculator" 10)
    [[ -n $splash ]] || fail "no splash window at scale $scale"
    expect_size "$splash" 399 185 "$per120"
    calculator=$(wait_for_window "Tavik Calculator 2.0" 15)
    [[ -n $calculator ]] || fail "no calculator window at scale $scale"
    expect_size "$calculator" 312 324 "$per120"

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

    if [[ $per120 == 180 ]]; then
        xdotool windowfocus --sync "$calculator" key ctrl+plus key ctrl+plus
        sleep 0.5
        expect_size "$calculator" 312 324 270
        xdotool key ctrl+0
        sleep 0.5
        expect_size "$calculator" 312 324 180
    fi

    xdotool windowclose "$calculator"
    ends_with_status_0 "without its window" "$work/stderr"
    echo "scale $scale: PASS"
}

for per120 in 150 180 210 240; do
    check_scale "$per120" -u GDK_SCALE
done
check_scale 360 GDK_SCALE=3
echo "PASS"
