#!/usr/bin/env python3
"""Compares builds of platelier-cli at `relink --recursive`, side by side with
`find … -exec sed -i.BAK` over the same masters: the way to tell whether a
change to the rewrite gained anything, where the time of one run depends on
the state the file system was left in by the runs before it.

Each trial makes a tree of its own (bench/cli_bench.py's make_tree: FILESETS
filesets in FOLDERS folders, every master to relink), never removing one
(ext4 makes the files created right after a mass removal pass over the
inodes just freed). Each round runs every build, then sed, with
cli_bench.py's toggles between them, the builds in turn in one order and
then the other. Prints, for each build, the median time, the median of its
ratio to sed in the same round, and the median of its ratio to the first
build in the same round.

Usage: compare_relink.py BUILD[,BUILD...] WORK_DIR FILESETS FOLDERS TRIALS ROUNDS
"""
import os
import statistics
import sys

import cli_bench


def sed(tree):
    return ["find", tree, "-name", "*.eps", "-exec", "sed", "-i.BAK",
            "s/%%CyanPlate/%%CyanPlate/;s/%%PlateFile/%%PlateFile/", "{}", "+"]


def main():
    builds = sys.argv[1].split(",")
    work, filesets, folders, trials, rounds = sys.argv[2], *map(int, sys.argv[3:7])
    times = {build: [] for build in builds}
    to_sed = {build: [] for build in builds}
    to_first = {build: [] for build in builds}
    sed_times = []
    for trial in range(trials):
        tree = os.path.join(work, "compare-%d-%d-%d-%d" % (filesets, folders, os.getpid(), trial))
        trash = tree + "-trash"
        cli_bench.make_tree(tree, filesets, folders, "a")
        os.makedirs(trash)
        cli_bench.toggle_cyan_names(tree, filesets, folders, trash)
        for round_ in range(rounds):
            took = {}
            for build in builds if (trial + round_) % 2 == 0 else builds[::-1]:
                took[build] = cli_bench.run([build, "relink", "--recursive", tree])[0]
                cli_bench.toggle_cyan_names(tree, filesets, folders, trash)
            seconds = cli_bench.run(sed(tree))[0]
            cli_bench.toggle_cyan_names(tree, filesets, folders, trash)
            cli_bench.toggle_cyan_names(tree, filesets, folders, trash)
            sed_times.append(seconds)
            for build in builds:
                times[build].append(took[build])
                to_sed[build].append(took[build] / seconds)
                to_first[build].append(took[build] / took[builds[0]])
    median = statistics.median
    print("sed %.3f s" % median(sed_times))
    for build in builds:
        print("%s %.3f s, %.2f of sed, %.3f of the first" %
              (build, median(times[build]), median(to_sed[build]), median(to_first[build])))


if __name__ == "__main__":
    main()
