#!/bin/sh
# Measures the master rewrite, the master reader and the separation search:
# builds the benchmark program in a Release build of its own (build/bench),
# runs it on synthetic files in a temporary folder (about 6 GiB at the peak,
# removed at the end), writes its figures to docs/performance.tsv and plots
# them into docs/performance.png. Then the rewrite of the Win32 program
# under Wine against the system's CopyFileA, on a 256 MiB master in memory
# (/dev/shm), built by the win32 preset (build/win32): docs/wine-performance.tsv.
# Not part of the tests: it takes minutes.
# Usage: sh scripts/bench.sh [WORK_DIR]   (default: /tmp)
set -eu
cd "$(dirname "$0")/.."
. scripts/lib/packages.sh
require_packages cmake make g++ sed python3 python3-matplotlib g++-mingw-w64-x86-64-posix \
    gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64

work=${1:-/tmp}
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench --target platelier_bench -j "$jobs"
build/bench/bench/platelier_bench --work-dir "$work" --results docs/performance.tsv
# Debian's python3, which has matplotlib, even when another python3 comes first on PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" scripts/plot_performance.py docs/performance.tsv docs/performance.png

cmake --preset win32 >/dev/null
cmake --build --preset win32 --target platelier_wine_bench -j "$jobs"
# The native benchmark's files are written out first, so that the disk's
# work does not take a processor from one of the two timed ways and not the
# other.
sync
memory=$(mktemp -d /dev/shm/platelier-wine-bench.XXXXXX)
trap 'rm -rf "$memory"' EXIT
# Wine's drive Z: is the root of the file system.
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
WINEPREFIX="$PWD/build/win32/wineprefix" scripts/wine-run build/win32/bench/platelier_wine_bench.exe \
    "$(windows_path "$memory")" 256 "$(windows_path "$PWD/docs/wine-performance.tsv")"
echo "Figures: docs/performance.tsv, docs/wine-performance.tsv, plot: docs/performance.png"
