#!/usr/bin/env bash
# --help and --version answer and end with status 0 before any display is opened: here there is
# none to open, and the program would end with status 1 if it tried. Any other argument is
# ignored, and the program goes on to the display.
#   command_line.sh PROGRAM VERSION
set -euo pipefail
program=$1
version=$2

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# No display answers: a Wayland socket that does not exist and an X display number no server has.
run() { env -u WAYLAND_DISPLAY XDG_RUNTIME_DIR=/nonexistent DISPLAY=:97531 timeout 10 "$program" "$@"; }

out=$(run --version) || fail "--version ended with status $?"
[[ $out == "Tavik Calculator $version" ]] || fail "--version printed: $out"

out=$(run --help) || fail "--help ended with status $?"
[[ $out == "Usage: tavik-calculator [--help | --version]"* ]] || fail "--help printed: $out"

out=$(run --frobnicate --version) || fail "--version after another argument ended with status $?"
[[ $out == "Tavik Calculator $version" ]] || fail "--version after another argument printed: $out"

status=0
run --frobnicate 2>/dev/null || status=$?
[[ $status == 1 ]] || fail "with an unknown argument and no display the status was $status, not 1"
echo PASS
