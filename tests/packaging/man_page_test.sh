#!/bin/sh
# zorvitan-cli's man pages render without a troff warning, the English one in English and the
# Polish one in Polish, with their Polish letters intact.
#   man_page_test.sh WORK_FOLDER ENGLISH_PAGE POLISH_PAGE
set -u
work=$1
mkdir -p "$work" || exit 1
failures=0
fail() { echo "FAIL: $*" >&2; failures=1; }

# page LANGUAGE FILE TEXT...: the page renders cleanly and holds every TEXT.
page() {
  language=$1 man_page=$2
  shift 2
  [ -f "$man_page" ] || { fail "$man_page is missing (is help2man installed?)"; return; }
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$man_page" >"$work/$language.txt" \
    2>"$work/$language.warnings"
  [ -s "$work/$language.warnings" ] && fail "man reports on the $language page: $(cat "$work/$language.warnings")"
  for text in "$@"; do
    # help2man reads the help in the locale it is given: in C it turns "ł" into "?".
    grep -q -- "$text" "$work/$language.txt" || fail "the $language page lacks \"$text\""
  done
}
page English "$2" '#bez tytułu#' 'Finished writing the site map' 'EXAMPLES'
page Polish "$3" '#bez tytułu#' 'Skończyłem generowanie mapy serwisu' 'PRZYKŁADY' \
  'zapisuje mapę strony WWW'
[ $failures -eq 0 ] && echo "man pages: render cleanly, in English and in Polish"
exit $failures
