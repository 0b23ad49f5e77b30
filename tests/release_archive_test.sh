#!/bin/sh
# Makes the release archive, unpacks it elsewhere and starts the program from
# it under Wine: the main dialog must appear and the program end with exit
# code 0 when its window is closed.
# Usage: release_archive_test.sh BUILD_DIR
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

archive=$("$root/scripts/make-release.sh" "$build" "$work/dist")
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$archive")
for file in Platelier.exe USER-GUIDE.txt README.txt LICENSE.txt; do
    [ -s "$work/unpacked/Platelier/$file" ] || { echo "missing from the archive: $file"; exit 1; }
done

export WINEPREFIX="$build/wineprefix"
"$root/scripts/wine-run" "$work/unpacked/Platelier/Platelier.exe" &
program=$!
if ! "$root/scripts/wine-run" "$build/tests/drive_main_window.exe" close; then
    kill "$program" 2>/dev/null || true
    echo "the main dialog did not appear"
    exit 1
fi
wait "$program" && status=0 || status=$?
echo "Platelier.exe ended with exit code $status"
[ "$status" -eq 0 ]
echo "1 passed, 0 failed"
