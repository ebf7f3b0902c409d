#!/usr/bin/env python3
"""Writes a reproducible web-site tree for the benchmark.

    gen_site.py --pages N --folders M [--seed S] [--jobs J] OUT_DIR
    gen_site.py --pages N --folders M --small OUT_DIR   pages of a few hundred bytes
    gen_site.py --single-page-mb 500 OUT_DIR
    gen_site.py --pages N --folders M --alternates OUT_DIR   three language versions a page

The same parameters always give the same bytes. OUT_DIR.stamp records the
parameters (and this generator's own hash); when it matches, nothing is done,
so a big site is generated once and reused between runs.
"""
import argparse
import hashlib
import json
import multiprocessing
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import site_model  # noqa: E402


def write_file(path, chunks):
    fd = os.open(path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644)
    try:
        for chunk in chunks:
            os.write(fd, chunk)
    finally:
        os.close(fd)


def write_folder(task):
    """Writes one folder's files; its own seed keeps the output independent of --jobs."""
    root, folder, page_count, seed, small, alternates = task
    path = os.path.join(root, folder) if folder else root
    os.makedirs(path, exist_ok=True)
    for name, chunks in site_model.folder_files(page_count, seed, small, alternates):
        write_file(os.path.join(path, name), chunks)
    return page_count


def stamp_text(args):
    with open(os.path.abspath(__file__), "rb") as me, \
         open(site_model.__file__, "rb") as model:
        code = hashlib.sha256(me.read() + model.read()).hexdigest()[:16]
    params = {"pages": args.pages, "folders": args.folders, "seed": args.seed,
              "single_page_mb": args.single_page_mb, "small": args.small,
              "alternates": args.alternates, "code": code}
    return json.dumps(params, sort_keys=True) + "\n"


def read_text(path):
    try:
        with open(path) as f:
            return f.read()
    except OSError:
        return None


def generate(args):
    out = args.out.rstrip("/")
    if os.path.exists(out):
        shutil.rmtree(out)
    os.makedirs(out)
    if args.single_page_mb:
        # One huge page without a title: it must be read to its end.
        write_file(os.path.join(out, "huge.html"), site_model.huge_page(args.single_page_mb))
        write_file(os.path.join(out, "small.html"), [b"<title>Ma\xc5\x82a</title>\n"])
        return
    plan = site_model.plan_site(args.pages, args.folders, args.seed)
    for folder, _, _ in plan:
        os.makedirs(os.path.join(out, folder), exist_ok=True)
    for (encoding, _), _ in site_model.ENCODINGS:
        site_model.pool(encoding)  # built once, before the workers fork
    tasks = [(out, folder, count, seed, args.small, args.alternates)
             for folder, count, seed in plan]
    if args.jobs > 1:
        with multiprocessing.Pool(args.jobs) as pool:
            list(pool.imap_unordered(write_folder, tasks, chunksize=4))
    else:
        for task in tasks:
            write_folder(task)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pages", type=int, default=10000)
    parser.add_argument("--folders", type=int, default=200)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--single-page-mb", type=int, default=0)
    parser.add_argument("--jobs", type=int, default=1)
    parser.add_argument("--small", action="store_true")
    parser.add_argument("--alternates", action="store_true")
    parser.add_argument("out")
    args = parser.parse_args()

    stamp_path = args.out.rstrip("/") + ".stamp"
    wanted = stamp_text(args)
    if read_text(stamp_path) == wanted and os.path.isdir(args.out):
        print(f"gen_site: {args.out} is up to date")
        return
    if os.path.exists(stamp_path):
        os.remove(stamp_path)  # a half-written site must never look complete
    generate(args)
    with open(stamp_path, "w") as f:
        f.write(wanted)
    print(f"gen_site: wrote {args.out}")


if __name__ == "__main__":
    main()
