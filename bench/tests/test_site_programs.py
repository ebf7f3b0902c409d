"""The generator, the bound and the Python contender agree on a small real site."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

BENCH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def generate(out, *extra):
    return subprocess.run([sys.executable, os.path.join(BENCH, "gen_site.py"), "--pages", "300",
                           "--folders", "12", *extra, out],
                          check=True, capture_output=True, text=True).stdout


def page_files(site):
    for folder, _, files in os.walk(site):
        for name in files:
            if name.lower().endswith((".htm", ".html", ".php")):
                yield os.path.join(folder, name)


class SiteProgramsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="bench-test-")
        cls.site = os.path.join(cls.tmp, "site")
        generate(cls.site, "--jobs", "2")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def snapshot(self, site):
        result = {}
        for folder, _, files in os.walk(site):
            for name in files:
                with open(os.path.join(folder, name), "rb") as f:
                    result[os.path.relpath(os.path.join(folder, name), site)] = f.read()
        return result

    def test_jobs_do_not_change_the_site(self):
        other = os.path.join(self.tmp, "one-job")
        generate(other, "--jobs", "1")
        self.assertEqual(self.snapshot(self.site), self.snapshot(other))

    def test_stamp_skips_an_unchanged_site_and_redoes_a_changed_one(self):
        site = os.path.join(self.tmp, "stamped")
        generate(site)
        marker = os.path.join(site, "marker")
        open(marker, "w").close()
        self.assertIn("up to date", generate(site))
        self.assertTrue(os.path.exists(marker))
        generate(site, "--seed", "2")
        self.assertFalse(os.path.exists(marker))

    def test_bound_reads_every_page_whole(self):
        binary = os.path.join(self.tmp, "readall")
        subprocess.run(["cc", "-O2", "-o", binary, os.path.join(BENCH, "readall.c")], check=True)
        out = subprocess.run([binary, self.site], check=True, capture_output=True,
                             text=True).stdout
        pages = list(page_files(self.site))
        total = sum(os.path.getsize(p) for p in pages)
        self.assertEqual(out.strip(), f"{len(pages)} pages, {total} bytes")

    def test_python_contender_lists_every_page_with_its_title(self):
        map_file = os.path.join(self.tmp, "map.html")
        subprocess.run([sys.executable, os.path.join(BENCH, "contenders", "titles.py"),
                        self.site, map_file], check=True)
        with open(map_file, "rb") as f:
            links = re.findall(rb'<br><a href="([^"]*)">', f.read())
        self.assertEqual(sorted(l.decode() for l in links),
                         sorted(os.path.relpath(p, self.site) for p in page_files(self.site)))


if __name__ == "__main__":
    unittest.main()
