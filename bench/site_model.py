"""What the benchmark sites contain: folder plan, page sizes, titles, other files.

Pure functions of their seeds (no I/O), so the generator is reproducible and the
tests can check the shape of a site without writing it.
"""
import bisect
import random

KB = 1024
MB = 1024 * KB

# How pages place their title.
TITLE_TOP, TITLE_UPPER, TITLE_LATE, TITLE_NONE = "top", "upper", "late", "none"
TITLE_KINDS = [(TITLE_TOP, 85), (TITLE_UPPER, 3), (TITLE_LATE, 5), (TITLE_NONE, 7)]
# How the page (title included) is encoded, and whether its head declares it.
# Old sites often declare nothing: 40 % of the pages are UTF-8 without a
# charset, and as most of their titles hold Polish letters, a reader looks in
# vain for the encoding of about a third of all pages.
DECLARED, UNDECLARED = True, False
ENCODINGS = [(("utf-8", DECLARED), 20), (("utf-8", UNDECLARED), 40),
             (("cp1250", DECLARED), 22), (("cp1250", UNDECLARED), 3), (("ascii", DECLARED), 15)]
# What a few heads hold beside the usual (pages with the title near the top).
HEAD_PLAIN, HEAD_TITLE_LANG, HEAD_SCRIPT, HEAD_COMMENT = "plain", "title-lang", "script", "comment"
HEAD_KINDS = [(HEAD_PLAIN, 94), (HEAD_TITLE_LANG, 2), (HEAD_SCRIPT, 2), (HEAD_COMMENT, 2)]
EXTENSIONS = [(".html", 50), (".htm", 30), (".php", 17), (".HTML", 2), (".Htm", 1)]
# Files that are not pages (some look close: ".html.bak", ".htm~").
OTHER_FILES = [(".css", 20), (".js", 20), (".png", 25), (".jpg", 20), (".pdf", 4),
               (".txt", 4), (".xml", 3), (".html.bak", 2), (".htm~", 2)]
HUGE_PAGE_ODDS = 2000       # one page in this many is several MB
CRLF_SHARE = 0.25           # pages saved with Windows line ends
OTHER_FILES_PER_PAGE = 0.3

POLISH_WORDS = ("zażółć gęślą jaźń strona główna aktualności oferta cennik usług kontakt "
                "źródła łódź wiadomości ogłoszenia szkoła gmina żółw świętokrzyskie "
                "środa piątek niedziela wrzesień październik sprawozdanie zarząd "
                "spółdzielnia mieszkaniowa biuletyn informacji publicznej przetargi "
                "galeria zdjęć historia parafii dojazd mapa regulamin rekrutacja "
                "ćwiczenia egzamin ósmoklasisty uczniowie nauczyciele rada rodziców").split()
ASCII_WORDS = ("home news about contact offer prices services archive gallery events "
               "reports board school district history map rules downloads support "
               "products team careers blog press partners faq terms privacy").split()


SMALL_PAGE = 400


def words_in(encoding):
    return POLISH_WORDS if encoding != "ascii" else ASCII_WORDS


def weighted(rng, table):
    values, weights = zip(*table)
    return rng.choices(values, weights)[0]


def page_size(rng):
    """Bytes of a page: mostly 1-200 KB around 12 KB, a few of several MB."""
    if rng.randrange(HUGE_PAGE_ODDS) == 0:
        return rng.randint(2 * MB, 8 * MB)
    return int(min(200 * KB, max(1 * KB, rng.lognormvariate(9.4, 1.0))))


class TextPool:
    """About 1.5 MB of page body lines in one encoding, cut at line starts."""

    def __init__(self, encoding, seed=20240501, size=3 * MB // 2):
        rng = random.Random(seed)
        words = words_in(encoding)
        lines, total = [], 0
        while total < size:
            line = body_line(rng, words).encode(encoding)
            lines.append(line)
            total += len(line)
        data = b"".join(lines)
        self.data = data + data  # doubled: a slice may run past the end
        self.size = len(data)
        self.starts, offset = [], 0
        for line in lines:
            self.starts.append(offset)
            offset += len(line)

    def text(self, rng, size):
        """Whole lines from a random place, about `size` bytes."""
        chunks = []
        while size > 0:
            start = self.starts[rng.randrange(len(self.starts))]
            target = start + min(size, self.size)
            # End on a line start so tags are never cut in half; past the end of
            # the pool the doubled copy continues it.
            wrap = self.size if target >= self.size else 0
            index = bisect.bisect_left(self.starts, target - wrap)
            end = wrap + (self.starts[index] if index < len(self.starts) else self.size)
            chunks.append(self.data[start:end])
            size -= end - start
        return b"".join(chunks)


def body_line(rng, words):
    text = " ".join(rng.choice(words) for _ in range(rng.randint(6, 40)))
    kind = rng.randrange(10)
    if kind == 0:
        return f"<h2>{text[:60]}</h2>\n"
    if kind == 1:
        return f'<li><a href="{rng.choice(ASCII_WORDS)}.html">{text[:40]}</a></li>\n'
    if kind == 2:
        return f'<div class="box"><img src="img/{rng.randrange(999)}.png" alt="{text[:20]}"></div>\n'
    return f"<p>{text}</p>\n"


_pools = {}


def pool(encoding):
    if encoding not in _pools:
        _pools[encoding] = TextPool(encoding)
    return _pools[encoding]


def title_text(rng, encoding):
    words = words_in(encoding)
    title = " ".join(rng.choice(words) for _ in range(rng.randint(1, 6)))
    return title[:1].upper() + title[1:]


def page_head(rng, encoding, declared):
    """A head's beginning: a modern one with its charset, or an old one without."""
    if declared:
        charset = "windows-1250" if encoding == "cp1250" else "utf-8"
        return (f'<!DOCTYPE html>\n<html lang="pl">\n<head>\n<meta charset="{charset}">\n'
                '<meta name="viewport" content="width=device-width">\n')
    head = ('<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">\n<html>\n<head>\n'
            f'<meta name="keywords" content="{title_text(rng, encoding).lower()}">\n')
    if rng.random() < 0.5:
        head += '<meta http-equiv="Content-Type" content="text/html">\n'
    return head


def inline_script(rng, encoding, most):
    """An old menu script of 2-6 KB (at most `most` bytes), with "<" in its code
    and its strings."""
    words = words_in(encoding)
    lines = ["<script>\nvar menu = new Array();\n"]
    size, target, i = 0, min(most, rng.randint(2 * KB, 6 * KB)), 0
    while size < target:
        line = f"menu[{i}] = '<a href=\"{rng.choice(ASCII_WORDS)}.html\">{rng.choice(words)}</a>';\n"
        lines.append(line)
        size, i = size + len(line), i + 1
    lines.append("for (var i = 0; i < menu.length; i++) document.write('<li>' + menu[i] + '</li>');\n"
                 "</script>\n")
    return "".join(lines)


def title_element(rng, title, encoding, page_size):
    head_kind = weighted(rng, HEAD_KINDS)
    if head_kind == HEAD_TITLE_LANG:
        return f'<title lang="pl">{title}</title>\n'
    if head_kind == HEAD_SCRIPT:
        return inline_script(rng, encoding, page_size // 2) + f"<title>{title}</title>\n"
    if head_kind == HEAD_COMMENT:
        # A charset left behind in a comment declares nothing.
        return ('<!-- old header, kept for reference:\n'
                '<meta http-equiv="Content-Type" content="text/html; charset=iso-8859-2">\n'
                f'-->\n<title>{title}</title>\n')
    return f"<title>{title}</title>\n"


def page(rng, size, kind, encoding, declared=DECLARED, links=""):
    """The bytes of one page of about `size` bytes, as a list of chunks; `links`
    go at the end of its head."""
    head = page_head(rng, encoding, declared)
    title = title_text(rng, encoding)
    if declared:
        # Modern heads describe their page, as most such sites do; old ones
        # have keywords instead. Made from the title, so the site's other
        # bytes stay as they were.
        head += f'<meta name="description" content="{title}: {title.lower()} &amp; more.">\n'
    tail = links + '<link rel="stylesheet" href="style.css">\n</head>\n<body>\n'
    if kind == TITLE_TOP:
        head += title_element(rng, title, encoding, size)
    elif kind == TITLE_UPPER:
        head += f"<TITLE>{title}\n{title_text(rng, encoding)}</TITLE>\n"
    body_size = max(0, size - len(head) - len(tail) - 20)
    body = pool(encoding).text(rng, body_size)
    if kind == TITLE_LATE:
        # Behind most of the page: a reader must go far to find it.
        cut = body.find(b"\n", int(len(body) * rng.uniform(0.5, 1.0)))
        cut = len(body) if cut < 0 else cut + 1
        late = f"<title>{title}</title>\n".encode(encoding)
        body = body[:cut] + late + body[cut:]
    chunks = [(head + tail).encode(encoding), body, b"</body>\n</html>\n"]
    if rng.random() < CRLF_SHARE:
        chunks = [c.replace(b"\n", b"\r\n") for c in chunks]
    return chunks


def other_file(rng, extension):
    size = int(min(300 * KB, max(200, rng.lognormvariate(9.0, 1.2))))
    if extension in (".png", ".jpg", ".pdf"):
        return [rng.randbytes(size)]
    return [pool("ascii").text(rng, size)]


def alternate_links(names, i):
    """The head links of page `i` of a folder whose pages are language versions
    of each other three by three (pl, en, de); the last one or two name
    themselves for the codes missing."""
    first = i - i % 3
    group = names[first:first + 3]
    group += [names[i]] * (3 - len(group))
    return "".join(f'<link rel="alternate" hreflang="{code}" href="{name}">\n'
                   for code, name in zip(LANGUAGE_CODES, group))


LANGUAGE_CODES = ("pl", "en", "de")


def folder_files(page_count, seed, small=False, alternates=False):
    """(name, chunks) of one folder's files: its pages and some other files.
    Small pages (a few hundred bytes, no other files) measure what a run keeps
    per page, not how fast it reads. With `alternates`, every page names three
    language versions (alternate_links), and the names come first from a
    generator of their own, so the pages' other bytes are those without."""
    rng = random.Random(seed)
    names_rng = random.Random(seed + 7)
    names = ([f"{names_rng.choice(ASCII_WORDS)}-{i}{weighted(names_rng, EXTENSIONS)}"
              for i in range(page_count)] if alternates else None)
    for i in range(page_count):
        name = f"{rng.choice(ASCII_WORDS)}-{i}{weighted(rng, EXTENSIONS)}"
        links = ""
        if alternates:
            name = names[i]
            links = alternate_links(names, i)
        kind = weighted(rng, TITLE_KINDS)
        encoding, declared = weighted(rng, ENCODINGS)
        yield name, page(rng, SMALL_PAGE if small else page_size(rng), kind, encoding, declared,
                         links)
    if small:
        return
    others = int(page_count * OTHER_FILES_PER_PAGE) + rng.randint(0, 3)
    for i in range(others):
        extension = weighted(rng, OTHER_FILES)
        yield f"file-{i}{extension}", other_file(rng, extension)


def plan_site(pages, folders, seed):
    """[(relative folder path, page count, folder seed)]; the root is ""."""
    rng = random.Random(seed)
    paths, depths = [""], [0]
    for i in range(1, folders):
        parent = rng.randrange(len(paths))
        while depths[parent] >= 6:
            parent = rng.randrange(len(paths))
        word = rng.choice(POLISH_WORDS if rng.random() < 0.05 else ASCII_WORDS)
        name = f"{word}{i}"
        paths.append(f"{paths[parent]}/{name}" if paths[parent] else name)
        depths.append(depths[parent] + 1)
    weights = [rng.lognormvariate(0, 1) for _ in paths]
    counts = [0] * len(paths)
    for index in rng.choices(range(len(paths)), weights, k=pages):
        counts[index] += 1
    return [(path, counts[i], seed * 1_000_003 + i) for i, path in enumerate(paths)]


def huge_page(megabytes):
    """Chunks of an untitled page of `megabytes` MB (and a few bytes)."""
    data = pool("utf-8").data
    left = megabytes * MB
    yield b"<!DOCTYPE html>\n<html>\n<body>\n"
    while left > 0:
        piece = data[:min(left, len(data))]
        left -= len(piece)
        yield piece
