"""The Kestrel Clock and Snapshot Button Setup dialogs, opened from the
Options menu by keys. The clock dialog's time-format controls follow the
Time box, its date-format controls the Date box, AM/PM and Upper Case the
12-hour choice; its sample ticks while the time is on and stands still
("Clock is off.") when time and date are off; OK writes the key Clock,
Cancel writes nothing. The snapshot dialog's boxes act at once: the strip
on the dialog's own caption changes with them; Cancel leaves KESTREL.INI as
it was and puts the buttons back; OK writes SnapshotButton and
ButtonColors."""

import os
import sys
import time

import e2e

CLOCK = "dialog:Kestrel Clock"
SNAPSHOT = "dialog:Snapshot Button Setup"


def options_command(s, mnemonic, dialog):
    s.driver("activate", s.frame)
    s.wait_for("Kestrel in the foreground", lambda: s.frame[5:] in s.driver("foreground"), timeout=10)
    s.driver("keys", "alt+o", mnemonic)
    return "hwnd:" + s.driver("wait-window", dialog, 20000).strip()


def ini_keys(s):
    with open(os.path.join(s.windows_dir(), "KESTREL.INI"), errors="replace") as ini:
        return dict(line.strip().split("=", 1) for line in ini if "=" in line)


def button(s, dialog, control):
    return s.driver("child-state", dialog, control).split()


def click(s, dialog, control):
    s.driver("click-control", dialog, control)


def wait_state(s, dialog, control, wanted):
    s.wait_for(f"control {control} to be {wanted}", lambda: button(s, dialog, control) == wanted, timeout=10)


def sample(s, dialog):
    l, t, r, b = map(int, s.driver("child-rect", dialog, 1460).split())
    return s.grab_image("sample.bmp").crop((l, t, r, b)).tobytes()


def clock_dialog(s):
    dialog = options_command(s, "k", CLOCK)
    # From the settings: time on, 12 Hour, AM/PM on; date off.
    e2e.check(button(s, dialog, 1461) == ["checked", "enabled"], "Time is not ticked")
    e2e.check(button(s, dialog, 1466) == ["checked", "enabled"], "AM/PM is not ticked and enabled")
    e2e.check(button(s, dialog, 1469)[1] == "disabled", "MDY is enabled with the date off")
    first = sample(s, dialog)
    s.wait_for("the sample to tick", lambda: sample(s, dialog) != first, timeout=5, interval=0.3)

    click(s, dialog, 1462)  # Date on
    wait_state(s, dialog, 1469, ["checked", "enabled"])
    click(s, dialog, 1464)  # 24 Hour: no AM/PM, no Upper Case
    wait_state(s, dialog, 1466, ["checked", "disabled"])
    e2e.check(button(s, dialog, 1467)[1] == "disabled", "Upper Case is enabled in 24-hour format")
    click(s, dialog, 1470)  # DMY
    wait_state(s, dialog, 1470, ["checked", "enabled"])

    # Time and date off: "Clock is off." stands still.
    click(s, dialog, 1461)
    click(s, dialog, 1462)
    wait_state(s, dialog, 1465, ["checked", "disabled"])
    time.sleep(0.3)
    still = sample(s, dialog)
    time.sleep(1.5)
    e2e.check(sample(s, dialog) == still, "the sample changes with time and date off")
    click(s, dialog, 1461)
    click(s, dialog, 1462)
    wait_state(s, dialog, 1465, ["checked", "enabled"])

    click(s, dialog, 1)  # OK
    s.driver("wait-gone", dialog, 10000)
    e2e.check(ini_keys(s).get("Clock") == "1,1,1,1,1,1,0,1,0,0,16777215",
              f"Clock was written as {ini_keys(s).get('Clock')}")

    # Default and Cancel: nothing is written.
    dialog = options_command(s, "k", CLOCK)
    click(s, dialog, 1480)
    wait_state(s, dialog, 1462, ["unchecked", "enabled"])
    click(s, dialog, 2)
    s.driver("wait-gone", dialog, 10000)
    e2e.check(ini_keys(s).get("Clock") == "1,1,1,1,1,1,0,1,0,0,16777215", "Cancel wrote the key Clock")


def snapshot_dialog(s):
    from PIL import ImageChops
    original = ini_keys(s)
    dialog = options_command(s, "s", SNAPSHOT)
    e2e.check(button(s, dialog, 1710)[0] == "unchecked", "the Screen button is ticked")
    time.sleep(0.5)
    plain = s.grab_image("dialog-plain.bmp", dialog).crop((0, 0, 10000, 30))

    def caption_changed():
        now = s.grab_image("dialog-strip.bmp", dialog).crop((0, 0, 10000, 30))
        return ImageChops.difference(now, plain).getbbox()
    click(s, dialog, 1710)  # Screen on: the strip appears on the dialog's caption
    s.wait_for("the strip on the dialog's caption", caption_changed, timeout=10)
    click(s, dialog, 2)  # Cancel
    s.driver("wait-gone", dialog, 10000)
    e2e.check(ini_keys(s) == original, "Cancel changed KESTREL.INI")

    dialog = options_command(s, "s", SNAPSHOT)
    e2e.check(button(s, dialog, 1710)[0] == "unchecked", "Cancel did not put the Screen button back")
    click(s, dialog, 1710)
    click(s, dialog, 1712)
    wait_state(s, dialog, 1712, ["checked", "enabled"])
    click(s, dialog, 1)  # OK
    s.driver("wait-gone", dialog, 10000)
    keys = ini_keys(s)
    e2e.check(keys.get("SnapshotButton") == "1,0,1,0,0,0", f"SnapshotButton was written as {keys.get('SnapshotButton')}")
    e2e.check(keys.get("ButtonColors", "").isdigit(), f"ButtonColors was written as {keys.get('ButtonColors')}")


def main():
    settings = dict(e2e.QUIET_SETTINGS, Clock="1,0,1,0,1,1,0,0,0,0,16777215")
    with e2e.Scenario("title_dialogs", 1024, 768, settings) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        clock_dialog(s)
        snapshot_dialog(s)
    return 0


if __name__ == "__main__":
    sys.exit(main())
