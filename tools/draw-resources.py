#!/usr/bin/env python3
"""Draws Vantrel's own icons and About banner from simple shapes.

Run once when a picture changes; the results in src/resources/res are committed:
  python3 tools/draw-resources.py src/resources/res
"""
import math
import struct
import sys
from pathlib import Path

SAMPLES = 4  # per axis, for anti-aliasing


# Shapes: inside(x, y) on the unit square, (0, 0) top left.
def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_out, r_in, start=0.0, end=360.0):
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if not (r_in <= d <= r_out):
            return False
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return (a - start) % 360 <= (end - start) % 360 or end - start >= 360
    return inside


def polygon(*points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > y) != (yb > y) and x < (xb - xa) * (y - ya) / (yb - ya) + xa:
                hit = not hit
        return hit
    return inside


def stroke(x0, y0, x1, y1, w, aspect=1.0):
    """A line of width w; aspect is the picture's width over its height."""
    x0, x1 = x0 * aspect, x1 * aspect

    def inside(x, y):
        x = x * aspect
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy or 1)))
        return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= w / 2
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def gear(cx, cy, r_out, r_in, teeth, hole):
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if d < hole:
            return False
        a = math.atan2(y - cy, x - cx) * teeth / (2 * math.pi)
        tooth = (a - math.floor(a)) < 0.5
        return d <= (r_out if tooth else r_in)
    return inside


def render(layers, width, height):
    """layers: list of (shape, (r, g, b, a)) painted in order; returns rows of RGBA."""
    pixels = []
    for py in range(height):
        row = []
        for px in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / width
                    y = (py + (sy + 0.5) / SAMPLES) / height
                    r = g = b = a = 0.0
                    for shape, colour in layers:
                        if shape(x, y):
                            ca = colour[3] / 255.0
                            r = colour[0] * ca + r * (1 - ca)
                            g = colour[1] * ca + g * (1 - ca)
                            b = colour[2] * ca + b * (1 - ca)
                            a = ca + a * (1 - ca)
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha > 0:
                row.append((round(acc[0] / n / alpha), round(acc[1] / n / alpha), round(acc[2] / n / alpha),
                            round(alpha * 255)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def icon_image(pixels):
    """A 32-bit icon image block: header, BGRA rows bottom-up, AND mask."""
    h, w = len(pixels), len(pixels[0])
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(pixels) for p in row)
    mask_row = ((w + 31) // 32) * 4
    mask = b''
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, p in enumerate(row):
            if p[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + xor + mask


def ico_file(images):
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for pixels, block in images:
        size = len(pixels)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(block), offset)
        offset += len(block)
    return out + b''.join(block for _, block in images)


WHITE = (255, 255, 255, 255)
OUTLINE = (40, 60, 110, 255)
BLUE = (40, 110, 220, 255)
LIGHT_BLUE = (140, 190, 250, 255)
GREEN = (30, 160, 60, 255)
RED = (210, 45, 40, 255)
YELLOW = (245, 200, 60, 255)
DARK_YELLOW = (200, 150, 30, 255)
GREY = (120, 125, 135, 255)
LIGHT_GREY = (215, 218, 224, 255)
ORANGE = (240, 140, 30, 255)


def plus_badge(cx, cy, s):
    return [(circle(cx, cy, s), GREEN),
            (union(rect(cx - s * 0.6, cy - s * 0.18, cx + s * 0.6, cy + s * 0.18),
                   rect(cx - s * 0.18, cy - s * 0.6, cx + s * 0.18, cy + s * 0.6)), WHITE)]


def document():
    page = polygon((0.18, 0.06), (0.62, 0.06), (0.82, 0.26), (0.82, 0.94), (0.18, 0.94))
    return [(page, OUTLINE),
            (polygon((0.23, 0.11), (0.6, 0.11), (0.77, 0.28), (0.77, 0.89), (0.23, 0.89)), WHITE),
            (polygon((0.6, 0.06), (0.82, 0.28), (0.6, 0.28)), LIGHT_GREY),
            (rect(0.3, 0.42, 0.68, 0.47), LIGHT_BLUE), (rect(0.3, 0.56, 0.68, 0.61), LIGHT_BLUE)]


def folder():
    return [(round_rect(0.06, 0.18, 0.48, 0.4, 0.05), DARK_YELLOW),
            (round_rect(0.06, 0.28, 0.94, 0.86, 0.06), DARK_YELLOW),
            (round_rect(0.09, 0.34, 0.91, 0.83, 0.05), YELLOW)]


def disk():
    return [(round_rect(0.1, 0.1, 0.9, 0.9, 0.08), BLUE),
            (rect(0.26, 0.1, 0.74, 0.38), WHITE), (rect(0.58, 0.15, 0.68, 0.33), BLUE),
            (round_rect(0.22, 0.55, 0.78, 0.9, 0.03), LIGHT_GREY), (rect(0.3, 0.64, 0.7, 0.68), GREY),
            (rect(0.3, 0.74, 0.7, 0.78), GREY)]


def question_mark(cx, cy, s, colour):
    return [(ring(cx, cy - s * 0.25, s * 0.42, s * 0.2, 180, 90), colour),
            (stroke(cx, cy + s * 0.17, cx, cy + s * 0.4, s * 0.22), colour),
            (circle(cx, cy + s * 0.72, s * 0.13), colour)]


ICONS = {
    # The program: a tile of four icons, one of them ticked.
    128: [(round_rect(0.04, 0.04, 0.96, 0.96, 0.16), BLUE),
          (round_rect(0.14, 0.14, 0.46, 0.46, 0.05), WHITE), (round_rect(0.54, 0.14, 0.86, 0.46, 0.05), YELLOW),
          (round_rect(0.14, 0.54, 0.46, 0.86, 0.05), LIGHT_BLUE), (round_rect(0.54, 0.54, 0.86, 0.86, 0.05), WHITE),
          (union(stroke(0.6, 0.7, 0.67, 0.78, 0.07), stroke(0.67, 0.78, 0.8, 0.6, 0.07)), GREEN)],
    134: [(gear(0.5, 0.5, 0.46, 0.34, 8, 0.0), GREY), (circle(0.5, 0.5, 0.27), LIGHT_GREY),
          (circle(0.5, 0.5, 0.13), GREY)],
    135: disk() + [(stroke(0.5, 0.92, 0.92, 0.5, 0.16), ORANGE), (polygon((0.42, 1.0), (0.5, 0.84), (0.58, 0.92)), OUTLINE)],
    137: [(round_rect(0.1, 0.06, 0.62, 0.94, 0.04), GREY), (rect(0.16, 0.12, 0.56, 0.88), LIGHT_GREY),
          (circle(0.47, 0.52, 0.04), GREY), (stroke(0.5, 0.5, 0.86, 0.5, 0.14), RED),
          (polygon((0.76, 0.3), (0.98, 0.5), (0.76, 0.7)), RED)],
    139: [(circle(0.5, 0.5, 0.46), BLUE), (circle(0.5, 0.27, 0.08), WHITE), (round_rect(0.42, 0.4, 0.58, 0.8, 0.03), WHITE)],
    140: document() + plus_badge(0.72, 0.72, 0.24),
    141: [(circle(0.5, 0.5, 0.46), RED),
          (union(stroke(0.32, 0.32, 0.68, 0.68, 0.14), stroke(0.68, 0.32, 0.32, 0.68, 0.14)), WHITE)],
    143: folder() + plus_badge(0.72, 0.7, 0.24),
    145: disk(),
    150: [(circle(0.5, 0.5, 0.46), GREEN),
          (union(stroke(0.28, 0.52, 0.44, 0.68, 0.13), stroke(0.44, 0.68, 0.74, 0.34, 0.13)), WHITE)],
    154: [(circle(0.5, 0.5, 0.46), BLUE)] + question_mark(0.5, 0.38, 0.36, WHITE),
    157: [(rect(0.2, 0.16, 0.8, 0.24), GREY), (rect(0.4, 0.08, 0.6, 0.16), GREY),
          (polygon((0.24, 0.28), (0.76, 0.28), (0.7, 0.94), (0.3, 0.94)), GREY),
          (polygon((0.29, 0.32), (0.71, 0.32), (0.66, 0.9), (0.34, 0.9)), LIGHT_GREY),
          (stroke(0.42, 0.4, 0.43, 0.82, 0.05), GREY), (stroke(0.58, 0.4, 0.57, 0.82, 0.05), GREY)],
}

# Stroke letters on a 4-by-6 grid, for the banner's title.
LETTERS = {
    'V': [(0, 0, 2, 6), (2, 6, 4, 0)],
    'A': [(0, 6, 2, 0), (2, 0, 4, 6), (1, 3.6, 3, 3.6)],
    'N': [(0, 6, 0, 0), (0, 0, 4, 6), (4, 6, 4, 0)],
    'T': [(0, 0, 4, 0), (2, 0, 2, 6)],
    'R': [(0, 6, 0, 0), (0, 0, 3, 0), (3, 0, 4, 1), (4, 1, 4, 2), (4, 2, 3, 3), (3, 3, 0, 3), (2, 3, 4, 6)],
    'E': [(4, 0, 0, 0), (0, 0, 0, 6), (0, 6, 4, 6), (0, 3, 3, 3)],
    'L': [(0, 0, 0, 6), (0, 6, 4, 6)],
    '1': [(1, 1, 2, 0), (2, 0, 2, 6), (1, 6, 3, 6)],
    '.': [(2, 5.6, 2, 6)],
}


def banner(width=222, height=104):
    aspect = width / height
    layers = [(rect(0, 0, 1, 1), (240, 248, 255, 255))]
    for i in range(12):  # soft diagonal bands
        t = i / 12
        layers.append((polygon((t, 0), (t + 0.08, 0), (t - 0.2, 1), (t - 0.28, 1)), (225, 236, 252, 255)))
    layers.append((rect(0, 0.86, 1, 1), BLUE))
    # the program's icon, square on the left
    s = 0.62
    x0, y0 = 0.06, 0.12
    for shape, colour in ICONS[128]:
        layers.append(((lambda sh: lambda x, y: sh((x - x0) * aspect / s, (y - y0) / s))(shape), colour))
    for text, top, unit, weight in (('VANTREL', 0.2, 0.031, 0.05), ('1.1', 0.52, 0.024, 0.04)):
        cursor = 0.4
        for ch in text:
            for (a, b, c, d) in LETTERS[ch]:
                layers.append((stroke(cursor + a * unit / aspect, top + b * unit, cursor + c * unit / aspect,
                                      top + d * unit, weight, aspect), OUTLINE))
            cursor += 5.4 * unit / aspect
    return render(layers, width, height)


def bmp_file(pixels):
    h, w = len(pixels), len(pixels[0])
    row_bytes = (w * 3 + 3) // 4 * 4
    data = b''
    for row in reversed(pixels):
        line = b''.join(bytes((p[2], p[1], p[0])) for p in row)
        data += line + b'\0' * (row_bytes - len(line))
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 54) + header + data


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else 'src/resources/res')
    out.mkdir(parents=True, exist_ok=True)
    only = sys.argv[2:]
    for number, layers in ICONS.items():
        if only:
            continue
        images = []
        # 32 first: the size a plain load takes; the others serve larger DPIs.
        for size in (32, 16, 48, 24, 64):
            pixels = render(layers, size, size)
            images.append((pixels, icon_image(pixels)))
        (out / f'icon{number}.ico').write_bytes(ico_file(images))
    (out / 'banner158.bmp').write_bytes(bmp_file(banner()))
    # Twice the size, for displays of 192 DPI and above (144 draws it smaller).
    (out / 'banner160.bmp').write_bytes(bmp_file(banner(444, 208)))


if __name__ == '__main__':
    main()
