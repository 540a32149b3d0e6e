#!/usr/bin/env bash
# The program keeps off the accessibility bus unless the desktop asks for accessibility. In a
# D-Bus session of its own with at-spi2-core's bus launcher, on a private X server: with the
# launcher not running the program does not start it; with
# org.a11y.Status IsEnabled off the calculator shows and no connection of the program is on the
# accessibility bus; IsEnabled turned on while it runs brings one, turned off again takes it
# away; a launcher that starts after the program, with accessibility already on, brings one
# too. With no session bus at all the calculator shows, the program writes nothing, and it is
# not on the accessibility bus either.
#
# usage: program_accessibility_off.sh PROGRAM
# Runs the X server itself through xvfb-run, and the session through dbus-run-session.
set -euo pipefail

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
        env DISPLAY_UNDER_TEST=1 dbus-run-session -- bash "$0" "$@"
fi

program=$1
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/accessibility_bus.sh"
# The launcher keeps IsEnabled in a settings file of the test's own, which it reads again when it
# starts again.
dbus-update-activation-environment GSETTINGS_BACKEND=keyfile XDG_CONFIG_HOME="$work/config"

# Starts the program (with the environment the arguments give) and waits for its calculator.
start() {
    env "$@" "$program" 2>"$work/stderr" &
    pid=$!
    calculator=$(wait_for_window "Tavik Calculator 2.0" 20)
    [[ -n $calculator ]] || fail "no calculator window"
}

finish() {
    xdotool windowclose "$calculator"
    ends_with_status_0 "without its window" "$work/stderr"
    [[ ! -s $work/stderr ]] || fail "the program wrote: $(cat "$work/stderr")"
}

# Nobody has started the launcher in this session yet: the program does not start it.
start
sleep 1
dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q false ||
    fail "the program started the accessibility bus's launcher"
finish
echo "no launcher: PASS"

set_accessibility false
address=$(accessibility_address)
[[ -n $address ]] || fail "the launcher gives no address of the accessibility bus"

# Whether the program under test holds a connection to the accessibility bus: a peer of the bus
# with its process id.
on_bus() {
    peer_pids "$address" | grep -x "$pid" >/dev/null
}

# Waits up to 3 s for on_bus to say $1 (0: on, 1: off).
wait_on_bus() {
    local want=$1 i
    for ((i = 0; i < 30; i++)); do
        if on_bus; then (( want == 0 )) && return 0; else (( want == 1 )) && return 0; fi
        sleep 0.1
    done
    return 1
}

start
sleep 1
on_bus && fail "with accessibility off the program is on the accessibility bus"
set_accessibility true
wait_on_bus 0 || fail "accessibility turned on, the program does not join the accessibility bus"
set_accessibility false
wait_on_bus 1 || fail "accessibility turned off, the program stays on the accessibility bus"
finish
echo "accessibility off and on: PASS"

# A launcher that starts after the program, with accessibility on from the start, is asked: the
# program joins its bus, though no status change was signalled.
set_accessibility true
launcher_running() {
    dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q true
}
kill "$(dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.Bus | awk '{print $2}')"
for ((i = 0; i < 30; i++)); do launcher_running && sleep 0.1; done
launcher_running && fail "the launcher does not end"
start
sleep 1
address=$(accessibility_address)
wait_on_bus 0 || fail "the program does not join the bus of a launcher that started after it"
finish
echo "a later launcher: PASS"

set_accessibility true
mkdir "$work/no-bus"
start -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$work/no-bus"
sleep 1
on_bus && fail "without a session bus the program is on the accessibility bus"
finish
echo "no session bus: PASS"
