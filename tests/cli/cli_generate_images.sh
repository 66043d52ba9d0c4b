#!/usr/bin/env bash
# brightloom-cli generate picture and generate text: frame counts, a
# picture taken from a frame coming back whole, the effect list's range,
# and refused pictures, colours and texts.
#
#   cli_generate_images.sh PATH/TO/brightloom-cli PATH/TO/demo.wst
set -u
cli=$1
demo=$2
source "$(dirname "$0")/cli_test_lib.sh"

frames() { "$cli" info "$1" | sed -n 's/.*"frames": \([0-9]*\),.*/\1/p'; }
expect_frames() { [ "$(frames "$1")" = "$2" ] || fail "$1 holds $(frames "$1") frames, expected $2"; }
expect_stderr() { grep -q -- "$2" "$work/$1.err" || fail "$1: standard error lacks '$2': $(cat "$work/$1.err")"; }

# Frame 3 of the demo as a picture file of the grid's size.
run png 0 export-png "$demo" --frame 3 "$work/frame3.png"

# The picture tab's defaults: 20 entrance frames and 10 still ones.
run picture 0 generate picture "$work/p.wst" --rows 24 --cols 40 --image "$work/frame3.png"
expect_frames "$work/p.wst" 31
# Entrance 0, wait 0: one frame, the finished picture, inserted after frame 3.
run still 0 generate picture "$work/still.wst" --in "$demo" --current 3 --image "$work/frame3.png" --entrance 0 --wait 0 --effect 47
expect_frames "$work/still.wst" 49
run still_png 0 export-png "$work/still.wst" --frame 4 "$work/still4.png"
cmp -s "$work/frame3.png" "$work/still4.png" || fail "the finished picture differs from the frame it was taken from"
# Random (53) with an exit, whatever the AddMode: inserted.
run random 0 generate picture "$work/r.wst" --rows 8 --cols 8 --image "$work/frame3.png" --effect 53 --entrance 3 --wait 1 --exit 2 --add-mode 1
expect_frames "$work/r.wst" 7

# Text scrolling left over 40 columns with step 1: text width + 39 frames;
# step 2 makes half as many, rounded up.
run left 0 generate text "$work/left.wst" --rows 16 --cols 40 --text "Hi 你好" --mode 1 --step 1
made=$(sed -n 's/^\([0-9]*\) frames made.*/\1/p' "$work/left.out")
[ "${made:-0}" -gt 39 ] || fail "scroll left made ${made:-no} frames"
run left2 0 generate text "$work/left2.wst" --rows 16 --cols 40 --text "Hi 你好" --mode 1 --step 2
grep -q "^$(((made + 1) / 2)) frames made" "$work/left2.out" || fail "step 2: $(cat "$work/left2.out"), step 1 made $made"
# Two lines entering with an effect, 4 frames each, in the current frame.
run lines 0 generate text "$work/lines.wst" --in "$demo" --text 'ab\ncd' --mode 22 --step 4 --font Unifont --colour 00FF00 --add-mode 2
expect_frames "$work/lines.wst" 48
grep -q '^8 frames made' "$work/lines.out" || fail "lines: $(cat "$work/lines.out")"

# Refusals: exit 2, nothing written.
printf 'no picture here' >"$work/junk.png"
run junk 2 generate picture "$work/x.wst" --rows 4 --cols 4 --image "$work/junk.png"
expect_stderr junk 'cannot be opened'
[ ! -e "$work/x.wst" ] || fail "a refused picture run wrote its output"
run no_image 2 generate picture "$work/x.wst" --rows 4 --cols 4
expect_stderr no_image '--image'
run effect 2 generate picture "$work/x.wst" --rows 4 --cols 4 --image "$work/frame3.png" --effect 54
expect_stderr effect '--effect'
run colour 2 generate text "$work/x.wst" --rows 16 --cols 40 --text Hi --colour 00FG00
expect_stderr colour 'RRGGBB'
run narrow 2 generate text "$work/x.wst" --rows 16 --cols 5 --text Hi
expect_stderr narrow 'fewer than 8 columns'
run blank 2 generate text "$work/x.wst" --rows 16 --cols 40 --text '   '
expect_stderr blank 'No text'
run too_much 2 generate text "$work/x.wst" --rows 16 --cols 40 --mode 1 --step 1 --text "$(printf 'W%.0s' $(seq 1 12000))"
expect_stderr too_much '100,000 frames'
run wrong_option 2 generate text "$work/x.wst" --rows 16 --cols 40 --text Hi --image "$work/frame3.png"
expect_stderr wrong_option 'does not apply'

exit $((failures > 0))
