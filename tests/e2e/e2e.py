#!/usr/bin/env python3
"""End-to-end tests: the real Velmora.exe under Wine + Xvfb in a throw-away prefix, driven
from outside by driver.exe, with a browser stand-in that records every URL the shell is asked
to open. Cases are the case_* functions of the cases_*.py modules beside this file."""

import argparse
import importlib
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).parent))
from harness import EndToEnd  # noqa: E402
from wine_env import WinePrefix  # noqa: E402


def discover_cases():
    """Every case_* function of the cases_*.py modules beside this file, module by module."""
    found = []
    for module_path in sorted(pathlib.Path(__file__).parent.glob("cases_*.py")):
        module = importlib.import_module(module_path.stem)
        found += [(name, getattr(module, name)) for name in sorted(dir(module)) if name.startswith("case_")]
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--tools", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    env = WinePrefix(args.work, args.tools)
    try:
        env.create()
        ok = EndToEnd(env, pathlib.Path(args.exe)).run_all(discover_cases())
    finally:
        env.close()
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
