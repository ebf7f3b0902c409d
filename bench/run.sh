#!/usr/bin/env bash
# The benchmark behind `make bench`: zorvitan-cli beside the read-everything bound and its
# peers on generated sites, warm cache, median of several runs. Writes build/bench/results.md
# and build/bench/results.png and prints the table.
#
#   bench/run.sh                          the 10k and 100k sites, the huge page, the Wine run
#   BENCH_SIZES="10k 100k 1m" bench/run.sh   also the 1M site (about 27 GB of disk)
#
# Settings (environment): BENCH_SIZES (10k 100k 1m), BENCH_RUNS (runs of the quick contenders,
# default 5), BENCH_WINE=0 (skip the Windows program), BENCH_HUGE=0 (skip the 500 MB page),
# BENCH_SMALL=0 (skip the 500,000 small pages), BENCH_GIT=0 (skip the sitemap's git dates and
# head checks on the 100k site, bench/sitemap_git.sh), BENCH_ALTERNATES=0 (skip the copy of the
# largest site up to 100k whose every page names three language versions),
# BENCH_SEED (default 1). Sites are generated once under build/bench/sites/ and reused while
# their parameters stay the same.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=build/bench
sizes=${BENCH_SIZES:-10k 100k}
runs=${BENCH_RUNS:-5}
seed=${BENCH_SEED:-1}
results=$out/results.jsonl
cli=build/linux/cli/zorvitan-cli
xml_name="zorvitan-cli --format xml"
html5_name="zorvitan-cli --format html5"
llms_name="zorvitan-cli --format llms"
jobs=$(nproc)

say() { printf '\n== %s\n' "$*" >&2; }

# --- Tools: the project's own, then what only the benchmark uses (installed only when missing).
install_missing() {
  local missing=() pkg
  for pkg in "$@"; do
    [ "$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null)" = installed ] ||
      missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return
  say "installing ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${missing[@]}"
}
[ -x scripts/deps.sh ] && scripts/deps.sh
install_missing gcc python3 time tree html-xml-utils gnuplot-nox

# --- The benchmark's own checks (a few seconds): a broken generator or runner spoils every figure.
python3 -m unittest discover -s bench/tests

# --- Programs.
say "building zorvitan-cli (preset linux) and the bound"
cmake --preset linux >/dev/null
cmake --build --preset linux --target zorvitan-cli --parallel "$jobs"
mkdir -p "$out/sites" "$out/out"
cc -O2 -o "$out/readall" bench/readall.c

# --- Measuring.
: >"$results"
measure() { python3 bench/measure.py --results "$results" "$@"; }

site_record() {  # site, pages, folders, folder
  local bytes
  bytes=$(du -sb "$4" | cut -f1)
  printf '{"kind": "site", "site": "%s", "pages": %d, "folders": %d, "bytes": %d}\n' \
    "$1" "$2" "$3" "$bytes" >>"$results"
}

# Compares the pages in zorvitan-cli's map with the pages the bound read.
check_count() {  # site folder, map
  local read listed
  read=$("$out/readall" "$1" | cut -d' ' -f1)
  listed=$(grep -c '^<br><a ' "$2" || true)
  [ "$read" = "$listed" ] ||
    echo "bench: warning: the map of $1 lists $listed pages, the bound read $read" >&2
}

compare_on() {  # site name, pages, folders
  local name=$1 pages=$2 folders=$3 site=$out/sites/$1
  say "site $name: $pages pages in $folders folders"
  python3 bench/gen_site.py --pages "$pages" --folders "$folders" --seed "$seed" \
    --jobs "$jobs" "$site"
  site_record "$name" "$pages" "$folders" "$site"
  # Fewer runs where one run takes long; the site is already in the page cache by then.
  local slow_runs=3 hx_runs=3 hx_note=""
  if [ "$pages" -ge 100000 ]; then slow_runs=1 hx_runs=1 hx_note="1 run: slow"; fi
  # The bound goes first: its warm-up run brings the whole site into the page cache.
  measure --site "$name" --name "bound (walk + read all)" --runs "$runs" --warmup 2 \
    -- "$out/readall" "$site"
  measure --site "$name" --name zorvitan-cli --runs "$runs" \
    -- "$cli" -q "$site" "$out/out/map-$name.html"
  check_count "$site" "$out/out/map-$name.html"
  # The sitemap of the same site: the head of every page instead of its title, and its time.
  measure --site "$name" --name "$xml_name" --runs "$runs" \
    -- "$cli" -q --format xml --base-url https://example.com/ "$site" "$out/out/sitemap-$name.xml"
  # llms.txt: the sitemap's heads and URLs, with each page's title and description.
  measure --site "$name" --name "$llms_name" --runs "$runs" \
    -- "$cli" -q --format llms --base-url https://example.com/ "$site" "$out/out/llms-$name.txt"
  # The page to publish: the same titles, nested by folder.
  measure --site "$name" --name "$html5_name" --runs "$runs" \
    -- "$cli" -q --format html5 "$site" "$out/out/map-$name-html5.html"
  measure --site "$name" --name "tree (walk only)" --runs "$runs" \
    -- tree -H . -P '*.htm|*.html|*.php' --ignore-case --prune --noreport -o /dev/null "$site"
  measure --site "$name" --name "Python script" --runs "$slow_runs" --warmup 0 \
    -- python3 bench/contenders/titles.py "$site" "$out/out/map-$name-python.html"
  if [ "$pages" -lt 1000000 ] || [ -n "${BENCH_HX_1M:-}" ]; then
    measure --site "$name" --name hxmultitoc --runs "$hx_runs" --warmup 0 --note "$hx_note" \
      -- bench/contenders/hxmultitoc.sh "$site"
  fi
}

for size in $sizes; do
  case "$size" in
    10k) compare_on 10k 10000 200 ;;
    100k) compare_on 100k 100000 2000 ;;
    1m) compare_on 1m 1000000 20000 ;;
    *) echo "bench: unknown size '$size' (known: 10k 100k 1m)" >&2; exit 2 ;;
  esac
done

if [ "${BENCH_GIT:-1}" != 0 ] && [ -d "$out/sites/100k" ]; then
  bench/sitemap_git.sh "$results" 100k "$out/sites/100k" "$out/out" "$runs"
fi

# Language versions: a copy of the largest site up to 100k (its own names, the same pages
# otherwise) whose every page names three alternates, beside the xml run on the site itself.
alternates_site=""
for size in $sizes; do
  case "$size" in 10k) alternates_site="10k 10000 200" ;; 100k) alternates_site="100k 100000 2000" ;; esac
done
if [ "${BENCH_ALTERNATES:-1}" != 0 ] && [ -n "$alternates_site" ]; then
  read -r name pages folders <<<"$alternates_site"
  say "site $name, every page with three language versions"
  python3 bench/gen_site.py --pages "$pages" --folders "$folders" --seed "$seed" --jobs "$jobs" \
    --alternates "$out/sites/$name-alternates"
  measure --site "$name" --name "$xml_name, three alternates a page" --runs "$runs" --warmup 2 \
    -- "$cli" -q --format xml --base-url https://example.com/ "$out/sites/$name-alternates" \
    "$out/out/sitemap-$name-alternates.xml"
  measure --site "$name" --name "$xml_name --hreflang none, three alternates a page" \
    --runs "$runs" -- "$cli" -q --format xml --hreflang none --base-url https://example.com/ \
    "$out/sites/$name-alternates" "$out/out/sitemap-$name-alternates-none.xml"
fi

if [ "${BENCH_SMALL:-1}" != 0 ]; then
  say "500,000 small pages in 5,000 folders: what a run keeps per page"
  python3 bench/gen_site.py --pages 500000 --folders 5000 --small --seed "$seed" --jobs "$jobs" \
    "$out/sites/500k-small"
  site_record 500k-small 500000 5000 "$out/sites/500k-small"
  measure --site 500k-small --name zorvitan-cli --runs 3 \
    -- "$cli" -q "$out/sites/500k-small" "$out/out/map-500k-small.html"
fi

if [ "${BENCH_HUGE:-1}" != 0 ]; then
  say "one untitled 500 MB page: memory must not follow the page size"
  python3 bench/gen_site.py --single-page-mb 500 "$out/sites/huge-500mb"
  measure --site huge-500mb --name zorvitan-cli --runs 3 \
    -- "$cli" -q "$out/sites/huge-500mb" "$out/out/map-huge.html"
fi

if [ "${BENCH_WINE:-1}" != 0 ] && [ -d "$out/sites/10k" ]; then
  bench/wine.sh "$results" "$out/sites/10k" "$out/out" "$runs" "$out/readall" ||
    echo "bench: the Windows programs could not be measured (see above)" >&2
fi

# --- Report.
bench/machine.sh "$out" >"$out/machine.txt"
python3 bench/report.py "$results" "$out/machine.txt" "$out/results.md" "$out/results.dat"
gnuplot -e "data='$out/results.dat'; out='$out/results.png'" bench/chart.gp &&
  echo "Chart: $out/results.png; table: $out/results.md" >&2
