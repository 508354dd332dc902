#!/usr/bin/env python3
"""Makes the driver's pictures from a readable description.

usage: make_pictures.py <description> <output dir>

Writes one .bmp, .ico or .cur file per picture into the output dir and a
resource script "pictures.rc" that names them, for the image library's own
resource script to include.

Description: one picture per line; a '#' at the start of a line or between
blanks starts a comment.

  bitmap <id> <w>x<h> <depth> <drawing>            a single bitmap, white where nothing is drawn
  image <id> <w>x<h> <depth> <drawing>             an image without a mask of its own (black where
                                                    nothing is drawn), for a mask that several share
  masked <image> <mask> <w>x<h> <depth> <drawing>  an image (black where nothing is drawn) and its
                                                    1-bit mask (white there, black under the picture),
                                                    drawn mask first with AND and image second with XOR
  strip <image> <mask> <cell> <cells> <depth> <drawing>
                                                    a masked vertical strip of square cells; the drawing
                                                    is repeated in every cell with k (the cell's index)
                                                    and n (k + 1) set
  icon <id> <size>[,<size>...] <drawing>            an icon group, one 32-bit image per size
  cursor <id> <size> <hot x> <hot y> <drawing>      a cursor

An id may be a list "a,b,c" of ids and runs "a..b" of pictures made alike; i is
then the place of each in the list (from 0), and a masked pair's two lists
go in step.  Depth is 1, 4, 8 or 24 bits per pixel.  A drawing is a list of
steps separated by ';'.  Numbers are integer expressions (+ - * // %, comparisons and
brackets) of w and h (the picture's or the cell's size), k and n (a strip
cell's index and index + 1), i and p (i + 1):

  fill C                    the whole picture
  rect X Y W H C            a filled rectangle
  box X Y W H C [T]         a rectangle's outline, T pixels thick (1)
  line X1 Y1 X2 Y2 C [T]    a straight line
  oval X Y W H C            a filled ellipse in the rectangle
  ring X Y W H C            an ellipse's outline
  tri X1 Y1 X2 Y2 X3 Y3 C   a filled triangle
  text X Y S C WORDS        text in a 3 x 5 pixel font scaled by S; WORDS may hold {k}, {n},
                            {i} and {p}
  when E STEP               the step only when E is not 0
  sheet C                   a sheet of paper: C with a black edge and a 4-pixel grey shadow
  flip                      turns what is drawn so far upside down

Colours: black white grey dgrey lgrey red dred green dgreen blue navy cyan
teal magenta purple yellow olive, or #rrggbb.
"""
import math
import os
import re
import struct
import sys

COLOURS = {
    "black": (0, 0, 0), "dred": (128, 0, 0), "dgreen": (0, 128, 0), "olive": (128, 128, 0),
    "navy": (0, 0, 128), "purple": (128, 0, 128), "teal": (0, 128, 128), "grey": (128, 128, 128),
    "lgrey": (192, 192, 192), "red": (255, 0, 0), "green": (0, 255, 0), "yellow": (255, 255, 0),
    "blue": (0, 0, 255), "magenta": (255, 0, 255), "cyan": (0, 255, 255), "white": (255, 255, 255),
    "dgrey": (64, 64, 64),
}
# The 16 colours of a 4-bit picture: the standard VGA palette.
PALETTE16 = [COLOURS[c] for c in ("black", "dred", "dgreen", "olive", "navy", "purple", "teal", "lgrey",
                                  "grey", "red", "green", "yellow", "blue", "magenta", "cyan", "white")]
# 8-bit pictures: those 16, a 6 x 6 x 6 colour cube and a grey ramp.
PALETTE256 = list(PALETTE16)
PALETTE256 += [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
PALETTE256 += [(i * 255 // 23, i * 255 // 23, i * 255 // 23) for i in range(24)]
assert len(PALETTE256) == 256

# A 3 x 5 pixel font: five rows of three bits per character.
FONT = {
    "0": "111101101101111", "1": "010110010010111", "2": "111001111100111", "3": "111001111001111",
    "4": "101101111001001", "5": "111100111001111", "6": "111100111101111", "7": "111001010010010",
    "8": "111101111101111", "9": "111101111001111", "A": "010101111101101", "B": "110101110101110",
    "C": "011100100100011", "D": "110101101101110", "E": "111100110100111", "F": "111100110100100",
    "G": "011100101101011", "H": "101101111101101", "I": "111010010010111", "J": "001001001101010",
    "K": "101101110101101", "L": "100100100100111", "M": "101111111101101", "N": "110101101101101",
    "O": "010101101101010", "P": "110101110100100", "Q": "010101101110011", "R": "110101110101101",
    "S": "011100010001110", "T": "111010010010010", "U": "101101101101111", "V": "101101101101010",
    "W": "101101111111101", "X": "101101010101101", "Y": "101101010010010", "Z": "111001010100111",
    "!": "010010010000010", "?": "111001010000010", "+": "000010111010000", "-": "000000111000000",
    "/": "001001010100100", "%": "101001010100101", ".": "000000000000010", " ": "000000000000000",
}


class DescriptionError(Exception):
    pass


def colour(name):
    if name.startswith("#") and len(name) == 7:
        return tuple(int(name[i:i + 2], 16) for i in (1, 3, 5))
    if name not in COLOURS:
        raise DescriptionError("unknown colour " + name)
    return COLOURS[name]


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[None] * w for _ in range(h)]
        self.ox, self.oy = 0, 0  # origin of the cell being drawn

    def set(self, x, y, c):
        x, y = int(x), int(y)
        if 0 <= x < self.cw and 0 <= y < self.ch:
            self.px[self.oy + y][self.ox + x] = c

    def cell(self, x, y, w, h):
        self.ox, self.oy, self.cw, self.ch = x, y, w, h


def evaluate(expr, names):
    if not re.fullmatch(r"[0-9wkhnip+\-*/%()=<>! ]+", expr):
        raise DescriptionError("bad number " + expr)
    return int(eval(expr, {"__builtins__": {}}, names))  # only digits, operators and the names above


def draw(canvas, drawing, names):
    for step in [s.strip() for s in drawing.split(";") if s.strip()]:
        words = step.split()
        op, args = words[0], words[1:]

        def num(i):
            return evaluate(args[i], names)

        if op == "when":
            if evaluate(args[0], names) != 0:
                draw(canvas, " ".join(args[1:]), names)
        elif op == "fill":
            rect(canvas, 0, 0, canvas.cw, canvas.ch, colour(args[0]))
        elif op == "rect":
            rect(canvas, num(0), num(1), num(2), num(3), colour(args[4]))
        elif op == "box":
            t = num(5) if len(args) > 5 else 1
            x, y, w, h, c = num(0), num(1), num(2), num(3), colour(args[4])
            rect(canvas, x, y, w, t, c)
            rect(canvas, x, y + h - t, w, t, c)
            rect(canvas, x, y, t, h, c)
            rect(canvas, x + w - t, y, t, h, c)
        elif op == "line":
            t = num(5) if len(args) > 5 else 1
            line(canvas, num(0), num(1), num(2), num(3), colour(args[4]), t)
        elif op in ("oval", "ring"):
            oval(canvas, num(0), num(1), num(2), num(3), colour(args[4]), op == "oval")
        elif op == "tri":
            tri(canvas, [(num(0), num(1)), (num(2), num(3)), (num(4), num(5))], colour(args[6]))
        elif op == "text":
            words_text = " ".join(args[4:]).format(**names)
            text(canvas, num(0), num(1), num(2), colour(args[3]), words_text)
        elif op == "sheet":
            w, h, c = canvas.cw, canvas.ch, colour(args[0])
            rect(canvas, 4, 4, w - 4, h - 4, COLOURS["grey"])
            rect(canvas, 0, 0, w - 4, h - 4, c)
            draw(canvas, "box 0 0 w-4 h-4 black", names)
        elif op == "flip":
            block = [canvas.px[canvas.oy + y][canvas.ox:canvas.ox + canvas.cw] for y in range(canvas.ch)]
            for y in range(canvas.ch):
                canvas.px[canvas.oy + y][canvas.ox:canvas.ox + canvas.cw] = block[canvas.ch - 1 - y]
        else:
            raise DescriptionError("unknown step " + op)


def rect(canvas, x, y, w, h, c):
    for yy in range(max(0, y), min(canvas.ch, y + h)):
        for xx in range(max(0, x), min(canvas.cw, x + w)):
            canvas.set(xx, yy, c)


def line(canvas, x1, y1, x2, y2, c, t):
    steps = max(abs(x2 - x1), abs(y2 - y1), 1)
    for i in range(steps + 1):
        x = x1 + (x2 - x1) * i / steps
        y = y1 + (y2 - y1) * i / steps
        rect(canvas, int(round(x)) - (t - 1) // 2, int(round(y)) - (t - 1) // 2, t, t, c)


def oval(canvas, x, y, w, h, c, filled):
    if w <= 0 or h <= 0:
        return
    cx, cy, rx, ry = x + (w - 1) / 2, y + (h - 1) / 2, w / 2, h / 2
    for yy in range(y, y + h):
        for xx in range(x, x + w):
            d = ((xx - cx) / rx) ** 2 + ((yy - cy) / ry) ** 2
            if d <= 1 and (filled or d >= (1 - 2.2 / min(rx, ry)) ** 2 - 0.05):
                canvas.set(xx, yy, c)


def tri(canvas, pts, c):
    ys = [p[1] for p in pts]
    for yy in range(min(ys), max(ys) + 1):
        xs = []
        for i in range(3):
            (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % 3]
            if ya == yb:
                if yy == ya:
                    xs += [xa, xb]
            elif min(ya, yb) <= yy <= max(ya, yb):
                xs.append(xa + (xb - xa) * (yy - ya) / (yb - ya))
        if xs:
            for xx in range(int(math.floor(min(xs))), int(math.ceil(max(xs))) + 1):
                canvas.set(xx, yy, c)


def text(canvas, x, y, scale, c, words):
    for i, ch in enumerate(words.upper()):
        glyph = FONT.get(ch)
        if glyph is None:
            raise DescriptionError("no glyph for " + ch)
        for row in range(5):
            for col in range(3):
                if glyph[row * 3 + col] == "1":
                    rect(canvas, x + (i * 4 + col) * scale, y + row * scale, scale, scale, c)


def nearest(palette, c, cache):
    if c not in cache:
        cache[c] = min(range(len(palette)),
                       key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], c)))
    return cache[c]


def bmp_bytes(rows, w, h, depth):
    """rows: h lists of (r, g, b), top first; written bottom-up."""
    palette = {1: [(0, 0, 0), (255, 255, 255)], 4: PALETTE16, 8: PALETTE256, 24: []}[depth]
    cache = {}
    stride = (w * depth + 31) // 32 * 4
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = rows[y]
        line_bytes = bytearray(stride)
        if depth == 24:
            for x, (r, g, b) in enumerate(row):
                line_bytes[x * 3:x * 3 + 3] = bytes((b, g, r))
        else:
            for x, c in enumerate(row):
                i = nearest(palette, c, cache)
                bit = x * depth
                line_bytes[bit // 8] |= i << (8 - depth - bit % 8)
        data += line_bytes
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, depth, 0, len(data), 2835, 2835, len(palette), 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(colours) + len(data), 0, 0,
                       14 + len(info) + len(colours))
    return head + info + colours + data


def icon_image(rows, size):
    """A 32-bit icon image with its AND mask (1 where transparent)."""
    xor = bytearray()
    mask_stride = (size + 31) // 32 * 4
    andmask = bytearray()
    for y in range(size - 1, -1, -1):
        mline = bytearray(mask_stride)
        for x in range(size):
            c = rows[y][x]
            if c is None:
                xor += b"\0\0\0\0"
                mline[x // 8] |= 0x80 >> (x % 8)
            else:
                xor += bytes((c[2], c[1], c[0], 255))
        andmask += mline
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
    return info + xor + andmask


def icon_file(images, kind, hot=(0, 0)):
    """images: list of (size, bytes); kind 1 icon, 2 cursor."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, data in images:
        a, b = (1, 32) if kind == 1 else hot
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, a, b, len(data), offset)
        offset += len(data)
        body += data
    return out + body


def size_of(text_size):
    m = re.fullmatch(r"(\d+)x(\d+)", text_size)
    if not m:
        raise DescriptionError("bad size " + text_size)
    return int(m.group(1)), int(m.group(2))


def render(w, h, drawing, cells=None, i=0):
    canvas = Canvas(w, h)
    if cells is None:
        canvas.cell(0, 0, w, h)
        draw(canvas, drawing, {"w": w, "h": h, "k": 0, "n": 1, "i": i, "p": i + 1})
    else:
        for k in range(cells):
            canvas.cell(0, k * w, w, w)
            draw(canvas, drawing, {"w": w, "h": w, "k": k, "n": k + 1, "i": i, "p": i + 1})
    return canvas.px


def ids_of(spec):
    ids = []
    for item in spec.split(","):
        if ".." in item:
            first, last = (int(v) for v in item.split(".."))
            if last < first:
                raise DescriptionError("empty run " + item)
            ids += range(first, last + 1)
        else:
            ids.append(int(item))
    return ids


def check_depth(depth):
    if depth not in (1, 4, 8, 24):
        raise DescriptionError("bad depth %d" % depth)
    return depth


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    description, out_dir = sys.argv[1], sys.argv[2]
    os.makedirs(out_dir, exist_ok=True)
    script = ["// Made by make_pictures.py from %s; do not edit." % os.path.basename(description)]
    seen = {}

    def claim(kind, rid, line_no):
        key = (kind, rid)
        if key in seen:
            raise DescriptionError("%s %d already made on line %d" % (kind, rid, seen[key]))
        seen[key] = line_no

    def write(name, data):
        path = os.path.join(out_dir, name)
        with open(path, "wb") as f:
            f.write(data)
        return os.path.abspath(path)

    with open(description, encoding="utf-8") as f:
        lines = f.read().splitlines()
    for line_no, raw in enumerate(lines, 1):
        # A colour "#rrggbb" is not a comment: only " #" followed by a blank or the line's end is.
        text_line = re.split(r"\s#(?:\s|$)", raw, 1)[0].strip() if not raw.lstrip().startswith("#") else ""
        if not text_line:
            continue
        words = text_line.split(None, 1)
        try:
            kind, rest = words[0], words[1] if len(words) > 1 else ""
            if kind in ("bitmap", "image"):
                rid, size, depth, drawing = rest.split(None, 3)
                (w, h), depth = size_of(size), check_depth(int(depth))
                empty = COLOURS["white" if kind == "bitmap" else "black"]
                for i, one in enumerate(ids_of(rid)):
                    claim("bitmap", one, line_no)
                    rows = [[c if c is not None else empty for c in row] for row in render(w, h, drawing, None, i)]
                    script.append('%d BITMAP "%s"' % (one, write("%d.bmp" % one, bmp_bytes(rows, w, h, depth))))
            elif kind in ("masked", "strip"):
                if kind == "masked":
                    image, mask, size, depth, drawing = rest.split(None, 4)
                    (w, h), cells = size_of(size), None
                else:
                    image, mask, cell, count, depth, drawing = rest.split(None, 5)
                    w, cells = int(cell), int(count)
                    h = w * cells
                images, masks, depth = ids_of(image), ids_of(mask), check_depth(int(depth))
                if len(images) != len(masks):
                    raise DescriptionError("images and masks differ in number")
                black, white = COLOURS["black"], COLOURS["white"]
                for i, (one, one_mask) in enumerate(zip(images, masks)):
                    claim("bitmap", one, line_no)
                    claim("bitmap", one_mask, line_no)
                    px = render(w, h, drawing, cells, i)
                    rows = [[c if c is not None else black for c in row] for row in px]
                    bits = [[white if c is None else black for c in row] for row in px]
                    script.append('%d BITMAP "%s"' % (one, write("%d.bmp" % one, bmp_bytes(rows, w, h, depth))))
                    script.append('%d BITMAP "%s"' % (one_mask, write("%d.bmp" % one_mask, bmp_bytes(bits, w, h, 1))))
            elif kind == "icon":
                rid, sizes, drawing = rest.split(None, 2)
                rid = int(rid)
                claim("icon", rid, line_no)
                images = []
                for s in sorted({int(s) for s in sizes.split(",")}):
                    images.append((s, icon_image(render(s, s, drawing), s)))
                script.append('%d ICON "%s"' % (rid, write("%d.ico" % rid, icon_file(images, 1))))
            elif kind == "cursor":
                rid, size, hx, hy, drawing = rest.split(None, 4)
                rid, s = int(rid), int(size)
                claim("cursor", rid, line_no)
                data = icon_file([(s, icon_image(render(s, s, drawing), s))], 2, (int(hx), int(hy)))
                script.append('%d CURSOR "%s"' % (rid, write("%d.cur" % rid, data)))
            else:
                raise DescriptionError("unknown kind " + kind)
        except (DescriptionError, ValueError, SyntaxError, TypeError, KeyError, IndexError) as e:
            sys.exit("%s:%d: %s" % (description, line_no, e))
    with open(os.path.join(out_dir, "pictures.rc"), "w", encoding="utf-8") as f:
        f.write("\n".join(script) + "\n")


if __name__ == "__main__":
    main()
