#!/usr/bin/env bash
# The Windows zorvitan-cli.exe under Wine on one site, beside the native figure, so a
# regression in the Win32 layer shows. Wine's own start-up is measured alone too (--version),
# to be told apart from the run.
#
#   wine.sh RESULTS.jsonl SITE_FOLDER OUT_FOLDER RUNS
# BENCH_WIN_BUILD picks another build folder than the windows preset's (configured the same).
set -euo pipefail
results=$1 site=$2 out=$3 runs=$4
build=${BENCH_WIN_BUILD:-build/windows}

printf '\n== %s\n' "the Windows program under Wine ($build)" >&2
if [ "$build" = build/windows ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target zorvitan-cli --parallel "$(nproc)"
else
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target zorvitan-cli --parallel "$(nproc)"
fi
exe=$build/cli/zorvitan-cli.exe
# The build's own Wine prefix and session, as its tests use them.
export ZORVITAN_WINE_DIR=${ZORVITAN_WINE_DIR:-$PWD/$build/wine}
scripts/wine-run.sh --setup

windows_path() { local p; p=$(cd "$(dirname "$1")" && pwd)/$(basename "$1"); echo "Z:${p//\//\\}"; }
name=$(basename "$site")
measure() { python3 bench/measure.py --results "$results" --site "$name" "$@"; }
measure --name "zorvitan-cli.exe (Wine)" --runs "$runs" --note "Wine start-up included" \
  -- scripts/wine-run.sh "$exe" -q "$(windows_path "$site")" "$(windows_path "$out")\\map-wine.html"
measure --name "Wine start-up alone" --runs "$runs" --note "zorvitan-cli.exe --version" \
  -- scripts/wine-run.sh "$exe" --version
