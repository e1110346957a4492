"""The window's state at start, as a launcher or the settings file asks for it, on a desktop
without a window manager (Wine's own windows on a bare X server, no virtual desktop): there,
Wine takes back a maximize that comes after the window was shown normal. Each start is read
from outside at once and again after its first messages have run.

A window's normal rectangle cannot be read from another process under Wine (it reports the
current rectangle), so the cases read it the way the program keeps it: in the settings file
written at the close, and as the rectangle a restore brings back."""

import pathlib
import time

import pytest

from harness import EXE, EndToEnd, Run, close_window, expect, placed
from conftest import machine
from wine_env import WinePrefix

SW_SHOWMAXIMIZED, SW_SHOWMINNOACTIVE = 3, 7
WM_SYSCOMMAND, SC_RESTORE = 0x0112, 0xF120
pytestmark = [pytest.mark.window, pytest.mark.settings]
SAVE_STATUS = "[MODE]\nSaveStatus=1\n"
SHOW_CMD = {"normal": "1", "minimized": "2", "maximized": "3"}


@pytest.fixture(scope="module")
def desk(request):
    options = request.config.option
    env = WinePrefix(pathlib.Path(options.work).parent / (pathlib.Path(options.work).name + "-bare-desktop"),
                     options.tools, **machine(options))
    env.create(virtual_desktop=False)
    run = EndToEnd(env, pathlib.Path(options.exe))
    run.install()
    yield run
    env.close()


def default_rect(env):
    """The defaults on a 1280 x 1024 work area: Left (1280 - window height) / 2, Top 1024 / 3,
    Right Left + Top, Bottom 2 Top, then grown to the window's minimum size (280 x 280 at 96 DPI,
    scaled like the window)."""
    size = env.scaled(280)
    left, top = (1280 - size) // 2, 1024 // 3
    side = max(top, size)
    return [str(left), str(top), str(left + side), str(top + side)]


def values(t, path, section):
    """The keys of one section of the settings file as the close wrote them."""
    found, inside = {}, False
    for line in t.settings_text(path).split("\r\n"):
        if line.startswith("["):
            inside = line == f"[{section}]"
        elif inside and "=" in line:
            key, _, value = line.partition("=")
            found[key] = value
    return found


def state_now_and_later(t, window):
    """showCmd and state at once, and again once the first messages have run."""
    readings = []
    for delay in (0, 1.5):
        time.sleep(delay)
        fields = t.driver("placement", window).split()
        readings.append((fields[0], fields[1], fields[2]))
    return readings


def start(t, settings, show=None):
    path = t.write_settings(settings)
    run = Run(t.env, f'"{EXE}"', show=show)
    return path, run, t.wait_window("Velmora", "TForm1")


@pytest.mark.parametrize("settings, show, state, written", [
    (SAVE_STATUS, SW_SHOWMAXIMIZED, "maximized", "2"),
    ("[POSITION]\nState=2\n" + SAVE_STATUS, None, "maximized", "2"),
    ("[POSITION]\nState=2\n" + SAVE_STATUS, SW_SHOWMAXIMIZED, "maximized", "2"),
    ("[POSITION]\nState=0\n" + SAVE_STATUS, SW_SHOWMAXIMIZED, "maximized", "2"),
    ("[POSITION]\nState=1\n" + SAVE_STATUS, None, "minimized", "1"),
    # A minimized launch only records the state: the window shows as restored.
    (SAVE_STATUS, SW_SHOWMINNOACTIVE, "normal", "1"),
], ids=["launcher-max", "file-max", "launcher-and-file-max", "launcher-max-over-file-normal", "file-min",
        "launcher-min-records"])
def test_the_start_state_holds_and_the_close_keeps_it(desk, settings, show, state, written):
    path, run, window = start(desk, settings, show)
    readings = state_now_and_later(desk, window)
    close_window(desk, run, window)
    for reading in readings:
        expect(reading == (SHOW_CMD[state], state, "visible"), f"placements read {readings}")
    position = values(desk, path, "POSITION")
    expect(position.get("State") == written, f"written {position}")
    rect = [position.get(key) for key in ("Left", "Top", "Right", "Bottom")]
    expect(rect == default_rect(desk.env), f"the normal rectangle written is {rect}, not the defaults")


# On the virtual desktop, which takes a restore as a window manager would: the restored window
# goes back to the rectangle of the file, not to the maximized one.
def test_a_maximized_start_restores_to_the_rectangle_of_the_file(t):
    _, run, window = start(t, "[POSITION]\nLeft=100\nTop=120\nRight=520\nBottom=540\n", SW_SHOWMAXIMIZED)
    try:
        expect(state_now_and_later(t, window)[-1][1] == "maximized", "not maximized")
        t.driver("send", window, str(WM_SYSCOMMAND), str(SC_RESTORE), "0")
        time.sleep(0.5)
        rect = t.driver("rect", window).split()
        expect(rect == placed(t.env, 100, 120, 520, 540) + ["normal"], f"restored to {rect}")
    finally:
        close_window(t, run, window)
