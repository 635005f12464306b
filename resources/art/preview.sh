#!/usr/bin/env bash
# Shows every shipped skin as the clock puts it on screen: the face over a light and a dark
# desktop, the hands at 10:08:42 as aliased lines from the skin's descriptor, the red centre
# dot. Also enlarges the icon sizes and the about picture. Output goes to /tmp.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
out="${1:-/tmp/zentick_preview}"
IM=/usr/bin/convert
mkdir -p "$out"

# One hand-drawing script (ImageMagick draw primitives) per skin, from the descriptor.
hands_mvg() {
  python3 - "$1" "$2" "$3" <<'PY'
import configparser, math, sys
ini, w, h = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
defaults = dict(centerx=62, centery=62, hourcolor=0, hourradius=26, hourwidth=3,
                minutecolor=0, minuteradius=36, minutewidth=2, secondcolor=255,
                secondradius=50, secondwidth=1)
cfg = configparser.ConfigParser(inline_comment_prefixes=None)
cfg.read(ini)
def value(key):
    try:
        text = cfg.get('Settings', key).strip()
        if text[:2].lower() == '0x': return int(text[2:], 16)
        if text[:1] == '$': return int(text[1:], 16)
        return int(text)
    except Exception:
        return defaults[key]
cx = w // 2 if value('centerx') == 62 else value('centerx')
cy = h // 2 if value('centery') == 62 else value('centery')
def rgb(c): return 'rgb(%d,%d,%d)' % (c & 255, (c >> 8) & 255, (c >> 16) & 255)
hour, minute, second = 10, 8, 42
angles = {'hour': (hour + minute / 60) * 2 * math.pi / 12,
          'minute': minute * 2 * math.pi / 60,
          'second': second * 2 * math.pi / 60}
tails = {'hour': 6, 'minute': 6, 'second': 11}
print('fill none stroke-linecap round stroke-linejoin round')
for name in ('hour', 'minute', 'second'):
    # The hands window keys out this colour: a hand in it would be invisible.
    if value(name + 'color') == 0x8080FF:
        sys.exit('%s: the %s hand has the transparency key colour' % (ini, name))
for name in ('hour', 'minute', 'second'):
    a, r, back = angles[name], value(name + 'radius'), tails[name]
    s, c = math.sin(a), math.cos(a)
    # GDI pixel (x, y) covers [x, x+1): its centre is x + 0.5 in drawing coordinates.
    x0, y0 = round(cx - back * s) + 0.5, round(cy + back * c) + 0.5
    x1, y1 = round(cx + r * s) + 0.5, round(cy - r * c) + 0.5
    print('stroke "%s" stroke-width %d line %.1f,%.1f %.1f,%.1f'
          % (rgb(value(name + 'color')), value(name + 'width'), x0, y0, x1, y1))
print('stroke "rgb(255,0,0)" fill "rgb(255,0,0)" stroke-width 1 circle %.1f,%.1f %.1f,%.1f'
      % (cx, cy, cx + 2.5, cy))
PY
}

rows=()
for png in "$root"/Skins/*.png; do
  name="$(basename "$png" .png)"
  read -r w h < <("$IM" "$png" -format '%w %h\n' info:)
  hands_mvg "$root/Skins/$name.ini" "$w" "$h" > "$out/$name.mvg"
  for bg in '#e8e8e8' '#202830'; do
    tag="$name-${bg#\#}"
    "$IM" -size "${w}x${h}" "xc:$bg" "$png" -composite \
      +antialias -draw "$(cat "$out/$name.mvg")" \
      -bordercolor "$bg" -border 16 "$out/$tag.png"
  done
  "$IM" "$out/$name-e8e8e8.png" "$out/$name-202830.png" +append "$out/$name.png"
  rows+=("$out/$name.png")
done
"$IM" "${rows[@]}" -background "#808080" -gravity center -append +repage -depth 8 "$out/skins.png"

# Icon sizes, enlarged 8 times without smoothing, over both desktops, and at true size.
icon_panels=()
for bg in '#e8e8e8' '#202830'; do
  row=()
  for entry in 0:16 1:32 2:48; do
    index=${entry%:*} size=${entry#*:}
    "$IM" -size "${size}x${size}" "xc:$bg" "$root/resources/icons/zentick.ico[$index]" -composite \
      -filter point -resize 800% -bordercolor "$bg" -border 8 "$out/icon$size-${bg#\#}.png"
    row+=("$out/icon$size-${bg#\#}.png")
  done
  "$IM" "${row[@]}" -background "$bg" -gravity center +append "$out/iconrow-${bg#\#}.png"
  icon_panels+=("$out/iconrow-${bg#\#}.png")
done
"$IM" "${icon_panels[@]}" -background '#808080' -gravity center -append "$out/icons.png"

# The about picture as the about box shows it: its key colour replaced by the cream
# background, next to the raw picture, both enlarged twice.
key="$("$IM" "$root/resources/about/about.bmp" -format '%[pixel:p{0,213}]' info:)"
"$IM" "$root/resources/about/about.bmp" -fill 'rgb(255,251,240)' -opaque "$key" \
  -filter point -resize 200% "$out/about-cream.png"
"$IM" "$root/resources/about/about.bmp" -filter point -resize 200% "$out/about-raw.png"
"$IM" "$out/about-cream.png" "$out/about-raw.png" -background 'rgb(255,251,240)' +append \
  "$out/about.png"
echo "$out/skins.png $out/icons.png $out/about.png"
