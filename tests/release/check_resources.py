"""Checks the version record and the icon that talmoran.exe carries.

Usage: check_resources.py talmoran.exe res/talmoran.ico
The version strings are looked for as the UTF-16 text the resource compiler
stores; the icon must be the one 256 x 256, 24-bit image with a 1-bit mask."""

import struct
import sys

VERSION_STRINGS = {
    "FileVersion": "1.02.0003",
    "ProductVersion": "1.02.0003",
    "ProductName": "Talmoran",
    "FileDescription": "Talmoran",
    "Comments": "Drive(s) Lock or Hide for Protection",
}


def version_failures(image):
    failures = []
    for name, value in VERSION_STRINGS.items():
        # A VS_VERSIONINFO String: the key, NUL, padding to 4 bytes, the value.
        key = (name + "\0").encode("utf-16-le")
        at = image.find(key)
        if at < 0:
            failures.append(f"no {name}")
            continue
        start = at + len(key)
        start += (-start) % 4
        end = image.find(b"\0\0", start)
        end += (end - start) % 2
        found = image[start:end].decode("utf-16-le")
        print(f"{name}: {found}")
        if found != value:
            failures.append(f"{name} is {found!r}, expected {value!r}")
    # VS_FIXEDFILEINFO follows its signature: file and product version 1.2.0.3.
    fixed = image.find(struct.pack("<I", 0xFEEF04BD))
    if fixed < 0:
        return failures + ["no fixed file info"]
    ms, ls, pms, pls = struct.unpack_from("<4I", image, fixed + 8)
    numbers = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF, pms >> 16, pms & 0xFFFF, pls >> 16, pls & 0xFFFF)
    print("fixed file and product version:", numbers)
    if numbers != (1, 2, 0, 3, 1, 2, 0, 3):
        failures.append(f"fixed versions {numbers}")
    return failures


def icon_failures(icon, image):
    reserved, kind, count = struct.unpack_from("<3H", icon)
    width, height, colours, _, planes, bits, size, offset = struct.unpack_from("<4B2H2I", icon, 6)
    header_size, dib_width, dib_height, _, dib_bits = struct.unpack_from("<IiiHH", icon, offset)
    print(f"icon: {count} image(s), {width or 256} x {height or 256}, {bits} bits, DIB {dib_width} x {dib_height}")
    failures = []
    if (reserved, kind, count) != (0, 1, 1):
        failures.append("not an icon file with exactly one image")
    if (width, height, colours, bits, dib_bits) != (0, 0, 0, 24, 24) or (dib_width, dib_height) != (256, 512):
        failures.append("the image is not 256 x 256 at 24 bits with a mask")
    colour_bytes, mask_bytes = 256 * 256 * 3, 256 * (256 // 8)
    if size != header_size + colour_bytes + mask_bytes:
        failures.append(f"image size {size} is not a 24-bit image plus a 1-bit mask")
    if icon[offset : offset + size] not in image:
        failures.append("the exe does not carry this icon")
    return failures


def main():
    image = open(sys.argv[1], "rb").read()
    icon = open(sys.argv[2], "rb").read()
    failures = version_failures(image) + icon_failures(icon, image)
    for failure in failures:
        print("FAIL:", failure)
    print("1 passed, 0 failed" if not failures else "0 passed, 1 failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
