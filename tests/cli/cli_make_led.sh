#!/usr/bin/env bash
# Runs "brightloom-cli make-led" on a tiny hand-made project and wiring and
# checks the port files byte by byte, the exit codes and the messages.
#
#   cli_make_led.sh PATH/TO/brightloom-cli
set -u
cli=$1
source "$(dirname "$0")/cli_test_lib.sh"
expect_stderr() { grep -q -- "$2" "$work/$1.err" || fail "$1: standard error lacks '$2': $(cat "$work/$1.err")"; }
# Bytes FROM..FROM+COUNT-1 of a file as hex pairs.
bytes() { od -An -tx1 -j "$2" -N "$3" "$1" | tr -s ' \n' ' ' | sed 's/^ //;s/ $//'; }
size() { stat -c %s "$1"; }

# A 1 x 2 grid, cells 5 x 6, three colours, one frame of (11,22,33) and
# (AA,BB,CC).
printf 'WST1\0\0\0\0\0\0\x0B\0\0\0\0\0\0\0\x01\0\0\0''\x01\0\x02\0\x05\0\x06\0\x03\x00\x11\x22\x33\xAA\xBB\xCC' >"$work/tiny.wst"

# Its wiring: rows 1, cols 2, LED, two records; point x is pixel x of port 1.
record() { # port pixel column row
    printf '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
    printf "\\x$(printf %02x "$1")\\0\\0\\0\\x$(printf %02x "$2")\\0\\0\\0\\x$(printf %02x "$3")\\0\\0\\0\\x$(printf %02x "$4")\\0\\0\\0"
    printf '\0\0\0\0\0\0\0\0'
}
{ printf '\x01\0\x02\0\x02\x02\0\0\0'; record 0 0 0 0; record 0 1 1 0; } >"$work/tiny.line"
[ "$(size "$work/tiny.line")" -eq 105 ] || fail "test wiring has $(size "$work/tiny.line") bytes"

# --- the panel's starting values: SPI595, cycle 1, list b g r from the top ---
run defaults 0 make-led "$work/tiny.wst" "$work/tiny.line" "$work/show.led"
f="$work/show_01.led"
[ "$(size "$f")" -eq 1024 ] || fail "defaults: file of $(size "$f") bytes"
[ "$(bytes "$f" 0 20)" = "06 00 01 00 07 06 00 ff 01 00 00 1e 06 00 02 03 00 00 06 00" ] \
    || fail "defaults: header $(bytes "$f" 0 20)"
# Format 2 takes the groups from the last: the second pixel first.
[ "$(bytes "$f" 512 8)" = "aa bb cc 11 22 33 00 00" ] || fail "defaults: block $(bytes "$f" 512 8)"
grep -q "show_01.led" "$work/defaults.out" || fail "defaults: the file is not named on standard output"

# --- format 0 and a name without the extension, kept whole ---------------------
run plain 0 make-led --format 0 "$work/tiny.wst" "$work/tiny.line" "$work/myshow"
[ "$(bytes "$work/myshow_01.led" 512 6)" = "11 22 33 aa bb cc" ] || fail "format 0: $(bytes "$work/myshow_01.led" 512 6)"

# --- a parameter file sets the order list; format 4 reads it from the bottom ---
printf '0,1,3,1,b,1,g,1,r,' >"$work/bgr.zari"
run params 0 make-led "$work/tiny.wst" "$work/tiny.line" "$work/bgr.led" --params "$work/bgr.zari" --format 4
[ "$(bytes "$work/bgr_01.led" 512 6)" = "33 22 11 cc bb aa" ] || fail "params: $(bytes "$work/bgr_01.led" 512 6)"

# --- --cycle rebuilds the list; --group-extra counts in the header -------------
run cycle 0 make-led "$work/tiny.wst" "$work/tiny.line" "$work/cyc.led" --params "$work/bgr.zari" --cycle 2 --group-extra 1
[ "$(bytes "$work/cyc_01.led" 0 2)" = "07 00" ] || fail "cycle: header length $(bytes "$work/cyc_01.led" 0 2)"
[ "$(bytes "$work/cyc_01.led" 512 6)" = "aa bb cc 11 22 33" ] || fail "cycle: $(bytes "$work/cyc_01.led" 512 6)"

# --- grey levels, speed and the hidden values in the header --------------------
run header 0 make-led "$work/tiny.wst" "$work/tiny.line" "$work/hdr.led" --grey 16 --speed 25 --sd-speed 9 \
    --scan 1 --divider-a 2 --divider-b 256 --controller 1 --format 12
[ "$(bytes "$work/hdr_01.led" 4 12)" = "01 ff 00 0f 01 00 01 19 06 00 09 09" ] || fail "header: $(bytes "$work/hdr_01.led" 4 12)"
[ "$(bytes "$work/hdr_01.led" 512 3)" = "01 02 03" ] || fail "grey 16: $(bytes "$work/hdr_01.led" 512 3)"

# --- the timing check refuses and writes nothing -------------------------------
run timing 1 make-led "$work/tiny.wst" "$work/tiny.line" "$work/slow.led" --rate 0.3 --speed 400
expect_stderr timing 'err 参数'
[ ! -e "$work/slow_01.led" ] || fail "timing: a file was written"

# --- bad arguments and files exit 2 --------------------------------------------
run grey 2 make-led "$work/tiny.wst" "$work/tiny.line" "$work/x.led" --grey 7
expect_stderr grey '--grey'
run range 2 make-led "$work/tiny.wst" "$work/tiny.line" "$work/x.led" --from 2
run cycle0 2 make-led "$work/tiny.wst" "$work/tiny.line" "$work/x.led" --cycle 0
run nowire 2 make-led "$work/tiny.wst" "$work/missing.line" "$work/x.led"
expect_stderr nowire 'missing.line'
run neon 2 make-led "$work/tiny.wst" "$work/tiny.line" "$work/x.led" --neon
run args 2 make-led "$work/tiny.wst" "$work/tiny.line"
printf '0,1,9,1,r,' >"$work/short.zari"
run badparams 2 make-led "$work/tiny.wst" "$work/tiny.line" "$work/x.led" --params "$work/short.zari"
expect_stderr badparams 'short.zari'
{ printf '\x02\0\x02\0\x02\0\0\0\0'; } >"$work/other.line"
run othergrid 2 make-led "$work/tiny.wst" "$work/other.line" "$work/x.led"
[ ! -e "$work/x_01.led" ] || fail "a refused run wrote a file"

run help 0 make-led --help
grep -q 'usage: brightloom-cli make-led' "$work/help.out" || fail "help text"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "make-led: all checks passed"
