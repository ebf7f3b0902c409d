#!/bin/sh
# zorvitan-cli speaks its user's language: English in C.UTF-8 (and wherever no catalog fits),
# Polish in pl_PL.UTF-8, every text it prints, its plural forms included; the help fits
# 80 columns in both; the map and the report are the same bytes in both.
#   cli_languages_test.sh ZORVITAN_CLI SAMPLE_SITE WORK_FOLDER
set -u
cli=$1
sample=$2
work=$3

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
locale -a 2>/dev/null | grep -qix 'pl_PL\.utf-\?8' ||
  { echo "FAIL: the pl_PL.UTF-8 locale is missing (run scripts/deps.sh)" >&2; exit 1; }

rm -rf "$work" && mkdir -p "$work/site" || exit 1
work=$(cd "$work" && pwd)
printf '<title>a</title><meta name=robots content=noindex>' >"$work/site/a.html"
printf '<meta http-equiv=refresh content="0; url=c.html">' >"$work/site/b.html"
printf '<title>c</title>\n<p>x</p><link rel=canonical href=a.html>' >"$work/site/c.html"

# run LOCALE NAME ARGS...: the program's exit code, stdout and stderr into $work/NAME.*
run() {
  locale=$1 name=$2
  shift 2
  LC_ALL=$locale LANGUAGE= "$cli" "$@" >"$work/$name.out" 2>"$work/$name.err"
  echo $? >"$work/$name.rc"
}
expect() {  # NAME RC OUT ERR
  [ "$(cat "$work/$1.rc")" = "$2" ] || fail "$1: exit code $(cat "$work/$1.rc"), not $2"
  printf '%s' "$3" | cmp -s - "$work/$1.out" || fail "$1: stdout is: $(cat "$work/$1.out")"
  printf '%s' "$4" | cmp -s - "$work/$1.err" || fail "$1: stderr is: $(cat "$work/$1.err")"
}
nl='
'
site=$work/site/
for lang in en pl; do
  locale=C.UTF-8
  [ $lang = pl ] && locale=pl_PL.UTF-8
  run $locale $lang-sample -q "$sample" "$work/$lang-map.html"
  # Outside any git work tree (the build folder may lie in one): git says so.
  GIT_CEILING_DIRECTORIES=$work run $locale $lang-sitemap -f xml -b https://example.com --lastmod git --report \
    "$work/$lang-report.txt" "$work/site" "$work/$lang-sitemap.xml"
  run $locale $lang-refused "$work/brak" "$work/map.html"
  run $locale $lang-usage -f xml "$work/site" "$work/map.xml"
  run $locale $lang-help --help
done

expect en-sample 0 "Finished writing the site map${nl}Found: 13 pages$nl" ""
expect pl-sample 0 "Skończyłem generowanie mapy serwisu${nl}Znalazłem: 13 plików$nl" ""
expect en-sitemap 0 "Finished writing the site map${nl}Found: 3 pages$nl" "\
Left out pages marked noindex: 1
c.html: canonical after the head ended at <p> (line 2): search engines do not see it
Left out redirects (meta refresh): 1
The folder is not in a git repository: $site; the dates (lastmod) are the files' times
"
expect pl-sitemap 0 "Skończyłem generowanie mapy serwisu${nl}Znalazłem: 3 pliki$nl" "\
Pominąłem strony z noindex: 1
c.html: canonical za końcem nagłówka strony, przy <p> (wiersz 2): wyszukiwarki tego nie widzą
Pominąłem przekierowania (meta refresh): 1
Folder nie leży w repozytorium git: $site; daty (lastmod) wziąłem z czasów plików
"
expect en-refused 1 "" "Cannot open the folder: $work/brak$nl"
expect pl-refused 1 "" "Nie mogę otworzyć katalogu: $work/brak$nl"
expect en-usage 2 "" "zorvitan-cli: --format xml needs --base-url URL
Usage: zorvitan-cli [OPTIONS] SITE_FOLDER MAP_FILE
Try 'zorvitan-cli --help' for more information.
"
expect pl-usage 2 "" "zorvitan-cli: --format xml wymaga --base-url URL
Użycie: zorvitan-cli [OPCJE] FOLDER_STRONY PLIK_MAPY
Więcej informacji: 'zorvitan-cli --help'.
"
# Machine outputs do not change with the language.
cmp -s "$work/en-map.html" "$work/pl-map.html" || fail "the maps differ between languages"
cmp -s "$work/en-sitemap.xml" "$work/pl-sitemap.xml" || fail "the sitemaps differ between languages"
cmp -s "$work/en-report.txt" "$work/pl-report.txt" || fail "the reports differ between languages"

# The help: within 80 columns (characters, not bytes), and wholly Polish in Polish.
for lang in en pl; do
  width=$(LC_ALL=C.UTF-8 wc -L <"$work/$lang-help.out")
  [ "$width" -le 80 ] || fail "$lang --help is $width columns wide"
done
for heading in Arguments Options 'The map file' 'Exit status' Examples; do
  grep -q "^$heading" "$work/pl-help.out" && fail "the Polish help has an English part: $heading"
done
grep -q '^Przykłady:$' "$work/pl-help.out" || fail "the Polish help has no examples"

# Polish plural forms, and English ones; a locale without a catalog speaks English, and
# LANGUAGE comes first, as in gettext.
for pages in 1 2 5 12 22; do
  mkdir -p "$work/pages$pages"
  i=0
  while [ $i -lt $pages ]; do i=$((i + 1)); : >"$work/pages$pages/p$i.htm"; done
  run pl_PL.UTF-8 pl-$pages -q "$work/pages$pages" "$work/pages$pages.html"
  run C.UTF-8 en-$pages -q "$work/pages$pages" "$work/pages$pages.html"
done
polish() { printf 'Skończyłem generowanie mapy serwisu\nZnalazłem: %s\n' "$1"; }
english() { printf 'Finished writing the site map\nFound: %s\n' "$1"; }
expect pl-1 0 "$(polish '1 plik')$nl" ""
expect pl-2 0 "$(polish '2 pliki')$nl" ""
expect pl-5 0 "$(polish '5 plików')$nl" ""
expect pl-12 0 "$(polish '12 plików')$nl" ""
expect pl-22 0 "$(polish '22 pliki')$nl" ""
expect en-1 0 "$(english '1 page')$nl" ""
expect en-22 0 "$(english '22 pages')$nl" ""
LC_ALL= LC_MESSAGES= LANG=pl_PL.UTF-8 LANGUAGE=en "$cli" -q "$work/pages1" "$work/p.html" \
  >"$work/language.out" 2>&1
english '1 page' | cmp -s - "$work/language.out" || fail "LANGUAGE=en: $(cat "$work/language.out")"
LC_ALL=de_DE.UTF-8 LANGUAGE= "$cli" -q "$work/pages1" "$work/p.html" >"$work/german.out" 2>&1
english '1 page' | cmp -s - "$work/german.out" || fail "German: $(cat "$work/german.out")"

[ $failures -eq 0 ] && echo "zorvitan-cli in English and Polish: all checks passed"
exit $((failures > 0))
