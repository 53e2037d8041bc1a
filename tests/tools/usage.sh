#!/usr/bin/env bash
# Every tool beside the program answers --help and -h with its usage on
# standard output, nothing on standard error, status 0, doing nothing else;
# an option it does not take is named on standard error with the usage,
# and the status is not 0.
# Usage: usage.sh BIN_FOLDER
set -u
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
tools=$(find "$1" -maxdepth 1 -name 'quenta10-*' -type f -perm -u+x | sort)
[ -n "$tools" ] || fail "no tool in $1"
for tool in $tools; do
  name=$(basename "$tool")
  for help in --help -h; do
    (cd "$dir" && timeout 60 "$tool" "$help" >"$dir/out" 2>"$dir/err")
    rc=$?
    [ $rc -eq 0 ] || fail "$name $help ended with $rc"
    head -n 1 "$dir/out" | grep -q "^usage: $name\( \|$\)" || fail "$name $help prints no usage: $(head -c 300 "$dir/out")"
    [ -s "$dir/err" ] && fail "$name $help wrote to standard error: $(head -c 300 "$dir/err")"
    [ -z "$(ls -A "$dir" | grep -vx -e out -e err)" ] || fail "$name $help made $(ls -A "$dir")"
  done
  (cd "$dir" && timeout 60 "$tool" --no-such-option >"$dir/out" 2>"$dir/err")
  rc=$?
  [ $rc -ne 0 ] && [ $rc -ne 124 ] || fail "$name --no-such-option ended with $rc"
  grep -q "^$name: unknown option --no-such-option$" "$dir/err" && grep -q "^usage: $name" "$dir/err" ||
    fail "$name --no-such-option is not refused with the usage: $(head -c 300 "$dir/err")"
done
exit $((failures > 0))
