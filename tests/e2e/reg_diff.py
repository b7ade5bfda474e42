"""Compares registry exports taken before and after a session of talmoran.exe.

Usage: reg_diff.py BEFORE_HKCU AFTER_HKCU BEFORE_HKLM AFTER_HKLM EXIT_CODE
Passes when the only differences are NoDrives and NoViewOnDrive under the
Explorer policy key, with the data the session's commands wrote."""

import sys

POLICY_KEY = "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]"
EXPECTED = {
    (POLICY_KEY, '"NoDrives"'): "dword:0000000c",  # Hide with C and D
    (POLICY_KEY, '"NoViewOnDrive"'): "dword:00000004",  # Lock with C
}


def values(path):
    """Maps (key, value name) to data; continuation lines are joined."""
    text = open(path, encoding="utf-16").read().replace("\\\r\n", "").replace("\\\n", "")
    result, key = {}, None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("["):
            key = line
            result[(key, None)] = ""
        elif "=" in line and key is not None:
            name, data = line.split("=", 1)
            result[(key, name)] = data
    return result


def differences(before, after):
    return {k: (before.get(k), after.get(k)) for k in before.keys() | after.keys() if before.get(k) != after.get(k)}


def main():
    before_cu, after_cu, before_lm, after_lm, exit_code = sys.argv[1:6]
    changed = differences(values(before_cu), values(after_cu))
    changed.update(differences(values(before_lm), values(after_lm)))
    failures = []
    for key, (old, new) in sorted(changed.items(), key=str):
        print(f"changed: {key[0]} {key[1]}: {old} -> {new}")
        if key not in EXPECTED or new != EXPECTED[key]:
            failures.append(key)
    for key, data in EXPECTED.items():
        if changed.get(key, (None, None))[1] != data:
            print(f"missing: {key[1]} = {data}")
            failures.append(key)
    after = values(after_cu)
    for name, data in (('"NoRun"', "dword:00000001"), ('"NoDesktop"', "dword:00000000")):
        if after.get((POLICY_KEY, name)) != data:
            print(f"lost: {name} should still be {data}")
            failures.append(name)
    if exit_code != "0":
        print(f"exit code {exit_code}, expected 0")
        failures.append("exit code")
    print("1 passed, 0 failed" if not failures else "0 passed, 1 failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
