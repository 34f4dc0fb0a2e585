#!/bin/bash
# Sets the machine up, builds Kestrel and runs it.
#
#   tools/run.sh [--headless] [--size WxH] [--output FILE.png]
#
# With a DISPLAY, kestrel.exe runs in a Wine virtual desktop of the given
# size (default 1024x768) in the prefix build/wineprefix-run, which keeps its
# KESTREL.INI between runs (drive_c/windows/KESTREL.INI).
# Without a DISPLAY (or with --headless) it starts Xvfb, runs Kestrel,
# performs a Screen capture, waits for the "Screen Capture" image window and
# writes a PNG of the screen (default build/run-screenshot.png), whose path it
# prints.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
headless=0
size=1024x768
output="$root/build/run-screenshot.png"
while [ $# -gt 0 ]; do
  case "$1" in
    --headless) headless=1 ;;
    --size) size="$2"; shift ;;
    --output) output="$2"; shift ;;
    *) echo "usage: $0 [--headless] [--size WxH] [--output FILE.png]" >&2; exit 2 ;;
  esac
  shift
done
[ -n "${DISPLAY:-}" ] || headless=1

bash "$root/tools/setup.sh"
source "$root/tools/wine-env.sh"
build="$root/build/$KESTREL_WIN_ARCH"

if [ "$headless" -eq 1 ]; then
  exec timeout 600 /usr/bin/python3 "$root/tools/run_headless.py" "$build" "$output" "$size"
fi

export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix-run}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wine wineboot -i >/dev/null 2>&1
  wineserver -w
  # Wine's own TrueType fonts (Marlett draws the caption buttons); Debian's
  # 32-bit Wine does not look for them in their shared folder.
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi
cd "$build"
exec wine explorer "/desktop=Kestrel,$size" "$build/kestrel.exe"
