#!/usr/bin/python3
"""Draws Tempora's program icon: a station clock with a frozen red hand and radio waves.

    icons/tempora.svg          the scalable icon (256 x 256 user units)
    icons/tempora-<N>.png      the same drawing as PNG, N = 16, 22, 24, 32, 48, 64, 128, 256

Both come from one list of shapes below, so the SVG and the PNGs always agree. Run from anywhere
with Debian's Python and Pillow (package python3-pil):

    /usr/bin/python3 resources/draw-icon.py

It rewrites the files in resources/icons; the output is the same on every run.
"""

import math
import os

from PIL import Image, ImageDraw

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "icons")
SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
CANVAS = 256
SUPERSAMPLE = 4  # draw large, then shrink: smooth edges without an anti-aliasing library

DARK_GREY = (64, 64, 64)
CYAN = (0, 255, 255)
CREAM = (255, 250, 232)
NAVY = (0, 0, 128)
RED = (220, 0, 0)
YELLOW = (255, 255, 0)


def point(cx, cy, radius, degrees):
    """A point on a circle; 0 degrees is twelve o'clock, clockwise."""
    angle = math.radians(degrees)
    return (cx + radius * math.sin(angle), cy - radius * math.cos(angle))


def shapes():
    """The drawing, back to front, in canvas units."""
    cx, cy = 120, 136
    items = [
        ("rounded", (8, 8, 248, 248), 44, DARK_GREY),
        ("circle", (cx, cy), 100, CYAN),
        ("circle", (cx, cy), 86, CREAM),
    ]
    for hour in range(12):
        inner = 64 if hour % 3 == 0 else 72
        items.append(("line", point(cx, cy, inner, hour * 30), point(cx, cy, 80, hour * 30), 10, NAVY))
    items += [
        ("line", (cx, cy), point(cx, cy, 46, 300), 16, NAVY),  # hour hand at ten
        ("line", (cx, cy), point(cx, cy, 68, 60), 12, NAVY),  # minute hand at ten past
        ("line", (cx, cy), point(cx, cy, 74, 150), 8, RED),  # the frozen second hand
        ("circle", (cx, cy), 12, RED),
    ]
    for radius in (22, 38):
        items.append(("arc", (204, 52), radius, -80, -10, 9, YELLOW))
    items.append(("circle", (204, 52), 9, YELLOW))
    return items


def svg():
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">'
    ]

    def colour(rgb):
        return "#%02x%02x%02x" % rgb

    for item in shapes():
        kind = item[0]
        if kind == "rounded":
            (x0, y0, x1, y1), radius, fill = item[1], item[2], item[3]
            parts.append(f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" '
                         f'rx="{radius}" fill="{colour(fill)}"/>')
        elif kind == "circle":
            (x, y), radius, fill = item[1], item[2], item[3]
            parts.append(f'<circle cx="{x}" cy="{y}" r="{radius}" fill="{colour(fill)}"/>')
        elif kind == "line":
            (x0, y0), (x1, y1), width, stroke = item[1], item[2], item[3], item[4]
            parts.append(f'<line x1="{x0:.2f}" y1="{y0:.2f}" x2="{x1:.2f}" y2="{y1:.2f}" '
                         f'stroke="{colour(stroke)}" stroke-width="{width}" stroke-linecap="round"/>')
        elif kind == "arc":
            (x, y), radius, start, end, width, stroke = item[1:]
            # Degrees counted clockwise from three o'clock, as Pillow counts them.
            x0, y0 = x + radius * math.cos(math.radians(start)), y + radius * math.sin(math.radians(start))
            x1, y1 = x + radius * math.cos(math.radians(end)), y + radius * math.sin(math.radians(end))
            parts.append(f'<path d="M {x0:.2f} {y0:.2f} A {radius} {radius} 0 0 1 {x1:.2f} {y1:.2f}" '
                         f'fill="none" stroke="{colour(stroke)}" stroke-width="{width}" '
                         f'stroke-linecap="round"/>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def raster():
    s = SUPERSAMPLE
    image = Image.new("RGBA", (CANVAS * s, CANVAS * s), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)

    def dot(x, y, radius, fill):
        draw.ellipse([(x - radius) * s, (y - radius) * s, (x + radius) * s, (y + radius) * s], fill=fill)

    for item in shapes():
        kind = item[0]
        if kind == "rounded":
            box, radius, fill = item[1], item[2], item[3]
            draw.rounded_rectangle([c * s for c in box], radius=radius * s, fill=fill)
        elif kind == "circle":
            (x, y), radius, fill = item[1], item[2], item[3]
            dot(x, y, radius, fill)
        elif kind == "line":
            (x0, y0), (x1, y1), width, stroke = item[1], item[2], item[3], item[4]
            draw.line([(x0 * s, y0 * s), (x1 * s, y1 * s)], fill=stroke, width=width * s)
            dot(x0, y0, width / 2, stroke)  # round caps, as the SVG draws them
            dot(x1, y1, width / 2, stroke)
        elif kind == "arc":
            (x, y), radius, start, end, width, stroke = item[1:]
            outer = radius + width / 2  # Pillow strokes an arc inwards from its box
            box = [(x - outer) * s, (y - outer) * s, (x + outer) * s, (y + outer) * s]
            draw.arc(box, start=start, end=end, fill=stroke, width=width * s)
            for degrees in (start, end):
                dot(x + radius * math.cos(math.radians(degrees)),
                    y + radius * math.sin(math.radians(degrees)), width / 2, stroke)
    return image


def main():
    os.makedirs(HERE, exist_ok=True)
    with open(os.path.join(HERE, "tempora.svg"), "w", encoding="utf-8") as file:
        file.write(svg())
    large = raster()
    for size in SIZES:
        large.resize((size, size), Image.LANCZOS).save(os.path.join(HERE, f"tempora-{size}.png"), optimize=True)


if __name__ == "__main__":
    main()
