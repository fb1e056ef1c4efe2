#!/usr/bin/env python3
"""Draws the program icon (icon.png) and the pointing-hand cursor
(cursor_hand.png). Run it from anywhere; it writes beside itself. Standard
library only; shapes are distance functions, sampled 4 x 4 per pixel."""

import math
import os
import struct
import zlib

SAMPLES = 4


def write_png(path, width, height, pixels):
    """pixels: rows of (r, g, b, a) tuples."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        out.write(chunk(b"IEND", b""))


def rounded_box(px, py, left, top, right, bottom, radius):
    cx, cy = (left + right) / 2, (top + bottom) / 2
    qx = abs(px - cx) - ((right - left) / 2 - radius)
    qy = abs(py - cy) - ((bottom - top) / 2 - radius)
    outside = math.hypot(max(qx, 0), max(qy, 0))
    return outside + min(max(qx, qy), 0) - radius


def capsule(px, py, ax, ay, bx, by, radius):
    dx, dy = bx - ax, by - ay
    h = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - h * dx, py - ay - h * dy) - radius


def circle(px, py, cx, cy, radius):
    return math.hypot(px - cx, py - cy) - radius


def render(width, height, layers):
    """layers: (colour, shape) pairs painted in order; shape(x, y) < 0 is inside."""
    pixels = []
    for y in range(height):
        row = []
        for x in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    fx = x + (sx + 0.5) / SAMPLES
                    fy = y + (sy + 0.5) / SAMPLES
                    sample = [0.0, 0.0, 0.0, 0.0]
                    for colour, shape in layers:
                        if shape(fx, fy) < 0:
                            sample = [colour[0], colour[1], colour[2], 1.0]
                    for i in range(3):
                        acc[i] += sample[i] * sample[3]
                    acc[3] += sample[3]
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(acc[i] / acc[3]) for i in range(3)) +
                           (round(alpha * 255),))
        pixels.append(row)
    return pixels


def hex_colour(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def icon():
    """A swipe reader with a card in its slot and a green ready light."""
    card = lambda x, y: rounded_box(x, y, 13, 5, 51, 38, 3)
    stripe = lambda x, y: max(card(x, y), rounded_box(x, y, 0, 10, 64, 16, 0))
    emboss = lambda x, y: rounded_box(x, y, 17, 22, 41, 25, 1)
    body = lambda x, y: rounded_box(x, y, 4, 30, 60, 60, 7)
    top = lambda x, y: max(body(x, y), rounded_box(x, y, 0, 30, 64, 36, 0))
    slot = lambda x, y: rounded_box(x, y, 9, 31, 55, 34, 1.5)
    light = lambda x, y: circle(x, y, 50, 47, 3.5)
    return render(64, 64, [
        (hex_colour("#2f7de1"), card),
        (hex_colour("#1b1f24"), stripe),
        (hex_colour("#d9e6f7"), emboss),
        (hex_colour("#3c4650"), body),
        (hex_colour("#56626e"), top),
        (hex_colour("#15191d"), slot),
        (hex_colour("#3ad16b"), light),
    ])


HOT_SPOT = (10, 1)


def hand_cursor():
    """A white pointing hand with a black outline; the hot spot is the fingertip."""
    parts = [
        lambda x, y: capsule(x, y, 10.5, 4.5, 10.5, 17, 2.6),
        lambda x, y: capsule(x, y, 15.2, 12.5, 15.2, 19, 2.4),
        lambda x, y: capsule(x, y, 19.6, 13.5, 19.6, 20, 2.3),
        lambda x, y: capsule(x, y, 23.6, 15, 23.6, 21, 2.1),
        lambda x, y: rounded_box(x, y, 8, 16, 26, 29, 4.5),
        lambda x, y: capsule(x, y, 5.5, 17.5, 9.5, 23.5, 2.4),
    ]
    hand = lambda x, y: min(part(x, y) for part in parts)
    outline = lambda x, y: hand(x, y) - 1.1
    gaps = [
        lambda x, y: capsule(x, y, 12.9, 13, 12.9, 17.5, 0.55),
        lambda x, y: capsule(x, y, 17.4, 14, 17.4, 18.5, 0.55),
        lambda x, y: capsule(x, y, 21.6, 15.5, 21.6, 19.5, 0.55),
    ]
    between = lambda x, y: min(gap(x, y) for gap in gaps)
    return render(32, 32, [
        ((0, 0, 0), outline),
        ((255, 255, 255), hand),
        ((0, 0, 0), between),
    ])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_png(os.path.join(here, "icon.png"), 64, 64, icon())
    write_png(os.path.join(here, "cursor_hand.png"), 32, 32, hand_cursor())


if __name__ == "__main__":
    main()
