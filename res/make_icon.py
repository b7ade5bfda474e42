#!/usr/bin/env python3
"""Draw the Talmoran icon (a hard drive with a padlock in front) and write talmoran.ico.

Standard library only, so anyone can rebuild the icon without extra packages.
The output is byte-for-byte deterministic: pure arithmetic, no clock, no randomness.

Usage: python3 make_icon.py [output.ico]   (default: talmoran.ico next to this script)

The file holds a single 256 x 256 image, so the system shrinks it for the 16 and 32
pixel icons. GDI's default stretch mode (BLACKONWHITE, used by Wine's LoadImage)
ANDs together all the pixels that fall into one small pixel; smoothing scalers
average them instead. The drawing suits both:
  * every edge that matters lies on the 16 pixel grid (one pixel at 16 x 16), with
    the outline inside the cell next to the fill, so each small pixel is either one
    whole colour or contains ink (and turns dark);
  * colours are flat, and colours that touch without an outline are picked so that
    one is a bitwise subset of the other: the AND then gives one of the two instead
    of an unrelated colour.
"""

import math
import os
import struct
import sys

SIZE = 256
G = 16  # one pixel of the 16 x 16 icon
# 4 x 4 samples per pixel smooth the edges at full size; the outer edge stays
# hard because the AND mask is 1 bit per pixel.
SUB = 4
INK_W = 12  # outline width: thick at full size, and it stays inside one grid cell

INK = (16, 18, 24)
STEEL = (0x48, 0x50, 0x60)  # drive body
PANEL = (0xD8, 0xDC, 0xE8)  # bitwise superset of STEEL and LED
LED = (0x40, 0xD8, 0x40)
SHACKLE = (0xE8, 0xF0, 0xF0)  # light against the dark drive; bitwise superset of STEEL
GOLD = (0xF8, 0xC8, 0x30)
GOLD_HI = (0xF8, 0xE8, 0x70)  # bitwise superset of GOLD


def cells(c0, r0, c1, r1):
    """Pixel rectangle covering grid columns c0..c1 and rows r0..r1 (inclusive)."""
    return (c0 * G, r0 * G, (c1 + 1) * G, (r1 + 1) * G)


def grow(rect, d):
    x0, y0, x1, y1 = rect
    return (x0 - d, y0 - d, x1 + d, y1 + d)


def sd_round_rect(x, y, rect, r):
    """Signed distance to a rounded rectangle (negative inside)."""
    x0, y0, x1, y1 = rect
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    inside = min(max(qx, qy), 0.0)
    return outside + inside - r


def sd_circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


# --- Layout on the 16 x 16 grid (columns, rows) ---------------------------
# Drive: a wide slab, fill in rows 4..9; its outline sits in rows 3 and 10.
DRIVE = cells(1, 4, 14, 9)
# Front panel in rows 7..8, square cornered (a rounded corner would turn its
# whole small pixel into steel), ending under the shackle's outline so the light
# shackle never sits on the light panel, where the two would merge when small.
PANEL_R = (2 * G, 7 * G, 8 * G + 8, 9 * G)
# LED centred on a grid point, so it becomes a whole 2 x 2 block at 16 px.
LED_C = (4 * G, 8 * G, 12.0)

# Padlock body, fill in columns 7..14 and rows 10..14, over the drive's lower right.
BODY = cells(7, 10, 14, 14)
BODY_HI = (BODY[0], BODY[1], BODY[2], BODY[1] + G)
# Shackle: legs in columns 9 and 12, top bar in row 2 (outline in row 1), so it
# rises above the drive and its hole shows the dark drive. It reaches down behind
# the body, which hides its lower end.
SHACKLE_OUT = cells(9, 2, 12, 12)
SHACKLE_IN = (10 * G, 3 * G + 4, 12 * G, 13 * G)
# Keyhole: a round head on a grid point and a short slot, dark at every size.
KEY_HEAD = (11 * G, 12 * G, 12.0)
KEY_SLOT = (11 * G - 5, 12 * G, 11 * G + 5, 14 * G - 2)


def sample(x, y):
    """Colour at a point, or None where the icon is transparent.

    Painter's order from front to back: padlock body, shackle, drive.
    """
    # Padlock body.
    if sd_round_rect(x, y, grow(BODY, INK_W), 26) <= 0:
        if sd_round_rect(x, y, BODY, 14) > 0:
            return INK
        if sd_circle(x, y, *KEY_HEAD) <= 0 or sd_round_rect(x, y, KEY_SLOT, 4) <= 0:
            return INK
        if y < BODY_HI[3]:
            return GOLD_HI
        return GOLD

    # Shackle: a thick U, outlined outside only; its hole shows the drive.
    # Corner radii stay within one grid cell so the straight parts keep whole pixels.
    if sd_round_rect(x, y, grow(SHACKLE_OUT, INK_W), 16 + INK_W) <= 0:
        if sd_round_rect(x, y, SHACKLE_IN, 4) > 0:
            if sd_round_rect(x, y, SHACKLE_OUT, 16) > 0:
                return INK
            return SHACKLE

    # Drive.
    if sd_round_rect(x, y, grow(DRIVE, INK_W), 28) <= 0:
        if sd_round_rect(x, y, DRIVE, 16) > 0:
            return INK
        if sd_circle(x, y, *LED_C) <= 0:
            return LED
        if PANEL_R[0] <= x < PANEL_R[2] and PANEL_R[1] <= y < PANEL_R[3]:
            return PANEL
        return STEEL
    return None


def render():
    """Return (rows of RGB tuples, rows of opaque flags), top row first."""
    pixels, opaque = [], []
    n = SUB * SUB
    for py in range(SIZE):
        prow, orow = [], []
        for px in range(SIZE):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(SUB):
                for sx in range(SUB):
                    c = sample(px + (sx + 0.5) / SUB, py + (sy + 0.5) / SUB)
                    if c is not None:
                        hits += 1
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
            if hits * 2 >= n:
                # Average only the covered samples: blending with the transparent
                # black would leave a dark fringe on light desktops.
                prow.append(tuple((v + hits // 2) // hits for v in acc))
                orow.append(True)
            else:
                prow.append((0, 0, 0))
                orow.append(False)
        pixels.append(prow)
        opaque.append(orow)
    return pixels, opaque


def encode_ico(pixels, opaque):
    xor_row = SIZE * 3  # 768, already a multiple of 4
    and_row = ((SIZE + 31) // 32) * 4  # 32
    xor = bytearray()
    mask = bytearray()
    for y in range(SIZE - 1, -1, -1):  # DIB rows are stored bottom-up
        for r, g, b in pixels[y]:
            xor += bytes((b, g, r))
        xor += bytes(xor_row - SIZE * 3)
        bits = bytearray(and_row)
        for x in range(SIZE):
            if not opaque[y][x]:
                bits[x >> 3] |= 0x80 >> (x & 7)
        mask += bits
    image_size = len(xor) + len(mask)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 24, 0, image_size, 0, 0, 0, 0)
    dib = header + xor + mask
    icondir = struct.pack("<HHH", 0, 1, 1)
    # Width and height bytes of 0 mean 256.
    entry = struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 24, len(dib), 6 + 16)
    return icondir + entry + dib


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "talmoran.ico")
    data = encode_ico(*render())
    with open(out, "wb") as f:
        f.write(data)
    print(f"wrote {out} ({len(data)} bytes)")


if __name__ == "__main__":
    main()
