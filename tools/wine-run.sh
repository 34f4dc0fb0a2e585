#!/bin/bash
# Runs a Windows program under Wine and exits with its exit code; the
# cross build's CMAKE_CROSSCOMPILING_EMULATOR, so CTest runs the Win32 test
# programs through it.
#
#   WINEPREFIX      prefix to use (default: build/wineprefix in the tree); when
#                   missing it is copied from KESTREL_WINE_TEMPLATE if that
#                   exists, otherwise created with wineboot
#   DISPLAY         X display; without one a private Xvfb runs for the call
#   KESTREL_WINE_DESKTOP  size of the Wine virtual desktop that a new prefix
#                   gets (default 1024x768): a known screen, and windows show
#                   and hide without waiting for a window manager
#   KESTREL_WINE_TIMEOUT  seconds before the program is killed (default 600)
#
# The program's output goes through a file: Wine may start helper processes
# that inherit the output and would keep a pipe to CTest open after the
# program ends.
set -u

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ $# -lt 1 ]; then
  echo "usage: $0 PROGRAM.exe [ARGS...]" >&2
  exit 2
fi

export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all
source "$root/tools/wine-env.sh"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

xvfb_pid=""
scratch="$(mktemp -d)"
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$scratch/display")"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      rm -rf "$WINEPREFIX"
      if [ -n "${KESTREL_WINE_TEMPLATE:-}" ] && [ -f "$KESTREL_WINE_TEMPLATE/system.reg" ]; then
        cp -a "$KESTREL_WINE_TEMPLATE" "$WINEPREFIX"
      else
        timeout 300 wine wineboot -i >/dev/null 2>&1
        timeout 120 wineserver -w
        # Wine's own TrueType fonts (Marlett draws the caption buttons);
        # Debian's 32-bit Wine does not look for them in their shared folder.
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
        timeout 60 wineserver -k 2>/dev/null
      fi
      printf '\n[Software\\\\Wine\\\\Explorer] %s\n"Desktop"="Default"\n\n' "$(date +%s)" >>"$WINEPREFIX/user.reg"
      printf '[Software\\\\Wine\\\\Explorer\\\\Desktops] %s\n"Default"="%s"\n\n' "$(date +%s)" \
        "${KESTREL_WINE_DESKTOP:-1024x768}" >>"$WINEPREFIX/user.reg"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

timeout --kill-after=10 "${KESTREL_WINE_TIMEOUT:-600}" wine "$@" >"$scratch/output" 2>&1 </dev/null
status=$?
cat "$scratch/output"
exit $status
