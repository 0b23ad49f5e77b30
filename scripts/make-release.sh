#!/bin/sh
# Makes the release archive: the program and its command-line companion,
# their guides, README and LICENSE in one zip file.
# Usage: make-release.sh BUILD_DIR OUTPUT_DIR   (BUILD_DIR: a win32 build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
output=$(cd "$2" && pwd)
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT

mkdir "$staging/Platelier"
cp "$build/bin/Platelier.exe" "$build/bin/platelier-cli.exe" "$staging/Platelier/"
cp "$root/docs/user-guide.md" "$staging/Platelier/USER-GUIDE.txt"
cp "$root/docs/command-line.md" "$staging/Platelier/COMMAND-LINE.txt"
cp "$root/README.md" "$staging/Platelier/README.txt"
cp "$root/LICENSE" "$staging/Platelier/LICENSE.txt"
rm -f "$output/Platelier-1.0.zip"
(cd "$staging" && cmake -E tar cf "$output/Platelier-1.0.zip" --format=zip Platelier)
echo "$output/Platelier-1.0.zip"
