#!/usr/bin/env bash
# The program on the accessibility bus when the bus misbehaves, in a D-Bus session of its own with
# at-spi2-core's launcher and registry: it answers requests without asking the bus who calls,
# and asks no one about keys while no reader listens for them;
# it is on the registry's desktop again after the registry restarts; and with the accessibility
# bus stopped, a burst of clicks grows its memory by little, it says so once, and it is still
# on the desktop when the bus goes on.
#
# usage: program_accessible_under_strain.sh PROGRAM DRIVER
# Runs the X server itself through xvfb-run, and the session through dbus-run-session.
set -euo pipefail

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
        env DISPLAY_UNDER_TEST=1 dbus-run-session -- bash "$0" "$@"
fi

program=$1
driver=$2
here=$(dirname "$0")
source "$here/common.sh"
source "$here/accessibility_bus.sh"

set_accessibility true
"$program" 2>"$work/stderr" &
pid=$!
calculator=$(wait_for_window "Tavik Calculator 2.0" 20)
[[ -n $calculator ]] || fail "no calculator window"
address=$(accessibility_address)

# The program's name on the bus as the registry's desktop lists it.
listed_app() {
    dbus-send --bus="$address" --print-reply --dest=org.a11y.atspi.Registry \
        /org/a11y/atspi/accessible/root org.a11y.atspi.Accessible.GetChildren 2>/dev/null |
        grep -o '":[^"]*"' | tr -d '"' | head -n 1
}
on_desktop() { [[ -n $(listed_app) ]]; }
# The process id of the owner of name $1 on the accessibility bus.
owner_pid() {
    dbus-send --bus="$address" --print-reply=literal --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID "string:$1" |
        awk '{ print $2 }'
}
within 50 on_desktop || fail "the program is not on the registry's desktop"
app=$(listed_app)

# Requests are answered without asking the bus who calls (that call would hold the program's
# loop until the bus answers, and a burst of requests queued behind it), and with no reader
# listening for keys, a key typed is asked of no one: the program calls nothing.
dbus-monitor --address "$address" "type='method_call'" >"$work/monitor" 2>&1 &
monitor=$!
sleep 0.5
for _ in 1 2 3; do
    dbus-send --bus="$address" --print-reply --dest="$app" /org/a11y/atspi/accessible/root \
        org.a11y.atspi.Accessible.GetRole >/dev/null
done
xdotool key 7
sleep 0.5
kill "$monitor"
! grep "sender=$app " "$work/monitor" || fail "the program made the calls above"

# A registry that restarts is told of the program again (a reader's request starts it).
registry=$(owner_pid org.a11y.atspi.Registry)
kill "$registry"
timeout 5 tail --pid="$registry" -f /dev/null || fail "the registry did not end"
within 30 on_desktop || fail "the program is not on the desktop of the restarted registry"

# A stopped bus: 2,000 clicks on "+/-" each change the display.
rss() { awk '/VmRSS/ { print $2 }' "/proc/$pid/status"; }
bus=$(owner_pid org.freedesktop.DBus)
eval "$(xdotool getwindowgeometry --shell "$calculator")"
read -r x y < <(caption_on_screen "$X" "$Y" "+/-")
xdotool mousemove "$x" "$y"
before=$(rss)
kill -STOP "$bus"
xdotool click --repeat 2000 --delay 1 1
sleep 1
after=$(rss)
kill -CONT "$bus"
((after - before < 10000)) || fail "2,000 clicks with the bus stopped took RSS from $before to $after kB"
within 30 on_desktop || fail "the program is not on the desktop once the bus goes on"
[[ $(grep -c 'accessibility bus is not keeping up' "$work/stderr") == 1 ]] ||
    fail "the program wrote: $(cat "$work/stderr")"
echo "PASS"
