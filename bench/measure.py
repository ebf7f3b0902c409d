#!/usr/bin/env python3
"""Runs one contender several times; appends its median wall time and peak RSS.

    measure.py --results FILE --site NAME --name CONTENDER [--runs N] [--warmup W]
               [--note TEXT] -- COMMAND [ARGS...]

Wall time is taken around each run; CPU time (user + system) and peak RSS come
from /usr/bin/time (%U, %S, %M). CPU time is steadier than wall time on a
machine shared with other work. Peak RSS
which gives the largest resident size of the command and of every process
below it (a pipeline's biggest member); it runs the command from its own small
process, so the figure does not start at this script's size, as it would if
Python forked the command itself. Output of the command is discarded.
"""
import argparse
import json
import statistics
import subprocess
import sys
import tempfile
import time


def run_once(command):
    """(seconds, peak RSS in KB, exit status, CPU seconds) of one run."""
    with tempfile.NamedTemporaryFile("r") as report:
        start = time.perf_counter()
        code = subprocess.call(["/usr/bin/time", "-q", "-f", "%M %U %S", "-o", report.name] + command,
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
        seconds = time.perf_counter() - start
        lines = report.read().split()
    if len(lines) < 3:  # killed by a signal: time wrote no figures
        return seconds, 0, code, 0.0
    return seconds, int(lines[-3]), code, float(lines[-2]) + float(lines[-1])


def summarize(site, name, note, runs):
    times = [t for t, _, _, _ in runs]
    return {
        "site": site,
        "name": name,
        "note": note,
        "runs": len(runs),
        "times": [round(t, 4) for t in times],
        "median_s": round(statistics.median(times), 4),
        "cpu_s": round(statistics.median(cpu for _, _, _, cpu in runs), 4),
        "peak_rss_kb": max(rss for _, rss, _, _ in runs),
        "exit_codes": sorted({code for _, _, code, _ in runs}),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--results", required=True)
    parser.add_argument("--site", required=True)
    parser.add_argument("--name", required=True)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--warmup", type=int, default=1)
    parser.add_argument("--note", default="")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command or args.runs < 1:
        parser.error("a command and at least one run are needed")

    for _ in range(args.warmup):
        run_once(command)
    runs = []
    for i in range(args.runs):
        runs.append(run_once(command))
        print(f"  {args.name} [{args.site}] run {i + 1}/{args.runs}: "
              f"{runs[-1][0]:.3f} s (CPU {runs[-1][3]:.3f} s), {runs[-1][1] / 1024:.1f} MB, "
              f"exit {runs[-1][2]}",
              file=sys.stderr)
    with open(args.results, "a") as f:
        f.write(json.dumps(summarize(args.site, args.name, args.note, runs)) + "\n")


if __name__ == "__main__":
    main()
