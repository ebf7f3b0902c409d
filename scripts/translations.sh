#!/usr/bin/env bash
# zorvitan-cli's message catalogs (po/), kept current with the sources by GNU gettext's tools.
#
#   scripts/translations.sh update   po/zorvitan-cli.pot from the messages in cli/*.cpp (xgettext),
#                                    then each po/<language>.po merged with it (msgmerge): new
#                                    messages come in untranslated, changed ones marked fuzzy
#   scripts/translations.sh check    fails when the template is stale, a catalog is not valid
#                                    (msgfmt --check) or a message is untranslated or fuzzy
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
for tool in xgettext msgmerge msgfmt msgcmp; do
  command -v $tool >/dev/null || { echo "translations.sh: $tool is missing: run scripts/deps.sh" >&2; exit 1; }
done
template=po/zorvitan-cli.pot
languages=$(grep -v '^#' po/LINGUAS)

# The messages are the arguments of Translate, TranslateLater and TranslatePlural. Places are
# given by file only, so moving code does not make the template stale.
extract() {  # output
  xgettext --from-code=UTF-8 --language=C++ --keyword= --keyword=Translate \
    --keyword=TranslateLater --keyword=TranslatePlural:1,2 --add-comments=TRANSLATORS: \
    --add-location=file --package-name=zorvitan-cli --copyright-holder="Zorvitan developers" \
    --msgid-bugs-address=developers@zorvitan.example.org -o "$1" cli/*.cpp
}
# The template without its creation date, which changes on every extraction.
undated() { grep -v '^"POT-Creation-Date:' "$1"; }

fresh=$(mktemp)
trap 'rm -f "$fresh"' EXIT
extract "$fresh"
case "${1:-}" in
  update)
    if ! [ -f "$template" ] || ! cmp -s <(undated "$fresh") <(undated "$template"); then
      cp "$fresh" "$template"
      echo "translations.sh: $template updated"
    fi
    for language in $languages; do
      msgmerge --quiet --update --backup=none --add-location=file "po/$language.po" "$template"
      msgfmt --check --statistics -o /dev/null "po/$language.po"
    done
    ;;
  check)
    failures=0
    if ! cmp -s <(undated "$fresh") <(undated "$template"); then
      echo "FAIL: $template is stale; run scripts/translations.sh update:" >&2
      diff <(undated "$template") <(undated "$fresh") | head -20 >&2
      failures=1
    fi
    for language in $languages; do
      msgfmt --check -o /dev/null "po/$language.po" || failures=1
      # Every message of the template, translated and not fuzzy.
      msgcmp "po/$language.po" "$template" || failures=1
    done
    [ $failures -eq 0 ] && echo "translations: template current, every catalog valid and complete"
    exit $failures
    ;;
  *)
    sed -n '2,8s/^# \{0,1\}//p' "$0"
    exit 2
    ;;
esac
