#!/bin/sh
# Measures `platelier-cli check --recursive --json`, with and without --deep,
# against
# `grep -rlF -e '%%CyanPlate' -e '%%PlateFile'` over the same trees of
# filesets in the same run (bench/cli_bench.py): 1,000 and 10,000 filesets,
# one in ten DCS 2.0 with a spot colour plate, all in one folder and spread
# over 1,000 folders; then `relink --recursive` over those trees, where
# nothing needs relinking, and over trees where every master does; grep and
# check --deep again while another process keeps one processor busy; last,
# `check --recursive` and the same grep from a cold file cache (as root) over
# 100 filesets beside 100 EPS images of 20 MiB. Builds the program in a
# Release build of its own (build/bench), makes the trees in a temporary
# folder under WORK_DIR (at most 2.1 GB at a time, removed at the end) and
# writes the figures to docs/cli-performance.tsv,
# docs/cli-relink-performance.tsv and docs/cli-cold-performance.tsv. Takes a
# few minutes; not part of the tests.
# Usage: sh scripts/bench-cli.sh [WORK_DIR [ROUNDS]]   (default: /tmp, 9)
set -eu
cd "$(dirname "$0")/.."
. scripts/lib/packages.sh
require_packages cmake make g++ grep python3 libcli11-dev nlohmann-json3-dev liburing-dev

cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench --target platelier-cli -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
work=$(mktemp -d "${1:-/tmp}/platelier-bench-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT
python3 bench/cli_bench.py "$PWD/build/bench/bin/platelier-cli" "$work" docs/cli-performance.tsv \
    docs/cli-relink-performance.tsv docs/cli-cold-performance.tsv "${2:-9}"
echo "Figures: docs/cli-performance.tsv docs/cli-relink-performance.tsv docs/cli-cold-performance.tsv"
