#!/usr/bin/env bash
# Runs "brightloom-cli export-fseq", "import-fseq" and "info" on a tiny
# hand-made project and wiring: the FSEQ bytes, the JSON, a round trip
# through each compression, and the refusals.
#
#   cli_fseq.sh PATH/TO/brightloom-cli
set -u
cli=$1
source "$(dirname "$0")/cli_test_lib.sh"
expect_stderr() { grep -q -- "$2" "$work/$1.err" || fail "$1: standard error lacks '$2': $(cat "$work/$1.err")"; }
expect_out() { grep -q -- "$2" "$work/$1.out" || fail "$1: standard output lacks '$2': $(cat "$work/$1.out")"; }
bytes() { od -An -tx1 -j "$2" -N "$3" "$1" | tr -s ' \n' ' ' | sed 's/^ //;s/ $//'; }
size() { stat -c %s "$1"; }

# A 1 x 3 grid, two frames: (11,22,33) (44,55,66) (77,88,99), then the
# same colours plus 1.
printf 'WST1\0\0\0\0\0\0\x0B\0\0\0\0\0\0\0\x02\0\0\0''\x01\0\x03\0\x05\0\x06\0\x03\x00' >"$work/tiny.wst"
printf '\x11\x22\x33\x44\x55\x66\x77\x88\x99\x12\x23\x34\x45\x56\x67\x78\x89\x9a' >>"$work/tiny.wst"

record() { # port pixel column row
    printf '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
    printf "\\x$(printf %02x "$1")\\0\\0\\0\\x$(printf %02x "$2")\\0\\0\\0\\x$(printf %02x "$3")\\0\\0\\0\\x$(printf %02x "$4")\\0\\0\\0"
    printf '\0\0\0\0\0\0\0\0'
}
# Port 1 pixel 0 is point 2; port 2 pixel 1 is point 0 (its pixel 0 is a
# gap); point 1 is not wired.
{ printf '\x01\0\x03\0\x02\x02\0\0\0'; record 0 0 2 0; record 1 1 0 0; } >"$work/tiny.line"

# --- uncompressed, GRB: header fields and channels ------------------------------
run plain 0 export-fseq "$work/tiny.wst" "$work/tiny.line" "$work/plain.fseq" --compress none --order grb --step-ms 40
f="$work/plain.fseq"
[ "$(bytes "$f" 0 4)" = "50 53 45 51" ] || fail "plain: magic $(bytes "$f" 0 4)"
[ "$(bytes "$f" 6 18)" = "00 02 20 00 09 00 00 00 02 00 00 00 28 00 00 00 00 00" ] || fail "plain: header $(bytes "$f" 6 18)"
offset=$(( $(od -An -tu2 -j 4 -N 2 "$f") ))
[ "$(size "$f")" -eq $((offset + 18)) ] || fail "plain: $(size "$f") bytes, data at $offset"
# Port 1: point 2 as G R B; port 2: a gap, then point 0.
[ "$(bytes "$f" "$offset" 9)" = "88 77 99 00 00 00 22 11 33" ] || fail "plain: frame 1 $(bytes "$f" "$offset" 9)"
expect_out plain '"ports":\[{"firstChannel":1,"pixels":1,"port":1},{"firstChannel":4,"pixels":2,"port":2}\]'
expect_out plain '"channels":9'

# --- info reads the header ---------------------------------------------------------
run info 0 info "$f"
expect_out info '"format":"FSEQ"'
expect_out info '"version":"2.0"'
expect_out info '"channels":9'
expect_out info '"frames":2'
expect_out info '"stepMs":40'
expect_out info '"compression":"none"'
expect_out info '"creator":"Brightloom '

# --- each compression round trips: by the wiring, and row by row -----------------------
for c in none zstd zlib; do
    run "wired_$c" 0 export-fseq "$work/tiny.wst" "$work/tiny.line" "$work/wired_$c.fseq" --compress "$c"
    run "wired_back_$c" 0 import-fseq "$work/wired_$c.fseq" "$work/tiny.line" "$work/wired_$c.wst"
    expect_out "wired_back_$c" '"frames":2'
    # The unwired point 1 comes back black.
    [ "$(bytes "$work/wired_$c.wst" 32 18)" = "11 22 33 00 00 00 77 88 99 12 23 34 00 00 00 78 89 9a" ] \
        || fail "wired $c: $(bytes "$work/wired_$c.wst" 32 18)"
    run "grid_$c" 0 export-fseq "$work/tiny.wst" "$work/grid_$c.fseq" --compress "$c" --order bgr
    expect_out "grid_$c" '"byWiring":false'
    run "grid_back_$c" 0 import-fseq "$work/grid_$c.fseq" "$work/grid_$c.wst" --rows 1 --cols 3 --order bgr
    cmp -s <(bytes "$work/grid_$c.wst" 32 18) <(bytes "$work/tiny.wst" 32 18) || fail "grid $c: $(bytes "$work/grid_$c.wst" 32 18)"
done
run info_zstd 0 info "$work/grid_zstd.fseq"
expect_out info_zstd '"compression":"zstd"'
expect_out info_zstd '"blocks":\[{"firstFrame":0,"frames":2,'

# --- refusals: bad options, a damaged file, a wiring for another grid -------------------
run bad_compress 2 export-fseq "$work/tiny.wst" "$work/x.fseq" --compress lzma
expect_stderr bad_compress "none, zstd or zlib"
run bad_step 2 export-fseq "$work/tiny.wst" "$work/x.fseq" --step-ms 256
run bad_order 2 export-fseq "$work/tiny.wst" "$work/x.fseq" --order rgbw
[ ! -e "$work/x.fseq" ] || fail "a refused export wrote a file"
run no_grid 2 import-fseq "$work/grid_none.fseq" "$work/x.wst"
expect_stderr no_grid "--rows and --cols"
head -c 40 "$work/grid_zstd.fseq" >"$work/cut.fseq"
run cut 2 import-fseq "$work/cut.fseq" "$work/x.wst" --rows 1 --cols 3
expect_stderr cut "FSEQ"
run cut_info 2 info "$work/cut.fseq"
[ ! -e "$work/x.wst" ] || fail "a refused import wrote a project"
{ printf '\x02\0\x03\0\x02\x00\0\0\0'; } >"$work/other.line"
run other_grid 2 export-fseq "$work/tiny.wst" "$work/other.line" "$work/x.fseq"
expect_stderr other_grid "2 x 3 grid"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "fseq: all checks passed"
