#!/usr/bin/env python3
"""A site map the way a user would script it: walk, read each page, regex the title.

    titles.py SITE_FOLDER MAP_FILE
"""
import os
import re
import sys

TITLE = re.compile(rb"<title>(.*?)</title>", re.IGNORECASE | re.DOTALL)
PAGES = (".htm", ".html", ".php")


def main():
    site, map_file = sys.argv[1], sys.argv[2]
    with open(map_file, "wb") as out:
        for folder, dirs, files in os.walk(site):
            dirs.sort()
            pages = sorted(f for f in files if f.lower().endswith(PAGES))
            if pages:
                out.write(b"<h1>" + os.fsencode(folder) + b"/</h1>\r\n")
            for name in pages:
                path = os.path.join(folder, name)
                with open(path, "rb") as page:
                    match = TITLE.search(page.read())
                title = match.group(1) if match else b"#bez tytu\xc5\x82u#"
                href = os.fsencode(os.path.relpath(path, site))
                out.write(b'<br><a href="' + href + b'">' + title + b"</a>\r\n")


if __name__ == "__main__":
    main()
