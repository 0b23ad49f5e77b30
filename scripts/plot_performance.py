#!/usr/bin/env python3
"""Plots the benchmark's figures: the time and the throughput of the master
rewrite, the plain copy, the copy renamed over an existing name and sed,
against the master's size.

Usage: plot_performance.py RESULTS_TSV PNG_FILE

RESULTS_TSV is the file that platelier_bench writes with --results: lines of
measure, size in bytes, runs, value and unit, separated by tabs; lines
starting with '#' are comments ("# cpu: ...", "# cores: ...").
"""

import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402  (the backend is chosen first)

WAYS = [
    ("rewrite", "rewrite (Platelier)", "tab:blue", "o"),
    ("copy", "plain copy into a new file", "tab:green", "s"),
    ("copy+replace", "copy, renamed over an existing name", "tab:olive", "^"),
    ("sed", "sed, the same substitution", "tab:red", "v"),
]

MEBIBYTE = 1 << 20


def read_results(path):
    """Returns ({measure: {size: seconds}}, {comment key: value})."""
    times = {}
    notes = {}
    with open(path, encoding="utf-8") as results:
        for line in results:
            line = line.rstrip("\n")
            if line.startswith("#"):
                key, _, value = line[1:].partition(":")
                notes[key.strip()] = value.strip()
                continue
            if not line:
                continue
            measure, size, _runs, value, unit = line.split("\t")
            if unit == "s":
                times.setdefault(measure, {})[int(size)] = float(value)
    return times, notes


def size_label(size):
    if size % (1024 * MEBIBYTE) == 0:
        return f"{size // (1024 * MEBIBYTE)} GiB"
    return f"{size // MEBIBYTE} MiB"


def plot(times, notes, png_path):
    sizes = sorted(times["rewrite"])
    figure, (time_axes, rate_axes) = plt.subplots(1, 2, figsize=(11, 4.5))
    for measure, label, colour, marker in WAYS:
        if measure not in times:
            continue
        seconds = [times[measure][size] for size in sizes]
        rates = [size / MEBIBYTE / s for size, s in zip(sizes, seconds)]
        time_axes.plot(sizes, seconds, marker=marker, color=colour, label=label)
        rate_axes.plot(sizes, rates, marker=marker, color=colour, label=label)
    for axes in (time_axes, rate_axes):
        axes.set_xscale("log", base=2)
        axes.set_xticks(sizes)
        axes.set_xticklabels([size_label(size) for size in sizes])
        axes.set_xlabel("master size")
        axes.grid(True, which="both", alpha=0.3)
    time_axes.set_yscale("log")
    time_axes.set_ylabel("time (s, median)")
    time_axes.set_title("Time")
    rate_axes.set_ylabel("throughput (MiB/s)")
    rate_axes.set_ylim(bottom=0)
    rate_axes.set_title("Throughput")
    time_axes.legend(loc="upper left", fontsize="small")
    machine = f"{notes.get('cpu', 'unknown CPU')}, {notes.get('cores', '?')} cores"
    figure.suptitle(f"Rewriting a master against copying it ({machine}; file cache warm)")
    figure.tight_layout()
    figure.savefig(png_path, dpi=100)


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    times, notes = read_results(argv[1])
    if "rewrite" not in times:
        print(f"{argv[1]}: no rewrite figures", file=sys.stderr)
        return 1
    plot(times, notes, argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
