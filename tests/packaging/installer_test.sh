#!/bin/sh
# The Windows packages that CPack made, under Wine: the zip holds both programs and the documents;
# the NSIS installer, run silently, installs both programs (the window program starts and shows
# its window, zorvitan-cli.exe maps the sample site as the built one does), a Start-menu shortcut
# and an entry among the installed programs; its silent uninstaller removes all of them.
#   installer_test.sh WINE_RUN PACKAGES FIND_WINDOW BUILT_CLI SITE WORK WINE_DIR
# WINE_DIR is the wrapper's folder (ZORVITAN_WINE_DIR wins when set), to find the Start menu.
set -u
wine_run=$1
packages=$2
find_window=$3
built_cli=$4
site=$5
work=$6
prefix=${ZORVITAN_WINE_DIR:-$7}/prefix
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorvitan'

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# Wine shows the Unix root as drive Z:.
win() { printf 'Z:%s' "$1" | tr / '\\'; }
shortcut() { find "$prefix/drive_c" -path '*/Start Menu/*' -name Zorvitan.lnk 2>/dev/null; }

installer=$(ls "$packages"/zorvitan-*-win64.exe 2>/dev/null | head -n 1)
zip=$(ls "$packages"/zorvitan-*-win64.zip 2>/dev/null | head -n 1)
[ -n "$installer" ] && [ -n "$zip" ] || { echo "FAIL: no installer or zip in $packages" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work" || exit 1
work=$(cd "$work" && pwd)
install=$work/Zorvitan

# The portable zip.
cmake -E tar tf "$zip" >"$work/zip.txt" || fail "cannot read $zip"
for file in zorvitan.exe zorvitan-cli.exe README.md LICENSE.txt; do
  grep -q "^zorvitan-[^/]*/$file\$" "$work/zip.txt" || fail "the zip has no $file"
done

# Silent install into a folder of our own (/D= must come last, unquoted).
"$wine_run" "$installer" /S "/D=$(win "$install")" >"$work/install.log" 2>&1
rc=$?
[ $rc -eq 0 ] || fail "the installer exited with $rc"
for file in zorvitan.exe zorvitan-cli.exe README.md LICENSE.txt Uninstall.exe; do
  [ -f "$install/$file" ] || fail "not installed: $file"
done
[ -n "$(shortcut)" ] || fail "no Start-menu shortcut Zorvitan.lnk"
"$wine_run" reg query "$uninstall_key" >"$work/key.txt" 2>&1 || fail "no uninstall entry $uninstall_key"
grep -q 'UninstallString' "$work/key.txt" || fail "the uninstall entry has no UninstallString"

# The installed command-line program makes the map the built one makes.
"$wine_run" "$built_cli" -q "$(win "$site")" "$(win "$work/expected.htm")" >/dev/null 2>&1
"$wine_run" "$install/zorvitan-cli.exe" -q "$(win "$site")" "$(win "$work/map.htm")" \
  >"$work/cli.out" 2>&1
rc=$?
[ $rc -eq 0 ] || fail "the installed zorvitan-cli.exe exited with $rc: $(cat "$work/cli.out")"
[ -s "$work/expected.htm" ] && cmp -s "$work/expected.htm" "$work/map.htm" ||
  fail "the installed zorvitan-cli.exe made another map"

# The installed window program shows its window, and ends when the window is closed.
"$wine_run" "$install/zorvitan.exe" >/dev/null 2>&1 &
app=$!
"$wine_run" "$find_window" ZorvitanFrmMain 30 >"$work/window.txt" 2>&1 ||
  fail "the installed zorvitan.exe showed no window: $(cat "$work/window.txt")"
tries=0
while kill -0 $app 2>/dev/null && [ $tries -lt 100 ]; do
  sleep 0.1
  tries=$((tries + 1))
done
if kill -0 $app 2>/dev/null; then
  kill $app
  fail "zorvitan.exe still runs 10 s after its window was asked to close"
fi
wait $app || fail "zorvitan.exe exited with $?"

# The silent uninstaller copies itself away and returns at once; give it 20 s to finish.
"$wine_run" "$install/Uninstall.exe" /S >"$work/uninstall.log" 2>&1 || fail "the uninstaller failed"
tries=0
while { [ -e "$install" ] || [ -n "$(shortcut)" ]; } && [ $tries -lt 100 ]; do
  sleep 0.2
  tries=$((tries + 1))
done
[ -e "$install" ] && fail "left after uninstalling: $(ls -A "$install" | tr '\n' ' ')"
[ -n "$(shortcut)" ] && fail "the shortcut is left after uninstalling"
"$wine_run" reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall entry is left"

[ $failures -eq 0 ] && echo "$(basename "$installer"): installed, ran and uninstalled cleanly"
exit $((failures > 0))
