#!/usr/bin/env python3
"""End-to-end tests: the real Velmora.exe under Wine + Xvfb in a throw-away prefix, driven
from outside by driver.exe, with a browser stand-in that records every URL the shell is asked
to open."""

import argparse
import pathlib
import shutil
import subprocess
import sys
import threading
import time

sys.path.insert(0, str(pathlib.Path(__file__).parent))
from wine_env import WinePrefix  # noqa: E402

SEVERAL_FILES = "複数のファイルは受け取れません。先頭のファイルを処理します。"
SYSTEM_DLLS = {"comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll",
               "shell32.dll", "user32.dll", "advapi32.dll", "wininet.dll", "version.dll", "msimg32.dll",
               "shlwapi.dll", "comdlg32.dll", "uxtheme.dll"}
EXE = r"C:\Velmora\Velmora.exe"


class Failure(Exception):
    pass


def expect(condition, what):
    if not condition:
        raise Failure(what)


class Run:
    """One start of Velmora through `driver run`, which reports every visible window the
    process shows and its exit code."""

    def __init__(self, env, command_line, timeout_ms=60000):
        self.env = env
        command_file = env.root / f"command-{time.monotonic_ns()}.txt"
        command_file.write_text(command_line, "utf-8")
        driver = env.windows_path(env.tools / "driver.exe")
        self.process = subprocess.Popen(
            ["timeout", "--kill-after=5", str(timeout_ms // 1000 + 30), "wine", driver, "run", str(timeout_ms),
             env.windows_path(command_file)],
            env=env.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.lines = []
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for raw in self.process.stdout:
            self.lines.append(raw.decode("utf-8", "replace").rstrip("\n"))

    def finish(self, timeout=90):
        self.process.wait(timeout=timeout)
        self.reader.join(timeout=5)
        exits = [line.split("\t")[1] for line in self.lines if line.startswith("exit\t")]
        windows = [line.split("\t")[1:] for line in self.lines if line.startswith("window\t")]
        expect(exits, f"the program did not end: {self.lines}")
        return int(exits[0]), windows


class EndToEnd:
    def __init__(self, env, exe):
        self.env = env
        self.exe = exe
        self.screens = env.root / "screens"

    def driver(self, *args, check=True, timeout=60):
        return self.env.wine(self.env.windows_path(self.env.tools / "driver.exe"), *args,
                             check=check, timeout=timeout)

    def wait_window(self, caption, window_class, timeout_ms=20000):
        handle = self.driver("wait", caption, window_class, str(timeout_ms), check=False,
                             timeout=timeout_ms // 1000 + 30).strip()
        expect(handle, f"no {window_class} window captioned {caption!r} appeared")
        return handle

    def texts(self, handle):
        rows = []
        for line in self.driver("texts", handle).splitlines():
            parts = line.split("\t")
            if len(parts) == 3:
                rows.append((parts[0], int(parts[1]), parts[2].replace("\\r", "\r").replace("\\n", "\n")
                             .replace("\\\\", "\\")))
        return rows

    def fresh_record(self):
        if self.env.record.exists():
            self.env.record.unlink()

    def settings_files(self):
        found = list(self.env.drive_c("users").glob("*/AppData/Roaming/Quorrin/**/*"))
        found += list(self.env.drive_c("Velmora").glob("*.ini"))
        return found

    # ---- cases

    def case_exe_is_self_contained(self):
        objdump = shutil.which("x86_64-w64-mingw32-objdump")
        expect(objdump, "x86_64-w64-mingw32-objdump is missing")
        dump = subprocess.run([objdump, "-p", str(self.exe)], stdout=subprocess.PIPE, check=True).stdout.decode()
        dlls = {line.split(":", 1)[1].strip().lower() for line in dump.splitlines() if "DLL Name:" in line}
        expect(dlls and dlls <= SYSTEM_DLLS, f"Velmora.exe needs DLLs beside it: {sorted(dlls - SYSTEM_DLLS)}")
        expect("subsystem\t\t00000002" in dump.lower() or "(Windows GUI)" in dump, "not a GUI-subsystem exe")

    def case_one_argument_opens_the_url_without_a_window(self):
        self.fresh_record()
        code, windows = Run(self.env, f'"{EXE}" C:\\Mirror\\www.example.com\\docs\\page.html').finish()
        expect(code == 0, f"exit code {code}")
        expect(windows == [], f"windows appeared: {windows}")
        urls = self.env.recorded(1)
        expect(urls == ["http://www.example.com/docs/page.html"], f"recorded {urls}")
        expect(self.settings_files() == [], f"settings written: {self.settings_files()}")

    def case_quoted_path_with_spaces_is_one_argument(self):
        self.fresh_record()
        code, windows = Run(self.env, f'"{EXE}" "C:\\My Mirror\\www.example.com\\a b.html"').finish()
        expect(code == 0 and windows == [], f"exit {code}, windows {windows}")
        urls = self.env.recorded(1)
        expect(urls == ["http://www.example.com/a b.html"], f"recorded {urls}")

    def case_unquoted_path_shows_the_notice_first(self):
        self.fresh_record()
        run = Run(self.env, f'"{EXE}" C:\\My Mirror\\www.example.com\\a.html')
        box = self.wait_window("Velmora", "#32770")
        texts = [text for cls, _, text in self.texts(box) if cls == "Static"]
        expect(SEVERAL_FILES in texts, f"notice texts {texts}")
        expect(self.env.recorded(1, timeout=1.0) == [], "the URL was opened before the notice was dismissed")
        self.env.screenshot(self.screens / "notice.png")
        self.driver("click", box, "1")
        code, windows = run.finish()
        expect(code == 0, f"exit code {code}")
        expect([w[0] for w in windows] == ["#32770"], f"windows {windows}")
        urls = self.env.recorded(1)
        expect(urls == ["http://"], f"recorded {urls}")

    def case_shortcut_argument_opens_its_target(self):
        self.fresh_record()
        target = self.env.drive_c("Mirror Copies/www.example.com/docs/index.html")
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_text("<html></html>")
        self.env.drive_c("Links").mkdir(exist_ok=True)
        self.driver("mklink", r"C:\Links\Page.LNK", r"C:\Mirror Copies\www.example.com\docs\index.html")
        code, windows = Run(self.env, f'"{EXE}" C:\\Links\\Page.LNK').finish()
        expect(code == 0 and windows == [], f"exit {code}, windows {windows}")
        urls = self.env.recorded(1)
        expect(urls == ["http://www.example.com/docs/index.html"], f"recorded {urls}")

    def case_no_argument_shows_the_window_until_it_is_closed(self):
        self.fresh_record()
        run = Run(self.env, f'"{EXE}"')
        window = self.wait_window("Velmora", "TForm1")
        time.sleep(0.5)
        self.env.screenshot(self.screens / "main-window.png")
        self.driver("close", window)
        code, windows = run.finish()
        expect(code == 0, f"exit code {code}")
        expect(["TForm1", "Velmora"] in windows, f"windows {windows}")
        expect(self.env.recorded(0, timeout=0) == [], "a URL was opened")

    def run_all(self):
        self.screens.mkdir(parents=True, exist_ok=True)
        prefix = self.env.drive_c("Velmora")
        prefix.mkdir(parents=True, exist_ok=True)
        shutil.copy2(self.exe, prefix / "Velmora.exe")
        passed = failed = 0
        for name in sorted(n for n in dir(self) if n.startswith("case_")):
            started = time.monotonic()
            try:
                getattr(self, name)()
                passed += 1
                print(f"PASS {name[5:]} ({time.monotonic() - started:.1f}s)", flush=True)
            except Exception as error:  # noqa: BLE001 - every case reports and the run goes on
                failed += 1
                print(f"FAIL {name[5:]}: {error}", flush=True)
                subprocess.run(["wineserver", "-k"], env=self.env.env, stderr=subprocess.DEVNULL)
        print(f"e2e: {passed} passed, {failed} failed")
        print(f"screenshots: {self.screens}")
        return failed == 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--tools", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    env = WinePrefix(args.work, args.tools)
    try:
        env.create()
        ok = EndToEnd(env, pathlib.Path(args.exe)).run_all()
    finally:
        env.close()
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
