"""Animated cursors (.ani) for the fifteen cursor roles of a mouse-pointer scheme."""

import math
import struct

from . import dib, raster

SIZE = 32
FRAMES = 4
JIFFIES_PER_FRAME = 10  # 1/60 s each: six frames a second

ARROW = [(1, 1), (1, 23), (6, 18), (10, 27), (14, 25), (10, 17), (17, 17)]


def _spinner(frame, cx, cy, outer, inner):
    angle = frame * math.pi / 2
    dot = raster.disc(cx + math.cos(angle) * (outer + inner) / 2, cy + math.sin(angle) * (outer + inner) / 2,
                      (outer - inner) / 2 + 1)
    return [raster.ring(cx, cy, outer, inner), dot]


def _shapes(role, frame):
    arrow = [raster.polygon(ARROW)]
    table = {
        "AppStarting": lambda: arrow + _spinner(frame, 23, 23, 7, 4),
        "Arrow": lambda: arrow,
        "Crosshair": lambda: [raster.rect(2, 15, 30, 17), raster.rect(15, 2, 17, 30)],
        "Hand": lambda: [raster.rect(10, 2, 15, 18), raster.rect(6, 13, 23, 29), raster.disc(12.5, 3, 2.5)],
        "Help": lambda: arrow + [raster.ring(24, 8, 6, 3), raster.rect(23, 17, 26, 20)],
        "IBeam": lambda: [raster.rect(15, 4, 17, 28), raster.rect(11, 3, 21, 5), raster.rect(11, 27, 21, 29)],
        "No": lambda: [raster.ring(16, 16, 12, 8.5), raster.segment(8, 8, 24, 24, 1.8)],
        "NWPen": lambda: [raster.polygon([(2, 2), (9, 4), (29, 24), (24, 29), (4, 9)])],
        "SizeAll": lambda: raster.double_arrow(16, 2, 16, 30) + raster.double_arrow(2, 16, 30, 16),
        "SizeNESW": lambda: raster.double_arrow(5, 27, 27, 5),
        "SizeNS": lambda: raster.double_arrow(16, 2, 16, 30),
        "SizeNWSE": lambda: raster.double_arrow(5, 5, 27, 27),
        "SizeWE": lambda: raster.double_arrow(2, 16, 30, 16),
        "UpArrow": lambda: [raster.polygon([(16, 1), (26, 12), (19, 12), (19, 30), (13, 30), (13, 12), (6, 12)])],
        "Wait": lambda: _spinner(frame, 16, 16, 12, 7),
    }
    return table[role]()


HOTSPOTS = {
    "AppStarting": (1, 1), "Arrow": (1, 1), "Crosshair": (16, 16), "Hand": (12, 1), "Help": (1, 1),
    "IBeam": (16, 16), "No": (16, 16), "NWPen": (2, 2), "SizeAll": (16, 16), "SizeNESW": (16, 16),
    "SizeNS": (16, 16), "SizeNWSE": (16, 16), "SizeWE": (16, 16), "UpArrow": (16, 1), "Wait": (16, 16),
}

# Table order: alphabetical by file name, as the installer and the editor list them.
ROLES = sorted(HOTSPOTS, key=str.lower)


def _chunk(tag, data):
    pad = b"\0" if len(data) % 2 else b""
    return tag + struct.pack("<I", len(data)) + data + pad


def cursor_file(role, colour, frame):
    """One frame of a role as a complete .cur file."""
    fill = raster.blend(raster.hex_colour(colour), (255, 255, 255, 255), 0.12 * frame)
    rows = raster.render(SIZE, _shapes(role, frame), fill, outline=(30, 30, 40, 255))
    return dib.directory(2, [(SIZE, dib.icon_image(rows))], [HOTSPOTS[role]])


def ani_file(role, colour):
    """A RIFF ACON animated cursor of FRAMES frames for the given role."""
    anih = struct.pack("<9I", 36, FRAMES, FRAMES, 0, 0, 0, 0, JIFFIES_PER_FRAME, 1)  # 1: frames are icons
    frames = b"".join(_chunk(b"icon", cursor_file(role, colour, f)) for f in range(FRAMES))
    body = b"ACON" + _chunk(b"anih", anih) + _chunk(b"LIST", b"fram" + frames)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def scheme_files(colour):
    """File name -> bytes for the fifteen roles of a scheme."""
    return {role + ".ani": ani_file(role, colour) for role in ROLES}
