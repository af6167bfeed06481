"""Runs the real editor under a private X server with a window manager, against the simulated
board on a pseudo-terminal, and drives it with the real mouse and keyboard through xdotool.

Every scenario gets a fresh world: its own X display, openbox, simulator (fresh board memory and
trace), configuration folder and runtime folder. Nothing here sleeps for a fixed time: every step
waits for a condition (a window, a widget, a trace line, a file) with a deadline.

The editor is started with BRV3_WIDGET_MAP=PATH, which makes it keep PATH holding the global
rectangle, enabled state and text of every visible named widget, of the rows of visible lists and
drop-down popups and of the items of open menus. That is how a click finds its target; the
clicks and keys themselves are real X input events.
"""

import atexit
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

BUILD_DIR = os.environ.get("BRV3_BUILD_DIR", os.path.join(os.path.dirname(__file__), "..", "..",
                                                          "build"))
DATA_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
# What the scenarios start outside a session (brivane3-cli) reads no developer's BRV3.ini (a
# language, port names) and speaks English; each session's editor has its own folder.
_OWN_CONFIG = tempfile.mkdtemp(prefix="brv3-acceptance-config-")
atexit.register(shutil.rmtree, _OWN_CONFIG, True)
os.environ["BRV3_CONFIG_DIR"] = _OWN_CONFIG
os.environ["LC_ALL"] = "C.UTF-8"
for _variable in ("LC_MESSAGES", "LANGUAGE"):
    os.environ.pop(_variable, None)

# A step that has not happened after this long has failed. Generous: the machine may be small and
# busy with the rest of the suite.
DEADLINE = float(os.environ.get("BRV3_ACCEPTANCE_DEADLINE", "30"))


def tool(name):
    path = os.path.join(BUILD_DIR, {"brivane3": "src/ui/brivane3",
                                    "qvb3-sim": "src/sim/qvb3-sim",
                                    "brivane3-cli": "src/cli/brivane3-cli"}[name])
    if not os.access(path, os.X_OK):
        raise AssertionError(f"{path} is missing: build the project first")
    return path


class StepFailed(AssertionError):
    pass


def wait_for(condition, what, deadline=DEADLINE):
    """Polls `condition` until it returns something true; fails naming `what` at the deadline."""
    end = time.monotonic() + deadline
    delay = 0.01
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise StepFailed(f"timed out after {deadline:.0f} s waiting for {what}")
        time.sleep(delay)
        delay = min(delay * 2, 0.1)


# Commands the board does not answer (live servo words, live trim words): the editor sends the
# next attention right behind them.
UNANSWERED = (0xFE, 0xFB)


class Trace:
    """The simulator's trace: one line per burst, 'SECONDS > HEX' from the editor, '< HEX' back."""

    def __init__(self, path):
        self.path = path

    def lines(self):
        try:
            with open(self.path, encoding="ascii", errors="replace") as f:
                text = f.read()
        except FileNotFoundError:
            return []
        out = []
        for line in text.splitlines():
            m = re.match(r"\s*([0-9.]+)\s+([<>])\s+(.*)$", line)
            if m:
                out.append((m.group(2), bytes.fromhex(m.group(3).replace(" ", ""))))
        return out

    def mark(self):
        return len(self.lines())

    def host_bytes(self, since=0):
        """Everything the editor sent after line `since`, bursts joined in order."""
        return [data for direction, data in self.lines()[since:] if direction == ">"]

    def frames(self, since=0):
        """The editor's commands after line `since`: an attention burst (0D) starts one, the
        bursts after it up to the board's reply make it up. Each frame starts with 0D."""
        frames, current = [], None
        for direction, data in self.lines()[since:]:
            if direction == "<":
                if current == b"\x0d":
                    continue  # the board acknowledges the attention; the command follows
                if current is not None:
                    frames.append(current)
                current = None
            elif data == b"\x0d":
                if current is not None:
                    frames.append(current)
                current = data
            elif data[0] in UNANSWERED and data[-1:] == b"\x0d" and len(data) > 1:
                # A live command waits for no reply: the next attention comes in the same burst.
                frames.append((current or b"") + data[:-1])
                current = b"\x0d"
            else:
                current = (current or b"") + data
        if current is not None:
            frames.append(current)
        return frames

    def wait_frame(self, predicate, what, since=0, deadline=DEADLINE):
        def found():
            matches = [f for f in self.frames(since) if predicate(f)]
            return matches or None
        return wait_for(found, what, deadline)


class Session:
    """One editor, one simulated board, one X display. Use as a context manager."""

    def __init__(self, test, sim_faults=None):
        self.test = test
        self.sim_faults = sim_faults
        self.procs = []
        self.work = tempfile.mkdtemp(prefix="brv3-acceptance-")
        self.config = os.path.join(self.work, "config")
        self.runtime = os.path.join(self.work, "run")
        self.home = os.path.join(self.work, "home")
        for d in (self.config, self.runtime, self.home):
            os.makedirs(d, mode=0o700)
        self.link = os.path.join(self.work, "qvb3")
        self.state = os.path.join(self.work, "sim.state")
        self.trace = Trace(os.path.join(self.work, "trace.log"))
        self.map_path = os.path.join(self.work, "widgets.json")
        self.env = None
        self.editor = None
        self.sim = None

    # -- life cycle -------------------------------------------------------------------------

    def __enter__(self):
        try:
            self._start_x()
            self.start_sim()
            self.start_editor()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, kind, value, tb):
        if kind is not None:
            self.screenshot("failure")
            self._dump_logs()
        self.close()
        return False

    def _spawn(self, args, **kw):
        proc = subprocess.Popen(args, **kw)
        self.procs.append(proc)
        return proc

    def _start_x(self):
        for prog in ("Xvfb", "openbox", "xdotool"):
            if not shutil.which(prog):
                raise AssertionError(f"{prog} is missing: run scripts/bootstrap")
        read_fd, write_fd = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1400x900x24",
                     "-nolisten", "tcp", "-noreset"], pass_fds=(write_fd,),
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            raise AssertionError("Xvfb did not start")
        self.env = dict(os.environ)
        for key in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "SESSION_MANAGER"):
            self.env.pop(key, None)
        self.env.update({"DISPLAY": ":" + number, "HOME": self.home,
                         "XDG_RUNTIME_DIR": self.runtime, "XDG_CONFIG_HOME":
                         os.path.join(self.home, ".config"), "QT_QPA_PLATFORM": "xcb",
                         "LC_ALL": "C.UTF-8"})
        self._spawn(["openbox", "--sm-disable"], env=self.env, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
        # openbox names the current desktop once it manages the screen.
        wait_for(lambda: self.xdo_ok("get_desktop"), "the window manager")

    def start_sim(self, state=None):
        args = [tool("qvb3-sim"), "--link", self.link, "--state", state or self.state,
                "--trace", self.trace.path, "--commands"]
        if self.sim_faults:
            args += ["--faults", self.sim_faults]
        self.sim_log = open(os.path.join(self.work, "sim.log"), "w")
        self.sim = self._spawn(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               stderr=self.sim_log, text=True)
        first = self.sim.stdout.readline()
        if not first.strip():
            raise AssertionError("qvb3-sim did not start: " + self.read(self.sim_log.name))

    def stop_sim(self):
        """Ends the simulator as a power-off does; its memory stays in the state file."""
        self.sim.send_signal(signal.SIGTERM)
        self.sim.wait(DEADLINE)
        wait_for(lambda: not os.path.lexists(self.link), "the simulator's link to go")

    def sim_command(self, line):
        """A line for the simulator's --commands input (analog or remote values)."""
        self.sim.stdin.write(line + "\n")
        self.sim.stdin.flush()

    def start_editor(self, *args, extra_env=None):
        env = dict(self.env)
        env.update(extra_env or {})
        env.update({"BRV3_COM1": self.link, "BRV3_CONFIG_DIR": self.config,
                    "BRV3_WIDGET_MAP": self.map_path})
        # A map left by an editor that has ended would answer for the new one.
        if os.path.exists(self.map_path):
            os.remove(self.map_path)
        self.editor_log = open(os.path.join(self.work, "editor.log"), "w")
        self.editor = self._spawn([tool("brivane3"), *args], env=env,
                                  stdout=self.editor_log, stderr=subprocess.STDOUT)
        self.window("Brivane3")
        self.wait_active("Brivane3")

    def quit_editor(self):
        """Ends the editor as the window manager's close does, answering no save question."""
        self.editor.send_signal(signal.SIGTERM)
        self.editor.wait(DEADLINE)

    def close(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.terminate()
        for proc in reversed(self.procs):
            try:
                proc.wait(10)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
        for proc in self.procs:
            for stream in (proc.stdin, proc.stdout):
                if stream:
                    stream.close()
        for log in ("sim_log", "editor_log"):
            if getattr(self, log, None):
                getattr(self, log).close()
        if os.environ.get("BRV3_ACCEPTANCE_KEEP"):
            print(f"kept {self.work}")
        else:
            shutil.rmtree(self.work, ignore_errors=True)

    @staticmethod
    def read(path):
        try:
            with open(path, encoding="utf-8", errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def _dump_logs(self):
        print("---- editor output ----\n" + self.read(os.path.join(self.work, "editor.log")))
        print("---- simulator output ----\n" + self.read(os.path.join(self.work, "sim.log")))
        lines = self.read(self.trace.path).splitlines()
        print(f"---- trace (last 40 of {len(lines)} lines) ----\n" + "\n".join(lines[-40:]))

    def screenshot(self, label, window=None, name=None):
        """Saves the screen (or only the window named `window`) as a PNG beside the build (when
        ImageMagick is there) for a look; named after the scenario and `label`, or `name`."""
        if not shutil.which("import") or not self.env:
            return
        folder = os.path.join(BUILD_DIR, "acceptance-screens")
        os.makedirs(folder, exist_ok=True)
        out = os.path.join(folder, name or f"{self.test.id().split('.')[-1]}-{label}.png")
        target = "root"
        if window:
            shown = next((w for w in self.map()["windows"] if w["name"] == window), None)
            if shown and shown.get("xid"):
                target = str(shown["xid"])
        frame = [] if target == "root" else ["-frame"]  # with the title bar
        subprocess.run(["import", *frame, "-window", target, out], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        print(f"screenshot: {out}")

    # -- the widget map -------------------------------------------------------------------------

    def map(self):
        try:
            with open(self.map_path, encoding="utf-8") as f:
                return json.load(f)
        except (OSError, ValueError):
            return {"windows": [], "widgets": []}

    def fresh_map(self):
        """A description the editor wrote after this call."""
        since = time.time() * 1000
        return wait_for(lambda: (lambda m: m if m.get("stamp", 0) > since else None)(self.map()),
                        "a fresh widget map")

    def steady(self, pick, what):
        """What `pick(map)` finds once two fresh descriptions agree (a window or a popup that
        has just appeared may still be moving or scrolling)."""
        def agreed():
            first = pick(self.fresh_map())
            return first if first and first == pick(self.fresh_map()) else None
        return wait_for(agreed, what)

    def find(self, name, window=None, snapshot=None):
        snapshot = snapshot or self.map()
        for w in snapshot["widgets"]:
            if w["name"] == name and (window is None or w.get("window") == window):
                return w
        return None

    def widget(self, name, window=None, what=None, condition=None):
        """Waits until the named widget is visible (and `condition(widget)` holds)."""
        def ready():
            w = self.find(name, window)
            if w and w["w"] > 0 and (condition is None or condition(w)):
                return w
            return None
        where = f" in {window}" if window else ""
        return wait_for(ready, what or f"widget {name}{where}")

    def window(self, name):
        def shown():
            for w in self.map()["windows"]:
                if w["name"] == name:
                    return w
            return None
        return wait_for(shown, f"window {name}")

    def window_gone(self, name):
        wait_for(lambda: all(w["name"] != name for w in self.map()["windows"]),
                 f"window {name} to close")

    def close_window(self, name):
        """Alt+F4 to the window manager, as a person closes a window. On a loaded machine the
        window manager can still be busy with the last drag and drop the key; a person would
        press it again, and so does this."""
        self.wait_active(name)
        for attempt in range(3):
            self.key("alt+F4")
            try:
                wait_for(lambda: not self.window_shown(name), f"window {name} to close",
                         deadline=DEADLINE / 3)
                return
            except StepFailed:
                if attempt == 2:
                    raise

    def window_shown(self, name):
        return any(w["name"] == name for w in self.map()["windows"])

    def wait_active(self, name):
        wait_for(lambda: self.map().get("active") == name, f"window {name} to be active")

    # -- input ----------------------------------------------------------------------------------

    def xdo(self, *args):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                                text=True, timeout=DEADLINE)
        if result.returncode != 0:
            raise StepFailed(f"xdotool {' '.join(map(str, args))}: {result.stderr.strip()}")
        return result.stdout

    def xdo_ok(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                              timeout=DEADLINE).returncode == 0

    @staticmethod
    def centre(rect):
        return rect["x"] + rect["w"] // 2, rect["y"] + rect["h"] // 2

    def pointer(self):
        out = self.xdo("getmouselocation", "--shell")
        values = dict(line.split("=", 1) for line in out.split())
        return int(values["X"]), int(values["Y"])

    def move_to(self, x, y):
        # Not --sync: it waits for a motion event, which never comes when the pointer is there.
        self.xdo("mousemove", x, y)
        wait_for(lambda: self.pointer() == (x, y), f"the pointer at {x}, {y}")

    def click_at(self, x, y, button=1, repeat=1):
        self.move_to(x, y)
        if repeat > 1:
            self.xdo("click", "--repeat", repeat, "--delay", 80, button)
        else:
            self.xdo("click", button)

    def click(self, name, window=None, button=1, repeat=1, dx=None, dy=None):
        """Clicks the middle of a named, enabled widget (or the point dx, dy inside it)."""
        self.widget(name, window, condition=lambda w: w["enabled"],
                    what=f"enabled widget {name}")
        w = self.steady(lambda m: self.find(name, window, m), f"widget {name} to hold still")
        x, y = self.centre(w)
        if dx is None and w["class"] in ("QCheckBox", "QRadioButton"):
            dx = 8  # on the box: the rest of a wide check box's row takes no click
        if dx is not None:
            x = w["x"] + dx
        if dy is not None:
            y = w["y"] + dy
        self.click_at(x, y, button, repeat)
        return w

    def key(self, *keys):
        for k in keys:
            self.xdo("key", "--delay", 30, k)

    def type(self, text):
        self.xdo("type", "--delay", 30, "--", text)

    def focus(self, name, window=None):
        """Clicks a line edit and waits for the keyboard focus to be there."""
        self.click(name, window)
        wait_for(lambda: self.map().get("focus") == name, f"focus on {name}")

    def drag(self, start, end, steps=8):
        """Presses the left button at `start`, moves in steps to `end` and releases there."""
        self.move_to(*start)
        self.xdo("mousedown", 1)
        (x0, y0), (x1, y1) = start, end
        for i in range(1, steps + 1):
            self.move_to(x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps)
        self.xdo("mouseup", 1)

    def drag_slider(self, name, window, fraction, steps=12):
        """Drags the named slider's handle to `fraction` of its width as a person does. The handle is taken from a
        settled description, and the drag starts only once the slider says it holds the handle: a
        press that lands while the window is still being placed or focused is released and
        made again."""
        for _ in range(3):
            slider = self.steady(lambda m: self.find(name, window, m), f"slider {name} to hold still")
            start = self.centre(slider["handle"])
            self.move_to(*start)
            self.xdo("mousedown", 1)
            try:
                wait_for(lambda: (self.find(name, window, self.fresh_map()) or {}).get("down"),
                         f"slider {name} to take the handle", deadline=3)
            except AssertionError:
                print(f"slider {name} did not take the press at {start}; pressing again",
                      file=sys.stderr)
                self.xdo("mouseup", 1)
                continue
            x0, y = start
            to_x = slider["x"] + int(slider["w"] * fraction)
            for i in range(1, steps + 1):
                self.move_to(x0 + (to_x - x0) * i // steps, y)
            self.xdo("mouseup", 1)
            return slider
        raise StepFailed(f"slider {name} never took the handle")

    def choose(self, combo, text, window=None, keyboard=False, then_dialog=False, prefix=False):
        """Picks `text` in a drop-down list as a person does: opens the popup with a click, then
        clicks the row, or (keyboard) arrows to it and presses Return. With `prefix`, the first
        row that starts with `text`."""
        same = (lambda t: t.startswith(text)) if prefix else (lambda t: t == text)
        w = self.click(combo, window)
        self.widget(combo + "/popup", what=f"the popup of {combo}",
                    condition=lambda p: p.get("items"))
        popup = self.steady(lambda m: self.find(combo + "/popup", None, m),
                            f"the popup of {combo} to hold still")
        rows = popup["items"]
        target = next((r for r in rows if same(r["text"])), None)
        if keyboard:
            texts = [r["text"] for r in rows]
            wanted = next((i for i, t in enumerate(texts) if same(t)), None)
            if wanted is None:
                raise StepFailed(f"{combo} offers no '{text}' on screen: {texts}")
            current = texts.index(w["text"]) if w["text"] in texts else 0
            step = wanted - current
            for _ in range(abs(step)):
                self.key("Down" if step > 0 else "Up")
            self.key("Return")
        else:
            # A row out of sight is scrolled to with the wheel over the list, as a person does:
            # down until the list stops moving, then up.
            for wheel in (5, 4):
                while target is None:
                    self.move_to(*self.centre(popup))
                    self.xdo("click", wheel)
                    before = [r["row"] for r in rows]
                    moved = self.steady(lambda m: self.find(combo + "/popup", None, m),
                                        f"the popup of {combo} to hold still")
                    if [r["row"] for r in moved["items"]] == before:
                        break  # the end of the list
                    popup, rows = moved, moved["items"]
                    target = next((r for r in rows if same(r["text"])), None)
            if target is None:
                raise StepFailed(f"{combo} offers no '{text}': {[r['text'] for r in rows]}")
            # Near the row's left end: a release where the press that opened the list was, within
            # a double-click time, is not a choice (the hand moves on first).
            self.click_at(target["x"] + min(16, target["w"] // 4), self.centre(target)[1])
        if then_dialog:  # the choice opens a dialog of its own
            return
        wait_for(lambda: self.find(combo + "/popup") is None, f"the popup of {combo} to close")
        self.widget(combo, window, condition=lambda c: same(c["text"]),
                    what=f"{combo} to show '{text}'")

    def menu(self, *path):
        """Opens a main-window menu with the mouse and clicks down the path of item texts."""
        bar = wait_for(lambda: next((w for w in self.map()["widgets"]
                                     if w["class"] == "QMenuBar" and w.get("items")), None),
                       "the menu bar")
        first = next((i for i in bar["items"] if i["text"].replace("&", "") == path[0]), None)
        if first is None:
            raise StepFailed(f"no menu {path[0]} in {[i['text'] for i in bar['items']]}")
        self.click_at(*self.centre(first))
        for i, text in enumerate(path[1:]):
            self.menu_item(text, closes=i == len(path) - 2)

    def menu_item(self, text, closes=True):
        """Clicks the enabled item `text` of the open pop-up menu."""
        def item(snapshot=None):
            for w in (snapshot or self.map())["widgets"]:
                if w["class"] == "QMenu":
                    for i in w.get("items", []):
                        if i["text"].replace("&", "").split("\t")[0] == text and i["enabled"]:
                            return i
            return None
        wait_for(item, f"menu item {text}")
        self.click_at(*self.centre(self.steady(item, f"menu item {text} to hold still")))
        if closes:
            wait_for(lambda: not self.map().get("popup"), f"the menu to close after {text}")

    # -- the port and the chart -----------------------------------------------------------------

    def choose_com1(self):
        self.choose("CommPort", "COM1", "Brivane3")
        wait_for(lambda: "COM1 OK" in self.status_text(), "the status line to read COM1 OK")

    def status_text(self):
        snap = self.map()
        return " ".join(w.get("text", "") for w in snap["widgets"]
                        if w.get("window") == "Brivane3" and
                        re.fullmatch(r"Panel\d|Edit2", w["name"]))

    def canvas_point(self, x, y):
        """The screen point of canvas point x, y (the canvas scrolled to its origin)."""
        canvas = self.widget("Image1", "Brivane3")
        return canvas["x"] + x, canvas["y"] + y

    def place(self, tool_button, x, y):
        """Places a part with the parts toolbar at canvas point x, y and goes back to Select."""
        self.click(tool_button, "Brivane3")
        self.click_at(*self.canvas_point(x, y))
        self.click("SelectBtn", "Brivane3")

    def dump_chart(self, path):
        """The chart file as the CLI reads it (JSON)."""
        out = subprocess.run([tool("brivane3-cli"), "dump", path], capture_output=True,
                             text=True, timeout=DEADLINE)
        if out.returncode != 0:
            raise StepFailed(f"brivane3-cli dump {path}: {out.stderr}")
        return json.loads(out.stdout)

    def save_as(self, path):
        """File > Save As through the file dialog, typing the path."""
        self.menu("File", "Save As...")
        self.file_dialog(path)
        wait_for(lambda: os.path.exists(path), f"{path} to be written")

    def file_dialog(self, path):
        """Types a full path into the open file dialog and accepts it."""
        dialog = wait_for(lambda: next((w for w in self.map()["windows"]
                                        if w["class"] == "QFileDialog"), None), "a file dialog")
        wait_for(lambda: self.map().get("activeClass") == "QFileDialog",
                 "the file dialog to be active")
        edit = wait_for(lambda: next((w for w in self.map()["widgets"]
                                      if w["name"] == "fileNameEdit"), None),
                        "the file dialog's name box")
        self.click_at(*self.centre(edit))
        self.key("ctrl+a")
        self.type(path)
        self.key("Return")
        wait_for(lambda: not any(w["class"] == "QFileDialog" for w in self.map()["windows"]),
                 "the file dialog to close")


class AcceptanceTest(unittest.TestCase):
    """Base of the scenarios: `self.s` is a fresh session with COM1 chosen."""

    choose_port = True

    def setUp(self):
        self.s = Session(self)
        self.s.__enter__()
        if self.choose_port:
            try:
                self.s.choose_com1()
            except BaseException:
                self.s.__exit__(*sys.exc_info())
                raise

    def tearDown(self):
        # The screenshot and the logs are for a scenario that failed.
        result = self._outcome.result
        failed = any(test is self for test, _ in result.failures + result.errors)
        if failed:
            self.s.__exit__(AssertionError, None, None)
        else:
            self.s.__exit__(None, None, None)
