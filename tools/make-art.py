#!/usr/bin/env python3
"""Writes the main program's icons and bitmaps from the text pixel art in
shell/art/*.txt. Every picture is 16 colours (the standard VGA palette).

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


def doubled(rows):
    return ["".join(ch * 2 for ch in row) for row in rows for _ in (0, 1)]


def icon_file(rows, sizes):
    images = []
    for size in sizes:
        drawn = rows if size == 16 else doubled(rows)
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
    joined = ["".join(image[y] for image in strip) for y in range(16)]
    result.append(("toolbar.bmp", bitmap_file(joined, "s")))
    for header, rows in read_blocks("list.txt"):
        check_shape(header[1], rows)
        number = int(header[2])
        result.append(("list%d.bmp" % number, bitmap_file(rows, "W")))
        grey = ["".join(GREY.get(ch, "s") if ch != "." else "." for ch in row) for row in rows]
        result.append(("list%d.bmp" % (number + 1), bitmap_file(grey, "W")))
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
