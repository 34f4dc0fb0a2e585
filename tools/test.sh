#!/bin/bash
# Sets the machine up and runs every test of Kestrel:
#   1. host unit tests and codec interop scripts (ctest in build/host, built
#      in Release: the optimiser that ships, and the warnings it brings)
#   2. the same under AddressSanitizer and UBSan (build/host-asan)
#   3. bounded libFuzzer runs of every tests/fuzz/fuzz_* target (build/fuzz)
#   4. Win32 tests and end-to-end scenarios under Wine (ctest in build/win32,
#      or in build/win64 where the kernel runs no 32-bit programs; the 32-bit
#      programs are then compiled only: tools/wine-env.sh)
# It starts what it needs (Xvfb, cupsd, a template Wine prefix), puts a time
# limit on every step, writes logs to build/test-logs/ and ends with exactly
# one line "N passed, N failed". Every build treats warnings as errors
# (KESTREL_WERROR). The exit status is non-zero when anything failed.
# KESTREL_BUILD_ROOT moves all build folders (default: build/).
#
#   tools/test.sh [host] [asan] [fuzz] [win32]   only the parts named (default all)
set -u

parts=" ${*:-host asan fuzz win32} "
for part in $parts; do
  case "$part" in
    host|asan|fuzz|win32) ;;
    *) echo "usage: $0 [host] [asan] [fuzz] [win32]" >&2; exit 2 ;;
  esac
done
wanted() { [[ "$parts" == *" $1 "* ]]; }

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
builds="${KESTREL_BUILD_ROOT:-$root/build}"
logs="$builds/test-logs"
fuzz_seconds="${KESTREL_FUZZ_SECONDS:-20}"
mkdir -p "$builds"
rm -rf "$logs"
mkdir -p "$logs"

passed=0
failed=0
failures=()

say() { echo "test: $*"; }

record() {  # record NAME STATUS
  if [ "$2" -eq 0 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    failures+=("$1")
    say "FAILED $1 (see $logs/$1.log)"
  fi
}

# step NAME SECONDS COMMAND...: one command counted as one test.
step() {
  local name=$1 seconds=$2
  shift 2
  local begun=$SECONDS
  timeout --kill-after=20 "$seconds" "$@" >"$logs/$name.log" 2>&1 </dev/null
  local status=$?
  say "$name ($((SECONDS - begun)) s)"
  record "$name" "$status"
  return "$status"
}

# run_ctest NAME DIR SECONDS PER-TEST-SECONDS: every CTest test counts; a
# ctest run that ends without its summary counts as one failure.
run_ctest() {
  local name=$1 dir=$2 seconds=$3 per_test=$4
  local begun=$SECONDS
  timeout --kill-after=30 "$seconds" ctest --test-dir "$dir" -j2 --timeout "$per_test" --output-on-failure \
    >"$logs/$name.log" 2>&1 </dev/null
  local summary
  summary="$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/$name.log" | tail -n1)"
  if [ -z "$summary" ]; then
    say "$name: no summary ($((SECONDS - begun)) s)"
    if grep -q 'No tests were found' "$logs/$name.log"; then
      say "$name: no tests"
    else
      record "$name" 1
    fi
    return
  fi
  local bad total
  bad="$(echo "$summary" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')"
  total="$(echo "$summary" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/')"
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  say "$name: $summary ($((SECONDS - begun)) s)"
  if [ "$bad" -gt 0 ]; then
    while read -r line; do
      failures+=("$name: $line")
    done < <(sed -n '/The following tests FAILED:/,$p' "$logs/$name.log" | grep -E '^\s+[0-9]+ - ' |
             sed -E 's/^\s+[0-9]+ - //')
  fi
}

configure() {  # configure DIR CMAKE-ARGS...: warnings are errors in our own runs
  local dir=$1
  shift
  if [ -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -DKESTREL_WERROR=ON "$@" >/dev/null
  else
    cmake -S "$root" -B "$dir" -G Ninja -DKESTREL_WERROR=ON "$@"
  fi
}

# -- services -----------------------------------------------------------------
xvfb_pid=""
cupsd_pid=""
cleanup() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    WINEPREFIX="$WINEPREFIX" timeout 30 wineserver -k 2>/dev/null
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT

start_xvfb() {
  local file="$logs/xvfb.display"
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$file" >"$logs/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$file" ] && break
    sleep 0.1
  done
  [ -s "$file" ] || return 1
  export DISPLAY=":$(head -n1 "$file")"
}

start_cupsd() {
  if lpstat -r 2>/dev/null | grep -q 'is running'; then
    return 0
  fi
  /usr/sbin/cupsd -f >"$logs/cupsd.log" 2>&1 &
  cupsd_pid=$!
  for _ in $(seq 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && return 0
    sleep 0.2
  done
  return 1
}

started=$(date +%s)
step setup 3600 bash tools/setup.sh --no-build
source tools/wine-env.sh
say "Windows tests run the $KESTREL_WIN_ARCH build"

start_xvfb || record xvfb 1
if [ "$(id -u)" -eq 0 ]; then
  start_cupsd || record cupsd 1
fi
export KESTREL_WINE_TEMPLATE="$builds/wine-template-$KESTREL_WIN_ARCH"
step wine-prefix 600 /usr/bin/python3 tests/e2e/e2e.py make-template "$KESTREL_WINE_TEMPLATE"

# -- 1. host unit tests and interop scripts -------------------------------------
if wanted host && step build-host 1800 bash -c "$(declare -f configure); root='$root';
    configure '$builds/host' -DCMAKE_BUILD_TYPE=Release && ninja -C '$builds/host' -j2"; then
  run_ctest ctest-host "$builds/host" 900 180
fi

# -- 2. the same under the sanitizers -------------------------------------------
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
if wanted asan && step build-host-asan 1800 bash -c "$(declare -f configure); root='$root';
    configure '$builds/host-asan' -DKESTREL_SANITIZE=ON &&
    ninja -C '$builds/host-asan' -j2 kestrel_unit_tests kestrel-convert"; then
  run_ctest ctest-host-asan "$builds/host-asan" 900 180
fi

# -- 3. bounded fuzzing -------------------------------------------------------------
fuzzers=()
for source in tests/fuzz/fuzz_*.cpp; do
  [ -e "$source" ] && fuzzers+=("$(basename "$source" .cpp)")
done
if wanted fuzz && [ "${#fuzzers[@]}" -gt 0 ] &&
   step build-fuzz 1800 bash -c "$(declare -f configure); root='$root';
     CC=clang CXX=clang++ configure '$builds/fuzz' -DKESTREL_FUZZ=ON -DKESTREL_SANITIZE=ON &&
     ninja -C '$builds/fuzz' -j2 ${fuzzers[*]}"; then
  # Two at a time, one per core. New inputs go to a scratch corpus; the
  # checked-in corpus is only read.
  pids=()
  names=()
  for name in "${fuzzers[@]}"; do
    scratch="$builds/fuzz/corpus/$name"
    mkdir -p "$scratch" "$builds/fuzz/artifacts"
    corpora=("$scratch")
    [ -d "tests/data/fuzz/$name" ] && corpora+=("tests/data/fuzz/$name")
    say "fuzz-$name (${fuzz_seconds} s)"
    timeout --kill-after=10 $((fuzz_seconds * 3 + 60)) "$builds/fuzz/$name" \
      -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$builds/fuzz/artifacts/$name-" "${corpora[@]}" \
      >"$logs/fuzz-$name.log" 2>&1 </dev/null &
    pids+=($!)
    names+=("fuzz-$name")
    if [ "${#pids[@]}" -ge 2 ]; then
      wait "${pids[0]}"
      record "${names[0]}" $?
      pids=("${pids[@]:1}")
      names=("${names[@]:1}")
    fi
  done
  for i in "${!pids[@]}"; do
    wait "${pids[$i]}"
    record "${names[$i]}" $?
  done
fi

# -- 4. Win32 tests and end-to-end scenarios under Wine ------------------------------
export WINEPREFIX="$builds/win32-wineprefix"
rm -rf "$WINEPREFIX"
win="$builds/$KESTREL_WIN_ARCH"
# The shipped programs only: their tests run in the other build.
if wanted win32 && [ "$KESTREL_WIN_ARCH" != win32 ]; then
  step build-win32 2400 bash -c "$(declare -f configure); root='$root';
    configure '$builds/win32' -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake &&
    ninja -C '$builds/win32' -j2 kestrel kesthook kestrel-convert"
fi
if wanted win32 && step "build-$KESTREL_WIN_ARCH" 2400 bash -c "$(declare -f configure); root='$root';
    configure '$win' -DCMAKE_TOOLCHAIN_FILE=$KESTREL_WIN_TOOLCHAIN && ninja -C '$win' -j2"; then
  run_ctest "ctest-$KESTREL_WIN_ARCH" "$win" 1200 300
fi

say "finished in $(( $(date +%s) - started )) s; logs in $logs"
for failure in "${failures[@]}"; do
  say "  failed: $failure"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
