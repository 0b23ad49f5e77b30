#!/bin/sh
# Checks that every include points down the layers, builds the portable core
# and its tests natively, again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the Win32 program with mingw-w64, then
# runs every test; the fuzzers run for a bounded time (FUZZ_SECONDS each,
# 60 by default); the Win32 tests run under Wine on a virtual X display.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib/packages.sh
# shellcheck disable=SC2086
require_packages $BUILD_PACKAGES

echo "== layers"
python3 scripts/check_layers.py
jobs=$(nproc 2>/dev/null || echo 2)
for preset in native asan win32; do
    echo "== $preset: configure and build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done
for preset in native asan; do
    echo "== $preset: tests"
    ctest --preset "$preset" -j "$jobs"
done
echo "== figures: injected faults and real EPS files"
build/native/tests/controller_tests --gtest_filter='CommandFaults.*' | grep '^faults injected'
if [ -d ../shared/testdata/eps ]; then
    build/native/tests/master_tests --gtest_filter='RealEpsFiles.*' | grep '^real EPS files checked'
else
    echo "real EPS files: ../shared/testdata/eps is not there, so their test was not built"
fi
echo "== fuzz: each target ${FUZZ_SECONDS:-60} s under AddressSanitizer and UndefinedBehaviorSanitizer"
sh scripts/fuzz.sh
echo "== win32: tests under Wine"
# Wine's server stops a few seconds after its last program ends, and a
# program that starts just as it stops is dropped before it runs ("wine
# client error ... Connection reset by peer"); a test that fails is run
# once more. The native and sanitizer runs above allow no second try.
xvfb-run -a -s '-screen 0 1024x768x24' ctest --preset win32 --repeat until-pass:2
