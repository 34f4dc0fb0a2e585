#!/bin/bash
# Prepares a Debian 12 machine for Kestrel and builds it.
#
#   tools/setup.sh             install what is missing, configure the PDF
#                              printer, build build/host and build/win32
#   tools/setup.sh --no-build  the same without building
#
# Idempotent and quick when everything is in place: apt-get runs only when a
# package is missing. Needs root, or sudo for the installing steps.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Everything Kestrel needs to build, test and run, in one list:
packages=(
  # cross compilers for 32-bit Windows (the -posix threading variants), and
  # for 64-bit Windows, the test build where 32-bit programs cannot run
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-tools
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  # Wine to run kestrel.exe, its tests and the end-to-end scenarios: 32-bit,
  # and 64-bit for kernels without 32-bit support (tools/wine-env.sh)
  wine wine32:i386 libwine:i386 wine64 libwine:amd64 fonts-wine
  # a headless X server and X tools for the scenarios
  xvfb xauth x11-utils xdotool
  # printing to PDF files through CUPS (the queue is configured below)
  cups printer-driver-cups-pdf libcups2:i386
  # host build, unit tests and fuzzing
  cmake ninja-build g++ googletest libgtest-dev clang libclang-rt-14-dev
  # independent codecs and tools the tests compare against (never linked
  # into the product)
  imagemagick libjpeg-turbo-progs libturbojpeg0-dev libjpeg-dev libgif-dev giflib-tools
  libtiff-tools libtiff-dev libpng-dev libdeflate-dev netpbm python3 python3-pil python3-numpy poppler-utils
)

build=1
for arg in "$@"; do
  case "$arg" in
    --no-build) build=0 ;;
    *) echo "usage: $0 [--no-build]" >&2; exit 2 ;;
  esac
done

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  else
    sudo "$@"
  fi
}

log() { echo "setup: $*" >&2; }

# -- packages ---------------------------------------------------------------
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  log "adding the i386 architecture"
  as_root dpkg --add-architecture i386
fi

missing=()
for package in "${packages[@]}"; do
  status="$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)"
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
if [ "${#missing[@]}" -gt 0 ]; then
  log "installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -q
  as_root apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# -- the PDF printer --------------------------------------------------------
# A cups-pdf queue named PDF, the default destination; jobs land in ~/PDF.
if ! grep -qs '^<DefaultPrinter PDF>\|^<Printer PDF>' /etc/cups/printers.conf; then
  log "configuring the PDF printer"
  started_cupsd=""
  if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    if [ "$(id -u)" -eq 0 ]; then
      /usr/sbin/cupsd -f >/dev/null 2>&1 &
    else
      sudo /usr/sbin/cupsd -f >/dev/null 2>&1 &
    fi
    started_cupsd=$!
    for _ in $(seq 50); do
      lpstat -r 2>/dev/null | grep -q 'is running' && break
      sleep 0.2
    done
  fi
  as_root lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  as_root lpadmin -d PDF
  if [ -n "$started_cupsd" ]; then
    # cupsd writes printers.conf when it shuts down.
    as_root kill "$started_cupsd" 2>/dev/null || true
    wait "$started_cupsd" 2>/dev/null || true
  fi
fi

# -- build ------------------------------------------------------------------
if [ "$build" -eq 1 ]; then
  cd "$root"
  log "building build/host"
  [ -f build/host/build.ninja ] || cmake -S . -B build/host -G Ninja >/dev/null
  ninja -C build/host -j2
  log "building build/win32"
  [ -f build/win32/build.ninja ] ||
    cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
  ninja -C build/win32 -j2
  log "kestrel.exe and kesthook.dll are in build/win32"
  source "$root/tools/wine-env.sh"
  if [ "$KESTREL_WIN_ARCH" = win64 ]; then
    log "this kernel runs no 32-bit programs: building build/win64 to run under Wine"
    [ -f build/win64/build.ninja ] ||
      cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
    ninja -C build/win64 -j2
  fi
fi
