#!/usr/bin/env python3
"""What every end-to-end case uses: starting Velmora, finding and reading its windows, pressing
their buttons."""

import re
import shutil
import subprocess
import threading
import time


SYSTEM_DLLS = {"comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll",
               "shell32.dll", "user32.dll", "advapi32.dll", "wininet.dll", "version.dll", "msimg32.dll",
               "shlwapi.dll", "comdlg32.dll", "uxtheme.dll"}
EXE = r"C:\Velmora\Velmora.exe"  # where each run copies the exe inside the prefix


def unescape(text):
    """The driver's one-line form back to the text: \\r, \\n and \\\\, read left to right so that a
    backslash before an "r" (C:\\users\\root) stays a backslash."""
    return re.sub(r"\\([rn\\])", lambda m: {"r": "\r", "n": "\n", "\\": "\\"}[m.group(1)], text)


class Failure(Exception):
    pass


def expect(condition, what):
    if not condition:
        raise Failure(what)


class Run:
    """One start of Velmora through `driver run`, which reports every visible window the
    process shows and its exit code."""

    def __init__(self, env, command_line, timeout_ms=60000, show=None):
        self.env = env
        command_file = env.root / f"command-{time.monotonic_ns()}.txt"
        command_file.write_text(command_line, "utf-8")
        driver = env.windows_path(env.tools / "driver.exe")
        self.process = subprocess.Popen(
            ["timeout", "--kill-after=5", str(timeout_ms // 1000 + 30), "wine", driver, "run", str(timeout_ms),
             env.windows_path(command_file), *([] if show is None else [str(show)])],
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
        machines = [line.split("\t")[1:] for line in self.lines if line.startswith("machine\t")]
        expect(machines == [[str(self.env.code_page), str(self.env.dpi)]],
               f"this pass runs as code page {self.env.code_page} at {self.env.dpi} DPI, the program ran as {machines}")
        exits = [line.split("\t")[1] for line in self.lines if line.startswith("exit\t")]
        windows = [line.split("\t")[1:] for line in self.lines if line.startswith("window\t")]
        expect(exits, f"the program did not end: {self.lines}")
        return int(exits[0]), windows


class EndToEnd:
    def __init__(self, env, exe):
        self.env = env
        self.exe = exe
        self.screens = env.root / "screens"
        self._layout = None

    def layout(self):
        """The main window's table as the program itself holds it, read once from
        layout_dump.exe: the cases check the live window against it, not against a copy."""
        if self._layout is None:
            rows = [line.split("\t") for line in
                    self.env.wine(self.env.windows_path(self.env.tools / "layout_dump.exe")).splitlines()]
            self._layout = {
                "pages": [row[3] for row in rows if row[0] == "page"],
                "controls": [{"name": row[1], "id": int(row[2]), "page": int(row[3]), "caption": row[4],
                              "hint": row[5]} for row in rows if row[0] == "control"],
                "ids": {row[1]: int(row[2]) for row in rows if row[0] in ("control", "shortcut")},
            }
        return self._layout

    def id(self, name):
        """The id of a control or hidden menu item (ButtonResave, N1) as the driver takes it."""
        return str(self.layout()["ids"][name])

    def command(self, window, name):
        """Runs the command of a control or hidden menu item, as its click or key would."""
        self.driver("command", window, self.id(name))

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
                rows.append((parts[0], int(parts[1]), unescape(parts[2])))
        return rows

    def fresh_record(self):
        if self.env.record.exists():
            self.env.record.unlink()

    def settings_files(self):
        found = list(self.env.drive_c("users").glob("*/AppData/Roaming/Quorrin/**/*"))
        found += list(self.env.drive_c("Velmora").glob("*.ini"))
        return found

    def settings_snapshot(self):
        """Every settings file and folder with its bytes, to tell whether a run changed them."""
        return {str(path): (path.read_bytes() if path.is_file() else None) for path in self.settings_files()}

    def write_settings(self, text):
        """The per-user settings file with `text`, its line ends made CR LF; its path."""
        path = self.user_settings_file()
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(text.replace("\n", "\r\n").encode("ascii"))
        return path

    def settings_text(self, path):
        """A settings file the program wrote over one without a mark: in the ANSI code page, and
        only under the UTF-8 code page with the UTF-8 mark."""
        data = path.read_bytes()
        mark = b"\xef\xbb\xbf"
        if self.env.code_page == 65001:
            expect(data.startswith(mark), f"no UTF-8 mark under code page 65001: {data[:16]!r}")
            return data[len(mark):].decode("utf-8")
        expect(not data.startswith(mark), f"a UTF-8 mark under code page {self.env.code_page}")
        return data.decode(f"cp{self.env.code_page}")

    def clear_settings(self):
        path = self.user_settings_file()
        if path.exists():
            path.unlink()
        return path

    def user_settings_file(self):
        roaming = [path for path in self.env.drive_c("users").glob("*/AppData/Roaming")
                   if path.parent.parent.name.lower() != "public"]
        expect(roaming, "the prefix has no roaming folder")
        return roaming[0] / "Quorrin" / "Velmora" / "Velmora.ini"

    def install(self):
        """Copies the exe to where every run starts it, inside the prefix."""
        self.screens.mkdir(parents=True, exist_ok=True)
        folder = self.env.drive_c("Velmora")
        folder.mkdir(parents=True, exist_ok=True)
        shutil.copy2(self.exe, folder / "Velmora.exe")


def placed(env, left, top, right, bottom):
    """The rectangle a window put at (left, top, right, bottom) ends up with: grown, if need be,
    to the minimum size of 280 x 280 at 96 DPI, scaled to the prefix's DPI."""
    size = env.scaled(280)
    return [str(left), str(top), str(left + max(right - left, size)), str(top + max(bottom - top, size))]


def start_window(t):
    """Velmora started without an argument, and its main window once it is on screen."""
    run = Run(t.env, f'"{EXE}"')
    return run, t.wait_window("Velmora", "TForm1")


def close_window(t, run, window):
    """Closes the main window as its title bar would and expects a clean exit."""
    t.driver("close", window)
    code, _ = run.finish()
    expect(code == 0, f"exit code {code}")


def statics(t, box):
    return [text for cls, _, text in t.texts(box) if cls == "Static"]


def wait_box_saying(t, wanted, timeout=20.0):
    """The Velmora box whose static texts include `wanted` (older boxes may still be closing)."""
    deadline = time.monotonic() + timeout
    seen = []
    while time.monotonic() < deadline:
        handle = t.driver("wait", "Velmora", "#32770", "2000", check=False, timeout=40).strip()
        if handle:
            seen = statics(t, handle)
            if wanted in seen:
                return handle
        time.sleep(0.1)
    raise Failure(f"no box saying {wanted!r}; last seen {seen}")


def no_box_for(t, seconds):
    handle = t.driver("wait", "Velmora", "#32770", str(int(seconds * 1000)), check=False, timeout=40).strip()
    expect(not handle, f"a box appeared: {statics(t, handle) if handle else ''}")
