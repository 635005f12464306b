#!/usr/bin/env bash
# Renders bmpclock.svg into bmpclock.bmp: 100 x 100, 24-bit, the dial on pure magenta.
# The dial's edge is made hard (alpha thresholded) so that no pixel blends into the
# magenta: every pixel outside the dial is exactly 0xFF00FF and can be keyed out.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

rsvg-convert -w 100 -h 100 -o "$tmp/dial.png" "$here/bmpclock.svg"
# /usr/bin/convert is ImageMagick itself (a stand-in may shadow it on PATH).
/usr/bin/convert "$tmp/dial.png" \
  -channel A -threshold 50% +channel \
  -background '#FF00FF' -alpha remove -alpha off \
  -type TrueColor -define bmp:format=bmp3 "BMP3:$here/bmpclock.bmp"

python3 "$here/check_bmpclock.py" "$here/bmpclock.bmp"
