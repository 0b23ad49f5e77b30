#!/bin/sh
# Builds the libFuzzer targets and runs each for a bounded time (FUZZ_SECONDS,
# 60 by default; FUZZ_JOBS of them at a time, 1 by default) from the
# project's seed corpus and DSC dictionary, on inputs of up to 16 KiB, which
# cross the fuzzing build's small stream buffers many times. Prints each
# target's executions and crashes; fails on any crash, whose input is left
# in build/fuzz/runs/TARGET/.
# A longer campaign: FUZZ_SECONDS=1200 FUZZ_JOBS=2 sh scripts/fuzz.sh
set -eu
cd "$(dirname "$0")/.."
. scripts/lib/packages.sh
require_packages cmake make clang libclang-rt-14-dev liburing-dev

seconds=${FUZZ_SECONDS:-60}
jobs=${FUZZ_JOBS:-1}
targets="fuzz_line_reader fuzz_master_reader fuzz_master_rewriter fuzz_report"
# Each input goes through files in a temporary folder: in memory where the
# machine has it, which is many times faster.
if [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
cmake --preset fuzz >/dev/null
# shellcheck disable=SC2086
cmake --build --preset fuzz -j "$(nproc 2>/dev/null || echo 2)" --target $targets

run() {
    work="build/fuzz/runs/$1"
    rm -rf "$work" && mkdir -p "$work/corpus"
    cp fuzz/corpus/* "$work/corpus/"
    if (cd "$work" && "../../fuzz/$1" corpus -dict=../../../../fuzz/dsc.dict \
            -max_len=16384 -max_total_time="$seconds" -print_final_stats=1 >log 2>&1); then
        echo 0 >"$work/crashes"
    else
        echo 1 >"$work/crashes"
    fi
}

running=0
for target in $targets; do
    run "$target" &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait
        running=0
    fi
done
wait
crashes=0
for target in $targets; do
    work="build/fuzz/runs/$target"
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")
    echo "fuzz $target: ${executions:-0} executions in ${seconds} s, $(cat "$work/crashes") crashes"
    if [ "$(cat "$work/crashes")" -ne 0 ]; then
        tail -n 40 "$work/log"
        crashes=$((crashes + 1))
    fi
done
[ "$crashes" -eq 0 ]
