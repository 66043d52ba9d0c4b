#!/usr/bin/env bash
# Runs "brightloom-cli send" and "update-program" against the simulated
# controller on a pseudo-terminal: what the controller received, the exit
# codes and the messages.
#
#   cli_serial.sh PATH/TO/brightloom-cli PATH/TO/brightloom-controller-sim
set -u
cli=$1
sim=$2
source "$(dirname "$0")/cli_test_lib.sh"
expect_stderr() { grep -q -- "$2" "$work/$1.err" || fail "$1: standard error lacks '$2': $(cat "$work/$1.err")"; }
hex() { od -An -tx1 -v "$1" | tr -s ' \n' ' ' | sed 's/^ //;s/ $//'; }

# start_controller NAME [OPTIONS...]: a controller answering into $work/NAME;
# sets $port and $simpid.
start_controller() {
    local name=$1
    shift
    mkdir -p "$work/$name"
    "$sim" --out "$work/$name" --timeout 20 "$@" >"$work/$name.port" 2>"$work/$name.simerr" &
    simpid=$!
    port=
    for _ in $(seq 100); do
        port=$(sed -n 's/^PORT //p' "$work/$name.port")
        [ -n "$port" ] && return
        sleep 0.05
    done
    fail "$name: the simulated controller gave no port"
}
# stop_controller NAME: waits for it to write its files (it ends by itself
# after a whole transfer; otherwise it is told to stop).
stop_controller() {
    for _ in $(seq 40); do
        kill -0 "$simpid" 2>/dev/null || break
        sleep 0.05
    done
    kill "$simpid" 2>/dev/null
    wait "$simpid" 2>/dev/null
    [ -f "$work/$1/report.txt" ] || fail "$1: the controller wrote no report"
}

# A 1 x 2 grid, three colours, two frames: (11,22,33) (AA,BB,CC), then
# (01,02,03) (04,05,06).
printf 'WST1\0\0\0\0\0\0\x0B\0\0\0\0\0\0\0\x02\0\0\0''\x01\0\x02\0\x05\0\x06\0\x03\x00\x11\x22\x33\xAA\xBB\xCC\x01\x02\x03\x04\x05\x06' >"$work/tiny.wst"
# A wiring whose list takes the right point first: pixel 0 at column 2,
# pixel 1 at column 1.
record() { # port pixel column row
    printf '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
    printf "\\x$(printf %02x "$1")\\0\\0\\0\\x$(printf %02x "$2")\\0\\0\\0\\x$(printf %02x "$3")\\0\\0\\0\\x$(printf %02x "$4")\\0\\0\\0"
    printf '\0\0\0\0\0\0\0\0'
}
{ printf '\x01\0\x02\0\x02\x02\0\0\0'; record 0 0 1 0; record 0 1 0 0; } >"$work/reversed.line"
head -c 10000 /dev/urandom >"$work/program.bin"
head -c 4095 /dev/urandom >"$work/short.bin"

# --- a rectangular send: every frame row by row, a picture per frame ----------
start_controller rect --rows 1 --cols 2
run rect 0 send "$work/tiny.wst" --port "$port" --tube-model 2 --tube-count 7
stop_controller rect
[ "$(hex "$work/rect/payload.bin")" = "11 22 33 aa bb cc 01 02 03 04 05 06" ] || fail "rect: received $(hex "$work/rect/payload.bin")"
# Header: N = 1, tube model 2, 7 tubes, 12 bytes + 1 - 1.
[ "$(hex "$work/rect/header.bin")" = "50 50 0b a1 01 00 02 07 00 0c 00 c2 00" ] || fail "rect: header $(hex "$work/rect/header.bin")"
grep -q "complete yes" "$work/rect/report.txt" || fail "rect: $(cat "$work/rect/report.txt")"
grep -q "fault" "$work/rect/report.txt" && fail "rect: $(cat "$work/rect/report.txt")"
[ -f "$work/rect/frame-0002.png" ] || fail "rect: no picture of frame 2"
expect_stderr rect "The data were sent successfully!"
expect_stderr rect "progress 0/50"

# --- an irregular send of frame 2 only, in the wiring list's order ------------
start_controller irregular
run irregular 0 send "$work/tiny.wst" --port "$port" --layout irregular --wiring "$work/reversed.line" --from 2 --to 99
stop_controller irregular
[ "$(hex "$work/irregular/payload.bin")" = "04 05 06 01 02 03" ] || fail "irregular: received $(hex "$work/irregular/payload.bin")"

# --- a program update: the file's first 4,096 bytes --------------------------
start_controller update
run update 0 update-program "$work/program.bin" --port "$port"
stop_controller update
head -c 4096 "$work/program.bin" | cmp -s - "$work/update/payload.bin" || fail "update: the received bytes differ"
grep -q "transfer program-update" "$work/update/report.txt" || fail "update: $(cat "$work/update/report.txt")"
expect_stderr update "progress 50/50"

# --- controllers that do not play along: exit 1 with the message --------------
start_controller silent --answer silent
run silent 1 send "$work/tiny.wst" --port "$port"
stop_controller silent
expect_stderr silent "The connection could not be made"
grep -q "headers 101" "$work/silent/report.txt" || fail "silent: $(cat "$work/silent/report.txt")"

start_controller hangup --answer hangup --from 2
run hangup 1 update-program "$work/program.bin" --port "$port"
stop_controller hangup
expect_stderr hangup "The data could not be sent!"

run noport 1 send "$work/tiny.wst" --port "$work/no-such-port"
expect_stderr noport "could not be opened"

# --- nothing sent: exit 2 -------------------------------------------------------
run short 2 update-program "$work/short.bin" --port /dev/null
expect_stderr short "at least 4,096 bytes"
run missing 2 update-program "$work/none.bin" --port /dev/null
run noportarg 2 send "$work/tiny.wst"
expect_stderr noportarg "--port"
run badlayout 2 send "$work/tiny.wst" --port /dev/null --layout round
run nowiring 2 send "$work/tiny.wst" --port /dev/null --layout irregular
run badfrom 2 send "$work/tiny.wst" --port /dev/null --from 0
run badmodel 2 send "$work/tiny.wst" --port /dev/null --tube-model 4
run beyond 2 send "$work/tiny.wst" --port /dev/null --from 3
expect_stderr beyond "start frame"
run noproject 2 send "$work/none.wst" --port /dev/null
run help 0 send --help
grep -q "usage: brightloom-cli send" "$work/help.out" || fail "help: $(cat "$work/help.out")"

[ "$failures" -eq 0 ] && echo "cli_serial: all checks passed"
exit $((failures > 0))
