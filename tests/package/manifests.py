#!/usr/bin/env python3
"""The packages as a maintainer publishes them: the image that ships, and the portable zip's
files; SHA256SUMS and the winget manifest set name the very files packed, with every field
winget requires; a certificate named in the environment signs CHIMO.EXE (in the zip and the
MSI) and the MSI, as osslsigncode verifies; a certificate that cannot be used stops the
packing instead of leaving it unsigned.
    manifests.py CHIMO.EXE"""
import hashlib
import os
import re
import subprocess
import sys
import tempfile
import zipfile

import yaml

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
failures = []


def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what)
    if not ok:
        failures.append(what)


def pack(exe, dist, **env):
    return subprocess.run([sys.executable, os.path.join(REPO, "package", "pack.py"), REPO, exe, dist],
                          env=dict(os.environ, **env), capture_output=True, text=True)


def sha256(path):
    return hashlib.sha256(open(path, "rb").read()).hexdigest()


def msi_product_code(msi):
    rows = subprocess.run(["msiinfo", "export", msi, "Property"], capture_output=True, text=True,
                          check=True).stdout.splitlines()
    return dict(row.split("\t", 1) for row in rows[3:] if "\t" in row)["ProductCode"]


# What winget's 1.6 schemas require of each manifest, and of each installer.
REQUIRED = {
    "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale"],
    "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher",
                      "PackageName", "License", "ShortDescription"],
    "installer": ["PackageIdentifier", "PackageVersion", "Installers"],
}
INSTALLER_REQUIRED = ["Architecture", "InstallerType", "InstallerUrl", "InstallerSha256"]
IDENTIFIER = re.compile(r'^[^.\s\\/:*?"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?"<>|\x01-\x1f]{1,32}){1,7}$')


VERSION = re.search(r"project\(CHIMO VERSION ([0-9.]+)",
                    open(os.path.join(REPO, "CMakeLists.txt")).read()).group(1)
ZIPPED = ["CHIMO/CHIMO.EXE", "CHIMO/CHIMO.INI", "CHIMO/LICENSE.txt", "CHIMO/README.txt",
          "CHIMO/Sounds/"] + \
    ["CHIMO/Sounds/%s.wav" % n for n in ("Half Past", "Hour", "Quarter Bell", "Quarter Past",
                                          "Quarter To", "Ship's Bell")]


# Windows 7's and 10's KnownDLLs alike (always loaded from the system directory, never from the
# program's folder), ntdll, and Common Controls, which the manifest binds to the system's own
# side-by-side copy. Any other DLL is loaded at run time by its full path.
KNOWN_DLLS = {n + ".dll" for n in (
    "advapi32", "clbcatq", "comdlg32", "difxapi", "gdi32", "imagehlp", "imm32", "kernel32",
    "msctf", "msvcrt", "normaliz", "nsi", "ntdll", "ole32", "oleaut32", "psapi", "rpcrt4",
    "sechost", "setupapi", "shell32", "shlwapi", "user32", "wldap32", "ws2_32", "comctl32")}


def check_image(exe, archive):
    """32-bit, DEP and ASLR (with its relocations), a manifest that declares the display scale
    and asks for no elevation (the INI file stays writable through virtualization), the version
    block Explorer shows; and the zip holds it, the sounds and the texts, in one folder."""
    headers = subprocess.run(["i686-w64-mingw32-objdump", "-p", "-h", exe], capture_output=True,
                             text=True).stdout
    image = open(exe, "rb").read()
    check(len(image) < 448 * 1024, "the image is under 448 KB, its eleven languages in it (%d bytes)"
          % len(image))
    for want in ("pei-i386", "NX_COMPAT", "DYNAMIC_BASE", " .reloc "):
        check(want in headers, "the image has %s" % want.strip())
    check(b"<dpiAware" in image and b"PerMonitorV2" in image and
          b"requestedExecutionLevel" not in image,
          "the image's manifest declares per-monitor scaling and asks for no elevation")
    imports = {line.split(":", 1)[1].strip().lower()
               for line in headers.splitlines() if "DLL Name:" in line}
    check(imports and imports <= KNOWN_DLLS,
          "the image imports only Windows' KnownDLLs and Common Controls: %s"
          % sorted(imports - KNOWN_DLLS))
    texts = ("CHIMO! v" + VERSION, "CHIMO.EXE", "The CHIMO! Project")
    check(all(t.encode("utf-16-le") in image for t in texts), "the image's version block")
    with zipfile.ZipFile(archive) as z:
        check(sorted(z.namelist()) == sorted(ZIPPED) and z.read("CHIMO/CHIMO.EXE") == image,
              "the zip holds the image packed, the sounds and the texts: %s" % sorted(z.namelist()))
        portable = z.read("CHIMO/CHIMO.INI").decode("ascii").split("\r\n")
        bells = ["Sounds\\%s.wav" % n for n in ("Hour", "Quarter Past", "Half Past", "Quarter To")]
        check("Portable=1" in portable and all(
            any(line.endswith("=" + bell) for line in portable) and
            "CHIMO/" + bell.replace("\\", "/") in z.namelist() for bell in bells),
              "the zip's CHIMO.INI makes it portable and names its own bells: %s" % portable)


def check_manifests(dist, label):
    msi = os.path.join(dist, "CHIMO-%s.msi" % VERSION)
    archive = os.path.join(dist, "CHIMO-%s-portable.zip" % VERSION)
    sums = dict(reversed(line.split("  ", 1)) for line in open(os.path.join(dist, "SHA256SUMS")).read().splitlines())
    check(sums == {os.path.basename(msi): sha256(msi), os.path.basename(archive): sha256(archive)},
          "%s: SHA256SUMS holds the MSI's and the zip's hashes" % label)

    folder = os.path.join(dist, "winget")
    manifests = {}
    for name in sorted(os.listdir(folder)):
        manifests[name] = yaml.safe_load(open(os.path.join(folder, name), encoding="utf-8"))
    kinds = {m.get("ManifestType"): m for m in manifests.values()}
    check(sorted(kinds) == sorted(REQUIRED), "%s: one manifest of each kind: %s" % (label, sorted(kinds)))
    for kind, fields in REQUIRED.items():
        m = kinds.get(kind, {})
        missing = [f for f in fields + ["ManifestType", "ManifestVersion"] if not m.get(f)]
        check(not missing, "%s: the %s manifest has every required field %s" % (label, kind, missing or ""))
        check(tuple(int(p) for p in str(m.get("ManifestVersion", "0")).split(".")) >= (1, 6, 0),
              "%s: the %s manifest is of schema 1.6 or later" % (label, kind))
        check(isinstance(m.get("PackageVersion"), str) and m.get("PackageVersion") == VERSION,
              "%s: the %s manifest is of version %s (a string)" % (label, kind, VERSION))
        check(bool(IDENTIFIER.match(str(m.get("PackageIdentifier", "")))) and
              m.get("PackageIdentifier") == kinds["version"].get("PackageIdentifier"),
              "%s: the %s manifest names the package as the others do" % (label, kind))
        check(any(n == "%s.yaml" % m.get("PackageIdentifier") if kind == "version" else
                  n.startswith("%s." % m.get("PackageIdentifier")) for n in manifests),
              "%s: the %s manifest's file is named after the package" % (label, kind))
    locale = kinds.get("defaultLocale", {})
    check(locale.get("PackageLocale") == kinds.get("version", {}).get("DefaultLocale"),
          "%s: the default locale's manifest is the one the version names" % label)

    installers = kinds.get("installer", {}).get("Installers") or []
    by_type = {i.get("InstallerType"): i for i in installers}
    for i in installers:
        missing = [f for f in INSTALLER_REQUIRED if not i.get(f)]
        check(not missing, "%s: the %s installer has every required field %s" % (label, i.get("InstallerType"), missing or ""))
        name = str(i.get("InstallerUrl", "")).rsplit("/", 1)[-1]
        path = os.path.join(dist, name)
        check(str(i.get("InstallerUrl", "")).startswith("https://") and os.path.exists(path) and
              str(i.get("InstallerSha256", "")).lower() == sha256(path),
              "%s: the %s installer's address ends in %s, and its hash is that file's" % (label, i.get("InstallerType"), name))
    msi_entry = by_type.get("msi") or by_type.get("wix") or {}
    check(msi_entry.get("Scope") == "user" and msi_entry.get("ProductCode") == msi_product_code(msi),
          "%s: the MSI installs for the user, with the MSI's own ProductCode" % label)
    portable = by_type.get("zip", {})
    nested = [f.get("RelativeFilePath", "").replace("\\", "/") for f in portable.get("NestedInstallerFiles") or []]
    check(portable.get("NestedInstallerType") == "portable" and nested and
          all(n in zipfile.ZipFile(archive).namelist() for n in nested),
          "%s: the zip is portable, and the file it runs is in it: %s" % (label, nested))
    return msi, archive


def verify(path, cafile):
    result = subprocess.run(["osslsigncode", "verify", "-CAfile", cafile, "-in", path],
                            capture_output=True, text=True)
    return result.returncode == 0 and "Signature verification: ok" in result.stdout


def main(exe):
    with tempfile.TemporaryDirectory() as work:
        unsigned = pack(exe, os.path.join(work, "unsigned"))
        check(unsigned.returncode == 0 and "unsigned" in unsigned.stdout,
              "without a certificate it packs, unsigned, and says so")
        if unsigned.returncode:
            print(unsigned.stderr)
            return 1
        check_image(exe, check_manifests(os.path.join(work, "unsigned"), "unsigned")[1])

        # A throwaway code-signing certificate, made on the spot.
        key, cert, p12 = (os.path.join(work, n) for n in ("key.pem", "cert.pem", "cert.p12"))
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key,
                        "-out", cert, "-days", "2", "-subj", "/CN=CHIMO! test signer",
                        "-addext", "extendedKeyUsage=codeSigning"], check=True, capture_output=True)
        subprocess.run(["openssl", "pkcs12", "-export", "-inkey", key, "-in", cert, "-out", p12,
                        "-passout", "pass:s3cret"], check=True, capture_output=True)
        signed_dist = os.path.join(work, "signed")
        signed = pack(exe, signed_dist, CHIMO_SIGN_PKCS12=p12, CHIMO_SIGN_PASSWORD="s3cret")
        check(signed.returncode == 0 and "unsigned" not in signed.stdout, "with a certificate it packs, signed")
        if signed.returncode:
            print(signed.stderr)
            return 1
        msi, archive = check_manifests(signed_dist, "signed")
        inner = os.path.join(work, "CHIMO.EXE")
        with open(inner, "wb") as out:
            out.write(zipfile.ZipFile(archive).read("CHIMO/CHIMO.EXE"))
        check(verify(inner, cert), "the zip's CHIMO.EXE is signed, and the signature verifies")
        check(verify(msi, cert), "the MSI is signed, and the signature verifies")
        extracted = os.path.join(work, "msi")
        subprocess.run(["msiextract", "-C", extracted, msi], check=True, capture_output=True)
        found = [os.path.join(d, f) for d, _, fs in os.walk(extracted) for f in fs if f.upper() == "CHIMO.EXE"]
        check(len(found) == 1 and open(found[0], "rb").read() == open(inner, "rb").read(),
              "the MSI installs that same signed CHIMO.EXE")
        check(not verify(os.path.join(work, "unsigned", os.path.basename(msi)), cert),
              "an unsigned MSI does not verify")

        wrong = pack(exe, os.path.join(work, "wrong"), CHIMO_SIGN_PKCS12=p12, CHIMO_SIGN_PASSWORD="wrong")
        check(wrong.returncode != 0 and not os.path.exists(os.path.join(work, "wrong", os.path.basename(msi))),
              "a certificate that cannot be opened stops the packing, and nothing is packed")
    print("%d failed" % len(failures) if failures else "all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
