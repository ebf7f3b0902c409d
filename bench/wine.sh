#!/usr/bin/env bash
# The Windows programs under Wine on one site, beside what bounds them there: the Win32 bound
# (readall-win32.exe, readall.c's twin), zorvitan-cli.exe, and the window's whole run with the
# clipboard (zorvitan-window-run.exe drives the real main window). Wine's own start-up is
# measured alone too (--version), to be told apart from the runs.
#
#   wine.sh RESULTS.jsonl SITE_FOLDER OUT_FOLDER RUNS [NATIVE_BOUND]
# NATIVE_BOUND, the native readall, is asked whether the Win32 bound read the same pages.
# BENCH_WIN_BUILD picks another build folder than the windows preset's (configured the same).
set -euo pipefail
results=$1 site=$2 out=$3 runs=$4 native_bound=${5:-}
build=${BENCH_WIN_BUILD:-build/windows}
targets=(zorvitan-cli readall-win32 zorvitan-window-run)

printf '\n== %s\n' "the Windows programs under Wine ($build)" >&2
if [ "$build" = build/windows ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target "${targets[@]}" --parallel "$(nproc)"
else
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target "${targets[@]}" --parallel "$(nproc)"
fi
exe=$build/cli/zorvitan-cli.exe
bound=$build/bench/readall-win32.exe
window=$build/bench/zorvitan-window-run.exe
# The build's own Wine prefix and session, as its tests use them.
export ZORVITAN_WINE_DIR=${ZORVITAN_WINE_DIR:-$PWD/$build/wine}
scripts/wine-run.sh --setup

windows_path() { local p; p=$(cd "$(dirname "$1")" && pwd)/$(basename "$1"); echo "Z:${p//\//\\}"; }
win_site=$(windows_path "$site")
win_out=$(windows_path "$out")
name=$(basename "$site")
measure() { python3 bench/measure.py --results "$results" --site "$name" "$@"; }

# Both bounds must read the same pages, or the comparison means nothing.
if [ -n "$native_bound" ]; then
  native_read=$("$native_bound" "$site")
  win32_read=$(scripts/wine-run.sh "$bound" "$win_site" | tr -d '\r')
  [ "$native_read" = "$win32_read" ] ||
    echo "bench: warning: readall read $native_read, readall-win32 read $win32_read" >&2
fi

# The bound goes first: its warm-up runs bring the site into the page cache for Wine too.
measure --name "bound (Win32, Wine)" --runs "$runs" --warmup 2 \
  --note "FindFirstFileA + CreateFileA/ReadFile of every page" \
  -- scripts/wine-run.sh "$bound" "$win_site"
measure --name "zorvitan-cli.exe (Wine)" --runs "$runs" --note "Wine start-up included" \
  -- scripts/wine-run.sh "$exe" -q "$win_site" "$win_out\\map-wine.html"
measure --name "window run (Wine)" --runs "$runs" \
  --note "the main window's whole run, clipboard on" \
  -- scripts/wine-run.sh "$window" "$win_site" "$win_out\\map-window.html"
measure --name "Wine start-up alone" --runs "$runs" --note "zorvitan-cli.exe --version" \
  -- scripts/wine-run.sh "$exe" --version
