"""HotKey Setup driven by clicks on its key caps. A hand-edited settings file
names no key for Region, so the first OK is refused until a key is chosen;
F1 is never taken. Alt+9 for Screen then opens "Screen Capture" from
another program at once and Ctrl+1 no longer does; NormalKey and SystemKey1
hold the new key and modifiers. Screen on Ctrl+1 with Window on Alt+1 is
refused as identical keys, Esc for Title & Menu as a menu-closing key, and
Default then OK gives back Ctrl+1 ... Ctrl+7."""

import sys
import time

import e2e

DIALOG = "dialog:HotKey Setup"
OK, CANCEL = 1, 2
SCREEN, WINDOW, TITLE_MENU = 1842, 1843, 1845
DEFAULT = 1849
ESC, F1, CTRL, ALT = 100, 101, 191, 192
# "Hot&Key Setup..." shares its mnemonic with the Kestrel Clock item above
# it, so the menu is walked up from its first item instead.
MENU_KEYS = ["up"] * 5 + ["return"]


def cap(digit):
    """The control id of the top row's digit key (key table 17 is "1")."""
    return 100 + 16 + digit


def main():
    settings = dict(e2e.QUIET_SETTINGS, NormalKey="17,18,150,20,21,22,23")
    with e2e.Scenario("hotkey_setup", 1024, 768, settings) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")

        dialog = "hwnd:" + s.options_command(MENU_KEYS, DIALOG)
        s.driver("click-child", dialog, F1)
        e2e.check("F1 is used for Help" in s.message_box_text(dialog), "no F1 message")
        # Screen (selected when the dialog opens): 9 with Alt instead of Ctrl.
        for control in (cap(9), CTRL, ALT):
            s.driver("click-child", dialog, control)
        s.driver("click-child", dialog, OK)
        e2e.check("needs a key" in s.message_box_text(dialog), "OK took a type without a key")
        # OK selected Region, the type without a key: give it 3.
        e2e.check(s.driver("child-state", dialog, 1844).startswith("checked"), "Region is not selected")
        s.driver("click-child", dialog, cap(3))
        s.driver("click-child", dialog, OK)
        s.driver("wait-gone", dialog, 10000)
        stored = s.stored_settings()
        e2e.check(stored.get("NormalKey") == "25,18,19,20,21,22,23", f"NormalKey is {stored.get('NormalKey')}")
        e2e.check(stored.get("SystemKey1") == "0,0,0,1", f"SystemKey1 is {stored.get('SystemKey1')}")

        s.start_notepad()
        s.driver("keys", "ctrl+1")
        time.sleep(1.0)
        e2e.check(s.children() == [], f"Ctrl+1 still captured: {s.children()}")
        s.driver("keys", "alt+9")
        s.driver("wait-child", s.frame, "Screen Capture", 30000)

        s.driver("activate", s.frame)
        dialog = "hwnd:" + s.options_command(MENU_KEYS, DIALOG)
        # Screen back on Ctrl+1, Window on Alt+1: refused, the modifiers differ.
        for control in (SCREEN, cap(1), CTRL, ALT, WINDOW, cap(1), CTRL, ALT):
            s.driver("click-child", dialog, control)
        s.driver("click-child", dialog, OK)
        text = s.message_box_text(dialog)
        e2e.check(text.startswith("Identical hotkey assignments:") and "Screen and Window captures." in text,
                  f"the identical-keys message is {text!r}")
        # Window on 2 again; Esc held for Title & Menu is refused.
        for control in (cap(2), TITLE_MENU, ESC):
            s.driver("click-child", dialog, control)
        s.driver("click-child", dialog, OK)
        e2e.check("Menu-Closing keys" in s.message_box_text(dialog), "Esc for Title & Menu was not refused")
        e2e.check(s.stored_settings() == stored, "a refused OK wrote settings")

        s.driver("click-child", dialog, DEFAULT)
        s.driver("click-child", dialog, OK)
        s.driver("wait-gone", dialog, 10000)
        stored = s.stored_settings()
        e2e.check(stored.get("NormalKey") == "17,18,19,20,21,22,23", f"NormalKey is {stored.get('NormalKey')}")
        for n in range(1, 8):
            e2e.check(stored.get(f"SystemKey{n}") == "0,0,1,0", f"SystemKey{n} is {stored.get(f'SystemKey{n}')}")
        s.driver("keys", "ctrl+1")
        s.wait_for("a second Screen Capture from Ctrl+1", lambda: len(s.children()) == 2, timeout=20)
    return 0


if __name__ == "__main__":
    sys.exit(main())
