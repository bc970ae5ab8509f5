#!/usr/bin/env python3
"""Launch-to-first-frame time of the real game binary, as a player would see it.

How it measures: the game is started from scratch RUNS times (after WARMUP untimed starts that
fill the file cache). FirstFrameProbe (built beside the benchmarks) is preloaded into it: it
wraps glfwSwapBuffers, lets the first buffer swap reach the window, writes the monotonic clock
to a file and ends the process. The time counted runs from just before the process is spawned
to just after that first swap returns, so it covers loading the program and its libraries,
opening the window, initialising every system and drawing the first frame. Both ends read
CLOCK_MONOTONIC, so no clock conversion enters the figure. The game needs no measuring code,
and nothing it prints is parsed.

Each run gets its own empty XDG_DATA_HOME so the trace log does not grow between runs. Without
a DISPLAY the script starts itself again under xvfb-run (screen 1920x1080x24), so all runs share
one X server and its start-up is not counted.

Usage, from the repository root after building:
    python3 bench/startup/measure_startup.py [--runs 21] [--build build]
Give --build more than once to compare builds: their launches then alternate, so a change in
the machine's load falls on all of them alike. The machine should be idle; the median is the
figure to report. Not run by ctest.
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

SCREEN = "1920x1080x24"
STAMP_VARIABLE = "WENDLEBOX_FIRST_FRAME_FILE"
TIMEOUT_SECONDS = 60


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--runs", type=int, default=21, help="timed launches")
    parser.add_argument("--warmup", type=int, default=2, help="untimed launches first")
    parser.add_argument("--build", action="append", help="build folder holding wendlebox "
                        "and bench/libFirstFrameProbe.so (default: build); may be repeated")
    return parser.parse_args()


def restart_under_xvfb():
    command = ["xvfb-run", "-a", "-s", "-screen 0 " + SCREEN, sys.executable] + sys.argv
    sys.exit(subprocess.call(command))


def launch_once(binary, probe, root):
    """Returns milliseconds from spawning the game to its first completed buffer swap."""
    with tempfile.TemporaryDirectory() as scratch:
        stamp_path = os.path.join(scratch, "first-frame")
        environment = dict(os.environ, LD_PRELOAD=probe, XDG_DATA_HOME=scratch)
        environment[STAMP_VARIABLE] = stamp_path
        start = time.monotonic_ns()
        subprocess.run([binary], cwd=root, env=environment, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=TIMEOUT_SECONDS, check=False)
        if not os.path.exists(stamp_path):
            raise RuntimeError("the game ended without drawing a frame")
        with open(stamp_path, encoding="ascii") as stamp:
            return (int(stamp.read().strip()) - start) / 1e6


def find_build(root, folder):
    build = os.path.join(root, folder)
    binary = os.path.join(build, "wendlebox")
    probe = os.path.join(build, "bench", "libFirstFrameProbe.so")
    for path in (binary, probe):
        if not os.path.exists(path):
            sys.exit("missing " + path + ": build the project first")
    return binary, probe


def report(folder, times):
    print("%s: %d runs, launch to first frame in ms: median %.1f  min %.1f  max %.1f" %
          (folder, len(times), statistics.median(times), min(times), max(times)))
    print("  each: " + " ".join("%.0f" % value for value in times))


def main():
    arguments = parse_arguments()
    if not os.environ.get("DISPLAY"):
        restart_under_xvfb()
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    folders = arguments.build or ["build"]
    builds = [find_build(root, folder) for folder in folders]
    for _ in range(arguments.warmup):
        for binary, probe in builds:
            launch_once(binary, probe, root)
    times = [[] for _ in builds]
    for _ in range(arguments.runs):
        for index, (binary, probe) in enumerate(builds):
            times[index].append(launch_once(binary, probe, root))
    print("load average over the last minute, at the end: %.2f" % os.getloadavg()[0])
    for folder, values in zip(folders, times):
        report(folder, values)


if __name__ == "__main__":
    main()
