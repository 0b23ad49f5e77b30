#!/usr/bin/env python3
"""Times `platelier-cli check --recursive --json`, and the same with --deep,
against `grep -rlF -e '%%CyanPlate' -e '%%PlateFile'` over the same trees of
filesets, in the same run: 1,000 and 10,000 filesets (a master of about 2 KiB
and its EPS separation files of 4 KiB each, of the master's page), all in one
folder and spread over 1,000 folders. Every tenth fileset is DCS 2.0, as
Photoshop writes it: `%%PlateFile:` lines for the four process plates and a
spot colour plate, files named .C .M .Y .K and .5; the others are DCS 1.0. Each command runs once untimed, then ROUNDS times
in turn with the others; the figures are medians of the time elapsed and of
the processor time (user and system) the command took.

Then `platelier-cli relink --recursive` over the same trees: where nothing
needs relinking (the check's trees, timed beside check), and where every
master does (each cyan file renamed), timed beside its dry run and beside
`sed -i.BAK` over every master, the least a tool does to rewrite the masters
and keep backups. That tree is not copied for each round: between rounds,
untimed, the backups are set aside and each cyan file is given back the name
the master no longer has, so that every master needs relinking again; what
a writer wrote is written out to the disk before the other runs. No
tree nor backup is removed before the end (the caller removes WORK_DIR):
ext4 makes every new file of the next minutes pass over the inodes of files
just removed, and the commands would be timed against that.

grep and check --deep are timed once more while another process keeps one
processor busy. Last, from a cold file cache (the dirty pages written and the cache dropped
before each run, which takes root), `check --recursive` against the same
grep over 100 filesets beside 100 EPS images of 20 MiB that are no masters:
header comments, then image data. Without root that tree is passed over.

Usage: cli_bench.py PROGRAM WORK_DIR RESULTS_TSV RELINK_TSV COLD_TSV [ROUNDS]
"""
import os
import resource
import shutil
import statistics
import subprocess
import sys
import itertools
import time

SET_ASIDE = itertools.count()
CHANNELS = (("Cyan", "C"), ("Magenta", "M"), ("Yellow", "J"), ("Black", "N"))
DCS2_PLATES = (("Cyan", "C"), ("Magenta", "M"), ("Yellow", "Y"), ("Black", "K"), ("PANTONE 185 C", "5"))
DCS2_EVERY = 10
GREP = ["grep", "-rlF", "-e", "%%CyanPlate", "-e", "%%PlateFile"]
BODY = "".join("%02x" % (i % 256) for i in range(900)) + "\r\n"
SEPARATION_HEADER = b"%!PS-Adobe-3.0 EPSF-3.0\r\n%%BoundingBox: 0 0 100 100\r\n%%EndComments\r\n"
SEPARATION = SEPARATION_HEADER + bytes(i * 7 % 256 for i in range(4096 - len(SEPARATION_HEADER)))


def fileset_folder(root, i, folders):
    return os.path.join(root, "job%04d" % (i % folders)) if folders > 1 else root


def make_tree(root, filesets, folders, suffix=""):
    """The filesets; a stem that ends in `suffix` leaves the channel's pattern
    (the stem without its last character, then *) one fileset of its own.
    Written out to the disk before it returns: the system would otherwise
    write the new tree out during the first timed rounds, on the processors
    the commands share."""
    for i in range(filesets):
        folder = fileset_folder(root, i, folders)
        os.makedirs(folder, exist_ok=True)
        name = "image%05d%s" % (i, suffix)
        if i % DCS2_EVERY == DCS2_EVERY - 1:
            channels = DCS2_PLATES
            plates = "".join("%%%%PlateFile: (%s) EPS Local %s.%s\r\n" % (colour, name, letter)
                             for colour, letter in channels)
        else:
            channels = CHANNELS
            plates = "".join("%%%%%sPlate: %s.%s\r\n" % (colour, name, letter) for colour, letter in channels)
        with open(os.path.join(folder, name + ".eps"), "w", newline="") as master:
            master.write("%!PS-Adobe-3.0 EPSF-3.0\r\n%%Title: Image " + str(i) + "\r\n"
                         "%%BoundingBox: 0 0 100 100\r\n" + plates + "%%EndComments\r\n" + BODY + "%%EOF\r\n")
        for _, letter in channels:
            with open(os.path.join(folder, name + "." + letter), "wb") as separation:
                separation.write(SEPARATION)
    subprocess.run(["sync"], check=True)


IMAGE_HEADER = (b"%!PS-Adobe-3.0 EPSF-3.0\r\n%%Creator: scanner\r\n%%BoundingBox: 0 0 2480 3508\r\n"
                b"%%EndComments\r\n")
IMAGE_MIB = 20
COLD_ROUNDS = 3
DROP_CACHES = "/proc/sys/vm/drop_caches"


def make_images(root, count):
    """EPS images that are no masters: header comments, then image data in
    hexadecimal lines, IMAGE_MIB MiB each."""
    line = b"".join(b"%02x" % (i * 37 % 256) for i in range(127)) + b"\r\n"
    mebibyte = line * (1048576 // len(line))
    for i in range(count):
        with open(os.path.join(root, "photo%03d.eps" % i), "wb") as image:
            image.write(IMAGE_HEADER)
            for _ in range(IMAGE_MIB):
                image.write(mebibyte)


def busy_times(rounds, grep, deep):
    """Median times of grep and check --deep while another process keeps
    one processor busy (`yes` into nothing)."""
    busy = subprocess.Popen(["yes"], stdout=subprocess.DEVNULL)
    try:
        times = {"grep": [], "deep": []}
        for _ in range(rounds):
            times["grep"].append(run(grep))
            times["deep"].append(run(deep))
    finally:
        busy.kill()
        busy.wait()
    return [statistics.median(t[0] for t in times[name]) for name in ("grep", "deep")]


def cold_run(command):
    """run(command) from a cold file cache."""
    subprocess.run(["sync"], check=True)
    with open(DROP_CACHES, "w") as drop:
        drop.write("3\n")
    return run(command)


def bench_cold(program, work):
    """Medians of check --recursive and grep, each from a cold cache; none
    without the right to drop the cache."""
    if not os.access(DROP_CACHES, os.W_OK):
        print("cold-cache tree passed over: %s is not writable (root only)" % DROP_CACHES)
        return None
    tree = os.path.join(work, "cold")
    make_tree(tree, 100, 1)
    make_images(tree, 100)
    check = [program, "check", "--recursive", tree]
    grep = GREP + [tree]
    if subprocess.run(check, capture_output=True, text=True).stdout.count("ok      ") != 100:
        sys.exit("check did not find 100 masters ok in %s" % tree)
    times = {"check": [], "grep": []}
    for _ in range(COLD_ROUNDS):
        times["check"].append(cold_run(check))
        times["grep"].append(cold_run(grep))
    shutil.rmtree(tree)
    row = median_times(times["check"]) + median_times(times["grep"])
    print("cold cache, 100 filesets and 100 images of %d MiB: check %.3f s (%.3f s processor),"
          " grep %.3f s (%.3f s), check/grep %.2f" % (IMAGE_MIB, *row, row[0] / row[2]), flush=True)
    return row


def run(command):
    """(seconds elapsed, seconds of processor time) of one run, output thrown away."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=False)
    elapsed = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return elapsed, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def median_times(times):
    return [statistics.median(t[0] for t in times), statistics.median(t[1] for t in times)]


def toggle_cyan_names(root, filesets, folders, trash):
    """Renames each cyan file between image00001a.C and image00001a-v2.C and
    moves every backup into `trash`: the masters that named one now need the
    other. The backups are set aside, not removed: right after thousands of
    files were removed, ext4 passes over their inodes, each looked at in turn,
    for every file made in the next minutes, which would time the file
    system's state after a mass removal rather than the commands."""
    for i in range(filesets):
        folder = fileset_folder(root, i, folders)
        old, new = (os.path.join(folder, "image%05da%s.C" % (i, s)) for s in ("", "-v2"))
        if os.path.exists(old):
            os.rename(old, new)
        else:
            os.rename(new, old)
        for backup in ("image%05da.BAK" % i, "image%05da.eps.BAK" % i):
            if os.path.exists(os.path.join(folder, backup)):
                os.rename(os.path.join(folder, backup), os.path.join(trash, "%d-%s" % (next(SET_ASIDE), backup)))


def bench_relink(program, work, rounds, filesets, folders, nothing_tree):
    """Rows for relink where nothing needs it (beside check on the same tree)
    and where every master does (beside its dry run and sed -i.BAK)."""
    relink = [program, "relink", "--recursive", nothing_tree]
    check = [program, "check", "--recursive", nothing_tree]
    report = subprocess.run(relink, capture_output=True, text=True).stdout
    if report.count("ok      ") != filesets:
        sys.exit("relink did not find %d masters ok in %s" % (filesets, nothing_tree))
    times = {"relink": [], "check": []}
    for _ in range(rounds):
        times["relink"].append(run(relink))
        times["check"].append(run(check))
    nothing = {"relink": median_times(times["relink"]), "check": median_times(times["check"])}
    tree = os.path.join(work, "relink-%d-%d" % (filesets, folders))
    trash = tree + "-backups"
    make_tree(tree, filesets, folders, "a")
    os.makedirs(trash)
    toggle_cyan_names(tree, filesets, folders, trash)
    dry = [program, "relink", "--dry-run", "--recursive", tree]
    real = [program, "relink", "--recursive", tree]
    sed = ["find", tree, "-name", "*.eps", "-exec",
           "sed", "-i.BAK", "s/%%CyanPlate/%%CyanPlate/;s/%%PlateFile/%%PlateFile/", "{}", "+"]
    report = subprocess.run(dry, capture_output=True, text=True).stdout
    if report.count("would relink ") != filesets:
        sys.exit("relink --dry-run did not find %d masters to relink in %s" % (filesets, tree))
    subprocess.run(["sync"], check=True)
    times = {"dry": [], "real": [], "sed": []}
    for index in range(rounds):
        times["dry"].append(run(dry))
        times["real"].append(run(real))
        if index == 0:
            after = subprocess.run(dry, capture_output=True, text=True).stdout
            if after.count("ok      ") != filesets:
                sys.exit("relink left masters to relink in %s" % tree)
        # Neither writer times the writing out of the other's masters.
        subprocess.run(["sync"], check=True)
        times["sed"].append(run(sed))
        toggle_cyan_names(tree, filesets, folders, trash)
        subprocess.run(["sync"], check=True)
    every = {"relink": median_times(times["real"]), "dry_run": median_times(times["dry"]),
             "sed": median_times(times["sed"])}
    os.rename(tree, tree + "-done")
    print("%6d filesets, %4d folders: relink, nothing to do %.4f s (check %.4f s);"
          " every master %.4f s (dry run %.4f s, sed -i %.4f s)"
          % (filesets, folders, nothing["relink"][0], nothing["check"][0], every["relink"][0],
             every["dry_run"][0], every["sed"][0]), flush=True)
    return [(filesets, folders, "nothing", nothing), (filesets, folders, "every", every)]


def main():
    program, work, results, relink_results, cold_results = sys.argv[1:6]
    rounds = int(sys.argv[6]) if len(sys.argv) > 6 else 9
    rows = []
    relink_rows = []
    for filesets in (1000, 10000):
        for folders in (1, 1000):
            tree = os.path.join(work, "tree-%d-%d" % (filesets, folders))
            make_tree(tree, filesets, folders)
            check = [program, "check", "--recursive", "--json", tree]
            deep = [program, "check", "--deep", "--recursive", "--json", tree]
            grep = GREP + [tree]
            for command in (check, deep):
                report = subprocess.run(command, capture_output=True, text=True).stdout
                if report.count('"state":"ok","channels"') != filesets:
                    sys.exit("%s did not find %d masters ok in %s" % (command[1:3], filesets, tree))
            run(grep)
            subprocess.run(["sync"], check=True)  # the times of last access the first reads set
            times = {"check": [], "grep": [], "deep": []}
            for _ in range(rounds):
                times["check"].append(run(check))
                times["grep"].append(run(grep))
                times["deep"].append(run(deep))
            busy = busy_times(rounds, grep, deep)
            row = [filesets, folders]
            for name in ("check", "grep", "deep"):
                row += [statistics.median(t[0] for t in times[name]),
                        statistics.median(t[1] for t in times[name])]
            row += busy
            rows.append(row)
            print("%6d filesets, %4d folders: check %.4f s (%.4f s processor), grep %.4f s (%.4f s),"
                  " check --deep %.4f s (%.4f s), check/grep %.2f, deep/grep %.2f;"
                  " one processor busy: grep %.4f s, check --deep %.4f s, deep/grep %.2f"
                  % (*row[:8], row[2] / row[4], row[6] / row[4], *busy, busy[1] / busy[0]),
                  flush=True)
            relink_rows += bench_relink(program, work, rounds, filesets, folders, tree)
            os.rename(tree, tree + "-done")
    with open(results, "w") as out:
        out.write("filesets\tfolders\tcheck_s\tcheck_cpu_s\tgrep_s\tgrep_cpu_s\tdeep_s\tdeep_cpu_s"
                  "\tcheck_over_grep\tdeep_over_grep\tbusy_grep_s\tbusy_deep_s\tbusy_deep_over_grep\n")
        for row in rows:
            out.write("%d\t%d\t%.4f\t%.4f\t%.4f\t%.4f\t%.4f\t%.4f\t%.2f\t%.2f\t%.4f\t%.4f\t%.2f\n"
                      % (*row[:8], row[2] / row[4], row[6] / row[4], *row[8:], row[9] / row[8]))
    commands = ("relink", "check", "dry_run", "sed")
    with open(relink_results, "w") as out:
        out.write("filesets\tfolders\tto_relink\t" +
                  "\t".join("%s_s\t%s_cpu_s" % (name, name) for name in commands) + "\n")
        for filesets, folders, case, times in relink_rows:
            figures = ("%.4f\t%.4f" % tuple(times[name]) if name in times else "\t" for name in commands)
            out.write("%d\t%d\t%s\t%s\n" % (filesets, folders, case, "\t".join(figures)))
    cold = bench_cold(program, work)
    if cold:
        with open(cold_results, "w") as out:
            out.write("filesets\timages\timage_mib\tcheck_s\tcheck_cpu_s\tgrep_s\tgrep_cpu_s"
                      "\tcheck_over_grep\n")
            out.write("100\t100\t%d\t%.4f\t%.4f\t%.4f\t%.4f\t%.2f\n"
                      % (IMAGE_MIB, *cold, cold[0] / cold[2]))
    for folders in (1, 1000):
        small, large = (next(r for r in rows if r[0] == n and r[1] == folders) for n in (1000, 10000))
        print("1,000 to 10,000 filesets in %d folder(s): check's time x%.1f (processor x%.1f), grep's x%.1f"
              % (folders, large[2] / small[2], large[3] / small[3], large[4] / small[4]))


if __name__ == "__main__":
    main()
