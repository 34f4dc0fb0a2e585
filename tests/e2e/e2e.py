"""Shared machinery of the end-to-end scenarios.

A scenario runs the real kestrel.exe under Wine (32-bit, or 64-bit where
the kernel runs no 32-bit programs: tools/wine-env.sh) inside a virtual
desktop of a known size, on an X server of its own (Xvfb), in a fresh copy of
a template Wine prefix. kestrel-driver.exe, our own Win32 test driver, runs in
the same prefix and desktop and reports what a user would see.

The template prefix is created once (wineboot is slow) and copied per
scenario; the copy gets the virtual-desktop keys and, when asked, a
KESTREL.INI in its Windows directory. Everything a scenario leaves behind goes
to $KESTREL_E2E_OUT/<scenario>/: driver.log (every driver call and its
output), kestrel.log (Wine's output) and, when the scenario fails,
failure.png (the X screen) and failure-driver.bmp (the driver's grab).

Run as a program, this module prepares the template prefix:
    python3 e2e.py make-template PATH
"""

import contextlib
import fcntl
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

WINE_ENV = {
    "WINEDEBUG": "-all",
    "WINEDLLOVERRIDES": "mscoree,mshtml=",
    # win64 where the kernel runs no 32-bit programs (tools/wine-env.sh)
    "WINEARCH": os.environ.get("WINEARCH", "win32"),
}

# Settings that keep the screen still between an independent grab and the
# capture: no splash box, no title-bar clock or snapshot buttons, no pointer
# in the picture and no notification flash.
QUIET_SETTINGS = {
    "Mode": "1,0,0",
    "Clock": "0,0,1,0,1,1,0,0,0,0,16777215",
    "SnapshotButton": "0,0,0,0,0,0",
    "CapturePage": "1,0,0,1,0,0,0",
}

MAIN_TITLE = "Kestrel"
NOTEPAD_TITLE = "Untitled - Notepad"
WM_USER = 0x0400
WM_COMMAND = 0x0111
WM_SYSCOMMAND = 0x0112
SC_MINIMIZE = 0xF020
ID_CLOSE_ALL = 32819
ID_COPY_IMAGE = 32775
ID_PASTE_IMAGE = 32776
IDYES = 6


class ScenarioFailure(Exception):
    pass


def _env_path(name, default=None):
    value = os.environ.get(name)
    if value:
        return value
    if default is None:
        raise ScenarioFailure(f"environment variable {name} is not set")
    return default


def _build_dir():
    return _env_path("KESTREL_BUILD_DIR", os.path.join(os.path.dirname(__file__), "..", "..", "build", "win32"))


def template_path():
    return os.path.abspath(_env_path("KESTREL_WINE_TEMPLATE", os.path.join(_build_dir(), "wine-template")))


def start_xvfb(width, height, log_path):
    """Starts an X server of its own; returns (process, display)."""
    read_fd, write_fd = os.pipe()
    log = open(log_path, "ab")
    proc = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
        pass_fds=(write_fd,), stdout=log, stderr=log)
    os.close(write_fd)
    log.close()
    number = b""
    deadline = time.time() + 30
    with os.fdopen(read_fd, "rb") as pipe:
        while not number.endswith(b"\n") and time.time() < deadline:
            chunk = pipe.read(1)
            if not chunk:
                break
            number += chunk
    if not number.strip():
        proc.kill()
        raise ScenarioFailure("Xvfb did not start")
    return proc, ":" + number.decode().strip()


def make_template(path):
    """Creates the template prefix once; safe when several scenarios race."""
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path + ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if os.path.exists(os.path.join(path, "system.reg")):
            return path
        work = path + ".new"
        shutil.rmtree(work, ignore_errors=True)
        env = dict(os.environ, WINEPREFIX=work, **WINE_ENV)
        xvfb = None
        if not env.get("DISPLAY"):
            xvfb, env["DISPLAY"] = start_xvfb(640, 480, path + ".xvfb.log")
        try:
            subprocess.run(["wine", "wineboot", "-i"], env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=300, check=False)
            subprocess.run(["wineserver", "-w"], env=env, timeout=120, check=False)
        finally:
            if xvfb:
                xvfb.terminate()
                xvfb.wait(timeout=10)
        if not os.path.exists(os.path.join(work, "system.reg")):
            raise ScenarioFailure("wineboot did not create a prefix")
        install_wine_fonts(work)
        shutil.rmtree(path, ignore_errors=True)
        os.rename(work, path)
    return path


def install_wine_fonts(prefix):
    """Copies Wine's own TrueType fonts (fonts-wine) into the prefix's Fonts
    folder. Debian's 32-bit Wine does not search their shared folder, and
    without Marlett the caption buttons show letters instead of symbols."""
    fonts = os.path.join(prefix, "drive_c", "windows", "Fonts")
    os.makedirs(fonts, exist_ok=True)
    shared = "/usr/share/wine/fonts"
    for name in os.listdir(shared) if os.path.isdir(shared) else []:
        target = os.path.join(fonts, name)
        if name.lower().endswith(".ttf") and not os.path.exists(target):
            shutil.copy2(os.path.join(shared, name), target)


def _registry_section(key, values):
    stamp = int(time.time())
    lines = [f"[{key}] {stamp}"]
    lines += [f'"{name}"="{value}"' for name, value in values.items()]
    return "\n".join(lines) + "\n\n"


class Scenario:
    """One scenario: an X server, a prefix copy, Kestrel and the driver.

    Use as a context manager; an exception inside marks the scenario failed
    and leaves the screenshots and logs next to the test output."""

    def __init__(self, name, width=1024, height=768, settings=None):
        self.name = name
        self.width = width
        self.height = height
        self.settings = settings
        self.out = os.path.abspath(
            os.path.join(_env_path("KESTREL_E2E_OUT", os.path.join(_build_dir(), "e2e-out")), name))
        self.kestrel_exe = os.path.abspath(_env_path("KESTREL_EXE"))
        self.driver_exe = os.path.abspath(_env_path("KESTREL_DRIVER"))
        self.prefix = os.path.join(self.out, "prefix")
        self.xvfb = None
        self.processes = []
        self.env = None
        self._log = None
        # The main frame as a driver window argument. Its caption reads
        # "Kestrel" only while no image window is active (the active
        # document's title is added to it), so after the first look-up the
        # scenarios address it by handle.
        self.frame = MAIN_TITLE

    # -- set-up and tear-down -------------------------------------------

    def __enter__(self):
        shutil.rmtree(self.out, ignore_errors=True)
        os.makedirs(self.out)
        self._log = open(os.path.join(self.out, "driver.log"), "w")
        self.log(f"scenario {self.name} at {self.width}x{self.height}")
        template = make_template(template_path())
        subprocess.run(["cp", "-a", template, self.prefix], check=True, timeout=120)
        with open(os.path.join(self.prefix, "user.reg"), "a") as reg:
            reg.write("\n" + _registry_section("Software\\\\Wine\\\\Explorer", {"Desktop": "kestrel"}))
            reg.write(_registry_section("Software\\\\Wine\\\\Explorer\\\\Desktops",
                                        {"kestrel": f"{self.width}x{self.height}"}))
        if self.settings is not None:
            self.write_settings(self.settings)
        display = os.environ.get("KESTREL_E2E_DISPLAY")
        if not display:
            self.xvfb, display = start_xvfb(self.width, self.height, os.path.join(self.out, "xvfb.log"))
        self.env = dict(os.environ, WINEPREFIX=self.prefix, DISPLAY=display, **WINE_ENV)
        self.log(f"DISPLAY={display} WINEPREFIX={self.prefix}")
        # Start the Wine server and the virtual desktop before anything else:
        # two programs racing to do it in a fresh prefix can hang.
        self.driver("screen", timeout=120)
        return self

    def __exit__(self, exc_type, exc, tb):
        failed = exc_type is not None
        if failed:
            self.log("FAILED:\n" + "".join(traceback.format_exception(exc_type, exc, tb)))
            with contextlib.suppress(Exception):
                self.screenshot(os.path.join(self.out, "failure.png"))
            with contextlib.suppress(Exception):
                self.driver("grab", os.path.join(self.out, "failure-driver.bmp"), check=False, timeout=20)
            with contextlib.suppress(Exception):
                self.driver("children", self.frame, check=False, timeout=20)
            with contextlib.suppress(Exception):
                self.driver("status", self.frame, check=False, timeout=20)
        self.stop()
        if not failed:
            shutil.rmtree(self.prefix, ignore_errors=True)
        self.log("failed" if failed else "passed")
        self._log.close()
        if failed:
            print(f"scenario {self.name} failed; logs and screenshots in {self.out}", file=sys.stderr)
        return False

    def stop(self):
        if self.env:
            with contextlib.suppress(Exception):
                subprocess.run(["wineserver", "-k"], env=self.env, timeout=30)
        for proc in self.processes:
            with contextlib.suppress(Exception):
                proc.wait(timeout=15)
            if proc.poll() is None:
                proc.kill()
                proc.wait()
        self.processes = []
        if self.xvfb:
            self.xvfb.terminate()
            with contextlib.suppress(Exception):
                self.xvfb.wait(timeout=10)
            self.xvfb = None

    # -- helpers -----------------------------------------------------------

    def log(self, text):
        self._log.write(text.rstrip("\n") + "\n")
        self._log.flush()

    def windows_dir(self):
        return os.path.join(self.prefix, "drive_c", "windows")

    def write_settings(self, keys):
        """Writes KESTREL.INI with one [Kestrel] section."""
        lines = ["[Kestrel]"] + [f"{key}={value}" for key, value in keys.items()]
        with open(os.path.join(self.windows_dir(), "KESTREL.INI"), "w", newline="\r\n") as ini:
            ini.write("\n".join(lines) + "\n")

    def stored_settings(self):
        """The keys of KESTREL.INI as the file holds them (names as written)."""
        path = os.path.join(self.windows_dir(), "KESTREL.INI")
        keys = {}
        if os.path.exists(path):
            with open(path, errors="replace") as ini:
                for line in ini:
                    name, sep, value = line.rstrip("\r\n").partition("=")
                    if sep and not name.startswith("["):
                        keys[name.strip()] = value.strip()
        return keys

    def start_kestrel(self):
        """Starts kestrel.exe from its build folder (kesthook.dll beside it)."""
        log = open(os.path.join(self.out, "kestrel.log"), "ab")
        proc = subprocess.Popen(["wine", self.kestrel_exe], env=self.env, stdout=log, stderr=log,
                                stdin=subprocess.DEVNULL, cwd=os.path.dirname(self.kestrel_exe))
        log.close()
        self.processes.append(proc)
        self.log(f"started kestrel.exe (pid {proc.pid})")
        return proc

    def driver(self, *args, timeout=60, check=True):
        """Runs one driver command; returns its stdout. With check, a non-zero
        exit is a failure.

        Output goes through files, not pipes: Wine may start helper processes
        (services, rpcss) from any program, and they would inherit a pipe and
        keep it open long after the driver has ended."""
        cmd = ["wine", self.driver_exe] + [str(a) for a in args]
        started = time.time()
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            proc = subprocess.Popen(cmd, env=self.env, stdout=out, stderr=err, stdin=subprocess.DEVNULL)
            try:
                returncode = proc.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
                returncode = None
            out.seek(0)
            err.seek(0)
            stdout = out.read().decode(errors="replace")
            stderr = err.read().decode(errors="replace")
        shown = " ".join(map(str, args))
        if returncode is None:
            self.log(f"$ driver {shown}  -> timed out after {timeout} s")
        else:
            self.log(f"$ driver {shown}  -> {returncode} ({time.time() - started:.1f} s)")
        for line in (stdout + stderr).splitlines():
            self.log("  " + line)
        if returncode is None:
            raise ScenarioFailure(f"driver {shown} timed out")
        if check and returncode != 0:
            raise ScenarioFailure(f"driver {shown} exited {returncode}: {stderr.strip()}")
        self.last_returncode = returncode
        return stdout

    def screenshot(self, path):
        """An X-level grab of the virtual desktop, independent of Wine."""
        subprocess.run(["/usr/bin/import", "-window", "root", "-crop", f"{self.width}x{self.height}+0+0",
                        "+repage", path], env=self.env, check=True, timeout=30, capture_output=True)

    # -- what the scenarios check -------------------------------------------

    def wait_main_window(self, timeout_ms=30000):
        """Waits for the window titled "Kestrel" and remembers it as the frame."""
        try:
            handle = self.driver("wait-window", MAIN_TITLE, timeout_ms).strip()
        except ScenarioFailure:
            ended = [p for p in self.processes if p.poll() is not None]
            if ended:
                with open(os.path.join(self.out, "kestrel.log"), errors="replace") as log:
                    output = log.read().strip()
                raise ScenarioFailure(f"kestrel.exe ended with exit code {ended[0].returncode} "
                                      f"before its window appeared: {output[-500:]}")
            raise
        self.frame = "hwnd:" + handle
        return handle

    def children(self):
        """Titles of the main frame's image windows."""
        out = self.driver("children", self.frame)
        return [line.split("\t", 1)[1] if "\t" in line else "" for line in out.splitlines()]

    def status_panes(self):
        return self.driver("status", self.frame).splitlines()

    def state(self, window=None):
        return self.driver("state", window or self.frame).split()

    def wait_for(self, what, predicate, timeout=20.0, interval=0.3):
        """Polls predicate() until it returns a true value; returns that value."""
        deadline = time.time() + timeout
        last = None
        while True:
            last = predicate()
            if last:
                return last
            if time.time() >= deadline:
                raise ScenarioFailure(f"timed out waiting for {what}")
            time.sleep(interval)

    def grab_image(self, name, window=None):
        """The driver's grab of the screen, or of a window's rectangle, as an
        RGB picture (also kept as name in the output folder)."""
        from PIL import Image
        path = os.path.join(self.out, name)
        self.driver("grab", path, *([window] if window else []))
        return Image.open(path).convert("RGB")

    def grab_still_screen(self, name):
        """The driver's grab of the whole screen, taken once two grabs in a row
        agree (a blinking caret or a window still painting makes them differ).
        Returns the path of the BMP."""
        path = os.path.join(self.out, name)
        previous = path + ".previous.bmp"
        self.driver("grab", previous)

        def screen_is_still():
            self.driver("grab", path)
            same = compare_images(path, previous) is None
            os.replace(path, previous)
            return same
        self.wait_for("the screen to stand still", screen_is_still, timeout=20, interval=0.2)
        os.replace(previous, path)
        return path

    def grab_screen_agreeing_with_x(self, name):
        """The driver's grab of the whole screen, taken once it equals an
        X-level screenshot (ImageMagick), so that the reference itself is
        checked by a second, independent reader. Returns the path of the BMP."""
        path = os.path.join(self.out, name)
        x_path = os.path.join(self.out, os.path.splitext(name)[0] + "-x.png")

        def screen_is_still():
            self.driver("grab", path)
            self.screenshot(x_path)
            return compare_images(path, x_path) is None
        self.wait_for("the Wine screen and the X screen to agree", screen_is_still, timeout=20, interval=0.5)
        return path

    def paste_image(self, picture, name):
        """Puts a Pillow picture (kept as NAME.bmp) on the clipboard and
        pastes it; returns the new "Clipboard Image" window as hwnd:..."""
        path = os.path.join(self.out, name + ".bmp")
        picture.save(path)
        self.driver("set-clipboard", path)
        self.driver("send", self.frame, WM_COMMAND, ID_PASTE_IMAGE, 0)
        return "hwnd:" + self.driver("wait-child", self.frame, "Clipboard Image", 20000).strip()

    def copy_active_image(self, name):
        """Copy Image on the active image window; the clipboard's picture,
        kept as NAME.bmp, as an RGB Pillow image."""
        from PIL import Image
        path = os.path.join(self.out, name + ".bmp")
        self.driver("send", self.frame, WM_COMMAND, ID_COPY_IMAGE, 0)
        self.driver("clipboard", path)
        return Image.open(path).convert("RGB")

    def check_same_picture(self, name, picture, expected):
        """picture must equal expected pixel for pixel; expected is kept as
        NAME-expected.png beside the outputs."""
        from PIL import ImageChops
        expected.save(os.path.join(self.out, name + "-expected.png"))
        check(picture.size == expected.size, f"{name}: size {picture.size}, expected {expected.size}")
        box = ImageChops.difference(picture, expected).getbbox()
        check(box is None, f"{name}: the pixels differ inside {box}")

    def options_command(self, keys, dialog):
        """Opens the Options menu with Alt+O, picks the item by its mnemonic
        (or the keys given as a list) and waits for the dialog it opens;
        returns the dialog's handle."""
        self.wait_for("Kestrel in the foreground", lambda: self.frame[5:] in self.driver("foreground"), timeout=10)
        self.driver("keys", "alt+o", *([keys] if isinstance(keys, str) else keys))
        handle = self.driver("wait-window", dialog, 20000).strip()
        # Shown, centred and taking input before anything clicks on it.
        self.wait_for(f"{dialog} in front", lambda: self.driver("foreground").startswith(handle + "\t"), timeout=10)
        return handle

    def message_box_text(self, owner=None, timeout=10.0):
        """Waits for the program's message box ("Kestrel"), returns its text
        and closes it with Enter; with owner ("hwnd:..."), waits until the
        window under the box has the input again."""
        box = "hwnd:" + self.driver("wait-window", "dialog:" + MAIN_TITLE, int(timeout * 1000)).strip()
        text = self.driver("child-text", box, "65535").strip()
        self.driver("keys", "return")
        self.driver("wait-gone", box, int(timeout * 1000))
        if owner:
            self.wait_for("the window under the message box in front",
                          lambda: self.driver("foreground").startswith(owner[5:] + "\t"), timeout=timeout)
        return text

    def start_notepad(self):
        """Starts Wine's Notepad and waits until it is the foreground window,
        so that key strokes and clicks go to another program than Kestrel."""
        notepad = subprocess.Popen(["wine", "notepad"], env=self.env, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(notepad)
        handle = self.driver("wait-window", NOTEPAD_TITLE, 30000).strip()
        self.wait_for("Notepad in the foreground", lambda: NOTEPAD_TITLE in self.driver("foreground"))
        return "hwnd:" + handle

    def kestrel_linux_pids(self):
        """Linux process ids of kestrel.exe processes in this prefix."""
        pids = []
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open(f"/proc/{entry}/cmdline", "rb") as f:
                    cmdline = f.read()
                with open(f"/proc/{entry}/environ", "rb") as f:
                    environ = f.read()
            except OSError:
                continue
            if b"kestrel.exe" in cmdline.lower() and f"WINEPREFIX={self.prefix}".encode() in environ:
                pids.append(int(entry))
        return pids


def check(condition, message):
    if not condition:
        raise ScenarioFailure(message)


def color_box(image, color):
    """The bounding box (left, top, right, bottom) of the pixels of exactly
    that RGB colour, or None."""
    from PIL import Image, ImageChops
    solid = Image.new("RGB", image.size, color)
    # black exactly where the colours agree
    difference = ImageChops.difference(image, solid).convert("L").point(lambda v: 255 if v == 0 else 0)
    return difference.getbbox()


def compare_images(path_a, path_b):
    """Returns None when both files hold the same RGB pixels, otherwise a
    short description of the difference."""
    from PIL import Image, ImageChops
    a = Image.open(path_a).convert("RGB")
    b = Image.open(path_b).convert("RGB")
    if a.size != b.size:
        return f"sizes differ: {a.size} and {b.size}"
    box = ImageChops.difference(a, b).getbbox()
    if box is None:
        return None
    return f"pixels differ inside {box}"


def main(argv):
    if len(argv) == 3 and argv[1] == "make-template":
        make_template(argv[2])
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
