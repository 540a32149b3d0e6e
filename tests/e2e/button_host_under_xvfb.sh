#!/usr/bin/env bash
# The example host of the vbButton library on a private X server: its window "Button host"
# shows its keys, the elliptic one and its copy made from its saved settings both in the amber
# face of those settings (which the window's background never shows), and a click on the
# elliptic key and on the check box reaches their Click handlers, which print the key's
# caption on standard output; Alt+F4 ends it with status 0.
#
# usage: button_host_under_xvfb.sh BUTTON_HOST
# The keys' places are those of examples/button_host/main.cpp, in its window's client area.
set -euo pipefail

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 800x600x24 -nolisten tcp" \
        env DISPLAY_UNDER_TEST=1 bash "$0" "$@"
fi

host=$1
source "$(dirname "$0")/common.sh"

"$host" >"$work/stdout" 2>"$work/stderr" &
pid=$!
window=$(wait_for_window "Button host" 10)
[[ -n $window ]] || fail "no window: $(cat "$work/stderr")"
eval "$(xdotool getwindowgeometry --shell "$window")"
[[ $(size_of "$window") == 300x140 ]] || fail "the window is $(size_of "$window")"

# The colour of client pixel ($1, $2) as ImageMagick names it.
pixel_at() {
    import -window "$window" "PNG24:$work/window.png"
    convert "$work/window.png" -format "%[pixel:p{$1,$2}]" info:
}
# Between the caption and the edge of the elliptic key and of its copy: the face, amber
# (255, 200, 0).
for x in 35 175; do
    within 30 [ "$(pixel_at "$x" 100)" == "srgb(255,200,0)" ] ||
        fail "no elliptic key's face at ($x, 100): $(pixel_at "$x" 100)"
done

xdotool mousemove --sync $((X + 80)) $((Y + 100)) click 1
within 30 grep -qx "Click: Oval" "$work/stdout" || fail "the click on Oval printed: $(cat "$work/stdout")"
xdotool mousemove --sync $((X + 220)) $((Y + 40)) click 1
within 30 grep -qx "Click: Check (on)" "$work/stdout" ||
    fail "the click on Check printed: $(cat "$work/stdout")"
# Each click raised its handler once.
[[ $(wc -l <"$work/stdout") == 2 ]] || fail "the clicks printed: $(cat "$work/stdout")"

# Alt+F4 closes the window, which ends the host's message loop.
xdotool key alt+F4
ends_with_status_0 "after Alt+F4" "$work/stderr"
