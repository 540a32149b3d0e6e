#!/usr/bin/env bash
# The desktop program on a private X server with no window manager: it starts with the splash,
# the calculator window "Tavik Calculator 2.0" follows it, clicks on "2", "+", "3" and "=" show
# "5" in the display (compared pixel by pixel with a golden crop of the display), a second copy
# started meanwhile ends at once without a window, and Alt+F4 asks the quit question, whose
# "Yes" ends the program with status 0.
#
# usage: program_under_xvfb.sh PROGRAM GOLDEN_DISPLAY_PNG
# Runs the X server itself through xvfb-run. With TAVIK_UPDATE_GOLDEN=1 it writes the golden
# crop instead of comparing; look at the new image before committing it.
set -euo pipefail

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    # The program keeps one copy per user and network namespace; a namespace of our own keeps
    # a copy that someone runs on this machine from turning this test's start into a second one.
    isolate=()
    if unshare --net --map-root-user true 2>/dev/null; then isolate=(unshare --net --map-root-user); fi
    exec "${isolate[@]}" xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
        env DISPLAY_UNDER_TEST=1 bash "$0" "$@"
fi

program=$1
golden=$2
work=$(mktemp -d)
pid=
cleanup() {
    if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

now_ms() { date +%s%3N; }

# The id of the mapped window with exactly this title, waiting up to $2 seconds.
wait_for_window() {
    local title=$1 seconds=$2 id
    id=$(timeout "$seconds" xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1) || true
    echo "$id"
}

started=$(now_ms)
"$program" 2>"$work/stderr" &
pid=$!

splash=$(wait_for_window Form2 10)
[[ -n $splash ]] || fail "no splash window"
splash_ms=$(($(now_ms) - started))

calculator=$(wait_for_window "Tavik Calculator 2.0" 15)
[[ -n $calculator ]] || fail "no calculator window"
calculator_ms=$(($(now_ms) - started))
# Fade-in, hold and fade-out take about 4.3 s.
((calculator_ms - splash_ms >= 3500)) ||
    fail "the calculator came $((calculator_ms - splash_ms)) ms after the splash"
echo "splash after ${splash_ms} ms, calculator after ${calculator_ms} ms"

# A second copy ends at once, successfully, and shows nothing.
second_started=$(now_ms)
timeout 10 "$program" || fail "the second copy ended with status $?"
second_ms=$(($(now_ms) - second_started))
((second_ms < 2000)) || fail "the second copy took ${second_ms} ms to end"
[[ -z $(xdotool search --onlyvisible --name '^Form2$' || true) ]] || fail "the second copy showed its splash"
kill -0 "$pid" || fail "the first copy ended"

# Client pixels of the key centres: "2", "+", "3", "=".
eval "$(xdotool getwindowgeometry --shell "$calculator")"
for key in "80 72" "192 112" "120 72" "228 288"; do
    read -r x y <<<"$key"
    xdotool mousemove --sync $((X + x)) $((Y + y)) click 1
    sleep 0.1
done
sleep 0.3

# The display: 265 x 27 pixels at (24, 16) of the client area.
import -window "$calculator" "$work/window.png"
convert "$work/window.png" -crop 265x27+24+16 +repage "PNG24:$work/display.png"
if [[ ${TAVIK_UPDATE_GOLDEN:-} == 1 ]]; then
    cp "$work/display.png" "$golden"
    echo "wrote $golden"
else
    differing=$(compare -metric AE "$work/display.png" "$golden" null: 2>&1) || true
    [[ $differing == 0 ]] || fail "the display differs from $golden in $differing pixels"
fi

# Alt+F4 on the focused calculator asks before quitting; "y" answers Yes.
xdotool windowfocus --sync "$calculator"
xdotool key alt+F4
question=$(wait_for_window Exit 5)
[[ -n $question ]] || fail "closing asked no question"
kill -0 "$pid" || fail "the program ended before the answer"
xdotool windowfocus --sync "$question"
xdotool key y
status=0
timeout 5 tail --pid="$pid" -f /dev/null || fail "the program did not end after Yes"
wait "$pid" || status=$?
pid=
((status == 0)) || fail "the program ended with status $status: $(cat "$work/stderr")"
echo "PASS"
