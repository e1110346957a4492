"""The release zip as a user meets it: unzipped into C:\\Program Files\\Velmora\\ of a fresh prefix
(a folder with a space in its path), started from there in both modes, and F1 handing the
Velmora.chm of that folder to the shell."""

import pathlib
import time
import zipfile

import pytest

from harness import EndToEnd, Run, close_window, expect, no_box_for
from conftest import machine
from wine_env import WinePrefix

FOLDER = r"C:\Program Files\Velmora"
EXE = FOLDER + r"\Velmora.exe"
VK_F1 = 0x70


@pytest.fixture(scope="module")
def user(request):
    options = request.config.option
    env = WinePrefix(pathlib.Path(options.work).parent / (pathlib.Path(options.work).name + "-package"),
                     options.tools, **machine(options))
    env.create()
    recorder = env.windows_path(env.tools / "recorder.exe")
    env.reg_add(r"HKCR\.chm", "", "Velmora.TestHelp")
    env.reg_add(r"HKCR\Velmora.TestHelp\shell\open\command", "", f'"{recorder}" "%1"')
    with zipfile.ZipFile(options.package) as archive:
        names = archive.namelist()
        archive.extractall(env.drive_c("Program Files/Velmora"))
    run = EndToEnd(env, env.drive_c("Program Files/Velmora/Velmora.exe"))
    run.names = names
    run.screens = pathlib.Path(options.work) / "screens"
    yield run
    env.close()


def test_the_zip_holds_the_program_its_manual_a_read_me_and_the_licence(user):
    expect(user.names == ["Velmora.exe", "Velmora.chm", "Readme.txt", "LICENSE.txt"], f"entries {user.names}")
    readme = user.env.drive_c("Program Files/Velmora/Readme.txt").read_bytes()
    expect(readme.startswith(b"\xef\xbb\xbf") and b"\r\n" in readme and b"\n" not in readme.replace(b"\r\n", b""),
           "the read-me is not UTF-8 with CR LF line ends")
    text = readme.decode("utf-8-sig")
    expect("送る" in text and "Send to" in text, "the read-me does not explain Send to in both languages")


def test_the_unzipped_program_converts_a_path_from_the_command_line(user):
    code, windows = Run(user.env, f'"{EXE}" C:\\Mirror\\www.example.com\\docs\\page.html').finish()
    expect(code == 0 and windows == [], f"exit {code}, windows {windows}")
    urls = user.env.recorded(1)
    expect(urls == ["http://www.example.com/docs/page.html"], f"recorded {urls}")


def test_f1_in_the_unzipped_program_opens_the_manual_beside_it(user):
    if user.env.record.exists():
        user.env.record.unlink()
    run = Run(user.env, f'"{EXE}"')
    window = user.wait_window("Velmora", "TForm1")
    try:
        time.sleep(0.5)
        user.env.screenshot(user.screens / "package-window.png")
        user.driver("input", window, str(VK_F1), "none")
        opened = user.env.recorded(1)
        expect(opened == [FOLDER + r"\Velmora.chm"], f"recorded {opened}")
        no_box_for(user, 0.5)
    finally:
        close_window(user, run, window)
