#!/usr/bin/env bash
# Installs the program into a temporary prefix whose name is not UTF-8
# (Latin-1 "café"): the program folder (program, catalogue, part lists and
# pictures) goes to lib/quenta10/, bin/ holds only the link to the program,
# and the desktop entry, which desktop-file-validate accepts, starts it.
# The installed copy is started through that link on the offscreen platform
# far enough to see its catalogue loaded, the folder's Latin-1 byte shown
# as an escape. It is started from a folder that holds a damaged
# catalogue, which must not be read; a damage to the installed catalogue
# is reported by file, folder, record and field, a missing or empty file
# with its folder; so is a damaged, missing or emptied part list, which the
# check reads too.
# Usage: install.sh CMAKE BUILD_DIR
set -u
cmake=$1
build=$2
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
prefix="$top/caf$(printf '\351')"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$cmake" --install "$build" --prefix "$prefix" >"$top/install.log" 2>&1 || {
  cat "$top/install.log"
  echo "FAIL: cmake --install"
  exit 1
}
folder="$prefix/lib/quenta10"
# The folder's name, not UTF-8, shows its Latin-1 byte as an escape.
shown="$top/caf\\xE9/lib/quenta10"
for f in DESNPARA.DAT CLCMXCAP.DAT CLCMinCAP.DAT LUKUPCAS.DAT mil-prf-49470_25.dat kd.jpg; do
  [ -f "$folder/$f" ] || fail "lib/quenta10/$f not installed"
done
[ -f "$folder/quenta10" ] && [ -x "$folder/quenta10" ] || fail "lib/quenta10/quenta10 is not an executable file"
[ -e "$folder/.gitkeep" ] && fail "lib/quenta10/.gitkeep installed"
[ -L "$prefix/bin/quenta10" ] || fail "bin/quenta10 is not a link"
[ "$(readlink -f "$prefix/bin/quenta10")" = "$(readlink -f "$folder/quenta10")" ] ||
  fail "bin/quenta10 leads to $(readlink -f "$prefix/bin/quenta10")"
others=$(ls -A "$prefix/bin" | grep -vx quenta10)
[ -n "$others" ] && fail "bin/ holds more than the program's link: $others"
for f in share/applications/quenta10.desktop share/icons/hicolor/scalable/apps/quenta10.svg; do
  [ -f "$prefix/$f" ] || fail "$f not installed"
done
entry="$prefix/share/applications/quenta10.desktop"
grep -qx "Exec=\"$prefix/bin/quenta10\"" "$entry" || fail "desktop entry: $(grep ^Exec "$entry")"
grep -qx "Icon=quenta10" "$entry" || fail "desktop entry names no icon"
if command -v desktop-file-validate >/dev/null; then
  # Only the prefix's own name, which is not UTF-8, may be objected to.
  sed "s|$prefix|/opt/quenta10|" "$entry" >"$top/quenta10.desktop"
  desktop-file-validate "$top/quenta10.desktop" || fail "desktop entry not valid"
else
  fail "desktop-file-validate is not installed (package desktop-file-utils)"
fi

# Started as the desktop entry names it (bin/quenta10) from elsewhere, with
# a damaged catalogue in the current folder.
cwd="$top/elsewhere"
mkdir -p "$cwd"
echo "x" >"$cwd/DESNPARA.DAT"
start() {
  (cd "$cwd" && QT_QPA_PLATFORM=offscreen QUENTA10_EXIT_AFTER_STARTUP=1 \
     timeout 120 "$prefix/bin/quenta10" >"$top/out" 2>"$top/err")
}
start
rc=$?
[ $rc -eq 0 ] || fail "the installed program ended with $rc: $(cat "$top/err")"
grep -qxF "Quenta10 started: catalogue loaded from $shown" "$top/out" ||
  fail "no catalogue loaded: $(cat "$top/out")"

# A layer multiplier too large to use, in the installed catalogue.
echo "1,1,0,1.2,1e20,5,1" >>"$folder/DESNPARA.DAT"
start
rc=$?
[ $rc -eq 1 ] || fail "a damaged catalogue ended with $rc"
grep -F "The catalogue file DESNPARA.DAT in the program folder $shown, record " "$top/err" |
  grep -qE ", field 5, cannot be used: the layer multiplier 1E\+20" ||
  fail "the damage is not named: $(cat "$top/err")"

# Without its own catalogue the program does not take the current folder's.
cp "$build/bin/"*.DAT "$cwd/"
rm "$folder/CLCMinCAP.DAT" "$folder/DESNPARA.DAT"
start
rc=$?
[ $rc -eq 1 ] || fail "a program folder without catalogue ended with $rc"
grep -qF "DESNPARA.DAT cannot be used: the file is missing from the program folder $shown." "$top/err" ||
  fail "the missing file is not named with its folder: $(cat "$top/err")"

# Empty catalogue files (a failed copy) load, but the check names them and
# their folder, and fails.
cp "$build/bin/"*.DAT "$folder/"
: >"$folder/CLCMXCAP.DAT"
printf '\r\n' >"$folder/LUKUPCAS.DAT"
start
rc=$?
[ $rc -eq 1 ] || fail "empty catalogue files ended with $rc"
grep -qF "The catalogue files CLCMXCAP.DAT and LUKUPCAS.DAT cannot be used: the files in the program folder $shown hold no record." "$top/err" ||
  fail "the empty files are not named: $(cat "$top/err")"
grep -q "catalogue loaded" "$top/out" && fail "empty catalogue files are said to be loaded"

# The part lists, read otherwise only when a part is looked up: an emptied,
# a damaged and a missing one are each named with their folder.
cp "$build/bin/"*.DAT "$folder/"
: >"$folder/mil-prf-49470_100.dat"
echo '"M49470R01104KCN","0.10","200","BR","8","N, L, or J",".120"' >"$folder/mil-prf-49470_200.dat"
rm "$folder/mil-prf-49470_500.dat"
start
rc=$?
[ $rc -eq 1 ] || fail "damaged part lists ended with $rc"
for words in \
  "mil-prf-49470_100.dat cannot be used: the file in the program folder $shown holds no record." \
  "mil-prf-49470_200.dat in the program folder $shown, record 1, field 5, cannot be used: the case \"8\" is not a digit 1 to 6." \
  "mil-prf-49470_500.dat cannot be used: the file is missing from the program folder $shown."; do
  grep -qxF "Part List Error: The part list $words" "$top/err" ||
    fail "the part list is not named with its folder: $words; said: $(cat "$top/err")"
done
grep -q "catalogue loaded" "$top/out" && fail "damaged part lists are said to be loaded"

[ $failures -eq 0 ] && echo "installed and started"
exit $((failures > 0))
