#!/usr/bin/env bash
# The desktop program on a private X server with no window manager: it starts with the splash,
# the calculator window "Tavik Calculator 2.0" follows it, clicks on "2", "+", "3" and "=" show
# "5" in the display (compared pixel by pixel with a golden crop of the display), a second copy
# started meanwhile ends at once without a window. "Clear" and a double click on "1" show "11";
# the pointer then leaves in one jump, the program sleeps, and the whole window equals the
# headless driver's picture of the same state. Then the typed keys' checks (typed_keys.sh); a
# key held down is drawn as the driver draws it held; a drag across the display makes its text
# the PRIMARY selection. Alt+F4 asks the quit question; a click on the
# calculator meanwhile brings the question back to the front; its "Yes" ends the program with
# status 0. Started again and then stopped (SIGSTOP), a copy started beside it shows a message
# box saying so and ends with status 1; the first, continued, ends with status 0 when another
# program destroys its window.
#
# usage: program_under_xvfb.sh PROGRAM DRIVER GOLDEN_DISPLAY_PNG
# Runs the X server itself through xvfb-run. With TAVIK_UPDATE_GOLDEN=1 it writes the golden
# crop instead of comparing; look at the new image before committing it.
set -euo pipefail

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
        env DISPLAY_UNDER_TEST=1 bash "$0" "$@"
fi

program=$1
driver=$2
golden=$3
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/typed_keys.sh"

now_ms() { date +%s%3N; }

started=$(now_ms)
LC_ALL=C "$program" 2>"$work/stderr" &  # the point is the separator, as in the driver
pid=$!

splash=$(wait_for_window "Tavik Calculator" 10)
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
[[ -z $(xdotool search --onlyvisible --name '^Tavik Calculator$' || true) ]] || fail "the second copy showed its splash"
kill -0 "$pid" || fail "the first copy ended"

eval "$(xdotool getwindowgeometry --shell "$calculator")"
for caption in 2 + 3 =; do
    xdotool mousemove --sync $(caption_on_screen "$X" "$Y" "$caption") click 1
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

# Clear, then a double click on "1": two entries.
xdotool mousemove --sync $(caption_on_screen "$X" "$Y" Clear) click 1
xdotool mousemove --sync $(caption_on_screen "$X" "$Y" 1) click --repeat 2 --delay 100 1
# The pointer leaves the window in one jump: the key goes dark and the program sleeps.
xdotool mousemove --sync 1010 750
sleep 0.3
wakeups() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$pid/status"; }
before=$(wakeups)
sleep 2
woke=$(($(wakeups) - before))
((woke == 0)) || fail "the program woke ${woke} times in 2 s after the pointer left"
# Libraries loaded only when needed stay out: fontconfig, as the calculator draws with the
# packaged faces alone, the Wayland client on X11, and xkbcommon with no screen reader asking
# for keys (unless the build links them from the start, as a sanitized one does).
for library in libfontconfig libwayland-client libxkbcommon; do
    if ! readelf -d "$program" | grep -q "$library"; then
        ! grep -q "$library" "/proc/$pid/maps" || fail "the program loaded $library"
    fi
done

# The same state on the headless driver: every pixel of the window agrees.
"$driver" >"$work/drive.out" <<SCRIPT
wait 5000
click 2
click +
click 3
click =
click Clear
click 1
click 1
print display
move 1000 1000
wait 100
shot $work/headless.png
SCRIPT
[[ $(cat "$work/drive.out") == "[11]" ]] || fail "the driver printed $(cat "$work/drive.out")"
import -window "$calculator" "PNG24:$work/window.png"
differing=$(compare -metric AE "$work/window.png" "PNG24:$work/headless.png" null: 2>&1) || true
[[ $differing == 0 ]] || fail "the window differs from the headless picture in $differing pixels"

read_clipboard() { timeout 5 xclip -o -selection clipboard; }
write_clipboard() { printf '%s' "$1" | xclip -selection clipboard >/dev/null 2>&1; }
click() { xdotool mousemove --sync $(caption_on_screen "$X" "$Y" "$1") click 1 mousemove --sync 1010 750; }
xdotool windowfocus --sync "$calculator"
typed_checks
# A clipboard owner that never answers (a stopped xclip) costs a held Ctrl+V nothing: the
# window answers a click at once when the keys are let go, however often the key repeated.
printf 7 | xclip -selection clipboard -quiet >/dev/null 2>&1 &
hung=$!
sleep 0.3
kill -STOP "$hung"
xdotool key Escape keydown ctrl+v
sleep 2
xdotool keyup ctrl+v
released=$(date +%s%N)
click 1
xdotool key ctrl+c
shown=$(read_clipboard) || true
took=$((($(date +%s%N) - released) / 1000000))
kill -KILL "$hung"
[[ $shown == 1 ]] || fail "after a held Ctrl+V and a click on 1 the display shows \"$shown\""
((took < 500)) || fail "the window took ${took} ms to answer a click after a held Ctrl+V"
# Held, a key is drawn down (the focus on the key clicked last); the X server does not repeat
# it meanwhile.
printf 'wait 5000\nclick 2\nkey Escape\nmove 1000 1000\nkeydown 5\nwait 100\nshot %s\n' "$work/held.png" | "$driver" >/dev/null
xset r off
xdotool key Escape keydown 5
sleep 0.3
import -window "$calculator" "PNG24:$work/window.png"
xdotool keyup 5
xset r on
differing=$(compare -metric AE "$work/window.png" "PNG24:$work/held.png" null: 2>&1) || true
[[ $differing == 0 ]] || fail "the held key differs from the headless picture in $differing pixels"
xdotool mousemove --sync $((X + 30)) $((Y + 22)) mousedown 1 mousemove --sync $((X + 240)) $((Y + 22)) mouseup 1
primary=$(timeout 5 xclip -o -selection primary) || true
[[ $primary == 5 ]] || fail "the drag across the display made \"$primary\" the primary selection"

# Alt+F4 on the focused calculator asks before quitting.
xdotool windowfocus --sync "$calculator"
xdotool key alt+F4
question=$(wait_for_window Exit 5)
[[ -n $question ]] || fail "closing asked no question"
kill -0 "$pid" || fail "the program ended before the answer"
# A click on the calculator, which the question keeps from input, brings the question forward.
xdotool windowfocus --sync "$calculator"
xdotool mousemove --sync $(caption_on_screen "$X" "$Y" 1) click 1
sleep 0.3
[[ $(xdotool getwindowfocus) == "$question" ]] || fail "the question did not take the focus"
xdotool key y
ends_with_status_0 "after Yes" "$work/stderr"

# Another program destroys the calculator window: the program ends as after a confirmed quit.
"$program" 2>"$work/stderr" &
pid=$!
calculator=$(wait_for_window "Tavik Calculator 2.0" 15)
[[ -n $calculator ]] || fail "no calculator window the second time"

# A copy started beside a first copy that does not answer says so in a message box, where a
# user who started it from the desktop's menu looks, and ends with status 1 once it is read.
kill -STOP "$pid"
"$program" 2>"$work/second.err" &
second=$!
for _ in $(seq 50); do
    boxes=$(xdotool search --onlyvisible --name '^Tavik Calculator 2.0$' | grep -vx "$calculator" || true)
    [[ -n $boxes ]] && break
    sleep 0.1
done
kill -CONT "$pid"
[[ -n $boxes ]] || fail "a copy beside a hung one showed no message box"
grep -q "does not answer" "$work/second.err" || fail "the message is not on stderr: $(cat "$work/second.err")"
xdotool windowfocus --sync "$boxes" key Return
status=0
timeout 5 tail --pid="$second" -f /dev/null || fail "the copy went on after its message box"
wait "$second" || status=$?
((status == 1)) || fail "the copy beside a hung one ended with status $status"

xdotool windowclose "$calculator"
ends_with_status_0 "without its window" "$work/stderr"
echo "PASS"
