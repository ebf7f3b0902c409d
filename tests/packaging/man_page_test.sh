#!/bin/sh
# zorvitan-cli's man page renders without a troff warning, with its Polish letters intact.
#   man_page_test.sh MAN_PAGE WORK_FOLDER
set -u
man_page=$1
work=$2

[ -f "$man_page" ] || { echo "FAIL: $man_page is missing (is help2man installed?)" >&2; exit 1; }
mkdir -p "$work" || exit 1
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$man_page" >"$work/page.txt" 2>"$work/warnings"
failures=0
if [ -s "$work/warnings" ]; then
  echo "FAIL: man reports:" >&2
  cat "$work/warnings" >&2
  failures=1
fi
# help2man reads the help in the locale it is given: in C it turns "ł" into "?".
if ! grep -q '#bez tytułu#' "$work/page.txt"; then
  echo "FAIL: the page lost its Polish letters:" >&2
  grep 'bez tytu' "$work/page.txt" >&2
  failures=1
fi
[ $failures -eq 0 ] && echo "man page: renders cleanly"
exit $failures
