#!/usr/bin/env python3
"""Draw Fennix's search animation: a magnifying glass circling over a folder
full of pages, played while a folder walk runs.

The frames are drawn with the shapes and the anti-aliased canvas of the icon
script, composed onto one flat background colour (the animation control
shows that colour as transparent), reduced to one 256-colour palette by
median cut, and written as an uncompressed 8-bit AVI: the form every
version of the animation control plays.

Run from the repository root:  python3 tools/animation/make_search_avi.py
(Python 3 standard library only). The .avi is committed, so the build needs
no image tools.
"""

import math
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'icons'))
import make_icons as ic  # noqa: E402

SIZE = 48            # frame width and height in pixels
FRAMES = 16          # one full turn of the glass
FRAME_MS = 90
BACKGROUND = (224, 224, 224)
OUTPUT = 'properties/res/search.avi'


def draw_frame(c, index):
    # The folder and its pages stay; only the glass moves.
    c.outlined(ic.folder_back(), ic.rgb('#a8753e'), ic.rgb('#3d2410'))
    ic.draw_page(c, 6, 7, 18, 22, lines=False)
    ic.draw_page(c, 12, 6, 25, 22)
    front = ic.polygon([(2, 15), (29, 15), (29, 27), (2, 27)])
    c.outlined(front, ic.vgrad(ic.rgb('#e3b77a'), ic.rgb('#b9834a'), 15, 27),
               ic.rgb('#3d2410'))

    turn = 2 * math.pi * index / FRAMES
    cx, cy = 16 + 6.5 * math.cos(turn), 15 + 4.5 * math.sin(turn)
    lens_r = 6.0
    lens = ic.circle(cx, cy, lens_r)
    hx, hy = cx + lens_r * 0.72, cy + lens_r * 0.72
    handle = ic.segment(hx, hy, hx + 5.0, hy + 5.0, 3.2)
    c.outlined(handle, ic.vgrad(ic.rgb('#8a4a1a'), ic.rgb('#4a2208'), hy, hy + 5), ic.INK)
    c.fill(lens, ic.rgb('#d9ecff', 0.65))
    c.outlined(ic.ring(lens, 2.4), ic.vgrad(ic.rgb('#ffb25e'), ic.rgb(ic.ORANGE[0]), cy - lens_r, cy + lens_r),
               ic.rgb(ic.ORANGE[1]), width=0.8)
    c.fill(ic.segment(cx - 2.6, cy - 0.6, cx - 0.8, cy - 2.6, 1.2), ic.rgb('#ffffff', 0.9))


def flatten(c):
    """The canvas composed onto the background: rows of (r, g, b), top down."""
    rows = []
    for y in range(c.size):
        row = []
        for x in range(c.size):
            r, g, b, a = c.px[y * c.size + x]      # premultiplied
            k = 1.0 - a
            row.append(tuple(ic.to_byte(v + bg / 255.0 * k) for v, bg in zip((r, g, b), BACKGROUND)))
        rows.append(row)
    return rows


def median_cut(colors, count):
    """At most count colours that stand for the given ones: the box with the
    widest spread is cut at its median until there are enough boxes."""
    boxes = [list(colors)]
    while len(boxes) < count:
        spreads = []
        for box in boxes:
            ranges = [max(p[i] for p in box) - min(p[i] for p in box) for i in range(3)]
            spreads.append((max(ranges), ranges.index(max(ranges))))
        widest = max(range(len(boxes)), key=lambda i: spreads[i][0] if len(boxes[i]) > 1 else -1)
        if len(boxes[widest]) < 2:
            break
        box = sorted(boxes.pop(widest), key=lambda p: p[spreads[widest][1]])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(sum(p[i] for p in box) // len(box) for i in range(3)) for box in boxes]


def nearest(palette, color, cache):
    if color not in cache:
        cache[color] = min(range(len(palette)),
                           key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], color)))
    return cache[color]


def chunk(fourcc, data):
    pad = b'\0' if len(data) % 2 else b''
    return fourcc + struct.pack('<I', len(data)) + data + pad


def riff_list(kind, fourcc, body):
    return kind + struct.pack('<I', len(body) + 4) + fourcc + body


def write_avi(path, frames, palette):
    stride = (SIZE + 3) & ~3
    frame_bytes = stride * SIZE
    avih = struct.pack('<IIIIIIIIII4I', FRAME_MS * 1000, frame_bytes * 1000 // FRAME_MS, 0,
                       0x10,  # AVIF_HASINDEX
                       len(frames), 0, 1, frame_bytes, SIZE, SIZE, 0, 0, 0, 0)
    strh = struct.pack('<4s4sIHHIIIIIIIIhhhh', b'vids', b'DIB ', 0, 0, 0, 0,
                       FRAME_MS, 1000,  # dwScale / dwRate: frames per second
                       0, len(frames), frame_bytes, 0xFFFFFFFF, 0, 0, 0, SIZE, SIZE)
    bih = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE, 1, 8, 0, frame_bytes, 0, 0, 256, 0)
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    colours += b'\0' * (1024 - len(colours))
    hdrl = riff_list(b'LIST', b'hdrl', chunk(b'avih', avih) +
                     riff_list(b'LIST', b'strl', chunk(b'strh', strh) + chunk(b'strf', bih + colours)))

    movi_body = b''
    index = b''
    for rows in frames:
        data = b''.join(bytes(row) + b'\0' * (stride - SIZE) for row in reversed(rows))  # bottom-up
        # Offsets count from the 'movi' type code.
        index += struct.pack('<4sIII', b'00db', 0x10, 4 + len(movi_body), len(data))
        movi_body += chunk(b'00db', data)
    body = hdrl + riff_list(b'LIST', b'movi', movi_body) + chunk(b'idx1', index)
    with open(path, 'wb') as f:
        f.write(b'RIFF' + struct.pack('<I', len(body) + 4) + b'AVI ' + body)


def main():
    root = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
    images = []
    for index in range(FRAMES):
        c = ic.Canvas(SIZE)
        draw_frame(c, index)
        images.append(flatten(c))
    colours = [p for rows in images for row in rows for p in row]
    # The background keeps an entry of its own, exactly: it is the colour
    # the control leaves transparent.
    palette = [BACKGROUND] + [p for p in median_cut([p for p in colours if p != BACKGROUND], 255)]
    cache = {BACKGROUND: 0}
    frames = [[[nearest(palette, p, cache) for p in row] for row in rows] for rows in images]
    write_avi(os.path.join(root, OUTPUT), frames, palette)
    print('wrote', OUTPUT)
    return 0


if __name__ == '__main__':
    sys.exit(main())
