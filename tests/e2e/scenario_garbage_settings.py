"""A settings file full of garbage (binary bytes, 10 000-character lines,
negative, huge and overflowing numbers, a font face far beyond 31
characters, key indexes outside the hotkey table, HotButton codes outside
the capture codes) starts Kestrel without a crash, those triggers start
nothing, and Ctrl+1 typed into another program still captures, with the
stored screen area taken as it is.

A second start with a screen area far beyond any bitmap must not crash
either: Ctrl+1 then reports "Insufficient memory!" and Kestrel keeps
answering."""

import os
import random
import sys
import time

import e2e

WM_NULL = 0x0000
WM_CLOSE = 0x0010
WM_COMMAND = 0x0111
IDOK = 1


def garbage_file(screen_page):
    rng = random.Random(20261207)
    junk = bytes(rng.randrange(256) for _ in range(4000)).replace(b"\0", b"\1")
    lines = [
        b"; not a settings file",
        junk[:1500],
        b"[Kestrel]",
        b"Mode=1,0,0",
        b"Session=-1,99999999999,-2147483649,4294967296,-5,99999999999999999999",
        b"Menu=305419896",
        b"Format=-1,99999999,-99999999,2147483647",
        b"PathNameOpen=" + b"A" * 10000,
        b"PathNameSave=" + junk[1500:2500],
        b"PathNameDirect=" + b"\\" * 10000,
        b"FileNameOpen=" + b"%s%n%d" * 2000,
        b"FileNameDirect=" + b"9" * 10000,
        b"SendtoPage=-7,1,0,0,0,99,-3,99999999,-99999999",
        b"CapturePage=1,0,0,1,0,999,-2147483648",
        b"ScreenPage=" + screen_page,
        b"WindowPage=7,-1,99999999999,,,,,-2147483648,5",
        b"RegionPage=-1,-1,-1",
        b"FreehandPage=99999999999,99999999999,99999999999",
        b"TitleMenuPage=,,,,,,,,,,,,,,,,,,,",
        b"BlackWhite=" + b",".join(str(v).encode() for v in
                                   [-1, 256, 99999, -99999, 2147483647, -2147483648, 7, 8, 9, 10, 11, 12, 13, 14,
                                    15, 16, 17, 18]),
        b"Frame=-99999999,99999999,-1,99999999999",
        b"Clock=1,1,0,7,-1,99,3,-9,42,7,-1",
        b"HotButton=-1,99,2147483647,-2147483648,8",
        b"NormalKey=17,-5,99999,2147483647,-2147483648,100,101",
        b"SystemKey1=0,0,1,0",
        b"SystemKey2=-1,5,999999999999,-7",
        b"SystemKey3=" + b"1," * 5000,
        b"PrintPage=" + b",".join(b"-99999999" for _ in range(13)),
        b"HeaderLeft=" + b"$filename$printtime$printdate$res" * 300,
        b"FooterLeft=" + junk[2500:3500],
        b"NoteFont=99999999,-99999999,1,2,3,4,5,6,7,8,9,10,11," + b"F" * 10000,
        b"HeaderFont=,,,,,,,,,,,,,",
        b"FooterFont=-1",
        b"PrintTimeDate=" + b",".join(b"2147483647" for _ in range(10)),
        b"Printer=" + b"," * 5000 + b"x" * 5000,
        b"SnapshotButton=0,0,0,0,0,0",
        b"ButtonColors=-99999999999",
        b"Z" * 10000,
        b"=" + junk[3500:],
    ]
    return b"\r\n".join(lines) + b"\r\n"


def start_with(s, contents):
    with open(os.path.join(s.windows_dir(), "KESTREL.INI"), "wb") as ini:
        ini.write(contents)
    proc = s.start_kestrel()
    s.wait_main_window()
    s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
    return proc


def answering(s, proc):
    """Kestrel runs and its frame handles a message."""
    return proc.poll() is None and s.driver("send", s.frame, WM_NULL, 0, 0, 5000, check=False) != "" \
        and s.last_returncode == 0


def main():
    with e2e.Scenario("garbage_settings", 1024, 768) as s:
        proc = start_with(s, garbage_file(b"-30,-40,50,60,0,-7"))
        notepad = s.start_notepad()
        # HotButton codes out of range (a middle double click is code
        # 2147483647) and hotkeys whose key index lies outside the key table
        # start nothing, and leave Ctrl+1 working.
        left, top, right, bottom = map(int, s.driver("rect", notepad).split())
        x, y = (left + right) // 2, (top + bottom) // 2
        s.driver("mouse", x, y, "mclick")
        s.driver("mouse", x, y, "mclick")
        s.driver("keys", "ctrl+2", "ctrl+3")
        time.sleep(1.0)
        e2e.check(s.children() == [] and answering(s, proc), "out-of-range triggers did something")
        s.driver("keys", "ctrl+1")
        s.driver("wait-child", s.frame, "Screen Capture", 30000)
        panes = s.wait_for("the status bar to describe the capture",
                           lambda: (lambda p: p if len(p) == 5 and p[4] == "001" else None)(s.status_panes()),
                           timeout=10)
        e2e.check(panes[1] == "80w x 100h", f"the capture of the area -30,-40,50,60 is {panes[1]!r}")
        e2e.check(answering(s, proc), "Kestrel stopped answering after the capture")

        # Again, with a screen area of ten thousand million pixels: no
        # bitmap can hold it, and Ctrl+1 reports that instead of crashing.
        s.driver("post", s.frame, WM_CLOSE, 0, 0)
        e2e.check(proc.wait(timeout=20) is not None, "Kestrel did not end")
        proc = start_with(s, garbage_file(b"-50000,-50000,50000,50000,0,10"))
        s.start_notepad()
        s.driver("keys", "ctrl+1")
        box = s.driver("wait-window", "dialog:Kestrel", 20000, check=False).strip()
        e2e.check(box != "", f"no message after Ctrl+1 with a huge screen area; image windows {s.children()}")
        e2e.check("Insufficient memory!" in s.driver("texts", "hwnd:" + box),
                  "the message after Ctrl+1 with a huge screen area is not \"Insufficient memory!\"")
        s.screenshot(os.path.join(s.out, "message.png"))
        s.driver("post", "hwnd:" + box, WM_COMMAND, IDOK, 0)
        s.driver("wait-gone", "dialog:Kestrel", 10000)
        e2e.check(s.children() == [], f"image windows after the failed capture: {s.children()}")
        e2e.check(answering(s, proc), "Kestrel stopped answering after Ctrl+1 with a huge screen area")
    return 0


if __name__ == "__main__":
    sys.exit(main())
