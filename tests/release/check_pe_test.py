#!/usr/bin/env python3
"""Shows that check_pe.py rejects what it is there to reject: it must pass the
exe it is given, and fail each copy of it with one fault written in (a link
time stamp, a missing ASLR or DEP flag, a console subsystem, a 32-bit machine,
a DLL from outside Windows in the import list).

Usage: check_pe_test.py GOOD.exe
"""

import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
import check_pe  # noqa: E402  (found through the line above)

CHECKER = os.path.join(HERE, "check_pe.py")


def run_checker(path):
    result = subprocess.run([sys.executable, CHECKER, path], capture_output=True, text=True, check=False)
    return result.returncode, result.stdout + result.stderr


def header_offsets(data):
    (pe_offset,) = struct.unpack_from("<I", data, 0x3C)
    file_header = pe_offset + 4
    optional = file_header + 20
    return {
        "machine": file_header,
        "time_date_stamp": file_header + 4,
        "subsystem": optional + 68,
        "dll_characteristics": optional + 70,
    }


def first_import_name_offset(data):
    image = check_pe.Image(data)
    rva, _ = image.directory(check_pe.IMPORT_DIRECTORY)
    (name_rva,) = image.unpack("<I", image.offset_of(rva) + 12)
    return image.offset_of(name_rva)


def put(data, layout, offset, value):
    struct.pack_into(layout, data, offset, value)


def rename_first_import(data, new_name):
    start = first_import_name_offset(data)
    old_length = data.index(b"\0", start) - start
    assert len(new_name) <= old_length, "the new name must fit in the old one's place"
    data[start:start + old_length] = new_name.ljust(old_length, b"\0")


def main(argv):
    if len(argv) != 2:
        print(f"usage: {argv[0]} GOOD.exe", file=sys.stderr)
        return 2
    with open(argv[1], "rb") as f:
        good = bytes(f.read())
    offsets = header_offsets(good)
    (characteristics,) = struct.unpack_from("<H", good, offsets["dll_characteristics"])

    # Each case: what it does to the copy, and what the checker's report must then say.
    cases = [
        ("link time stamp", lambda d: put(d, "<I", offsets["time_date_stamp"], 0x5F000000),
         "TimeDateStamp is 1593835520"),
        ("no HIGH_ENTROPY_VA", lambda d: put(d, "<H", offsets["dll_characteristics"], characteristics & ~0x20),
         "lacks HIGH_ENTROPY_VA"),
        ("no DYNAMIC_BASE", lambda d: put(d, "<H", offsets["dll_characteristics"], characteristics & ~0x40),
         "lacks DYNAMIC_BASE"),
        ("no NX_COMPAT", lambda d: put(d, "<H", offsets["dll_characteristics"], characteristics & ~0x100),
         "lacks NX_COMPAT"),
        ("console subsystem", lambda d: put(d, "<H", offsets["subsystem"], 3), "subsystem is 3"),
        ("32-bit machine", lambda d: put(d, "<H", offsets["machine"], 0x14C), "not x86-64"),
        ("non-system DLL", lambda d: rename_first_import(d, b"zlib1.dll"), "imports zlib1.dll"),
    ]

    failed = 0
    with tempfile.TemporaryDirectory() as folder:
        code, report = run_checker(argv[1])
        if code != 0:
            failed += 1
            print(f"FAIL: the unchanged exe is rejected (exit {code}):\n{report}")
        else:
            print("ok: the unchanged exe passes")
        for name, fault, expected in cases:
            bad = bytearray(good)
            fault(bad)
            if bad == bytearray(good):
                failed += 1
                print(f"FAIL: {name}: the fault changed nothing in the copy")
                continue
            path = os.path.join(folder, name.replace(" ", "_") + ".exe")
            with open(path, "wb") as f:
                f.write(bad)
            code, report = run_checker(path)
            if code != 1 or expected not in report:
                failed += 1
                print(f"FAIL: {name}: exit {code}, expected 1 and a report saying '{expected}':\n{report}")
            else:
                print(f"ok: {name} is rejected ({expected})")
    total = len(cases) + 1
    print(f"{total - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
