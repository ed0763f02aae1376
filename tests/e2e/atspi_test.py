#!/usr/bin/python3
"""The built program's accessibility tree read over AT-SPI, the way a screen
reader on a Linux desktop reads it: in an X server of its own (Xvfb), with a
private session bus and the accessibility bus started for the test. Every
control must have a name, the three fields distinct and tied to their labels
with the range in their descriptions, and Pause checked exactly while the
run is paused, as the reader's own actions start, pause, resume and stop it.

Usage: atspi_test.py PATH-TO-PROGRAM. Run by Debian's own python3, which
has the python3-pyatspi package. Waits are bounded polls for a state to
show; every process the test starts, and any they leave behind, is ended.
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
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

# Role and name of every control, as a screen reader says them.
CONTROLS = {
    ("animation", "движение молекул"),
    ("panel", "панель управления"),
    ("push button", "Старт"),
    ("check box", "Пауза"),
    ("text", "масса"),
    ("text", "максимальная скорость"),
    ("text", "число частиц"),
    ("label", "m"),
    ("label", "v"),
    ("label", "N"),
    ("radio button", "Замкнутое прространство"),
    ("radio button", "Ограниченное пространство"),
}
# Each field, its label and the range its description must give.
FIELDS = [("масса", "m", "от 5 до 100000"),
          ("максимальная скорость", "v", "от 1 до 30000"),
          ("число частиц", "N", "от 1 до 500")]

PR_SET_CHILD_SUBREAPER = 36


class Processes:
    """What the test starts. The test process becomes the parent of whatever
    they leave behind (the buses fork daemons of their own), so that all of
    it can be found and ended."""

    def __init__(self):
        libc = ctypes.CDLL(None, use_errno=True)
        if libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
            sys.exit("atspi_test: cannot adopt orphaned processes")
        self.started = []

    def start(self, args, **kwargs):
        process = subprocess.Popen(args, **kwargs)
        self.started.append(process)
        return process

    def end_all(self):
        for process in reversed(self.started):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=LIMIT_S)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        # Then whatever they left, asked to end and, after a grace, made to.
        for sig, grace in ((signal.SIGTERM, 5), (signal.SIGKILL, LIMIT_S)):
            deadline = time.monotonic() + grace
            while (left := self.children()) and time.monotonic() < deadline:
                for pid in left:
                    self.signal(pid, sig)
                time.sleep(POLL_S)
                self.reap()
        left = self.children()
        if left:
            print(f"atspi_test: processes left running: {left}", file=sys.stderr)
        return not left

    @staticmethod
    def children():
        me, found = os.getpid(), []
        for entry in os.listdir("/proc"):
            if entry.isdigit():
                try:
                    with open(f"/proc/{entry}/stat") as stat:
                        fields = stat.read().rsplit(")", 1)[1].split()
                except OSError:
                    continue
                if int(fields[1]) == me and fields[0] != "Z":
                    found.append(int(entry))
        return found

    @staticmethod
    def signal(pid, sig):
        try:
            os.kill(pid, sig)
        except ProcessLookupError:
            pass

    @staticmethod
    def reap():
        try:
            while os.waitpid(-1, os.WNOHANG)[0] > 0:
                pass
        except ChildProcessError:
            pass


def eventually(predicate):
    """predicate() until it is true, or LIMIT_S seconds have gone."""
    deadline = time.monotonic() + LIMIT_S
    while True:
        try:
            if predicate():
                return True
        except Exception:  # a tree still being built can fail a call
            pass
        if time.monotonic() > deadline:
            return False
        time.sleep(POLL_S)


def read_line(process, fd, what):
    """The first line a starting process writes to `fd`, within LIMIT_S."""
    text = b""
    deadline = time.monotonic() + LIMIT_S
    while not text.endswith(b"\n"):
        if process.poll() is not None or time.monotonic() > deadline:
            sys.exit(f"atspi_test: {what} did not start")
        if select.select([fd], [], [], POLL_S)[0]:
            text += os.read(fd, 256)
    os.close(fd)
    return text.decode().strip()


def start_servers(processes, work):
    """An X server and a session bus of the test's own; sets the
    environment that reaches them."""
    read_fd, write_fd = os.pipe()
    xvfb = processes.start(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
                            "-dpi", "96", "-nolisten", "tcp"], pass_fds=(write_fd,),
                           stderr=subprocess.DEVNULL)
    os.close(write_fd)
    os.environ["DISPLAY"] = ":" + read_line(xvfb, read_fd, "Xvfb")

    read_fd, write_fd = os.pipe()
    bus = processes.start(["dbus-daemon", "--session", "--nofork", "--nosyslog",
                           f"--print-address={write_fd}"], pass_fds=(write_fd,),
                          stderr=subprocess.DEVNULL)
    os.close(write_fd)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = read_line(bus, read_fd, "the session bus")

    os.mkdir(os.path.join(work, "runtime"), 0o700)
    os.environ.update(XDG_RUNTIME_DIR=os.path.join(work, "runtime"), LC_ALL="C.UTF-8",
                      QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    # The program on this server as it is, whatever the caller's session asks of Qt.
    for name in ("QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "QT_FONT_DPI", "QT_SCREEN_SCALE_FACTORS",
                 "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY",
                 "AT_SPI_BUS_ADDRESS"):
        os.environ.pop(name, None)
    processes.start([BUS_LAUNCHER, "--launch-immediately"], stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)


class Checks:
    def __init__(self):
        self.passed = self.failed = 0

    def __call__(self, name, ok):
        print(("ok - " if ok else "not ok - ") + name, flush=True)
        if ok:
            self.passed += 1
        else:
            self.failed += 1


def read_tree(program, check):
    import pyatspi  # only once the buses are there: it connects on import

    def fresh(accessible):
        # Without a main loop no event tells the client's cache of a change.
        accessible.clear_cache()
        return accessible

    def window():
        for app in pyatspi.Registry.getDesktop(0):
            for top in app or []:
                if top is not None and top.name == TITLE:
                    return top
        return None

    found = {}

    def window_found():
        found["frame"] = window()
        return found["frame"] is not None

    check("the window is on the accessibility bus", eventually(window_found))
    frame = found.get("frame")
    if frame is None:
        return
    check("the window is a frame named by its title",
          frame.getRoleName() == "frame" and frame.name == TITLE)

    controls = []

    def walk(accessible):
        for child in accessible:
            controls.append(child)
            walk(child)

    walk(frame)
    said = {(c.getRoleName(), c.name) for c in controls}
    check("12 controls, each named", len(controls) == 12 and all(c.name for c in controls))
    check("each as a screen reader should say it", said == CONTROLS)
    by_name = {c.name: c for c in controls}

    def related(accessible, kind):
        return [r.getTarget(i).name for r in accessible.getRelationSet()
                if r.getRelationType() == kind for i in range(r.getNTargets())]

    for field, label, range_text in FIELDS:
        f, l = by_name.get(field), by_name.get(label)
        check(f"field \"{field}\" labelled by \"{label}\", and the label for it",
              f is not None and l is not None and
              related(f, pyatspi.RELATION_LABELLED_BY) == [label] and
              related(l, pyatspi.RELATION_LABEL_FOR) == [field])
        check(f"field \"{field}\" describes its range, {range_text}",
              f is not None and range_text in f.description)
    picture = by_name.get("движение молекул")
    check("the drawing area says how the panel comes back",
          picture is not None and "панель" in picture.description)

    start, pause = by_name.get("Старт"), by_name.get("Пауза")
    if start is None or pause is None:
        check("the buttons are there", False)
        return

    def act(accessible, action):
        actions = accessible.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        return actions.doAction(names.index(action))

    def checked():
        return fresh(pause).getState().contains(pyatspi.STATE_CHECKED)

    def start_named(name):
        return lambda: fresh(start).name == name

    check("Pause not checked at first", not checked())
    act(start, "Press")
    check("Press on Start starts a run, and it is then named \"Стоп\"",
          eventually(start_named("Стоп")))
    for what, want in (("pauses", True), ("resumes", False), ("pauses again", True)):
        act(pause, "Toggle")
        check(f"Toggle on Pause {what}: checked is {want}",
              eventually(lambda: checked() == want))
    act(start, "Press")
    check("Press on Stop ends the run and the pause",
          eventually(lambda: start_named("Старт")() and not checked()))
    check("the program is still running", program.poll() is None)


def main():
    program_path = sys.argv[1]
    processes = Processes()
    check = Checks()
    work = tempfile.mkdtemp()
    try:
        start_servers(processes, work)
        program = processes.start([program_path], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        read_tree(program, check)
    finally:
        check("every process the test started has ended", processes.end_all())
        shutil.rmtree(work, ignore_errors=True)
    print(f"{check.passed} passed, {check.failed} failed")
    sys.exit(1 if check.failed else 0)


main()
