#!/usr/bin/env python3
"""Times Velmora's command-line mode against its floor, a program that makes only the calls a
command-line run must make (floor_cmdline.exe), and against a bare program that only calls
ShellExecuteW (bare_open.exe); all three under Wine in one prefix, alternating, with the medians
and their ratios. A benchmark, not a test: it fails only when a program does not run."""

import pathlib
import statistics
import subprocess
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).parent))
from wine_env import bench_prefix  # noqa: E402

PAGE = r"C:\Mirror\www.example.com\docs\page.html"
URL = "http://www.example.com/docs/page.html"


def timed(env, *command):
    started = time.perf_counter()
    result = subprocess.run(["wine", *command], env=env.env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, timeout=60)
    elapsed = time.perf_counter() - started
    if result.returncode != 0:
        raise RuntimeError(f"{command} exited {result.returncode}")
    return elapsed


def main():
    args, env = bench_prefix()
    try:
        velmora = env.windows_path(pathlib.Path(args.exe))
        floor = env.windows_path(env.tools / "floor_cmdline.exe")
        bare = env.windows_path(env.tools / "bare_open.exe")
        # Warm the wineserver and the page cache once for each before measuring.
        timed(env, velmora, PAGE)
        timed(env, floor, URL)
        timed(env, bare, URL)
        velmora_times, floor_times, bare_times = [], [], []
        for _ in range(args.runs):
            velmora_times.append(timed(env, velmora, PAGE))
            floor_times.append(timed(env, floor, URL))
            bare_times.append(timed(env, bare, URL))
        recorded = env.recorded(3 * args.runs + 3, timeout=30)
        if any(url != URL for url in recorded):
            raise RuntimeError(f"unexpected URLs recorded: {set(recorded)}")
    finally:
        subprocess.run(["wineserver", "-k"], env=env.env, stderr=subprocess.DEVNULL)
        env.close()

    velmora_median = statistics.median(velmora_times)
    floor_median = statistics.median(floor_times)
    bare_median = statistics.median(bare_times)
    print(f"runs each:             {args.runs} (alternating)")
    print(f"Velmora.exe <path>:    median {velmora_median * 1000:.1f} ms")
    print(f"floor (required calls): median {floor_median * 1000:.1f} ms")
    print(f"bare ShellExecuteW:    median {bare_median * 1000:.1f} ms")
    print(f"Velmora / floor:       {velmora_median / floor_median:.3f} (goal: at most 1.05)")
    print(f"floor / bare:          {floor_median / bare_median:.3f}")
    print(f"URLs recorded:         {len(recorded)}")


if __name__ == "__main__":
    main()
