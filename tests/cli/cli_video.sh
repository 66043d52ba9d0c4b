#!/usr/bin/env bash
# Runs "brightloom-cli export-video" and "import-video" on the demo: the
# demo's animation goes out as a video of each kind and comes back as
# frames of the rate, range and size asked for; bad arguments and files
# that are no video end with exit 2 and nothing written.
#
#   cli_video.sh PATH/TO/brightloom-cli PATH/TO/demo.wst
set -u
cli=$1
demo=$2
source "$(dirname "$0")/cli_test_lib.sh"
frames_of() { "$cli" info "$1" | sed -n 's/.*"frames": \([0-9]*\).*/\1/p'; }
field_of() { "$cli" info "$1" | sed -n "s/.*\"$2\": \([0-9]*\).*/\1/p"; }
demo_frames=$(frames_of "$demo")

# --- export: every kind is written and read back ----------------------------
for kind in mp4 avi gif webm; do
    run "export_$kind" 0 export-video "$demo" "$work/demo.$kind" --fps 10 --scale 2
    [ -s "$work/demo.$kind" ] || fail "export-video .$kind wrote nothing"
done
run export_round 0 export-video "$demo" "$work/round.avi" --fps 10 --scale 6 --round
cmp -s "$work/round.avi" "$work/demo.avi" && fail "--round made the same video as square cells"

# At the rate it was written, the video gives back one frame per demo frame.
run import_all 0 import-video "$work/demo.avi" "$work/back.wst" --rows 24 --cols 40 --fps 10 --mode stretch
[ "$(frames_of "$work/back.wst")" = "$demo_frames" ] || fail "AVI back: $(frames_of "$work/back.wst") frames, expected $demo_frames"
# Half the rate over the first two seconds: ten frames.
run import_range 0 import-video "$work/demo.mp4" "$work/range.wst" --rows 6 --cols 10 --fps 5 --to 2
[ "$(frames_of "$work/range.wst")" = 10 ] || fail "range: $(frames_of "$work/range.wst") frames, expected 10"
[ "$(field_of "$work/range.wst" rows)" = 6 ] || fail "range: rows"
# The GIF after the demo's own frames: twice as many at twice its rate.
run import_gif 0 import-video "$work/demo.gif" "$work/more.wst" --in "$demo" --fps 20 --area 0,0,10,6
[ "$(frames_of "$work/more.wst")" = $((demo_frames * 3)) ] || fail "gif after the demo: $(frames_of "$work/more.wst")"

# --- refusals ------------------------------------------------------------------
run bad_suffix 2 export-video "$demo" "$work/x.txt"
run bad_scale 2 export-video "$demo" "$work/x.mp4" --scale 0
run no_grid 2 import-video "$work/demo.avi" "$work/x.wst"
run both_grids 2 import-video "$work/demo.avi" "$work/x.wst" --rows 2 --cols 2 --in "$demo"
run bad_mode 2 import-video "$work/demo.avi" "$work/x.wst" --rows 2 --cols 2 --mode tile
run bad_area 2 import-video "$work/demo.avi" "$work/x.wst" --rows 2 --cols 2 --area 1,1,5,5
printf 'not a video at all' >"$work/junk.mp4"
run junk 2 import-video "$work/junk.mp4" "$work/x.wst" --rows 2 --cols 2
grep -q "junk.mp4" "$work/junk.err" || fail "junk: the message names the file: $(cat "$work/junk.err")"
[ -e "$work/x.wst" ] && fail "a refused import wrote a project"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all brightloom-cli video checks passed"
