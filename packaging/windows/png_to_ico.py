#!/usr/bin/env python3
"""Wraps a PNG picture in a Windows .ico file: png_to_ico.py IN.png OUT.ico.

Since Windows Vista an icon image may be a whole PNG file, so the icon is
the one picture make_assets draws, stored as it is behind a one-entry
directory."""
import struct
import sys

png = open(sys.argv[1], "rb").read()
if png[:8] != b"\x89PNG\r\n\x1a\n" or png[12:16] != b"IHDR":
    sys.exit(f"png_to_ico: {sys.argv[1]} is not a PNG file")
width, height = struct.unpack(">II", png[16:24])
if width > 256 or height > 256:
    sys.exit("png_to_ico: an icon is at most 256 x 256")
# ICONDIR (reserved, type 1 = icon, one image), then its ICONDIRENTRY:
# width and height (0 means 256), no palette, planes 1, 32 bits, size, offset.
header = struct.pack("<HHH", 0, 1, 1)
entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(png), 6 + 16)
with open(sys.argv[2], "wb") as out:
    out.write(header + entry + png)
