"""Reading screenshots: text in the library's 8 x 8 font, colours, counts.

Nothing here compares whole frames: ship and star positions are random, so
every judgement is about a known place or a count within a region.
"""
import subprocess

LINE_HEIGHT = 8


class Font:
    """The built-in 8 x 8 font, as printed by the font_dump helper."""

    def __init__(self, dump_program):
        listing = subprocess.run([dump_program], check=True, capture_output=True, text=True).stdout
        self.glyphs = {}
        for line in listing.splitlines():
            fields = line.split()
            self.glyphs[chr(int(fields[0]))] = [int(v, 16) for v in fields[1:9]]

    def ink(self, text, x, y):
        """Whether pixel (x, y) of `text` drawn at the origin is inked."""
        glyph = self.glyphs[text[x // 8]]
        return bool(glyph[y] & (0x80 >> (x % 8)))


def is_white(p):
    return p[0] >= 200 and p[1] >= 200 and p[2] >= 200


def reads(image, font, text, x0, y0, ink=is_white, rows=range(8)):
    """True when the 8 x (8 * len) cell at (x0, y0) shows exactly `text`
    (in the given glyph rows only, where something else covers the others)."""
    width, height = image.size
    if x0 + 8 * len(text) > width or y0 + 8 > height:
        return False
    pixels = image.load()
    for y in rows:
        for x in range(8 * len(text)):
            if font.ink(text, x, y) != ink(pixels[x0 + x, y0 + y]):
                return False
    return True


def find_row(image, font, text, x0=0, rows=range(0, 480, LINE_HEIGHT), ink=is_white):
    for y in rows:
        if reads(image, font, text, x0, y, ink):
            return y
    return None


def row_has(image, y0, pred, x0=0, x1=None, height=LINE_HEIGHT):
    x1 = image.size[0] if x1 is None else x1
    pixels = image.load()
    return any(pred(pixels[x, y]) for y in range(y0, y0 + height) for x in range(x0, x1))


def count(image, box, pred):
    x0, y0, x1, y1 = box
    pixels = image.load()
    return sum(1 for y in range(y0, y1) for x in range(x0, x1) if pred(pixels[x, y]))


def near(colour, tolerance=8):
    """A test for `colour` as the screen shows it; 15-bit modes drop 3 bits."""
    def pred(p):
        return all(abs(a - b) <= tolerance for a, b in zip(p, colour))
    return pred


def is_grey_star(p):
    # Stars are single pixels in grey levels from 128 up.
    return p[0] == p[1] == p[2] and p[0] >= 120


def bounding_box(image, box, pred):
    x0, y0, x1, y1 = box
    pixels = image.load()
    xs, ys = [], []
    for y in range(y0, y1):
        for x in range(x0, x1):
            if pred(pixels[x, y]):
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return min(xs), min(ys), max(xs), max(ys)


def changed_pixels(before, after, box):
    x0, y0, x1, y1 = box
    a, b = before.load(), after.load()
    return sum(1 for y in range(y0, y1) for x in range(x0, x1) if a[x, y] != b[x, y])


def longest_run(image, box, pred):
    """The longest horizontal or vertical run of pixels satisfying pred."""
    x0, y0, x1, y1 = box
    pixels = image.load()
    best = 0
    for y in range(y0, y1):
        run = 0
        for x in range(x0, x1):
            run = run + 1 if pred(pixels[x, y]) else 0
            best = max(best, run)
    for x in range(x0, x1):
        run = 0
        for y in range(y0, y1):
            run = run + 1 if pred(pixels[x, y]) else 0
            best = max(best, run)
    return best
