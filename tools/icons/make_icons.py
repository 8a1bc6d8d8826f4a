#!/usr/bin/env python3
"""Draw the icons used by Fennix, Larkway, Dovrin and the shared button glyphs.

Every icon is drawn at 16x16, 24x24, 32x32 and 48x48 from the same shape
description laid out on a 32x32 grid: 16 and 32 pixels at 96 DPI, 24 and 48
for the same layout at 144 DPI. Shapes are signed distance functions
(negative inside); pixels well inside or outside a shape are decided from the
distance at the pixel centre, pixels near an edge are supersampled 4x4 for
anti-aliasing.

The result is written as .ico files holding every size as 32-bit BGRA bitmaps
(BITMAPINFOHEADER, doubled height, bottom-up colour rows followed by a 1-bpp
AND mask). Standard library only, so it runs anywhere Python 3 does.

Run from the repository root:  python3 tools/icons/make_icons.py
"""

import math
import os
import struct
import sys

GRID = 32          # design grid; every coordinate below is in these units
SUPERSAMPLE = 4    # samples per axis for edge pixels
SIZES = (16, 24, 32, 48)


# ---------------------------------------------------------------------------
# Colours

def rgb(hexstr, alpha=1.0):
    """'#rrggbb' -> (r, g, b, a) floats in 0..1."""
    h = hexstr.lstrip('#')
    return (int(h[0:2], 16) / 255.0, int(h[2:4], 16) / 255.0,
            int(h[4:6], 16) / 255.0, alpha)


def mix(c1, c2, t):
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def lighten(c, t):
    """Move a colour towards white by t, keeping its alpha."""
    return mix(c, (1.0, 1.0, 1.0, c[3]), t)


def vgrad(top, bottom, y0, y1):
    """Vertical gradient between design rows y0 and y1."""
    def paint(x, y):
        t = min(1.0, max(0.0, (y - y0) / float(y1 - y0)))
        return mix(top, bottom, t)
    return paint


WHITE = rgb('#ffffff')
INK = rgb('#1e2329')          # general dark outline


# ---------------------------------------------------------------------------
# Shapes: functions (x, y) -> signed distance in design units

def circle(cx, cy, r):
    def sdf(x, y):
        return math.hypot(x - cx, y - cy) - r
    return sdf


def rounded_rect(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return sdf


def segment(ax, ay, bx, by, width):
    """A straight stroke with round caps."""
    ex, ey = bx - ax, by - ay
    ll = ex * ex + ey * ey or 1e-9
    half = width / 2.0

    def sdf(x, y):
        wx, wy = x - ax, y - ay
        t = min(1.0, max(0.0, (wx * ex + wy * ey) / ll))
        return math.hypot(wx - ex * t, wy - ey * t) - half
    return sdf


def polyline(points, width):
    """Connected strokes with round joins."""
    return union(*[segment(a[0], a[1], b[0], b[1], width)
                   for a, b in zip(points, points[1:])])


def polygon(points):
    """Filled polygon (even-odd rule), any winding."""
    pts = list(points)

    def sdf(x, y):
        best = float('inf')
        inside = False
        bx, by = pts[-1]
        for ax, ay in pts:
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            ll = ex * ex + ey * ey or 1e-9
            t = min(1.0, max(0.0, (wx * ex + wy * ey) / ll))
            dx, dy = wx - ex * t, wy - ey * t
            best = min(best, dx * dx + dy * dy)
            if (ay > y) != (by > y) and x < ax + ex * (y - ay) / (by - ay):
                inside = not inside
            bx, by = ax, ay
        d = math.sqrt(best)
        return -d if inside else d
    return sdf


def wedge(cx, cy, r, start_deg, end_deg):
    """Pie slice, angles clockwise from 12 o'clock."""
    pts = [(cx, cy)]
    steps = max(2, int(abs(end_deg - start_deg) / 10))
    for i in range(steps + 1):
        a = math.radians(start_deg + (end_deg - start_deg) * i / steps)
        # Overshoot the radius; the caller clips with the circle itself.
        pts.append((cx + math.sin(a) * r * 1.3, cy - math.cos(a) * r * 1.3))
    return intersect(polygon(pts), circle(cx, cy, r))


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def intersect(*shapes):
    return lambda x, y: max(s(x, y) for s in shapes)


def subtract(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def star(cx, cy, outer, inner, points=5):
    """Star with its first point straight up."""
    pts = []
    for i in range(points * 2):
        a = math.pi * i / points
        r = outer if i % 2 == 0 else inner
        pts.append((cx + math.sin(a) * r, cy - math.cos(a) * r))
    return polygon(pts)


def gear(cx, cy, outer, inner, teeth):
    """Toothed wheel: each tooth a trapezoid between the two radii."""
    pts = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        a = i * step
        for da, r in ((-0.30, inner), (-0.17, outer), (0.17, outer),
                      (0.30, inner)):
            pts.append((cx + math.sin(a + da * step * 2) * r,
                        cy - math.cos(a + da * step * 2) * r))
    return polygon(pts)


def ring(shape, width):
    """Outline band of a shape, `width` units thick, lying inside it."""
    return lambda x, y: abs(shape(x, y) + width / 2.0) - width / 2.0


def arrow(x0, y0, x1, y1, shaft, head_len, head_w):
    """Arrow from (x0, y0) to its tip at (x1, y1)."""
    length = math.hypot(x1 - x0, y1 - y0)
    ux, uy = (x1 - x0) / length, (y1 - y0) / length
    nx, ny = -uy, ux
    bx, by = x1 - ux * head_len, y1 - uy * head_len
    hs, hh = shaft / 2.0, head_w / 2.0
    return polygon([
        (x0 + nx * hs, y0 + ny * hs), (bx + nx * hs, by + ny * hs),
        (bx + nx * hh, by + ny * hh), (x1, y1),
        (bx - nx * hh, by - ny * hh), (bx - nx * hs, by - ny * hs),
        (x0 - nx * hs, y0 - ny * hs)])


# ---------------------------------------------------------------------------
# Canvas

class Canvas:
    """Premultiplied RGBA float image addressed in design units."""

    def __init__(self, size):
        self.size = size
        self.scale = size / float(GRID)      # device pixels per design unit
        self.small = size < 24
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def units(self, pixels):
        """Device pixels -> design units at this size."""
        return pixels / self.scale

    def snap(self, v):
        """Design coordinate moved onto the nearest pixel boundary."""
        return round(v * self.scale) / self.scale

    def snap_mid(self, v):
        """Design coordinate moved onto the nearest pixel centre."""
        return (math.floor(v * self.scale) + 0.5) / self.scale

    def _coverage(self, sdf, x, y, grow):
        inv = 1.0 / self.scale
        d = (sdf((x + 0.5) * inv, (y + 0.5) * inv) - grow) * self.scale
        if d >= 0.75:
            return 0.0
        if d <= -0.75:
            return 1.0
        n = SUPERSAMPLE
        hits = 0
        for j in range(n):
            sy = (y + (j + 0.5) / n) * inv
            for i in range(n):
                if sdf((x + (i + 0.5) / n) * inv, sy) - grow <= 0.0:
                    hits += 1
        return hits / float(n * n)

    def _blend(self, idx, color, cov):
        a = color[3] * cov
        if a <= 0.0:
            return
        p = self.px[idx]
        k = 1.0 - a
        p[0] = color[0] * a + p[0] * k
        p[1] = color[1] * a + p[1] * k
        p[2] = color[2] * a + p[2] * k
        p[3] = a + p[3] * k

    def fill(self, sdf, paint, grow=0.0):
        """Paint a shape; `paint` is a colour or a function (x, y) -> colour.
        `grow` widens (or with a negative value shrinks) the shape, in units."""
        inv = 1.0 / self.scale
        for y in range(self.size):
            for x in range(self.size):
                cov = self._coverage(sdf, x, y, grow)
                if cov:
                    color = paint((x + 0.5) * inv, (y + 0.5) * inv) \
                        if callable(paint) else paint
                    self._blend(y * self.size + x, color, cov)

    def outlined(self, sdf, paint, line=INK, width=1.0):
        """Shape with a dark border `width` device pixels wide drawn inside
        its edge, so the silhouette stays where the shape says it is."""
        self.fill(sdf, line)
        self.fill(sdf, paint, grow=-self.units(width))

    def glow(self, sdf, color, radius):
        """Soft halo fading out over `radius` device pixels around a shape."""
        inv = 1.0 / self.scale
        for y in range(self.size):
            for x in range(self.size):
                d = sdf((x + 0.5) * inv, (y + 0.5) * inv) * self.scale
                t = 1.0 - min(1.0, max(0.0, d / radius))
                if t > 0.0:
                    self._blend(y * self.size + x, color, t * t)

    def bgra_rows_bottom_up(self):
        for y in range(self.size - 1, -1, -1):
            row = bytearray()
            for x in range(self.size):
                r, g, b, a = self.px[y * self.size + x]
                if a <= 0.5 / 255:
                    row += b'\0\0\0\0'
                    continue
                row += bytes((to_byte(b / a), to_byte(g / a), to_byte(r / a),
                              to_byte(a)))
            yield bytes(row)


def to_byte(v):
    return max(0, min(255, int(round(v * 255.0))))


# ---------------------------------------------------------------------------
# ICO writer

def bitmap_entry(canvas):
    """One BMP-in-ICO image: header, bottom-up BGRA, then the AND mask."""
    size = canvas.size
    xor = b''.join(canvas.bgra_rows_bottom_up())
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(size):
            if canvas.px[y * size + x][3] <= 0.5 / 255:   # fully transparent
                row[x >> 3] |= 0x80 >> (x & 7)
        mask += row
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + bytes(mask)


def write_ico(path, canvases):
    images = [bitmap_entry(c) for c in canvases]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        dim = c.size if c.size < 256 else 0
        out += struct.pack('<BBBBHHII', dim, dim, 0, 0, 1, 32, len(data),
                           offset)
        offset += len(data)
    for data in images:
        out += data
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(out)


# ---------------------------------------------------------------------------
# Palettes. The "hot" (mouse-over) look of a button glyph is the same drawing
# with a lighter palette and a soft halo behind it.

class Palette:
    def __init__(self, base, dark, hot=False):
        self.hot = hot
        self.base = lighten(base, 0.30) if hot else base
        self.light = lighten(self.base, 0.45)
        self.dark = dark
        self.halo = lighten(base, 0.55)[:3] + (0.85,)

    def body(self, y0, y1):
        return vgrad(self.light, self.base, y0, y1)


GREEN = ('#2f9e3a', '#14501b')
GOLD = ('#f4b400', '#7a4f00')
STEEL = ('#7f8c9c', '#262d36')
FOLDER = ('#e3b77a', '#3d2410')
RED = ('#d8372b', '#6a120c')
BLUE = ('#2a6fd6', '#0f2f66')
ORANGE = ('#ec7a1c', '#6b3205')


def palette(colors, hot=False):
    return Palette(rgb(colors[0]), rgb(colors[1]), hot)


def halo(c, pal, shape):
    if pal.hot:
        c.glow(shape, pal.halo, 1.6 if c.small else 4.0)


# ---------------------------------------------------------------------------
# Shared drawing pieces

def check_shape(c, x0, y0, x1, y1):
    """Tick mark inside the box (x0, y0)-(x1, y1)."""
    w, h = x1 - x0, y1 - y0
    stroke = c.units(3.4) if c.small else 5.6
    pts = [(x0 + w * 0.10, y0 + h * 0.55),
           (x0 + w * 0.40, y0 + h * 0.85),
           (x0 + w * 0.92, y0 + h * 0.15)]
    return polyline(pts, stroke)


def draw_check(c, pal, x0, y0, x1, y1):
    shape = check_shape(c, x0, y0, x1, y1)
    halo(c, pal, shape)
    c.outlined(shape, pal.body(y0, y1), pal.dark,
               width=0.9 if c.small else 1.2)


def draw_page(c, x0, y0, x1, y1, lines=True, accent=None):
    """Sheet of paper with a folded top-right corner and a few text lines."""
    x0, y0, x1, y1 = c.snap(x0), c.snap(y0), c.snap(x1), c.snap(y1)
    fold = c.snap(min(x1 - x0, y1 - y0) * 0.32)
    sheet = polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold),
                     (x1, y1), (x0, y1)])
    c.outlined(sheet, vgrad(WHITE, rgb('#e4e8ee'), y0, y1), rgb('#4a5360'))
    flap = polygon([(x1 - fold, y0), (x1 - fold, y0 + fold),
                    (x1, y0 + fold)])
    c.outlined(flap, rgb('#c9d0da'), rgb('#4a5360'))
    if not lines:
        return
    step = c.units(2) if c.small else 3.0
    thick = c.units(1) if c.small else 1.6
    lx0, lx1 = x0 + c.units(2.5 if c.small else 3.5), x1 - c.units(2.5)
    y = c.snap_mid(y0 + fold + (c.units(1.5) if c.small else 2.5))
    first = True
    while y < y1 - c.units(2.5):
        color = accent if (first and accent) else \
            rgb('#a3acb8' if c.small else '#8c96a4')
        c.fill(rounded_rect(lx0, y - thick / 2, lx1 if not first else
                            (lx0 + lx1) / 2 + 2, y + thick / 2), color)
        first = False
        y += step


def tray_shape():
    """Inbox tray seen from the front, with a dip in the middle of the rim."""
    return polygon([(2, 18), (9, 18), (11.5, 22), (20.5, 22), (23, 18),
                    (30, 18), (30, 29), (2, 29)])


def bold_arrow(c, x0, y0, x1, y1):
    """Axis-aligned arrow from (x0, y0) to its tip at (x1, y1). The cross
    axis is snapped so the shaft and head edges land on whole pixels: odd
    widths around a pixel centre at 16x16, even widths at 32x32."""
    if c.small:
        shaft, head_len, head_w = c.units(3), c.units(4.5), c.units(9)
        place = c.snap_mid
    else:
        shaft, head_len, head_w = 6.0, 9.0, 16.0
        place = c.snap
    if x0 == x1:
        x0 = x1 = place(x0)
    else:
        y0 = y1 = place(y0)
    return arrow(x0, y0, c.snap(x1), c.snap(y1), shaft, head_len, head_w)


def folder_back():
    """Back of a folder with its tab, the front flap drawn over it."""
    return polygon([(2, 5), (11, 5), (14, 8), (29, 8), (29, 26), (2, 26)])


def folder_back_color(pal):
    return mix(pal.base, pal.dark, 0.25)


def draw_tray(c):
    shape = tray_shape()
    c.outlined(shape, vgrad(rgb('#9fb4cc'), rgb('#5d7794'), 18, 29),
               rgb('#1d2a3a'))


# ---------------------------------------------------------------------------
# Button glyphs

def glyph_ok(c, hot):
    draw_check(c, palette(GREEN, hot), 3, 4, 29, 28)


def glyph_cancel(c, hot):
    pal = palette(RED, hot)
    a, b = 7.5, 24.5
    stroke = c.units(3.6) if c.small else 6.0
    shape = union(segment(a, a, b, b, stroke), segment(b, a, a, b, stroke))
    halo(c, pal, shape)
    c.outlined(shape, pal.body(a, b), pal.dark, 0.9 if c.small else 1.2)


def glyph_apply(c, hot):
    draw_page(c, 3, 1, 21, 27)
    draw_check(c, palette(GREEN, hot), 10, 11, 31, 31)


def glyph_about(c, hot):
    pal = palette(BLUE, hot)
    disc = circle(16, 16, 14)
    halo(c, pal, disc)
    c.outlined(disc, pal.body(2, 30), pal.dark)
    if c.small:
        c.fill(circle(16, 8.6, 2.0), WHITE)
        c.fill(rounded_rect(14, 13, 18, 25), WHITE)
    else:
        c.fill(circle(16, 9.2, 2.6), WHITE)
        c.fill(rounded_rect(13.5, 13.5, 18.5, 24.5, 1.0), WHITE)


def glyph_minimize(c, hot):
    pal = palette(GREEN, hot)
    # Window: white body with a blue title bar.
    win = rounded_rect(c.snap(2), c.snap(2), c.snap(24), c.snap(18), 1.5)
    c.outlined(win, vgrad(WHITE, rgb('#dfe6ef'), 2, 18), INK)
    bar = rounded_rect(c.snap(2), c.snap(2), c.snap(24), c.snap(8), 1.5)
    c.outlined(bar, rgb('#3d7fd8'), INK)
    # Tray at the bottom the window drops into.
    if c.small:
        left, right, bottom = c.snap_mid(5), c.snap_mid(30), c.snap_mid(29)
        tray = polyline([(left, 21), (left, bottom), (right, bottom),
                         (right, 21)], c.units(1.0))
    else:
        tray = polyline([(6, 21), (6, 29), (30, 29), (30, 21)], 3.0)
    c.fill(tray, rgb('#34495f'))
    # Arrow heading down from the window into the tray.
    shape = bold_arrow(c, 18, 10, 18, 28)
    halo(c, pal, shape)
    c.outlined(shape, pal.body(11, 28), pal.dark)


# ---------------------------------------------------------------------------
# Larkway's button glyphs

def glyph_browse(c, hot):
    """Open folder with a sheet inside."""
    pal = palette(FOLDER, hot)
    back = folder_back()
    halo(c, pal, back)
    c.outlined(back, folder_back_color(pal), pal.dark)
    c.outlined(rounded_rect(c.snap(5), c.snap(10), c.snap(25), c.snap(22)),
               WHITE, rgb('#4a5360'))
    # The front flap tipped forward: the folder is open.
    front = polygon([(8, 14), (31, 14), (27, 27), (2, 27)])
    c.outlined(front, pal.body(14, 27), pal.dark)


def glyph_exit(c, hot):
    """Doorway with its door swung open and an arrow heading out."""
    doorway = rounded_rect(c.snap(3), c.snap(2), c.snap(19), c.snap(30))
    c.outlined(doorway, rgb('#2e3640'), INK)
    door = polygon([(3, 2), (11, 6), (11, 31), (3, 30)])
    c.outlined(door, vgrad(rgb('#c98a4b'), rgb('#8a5526'), 2, 31),
               rgb('#3d2410'))
    pal = palette(RED, hot)
    shape = bold_arrow(c, 10, 17, 31, 17)
    halo(c, pal, shape)
    c.outlined(shape, pal.body(9, 25), pal.dark)


def glyph_send(c, hot):
    """Paper plane flying up to the right."""
    pal = palette(BLUE, hot)
    tail, nose, fold, keel = (1.5, 14), (30.5, 2.5), (13, 19), (18, 29.5)
    upper = polygon([tail, nose, fold])
    lower = polygon([fold, nose, keel])
    plane = union(upper, lower)
    halo(c, pal, plane)
    shade = mix(pal.base, pal.dark, 0.35)
    if c.small:
        # Too small for a line along the fold: one outline, two shades.
        c.outlined(plane, pal.body(3, 19), pal.dark)
        c.fill(lower, shade, grow=-c.units(1))
    else:
        c.outlined(lower, shade, pal.dark)
        c.outlined(upper, pal.body(3, 19), pal.dark)


def icon_copy(c):
    """Two sheets, one on the other."""
    draw_page(c, 11, 1, 29, 22, lines=False)
    draw_page(c, 3, 9, 21, 31)


def icon_move(c):
    """Sheet with an arrow carrying it away."""
    draw_page(c, 2, 1, 20, 28)
    pal = palette(GREEN)
    shape = bold_arrow(c, 10, 21, 31, 21)
    c.outlined(shape, pal.body(13, 29), pal.dark)


def favorite_star(cx, cy, outer):
    return star(cx, cy, outer, outer * 0.45)


def glyph_favorites(c, hot):
    pal = palette(GOLD, hot)
    shape = favorite_star(16, 17, 15.5)
    halo(c, pal, shape)
    c.outlined(shape, pal.body(2, 30), pal.dark)


def glyph_add_favorite(c, hot):
    """Star with a plus badge."""
    pal = palette(GOLD, hot)
    shape = favorite_star(13, 14.5, 13)
    halo(c, pal, shape)
    c.outlined(shape, pal.body(2, 26), pal.dark)
    badge = palette(GREEN, hot)
    c.outlined(circle(24, 24, 8), badge.body(16, 32), badge.dark)
    arm = c.units(2) if c.small else 3.0
    c.fill(union(rounded_rect(24 - arm / 2, 19.5, 24 + arm / 2, 28.5),
                 rounded_rect(19.5, 24 - arm / 2, 28.5, 24 + arm / 2)),
           WHITE)


def glyph_options(c, hot):
    """Gear wheel."""
    pal = palette(STEEL, hot)
    wheel = gear(16, 16, 15.5, 11.5, 8)
    halo(c, pal, wheel)
    c.outlined(subtract(wheel, circle(16, 16, 4.5)), pal.body(1, 31),
               pal.dark)


def glyph_up(c, hot):
    """Arrow pointing up: the favourite moves one place up the list."""
    pal = palette(BLUE, hot)
    shape = bold_arrow(c, 16, 30, 16, 2)
    halo(c, pal, shape)
    c.outlined(shape, pal.body(2, 30), pal.dark)


def glyph_down(c, hot):
    """Arrow pointing down: the favourite moves one place down the list."""
    pal = palette(BLUE, hot)
    shape = bold_arrow(c, 16, 2, 16, 30)
    halo(c, pal, shape)
    c.outlined(shape, pal.body(2, 30), pal.dark)


def glyph_clear(c, hot):
    """A list with a red cross over it: every favourite goes."""
    draw_page(c, 2, 1, 22, 28)
    pal = palette(RED, hot)
    a, b = 15.5, 29.5
    stroke = c.units(3.2) if c.small else 5.0
    shape = union(segment(a, a, b, b, stroke), segment(b, a, a, b, stroke))
    halo(c, pal, shape)
    c.outlined(shape, pal.body(a, b), pal.dark, 0.9 if c.small else 1.2)


# ---------------------------------------------------------------------------
# Program icons

def icon_fennix(c):
    draw_page(c, 3, 1, 22, 28, accent=rgb(ORANGE[0]))
    lens_c, lens_r = (18.5, 17.5), 8.0
    lens = circle(lens_c[0], lens_c[1], lens_r)
    handle = segment(24, 23, 29.5, 28.5, 5.0 if c.small else 4.6)
    c.outlined(handle, vgrad(rgb('#8a4a1a'), rgb('#4a2208'), 23, 29), INK)
    c.fill(lens, rgb('#d9ecff', 0.70))
    rim = vgrad(rgb('#ffb25e'), rgb(ORANGE[0]), 9, 26)
    if c.small:
        # Too tight for a border on both sides of the rim: outer edge only.
        c.fill(ring(lens, c.units(2.6)), rgb(ORANGE[1]))
        c.fill(ring(circle(lens_c[0], lens_c[1], lens_r - c.units(0.9)),
                    c.units(1.5)), rim)
    else:
        c.outlined(ring(lens, 3.6), rim, rgb(ORANGE[1]))
        # Glint on the glass.
        c.fill(segment(14.5, 15.5, 16.5, 13.2, 1.6), rgb('#ffffff', 0.9))


def icon_drop_wait(c):
    draw_tray(c)
    pal = palette(BLUE)
    shape = bold_arrow(c, 16, 1, 16, 21)
    c.outlined(shape, pal.body(1, 20), pal.dark)


def icon_drop_done(c):
    draw_page(c, 7, 3, 23, 24)
    draw_tray(c)
    badge = circle(24, 8, 8)
    pal = palette(GREEN)
    c.outlined(badge, pal.body(0, 16), pal.dark)
    c.fill(polyline([(20, 8.4), (22.8, 11.2), (27.8, 5.0)],
                    c.units(1.6) if c.small else 2.8), WHITE)


def icon_dovrin(c):
    # Drive body.
    body = rounded_rect(c.snap(1), c.snap(15), c.snap(31), c.snap(29), 2.0)
    c.outlined(body, vgrad(rgb('#d5d9de'), rgb('#7d858f'), 15, 29), INK)
    slot_y = c.snap_mid(24)
    c.fill(rounded_rect(4, slot_y - c.units(0.5), 17, slot_y + c.units(0.5)),
           rgb('#4b525b'))
    led = rounded_rect(c.snap(21), c.snap(22), c.snap(27), c.snap(26), 1.0)
    c.outlined(led, rgb('#4cff5a'), rgb('#0c4a12'),
               0.6 if c.small else 1.0)
    # Usage pie above the drive.
    cx, cy, r = (16, 10, 10) if c.small else (16, 10.5, 9.5)
    pie = circle(cx, cy, r)
    c.fill(pie, INK)
    inner = r - c.units(1)
    c.fill(circle(cx, cy, inner), vgrad(rgb('#5a9cf0'), rgb('#1f5fc4'),
                                        1, 20))
    c.fill(wedge(cx, cy, inner, 0, 125), vgrad(rgb('#ef5fd0'),
                                               rgb('#a8168e'), 1, 20))
    for deg in (() if c.small else (0, 125)):
        a = math.radians(deg)
        c.fill(segment(cx, cy, cx + math.sin(a) * r, cy - math.cos(a) * r,
                       1.0), INK)


def icon_larkway(c):
    # Folder: back with a tab, then the front flap.
    c.outlined(folder_back(), rgb('#a8753e'), rgb('#3d2410'))
    front = polygon([(2, 12), (29, 12), (29, 26), (2, 26)])
    c.outlined(front, vgrad(rgb('#e3b77a'), rgb('#b9834a'), 12, 26),
               rgb('#3d2410'))
    pal = palette(BLUE)
    shape = bold_arrow(c, 10, 20, 31, 20)
    c.outlined(shape, pal.body(13, 28), pal.dark)


def icon_multiple_files(c):
    """Three sheets fanned out: a selection of several items."""
    draw_page(c, 1, 1, 17, 21, lines=False)
    draw_page(c, 7, 5, 23, 25, lines=False)
    draw_page(c, 13, 9, 29, 30, accent=rgb(ORANGE[0]))


def glyph_pie(c, hot):
    """A pie chart with one slice pulled out."""
    pal = palette(BLUE, hot)
    cx, cy, r = 15, 17, 12.5
    disc = circle(cx, cy, r)
    halo(c, pal, disc)
    c.outlined(disc, pal.body(4, 30), pal.dark)
    slice_pal = palette(GOLD, hot)
    shift = 2.5 if c.small else 2.0
    piece = wedge(cx + shift, cy - shift, r, 0, 100)
    c.outlined(piece, slice_pal.body(2, 20), slice_pal.dark)


# ---------------------------------------------------------------------------

def glyph(fn, hot):
    return lambda c: fn(c, hot)


def solid(color):
    """A square of one opaque colour: the tests read it back pixel by pixel."""
    return lambda c: c.fill(rounded_rect(0, 0, GRID, GRID), rgb(color))


ICONS = [
    ('controls/res/ok.ico', glyph(glyph_ok, False)),
    ('controls/res/ok_hot.ico', glyph(glyph_ok, True)),
    ('controls/res/cancel.ico', glyph(glyph_cancel, False)),
    ('controls/res/cancel_hot.ico', glyph(glyph_cancel, True)),
    ('controls/res/apply.ico', glyph(glyph_apply, False)),
    ('controls/res/apply_hot.ico', glyph(glyph_apply, True)),
    ('controls/res/about.ico', glyph(glyph_about, False)),
    ('controls/res/about_hot.ico', glyph(glyph_about, True)),
    ('controls/res/minimize.ico', glyph(glyph_minimize, False)),
    ('controls/res/minimize_hot.ico', glyph(glyph_minimize, True)),
    ('properties/res/app.ico', icon_fennix),
    ('properties/res/drop_wait.ico', icon_drop_wait),
    ('properties/res/drop_done.ico', icon_drop_done),
    ('properties/res/multiple_files.ico', icon_multiple_files),
    ('properties/res/pie.ico', glyph(glyph_pie, False)),
    ('properties/res/pie_hot.ico', glyph(glyph_pie, True)),
    ('diskinfo/res/app.ico', icon_dovrin),
    ('sendto/res/app.ico', icon_larkway),
    ('sendto/res/browse.ico', glyph(glyph_browse, False)),
    ('sendto/res/browse_hot.ico', glyph(glyph_browse, True)),
    ('sendto/res/exit.ico', glyph(glyph_exit, False)),
    ('sendto/res/exit_hot.ico', glyph(glyph_exit, True)),
    ('sendto/res/send.ico', glyph(glyph_send, False)),
    ('sendto/res/send_hot.ico', glyph(glyph_send, True)),
    ('sendto/res/copy.ico', icon_copy),
    ('sendto/res/move.ico', icon_move),
    ('sendto/res/add_favorite.ico', glyph(glyph_add_favorite, False)),
    ('sendto/res/add_favorite_hot.ico', glyph(glyph_add_favorite, True)),
    ('sendto/res/favorites.ico', glyph(glyph_favorites, False)),
    ('sendto/res/favorites_hot.ico', glyph(glyph_favorites, True)),
    ('sendto/res/options.ico', glyph(glyph_options, False)),
    ('sendto/res/options_hot.ico', glyph(glyph_options, True)),
    ('sendto/res/up.ico', glyph(glyph_up, False)),
    ('sendto/res/up_hot.ico', glyph(glyph_up, True)),
    ('sendto/res/down.ico', glyph(glyph_down, False)),
    ('sendto/res/down_hot.ico', glyph(glyph_down, True)),
    ('sendto/res/clear.ico', glyph(glyph_clear, False)),
    ('sendto/res/clear_hot.ico', glyph(glyph_clear, True)),
    ('tests/controls/res/solid_red.ico', solid('ff0000')),
    ('tests/controls/res/solid_blue.ico', solid('0000ff')),
]


def main():
    root = os.path.normpath(os.path.join(os.path.dirname(
        os.path.abspath(__file__)), '..', '..'))
    for rel, draw in ICONS:
        canvases = []
        for size in SIZES:
            c = Canvas(size)
            draw(c)
            canvases.append(c)
        write_ico(os.path.join(root, rel), canvases)
        print('wrote', rel)
    return 0


if __name__ == '__main__':
    sys.exit(main())
