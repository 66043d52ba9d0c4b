#!/usr/bin/env bash
# Runs "brightloom-cli usb-payload" on a tiny hand-made project and wiring and
# checks the payload and parameter block byte by byte, and the exit codes.
#
#   cli_usb.sh PATH/TO/brightloom-cli
set -u
cli=$1
source "$(dirname "$0")/cli_test_lib.sh"
hex() { od -An -tx1 -v "$1" | tr -s ' \n' ' ' | sed 's/^ //;s/ $//'; }

# A 1 x 2 grid, three colours, frame 1 (11,22,33) (AA,BB,CC), frame 2 all
# (01,02,03); both points on the first port, left one first.
printf 'WST1\0\0\0\0\0\0\x0B\0\0\0\0\0\0\0\x02\0\0\0''\x01\0\x02\0\x05\0\x06\0\x03\x00\x11\x22\x33\xAA\xBB\xCC\x01\x02\x03\x01\x02\x03' >"$work/tiny.wst"
record() { # port pixel column row
    printf '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
    printf "\\x$(printf %02x "$1")\\0\\0\\0\\x$(printf %02x "$2")\\0\\0\\0\\x$(printf %02x "$3")\\0\\0\\0\\x$(printf %02x "$4")\\0\\0\\0"
    printf '\0\0\0\0\0\0\0\0'
}
{ printf '\x01\0\x02\0\x02\x02\0\0\0'; record 0 0 0 0; record 0 1 1 0; } >"$work/tiny.line"

# --- model 1, format 0: one port, three bytes per pixel in pixel order ---
run m1 0 usb-payload "$work/tiny.wst" "$work/tiny.line" "$work/m1.bin" --frame 1 --controller 1 --format 0 \
    --parameter-block "$work/m1.pb"
[ "$(hex "$work/m1.bin")" = "11 22 33 aa bb cc" ] || fail "m1: payload $(hex "$work/m1.bin")"
# 0x02, D = 6, one lane, 0, dividers 8 and 7, 0, 255 grey steps, 2 frames,
# no scan enhancement, 0, 6 bytes per lane, format 0.
[ "$(hex "$work/m1.pb")" = "02 06 00 01 00 08 07 00 ff 02 00 00 00 06 00 00" ] || fail "m1: block $(hex "$work/m1.pb")"
grep -q '"bytes":6,' "$work/m1.out" || fail "m1: summary $(cat "$work/m1.out")"
grep -q '"announced":10,' "$work/m1.out" || fail "m1: one chunk of 6 announces 10: $(cat "$work/m1.out")"

# --- written again through a link, over the first payload and a hidden copy
# a killed run left: the file it points to changes and keeps its
# permissions, the link stays a link, nothing else is left beside it ---
chmod 640 "$work/m1.bin"
printf 'stale' >"$work/.m1.bin.brightloom-save"
ln -s m1.bin "$work/m1-link.bin"
run again 0 usb-payload "$work/tiny.wst" "$work/tiny.line" "$work/m1-link.bin" --frame 2 --controller 1 --format 0
[ "$(hex "$work/m1.bin")" = "01 02 03 01 02 03" ] || fail "again: payload $(hex "$work/m1.bin")"
[ -L "$work/m1-link.bin" ] || fail "again: the link was replaced"
[ "$(stat -c %a "$work/m1.bin")" = 640 ] || fail "again: permissions $(stat -c %a "$work/m1.bin")"
left=$(cd "$work" && ls -A | grep -E '^\.?m1(-link)?\.bin.' | tr '\n' ' ')
[ -z "$left" ] || fail "again: left beside the payload: $left"

# --- the panel's model 0: every port byte padded to eight lanes ---
run m0 0 usb-payload "$work/tiny.wst" "$work/tiny.line" "$work/m0.bin" --frame 2 --format 0
[ "$(stat -c %s "$work/m0.bin")" -eq 48 ] || fail "m0: $(stat -c %s "$work/m0.bin") bytes"
[ "$(od -An -tx1 -N 16 "$work/m0.bin" | tr -s ' \n' ' ' | sed 's/^ //;s/ $//')" = "01 00 00 00 00 00 00 00 02 00 00 00 00 00 00 00" ] \
    || fail "m0: $(hex "$work/m0.bin")"
grep -q '"lanes":8,' "$work/m0.out" || fail "m0: summary $(cat "$work/m0.out")"

# --- format 1 from the last pixel; 2 grey levels keep the top bit ---
run f1 0 usb-payload "$work/tiny.wst" "$work/tiny.line" "$work/f1.bin" --frame 1 --controller 1 --format 1 --grey 2
[ "$(hex "$work/f1.bin")" = "01 01 01 00 00 00" ] || fail "f1: $(hex "$work/f1.bin")"
# --- a format without a USB layout: an empty payload, announced as 0 ---
run f3 0 usb-payload "$work/tiny.wst" "$work/tiny.line" "$work/f3.bin" --frame 1 --format 3
[ "$(stat -c %s "$work/f3.bin")" -eq 0 ] || fail "f3: not empty"
grep -q '"announced":0,' "$work/f3.out" || fail "f3: summary $(cat "$work/f3.out")"

# --- refusals: nothing written, exit 2 ---
for case in "nofr|" "past|--frame 3" "grey|--frame 1 --grey 3" "ctl|--frame 1 --controller 99" "opt|--frame 1 --lanes 4"; do
    name=${case%%|*}
    # shellcheck disable=SC2086
    run "bad_$name" 2 usb-payload "$work/tiny.wst" "$work/tiny.line" "$work/bad_$name.bin" ${case#*|}
    [ -e "$work/bad_$name.bin" ] && fail "bad_$name: a file was written"
done
run nowiring 2 usb-payload "$work/tiny.wst" "$work/none.line" "$work/x.bin" --frame 1
grep -q "none.line: cannot be read" "$work/nowiring.err" || fail "nowiring: $(cat "$work/nowiring.err")"
run badparams 2 usb-payload "$work/tiny.wst" "$work/tiny.line" "$work/x.bin" --frame 1 --params "$work/tiny.line"
[ -e "$work/x.bin" ] && fail "a refused call wrote its output"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "usb-payload: all checks passed"
