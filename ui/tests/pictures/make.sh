#!/bin/sh
# Makes the picture files of the decoder tests: the PNG files with Python's zlib, row filters
# and chunks chosen here; the JPEG files with ImageMagick 6 and jpegtran (libjpeg), each with
# the pixels libjpeg decodes it to. The PNG pictures are drawn by formulas that
# PictureDecodersTest.cpp repeats.
set -e
cd "$(dirname "$0")"
python3 - <<'PY'
import struct, zlib

def colour(x, y):
    a = 255 if y == 0 else 0 if y == 1 else (x * 17 + y * 29) % 256
    return ((x * 19 + y * 7) % 256, (x * 5 + y * 31) % 256, (x * x + y * 3) % 256, a)

def few(n):
    # Palette index of a pixel; colour i of n is spread out, the last one transparent.
    return lambda x, y: (x + 2 * y) % n

def palette(n):
    return [((i * 255) // (n - 1), 255 - (i * 255) // (n - 1), (i * 85) % 256) for i in range(n)]

def chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))

def png(name, w, h, colour_type, depth, row_bytes, extra=b'', level=9, filters=None):
    raw = b''
    previous = bytes(len(row_bytes(0)))
    for y in range(h):
        row = row_bytes(y)
        kind = filters(y) if filters else 0
        bpp = max(1, {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type] * depth // 8)
        out = bytearray()
        for i, v in enumerate(row):
            a = row[i - bpp] if i >= bpp else 0
            b = previous[i]
            c = previous[i - bpp] if i >= bpp else 0
            if kind == 0: p = 0
            elif kind == 1: p = a
            elif kind == 2: p = b
            elif kind == 3: p = (a + b) // 2
            else:
                pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
                p = a if pa <= pb and pa <= pc else b if pb <= pc else c
            out.append((v - p) % 256)
        raw += bytes([kind]) + bytes(out)
        previous = row
    header = struct.pack('>IIBBBBB', w, h, depth, colour_type, 0, 0, 0)
    data = zlib.compress(raw, level)
    with open(name, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + extra)
        # The data split over two chunks, as encoders may do.
        f.write(chunk(b'IDAT', data[:len(data) // 2]) + chunk(b'IDAT', data[len(data) // 2:]))
        f.write(chunk(b'IEND', b''))

W, H = 13, 7
rgba = lambda y: bytes(v for x in range(W) for v in colour(x, y))
every_filter = lambda y: y % 5
png('rgba.png', W, H, 6, 8, rgba, filters=every_filter)
png('rgba-stored.png', W, H, 6, 8, rgba, level=0)
png('rgba-fast.png', W, H, 6, 8, rgba, level=1, filters=every_filter)
png('rgb.png', W, H, 2, 8, lambda y: bytes(v for x in range(W) for v in colour(x, y)[:3]), filters=every_filter)
# The colour of pixel (1, 0) is the transparent key.
key = colour(1, 0)[:3]
png('rgb-key.png', W, H, 2, 8, lambda y: bytes(v for x in range(W) for v in colour(x, y)[:3]),
    extra=chunk(b'tRNS', b''.join(struct.pack('>H', v) for v in key)))
png('grey.png', W, H, 0, 8, lambda y: bytes(colour(x, y)[0] for x in range(W)), filters=every_filter)
png('grey-key.png', W, H, 0, 8, lambda y: bytes(colour(x, y)[0] for x in range(W)),
    extra=chunk(b'tRNS', struct.pack('>H', colour(2, 0)[0])))
png('greyalpha.png', W, H, 4, 8, lambda y: bytes(v for x in range(W) for v in (colour(x, y)[0], colour(x, y)[3])),
    filters=every_filter)
for n, depth in ((2, 1), (4, 2), (16, 4), (200, 8)):
    index = few(n)
    def row(y, index=index, depth=depth):
        bits = ''.join(format(index(x, y), f'0{depth}b') for x in range(W))
        bits += '0' * (-len(bits) % 8)
        return bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))
    alpha = bytes([255] * (n - 1) + [0])
    png(f'palette{n}.png', W, H, 3, depth, row, filters=every_filter,
        extra=chunk(b'PLTE', b''.join(bytes(c) for c in palette(n))) + chunk(b'tRNS', alpha))
# What the decoder leaves to the system.
png('gamma.png', W, H, 6, 8, rgba, extra=chunk(b'gAMA', struct.pack('>I', 100000)))
png('sixteen.png', W, H, 6, 16, lambda y: bytes(v for x in range(W) for c in colour(x, y) for v in (c, c)))
PY

# For JPEG: smooth shading with a hard edge, in sizes that leave partial blocks; the wide one
# has more blocks than there are restart marker numbers.
python3 - <<'PY'
for name, w in (('scene', 21), ('wide', 77)):
    with open(f'/tmp/velmora-{name}.ppm', 'wb') as f:
        f.write(f'P6\n{w} 13\n255\n'.encode())
        for y in range(13):
            for x in range(w):
                f.write(bytes(((x * 9 + (200 if x > 11 else 0)) % 256, (y * 15 + 40) % 256, (x * y * 3 + 90) % 256)))
PY
for s in 1x1 2x2 2x1 1x2; do
    convert /tmp/velmora-scene.ppm -quality 90 -sampling-factor $s jpeg-$s.jpg
    convert jpeg-$s.jpg jpeg-$s.ppm
done
convert /tmp/velmora-scene.ppm -quality 90 -colorspace Gray jpeg-grey.jpg
convert jpeg-grey.jpg -colorspace sRGB -type TrueColor jpeg-grey.ppm
# Restart markers after every block, numbered round more than once.
convert /tmp/velmora-wide.ppm -quality 90 -sampling-factor 1x1 /tmp/velmora-wide.jpg
jpegtran -restart 1B /tmp/velmora-wide.jpg > jpeg-restart.jpg
convert jpeg-restart.jpg jpeg-restart.ppm
rm -f /tmp/velmora-wide.jpg /tmp/velmora-wide.ppm
convert /tmp/velmora-scene.ppm -quality 90 -interlace JPEG jpeg-progressive.jpg
rm -f /tmp/velmora-scene.ppm
convert rgba.png -interlace PNG -define png:exclude-chunk=all PNG32:interlaced.png
