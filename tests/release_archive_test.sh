#!/bin/sh
# Makes the release archive, unpacks it elsewhere and checks what it holds:
# the user guide's page, a program without debug information whose dialog
# templates are their layout table; then runs the program's tests under Wine
# on that program: a user's road through it and its exit codes, and paths
# and texts outside the ANSI code page, again in a Russian locale, whose code
# page (Windows-1251) reads the bytes of accented French letters as Cyrillic.
# Usage: release_archive_test.sh BUILD_DIR WINDRES OBJDUMP
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
windres=$2
objdump=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$root/scripts/make-release.sh" "$build" "$work/dist" >"$work/made"
archive=$(grep '\.zip$' "$work/made")
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$archive")
for file in Platelier.exe platelier-cli.exe Platelier.html platelier-cli.html README.txt LICENSE.txt; do
    [ -s "$work/unpacked/Platelier/$file" ] || { echo "missing from the archive: $file"; exit 1; }
done
grep -q '<h1>Platelier user guide</h1>' "$work/unpacked/Platelier/Platelier.html" ||
    { echo "Platelier.html is not the user guide"; exit 1; }

program="$work/unpacked/Platelier/Platelier.exe"
if "$objdump" -h "$program" | grep -q '\.debug'; then
    echo "Platelier.exe carries debug information"
    exit 1
fi
echo "Platelier.exe: $(wc -c <"$program") bytes, no debug information"
"$windres" -i "$program" -O rc | sed -n '/DIALOG/,/^END/p' >"$work/dialogs.rc"
if ! grep -v '^//' "$root/tests/win32/dialog_layouts.rc" | diff -u - "$work/dialogs.rc"; then
    echo "the dialog templates are not the layout table (tests/win32/dialog_layouts.rc)"
    exit 1
fi

export WINEPREFIX="$build/wineprefix"
PLATELIER_PROGRAM=$("$root/scripts/wine-run" winepath -w "$program" 2>/dev/null)
export PLATELIER_PROGRAM
"$root/scripts/wine-run" "$build/tests/program_tests.exe"
if ! locale -a | grep -qx ru_RU.utf8; then
    echo "ru_RU.UTF-8 is not generated: no run in another code page (scripts/test.sh generates it)"
    exit 0
fi
exec env LC_ALL=ru_RU.UTF-8 "$root/scripts/wine-run" "$build/tests/program_tests.exe" \
    --gtest_filter='Program.TakesPathsAndSpeaksFrenchOutsideTheCodePage'
