#!/usr/bin/env bash
# Runs "brightloom-cli transform" on the demo and on a tiny hand-made
# project, and checks the written bytes, the exit codes and the messages.
#
#   cli_transform.sh PATH/TO/brightloom-cli PATH/TO/demo.wst
set -u
cli=$1
demo=$2
source "$(dirname "$0")/cli_test_lib.sh"
expect_stderr() { grep -q -- "$2" "$work/$1.err" || fail "$1: standard error lacks '$2': $(cat "$work/$1.err")"; }
info_of() { "$cli" info "$1"; }

# The demo in the current layout, as the tool writes it.
"$cli" convert "$demo" "$work/demo.wst" || fail "convert of the demo"

# A 1 x 2 grid, cells 5 x 6, one frame of (11,22,33) and (AA,BB,CC).
header='WST1\0\0\0\0\0\0\x0B\0\0\0\0\0\0\0\x01\0\0\0'
printf "${header}"'\x01\0\x02\0\x05\0\x06\0\x02\x00\x11\x22\x33\xAA\xBB\xCC' >"$work/tiny.wst"

# --- exact results on the tiny project ---------------------------------------
run tiny_rotate 0 transform "$work/tiny.wst" "$work/tiny_rot.wst" --rotate
printf "${header}"'\x02\0\x01\0\x06\0\x05\0\x02\x00\x11\x22\x33\xAA\xBB\xCC' >"$work/want_rot.wst"
cmp -s "$work/tiny_rot.wst" "$work/want_rot.wst" || fail "rotate of 1 x 2: $(od -An -tx1 "$work/tiny_rot.wst")"

run tiny_invert 0 transform "$work/tiny.wst" "$work/tiny_inv.wst" --invert 1-1
printf "${header}"'\x01\0\x02\0\x05\0\x06\0\x02\x00\xEE\xDD\xCC\x55\x44\x33' >"$work/want_inv.wst"
cmp -s "$work/tiny_inv.wst" "$work/want_inv.wst" || fail "invert: $(od -An -tx1 "$work/tiny_inv.wst")"

run tiny_rgb 0 transform "$work/tiny.wst" "$work/tiny_rgb.wst" --replace-rgb=1-1:4
printf "${header}"'\x01\0\x02\0\x05\0\x06\0\x02\x00\x33\x22\x11\xCC\xBB\xAA' >"$work/want_rgb.wst"
cmp -s "$work/tiny_rgb.wst" "$work/want_rgb.wst" || fail "replace-rgb 4: $(od -An -tx1 "$work/tiny_rgb.wst")"

# Steps run in the order given: add a column, then invert (the new black
# column turns white).
run tiny_order 0 transform "$work/tiny.wst" "$work/tiny_order.wst" --add-col --invert 1-1
printf "${header}"'\x01\0\x03\0\x05\0\x06\0\x02\x00\xEE\xDD\xCC\x55\x44\x33\xFF\xFF\xFF' >"$work/want_order.wst"
cmp -s "$work/tiny_order.wst" "$work/want_order.wst" || fail "add-col then invert: $(od -An -tx1 "$work/tiny_order.wst")"

# At one row, deleting a row does nothing (and says so).
run tiny_delete_row 0 transform "$work/tiny.wst" "$work/tiny_same.wst" --delete-row
cmp -s "$work/tiny_same.wst" "$work/tiny.wst" || fail "delete-row at one row changed the project"
expect_stderr tiny_delete_row 'one row'

# --- round trips on the demo ---------------------------------------------------
run four_turns 0 transform "$work/demo.wst" "$work/turned.wst" --rotate --rotate --rotate --rotate
cmp -s "$work/turned.wst" "$work/demo.wst" || fail "four quarter turns changed the demo"
run one_turn 0 transform "$work/demo.wst" "$work/turned1.wst" --rotate
info_of "$work/turned1.wst" | grep -q '"rows": 40, "cols": 24, "celWidth": 20' || fail "one turn: $(info_of "$work/turned1.wst")"
run grow_shrink 0 transform "$work/demo.wst" "$work/gs.wst" --add-row --add-col --delete-col --delete-row
cmp -s "$work/gs.wst" "$work/demo.wst" || fail "add then delete a row and a column changed the demo"
run invert_twice 0 transform "$work/demo.wst" "$work/inv2.wst" --invert 1-48 --invert 1-48
cmp -s "$work/inv2.wst" "$work/demo.wst" || fail "inverting twice changed the demo"
run swap_twice 0 transform "$work/demo.wst" "$work/swap2.wst" --replace-rgb 1-48:1 --replace-rgb 1-48:1
cmp -s "$work/swap2.wst" "$work/demo.wst" || fail "swapping red and green twice changed the demo"
run odd_rows 0 transform "$work/demo.wst" "$work/odd.wst" --odd-rows
cmp -s "$work/odd.wst" "$work/demo.wst" && fail "odd rows left the demo as it was"
info_of "$work/odd.wst" | grep -q '"rows": 24, "cols": 40' || fail "odd rows changed the grid size"

# Repetition changes the count, and later ranges count the new frames.
run repeat 0 transform "$work/demo.wst" "$work/rep.wst" --repeat 47-48:3 --invert 50-54
info_of "$work/rep.wst" | grep -q '"frames": 54,' || fail "repeat: $(info_of "$work/rep.wst")"
run repeat_zero 0 transform "$work/demo.wst" "$work/rep0.wst" --repeat 1-2:0
cmp -s "$work/rep0.wst" "$work/demo.wst" || fail "repeat with N = 0 changed the demo"

# --- errors ------------------------------------------------------------------------
range_message='Input error! The start frame or the end frame is out of range.'
for bad in 0-2 3-2 48-49; do
    echo keep >"$work/kept.wst"
    run "range_$bad" 2 transform "$work/demo.wst" "$work/kept.wst" --invert "$bad"
    expect_stderr "range_$bad" "$range_message"
    [ "$(cat "$work/kept.wst")" = keep ] || fail "a range error replaced the output ($bad)"
done
# The range is checked against the frames at that step.
run range_after_repeat 0 transform "$work/demo.wst" "$work/r.wst" --repeat 48-48:1 --invert 49-49
run range_too_late 2 transform "$work/demo.wst" "$work/r.wst" --invert 49-49 --repeat 48-48:1
expect_stderr range_too_late "$range_message"

run bad_index 2 transform "$work/demo.wst" "$work/x.wst" --replace-rgb 1-2:5
expect_stderr bad_index '0..4'
run bad_syntax 2 transform "$work/demo.wst" "$work/x.wst" --repeat 1-2
expect_stderr bad_syntax 'A-B:N'
run no_steps 2 transform "$work/demo.wst" "$work/x.wst"
expect_stderr no_steps 'usage: brightloom-cli transform'
run unknown_step 2 transform "$work/demo.wst" "$work/x.wst" --mirror
expect_stderr unknown_step 'unknown option'
run missing_value 2 transform "$work/demo.wst" "$work/x.wst" --invert
run missing_input 2 transform "$work/missing.wst" "$work/x.wst" --rotate
expect_stderr missing_input 'missing.wst'
[ ! -e "$work/x.wst" ] || fail "a failed transform wrote its output"
run help 0 transform --help
grep -q -- '--replace-rgb' "$work/help.out" || fail "transform --help lacks the steps"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all brightloom-cli transform checks passed"
