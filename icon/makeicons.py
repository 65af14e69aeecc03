#!/usr/bin/env python3
"""Draws the picture editor's tool icons as 90 x 60 PNG files (the panel shows them at
45 x 30). Plain Python: each icon is a list of shapes given as distance functions,
rendered with 4 x 4 supersampling onto a transparent background.

The pencil's tip is at (12.3, 59.7), which lands on (8, 39) once the image is scaled to
60 x 40 for the pencil cursor, whose hot spot is there."""
import math
import struct
import zlib

W, H, SS = 90, 60, 4


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def line(ax, ay, bx, by, width, colour):
    return lambda x, y: colour if seg_dist(x, y, ax, ay, bx, by) <= width / 2 else None


def polygon(points, colour):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (x1, y1), (x2, y2) = points[i], points[(i + 1) % n]
            if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                hit = not hit
        return colour if hit else None
    return inside


def outline(points, width, colour):
    segs = [line(*points[i], *points[(i + 1) % len(points)], width, colour) for i in range(len(points))]
    return lambda x, y: next((c for c in (s(x, y) for s in segs) if c), None)


def ellipse_ring(cx, cy, rx, ry, width, colour):
    def f(x, y):
        # Distance to the ellipse approximated by the normalised radius.
        r = math.hypot((x - cx) / rx, (y - cy) / ry)
        return colour if abs(r - 1) * min(rx, ry) <= width / 2 else None
    return f


def disc(cx, cy, r, colour):
    return lambda x, y: colour if math.hypot(x - cx, y - cy) <= r else None


def quad_along(ax, ay, bx, by, half, colour):
    """A band of half-width `half` around the segment a-b, with square ends."""
    dx, dy = bx - ax, by - ay
    n = math.hypot(dx, dy)
    nx, ny = -dy / n * half, dx / n * half
    return polygon([(ax + nx, ay + ny), (bx + nx, by + ny), (bx - nx, by - ny), (ax - nx, ay - ny)], colour)


def arc(cx, cy, r, a0, a1, width, colour):
    """A ring segment from angle a0 to a1 (degrees, counter-clockwise on screen)."""
    def f(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - r) > width / 2:
            return None
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360
        lo, hi = a0 % 360, a1 % 360
        inside = lo <= a <= hi if lo <= hi else (a >= lo or a <= hi)
        return colour if inside else None
    return f


def turn_arrow(mirror):
    """A half-turn arrow, pointing left (undo) or, mirrored, right (redo)."""
    def mx(x):
        return W - x if mirror else x
    shaft = arc(45, 34, 17, 90, 270, 6, BLUE) if mirror else arc(45, 34, 17, -90, 90, 6, BLUE)
    return [
        shaft,
        line(mx(45), 51, mx(30), 51, 6, BLUE),
        polygon([(mx(18), 17), (mx(34), 6), (mx(34), 28)], BLUE),
        line(mx(45), 17, mx(32), 17, 6, BLUE),
    ]


def render(shapes):
    rows = []
    for py in range(H):
        row = bytearray([0])
        for px in range(W):
            acc = [0, 0, 0, 0]
            for sy in range(SS):
                for sx in range(SS):
                    x, y = px + (sx + 0.5) / SS, py + (sy + 0.5) / SS
                    colour = None
                    for shape in reversed(shapes):
                        colour = shape(x, y)
                        if colour:
                            break
                    if colour:
                        for i in range(3):
                            acc[i] += colour[i]
                        acc[3] += 255
            n = SS * SS
            covered = acc[3] // 255
            if covered:
                row += bytes([acc[0] // covered, acc[1] // covered, acc[2] // covered, acc[3] // n])
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return b"".join(rows)


def write_png(name, pixels):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b"")
    with open(name, "wb") as f:
        f.write(png)


BLACK = (30, 30, 30)
BLUE = (20, 60, 200)
WOOD = (230, 190, 140)
YELLOW = (250, 200, 40)
PINK = (240, 120, 150)

tip = (12.3, 59.7)
# Pencil axis from the tip up and to the right.
ux, uy = math.cos(math.radians(-38)), math.sin(math.radians(-38))
cone_end = (tip[0] + 22 * ux, tip[1] + 22 * uy)
body_end = (tip[0] + 88 * ux, tip[1] + 88 * uy)
half = 8.0
nx, ny = -uy, ux
pencil = [
    quad_along(*cone_end, *body_end, half + 1.5, BLACK),
    quad_along(*cone_end, *body_end, half, YELLOW),
    line(cone_end[0] + nx * 2.5, cone_end[1] + ny * 2.5, body_end[0] + nx * 2.5, body_end[1] + ny * 2.5, 1.5,
         (200, 150, 20)),
    polygon([tip, (cone_end[0] + nx * (half + 1.5), cone_end[1] + ny * (half + 1.5)),
             (cone_end[0] - nx * (half + 1.5), cone_end[1] - ny * (half + 1.5))], BLACK),
    polygon([(tip[0] + 2 * ux, tip[1] + 2 * uy), (cone_end[0] + nx * half, cone_end[1] + ny * half),
             (cone_end[0] - nx * half, cone_end[1] - ny * half)], WOOD),
    polygon([tip, (tip[0] + 8 * ux + nx * 3.3, tip[1] + 8 * uy + ny * 3.3),
             (tip[0] + 8 * ux - nx * 3.3, tip[1] + 8 * uy - ny * 3.3)], BLACK),
]

icons = {
    "ppen.png": pencil,
    "pline.png": [line(12, 50, 78, 10, 6, BLUE), disc(12, 50, 5, BLACK), disc(78, 10, 5, BLACK)],
    "prect.png": [outline([(16, 10), (74, 10), (74, 50), (16, 50)], 5, BLUE)],
    "pcircle.png": [ellipse_ring(45, 30, 30, 21, 5, BLUE)],
    "ptext.png": [line(24, 52, 45, 8, 6, BLACK), line(45, 8, 66, 52, 6, BLACK), line(32, 37, 58, 37, 5, BLACK)],
    "prubber.png": [
        quad_along(18, 44, 72, 16, 13.5, BLACK),
        quad_along(18, 44, 72, 16, 12, PINK),
        quad_along(38, 33.6, 52, 26.4, 12, (70, 110, 220)),
        line(10, 56, 40, 56, 2, (150, 150, 150)),
    ],
    "pcolor.png": [disc(33, 22, 15, (230, 40, 40)), disc(57, 22, 15, (40, 180, 60)), disc(45, 40, 15, BLUE)],
    "pfill.png": [
        # A tipped bucket pouring a drop of paint.
        polygon([(30, 14), (58, 26), (50, 52), (20, 40)], BLACK),
        polygon([(32, 18), (54, 28), (48, 48), (24, 38)], (200, 200, 210)),
        polygon([(30, 14), (58, 26), (56, 31), (28, 19)], BLUE),
        arc(44, 20, 12, 20, 160, 3, BLACK),
        polygon([(58, 26), (70, 38), (66, 44)], BLUE),
        disc(68, 48, 6, BLUE),
    ],
    "pfont.png": [
        line(10, 52, 28, 8, 6, BLACK), line(28, 8, 46, 52, 6, BLACK), line(17, 37, 39, 37, 5, BLACK),
        line(54, 52, 65, 24, 4, BLUE), line(65, 24, 76, 52, 4, BLUE), line(58, 42, 72, 42, 3.5, BLUE),
    ],
    "pundo.png": turn_arrow(False),
    "predo.png": turn_arrow(True),
}

if __name__ == "__main__":
    import sys
    # Named icons only, or all of them.
    for name, shapes in icons.items():
        if len(sys.argv) < 2 or name in sys.argv[1:]:
            write_png(name, render(shapes))
