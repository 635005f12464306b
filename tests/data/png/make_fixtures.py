#!/usr/bin/env python3
"""Writes the PNG fixtures of the decoder tests into this folder.

Run it from anywhere: python3 tests/data/png/make_fixtures.py
The files are small and committed; the tests know the pixels listed below.

  rgba_3x2.png      valid 3 x 2 RGBA, 8 bits, pixels RGBA_PIXELS (alpha 255, 128, 0)
  palette_trns.png  valid 3 x 1 indexed image whose tRNS makes entries 1 and 2
                    half and fully transparent
  truncated.png     rgba_3x2.png cut off in the middle of its IDAT data
  no_iend.png       rgba_3x2.png without its closing IEND chunk
  bad_crc.png       rgba_3x2.png with one byte of the IDAT checksum flipped
  empty.png         zero bytes
  not_png.png       a line of text
  huge_header.png   a well-formed header claiming 20000 x 20000 RGBA, then a
                    few bytes of image data
  huge_chunk.png    a valid header, then a text chunk whose length field
                    claims almost 2 GiB, then nothing
  text_bomb.png     a valid 1 x 1 image whose compressed text chunk inflates to
                    8 MiB, more than the decoder keeps for such chunks
"""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SIGNATURE = b"\x89PNG\r\n\x1a\n"

# Top row first, (R, G, B, A).
RGBA_PIXELS = [
    [(255, 0, 0, 255), (0, 255, 0, 128), (0, 0, 255, 0)],
    [(16, 32, 48, 255), (200, 100, 50, 128), (255, 255, 255, 0)],
]

PALETTE = [(10, 20, 30), (40, 50, 60), (70, 80, 90)]
PALETTE_ALPHA = [255, 128, 0]  # tRNS for entries 0, 1, 2


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def ihdr(width, height, bit_depth, colour_type):
    return chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, 0))


def rgba_png():
    raw = b"".join(
        b"\x00" + b"".join(bytes(p) for p in row) for row in RGBA_PIXELS
    )  # filter type 0 on every row
    return (
        SIGNATURE
        + ihdr(len(RGBA_PIXELS[0]), len(RGBA_PIXELS), 8, 6)
        + chunk(b"IDAT", zlib.compress(raw, 9))
        + chunk(b"IEND", b"")
    )


def palette_png():
    raw = b"\x00" + bytes(range(len(PALETTE)))
    return (
        SIGNATURE
        + ihdr(len(PALETTE), 1, 8, 3)
        + chunk(b"PLTE", b"".join(bytes(c) for c in PALETTE))
        + chunk(b"tRNS", bytes(PALETTE_ALPHA))
        + chunk(b"IDAT", zlib.compress(raw, 9))
        + chunk(b"IEND", b"")
    )


def idat_span(png):
    """(start of the IDAT data, end of its CRC) in a file with one IDAT."""
    at = len(SIGNATURE)
    while at < len(png):
        (length,) = struct.unpack(">I", png[at : at + 4])
        if png[at + 4 : at + 8] == b"IDAT":
            return at + 8, at + 8 + length + 4
        at += 12 + length
    raise ValueError("no IDAT")


def truncated_png():
    png = rgba_png()
    start, end = idat_span(png)
    return png[: start + (end - 4 - start) // 2]


def bad_crc_png():
    png = bytearray(rgba_png())
    _, end = idat_span(png)
    png[end - 1] ^= 0x5A
    return bytes(png)


def huge_header_png():
    return SIGNATURE + ihdr(20000, 20000, 8, 6) + chunk(b"IDAT", zlib.compress(b"\x00" * 64))


def huge_chunk_png():
    return SIGNATURE + ihdr(2, 2, 8, 6) + struct.pack(">I", 0x7FFFFFF0) + b"tEXt" + b"Title\x00"


def text_bomb_png():
    text = b"Comment\x00\x00" + zlib.compress(b"\x00" * (8 << 20), 9)
    return (
        SIGNATURE
        + ihdr(1, 1, 8, 6)
        + chunk(b"zTXt", text)
        + chunk(b"IDAT", zlib.compress(b"\x00\x01\x02\x03\x04"))
        + chunk(b"IEND", b"")
    )


FIXTURES = {
    "rgba_3x2.png": rgba_png(),
    "palette_trns.png": palette_png(),
    "truncated.png": truncated_png(),
    "no_iend.png": rgba_png()[:-12],
    "bad_crc.png": bad_crc_png(),
    "empty.png": b"",
    "not_png.png": b"This is a text file, not an image.\n",
    "huge_header.png": huge_header_png(),
    "huge_chunk.png": huge_chunk_png(),
    "text_bomb.png": text_bomb_png(),
}


def main():
    for name, data in FIXTURES.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
