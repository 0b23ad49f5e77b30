#!/usr/bin/env python3
"""Times `platelier-cli check --recursive --json` against `grep -rl '%%CyanPlate'`
over the same trees of filesets, in the same run: 1,000 and 10,000 filesets (a
master of about 2 KiB and four separation files of 4 KiB each), all in one
folder and spread over 1,000 folders. Each command runs once untimed, then
ROUNDS times in turn with the other; the figures are medians of the time
elapsed and of the processor time (user and system) the command took.

Usage: cli_bench.py PROGRAM WORK_DIR RESULTS_TSV [ROUNDS]
"""
import os
import resource
import shutil
import statistics
import subprocess
import sys
import time

CHANNELS = (("Cyan", "C"), ("Magenta", "M"), ("Yellow", "J"), ("Black", "N"))
BODY = "".join("%02x" % (i % 256) for i in range(900)) + "\r\n"
SEPARATION = bytes(i * 7 % 256 for i in range(4096))


def make_tree(root, filesets, folders):
    for i in range(filesets):
        folder = os.path.join(root, "job%04d" % (i % folders)) if folders > 1 else root
        os.makedirs(folder, exist_ok=True)
        name = "image%05d" % i
        plates = "".join("%%%%%sPlate: %s.%s\r\n" % (colour, name, letter) for colour, letter in CHANNELS)
        with open(os.path.join(folder, name + ".eps"), "w", newline="") as master:
            master.write("%!PS-Adobe-3.0 EPSF-3.0\r\n%%Title: Image " + str(i) + "\r\n"
                         "%%BoundingBox: 0 0 100 100\r\n" + plates + "%%EndComments\r\n" + BODY + "%%EOF\r\n")
        for _, letter in CHANNELS:
            with open(os.path.join(folder, name + "." + letter), "wb") as separation:
                separation.write(SEPARATION)


def run(command):
    """(seconds elapsed, seconds of processor time) of one run, output thrown away."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=False)
    elapsed = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return elapsed, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def main():
    program, work, results = sys.argv[1:4]
    rounds = int(sys.argv[4]) if len(sys.argv) > 4 else 9
    rows = []
    for filesets in (1000, 10000):
        for folders in (1, 1000):
            tree = os.path.join(work, "tree-%d-%d" % (filesets, folders))
            make_tree(tree, filesets, folders)
            check = [program, "check", "--recursive", "--json", tree]
            grep = ["grep", "-rl", "%%CyanPlate", tree]
            report = subprocess.run(check, capture_output=True, text=True).stdout
            if report.count('"state":"ok","channels"') != filesets:
                sys.exit("check did not find %d masters ok in %s" % (filesets, tree))
            run(grep)
            times = {"check": [], "grep": []}
            for _ in range(rounds):
                times["check"].append(run(check))
                times["grep"].append(run(grep))
            row = [filesets, folders]
            for name in ("check", "grep"):
                row += [statistics.median(t[0] for t in times[name]),
                        statistics.median(t[1] for t in times[name])]
            rows.append(row)
            print("%6d filesets, %4d folders: check %.4f s (%.4f s processor), grep %.4f s (%.4f s),"
                  " check/grep %.2f" % (*row, row[2] / row[4]), flush=True)
            shutil.rmtree(tree)
    with open(results, "w") as out:
        out.write("filesets\tfolders\tcheck_s\tcheck_cpu_s\tgrep_s\tgrep_cpu_s\tcheck_over_grep\n")
        for row in rows:
            out.write("%d\t%d\t%.4f\t%.4f\t%.4f\t%.4f\t%.2f\n" % (*row, row[2] / row[4]))
    for folders in (1, 1000):
        small, large = (next(r for r in rows if r[0] == n and r[1] == folders) for n in (1000, 10000))
        print("1,000 to 10,000 filesets in %d folder(s): check's time x%.1f (processor x%.1f), grep's x%.1f"
              % (folders, large[2] / small[2], large[3] / small[3], large[4] / small[4]))


if __name__ == "__main__":
    main()
