# Shared by the end-to-end scripts, sourced once their X server runs: a scratch folder in
# $work, the program under test's process id in $pid (ended, if still running, on exit),
# fail, ends_with_status_0, within, wait_for_window, size_of, caption_on_screen and
# shows_as_headless.

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

# Waits up to 5 s for the program under test to end (what ended it: $1), then checks that it
# ended with status 0, showing what it wrote to the file $2 when not (leaving out the lines of
# a Wayland protocol log, which begin with "[").
ends_with_status_0() {
    local cause=$1 output=$2 status=0
    timeout 5 tail --pid="$pid" -f /dev/null || fail "the program went on $cause"
    wait "$pid" || status=$?
    pid=
    ((status == 0)) || fail "the program ended with status $status: $(grep -v '^\[' "$output")"
}

# Waits up to $1 tenths of a second for the command that follows to succeed.
within() {
    local tenths=$1 i
    shift
    for ((i = 0; i < tenths; i++)); do
        "$@" && return
        sleep 0.1
    done
    return 1
}

# The id of the mapped window with exactly this title, waiting up to $2 seconds.
wait_for_window() {
    local title=$1 seconds=$2 id
    id=$(timeout "$seconds" xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1) || true
    echo "$id"
}

# The client size of window $1 as "WIDTHxHEIGHT".
size_of() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "${WIDTH}x${HEIGHT}"
}

# The screen's "X Y" of the key (or the "About" label) showing caption $3, as the headless driver
# $driver finds its centre, for a calculator at ($1, $2) shown at scale ${4:-1}.
caption_on_screen() {
    local left=$1 top=$2 caption=$3 scale=${4:-1} x y
    read -r x y < <(printf 'wait 5000\nwhere %s\n' "$caption" | "$driver" --scale "$scale")
    [[ -n $y ]] || fail "the headless driver finds no \"$caption\""
    echo "$((left + x)) $((top + y))"
}

# Whether window $1 shows, pixel for pixel, what the headless driver $driver shows after the
# script lines $2 ("\n" between them).
shows_as_headless() {
    printf '%b\nshot %s\n' "$2" "$work/headless.png" | "$driver" >/dev/null || return 1
    import -window "$1" "PNG24:$work/window.png"
    [[ $(compare -metric AE "$work/window.png" "PNG24:$work/headless.png" null: 2>&1) == 0 ]]
}
