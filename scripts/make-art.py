#!/usr/bin/env python3
"""Draws Tidewell's icons and bitmaps into src/resources/icons and src/resources/bitmaps.

Standard library only; run it again after changing a picture and commit the output.
Shapes are sampled 4 x 4 per pixel for smooth edges.
"""
import math
import os
import struct

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "resources")
NAVY, LIGHT_BLUE, GREY = (0, 0, 90), (19, 238, 255), (215, 215, 215)


def rounded_rect(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1


def circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def wave(x, y, base, amp, period, thick, phase=0.0):
    return abs(y - (base + amp * math.sin(2 * math.pi * x / period + phase))) <= thick / 2


def render(size, layers, background=None):
    """layers: list of (colour, test(u, v)) on the unit square, painted in order."""
    w, h = size
    pixels = []
    for py in range(h):
        row = []
        for px in range(w):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(4):
                for sx in range(4):
                    u, v = (px + (sx + 0.5) / 4) / w, (py + (sy + 0.5) / 4) / h
                    colour = background
                    for c, test in layers:
                        if test(u, v):
                            colour = c
                    if colour is not None:
                        acc[0] += colour[0]; acc[1] += colour[1]; acc[2] += colour[2]; acc[3] += 255
            n = 16.0
            a = acc[3] / n
            if a:
                row.append((round(acc[0] / (acc[3] / 255)), round(acc[1] / (acc[3] / 255)),
                            round(acc[2] / (acc[3] / 255)), round(a)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def ico_image(pixels):
    h, w = len(pixels), len(pixels[0])
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((w + 31) // 32) * 4
    mask = b""
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + xor + mask


def write_ico(name, layers):
    images = [ico_image(render((s, s), layers)) for s in (16, 32)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(os.path.join(ROOT, "icons", name), "wb") as f:
        f.write(out + b"".join(images))


def write_bmp(name, size, layers, background):
    pixels = render(size, layers, background)
    w, h = size
    stride = (w * 3 + 3) & ~3
    data = b""
    for row in reversed(pixels):
        line = b"".join(bytes((b, g, r)) for (r, g, b, _) in row)
        data += line + b"\0" * (stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(os.path.join(ROOT, "bitmaps", name), "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + 40 + len(data), 0, 0, 54) + header + data)


def badge(colour):
    return [(colour, lambda u, v: rounded_rect(u, v, 0.03, 0.03, 0.97, 0.97, 0.2))]


def main():
    white = (255, 255, 255)
    tide = [(NAVY, lambda u, v: rounded_rect(u, v, 0.04, 0.04, 0.96, 0.96, 0.22)),
            (LIGHT_BLUE, lambda u, v: 0.1 < u < 0.9 and wave(u, v, 0.42, 0.08, 0.5, 0.13)),
            ((120, 200, 255), lambda u, v: 0.1 < u < 0.9 and wave(u, v, 0.66, 0.08, 0.5, 0.13, 1.5))]
    write_ico("tidewell.ico", tide)                                            # 128
    write_ico("alert.ico", [((210, 40, 40), lambda u, v: circle(u, v, .5, .5, .47)),
                            (white, lambda u, v: 0.43 < u < 0.57 and 0.18 < v < 0.6),
                            (white, lambda u, v: circle(u, v, .5, .76, .08))])   # 133
    write_ico("running.ico", [((40, 160, 70), lambda u, v: circle(u, v, .5, .5, .47)),
                              (white, lambda u, v: 0.36 < u and abs(v - 0.5) < (0.74 - u) * 0.75)])  # 153
    write_ico("stopped.ico", [((150, 150, 150), lambda u, v: circle(u, v, .5, .5, .47)),
                              (white, lambda u, v: 0.33 < u < 0.67 and 0.33 < v < 0.67)])  # 154
    write_ico("program.ico", [((90, 90, 90), lambda u, v: 0.16 < u < 0.84 and 0.06 < v < 0.94 and u + (0.94 - v) * 0 < 0.84 and not (u > 0.6 and v < 0.3 and (u - 0.6) > v - 0.06)),
                              (white, lambda u, v: 0.21 < u < 0.79 and 0.11 < v < 0.89 and not (u > 0.55 and v < 0.35 and (u - 0.55) > v - 0.11)),
                              ((60, 110, 200), lambda u, v: 0.3 < u < 0.7 and any(abs(v - y) < 0.03 for y in (0.45, 0.57, 0.69)))])  # 155
    write_ico("tray_low.ico", badge((30, 140, 60)))                          # 156: little memory in use
    write_ico("tray_mid.ico", badge((200, 140, 0)))                          # 157
    write_ico("tray_high.ico", badge((190, 30, 30)))                         # 158
    write_ico("busy.ico", [(NAVY, lambda u, v: circle(u, v, .5, .5, .47)),
                           (LIGHT_BLUE, lambda u, v: 0.2 <= math.hypot(u - .5, v - .5) <= 0.36
                            and math.atan2(v - .5, u - .5) < 1.9)])          # 165

    sky = (0, 0, 60)
    write_bmp("splash.bmp", (360, 260), [
        (LIGHT_BLUE, lambda u, v: wave(u, v, 0.62, 0.05, 0.35, 0.03)),
        ((80, 170, 255), lambda u, v: wave(u, v, 0.72, 0.05, 0.35, 0.03, 1.2)),
        ((40, 110, 220), lambda u, v: wave(u, v, 0.82, 0.05, 0.35, 0.03, 2.4)),
        (white, lambda u, v: rounded_rect(u, v, 0.1, 0.18, 0.26, 0.40, 0.03)),
        (NAVY, lambda u, v: 0.13 < u < 0.23 and wave(u, v, 0.29, 0.03, 0.1, 0.03))], sky)  # 138
    logo = [(LIGHT_BLUE, lambda u, v: wave(u, v, 0.45, 0.15, 0.25, 0.12)),
            ((80, 170, 255), lambda u, v: wave(u, v, 0.7, 0.15, 0.25, 0.12, 1.4))]
    for suffix, scale in (("", 2), ("_150", 3), ("_200", 4)):  # 170, 270, 370
        write_bmp("logo" + suffix + ".bmp", (104 * scale, 20 * scale), logo, NAVY)
    glyph = {
        "glyph_memory.bmp": [(NAVY, lambda u, v: 0.15 < u < 0.85 and 0.3 < v < 0.7),
                             (NAVY, lambda u, v: 0.15 < u < 0.85 and (v < 0.3 or v > 0.7) and 0.12 < v < 0.88 and int(u * 10) % 2 == 0)],
        "glyph_load.bmp": [(NAVY, lambda u, v: 0.1 < u < 0.9 and 0.1 < v < 0.9 and not (0.2 < u < 0.8 and 0.2 < v < 0.8)),
                           ((0, 160, 0), lambda u, v: 0.2 < u < 0.8 and wave(u, v, 0.5, 0.15, 0.3, 0.12))],
        "glyph_clock.bmp": [(NAVY, lambda u, v: 0.33 <= math.hypot(u - .5, v - .5) <= 0.45),
                            (NAVY, lambda u, v: (abs(u - .5) < 0.05 and 0.2 < v < 0.55) or (abs(v - .5) < 0.05 and 0.45 < u < 0.75))],
        "glyph_gauges.bmp": [(NAVY, lambda u, v: any(abs(v - y) < 0.08 and 0.1 < u < 0.9 for y in (0.25, 0.5, 0.75))),
                             (LIGHT_BLUE, lambda u, v: any(abs(v - y) < 0.05 and 0.15 < u < x for y, x in ((0.25, 0.8), (0.5, 0.45), (0.75, 0.65))))],
        "glyph_cleaning.bmp": [(NAVY, lambda u, v: abs(u - 0.62 + (v - 0.1) * 0.35) < 0.06 and 0.08 < v < 0.62),
                               (NAVY, lambda u, v: 0.62 <= v < 0.92 and abs(u - 0.45) < 0.2 + (v - 0.62) * 0.5),
                               (LIGHT_BLUE, lambda u, v: 0.7 <= v < 0.9 and abs(u - 0.45) < 0.15 + (v - 0.7) * 0.5 and int(u * 14) % 2 == 0)],
    }
    # 157 gauges, 158 clock, 159 memory, 160 load, 161 cleaning; 100 and 200 more for 150 % and 200 %.
    for name, layers in glyph.items():
        for suffix, size in (("", 20), ("_150", 30), ("_200", 40)):
            write_bmp(name.replace(".bmp", suffix + ".bmp"), (size, size), layers, (255, 255, 255))


if __name__ == "__main__":
    main()
