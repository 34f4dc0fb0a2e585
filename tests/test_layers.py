"""The source folders form layers: a file includes only its own folder and
the folders below it. Bottom up:

    framework -> settings -> formats, image -> capture, dialogs, print -> shell

image/XImage.h is the one image header below formats/ (the codecs read and
write XImage), so it includes nothing of formats/. resources/resource.h
gathers the ids of every layer for the layers above formats/, and
hook/HookWire.h and hook/kesthook.h name the hook library's messages and
exports for the layers above the framework."""

import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

BELOW = {
    "framework": set(),
    "hook": set(),
    "settings": {"framework"},
    "formats": {"framework", "settings"},
    "image": {"framework", "settings", "formats", "resources", "hook"},
    "capture": {"framework", "settings", "formats", "image", "resources", "hook"},
    "dialogs": {"framework", "settings", "formats", "image", "resources", "hook"},
    "print": {"framework", "settings", "formats", "image", "resources", "hook"},
    "shell": {"framework", "settings", "formats", "image", "capture", "dialogs", "print", "resources", "hook"},
    "resources": {"framework", "formats"},
}
# Single headers a lower layer may use.
ALLOWED = {
    "formats": {"image/XImage.h"},
}
# Headers that must stay below formats/.
BELOW_FORMATS = {"image/XImage.h"}

INCLUDE = re.compile(r'\s*#\s*include\s+"([^"]+)"')


def includes(path):
    folder = os.path.dirname(path)
    with open(os.path.join(ROOT, path), errors="replace") as f:
        for number, line in enumerate(f, 1):
            match = INCLUDE.match(line)
            if match:
                yield number, os.path.normpath(os.path.join(folder, match.group(1)))


def main():
    faults = []
    for layer in BELOW:
        for directory, _, names in os.walk(os.path.join(ROOT, layer)):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp", ".rc")):
                    continue
                path = os.path.relpath(os.path.join(directory, name), ROOT)
                for number, target in includes(path):
                    folder = target.split(os.sep)[0]
                    if folder == layer or folder not in BELOW:
                        continue
                    if folder in BELOW[layer] or target in ALLOWED.get(layer, ()):
                        continue
                    faults.append(f"{path}:{number}: {layer}/ includes {target}")
    for header in BELOW_FORMATS:
        for number, target in includes(header):
            if target.startswith("formats" + os.sep):
                faults.append(f"{header}:{number}: includes {target}, but formats/ includes it")
    for fault in faults:
        print(fault)
    print(f"{len(faults)} include(s) against the layers")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
