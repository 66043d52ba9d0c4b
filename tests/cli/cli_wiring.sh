#!/usr/bin/env bash
# Runs brightloom-cli wire and check-wiring for real: exit codes, output and
# the line files they write.
#
#   cli_wiring.sh PATH/TO/brightloom-cli
set -u
cli=$1
source "$(dirname "$0")/cli_test_lib.sh"
expect_stdout() { grep -q -- "$2" "$work/$1.out" || fail "$1: standard output lacks '$2': $(cat "$work/$1.out")"; }
expect_stderr() { grep -q -- "$2" "$work/$1.err" || fail "$1: standard error lacks '$2': $(cat "$work/$1.err")"; }
size_is() { [ "$(stat -c %s "$1")" -eq "$2" ] || fail "$1 has $(stat -c %s "$1") bytes, expected $2"; }
# field OFFSET FILE: the little-endian 32-bit number at OFFSET.
field() { od -A n -t d4 -j "$1" -N 4 "$2" | tr -d ' '; }

# --- wire --------------------------------------------------------------------
run snake 0 wire "$work/snake.line" --rows 3 --cols 3 --port 1 --from 1,1 --to 3,3 --modifier ctrl
size_is "$work/snake.line" $((9 + 9 * 48))
expect_stdout snake 'port 1: 9 pixels added (fill order 4)'
# A row snake: the fourth pixel (record 3) sits at column 3 of row 2.
[ "$(field $((9 + 3 * 48 + 32)) "$work/snake.line")" -eq 2 ] || fail "snake: record 4 is not in column 3"
[ "$(field $((9 + 3 * 48 + 36)) "$work/snake.line")" -eq 1 ] || fail "snake: record 4 is not in row 2"

run check_snake 0 check-wiring "$work/snake.line"
expect_stdout check_snake '^clean$'

# Two drags in one call; the second skips the cells the first wired.
run two 0 wire "$work/two.line" --rows 2 --cols 4 --port 1 --from 1,1 --to 4,1 \
    --port 2 --from 4,2 --to 1,1 --modifier alt
expect_stdout two 'port 1: 4 pixels added'
expect_stdout two 'port 2: 4 pixels added (fill order 11)'

# Adding to a file: port 3 with nothing on port 2 leaves a gap.
run gap 0 wire "$work/gap.line" --in "$work/snake.line" --port 3 --from 1,1 --to 1,1
expect_stdout gap 'port 3: 0 pixels added'
run gap2 0 wire "$work/gap.line" --rows 2 --cols 2 --port 1 --from 1,1 --to 2,1 --port 3 --from 2,2 --to 1,2
run check_gap 1 check-wiring "$work/gap.line"
expect_stdout check_gap 'port numbers not consecutive'
run repair_gap 0 check-wiring "$work/gap.line" --repair
expect_stdout repair_gap 'repaired'
run check_gap_again 0 check-wiring "$work/gap.line"
expect_stdout check_gap_again '^clean$'

run no_size 2 wire "$work/x.line" --port 1 --from 1,1 --to 1,1
expect_stderr no_size '--rows and --cols'
run mismatch 2 wire "$work/x.line" --in "$work/snake.line" --rows 4 --port 1 --from 1,1 --to 1,1
expect_stderr mismatch 'made for 3 rows and 3 columns'
run outside 2 wire "$work/x.line" --rows 3 --cols 3 --port 1 --from 1,1 --to 4,1
expect_stderr outside 'outside the grid'
run bad_port 2 wire "$work/x.line" --rows 3 --cols 3 --port 0 --from 1,1 --to 1,1
run bad_modifier 2 wire "$work/x.line" --rows 3 --cols 3 --port 1 --from 1,1 --to 1,1 --modifier meta
run no_drag_end 2 wire "$work/x.line" --rows 3 --cols 3 --port 1 --from 1,1
[ ! -e "$work/x.line" ] || fail "a refused wire call wrote its output"
run missing_in 2 wire "$work/x.line" --in "$work/nowhere.line" --port 1 --from 1,1 --to 1,1

# --- check-wiring on hand-made damage ----------------------------------------
# record PORT PIXEL X Y: one 48-byte record.
record() {
    head -c 24 /dev/zero
    printf "\\x$(printf %02x "$1")\\0\\0\\0\\x$(printf %02x "$2")\\0\\0\\0"
    printf "\\x$(printf %02x "$3")\\0\\0\\0\\x$(printf %02x "$4")\\0\\0\\0"
    head -c 8 /dev/zero
}
{
    printf '\002\000\002\000\002\003\000\000\000'
    record 0 0 0 0
    record 0 3 1 0
    record 0 1 0 0
} >"$work/dup.line"
run check_dup 1 check-wiring "$work/dup.line"
expect_stdout check_dup 'pixel numbers not consecutive: 2 records renumbered'
expect_stdout check_dup 'grid point 1,1 wired twice: port 1 pixel 1 and port 1 pixel 3$'
cmp -s "$work/dup.line" <({ printf '\002\000\002\000\002\003\000\000\000'; record 0 0 0 0; record 0 3 1 0; record 0 1 0 0; }) \
    || fail "check-wiring without --repair changed the file"
run repair_dup 0 check-wiring "$work/dup.line" --repair
expect_stdout repair_dup 'the earlier one removed'
# The head went with the earlier record; the next pass gives the port one.
expect_stdout repair_dup 'checked again'
size_is "$work/dup.line" $((9 + 2 * 48))
run check_dup_again 0 check-wiring "$work/dup.line"

printf '\002\000\002\000\001\000\000\000\000' >"$work/neon.line"
run neon 2 check-wiring "$work/neon.line"
expect_stderr neon 'not an LED wiring'
printf '\002\000\002\000\002\000\000\000\000' >"$work/empty.line"
run empty 0 check-wiring "$work/empty.line"
expect_stdout empty 'nothing to check'
printf '\002\000' >"$work/short.line"
run short 2 check-wiring "$work/short.line"
{ printf '\002\000\002\000\002\003\000\000\000'; record 0 0 0 0; record 0 1 1 0; } >"$work/cut.line"
run cut 1 check-wiring "$work/cut.line"
expect_stdout cut 'file incomplete: 3 records promised, 2 complete ones read'

if [ "$failures" -ne 0 ]; then
    echo "$failures failures" >&2
    exit 1
fi
echo "all wiring command checks passed"
