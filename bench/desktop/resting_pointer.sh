#!/usr/bin/env bash
# What a desktop program costs while it only sits on the screen, on a private X server (or on a
# private Weston shown in one): its resident and proportional memory 6 s after its window
# showed, and how often it wakes (voluntary context switches of all its threads) in 3 s with
# the pointer away from it and in 3 s with the pointer resting on one of its keys. Budget for
# the calculator: at most 10 wake-ups in the 3 s the pointer rests on a key, on X11 and on
# Weston. Run it for xcalc in the same sitting to compare the memory.
#
# usage: resting_pointer.sh [--weston] [--picture PNG --find-picture PROGRAM] [--shot PNG]
#                           TITLE X,Y COMMAND...
#   TITLE   the title of the window to wait for (X11)
#   X,Y     where the key lies inside the window
#   --weston with --picture and --find-picture: the window is found on Weston's output as the
#           PNG (a picture of the window's client area) shows it
#   --shot  writes the screen as it is after the pointer rested, to see that it lit a key
# Prints one line: rss_kb pss_kb idle_wakeups hover_wakeups.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
e2e=$here/../../tests/e2e

arguments=("$@")
weston=0 picture= find_picture= shot=
while [[ $1 == --* ]]; do
    case $1 in
    --weston) weston=1 ;;
    --picture) picture=$2; shift ;;
    --find-picture) find_picture=$2; shift ;;
    --shot) shot=$2; shift ;;
    *) echo "resting_pointer: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done
title=$1 at=$2
shift 2

if [[ -z ${DISPLAY_UNDER_TEST:-} ]]; then
    runner=()
    ((weston)) && runner=(env WESTON_BACKEND=x11 "$e2e/weston_run.sh")
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" env DISPLAY_UNDER_TEST=1 \
        "${runner[@]}" bash "$0" "${arguments[@]}"
fi

pid=
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; true' EXIT

# Weston follows the X pointer only from its entering the output window on, so the pointer
# always comes in from beyond the output's edge (1024 x 768 at the X screen's origin).
pointer_to() { xdotool mousemove --sync 1200 900 mousemove --sync "$1" "$2"; }
park_pointer() { pointer_to 1020 760; }

wakeups() {
    cat /proc/"$pid"/task/*/status | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n }'
}
wakeups_in_3s() {
    local before
    before=$(wakeups)
    sleep 3
    echo $(($(wakeups) - before))
}

if ((weston)); then
    env -u DISPLAY "$@" >/dev/null 2>&1 &
else
    "$@" >/dev/null 2>&1 &
fi
pid=$!
park_pointer
if ((weston)); then
    for _ in $(seq 75); do
        import -window root "PNG24:/tmp/resting_pointer.$$.png"
        place=$("$find_picture" "/tmp/resting_pointer.$$.png" "$picture") && break
        sleep 0.2
    done
    rm -f "/tmp/resting_pointer.$$.png"
    read -r left top <<<"${place:?the window never showed}"
else
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1)
    eval "$(xdotool getwindowgeometry --shell "$window")"
    left=$X top=$Y
fi
sleep 6
read -r rss pss < <(awk '/^Rss:/ { r = $2 } /^Pss:/ { p = $2 } END { print r, p }' \
    /proc/"$pid"/smaps_rollup)
idle=$(wakeups_in_3s)
pointer_to $((left + ${at%,*})) $((top + ${at#*,}))
sleep 0.5
hover=$(wakeups_in_3s)
[[ -z $shot ]] || import -window root "PNG24:$shot"
echo "$rss $pss $idle $hover"
