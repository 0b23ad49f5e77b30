#!/bin/sh
# Checks that every include points down the layers, builds the portable core
# and its tests natively, again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the Win32 program with mingw-w64, then
# runs every test; the fuzzers run for a bounded time (FUZZ_SECONDS each,
# 60 by default); the Win32 tests run under Wine on a virtual X display.
# Given stage names, runs only those stages, in the suite's order:
#   layers  the include check
#   native  configure, build and test build/native, and its figures
#   asan    the same under the sanitizers
#   win32   build the Win32 program and run its tests under Wine
#   fuzz    scripts/fuzz.sh
# e.g. sh scripts/test.sh native
set -eu
cd "$(dirname "$0")/.."
all="layers native asan win32 fuzz"
for stage in "$@"; do
    case " $all " in
        *" $stage "*) ;;
        *) echo "test.sh: unknown stage '$stage'; the stages are: $all" >&2; exit 2 ;;
    esac
done
stages=${*:-$all}
wants() {
    case " $stages " in *" $1 "*) return 0 ;; esac
    return 1
}
. scripts/lib/packages.sh
# shellcheck disable=SC2086
require_packages $BUILD_PACKAGES

if wants layers; then
    echo "== layers"
    python3 scripts/check_layers.py
fi
jobs=$(nproc 2>/dev/null || echo 2)
for preset in native asan win32; do
    wants "$preset" || continue
    echo "== $preset: configure and build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done
for preset in native asan; do
    wants "$preset" || continue
    echo "== $preset: tests"
    ctest --preset "$preset" -j "$jobs"
done
if wants native; then
    echo "== figures: injected faults and real EPS files"
    build/native/tests/controller_tests --gtest_filter='CommandFaults.*' | grep '^faults injected'
    build/native/tests/master_tests --gtest_filter='RealEpsFiles.*' |
        grep -E '^real EPS files checked|real EPS files are not in'
fi
if wants fuzz; then
    echo "== fuzz: each target ${FUZZ_SECONDS:-60} s under AddressSanitizer and UndefinedBehaviorSanitizer"
    sh scripts/fuzz.sh
fi
if wants win32; then
    echo "== win32: tests under Wine"
    require_locale "$TEST_LOCALE"
    # Wine's server stops a few seconds after its last program ends, and a
    # program that starts just as it stops is dropped before it runs ("wine
    # client error ... Connection reset by peer"); a test that fails is run
    # once more. The native and sanitizer runs above allow no second try.
    xvfb-run -a -s '-screen 0 1024x768x24' ctest --preset win32 --repeat until-pass:2
fi
