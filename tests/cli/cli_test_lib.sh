# Shared by the brightloom-cli script tests (sourced after `cli` is set):
# a scratch folder removed at exit, a failure counter, and `run` that keeps
# each call's standard output and error for the checks that follow.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# run NAME EXPECTED_EXIT ARGS...: runs the tool, keeps stdout and stderr.
run() {
    local name=$1 want=$2
    shift 2
    "$cli" "$@" >"$work/$name.out" 2>"$work/$name.err"
    local got=$?
    [ "$got" -eq "$want" ] || fail "$name: exit $got, expected $want (stderr: $(cat "$work/$name.err"))"
}
