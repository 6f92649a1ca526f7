"""The end-to-end harness: a virtual X display with a Wine prefix, and the hands that drive TalsekTray.

    harness.py setup    --state FILE [paths]   start Xvfb, make the Wine prefix, keep wineserver up
    harness.py teardown --state FILE           end what setup started
    harness.py menu-screenshot --state FILE --out OUT.png [--shortcuts]   open the tray menu and save a picture of it

The cases (cases.py) load the state file and use `Session`. Every wait is a poll with a deadline.
"""

from __future__ import annotations

import argparse
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback
from dataclasses import dataclass
from pathlib import Path
from typing import Callable

SETTINGS_KEY = r"HKCU\Software\Holvarin\Talsek"
TRAY_WINDOW = "Wine System Tray"


def not_started(output: bytes) -> bool:
    """Whether Wine's own starter failed to start a program (it then prints this itself; seen now and
    then under load, before the program ran at all)."""
    return b"ShellExecuteEx failed" in output


class CaseFailure(Exception):
    """A check that did not hold: what was checked, what was expected and what was seen."""

    def __init__(self, what: str, expected, seen):
        super().__init__(what)
        self.what, self.expected, self.seen = what, expected, seen


def show(value) -> str:
    """A readable rendering that keeps every byte visible (cp1252 bytes shown as escapes)."""
    if isinstance(value, (bytes, bytearray)):
        if len(value) > 400:
            return f"<{len(value)} bytes> {bytes(value[:160])!r} ... {bytes(value[-80:])!r}"
        return repr(bytes(value))
    return repr(value)


def first_difference(a: bytes, b: bytes) -> str:
    n = next((i for i in range(min(len(a), len(b))) if a[i] != b[i]), min(len(a), len(b)))
    return (f"first difference at byte {n}: expected {bytes(a[max(0, n - 20):n + 20])!r}, "
            f"seen {bytes(b[max(0, n - 20):n + 20])!r} (lengths {len(a)} and {len(b)})")


def poll(timeout: float, condition: Callable[[], object], interval: float = 0.05):
    """Calls `condition` until it returns something true or `timeout` seconds have passed; returns the last value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)


def end(process: subprocess.Popen, timeout: float = 10) -> int | None:
    """Waits up to `timeout` seconds for `process` to end and kills it if it has not; returns its exit
    code, or None when it had to be killed."""
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
        return None


# ---- how X and Wine carry clipboard text ------------------------------------------------------------
# Wine hands X the clipboard as UTF-8 with each carriage return + line feed turned into a line feed;
# the bytes that code page 1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) travel as the C1
# characters of the same number, as Windows' own conversion does. Coming from X, a lone line feed
# becomes carriage return + line feed.

def cp1252_to_text(data: bytes) -> str:
    return "".join(bytes([c]).decode("cp1252", errors="ignore") or chr(c) for c in data)


def text_to_cp1252(text: str) -> bytes:
    out = bytearray()
    for ch in text:
        try:
            out += ch.encode("cp1252")
        except UnicodeEncodeError:
            if ord(ch) > 255:
                raise
            out.append(ord(ch))
    return bytes(out)


def as_x_sees_it(program_bytes: bytes) -> str:
    return cp1252_to_text(program_bytes).replace("\r\n", "\n")


def as_program_sees_it(x_text: str) -> bytes:
    data = text_to_cp1252(x_text)
    out = bytearray()
    for i, c in enumerate(data):
        if c == 10 and (i == 0 or data[i - 1] != 13):
            out.append(13)
        out.append(c)
    return bytes(out)


# ---- the environment --------------------------------------------------------------------------------

@dataclass
class State:
    display: str
    prefix: str
    xvfb_pid: int
    work: str
    artifacts: str
    probe: str
    standin: str
    program: str

    @staticmethod
    def load(path: Path) -> "State":
        return State(**json.loads(path.read_text()))


def _platform() -> dict:
    """scripts/platform.sh's verdict: whether 32-bit programs run here, and the Wine loader to use."""
    done = subprocess.run(["bash", str(Path(__file__).resolve().parents[2] / "scripts" / "platform.sh")],
                          capture_output=True, text=True, check=True)
    return dict(line.split("=", 1) for line in done.stdout.splitlines() if "=" in line)


PLATFORM = _platform()
# Every Wine call starts this loader: on a machine without 32-bit support Debian's `wine` would pick
# the 32-bit one whenever wine32 is installed, and that one cannot start there.
WINE = PLATFORM["TALSEK_WINE"]


def wine_env(display: str | None = None, prefix: str | None = None) -> dict:
    """The environment of every Wine call; `display` and `prefix` set DISPLAY and WINEPREFIX."""
    env = dict(os.environ)
    if "WINELOADER" in PLATFORM:
        env["WINELOADER"] = PLATFORM["WINELOADER"]
    if display:
        env["DISPLAY"] = display
    if prefix:
        env["WINEPREFIX"] = prefix
    env.update({
        "WINEDEBUG": "-all",
        # No Mono or Gecko installer prompts, no desktop menu entries written for the prefix.
        "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
    })
    return env


def free_display() -> str:
    for n in range(90, 200):
        if not Path(f"/tmp/.X{n}-lock").exists() and not Path(f"/tmp/.X11-unix/X{n}").exists():
            return f":{n}"
    raise RuntimeError("no free X display number between :90 and :199")


def measurement_paths(build: Path, name: str) -> argparse.Namespace:
    """The environment of a measuring script (`name`) in a build folder: its own state, work folder and
    prefix beside the tests', with the build's program and probes."""
    e2e = build / "tests" / "e2e"
    return argparse.Namespace(state=str(e2e / f"{name}-state.json"), work=str(e2e / f"{name}-work"),
                              artifacts=str(e2e / f"{name}-artifacts"), probe=str(e2e / "probe.exe"),
                              standin=str(e2e / "talsek.exe"), program=str(build / "TalsekTray" / "TalsekTray.exe"))


def in_measurement(paths: argparse.Namespace, name: str, measure: Callable[[Session], object]):
    """Sets the environment up, runs `measure` with a session in it and ends it all; returns what
    `measure` returned, or None after saying why it failed."""
    try:
        if setup(paths) != 0:
            return None
        session = Session(State.load(Path(paths.state)), name)
        try:
            return measure(session)
        finally:
            session.close()
    except CaseFailure as failure:
        print(f"{name}: {failure.what}: expected {failure.expected}, seen {failure.seen}", file=sys.stderr)
        return None
    finally:
        teardown(paths)


def setup(args) -> int:
    state_path = Path(args.state)
    if state_path.exists():
        teardown(args)
    work = Path(args.work)
    shutil.rmtree(work, ignore_errors=True)
    for sub in ("app", "talsek", "empty", "logs"):
        (work / sub).mkdir(parents=True)
    artifacts = Path(args.artifacts)
    shutil.rmtree(artifacts, ignore_errors=True)
    artifacts.mkdir(parents=True)
    logs = work / "logs"

    display = free_display()
    # Detached, with its output in a file: a child that held ctest's pipe would keep the test running.
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                            stdin=subprocess.DEVNULL, stdout=open(logs / "xvfb.log", "wb"),
                            stderr=subprocess.STDOUT, start_new_session=True)
    ok = poll(15, lambda: subprocess.run(["xdpyinfo", "-display", display], capture_output=True).returncode == 0
              or xvfb.poll() is not None, 0.1)
    if not ok or xvfb.poll() is not None:
        print(f"e2e setup: Xvfb did not come up on {display}", file=sys.stderr)
        return 1

    prefix = work / "wineprefix"
    env = wine_env(display, str(prefix))
    state = State(display=display, prefix=str(prefix), xvfb_pid=xvfb.pid, work=str(work.resolve()),
                  artifacts=str(artifacts.resolve()), probe=str(Path(args.probe).resolve()),
                  standin=str(Path(args.standin).resolve()), program=str(Path(args.program).resolve()))
    state_path.write_text(json.dumps(state.__dict__, indent=2))

    started = time.monotonic()
    prefix.mkdir()
    with open(logs / "wineboot.log", "wb") as log:
        # A persistent server first (it needs the prefix folder to exist), so that every later `wine`
        # start finds it running instead of paying for a new server and its services each time.
        subprocess.run(["wineserver", "-p"], env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        boot = subprocess.run([WINE, "wineboot", "-i"], env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                              timeout=300)
    if boot.returncode != 0:
        print(f"e2e setup: wineboot -i failed ({boot.returncode}); see {logs / 'wineboot.log'}", file=sys.stderr)
        return 1
    with tempfile.TemporaryFile() as out:
        subprocess.run([WINE, args.probe, "acp"], env=env, stdin=subprocess.DEVNULL, stdout=out,
                       stderr=subprocess.DEVNULL, timeout=60)
        out.seek(0)
        acp = subprocess.CompletedProcess([], 0, out.read(), b"")
    if b"acp=1252" not in acp.stdout:
        print(f"e2e setup: the prefix's ANSI code page is not 1252: {acp.stdout!r} {acp.stderr!r}", file=sys.stderr)
        return 1
    print(f"e2e setup: display {display}, prefix {prefix} ready in {time.monotonic() - started:.1f} s")
    return 0


def teardown(args) -> int:
    state_path = Path(args.state)
    if not state_path.exists():
        return 0
    state = State.load(state_path)
    subprocess.run(["wineserver", "-k"], env=wine_env(state.display, state.prefix), capture_output=True, timeout=60)
    try:
        os.kill(state.xvfb_pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    poll(10, lambda: not Path(f"/proc/{state.xvfb_pid}").exists() or
         Path(f"/proc/{state.xvfb_pid}/stat").read_text().split()[2] == "Z")
    shutil.rmtree(state.prefix, ignore_errors=True)
    state_path.unlink()
    print(f"e2e teardown: display {state.display} and its Wine server ended")
    return 0


# ---- driving the program ----------------------------------------------------------------------------

@dataclass
class Box:
    caption: bytes
    text: bytes
    button: bytes
    buttons: int
    icon: str


class Session:
    """One group's view of the environment: the probe, the registry, the clipboard and the program."""

    def __init__(self, state: State, group: str):
        self.state = state
        self.group = group
        self.env = wine_env(state.display, state.prefix)
        self.work = Path(state.work)
        self.artifacts = Path(state.artifacts)
        self.program: subprocess.Popen | None = None
        self.form: str | None = None
        self._clip_owner: subprocess.Popen | None = None
        self._started: list[subprocess.Popen] = []

    # -- Windows paths: Wine maps the whole Unix tree to drive Z:.
    @staticmethod
    def windows_path(path: Path, trailing_separator: bool = False) -> str:
        text = "Z:" + str(path).replace("/", "\\")
        return text + "\\" if trailing_separator else text

    def wine(self, *args: str, timeout: float = 60, cwd: Path | None = None) -> subprocess.CompletedProcess:
        attempts = 3
        while True:
            attempts -= 1
            # Output goes through files, not pipes: a Wine service that the call happens to start would
            # inherit a pipe and keep it open long after the call itself has ended.
            with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
                done = subprocess.run([WINE, *args], env=self.env, stdout=out, stderr=err, timeout=timeout,
                                      cwd=cwd or self.work / "empty", stdin=subprocess.DEVNULL)
                out.seek(0)
                err.seek(0)
                done = subprocess.CompletedProcess(done.args, done.returncode, out.read(), err.read())
            if attempts == 0 or not not_started(done.stdout + done.stderr):
                return done
            print(f"note: Wine did not start {args[0]}; it is started again", flush=True)

    def probe(self, *args: str, timeout: float = 60) -> tuple[int, dict]:
        return self.run_probe(self.state.probe, "probe", *args, timeout=timeout)

    def run_probe(self, exe: str, name: str, *args: str, timeout: float = 60) -> tuple[int, dict]:
        """Runs a probe program (`name` in messages): its exit code (0 done, 1 not done) and its
        "key=value" lines; any other exit code is a failure."""
        done = self.wine(exe, *args, timeout=timeout)
        values = {}
        for line in done.stdout.decode("latin-1").splitlines():
            key, _, value = line.partition("=")
            values[key.strip()] = value.strip()
        said = done.stderr.decode('latin-1').strip()
        if done.returncode not in (0, 1):
            raise CaseFailure(f"{name} {' '.join(args)} runs", "exit code 0 or 1", f"{done.returncode}: {said}")
        if done.returncode == 1:
            values.setdefault("said", said.splitlines()[-1] if said else "nothing on stderr")
        return done.returncode, values

    def x(self, *args: str, timeout: float = 10, data: bytes | None = None) -> subprocess.CompletedProcess:
        return subprocess.run(list(args), env=self.env, capture_output=True, timeout=timeout, input=data)

    def screenshot(self, name: str) -> Path:
        out = self.artifacts / f"{name}.png"
        self.x("import", "-display", self.state.display, "-window", "root", str(out), timeout=30)
        return out

    # -- the registry, through Wine's own reg.exe
    def reg_delete_key(self) -> None:
        self.wine("reg", "delete", SETTINGS_KEY, "/f")

    def reg_add(self, name: str, kind: str, data: str) -> None:
        done = self.wine("reg", "add", SETTINGS_KEY, "/v", name, "/t", kind, "/d", data, "/f")
        if done.returncode != 0:
            raise CaseFailure(f"reg add {name} {kind} {data!r}", "exit code 0", done.stderr.decode("latin-1"))

    def reg_delete(self, name: str) -> None:
        self.wine("reg", "delete", SETTINGS_KEY, "/v", name, "/f")

    def settings(self, values: dict) -> None:
        """Makes the settings key hold exactly `values`: int/bool → REG_DWORD, str → REG_SZ,
        (type, data) → that type; an empty dict leaves an empty key."""
        self.reg_delete_key()
        done = self.wine("reg", "add", SETTINGS_KEY, "/f")
        if done.returncode != 0:
            raise CaseFailure("the settings key can be created", "exit code 0", done.stderr.decode("latin-1"))
        for name, value in values.items():
            if isinstance(value, tuple):
                self.reg_add(name, *value)
            elif isinstance(value, (bool, int)):
                self.reg_add(name, "REG_DWORD", str(int(value)))
            else:
                self.reg_add(name, "REG_SZ", value)

    # -- the clipboard
    def clip_put(self, x_text: str) -> bytes:
        """Copies `x_text` on the X side as a Linux program would; returns the bytes the program gets."""
        if self._clip_owner and self._clip_owner.poll() is None:
            self._clip_owner.kill()
            self._clip_owner.wait()
        data = x_text.encode("utf-8")
        # -quiet keeps xclip in the foreground, so it is our child and ends when it loses the selection.
        owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"], env=self.env,
                                 stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        owner.stdin.write(data)
        owner.stdin.close()
        self._clip_owner = owner
        expected = as_program_sees_it(x_text)
        seen = poll(15, lambda: self.clip_exact() == expected and expected, 0.2)
        if not seen:
            raise CaseFailure("the text copied on X arrives in Wine's clipboard", expected, self.clip_exact())
        return expected

    def clip_x(self, timeout: float = 10) -> str | None:
        """The clipboard as an X program reads it (None when xclip gives nothing within `timeout` s)."""
        try:
            done = self.x("xclip", "-o", "-selection", "clipboard", timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
        if done.returncode != 0:
            return None
        # Wine's rich edit hands out its multi-line text in a block with one spare character per line
        # break after the terminating zero, left uninitialised, and Wine's bridge to X passes that
        # block on in full; Windows programs stop at the zero, and so does this reading.
        return done.stdout.decode("utf-8", errors="replace").split("\0")[0]

    def clip_exact(self) -> bytes:
        """The clipboard's CF_TEXT as a Windows program reads it, byte for byte."""
        rc, values = self.probe("clip-get")
        return bytes.fromhex(values.get("clip", "")) if rc == 0 else b""

    def expect_clipboard(self, what: str, before: bytes, expected: bytes, timeout: float = 15) -> None:
        """Waits for a command's result (the clipboard turns into `expected`, or into anything else and
        stays so) and checks it as Windows and as X programs see it."""
        stable = {"last": None}

        def settled():
            seen = self.clip_exact()
            if seen == expected:
                return True
            done = seen != before and seen == stable["last"]
            stable["last"] = seen
            return done

        poll(timeout, settled, 0.2 if len(expected) < 100000 else 1.0)
        seen = self.clip_exact()
        if seen != expected:
            _, idle = self.probe("idle", "1000")
            state = "unchanged" if seen == before else "changed"
            busy = {"1": "idle", "0": "busy"}.get(idle.get("idle"), "gone")
            raise CaseFailure(f"{what} (clipboard as a Windows program reads it)", expected,
                              f"{show(seen)}\n    {first_difference(expected, seen)}\n"
                              f"    clipboard {state} after {timeout:.0f} s; the program is {busy}")
        seen_x = self.clip_x()
        if seen_x != as_x_sees_it(expected):
            raise CaseFailure(f"{what} (clipboard as xclip reads it)", as_x_sees_it(expected), seen_x)

    def watch_clipboard(self, during: Callable[[], object], record: str) -> list[dict]:
        """Runs `during` while the probe reads the clipboard at every update, as a history service does.
        Returns the updates (CF_TEXT bytes, the two DWORDs as "value/size" or "-", the format names) and
        keeps the record as printed in the artefacts folder as `record`.txt."""
        watcher, out = self.probe_beside(b"watching=1", "the probe watches the clipboard", "clip-watch",
                                         out=self.artifacts / f"{record}.txt")
        try:
            during()
        finally:
            self.probe("clip-watch-stop")
            end(watcher, 30)
        updates = []
        for line in out.read_bytes().decode("latin-1").splitlines():
            if line.startswith("update"):
                text, history, cloud, formats = line.partition("=")[2].split(" ", 3)
                updates.append({"text": bytes.fromhex(text.partition("=")[2]), "history": history.partition("=")[2],
                                "cloud": cloud.partition("=")[2], "formats": formats.partition("=")[2].split("|")})
        return updates

    # -- the program
    @property
    def app_folder(self) -> Path:
        return self.work / "app"

    def start(self, cwd: Path | None = None, folder: Path | None = None) -> subprocess.Popen:
        """Starts TalsekTray from a copy in the work folder (or in `folder`), so that its own folder
        (the fallback for a missing "Programmpfad") is one the cases control."""
        built = Path(self.state.program)
        if not built.exists():
            raise CaseFailure("the program has been built", str(built), "no such file")
        exe = (folder or self.app_folder) / "TalsekTray.exe"
        if not exe.exists() or exe.stat().st_mtime != built.stat().st_mtime:
            shutil.copy2(built, exe)
        log = open(self.work / "logs" / f"program-{self.group}.log", "ab")
        process = subprocess.Popen([WINE, str(exe)], env=self.env, cwd=cwd or self.work / "empty",
                                   stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        if self.program is None or self.program.poll() is not None:
            self.program = process
        self._started.append(process)
        return process

    def start_beside(self, *command: str) -> subprocess.Popen:
        """Starts another Windows program beside the case (Wine's own, by its Windows path); it is
        killed when the case ends."""
        process = subprocess.Popen([WINE, *command], env=self.env, cwd=self.work / "empty", stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self._started.append(process)
        return process

    def wait_form(self, timeout_ms: int = 20000) -> str:
        rc, values = self.probe("wait-form", str(timeout_ms))
        if rc != 0:
            raise CaseFailure("the program's hidden form exists", "a top-level \"TalsekTray\" of the form's class",
                              "none within the time")
        self.form = values["form"]
        return self.form

    def wait_box(self, timeout_ms: int = 10000) -> Box:
        rc, v = self.probe("wait-box", str(timeout_ms))
        if rc != 0:
            raise CaseFailure("a message box appears", "a \"#32770\" box", "none within the time")
        return Box(bytes.fromhex(v["caption"]), bytes.fromhex(v["text"]), bytes.fromhex(v["button"]),
                   int(v["buttons"]), v["icon"])

    def expect_box(self, what: str, caption: bytes, text: bytes, icon: str, timeout_ms: int = 10000) -> None:
        box = self.wait_box(timeout_ms)
        self.check(f"{what}: caption", caption, box.caption)
        self.check(f"{what}: text", text, box.text)
        self.check(f"{what}: icon", icon, box.icon)
        self.check(f"{what}: buttons", (b"OK", 1), (box.button, box.buttons))

    def click_ok(self) -> None:
        rc, _ = self.probe("click-ok")
        if rc != 0:
            raise CaseFailure("OK closes the box", "the box gone", "still open, or none to click")

    def no_box_for(self, timeout_ms: int) -> None:
        """Nothing pops up within the time: a box that appears is a failure."""
        rc, v = self.probe("wait-box", str(timeout_ms))
        if rc == 0:
            raise CaseFailure("no message box appears", "no box",
                              f"caption {show(bytes.fromhex(v['caption']))}, text {show(bytes.fromhex(v['text']))}")

    def tray(self, mouse_message: int) -> None:
        rc, _ = self.probe("tray", str(mouse_message))
        if rc != 0:
            raise CaseFailure(f"the tray callback {mouse_message} reaches the form", "a form", "no form")

    def menu(self, key: str) -> None:
        """Right-click on the icon and choose the item with accelerator `key`."""
        self.tray(517)
        rc, values = self.probe("menu-key", key)
        if rc != 0:
            raise CaseFailure(f"the tray menu opens and '{key}' chooses an item", "menu opened and closed",
                              values["said"])

    def press(self, keys: str) -> list[int]:
        """Presses a key combination (xdotool's spelling, "ctrl+shift+v") as a user does while a window
        of Wine's has the focus: Wine checks a key for hotkeys only when X hands it to one of its
        windows. Returns the virtual keys that reached that window; a key that a hotkey took is
        missing from them."""
        focus, out = self.probe_beside(b"focused=1", "the probe's window takes the focus", "focus-window", "10000")
        try:
            # With no window manager on the display, X leaves its focus where it is; it is put on the window here.
            self.x("xdotool", "search", "--sync", "--name", "^probe-focus$", "windowfocus", "--sync", timeout=15)
            self.x("xdotool", "key", keys)
        finally:
            code = end(focus, 15)
        keys_line = next((line for line in out.read_text().splitlines() if line.startswith("keys=")), None)
        if code != 0 or keys_line is None:
            raise CaseFailure(f"{keys} is pressed and released in the probe's window", "keys=...", out.read_bytes())
        return [int(k) for k in keys_line[len("keys="):].split(",") if k]

    def hold_hotkey(self, modifiers: int, key: int) -> subprocess.Popen:
        """Another program registers the combination (RegisterHotKey's numbers) and holds it until killed."""
        holder, out = self.probe_beside(b"held=", "the probe answers", "hold-hotkey", str(modifiers), str(key),
                                        "600000")
        self._started.append(holder)
        if b"held=1" not in out.read_bytes():
            holder.kill()
            raise CaseFailure("the probe holds the hotkey", "held=1", out.read_bytes())
        return holder

    def probe_beside(self, ready: bytes, what: str, *args: str,
                     out: Path | None = None) -> tuple[subprocess.Popen, Path]:
        """Starts the probe with `args` beside the case, as another program would run, and returns it once
        it has printed `ready`, with the file of its output (by default logs/<its command>.out); `what`
        names the wait when it fails."""
        out = out or self.work / "logs" / f"{args[0]}.out"
        for attempt in range(3):
            process = subprocess.Popen([WINE, self.state.probe, *args], env=self.env, cwd=self.work / "empty",
                                       stdin=subprocess.DEVNULL, stdout=out.open("wb"), stderr=subprocess.DEVNULL)
            # A probe that has ended will print nothing more: what it said is the answer.
            if poll(15, lambda: ready in out.read_bytes() or process.poll() is not None) and ready in out.read_bytes():
                return process, out
            end(process, 0)
            if attempt == 2 or not not_started(out.read_bytes()):
                break
            print(f"note: Wine did not start the probe for {args[0]}; it is started again", flush=True)
        raise CaseFailure(what, ready.decode(), out.read_bytes())

    def tray_icon_shown(self) -> bool:
        done = self.x("xwininfo", "-display", self.state.display, "-name", TRAY_WINDOW)
        return done.returncode == 0 and b"IsViewable" in done.stdout

    def expect_tray(self, what: str, shown: bool, timeout: float = 10) -> None:
        seen = poll(timeout, lambda: self.tray_icon_shown() == shown, 0.1)
        if not seen:
            raise CaseFailure(what, "icon shown (tray window mapped)" if shown else "no icon (tray window unmapped)",
                              "icon shown" if self.tray_icon_shown() else "no icon")

    def expect_exit(self, what: str, process: subprocess.Popen, code: int = 0, timeout: float = 15) -> None:
        try:
            seen = process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            seen = "still running"
        self.check(what, code, seen)

    def standin_starts(self, folder: Path) -> list[str]:
        log = folder / "talsek-starts.log"
        return log.read_text(encoding="latin-1").splitlines() if log.exists() else []

    def expect_standin(self, what: str, folder: Path, expected: list[str], timeout: float = 10) -> None:
        poll(timeout, lambda: len(self.standin_starts(folder)) >= len(expected), 0.1)
        self.check(what, expected, self.standin_starts(folder))

    @staticmethod
    def check(what: str, expected, seen) -> None:
        if expected != seen:
            detail = show(seen)
            if isinstance(expected, bytes) and isinstance(seen, bytes):
                detail += "\n    " + first_difference(expected, seen)
            raise CaseFailure(what, expected, detail)

    # -- leaving a clean desk for the next case
    def close_boxes(self) -> None:
        """Clicks OK in the message boxes still open, up to five of them."""
        for _ in range(5):
            if self.probe("wait-box", "300")[0] != 0:
                break
            self.probe("click-ok")

    def quit_program(self) -> None:
        """Ends a program that a case left running: boxes closed, "&Beenden", else killed by its pid."""
        process = self.program
        if process is None or process.poll() is not None:
            return
        self.close_boxes()
        self.probe("menu-key", "esc", "300")
        if self.probe("wait-form", "300")[0] == 0:
            self.probe("tray", "517")
            self.probe("menu-key", "b", "3000")
        # Wine's tray drops the icon of a window that is gone, so a kill leaves nothing behind.
        end(process)
        self.form = None

    def close(self) -> None:
        self.quit_program()
        for process in self._started:  # a second instance that did not end, a probe still holding a hotkey
            if process.poll() is None:
                process.kill()
                process.wait()
        if self._clip_owner and self._clip_owner.poll() is None:
            self._clip_owner.kill()
            self._clip_owner.wait()


# ---- running cases ----------------------------------------------------------------------------------

def existing_state(path: str) -> State | None:
    """The environment that setup made, or None (and a word why) when there is none."""
    state_path = Path(path)
    if not state_path.exists():
        print(f"no environment: {state_path} is missing (run the e2e_setup test first)", file=sys.stderr)
        return None
    return State.load(state_path)


def run_case(s: Session, group: str, fn: Callable, call: Callable[[], object],
             cleanups: tuple[Callable[[], object], ...]) -> bool:
    """Runs one case (`call`) from an absent settings key and prints its outcome: "ok", or "FAIL"
    with the check that failed and a screenshot. The cleanups run either way; True when it passed."""
    name = fn.__name__.replace("_", " ")
    started = time.monotonic()
    try:
        s.reg_delete_key()
        call()
        print(f"ok    {group}: {name} ({time.monotonic() - started:.1f} s)", flush=True)
        return True
    except Exception as error:  # a case's own error is its failure too; the next case still runs
        shot = s.screenshot(f"{group}-{fn.__name__}")
        print(f"FAIL  {group}: {name} ({time.monotonic() - started:.1f} s)")
        if isinstance(error, CaseFailure):
            print(f"    check:    {error.what}\n    expected: {show(error.expected)}\n    seen:     {error.seen}")
        else:
            print("    " + "    ".join(traceback.format_exception(error)))
        print(f"    screenshot: {shot}", flush=True)
        return False
    finally:
        for cleanup in cleanups:
            try:
                cleanup()
            except Exception as error:
                print(f"    (cleanup after the case: {error})")


def menu_screenshot(args) -> int:
    """Starts the program, opens its tray menu and saves the whole screen and the menu alone."""
    session = Session(State.load(Path(args.state)), "menu-screenshot")
    out = Path(args.out)
    try:
        # With --shortcuts the menu shows Strg+Umschalt+V and Strg+Umschalt+E beside the commands.
        session.settings({"TastenkuerzelVerschluesseln": 0x0356, "TastenkuerzelEntschluesseln": 0x0345}
                         if args.shortcuts else {})
        session.start()
        session.wait_form()
        session.expect_tray("the icon is shown", True)
        session.x("xdotool", "mousemove", "200", "150")
        session.tray(517)
        rc, values = session.probe("wait-menu")
        if rc != 0:
            print("no menu opened", file=sys.stderr)
            return 1
        # Let the menu paint before it is captured; the menu window exists before its items are drawn.
        time.sleep(0.5)
        left, top, right, bottom = (int(v) for v in values["menu"].split(","))
        session.x("import", "-display", session.state.display, "-window", "root",
                  "-crop", f"{right - left}x{bottom - top}+{left}+{top}", str(out), timeout=30)
        session.x("import", "-display", session.state.display, "-window", "root",
                  str(out.with_name(out.stem + "-screen.png")), timeout=30)
        session.probe("menu-key", "esc")
        print(f"menu saved to {out} (whole screen beside it)")
        return 0
    except CaseFailure as failure:
        print(f"menu screenshot failed: {failure.what}: expected {failure.expected}, seen {failure.seen}",
              file=sys.stderr)
        return 1
    finally:
        session.close()


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("command", choices=["setup", "teardown", "menu-screenshot"])
    parser.add_argument("--out", help="PNG file for menu-screenshot")
    parser.add_argument("--shortcuts", action="store_true", help="menu-screenshot: with both shortcuts set")
    parser.add_argument("--state", required=True)
    parser.add_argument("--work")
    parser.add_argument("--artifacts")
    parser.add_argument("--probe")
    parser.add_argument("--standin")
    parser.add_argument("--program")
    args = parser.parse_args()
    if args.command == "setup":
        return setup(args)
    if args.command == "teardown":
        return teardown(args)
    return menu_screenshot(args)


if __name__ == "__main__":
    sys.exit(main())
