#!/bin/sh
# Builds the libFuzzer targets and runs each for a bounded time (FUZZ_SECONDS,
# 60 by default) from the project's seed corpus and DSC dictionary, on inputs
# of up to 16 KiB, which cross the fuzzing build's small stream buffers many
# times. Prints each target's executions and crashes; fails on any crash.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib/packages.sh
require_packages cmake make clang libclang-rt-14-dev

seconds=${FUZZ_SECONDS:-60}
# Each input goes through files in a temporary folder: in memory where the
# machine has it, which is many times faster.
if [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc 2>/dev/null || echo 2)"
crashes=0
for target in fuzz_line_reader fuzz_master_reader fuzz_master_rewriter; do
    work="build/fuzz/runs/$target"
    rm -rf "$work" && mkdir -p "$work/corpus"
    cp fuzz/corpus/* "$work/corpus/"
    if (cd "$work" && "../../fuzz/$target" corpus -dict=../../../../fuzz/dsc.dict \
            -max_len=16384 -max_total_time="$seconds" -print_final_stats=1 >log 2>&1); then
        result=0
    else
        result=1
    fi
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")
    echo "fuzz $target: ${executions:-0} executions in ${seconds} s, $result crashes"
    if [ "$result" -ne 0 ]; then
        tail -n 40 "$work/log"
        crashes=$((crashes + 1))
    fi
done
[ "$crashes" -eq 0 ]
