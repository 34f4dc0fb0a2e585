# Sourced by the scripts that build for Windows and run it under Wine: picks
# the Windows build that this machine can run and exports
#   KESTREL_WIN_ARCH       win32 or win64 (also WINEARCH)
#   KESTREL_WIN_TOOLCHAIN  the CMake toolchain file of that build
# Kestrel ships as a 32-bit program and is run and tested as one wherever the
# kernel runs 32-bit programs. A kernel booted without them (ia32_emulation
# off) cannot start 32-bit Wine at all; there the 64-bit build of the same
# sources runs under 64-bit Wine, and the 32-bit build is only compiled.
# KESTREL_WIN_ARCH set beforehand wins.
kestrel_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ -z "${KESTREL_WIN_ARCH:-}" ]; then
  if timeout 10 /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    KESTREL_WIN_ARCH=win32
  else
    KESTREL_WIN_ARCH=win64
  fi
fi
if [ "$KESTREL_WIN_ARCH" = win64 ]; then
  KESTREL_WIN_TOOLCHAIN=cmake/mingw-x86_64.cmake
  export WINELOADER=/usr/lib/wine/wine64
  case ":$PATH:" in
    *":$kestrel_root/tools/wine64:"*) ;;
    *) export PATH="$kestrel_root/tools/wine64:$PATH" ;;
  esac
else
  KESTREL_WIN_TOOLCHAIN=cmake/mingw-i686.cmake
fi
export KESTREL_WIN_ARCH KESTREL_WIN_TOOLCHAIN
export WINEARCH="$KESTREL_WIN_ARCH"
