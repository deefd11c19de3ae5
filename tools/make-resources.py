#!/usr/bin/env python3
"""Draws Velkator's icons, the checkerboard pattern bitmap and the click sound.

    python3 tools/make-resources.py [--out DIR] [--preview DIR]

Writes res/icons/*.ico, res/checker.bmp and res/click.wav (or into --out), reads
every file back and checks it, and with --preview also writes enlarged PNG
previews of the icons and a picture of the sound's waveform.  The output is
committed, so the build never runs this; rerun it after changing a drawing.
Standard library only, and the output is the same byte for byte on every run.
"""

import argparse
import math
import random
import struct
import sys
import zlib
from pathlib import Path

ICON_SIZES = (16, 32)
SAMPLES_PER_AXIS = 6          # 36 coverage samples per pixel for smooth edges
ALPHA_FLOOR = 24              # fainter fringe pixels are dropped (see finish_pixels)


# ---------------------------------------------------------------------------
# Shapes as signed distance functions: negative inside, in icon units.
# Icons are drawn on a 16-unit grid; one unit is one pixel at 16 x 16 and two
# at 32 x 32, so edges on whole units stay sharp at both sizes.

def box(x0, y0, x1, y1, r=0.0):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def f(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return f


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def segment_distance(x, y, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    t = ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    return math.hypot(x - x0 - t * dx, y - y0 - t * dy)


def stroke(points, width):
    """A polyline drawn with round ends and joins."""
    pairs = list(zip(points, points[1:]))
    return lambda x, y: min(segment_distance(x, y, *a, *b) for a, b in pairs) - width / 2


def poly(points):
    edges = list(zip(points, points[1:] + points[:1]))

    def f(x, y):
        inside = False
        for (x0, y0), (x1, y1) in edges:
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                inside = not inside
        d = min(segment_distance(x, y, x0, y0, x1, y1) for (x0, y0), (x1, y1) in edges)
        return -d if inside else d
    return f


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def vertical(top, bottom, y0, y1):
    """Colour fading from top (at y0) to bottom (at y1)."""
    def f(_x, y):
        t = min(max((y - y0) / (y1 - y0), 0.0), 1.0)
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return f


class Canvas:
    """A square RGBA image kept premultiplied while shapes are laid over it."""

    def __init__(self, size):
        self.size = size
        self.scale = size / 16          # pixels per unit
        self.px = 1 / self.scale        # one pixel in units
        self.big = size >= 32
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def fill(self, shape, colour, inset_px=0.0):
        """Paints shape, shrunk by inset_px pixels, in a colour or colour function."""
        n, inset = SAMPLES_PER_AXIS, inset_px * self.px
        offsets = [(k + 0.5) / n for k in range(n)]
        reach = (0.75 + inset_px) * self.px   # beyond this the pixel centre decides
        for j in range(self.size):
            for i in range(self.size):
                centre = shape((i + 0.5) * self.px, (j + 0.5) * self.px) + inset
                if centre > reach:
                    continue
                if centre < -reach:
                    cover = 1.0
                else:
                    hits = sum(1 for oy in offsets for ox in offsets
                               if shape((i + ox) * self.px, (j + oy) * self.px) + inset < 0)
                    cover = hits / (n * n)
                if cover:
                    self.blend(i, j, colour, cover)

    def blend(self, i, j, colour, cover):
        if callable(colour):
            colour = colour((i + 0.5) * self.px, (j + 0.5) * self.px)
        r, g, b = colour[:3]
        alpha = cover * (colour[3] / 255 if len(colour) > 3 else 1.0)
        p = self.pixels[j * self.size + i]
        keep = 1 - alpha
        p[0], p[1], p[2] = r * alpha + p[0] * keep, g * alpha + p[1] * keep, b * alpha + p[2] * keep
        p[3] = alpha + p[3] * keep

    def outlined(self, shape, colour, line, width_px=1.0):
        """Shape in the line colour with its inside, width_px in, in colour."""
        self.fill(shape, line)
        self.fill(shape, colour, width_px)

    def finish_pixels(self):
        """Straight (not premultiplied) RGBA bytes, top row first.  Near-invisible
        fringe pixels become fully transparent so that the AND mask, which only
        knows opaque or not, does not draw them as solid dots on old systems."""
        out = []
        for r, g, b, a in self.pixels:
            alpha = round(a * 255)
            if alpha < ALPHA_FLOOR:
                out.append((0, 0, 0, 0))
            else:
                out.append(tuple(min(255, round(c / a)) for c in (r, g, b)) + (alpha,))
        return out


# ---------------------------------------------------------------------------
# The icons.  Each draws on a canvas; c.big adds detail only the 32 x 32 image
# has room for.

def draw_program(c):
    """A lightning bolt striking a tray bar: launch from the tray."""
    bar_top = 10.5 if c.big else 11
    c.outlined(box(0, bar_top, 16, 15.5 if c.big else 16, 1.5),
               vertical((236, 239, 245), (150, 158, 175), bar_top, 16), (38, 44, 66))
    if c.big:                          # the notification area with two icons
        c.outlined(box(9.5, 11.5, 15, 14.5), (40, 64, 120), (90, 100, 130))
        c.fill(box(10.5, 12.25, 12, 13.75, 0.4), (255, 210, 80))
        c.fill(box(12.5, 12.25, 14, 13.75, 0.4), (110, 230, 120))
    else:
        c.fill(box(10, 12, 15, 15), (60, 84, 140))
        c.fill(box(13, 13, 14, 14), (110, 230, 120))
    bolt = poly([(8, 0), (2, 9), (6.5, 9), (4.5, 15.5), (14, 5.5), (9.5, 5.5), (12.5, 0)])
    c.outlined(bolt, vertical((255, 248, 150), (255, 136, 0), 0, 15), (130, 48, 0))
    if c.big:
        c.fill(stroke([(8.9, 1.0), (4.0, 8.2)], 0.6), (255, 255, 230, 190))


def draw_separator(c):
    """An etched line, faint so the gap shows, but still there to right-click."""
    top, bottom = 2.0, 14.0

    def fade(colour, alpha):
        def f(_x, y):
            edge = min(y - top, bottom - y) / 2.5    # soften the two ends
            return colour + (alpha * min(max(edge, 0.25), 1.0),)
        return f
    left = 8 - c.px
    c.fill(box(left, top, 8, bottom), fade((60, 64, 72), 170))
    c.fill(box(8, top, 8 + c.px, bottom), fade((255, 255, 255), 170))


def draw_dialup(c):
    """A desk telephone with its line running up to the network."""
    dark_red, cream = (80, 8, 8), (250, 244, 226)
    wire_dark, wire_light = (20, 90, 30), (120, 230, 110)
    if c.big:
        wire = [(12.6, 11.5), (14.5, 11.5), (14.5, 4)]
        c.fill(stroke(wire, 1.5), wire_dark)
        c.fill(stroke(wire, 0.5), wire_light)
        c.outlined(circle(14, 2.5, 2), wire_light, wire_dark)
    else:
        c.fill(stroke([(13, 11.5), (14.5, 11.5), (14.5, 4)], 1.0), (30, 130, 40))
        c.outlined(box(12, 0, 16, 4, 1.2), wire_light, wire_dark)
    body = poly([(4, 6), (10, 6), (13, 15), (1, 15)])
    c.outlined(body, vertical((236, 72, 60), (150, 20, 20), 7, 15), dark_red)
    handset = union(box(0.5, 2, 13.5, 5, 1.5), box(0, 4, 4, 7, 1), box(10, 4, 14, 7, 1))
    c.outlined(handset, vertical((240, 80, 70), (170, 30, 25), 2, 7), dark_red)
    if c.big:
        c.outlined(circle(7, 11, 2.5), cream, dark_red)
        c.fill(circle(7, 11, 1.0), dark_red)
        for k in range(8):    # finger holes around the dial
            angle = math.radians(-60 + k * 32)
            c.fill(circle(7 + 1.75 * math.cos(angle), 11 + 1.75 * math.sin(angle), 0.35), (150, 40, 30))
    else:
        c.fill(box(5, 9, 9, 13, 1.4), cream)
        c.fill(box(6, 10, 8, 12, 0.3), dark_red)


def draw_desk_access(c):
    """A small monitor showing a desktop with a few items on it."""
    line = (36, 40, 52)
    # At 16 x 16 every edge sits on a whole pixel; 32 x 32 has room for half units.
    neck, bezel, screen = ((5.5, 11, 10.5, 14.5), (0, 0.5, 16, 12), (2, 2.5, 14, 10)) if c.big else \
                          ((6, 11, 10, 14), (0, 1, 16, 12), (2, 3, 14, 10))
    c.outlined(box(*neck), vertical((200, 204, 212), (130, 136, 150), 11, 14.5), line)
    c.outlined(box(2, 13, 14, 16, 1 if c.big else 0.5), vertical((214, 218, 226), (140, 146, 160), 13, 16), line)
    c.outlined(box(*bezel, 1.5 if c.big else 1), vertical((236, 238, 244), (168, 174, 188), 0.5, 12), line)
    c.outlined(box(*screen), vertical((40, 150, 170), (10, 96, 128), screen[1], 10), (20, 40, 60))
    if c.big:
        c.fill(box(2.5, 9, 13.5, 9.5), (200, 204, 214))                              # taskbar
        c.fill(box(3, 9.1, 4.5, 9.4), (70, 170, 90))
        c.outlined(box(3.5, 3.5, 6, 5.5, 0.25), (255, 214, 80), (130, 90, 0))          # folder
        c.fill(box(3.5, 3.2, 4.7, 4, 0.25), (130, 90, 0))
        c.outlined(box(3.75, 6, 5.75, 8.5), (255, 255, 255), (60, 70, 90))           # document
        c.fill(box(4.25, 6.75, 5.25, 7), (120, 130, 150))
        c.fill(box(4.25, 7.5, 5.25, 7.75), (120, 130, 150))
        c.outlined(box(7.25, 3.5, 9.25, 5.5, 0.25), (255, 255, 255), (60, 70, 90))   # shortcut
        c.fill(box(7.75, 4.0, 8.75, 5.0), (220, 60, 50))
    else:
        c.fill(box(3, 4, 5, 6), (255, 214, 80))
        c.fill(box(3, 7, 5, 8), (255, 255, 255))
        c.fill(box(6, 4, 8, 6), (255, 255, 255))
        c.fill(box(2, 9, 14, 10), (200, 204, 214))


def draw_lock(c):
    """A brass padlock, closed."""
    cx, cy = 8.0, 6.0

    def shackle(radius, width):
        def f(x, y):
            if y < cy:
                d = abs(math.hypot(x - cx, y - cy) - radius)
            else:
                d = min(math.hypot(x - (cx - radius), max(y - 10, 0.0)),
                        math.hypot(x - (cx + radius), max(y - 10, 0.0)))
            return d - width / 2
        return f
    steel, steel_line = vertical((240, 244, 250), (120, 128, 142), 1, 9), (44, 48, 60)
    if c.big:
        c.outlined(shackle(2.5, 3.0), steel, steel_line)
    else:                 # no line inside the loop, or it would close up at 16 x 16
        c.fill(shackle(2.5, 3.0), steel_line)
        c.fill(shackle(2.0, 2.0), steel)
    body_top = 7 if c.big else 8
    body = box(2, body_top, 14, 15.5 if c.big else 16, 1.5 if c.big else 1)
    c.outlined(body, vertical((255, 226, 110), (196, 128, 16), body_top, 16), (96, 56, 0))
    if c.big:
        c.fill(box(2.5, 7.5, 13.5, 8), (255, 244, 190, 200))          # top highlight
        keyhole = union(circle(8, 10.5, 1.25), poly([(7.4, 11), (8.6, 11), (9, 14), (7, 14)]))
    else:
        keyhole = union(box(7, 10, 9, 12), box(7.5, 12, 8.5, 13.9))
    c.fill(keyhole, (70, 36, 0))


ICONS = (
    ("velkator.ico", draw_program),
    ("separator.ico", draw_separator),
    ("dialup.ico", draw_dialup),
    ("deskaccess.ico", draw_desk_access),
    ("lock.ico", draw_lock),
)


# ---------------------------------------------------------------------------
# Icon files: an ICONDIR, one ICONDIRENTRY per image, then each image as a
# BITMAPINFOHEADER (double height: colour bits, then the AND mask), colour
# rows bottom-up in BGRA, mask rows padded to 32 bits with 1 = transparent.

def mask_stride(width):
    return (width + 31) // 32 * 4


def icon_image(size, pixels):
    rows = [pixels[y * size:(y + 1) * size] for y in reversed(range(size))]
    colour = b"".join(bytes((b, g, r, a)) for row in rows for r, g, b, a in row)
    mask = bytearray()
    for row in rows:
        bits = bytearray(mask_stride(size))
        for x, (_r, _g, _b, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + bytes(mask)


def icon_file(images):
    """images: list of (size, pixels)."""
    data = [icon_image(size, pixels) for size, pixels in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, _), blob in zip(images, data):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(data)


def read_icon_file(data):
    """Parses and checks an icon file as the loader sees it; returns
    [(size, pixels, mask)] with pixels as RGBA tuples top row first and mask
    as booleans (True = transparent).  Raises ValueError on any fault."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count == 0:
        raise ValueError("not an icon directory")
    images, spans = [], []
    for k in range(count):
        w, h, colours, res, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * k)
        size = w or 256
        if w != h or colours != 0 or res != 0 or planes != 1 or bits != 32:
            raise ValueError("entry %d: unexpected directory fields" % k)
        if offset < 6 + 16 * count or offset + length > len(data):
            raise ValueError("entry %d: image lies outside the file" % k)
        spans.append((offset, offset + length))
        (hsize, bw, bh, bplanes, bbits, compression, image_size) = struct.unpack_from("<IiiHHII", data, offset)
        colour_len, mask_len = size * size * 4, mask_stride(size) * size
        if (hsize, bw, bh, bplanes, bbits, compression) != (40, size, 2 * size, 1, 32, 0):
            raise ValueError("entry %d: bitmap header does not match the entry" % k)
        if length != 40 + colour_len + mask_len or image_size not in (0, colour_len + mask_len):
            raise ValueError("entry %d: wrong image length" % k)
        pixels, mask = [], []
        for y in range(size):
            row = offset + 40 + (size - 1 - y) * size * 4
            pixels += [(data[row + 4 * x + 2], data[row + 4 * x + 1], data[row + 4 * x], data[row + 4 * x + 3])
                       for x in range(size)]
            mrow = offset + 40 + colour_len + (size - 1 - y) * mask_stride(size)
            mask += [bool(data[mrow + x // 8] & (0x80 >> (x % 8))) for x in range(size)]
        images.append((size, pixels, mask))
    spans.sort()
    if any(a[1] > b[0] for a, b in zip(spans, spans[1:])):
        raise ValueError("images overlap")
    return images


def check_icon(name, data):
    images = read_icon_file(data)
    if sorted(size for size, _, _ in images) != sorted(ICON_SIZES):
        raise ValueError("%s: sizes %s" % (name, [s for s, _, _ in images]))
    for size, pixels, mask in images:
        # Windows ignores the alpha channel when every alpha is 0, and the mask
        # path must leave the screen untouched wherever the image is clear.
        if not any(a for _, _, _, a in pixels):
            raise ValueError("%s %d: no visible pixel" % (name, size))
        for (r, g, b, a), clear in zip(pixels, mask):
            if clear != (a == 0) or (clear and (r, g, b) != (0, 0, 0)):
                raise ValueError("%s %d: AND mask does not match alpha" % (name, size))


# ---------------------------------------------------------------------------
# The checkerboard: 8 x 8, one bit per pixel, black (0) and white (1).

CHECKER_ROWS = [0x55 if y % 2 == 0 else 0xAA for y in range(8)]   # top row first


def checker_bitmap():
    # Stored bottom row first; each row is one byte padded to four.
    rows = b"".join(bytes((CHECKER_ROWS[y], 0, 0, 0)) for y in reversed(range(8)))
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    info = struct.pack("<IiiHHIIiiII", 40, 8, 8, 1, 1, 0, len(rows), 0, 0, 2, 2)
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return head + info + palette + rows


def check_checker(data):
    magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    fields = struct.unpack_from("<IiiHHII", data, 14)
    if magic != b"BM" or size != len(data) or fields[:6] != (40, 8, 8, 1, 1, 0):
        raise ValueError("checker.bmp: bad headers")
    if data[54:62] != bytes((0, 0, 0, 0, 255, 255, 255, 0)):
        raise ValueError("checker.bmp: palette is not black and white")
    stored = [data[offset + 4 * k:offset + 4 * k + 4] for k in range(8)]
    expected = [bytes((CHECKER_ROWS[7 - k], 0, 0, 0)) for k in range(8)]
    if stored != expected or offset + 32 != len(data):
        raise ValueError("checker.bmp: pixel rows are %s" % [r.hex() for r in stored])
    return [r[0] for r in stored]


# ---------------------------------------------------------------------------
# The click: a short band-passed noise burst over a quickly damped tick,
# with a soft start and end so it never pops.

RATE, CLICK_SECONDS, CLICK_PEAK = 22050, 0.045, 0.45


def bandpass(samples, centre, q):
    w = 2 * math.pi * centre / RATE
    alpha = math.sin(w) / (2 * q)
    b0, b2, a0, a1, a2 = alpha, -alpha, 1 + alpha, -2 * math.cos(w), 1 - alpha
    out, x1, x2, y1, y2 = [], 0.0, 0.0, 0.0, 0.0
    for x in samples:
        y = (b0 * x + b2 * x2 - a1 * y1 - a2 * y2) / a0
        out.append(y)
        x2, x1, y2, y1 = x1, x, y1, y
    return out


def click_samples():
    count = round(RATE * CLICK_SECONDS)
    noise = random.Random(125)
    burst = bandpass([noise.uniform(-1, 1) for _ in range(count)], 3000, 0.9)
    out = []
    for n in range(count):
        t = n / RATE
        attack = min(1.0, t / 0.0006)
        tail = min(1.0, (count - 1 - n) / (RATE * 0.006))
        release = 0.5 - 0.5 * math.cos(math.pi * tail)
        v = (1.6 * burst[n] * math.exp(-t / 0.0045)
             + 0.55 * math.sin(2 * math.pi * 1750 * t) * math.exp(-t / 0.005)
             + 0.30 * math.sin(2 * math.pi * 620 * t) * math.exp(-t / 0.009))
        out.append(v * attack * release)
    peak = max(abs(v) for v in out)
    return [round(v / peak * CLICK_PEAK * 32767) for v in out]


def wave_file(samples):
    data = struct.pack("<%dh" % len(samples), *samples)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    return (b"RIFF" + struct.pack("<I", 4 + 8 + len(fmt) + 8 + len(data)) + b"WAVE"
            + b"fmt " + struct.pack("<I", len(fmt)) + fmt
            + b"data" + struct.pack("<I", len(data)) + data)


def check_wave(data):
    if data[:4] != b"RIFF" or data[8:16] != b"WAVEfmt " or struct.unpack_from("<I", data, 4)[0] != len(data) - 8:
        raise ValueError("click.wav: bad RIFF header")
    if struct.unpack_from("<IHHIIHH", data, 16) != (16, 1, 1, RATE, RATE * 2, 2, 16) or data[36:40] != b"data":
        raise ValueError("click.wav: not 16-bit mono PCM at %d Hz" % RATE)
    length = struct.unpack_from("<I", data, 40)[0]
    if 44 + length != len(data):
        raise ValueError("click.wav: data length")
    samples = struct.unpack_from("<%dh" % (length // 2), data, 44)
    seconds, peak = len(samples) / RATE, max(abs(s) for s in samples) / 32768
    if not 0.030 <= seconds <= 0.060 or not 0.1 < peak < 0.9 or abs(samples[0]) > 200 or abs(samples[-1]) > 200:
        raise ValueError("click.wav: %.3f s, peak %.2f" % (seconds, peak))
    return samples


# ---------------------------------------------------------------------------
# Previews: PNG pictures made from the written files, not from memory.

DARK_TASKBAR, LIGHT_DIALOG = (16, 40, 104), (240, 240, 240)
ZOOM = 8


def png_file(width, height, rgb_rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rgb_rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def over(pixel, background, clear, use_mask):
    r, g, b, a = pixel
    if use_mask:      # the old way: screen AND mask, then XOR colour
        return tuple((bg if clear else 0) ^ c for bg, c in zip(background, (r, g, b)))
    return tuple(round(c * a / 255 + bg * (255 - a) / 255) for c, bg in zip((r, g, b), background))


def preview_rows(images):
    """One band per image size: alpha over the dark taskbar, alpha over a light
    dialog, then the AND/XOR mask way over both, each enlarged ZOOM times,
    followed by the icon at its real size on both backgrounds."""
    gap, bands = 4, []
    for size, pixels, mask in sorted(images):
        panels = [(bg, m) for m in (False, True) for bg in (DARK_TASKBAR, LIGHT_DIALOG)]
        width = len(panels) * (size * ZOOM + gap) + 2 * (size + gap)
        rows = []
        for y in range(size * ZOOM):
            row = []
            for bg, use_mask in panels:
                for x in range(size * ZOOM):
                    k = (y // ZOOM) * size + x // ZOOM
                    row.append(over(pixels[k], bg, mask[k], use_mask))
                row += [(128, 128, 128)] * gap
            for bg in (DARK_TASKBAR, LIGHT_DIALOG):
                for x in range(size):
                    row.append(over(pixels[y * size + x], bg, mask[y * size + x], False) if y < size else bg)
                row += [(128, 128, 128)] * gap
            rows.append(row)
        bands.append((width, rows))
    width = max(w for w, _ in bands)
    out = []
    for w, rows in bands:
        out += [row + [(128, 128, 128)] * (width - w) for row in rows]
        out.append([(128, 128, 128)] * width)
    return width, out


def wave_preview(samples):
    width, height, mid = len(samples), 200, 100
    rows = [[(250, 250, 250)] * width for _ in range(height)]
    for x, s in enumerate(samples):
        y = mid - round(s / 32768 * mid)
        for yy in range(min(y, mid), max(y, mid) + 1):
            rows[yy][x] = (30, 60, 160)
    return png_file(width, height, rows)


def write_previews(folder, icon_blobs, samples):
    folder.mkdir(parents=True, exist_ok=True)
    for name, blob in icon_blobs:
        width, rows = preview_rows(read_icon_file(blob))
        (folder / (Path(name).stem + ".png")).write_bytes(png_file(width, len(rows), rows))
    (folder / "click-wave.png").write_bytes(wave_preview(samples))


# ---------------------------------------------------------------------------

def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=Path, default=Path(__file__).resolve().parent.parent / "res",
                        help="resource folder to write into (default: the tree's res/)")
    parser.add_argument("--preview", type=Path, help="also write PNG previews into this folder")
    args = parser.parse_args()

    (args.out / "icons").mkdir(parents=True, exist_ok=True)
    written = []
    for name, draw in ICONS:
        images = []
        for size in ICON_SIZES:
            canvas = Canvas(size)
            draw(canvas)
            images.append((size, canvas.finish_pixels()))
        path = args.out / "icons" / name
        path.write_bytes(icon_file(images))
        written.append((name, path))
    (args.out / "checker.bmp").write_bytes(checker_bitmap())
    (args.out / "click.wav").write_bytes(wave_file(click_samples()))

    # Read everything back from disk: what is checked is what gets committed.
    try:
        blobs = [(name, path.read_bytes()) for name, path in written]
        for name, blob in blobs:
            check_icon(name, blob)
        rows = check_checker((args.out / "checker.bmp").read_bytes())
        samples = check_wave((args.out / "click.wav").read_bytes())
    except (ValueError, struct.error) as fault:
        sys.exit("make-resources: %s" % fault)
    for name, path in written:
        print("%-16s %5d bytes" % (name, path.stat().st_size))
    print("checker.bmp      %5d bytes, rows (file order) %s" % (
        (args.out / "checker.bmp").stat().st_size, " ".join("%02X" % r for r in rows)))
    print("click.wav        %5d bytes, %.1f ms" % ((args.out / "click.wav").stat().st_size,
                                                   1000 * len(samples) / RATE))
    if args.preview:
        write_previews(args.preview, blobs, samples)
        print("previews in", args.preview)


if __name__ == "__main__":
    main()
