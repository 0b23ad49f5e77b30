#!/bin/sh
# Makes the release archive, unpacks it elsewhere, compares the dialog
# templates of the program unpacked from it with their layout table, and runs
# the program's tests under Wine on it: a user's road through it and its exit
# codes.
# Usage: release_archive_test.sh BUILD_DIR WINDRES
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
windres=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

archive=$("$root/scripts/make-release.sh" "$build" "$work/dist")
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$archive")
for file in Platelier.exe USER-GUIDE.txt README.txt LICENSE.txt; do
    [ -s "$work/unpacked/Platelier/$file" ] || { echo "missing from the archive: $file"; exit 1; }
done

program="$work/unpacked/Platelier/Platelier.exe"
"$windres" -i "$program" -O rc | sed -n '/DIALOG/,/^END/p' >"$work/dialogs.rc"
if ! grep -v '^//' "$root/tests/win32/dialog_layouts.rc" | diff -u - "$work/dialogs.rc"; then
    echo "the dialog templates are not the layout table (tests/win32/dialog_layouts.rc)"
    exit 1
fi

export WINEPREFIX="$build/wineprefix"
PLATELIER_PROGRAM=$("$root/scripts/wine-run" winepath -w "$program" 2>/dev/null)
export PLATELIER_PROGRAM
exec "$root/scripts/wine-run" "$build/tests/program_tests.exe"
