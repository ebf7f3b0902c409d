#!/bin/sh
# The .deb that CPack made, tried as a user would.
#   deb_test.sh run PACKAGES SITE BUILT_CLI WORK   unpacked into a temporary root, its zorvitan-cli
#                                                  maps SITE as the built one does
#   deb_test.sh lintian PACKAGES                   lintian finds no error (warnings are shown)
set -u
mode=$1
packages=$2

deb=$(ls "$packages"/zorvitan-cli_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "FAIL: no zorvitan-cli_*.deb in $packages" >&2; exit 1; }

if [ "$mode" = lintian ]; then
  lintian --fail-on error "$deb"
  rc=$?
  [ $rc -eq 0 ] || echo "FAIL: lintian found errors in $deb (exit code $rc)" >&2
  exit $rc
fi

site=$3
built_cli=$4
work=$5
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -rf "$work"
mkdir -p "$work" || exit 1
dpkg-deb -x "$deb" "$work/root" || exit 1
for file in usr/bin/zorvitan-cli usr/share/man/man1/zorvitan-cli.1.gz \
  usr/share/doc/zorvitan-cli/copyright usr/share/doc/zorvitan-cli/changelog.Debian.gz \
  usr/share/doc/zorvitan-cli/README.md; do
  [ -f "$work/root/$file" ] || fail "the package has no /$file"
done

"$built_cli" -q "$site" "$work/expected.html" >/dev/null || exit 1
"$work/root/usr/bin/zorvitan-cli" "$site" "$work/map.html" >"$work/out" 2>"$work/err"
rc=$?
[ $rc -eq 0 ] || fail "the packaged zorvitan-cli exited with $rc: $(cat "$work/err")"
cmp -s "$work/expected.html" "$work/map.html" || fail "the packaged zorvitan-cli made another map"
grep -q 'Znalazłem' "$work/out" || fail "no closing message: $(cat "$work/out")"

[ $failures -eq 0 ] && echo "$(basename "$deb"): unpacked, its zorvitan-cli made the map"
exit $((failures > 0))
