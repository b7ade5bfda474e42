#!/usr/bin/python3
# Checks the version record and the icon that talmoran.exe carries, read as
# structures.   Usage: check_resources.py talmoran.exe res/talmoran.ico
import struct
import sys

import pefile

pe = pefile.PE(sys.argv[1])
icon = open(sys.argv[2], "rb").read()
fixed = pe.VS_FIXEDFILEINFO[0]
tables = {table.LangID: table.entries for info in pe.FileInfo[0] for table in getattr(info, "StringTable", [])}
strings = {b"FileVersion": b"1.02.0003", b"ProductVersion": b"1.02.0003", b"ProductName": b"Talmoran",
           b"FileDescription": b"Talmoran", b"Comments": b"Drive(s) Lock or Hide for Protection"}
# The icon file: one image, 256 x 256 (stored as 0) at 24 bits, its DIB twice as high for the 1-bit mask.
reserved, kind, count, width, height, colours, _, _, bits, size, offset = struct.unpack_from("<3H4B2H2I", icon)
header, dib_width, dib_height, _, dib_bits = struct.unpack_from("<IiiHH", icon, offset)
images = [pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
          for type_ in pe.DIRECTORY_ENTRY_RESOURCE.entries if type_.id == pefile.RESOURCE_TYPE["RT_ICON"]
          for name in type_.directory.entries for language in name.directory.entries]
failures = [failure for failure, holds in [
    ("the fixed file and product version are not application 1.2.0.3's",  # VFT_APP, no debug or pre-release flag
     (fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS, fixed.ProductVersionLS, fixed.FileFlags,
      fixed.FileType) == (0x10002, 3, 0x10002, 3, 0, 1)),
    (f"string tables {list(tables)}, not one in en-US, Unicode, holding {strings}",
     list(tables) == [b"040904B0"] and strings.items() <= tables[b"040904B0"].items()),
    ("the icon is not one 256 x 256 24-bit image with a 1-bit mask",
     (reserved, kind, count, width, height, colours, bits, dib_width, dib_height, dib_bits) ==
     (0, 1, 1, 0, 0, 0, 24, 256, 512, 24) and size == header + 256 * 256 * 3 + 256 * 256 // 8),
    (f"the exe carries {len(images)} icon images, not the icon's one", images == [icon[offset:offset + size]]),
] if not holds]
print(*(f"FAIL: {f}" for f in failures), "0 passed, 1 failed" if failures else "1 passed, 0 failed", sep="\n")
sys.exit(1 if failures else 0)
