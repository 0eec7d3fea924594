#!/usr/bin/python3
"""Draws the two pictures of Tempora's start-up window.

    splash-clock.jpg    75 x 75, colour, progressive JFIF JPEG: a station clock with an antenna
    splash-antenna.gif  45 x 47, GIF89a, one frame, 256-colour global table: an antenna mast

Run from anywhere with Debian's Python and Pillow (package python3-pil):

    /usr/bin/python3 resources/draw-pictures.py

It rewrites both files next to this script; the output is the same on every run.
The program shows the JPEG first; a click on it shows the smaller GIF in its place.
"""

import math
import os

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
SCALE = 4  # draw large, then shrink: smooth edges without an anti-aliasing library

NAVY = (0, 0, 128)
DARK_RED = (176, 0, 0)
STEEL = (90, 96, 110)
CREAM = (255, 250, 232)


def point(cx, cy, radius, degrees):
    """A point on a circle; 0 degrees is twelve o'clock, clockwise."""
    angle = math.radians(degrees)
    return (cx + radius * math.sin(angle), cy - radius * math.cos(angle))


def vertical_gradient(width, height, top, bottom):
    image = Image.new("RGB", (width, height))
    draw = ImageDraw.Draw(image)
    for y in range(height):
        t = y / max(1, height - 1)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        draw.line([(0, y), (width, y)], fill=colour)
    return image


def draw_yagi(draw, x, y, boom, s, colour):
    """A horizontal Yagi seen from the side: a boom with elements of falling length."""
    draw.line([(x, y), (x + boom, y)], fill=colour, width=2 * s)
    lengths = [22, 18, 16, 14, 12]
    for i, half in enumerate(lengths):
        ex = x + 4 * s + i * (boom - 8 * s) / (len(lengths) - 1)
        draw.line([(ex, y - half * s / 2), (ex, y + half * s / 2)], fill=colour, width=2 * s)


def draw_waves(draw, cx, cy, radii, s, colour, start=-50, end=50):
    for r in radii:
        box = [cx - r * s, cy - r * s, cx + r * s, cy + r * s]
        draw.arc(box, start=start - 90, end=end - 90, fill=colour, width=2 * s)


def clock_picture():
    s = SCALE
    size = 75 * s
    image = vertical_gradient(size, size, (150, 205, 255), (225, 240, 255))
    draw = ImageDraw.Draw(image)

    # Antenna on a mast behind the clock, sending towards the upper right.
    mast_x = 55 * s
    draw.line([(mast_x, 15 * s), (mast_x, 75 * s)], fill=STEEL, width=3 * s)
    draw_yagi(draw, 42 * s, 15 * s, 25 * s, s, STEEL)
    draw_waves(draw, 68 * s, 13 * s, [3, 6], s, DARK_RED, start=-20, end=70)

    # Clock face.
    cx, cy, radius = 32 * s, 41 * s, 27 * s
    draw.ellipse([cx - radius, cy - radius, cx + radius, cy + radius],
                 fill=CREAM, outline=NAVY, width=4 * s)
    for hour in range(12):
        outer = point(cx, cy, radius - 6 * s, hour * 30)
        inner = point(cx, cy, radius - (11 if hour % 3 == 0 else 9) * s, hour * 30)
        draw.line([inner, outer], fill=NAVY, width=(3 if hour % 3 == 0 else 2) * s)
    # Ten past ten, the hands of a shop-window clock.
    draw.line([(cx, cy), point(cx, cy, radius * 0.5, 305)], fill=NAVY, width=4 * s)
    draw.line([(cx, cy), point(cx, cy, radius * 0.75, 60)], fill=NAVY, width=3 * s)
    draw.line([(cx, cy), point(cx, cy, radius * 0.8, 180)], fill=DARK_RED, width=1 * s)
    draw.ellipse([cx - 3 * s, cy - 3 * s, cx + 3 * s, cy + 3 * s], fill=DARK_RED)

    return image.resize((75, 75), Image.LANCZOS)


def antenna_picture():
    s = SCALE
    width, height = 45 * s, 47 * s
    image = vertical_gradient(width, height, (255, 244, 200), (255, 214, 150))
    draw = ImageDraw.Draw(image)

    # Lattice mast standing on the ground.
    left_foot, right_foot, top = (12 * s, 46 * s), (28 * s, 46 * s), (20 * s, 14 * s)
    draw.line([left_foot, top], fill=STEEL, width=2 * s)
    draw.line([right_foot, top], fill=STEEL, width=2 * s)
    for i in range(4):
        y_high = 14 * s + i * 8 * s
        y_low = y_high + 8 * s
        half_high = (y_high - 14 * s) / (32 * s) * 8 * s
        half_low = (y_low - 14 * s) / (32 * s) * 8 * s
        draw.line([(20 * s - half_high, y_high), (20 * s + half_low, y_low)], fill=STEEL, width=s)
        draw.line([(20 * s + half_high, y_high), (20 * s - half_low, y_low)], fill=STEEL, width=s)
    draw.rectangle([0, 45 * s, width, height], fill=(110, 160, 70))

    draw_yagi(draw, 6 * s, 12 * s, 28 * s, s, NAVY)
    draw_waves(draw, 36 * s, 12 * s, [4, 7, 10], s, DARK_RED, start=0, end=150)

    small = image.resize((45, 47), Image.LANCZOS)
    # An adaptive palette of exactly 256 entries: unused entries stay black.
    indexed = small.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = indexed.getpalette()[: 256 * 3]
    palette += [0] * (256 * 3 - len(palette))
    indexed.putpalette(palette)
    indexed.info["version"] = b"89a"
    return indexed


def main():
    clock_picture().save(os.path.join(HERE, "splash-clock.jpg"), "JPEG",
                         quality=92, progressive=True, optimize=True, dpi=(96, 96))
    antenna_picture().save(os.path.join(HERE, "splash-antenna.gif"), "GIF", optimize=False)


if __name__ == "__main__":
    main()
