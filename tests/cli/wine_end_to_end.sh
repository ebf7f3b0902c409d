#!/bin/sh
# zorvitan-cli.exe under Wine with Windows paths: backslashes in headings and in
# untitled links, the Polish placeholder and folder names in code page 1250; its
# messages in Polish, the user's language, and in English when that is the user's.
#   wine_end_to_end.sh WINE_RUN ZORVITAN_CLI_EXE WORK_FOLDER INTERRUPTED_CLI_EXE
set -u
wine_run=$1
cli=$2
work=$3
interrupted_cli=$4

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
same_bytes() {  # expected-file actual-file what
  cmp -s "$1" "$2" || { fail "$3 differs"; od -c "$2" | head -20 >&2; }
}

rm -rf "$work"
mkdir -p "$work/site/dział" || exit 1
work=$(cd "$work" && pwd)
# Wine shows the Unix root as drive Z:.
win_work="Z:$(printf '%s' "$work" | tr / '\\')"
win_site="$win_work\\site"

printf '<title>Strona główna</title>' >"$work/site/index.htm"
printf '<p>nic</p>' >"$work/site/kontakt.htm"
printf '<TITLE>A &amp; B</TITLE>' >"$work/site/dział/a.htm"
printf '' >"$work/site/dział/b.htm"

# "ł" is \263 in code page 1250; page text passes through unchanged (UTF-8 here).
{
  printf '<h1>%s\\</h1>\r\n' "$win_site"
  printf '<br><a href="index.htm">Strona g\263\363wna</a>\r\n'  # the UTF-8 page's title, in 1250
  printf '<br><a href="kontakt.htm">#bez tytu\263u#</a>\r\n'
  printf '<h1>%s\\dzia\263\\</h1>\r\n' "$win_site"
  printf '<br><a href="dzia\263/a.htm">A &amp; B</a>\r\n'
  printf '<br><a href="dzia\263\\b.htm">#bez tytu\263u#</a>\r\n'
} >"$work/expected.htm"
printf 'Sko\361czy\263em generowanie mapy serwisu\nZnalaz\263em: 4 pliki\n' >"$work/expected.out"

# An absolute Windows site folder and map path.
"$wine_run" "$cli" "$win_site" "$win_work\\map.htm" >"$work/out" 2>"$work/err"
rc=$?
[ $rc -eq 0 ] || fail "absolute paths: exit code $rc"
same_bytes "$work/expected.htm" "$work/map.htm" "map (absolute paths)"
same_bytes "$work/expected.out" "$work/out" "closing message"
[ -s "$work/err" ] && fail "stderr not empty: $(cat "$work/err")"

# Relative paths, resolved against the current folder.
(cd "$work" && "$wine_run" "$cli" site map2.htm >/dev/null 2>&1)
rc=$?
[ $rc -eq 0 ] || fail "relative paths: exit code $rc"
same_bytes "$work/expected.htm" "$work/map2.htm" "map (relative paths)"

# Untitled pages left out; their folder keeps its heading.
"$wine_run" "$cli" -q --skip-untitled "$win_site" "$win_work\\map3.htm" >/dev/null 2>&1
LC_ALL=C grep -a -v 'bez tytu' "$work/expected.htm" >"$work/expected3.htm"
same_bytes "$work/expected3.htm" "$work/map3.htm" "map (--skip-untitled)"

# A refused run keeps the old map and says why on stderr.
printf 'old map' >"$work/old.htm"
"$wine_run" "$cli" "$win_work\\brak" "$win_work\\map.htm" >"$work/out" 2>"$work/err"
rc=$?
[ $rc -eq 1 ] || fail "missing site folder: exit code $rc"
same_bytes "$work/expected.htm" "$work/map.htm" "map after a refused run"
printf 'Nie mog\352 otworzy\346 katalogu: %s\\brak\n' "$win_work" >"$work/expected.err"
same_bytes "$work/expected.err" "$work/err" "refusal message"

# English as the user's language: the same map, the messages in English.
english() { ZORVITAN_WINE_MESSAGES=en_US.UTF-8 "$wine_run" "$cli" "$@"; }
english "$win_site" "$win_work\\map4.htm" >"$work/out" 2>"$work/err"
same_bytes "$work/expected.htm" "$work/map4.htm" "map (English)"
printf 'Finished writing the site map\nFound: 4 pages\n' >"$work/expected.out"
same_bytes "$work/expected.out" "$work/out" "closing message (English)"
english "$win_work\\brak" "$win_work\\map.htm" >"$work/out" 2>"$work/err"
printf 'Cannot open the folder: %s\\brak\n' "$win_work" >"$work/expected.err"
same_bytes "$work/expected.err" "$work/err" "refusal message (English)"
# The help in each language, wholly: the catalog compiled in holds every part.
"$wine_run" "$cli" --help >"$work/help-pl" 2>&1
english --help >"$work/help-en" 2>&1
LC_ALL=C grep -q "^$(printf 'Przyk\263ady'):" "$work/help-pl" || fail "Polish help: no examples"
grep -q '^Examples:' "$work/help-pl" && fail "Polish help: English examples"
grep -q '^Examples:' "$work/help-en" || fail "English help: no examples"
# Polish plural forms from the compiled-in formula: 1 plik, 5 plików, 22 pliki.
mkdir -p "$work/pages" || exit 1
count=0
for pages in 1 5 22; do
  while [ $count -lt $pages ]; do count=$((count + 1)); : >"$work/pages/p$count.htm"; done
  "$wine_run" "$cli" -q "$win_work\\pages" "$win_work\\pages.htm" >"$work/out" 2>&1
  case $pages in 1) form='plik' ;; 5) form='plik\363w' ;; *) form='pliki' ;; esac
  printf "Sko\361czy\263em generowanie mapy serwisu\nZnalaz\263em: $pages $form\n" >"$work/expected.out"
  same_bytes "$work/expected.out" "$work/out" "Polish plural for $pages"
done

# Usage errors.
"$wine_run" "$cli" "$win_site" >/dev/null 2>&1
rc=$?
[ $rc -eq 2 ] || fail "one argument: exit code $rc"

# Ctrl-C in the middle of a run (the test build presses it on a console of its
# own once pages are read, and the program's console control handler takes it):
# the old map stays and the temporary file of the new one goes. Wine ends the
# process with exit code 0 here, so the code tells nothing.
printf 'old map' >"$work/kept.htm"
"$wine_run" "$interrupted_cli" 2 -q "$win_site" "$win_work\\kept.htm" >/dev/null 2>"$work/err"
[ -s "$work/err" ] && fail "interrupted run: $(cat "$work/err")"
[ "$(cat "$work/kept.htm")" = "old map" ] || fail "interrupted run changed the old map"
leftovers=$(ls -a "$work" | grep -c '~zv') || true
[ "$leftovers" -eq 0 ] || fail "interrupted run left $leftovers temporary file(s)"

[ $failures -eq 0 ] && echo "zorvitan-cli.exe under Wine: all checks passed"
exit $((failures > 0))
