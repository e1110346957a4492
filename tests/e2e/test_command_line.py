"""Command-line mode and the bare window: what a Send to user and a first start see."""

import shutil
import subprocess
import time

from harness import EXE, SYSTEM_DLLS, Run, expect, statics

KNOWN_DLLS = {"gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll", "shell32.dll", "user32.dll", "advapi32.dll",
              "comdlg32.dll", "oleaut32.dll", "shlwapi.dll", "imm32.dll", "combase.dll"}
SEVERAL_FILES = "複数のファイルは受け取れません。先頭のファイルを処理します。"

def test_exe_is_self_contained(t):
    objdump = shutil.which("x86_64-w64-mingw32-objdump")
    expect(objdump, "x86_64-w64-mingw32-objdump is missing")
    dump = subprocess.run([objdump, "-p", str(t.exe)], stdout=subprocess.PIPE, check=True).stdout.decode()
    dlls = {line.split(":", 1)[1].strip().lower() for line in dump.splitlines() if "DLL Name:" in line}
    expect(dlls and dlls <= SYSTEM_DLLS, f"Velmora.exe needs DLLs beside it: {sorted(dlls - SYSTEM_DLLS)}")
    # Only libraries Windows loads from the system folder whatever lies beside the exe (its
    # KnownDLLs); every other one is bound on first use, from the system folder.
    expect(dlls <= KNOWN_DLLS, f"imports Windows would look for beside the exe: {sorted(dlls - KNOWN_DLLS)}")
    expect("subsystem\t\t00000002" in dump.lower() or "(Windows GUI)" in dump, "not a GUI-subsystem exe")

def test_one_argument_opens_the_url_without_a_window(t):
    t.fresh_record()
    settings_before = t.settings_snapshot()
    code, windows = Run(t.env, f'"{EXE}" C:\\Mirror\\www.example.com\\docs\\page.html').finish()
    expect(code == 0, f"exit code {code}")
    expect(windows == [], f"windows appeared: {windows}")
    urls = t.env.recorded(1)
    expect(urls == ["http://www.example.com/docs/page.html"], f"recorded {urls}")
    expect(t.settings_snapshot() == settings_before, f"settings changed: {t.settings_files()}")

def test_quoted_path_with_spaces_is_one_argument(t):
    t.fresh_record()
    code, windows = Run(t.env, f'"{EXE}" "C:\\My Mirror\\www.example.com\\a b.html"').finish()
    expect(code == 0 and windows == [], f"exit {code}, windows {windows}")
    urls = t.env.recorded(1)
    expect(urls == ["http://www.example.com/a b.html"], f"recorded {urls}")

def test_unquoted_path_shows_the_notice_first(t):
    t.fresh_record()
    run = Run(t.env, f'"{EXE}" C:\\My Mirror\\www.example.com\\a.html')
    box = t.wait_window("Velmora", "#32770")
    texts = statics(t, box)
    expect(SEVERAL_FILES in texts, f"notice texts {texts}")
    expect(t.env.recorded(1, timeout=1.0) == [], "the URL was opened before the notice was dismissed")
    t.env.screenshot(t.screens / "notice.png")
    t.driver("click", box, "1")
    code, windows = run.finish()
    expect(code == 0, f"exit code {code}")
    expect([w[0] for w in windows] == ["#32770"], f"windows {windows}")
    urls = t.env.recorded(1)
    expect(urls == ["http://"], f"recorded {urls}")

def test_shortcut_argument_opens_its_target(t):
    t.fresh_record()
    target = t.env.drive_c("Mirror Copies/www.example.com/docs/index.html")
    target.parent.mkdir(parents=True, exist_ok=True)
    target.write_text("<html></html>")
    t.env.drive_c("Links").mkdir(exist_ok=True)
    t.driver("mklink", r"C:\Links\Page.LNK", r"C:\Mirror Copies\www.example.com\docs\index.html")
    code, windows = Run(t.env, f'"{EXE}" C:\\Links\\Page.LNK').finish()
    expect(code == 0 and windows == [], f"exit {code}, windows {windows}")
    urls = t.env.recorded(1)
    expect(urls == ["http://www.example.com/docs/index.html"], f"recorded {urls}")

def test_no_argument_shows_the_window_until_it_is_closed(t):
    t.fresh_record()
    run = Run(t.env, f'"{EXE}"')
    window = t.wait_window("Velmora", "TForm1")
    time.sleep(0.5)
    t.env.screenshot(t.screens / "main-window.png")
    t.driver("close", window)
    code, windows = run.finish()
    expect(code == 0, f"exit code {code}")
    expect(["TForm1", "Velmora"] in windows, f"windows {windows}")
    expect(t.env.recorded(0, timeout=0) == [], "a URL was opened")
