#!/usr/bin/env bash
# run_check.sh SAMPLE_WRITER PYTHON CHECK_SCRIPT: writes the sample project
# and its exports into a scratch folder and has the Python reader check them.
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1" "$work"
"$2" "$3" "$work/sample.wst" "$work/sample.line" grb "$work"/wired_*.fseq
"$2" "$3" "$work/sample.wst" - rgb "$work"/grid_*.fseq
