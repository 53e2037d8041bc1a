#!/usr/bin/env bash
# The catalogue generator's check: the shipped catalogue passes it; a
# catalogue that offers values asking the thickness question or showing the
# too-few-effectives notice fails it, with those values named.
set -u
tool=$1
shipped=$2
bad=$3
fail() { echo "FAIL: $*"; exit 1; }

out=$("$tool" --check "$shipped" 2>&1) || fail "the shipped catalogue fails the check: $out"
out=$("$tool" --check "$bad" 2>&1) && fail "a catalogue offering values that fail passed"
grep -q '^problem: series 14 case 100 dielectric 1 voltage 8: .*5.6 pF "Too few effectives...", 47 pF "Thickness Exceeded..."' <<<"$out" ||
  fail "the offending values are not named: $out"
exit 0
