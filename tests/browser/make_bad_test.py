#!/usr/bin/python3
"""Writes Bad.tvt into DIRECTORY, byte by byte as the test format lays it out,
with the files it names: texts that try to end the page's script or open
markup, rich text with unbalanced groups, huge numbers, deep nesting and
binary data, a bitmap cut short, a file that is no bitmap and one that is
missing; status lines that carry miss counts, one beyond the most a question
counts. Any script these texts smuggled in would set window.__ran.

Usage: make_bad_test.py DIRECTORY
"""
import os
import sys

RAN = "window.__ran=1"

RICH = (b"{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\cf1 <script>" + RAN.encode() + b"</script>"
        b"{\\b unbalanced {{{\\i deep\\fs999999999999 " + b"{" * 5000 + b"x" + b"}" * 4000 +
        b"\\bin12 <script>\x00\x01\\'3c\\u60?img src=x onerror=" + RAN.encode() + b"\\u62?")
PLAIN = ("</script><script>%s</script>\r\n<img src=x onerror=\"%s\">" % (RAN, RAN)).encode("cp1252")


def record(keyword, texts, files=(), status="0"):
    """keyword line, ten lengths, status line, then the slots (texts with CR
    as 0x02 and LF as 0x01)."""
    slots = [t.encode("cp1252").replace(b"\r", b"\x02").replace(b"\n", b"\x01") for t in texts]
    slots += [b""] * (6 - len(slots)) + [f.encode("cp1252") for f in files] + [b""] * (4 - len(files))
    lines = [keyword.encode("cp1252")] + [str(len(s)).encode() for s in slots] + [status.encode()]
    return b"\r\n".join(lines) + b"\r\n" + b"".join(slots)


def main(directory):
    records = [
        record("</script><!--", ["</script><script>%s</script>" % RAN, "<b>&amp;", "\"quoted\" 'single'",
                                 "line\r\nbreak </SCRIPT >"], ["bad.rtf", "cut.bmp"], "0 3"),
        record("<img src=x>&amp;", ["<img src=x onerror=\"%s\">" % RAN, "a < b & c > d"],
               ["plain.txt", "notabitmap.bmp", "missing.rtf", "missing.bmp"], "0 123456789"),
        record("\"quotes' &lt;", ["caf\u00e9 \u20ac \\u003c", "]]></script>", "<!-- -->"]),
    ]
    with open(os.path.join(directory, "Bad.tvt"), "wb") as test:
        test.write(b"QBKX0101A\r\n" + b"".join(records) + b"\r\n")
    files = {"bad.rtf": RICH, "plain.txt": PLAIN, "cut.bmp": b"BM" + b"\xff" * 40,
             "notabitmap.bmp": b"<svg onload=\"%s\">" % RAN.encode()}
    for name, data in files.items():
        with open(os.path.join(directory, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main(sys.argv[1])
