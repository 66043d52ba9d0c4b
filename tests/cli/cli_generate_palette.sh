#!/usr/bin/env bash
# brightloom-cli generate notes and palette-fill: frame counts, the current
# frame recoloured in place, palettes, refusals and bad arguments, checked
# through the files written.
#
#   cli_generate_palette.sh PATH/TO/brightloom-cli PATH/TO/demo.wst
set -u
cli=$1
demo=$2
source "$(dirname "$0")/cli_test_lib.sh"

frames() { "$cli" info "$1" | sed -n 's/.*"frames": \([0-9]*\),.*/\1/p'; }
expect_frames() { [ "$(frames "$1")" = "$2" ] || fail "$1 holds $(frames "$1") frames, expected $2"; }
expect_stderr() { grep -q -- "$2" "$work/$1.err" || fail "$1: standard error lacks '$2': $(cat "$work/$1.err")"; }
expect_stdout() { grep -q -- "$2" "$work/$1.out" || fail "$1: standard output lacks '$2': $(cat "$work/$1.out")"; }

# A palette file of two records (green, blue).
printf '\x01\0\0\0\x01\x01\0\0\xFF\0\0\x02\0\0\0\x01\x01\0\0\0\xFF\0' >"$work/two.col"

# Jumping notes: the count asked for, inserted after the current frame.
run notes 0 generate notes "$work/notes.wst" --rows 8 --cols 10 --frames 20 --range 1
expect_frames "$work/notes.wst" 21
expect_stdout notes '^20 frames made'
run notes_rows 0 generate notes "$work/rows.wst" --in "$demo" --current 3 --frames 30 --horizontal --palette "$work/two.col"
expect_frames "$work/rows.wst" 78
run notes_none 0 generate notes "$work/none.wst" --rows 8 --cols 10 --frames -7
expect_frames "$work/none.wst" 1

# Palette fill: one frame per colour from the chosen entry; 24 sector
# frames; trunc(0.707 x 24 + 1) = 17 rings on 24 x 40.
run fill0 0 generate palette-fill "$work/f0.wst" --rows 4 --cols 4 --mode 0 --palette "$work/two.col" --palette-index 1
expect_frames "$work/f0.wst" 2
run fill1 0 generate palette-fill "$work/f1.wst" --rows 4 --cols 4 --mode 1 --palette "$work/two.col" --colour-action 4
expect_frames "$work/f1.wst" 3
for mode in 8 9 10 11 12 13 14 15; do
    run "sector$mode" 0 generate palette-fill "$work/s$mode.wst" --rows 12 --cols 16 --mode $mode
    expect_frames "$work/s$mode.wst" 25
done
run rings 0 generate palette-fill "$work/rings.wst" --rows 24 --cols 40 --mode 7
expect_frames "$work/rings.wst" 18

# A sweep recolours the current frame: no frame is added, the frame differs.
run sweep 0 generate palette-fill "$work/sweep.wst" --in "$demo" --current 5 --mode 4
expect_frames "$work/sweep.wst" 48
expect_stdout sweep 'frame 5 recoloured'
"$cli" export-png "$demo" "$work/before.png" --frame 5 >/dev/null 2>&1
"$cli" export-png "$work/sweep.wst" "$work/after.png" --frame 5 >/dev/null 2>&1
"$cli" export-png "$work/sweep.wst" "$work/next.png" --frame 6 >/dev/null 2>&1
"$cli" export-png "$demo" "$work/next_before.png" --frame 6 >/dev/null 2>&1
cmp -s "$work/before.png" "$work/after.png" && fail "sweep: frame 5 is unchanged"
cmp -s "$work/next.png" "$work/next_before.png" || fail "sweep: frame 6 changed"
run sweep_black 0 generate palette-fill "$work/black.wst" --rows 3 --cols 3 --mode 2
expect_stdout sweep_black 'nothing recoloured'

# Refusals and bad arguments: nothing written, exit 2.
echo keep >"$work/kept.wst"
run huge 2 generate notes "$work/kept.wst" --rows 24 --cols 40 --frames 2000000000
expect_stderr huge 'Too many frames'
[ "$(cat "$work/kept.wst")" = keep ] || fail "a refused run wrote its output"
run no_frames 2 generate notes "$work/x.wst" --rows 3 --cols 3
expect_stderr no_frames '--frames'
run bad_range 2 generate notes "$work/x.wst" --rows 3 --cols 3 --frames 2 --range 3
expect_stderr bad_range '--range'
run no_mode 2 generate palette-fill "$work/x.wst" --rows 3 --cols 3
expect_stderr no_mode '--mode'
run bad_mode 2 generate palette-fill "$work/x.wst" --rows 3 --cols 3 --mode 16
expect_stderr bad_mode '--mode'
run bad_action 2 generate palette-fill "$work/x.wst" --rows 3 --cols 3 --mode 0 --colour-action 12
expect_stderr bad_action '--colour-action'
run bad_index 2 generate palette-fill "$work/x.wst" --rows 3 --cols 3 --mode 0 --palette "$work/two.col" --palette-index 2
expect_stderr bad_index '--palette-index'
printf 'xyz' >"$work/bad.col"
run bad_palette 2 generate notes "$work/x.wst" --rows 3 --cols 3 --frames 2 --palette "$work/bad.col"
expect_stderr bad_palette 'bad.col'
run wrong_flag 2 generate palette-fill "$work/x.wst" --rows 3 --cols 3 --mode 0 --horizontal
expect_stderr wrong_flag 'does not apply'
run flag_value 2 generate notes "$work/x.wst" --rows 3 --cols 3 --frames 2 --horizontal=1
[ -e "$work/x.wst" ] && fail "a refused run wrote x.wst"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "all palette generate checks passed"
