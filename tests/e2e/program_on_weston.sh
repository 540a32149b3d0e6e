#!/usr/bin/env bash
# The desktop program on a Wayland compositor with no X server in reach: it shows the splash,
# then the calculator window, titled "Tavik Calculator 2.0" with the application id of the
# desktop entry, whose pixels equal the headless driver's picture at the output's scale; a
# second copy on the same compositor ends at once without a window. Without a compositor the
# program says so and fails, or takes the X display when there is one; TAVIK_BACKEND chooses.
#
# usage: program_on_weston.sh PROGRAM DRIVER FIND_PICTURE
# Runs its own X server (xvfb-run) and Weston (weston_run.sh); WESTON_SCALE sets the output's
# scale.
set -euo pipefail

here=$(dirname "$0")
if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
        env DISPLAY_UNDER_TEST=1 "$here/weston_run.sh" bash "$0" "$@"
fi

program=$1
driver=$2
find_picture=$3
scale=${WESTON_SCALE:-1}
source "$here/common.sh"
mkdir "$work/shots"

# The compositor's whole output as a PNG at $1.
screenshot() {
    (cd "$work/shots" && weston-screenshooter >/dev/null && mv wayland-screenshot-*.png "$1")
}

"$driver" --scale "$scale" >/dev/null <<SCRIPT
wait 5000
shot $work/headless.png
SCRIPT

env -u DISPLAY WAYLAND_DEBUG=client "$program" 2>"$work/protocol" &
pid=$!
place=
for _ in $(seq 150); do
    screenshot "$work/screen.png"
    place=$("$find_picture" "$work/screen.png" "$work/headless.png") && break
    sleep 0.1
done
[[ -n $place ]] || fail "the calculator never showed the headless driver's picture (last screen: kept in $work/screen.png)"
echo "the calculator shows the headless picture at $place"

for title in "Tavik Calculator" "Tavik Calculator 2.0"; do
    grep -q "xdg_toplevel@[0-9]*\.set_title(\"$title\")" "$work/protocol" ||
        fail "no window titled \"$title\""
done
[[ $(grep -c 'set_app_id("example.tavik.calculator")' "$work/protocol") -ge 2 ]] ||
    fail "the windows do not carry the application id \"example.tavik.calculator\""
grep -q "set_buffer_scale($scale)" "$work/protocol" || fail "no buffer at scale $scale"

# A second copy on the same compositor ends at once, successfully, and shows nothing.
started=$(date +%s%3N)
env -u DISPLAY WAYLAND_DEBUG=client timeout 10 "$program" 2>"$work/second" ||
    fail "the second copy ended with status $?"
((($(date +%s%3N) - started) < 2000)) || fail "the second copy took over 2 s to end"
! grep -q "get_toplevel" "$work/second" || fail "the second copy made a window"
kill -0 "$pid" || fail "the first copy ended"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=

# Without a compositor and without an X display the program fails with a clear message.
status=0
env -u DISPLAY WAYLAND_DISPLAY=no-such-compositor "$program" 2>"$work/stderr" || status=$?
((status == 1)) || fail "without a display the program ended with status $status"
grep -q 'cannot connect to the Wayland compositor "no-such-compositor"' "$work/stderr" ||
    fail "without a display the program said: $(cat "$work/stderr")"

# The X display serves when the compositor does not answer, and when TAVIK_BACKEND says so.
for environment in "WAYLAND_DISPLAY=no-such-compositor" "TAVIK_BACKEND=x11"; do
    env "$environment" "$program" 2>"$work/stderr" &
    pid=$!
    calculator=$(wait_for_window "Tavik Calculator 2.0" 15)
    [[ -n $calculator ]] || fail "with $environment no calculator window on the X display"
    xdotool windowclose "$calculator"
    ends_with_status_0 "without its window (with $environment)" "$work/stderr"
done

status=0
TAVIK_BACKEND=other "$program" 2>"$work/stderr" || status=$?
((status == 1)) && grep -q 'TAVIK_BACKEND is "other"' "$work/stderr" ||
    fail "TAVIK_BACKEND=other gave status $status: $(cat "$work/stderr")"
echo "PASS"
