#!/usr/bin/env bash
# The sitemap's dates and head checks on one site: --lastmod git with the site kept in a git
# repository, beside --lastmod mtime (target: within 1.5×), and the xml run beside the same run
# of the program as it was before the head checks (the redirect and canonical tags, robots.txt;
# target: at most 1.1×), built once from BENCH_XML_BASELINE (default 17ed07e, main as this
# work was merged).
#
#   sitemap_git.sh RESULTS.jsonl SITE_NAME SITE_FOLDER OUT_FOLDER RUNS
#
# The repository lives beside the site (SITE_FOLDER.git, made once: the site's files committed in
# ten commits, a day apart, so the log holds a history) and is joined to the site by a ".git"
# file only while these runs last, so the other contenders walk the site as it was generated.
set -euo pipefail
results=$1 name=$2 site=$3 out=$4 runs=$5
cli=build/linux/cli/zorvitan-cli
baseline_commit=${BENCH_XML_BASELINE:-17ed07e}
baseline=build/bench/baseline-$baseline_commit
measure() { python3 bench/measure.py --results "$results" --site "$name" --runs "$runs" "$@"; }
say() { printf '\n== %s\n' "$*" >&2; }

# --- The program before the head checks, from the repository's own history.
if [ ! -x "$baseline/build/cli/zorvitan-cli" ]; then
  say "building zorvitan-cli as of $baseline_commit (the xml run before the head checks)"
  rm -rf "$baseline" && mkdir -p "$baseline/src"
  git archive "$baseline_commit" | tar -x -C "$baseline/src"
  cmake -S "$baseline/src" -B "$baseline/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DZORVITAN_BUILD_TESTS=OFF >/dev/null
  cmake --build "$baseline/build" --target zorvitan-cli --parallel "$(nproc)"
fi

# --- The repository, made once per generated site (its stamp says which).
gitdir=$(realpath -m "$site.git")
link=$site/.git
stamp=$(cat "$site.stamp" 2>/dev/null || echo none)
if [ "$(cat "$gitdir/zorvitan-site-stamp" 2>/dev/null)" != "$stamp" ]; then
  say "committing the $name site into $gitdir (once)"
  rm -rf "$gitdir" "$link"
  git init -q --separate-git-dir="$gitdir" "$site"
  export GIT_AUTHOR_NAME=bench GIT_AUTHOR_EMAIL=bench@example.com
  export GIT_COMMITTER_NAME=bench GIT_COMMITTER_EMAIL=bench@example.com
  (cd "$site" && find . -type f ! -name .git | sort >"$gitdir/files")
  split -n r/10 -d "$gitdir/files" "$gitdir/batch-"
  day=1
  for batch in "$gitdir"/batch-*; do
    date="2026-01-$(printf %02d "$day")T12:00:00Z"
    git -C "$site" -c core.looseCompression=1 add --pathspec-from-file="$batch"
    GIT_AUTHOR_DATE=$date GIT_COMMITTER_DATE=$date git -C "$site" -c gc.auto=0 commit -q \
      -m "batch $day"
    day=$((day + 1))
  done
  rm -f "$gitdir"/batch-* "$gitdir/files"
  # Packed, as a clone or any repository after its first gc is (no deltas: quicker to make).
  git --git-dir="$gitdir" -c pack.compression=1 repack -a -d -q --window=0
  echo "$stamp" >"$gitdir/zorvitan-site-stamp"
  rm -f "$link"
fi

printf 'gitdir: %s\n' "$gitdir" >"$link"
trap 'rm -f "$link"' EXIT
map=$out/sitemap-$name
measure --name "zorvitan-cli --format xml, before the head checks" \
  -- "$baseline/build/cli/zorvitan-cli" -q --format xml --base-url https://example.com/ "$site" "$map-before.xml"
measure --name "zorvitan-cli --format xml --lastmod mtime" \
  -- "$cli" -q --format xml --lastmod mtime --base-url https://example.com/ "$site" "$map-mtime.xml"
measure --name "zorvitan-cli --format xml --lastmod git" \
  -- "$cli" -q --format xml --lastmod git --base-url https://example.com/ "$site" "$map-git.xml"
# The git run must have dated the pages by their commits: ten days, not one.
# (A site of more than 50,000 pages has numbered files beside its index: all are read.)
days=$(cat "$map-git"*.xml | grep -o '<lastmod>2026-01-[0-9]*' | sort -u | wc -l)
[ "$days" = 10 ] || echo "bench: warning: --lastmod git gave $days commit days, not 10" >&2
cmp -s <(cat "$map-before"-*.xml | sed 's/<lastmod>[^<]*//') \
  <(cat "$map-mtime"-*.xml | sed 's/<lastmod>[^<]*//') ||
  echo "bench: warning: the sitemap lists other URLs than before the head checks" >&2
