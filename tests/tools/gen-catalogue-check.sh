#!/usr/bin/env bash
# The catalogue generator's check: the shipped catalogue passes it, every
# MIL-PRF-123 part designing but the known codes of A10 BP, which are named;
# a catalogue that offers values asking the thickness question or showing
# the too-few-effectives notice fails it, with those values named. The
# command line: --help prints the usage, an unknown option is refused with
# it, and --check refuses what is not a catalogue file in the folder (a
# named pipe, a link to a device, a loop of links, a file too large),
# naming it, without waiting on it or reading it.
set -u
tool=$1
shipped=$2
bad=$3
fail() { echo "FAIL: $*"; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

out=$("$tool" --check "$shipped" 2>&1) || fail "the shipped catalogue fails the check: $out"
grep -q '^known: MIL-PRF-123 A10 BP: 4R3 (4.3 pF) "Thickness Exceeded...", .*5R1 (5.1 pF) "Too few effectives..."' <<<"$out" ||
  fail "the known MIL-PRF-123 codes are not named: $out"
grep -q '^problem' <<<"$out" && fail "the shipped catalogue has problems: $out"
grep -q '^346 MIL-PRF-123 codes designed$' <<<"$out" || fail "not every MIL-PRF-123 code designed: $out"
out=$("$tool" --check "$bad" 2>&1) && fail "a catalogue offering values that fail passed"
grep -q '^problem: series 14 case 100 dielectric 1 voltage 8: .*5.6 pF "Too few effectives...", 47 pF "Thickness Exceeded..."' <<<"$out" ||
  fail "the offending values are not named: $out"

out=$("$tool" --help 2>&1) || fail "--help ended with $?"
grep -q '^usage: quenta10-gen-catalogue' <<<"$out" || fail "--help prints no usage: $out"
grep -q 'reachable combinations' <<<"$out" && fail "--help built the catalogue: $out"
out=$("$tool" --chek "$shipped" 2>&1)
[ $? -eq 2 ] || fail "an unknown option was not refused: $out"
grep -q 'unknown option --chek' <<<"$out" && grep -q '^usage:' <<<"$out" ||
  fail "the refusal names no option or usage: $out"

# A copy of the shipped catalogue with one file replaced; the check must
# end at once, naming it.
refused() {
  local what=$1 pattern=$2
  out=$(timeout 60 "$tool" --check "$dir/cat" 2>&1)
  local rc=$?
  [ $rc -eq 124 ] && fail "$what: the check did not end"
  [ $rc -eq 1 ] || fail "$what: the check ended with $rc: $out"
  grep -qE "^problem: Catalogue file $pattern" <<<"$out" || fail "$what is not named: $out"
}
mkdir "$dir/cat"
cp "$shipped"/*.DAT "$dir/cat/"
rm "$dir/cat/LUKUPCAS.DAT"
mkfifo "$dir/cat/LUKUPCAS.DAT"
refused "a named pipe" "LUKUPCAS\.DAT: in place of the file the program folder holds a named pipe"
rm "$dir/cat/LUKUPCAS.DAT"
ln -s /dev/zero "$dir/cat/LUKUPCAS.DAT"
refused "a link to /dev/zero" "LUKUPCAS\.DAT: in place of the file the program folder holds a device"
rm "$dir/cat/LUKUPCAS.DAT"
ln -s LUKUPCAS.DAT "$dir/cat/LUKUPCAS.DAT"
refused "a link to itself" "LUKUPCAS\.DAT: in place of the file the program folder holds a loop of symbolic links"
rm "$dir/cat/LUKUPCAS.DAT"
truncate -s 100M "$dir/cat/LUKUPCAS.DAT"
refused "a file of 100 MiB" "LUKUPCAS\.DAT: the file is larger than a catalogue file can be"
exit 0
