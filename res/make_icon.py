#!/usr/bin/env python3
"""Draw the Talmoran icon (a hard drive with a padlock in front) and write talmoran.ico.

Standard library only, so anyone can rebuild the icon without extra packages.
The output is byte-for-byte deterministic: pure arithmetic, no clock, no randomness.

Usage: python3 make_icon.py [output.ico]   (default: talmoran.ico next to this script)
"""

import math
import os
import struct
import sys

SIZE = 256
# 4 x 4 samples per pixel smooth the edges between shapes; the outer edge stays
# hard because the AND mask is 1 bit per pixel.
SUB = 4

INK = (24, 26, 30)  # one dark outline colour for every shape keeps small sizes crisp


def sd_round_rect(x, y, x0, y0, x1, y1, r):
    """Signed distance to a rounded rectangle (negative inside)."""
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    inside = min(max(qx, qy), 0.0)
    return outside + inside - r


def sd_circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


def mix(a, b, t):
    t = min(max(t, 0.0), 1.0)
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# --- Geometry -------------------------------------------------------------
# Thick outlines (12 px at 256) survive the shrink to 16 px as a visible edge.
OUT = 12

# Drive: a wide slab across the middle, leaving the lower right to the padlock.
DRV = (6, 56, 250, 188, 28)
# Light front panel along the lower half of the drive.
PNL = (24, 128, 232, 172, 12)
# Activity LED on the left of the panel, well clear of the padlock.
LED = (58, 150, 16)

# Padlock body, lower right, overlapping the drive.
LCK = (106, 140, 250, 250, 22)
# Shackle: a U of centre-line radius SR around (SCX, SCY), grey half width SHW.
# It rises above the drive so the padlock keeps its own outline at 16 px; the
# legs stop inside the body instead of poking out below it.
SCX, SCY, SR, SHW, SLEG = 178.0, 80.0, 31.0, 13.0, 160.0
SOUT = 11.0
# Keyhole: a round head plus a tapering slot.
KEY_C = (178.0, 184.0, 16.0)
KEY_SLOT = (178.0, 188.0, 230.0, 6.0, 11.0)  # cx, top y, bottom y, half width top, bottom


def sd_shackle(x, y):
    """Distance to the centre line of the shackle minus its half width."""
    if y <= SCY:
        d = abs(math.hypot(x - SCX, y - SCY) - SR)
    elif y <= SLEG:
        d = min(abs(x - (SCX - SR)), abs(x - (SCX + SR)))
    else:
        return 1e9
    return d - SHW


def sd_keyhole(x, y):
    d = sd_circle(x, y, *KEY_C)
    cx, y0, y1, w0, w1 = KEY_SLOT
    if y0 <= y <= y1:
        w = w0 + (w1 - w0) * (y - y0) / (y1 - y0)
        d = min(d, abs(x - cx) - w)
    return d


def sample(x, y):
    """Colour at a point, or None where the icon is transparent.

    Painter's order from front to back: padlock body, shackle, drive.
    """
    # Padlock body (gold, lighter at the top for a little volume).
    d = sd_round_rect(x, y, *LCK)
    if d <= 0:
        if d > -OUT:
            return INK
        if sd_keyhole(x, y) <= 0:
            return INK
        return mix((255, 214, 64), (222, 150, 10), (y - LCK[1]) / (LCK[3] - LCK[1]))

    # Shackle (light grey steel so it stands out against the dark drive).
    d = sd_shackle(x, y)
    if d <= SOUT:
        if d > 0:
            return INK
        return mix((238, 240, 244), (170, 176, 186), (x - (SCX - SR - SHW)) / (2 * (SR + SHW)))

    # Drive body.
    d = sd_round_rect(x, y, *DRV)
    if d <= 0:
        if d > -OUT:
            return INK
        dl = sd_circle(x, y, *LED)
        if dl <= 0:
            if dl > -5:
                return INK
            return (40, 230, 70)
        dp = sd_round_rect(x, y, *PNL)
        if dp <= 0:
            if dp > -6:
                return INK
            return (214, 220, 228)
        # Steel, lighter near the top edge as if lit from above.
        return mix((128, 140, 156), (70, 80, 94), (y - DRV[1]) / (DRV[3] - DRV[1]))
    return None


def render():
    """Return (rows of RGB tuples, rows of opaque flags), top row first."""
    pixels, opaque = [], []
    n = SUB * SUB
    for py in range(SIZE):
        prow, orow = [], []
        for px in range(SIZE):
            acc = [0.0, 0.0, 0.0]
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
                prow.append(tuple(int(round(v / hits)) for v in acc))
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
