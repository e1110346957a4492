"""The window's shortcut keys typed as a user types them: real key presses with the modifier
held, not the commands they stand for."""

import time

from harness import close_window, expect, start_window, statics, wait_box_saying

VK_RETURN = 0x0D
VK_F1 = 0x70
IDCANCEL = 2
IDOK = 1


def test_f1_and_ctrl_enter_typed_into_the_window(t):
    run, window = start_window(t)
    try:
        t.driver("input", window, str(VK_F1), "none")
        box = wait_box_saying(t, "HelpFile Not Found.\r\n\r\nVelmora.chm")
        t.driver("click", box, str(IDOK))
        time.sleep(0.5)

        t.driver("input", window, str(VK_RETURN), "ctrl")
        about = t.wait_window("Velmora", "#32770")
        texts = statics(t, about)
        expect(any(text.startswith("Velmora V2.1 (") for text in texts), f"About texts {texts}")
        t.driver("send", about, "0x0111", str(IDCANCEL), "0")
    finally:
        close_window(t, run, window)
