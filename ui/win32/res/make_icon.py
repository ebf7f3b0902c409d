#!/usr/bin/env python3
"""Draws the program's icon: a green and white striped cone with a black
outline, lying diagonally with its point towards the lower left, on a
transparent background. Writes a 16-colour .ico with 32x32 and 16x16 images.

    python3 make_icon.py zorvitan.ico
"""
import math
import struct
import sys

# The standard 16-colour palette; the icon uses black, bright green and white.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, GREEN, WHITE = 0, 2, 10, 15
TRANSPARENT = None


def cone_pixels(size):
    """Rows of palette indexes (None where transparent), top row first."""
    s = size / 32.0
    tip = (3.0 * s, 28.5 * s)        # lower left
    base = (23.0 * s, 8.5 * s)        # centre of the open end, upper right
    radius = 7.5 * s                  # half the width of the open end
    ax, ay = base[0] - tip[0], base[1] - tip[1]
    length = math.hypot(ax, ay)
    ux, uy = ax / length, ay / length  # along the axis, tip to base
    stripes = 5

    def inside(px, py):
        dx, dy = px - tip[0], py - tip[1]
        along = dx * ux + dy * uy
        across = -dx * uy + dy * ux
        t = along / length
        # The open end, seen a little from the side: an ellipse.
        e_along, e_across = along - length, across
        in_base = (e_along / (radius * 0.45)) ** 2 + (e_across / radius) ** 2 <= 1.0
        in_body = 0.0 <= t <= 1.0 and abs(across) <= t * radius
        return in_body or in_base, t, in_base and not in_body

    def colour(px, py):
        hit, t, only_base = inside(px, py)
        if not hit:
            return TRANSPARENT
        if only_base:
            return DARK_GREEN
        return GREEN if int(t * stripes) % 2 == 0 else WHITE

    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            row.append(colour(x + 0.5, y + 0.5))
        rows.append(row)
    # A black outline: every filled pixel next to a transparent one.
    outlined = [row[:] for row in rows]
    for y in range(size):
        for x in range(size):
            if rows[y][x] is None:
                continue
            for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                if not (0 <= nx < size and 0 <= ny < size) or rows[ny][nx] is None:
                    outlined[y][x] = BLACK
                    break
    # The rim where the open end meets the body; too fine for the small image.
    for y in range(size if size >= 32 else 0):
        for x in range(size):
            if rows[y][x] == DARK_GREEN and any(
                    0 <= x + dx < size and 0 <= y + dy < size and
                    rows[y + dy][x + dx] in (GREEN, WHITE)
                    for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1))):
                outlined[y][x] = BLACK
    return outlined


def icon_image(size):
    """One image of the .ico: BITMAPINFOHEADER, palette, 4-bit colour rows and
    the 1-bit transparency mask, both bottom row first."""
    rows = cone_pixels(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colour_stride = ((size * 4 + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    colour_bits, mask_bits = b"", b""
    for row in reversed(rows):
        packed = bytearray(colour_stride)
        mask = bytearray(mask_stride)
        for x, index in enumerate(row):
            value = 0 if index is None else index
            packed[x // 2] |= value << (4 if x % 2 == 0 else 0)
            if index is None:
                mask[x // 8] |= 0x80 >> (x % 8)
        colour_bits += bytes(packed)
        mask_bits += bytes(mask)
    return header + palette + colour_bits + mask_bits


def write_icon(path, sizes=(32, 16)):
    images = [icon_image(size) for size in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, image in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(path, "wb") as out:
        out.write(directory + entries + b"".join(images))


if __name__ == "__main__":
    write_icon(sys.argv[1] if len(sys.argv) > 1 else "zorvitan.ico")
