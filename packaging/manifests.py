#!/usr/bin/env python3
"""The package managers' manifests of a release, made from its packages, and their check.

  write FOLDER   writes, beside the packages in FOLDER (scripts/release.sh's), the winget manifest set
                 of the per-user installers (winget/manifests/h/Holvarin/TalsekTray/<version>/) and
                 the Scoop manifest of the portable ZIPs (scoop/talsektray.json), then checks them
  check FOLDER   checks them: every field against the rules of winget's manifest schema 1.12.0 and of
                 Scoop's app manifest, every URL against its architecture's package of this
                 version, every sum against its package, the version against the
                 program's (CMakeLists.txt and the ProductVersion in each ZIP's TalsekTray.exe), the
                 Apps entry against the installer script, extract_dir against each ZIP's folder

The download base is TALSEK_DOWNLOAD_BASE (default the placeholder below): a package's URL is
<base>/<version>/<file name>. Only a real base gets Scoop's checkver and autoupdate. The licence is
the LICENSE file's (its SPDX-License-Identifier line, or else its first line); without one the
manifests say that none is given.
"""

import hashlib
import json
import os
import re
import sys
import zipfile
from datetime import datetime, timezone
from pathlib import Path
from urllib.parse import urlsplit

import jsonschema
import yaml

ROOT = Path(__file__).resolve().parent.parent
PLACEHOLDER_BASE = "https://example.invalid/talsektray"
IDENTIFIER = "Holvarin.TalsekTray"
PUBLISHER = "Holvarin"
# The newest manifest version that the community repository takes.
WINGET_SCHEMA = "1.12.0"
NO_LICENSE = {"de-DE": "Keine Lizenz angegeben", "en-US": "No license stated"}
SHORT = {
    "de-DE": "Ver- und entschlüsselt den Text in der Zwischenablage mit klassischen Verfahren "
             "(Caesar, ROT13, Vigenère, Spaltentransposition), aus dem Infobereich der Taskleiste.",
    "en-US": "Encrypts and decrypts the clipboard text with classical ciphers "
             "(Caesar, ROT13, Vigenère, columnar transposition), from the notification area.",
}
# Per package architecture: the release's name for it, winget's and Scoop's.
ARCHITECTURES = (("win64", "x64", "64bit"), ("win32", "x86", "32bit"))
# Ends a running TalsekTray and options editor as the installer does: the registered message to the
# hidden main form (class and caption) or the editor's dialog (class, any caption: a null string, as
# PowerShell would hand a .NET method "" for $null), WM_CLOSE for a program from before it, five
# seconds, then by force.
PRE_INSTALL = [
    "if (-not ('TalsekTray.User32' -as [type])) { Add-Type -Namespace TalsekTray -Name User32 -MemberDefinition @'",
    "[DllImport(\"user32.dll\", CharSet = CharSet.Unicode)] public static extern IntPtr FindWindow(string c, string t);",
    "[DllImport(\"user32.dll\", CharSet = CharSet.Unicode)] public static extern uint RegisterWindowMessage(string m);",
    "[DllImport(\"user32.dll\")] public static extern bool PostMessage(IntPtr h, uint m, IntPtr w, IntPtr l);",
    "[DllImport(\"user32.dll\")] public static extern uint GetWindowThreadProcessId(IntPtr h, out uint p);",
    "'@ }",
    "foreach ($w in @(@('TMainForm', 'TalsekTray', 'TalsekTraySofortBeenden'), @('TalsekOptionen', [System.Management.Automation.Language.NullString]::Value, 'TalsekOptionenSofortBeenden'))) {",
    "    $h = [TalsekTray.User32]::FindWindow($w[0], $w[1]); if ($h -eq [IntPtr]::Zero) { continue }",
    "    $id = [uint32]0; [void][TalsekTray.User32]::GetWindowThreadProcessId($h, [ref]$id); $p = Get-Process -Id $id -ErrorAction SilentlyContinue",
    "    foreach ($m in @([TalsekTray.User32]::RegisterWindowMessage($w[2]), 0x10)) { [void][TalsekTray.User32]::PostMessage($h, $m, [IntPtr]::Zero, [IntPtr]::Zero) }",
    "    if ($p -and -not $p.WaitForExit(5000)) { $p | Stop-Process -Force; [void]$p.WaitForExit(5000) }",
    "}",
]

# The fields that the manifests use, with the rules that winget's schema 1.12.0 and Scoop's app
# manifest schema give them; nothing else may appear, so that a misspelt field is caught too.
_ID = {"type": "string", "maxLength": 128,
       "pattern": r'^[^\.\s\\/:\*\?"<>\|\x01-\x1f]{1,32}(\.[^\.\s\\/:\*\?"<>\|\x01-\x1f]{1,32}){1,7}$'}
_VERSION = {"type": "string", "maxLength": 128, "pattern": r'^[^\\/:\*\?"<>\|\x01-\x1f]+$'}
_LOCALE = {"type": "string", "maxLength": 20,
           "pattern": r"^([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*$"}
_URL = {"type": "string", "maxLength": 2048, "pattern": r"^[Hh][Tt][Tt][Pp][Ss]?://.+$"}
_SHA256 = {"type": "string", "pattern": r"^[A-Fa-f0-9]{64}$"}
_MANIFEST_VERSION = {"const": WINGET_SCHEMA}


def _text(low, high):
    return {"type": "string", "minLength": low, "maxLength": high}


def _object(required, properties):
    return {"type": "object", "required": list(required), "properties": properties,
            "additionalProperties": False}


_LOCALE_FIELDS = {
    "PackageIdentifier": _ID, "PackageVersion": _VERSION, "PackageLocale": _LOCALE,
    "Publisher": _text(2, 256), "PackageName": _text(2, 256), "License": _text(3, 512),
    "ShortDescription": _text(3, 256), "Moniker": _text(1, 40),
    "Tags": {"type": "array", "maxItems": 16, "uniqueItems": True, "items": _text(1, 40)},
    "ManifestVersion": _MANIFEST_VERSION,
}
SCHEMAS = {
    "version": _object(
        ("PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"),
        {"PackageIdentifier": _ID, "PackageVersion": _VERSION, "DefaultLocale": _LOCALE,
         "ManifestType": {"const": "version"}, "ManifestVersion": _MANIFEST_VERSION}),
    "defaultLocale": _object(
        ("PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName", "License",
         "ShortDescription", "ManifestType", "ManifestVersion"),
        {**_LOCALE_FIELDS, "ManifestType": {"const": "defaultLocale"}}),
    "locale": _object(
        ("PackageIdentifier", "PackageVersion", "PackageLocale", "ManifestType", "ManifestVersion"),
        {**_LOCALE_FIELDS, "ManifestType": {"const": "locale"}}),
    "installer": _object(
        ("PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"),
        {"PackageIdentifier": _ID, "PackageVersion": _VERSION,
         "InstallerType": {"enum": ["msix", "msi", "appx", "exe", "zip", "inno", "nullsoft", "wix", "burn",
                                    "pwa", "portable", "font"]},
         "Scope": {"enum": ["user", "machine"]},
         "InstallModes": {"type": "array", "uniqueItems": True,
                          "items": {"enum": ["interactive", "silent", "silentWithProgress"]}},
         "InstallerSwitches": _object((), {k: _text(1, 512) for k in ("Silent", "SilentWithProgress")}),
         "ExpectedReturnCodes": {"type": "array", "items": _object(
             ("InstallerReturnCode", "ReturnResponse"),
             {"InstallerReturnCode": {"type": "integer", "not": {"const": 0}},
              "ReturnResponse": {"enum": ["packageInUse", "installInProgress", "fileInUse", "custom"]}})},
         "UpgradeBehavior": {"enum": ["install", "uninstallPrevious", "deny"]},
         "ReleaseDate": {"type": "string", "pattern": r"^\d{4}-\d{2}-\d{2}$"},
         "AppsAndFeaturesEntries": {"type": "array", "items": _object(
             (), {"DisplayName": _text(1, 256), "Publisher": _text(1, 256), "DisplayVersion": _text(1, 128)})},
         "Installers": {"type": "array", "minItems": 1, "items": _object(
             ("Architecture", "InstallerUrl", "InstallerSha256"),
             {"Architecture": {"enum": ["x86", "x64", "arm", "arm64", "neutral"]},
              "InstallerUrl": _URL, "InstallerSha256": _SHA256})},
         "ManifestType": {"const": "installer"}, "ManifestVersion": _MANIFEST_VERSION}),
}
_SCOOP_ARCH = _object(("url", "hash", "extract_dir"), {
    "url": {**_URL, "not": {"pattern": r"\$"}}, "hash": _SHA256, "extract_dir": {"type": "string"}})
_SCOOP_UPDATE_ARCH = _object(("url",), {"url": _URL, "extract_dir": {"type": "string"},
                                        "hash": _object(("url",), {"url": {"type": "string"}})})
SCOOP_SCHEMA = _object(("version", "description", "homepage", "license"), {
    "version": {"type": "string", "pattern": r"^[\w\-.+_]+$"},
    "description": _text(1, 1000), "homepage": _URL, "license": _text(1, 200),
    "architecture": _object(("64bit", "32bit"), {"64bit": _SCOOP_ARCH, "32bit": _SCOOP_ARCH}),
    "pre_install": {"type": "array", "minItems": 1, "items": {"type": "string"}},
    "bin": {"type": "string"},
    "shortcuts": {"type": "array", "minItems": 1,
                  "items": {"type": "array", "minItems": 2, "maxItems": 4, "items": {"type": "string"}}},
    "checkver": {"type": "object"},
    "autoupdate": _object(("architecture",), {"architecture": _object(
        ("64bit", "32bit"), {"64bit": _SCOOP_UPDATE_ARCH, "32bit": _SCOOP_UPDATE_ARCH})}),
})


def program_version() -> str:
    text = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"^project\(TalsekTray VERSION ([0-9.]+)", text, re.M).group(1)


def license_name() -> str | None:
    path = ROOT / "LICENSE"
    if not path.is_file():
        return None
    lines = [line.strip() for line in path.read_text(encoding="utf-8").splitlines() if line.strip()]
    spdx = [line.split(":", 1)[1].strip() for line in lines if line.startswith("SPDX-License-Identifier:")]
    return (spdx or lines)[0]


def sha256(path: Path) -> str:
    return hashlib.sha256(path.read_bytes()).hexdigest()


def winget_folder(folder: Path, version: str) -> Path:
    return folder / "winget" / "manifests" / IDENTIFIER[0].lower() / PUBLISHER / "TalsekTray" / version


def scoop_file(folder: Path) -> Path:
    return folder / "scoop" / "talsektray.json"


def _dump_yaml(path: Path, kind: str, data: dict) -> None:
    header = (f"# Made by scripts/release.sh from the release's packages; not edited by hand.\n"
              f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{WINGET_SCHEMA}.schema.json\n\n")
    path.write_text(header + yaml.safe_dump(data, sort_keys=False, allow_unicode=True, width=200),
                    encoding="utf-8", newline="\n")


def write(folder: Path) -> None:
    version = program_version()
    base = os.environ.get("TALSEK_DOWNLOAD_BASE", "").rstrip("/") or PLACEHOLDER_BASE
    licence = license_name()
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "0"))
    common = {"PackageIdentifier": IDENTIFIER, "PackageVersion": version}

    out = winget_folder(folder, version)
    out.mkdir(parents=True, exist_ok=True)
    _dump_yaml(out / f"{IDENTIFIER}.yaml", "version",
               {**common, "DefaultLocale": "de-DE", "ManifestType": "version", "ManifestVersion": WINGET_SCHEMA})
    installers = []
    for system, winget_arch, _ in ARCHITECTURES:
        setup = f"TalsekTray-{version}-{system}-setup.exe"
        installers.append({"Architecture": winget_arch, "InstallerUrl": f"{base}/{version}/{setup}",
                           "InstallerSha256": sha256(folder / setup).upper()})
    _dump_yaml(out / f"{IDENTIFIER}.installer.yaml", "installer", {
        **common, "InstallerType": "nullsoft", "Scope": "user", "InstallModes": ["interactive", "silent"],
        "InstallerSwitches": {"Silent": "/S", "SilentWithProgress": "/S"},
        # A file that another program holds open stops the installer, changing nothing.
        "ExpectedReturnCodes": [{"InstallerReturnCode": 2, "ReturnResponse": "fileInUse"}],
        "UpgradeBehavior": "install",
        "ReleaseDate": datetime.fromtimestamp(epoch, timezone.utc).strftime("%Y-%m-%d"),
        "AppsAndFeaturesEntries": [{"DisplayName": "TalsekTray", "Publisher": PUBLISHER, "DisplayVersion": version}],
        "Installers": installers, "ManifestType": "installer", "ManifestVersion": WINGET_SCHEMA})
    for locale, kind in (("de-DE", "defaultLocale"), ("en-US", "locale")):
        _dump_yaml(out / f"{IDENTIFIER}.locale.{locale}.yaml", kind, {
            **common, "PackageLocale": locale, "Publisher": PUBLISHER, "PackageName": "TalsekTray",
            "License": licence or NO_LICENSE[locale], "ShortDescription": SHORT[locale], "Moniker": "talsektray",
            "Tags": ["zwischenablage", "verschluesselung", "caesar", "vigenere", "tray"] if locale == "de-DE"
            else ["clipboard", "encryption", "caesar", "vigenere", "tray"],
            "ManifestType": kind, "ManifestVersion": WINGET_SCHEMA})

    github = re.match(r"^(https://github\.com/[^/]+/[^/]+)/releases/download$", base)
    scoop = {"version": version, "description": SHORT["de-DE"], "homepage": github.group(1) if github else base,
             "license": licence or NO_LICENSE["de-DE"], "architecture": {}}
    for system, _, scoop_arch in ARCHITECTURES:
        name = f"TalsekTray-{version}-{system}"
        scoop["architecture"][scoop_arch] = {"url": f"{base}/{version}/{name}.zip",
                                             "hash": sha256(folder / f"{name}.zip"), "extract_dir": name}
    scoop |= {"pre_install": PRE_INSTALL, "bin": "TalsekTray.exe",
              "shortcuts": [["TalsekTray.exe", "TalsekTray"], ["talsek.exe", "Talsek-Optionen"]]}
    if base != PLACEHOLDER_BASE:
        scoop["checkver"] = ({"github": github.group(1)} if github else
                             {"url": f"{base}/", "regex": r"TalsekTray-([\d.]+)-win64\.zip"})
        scoop["autoupdate"] = {"architecture": {
            arch: {"url": f"{base}/$version/TalsekTray-$version-{system}.zip",
                   "extract_dir": f"TalsekTray-$version-{system}", "hash": {"url": "$baseurl/SHA256SUMS"}}
            for system, _, arch in ARCHITECTURES}}
    path = scoop_file(folder)
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text(json.dumps(scoop, indent=4, ensure_ascii=False) + "\n", encoding="utf-8", newline="\n")


def product_version(image: bytes) -> str | None:
    """The ProductVersion string of a program's version resource."""
    key = "ProductVersion\0".encode("utf-16-le")
    at = image.find(key)
    if at < 0:
        return None
    at += len(key)
    at += -at % 4
    end = at
    while image[end:end + 2] != b"\0\0":
        end += 2
    return image[at:end].decode("utf-16-le")


def installer_entry() -> dict:
    """The Apps entry's values that the installer script writes."""
    nsi = (ROOT / "packaging" / "TalsekTray.nsi").read_text(encoding="utf-8")
    return dict(re.findall(r'WriteRegStr HKCU "\$\{UNINSTALL_KEY\}" "(DisplayName|Publisher)" "([^"]*)"', nsi))


def check(folder: Path) -> list[str]:
    errors = []
    version = program_version()

    systems = {arch: system for system, winget_arch, scoop_arch in ARCHITECTURES for arch in (winget_arch, scoop_arch)}

    def package(url: str, arch: str, kind: str, where: str) -> Path | None:
        """The package that a URL names, which must be this version's of that architecture."""
        name = urlsplit(url).path.rsplit("/", 1)[-1]
        expected = f"TalsekTray-{version}-{systems.get(arch)}{kind}"
        if name != expected or not url.endswith(f"/{version}/{name}"):
            errors.append(f"{where}: {url} is not the {arch} package {expected} under <base>/{version}/")
        if not (folder / name).is_file():
            errors.append(f"{where}: {name} is not a package of this release")
            return None
        return folder / name

    def sum_of(path: Path | None, stated: str, where: str) -> None:
        if path and str(stated).lower() != sha256(path):
            errors.append(f"{where}: the sum {stated} is not {path.name}'s ({sha256(path)})")

    out = winget_folder(folder, version)
    entry = installer_entry()
    if set(entry) != {"DisplayName", "Publisher"}:
        errors.append(f"packaging/TalsekTray.nsi: no Apps entry's DisplayName and Publisher found ({entry})")
    manifests = {}
    for path in sorted(out.glob("*.yaml")) if out.is_dir() else []:
        data = yaml.safe_load(path.read_text(encoding="utf-8"))
        kind = data.get("ManifestType") if isinstance(data, dict) else None
        if kind not in SCHEMAS:
            errors.append(f"{path.name}: no manifest type that winget knows ({kind})")
            continue
        manifests.setdefault(kind, []).append(data)
        errors += [f"{path.name}: {e.message} (at {'/'.join(map(str, e.absolute_path)) or 'top'})"
                   for e in jsonschema.Draft7Validator(SCHEMAS[kind]).iter_errors(data)]
        if data.get("PackageIdentifier") != IDENTIFIER or data.get("PackageVersion") != version:
            errors.append(f"{path.name}: not {IDENTIFIER} {version}")
        for i, installer in enumerate(data.get("Installers") or []):
            if "InstallerUrl" in installer:
                sum_of(package(installer["InstallerUrl"], installer.get("Architecture"), "-setup.exe",
                               f"{path.name} installer {i}"),
                       installer.get("InstallerSha256", ""), f"{path.name} installer {i}")
        for apps in data.get("AppsAndFeaturesEntries") or []:
            if {k: apps.get(k) for k in entry} != entry or apps.get("DisplayVersion") != version:
                errors.append(f"{path.name}: the Apps entry {apps} is not the installer's {entry} {version}")
    for kind in SCHEMAS:
        if kind not in manifests:
            errors.append(f"{out}: no {kind} manifest")
    for data in manifests.get("installer", []):
        if sorted(i.get("Architecture") for i in data.get("Installers", [])) != ["x64", "x86"]:
            errors.append("installer manifest: not the installers for x64 and x86")

    path = scoop_file(folder)
    if not path.is_file():
        return errors + [f"{path}: missing"]
    scoop = json.loads(path.read_text(encoding="utf-8"))
    errors += [f"{path.name}: {e.message} (at {'/'.join(map(str, e.absolute_path)) or 'top'})"
               for e in jsonschema.Draft7Validator(SCOOP_SCHEMA).iter_errors(scoop)]
    if scoop.get("version") != version:
        errors.append(f"{path.name}: version {scoop.get('version')}, the program's is {version}")
    for arch, details in (scoop.get("architecture") or {}).items():
        zip_path = package(details.get("url", ""), arch, ".zip", f"{path.name} {arch}")
        sum_of(zip_path, details.get("hash", ""), f"{path.name} {arch}")
        if zip_path:
            with zipfile.ZipFile(zip_path) as z:
                top = {name.split("/", 1)[0] for name in z.namelist()}
                seen = product_version(z.read(f"{zip_path.stem}/TalsekTray.exe"))
            if top != {details.get("extract_dir")}:
                errors.append(f"{path.name} {arch}: extract_dir {details.get('extract_dir')}, the ZIP's folder is {top}")
            if seen != ".".join((version.split(".") + ["0"] * 4)[:4]):
                errors.append(f"{zip_path.name}: TalsekTray.exe is version {seen}, the release {version}")
    if urlsplit(scoop.get("homepage", "")).hostname == urlsplit(PLACEHOLDER_BASE).hostname and \
            ({"checkver", "autoupdate"} & scoop.keys()):
        errors.append(f"{path.name}: checkver and autoupdate on the placeholder download base")
    return errors


def main() -> int:
    if len(sys.argv) != 3 or sys.argv[1] not in ("write", "check"):
        print(__doc__, file=sys.stderr)
        return 2
    folder = Path(sys.argv[2])
    if sys.argv[1] == "write":
        write(folder)
    errors = check(folder)
    for e in errors:
        print(f"manifests: {e}", file=sys.stderr)
    if not errors:
        print(f"manifests: winget {IDENTIFIER} {program_version()} (schema {WINGET_SCHEMA}) and Scoop "
              f"talsektray.json in {folder}: fields, sums, version and Apps entry as they should be")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
