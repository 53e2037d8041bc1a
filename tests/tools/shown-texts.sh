#!/usr/bin/env bash
# The shown-texts tool: two runs over the same catalogue agree, and the
# comparison catches a changed text and a curve value moved beyond the
# units in the last place allowed, but lets one within them pass.
set -u
tool=$1
folder=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$tool" --curve-values "$folder" >"$dir/first" 2>/dev/null || fail "the dump did not run"
grep -q '^panel ' "$dir/first" || fail "the dump shows no voltage panel"
grep -q '^curve ' "$dir/first" || fail "the dump shows no curve values"
"$tool" --curve-values "$folder" >"$dir/second" 2>/dev/null || fail "the second dump did not run"
"$tool" --compare "$dir/first" "$dir/second" >"$dir/out" || fail "two runs differ: $(cat "$dir/out")"

printf '= KD 05\nT_Specs(1) ve "3"\ncurve 1 1 0.5 -0.25\n' >"$dir/a"
printf '= KD 05\nT_Specs(1) ve "3"\ncurve 1 1 0.50000000000000011 -0.25\n' >"$dir/b"
printf '= KD 05\nT_Specs(1) ve "4"\ncurve 1 1 0.5 -0.25\n' >"$dir/c"
"$tool" --compare "$dir/a" "$dir/b" >"$dir/out" || fail "a value one unit off was refused"
grep -q '1 values moved, at most 1 units' "$dir/out" || fail "the move was not counted: $(cat "$dir/out")"
"$tool" --compare "$dir/a" "$dir/b" 0 >/dev/null && fail "a value moved beyond the allowance passed"
"$tool" --compare "$dir/a" "$dir/c" >"$dir/out" && fail "a changed text passed"
grep -q 'T_Specs(1) ve "4"' "$dir/out" || fail "the changed text was not shown"
exit 0
