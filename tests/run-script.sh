#!/usr/bin/env bash
# Runs one session script with quenta10-script and compares what it printed
# (standard output, then standard error, then the exit code when it is not 0)
# with the expected transcript NAME.out beside the script.
# UPDATE=1 rewrites the expected transcript instead.
set -u
runner=$1
script=$2
expected=${script%.q10}.out
args=()
# A first line "# args: ..." gives the runner's options, relative to tests/.
first=$(head -n 1 "$script")
if [[ $first == "# args: "* ]]; then
  read -r -a args <<<"${first#\# args: }"
fi
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
"$runner" "${args[@]}" "$script" >"$actual" 2>"$actual.err" </dev/null
rc=$?
cat "$actual.err" >>"$actual"
rm -f "$actual.err"
[ $rc -ne 0 ] && echo "[exit $rc]" >>"$actual"
if [ "${UPDATE:-0}" = 1 ]; then
  cp "$actual" "$expected"
  echo "updated $expected"
  exit 0
fi
if [ ! -f "$expected" ]; then
  echo "no expected transcript $expected; the session printed:"
  cat "$actual"
  exit 1
fi
diff -u "$expected" "$actual"
