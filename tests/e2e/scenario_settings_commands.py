"""The Options menu's settings commands, driven by keys like a user would:
Save Settings copies KESTREL.INI byte for byte to the file named in the
"Save As" dialog, under exactly the name typed; Load Settings copies the file chosen in the "Open" dialog
byte for byte over KESTREL.INI and the next capture follows it; Master
Reset deletes KESTREL.INI, and the next capture behaves as with no settings
file (Ctrl+1 again, the whole screen, into a window only)."""

import os
import sys
import time

import e2e

# Settings with a screen area of 100x50, the clipboard as a second
# destination and Ctrl+Q (key table index 38) as the Screen hotkey, written
# with comments, blanks and odd case so that a copy that is not byte for
# byte shows.
LOADED = (b"; settings to load\r\n[Kestrel]\r\nMode=1,0,0\r\n"
          b"Clock=0,0,1,0,1,1,0,0,0,0,16777215\r\nSnapshotButton=0,0,0,0,0,0\r\n"
          b"CapturePage=1,0,0,1,0,0,0\r\nscreenpage = 10,20,110,70,0,10\r\n"
          b"SendtoPage=0,1,1,0,0,0,0,5,5\r\nNormalKey=38,18,19,20,21,22,23\r\n"
          b"\r\n[Other]\r\nKey=\xff\xfevalue\r\n")


def clipboard_image(s, path):
    s.driver("clipboard", path, check=False)
    return s.last_returncode == 0


def choose_file(s, dialog, windows_path):
    """Types a path into the common file dialog's name field and presses Enter."""
    s.wait_for(f"the {dialog} dialog in the foreground",
               lambda: s.driver("foreground").split("\t")[-1].strip() == dialog[len("dialog:"):], timeout=10)
    s.driver("type", windows_path)
    s.driver("keys", "return")
    s.driver("wait-gone", dialog, 20000)


def capture(s, count, hotkey, size, failure):
    """A Screen capture by the hotkey (typed into Kestrel itself) that must
    open image window number count and show size in the status bar. The
    panes follow the newly active window at the next idle moment, so the
    size is waited for, not read once."""
    s.driver("keys", hotkey)
    s.wait_for(f"image window {count}", lambda: len(s.children()) == count, timeout=20)
    wanted = [size, f"{count:03d}"]
    try:
        s.wait_for("the status bar to describe the capture",
                   lambda: (lambda p: len(p) == 5 and [p[1], p[4]] == wanted)(s.status_panes()), timeout=10)
    except e2e.ScenarioFailure:
        raise e2e.ScenarioFailure(f"{failure}: the status panes show {s.status_panes()}")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def main():
    with e2e.Scenario("settings_commands", 1024, 768, e2e.QUIET_SETTINGS) as s:
        ini = os.path.join(s.windows_dir(), "KESTREL.INI")
        drive_c = os.path.join(s.prefix, "drive_c")
        with open(os.path.join(drive_c, "load.ini"), "wb") as f:
            f.write(LOADED)
        original = read(ini)

        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")

        # Save Settings: the file on disk, byte for byte, under exactly the
        # name typed (no extension is added).
        s.options_command("v", "dialog:Save As")
        choose_file(s, "dialog:Save As", "C:\\saved")
        saved = os.path.join(drive_c, "saved")
        s.wait_for("C:\\saved", lambda: os.path.exists(saved), timeout=10)
        e2e.check(not os.path.exists(saved + ".ini"), "Save Settings added an extension")
        e2e.check(read(saved) == original, "C:\\saved is not a byte-for-byte copy of KESTREL.INI")

        # Load Settings: load.ini over KESTREL.INI, and read at once.
        s.options_command("l", "dialog:Open")
        choose_file(s, "dialog:Open", "C:\\load.ini")
        s.wait_for("KESTREL.INI to be replaced", lambda: read(ini) == LOADED, timeout=10)
        s.driver("keys", "ctrl+1")
        time.sleep(1.0)
        e2e.check(s.children() == [], "Ctrl+1 still captures after Load Settings moved the hotkey")
        capture(s, 1, "ctrl+q", "100w x 50h", "the capture after Load Settings ignores the loaded area")
        e2e.check(clipboard_image(s, os.path.join(s.out, "loaded.bmp")),
                  "the capture after Load Settings did not reach the clipboard")

        # Master Reset: the file goes, and the defaults rule.
        box = s.options_command("m", "dialog:Kestrel")
        e2e.check("Change all settings to original Kestrel defaults?" in s.driver("texts", "hwnd:" + box),
                  "the Master Reset box does not ask its question")
        s.driver("keys", "return")
        s.driver("wait-gone", "dialog:Kestrel", 10000)
        s.wait_for("KESTREL.INI to be deleted", lambda: not os.path.exists(ini), timeout=10)
        # The default destinations leave out the clipboard, so the picture
        # that the last capture put there must stay.
        on_clipboard = os.path.join(s.out, "on-clipboard.bmp")
        clipboard_image(s, on_clipboard)
        capture(s, 2, "ctrl+1", "1024w x 768h", "the capture after Master Reset is not the whole screen")
        time.sleep(0.5)
        after = os.path.join(s.out, "after-reset.bmp")
        e2e.check(clipboard_image(s, after) and e2e.compare_images(after, on_clipboard) is None,
                  "the capture after Master Reset went to the clipboard")
        e2e.check(not os.path.exists(ini), "KESTREL.INI was written again before exit")
    return 0


if __name__ == "__main__":
    sys.exit(main())
