#!/usr/bin/env bash
# Checks a built Debian package of the program: the software centre's metadata, the desktop
# entry and the package pass their validators, the entry's icon is in the package in every size
# and form the program's resources hold, and the program unpacked from the package opens its
# calculator window on a private X server and ends with status 0 when that window is closed.
#
# usage: check_package.sh PACKAGE.deb
# Runs the X server itself through xvfb-run.
set -euo pipefail

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
        env DISPLAY_UNDER_TEST=1 bash "$0" "$@"
fi

package=$(realpath "$1")
source "$(dirname "$0")/../e2e/common.sh"

root=$work/root
dpkg-deb -x "$package" "$root"

echo "-- appstreamcli"
appstreamcli validate --pedantic --no-net "$root"/usr/share/metainfo/*.metainfo.xml
echo "-- desktop-file-validate"
entry=$root/usr/share/applications/example.tavik.calculator.desktop
desktop-file-validate "$entry"
icon=$(sed -n 's/^Icon=//p' "$entry")
themed=$(realpath "$(dirname "$0")/../../resources/icons/hicolor")
for image in "$themed"/*/apps/"$icon".*; do
    [[ -f $root/usr/share/icons/hicolor/${image#"$themed"/} ]] ||
        fail "no icon \"${image#"$themed"/}\" in the package"
done
echo "-- lintian"
lintian_status=0
lintian --pedantic --display-info --fail-on error,warning "$package" >"$work/lintian" 2>&1 ||
    lintian_status=$?
grep -v '^running with root privileges' "$work/lintian" || true
((lintian_status == 0)) || fail "lintian found errors or warnings"

echo "-- the unpacked program"
"$root/usr/bin/tavik-calculator" 2>"$work/stderr" &
pid=$!
calculator=$(wait_for_window "Tavik Calculator 2.0" 15)
[[ -n $calculator ]] || fail "no calculator window: $(cat "$work/stderr")"
xdotool windowclose "$calculator"
ends_with_status_0 "without its window" "$work/stderr"
echo "PASS"
