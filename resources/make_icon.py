#!/usr/bin/env python3
"""Draws the program icon and writes it as mirabelton.ico beside this script.

A small frame with the word RUN! in it, above a blue play triangle. The
design is laid out on a 16-pixel grid and drawn at whole multiples of it
(16, 32, 48 and 64 pixels), so the pixel lettering stays sharp at every
size; the triangle is anti-aliased. Only the standard library is used.

Windows asks the exe for its small and large icon at the system's DPI
(16 and 32 pixels at 100%, 24 and 48 at 150%, 32 and 64 at 200%, the
sizes between scaled from the next larger) and Explorer for 16, 32 and 48.
The two that every start at 100% loads, 16 and 32, are plain bitmaps, which
take no decoding; the larger ones are stored as PNG, which an icon may hold
from Windows Vista on, at a twentieth of their size as bitmaps.

    python3 resources/make_icon.py

The .ico it writes is kept in the repository, so building needs no Python.
"""
import pathlib
import struct
import zlib

SIZES = (16, 32, 48, 64)
PNG_FROM = 48  # this size and larger are stored as PNG
SAMPLES = 4  # per axis, for the anti-aliased shapes

# Pixel letters, one string per row: 3 x 5 for the smallest size, 5 x 7
# from 32 pixels up.
SMALL_LETTERS = {
    "R": ("110", "101", "110", "101", "101"),
    "U": ("101", "101", "101", "101", "111"),
    "N": ("110", "101", "101", "101", "101"),
    "!": ("1", "1", "1", "0", "1"),
}
LETTERS = {
    "R": ("11110", "10001", "10001", "11110", "10100", "10010", "10001"),
    "U": ("10001", "10001", "10001", "10001", "10001", "10001", "01110"),
    "N": ("10001", "11001", "10101", "10011", "10001", "10001", "10001"),
    "!": ("1", "1", "1", "1", "1", "0", "1"),
}

FRAME = (44, 62, 96)        # dark slate border
PAPER = (255, 255, 255)
INK = (24, 52, 128)         # navy lettering
BLUE_TOP = (64, 132, 232)   # the triangle, lighter at the top left
BLUE_BOTTOM = (16, 52, 160)


def blank(n):
    return [[(0, 0, 0, 0) for _ in range(n)] for _ in range(n)]


def fill_rect(image, left, top, right, bottom, colour):
    """Fills the pixels [left, right) x [top, bottom)."""
    for y in range(top, bottom):
        for x in range(left, right):
            image[y][x] = colour + (255,)


def over(pixel, colour, alpha):
    """colour with coverage alpha over an RGBA pixel (straight alpha)."""
    r, g, b, a = pixel
    a0 = a / 255.0
    out = alpha + a0 * (1 - alpha)
    if out <= 0:
        return pixel
    mix = [(c * alpha + p * a0 * (1 - alpha)) / out for c, p in zip(colour, (r, g, b))]
    return tuple(round(v) for v in mix) + (round(out * 255),)


def inside_triangle(px, py, points):
    (x1, y1), (x2, y2), (x3, y3) = points

    def side(ax, ay, bx, by):
        return (px - bx) * (ay - by) - (ax - bx) * (py - by)

    d1, d2, d3 = side(x1, y1, x2, y2), side(x2, y2, x3, y3), side(x3, y3, x1, y1)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


def text_width(letters, cell):
    return sum(len(rows[0]) + 1 for rows in letters.values()) * cell - cell


def draw_text(image, letters, left, top, cell):
    x = left
    for letter in "RUN!":
        rows = letters[letter]
        for row, bits in enumerate(rows):
            for column, bit in enumerate(bits):
                if bit == "1":
                    px, py = x + column * cell, top + row * cell
                    fill_rect(image, px, py, px + cell, py + cell, INK)
        x += (len(rows[0]) + 1) * cell


def draw(n):
    image = blank(n)
    if n < 32:
        # Every pixel counts: the frame takes the full width, and the
        # letters, a pixel narrower than the paper, leave the gap on the left.
        letters, cell, border, pad_x, pad_y, top = SMALL_LETTERS, 1, 1, 1, 1, 0
    else:
        letters, cell = LETTERS, max(1, round(n / 26))
        border, pad_x, pad_y, top = max(1, n // 32), max(2, n // 20), max(2, n // 24), round(n / 32)
    width = min(n, text_width(letters, cell) + 2 * (pad_x + border))
    height = len(letters["R"]) * cell + 2 * (pad_y + border)
    left = (n - width + 1) // 2
    fill_rect(image, left, top, left + width, top + height, FRAME)
    fill_rect(image, left + border, top + border, left + width - border, top + height - border, PAPER)
    paper = width - 2 * border
    draw_text(image, letters, left + border + (paper - text_width(letters, cell) + 1) // 2, top + border + pad_y, cell)

    # The play triangle below, pointing right, filling the rest.
    y0 = top + height + max(1, n // 16) - 0.2
    y1 = n - (0 if n < 32 else n / 32)
    h = y1 - y0
    x0 = n / 2 - h * 0.45
    points = [(x0, y0), (x0 + h * 0.95, (y0 + y1) / 2), (x0, y1)]
    for y in range(int(y0), n):
        for x in range(n):
            hits = sum(
                inside_triangle(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES, points)
                for sy in range(SAMPLES)
                for sx in range(SAMPLES)
            )
            if hits:
                t = min(1.0, max(0.0, ((x - x0) + (y - y0)) / (1.4 * h)))
                colour = tuple(round(a + (b - a) * t) for a, b in zip(BLUE_TOP, BLUE_BOTTOM))
                image[y][x] = over(image[y][x], colour, hits / SAMPLES**2)
    return image


def dib(image):
    """An icon image: BITMAPINFOHEADER, BGRA rows bottom-up, then the mask."""
    n = len(image)
    mask_stride = ((n + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(image):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask = bytearray()
    for row in reversed(image):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def png(image):
    """An icon image as PNG: 8-bit RGBA, each row filtered the way that
    compresses the whole image best, the same bytes on every run."""
    n = len(image)
    rows = [bytes(v for pixel in row for v in pixel) for row in image]

    def filtered(kind):
        out = bytearray()
        previous = bytes(4 * n)
        for row in rows:
            line = bytearray(row)
            for i in range(len(row)):
                left = row[i - 4] if i >= 4 else 0
                up = previous[i]
                corner = previous[i - 4] if i >= 4 else 0
                if kind == 1:
                    line[i] = (row[i] - left) & 255
                elif kind == 2:
                    line[i] = (row[i] - up) & 255
                elif kind == 3:
                    line[i] = (row[i] - (left + up) // 2) & 255
                elif kind == 4:
                    estimate = left + up - corner
                    pa, pb, pc = abs(estimate - left), abs(estimate - up), abs(estimate - corner)
                    nearest = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                    line[i] = (row[i] - nearest) & 255
            out += bytes((kind,)) + line
            previous = row
        return zlib.compress(bytes(out), 9)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    pixels = min((filtered(kind) for kind in range(5)), key=len)
    header = struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", pixels) + chunk(b"IEND", b"")


def icon(images):
    entries = bytearray()
    data = bytearray()
    offset = 6 + 16 * len(images)
    for image in images:
        n = len(image)
        blob = png(image) if n >= PNG_FROM else dib(image)
        entries += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(blob), offset + len(data))
        data += blob
    return struct.pack("<HHH", 0, 1, len(images)) + entries + data


def main():
    target = pathlib.Path(__file__).with_name("mirabelton.ico")
    target.write_bytes(icon([draw(n) for n in SIZES]))
    print(f"wrote {target}")


if __name__ == "__main__":
    main()
