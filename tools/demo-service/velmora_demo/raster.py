"""A tiny shape rasteriser for the cursor and icon pictures the packages carry."""

import math


def polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, outer, inner):
    return lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= outer * outer


def segment(ax, ay, bx, by, half_width):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) <= half_width
    return inside


def double_arrow(ax, ay, bx, by):
    """A two-headed resize arrow from (ax, ay) to (bx, by)."""
    length = math.hypot(bx - ax, by - ay)
    ux, uy = (bx - ax) / length, (by - ay) / length
    px, py = -uy, ux

    def head(tx, ty, sx, sy):
        base_x, base_y = tx - sx * 7, ty - sy * 7
        return polygon([(tx, ty), (base_x + px * 6, base_y + py * 6), (base_x - px * 6, base_y - py * 6)])
    return [segment(ax + ux * 5, ay + uy * 5, bx - ux * 5, by - uy * 5, 1.6),
            head(bx, by, ux, uy), head(ax, ay, -ux, -uy)]


def render(size, shapes, fill, outline=(255, 255, 255, 255)):
    """RGBA rows, top row first: shapes in fill, a one-pixel outline around them."""
    inside = [[any(s(x + 0.5, y + 0.5) for s in shapes) for x in range(size)] for y in range(size)]
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if inside[y][x]:
                row.append(fill)
            elif any(0 <= y + dy < size and 0 <= x + dx < size and inside[y + dy][x + dx]
                     for dy in (-1, 0, 1) for dx in (-1, 0, 1)):
                row.append(outline)
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def hex_colour(text, alpha=255):
    text = text.lstrip("#")
    return (int(text[0:2], 16), int(text[2:4], 16), int(text[4:6], 16), alpha)


def blend(colour, other, amount):
    return tuple(int(round(a + (b - a) * amount)) for a, b in zip(colour, other))
