#!/usr/bin/python3
"""Makes the resources of the font library VELDRANQ from free font files.

The printer's 128 resident faces (32 families of four styles) are described
by metric records of our own, whose numbers come from the DejaVu fonts of
Debian's fonts-dejavu-core package: each family takes the DejaVu face of the
same kind (sans, serif, monospaced, condensed; regular, bold, italic) for its
advance widths, vertical metrics and weights.  The family names and the
printer's 16-byte font names are the names the printer knows its faces by.

Output (in OUTPUT_DIR): one file per resource and fonts.rc that lists them:
  type 258, ids 1-128: a record with the narrow face name (list functions)
  type 259, ids 1-128: the font-metrics record the render core reads
  "GLYPHSET" 1 and type 260, id 1: the glyph set of the Japanese faces

usage: make_font_metrics.py FONT_DIR REPERTOIRE_SCRIPT OUTPUT_DIR
"""
import importlib.util
import os
import struct
import sys

# Family: name, charset, DejaVu kind, fixed pitch, the four XL names (None:
# the regular name) and simulation markers.
B, I, BI = " B", "  I", " BI"
FAMILIES = [
    ("ITC AvantGarde Book", 0, "Sans", ["ITCAvantGard  Bk", "ITCAvantGard  Db", "ITCAvantGardBkOb", "ITCAvantGardDbOb"], ["", "", "", ""]),
    ("Albertus Extra", 0, "Sans", ["Albertus      Xb"] * 4, ["", B, I, BI]),
    ("Albertus Medium", 0, "Sans", ["Albertus      Md"] * 4, ["", B, I, BI]),
    ("Antique Olive", 0, "Sans", ["AntiqOlive      ", "AntiqOlive    Bd", "AntiqOlive    It", "AntiqOlive    Bd"], ["", "", "", BI]),
    ("Arial", 0, "Sans", ["Arial           ", "Arial         Bd", "Arial         It", "Arial       BdIt"], ["", "", "", ""]),
    ("ITC Bookman Light", 0, "Serif", ["ITCBookman    Lt", "ITCBookman    Db", "ITCBookman  LtIt", "ITCBookman  DbIt"], ["", "", "", ""]),
    ("Clarendon Condensed", 0, "SerifCondensed", ["Clarendon   CdBd"] * 4, ["", B, I, BI]),
    ("CG Omega", 0, "Sans", ["CG Omega        ", "CG Omega      Bd", "CG Omega      It", "CG Omega    BdIt"], ["", "", "", ""]),
    ("CG Times", 0, "Serif", ["CG Times        ", "CG Times      Bd", "CG Times      It", "CG Times    BdIt"], ["", "", "", ""]),
    ("Coronet", 0, "Serif", ["Coronet         "] * 4, ["", B, I, BI]),
    ("Courier", 0, "SansMono", ["Courier         ", "Courier       Bd", "Courier       It", "Courier     BdIt"], ["", "", "", ""]),
    ("Courier PS", 0, "SansMono", ["CourierPS       ", "CourierPS     Bd", "CourierPS     Ob", "CourierPS   BdOb"], ["", "", "", ""]),
    ("Garamond", 0, "Serif", ["Garamond Antiqua", "Garamond     Hlb", "Garamond    Krsv", "Garamond KrsvHlb"], ["", "", "", ""]),
    ("Helvetica", 0, "Sans", ["Helvetica       ", "Helvetica     Bd", "Helvetica     Ob", "Helvetica   BdOb"], ["", "", "", ""]),
    ("Helvetica Narrow", 0, "SansCondensed", ["Helvetica     Nr", "Helvetica   NrBd", "Helvetica   NrOb", "Helvetica NrBdOb"], ["", "", "", ""]),
    ("Letter Gothic", 0, "SansMono", ["LetterGothic    ", "LetterGothic  Bd", "LetterGothic  It", "LetterGothic  It"], ["", "", "", B]),
    ("Marigold", 0, "Serif", ["Marigold        "] * 4, ["", B, I, BI]),
    ("New Century Schoolbook", 0, "Serif", ["NwCentSchlbk Rmn", "NwCentSchlbk  Bd", "NwCentSchlbk  It", "NwCentSchlbkBdIt"], ["", "", "", ""]),
    ("Palatino", 0, "Serif", ["Palatino     Rmn", "Palatino      Bd", "Palatino      It", "Palatino    BdIt"], ["", "", "", ""]),
    ("Symbol", 2, "Sans", ["Symbol          "] * 4, ["", B, I, BI]),
    ("Symbol PS", 2, "Sans", ["SymbolPS        "] * 4, ["", B, I, BI]),
    ("Times", 0, "Serif", ["Times        Rmn", "Times         Bd", "Times         It", "Times       BdIt"], ["", "", "", ""]),
    ("Times New Roman", 0, "Serif", ["TimesNewRmn     ", "TimesNewRmn   Bd", "TimesNewRmn   It", "TimesNewRmn BdIt"], ["", "", "", ""]),
    ("Univers", 0, "Sans", ["Univers       Md", "Univers       Bd", "Univers     MdIt", "Univers     BdIt"], ["", "", "", ""]),
    ("Univers Condensed", 0, "SansCondensed", ["Univers     CdMd", "Univers     CdBd", "Univers   CdMdIt", "Univers   CdBdIt"], ["", "", "", ""]),
    ("Wingdings", 2, "Sans", ["Wingdings       "] * 4, ["", B, I, BI]),
    ("ITC Zapf Chancery", 0, "Serif", ["ZapfChanceryMdIt"] * 4, ["", B, "", B]),
    ("ITC Zapf Dingbats", 2, "Sans", ["ZapfDingbats    "] * 4, ["", B, I, BI]),
    ("HGGothic-Bold", 128, "SansMono", ["HGGothicB       "] * 4, ["", B, I, BI]),
    ("HGPGothic-Bold", 128, "Sans", ["HGPGothicB      "] * 4, ["", B, I, BI]),
    ("HGMincho-Light", 128, "SansMono", ["HGMinchoL       "] * 4, ["", B, I, BI]),
    ("HGPMincho-Light", 128, "Serif", ["HGPMinchoL      "] * 4, ["", B, I, BI]),
]
FIXED = {41, 42, 43, 44, 45, 46, 47, 48, 61, 62, 63, 64, 113, 114, 115, 116, 121, 122, 123, 124}
STYLE_NAMES = ["Regular", "Bold", "Italic", "Bold Italic"]
# DejaVu files of each kind and style.
SLANT = {"Sans": "Oblique", "SansMono": "Oblique", "SansCondensed": "Oblique",
         "Serif": "Italic", "SerifCondensed": "Italic"}


def dejavu_file(kind, style):
    base = "DejaVu" + kind.replace("Condensed", "") + ("Condensed" if "Condensed" in kind else "")
    suffix = ["", "-Bold", "-" + SLANT[kind], "-Bold" + SLANT[kind]][style]
    return base + suffix + ".ttf"


def symbol_set(number):
    if 77 <= number <= 84:
        return 621
    if 101 <= number <= 104:
        return 18540
    if 109 <= number <= 112:
        return 460
    if 113 <= number <= 128:
        return 619
    return 629


class TrueType:
    """The few tables of a TrueType file that the metrics need."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        count = struct.unpack_from(">H", self.data, 4)[0]
        self.tables = {}
        for i in range(count):
            tag, _, offset, length = struct.unpack_from(">4sIII", self.data, 12 + 16 * i)
            self.tables[tag.decode("latin-1")] = (offset, length)
        head = self.table("head")
        self.units = struct.unpack_from(">H", head, 18)[0]
        self.box = struct.unpack_from(">hhhh", head, 36)
        hhea = self.table("hhea")
        self.ascender, self.descender, self.line_gap = struct.unpack_from(">hhh", hhea, 4)
        self.metrics_count = struct.unpack_from(">H", hhea, 34)[0]
        hmtx = self.table("hmtx")
        self.advances = [struct.unpack_from(">H", hmtx, 4 * i)[0] for i in range(self.metrics_count)]
        os2 = self.table("OS/2")
        (self.avg_width, self.weight) = struct.unpack_from(">hH", os2, 2)
        self.sub = struct.unpack_from(">hhhh", os2, 10)
        self.sup = struct.unpack_from(">hhhh", os2, 18)
        self.strike = struct.unpack_from(">hh", os2, 26)
        self.panose = os2[32:42]
        self.typo = struct.unpack_from(">hhh", os2, 68)
        self.win = struct.unpack_from(">HH", os2, 74)
        self.x_height, self.cap_height = struct.unpack_from(">hh", os2, 86) if len(os2) >= 90 else (0, 0)
        post = self.table("post")
        self.underline = struct.unpack_from(">hh", post, 8)
        self.cmap = self.read_cmap()

    def table(self, tag):
        offset, length = self.tables[tag]
        return self.data[offset:offset + length]

    def read_cmap(self):
        cmap = self.table("cmap")
        count = struct.unpack_from(">H", cmap, 2)[0]
        for i in range(count):
            platform, encoding, offset = struct.unpack_from(">HHI", cmap, 4 + 8 * i)
            if platform == 3 and encoding == 1 and struct.unpack_from(">H", cmap, offset)[0] == 4:
                return self.format4(cmap[offset:])
        raise SystemExit("no Unicode format-4 map")

    @staticmethod
    def format4(t):
        n = struct.unpack_from(">H", t, 6)[0] // 2
        ends = struct.unpack_from(">%dH" % n, t, 14)
        starts = struct.unpack_from(">%dH" % n, t, 16 + 2 * n)
        deltas = struct.unpack_from(">%dh" % n, t, 16 + 4 * n)
        ranges_at = 16 + 6 * n
        mapping = {}
        for i in range(n):
            ro = struct.unpack_from(">H", t, ranges_at + 2 * i)[0]
            for c in range(starts[i], ends[i] + 1):
                if c == 0xFFFF:
                    continue
                if ro == 0:
                    g = (c + deltas[i]) & 0xFFFF
                else:
                    at = ranges_at + 2 * i + ro + 2 * (c - starts[i])
                    g = struct.unpack_from(">H", t, at)[0]
                    if g:
                        g = (g + deltas[i]) & 0xFFFF
                mapping[c] = g
        return mapping

    def advance(self, unit):
        glyph = self.cmap.get(unit, 0)
        return self.advances[min(glyph, self.metrics_count - 1)]


def utf16z(text, mask=0):
    return b"".join(struct.pack("<H", ord(c) | mask) for c in text) + b"\0\0"


def single_byte_unit(code, charset):
    """The Unicode character whose width stands for a single-byte code."""
    if charset == 128:
        return 0xFF61 + code - 0xA1 if 0xA1 <= code <= 0xDF else code
    if charset == 2:
        return code
    try:
        return ord(bytes([code]).decode("cp1252"))
    except UnicodeDecodeError:
        return 0x20


dejavu_file_kind = {}


def ifimetrics(number, family, charset, style, font, fixed, widths):
    mask = 0xF000 if charset == 2 else 0
    style_name = STYLE_NAMES[style]
    names = [utf16z(family, mask), utf16z(style_name), utf16z(family + " " + style_name),
             utf16z("%s %s %d" % (family, style_name, number))]
    size = 192
    offsets = []
    for name in names:
        offsets.append(size)
        size += len(name)
    size = (size + 3) & ~3
    units = font.units
    bold = style in (1, 3)
    italic = style in (2, 3)
    fl_info = 0x82038 | (0x1000 if fixed else 0)
    fs_selection = (0x20 if bold else 0) | (0x01 if italic else 0) | (0x40 if not (bold or italic) else 0)
    advance_max = max(widths) if widths else font.advance(0x57)
    average = font.advance(0x20) if fixed else font.avg_width
    if fixed:
        average = advance_max = font.advance(0x57)
        if charset == 128:
            average = advance_max = units // 2
    weight = 700 if bold else 400
    panose = bytearray(font.panose)
    panose[2] = 8 if bold else 5  # bWeight
    block = bytearray(size)
    struct.pack_into("<II", block, 0, size, 0)
    struct.pack_into("<5I", block, 8, offsets[0], offsets[1], offsets[2], offsets[3], 0)
    struct.pack_into("<iii", block, 28, 0, -120 if italic else 0, 0)
    struct.pack_into("<I", block, 40, 0)
    serif = "Serif" in dejavu_file_kind.get(number, "")
    pitch = 0x31 if fixed else (0x12 if serif else 0x22)  # pitch and family bits
    struct.pack_into("<BBH", block, 44, charset, pitch, weight)
    struct.pack_into("<IHH", block, 48, fl_info, fs_selection, 0)
    struct.pack_into("<hh", block, 56, units, 3)
    struct.pack_into("<hhhhhhhhh", block, 60, font.win[0], font.win[1], font.ascender, font.descender,
                     font.line_gap, font.typo[0], font.typo[1], font.typo[2], average)
    struct.pack_into("<hhh", block, 78, advance_max, font.cap_height, font.x_height)
    struct.pack_into("<hhhh", block, 84, *font.sub)
    struct.pack_into("<hhhh", block, 92, *font.sup)
    struct.pack_into("<hhhh", block, 100, font.underline[1], font.underline[0], font.strike[0], font.strike[1])
    struct.pack_into("<BBBB", block, 108, 0x20, 0xFF, 0x2E, 0x20)
    if charset == 2:
        wc = (0xF020, 0xF0FF, 0xF02E, 0xF020)
    elif charset == 128:
        wc = (0x0020, 0xFF9F, 0x002E, 0x0020)
    else:
        wc = (0x0020, 0x2122, 0x002E, 0x0020)
    struct.pack_into("<HHHH", block, 112, *wc)
    struct.pack_into("<ii", block, 120, 1, 0)
    struct.pack_into("<ii", block, 128, 300, 300)
    struct.pack_into("<ii", block, 136, 0, 1)
    struct.pack_into("<iiii", block, 144, font.box[0], font.box[3], font.box[2], font.box[1])
    block[160:164] = b"DJVU"
    struct.pack_into("<II", block, 164, 0, 0)
    block[172:182] = panose
    for name, offset in zip(names, offsets):
        block[offset:offset + len(name)] = name
    return bytes(block)


def metric_record(number, family, charset, style, xl_name, marker, font, fixed):
    widths = [] if fixed else [font.advance(single_byte_unit(c, charset)) for c in range(0x20, 0x100)]
    if charset == 128 and not fixed:
        widths = [font.units // 2 if 0xA1 <= c <= 0xDF else font.advance(c) if c < 0x7F else font.units // 2
                  for c in range(0x20, 0x100)]
    ifi = ifimetrics(number, family, charset, style, font, fixed, widths)
    xl_text = (xl_name + marker).encode("ascii")
    assert len(xl_name) == 16
    xl_block = struct.pack("<IH", 0, len(xl_text)) + xl_text
    header_size = 60
    ifi_at = header_size
    width_at = ifi_at + len(ifi) if widths else 0
    width_bytes = b"".join(struct.pack("<H", w) for w in widths)
    xl_at = (width_at + len(width_bytes)) if widths else ifi_at + len(ifi)
    header = struct.pack("<6I", header_size, 0, ifi_at, xl_at, 0, width_at)
    header += struct.pack("<HHI", number, symbol_set(number), font.units) + bytes(28)
    assert len(header) == header_size
    return header + ifi + width_bytes + xl_block


def narrow_record(number, family, charset):
    name = family.encode("ascii") + b"\0"
    record = bytearray(43)
    struct.pack_into("<IH", record, 0, 43 + len(name), number)
    record[19] = charset
    struct.pack_into("<I", record, 39, 43)
    return bytes(record) + name


def glyph_set(repertoire_script):
    """The Shift-JIS faces' glyph set: one run per range of the repertoire,
    each character's handle its code page 932 code."""
    spec = importlib.util.spec_from_file_location("repertoire", repertoire_script)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    ranges = []
    for c in range(0x10000):
        if module.is_member(c):
            if ranges and ranges[-1][1] == c - 1:
                ranges[-1][1] = c
            else:
                ranges.append([c, c])
    glyphs = sum(b - a + 1 for a, b in ranges)
    out = bytearray(struct.pack("<IIII", 0, 0, glyphs, len(ranges)))
    for a, b in ranges:
        out += struct.pack("<HH4xQ", a, b - a + 1, 0)
    for a, b in ranges:
        for c in range(a, b + 1):
            code = chr(c).encode("cp932")
            out += struct.pack("<I", int.from_bytes(code, "big"))
    struct.pack_into("<I", out, 0, len(out))
    return bytes(out)


def main():
    font_dir, repertoire_script, out_dir = sys.argv[1:4]
    os.makedirs(out_dir, exist_ok=True)
    cache = {}
    lines = ["// Generated by tools/fonts/make_font_metrics.py; do not edit.", "LANGUAGE 9, 1", ""]
    for k, (family, charset, kind, xl_names, markers) in enumerate(FAMILIES):
        for style in range(4):
            number = 4 * k + style + 1
            fixed = number in FIXED
            dejavu_file_kind[number] = kind
            path = os.path.join(font_dir, dejavu_file(kind, style))
            if path not in cache:
                cache[path] = TrueType(path)
            record = metric_record(number, family, charset, style, xl_names[style], markers[style],
                                   cache[path], fixed)
            for resource_type, data in ((259, record), (258, narrow_record(number, family, charset))):
                name = "f%d_%03d.bin" % (resource_type, number)
                with open(os.path.join(out_dir, name), "wb") as f:
                    f.write(data)
                lines.append('%d %d "%s"' % (number, resource_type, name))
    with open(os.path.join(out_dir, "glyphset.bin"), "wb") as f:
        f.write(glyph_set(repertoire_script))
    lines.append('1 GLYPHSET "glyphset.bin"')
    # The render core looks the same set up by number.
    lines.append('1 260 "glyphset.bin"')
    with open(os.path.join(out_dir, "fonts.rc"), "w", encoding="ascii") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
