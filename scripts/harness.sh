# Shared by ./test and ./vantrel: build trees, Wine prefix, virtual display, tallies.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_NATIVE="$ROOT/build/native"
BUILD_WIN32="$ROOT/build/win32"
JOBS=$(nproc 2>/dev/null || echo 2)

# The product is a 32-bit program. Some kernels cannot start 32-bit programs
# at all (Wine's 32-bit loader fails with "Exec format error"); there the
# Windows suites and ./vantrel use the same sources built as a 64-bit program
# under Wine's 64-bit loader, while the 32-bit product is still built.
if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  WIN_BITS=32
  BUILD_WIN="$BUILD_WIN32"
  WIN_TOOLCHAIN="$ROOT/cmake/mingw-i686.cmake"
  WINE=wine
  WINESERVER=wineserver
  export WINEPREFIX="$ROOT/build/wineprefix"
  export WINEARCH=win32
else
  WIN_BITS=64
  BUILD_WIN="$ROOT/build/win64"
  WIN_TOOLCHAIN="$ROOT/cmake/mingw-x86_64.cmake"
  WINE=/usr/lib/wine/wine64
  WINESERVER=/usr/lib/wine/wineserver64
  export WINELOADER=$WINE
  export WINEPREFIX="$ROOT/build/wineprefix64"
  export WINEARCH=win64
fi
export WINE WINESERVER
export WINEDEBUG=-all
# No browser or .NET engine: their installers would wait for a click.
export WINEDLLOVERRIDES="mscoree,mshtml="

build_native() {
  cmake -S "$ROOT" -B "$BUILD_NATIVE" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
    cmake --build "$BUILD_NATIVE" -j "$JOBS"
}

# The 32-bit tree (the product); with target names, only those.
build_win32() {
  cmake -S "$ROOT" -B "$BUILD_WIN32" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null &&
    cmake --build "$BUILD_WIN32" -j "$JOBS" ${1:+--target "$@"}
}

# The tree whose programs this machine can run: the 32-bit one, or the 64-bit
# one where 32-bit programs cannot start (the 32-bit product is built too).
build_runnable_win() {
  if [ "$WIN_BITS" = 64 ]; then
    echo "this kernel cannot start 32-bit programs: the Windows suites run as a 64-bit build" >&2
    build_win32 Vantrel || return 1
    cmake -S "$ROOT" -B "$BUILD_WIN" -DCMAKE_TOOLCHAIN_FILE="$WIN_TOOLCHAIN" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null &&
      cmake --build "$BUILD_WIN" -j "$JOBS" ${1:+--target "$@"}
  else
    build_win32 "$@"
  fi
}

# The project's own Wine prefix, made once and reused. Its windows are not
# handed to a window manager: the virtual display has none, and Wine would
# otherwise wait for one each time a window is hidden.
ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating Wine prefix in $WINEPREFIX" >&2
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1
    "$WINESERVER" -w
  fi
  if [ ! -f "$WINEPREFIX/.vantrel-unmanaged" ]; then
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$WINESERVER" -w
    touch "$WINEPREFIX/.vantrel-unmanaged"
  fi
  # Captions draw their buttons in Marlett; without it they read "0 1 r".
  # Debian's Wine never reads fonts-wine's folder (it asks for
  # "Z:\usr\share\wine\../fonts", a name that never resolves), but it
  # reads the prefix's own Fonts folder.
  local marlett=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ ! -f "$fonts/marlett.ttf" ]; then
    if [ -f "$marlett" ]; then
      mkdir -p "$fonts" && cp "$marlett" "$fonts/"
    else
      echo "$marlett is missing (fonts-wine): window captions will show letters" >&2
    fi
  fi
}

XVFB_PID=""
# Starts a private virtual display and points DISPLAY at it: the first free
# one from 90 to 130, or in the range given.
start_virtual_display() {
  local n tries
  for n in $(seq "${1:-90}" "${2:-130}"); do
    if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then continue; fi
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for tries in $(seq 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
    XVFB_PID=""
  done
  echo "could not start a virtual display" >&2
  return 1
}

stop_display() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
  fi
}

PASSED=0
FAILED=0

# Longest a suite may run; a window nobody answers fails it instead of
# hanging the run.
SUITE_SECONDS=${VANTREL_SUITE_SECONDS:-900}

# Runs a GoogleTest program (natively or through wine) under the time limit
# and adds its counts. Only the summary GoogleTest prints at the end counts as
# a run: a program that exits without it, or dies, or is stopped, fails.
run_gtest() {
  local name=$1
  shift
  local log="$ROOT/build/logs/$name.log"
  mkdir -p "$ROOT/build/logs"
  echo "== $name" >&2
  timeout -k 20 "$SUITE_SECONDS" "$@" </dev/null >"$log" 2>&1
  local status=$?
  local passed failed
  passed=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$log" | tail -1 | sed -E 's/^\[  PASSED  \] ([0-9]+).*/\1/')
  failed=$(grep -E '^\[  FAILED  \] [0-9]+ test' "$log" | tail -1 | sed -E 's/^\[  FAILED  \] ([0-9]+).*/\1/')
  passed=${passed:-0}
  failed=${failed:-0}
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "$name: stopped after ${SUITE_SECONDS}s" >&2
  fi
  if ! grep -qE '^\[==========\] [0-9]+ tests? from [0-9]+ test (suite|case)s? ran' "$log"; then
    [ "$failed" -eq 0 ] && failed=1
    echo "$name: ended (status $status) without GoogleTest's summary" >&2
  elif [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
    failed=1
    echo "$name: exited with status $status before reporting a failure" >&2
  fi
  grep -E '^\[  FAILED  \] [A-Za-z]' "$log" | sort -u >&2
  if [ "$status" -ne 0 ]; then tail -30 "$log" >&2; fi
  echo "$name: $passed passed, $failed failed (log: build/logs/$name.log)" >&2
  PASSED=$((PASSED + passed))
  FAILED=$((FAILED + failed))
}

# Runs every test program a build tree defines (through `wine` for the
# Windows tree). CMake writes the list, so a stale .exe in the tree never runs.
run_suites() {
  local tree=$1 runner=${2:-} list="$1/test-programs.txt" name path
  if [ ! -s "$list" ]; then
    echo "$list is missing: the build defines no test programs" >&2
    FAILED=$((FAILED + 1))
    return
  fi
  while read -r name path; do
    run_gtest "$name" $runner "$path"
  done <"$list"
}

# One Wine server for the whole run: a client started while the previous
# client's server is still shutting down loses its connection.
start_wine_server() {
  "$WINESERVER" -w
  "$WINESERVER" -p
}

stop_wine_server() {
  "$WINESERVER" -k >/dev/null 2>&1
  "$WINESERVER" -w >/dev/null 2>&1
}

# One pass or one failure for a check that is not a GoogleTest program.
tally() {
  local name=$1 status=$2
  if [ "$status" -eq 0 ]; then
    PASSED=$((PASSED + 1))
    echo "$name: passed" >&2
  else
    FAILED=$((FAILED + 1))
    echo "$name: FAILED" >&2
  fi
}

# Runs a check that is not a GoogleTest program under a time limit, its output
# in build/logs/LOG.log (the end of it shown when it fails), and tallies it.
run_check() {
  local name=$1 log="$ROOT/build/logs/$2.log" seconds=$3
  shift 3
  echo "== $name" >&2
  timeout -k 20 "$seconds" "$@" </dev/null >"$log" 2>&1
  local status=$?
  [ "$status" -eq 0 ] || tail -20 "$log" >&2
  tally "$name" "$status"
  return "$status"
}

# Runs each fuzz target for a bounded time from seeds the test builders write;
# a crash, a sanitizer report, a leak or one allocation of 64 MB or more fails it.
run_fuzzers() {
  local seconds=$1 target corpus
  local seeds="$BUILD_NATIVE/fuzz-seeds"
  rm -rf "$seeds"
  if ! "$BUILD_NATIVE/tests/fuzz/make_fuzz_seeds" "$seeds" >/dev/null; then
    tally "fuzz seeds" 1
    return
  fi
  for target in ico module pixels; do
    corpus="$BUILD_NATIVE/fuzz-corpus/$target"
    mkdir -p "$corpus"
    echo "== fuzz_$target (${seconds}s)" >&2
    (cd "$BUILD_NATIVE" && timeout -k 20 $((seconds + 120)) "$BUILD_NATIVE/tests/fuzz/fuzz_$target" -max_total_time="$seconds" \
      -malloc_limit_mb=64 -detect_leaks=1 -print_final_stats=0 "$corpus" "$seeds/$target") \
      >"$ROOT/build/logs/fuzz_$target.log" 2>&1
    local status=$?
    if [ "$status" -ne 0 ]; then tail -40 "$ROOT/build/logs/fuzz_$target.log" >&2; fi
    tally "fuzz_$target" "$status"
  done
}
