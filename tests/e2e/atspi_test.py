#!/usr/bin/python3
"""The built program's accessibility tree read over AT-SPI, as a screen
reader on a Linux desktop reads it, in an Xvfb of its own with a private
session bus and the accessibility bus started for the test: every control
named, the fields tied to their labels and describing their ranges, and
Pause checked exactly while the reader's own actions have the run paused.

Usage: atspi_test.py PATH-TO-PROGRAM, by Debian's python3, which has the
python3-pyatspi package. Waits are bounded polls; every process the test
starts, and whatever those leave behind, is ended.
"""

import ctypes
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

LIMIT_S = 30  # patience for any one state to show
POLL_S = 0.05
TITLE = "тепловое движеие"
PR_SET_CHILD_SUBREAPER = 36

# Role and name of every control, as a screen reader says them.
CONTROLS = {
    ("animation", "движение молекул"), ("panel", "панель управления"),
    ("push button", "Старт"), ("check box", "Пауза"),
    ("text", "масса"), ("text", "максимальная скорость"), ("text", "число частиц"),
    ("label", "m"), ("label", "v"), ("label", "N"),
    ("radio button", "Замкнутое прространство"), ("radio button", "Ограниченное пространство"),
}
# Each field, its label and the range its description gives.
FIELDS = [("масса", "m", "от 5 до 100000"), ("максимальная скорость", "v", "от 1 до 30000"),
          ("число частиц", "N", "от 1 до 500")]

started = []
results = {"passed": 0, "failed": 0}


def check(name, ok):
    print(("ok - " if ok else "not ok - ") + name, flush=True)
    results["passed" if ok else "failed"] += 1


def eventually(predicate):
    """predicate() until it is true, or LIMIT_S seconds have gone."""
    deadline = time.monotonic() + LIMIT_S
    while time.monotonic() < deadline:
        try:
            if predicate():
                return True
        except Exception:  # a tree still being built can fail a call
            pass
        time.sleep(POLL_S)
    return False


def start(args, first_line_on_fd=False):
    """Starts a process; with `first_line_on_fd`, passes it a pipe as "{fd}"
    and returns the first line it writes there."""
    read_fd, write_fd = os.pipe() if first_line_on_fd else (None, None)
    if first_line_on_fd:
        args = [a.format(fd=write_fd) for a in args]
    process = subprocess.Popen(args, pass_fds=(write_fd,) if write_fd else (),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    started.append(process)
    if not first_line_on_fd:
        return process
    os.close(write_fd)
    text, deadline = b"", time.monotonic() + LIMIT_S
    while not text.endswith(b"\n"):
        if process.poll() is not None or time.monotonic() > deadline:
            sys.exit(f"atspi_test: {args[0]} did not start")
        if select.select([read_fd], [], [], POLL_S)[0]:
            text += os.read(read_fd, 256)
    os.close(read_fd)
    return text.decode().strip()


def orphans():
    """Live processes whose parent is this one: the ones it started, and
    the daemons those forked, which it adopts as the subreaper."""
    found = []
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{entry}/stat") as stat:
                state, ppid = stat.read().rsplit(")", 1)[1].split()[:2]
        except OSError:
            continue
        if int(ppid) == os.getpid() and state != "Z":
            found.append(int(entry))
    return found


def end_all():
    for sig, grace in ((signal.SIGTERM, 5), (signal.SIGKILL, LIMIT_S)):
        deadline = time.monotonic() + grace
        while (left := orphans()) and time.monotonic() < deadline:
            for pid in left:
                try:
                    os.kill(pid, sig)
                except ProcessLookupError:
                    pass
            time.sleep(POLL_S)
            while True:
                try:
                    if os.waitpid(-1, os.WNOHANG)[0] == 0:
                        break
                except ChildProcessError:
                    break
    return not orphans()


def read_tree(program):
    import pyatspi  # only once the buses are there: it connects on import

    def window():
        for app in pyatspi.Registry.getDesktop(0):
            for top in app or []:
                if top is not None and top.name == TITLE:
                    return top
        return None

    check("the window is on the accessibility bus", eventually(window))
    frame = window()
    if frame is None:
        return
    check("the window is a frame named by its title", frame.getRoleName() == "frame")
    controls = []

    def walk(accessible):
        for child in accessible:
            controls.append(child)
            walk(child)

    walk(frame)
    check("12 controls, each named", len(controls) == 12 and all(c.name for c in controls))
    check("each with the role and name a reader should say",
          {(c.getRoleName(), c.name) for c in controls} == CONTROLS)
    by_name = {c.name: c for c in controls}

    def related(name, kind):
        return [r.getTarget(i).name for r in by_name[name].getRelationSet()
                if r.getRelationType() == kind for i in range(r.getNTargets())]

    for field, label, range_text in FIELDS:
        check(f"field \"{field}\" and its label \"{label}\" related both ways",
              related(field, pyatspi.RELATION_LABELLED_BY) == [label] and
              related(label, pyatspi.RELATION_LABEL_FOR) == [field])
        check(f"field \"{field}\" describes its range, {range_text}",
              range_text in by_name[field].description)
    check("the drawing area says how the panel comes back",
          "панель" in by_name["движение молекул"].description)

    start_stop, pause = by_name["Старт"], by_name["Пауза"]

    def act(accessible, action):
        actions = accessible.queryAction()
        actions.doAction([actions.getName(i) for i in range(actions.nActions)].index(action))

    def run_shows(caption, paused):
        # Without a main loop no event tells the client's cache of a change.
        start_stop.clear_cache()
        pause.clear_cache()
        return (start_stop.name == caption and
                pause.getState().contains(pyatspi.STATE_CHECKED) == paused)

    check("Pause not checked at first", run_shows("Старт", False))
    steps = [(start_stop, "Press", "Start", "Стоп", False), (pause, "Toggle", "Pause", "Стоп", True),
             (pause, "Toggle", "resume", "Стоп", False), (pause, "Toggle", "Pause", "Стоп", True),
             (start_stop, "Press", "Stop", "Старт", False)]
    for accessible, action, what, caption, paused in steps:
        act(accessible, action)
        check(f"{action} for {what}: Start/Stop named \"{caption}\", Pause checked: {paused}",
              eventually(lambda: run_shows(caption, paused)))
    check("the program is still running", program.poll() is None)


def main():
    libc = ctypes.CDLL(None)
    if libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
        sys.exit("atspi_test: cannot adopt the daemons the buses fork")
    work = tempfile.mkdtemp()
    try:
        os.environ["DISPLAY"] = ":" + start(
            ["Xvfb", "-displayfd", "{fd}", "-screen", "0", "1024x768x24", "-nolisten", "tcp"], True)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = start(
            ["dbus-daemon", "--session", "--nofork", "--nosyslog", "--print-address={fd}"], True)
        os.mkdir(os.path.join(work, "runtime"), 0o700)
        os.environ.update(XDG_RUNTIME_DIR=os.path.join(work, "runtime"), LC_ALL="C.UTF-8",
                          QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        for name in ("QT_QPA_PLATFORM", "AT_SPI_BUS_ADDRESS"):  # this server, these buses
            os.environ.pop(name, None)
        start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        # The program and the reader ask for the bus by name. Asked before
        # this launcher holds it, the session bus would start a second one,
        # and the two would race for the name and for the root window's
        # address that both clients read first.
        has_owner = ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                     "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                     "string:org.a11y.Bus"]
        if not eventually(lambda: b"boolean true" in
                          subprocess.run(has_owner, capture_output=True).stdout):
            sys.exit("atspi_test: the accessibility bus did not start")
        read_tree(start([sys.argv[1]]))
    finally:
        check("every process the test started has ended", end_all())
        shutil.rmtree(work, ignore_errors=True)
    print(f"{results['passed']} passed, {results['failed']} failed")
    sys.exit(1 if results["failed"] else 0)


main()
