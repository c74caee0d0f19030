"""The program on a real X display (Xvfb with openbox and trayer), driven as a user drives it:
a word from the command line reaches the running copy, or starts the program, and a word
highlighted in another application shows its card by the pointer without taking the keyboard.
Each test has a private home; every process it starts is ended by it. The figures it prints
(how long a second start takes) are for reading, not checked.
Usage: DesktopTest.py BIN_FOLDER       exit status 77: the X tools are missing (skipped)"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

BIN = Path(sys.argv[1])
TOOLS = ("Xvfb", "openbox", "trayer", "xdotool", "xclip", "xev", "xprop")
SKIPPED = 77
BOUND = 20.0


def WaitFor(condition, bound=BOUND, step=0.05):
    """The first true value of condition() within the bound, else None."""
    end = time.monotonic() + bound
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return None


class Display:
    def __init__(self):
        self.processes = []
        read, write = os.pipe()
        self.Spawn(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                   pass_fds=(write,))
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        assert number, "Xvfb did not start"
        os.environ["DISPLAY"] = ":" + number
        self.Spawn(["openbox"])
        assert WaitFor(lambda: "window id" in self.Output(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"])), \
            "openbox did not start"
        self.Spawn(["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "120",
                    "--heighttype", "pixel", "--height", "24"])
        assert WaitFor(lambda: self.Windows("^panel$", visible=False)), "trayer did not start"

    def Spawn(self, command, **options):
        process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **options)
        self.processes.append(process)
        return process

    @staticmethod
    def Output(command, **options):
        return subprocess.run(command, capture_output=True, text=True, timeout=BOUND, **options).stdout

    def Windows(self, name, visible=True):
        return self.Output(["xdotool", "search"] + (["--onlyvisible"] if visible else []) + ["--name", name]).split()

    def Close(self):
        for process in reversed(self.processes):
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


display = None
MAIN = "^Kovrak MORVA$"


def Card(pair):
    # The window name's letter sign does not survive every encoding the name is read in.
    return "z tarjimasi \\(" + pair + "\\)$"


class DesktopTest(unittest.TestCase):
    def setUp(self):
        self.home = Path(tempfile.mkdtemp(prefix="morva-desktop-"))
        (self.home / "runtime").mkdir(mode=0o700)
        self.env = dict(os.environ, HOME=str(self.home), XDG_CONFIG_HOME=str(self.home / "config"),
                        XDG_RUNTIME_DIR=str(self.home / "runtime"), LANG="ru_RU.UTF-8", QT_QPA_PLATFORM="xcb")
        self.env.pop("LC_ALL", None)
        self.copies = []

    def tearDown(self):
        for copy in self.copies:
            copy.terminate()
            try:
                copy.wait(10)
            except subprocess.TimeoutExpired:
                copy.kill()
                copy.wait()
        shutil.rmtree(self.home, ignore_errors=True)

    def Settings(self, **values):
        folder = self.home / "config" / "kovrak-morva"
        folder.mkdir(parents=True)
        lines = ["REGEDIT4", "", "[HKEY_CURRENT_USER\\Software\\Kovrak\\Morva\\Settings]"]
        lines += [f'"{name}"="{value}"' for name, value in values.items()]
        (folder / "registry.reg").write_text("\r\n".join(lines + [""]))

    def Start(self, *arguments):
        copy = subprocess.Popen([str(BIN / "morva"), *arguments], env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE)
        self.copies.append(copy)
        return copy

    def StartRunning(self, *arguments):
        """A first copy, once it answers later copies (its socket is listed)."""
        copy = self.Start(*arguments)
        name = f"@kovrak-morva-{os.getuid()}-{copy.pid}"
        self.assertTrue(WaitFor(lambda: copy.poll() is None and name in Path("/proc/net/unix").read_text()),
                        "the first copy does not listen")
        return copy

    def SecondStart(self, *arguments):
        """Runs a later copy to its end: its exit status and how long it took."""
        began = time.monotonic()
        second = subprocess.run([str(BIN / "morva"), *arguments], env=self.env, capture_output=True, timeout=BOUND)
        return second.returncode, began

    def CardText(self, window):
        """What the card shows, copied out of it as a user would."""
        subprocess.run(["xdotool", "windowactivate", "--sync", window], timeout=BOUND)
        subprocess.run(["xdotool", "key", "--window", window, "ctrl+a", "ctrl+c"], timeout=BOUND)
        return WaitFor(lambda: display.Output(["xclip", "-o", "-selection", "clipboard"]), bound=5) or ""

    def test_a_word_goes_to_the_running_copy_and_its_card_shows_for_the_chosen_target(self):
        self.Settings(SrcLang="1", DestLang="2")
        self.StartRunning()
        self.assertTrue(WaitFor(lambda: display.Windows(MAIN)))
        status, began = self.SecondStart("book")
        ended = time.monotonic()
        self.assertEqual(status, 0)
        card = WaitFor(lambda: display.Windows(Card("En-Ru")))
        shown = time.monotonic()
        self.assertTrue(card, "no En-Ru card")
        print(f"second start ended after {1000 * (ended - began):.0f} ms, "
              f"card shown after {1000 * (shown - began):.0f} ms", flush=True)
        text = self.CardText(card[0])
        self.assertIn("book", text)
        self.assertIn("\u043a\u043d\u0438\u0433\u0430", text)
        # The main window still shows the Uzbek list it showed.
        self.assertTrue(display.Windows(MAIN))

    def test_a_word_that_comes_while_the_first_copy_starts_shows_once_it_is_ready(self):
        # The first copy listens before its splash and windows: the word waits for them.
        self.StartRunning()
        status, _ = self.SecondStart("pen")
        self.assertEqual(status, 0)
        card = WaitFor(lambda: display.Windows(Card("En-Uz")))
        self.assertTrue(card, "the early word was lost")
        self.assertIn("pen", self.CardText(card[0]))

    def test_from_the_tray_the_card_comes_and_the_program_stays_in_the_tray(self):
        self.StartRunning("/autorun")
        status, _ = self.SecondStart("--", "book")
        self.assertEqual(status, 0)
        self.assertTrue(WaitFor(lambda: display.Windows(Card("En-Uz"))), "no card from the tray")
        self.assertFalse(display.Windows(MAIN))

    def test_with_no_copy_running_the_program_starts_and_shows_the_card(self):
        for arguments, main in ((["book"], True), (["/autorun", "book"], False)):
            with self.subTest(arguments=arguments):
                copy = self.Start(*arguments)
                self.assertTrue(WaitFor(lambda: display.Windows(Card("En-Uz"))), "no card")
                self.assertEqual(bool(WaitFor(lambda: display.Windows(MAIN), bound=2 if not main else BOUND)), main)
                self.assertIsNone(copy.poll())
                copy.terminate()
                copy.wait(10)

    def OtherApplication(self):
        """Another X client with the keyboard focus and the pointer over it."""
        other = display.Spawn(["xev", "-geometry", "300x200+500+150", "-name", "morva-other-client"])
        window = WaitFor(lambda: display.Windows("^morva-other-client$"))
        self.assertTrue(window, "xev did not come up")
        subprocess.run(["xdotool", "windowactivate", "--sync", window[0]], timeout=BOUND)
        subprocess.run(["xdotool", "mousemove", "600", "250"], timeout=BOUND)
        return other, display.Output(["xdotool", "getwindowfocus"]).strip()

    def Highlight(self, text):
        # xclip stays in the background as the selection's owner until the next one.
        subprocess.run(["xclip", "-selection", "primary"], input=text.encode(), timeout=BOUND)

    def test_a_highlighted_word_shows_its_card_by_the_pointer_and_the_keyboard_stays(self):
        self.Settings(WatchSelection="1")
        self.StartRunning()
        self.assertTrue(WaitFor(lambda: display.Windows(MAIN)))
        other, focus = self.OtherApplication()
        self.Highlight("book")
        card = WaitFor(lambda: display.Windows(Card("En-Uz")))
        self.assertTrue(card, "no card by the pointer")
        place = re.search(r"Position: (\d+),(\d+)", display.Output(["xdotool", "getwindowgeometry", card[0]]))
        self.assertLess(abs(int(place[1]) - 600) + abs(int(place[2]) - 250), 120, place[0])
        self.assertEqual(display.Output(["xdotool", "getwindowfocus"]).strip(), focus)
        subprocess.run(["xdotool", "keydown", "Escape"], timeout=BOUND)
        time.sleep(0.3)
        subprocess.run(["xdotool", "keyup", "Escape"], timeout=BOUND)
        self.assertTrue(WaitFor(lambda: not display.Windows(Card("En-Uz"))), "Esc left the card")
        other.terminate()

    def test_with_the_watch_off_a_highlighted_word_shows_nothing(self):
        self.StartRunning()
        self.assertTrue(WaitFor(lambda: display.Windows(MAIN)))
        other, _ = self.OtherApplication()
        self.Highlight("book")
        # Well past the pause after which a watched selection shows its card.
        time.sleep(2.5)
        self.assertFalse(display.Windows("tarjimasi"))
        other.terminate()


if __name__ == "__main__":
    missing = [tool for tool in TOOLS if not shutil.which(tool)]
    if missing:
        print("skipped: missing " + ", ".join(missing))
        sys.exit(SKIPPED)
    display = Display()
    try:
        result = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2).result
    finally:
        display.Close()
    sys.exit(0 if result.wasSuccessful() else 1)
