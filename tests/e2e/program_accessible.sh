#!/usr/bin/env bash
# The desktop program as screen readers see it: in a D-Bus session of its own, with at-spi2-core's
# bus launcher and registry and accessibility turned on (org.a11y.Status IsEnabled), on a private
# X server at 1x and at 2x (Xft.dpi 192), accessible_calculator.py checks the tree, the actions,
# the display's text and its events, the extents of "7" where the headless driver finds it, the
# focus and the quit question; the program then ends with status 0 after Yes.
#
# usage: program_accessible.sh PROGRAM DRIVER
# Runs the X server itself through xvfb-run, and the session through dbus-run-session.
set -euo pipefail

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1600x1400x24 -nolisten tcp -noreset" \
        env DISPLAY_UNDER_TEST=1 dbus-run-session -- bash "$0" "$@"
fi

program=$1
driver=$2
here=$(dirname "$0")
source "$here/common.sh"
source "$here/accessibility_bus.sh"
# pyatspi is Debian's, for the system's own Python.
python=/usr/bin/python3

set_accessibility true

# Requests out of bounds get error replies, and the program goes on: an index below zero, a kind
# of coordinates that does not exist, a point beyond the screen's range, an action of an object
# that has none, paths of no object. Text ranges out of bounds are cut to the text
# (accessible_calculator.py).
# The registry's desktop lists the application as (bus name, path), one a line.
desktop_children() {
    dbus-send --bus="$1" --print-reply --dest=org.a11y.atspi.Registry \
        /org/a11y/atspi/accessible/root org.a11y.atspi.Accessible.GetChildren |
        grep -o '"[^"]*"' | tr -d '"'
}

check_bad_requests() {
    local address app root frame path request
    address=$(accessibility_address)
    local reference=()
    mapfile -t reference < <(desktop_children "$address")
    ((${#reference[@]} == 2)) || fail "the registry lists ${reference[*]}"
    app=${reference[0]} root=${reference[1]}
    frame=$(dbus-send --bus="$address" --print-reply=literal --dest="$app" "$root" \
        org.a11y.atspi.Accessible.GetChildAtIndex int32:0 | grep -o '/org/a11y/atspi/accessible/[0-9]*')
    [[ $frame == /org/a11y/atspi/accessible/* ]] || fail "no frame below the application: $frame"
    while IFS='|' read -r path request; do
        # shellcheck disable=SC2086  # the arguments of the request, word by word
        if dbus-send --bus="$address" --print-reply --dest="$app" "$path" $request \
            >"$work/reply" 2>&1; then
            fail "$path $request was answered: $(cat "$work/reply")"
        fi
    done <<REQUESTS
/org/a11y/atspi/accessible/root|org.a11y.atspi.Accessible.GetChildAtIndex int32:-1
/org/a11y/atspi/accessible/root|org.a11y.atspi.Accessible.GetChildAtIndex int32:2147483647
$frame|org.a11y.atspi.Component.GetExtents uint32:9
$frame|org.a11y.atspi.Component.GetAccessibleAtPoint int32:2147483647 int32:2147483647 uint32:1
$frame|org.a11y.atspi.Action.DoAction int32:0
/org/a11y/atspi/accessible/99999999999|org.a11y.atspi.Accessible.GetRole
/org/a11y/atspi/accessible/0${frame##*/}|org.a11y.atspi.Accessible.GetRole
/org/a11y/atspi/accessible/root/1|org.a11y.atspi.Accessible.GetRole
/org/a11y/atspi/accessible/root|org.a11y.atspi.Accessible.GetRole int32:5
REQUESTS
    kill -0 "$pid" || fail "the program ended on a bad request"
    # Another client's signal that says accessibility is off is not the launcher's: the program
    # stays on the desktop. The bus passes on a signal sent to a connection by name whatever that
    # connection asked for, so it goes to each of the program's own (names gone meanwhile, like
    # dbus-send's own, are passed over). (dbus-send writes no
    # variant inside a dictionary; gdbus does.)
    local name owner
    for name in $(dbus-send --session --print-reply --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.ListNames | grep -o '":[^"]*"' | tr -d '"'); do
        owner=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus \
            /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID \
            "string:$name" 2>/dev/null | awk '/uint32/ { print $2 }') || continue
        [[ $owner == "$pid" ]] || continue
        gdbus emit --session --dest "$name" --object-path /org/a11y/bus \
            --signal org.freedesktop.DBus.Properties.PropertiesChanged \
            "'org.a11y.Status'" "{'IsEnabled': <false>}" "@as []" >/dev/null
    done
    sleep 1
    mapfile -t reference < <(desktop_children "$address")
    [[ ${reference[*]} == "$app $root" ]] ||
        fail "after a forged status the registry lists ${reference[*]}"
}

check_scale() {
    local scale=$1 calculator seven
    "$program" 2>"$work/stderr" &
    pid=$!
    calculator=$(wait_for_window "Tavik Calculator 2.0" 20)
    [[ -n $calculator ]] || fail "no calculator window at scale $scale"
    eval "$(xdotool getwindowgeometry --shell "$calculator")"
    xdotool windowfocus --sync "$calculator"
    seven=$(caption_on_screen "$X" "$Y" 7 "$scale")
    "$python" "$here/accessible_calculator.py" "$scale" $seven || fail "at scale $scale"
    ((scale > 1)) || check_bad_requests
    xdotool key alt+F4
    sleep 0.5
    xdotool key alt+y
    ends_with_status_0 "after Yes to the quit question" "$work/stderr"
    [[ ! -s $work/stderr ]] || fail "the program wrote: $(cat "$work/stderr")"
    echo "scale $scale: PASS"
}

check_scale 1
echo "Xft.dpi: 192" | xrdb -nocpp -merge
check_scale 2
echo "PASS"
