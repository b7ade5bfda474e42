# Checks, from a Wine relay log (WINEDEBUG=+relay), Win32 contracts that
# Windows enforces and Wine lets through: every window of one DeferWindowPos
# batch has the same parent and the batch ends with success (Windows fails a
# mixed batch with error 1441); no CreateWindowExW returns 0; the Explorer
# policy key is opened with KEY_SET_VALUE (2) alone; with --hardened,
# SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) succeeds before the
# first window is created.   Usage: relay_check.py [--hardened] LOG
import re
import sys

LINE = re.compile(r"^(\w+):(Call|Ret)\s+\w+\.(\w+)\((.*)\)(?: retval=(\w+))? ret=\w+$")
POLICY_KEY = r"Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Policies\\\\Explorer"


def calls(path):  # yields (function, arguments, result, raw arguments), nested calls paired per thread
    open_calls = {}
    for line in open(path, errors="replace"):
        m = LINE.match(line.strip())
        if m:
            thread, kind, function, args, retval = m.groups()
            stack = open_calls.setdefault(thread, [])
            if kind == "Call":
                stack.append((function, args))
            elif stack and stack[-1][0] == function:
                function, args = stack.pop()
                values = [int(a, 16) if re.fullmatch(r"\s*[0-9a-f]+\s*", a) else a
                          for a in re.sub(r'L"(?:[^"\\]|\\.)*"', "", args).split(",")]
                yield function, values, int(retval, 16), args


parent_of, batches, faults, seen = {}, {}, [], []
for function, args, result, raw in calls(sys.argv[-1]):
    seen.append(function)
    if function == "CreateWindowExW":
        parent_of[result & 0xFFFFFFFF] = args[8]
        if result == 0:
            faults.append(f"CreateWindowExW returned 0: {raw}")
    elif function == "BeginDeferWindowPos":
        batches[result] = set()
    elif function == "DeferWindowPos":
        batches[result] = batches.pop(args[0], set()) | {parent_of.get(args[1] & 0xFFFFFFFF)}
    elif function == "EndDeferWindowPos" and (len(parents := batches.pop(args[0], set())) != 1 or result == 0):
        faults.append(f"a deferred batch over parents {sorted(map(hex, parents - {None}))} returned {result}")
    # REGSAM is 32 bits: the relay shows the whole register, whose upper half is undefined.
    elif function == "RegCreateKeyExW" and re.search(POLICY_KEY, raw) and args[5] & 0xFFFFFFFF != 2:
        faults.append(f"policy key opened with access {args[5] & 0xFFFFFFFF:#x}, not KEY_SET_VALUE alone")
    elif function == "SetDefaultDllDirectories" and (args[0] != 0x800 or result != 1):
        faults.append(f"SetDefaultDllDirectories({args[0]:#x}) returned {result}")
windows = seen.count("CreateWindowExW")
print(f"{sys.argv[-1]}: {windows} windows created, {seen.count('EndDeferWindowPos')} deferred batches, "
      f"{seen.count('RegCreateKeyExW')} keys opened")
if windows == 0:
    faults.append("no window creation in the log: is RelayInclude set?")
elif "--hardened" in sys.argv and "SetDefaultDllDirectories" not in seen[: seen.index("CreateWindowExW")]:
    faults.append("DLL search not restricted before the first window")
print(*(f"FAIL: {fault}" for fault in faults), "0 passed, 1 failed" if faults else "1 passed, 0 failed", sep="\n")
sys.exit(1 if faults else 0)

