"""The device-independent bitmap inside .ico, .cur and icon resources."""

import struct


def icon_image(rows):
    """BITMAPINFOHEADER + 32-bit BGRA pixels (bottom-up) + AND mask, height doubled."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def directory(kind, images, hotspots=None):
    """An .ico (kind 1) or .cur (kind 2) file; for cursors the planes/bpp fields hold the hotspot."""
    out = bytearray(struct.pack("<HHH", 0, kind, len(images)))
    offset = 6 + 16 * len(images)
    for i, (size, data) in enumerate(images):
        if kind == 2:
            extra = hotspots[i]
        else:
            extra = (1, 32)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, extra[0], extra[1], len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return bytes(out)
