#!/usr/bin/env bash
# The desktop's appearance as the settings portal says it, read without a D-Bus library. On a
# private session bus whose one service is a stand-in of the portal (portal_stand_in.py) serving
# version VERSION of its Settings interface, with the values 1, 1 and 1: the probe's questions
# start no portal and it is told there is none; once another program's message starts the
# stand-in, the probe is told its values once; a change of a value is
# told, a change to the value it has already is not, and neither is a value out of range that
# leaves the key at its default; the stand-in ending is told as no portal; a stand-in started
# again is asked again.
#
# usage: portal_appearance.sh PROBE VERSION
# PROBE is portal-appearance-probe; the script runs the bus itself through dbus-run-session.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"

if [[ -z ${PORTAL_CONTROL:-} ]]; then
    mkdir "$work/services"
    cat >"$work/services/org.freedesktop.portal.Desktop.service" <<EOF
[D-BUS Service]
Name=org.freedesktop.portal.Desktop
Exec=/usr/bin/python3 $here/portal_stand_in.py --version $2 --control $work/change color-scheme=1 contrast=1 reduced-motion=1
EOF
    cat >"$work/bus.conf" <<EOF
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=$work</listen>
  <auth>EXTERNAL</auth>
  <servicedir>$work/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
    PORTAL_CONTROL=$work/change dbus-run-session --config-file="$work/bus.conf" -- \
        bash "$0" "$@"
    exit 0
fi

# Waits up to 10 s for the probe to have printed exactly the lines given.
told() {
    local want i
    want=$(printf '%s\n' "$@")
    for ((i = 0; i < 100; i++)); do
        [[ $(cat "$work/told") == "$want" ]] && return 0
        sleep 0.1
    done
    fail "the probe was told:
$(cat "$work/told")
and not:
$want"
}

stand_in() {
    dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetConnectionUnixProcessID string:org.freedesktop.portal.Desktop |
        awk '{print $2}'
}

# Writes the control file, then has the stand-in read it.
change() {
    printf '%s\n' "$@" >"$PORTAL_CONTROL"
    kill -USR1 "$(stand_in)"
}

# Anything another program sends to the portal's name starts it.
start_portal() {
    dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop \
        /org/freedesktop/portal/desktop org.freedesktop.DBus.Peer.Ping >/dev/null
}

"$1" >"$work/told" &
pid=$!
told "none"
dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.freedesktop.portal.Desktop | grep -q false ||
    fail "the probe started the portal"
echo "no portal started: PASS"

start_portal
all_on="color-scheme 1 contrast 1 reduced-motion 1"
told "none" "$all_on"
echo "a portal that comes later: PASS"

change "color-scheme 2" "contrast 1"
told "none" "$all_on" "color-scheme 2 contrast 1 reduced-motion 1"
change "reduced-motion 7"
told "none" "$all_on" "color-scheme 2 contrast 1 reduced-motion 1" \
    "color-scheme 2 contrast 1 reduced-motion 0"
echo "changes: PASS"

kill "$(stand_in)"
told "none" "$all_on" "color-scheme 2 contrast 1 reduced-motion 1" \
    "color-scheme 2 contrast 1 reduced-motion 0" "none"
echo "the portal gone: PASS"

start_portal
told "none" "$all_on" "color-scheme 2 contrast 1 reduced-motion 1" \
    "color-scheme 2 contrast 1 reduced-motion 0" "none" "$all_on"
echo "a portal started again: PASS"
