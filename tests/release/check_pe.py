#!/usr/bin/env python3
"""Checks the release image of talmoran.exe: a 64-bit GUI program built with
ASLR (high entropy), DEP and no link time stamp, importing Windows system
DLLs only, so that it runs on a bare Windows with nothing installed beside it.

Usage: check_pe.py FILE.exe
Exit status: 0 when every check holds, 1 when one fails, 2 when FILE is not
a PE image this script can read.
"""

import struct
import sys

IMAGE_FILE_MACHINE_AMD64 = 0x8664
PE32_PLUS_MAGIC = 0x20B
SUBSYSTEM_WINDOWS_GUI = 2
DLL_CHARACTERISTICS = {
    0x0020: "HIGH_ENTROPY_VA",
    0x0040: "DYNAMIC_BASE",
    0x0100: "NX_COMPAT",
}
REQUIRED_DLL_CHARACTERISTICS = 0x0020 | 0x0040 | 0x0100
ALLOWED_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "comctl32.dll", "msvcrt.dll",
    "shell32.dll", "ole32.dll", "uxtheme.dll", "ntdll.dll", "comdlg32.dll",
}
IMPORT_DIRECTORY = 1
DELAY_IMPORT_DIRECTORY = 13


class BadImage(Exception):
    pass


class Image:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise BadImage("no MZ header")
        (pe_offset,) = self.unpack("<I", 0x3C)
        if data[pe_offset:pe_offset + 4] != b"PE\0\0":
            raise BadImage("no PE signature")
        file_header = pe_offset + 4
        (self.machine, section_count, self.time_date_stamp, _, _, optional_size, _) = \
            self.unpack("<HHIIIHH", file_header)
        optional = file_header + 20
        (self.magic,) = self.unpack("<H", optional)
        if self.magic != PE32_PLUS_MAGIC:
            # The rest of the layout below is PE32+'s; nothing more to read.
            self.sections = []
            return
        (self.image_base,) = self.unpack("<Q", optional + 24)
        (self.subsystem, self.dll_characteristics) = self.unpack("<HH", optional + 68)
        (directory_count,) = self.unpack("<I", optional + 108)
        self.directories = [self.unpack("<II", optional + 112 + 8 * i) for i in range(directory_count)]
        self.sections = []
        first_section = optional + optional_size
        for i in range(section_count):
            virtual_size, virtual_address, raw_size, raw_offset = self.unpack("<IIII", first_section + 40 * i + 8)
            self.sections.append((virtual_address, max(virtual_size, raw_size), raw_offset, raw_size))

    def unpack(self, layout, offset):
        size = struct.calcsize(layout)
        if offset < 0 or offset + size > len(self.data):
            raise BadImage(f"truncated: {size} bytes at 0x{offset:x} are past the end of the file")
        return struct.unpack_from(layout, self.data, offset)

    def offset_of(self, rva):
        for virtual_address, size, raw_offset, raw_size in self.sections:
            if virtual_address <= rva < virtual_address + size:
                if rva - virtual_address >= raw_size:
                    raise BadImage(f"RVA 0x{rva:x} has no bytes in the file")
                return raw_offset + rva - virtual_address
        raise BadImage(f"RVA 0x{rva:x} is in no section")

    def string_at(self, rva):
        start = self.offset_of(rva)
        end = self.data.find(b"\0", start)
        if end < 0:
            raise BadImage(f"unterminated name at RVA 0x{rva:x}")
        return self.data[start:end].decode("ascii", errors="replace")

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def imported_dlls(self):
        dlls = []
        rva, size = self.directory(IMPORT_DIRECTORY)
        if rva and size:
            entry = self.offset_of(rva)
            while True:
                fields = self.unpack("<IIIII", entry)
                if fields == (0, 0, 0, 0, 0):
                    break
                dlls.append((self.string_at(fields[3]), False))
                entry += 20
        # Delay-loaded DLLs are needed at run time all the same.
        rva, size = self.directory(DELAY_IMPORT_DIRECTORY)
        if rva and size:
            entry = self.offset_of(rva)
            while True:
                attributes, name = self.unpack("<II", entry)
                if attributes == 0 and name == 0:
                    break
                # Attribute bit 0 clear: an old-style descriptor holding addresses, not RVAs.
                dlls.append((self.string_at(name if attributes & 1 else name - self.image_base), True))
                entry += 32
        return dlls


def check(path):
    with open(path, "rb") as f:
        image = Image(f.read())
    failures = []

    def expect(condition, failure):
        if not condition:
            failures.append(failure)

    machine_ok = image.machine == IMAGE_FILE_MACHINE_AMD64
    print(f"machine:            0x{image.machine:04x} ({'x86-64' if machine_ok else 'not x86-64'})")
    expect(machine_ok, f"machine is 0x{image.machine:04x}, not x86-64 (0x8664)")
    print(f"optional header:    magic 0x{image.magic:03x} ({'PE32+' if image.magic == PE32_PLUS_MAGIC else 'not PE32+'})")
    expect(image.magic == PE32_PLUS_MAGIC, f"optional header magic is 0x{image.magic:x}, not PE32+ (0x20b)")
    print(f"TimeDateStamp:      {image.time_date_stamp}")
    expect(image.time_date_stamp == 0, f"FileHeader.TimeDateStamp is {image.time_date_stamp}, not 0")
    if image.magic != PE32_PLUS_MAGIC:
        return failures

    names = [name for bit, name in sorted(DLL_CHARACTERISTICS.items()) if image.dll_characteristics & bit]
    print(f"DllCharacteristics: 0x{image.dll_characteristics:04x} ({', '.join(names) or 'none of the required'})")
    for bit, name in sorted(DLL_CHARACTERISTICS.items()):
        expect(image.dll_characteristics & bit, f"DllCharacteristics lacks {name} (0x{bit:04x})")
    print(f"subsystem:          {image.subsystem}"
          f" ({'WINDOWS_GUI' if image.subsystem == SUBSYSTEM_WINDOWS_GUI else 'not WINDOWS_GUI'})")
    expect(image.subsystem == SUBSYSTEM_WINDOWS_GUI, f"subsystem is {image.subsystem}, not WINDOWS_GUI (2)")

    imports = image.imported_dlls()
    shown = [name + (" (delay-loaded)" if delayed else "") for name, delayed in imports]
    print(f"imports:            {', '.join(shown) if shown else '(none)'}")
    expect(imports, "the import directory lists no DLL at all")
    for (name, _), label in zip(imports, shown):
        expect(name.lower() in ALLOWED_DLLS, f"imports {label}, which is not a Windows system DLL")
    return failures


def main(argv):
    if len(argv) != 2:
        print(f"usage: {argv[0]} FILE.exe", file=sys.stderr)
        return 2
    print(f"check_pe: {argv[1]}")
    try:
        failures = check(argv[1])
    except (OSError, BadImage) as error:
        print(f"FAIL: cannot read {argv[1]} as a PE image: {error}")
        return 2
    for failure in failures:
        print(f"FAIL: {failure}")
    if failures:
        print(f"check_pe: {len(failures)} check(s) failed")
        return 1
    print("check_pe: all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
