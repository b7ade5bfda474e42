"""Checks the version record and the icon that talmoran.exe carries.

Usage: check_resources.py talmoran.exe res/talmoran.ico"""

import re
import struct
import sys

exe, icon = (open(path, "rb").read() for path in sys.argv[1:3])
failures = []
for key, value in [("FileVersion", "1.02.0003"), ("ProductVersion", "1.02.0003"), ("ProductName", "Talmoran"),
                   ("FileDescription", "Talmoran"), ("Comments", "Drive(s) Lock or Hide for Protection")]:
    # A String of the record in UTF-16: its key, NUL, padding to 4 bytes, its value, NUL.
    if not re.search(re.escape((key + "\0").encode("utf-16-le")) + b"(\0\0)?" +
                     re.escape((value + "\0").encode("utf-16-le")), exe):
        failures.append(f"no {key} {value!r}")
# VS_FIXEDFILEINFO: signature, structure version 1.0, then file and product version 1.2.0.3.
if struct.pack("<6I", 0xFEEF04BD, 0x10000, 0x10002, 3, 0x10002, 3) not in exe:
    failures.append("fixed file and product version are not 1.2.0.3")

# One image, 256 x 256 (stored as 0) at 24 bits, its DIB twice as high for the 1-bit mask.
reserved, kind, count, width, height, colours, _, _, bits, size, offset = struct.unpack_from("<3H4B2H2I", icon)
header, dib_width, dib_height, _, dib_bits = struct.unpack_from("<IiiHH", icon, offset)
if ((reserved, kind, count, width, height, colours, bits, dib_width, dib_height, dib_bits) !=
        (0, 1, 1, 0, 0, 0, 24, 256, 512, 24) or size != header + 256 * 256 * 3 + 256 * 256 // 8):
    failures.append("the icon is not one 256 x 256 24-bit image with a 1-bit mask")
if icon[offset:offset + size] not in exe:
    failures.append("the exe does not carry the icon")

for failure in failures:
    print("FAIL:", failure)
print("0 passed, 1 failed" if failures else "1 passed, 0 failed")
sys.exit(1 if failures else 0)
