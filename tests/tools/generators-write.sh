#!/usr/bin/env bash
# The two data generators' write mode and command line. Over a copy of the
# shipped folder they put back the shipped files, following a link to a
# file and leaving no temporary file behind. A named pipe, a link to
# /dev/null or a loop of links in a target's place is named, and the run
# ends at once with 1, nothing written. --help prints the usage, 0; an
# unknown option, no folder or two folders: named, then the usage, 2.
set -u
catalogue=$1
partlists=$2
shipped=$3
fail() { echo "FAIL: $*"; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cat=$dir/cat
mkdir "$cat"

refuse() {  # TOOL WHY ARGS...
  local tool=$1 why=$2 name out
  shift 2
  name=$(basename "$tool")
  out=$(timeout 60 "$tool" "$@" 2>&1 >/dev/null)
  [ $? -eq 2 ] && grep -qxF "$name: $why" <<<"$out" && grep -q "^usage: $name " <<<"$out" ||
    fail "$name $*: not refused with \"$why\" and the usage: $out"
}
for tool in "$catalogue" "$partlists"; do
  name=$(basename "$tool")
  out=$(timeout 60 "$tool" --help 2>"$dir/err") || fail "$name --help ended with $?"
  grep -q "^usage: $name \[--check\].* <folder>$" <<<"$out" || fail "$name --help prints no usage: $out"
  [ -s "$dir/err" ] && fail "$name --help wrote to standard error: $(cat "$dir/err")"
  refuse "$tool" "unknown option --chek" --chek "$cat"
  refuse "$tool" "no folder given"
  refuse "$tool" "more than one folder: $cat, $dir" "$cat" "$dir"
done
refuse "$partlists" "unknown option --gaps" "$cat" --gaps

cp "$shipped"/*.DAT "$shipped"/mil-prf-49470_*.dat "$cat/"
files=$(ls "$cat")
echo stale >"$cat/CLCMXCAP.DAT"
echo stale >"$cat/mil-prf-49470_100.dat"
echo stale >"$dir/DESNPARA.DAT"
ln -sf ../DESNPARA.DAT "$cat/DESNPARA.DAT"
out=$("$catalogue" "$cat" 2>&1 && "$partlists" "$cat" 2>&1) || fail "the files were not written: $out"
for f in $files; do cmp -s "$shipped/$f" "$cat/$f" || fail "$f is not what was shipped"; done
[ -L "$cat/DESNPARA.DAT" ] || fail "the link to DESNPARA.DAT was replaced"
[ "$(ls -A "$cat")" = "$files" ] || fail "the folder holds more than it did: $(ls -A "$cat")"

written() {  # TOOL TARGET FIRST KIND: KIND in TARGET's place, FIRST stale
  local tool=$1 target=$2 first=$3 kind=$4 out rc
  echo stale >"$cat/$first"
  out=$(timeout 60 "$tool" "$cat" 2>&1)
  rc=$?
  [ $rc -eq 1 ] || fail "$kind: $(basename "$tool") ended with $rc (124: did not end): $out"
  grep -qxF "cannot write $cat/$target: in place of the file the folder holds $kind." <<<"$out" &&
    grep -qx "no file was written" <<<"$out" || fail "$kind is not named: $out"
  [ "$(cat "$cat/$first")" = stale ] || fail "$kind: $first was written"
  cp "$shipped/$first" "$cat/$first"
  rm "$cat/$target"
}
for run in "$catalogue LUKUPCAS.DAT DESNPARA.DAT" "$partlists mil-prf-49470_500.dat mil-prf-49470_25.dat"; do
  read -r tool target first <<<"$run"
  rm "$cat/$target"
  mkfifo "$cat/$target"
  written "$tool" "$target" "$first" "a named pipe"
  ln -s /dev/null "$cat/$target"
  written "$tool" "$target" "$first" "a device or socket"
  ln -s "$target" "$cat/$target"
  written "$tool" "$target" "$first" "a loop of symbolic links"
  cp "$shipped/$target" "$cat/$target"
done
exit 0
