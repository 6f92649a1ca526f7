"""End-to-end test of the per-user installer, in a Wine prefix made fresh for it: a silent install
and what it leaves (files, Start menu, registry); updates over a running TalsekTray whose start-up box
or whose tray menu is open; silent uninstalls over one in each of those states; a file held open by
another program, which stops the update and the uninstall; and a file mapped as a program's image,
which the uninstall leaves in %TEMP% for the next log-on.

    installer_cases.py --setup TalsekTray-1.5-win64-setup.exe --zip TalsekTray-1.5-win64.zip
                       --probe probe.exe --prefix DIR

DIR is deleted first; scripts/with-wine.sh makes the prefix with a display of its own.
"""

from __future__ import annotations

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from harness import SETTINGS_KEY, TRAY_WINDOW, WINE, end, poll  # noqa: E402

ROOT = Path(__file__).resolve().parents[2]
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
RUNONCE_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\TalsekTray"
PROGRAMS = ("TalsekTray.exe", "talsek.exe")
EDITOR_CAPTION = "Talsek-Optionen"

failures: list[str] = []


def check(what: str, expected, seen) -> None:
    if expected != seen:
        failures.append(f"{what}\n    expected: {expected!r}\n    seen:     {seen!r}")


def wine(*args: str, timeout: float = 120) -> subprocess.CompletedProcess:
    # Output through a file, not a pipe: services that Wine starts on the way inherit it and would
    # hold a pipe open long after the command has ended.
    with tempfile.TemporaryFile() as out:
        done = subprocess.run([WINE, *args], stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL,
                              timeout=timeout)
        out.seek(0)
        return subprocess.CompletedProcess(done.args, done.returncode, out.read(), b"")


def reg_values(key: str) -> dict | None:
    """The key's values as {name: text}, DWORDs as int; None when the key is missing."""
    done = wine("reg", "query", key)
    if done.returncode != 0:
        return None
    values = {}
    for line in done.stdout.decode("cp1252", errors="replace").splitlines():
        m = re.match(r"^ {4}(.*?) {4}(REG_[A-Z_]+)(?: {4}(.*))?$", line.rstrip("\r"))
        if m:
            data = m.group(3) or ""
            values[m.group(1)] = int(data, 16) if m.group(2) == "REG_DWORD" else data
    return values


def folder(variable: str, *parts: str) -> tuple[str, Path]:
    """A folder below a Windows environment variable, as Windows and as Unix path."""
    windows = wine("cmd", "/c", f"echo %{variable}%").stdout.decode().strip()
    windows = "\\".join([windows, *parts])
    unix = wine("winepath", "-u", windows).stdout.decode().strip()
    return windows, Path(unix)


def tray_shown(window: str = TRAY_WINDOW) -> bool:
    done = subprocess.run(["xwininfo", "-name", window], capture_output=True)
    return done.returncode == 0 and b"IsViewable" in done.stdout


def names(path: Path) -> list[str] | None:
    return sorted(os.listdir(path)) if path.is_dir() else None


def shortcut_target(lnk: Path) -> str | None:
    """Which of our programs a shortcut names (its target path is stored in ANSI and in UTF-16)."""
    data = lnk.read_bytes().lower() if lnk.exists() else b""
    found = [p for p in PROGRAMS
             if any(("\\" + p.lower()).encode(code) in data for code in ("ascii", "utf-16-le"))]
    return found[0] if len(found) == 1 else None


def in_fresh_prefix(prefix: str, script: str, argv: list[str]) -> int:
    """Runs `script` with `argv` and --inside in a Wine prefix made afresh at `prefix`."""
    shutil.rmtree(prefix, ignore_errors=True)
    Path(prefix).parent.mkdir(parents=True, exist_ok=True)
    inside = [sys.executable, script, "--inside", *argv]
    return subprocess.run(["bash", str(ROOT / "scripts" / "with-wine.sh"), prefix, *inside]).returncode


def report(name: str, rc: int) -> int:
    for f in failures:
        print(f"FAILED: {f}", file=sys.stderr)
    print(f"{name}: all checks passed" if rc == 0 and not failures else f"{name}: {len(failures)} checks failed")
    return 1 if failures else rc


def installed_as_released(what: str, install: Path, zip_path: str) -> None:
    with zipfile.ZipFile(zip_path) as z:
        for member in z.namelist():
            name = member.split("/")[-1]
            same = (install / name).exists() and (install / name).read_bytes() == z.read(member)
            check(f"{what}: installed {name} is the release package's", True, same)


def start_in(state: str, program_win: str, probe: str) -> subprocess.Popen:
    """Starts the installed TalsekTray and brings it into `state`: "box" (its start-up box open,
    as without settings) or "menu" (its tray menu open)."""
    log = open(Path(os.environ["WINEPREFIX"]).parent / "installer-program.log", "ab")
    program = subprocess.Popen([WINE, program_win], stdin=subprocess.DEVNULL, stdout=log, stderr=log)
    if state == "box":
        check("the start-up box opens", 0, wine(probe, "wait-box", "30000").returncode)
    else:
        check("the installed TalsekTray shows its icon", True, poll(30, tray_shown, 0.2))
        wine(probe, "tray", "517")
        check("its tray menu opens", 0, wine(probe, "wait-menu", "10000").returncode)
    return program


def start_editor(install_win: str) -> subprocess.Popen:
    """Starts the installed talsek.exe and waits for its dialog."""
    log = open(Path(os.environ["WINEPREFIX"]).parent / "installer-program.log", "ab")
    editor = subprocess.Popen([WINE, install_win + "\\talsek.exe"], stdin=subprocess.DEVNULL, stdout=log, stderr=log)
    check("the installed editor shows its dialog", True, poll(30, lambda: tray_shown(EDITOR_CAPTION), 0.2))
    return editor


def ended(what: str, program: subprocess.Popen, editor: subprocess.Popen) -> None:
    """Both programs ended by themselves (exit code 0, not a forced end); TalsekTray took its icon along."""
    code = end(program, 15)
    check(f"{what}: the running TalsekTray ended by itself", 0, "still running" if code is None else code)
    check(f"{what}: its icon left the tray", False, tray_shown())
    code = end(editor, 15)
    check(f"{what}: the running talsek.exe ended by itself", 0, "still running" if code is None else code)


def setup_log(log: Path) -> str | None:
    return log.read_bytes().decode("utf-16").strip() if log.exists() else None


def cases(args) -> int:
    # Installer and uninstaller make shortcuts; without this Wine copies them into the desktop's menu.
    os.environ["WINEDLLOVERRIDES"] = "mscoree,mshtml=;winemenubuilder.exe=d"
    wine("reg", "add", SETTINGS_KEY, "/v", "Methode", "/t", "REG_DWORD", "/d", "2", "/f")

    check("silent install: exit code", 0, wine(args.setup, "/S").returncode)
    install_win, install = folder("LOCALAPPDATA", "Programs", "TalsekTray")
    _, menu = folder("APPDATA", "Microsoft", "Windows", "Start Menu", "Programs", "TalsekTray")
    program_win = install_win + "\\TalsekTray.exe"

    check("installed files", sorted(["LIESMICH.txt", "TalsekTray.exe", "talsek.exe", "uninstall.exe"]), names(install))
    installed_as_released("install", install, args.zip)
    check("Start menu folder", ["Talsek-Optionen.lnk", "TalsekTray.lnk"], names(menu))
    for lnk, target in (("TalsekTray.lnk", "TalsekTray.exe"), ("Talsek-Optionen.lnk", "talsek.exe")):
        check(f"shortcut {lnk} starts", target, shortcut_target(menu / lnk))
    check("start at log-on (Run value)", f'"{program_win}"', (reg_values(RUN_KEY) or {}).get("TalsekTray"))

    uninstall = reg_values(UNINSTALL_KEY) or {}
    size_kb = uninstall.pop("EstimatedSize", None)
    check("Apps & features entry", {
        "DisplayName": "TalsekTray", "DisplayVersion": "1.5", "Publisher": "Holvarin",
        "DisplayIcon": program_win, "InstallLocation": install_win,
        "UninstallString": f'"{install_win}\\uninstall.exe"',
        "QuietUninstallString": f'"{install_win}\\uninstall.exe" /S',
        "NoModify": 1, "NoRepair": 1,
    }, uninstall)
    total_kb = sum(p.stat().st_size for p in install.iterdir()) / 1024 if install.is_dir() else 0
    check("EstimatedSize is the installed files' KB", True, isinstance(size_kb, int) and abs(size_kb - total_kb) <= 4)
    if failures:
        return 1
    quiet = re.match(r'^"([^"]+)"\s*(.*)$', uninstall["QuietUninstallString"])

    # Each state of a running TalsekTray, under an update and under an uninstall. The start-up box
    # needs the settings key away; the key stays as each run found it.
    for state in ("box", "menu"):
        if state == "box":
            wine("reg", "delete", SETTINGS_KEY, "/f")
        else:
            wine("reg", "add", SETTINGS_KEY, "/v", "Methode", "/t", "REG_DWORD", "/d", "2", "/f")
        settings = reg_values(SETTINGS_KEY)

        # An older program in place, so that its replacement shows; the loader ignores the extra byte.
        with open(install / "TalsekTray.exe", "ab") as older:
            older.write(b"\0")
        program = start_in(state, program_win, args.probe)
        editor = start_editor(install_win)
        what = f"update while the {state} and talsek.exe are open"
        check(f"{what}: exit code", 0, wine(args.setup, "/S").returncode)
        ended(what, program, editor)
        installed_as_released(what, install, args.zip)
        check(f"{what}: settings kept", settings, reg_values(SETTINGS_KEY))

        program = start_in(state, program_win, args.probe)
        editor = start_editor(install_win)
        what = f"uninstall while the {state} and talsek.exe are open"
        # The uninstaller copies itself to %TEMP% and runs from there, so that it can delete itself;
        # the first process returns at once, and the work is done when its last step, the Uninstall
        # key, is gone (the folder goes before the shortcuts and the Run value).
        check(f"{what}: exit code", 0, wine(quiet.group(1), *quiet.group(2).split()).returncode)
        check(f"{what}: Uninstall key removed", True, poll(60, lambda: reg_values(UNINSTALL_KEY) is None, 0.2))
        check(f"{what}: install folder removed", False, install.exists())
        ended(what, program, editor)
        check(f"{what}: Start menu folder removed", None, names(menu))
        check(f"{what}: Run value removed", None, (reg_values(RUN_KEY) or {}).get("TalsekTray"))
        check(f"{what}: settings kept", settings, reg_values(SETTINGS_KEY))
        if state == "box":
            check("install again: exit code", 0, wine(args.setup, "/S").returncode)

    # A file that another program holds open: the silent update stops with its message and exit code 2,
    # touching nothing; the silent uninstall keeps everything, its entry among it.
    check("install for the held file: exit code", 0, wine(args.setup, "/S").returncode)
    _, log = folder("TEMP", "TalsekTray-Setup.log")
    with open(install / "TalsekTray.exe", "ab") as older:
        older.write(b"\0")
    before = {name: (install / name).read_bytes() for name in names(install) or []}
    holder = subprocess.Popen([WINE, args.probe, "hold-file", install_win + "\\talsek.exe", "600000"],
                              stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    check("the probe holds talsek.exe open", b"held=1", holder.stdout.readline().strip())
    log.unlink(missing_ok=True)
    what = "update while talsek.exe is held open"
    done = wine(args.setup, "/S")
    print(f"{what}: exit code {done.returncode}, message {setup_log(log)!r}")
    check(f"{what}: exit code", 2, done.returncode)
    check(f"{what}: message", f"Die Datei \u201e{install_win}\\talsek.exe\u201c ist in Gebrauch und kann nicht ersetzt "
          "werden.\r\nSchlie\u00dfen Sie das Programm, das sie ge\u00f6ffnet hat, und starten Sie die Installation "
          "erneut.\r\nDie bisherige Installation bleibt unver\u00e4ndert.", setup_log(log))
    check(f"{what}: the old files stay as they were", before,
          {name: (install / name).read_bytes() for name in names(install) or []})
    log.unlink(missing_ok=True)
    uninstalled = wine(quiet.group(1), *quiet.group(2).split()).returncode
    check("uninstall while talsek.exe is held open: it says so", True,
          poll(60, lambda: (setup_log(log) or "").startswith(f"Die Datei \u201e{install_win}\\talsek.exe\u201c ist in "
                                                             "Gebrauch und kann nicht entfernt werden."), 0.2))
    check("... its files and its entry stay", (0, sorted(before), "TalsekTray"),
          (uninstalled, names(install), (reg_values(UNINSTALL_KEY) or {}).get("DisplayName")))
    holder.kill()
    holder.wait()
    program = start_in("menu", program_win, args.probe)
    check("the old installation still works", 0, wine(args.probe, "menu-key", "b").returncode)
    check("... and ends by its menu", 0, end(program, 15))
    check("update once the file is free: exit code", 0, wine(args.setup, "/S").returncode)
    installed_as_released("update once the file is free", install, args.zip)

    # A file that Windows renames but will not delete, as a running program's image: talsek.exe, which
    # the probe maps as the shell does to read its icon. It leaves for a folder under %TEMP% that a
    # RunOnce value removes at the next log-on; everything else goes, and the uninstall succeeds. %TEMP%
    # has a space and letters outside the ANSI code page, as under such a user name. The uninstaller
    # runs from a copy, as it runs itself, but waited for, so that its exit code shows.
    temp_win, temp = folder("TEMP")
    copy_win, copy = temp_win + "\\uninstall-copy.exe", temp / "uninstall-copy.exe"
    user = "J\u00fcrgen \u0416\u0443\u043a\u043e\u0432"
    temp_win, temp, log = f"{temp_win}\\{user}", temp / user, temp / user / "TalsekTray-Setup.log"
    temp.mkdir()
    for variable in ("TMP", "TEMP"):
        wine("reg", "add", r"HKCU\Environment", "/v", variable, "/d", temp_win, "/f")
    rest_win, rest = temp_win + "\\TalsekTray-Entfernen-1", temp / "TalsekTray-Entfernen-1"
    mapper = subprocess.Popen([WINE, args.probe, "map-image", install_win + "\\talsek.exe", "600000"],
                              stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    check("the probe maps talsek.exe", b"mapped=1", mapper.stdout.readline().strip())
    shutil.copyfile(install / "uninstall.exe", copy)
    what = "uninstall while talsek.exe is mapped"
    uninstalled = wine(copy_win, "/S", "_?=" + install_win).returncode
    copy.unlink()
    print(f"{what}: exit code {uninstalled}, message {setup_log(log)!r}")
    check(f"{what}: exit code, file moved aside", (0, ["talsek.exe"]), (uninstalled, names(rest)))
    check(f"{what}: message", "TalsekTray wurde entfernt.\r\nNoch in Gebrauch und daher erst bei der n\u00e4chsten "
          f"Anmeldung gel\u00f6scht (bis dahin im Ordner \u201e{rest_win}\u201c):\r\n\u201e{install_win}\\talsek.exe"
          "\u201c", setup_log(log))
    check(f"{what}: program folder, Start menu folder, Run value, Uninstall key removed", (False, None, None, None),
          (install.exists(), names(menu), (reg_values(RUN_KEY) or {}).get("TalsekTray"), reg_values(UNINSTALL_KEY)))
    mapper.kill()
    mapper.wait()
    # The next log-on, which Wine does not have: the value's command line, started as Windows starts it.
    # `reg query` prints in the console's code page; the export is UTF-16.
    exported = temp / "runonce.reg"
    wine("reg", "export", RUNONCE_KEY, f"{temp_win}\\runonce.reg", "/y")
    runonce = re.search(r'^"TalsekTray-Entfernen-1"="(.*)"\r?$',
                        exported.read_bytes().decode("utf-16") if exported.exists() else "", re.M)
    command = re.sub(r"\\(.)", r"\1", runonce.group(1)) if runonce else "cmd /c rem"
    wine(*[arg.strip('"') for arg in re.findall(r'"[^"]*"|\S+', command)])
    check("at the next log-on: the folder goes, nothing else in %TEMP%", (False, True), (rest.exists(), log.exists()))
    return 1 if failures else 0


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--setup", required=True)
    parser.add_argument("--zip", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--inside", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    for path in (args.setup, args.zip):
        if not Path(path).exists():
            print(f"installer test: {path} is missing; build it with --target package", file=sys.stderr)
            return 1
    if not args.inside:
        return in_fresh_prefix(args.prefix, __file__, sys.argv[1:])
    return report("installer", cases(args))


if __name__ == "__main__":
    sys.exit(main())
