#!/usr/bin/env python3
"""Reads screenshots and skins for the end-to-end tests (pure Python, ImageMagick
for decoding). Each command prints its findings on one line; on a mismatch it
prints what it expected and what it saw, and exits with 1."""

import subprocess
import sys

CONVERT = "/usr/bin/convert"
# Screenshot pixels that differ from the "before" picture by more than this
# belong to something new on the screen.
DIFF_TOLERANCE = 16
# The virtual desktop's taskbar: it comes and goes with the tray icon, so it is
# left out wherever the clock is looked for.
TASKBAR_TOP = 780
MENU_BORDER = (166, 166, 166)
CENTRE_MARK = (255, 0, 0)


class Image:
    def __init__(self, path):
        out = subprocess.run([CONVERT, path, "-depth", "8", "pam:-"], capture_output=True,
                             check=True).stdout
        end = out.index(b"ENDHDR\n") + len(b"ENDHDR\n")
        header = dict(line.split(b" ", 1) for line in out[:end].split(b"\n")[1:-2])
        self.path = path
        self.w = int(header[b"WIDTH"])
        self.h = int(header[b"HEIGHT"])
        self.depth = int(header[b"DEPTH"])
        self.data = out[end:]

    def rgb(self, x, y):
        i = (y * self.w + x) * self.depth
        if self.depth >= 3:
            return tuple(self.data[i:i + 3])
        return (self.data[i],) * 3

    def alpha(self, x, y):
        if self.depth in (2, 4):
            return self.data[(y * self.w + x) * self.depth + self.depth - 1]
        return 255


def fail(message):
    print("MISMATCH: " + message)
    sys.exit(1)


def distance(a, b):
    return max(abs(p - q) for p, q in zip(a, b))


def colour_of(value):
    """A descriptor colour (0x00BBGGRR) as (r, g, b)."""
    return (value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF)


def parse_int(text):
    t = text.strip()
    try:
        if t[:2].lower() == "0x":
            return int(t[2:], 16)
        if t[:1] == "$":
            return int(t[1:], 16)
        return int(t, 10)
    except ValueError:
        return None


class Skin:
    """A skin image with the hand layout its descriptor gives."""

    DEFAULTS = {"CenterX": 62, "CenterY": 62, "HourColor": 0, "HourRadius": 26, "HourWidth": 3,
                "MinuteColor": 0, "MinuteRadius": 36, "MinuteWidth": 2, "SecondColor": 255,
                "SecondRadius": 50, "SecondWidth": 1}

    def __init__(self, png):
        self.image = Image(png)
        values = dict(self.DEFAULTS)
        dot = png.rfind(".")
        ini = png[:dot + 1] + "ini"
        try:
            section = ""
            with open(ini, encoding="latin-1") as f:
                for line in f:
                    line = line.strip()
                    if line.startswith("["):
                        section = line.strip("[]")
                    elif section == "Settings" and "=" in line:
                        key, value = line.split("=", 1)
                        number = parse_int(value)
                        if key in values and number is not None:
                            values[key] = number
        except OSError:
            pass
        w, h = self.image.w, self.image.h
        # 62 stands for "the middle of the image".
        self.pivot = (w // 2 if values["CenterX"] == 62 else values["CenterX"],
                      h // 2 if values["CenterY"] == 62 else values["CenterY"])
        self.hand_colours = [colour_of(values[k + "Color"]) for k in ("Hour", "Minute", "Second")]
        # How far from the pivot a hand (with its pen width) or the centre mark may reach.
        self.reach = max(values[k + "Radius"] + values[k + "Width"] for k in
                         ("Hour", "Minute", "Second")) + 2
        self.reach = max(self.reach, 11 + 3)  # the second hand's tail

    def visible_box(self):
        xs, ys = [], []
        for y in range(self.image.h):
            for x in range(self.image.w):
                if self.image.alpha(x, y) > 0:
                    xs.append(x)
                    ys.append(y)
        return min(xs), min(ys), max(xs) + 1, max(ys) + 1

    def grab_point(self):
        """An opaque pixel that no hand can cover, as close to the pivot as possible."""
        px, py = self.pivot
        best = None
        for y in range(2, self.image.h - 2):
            for x in range(2, self.image.w - 2):
                d2 = (x - px) ** 2 + (y - py) ** 2
                if d2 <= (self.reach + 3) ** 2 or (best and d2 >= best[0]):
                    continue
                if all(self.image.alpha(x + i, y + j) == 255 for i in range(-2, 3)
                       for j in range(-2, 3)):
                    best = (d2, x, y)
        if not best:
            fail(f"{self.image.path}: no opaque pixel lies beyond the hands' reach")
        return best[1], best[2]

    def is_hand_pixel(self, x, y, seen):
        """Whether a screen pixel at image position (x, y) can be a hand or the centre mark."""
        if (x - self.pivot[0]) ** 2 + (y - self.pivot[1]) ** 2 > self.reach ** 2:
            return False
        return any(distance(seen, c) <= 8 for c in self.hand_colours + [CENTRE_MARK])


def diff_box(before, after):
    x0, y0, x1, y1 = 0, 0, after.w, min(after.h, TASKBAR_TOP)
    xs, ys = [], []
    stride = after.w * after.depth
    for y in range(y0, y1):
        row = slice(y * stride, (y + 1) * stride)
        same_layout = before.w == after.w and before.depth == after.depth
        if same_layout and before.data[row] == after.data[row]:
            continue
        for x in range(x0, x1):
            if distance(before.rgb(x, y), after.rgb(x, y)) > DIFF_TOLERANCE:
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return min(xs), min(ys), max(xs) + 1, max(ys) + 1


def centre_mark(shot, x0, y0, x1, y1):
    pts = [(x, y) for y in range(max(y0, 0), min(y1, shot.h)) for x in range(max(x0, 0),
           min(x1, shot.w)) if distance(shot.rgb(x, y), CENTRE_MARK) <= 20]
    if not pts:
        return None
    # The mark is a filled box of 6 or 7 pixels around the pivot.
    return (sum(p[0] for p in pts) / len(pts) + 0.5, sum(p[1] for p in pts) / len(pts) + 0.5,
            len(pts))


def cmd_face_box(before, after):
    """Box (left top width height) of what appeared since the "before" picture."""
    box = diff_box(Image(before), Image(after))
    if not box:
        fail(f"nothing new on screen in {after} compared with {before}")
    print(box[0], box[1], box[2] - box[0], box[3] - box[1])


def cmd_skin(png):
    """Size, visible box, pivot and grab point of a skin, in image coordinates."""
    skin = Skin(png)
    vx0, vy0, vx1, vy1 = skin.visible_box()
    gx, gy = skin.grab_point()
    print(skin.image.w, skin.image.h, vx0, vy0, vx1 - vx0, vy1 - vy0, skin.pivot[0],
          skin.pivot[1], gx, gy)


def cmd_check_face(shot_path, before_path, png, left, top):
    """The skin stands at (left, top): opaque pixels show the skin, fully transparent
    ones the desktop beneath, and whatever differs is a hand near the pivot; the
    centre mark sits on the pivot."""
    shot, before, skin = Image(shot_path), Image(before_path), Skin(png)
    left, top = int(left), int(top)
    img = skin.image
    if left < 0 or top < 0 or left + img.w > shot.w or top + img.h > TASKBAR_TOP:
        fail(f"face {img.w}x{img.h} at ({left}, {top}) does not fit the screen")
    counts = {"opaque": 0, "clear": 0, "soft": 0, "hand": 0}
    wrong = []
    for y in range(img.h):
        for x in range(img.w):
            a = img.alpha(x, y)
            seen = shot.rgb(left + x, top + y)
            under = before.rgb(left + x, top + y)
            colour = img.rgb(x, y)
            if a == 255:
                expected = [colour]
                kind = "opaque"
            elif a == 0:
                expected = [under]
                kind = "clear"
            else:
                # Blended over the desktop where a compositor runs; over black
                # (the premultiplied colour) where none does, as under Xvfb.
                expected = [tuple((c * a + u * (255 - a) + 127) // 255 for c, u in
                                  zip(colour, under)),
                            tuple((c * a + 127) // 255 for c in colour)]
                kind = "soft"
            if any(distance(seen, e) <= 8 for e in expected):
                counts[kind] += 1
            elif skin.is_hand_pixel(x, y, seen):
                counts["hand"] += 1
            else:
                wrong.append((x, y, a, seen, expected[0]))
    if wrong:
        x, y, a, seen, exp = wrong[0]
        fail(f"{len(wrong)} of {img.w * img.h} pixels of {png} at ({left}, {top}) differ in "
             f"{shot_path}; first at image ({x}, {y}) alpha {a}: expected {exp}, seen {seen}")
    px, py = left + skin.pivot[0], top + skin.pivot[1]
    found = centre_mark(shot, px - 8, py - 8, px + 9, py + 9)
    if not found or abs(found[0] - px) > 1.5 or abs(found[1] - py) > 1.5:
        fail(f"red centre mark expected at the pivot ({px}, {py}) in {shot_path}, found {found}")
    if counts["hand"] < 20:
        fail(f"only {counts['hand']} hand pixels over the face in {shot_path}")
    print(" ".join(f"{k}={v}" for k, v in counts.items()) + f" mark={found[0]:.1f},{found[1]:.1f}")


def find_menus(shot):
    """Rectangles framed by the menu border colour, at least 50 pixels each way."""
    border = bytes(MENU_BORDER)
    run = border * 50
    d = shot.depth
    rects = []
    for y in range(shot.h - 1):
        row = shot.data[y * shot.w * d:(y + 1) * shot.w * d]
        i = row.find(run) if d == 3 else -1
        while i >= 0:
            if i % 3:
                i = row.find(run, i + 1)
                continue
            start = i // 3
            end = start
            while end + 1 < shot.w and shot.rgb(end + 1, y) == MENU_BORDER:
                end += 1
            if shot.rgb(start + 1, y + 1) == (255, 255, 255):
                bottom = y
                while bottom + 1 < shot.h and shot.rgb(start, bottom + 1) == MENU_BORDER:
                    bottom += 1
                if bottom - y >= 50 and all(shot.rgb(end, yy) == MENU_BORDER for yy in
                                            range(y, bottom + 1)):
                    rects.append((start, y, end + 1, bottom + 1))
            i = row.find(run, (end + 1) * 3)
    return rects


def menu_rows(shot, rect):
    """Caption rows of a menu: (centre y, ticked) per row of dark text."""
    x0, y0, x1, y1 = rect
    dark_rows = []
    for y in range(y0 + 1, y1 - 1):
        # Ink of the first glyph of each caption (anti-aliased, so grey counts); the
        # mnemonic's underline lies further right; a separator is a grey line.
        separator = shot.rgb(x0 + 24, y) == MENU_BORDER and shot.rgb(x1 - 24, y) == MENU_BORDER
        dark_rows.append(not separator and
                         any(max(shot.rgb(x, y)) < 200 for x in range(x0 + 18, x0 + 34)))
    rows = []
    y = 0
    while y < len(dark_rows):
        if not dark_rows[y]:
            y += 1
            continue
        start = y
        gap = 0
        while y < len(dark_rows) and gap <= 2:
            gap = 0 if dark_rows[y] else gap + 1
            y += 1
        end = y - gap
        rows.append((y0 + 1 + start, y0 + 1 + end))
    result = []
    for a, b in rows:
        # A tick is drawn in the margin left of the caption.
        ticked = any(max(shot.rgb(x, yy)) < 200 for yy in range(a, b) for x in
                     range(x0 + 2, x0 + 18))
        result.append(((a + b) // 2, ticked))
    return result


def cmd_menu(shot_path):
    """The open menu: its box, then per caption row its centre y and "+" when ticked."""
    shot = Image(shot_path)
    rects = find_menus(shot)
    if not rects:
        fail(f"no menu on screen in {shot_path}")
    rect = max(rects, key=lambda r: (r[2] - r[0]) * (r[3] - r[1]))
    rows = menu_rows(shot, rect)
    print(*rect, *[f"{y}{'+' if t else ''}" for y, t in rows])


def cmd_no_menu(shot_path):
    """Succeeds when no menu is open."""
    rects = find_menus(Image(shot_path))
    if rects:
        fail(f"a menu is open at {rects[0]} in {shot_path}")
    print("no menu")


def cmd_tray(shot_path):
    """The tray icon: the box of dark pixels at the right end of the taskbar."""
    shot = Image(shot_path)
    pts = [(x, y) for y in range(TASKBAR_TOP, shot.h) for x in range(shot.w - 60, shot.w)
           if max(shot.rgb(x, y)) < 90]
    if len(pts) < 20:
        print("none")
        return
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    print(min(xs), min(ys), max(xs) + 1 - min(xs), max(ys) + 1 - min(ys))


COMMANDS = {"face-box": cmd_face_box, "skin": cmd_skin, "check-face": cmd_check_face,
            "menu": cmd_menu, "no-menu": cmd_no_menu, "tray": cmd_tray}

if __name__ == "__main__":
    if len(sys.argv) < 2 or sys.argv[1] not in COMMANDS:
        sys.exit("usage: pixels.py " + "|".join(COMMANDS) + " ARGS...")
    COMMANDS[sys.argv[1]](*sys.argv[2:])
