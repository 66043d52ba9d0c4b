#!/usr/bin/env bash
# Runs the real brightloom-cli binary and checks its exit codes, what goes to
# standard output and standard error, and the files it writes.
#
#   cli_exit_codes.sh PATH/TO/brightloom-cli PATH/TO/demo.wst
set -u
cli=$1
demo=$2
source "$(dirname "$0")/cli_test_lib.sh"

expect_empty_stdout() { [ ! -s "$work/$1.out" ] || fail "$1: standard output should be empty"; }
expect_stderr() { grep -q -- "$2" "$work/$1.err" || fail "$1: standard error lacks '$2': $(cat "$work/$1.err")"; }
expect_stdout() { grep -q -- "$2" "$work/$1.out" || fail "$1: standard output lacks '$2': $(cat "$work/$1.out")"; }

# --- info -------------------------------------------------------------------
run info_demo 0 info "$demo"
expect_stdout info_demo '^{"format": "WST1", "frames": 48, "rows": 24, "cols": 40, "celWidth": 20, "celHeight": 20, "baseColorNum": 3, "scanMode": 1}$'
[ "$(wc -l <"$work/info_demo.out")" -eq 1 ] || fail "info prints more than one line"
[ ! -s "$work/info_demo.err" ] || fail "info of a complete file writes to standard error"

# Header (32 bytes) plus two and a half frames of 24 x 40 x 3 bytes.
head -c $((32 + 2 * 2880 + 1440)) "$demo" >"$work/cut.wst"
run info_cut 1 info "$work/cut.wst"
expect_stdout info_cut '"frames": 2,'
expect_stderr info_cut 'truncated'
expect_stderr info_cut 'cut.wst'

run info_missing 2 info "$work/missing.wst"
expect_empty_stdout info_missing
expect_stderr info_missing 'missing.wst'

printf 'Dear reader, this is not a project.' >"$work/letter.wst"
run info_letter 2 info "$work/letter.wst"
expect_empty_stdout info_letter
expect_stderr info_letter 'not a project'

run info_folder 2 info "$work"
expect_empty_stdout info_folder

run info_no_file 2 info
expect_stderr info_no_file 'usage: brightloom-cli info'
run info_bad_option 2 info --bogus "$demo"
expect_stderr info_bad_option 'usage: brightloom-cli info'
expect_empty_stdout info_bad_option

# --- convert ----------------------------------------------------------------
# The demo is already in the current layout with every colour: converting
# it must reproduce it byte for byte.
run convert_demo 0 convert "$demo" "$work/copy.wst"
cmp -s "$demo" "$work/copy.wst" || fail "convert changed a current-layout file"

# An old-layout file: 1 x 2 grid, one frame of two 4-byte colours.
printf 'VISSP\x01\0\0\0\0\x01\0\0\0\x01\0\x02\0\x05\0\x06\0\x02\x00\x11\x22\x33\x00\xAA\xBB\xCC\x00' >"$work/old.wst"
run convert_old 0 convert "$work/old.wst" "$work/new.wst"
printf 'WST1\0\0\0\0\0\0\x0B\0\0\0\0\0\0\0\x01\0\0\0\x01\0\x02\0\x05\0\x06\0\x02\x00\x11\x22\x33\xAA\xBB\xCC' >"$work/want.wst"
cmp -s "$work/new.wst" "$work/want.wst" || fail "convert of an old-layout file: $(od -An -tx1 "$work/new.wst")"

run convert_cut 1 convert "$work/cut.wst" "$work/cut_copy.wst"
run info_cut_copy 0 info "$work/cut_copy.wst"
expect_stdout info_cut_copy '"frames": 2,'

echo keep >"$work/kept.wst"
run convert_letter 2 convert "$work/letter.wst" "$work/kept.wst"
[ "$(cat "$work/kept.wst")" = keep ] || fail "a failed convert replaced its output"
run convert_unwritable 2 convert "$demo" "$work/no/folder/out.wst"
expect_stderr convert_unwritable 'out.wst'

# --- export-png -------------------------------------------------------------
run export_demo 0 export-png "$demo" --frame 48 --scale 3 "$work/f48.png"
# PNG signature, then the IHDR width and height (big-endian): 120 x 72.
[ "$(od -An -tx1 -j0 -N8 "$work/f48.png" | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "export-png wrote no PNG"
[ "$(od -An -tu1 -j16 -N8 "$work/f48.png" | tr -s ' ')" = " 0 0 0 120 0 0 0 72" ] || fail "export-png size: $(od -An -tu1 -j16 -N8 "$work/f48.png")"
run export_default_scale 0 export-png "$demo" --frame=1 "$work/f1.png"
[ "$(od -An -tu1 -j16 -N8 "$work/f1.png" | tr -s ' ')" = " 0 0 0 40 0 0 0 24" ] || fail "export-png default scale"

run export_frame0 2 export-png "$demo" --frame 0 "$work/x.png"
expect_stderr export_frame0 'frame'
run export_frame49 2 export-png "$demo" --frame 49 "$work/x.png"
expect_stderr export_frame49 '48 frame'
[ ! -e "$work/x.png" ] || fail "export-png wrote a picture for a frame that does not exist"
run export_no_frame 2 export-png "$demo" "$work/x.png"
run export_bad_scale 2 export-png "$demo" --frame 1 --scale zero "$work/x.png"

# --- help and dispatch ------------------------------------------------------
run help 0 --help
expect_stdout help 'export-png'
for c in info convert export-png; do
    run "help_$c" 0 "$c" --help
    expect_stdout "help_$c" "usage: brightloom-cli $c"
done
run unknown 2 frobnicate
expect_stderr unknown 'unknown command'
expect_stderr unknown 'usage:'
expect_empty_stdout unknown
run nothing 2
expect_stderr nothing 'usage:'

# Only regular files are read: an endless device and a FIFO nobody writes
# to are refused at once (a plain read would never end).
# run_bounded NAME EXPECTED_EXIT ARGS...: as run, killed after 20 s.
run_bounded() {
    local name=$1 want=$2
    shift 2
    timeout 20 "$cli" "$@" >"$work/$name.out" 2>"$work/$name.err"
    local got=$?
    [ "$got" -eq "$want" ] || fail "$name: exit $got, expected $want (124: it hung)"
}
run_bounded info_device 2 info /dev/zero
expect_stderr info_device 'character device'
mkfifo "$work/pipe.wst"
run_bounded info_fifo 2 info "$work/pipe.wst"
expect_stderr info_fifo 'FIFO'

# Numbers beyond an int are refused, not wrapped.
run frame_huge 2 export-png "$demo" --frame 4294967297 "$work/x.png"
expect_stderr frame_huge "--frame needs a frame number from 1"
run repeat_huge 2 transform "$demo" "$work/x.wst" --repeat 1-48:999999999
expect_stderr repeat_huge 'Too many frames'

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all brightloom-cli checks passed"
