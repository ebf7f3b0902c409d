#!/usr/bin/env bash
# Starts a Windows program under Wine on a headless X server, waits for it to draw, saves a
# picture of the whole screen, and stops the program, the Wine session and that X server.
#   scripts/screenshot.sh PROGRAM.exe OUTPUT.png [SECONDS]
set -euo pipefail

[ -f "${1:-}" ] || { echo "screenshot: ${1:-the program} is not built yet" >&2; exit 1; }
program=$(realpath "$1")
png=$(realpath -m "${2:?usage: screenshot.sh PROGRAM.exe OUTPUT.png [SECONDS]}")
# A cold Wine session needs about 5 s before the window is drawn.
wait_seconds=${3:-8}
here=$(cd "$(dirname "$0")" && pwd)
command -v import >/dev/null || { echo "screenshot: ImageMagick is missing (scripts/deps.sh screenshot)" >&2; exit 1; }

# Always a headless server of our own, whatever display the caller has. From the program's
# folder the wrapper finds the build folder, and so the Wine prefix, itself.
unset DISPLAY
cd "$(dirname "$program")"
"$here/wine-run.sh" --cleanup
display=$("$here/wine-run.sh" --display)
"$here/wine-run.sh" --setup

"$here/wine-run.sh" "$program" &
runner=$!
trap '"$here/wine-run.sh" --cleanup' EXIT
sleep "$wait_seconds"
mkdir -p "$(dirname "$png")"
DISPLAY=$display import -window root "$png"
kill "$runner" 2>/dev/null || true
wait "$runner" 2>/dev/null || true
echo "Screenshot saved to $png"
