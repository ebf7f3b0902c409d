#!/usr/bin/env bash
# Installs from Debian's packages what building and testing Zorvitan needs, and only what is
# missing, so a second run takes a fraction of a second. Also makes the glibc locale that the
# Windows tests run under (pl_PL.UTF-8: Wine then uses the Polish 8-bit code page 1250), which
# the Polish messages of zorvitan-cli and its Polish man page need too, and
# puts the npm packages playwright-core, which drives Debian's Chromium in the browser test and
# downloads no browser of its own, sitemap, whose parser reads the sitemaps in the sitemap
# test, robots-parser, which judges the robots.txt rules there, vnu-jar (the Nu Html
# Checker, run with Debian's Java) and axe-core, which check the html5 map, parse5, the
# HTML parser the head reader is checked against (tests/head), and commonmark, the reference
# Markdown parser that reads llms.txt back (tests/llms), and language-tags with the IANA language
# subtag registry it reads, which judges the language codes (tests/language_codes) and the
# sitemap's hreflang codes (tests/sitemap), into build/browser-tools.
#
#   scripts/deps.sh              the build, test and packaging tools
#   scripts/deps.sh native       only what building zorvitan-cli needs (`make run`)
#   scripts/deps.sh screenshot   also ImageMagick, for `make screenshot`
#
# Runs as root, or through sudo when started as another user.
set -euo pipefail

native=(cmake make g++)
full=(
  pkg-config
  clang-format                           # the format check of the product code (make test)
  libgtest-dev libgmock-dev googletest   # native GoogleTest, and its sources for the cross build
  g++-mingw-w64-x86-64                   # the Windows cross compiler (posix thread model)
  wine wine64                            # runs the Windows test programs
  xvfb xauth                             # a headless X server for the window tests
  locales                                # localedef and the pl_PL locale source
  chromium                               # the browser that follows the map's links (tests/browser)
  libxml2-utils                          # xmllint, which validates the sitemaps (tests/sitemap)
  git                                    # the page histories behind --lastmod git (tests/sitemap)
  default-jre-headless                   # Java for the Nu Html Checker (tests/html5)
  gettext                                # xgettext, msgfmt: zorvitan-cli's message catalogs (po/)
  help2man man-db                        # the man pages, and their check
  dpkg-dev file lintian                  # the .deb: dpkg-shlibdeps (CPack needs `file`), lintian
  nsis                                   # makensis, for the Windows installer
)
mode=full
screenshot=
for extra in "$@"; do
  case "$extra" in
    native) mode=native ;;
    screenshot) screenshot=1 ;;
    *) echo "deps.sh: unknown option '$extra' (known: native, screenshot)" >&2; exit 2 ;;
  esac
done
packages=("${native[@]}")
if [ "$mode" = full ]; then
  packages+=("${full[@]}")
  # Node.js and npm come from Debian only when the commands are missing: an npm from elsewhere
  # conflicts with Debian's npm package.
  command -v node >/dev/null 2>&1 || packages+=(nodejs)
  command -v npm >/dev/null 2>&1 || packages+=(npm)
fi
[ -z "$screenshot" ] || packages+=(imagemagick)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "deps.sh: '$*' needs root; run this script as root or install sudo" >&2
    exit 1
  fi
}

missing=()
for pkg in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$pkg")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "deps.sh: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -q
  as_root apt-get install -y -q "${missing[@]}"
fi

[ "$mode" = full ] || exit 0

# Wine takes its code page from the locale; the glibc locale itself must exist too, or files
# with Polish letters in their names cannot be opened. Without it gettext falls back to English.
# en_US.UTF-8 makes English the user's language of the Windows programs in the tests that ask
# for it (scripts/wine-run.sh).
for name in pl_PL en_US; do
  if ! locale -a 2>/dev/null | grep -qix "$name\.utf-\?8"; then
    echo "deps.sh: generating the $name.UTF-8 locale"
    as_root localedef -i "$name" -f UTF-8 "$name.UTF-8"
  fi
done

# The npm packages, pinned, installed by the user running this script (not root) beside the
# builds, without their install scripts: vnu-jar's would download a Java of its own, where
# Debian's is used. sitemap 8 runs on Debian 12's Node.js 18.
tools=$(cd "$(dirname "$0")/.." && pwd)/build/browser-tools
npm_package() {  # name version
  if ! grep -qs "\"version\": \"$2\"" "$tools/node_modules/$1/package.json"; then
    echo "deps.sh: installing $1 $2 into $tools"
    mkdir -p "$tools"
    PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm install --prefix "$tools" --no-audit --no-fund \
      --ignore-scripts --save-exact "$1@$2"
  fi
}
npm_package playwright-core 1.64.1
npm_package sitemap 8.0.3
npm_package robots-parser 3.0.1
npm_package vnu-jar 26.9.27
npm_package axe-core 4.14.1
npm_package parse5 8.1.1
npm_package commonmark 0.31.2
# The registry first, so that language-tags takes this version of it and not the newest.
npm_package language-subtag-registry 0.3.23
npm_package language-tags 1.0.9
