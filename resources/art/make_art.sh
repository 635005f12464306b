#!/usr/bin/env bash
# Regenerates every shipped picture from the SVG sources beside this script:
#   Skins/{Default,Shadow,Ring,Large}.png, resources/icons/zentick.ico and tray32.png,
#   resources/about/about.bmp.
# Needs rsvg-convert, ImageMagick (/usr/bin/convert) and python3. The output is byte for
# byte the same on every run with the same tools.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
IM=/usr/bin/convert
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

render() {  # svg png
  rsvg-convert --format=png "$1" -o "$2"
}

# Straight (not premultiplied) 8-bit RGBA bytes of a PNG, row by row from the top.
rgba() {  # png raw
  "$IM" "$1" -alpha on -depth 8 "rgba:$2"
}

# Skins: the PNG as drawn; the descriptors beside them are written by hand.
for skin in default shadow ring large; do
  render "$here/$skin.svg" "$root/Skins/${skin^}.png"
done

# Icon: 16, 32 and 48 px, each drawn for its size; 32-bit with alpha in the classic DIB
# form, which every version of the system's icon loader reads.
mkdir -p "$root/resources/icons"
for size in 16 32 48; do
  render "$here/icon$size.svg" "$work/icon$size.png"
  rgba "$work/icon$size.png" "$work/icon$size.rgba"
done
cp "$work/icon32.png" "$root/resources/icons/tray32.png"
python3 - "$work" "$root/resources/icons/zentick.ico" <<'PY'
import struct, sys
work, out = sys.argv[1], sys.argv[2]
images = []
for size in (16, 32, 48):
    rgba = open('%s/icon%d.rgba' % (work, size), 'rb').read()
    assert len(rgba) == size * size * 4
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):  # DIB rows run bottom-up
        bits = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = rgba[(y * size + x) * 4:(y * size + x) * 4 + 4]
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    images.append((size, header + bytes(xor) + bytes(mask)))
data = struct.pack('<HHH', 0, 1, len(images))
offset = 6 + 16 * len(images)
for size, blob in images:
    data += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(blob), offset)
    offset += len(blob)
for _, blob in images:
    data += blob
open(out, 'wb').write(data)
PY

# About picture: 24-bit BMP. The illustration's soft edges are blended into the about
# box's cream (255, 251, 240); pixels it leaves untouched get the key colour magenta,
# which the box makes see-through because the bottom-left pixel has it.
mkdir -p "$root/resources/about"
render "$here/about.svg" "$work/about.png"
rgba "$work/about.png" "$work/about.rgba"
python3 - "$work/about.rgba" "$root/resources/about/about.bmp" <<'PY'
import struct, sys
src, out = sys.argv[1], sys.argv[2]
w, h = 150, 214
rgba = open(src, 'rb').read()
assert len(rgba) == w * h * 4
key = (255, 0, 255)
cream = (255, 251, 240)
assert rgba[((h - 1) * w) * 4 + 3] == 0, 'the bottom-left pixel must stay background'
stride = (w * 3 + 3) // 4 * 4
pixels = bytearray()
for y in reversed(range(h)):
    row = bytearray()
    for x in range(w):
        r, g, b, a = rgba[(y * w + x) * 4:(y * w + x) * 4 + 4]
        if a == 0:
            rgb = key
        else:
            rgb = tuple((c * a + k * (255 - a) + 127) // 255 for c, k in zip((r, g, b), cream))
            if rgb == key:  # never let the picture itself turn see-through
                rgb = (255, 1, 255)
        row += bytes((rgb[2], rgb[1], rgb[0]))
    pixels += row + bytes(stride - len(row))
info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
open(out, 'wb').write(head + info + bytes(pixels))
PY
echo "art written under $root"
