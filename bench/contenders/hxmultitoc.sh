#!/usr/bin/env bash
# hxmultitoc over every page of a site: a parser that reads each page whole.
# Its table of contents is thrown away; the pages are not all well-formed, so
# its complaints are too. The exit status (xargs: 123 when any batch failed)
# is reported in the results.
#
#   hxmultitoc.sh SITE_FOLDER
set -uo pipefail
find "$1" -type f \( -iname '*.htm' -o -iname '*.html' -o -iname '*.php' \) -print0 |
  xargs -0 hxmultitoc >/dev/null 2>&1
