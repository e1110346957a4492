"""What a copy of Velmora started from the Downloads folder does with the libraries a stranger
left beside it there: it loads none of them. Wine would prefer them only when told to (a native
before builtin order), so the case tells it, and first shows with the driver that a careless
LoadLibraryW of that folder does run them."""

import shutil

from harness import Run, close_window, expect
from web import FOLDER, HOST, PAGE, page_on_disk, serve, take_in_through_open_dialog, wait_box

DOWNLOADS = r"C:\Downloads"
# version.dll too would be a classic: Velmora binds it on first use from the system folder, and
# its imports are all known system libraries, which Windows never looks for beside an exe. Wine's
# own user32 imports version.dll and finds it beside the exe before the program runs at all, so
# it cannot be planted here.
PLANTED = ("wininet.dll", "msimg32.dll")


def test_libraries_left_beside_the_exe_are_never_loaded(t):
    folder = t.env.drive_c("Downloads")
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir()
    shutil.copy2(t.exe, folder / "Velmora.exe")
    shutil.copy2(t.env.tools / "driver.exe", folder / "driver.exe")
    for name in PLANTED:
        shutil.copy2(t.env.tools / "planted.dll", folder / name)
    saved = t.env.env["WINEDLLOVERRIDES"]
    t.env.env["WINEDLLOVERRIDES"] = saved + ";" + ",".join(name[:-4] for name in PLANTED) + "=n,b"
    try:
        # The planted library and the load order do catch a search of the exe's folder.
        t.env.wine(DOWNLOADS + r"\driver.exe", "load", "wininet.dll")
        expect((folder / "wininet.dll.loaded").exists(), "the control load did not run the planted library")
        (folder / "wininet.dll.loaded").unlink()

        serve(t, {"/docs/page.html": (200, PAGE)})
        page_on_disk(t, "page.html", b"earlier copy")
        t.fresh_record()
        run = Run(t.env, f'"{DOWNLOADS}\\Velmora.exe"')
        window = t.wait_window("Velmora", "TForm1")
        take_in_through_open_dialog(t, window, FOLDER + r"\page.html")
        t.command(window, "ButtonResave")  # WinINet
        box, text = wait_box(t)
        expect(text.endswith("再保存しました"), f"the resave said {text!r}")
        t.driver("click", box, "1")
        t.command(window, "About1")  # the file version and the gradient
        about = t.wait_window("Velmora", "#32770")
        t.driver("send", about, "0x0111", "2", "0")
        close_window(t, run, window)
        loaded = sorted(path.name for path in folder.glob("*.loaded"))
        expect(loaded == [], f"Velmora ran the libraries left beside it: {loaded}")
        expect(HOST in (t.env.recorded(1) or [""])[0], "the page was not taken in")
    finally:
        t.env.env["WINEDLLOVERRIDES"] = saved
        shutil.rmtree(folder, ignore_errors=True)
