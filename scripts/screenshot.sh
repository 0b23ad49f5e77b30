#!/bin/sh
# Makes docs/screenshot.png: the main dialog with a sample fileset loaded,
# the program started with the sample master's path, drawn by Wine in a
# virtual desktop (which draws the window caption) on a virtual X display.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
. scripts/lib/packages.sh
# shellcheck disable=SC2086
require_packages $BUILD_PACKAGES imagemagick

cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Platelier
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '%%!PS-Adobe-3.0 EPSF-3.0\r\n%%%%Title: Spring poster\r\n%%%%CyanPlate: POSTER.C\r\n%%%%MagentaPlate: POSTER.M\r\n%%%%YellowPlate: POSTER.J\r\n%%%%BlackPlate: POSTER.N\r\n%%%%EndComments\r\n' >"$work/POSTER.EPS"
for letter in C M J N; do echo "separation" >"$work/POSTER.$letter"; done

export WINEPREFIX="$root/build/win32/wineprefix"
master=$(scripts/wine-run winepath -w "$work/POSTER.EPS" 2>/dev/null)
xvfb-run -a -s '-screen 0 1024x768x24' sh -c '
    scripts/wine-run explorer /desktop=Platelier,720x460 build/win32/bin/Platelier.exe "$1" &
    sleep 8
    import -window root -crop 720x460+0+0 +repage docs/screenshot.png
    wineserver -k' sh "$master"
echo "docs/screenshot.png"
