#!/usr/bin/env bash
# bag-inspect on the calculator's stored key settings: 25 blocks listed entry by entry; cut
# short, the same file is reported malformed at the place where it ends, with status 1. The
# hostile blocks of the stored-bag seed corpus are each reported malformed at one place, or
# read whole where they are sound; none ends the tool by a signal.
set -euo pipefail
tool=$1
bags=$2
seeds=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$tool" "$bags" >"$work/out"
[[ $(grep -c '^block ' "$work/out") == 25 ]] || fail "expected 25 blocks"
grep -q '^block 1 at 0, 1433 bytes$' "$work/out" || fail "first block header"
grep -Eq '^ +109  tx +hash 0x000E8078  string size +24  "1"$' "$work/out" || fail "caption entry"
grep -q 'font "Arial Black" 9 pt, weight 900, charset 0' "$work/out" || fail "font described"
grep -q 'picture icon 32 x 32, 766 bytes of image file' "$work/out" || fail "picture described"

head -c 1000 "$bags" >"$work/cut"
status=0
"$tool" "$work/cut" >"$work/cut.out" || status=$?
[[ $status == 1 ]] || fail "a cut file ended with status $status"
grep -q '^malformed: block length .* outside the data at byte 5$' "$work/cut.out" ||
    fail "a cut file was not reported: $(tail -n 1 "$work/cut.out")"
# Hostile blocks made from the first key's: each fault is malformed, with status 1 and one
# place; an icon listing one big image thousands of times is read, decoding it once.
for seed in key_stored_twice end_marker_not_last no_end_marker string_count_short \
    font_name_short font_size_zero picture_count_zero png_pixel_bomb; do
    status=0
    "$tool" "$seeds/hostile_$seed" >"$work/seed.out" || status=$?
    [[ $status == 1 ]] || fail "hostile_$seed ended with status $status"
    line=$(tail -n 1 "$work/seed.out")
    [[ $line == malformed:* && $(grep -o ' at byte ' <<<"$line" | wc -l) == 1 ]] ||
        fail "hostile_$seed: $line"
done
"$tool" "$seeds/hostile_icon_many_entries" >"$work/icon.out" || fail "the many-entry icon"
grep -q 'picture icon 256 x 256' "$work/icon.out" || fail "the many-entry icon's image"
for seed in "$seeds"/*; do
    status=0
    "$tool" "$seed" >/dev/null || status=$?
    ((status <= 1)) || fail "$(basename "$seed") ended with status $status"
done
echo PASS
