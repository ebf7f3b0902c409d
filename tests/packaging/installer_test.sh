#!/bin/sh
# The NSIS installer under Wine, run silently: both programs, the Start-menu shortcut and the
# uninstall entry are there, the window program shows its window, zorvitan-cli.exe maps the
# sample site as the built one does; the silent uninstaller removes all of it.
#   installer_test.sh WINE_RUN PACKAGES FIND_WINDOW BUILT_CLI SITE WORK WINE_DIR
set -u
wine_run=$1 find_window=$3 built_cli=$4 site=$5 work=$6
prefix=${ZORVITAN_WINE_DIR:-$7}/prefix
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorvitan'
installer=$(ls "$2"/zorvitan-*-win64.exe 2>/dev/null | head -n 1)
[ -n "$installer" ] || { echo "FAIL: no installer in $2" >&2; exit 1; }

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
win() { printf 'Z:%s' "$1" | tr / '\\'; }  # Wine shows the Unix root as drive Z:
shortcut() { find "$prefix/drive_c" -path '*/Start Menu/*' -name Zorvitan.lnk; }
rm -rf "$work" && mkdir -p "$work" && work=$(cd "$work" && pwd) || exit 1
install=$work/Zorvitan

# /D= comes last and unquoted.
"$wine_run" "$installer" /S "/D=$(win "$install")" >/dev/null 2>&1 || fail "installer: exit $?"
for file in zorvitan.exe zorvitan-cli.exe README.md LICENSE.txt Uninstall.exe; do
  [ -f "$install/$file" ] || fail "not installed: $file"
done
[ -n "$(shortcut)" ] || fail "no Start-menu shortcut"
"$wine_run" reg query "$key" 2>&1 | grep -q UninstallString || fail "no uninstall entry"

"$wine_run" "$built_cli" -q "$(win "$site")" "$(win "$work/expected.htm")" >/dev/null 2>&1
"$wine_run" "$install/zorvitan-cli.exe" -q "$(win "$site")" "$(win "$work/map.htm")" ||
  fail "installed zorvitan-cli.exe: exit $?"
[ -s "$work/map.htm" ] && cmp -s "$work/expected.htm" "$work/map.htm" ||
  fail "the installed zorvitan-cli.exe made another map"

# The window is asked to close once found; the program must then end by itself.
"$wine_run" "$install/zorvitan.exe" >/dev/null 2>&1 &
app=$!
"$wine_run" "$find_window" ZorvitanFrmMain 30 || fail "the installed zorvitan.exe showed no window"
tries=0
while kill -0 $app 2>/dev/null && [ $((tries += 1)) -le 100 ]; do sleep 0.1; done
kill $app 2>/dev/null && fail "zorvitan.exe still runs 10 s after its window was closed"
wait $app || fail "zorvitan.exe: exit $?"

# The uninstaller copies itself away and returns at once: give the copy 20 s.
"$wine_run" "$install/Uninstall.exe" /S || fail "uninstaller: exit $?"
tries=0
while { [ -e "$install" ] || [ -n "$(shortcut)" ]; } && [ $((tries += 1)) -le 100 ]; do
  sleep 0.2
done
[ -e "$install" ] && fail "left after uninstalling: $(ls -A "$install")"
[ -n "$(shortcut)" ] && fail "the shortcut is left after uninstalling"
"$wine_run" reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is left"
[ $failures -eq 0 ] && echo "$(basename "$installer"): installed, ran and uninstalled cleanly"
exit $((failures > 0))
