# Shared by the end-to-end scripts, sourced once their X server runs: a scratch folder in
# $work, the program under test's process id in $pid (ended, if still running, on exit),
# fail and wait_for_window.

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

# The id of the mapped window with exactly this title, waiting up to $2 seconds.
wait_for_window() {
    local title=$1 seconds=$2 id
    id=$(timeout "$seconds" xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1) || true
    echo "$id"
}
