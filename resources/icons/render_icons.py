#!/usr/bin/env python3
"""Draws the program's icon, a glider on the dead-cell colour, as gameoflife.svg and as
PNGs of 16 to 256 pixels. The SVG and the PNGs come from the same shapes, so they agree.

Run it from any folder; it writes beside itself. Needs only Python 3."""

import os
import struct
import zlib

VIEW = 64  # the drawing's own units; every PNG size is a multiple of a quarter of it
CELL = 16
GAP = 2  # between neighbouring live cells, so the glider reads as cells
MARGIN = 8
BORDER = 2
OUTER_RADIUS = 8
DEAD = (200, 200, 255)
EDGE = (90, 90, 160)
LIVE = (0, 0, 0)
GLIDER = [(1, 0), (2, 1), (0, 2), (1, 2), (2, 2)]  # (column, row), as ".O." "..O" "OOO"
SIZES = [16, 32, 48, 64, 128, 256]
SAMPLES = 8  # per pixel and direction


def in_rounded_rect(x, y, left, top, size, radius):
    right, bottom = left + size, top + size
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def in_cell(x, y):
    for column, row in GLIDER:
        left, top = MARGIN + column * CELL + GAP / 2, MARGIN + row * CELL + GAP / 2
        if left <= x < left + CELL - GAP and top <= y < top + CELL - GAP:
            return True
    return False


def colour_at(x, y):
    """The colour of the drawing at (x, y) in view units, or None outside it."""
    if not in_rounded_rect(x, y, 0, 0, VIEW, OUTER_RADIUS):
        return None
    inner = VIEW - 2 * BORDER
    if not in_rounded_rect(x, y, BORDER, BORDER, inner, OUTER_RADIUS - BORDER):
        return EDGE
    return LIVE if in_cell(x, y) else DEAD


def render(size):
    scale = VIEW / size
    rows = []
    for py in range(size):
        row = bytearray([0])  # PNG filter type: none
        for px in range(size):
            red = green = blue = covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = colour_at((px + (sx + 0.5) / SAMPLES) * scale,
                                       (py + (sy + 0.5) / SAMPLES) * scale)
                    if colour:
                        red += colour[0]
                        green += colour[1]
                        blue += colour[2]
                        covered += 1
            if covered:
                row += bytes([round(red / covered), round(green / covered),
                              round(blue / covered), round(255 * covered / SAMPLES ** 2)])
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def write_png(path, size, rows):
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(png_chunk(b"IHDR", header))
        out.write(png_chunk(b"IDAT", zlib.compress(b"".join(rows), 9)))
        out.write(png_chunk(b"IEND", b""))


def hex_colour(colour):
    return "#%02x%02x%02x" % colour


def write_svg(path):
    half = BORDER / 2
    cells = "\n".join(
        f'  <rect x="{MARGIN + c * CELL + GAP / 2:g}" y="{MARGIN + r * CELL + GAP / 2:g}" '
        f'width="{CELL - GAP}" height="{CELL - GAP}" fill="{hex_colour(LIVE)}"/>'
        for c, r in GLIDER)
    with open(path, "w", encoding="ascii") as out:
        out.write(
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{VIEW}" height="{VIEW}" '
            f'viewBox="0 0 {VIEW} {VIEW}">\n'
            f'  <rect x="{half:g}" y="{half:g}" width="{VIEW - BORDER}" height="{VIEW - BORDER}" '
            f'rx="{OUTER_RADIUS - half:g}" fill="{hex_colour(DEAD)}" stroke="{hex_colour(EDGE)}" '
            f'stroke-width="{BORDER}"/>\n{cells}\n</svg>\n')


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_svg(os.path.join(here, "gameoflife.svg"))
    for size in SIZES:
        write_png(os.path.join(here, f"gameoflife-{size}.png"), size, render(size))


if __name__ == "__main__":
    main()
