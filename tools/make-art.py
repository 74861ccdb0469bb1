#!/usr/bin/env python3
"""Writes the main program's icons and bitmaps from the text pixel art in
shell/art/*.txt. Every picture is 16 colours (the standard VGA palette).
The art is drawn at 16 pixels and written at 16, 24 and 32: the 32-pixel
pictures are the drawing doubled with edge smoothing (Scale2x), the 24-pixel
ones the drawing widened by half with every other pixel doubled.

    tools/make-art.py          write the .ico and .bmp files beside the sources
    tools/make-art.py --check  exit 1 when a written file differs from its source
"""
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ART = os.path.join(ROOT, "shell", "art")

# Character -> palette index; the palette is the 16 standard colours.
PALETTE = [
    ("k", (0x00, 0x00, 0x00)), ("r", (0x80, 0x00, 0x00)), ("g", (0x00, 0x80, 0x00)),
    ("y", (0x80, 0x80, 0x00)), ("b", (0x00, 0x00, 0x80)), ("m", (0x80, 0x00, 0x80)),
    ("c", (0x00, 0x80, 0x80)), ("s", (0xC0, 0xC0, 0xC0)), ("d", (0x80, 0x80, 0x80)),
    ("R", (0xFF, 0x00, 0x00)), ("G", (0x00, 0xFF, 0x00)), ("Y", (0xFF, 0xFF, 0x00)),
    ("B", (0x00, 0x00, 0xFF)), ("M", (0xFF, 0x00, 0xFF)), ("C", (0x00, 0xFF, 0xFF)),
    ("W", (0xFF, 0xFF, 0xFF)),
]
INDEX = {ch: i for i, (ch, _) in enumerate(PALETTE)}
# A greyed copy keeps black and white and turns every colour into a grey.
GREY = {"k": "d", "W": "W", "s": "s", "d": "s"}


def read_blocks(name):
    """Yields (header words, rows) for each block of a source file."""
    header, rows = None, []
    with open(os.path.join(ART, name)) as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            if line.startswith(("image ", "icon ")):
                if header:
                    yield header, rows
                header, rows = line.split(), []
            else:
                rows.append(line)
    if header:
        yield header, rows


def check_shape(name, rows, size=16):
    if len(rows) != size or any(len(r) != size for r in rows):
        sys.exit("%s: the drawing must be %d x %d" % (name, size, size))
    for r in rows:
        for ch in r:
            if ch != "." and ch not in INDEX:
                sys.exit("%s: unknown colour %r" % (name, ch))


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for _, (r, g, b) in PALETTE)


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 16, 0)


def pixel_rows(rows, background):
    """4-bit rows, bottom-up, each padded to a multiple of 4 bytes."""
    out = b""
    for row in reversed(rows):
        indices = [INDEX[background if ch == "." else ch] for ch in row]
        data = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2))
        out += data + b"\0" * ((4 - len(data) % 4) % 4)
    return out


def mask_rows(rows):
    """1-bit transparency mask, bottom-up, rows padded to 4 bytes."""
    out = b""
    for row in reversed(rows):
        bits = [1 if ch == "." else 0 for ch in row]
        data = bytearray()
        for i in range(0, len(bits), 8):
            byte = 0
            for bit in bits[i:i + 8]:
                byte = (byte << 1) | bit
            data.append(byte)
        out += bytes(data) + b"\0" * ((4 - len(data) % 4) % 4)
    return out


def bitmap_file(rows, background):
    pixels = pixel_rows(rows, background)
    header = info_header(len(rows[0]), len(rows), len(pixels)) + palette_bytes()
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + pixels


# The sizes every toolbar and list picture is written at; the programs choose
# by the display's resolution (shell/display_scale.h).
ART_SIZES = (16, 24, 32)


def scale2x(rows):
    """Each pixel becomes four; a corner takes the colour of the two
    neighbours it lies between where they agree, so diagonals stay smooth."""
    height, width = len(rows), len(rows[0])
    out = []
    for y in range(height):
        top, bottom = ["", ""]
        for x in range(width):
            p = rows[y][x]
            a = rows[y - 1][x] if y > 0 else p
            d = rows[y + 1][x] if y + 1 < height else p
            c = rows[y][x - 1] if x > 0 else p
            b = rows[y][x + 1] if x + 1 < width else p
            top += (a if c == a and c != d and a != b else p) + (b if a == b and a != c and b != d else p)
            bottom += (c if d == c and d != b and c != a else p) + (d if b == d and b != a and d != c else p)
        out += [top, bottom]
    return out


def widened_by_half(rows):
    """Nearest neighbour from 16 to 24: pixels 0, 2, 4 ... are doubled."""
    size = len(rows) * 3 // 2
    return ["".join(rows[y * 2 // 3][x * 2 // 3] for x in range(size)) for y in range(size)]


def at_size(rows, size):
    if size == 16:
        return rows
    if size == 24:
        return widened_by_half(rows)
    if size == 32:
        return scale2x(rows)
    sys.exit("no art size %d: 16, 24 or 32" % size)


def sized_name(name, size):
    """toolbar.bmp at 16 pixels, toolbar-24.bmp at 24."""
    stem, ext = os.path.splitext(name)
    return name if size == 16 else "%s-%d%s" % (stem, size, ext)


def icon_file(rows, sizes):
    images = []
    for size in sizes:
        drawn = at_size(rows, size)
        xor = pixel_rows(drawn, "k")
        mask = mask_rows(drawn)
        images.append((size, info_header(size, 2 * size, len(xor) + len(mask)) + palette_bytes() + xor + mask))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def outputs():
    """(file name, bytes) of every picture the sources describe."""
    result = []
    strip = []
    for header, rows in read_blocks("toolbar.txt"):
        check_shape(header[1], rows)
        strip.append(rows)
    if len(strip) != 14:
        sys.exit("toolbar.txt: 14 images expected, found %d" % len(strip))
    for size in ART_SIZES:
        images = [at_size(image, size) for image in strip]
        joined = ["".join(image[y] for image in images) for y in range(size)]
        result.append((sized_name("toolbar.bmp", size), bitmap_file(joined, "s")))
    for header, rows in read_blocks("list.txt"):
        check_shape(header[1], rows)
        number = int(header[2])
        grey = ["".join(GREY.get(ch, "s") if ch != "." else "." for ch in row) for row in rows]
        for size in ART_SIZES:
            result.append((sized_name("list%d.bmp" % number, size), bitmap_file(at_size(rows, size), "W")))
            result.append((sized_name("list%d.bmp" % (number + 1), size), bitmap_file(at_size(grey, size), "W")))
    for header, rows in read_blocks("icons.txt"):
        check_shape(header[1], rows)
        sizes = [int(s) for s in header[header.index("sizes") + 1:]]
        result.append(("icon%s.ico" % header[2], icon_file(rows, sizes)))
    return result


def main():
    check = "--check" in sys.argv[1:]
    stale = []
    for name, data in outputs():
        path = os.path.join(ART, name)
        if check:
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(name)
            except OSError:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("out of date: " + ", ".join(stale) + " (run tools/make-art.py)")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
