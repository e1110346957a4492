"""The moment a release is stamped with: SOURCE_DATE_EPOCH when set, otherwise the time of the
last commit, so that two builds of one commit carry the same time (0 outside a git tree)."""

import os
import subprocess


def source_date_epoch(tree):
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    commit = subprocess.run(["git", "-C", str(tree), "log", "-1", "--format=%ct"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    return int(commit.stdout.strip()) if commit.returncode == 0 and commit.stdout.strip() else 0
