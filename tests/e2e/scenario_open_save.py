"""File Open through the open dialog with its preview, and Save As in every
writable format with the note travelling beside the file (inside it for FST).

- Selecting a file shows the facts line with the comma-grouped byte count, the
  image size and the picture in the preview pane, drawn where the fitting
  square puts it.
- Cancelling after a preview leaves no image behind: a New command then opens
  no window.
- The Preview button narrows the dialog and widens it again.
- Selecting one file and typing another name opens the typed file.
- Each saved file reopens with the same pixels (JPG within its loss), the
  note typed into the notepad comes back, and files that Pillow reads hold
  the same picture for Pillow too.
- A name with an unknown extension gets "Unrecognized format." and no file.
- At exit the last folders, the last opened path and the filter indexes are
  in KESTREL.INI."""

import os
import sys
import time

import e2e

ID_FILE_NEW = 57600
ID_FILE_OPEN = 57601
ID_FILE_SAVE_AS = 57604
ID_VIEW_NOTEPAD = 32781
WM_CLOSE = 0x0010
NOTE = "Hello note"
FORMATS = ["bmp", "clp", "dib", "fst", "gif", "pcx", "png", "rle", "tif", "wpg", "jpg"]  # lossy JPG last
PILLOW_READS = {"bmp", "dib", "gif", "pcx", "png", "tif", "jpg"}


def make_pictures(folder):
    """An 8-bit picture (every writer takes 8 bits) and a second one."""
    from PIL import Image, ImageDraw
    picture = Image.new("RGB", (200, 100), (255, 0, 0))
    draw = ImageDraw.Draw(picture)
    draw.rectangle((0, 0, 99, 99), fill=(0, 0, 255))
    draw.rectangle((120, 20, 179, 79), fill=(255, 255, 0))
    for x in range(0, 200, 10):
        draw.line((x, 90, x + 4, 99), fill=(0, 128, 0))
    picture.quantize(colors=8).save(os.path.join(folder, "picture.bmp"))
    Image.new("RGB", (64, 48), (0, 160, 160)).save(os.path.join(folder, "teal.bmp"))


def rect(s, window, control):
    return [int(v) for v in s.driver("child-rect", window, control).split()]


def click_first_file(s, facts):
    """Clicks the first file of the list until the facts line names it (the
    list may still be filling when the dialog appears). A click in the list
    must never end the dialog."""
    left, top, _, _ = rect(s, "dialog:Open", "SysListView32")

    def clicked():
        # On the icon, not the name: a click on the name of a focused item
        # starts renaming it.
        s.driver("mouse", left + 9, top + 10, "click")
        for _ in range(6):
            time.sleep(0.5)
            shown = texts(s, "dialog:Open", check=False)
            e2e.check(shown is not None, "a click in the file list ended the Open dialog")
            if shown.get("1196") == facts:
                return True
        return False
    s.wait_for("the facts line of the clicked file", clicked, timeout=15, interval=0.5)


def type_file_name(s, dialog, name):
    """Replaces the file name field's text. The field is reached with its
    mnemonic, not a click: a key meant for it must never reach the file list,
    where Delete removes the selected file."""
    s.driver("wait-window", dialog, 20000)
    s.driver("keys", "alt+n", "end", "shift+home")
    s.driver("type", name)


def open_dialog(s):
    s.driver("post", s.frame, e2e.WM_COMMAND, ID_FILE_OPEN, 0)
    s.driver("wait-window", "dialog:Open", 20000)
    # Let the dialog fill its file list before the first click, as a person would.
    time.sleep(1.0)


def texts(s, window, check=True):
    """Control id -> text of the window's controls; None when the window is
    gone and check is off."""
    out = s.driver("texts", window, check=check)
    if s.last_returncode != 0:
        return None
    return dict(line.split("\t", 2)[0::2] for line in out.splitlines() if line.count("\t") == 2)


def open_typed(s, path):
    """Opens path through the open dialog; returns the new child's handle."""
    before = len(s.children())
    open_dialog(s)
    type_file_name(s, "dialog:Open", path)
    s.driver("keys", "return")
    s.driver("wait-gone", "dialog:Open", 20000)
    s.wait_for(f"a window for {path}", lambda: len(s.children()) > before)
    return s.driver("wait-child", s.frame, path, 20000).strip()


def copy_image(s, path):
    s.driver("send", s.frame, e2e.WM_COMMAND, e2e.ID_COPY_IMAGE, 0)
    s.driver("clipboard", path)
    return path


def mean_difference(path_a, path_b):
    from PIL import Image, ImageChops, ImageStat
    a = Image.open(path_a).convert("RGB")
    b = Image.open(path_b).convert("RGB")
    if a.size != b.size:
        return 255.0
    return max(ImageStat.Stat(ImageChops.difference(a, b)).mean)


def check_preview(s, picture):
    """The pane shows the picture fitted to the square: side = inner width - 4,
    a wide image at x = 3 with height h * side / w, centred vertically."""
    from PIL import Image
    left, top, right, bottom = rect(s, "dialog:Open", "1128")
    grab = os.path.join(s.out, "dialog.bmp")
    s.driver("grab", grab)
    screen = Image.open(grab).convert("RGB")
    side = (right - left) - 4
    height = 100 * side // 200
    y0 = top + (side - height) // 2 + 2
    x0 = left + 3
    source = Image.open(picture).convert("RGB")
    e2e.check(screen.getpixel((left + 1, top + 1)) == (255, 255, 255), "the preview pane is not white")
    for fx, fy in [(0.25, 0.5), (0.75, 0.5), (0.6, 0.4)]:
        expected = source.getpixel((int(fx * 200), int(fy * 100)))
        shown = screen.getpixel((x0 + int(fx * side), y0 + int(fy * height)))
        e2e.check(shown == expected, f"preview at {fx},{fy} shows {shown}, the picture {expected}")


def ini_keys(s):
    with open(os.path.join(s.windows_dir(), "KESTREL.INI"), errors="replace") as ini:
        return dict(line.strip().split("=", 1) for line in ini if "=" in line)


def dialog_width(s):
    left, _, right, _ = [int(v) for v in s.driver("rect", "dialog:Open").split()]
    return right - left


def main():
    settings = dict(e2e.QUIET_SETTINGS, PathNameOpen="C:\\pics", PathNameSave="C:\\out")
    with e2e.Scenario("open_save", 1024, 768, settings) as s:
        drive = os.path.join(s.prefix, "drive_c")
        pics, out = os.path.join(drive, "pics"), os.path.join(drive, "out")
        os.makedirs(pics)
        os.makedirs(out)
        make_pictures(pics)
        picture = os.path.join(pics, "picture.bmp")
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")

        # Preview, then Cancel: the previewed image must not open later.
        size = os.path.getsize(picture)
        expected_facts = f"Path:  C:\\pics\\picture.bmp   ({size:,} Bytes)"
        open_dialog(s)
        click_first_file(s, expected_facts)
        e2e.check(texts(s, "dialog:Open").get("1129") == "200w x 100h", "the size field is wrong")
        check_preview(s, picture)
        s.driver("keys", "esc")
        s.driver("wait-gone", "dialog:Open", 20000)
        s.driver("send", s.frame, e2e.WM_COMMAND, ID_FILE_NEW, 0)
        time.sleep(1.5)
        e2e.check(s.children() == [], f"a window opened after a cancelled preview: {s.children()}")

        # Preview one file, type another: the typed one opens.
        open_dialog(s)
        click_first_file(s, expected_facts)
        s.wait_for("the preview", lambda: texts(s, "dialog:Open").get("1129") == "200w x 100h")
        type_file_name(s, "dialog:Open", "teal.bmp")
        s.driver("keys", "return")
        s.driver("wait-child", s.frame, "C:\\pics\\teal.bmp", 20000)
        difference = e2e.compare_images(copy_image(s, os.path.join(s.out, "teal.bmp")), os.path.join(pics, "teal.bmp"))
        e2e.check(difference is None, f"the typed file did not open: {difference}")

        # Preview and open the selected file: the previewed image is adopted.
        before = len(s.children())
        open_dialog(s)
        click_first_file(s, expected_facts)
        s.wait_for("the preview", lambda: texts(s, "dialog:Open").get("1129") == "200w x 100h")
        s.driver("keys", "return")
        child = s.driver("wait-child", s.frame, "C:\\pics\\picture.bmp", 20000).strip()
        e2e.check(len(s.children()) == before + 1, "opening gave no new window")
        difference = e2e.compare_images(copy_image(s, os.path.join(s.out, "opened.bmp")), picture)
        e2e.check(difference is None, f"the opened picture differs: {difference}")

        # A note in the notepad.
        s.driver("send", s.frame, e2e.WM_COMMAND, ID_VIEW_NOTEPAD, 0)
        left, top, right, bottom = rect(s, "hwnd:" + child, "Edit")
        s.driver("mouse", (left + right) // 2, (top + bottom) // 2, "click")
        s.driver("type", NOTE)
        # Typed keys wait in the input queue behind posted commands: the
        # note must be complete before Save As is posted.
        s.wait_for("the typed note", lambda: s.driver("child-text", "hwnd:" + child, "Edit").rstrip("\r\n") == NOTE)

        # Unknown extension.
        s.driver("post", s.frame, e2e.WM_COMMAND, ID_FILE_SAVE_AS, 0)
        s.driver("wait-window", "dialog:Save As", 20000)
        type_file_name(s, "dialog:Save As", "C:\\out\\shot.xyz")
        s.driver("keys", "return")
        s.driver("wait-window", "dialog:Kestrel", 20000)
        e2e.check("Unrecognized format." in s.driver("texts", "dialog:Kestrel"), "no Unrecognized format. message")
        s.driver("keys", "return")
        s.driver("wait-gone", "dialog:Kestrel", 20000)
        e2e.check(not os.path.exists(os.path.join(out, "shot.xyz")), "shot.xyz was written")

        # Every format: save (from the window opened last), reopen, compare.
        for ext in FORMATS:
            name = f"C:\\out\\shot-{ext}.{ext}"
            saved = os.path.join(out, f"shot-{ext}.{ext}")
            s.driver("post", s.frame, e2e.WM_COMMAND, ID_FILE_SAVE_AS, 0)
            s.driver("wait-window", "dialog:Save As", 20000)
            type_file_name(s, "dialog:Save As", name)
            s.driver("keys", "return")
            s.driver("wait-gone", "dialog:Save As", 20000)
            s.wait_for(f"{name} to be written", lambda: os.path.exists(saved) and os.path.getsize(saved) > 0)
            s.driver("wait-child", s.frame, name, 20000)
            note_path = os.path.join(out, f"shot-{ext}.txt")
            if ext == "fst":
                e2e.check(not os.path.exists(note_path), "an FST save wrote a note beside the file")
                with open(saved, "rb") as f:
                    e2e.check(f.read().endswith(NOTE.encode()), "the FST file does not end with the note")
            else:
                s.wait_for(f"the note beside {name}", lambda: os.path.exists(note_path))
                with open(note_path, "rb") as f:
                    content = f.read()
                e2e.check(content == NOTE.encode() + b"\0", f"note beside {name} holds {content!r}")

            child = open_typed(s, name)
            copied = copy_image(s, os.path.join(s.out, f"reopened-{ext}.bmp"))
            if ext == "jpg":
                loss = mean_difference(copied, picture)
                e2e.check(loss < 12, f"the reopened JPG is far from the picture (mean difference {loss:.1f})")
            else:
                difference = e2e.compare_images(copied, picture)
                e2e.check(difference is None, f"{ext}: the reopened picture differs: {difference}")
            if ext in PILLOW_READS:
                loss = mean_difference(saved, picture)
                e2e.check(loss < (12 if ext == "jpg" else 0.001), f"{ext}: Pillow reads another picture")
            s.wait_for(f"the note in the notepad of {name}",
                       lambda: s.driver("child-text", "hwnd:" + child, "Edit").rstrip("\r\n") == NOTE)

        # The Preview button, last: a click Wine delivers late must not
        # reach a dialog whose preview the checks above rely on.
        open_dialog(s)
        wide = dialog_width(s)
        left, top, right, bottom = rect(s, "dialog:Open", "1127")

        def press_preview(want_wide):
            # A click that arrives while the file list still tracks the mouse
            # is lost; press again until the width changes.
            s.driver("mouse", (left + right) // 2, (top + bottom) // 2, "click")
            for _ in range(6):
                time.sleep(0.5)
                if (dialog_width(s) == wide) == want_wide:
                    return True
            return False
        s.wait_for("the narrow dialog", lambda: press_preview(False), timeout=15)
        e2e.check(dialog_width(s) < wide - 50, "the narrow dialog is not narrower than the preview column")
        s.wait_for("the wide dialog", lambda: press_preview(True), timeout=15)
        s.driver("keys", "esc")
        s.driver("wait-gone", "dialog:Open", 20000)

        proc = s.processes[0]
        s.driver("post", s.frame, WM_CLOSE, 0, 0)
        e2e.check(proc.wait(timeout=30) is not None, "Kestrel did not end")
        keys = ini_keys(s)
        e2e.check(keys.get("PathNameOpen") == "C:\\out", f"PathNameOpen is {keys.get('PathNameOpen')}")
        e2e.check(keys.get("FileNameOpen") == "C:\\out\\shot-jpg.jpg", f"FileNameOpen is {keys.get('FileNameOpen')}")
        e2e.check(keys.get("PathNameSave") == "C:\\out", f"PathNameSave is {keys.get('PathNameSave')}")
        # Open filter All Formats (13), Save As JPG (7), Send To BMP, Preview on.
        e2e.check(keys.get("Format") == "13,7,1,1", f"Format is {keys.get('Format')}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
