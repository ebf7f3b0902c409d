#!/bin/sh
# zorvitan-cli.exe under Wine (code page 1250) on names the code page lacks and
# on a tree past MAX_PATH: every page listed and titled, nothing reported.
#   wine_wide_names.sh WINE_RUN ZORVITAN_CLI_EXE WORK_FOLDER
set -u
wine_run=$1
cli=$2
work=$3

failures=0
fail() { printf 'FAIL: %s\n' "$*" >&2; failures=$((failures + 1)); }
win() { printf 'Z:%s' "$1" | tr / '\\'; }  # Wine shows the Unix root as Z:

rm -rf "$work"
mkdir -p "$work/site" || exit 1
work=$(cd "$work" && pwd)
site=$work/site
page() { mkdir -p "$(dirname "$site/$1")" && printf '<title>%s</title>' "$2" >"$site/$1"; }

# The map's lines, in any order. Marked names link as UTF-8 "%" escapes and
# head as character references; "\277\363\263\346" is "żółć" in code page 1250.
expect() { printf '%s\r\n' "$@" >>"$work/expected"; }
page '日本.htm' Nihon
page 'smile😀.htm' Smile
page 'zażółć.htm' Polish
page 'данные/strona.htm' Dane
expect "<h1>$(win "$site/")</h1>" '<br><a href="%E6%97%A5%E6%9C%AC.htm">Nihon</a>' \
  '<br><a href="smile%F0%9F%98%80.htm">Smile</a>' "$(printf '<br><a href="za\277\363\263\346.htm">Polish</a>')" \
  "<h1>$(win "$site/")&#1076;&#1072;&#1085;&#1085;&#1099;&#1077;\\</h1>" \
  '<br><a href="%D0%B4%D0%B0%D0%BD%D0%BD%D1%8B%D0%B5/strona.htm">Dane</a>'
# A page on each of 14 levels: the deepest paths pass 400 characters.
deep=
for level in 10 11 12 13 14 15 16 17 18 19 20 21 22 23; do
  deep="${deep}poziom-$level-abcdefghijklmnopq/"
  page "${deep}strona.htm" "Level $level"
  expect "<h1>$(win "$site/$deep")</h1>" "<br><a href=\"${deep}strona.htm\">Level $level</a>"
done
page "${deep}głęboko-日本.htm" Deep
expect "<br><a href=\"${deep}g%C5%82%C4%99boko-%E6%97%A5%E6%9C%AC.htm\">Deep</a>"
LC_ALL=C sort -o "$work/expected" "$work/expected"

run() {  # map-path what
  "$wine_run" "$cli" "$(win "$site")" "$(win "$1")" >"$work/out" 2>"$work/err"
  rc=$?
  [ $rc -eq 0 ] || fail "$2: exit code $rc"
  [ -s "$work/err" ] && fail "$2: reported $(cat "$work/err")"
  grep -aq ': 19 plik' "$work/out" || fail "$2: closing message $(cat "$work/out")"
  LC_ALL=C sort "$1" | cmp -s "$work/expected" - ||
    { fail "$2: map lines differ"; LC_ALL=C sort "$1" | diff "$work/expected" - | head >&2; }
}
run "$work/map.htm" "map"
# The map itself past MAX_PATH, replacing an old one there.
mkdir -p "$work/far/$deep" && printf 'old map' >"$work/far/${deep}map.htm"
run "$work/far/${deep}map.htm" "map past MAX_PATH"
[ "$(ls -a "$work/far/$deep" | grep -c '~zv')" -eq 0 ] || fail "temporary map left"
# A refused run (no such site folder) leaves no new map past MAX_PATH either.
"$wine_run" "$cli" "$(win "$work/brak")" "$(win "$work/far/${deep}new.htm")" >/dev/null 2>&1
[ ! -e "$work/far/${deep}new.htm" ] || fail "refused run left an empty map past MAX_PATH"

[ $failures -eq 0 ] && echo "zorvitan-cli.exe, wide names and long paths: all checks passed"
exit $((failures > 0))
