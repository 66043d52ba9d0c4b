#!/usr/bin/env bash
# brightloom-cli generate: frame counts, add modes, areas, refused colours
# and bad arguments, checked through the files it writes.
#
#   cli_generate.sh PATH/TO/brightloom-cli PATH/TO/demo.wst
set -u
cli=$1
demo=$2
source "$(dirname "$0")/cli_test_lib.sh"

# frames FILE: the frame count that info reports.
frames() { "$cli" info "$1" | sed -n 's/.*"frames": \([0-9]*\),.*/\1/p'; }
expect_frames() { [ "$(frames "$1")" = "$2" ] || fail "$1 holds $(frames "$1") frames, expected $2"; }
expect_stderr() { grep -q -- "$2" "$work/$1.err" || fail "$1: standard error lacks '$2': $(cat "$work/$1.err")"; }

# Curtain over 40 columns in steps of 3: 14 frames after the one frame.
run curtain 0 generate curtain "$work/curtain.wst" --rows 24 --cols 40 --step 3
expect_frames "$work/curtain.wst" 15
grep -q '^14 frames made' "$work/curtain.out" || fail "curtain: $(cat "$work/curtain.out")"
# Step 0 counts as 1: one frame per column.
run curtain0 0 generate curtain "$work/c0.wst" --rows 2 --cols 40 --step 0
expect_frames "$work/c0.wst" 41

# Water drip on the demo's 24 x 40 grid: 24 x 25 / 2 + 24 x 20 = 780 frames.
run drip 0 generate water-drip "$work/drip.wst" --in "$demo" --current 2 --fg 4 --bg 6
expect_frames "$work/drip.wst" $((48 + 780))

# Blinds: 3 slats over 10 columns, twice: 16 frames, whatever the AddMode.
run blinds 0 generate blinds "$work/blinds.wst" --rows 4 --cols 10 --slats 3 --repeat 2 --add-mode 2
expect_frames "$work/blinds.wst" 17

# Stacking with the current frame mode keeps the length.
run stack_current 0 generate stacking "$work/sc.wst" --in "$demo" --current 5 --add-mode 2 --fg 9 --palette-index 2
expect_frames "$work/sc.wst" 48
# Overwrite from the last frame appends the run plus one frame.
run stack_over 0 generate stacking "$work/so.wst" --rows 1 --cols 4 --block-height 1 --block-width 1 --frequency 0 --add-mode 1
expect_frames "$work/so.wst" 8

# A palette file of two records (green, blue) for the palette flow.
printf '\x01\0\0\0\x01\x01\0\0\xFF\0\0\x02\0\0\0\x01\x01\0\0\0\xFF\0' >"$work/two.col"
run flow 0 generate stacking "$work/flow.wst" --rows 2 --cols 4 --fg 8 --palette "$work/two.col" --palette-index 1
expect_frames "$work/flow.wst" 6
run flow_index 2 generate stacking "$work/x.wst" --rows 2 --cols 4 --fg 8 --palette "$work/two.col" --palette-index 2
expect_stderr flow_index '--palette-index'
printf 'xyz' >"$work/bad.col"
run flow_bad 2 generate stacking "$work/x.wst" --rows 2 --cols 4 --fg 8 --palette "$work/bad.col"
expect_stderr flow_bad 'bad.col'

# A defined area (counted from 1) keeps the curtain inside it: 3 columns.
run area 0 generate curtain "$work/area.wst" --rows 4 --cols 8 --area 2,2,4,3
expect_frames "$work/area.wst" 4

# Refusals: nothing written, exit 2.
echo keep >"$work/kept.wst"
run same 2 generate water-drip "$work/kept.wst" --rows 3 --cols 3 --fg 5 --bg 5
expect_stderr same 'same'
[ "$(cat "$work/kept.wst")" = keep ] || fail "a refused run wrote its output"
run bad_family 2 generate fireworks "$work/x.wst" --rows 3 --cols 3
expect_stderr bad_family 'unknown family'
run bad_area 2 generate curtain "$work/x.wst" --rows 3 --cols 3 --area 0,1,2,2
expect_stderr bad_area '--area'
run bad_fg 2 generate curtain "$work/x.wst" --rows 3 --cols 3 --fg 9
expect_stderr bad_fg '--fg'
run wrong_option 2 generate water-drip "$work/x.wst" --rows 3 --cols 3 --step 2
expect_stderr wrong_option 'does not apply'
run both_sources 2 generate curtain "$work/x.wst" --in "$demo" --rows 3 --cols 3
run no_source 2 generate curtain "$work/x.wst"
run bad_current 2 generate curtain "$work/x.wst" --in "$demo" --current 49
expect_stderr bad_current '--current'
# Numbers are range-checked, never wrapped: the smallest int, values beyond
# an int, and area corners far outside the grid.
run current_min 2 generate curtain "$work/x.wst" --rows 2 --cols 2 --current -2147483648
expect_stderr current_min "--current needs a whole number from 1 to 1, not '-2147483648'"
run step_huge 2 generate curtain "$work/x.wst" --rows 2 --cols 2 --step 99999999999
expect_stderr step_huge "--step needs a whole number, not '99999999999'"
run area_huge 2 generate curtain "$work/x.wst" --rows 3 --cols 3 --area 1,1,99999999999,2
expect_stderr area_huge '--area'
run area_min 2 generate curtain "$work/x.wst" --rows 3 --cols 3 --area -2147483648,1,2,2
expect_stderr area_min '--area'

# Runs whose frames would not fit in memory are refused before any frame
# is made: a water drip over 256 x 256 (about 17 GB of frames) and blinds
# repeated two billion times.
run drip_huge 2 generate water-drip "$work/x.wst" --rows 256 --cols 256
expect_stderr drip_huge 'Too many frames'
run blinds_huge 2 generate blinds "$work/x.wst" --rows 2 --cols 2 --repeat 2000000000
expect_stderr blinds_huge 'Too many frames'
[ ! -e "$work/x.wst" ] || fail "a refused run wrote a file"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "all generate checks passed"
