#!/usr/bin/python3
# Checks the release image of talmoran.exe, read as a structure: a well-formed
# 64-bit GUI program built with ASLR (high entropy), DEP and no link time
# stamp, importing by name from Windows system DLLs only, none delay-loaded, so
# that it runs on a bare Windows with nothing installed beside it, and no
# function that Windows 7 SP1 lacks.   Usage: check_pe.py FILE.exe
import re
import subprocess
import sys
import tempfile

import pefile

SYSTEM = {f"{name}.dll" for name in
          "kernel32 user32 gdi32 advapi32 comctl32 msvcrt shell32 ole32 uxtheme ntdll comdlg32".split()}
# Functions Windows 7 SP1 does not export. No list of its exports can be had
# here, so: every function the cross compiler's headers declare only for a
# target newer than Windows 7 (the build targets 0x0601, so our own code cannot
# call one without a compile error), and by name the later kernel32 functions
# those headers leave ungated, which is where a statically linked runtime
# (libstdc++, winpthreads, the CRT) would reach. SetDefaultDllDirectories and
# its kin exist on Windows 7 only with update KB2533623: looked up, never imported.
UNGATED = """GetSystemTimePreciseAsFileTime SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory CopyFile2
    GetOverlappedResultEx WaitOnAddress WakeByAddressSingle WakeByAddressAll InitializeSynchronizationBarrier
    EnterSynchronizationBarrier DeleteSynchronizationBarrier CreateFileMappingFromApp MapViewOfFileFromApp
    VirtualAllocFromApp QueryUnbiasedInterruptTimePrecise SetThreadDescription GetThreadDescription
    GetCurrentPackageId""".split()


def declared(winnt):  # the functions the cross compiler's headers declare for _WIN32_WINNT=winnt
    headers = "windows.h commctrl.h shellapi.h shlobj.h ole2.h uxtheme.h shellscalingapi.h".split()
    with tempfile.NamedTemporaryFile("r") as aux:
        subprocess.run(["x86_64-w64-mingw32-gcc", "-x", "c", "-fsyntax-only", f"-D_WIN32_WINNT={winnt}",
                        f"-DWINVER={winnt}", "-aux-info", aux.name, "-"],
                       input="".join(f"#include <{h}>\n" for h in headers), text=True, check=True)
        # A line a declaration: /* file:line:kind */ type name (parameters);
        return {m[1] for m in map(re.compile(r"/\*.*?\*/ [^(]*[ *](\w+) \(").match, aux) if m}


pe = pefile.PE(sys.argv[1])
header, optional = pe.FILE_HEADER, pe.OPTIONAL_HEADER
imports = {e.dll.decode().lower(): {i.name and i.name.decode() for i in e.imports}
           for e in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])}
functions = set().union(*imports.values())
later = declared("0x0A00") - declared("0x0601") | set(UNGATED)
print(f"imports {len(functions)} functions from {' '.join(imports)}; {len(later)} are known to be later than Windows 7")
faults = [fault for fault, holds in [
    (f"not well-formed: {pe.get_warnings()}", not pe.get_warnings()),
    ("not x86-64", header.Machine == pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]),
    ("not PE32+", optional.Magic == pefile.OPTIONAL_HEADER_MAGIC_PE_PLUS),
    ("not the GUI subsystem", optional.Subsystem == pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"]),
    ("a link time stamp", header.TimeDateStamp == 0),
    ("not HIGH_ENTROPY_VA, DYNAMIC_BASE and NX_COMPAT", optional.IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA and
     optional.IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE and optional.IMAGE_DLLCHARACTERISTICS_NX_COMPAT),
    # Delay-loaded DLLs would be needed at run time all the same: there must be none.
    ("a delay-loaded DLL", optional.DATA_DIRECTORY[13].Size == 0),
    ("no imports, or imports beside the Windows system DLLs", imports and SYSTEM >= imports.keys()),
    ("a function imported by ordinal", None not in functions),
    ("the headers' later functions could not be listed", "GetDpiForWindow" in later),
    (f"functions later than Windows 7: {sorted(functions & later)}", not functions & later),
] if not holds]
print(*(f"FAIL: {fault}" for fault in faults), "0 passed, 1 failed" if faults else "1 passed, 0 failed", sep="\n")
sys.exit(1 if faults else 0)
