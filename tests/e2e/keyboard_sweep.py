#!/usr/bin/env python3
"""Every key a user might press, in every kind of control, on both pages of
talmoran.exe, typed through X with xdotool. Each case puts the focus on one
control (the note by a real click), presses one key and checks, through
window_probe.exe:
  - all 36 controls still exist; the selected tab's page is shown and enabled,
    the other page neither; only arrows on the tab strip change the page;
  - Tab and Shift+Tab move the focus one step along the tab order;
  - only the command the key was meant to run showed its box and wrote its
    value: Space or Enter on a shown button, or the page's access key.
Usage: keyboard_sweep.py BUILD ROOT"""

import os
import subprocess
import sys
import time

BUILD = sys.argv[1]
PREFIX = os.path.join(BUILD, "wineprefix")
os.environ.update(WINEPREFIX=PREFIX, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree=;mshtml=")
if not os.environ.get("DISPLAY") and os.path.exists(PREFIX + ".display"):
    os.environ["DISPLAY"] = open(PREFIX + ".display").read().split()[0]

A, ALL_DRIVES, TAB_STRIP = 200, 226, 108
CONTROLS = set(range(100, 109)) | set(range(200, 227))
PAGES = {1: dict(parts=(100, 102, 103, 106), tab_at=0.13), 2: dict(parts=(101, 104, 105, 107), tab_at=0.40)}
BOXES = {  # command: the value it writes, its box
    "Lock": ("NoViewOnDrive", "Your seleted Drive(s) will be Lock after restart or re-login your windows."),
    "Unlock": ("NoViewOnDrive", "All Locked Drive(s) will be Unlock after restart or re-login your windows."),
    "Hide": ("NoDrives", "Your seleted Drive(s) will Hide after restart or re-login your windows."),
    "Unhide": ("NoDrives", "All Hidden Drive(s) will Show after restart or re-login your windows."),
}
BUTTONS = {102: "Lock", 103: "Unlock", 104: "Hide", 105: "Unhide"}
ACCESS_KEYS = {(1, "alt+l"): "Lock", (1, "alt+u"): "Unlock", (2, "alt+h"): "Hide", (2, "alt+u"): "Unhide"}
KEYS = ["Tab", "shift+Tab", "Escape", "Return", "space", "Up", "Down", "Left", "Right", "alt+l", "alt+u", "alt+h"]
# Where each place is reached from the tab strip: Tabs forward (+) or back (-).
PLACES = {"drive box A": 1, "All Drives": -3, "first button": -2, "second button": -1, "note": 0, "tab strip": 0}


def tab_order(page):
    return list(range(A, ALL_DRIVES + 1)) + list(PAGES[page]["parts"][1:3]) + [TAB_STRIP]


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


class Probe:
    def __init__(self):
        self.process = subprocess.Popen(["wine", os.path.join(BUILD, "tests/win/window_probe.exe")], text=True,
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)

    def ask(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        return self.process.stdout.readline().strip()

    def state(self):
        head, _, controls = self.ask("state").partition(" controls=")
        box = head[head.index(" box=") + 5:head.index(" NoViewOnDrive=")]
        fields = dict(f.split("=", 1) for f in head.replace(" box=" + box, "").split())
        fields["box"] = box
        fields["controls"] = {int(c.split(":")[0]): (c.split(":")[1][:2], [int(v) for v in c.split("@")[1].split(",")])
                              for c in controls.split(";") if c}  # id: (visible and enabled flags, rectangle)
        return fields

    def wait_for(self, done, limit=2.0):
        """The state once done(state) holds, or after `limit` seconds."""
        deadline = time.monotonic() + limit
        while not done(state := self.state()) and time.monotonic() < deadline:
            time.sleep(0.02)
        return state

    def click(self, control, along, down, nudge=[0]):
        left, top, right, bottom = self.state()["controls"][control][1]
        nudge[0] ^= 8  # never twice on one spot: a double click is no click to the tab strip
        xdotool("mousemove", str(int(left + (right - left) * along) + nudge[0]),
                str(int(top + (bottom - top) * down)), "click", "1")


def place_focus(probe, page, place):
    """A click on the tab already selected focuses the tab strip, and an arrow
    selects the page: once an arrow key has changed the selection, Wine's tab
    control takes no click on the other tab (it keeps that tab marked pressed)."""
    shown = int(probe.state()["tab"])
    probe.click(TAB_STRIP, PAGES[shown]["tab_at"], 0.05)
    probe.wait_for(lambda s: s["focus"] == str(TAB_STRIP))
    if shown != page:
        xdotool("key", "Right" if page > shown else "Left")
        probe.wait_for(lambda s: s["tab"] == str(page))
    if steps := PLACES[place]:
        xdotool("key", "--delay", "20", *["Tab" if steps > 0 else "shift+Tab"] * abs(steps))
        wanted = str(tab_order(page)[steps % 30 - 1])
        return probe.wait_for(lambda s: s["focus"] == wanted)
    if place == "note":
        probe.click(PAGES[page]["parts"][3], 0.3, 0.3)  # a note takes no focus: it stays on the tab strip
        time.sleep(0.1)
    return probe.state()


def run_case(probe, page, place, key):
    probe.ask("reset")
    before = place_focus(probe, page, place)
    focus = int(before["focus"]) if before["focus"].isdigit() else None
    if PLACES[place] and focus != tab_order(page)[PLACES[place] % 30 - 1]:
        return [f"could not put the focus there: it is on {before['focus']}"]
    command = BUTTONS.get(focus) if key in ("Return", "space") else ACCESS_KEYS.get((page, key))
    xdotool("key", key)
    if command:
        after = probe.wait_for(lambda s: s["box"] != "-")
    elif key in ("Tab", "shift+Tab"):
        after = probe.wait_for(lambda s: s["focus"] != before["focus"], 1.0)
    else:
        time.sleep(0.15)  # long enough for a fault to show: nothing is meant to happen
        after = probe.state()
    faults = []
    written = sorted(name for name in ("NoViewOnDrive", "NoDrives") if after[name] != "absent")
    if (after["box"], written) != ((BOXES[command][1], [BOXES[command][0]]) if command else ("-", [])):
        faults.append(f"meant {command or 'nothing'}, saw box {after['box']!r} and values {written} written")
    if command:
        xdotool("key", "Return")  # dismisses the box as a user would
        after = probe.wait_for(lambda s: s["box"] == "-")
    order = tab_order(page)
    if key in ("Tab", "shift+Tab") and focus in order and \
            after["focus"] != str(order[(order.index(focus) + (1 if key == "Tab" else -1)) % len(order)]):
        faults.append(f"{key} left the focus on {after['focus']}")
    if set(after["controls"]) != CONTROLS:
        faults.append(f"controls gone: {sorted(CONTROLS - set(after['controls']))}")
    # Left and Right on the tab strip switch pages; Up and Down there are the tab control's affair.
    expected = {"Left": 1, "Right": 2, "Up": None, "Down": None}.get(key, page) if focus == TAB_STRIP else page
    shown = int(after["tab"])
    if expected is not None and shown != expected:
        faults.append(f"tab {shown} selected")
    for p, parts in PAGES.items():
        for control in parts["parts"]:
            flags = after["controls"].get(control, ("gone",))[0]
            if flags != ("11" if p == shown else "00"):
                faults.append(f"page {p} control {control}: visible and enabled {flags}")
    return faults


def main():
    probe, app, failures, started = Probe(), None, [], time.monotonic()
    try:
        for page in PAGES:
            for place in PLACES:
                for key in KEYS:
                    if app is None:
                        app = subprocess.Popen(["wine", os.path.join(BUILD, "talmoran.exe")])
                        probe.wait_for(lambda s: s["focus"] == str(A), 30)
                    if faults := run_case(probe, page, place, key):
                        failures.append(f"page {page}, {place}, {key}: " + "; ".join(faults))
                        print("FAIL:", failures[-1], flush=True)
                        app.kill()
                        app.wait()
                        app = None  # a fresh window for the next case
    finally:
        if app:
            app.kill()
        probe.ask("reset")
    print(f"{len(PAGES) * len(PLACES) * len(KEYS)} cases in {time.monotonic() - started:.0f} s, {len(failures)} failed")
    print("1 passed, 0 failed" if not failures else "0 passed, 1 failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
