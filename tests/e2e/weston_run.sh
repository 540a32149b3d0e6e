#!/usr/bin/env bash
# Runs a command against a private Weston compositor: one output of 1024 x 768 logical pixels
# at the scale WESTON_SCALE (1 when unset), pixman drawing, a black desktop without a panel, a
# screen lock or animations (a window shows at once, as it is), debug protocols on (so that
# weston-screenshooter works). By default Weston runs on its headless backend, which has no
# input devices; with WESTON_BACKEND=x11 it shows its output in a window at the top-left corner
# of the X display that DISPLAY names, and takes that display's pointer and keyboard as its
# seat, so that xdotool's input reaches Wayland programs; WESTON_REPEAT_DELAY sets how many
# milliseconds a held key waits before it repeats (Weston's 400 when unset). The command gets
# XDG_RUNTIME_DIR and WAYLAND_DISPLAY of its own; the script ends with the command's status.
#
# usage: weston_run.sh COMMAND [ARGUMENT...]
set -euo pipefail

scale=${WESTON_SCALE:-1}
runtime=$(mktemp -d)
chmod 700 "$runtime"
weston_pid=
stop_weston() {
    if [[ -n $weston_pid ]] && kill -0 "$weston_pid" 2>/dev/null; then
        kill "$weston_pid"
        wait "$weston_pid" 2>/dev/null || true
    fi
    rm -rf "$runtime"
}
trap stop_weston EXIT

cat >"$runtime/weston.ini" <<INI
[core]
idle-time=0
[shell]
panel-position=none
background-color=0xff000000
animation=none
close-animation=none
startup-animation=none
focus-animation=none
[keyboard]
repeat-delay=${WESTON_REPEAT_DELAY:-400}
INI

XDG_RUNTIME_DIR=$runtime weston --backend="${WESTON_BACKEND:-headless}-backend.so" --use-pixman \
    --debug --socket=weston-test --config="$runtime/weston.ini" --width=1024 --height=768 \
    --scale="$scale" >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 200); do
    [[ -S $runtime/weston-test ]] && break
    kill -0 "$weston_pid" 2>/dev/null || { cat "$runtime/weston.log" >&2; exit 1; }
    sleep 0.05
done
[[ -S $runtime/weston-test ]] || { echo "weston_run: Weston did not start" >&2; exit 1; }

status=0
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=weston-test "$@" || status=$?
# A client that logs its protocol to client.log there (the backend's tests do) may have said
# more: what it said besides the protocol is shown when the command failed.
if ((status != 0)) && [[ -f $runtime/client.log ]]; then
    grep -v '^\[' "$runtime/client.log" | tail -n 200 >&2 || true
fi
exit "$status"
