#!/bin/sh
# Measures the master rewrite, the master reader and the separation search:
# builds the benchmark program in a Release build of its own (build/bench),
# runs it on synthetic files in a temporary folder (about 6 GiB at the peak,
# removed at the end), writes its figures to docs/performance.tsv and plots
# them into docs/performance.png. Not part of the tests: it takes minutes.
# Usage: sh scripts/bench.sh [WORK_DIR]   (default: /tmp)
set -eu
cd "$(dirname "$0")/.."
. scripts/lib/packages.sh
require_packages cmake make g++ sed python3 python3-matplotlib

work=${1:-/tmp}
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench --target platelier_bench -j "$(nproc 2>/dev/null || echo 2)"
build/bench/bench/platelier_bench --work-dir "$work" --results docs/performance.tsv
# Debian's python3, which has matplotlib, even when another python3 comes first on PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" scripts/plot_performance.py docs/performance.tsv docs/performance.png
echo "Figures: docs/performance.tsv, plot: docs/performance.png"
