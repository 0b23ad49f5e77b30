#!/bin/sh
# Makes the release from a build. From a Win32 build, the archive: the
# program and its command-line companion; their guides as web pages beside
# them, made from docs/*.md with Python-Markdown (Platelier.html is where
# "Aide..." finds the user guide); README and LICENSE; and the installer that
# puts the same files on Windows (scripts/make-msi.sh). Both are named with
# the version the build was configured with. From a Linux Release build, the
# Debian package of platelier-cli that CPack makes as cmake/Packaging.cmake
# says. Writes the paths of what it made, the archive first.
# Usage: make-release.sh BUILD_DIR OUTPUT_DIR
#   BUILD_DIR: build/win32 (cmake --preset win32) for the archive,
#              build/release (cmake --preset release) for the Debian package
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
output=$(cd "$2" && pwd)
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT

# A Linux build is the one CPack is configured in. A package of a Debug
# build would be several times slower than the program users should get.
if [ -f "$build/CPackConfig.cmake" ]; then
    if ! grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$build/CMakeCache.txt"; then
        echo "$build is not a Release build: package build/release (cmake --preset release)" >&2
        exit 2
    fi
    . "$root/scripts/lib/packages.sh"
    require_packages dpkg-dev
    cpack --config "$build/CPackConfig.cmake" -B "$staging" >&2
    for package in "$staging"/*.deb; do
        mv "$package" "$output/"
        echo "$output/$(basename "$package")"
    done
    exit 0
fi

# Debian's python3, which has the markdown module, even when another comes first on PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=python3

# page TITLE MARKDOWN: the guide as a web page on standard output.
page() {
    printf '<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
    printf '<title>%s</title>\n' "$1"
    printf '<style>body { font-family: sans-serif; max-width: 46em; margin: 2em auto; line-height: 1.45 }</style>\n'
    printf '</head>\n<body>\n'
    "$python" -m markdown -x extra "$2"
    printf '\n</body>\n</html>\n'
}

mkdir "$staging/Platelier"
cp "$build/bin/Platelier.exe" "$build/bin/platelier-cli.exe" "$staging/Platelier/"
page "Platelier user guide" "$root/docs/user-guide.md" >"$staging/Platelier/Platelier.html"
page "platelier-cli" "$root/docs/command-line.md" >"$staging/Platelier/platelier-cli.html"
cp "$root/README.md" "$staging/Platelier/README.txt"
cp "$root/LICENSE" "$staging/Platelier/LICENSE.txt"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "$build/CMakeCache.txt gives no version" >&2; exit 2; }
archive=$output/Platelier-$version.zip
rm -f "$archive"
(cd "$staging" && cmake -E tar cf "$archive" --format=zip Platelier)
echo "$archive"
"$root/scripts/make-msi.sh" "$staging/Platelier" "$version" "$output/Platelier-$version.msi"
