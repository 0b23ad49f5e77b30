#!/bin/sh
# Builds the Win32 program and starts it under Wine. On Windows, build it
# with CMake (see README.md) and start Platelier.exe directly.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib/packages.sh
# shellcheck disable=SC2086
require_packages $BUILD_PACKAGES

if [ -z "${DISPLAY:-}" ]; then
    echo "Platelier is a windowed program, and this session has no display (DISPLAY is not set)." >&2
    echo "Start it from a desktop session, or on a virtual display: xvfb-run sh scripts/run.sh" >&2
    exit 1
fi

cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Platelier
WINEPREFIX="${WINEPREFIX:-$HOME/.platelier-wine}"
export WINEPREFIX
exec scripts/wine-run build/win32/bin/Platelier.exe
