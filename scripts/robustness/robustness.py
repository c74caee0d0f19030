#!/usr/bin/python3
"""Whole-program checks of the stored state, under Xvfb with openbox.

    robustness.py damaged   [--display :11]         damaged placements: window on screen, memory
    robustness.py killloop  [--kills 200] [...]     kill -9 at random moments of the close save
    robustness.py manyvalues [--values 100000]      start and close with many stray Line values
    robustness.py surroundings [--display :11]      hostile autostart entries, registry names, lock
                                                    files, umask 000, morva-cli input, close by signal

Each run uses a private home, configuration and runtime folder below /tmp and the build's
fonts, and ends the display, window manager and program copies it started.
"""

import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PROGRAM = os.path.join(ROOT, "build", "bin", "morva")
CLI = os.path.join(ROOT, "build", "bin", "morva-cli")
BLOCK = "Kovrak.Morva.Instance.block"
SCREEN = (1280, 800)
MAIN_KEY = r"HKEY_CURRENT_USER\Software\Kovrak\Morva\MainWindow"
SETTINGS_KEY = r"HKEY_CURRENT_USER\Software\Kovrak\Morva\Settings"
CARD_KEY = r"HKEY_CURRENT_USER\Software\Kovrak\Morva\WordViewWindow"
SETTINGS = ["EditBarVisible", "LangBarVisible", "ServiceBarVisible", "StayOnTop", "SrcLang", "DestLang"]
DEFAULTS = ["1", "1", "1", "0", "0", "1"]


# ---- The registry file and the placement stream ----

def quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def write_registry(path, keys):
    """keys: list of (key path, list of (name, text))."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as out:
        out.write("REGEDIT4\n\n")
        for key, values in keys:
            out.write("[" + key + "]\n")
            for name, text in values:
                out.write(quote(name) + "=" + quote(text) + "\n")
            out.write("\n")


def read_registry(path):
    """{key path: {value name: text}} for the quoted string values; None when unreadable."""
    try:
        with open(path, encoding="utf-8") as source:
            lines = source.read().split("\n")
    except OSError:
        return None
    if not lines or lines[0].strip() != "REGEDIT4":
        return None
    keys, current = {}, None
    for line in lines[1:]:
        line = line.rstrip("\r")
        if line.startswith("["):
            current = keys.setdefault(line[1:-1], {})
        elif line.startswith('"') and current is not None:
            match = re.match(r'"((?:[^"\\]|\\.)*)"="((?:[^"\\]|\\.)*)"$', line)
            if match:
                unescape = lambda text: re.sub(r"\\(.)", r"\1", text)
                current[unescape(match.group(1))] = unescape(match.group(2))
    return keys


def encode_stream(props, class_name="TMainForm", component="MainForm"):
    data = bytearray(b"TPF0")
    for text in (class_name, component):
        data += bytes([len(text)]) + text.encode()
    for name, value in props:
        data += bytes([len(name)]) + name.encode()
        if -128 <= value <= 127:
            data += bytes([2]) + value.to_bytes(1, "little", signed=True)
        elif -32768 <= value <= 32767:
            data += bytes([3]) + value.to_bytes(2, "little", signed=True)
        else:
            data += bytes([4]) + value.to_bytes(4, "little", signed=True)
    return bytes(data) + b"\0\0\0"


def as_lines(hex_text):
    return [("Line%010d" % (i // 80), hex_text[i:i + 80]) for i in range(0, len(hex_text), 80)]


def placement_lines(props):
    return as_lines(encode_stream(props).hex().upper())


def decode_placement(values):
    """(Left, Top, Width, Height) from a section's Line values; None when not a whole stream."""
    text, number = "", 0
    while "Line%010d" % number in values:
        text += values["Line%010d" % number]
        number += 1
    try:
        data = bytes.fromhex(text)
        assert data[:4] == b"TPF0"
        at = 4
        for _ in range(2):
            at += 1 + data[at]
        props = {}
        while data[at] != 0:
            name = data[at + 1:at + 1 + data[at]].decode()
            at += 1 + data[at]
            size = {2: 1, 3: 2, 4: 4}[data[at]]
            props[name] = int.from_bytes(data[at + 1:at + 1 + size], "little", signed=True)
            at += 1 + size
        assert data[at:] == b"\0\0\0"
        return tuple(props[name] for name in ("Left", "Top", "Width", "Height"))
    except (AssertionError, IndexError, KeyError, ValueError, UnicodeDecodeError):
        return None


# ---- The display and the program ----

class Session:
    def __init__(self, display):
        self.display = display
        self.work = tempfile.mkdtemp(prefix="morva-robust-")
        home = os.path.join(self.work, "home")
        runtime = os.path.join(self.work, "rt")
        os.makedirs(os.path.join(home, "config"))
        os.makedirs(runtime, mode=0o700)
        self.env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                        XDG_RUNTIME_DIR=runtime, LANG="ru_RU.UTF-8", DISPLAY=display,
                        FONTCONFIG_FILE=os.path.join(ROOT, "build", "fonts", "fonts.conf"))
        self.env.pop("LC_ALL", None)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.registry = os.path.join(home, "config", "kovrak-morva", "registry.reg")
        self.runtime = runtime
        self.servers = []
        self.copy = None

    def __enter__(self):
        self.servers.append(subprocess.Popen(["Xvfb", self.display, "-screen", "0", "%dx%dx24" % SCREEN],
                                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(1.0)
        self.servers.append(subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL,
                                             stderr=subprocess.DEVNULL))
        time.sleep(1.0)
        return self

    def __exit__(self, *failure):
        if self.copy and self.copy.poll() is None:
            self.copy.kill()
            self.copy.wait()
        for server in reversed(self.servers):
            server.terminate()
            server.wait()
        shutil.rmtree(self.work, ignore_errors=True)

    def x(self, *command):
        return subprocess.run(list(command), env=self.env, capture_output=True, text=True).stdout

    def start(self, umask=None):
        self.copy = subprocess.Popen([PROGRAM], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                     preexec_fn=(lambda: os.umask(umask)) if umask is not None else None)
        return self.copy

    def main_window(self, timeout=20.0, poll=0.01):
        """The main window's id once it is on screen; None when the copy ended or took too long."""
        return self.window(lambda name: name == "Kovrak MORVA", timeout, poll)

    def card_window(self):
        return self.window(lambda name: name != "Kovrak MORVA", 10.0, 0.05)

    def window(self, wanted, timeout, poll):
        end = time.monotonic() + timeout
        while time.monotonic() < end and self.copy.poll() is None:
            found = self.x("xdotool", "search", "--onlyvisible", "--pid", str(self.copy.pid), "--name", ".")
            for window in found.split():
                # The splash carries the main window's title.
                if (wanted(self.x("xdotool", "getwindowname", window).strip())
                        and "SPLASH" not in self.x("xprop", "-id", window, "_NET_WM_WINDOW_TYPE")):
                    return window
            time.sleep(poll)
        return None

    def outer_bounds(self, window):
        """The window's frame on the screen, once the window manager has settled it."""
        time.sleep(0.3)
        info = self.x("xwininfo", "-id", window)
        if "Absolute upper-left X" not in info:
            # The window system gave the window a new id meanwhile.
            window = self.main_window(timeout=5.0)
            info = self.x("xwininfo", "-id", window) if window else ""
        if "Absolute upper-left X" not in info:
            return None
        number = lambda label: int(re.search(label + r":\s+(-?\d+)", info).group(1))
        extents = re.findall(r"-?\d+", self.x("xprop", "-id", window, "_NET_FRAME_EXTENTS").split("=")[-1])
        left, right, top, bottom = (int(e) for e in extents) if len(extents) == 4 else (0, 0, 0, 0)
        return (number("Absolute upper-left X") - left, number("Absolute upper-left Y") - top,
                number("Width") + left + right, number("Height") + top + bottom)

    def peak_memory_mb(self):
        with open("/proc/%d/status" % self.copy.pid) as status:
            return int(re.search(r"VmHWM:\s+(\d+)", status.read()).group(1)) / 1024

    def request_close(self, window):
        self.x("xdotool", "windowactivate", "--sync", window)
        self.x("xdotool", "key", "--clearmodifiers", "alt+F4")

    def wait_end(self, timeout=20.0):
        try:
            self.copy.wait(timeout)
            return True
        except subprocess.TimeoutExpired:
            return False

    def temporary_files(self):
        folder = os.path.dirname(self.registry)
        return [name for name in os.listdir(folder) if name.startswith(".registry.reg.")] if os.path.isdir(folder) else []

    def socket_files(self):
        return [name for name in os.listdir(self.runtime) if name.endswith(".socket")]


# ---- The checks ----

def damaged(args):
    text_start = ["object MainForm: TMainForm", "  Left = 100"]
    child = "025441014100"
    cases = [
        ("deep lists in text", [(n, t) for n, t in zip(("Line%010d" % i for i in range(4)),
                                                         text_start + ["  X = " + "(" * 60000 + ")" * 60000, "end"])]),
        ("deep objects in text", [("Line%010d" % i, t) for i, t in enumerate(
            text_start + ["object A: TA"] * 60000 + ["end"] * 60001)]),
        ("deep binary lists", as_lines(encode_stream([("Left", 100)])[:-3].hex().upper() + "0444617461"
                                       + "01" * 300000 + "00" * 300000 + "000000")),
        ("deep binary children", as_lines(encode_stream([("Left", 100)])[:-2].hex().upper()
                                          + child * 500000 + "00" * 500002)),
        ("huge bounds", placement_lines([("Height", 2000000000), ("Left", 2000000000), ("Top", 2000000000),
                                         ("Width", 2000000000)])),
        ("one pixel per inch", placement_lines([("Height", 433), ("Left", 299), ("PixelsPerInch", 1), ("Top", 106),
                                                ("Width", 310)])),
        ("far right and down", placement_lines([("Height", 433), ("Left", 30000), ("Top", 30000), ("Width", 310)])),
        ("far left and up", placement_lines([("Height", 433), ("Left", -5000), ("Top", -5000), ("Width", 310)])),
        ("negative size", placement_lines([("Height", -400), ("Left", 100), ("Top", 100), ("Width", -300)])),
    ]
    failures = 0
    with Session(args.display) as session:
        for name, lines in cases:
            write_registry(session.registry, [(MAIN_KEY, lines)])
            started = time.monotonic()
            session.start()
            window = session.main_window()
            if not window:
                print("FAIL %-22s no main window (exit %s)" % (name, session.copy.poll()))
                failures += 1
                session.copy.kill()
                session.copy.wait()
                continue
            shown = time.monotonic() - started
            bounds = session.outer_bounds(window)
            memory = session.peak_memory_mb()
            left, top, width, height = bounds or (-1, -1, 0, 0)
            on_screen = left >= 0 and top >= 0 and left + width <= SCREEN[0] and top + height <= SCREEN[1]
            session.request_close(window)
            ended = session.wait_end()
            if not ended:
                session.copy.kill()
                session.copy.wait()
            stored = decode_placement((read_registry(session.registry) or {}).get(MAIN_KEY, {}))
            ok = on_screen and memory < 400 and ended and stored == bounds
            failures += not ok
            print("%s %-22s shown in %.2f s at %s, peak %.0f MB, closed %s, stored %s"
                  % ("ok  " if ok else "FAIL", name, shown, bounds, memory, "yes" if ended else "NO", stored))

        # A window that fits comes back exactly where it was, run after run: no drift by its frame.
        write_registry(session.registry, [(MAIN_KEY, placement_lines(
            [("Height", 433), ("Left", 299), ("PixelsPerInch", 96), ("Top", 106), ("Width", 310)]))])
        seen = []
        for _ in range(3):
            session.start()
            window = session.main_window()
            seen.append(session.outer_bounds(window) if window else None)
            if window:
                session.request_close(window)
            session.wait_end()
        stored = decode_placement(read_registry(session.registry).get(MAIN_KEY, {}))
        ok = seen == [(299, 106, 310, 433)] * 3 and stored == (299, 106, 310, 433)
        failures += not ok
        print("%s %-22s %s, stored %s" % ("ok  " if ok else "FAIL", "no drift", seen, stored))

        # The same for the card that a word opens.
        card = (500, 120, 300, 350)
        write_registry(session.registry, [(CARD_KEY, as_lines(encode_stream(
            [("Height", card[3]), ("Left", card[0]), ("PixelsPerInch", 96), ("Top", card[1]), ("Width", card[2])],
            "TWordViewForm", "WordViewForm").hex().upper()))])
        seen = []
        for _ in range(3):
            session.start()
            window = session.main_window()
            session.x("xdotool", "windowactivate", "--sync", window)
            session.x("xdotool", "type", "book")
            session.x("xdotool", "key", "Return")
            card_window = session.card_window()
            seen.append(session.outer_bounds(card_window) if card_window else None)
            session.request_close(window)
            if not session.wait_end():
                session.copy.kill()
                session.copy.wait()
        stored = decode_placement(read_registry(session.registry).get(CARD_KEY, {}))
        ok = seen == [card] * 3 and stored == card
        failures += not ok
        print("%s %-22s %s, stored %s" % ("ok  " if ok else "FAIL", "no card drift", seen, stored))
    return failures


def state_of(session):
    keys = read_registry(session.registry)
    if keys is None:
        return "unreadable"
    settings = keys.get(SETTINGS_KEY, {})
    return decode_placement(keys.get(MAIN_KEY, {})), tuple(settings.get(name) for name in SETTINGS)


def killloop(args):
    rng = random.Random(args.seed)
    # Values of another program make each save long enough to be caught in the middle.
    foreign = [("Value%05d" % i, "x" * 60) for i in range(args.foreign)]
    outcomes = {"old": 0, "new": 0, "torn": 0, "lost": 0}
    caught_writing = 0
    with Session(args.display) as session:
        write_registry(session.registry, [(MAIN_KEY, placement_lines(
            [("Height", 433), ("Left", 299), ("PixelsPerInch", 96), ("Top", 106), ("Width", 310)])),
            (r"HKEY_CURRENT_USER\Software\Someone\Else", foreign)])
        for kill in range(args.kills):
            old = state_of(session)
            session.start()
            window = session.main_window()
            if not window:
                print("kill %d: no main window" % kill)
                outcomes["lost"] += 1
                session.copy.kill()
                session.copy.wait()
                continue
            session.x("xdotool", "windowmove", "--sync", window, str(40 + kill * 37 % 500), str(40 + kill * 53 % 300))
            session.x("xdotool", "windowsize", "--sync", window, str(320 + kill % 60), str(440 + kill % 45))
            session.x("xdotool", "windowactivate", "--sync", window)
            session.x("xdotool", "key", "--clearmodifiers", "ctrl+t")
            time.sleep(0.3)
            bounds = session.outer_bounds(window)
            settings = [value if value is not None else default for value, default in zip(old[1], DEFAULTS)]
            settings[3] = "0" if settings[3] == "1" else "1"
            new = (bounds, tuple(settings))
            session.request_close(window)
            time.sleep(rng.uniform(0, args.window_ms / 1000))
            session.copy.send_signal(signal.SIGKILL)
            session.copy.wait()
            caught_writing += bool(session.temporary_files())
            now = state_of(session)
            if now == old:
                outcomes["old"] += 1
            elif now == new:
                outcomes["new"] += 1
            elif now == "unreadable" or None in now[1]:
                outcomes["lost"] += 1
                print("kill %d: settings lost: %s" % (kill, now))
            else:
                outcomes["torn"] += 1
                print("kill %d: torn: was %s, expected %s, found %s" % (kill, old, new, now))
        # One ordinary start and close: what the killed copies left is cleared away.
        session.start()
        window = session.main_window()
        if window:
            session.request_close(window)
        session.wait_end()
        leftovers = session.temporary_files() + session.socket_files()
        setaside = [name for name in os.listdir(os.path.dirname(session.registry)) if ".damaged-" in name]
    print("%d kills: %d left the old state, %d the new, %d torn, %d with settings lost; "
          "%d kills came while a temporary file existed; afterwards %d temporary or socket files, %d set aside"
          % (args.kills, outcomes["old"], outcomes["new"], outcomes["torn"], outcomes["lost"], caught_writing,
             len(leftovers), len(setaside)))
    return outcomes["torn"] + outcomes["lost"] + len(leftovers) + len(setaside)


def manyvalues(args):
    lines = placement_lines([("Height", 433), ("Left", 299), ("PixelsPerInch", 96), ("Top", 106), ("Width", 310)])
    stray = [("Line%010d" % i, "") for i in range(len(lines), args.values)]
    failures = 0
    with Session(args.display) as session:
        for name, values in (("no stray values", lines), ("%d values" % args.values, lines + stray)):
            times = []
            for _ in range(args.runs):
                write_registry(session.registry, [(MAIN_KEY, values)])
                started = time.monotonic()
                session.start()
                window = session.main_window(poll=0.005)
                shown = time.monotonic() - started
                # Let the window manager finish with the window before it is asked to close.
                time.sleep(0.5)
                closing = time.monotonic()
                session.request_close(window)
                ended = session.wait_end()
                times.append((shown, time.monotonic() - closing))
                if not ended:
                    session.copy.kill()
                    session.copy.wait()
                left = len(read_registry(session.registry).get(MAIN_KEY, {}))
                failures += not ended or left != len(lines)
            best_start = min(t[0] for t in times)
            best_close = min(t[1] for t in times)
            print("%-18s start to window %.3f s, close request to exit %.3f s (best of %d; the splash alone "
                  "stays 0.5 s); %d Line values left" % (name, best_start, best_close, args.runs, left))
    return failures


def peak_child_mb(command, stdin):
    """Exit status, peak memory and standard error of one run of command."""
    with tempfile.TemporaryFile() as errors:
        child = subprocess.Popen(command, stdin=stdin, stdout=subprocess.DEVNULL, stderr=errors)
        _, status, usage = os.wait4(child.pid, 0)
        child.returncode = os.waitstatus_to_exitcode(status)
        errors.seek(0)
        return child.returncode, usage.ru_maxrss / 1024, errors.read().decode(errors="replace")


def surroundings(args):
    failures = 0

    def report(ok, name, detail):
        nonlocal failures
        failures += not ok
        print("%s %-34s %s" % ("ok  " if ok else "FAIL", name, detail))

    def close_and_wait(session, window):
        session.request_close(window)
        if not session.wait_end():
            session.copy.kill()
            session.copy.wait()
            return False
        return True

    with Session(args.display) as session:
        # Entries in the autostart folder that would block the start or read without end.
        autostart = os.path.join(session.env["XDG_CONFIG_HOME"], "autostart")
        os.makedirs(autostart)
        os.mkfifo(os.path.join(autostart, "fifo.desktop"))
        os.symlink("/dev/zero", os.path.join(autostart, "zero.desktop"))
        started = time.monotonic()
        session.start()
        window = session.main_window()
        memory = session.peak_memory_mb() if window else 0
        report(bool(window) and memory < 400, "autostart FIFO and /dev/zero",
               "window after %.2f s, peak %.0f MB" % (time.monotonic() - started, memory))
        if window:
            close_and_wait(session, window)
        shutil.rmtree(autostart)

        # Another program's key and value names with a tab, CR, NUL, DEL and ]: still saved.
        odd = ["Tab\there", "Cr\rhere", "Nul\0here", "Del\x7fhere", "Bracket]here"]
        write_registry(session.registry, [(r"HKEY_CURRENT_USER\Software\Other" + "\\" + name, [(name, "v")])
                                          for name in odd])
        session.start()
        window = session.main_window()
        if window:
            session.x("xdotool", "windowmove", "--sync", window, "211", "97")
            bounds = session.outer_bounds(window)
            close_and_wait(session, window)
        with open(session.registry, "rb") as source:
            text = source.read()
        stored = decode_placement((read_registry(session.registry) or {}).get(MAIN_KEY, {}))
        kept = all(("\\Other\\" + name + "]").encode() in text for name in odd)
        report(bool(window) and stored == bounds and kept, "odd registry names",
               "placement stored %s, other keys kept %s" % (stored, kept))
        os.remove(session.registry)

        # Whatever is at the lock's place, one copy runs and a second start brings it back.
        block = os.path.join(session.runtime, BLOCK)
        obstacles = [
            ("dangling link", lambda: os.symlink(os.path.join(session.runtime, "nowhere"), block)),
            ("folder", lambda: os.mkdir(block)),
            ("FIFO", lambda: os.mkfifo(block)),
            ("removed", lambda: None),
            ("replaced", lambda: open(block, "wb").write(b"\1\2\3\4")),
        ]
        for when in ("before the start", "while it runs"):
            for name, put in obstacles:
                if os.path.isdir(block) and not os.path.islink(block):
                    os.rmdir(block)
                elif os.path.lexists(block):
                    os.remove(block)
                if when == "before the start":
                    put()
                first = session.start()
                window = session.main_window()
                if when == "while it runs":
                    if os.path.lexists(block):
                        os.remove(block)
                    put()
                if window:
                    session.x("xdotool", "windowminimize", "--sync", window)
                second = subprocess.Popen([PROGRAM], env=session.env, stdout=subprocess.DEVNULL,
                                          stderr=subprocess.DEVNULL)
                try:
                    second_status = second.wait(20)
                except subprocess.TimeoutExpired:
                    second.kill()
                    second_status = "still running"
                back = session.main_window(timeout=5.0) if window else None
                report(bool(window) and second_status == 0 and first.poll() is None and bool(back),
                       "lock %s %s" % (name, when),
                       "second copy ended with %s, first %s, brought back %s"
                       % (second_status, "running" if first.poll() is None else "ended", bool(back)))
                if back:
                    close_and_wait(session, back)
                elif first.poll() is None:
                    first.kill()
                    first.wait()
        if os.path.isdir(block) and not os.path.islink(block):
            os.rmdir(block)

        # Folders the program makes are its own under umask 000.
        shutil.rmtree(os.path.dirname(session.registry), ignore_errors=True)
        session.start(umask=0)
        window = session.main_window()
        if window:
            close_and_wait(session, window)
        mode = os.stat(os.path.dirname(session.registry)).st_mode & 0o777
        report(mode == 0o700, "umask 000", "configuration folder %o" % mode)

        # Closed by the system: the moved window and the changed setting are kept.
        for number in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            session.start()
            window = session.main_window()
            if not window:
                report(False, "closed by %s" % signal.Signals(number).name, "no main window")
                continue
            session.x("xdotool", "windowmove", "--sync", window, str(150 + number), "120")
            session.x("xdotool", "windowactivate", "--sync", window)
            session.x("xdotool", "key", "--clearmodifiers", "ctrl+t")
            time.sleep(0.3)
            bounds = session.outer_bounds(window)
            before = (read_registry(session.registry) or {}).get(SETTINGS_KEY, {}).get("StayOnTop", "0")
            session.copy.send_signal(number)
            ended = session.wait_end()
            status = session.copy.poll()
            if not ended:
                session.copy.kill()
                session.copy.wait()
            keys = read_registry(session.registry) or {}
            stored = decode_placement(keys.get(MAIN_KEY, {}))
            on_top = keys.get(SETTINGS_KEY, {}).get("StayOnTop")
            report(ended and status == 0 and stored == bounds and on_top == ("0" if before == "1" else "1"),
                   "closed by %s" % signal.Signals(number).name,
                   "exit %s, placement %s (window %s), StayOnTop %s" % (status, stored, bounds, on_top))

    # morva-cli: bad lines of standard input fail alone, and a long line costs little.
    data = os.path.join(ROOT, "build", "bin", "Morva.uzd")
    with tempfile.TemporaryFile() as words:
        # Written in pieces, so that this script's own memory does not count for the tool.
        words.write(b"book\n\xc3\n")
        for _ in range(100):
            words.write(b"b" * 1_000_000)
        words.write(b"\nbook\n")
        words.seek(0)
        status, memory, errors = peak_child_mb([CLI, "--data", data, "lookup", "en", "uz", "-"], words)
    report(status == 1 and errors.count("\n") == 2, "morva-cli bad and 100 MB lines",
           "status %d, peak %.0f MB, %d messages" % (status, memory, errors.count("\n")))
    return failures


def main():
    missing = [tool for tool in ("Xvfb", "openbox", "xdotool", "xwininfo", "xprop") if not shutil.which(tool)]
    if missing:
        sys.exit("robustness.py: %s missing; install with: apt-get install -y xvfb openbox xdotool x11-utils"
                 % ", ".join(missing))
    if not os.path.exists(PROGRAM):
        sys.exit("robustness.py: %s is missing; build the program first" % PROGRAM)
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("check", choices=["damaged", "killloop", "manyvalues", "surroundings"])
    parser.add_argument("--display", default=":11")
    parser.add_argument("--kills", type=int, default=200)
    parser.add_argument("--window-ms", type=float, default=120, help="kills land this long after the close request")
    parser.add_argument("--foreign", type=int, default=20000, help="values of another program in the file")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--values", type=int, default=100000)
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    failures = {"damaged": damaged, "killloop": killloop, "manyvalues": manyvalues,
                "surroundings": surroundings}[args.check](args)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
