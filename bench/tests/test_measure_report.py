"""The runner measures what it claims to; the report computes the right ratios."""
import json
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), ".."))
import measure  # noqa: E402
import report  # noqa: E402


class RunOnceTest(unittest.TestCase):
    def test_exit_status_is_kept(self):
        _, _, code, _ = measure.run_once(["sh", "-c", "exit 3"])
        self.assertEqual(code, 3)

    def test_small_program_is_not_charged_with_the_runner_size(self):
        # Forking from Python would start the figure at Python's own size.
        _, rss_kb, _, _ = measure.run_once(["true"])
        self.assertLess(rss_kb, 8 * 1024)

    def test_peak_of_a_child_process_counts(self):
        grow = "import time; b = bytearray(80 << 20); b[::4096] = b'x' * len(b[::4096])"
        _, rss_kb, _, cpu = measure.run_once(["sh", "-c", f'python3 -c "{grow}"; true'])
        self.assertGreater(rss_kb, 80 * 1024)
        self.assertGreater(cpu, 0.0)

    def test_summary_takes_the_median(self):
        record = measure.summarize("s", "n", "", [(3.0, 10, 0, 0.3), (1.0, 30, 0, 0.1),
                                                  (2.0, 20, 1, 0.9)])
        self.assertEqual(record["median_s"], 2.0)
        self.assertEqual(record["cpu_s"], 0.3)
        self.assertEqual(record["peak_rss_kb"], 30)
        self.assertEqual(record["exit_codes"], [0, 1])


def record(site, name, seconds, rss_kb=1024, codes=(0,)):
    return {"site": site, "name": name, "note": "", "runs": 3, "times": [seconds],
            "median_s": seconds, "cpu_s": seconds, "peak_rss_kb": rss_kb, "exit_codes": list(codes)}


class ReportTest(unittest.TestCase):
    def table(self, zorvitan=1.0, bound=2.0, hx=10.0, rss_kb=1024):
        return report.by_site([
            record("10k", report.BOUND, 0.2), record("10k", report.REFERENCE, 0.1),
            record("100k", report.BOUND, bound),
            record("100k", report.REFERENCE, zorvitan, rss_kb),
            record("100k", report.HXMULTITOC, hx, codes=(0, 123)),
        ])

    def test_ratios_to_zorvitan(self):
        lines = report.site_table(self.table()["100k"])
        bound_line = next(l for l in lines if l.startswith(f"| {report.BOUND}"))
        self.assertIn("| 2.00 |", bound_line)
        hx_line = next(l for l in lines if l.startswith("| hxmultitoc"))
        self.assertIn("exit 0, 123", hx_line)

    def test_targets_on_the_biggest_full_site(self):
        met = "\n".join(report.target_lines(self.table()))
        self.assertIn("100k", met)
        self.assertNotIn("missed", met)
        missed = report.target_lines(self.table(zorvitan=3.0, rss_kb=100 * 1024))
        self.assertEqual(sum("missed" in l for l in missed), 3)

    def test_sitemap_targets_against_the_html_map(self):
        table = self.table()
        table["100k"][report.XML] = record("100k", report.XML, 1.3, 70 * 1024)
        lines = [l for l in report.target_lines(table) if "--format xml" in l]
        self.assertEqual(len(lines), 2)
        self.assertTrue(all("missed" in l for l in lines))
        table["100k"][report.XML] = record("100k", report.XML, 1.1, 30 * 1024)
        self.assertFalse(any("missed" in l for l in report.target_lines(table)))
        # The html5 page gets less room: 1.1 × the classic map's time.
        table["100k"][report.HTML5] = record("100k", report.HTML5, 1.15, 30 * 1024)
        lines = [l for l in report.target_lines(table) if "--format html5" in l]
        self.assertEqual([("missed" in l) for l in lines], [True, False])

    def test_huge_page_target(self):
        table = report.by_site([record("huge-500mb", report.REFERENCE, 1.0, 700 * 1024)])
        self.assertIn("missed", report.target_lines(table)[0])

    def test_wine_targets_against_the_win32_bound(self):
        cli, window = report.WINE_TARGETS[0][0], report.WINE_TARGETS[1][0]
        lines = report.target_lines(report.by_site([
            record("10k", report.WIN32_BOUND, 2.0), record("10k", cli, 1.9),
            record("10k", window, 2.8)]))
        self.assertIn("Under Wine, on the 10k site:", lines)
        self.assertIn("0.95×", next(l for l in lines if l.startswith(f"- {cli}")))
        self.assertEqual([("missed" in l) for l in lines if l.startswith("- ")], [True, False])
        self.assertEqual(report.target_lines(report.by_site([record("10k", cli, 1.0)])), [])

    def test_chart_data_marks_missing_cells(self):
        table = report.by_site([
            record("10k", report.REFERENCE, 1.0), record("10k", "a", 2.0),
            record("10k", "w", 4.0), record("100k", report.REFERENCE, 1.0),
            record("100k", "a", 3.0), record("100k", "b", 0.5)])
        lines = report.chart_data(table).splitlines()
        self.assertEqual(lines[0], 'contender "10k" "100k"')
        self.assertIn('"w" 4.0000 -', lines)
        self.assertIn('"b" - 0.5000', lines)

    def test_load_separates_sites_from_measurements(self):
        with tempfile.NamedTemporaryFile("w", suffix=".jsonl", delete=False) as f:
            f.write(json.dumps({"kind": "site", "site": "10k", "pages": 10, "folders": 2,
                                "bytes": 5}) + "\n\n")
            f.write(json.dumps(record("10k", report.REFERENCE, 1.0)) + "\n")
        try:
            measured, sites = report.load(f.name)
        finally:
            os.remove(f.name)
        self.assertEqual(len(measured), 1)
        self.assertEqual(sites["10k"]["pages"], 10)


if __name__ == "__main__":
    unittest.main()
