#!/usr/bin/env python3
"""Turns the benchmark's measurements into a Markdown report and chart data.

    report.py RESULTS.jsonl MACHINE.txt OUT.md CHART.dat

RESULTS.jsonl holds one line per contender and site (from measure.py) and one
line per site describing it ({"kind": "site", ...}). The targets are checked on
the biggest site measured that has the bound and hxmultitoc beside zorvitan-cli.
"""
import json
import sys

REFERENCE = "zorvitan-cli"
XML = "zorvitan-cli --format xml"
HTML5 = "zorvitan-cli --format html5"
LLMS = "zorvitan-cli --format llms"
# The other formats' time ÷ the classic map's, on the same site.
FORMAT_LIMITS = ((XML, 1.2), (HTML5, 1.1))
# The sitemap's dates from git ÷ from file times, its head checks ÷ the run before them, and
# llms.txt (the same heads and URLs, with titles and descriptions) ÷ the sitemap.
XML_BEFORE = "zorvitan-cli --format xml, before the head checks"
XML_MTIME = "zorvitan-cli --format xml --lastmod mtime"
XML_GIT = "zorvitan-cli --format xml --lastmod git"
# The sitemap of a copy of the site whose every page names three language versions.
XML_ALTERNATES = "zorvitan-cli --format xml, three alternates a page"
SITEMAP_RATIOS = ((XML_GIT, XML_MTIME, 1.5), (XML_MTIME, XML_BEFORE, 1.1), (LLMS, XML, 1.2),
                  (XML_ALTERNATES, XML, 1.2))
BOUND = "bound (walk + read all)"
HXMULTITOC = "hxmultitoc"
RSS_LIMIT_MB = 64
HUGE_PAGE_LIMIT_MB = 600
# Under Wine, the Windows programs against the Win32 bound measured beside them.
WIN32_BOUND = "bound (Win32, Wine)"
WINE_TARGETS = (("zorvitan-cli.exe (Wine)", 0.9), ("window run (Wine)", 1.5))


# What a run may keep per page: the sites of small pages and their peak RSS limits.
SMALL_PAGE_LIMITS_MB = {"500k-small": 40, "1m": 64}


def load(path):
    measured, sites = [], {}
    with open(path) as f:
        for line in f:
            if not line.strip():
                continue
            record = json.loads(line)
            if record.get("kind") == "site":
                sites[record["site"]] = record
            else:
                measured.append(record)
    return measured, sites


def by_site(measured):
    """{site: {name: record}} in the order first measured; a later run replaces an earlier."""
    table = {}
    for record in measured:
        table.setdefault(record["site"], {})[record["name"]] = record
    return table


def ratio(record, reference):
    if reference is None or reference["median_s"] <= 0:
        return None
    return record["median_s"] / reference["median_s"]


def mb(kb):
    return kb / 1024


def site_heading(site, info):
    if not info:
        return f"### {site}"
    return (f"### {site}: {info['pages']:,} pages in {info['folders']:,} folders, "
            f"{info['bytes'] / 1e9:.2f} GB")


def site_table(rows):
    reference = rows.get(REFERENCE)
    lines = ["| contender | median time | × zorvitan-cli | CPU time | peak RSS | runs | note |",
             "| --- | ---: | ---: | ---: | ---: | ---: | --- |"]
    for name, record in rows.items():
        r = ratio(record, reference)
        note = record.get("note", "")
        if record["exit_codes"] != [0]:
            codes = ", ".join(str(c) for c in record["exit_codes"])
            note = f"{note}; exit {codes}" if note else f"exit {codes}"
        lines.append(f"| {name} | {record['median_s']:.3f} s | "
                     f"{'—' if r is None else f'{r:.2f}'} | {record.get('cpu_s', 0):.3f} s | "
                     f"{mb(record['peak_rss_kb']):.1f} MB | "
                     f"{record['runs']} | {note} |")
    return lines


def check(label, value, limit, unit="", aside=""):
    verdict = "met" if value <= limit else "**missed**"
    return f"- {label}: {value:.2f}{unit} (target ≤ {limit}{unit}) — {verdict}{aside}"


def cpu_aside(ref, other):
    """The same ratio in CPU time: steadier when other work shares the machine."""
    if not ref.get("cpu_s") or not other.get("cpu_s"):
        return ""
    return f" (in CPU time: {ref['cpu_s'] / other['cpu_s']:.2f}×)"


def target_lines(table):
    """The checks on the largest comparison site, the memory sites, and under Wine."""
    lines = []
    full = [s for s, rows in table.items()
            if REFERENCE in rows and BOUND in rows and HXMULTITOC in rows]
    if full:
        site = full[-1]
        rows = table[site]
        ref = rows[REFERENCE]
        lines.append(f"On the {site} site:")
        lines.append(check("zorvitan-cli time ÷ bound",
                           ref["median_s"] / rows[BOUND]["median_s"], 1.0, "×",
                           cpu_aside(ref, rows[BOUND])))
        lines.append(check("zorvitan-cli time ÷ hxmultitoc",
                           ref["median_s"] / rows[HXMULTITOC]["median_s"], 0.2, "×",
                           cpu_aside(ref, rows[HXMULTITOC])))
        lines.append(check("zorvitan-cli peak RSS", mb(ref["peak_rss_kb"]), RSS_LIMIT_MB, " MB"))
        for name, limit in FORMAT_LIMITS:
            if name not in rows:
                continue
            row = rows[name]
            lines.append(check(f"{name} time ÷ zorvitan-cli",
                               row["median_s"] / ref["median_s"], limit, "×",
                               f" (in CPU time: {row['cpu_s'] / ref['cpu_s']:.2f}×)"
                               if ref.get("cpu_s") and row.get("cpu_s") else ""))
            lines.append(check(f"{name} peak RSS", mb(row["peak_rss_kb"]), RSS_LIMIT_MB, " MB"))
    for site, rows in table.items():
        for name, reference, limit in SITEMAP_RATIOS:
            if name in rows and reference in rows:
                lines.append(check(f"{name} time ÷ {reference} on the {site} site",
                                   ratio(rows[name], rows[reference]), limit, "×",
                                   cpu_aside(rows[name], rows[reference])))
        for name in (LLMS, XML_ALTERNATES):
            if name in rows and site == "100k":
                lines.append(check(f"{name} peak RSS", mb(rows[name]["peak_rss_kb"]),
                                   RSS_LIMIT_MB, " MB"))
    for site, rows in table.items():
        if site in SMALL_PAGE_LIMITS_MB and REFERENCE in rows:
            lines.append(check(f"zorvitan-cli peak RSS on the {site} site",
                               mb(rows[REFERENCE]["peak_rss_kb"]), SMALL_PAGE_LIMITS_MB[site],
                               " MB"))
    for site, rows in table.items():
        if site.startswith("huge") and REFERENCE in rows:
            lines.append(check(f"zorvitan-cli peak RSS on the {site} site",
                               mb(rows[REFERENCE]["peak_rss_kb"]), HUGE_PAGE_LIMIT_MB, " MB"))
    for site, rows in table.items():
        if WIN32_BOUND not in rows:
            continue
        lines.append(f"Under Wine, on the {site} site:")
        for name, limit in WINE_TARGETS:
            if name in rows:
                lines.append(check(f"{name} time ÷ Win32 bound",
                                   rows[name]["median_s"] / rows[WIN32_BOUND]["median_s"],
                                   limit, "×"))
    return lines


def chart_data(table):
    """Ratio to zorvitan-cli per contender (rows) and comparison site (columns)."""
    sites = [s for s, rows in table.items() if REFERENCE in rows and len(rows) > 2]
    names = []
    for site in sites:
        names += [n for n in table[site] if n not in names]
    lines = ["contender " + " ".join(f'"{s}"' for s in sites)]
    for name in names:
        cells = []
        for site in sites:
            record = table[site].get(name)
            r = ratio(record, table[site][REFERENCE]) if record else None
            cells.append("-" if r is None else f"{r:.4f}")
        lines.append(f'"{name}" ' + " ".join(cells))
    return "\n".join(lines) + "\n"


def markdown(table, sites, machine):
    lines = ["## Benchmark results", "", f"Machine: {machine.strip()}", "",
             "Median wall time of warm-cache runs (the ratio column and the targets use it), "
             "median CPU time (user + system), and peak RSS: the largest resident size of the "
             "contender's biggest process. × zorvitan-cli > 1 means slower than zorvitan-cli.",
             ""]
    for site, rows in table.items():
        lines += [site_heading(site, sites.get(site)), ""] + site_table(rows) + [""]
    targets = target_lines(table)
    if targets:
        lines += ["### Targets", ""] + targets + [""]
    return "\n".join(lines)


def main():
    results, machine_file, out_md, out_dat = sys.argv[1:5]
    measured, sites = load(results)
    table = by_site(measured)
    with open(machine_file) as f:
        machine = f.read()
    text = markdown(table, sites, machine)
    with open(out_md, "w") as f:
        f.write(text)
    with open(out_dat, "w") as f:
        f.write(chart_data(table))
    print(text)


if __name__ == "__main__":
    main()
