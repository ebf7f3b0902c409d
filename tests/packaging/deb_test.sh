#!/bin/sh
# The .deb, tried as a user would.
#   deb_test.sh lintian PACKAGES                    lintian finds no error (warnings are shown)
#   deb_test.sh run PACKAGES SITE BUILT_CLI WORK    unpacked into a temporary root, its
#                                                   zorvitan-cli maps SITE as the built one does,
#                                                   and in Polish finds its Polish catalog
set -u
deb=$(ls "$2"/zorvitan-cli_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "FAIL: no zorvitan-cli_*.deb in $2" >&2; exit 1; }
if [ "$1" = lintian ]; then
  # lintian leaves a temporary file behind: keep it in the build folder, not in /tmp.
  rm -rf "$2/lintian-tmp" && mkdir "$2/lintian-tmp" || exit 1
  TMPDIR=$2/lintian-tmp exec lintian --fail-on error "$deb"
fi

site=$3 built_cli=$4 work=$5
rm -rf "$work" && mkdir -p "$work" && dpkg-deb -x "$deb" "$work/root" || exit 1
for file in ./usr/share/locale/pl/LC_MESSAGES/zorvitan-cli.mo ./usr/share/man/pl/man1/zorvitan-cli.1.gz \
  ./usr/share/man/man1/zorvitan-cli.1.gz; do
  dpkg-deb -c "$deb" | grep -q " $file\$" || { echo "FAIL: the package lacks $file" >&2; exit 1; }
done
"$built_cli" -q "$site" "$work/expected.html" >/dev/null || exit 1
"$work/root/usr/bin/zorvitan-cli" "$site" "$work/map.html" || { echo "FAIL: exit $?" >&2; exit 1; }
cmp "$work/expected.html" "$work/map.html" || { echo "FAIL: another map" >&2; exit 1; }
said=$(LC_ALL=pl_PL.UTF-8 LANGUAGE= "$work/root/usr/bin/zorvitan-cli" "$site" "$work/map.html")
case $said in
  Skończyłem*) ;;
  *) echo "FAIL: in Polish it said: $said" >&2; exit 1 ;;
esac
echo "$(basename "$deb"): unpacked, its zorvitan-cli made the map"
