"""End-to-end test of signed packages: a throwaway certificate authority and code-signing
certificate, made by openssl for the test, sign a build's packages (packaging/sign.sh through the
package script). `osslsigncode verify` with that authority accepts both programs, the installer, and
the uninstaller that the installer writes in a fresh Wine prefix; one changed byte makes it fail; and
the same certificate gives the same bytes twice.

    signing_cases.py --cpack CPACK --config CPackConfig.cmake --prefix DIR
"""

from __future__ import annotations

import argparse
import hashlib
import os
import subprocess
import sys
import zipfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from installer_cases import check, folder, in_fresh_prefix, report, wine  # noqa: E402

PASSWORD = "nur-zum-Test"


def openssl(*args: str, cwd: Path) -> None:
    subprocess.run(["openssl", *args], cwd=cwd, check=True, capture_output=True)


def make_certificates(work: Path) -> tuple[Path, Path]:
    """The authority's certificate and a PKCS#12 file with a code-signing certificate it issued."""
    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem", "-days", "3650",
            "-subj", "/CN=TalsekTray Test CA", "-addext", "basicConstraints=critical,CA:TRUE",
            "-addext", "keyUsage=critical,keyCertSign,cRLSign", cwd=work)
    openssl("req", "-newkey", "rsa:2048", "-nodes", "-keyout", "signer.key", "-out", "signer.csr",
            "-subj", "/CN=TalsekTray Test Signer", cwd=work)
    (work / "signer.ext").write_text("basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\n"
                                     "extendedKeyUsage=codeSigning\n")
    openssl("x509", "-req", "-in", "signer.csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-CAcreateserial",
            "-out", "signer.pem", "-days", "3650", "-extfile", "signer.ext", cwd=work)
    openssl("pkcs12", "-export", "-inkey", "signer.key", "-in", "signer.pem", "-certfile", "ca.pem",
            "-out", "signer.p12", "-passout", f"pass:{PASSWORD}", cwd=work)
    return work / "ca.pem", work / "signer.p12"


def signed_packages(args, certificate: Path, out: Path) -> dict[str, str]:
    """Packs the build once more with the certificate; the packages' SHA-256 by name."""
    env = dict(os.environ, TALSEK_SIGN_PKCS12=str(certificate), TALSEK_SIGN_PASSWORD=PASSWORD)
    env.pop("TALSEK_SIGN_TIMESTAMP", None)
    done = subprocess.run([args.cpack, "--config", args.config, "-B", str(out)], env=env, capture_output=True)
    check("cpack with a certificate: exit code", 0, done.returncode)
    return {p.name: hashlib.sha256(p.read_bytes()).hexdigest() for p in out.iterdir() if p.suffix in (".zip", ".exe")}


def verify(data: bytes, ca: Path, work: Path) -> subprocess.CompletedProcess:
    candidate = work / "candidate.exe"
    candidate.write_bytes(data)
    return subprocess.run(["osslsigncode", "verify", "-CAfile", str(ca), "-in", str(candidate)],
                          capture_output=True, text=True)


def cases(args) -> int:
    work = Path(args.prefix).parent / "signing"
    subprocess.run(["rm", "-rf", str(work)], check=True)
    work.mkdir(parents=True)
    ca, certificate = make_certificates(work)
    packages = signed_packages(args, certificate, work / "first")
    check("signed twice with one certificate: the same bytes", packages, signed_packages(args, certificate, work / "again"))

    setup = next(name for name in packages if name.endswith("-setup.exe"))
    files = {setup: (work / "first" / setup).read_bytes()}
    with zipfile.ZipFile(work / "first" / next(name for name in packages if name.endswith(".zip"))) as z:
        files.update({m: z.read(m) for m in z.namelist() if m.endswith(".exe")})
    for name, data in files.items():
        check(f"{name}: the signature verifies", 0, verify(data, ca, work).returncode)
        changed = bytearray(data)
        changed[len(changed) // 2] ^= 0xFF
        check(f"{name} with one byte changed: the signature fails", 1, verify(bytes(changed), ca, work).returncode)
    print(verify(files[setup], ca, work).stdout)

    # The uninstaller exists only once the installer has written it.
    check("silent install of the signed installer: exit code", 0, wine(str(work / "first" / setup), "/S").returncode)
    _, install = folder("LOCALAPPDATA", "Programs", "TalsekTray")
    uninstaller = install / "uninstall.exe"
    check("the installed uninstaller's signature verifies", 0,
          verify(uninstaller.read_bytes(), ca, work).returncode if uninstaller.exists() else "no uninstall.exe")
    return 0


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--cpack", required=True)
    parser.add_argument("--config", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--inside", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    if not args.inside:
        return in_fresh_prefix(args.prefix, __file__, sys.argv[1:])
    return report("signing", cases(args))


if __name__ == "__main__":
    sys.exit(main())
