#!/usr/bin/env python3
"""Checks bmpclock.bmp: 100 x 100, 24-bit, BITMAPINFOHEADER, and a surround of exact magenta.

A pixel is "near magenta" when it is a blend of magenta and the dial; such fringe pixels
would survive the colour key as a pink halo, so none may exist.
"""
import struct
import sys

data = open(sys.argv[1], "rb").read()
assert data[:2] == b"BM", "not a BMP file"
off_bits = struct.unpack_from("<I", data, 10)[0]
size, width, height, planes, bpp, compression = struct.unpack_from("<IiiHHI", data, 14)
assert size == 40 and width == 100 and height == 100 and planes == 1, (size, width, height)
assert bpp == 24 and compression == 0, (bpp, compression)
stride = (width * 3 + 3) & ~3
magenta = fringe = 0
for row in range(height):
    y = height - 1 - row  # bottom-up
    for x in range(width):
        b, g, r = data[off_bits + row * stride + x * 3: off_bits + row * stride + x * 3 + 3]
        inside = (x + 0.5 - 50) ** 2 + (y + 0.5 - 50) ** 2 <= 47 ** 2
        if (r, g, b) == (255, 0, 255):
            magenta += 1
            assert not inside, f"magenta inside the dial at {x},{y}"
        else:
            assert r < 200 or b < 200 or g > 60, f"magenta fringe at {x},{y}: {(r, g, b)}"
            outside = (x + 0.5 - 50) ** 2 + (y + 0.5 - 50) ** 2 > 50 ** 2
            assert not outside, f"dial colour outside the circle at {x},{y}"
for x, y in ((0, 0), (99, 0), (0, 99), (99, 99)):
    row = height - 1 - y
    assert data[off_bits + row * stride + x * 3: off_bits + row * stride + x * 3 + 3] == b"\xff\x00\xff"
print(f"bmpclock.bmp ok: {magenta} magenta pixels around the dial")
