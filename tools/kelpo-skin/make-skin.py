#!/usr/bin/env python3
"""Draws the skin bitmaps of Kelpo's scrollbar and the list's play icon.

Usage: tools/kelpo-skin/make-skin.py [OUTPUT_DIR]   (default: <repo>/kelpo/res)

Pure Python (standard library only) and integer-exact, so every run writes the same bytes.
The outputs are committed; run this again only after changing the drawing.

Vertical pictures are drawn frame by frame; the horizontal ones are the same frames turned
(transposed), stacked as the scrollbar expects. Glyph pictures (arrows, grips) are drawn on
magenta 0xFF00FF, the transparent colour.
"""
import os
import struct
import sys

MAGENTA = (0xFF, 0x00, 0xFF)


def hexrgb(text):
    return (int(text[1:3], 16), int(text[3:5], 16), int(text[5:7], 16))


def mix(a, b, num, den):
    """a + (b - a) * num / den, rounded half up, in integers."""
    return tuple((ca * (den - num) + cb * num + den // 2) // den for ca, cb in zip(a, b))


class Frame:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def transposed(self):
        t = Frame(self.height, self.width, MAGENTA)
        for y in range(self.height):
            for x in range(self.width):
                t.pixels[x][y] = self.pixels[y][x]
        return t


def stack(frames, vertical):
    width = frames[0].width if vertical else sum(f.width for f in frames)
    height = sum(f.height for f in frames) if vertical else frames[0].height
    out = Frame(width, height, MAGENTA)
    at = 0
    for f in frames:
        for y in range(f.height):
            for x in range(f.width):
                if vertical:
                    out.pixels[at + y][x] = f.pixels[y][x]
                else:
                    out.pixels[y][at + x] = f.pixels[y][x]
        at += f.height if vertical else f.width
    return out


def write_bmp(path, frame):
    """24-bit bottom-up BMP."""
    row_size = (frame.width * 3 + 3) // 4 * 4
    data = bytearray()
    for y in reversed(range(frame.height)):
        row = bytearray()
        for r, g, b in frame.pixels[y]:
            row += bytes((b, g, r))
        row += bytes(row_size - len(row))
        data += row
    header = struct.pack('<IiiHHIIiiII', 40, frame.width, frame.height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack('<2sIHHI', b'BM', 14 + len(header) + len(data), 0, 0, 14 + len(header))
    with open(path, 'wb') as f:
        f.write(file_header + header + data)


# Colours per state: (left edge of the face, right edge of the face, border).
BUTTON_STATES = [  # normal, bar hovered, hot, pressed, disabled
    ('#F4F7FA', '#E9EFF5', '#D3DEE9'),
    ('#F8FBFE', '#E2EBF4', '#B7CADE'),
    ('#EDF5FD', '#CDE0F4', '#7EA6CE'),
    ('#C3D9F0', '#A8C7E7', '#5B8BBC'),
    ('#F3F3F3', '#EBEBEB', '#DADADA'),
]
ARROW_COLOURS = ['#8496AA', '#62809E', '#3D6B99', '#FFFFFF', '#C3C3C3']
TRACK_STATES = [('#E6EDF4', '#F6F9FC'), ('#C9DAEB', '#D9E6F3')]  # (edge, centre)
THUMB_STATES = [  # normal, hot, pressed, disabled
    ('#E1EBF6', '#C4D7EC', '#8AAACC'),
    ('#EAF3FC', '#CFE1F4', '#6893C1'),
    ('#BCD3EC', '#A3C2E4', '#4D7EB2'),
    ('#EFEFEF', '#E4E4E4', '#CFCFCF'),
]
GRIP_STATES = [('#7D9ABA', '#FFFFFF'), ('#55809F', '#FFFFFF'), ('#FFFFFF', '#6F98C4'), ('#C6C6C6', '#F6F6F6')]


def across_gradient(frame, left, right, top, bottom, x0, x1):
    """Fills columns x0..x1 (inclusive) of rows top..bottom with a left-to-right gradient."""
    span = max(x1 - x0, 1)
    for x in range(x0, x1 + 1):
        colour = mix(left, right, x - x0, span)
        for y in range(top, bottom + 1):
            frame.set(x, y, colour)


def rounded_box(frame, face_left, face_right, border, backdrop):
    """A box over the whole frame: a gradient face inside a one-pixel border with cut corners."""
    w, h = frame.width, frame.height
    across_gradient(frame, face_left, face_right, 0, h - 1, 0, w - 1)
    for x in range(w):
        frame.set(x, 0, border)
        frame.set(x, h - 1, border)
    for y in range(h):
        frame.set(0, y, border)
        frame.set(w - 1, y, border)
    # A soft highlight just inside the top and left edges.
    light = mix(face_left, (255, 255, 255), 1, 2)
    for x in range(1, w - 1):
        frame.set(x, 1, light)
    for y in range(1, h - 1):
        frame.set(1, y, light)
    for cx, cy in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        frame.set(cx, cy, mix(border, backdrop, 1, 2))


def button_face(state):
    left, right, border = (hexrgb(c) for c in BUTTON_STATES[state])
    f = Frame(17, 18, MAGENTA)
    rounded_box(f, left, right, border, hexrgb(TRACK_STATES[0][1]))
    return f


def arrow(state, up):
    f = Frame(17, 18, MAGENTA)
    colour = hexrgb(ARROW_COLOURS[state])
    # A solid triangle 9 wide and 5 high, centred; the pressed look sits one pixel lower.
    drop = 1 if state == 3 else 0
    for i in range(5):
        y = (6 + i if up else 11 - i) + drop
        for x in range(8 - i, 9 + i):
            f.set(x, y, colour)
    return f


def track(state):
    edge, centre = (hexrgb(c) for c in TRACK_STATES[state])
    f = Frame(17, 2, MAGENTA)
    across_gradient(f, edge, centre, 0, 1, 0, 8)
    across_gradient(f, centre, edge, 0, 1, 8, 16)
    return f


def thumb(state):
    left, right, border = (hexrgb(c) for c in THUMB_STATES[state])
    f = Frame(17, 15, MAGENTA)
    rounded_box(f, left, right, border, hexrgb(TRACK_STATES[0][1]))
    return f


def grip(state):
    line, light = (hexrgb(c) for c in GRIP_STATES[state])
    f = Frame(9, 10, MAGENTA)
    for y in (2, 4, 6):
        for x in range(1, 8):
            f.set(x, y, line)
            f.set(x, y + 1, light)
    return f


def play_icon():
    """12 x 12, 32 bits per pixel with alpha: a green play triangle, 4 x 4 samples per pixel."""
    colour = hexrgb('#53B712')
    size, samples = 12, 4
    # Triangle (2.5, 1.5) - (2.5, 10.5) - (10.5, 6), in pixel units.
    ax, ay, bx, by, cx, cy = 2.5, 1.5, 2.5, 10.5, 10.5, 6.0

    def inside(px, py):
        def side(x1, y1, x2, y2):
            return (x2 - x1) * (py - y1) - (y2 - y1) * (px - x1)
        d1, d2, d3 = side(ax, ay, bx, by), side(bx, by, cx, cy), side(cx, cy, ax, ay)
        return (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0)

    alpha = [[0] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    if inside(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples):
                        hits += 1
            alpha[y][x] = (hits * 255 + samples * samples // 2) // (samples * samples)
    xor = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            a = alpha[y][x]
            r, g, b = (c * a // 255 for c in colour) if a else (0, 0, 0)
            xor += bytes((b, g, r, a))  # premultiplied colours look right with or without alpha
    mask_row = (size + 31) // 32 * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            if alpha[y][x] == 0:
                bits |= 1 << (mask_row * 8 - 1 - x)
        mask += bits.to_bytes(mask_row, 'big')
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), 22)
    return directory + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', '..', 'kelpo', 'res')
    os.makedirs(out, exist_ok=True)
    faces = [button_face(s) for s in range(5)]
    ups = [arrow(s, True) for s in range(5)]
    downs = [arrow(s, False) for s in range(5)]
    tracks = [track(s) for s in range(2)]
    thumbs = [thumb(s) for s in range(4)]
    grips = [grip(s) for s in range(4)]
    pictures = {
        'SCRARROWV': stack(faces, True),
        'SCRARROWVT': stack(ups, True),
        'SCRARROWVB': stack(downs, True),
        'SCRBACKV': stack(tracks, True),
        'SCRTHUMBV': stack(thumbs, False),
        'SCRGRIPV': stack(grips, True),
        'SCRARROWH': stack([f.transposed() for f in faces], False),
        'SCRARROWHL': stack([f.transposed() for f in ups], False),
        'SCRARROWHR': stack([f.transposed() for f in downs], False),
        'SCRBACKH': stack([f.transposed() for f in tracks], False),
        'SCRTHUMBH': stack([f.transposed() for f in thumbs], True),
        'SCRGRIPH': stack([f.transposed() for f in grips], True),
    }
    for name, frame in pictures.items():
        write_bmp(os.path.join(out, name + '.bmp'), frame)
    with open(os.path.join(out, 'PlayIcon.ico'), 'wb') as f:
        f.write(play_icon())
    print('skin written to', os.path.abspath(out))


if __name__ == '__main__':
    main()
