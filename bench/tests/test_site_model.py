"""The generated sites are reproducible and have the promised shape."""
import os
import random
import re
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), ".."))
import site_model as sm  # noqa: E402


def joined(files):
    return [(name, b"".join(chunks)) for name, chunks in files]


class PlanTest(unittest.TestCase):
    def test_counts_add_up_and_folders_are_unique(self):
        plan = sm.plan_site(5000, 100, seed=7)
        self.assertEqual(len(plan), 100)
        self.assertEqual(sum(count for _, count, _ in plan), 5000)
        self.assertEqual(len({path for path, _, _ in plan}), 100)
        self.assertEqual(plan[0][0], "")

    def test_every_folder_hangs_below_an_earlier_one(self):
        paths = [path for path, _, _ in sm.plan_site(100, 300, seed=3)]
        for path in paths[1:]:
            parent = path.rpartition("/")[0]
            self.assertIn(parent, paths[:paths.index(path)])
            self.assertLessEqual(path.count("/"), 6)

    def test_same_seed_same_plan_other_seed_other_plan(self):
        self.assertEqual(sm.plan_site(1000, 50, 1), sm.plan_site(1000, 50, 1))
        self.assertNotEqual(sm.plan_site(1000, 50, 1), sm.plan_site(1000, 50, 2))


class FolderFilesTest(unittest.TestCase):
    def test_reproducible_bytes(self):
        self.assertEqual(joined(sm.folder_files(40, 99)), joined(sm.folder_files(40, 99)))

    def test_names_are_unique_and_pages_match_the_patterns(self):
        files = joined(sm.folder_files(300, 5))
        names = [name for name, _ in files]
        self.assertEqual(len(names), len(set(names)))
        pages = [n for n in names if n.lower().endswith((".htm", ".html", ".php"))]
        self.assertEqual(len(pages), 300)
        self.assertGreater(len(names), 300, "non-page files are mixed in")
        self.assertTrue(any(n.endswith((".html.bak", ".htm~")) for n in names),
                        "names that only look like pages")

    def test_alternates_name_three_versions_that_name_each_other_back(self):
        plain = joined(sm.folder_files(40, 21))
        files = joined(sm.folder_files(40, 21, alternates=True))
        pages = {name: data for name, data in files[:40]}
        link = re.compile(rb'<link rel="alternate" hreflang="([a-z]+)" href="([^"]+)">')
        for name, data in pages.items():
            links = link.findall(data)
            self.assertEqual([code for code, _ in links], [b"pl", b"en", b"de"], name)
            self.assertIn(name.encode(), [href for _, href in links], "names itself")
            for _, href in links:
                self.assertIn(href.decode(), pages, "a page of the same folder")
                self.assertIn(b'href="' + name.encode() + b'"', pages[href.decode()], "names back")
        # The same pages otherwise: the same titles, about the same sizes.
        title = re.compile(rb"<title[^>]*>(.*?)</title>", re.S | re.I)
        for (_, data), (_, without) in zip(files[:40], plain[:40]):
            self.assertEqual(title.findall(data), title.findall(without))
            self.assertLess(abs(len(data) - len(without)), 300)

    def test_title_mix(self):
        pages = [data for name, data in joined(sm.folder_files(2000, 11))
                 if not name.startswith("file-")]
        untitled = sum(1 for p in pages if not re.search(rb"<title[ >]", p.lower()))
        late = sum(1 for p in pages if 0 <= p.find(b"<title>") and p.find(b"<title>") > len(p) // 2)
        self.assertTrue(0.03 < untitled / len(pages) < 0.12, untitled)
        self.assertTrue(0.02 < late / len(pages) < 0.09, late)

    def test_a_third_are_polish_utf8_without_a_charset_and_odd_heads_are_there(self):
        pages = [data for name, data in joined(sm.folder_files(2000, 13))
                 if not name.startswith("file-")]
        undeclared = 0
        for page in pages:
            head = re.sub(rb"<!--.*?-->", b"", page[:1024], flags=re.S)  # as a reader sees it
            title = re.search(rb"<title[^>]*>([^<]*)<", page)
            if b"charset" not in head and title and not title.group(1).isascii():
                # A few are in code page 1250: UTF-8 cannot read them.
                undeclared += "\ufffd" not in title.group(1).decode("utf-8", "replace")
        self.assertTrue(0.25 < undeclared / len(pages) < 0.4, undeclared)
        self.assertTrue(any(b'<title lang="pl">' in p for p in pages))
        self.assertTrue(any(p.find(b"</script>\n<title>") > 1024 for p in pages),
                        "a title behind a script longer than the prescanned bytes")
        self.assertTrue(any(b"charset=iso-8859-2\">\n-->\n<title>" in p for p in pages))

    def test_cp1250_pages_carry_polish_letters_in_that_code_page(self):
        pages = [data for _, data in joined(sm.folder_files(400, 12))
                 if b"windows-1250" in data[:200]]
        self.assertTrue(pages)
        polish = "ąćęłńóśźżĄĆĘŁŃÓŚŹŻ".encode("cp1250")
        self.assertTrue(any(any(b in polish for b in p[:400]) for p in pages))
        for page in pages:
            page.decode("cp1250")  # no UTF-8 leaks into them

    def test_sizes_spread_with_a_realistic_mean(self):
        rng = random.Random(4)
        sizes = [sm.page_size(rng) for _ in range(20000)]
        self.assertGreaterEqual(min(sizes), sm.KB)
        self.assertLessEqual(max(sizes), 8 * sm.MB)
        self.assertTrue(any(s > 2 * sm.MB for s in sizes), "a few pages of several MB")
        mean = sum(sizes) / len(sizes)
        self.assertTrue(15 * sm.KB < mean < 35 * sm.KB, mean)

    def test_page_has_about_the_asked_size(self):
        rng = random.Random(1)
        for size in (1024, 50000, 3 * sm.MB):
            data = b"".join(sm.page(rng, size, sm.TITLE_TOP, "utf-8"))
            self.assertLess(abs(len(data) - size), 2000, size)


class TextPoolTest(unittest.TestCase):
    def test_text_is_whole_lines(self):
        pool = sm.pool("ascii")
        rng = random.Random(2)
        for size in (10, 5000, pool.size - 3, 2 * pool.size + 17):
            text = pool.text(rng, size)
            self.assertTrue(text.startswith(b"<"), size)
            self.assertTrue(text.endswith(b"\n"), size)
            self.assertGreaterEqual(len(text), size)


class HugePageTest(unittest.TestCase):
    def test_size_and_no_title(self):
        data = b"".join(sm.huge_page(3))
        self.assertGreaterEqual(len(data), 3 * sm.MB)
        self.assertLess(len(data), 3 * sm.MB + 100)
        self.assertNotIn(b"<title>", data.lower())


if __name__ == "__main__":
    unittest.main()
