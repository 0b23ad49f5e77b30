#!/bin/sh
# Makes the release archive: the program; its user guide as Platelier.html
# beside it, made from docs/user-guide.md with Python-Markdown, where
# "Aide..." finds it; README and LICENSE.
# Usage: make-release.sh BUILD_DIR OUTPUT_DIR   (BUILD_DIR: a win32 build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
output=$(cd "$2" && pwd)
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
# Debian's python3, which has the markdown module, even when another comes first on PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=python3

mkdir "$staging/Platelier"
cp "$build/bin/Platelier.exe" "$staging/Platelier/"
{
    printf '<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
    printf '<title>Platelier user guide</title>\n'
    printf '<style>body { font-family: sans-serif; max-width: 46em; margin: 2em auto; line-height: 1.45 }</style>\n'
    printf '</head>\n<body>\n'
    "$python" -m markdown -x extra "$root/docs/user-guide.md"
    printf '\n</body>\n</html>\n'
} >"$staging/Platelier/Platelier.html"
cp "$root/README.md" "$staging/Platelier/README.txt"
cp "$root/LICENSE" "$staging/Platelier/LICENSE.txt"
rm -f "$output/Platelier-1.0.zip"
(cd "$staging" && cmake -E tar cf "$output/Platelier-1.0.zip" --format=zip Platelier)
echo "$output/Platelier-1.0.zip"
