#!/usr/bin/env python3
"""Whole-process timing of zephyrion-cli beside copying the very files it wrote.

For each design the script runs, interleaved and repeated: zephyrion-cli with 1, 2 and all
threads, `cp` of the three files the run wrote, and `admesh --write-ascii-stl` re-writing its
STL, each into fresh files after a sync. It prints the median wall time, the median CPU time (user + system), the peak resident
memory of each (from GNU time), and each median wall time as a ratio to the median of `cp`
measured in the same rounds, so that a machine shared with other work still gives comparable
figures.

Usage: bench/process_speed.py BUILD/zephyrion-cli [--runs N] [--big-runs N] [--folder DIR]
       [--no-threads] [--earlier OTHER/zephyrion-cli]
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

GNU_TIME = "/usr/bin/time"  # Debian package "time"

DESIGNS = [
    ("default form", []),
    ("--radius 5000 --divisions 100", ["--radius", "5000", "--divisions", "100"]),
]


def measure(command, cwd):
    """Wall seconds, CPU seconds and peak resident kilobytes of one process. GNU time reports
    the peak memory (a child forked from this script would count the script's own pages); the
    CPU time comes from the kernel's account of GNU time and the process it waited for."""
    report = os.path.join(cwd, "time.txt")
    started = time.monotonic()
    process = subprocess.Popen([GNU_TIME, "-f", "%M", "-o", report] + command, cwd=cwd,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.monotonic() - started
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit("failed (%d): %s" % (process.returncode, " ".join(command)))
    with open(report) as figures:
        peak = int(figures.read().split()[-1])
    return wall, usage.ru_utime + usage.ru_stime, peak


def cases_for(cli, options, folder, cores, with_threads, earlier_cli):
    """The commands compared for one design, each as (label, command, files it writes). The
    first run of zephyrion-cli, before the timed rounds, writes the files that cp and admesh
    read; every timed command writes files of its own."""
    names = ["Blade.stl", "Blade.xls", "Blade.txt"]
    source = [os.path.join(folder, "source", name) for name in names]
    runs = [("zephyrion-cli --threads 1", "1", ["--threads", "1"]),
            ("zephyrion-cli --threads 2", "2", ["--threads", "2"]),
            ("zephyrion-cli (all %d threads)" % cores, "all", [])] if with_threads else [("zephyrion-cli", "all", [])]
    cases = [("cp of its files (baseline)", ["cp"] + source + [os.path.join(folder, "cp")],
              [os.path.join(folder, "cp", name) for name in names])]
    if earlier_cli:
        runs.insert(0, ("earlier build, as it runs", "earlier", []))
    for label, leaf, extra in runs:
        program = earlier_cli if leaf == "earlier" else cli
        cases.append((label, [program] + options + extra + ["--output", os.path.join(folder, leaf, "Blade")],
                      [os.path.join(folder, leaf, name) for name in names]))
    admesh_copy = os.path.join(folder, "admesh.stl")
    cases.append(("admesh --write-ascii-stl", ["admesh", "--write-ascii-stl=" + admesh_copy, source[0]],
                  [admesh_copy]))
    for leaf in ["source", "cp", "earlier", "1", "2", "all"]:
        os.makedirs(os.path.join(folder, leaf), exist_ok=True)
    return [cli] + options + ["--output", os.path.join(folder, "source", "Blade")], cases


def fresh_start(files):
    """Each timed command creates its files anew, after the disk has taken every earlier byte, so
    that no command pays for another's write-back or for emptying a file it replaces."""
    for name in files:
        if os.path.exists(name):
            os.remove(name)
    os.sync()


def report(title, results, baseline):
    base = statistics.median(results[baseline]["wall"])
    print("\n%s (%d interleaved runs, medians)" % (title, len(results[baseline]["wall"])))
    print("  %-34s %10s %8s %10s %9s" % ("", "wall ms", "x cp", "CPU ms", "peak MB"))
    for label, figures in results.items():
        wall = statistics.median(figures["wall"])
        print("  %-34s %10.1f %7.2fx %10.1f %9.1f" % (label, wall * 1000, wall / base,
                                                        statistics.median(figures["cpu"]) * 1000,
                                                        max(figures["rss"]) / 1024))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--runs", type=int, default=15, help="rounds for the default form")
    parser.add_argument("--big-runs", type=int, default=5, help="rounds for the large design")
    parser.add_argument("--folder", help="where the files go (default: a temporary folder)")
    parser.add_argument("--no-threads", action="store_true",
                        help="for a build without --threads (an older one, as the baseline)")
    parser.add_argument("--earlier", help="another zephyrion-cli (an earlier build) to time in the same rounds")
    arguments = parser.parse_args()
    if shutil.which("admesh") is None or not os.path.exists(GNU_TIME):
        sys.exit("admesh or GNU time is missing: run scripts/setup")
    cli = os.path.abspath(arguments.cli)
    cores = os.cpu_count() or 1
    print("machine: %d hardware threads, %s" % (cores, platform_text()))
    folder = arguments.folder or tempfile.mkdtemp(prefix="zephyrion-speed-")
    try:
        for (title, options), runs in zip(DESIGNS, [arguments.runs, arguments.big_runs]):
            write_source, cases = cases_for(cli, options, folder, cores, not arguments.no_threads,
                                            os.path.abspath(arguments.earlier) if arguments.earlier else None)
            measure(write_source, folder)
            results = {label: {"wall": [], "cpu": [], "rss": []} for label, _, _ in cases}
            for _ in range(runs):
                for label, command, files in cases:
                    fresh_start(files)
                    wall, cpu, rss = measure(command, folder)
                    results[label]["wall"].append(wall)
                    results[label]["cpu"].append(cpu)
                    results[label]["rss"].append(rss)
            size = sum(os.path.getsize(os.path.join(folder, "source", name)) for name in ["Blade.stl", "Blade.xls"])
            report("%s: %.1f MB written" % (title, size / 1e6), results, cases[0][0])
    finally:
        if not arguments.folder:
            shutil.rmtree(folder)


def platform_text():
    model = ""
    try:
        with open("/proc/cpuinfo") as cpuinfo:
            model = next((line.split(":", 1)[1].strip() for line in cpuinfo if line.startswith("model name")), "")
    except OSError:
        pass
    return model or sys.platform


if __name__ == "__main__":
    main()
