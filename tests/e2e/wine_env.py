"""A throw-away Wine prefix with a browser stand-in and Japanese fonts, shared by the
end-to-end run and the benchmarks. Nothing here touches a real user profile."""

import argparse
import os
import pathlib
import shutil
import subprocess
import time

JAPANESE_FONT = "IPAGothic"


class WinePrefix:
    """`locale` gives the code page and the regional formats (Wine takes them from the Unix
    locale, never from the registry); `dpi` is the system DPI, set in the fresh prefix."""

    def __init__(self, root, tools, locale="C.UTF-8", code_page=1252, dpi=96):
        self.root = pathlib.Path(root).resolve()
        self.locale, self.code_page, self.dpi = locale, int(code_page), int(dpi)
        self.prefix = self.root / "prefix"
        self.tools = pathlib.Path(tools).resolve()
        self.record = self.root / "recorded-urls.txt"
        display = os.environ.get("DISPLAY")
        if not display:
            raise RuntimeError("no X display: run under xvfb-run -a -s '-screen 0 1280x1024x24'")
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d", LC_ALL=self.locale,
                        DISPLAY=display, VELMORA_RECORD=self.windows_path(self.record))

    @staticmethod
    def windows_path(path):
        return "Z:" + str(pathlib.Path(path).resolve()).replace("/", "\\")

    def drive_c(self, relative=""):
        return self.prefix / "drive_c" / relative

    def run(self, *args, timeout=60, check=True):
        result = subprocess.run(["timeout", "--kill-after=5", str(timeout), *args], env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if check and result.returncode != 0:
            raise RuntimeError(f"{args} failed with {result.returncode}")
        return result.stdout.decode("utf-8", "replace")

    def wine(self, *args, timeout=60, check=True):
        return self.run("wine", *args, timeout=timeout, check=check)

    def create(self, virtual_desktop=True):
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        shutil.rmtree(self.root, ignore_errors=True)
        self.root.mkdir(parents=True)
        self.run("wine", "wineboot", "--init", timeout=180)
        recorder = self.windows_path(self.tools / "recorder.exe")
        for scheme in ("http", "https"):
            self.reg_add(rf"HKCR\{scheme}\shell\open\command", "", f'"{recorder}" "%1"')
        self.reg_add(r"HKCU\Software\Wine\WineDbg", "ShowCrashDialog", "0", kind="REG_DWORD")
        self.reg_add(r"HKCU\Control Panel\Desktop", "LogPixels", str(self.dpi), kind="REG_DWORD")
        # A virtual desktop the size of the display: windows get their title bars in screenshots,
        # and maximizing works without a window manager.
        if virtual_desktop:
            self.reg_add(r"HKCU\Software\Wine\Explorer", "Desktop", "Default")
            self.reg_add(r"HKCU\Software\Wine\Explorer\Desktops", "Default", "1280x1024")
        # Wine has no Meiryo UI and its dialog font has no Japanese glyphs: substitute and link
        # a Japanese font so that screenshots show real characters.
        for face in ("Meiryo UI", "MS UI Gothic", "MS Shell Dlg", "MS Shell Dlg 2"):
            self.reg_add(r"HKCU\Software\Wine\Fonts\Replacements", face, JAPANESE_FONT)
        link = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink"
        for face in ("Tahoma", "Segoe UI", "Microsoft Sans Serif"):
            self.run("wine", "reg", "add", link, "/v", face, "/t", "REG_MULTI_SZ",
                     "/d", "ipag.ttf," + JAPANESE_FONT, "/f", timeout=60)
        self.check_machine()

    def scaled(self, pixels96):
        """A 96-DPI size at this prefix's DPI, rounded as MulDiv rounds."""
        return (pixels96 * self.dpi + 48) // 96

    def check_machine(self):
        """Fails unless Wine runs as the code page and DPI this prefix was made for: a missing
        locale falls back to code page 1252 without a word."""
        self.run("wineserver", "-w", timeout=60)
        found = self.wine(self.windows_path(self.tools / "driver.exe"), "machine").split()
        wanted = ["machine", str(self.code_page), str(self.dpi)]
        if found != wanted:
            raise RuntimeError(f"the prefix runs as {found}, not {wanted}")

    def reg_add(self, key, name, value, kind="REG_SZ"):
        name_args = ["/ve"] if name == "" else ["/v", name]
        command = ("reg", "add", key, *name_args, "/t", kind, "/d", value, "/f")
        # Once the virtual desktop is set, the next start also starts its explorer; on a busy
        # machine that start can fail ("ShellExecuteEx failed"). Once it has settled it works.
        try:
            self.wine(*command)
        except RuntimeError:
            self.run("wineserver", "-w", timeout=60)
            self.wine(*command)

    def recorded(self, count=1, timeout=15.0):
        """The URLs handed to the browser stand-in so far, waiting for `count` of them."""
        deadline = time.monotonic() + timeout
        while True:
            lines = self.record.read_text("utf-8").splitlines() if self.record.exists() else []
            if len(lines) >= count or time.monotonic() > deadline:
                return lines
            time.sleep(0.05)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", str(path)], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)

    def close(self):
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=60, stderr=subprocess.DEVNULL)


def bench_prefix():
    """A benchmark's command line (--exe, --tools, --work, --runs) and its prefix: a user's
    desktop, not the end-to-end run's virtual one (starting that desktop process would be timed
    with the first window of every run), and one wineserver kept alive for the whole series, so
    that each run times the program and not the start of a server. Close the prefix after."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--tools", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--runs", type=int, default=25)
    args = parser.parse_args()
    env = WinePrefix(args.work, args.tools)
    env.create(virtual_desktop=False)
    subprocess.run(["wineserver", "-k"], env=env.env, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-p"], env=env.env, stderr=subprocess.DEVNULL)
    return args, env
