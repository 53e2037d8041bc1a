#!/usr/bin/env bash
# Every tool beside the program answers --help and -h with its usage on
# standard output, nothing on standard error, status 0, doing nothing else;
# an option it does not take is named on standard error with the usage,
# and the status is not 0. A file, folder or program a tool cannot use is
# named on standard error.
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

# What a tool is given and cannot use is named on standard error, and the
# status says so: a folder or a missing file given as the script, the
# command, the program folder or the program. (A program folder named
# "folder" is also found in the "<program folder>" its name is shown as.)
refused() {  # STATUS WORDS TOOL ARGS...
  local status=$1 words=$2
  shift 2
  (cd "$dir" && timeout 60 "$@" >"$dir/out" 2>"$dir/err")
  rc=$?
  [ $rc -eq "$status" ] || fail "$(basename "$1") ${*:2} ended with $rc, not $status"
  grep -qxF "$words" "$dir/err" || fail "$(basename "$1") ${*:2} said: $(head -c 300 "$dir/err")"
  [ -s "$dir/out" ] && fail "$(basename "$1") ${*:2} printed: $(head -c 300 "$dir/out")"
}
bin=$1
mkdir "$dir/folder"
refused 2 "quenta10-script: the script folder is a folder, not a file" "$bin/quenta10-script" folder
refused 2 "quenta10-script: cannot read the script none.q10: No such file or directory" \
  "$bin/quenta10-script" none.q10
# A script that fails while it is read (its own memory, unmapped at 0;
# standard input that is a folder) is not one that ended.
refused 2 "line 1: the script cannot be read: Input/output error" "$bin/quenta10-script" /proc/self/mem
refused 2 "line 1: the script cannot be read: Is a directory" "$bin/quenta10-script" </
# A file or a pipe given as the program folder is not a folder; a folder
# that cannot be entered cannot be read. The superuser enters any folder:
# the superuser's run of that case is made as "nobody".
touch "$dir/file"
mkfifo "$dir/fifo"
mkdir -m 0 "$dir/locked"
for name in file fifo; do
  refused 2 "quenta10-script: the program folder $dir/$name is not a folder" \
    "$bin/quenta10-script" --folder $name
done
as=()
if [ "$(id -u)" -eq 0 ]; then
  chmod 755 "$dir"
  as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
if [ ${#as[@]} -gt 0 ] && ! command -v setpriv >/dev/null; then
  echo "skipped: a folder that cannot be read (the superuser reads it; no setpriv)"
else
  refused 2 "quenta10-script: the program folder $dir/locked cannot be read: Permission denied" \
    "${as[@]}" "$bin/quenta10-script" --folder locked
fi
chmod 700 "$dir/locked"
refused 1 "quenta10-peak-rss: cannot run ./none: No such file or directory" "$bin/quenta10-peak-rss" ./none
refused 1 "quenta10-peak-rss: cannot run ./folder: it is a folder" "$bin/quenta10-peak-rss" ./folder
refused 1 "quenta10-peak-rss: /bin/false ended with status 1" "$bin/quenta10-peak-rss" /bin/false
refused 2 "quenta10-shown-texts: the program folder none does not exist" "$bin/quenta10-shown-texts" none
refused 2 "Catalogue Error: The catalogue file DESNPARA.DAT cannot be used: the file is missing from the program folder folder." \
  "$bin/quenta10-shown-texts" folder
grep -qx "quenta10-shown-texts: the program ended at start-up, saying:" "$dir/err" ||
  fail "quenta10-shown-texts folder said: $(head -c 300 "$dir/err")"
refused 2 "quenta10-gui-footprint: the program none cannot be run: No such file or directory" \
  "$bin/quenta10-gui-footprint" none
refused 2 "quenta10-gui-footprint: the program folder cannot be run: it is a folder" \
  "$bin/quenta10-gui-footprint" folder
exit $((failures > 0))
