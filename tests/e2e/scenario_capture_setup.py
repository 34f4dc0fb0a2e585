"""The Capture Setup sheet driven by clicks and keys. On the Send To page,
Clipboard ticked and Kestrel Window unticked: after OK the next Ctrl+1 puts
the screen on the clipboard and opens no window, and every page's key is
written in its documented value order (a hand-edited margin of 5000 comes
back as 1200). An area typed on the Screen page is used by the next Screen
capture, the sheet reopens on the page last confirmed, Cancel after changes
writes nothing, and Full Screen then OK gives the whole screen again.
Background running mode and OK says so and hides the main window."""

import os
import sys
import time

from PIL import Image

import e2e

SHEET = "dialog:Capture Setup"
OK, CANCEL = 1, 2
SEND_WINDOW, SEND_CLIPBOARD = 1750, 1751
AREA = (1802, 1803, 1804, 1805)  # left, top, right, bottom
FULL_SCREEN, SCREEN_COUNTDOWN = 1806, 1807
RUNNING_MODE_PAGE, RUN_IN_BACKGROUND = 7, 1764


def clipboard_size(s, name):
    """The size of the clipboard's image, or None when it holds none."""
    path = os.path.join(s.out, name)
    s.driver("clipboard", path, check=False)
    if s.last_returncode != 0:
        return None
    with Image.open(path) as image:
        return image.size


def open_sheet(s):
    s.driver("activate", s.frame)
    return "hwnd:" + s.options_command("c", SHEET)


def press(s, sheet, button):
    s.driver("click-child", sheet, button)
    s.driver("wait-gone", sheet, 10000)


def type_number(s, sheet, control, value):
    s.driver("click-child", sheet, control)
    s.driver("keys", "home", "shift+end")
    s.driver("type", str(value))


def main():
    settings = dict(e2e.QUIET_SETTINGS, SendtoPage="0,1,0,0,0,0,0,5000,5")
    with e2e.Scenario("capture_setup", 1024, 768, settings) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")

        sheet = open_sheet(s)
        s.driver("click-child", sheet, SEND_CLIPBOARD)
        s.driver("click-child", sheet, SEND_WINDOW)
        press(s, sheet, OK)
        expected = {
            "SendtoPage": "0,0,1,0,0,0,0,1200,5",
            "CapturePage": e2e.QUIET_SETTINGS["CapturePage"],
            "ScreenPage": "0,0,1024,768,0,10",
            "WindowPage": "0,1,1,1,1,0,10",
            "RegionPage": "1,1,0",
            "TitleMenuPage": "0,0,1,1,1",
            "FreehandPage": "1,1,0",
            "Mode": e2e.QUIET_SETTINGS["Mode"],
        }
        stored = s.stored_settings()
        for key, value in expected.items():
            e2e.check(stored.get(key) == value, f"{key} is {stored.get(key)}, not {value}")

        notepad = s.start_notepad()
        s.driver("move", notepad, 300, 250)
        s.driver("keys", "ctrl+1")
        s.wait_for("the screen on the clipboard", lambda: clipboard_size(s, "screen.bmp") == (1024, 768), timeout=20)
        time.sleep(1.0)
        e2e.check(s.children() == [], f"image windows are {s.children()}")

        # The Screen page, two pages on: an area of 100x50.
        sheet = open_sheet(s)
        s.driver("click-tab", sheet, 2)
        s.wait_for("the Screen page", lambda: s.driver("child-state", sheet, SCREEN_COUNTDOWN, check=False), timeout=10)
        for control, value in zip(AREA, (10, 20, 110, 70)):
            type_number(s, sheet, control, value)
        press(s, sheet, OK)
        stored = s.stored_settings()
        e2e.check(stored.get("ScreenPage") == "10,20,110,70,0,10", f"ScreenPage is {stored.get('ScreenPage')}")
        e2e.check(stored.get("SendtoPage") == "2,0,1,0,0,0,0,1200,5", f"SendtoPage is {stored.get('SendtoPage')}")
        s.driver("activate", notepad)
        s.driver("keys", "ctrl+1")
        s.wait_for("the area on the clipboard", lambda: clipboard_size(s, "area.bmp") == (100, 50), timeout=20)

        # Reopened on the Screen page; Cancel after changes writes nothing.
        with open(os.path.join(s.windows_dir(), "KESTREL.INI"), "rb") as ini:
            before = ini.read()
        sheet = open_sheet(s)
        s.wait_for("the sheet on the Screen page",
                   lambda: s.driver("child-state", sheet, SCREEN_COUNTDOWN, check=False), timeout=10)
        type_number(s, sheet, AREA[0], 50)
        s.driver("click-child", sheet, SCREEN_COUNTDOWN)
        press(s, sheet, CANCEL)
        with open(os.path.join(s.windows_dir(), "KESTREL.INI"), "rb") as ini:
            e2e.check(ini.read() == before, "Cancel changed KESTREL.INI")

        # Full Screen fills in the screen size; the next capture is whole.
        sheet = open_sheet(s)
        s.driver("click-child", sheet, FULL_SCREEN)
        e2e.check(s.driver("child-text", sheet, AREA[2]).strip() == "1024", "Full Screen did not set Right")
        press(s, sheet, OK)
        s.driver("activate", notepad)
        s.driver("keys", "ctrl+1")
        s.wait_for("the whole screen on the clipboard",
                   lambda: clipboard_size(s, "whole.bmp") == (1024, 768), timeout=20)

        sheet = open_sheet(s)
        s.driver("click-tab", sheet, RUNNING_MODE_PAGE)
        s.driver("click-child", sheet, RUN_IN_BACKGROUND)
        s.driver("click-child", sheet, OK)
        text = s.message_box_text()
        e2e.check(text == "Kestrel will run in the background.", f"the running-mode message is {text!r}")
        s.wait_for("the main window to be hidden", lambda: s.state()[0] == "hidden", timeout=10)
        stored = s.stored_settings()
        e2e.check(stored.get("Mode") == "0,0,0", f"Mode is {stored.get('Mode')}")
        e2e.check(stored.get("SendtoPage", "").startswith("7,"), f"SendtoPage is {stored.get('SendtoPage')}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
