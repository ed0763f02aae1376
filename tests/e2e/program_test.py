#!/usr/bin/python3
# The built program and the web page as pupils meet them, in an Xvfb and a
# session bus of the test's own, with a window manager, the accessibility
# bus, and Debian's Orca speaking through speech-dispatcher
# (its dummy voice). The program by the mouse, with what shows read from
# screenshots; both front ends by the keyboard alone, with what Orca says
# read from its debug log (written to a terminal of the test's, so that each
# line arrives as it is written); how soon Tab brings back a panel that has
# slid away; and Pause pressed in, in a light and a dark theme.
#
# Usage: program_test.py PROGRAM, on a display of 1024x768 at 96 dots an
# inch, in a session bus of its own (as tests/e2e/CMakeLists.txt starts it),
# with scripts/lib.sh's window title and points of the window in the
# environment, once scripts/web-build has built the page.
# Every wait has a deadline; every process the test starts, and whatever
# those leave behind, is ended.

import contextlib
import ctypes
import os
import pathlib
import pty
import re
import signal
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
import tty

LIMIT_S = 30  # patience for anything to be said, to show or to start
TITLE = os.environ["THERMAL_TITLE"]
# Points of the window (scripts/lib.sh), and its parts: the drawing area
# below the panel and within the focus frame, the strip the panel covers,
# and the panel's last row inside its border, all of it in sight only when
# the panel is fully shown.
START, SPOT = (os.environ[n].split() for n in ("START_AT", "PANEL_SPOT"))
PICTURE, STRIP, LOW_ROW = "650x290+4+45", "660x36+0+0", "640x1+4+38"
SHOWN_WITHIN_S = 0.25  # the longest a keyboard user may wait for the panel
YELLOW = b"\xff\xff\x00"
# The page as scripts/web-build leaves it, or as THERMAL_PAGE names it (for
# a checkout where the page is not built, a copy built elsewhere).
PAGE = os.environ.get("THERMAL_PAGE") or os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "web", "thermal-motion.html")
PR_SET_CHILD_SUBREAPER = 36
# A field by its name and its whole value, as it shows with its leading
# space: "масса text." then " 200 selected." from the program, "масса entry
# 200 selected." from the page. One character short, it would not match.
FIELD = r"^{} (text|entry)\.?\s+{} selected"
# The keys of each row, and what Orca says after them, in order: lines that
# begin with these patterns; both front ends alike, but for the role names.
# A third column: Pause is pressed in, and shows it.
ROWS = [
    ("Tab", [r"^Старт push button", r"^«Старт» берёт значения из полей"]),
    ("Tab", [r"^Пауза (check box not checked|toggle button not pressed)"]),  # before any press
    ("shift+Tab space", [r"^Стоп$"]),  # Start says that the run is on
    ("Tab", [r"^Пауза (check box not checked|toggle button not pressed)"]),
    ("space", [r"^(checked|pressed)$"], "shows"),
    ("space", [r"^not (checked|pressed)$"]),
    ("Tab", [FIELD.format("масса", "200")]),
    ("Tab", [FIELD.format("максимальная скорость", "1000")]),
    ("Tab", [FIELD.format("число частиц", "50"), "^Число молекул, от 1 до 500"]),
    ("6 0 0 " + "shift+Tab " * 4, [r"^Стоп push button"]),  # N typed as 600
    ("space", [r"^Старт$"]),  # Stop says that it is off, and clamps N
    ("Tab " * 4, [FIELD.format("число частиц", "500")]),
    ("Tab", [r"^Замкнутое прространство\.?\s+(radio button checked|selected radio button)"]),
]
PRESSED_IN = 5  # the rows up to Pause pressed in, for the dark theme
# Pause pressed in must turn 3:1 or more (WCAG's least for a state) from how
# it looks released on at least as many pixels as ring the button (113 by 25
# at 96 dots an inch).
RING = 2 * (113 + 25)

failed = []
speech = []  # what Orca has said, one utterance a line


def check(name, ok):
    print(("ok - " if ok else "not ok - ") + name, flush=True)
    failed.extend([] if ok else [name])


def start(args, **options):
    return subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **options)


def write(path, text):
    pathlib.Path(path).parent.mkdir(parents=True, exist_ok=True)
    pathlib.Path(path).write_text(text)


def eventually(predicate, limit_s=LIMIT_S):
    deadline = time.monotonic() + limit_s
    while not predicate():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.05)
    return True


# Keeps the utterances of Orca's debug log as they come.
def listen(terminal):
    line = b""
    while chunk := os.read(terminal, 65536):
        *lines, line = (line + chunk).split(b"\n")
        for said in re.finditer(r"SPEECH OUTPUT: '(.*)'(?: voice=\S+)? ?\{",
                                b"\n".join(lines).decode(errors="replace")):
            speech.append(said.group(1))


# Whether Orca has said lines that begin with `patterns`, in order, since
# its `since`th utterance.
def says(patterns, since):
    return re.search("(?ms)" + ".*?".join(patterns), "\n".join(speech[since:])) is not None


# A part of `window`, at an ImageMagick geometry, as RGB bytes; by default
# the top rows, where the panel lies.
def grab(window, geometry="1024x41+0+0"):
    return subprocess.run(["import", "-window", window, "-crop", geometry, "-depth", "8", "rgb:-"],
                          capture_output=True).stdout


def luminance(rgb):
    return sum(w * (c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4)
               for w, c in zip((0.2126, 0.7152, 0.0722), (v / 255 for v in rgb)))


# How many pixels stand 3:1 or more from what they were.
def turned(before, after):
    ratios = ((luminance(before[i:i + 3]) + 0.05) / (luminance(after[i:i + 3]) + 0.05)
              for i in range(0, min(len(before), len(after)), 3))
    return sum(r >= 3 or r <= 1 / 3 for r in ratios)


# Waits for a front end just started to open, as `opened(since)` tells of
# Orca's utterances from the `since`th on, then goes through the rows;
# `window()` is the X window that shows its panel.
def read_aloud(name, opened, window, rows):
    since = len(speech)
    check(f"{name}: read as it opens", eventually(lambda: opened(since)))
    for keys, heard, *shows in rows:
        released = shows and grab(window())
        since = len(speech)
        subprocess.run(["xdotool", "key", "--delay", "100"] + keys.split(), check=True)
        ok = eventually(lambda: says(heard, since))
        check(f"{name}: {keys.strip()} -> {' / '.join(heard)}", ok)
        if not ok:
            print("# said:", speech[since:], flush=True)
        if shows:
            check(f"{name}: Pause pressed in turns {RING}+ pixels 3:1 from released",
                  eventually(lambda: turned(released, grab(window())) >= RING))


def window_titled(title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                           capture_output=True, text=True).stdout.split()
    return found[0] if found else "none"


def pixels(raw, rgb):
    return sum(raw[i:i + 3] == rgb for i in range(0, len(raw), 3))


# The program by the mouse, as a lesson would go, then Tab on the panel
# that has slid away, which must bring it back at once.
def by_the_mouse_and_keys(w):
    icons = subprocess.run(["xprop", "-id", w, "_NET_WM_ICON"], capture_output=True, text=True)
    check("the window shows the program's icon at 16 to 128 pixels",
          re.findall(r"Icon \((\d+) x", icons.stdout) == ["16", "24", "32", "48", "64", "128"])
    panel_colour = grab(w, f"1x1+{SPOT[0]}+{SPOT[1]}")
    subprocess.run(["xdotool", "mousemove", "--window", w, *START, "click", "1"], check=True)
    check("Start draws the gas", eventually(lambda: pixels(grab(w, PICTURE), YELLOW) > 1000))
    first = grab(w, PICTURE)
    check("the gas moves by itself", eventually(lambda: grab(w, PICTURE) != first))
    subprocess.run(["xdotool", "mousemove", "--window", w, "300", "300"], check=True)
    check("the panel slides away when the pointer goes down",  # none of it left in its strip
          eventually(lambda: pixels(grab(w, STRIP), panel_colour) == 0))
    subprocess.run(["xdotool", "key", "Tab"], check=True)  # from Start, which the click focused
    pressed = time.monotonic()  # released: the focus moves
    took = time.monotonic() - pressed if eventually(
        lambda: grab(w, LOW_ROW) == panel_colour * 640) else None  # fully, to its last row
    check(f"Tab into the hidden panel brings it back within {SHOWN_WITHIN_S} s (in {took} s)",
          took is not None and took <= SHOWN_WITHIN_S)


# Live processes whose parent is this one: those it started, and the daemons
# they left, which it adopts as the subreaper.
def children():
    ps = subprocess.Popen(["ps", "--ppid", str(os.getpid()), "-o", "pid=,stat="],
                          stdout=subprocess.PIPE, text=True)
    listed = [line.split() for line in ps.communicate()[0].splitlines()]
    return [int(pid) for pid, stat in listed if int(pid) != ps.pid and not stat.startswith("Z")]


def end_all():
    for sig in (signal.SIGTERM, signal.SIGKILL):
        for pid in children():
            with contextlib.suppress(ProcessLookupError):
                os.kill(pid, sig)
        if eventually(lambda: not children(), 5):
            return True
    return False


# A pupil's desktop in `home`: the accessibility bus on the session bus, a
# window manager, and the voice and Orca's settings.
def desktop(home):
    os.makedirs(f"{home}/runtime", 0o700)
    # The dummy voice still opens a sound device: ALSA's null one.
    write(f"{home}/.config/speech-dispatcher/speechd.conf",
          'AudioOutputMethod "alsa"\nAudioALSADevice "null"\n')
    # Orca's defaults, but that it does not read a page through as it
    # loads: a key pressed before that reading has ended takes the focus to
    # where the reading was, and the dummy voice never tells when it has.
    write(f"{home}/.local/share/orca/user-settings.conf",
          '{"general": {"sayAllOnLoad": false}, "pronunciations": {}, "keybindings": {},'
          ' "profiles": {"default": {"profile": ["Default", "default"]}}}')
    os.environ.update(HOME=home, XDG_RUNTIME_DIR=f"{home}/runtime", LC_ALL="C.UTF-8")
    for name in ("QT_QPA_PLATFORM", "QT_ACCESSIBILITY", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON",
                 "QT_STYLE_OVERRIDE", "AT_SPI_BUS_ADDRESS"):  # as a pupil's desktop starts it
        os.environ.pop(name, None)
    start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    # Asked for before this launcher holds the bus's name, the session bus
    # would start a second one, and the clients could meet on either.
    has_owner = ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                 "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                 "string:org.a11y.Bus"]
    if not eventually(lambda: b"true" in subprocess.run(has_owner, capture_output=True).stdout):
        sys.exit("program_test: the accessibility bus did not start")
    start(["openbox"])
    # A window mapped before the window manager is there stays hidden.
    wm = ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]
    eventually(lambda: "window id" in subprocess.run(wm, capture_output=True, text=True).stdout)


# Both front ends read aloud by Orca, in a light, then a dark theme:
# Debian's Adwaita-Dark style for Qt, and Chromium's dark mode.
def screen_reader(program, page, home):
    terminal, log = pty.openpty()
    tty.setraw(log)
    threading.Thread(target=listen, args=(terminal,), daemon=True).start()
    start(["orca", "--debug-file", os.ttyname(log)])
    if not eventually(lambda: "Screen reader on." in speech):
        sys.exit("program_test: Orca did not start (is another one running?)")
    subprocess.run(["xdotool", "mousemove", "0", "0"])  # off the picture
    for dark in (False, True):
        theme = " (dark)" if dark else ""
        rows = ROWS[:PRESSED_IN] if dark else ROWS
        run = start([program] + ["-style", "Adwaita-Dark"] * dark)
        read_aloud("program" + theme, lambda since: says([rf"^{TITLE} frame", "^движение молекул"],
                                                         since), lambda: window_titled(TITLE), rows)
        if dark:  # most of its panel within 3:1 of black
            strip = grab(window_titled(TITLE))
            check("program (dark): the panel is dark",
                  turned(bytes(len(strip)), strip) < len(strip) / 6)
        run.terminate()
        run.wait(LIMIT_S)
        # A profile whose browser offers no translation of a Russian page,
        # which would take the focus from it.
        profile = f"{home}/chromium{int(dark)}"
        write(f"{profile}/Default/Preferences", '{"translate": {"enabled": false}}')
        since = len(speech)
        run = start(["chromium", "--no-sandbox", "--force-renderer-accessibility", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--kiosk", f"--user-data-dir={profile}", page] +
                    ["--force-dark-mode"] * dark)
        # Titled once the page has made its elements; the browser's window is
        # Orca's to read. The picture is the Tab key's first stop, where the
        # program opens with the focus; Orca may have read it out as the page
        # loaded, and then says no more of it.
        read_aloud("page" + theme, lambda since: window_titled(f"{TITLE} - Chromium") != "none" and
                   says(["Chromium frame"], since), lambda: "root", [("Tab", [])] + rows)
        check(f"page{theme}: the picture read by its name",
              says(["Chromium frame", "^движение молекул"], since))
        run.terminate()
        run.wait(LIMIT_S)


def main():
    if not os.path.isfile(PAGE):
        sys.exit(f"program_test: no page at '{PAGE}': build it with scripts/web-build")
    if ctypes.CDLL(None).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
        sys.exit("program_test: cannot adopt the daemons the buses fork")
    work = tempfile.TemporaryDirectory()
    try:
        desktop(work.name)
        # By the mouse and the keyboard first, with no screen reader to take
        # the processor from the ticks timed.
        run = start([sys.argv[1]])
        if not eventually(lambda: window_titled(TITLE) != "none"):
            sys.exit(f"program_test: no window titled {TITLE}")
        by_the_mouse_and_keys(window_titled(TITLE))
        check("the program is still running", run.poll() is None)
        run.terminate()
        run.wait(LIMIT_S)
        screen_reader(sys.argv[1], "file://" + urllib.parse.quote(os.path.abspath(PAGE)), work.name)
    finally:
        check("every process the test started has ended", end_all())
        work.cleanup()
    print(f"{len(failed)} failed")
    sys.exit(1 if failed else 0)

main()
