"""Without any printer (Kestrel runs with a CUPS server that does not
exist, so Wine finds no queue, and no Printer key is stored), Print on a
captured image says "Printer or printer driver is not available." and
nothing else happens: no print sheet, no progress dialog."""

import sys

import e2e

ID_FILE_PRINT = 57607


def main():
    settings = dict(e2e.QUIET_SETTINGS, ScreenPage="0,0,64,48,0,10", SendtoPage="0,1,0,0,0,0,0,5,5")
    with e2e.Scenario("print_no_printer", 1024, 768, settings) as s:
        s.env["CUPS_SERVER"] = "/nonexistent/cups.sock"
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        s.driver("send", s.frame, e2e.WM_USER + 1, 1, 0)
        s.driver("wait-child", s.frame, "Screen Capture", 30000)

        s.driver("post", s.frame, e2e.WM_COMMAND, ID_FILE_PRINT, 0)
        text = s.message_box_text()
        e2e.check(text == "Printer or printer driver is not available.", f"the message is {text!r}")
        for title in ("dialog:Kestrel Print", "dialog:Kestrel"):
            e2e.check(s.driver("count", title).strip() == "0", f"a window {title} is still open")
    return 0


if __name__ == "__main__":
    sys.exit(main())
