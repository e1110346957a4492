#!/usr/bin/env python3
"""Times how long Velmora takes from the start of its process to its main window on screen,
against its floor: floor_window.exe makes the same window from the same table with the same
platform code and nothing of the program. Both under Wine in one prefix with one wineserver,
alternating, no settings file; the medians and their ratio. A benchmark, not a test."""

import pathlib
import statistics
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).parent))
from harness import EXE, EndToEnd  # noqa: E402
from wine_env import bench_prefix  # noqa: E402


def up(t, command_file):
    out = t.driver("up", "30000", t.env.windows_path(command_file), timeout=60).strip()
    return float(out) / 1000


def main():
    args, env = bench_prefix()
    try:
        t = EndToEnd(env, pathlib.Path(args.exe))
        t.install()
        velmora = env.root / "velmora.txt"
        velmora.write_text(f'"{EXE}"', "utf-8")
        floor = env.root / "floor.txt"
        floor.write_text(f'"{env.windows_path(env.tools / "floor_window.exe")}"', "utf-8")
        settings = t.user_settings_file()
        up(t, velmora), up(t, floor)  # warm the server and the page cache
        velmora_times, floor_times = [], []
        for _ in range(args.runs):
            if settings.exists():
                settings.unlink()
            velmora_times.append(up(t, velmora))
            floor_times.append(up(t, floor))
    finally:
        subprocess.run(["wineserver", "-k"], env=env.env, stderr=subprocess.DEVNULL)
        env.close()

    velmora_median = statistics.median(velmora_times)
    floor_median = statistics.median(floor_times)
    print(f"runs each:                 {args.runs} (alternating)")
    print(f"Velmora.exe to its window: median {velmora_median * 1000:.1f} ms")
    print(f"floor to the same window:  median {floor_median * 1000:.1f} ms")
    print(f"Velmora / floor:           {velmora_median / floor_median:.3f} (goal: at most 1.05)")


if __name__ == "__main__":
    main()
