#!/usr/bin/env python3
"""Packs the release CHIMO.EXE, the tower chimes, README.txt and the licence into the MSI and
the portable zip, and writes their SHA256SUMS and a winget manifest set for both.
    pack.py REPO CHIMO.EXE DIST

Reproducible: every file gets the commit's time (SOURCE_DATE_EPOCH when set), texts get
Windows line ends, zip entries go in a fixed order with fixed attributes, and the installer's
product and package codes are derived from what goes into it (a different build is a
different product, so installing it upgrades; the same build is the same product).

Signed with osslsigncode (CHIMO.EXE before it is packed, then the MSI) when a certificate is
named: CHIMO_SIGN_PKCS12 (a PKCS#12 file), or CHIMO_SIGN_PKCS11_MODULE with
CHIMO_SIGN_PKCS11_KEY and CHIMO_SIGN_PKCS11_CERT (a token: the key's id, the certificate's id
or file); CHIMO_SIGN_PASSWORD is the file's password or the token's PIN, and
CHIMO_SIGN_TIMESTAMP an RFC 3161 timestamp server. A signature carries the time it was made,
so signed packages are not reproducible. CHIMO_DOWNLOAD_URL is the address the files will be
downloaded from, which the winget manifests name (a placeholder when not set)."""
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import time
import uuid
import zipfile

NAMESPACE = uuid.UUID("8c3b6e52-4f1d-4c8a-9b67-2e5d0a7c1f30")
CHIMES = ("Hour.wav", "Quarter Past.wav", "Half Past.wav", "Quarter To.wav", "Quarter Bell.wav",
          "Ship's Bell.wav")


def set_summary_times(msi, epoch):
    """wixl stamps the summary's creation and last-saved times with the clock: set both to
    `epoch`. Each is a typed FILETIME property (VT_FILETIME, 64) in the summary stream; a stamp
    within a day of now is one of them."""
    data = bytearray(open(msi, "rb").read())
    to_filetime = lambda seconds: (seconds + 11644473600) * 10000000
    now = to_filetime(int(time.time()))
    wanted = struct.pack("<IQ", 64, to_filetime(epoch))
    found = 0
    at = data.find(struct.pack("<I", 64))
    while at != -1 and at + 12 <= len(data):
        stamp = struct.unpack_from("<Q", data, at + 4)[0]
        if abs(stamp - now) < 86400 * 10000000:
            data[at:at + 12] = wanted
            found += 1
        at = data.find(struct.pack("<I", 64), at + 1)
    if found != 2:
        sys.exit("%s: expected 2 summary times, found %d" % (msi, found))
    open(msi, "wb").write(bytes(data))


def pe_platform(exe):
    """The installer's platform for a Windows executable: "x86" for an i686 one, "x64" for an
    x86_64 one (the COFF header's machine field, behind the PE signature)."""
    image = open(exe, "rb").read(4096)
    at = struct.unpack_from("<I", image, 0x3C)[0]
    machine = struct.unpack_from("<H", image, at + 4)[0]
    return {0x14C: "x86", 0x8664: "x64"}[machine]


PACKAGE_ID = "TheChimoProject.CHIMO"
MANIFEST_VERSION = "1.6.0"
ABOUT_URL = "http://www.example.org/chimo/"


def signing():
    """The osslsigncode arguments that name the certificate, and the password; None when no
    certificate is named."""
    env = os.environ
    if env.get("CHIMO_SIGN_PKCS12"):
        args = ["-pkcs12", env["CHIMO_SIGN_PKCS12"]]
    elif env.get("CHIMO_SIGN_PKCS11_MODULE"):
        cert = env.get("CHIMO_SIGN_PKCS11_CERT", "")
        args = ["-pkcs11module", env["CHIMO_SIGN_PKCS11_MODULE"],
                "-key", env.get("CHIMO_SIGN_PKCS11_KEY", "")]
        args += ["-certs", cert] if os.path.isfile(cert) else ["-pkcs11cert", cert]
    else:
        return None
    args += ["-h", "sha256", "-n", "CHIMO!", "-i", ABOUT_URL]
    if env.get("CHIMO_SIGN_TIMESTAMP"):
        args += ["-ts", env["CHIMO_SIGN_TIMESTAMP"]]
    password = env.get("CHIMO_SIGN_PASSWORD")
    if password is not None:
        args += ["-readpass", "-"]  # from the standard input, not the command line
    return args, password


def sign(how, path):
    """Signs `path` in place."""
    args, password = how
    signed = path + ".signed"
    subprocess.run(["osslsigncode", "sign"] + args + ["-in", path, "-out", signed],
                   input=(password or "") + "\n", text=True, check=True,
                   stdout=subprocess.DEVNULL)
    os.replace(signed, path)


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def write_manifests(dist, version, platform, product_code, msi, archive):
    """SHA256SUMS, and the winget manifest set (version, default locale, installer) for the MSI
    and the portable zip, in DIST/winget."""
    with open(os.path.join(dist, "SHA256SUMS"), "w", newline="\n") as out:
        for path in (msi, archive):
            out.write("%s  %s\n" % (sha256(path), os.path.basename(path)))
    url = os.environ.get("CHIMO_DOWNLOAD_URL") or "https://www.example.org/chimo/download/%s/" % version
    url = url.rstrip("/") + "/"
    architecture = {"x86": "x86", "x64": "x64"}[platform]
    head = lambda kind: "# yaml-language-server: $schema=https://aka.ms/winget-manifest.%s.%s.schema.json\n\n" \
        "PackageIdentifier: %s\nPackageVersion: \"%s\"\n" % (kind, MANIFEST_VERSION, PACKAGE_ID, version)
    tail = lambda kind: "ManifestType: %s\nManifestVersion: %s\n" % (kind, MANIFEST_VERSION)
    files = {
        "%s.yaml" % PACKAGE_ID: head("version") + "DefaultLocale: en-US\n" + tail("version"),
        "%s.locale.en-US.yaml" % PACKAGE_ID: head("defaultLocale") +
            "PackageLocale: en-US\n"
            "Publisher: The CHIMO! Project\n"
            "PublisherUrl: %s\n"
            "PackageName: CHIMO!\n"
            "PackageUrl: %s\n"
            "License: Freeware\n"
            "Copyright: Copyright (C) 2026 The CHIMO! Project\n"
            "ShortDescription: A clock chime in the notification area, at every quarter hour.\n"
            "Moniker: chimo\n"
            "Tags:\n- chime\n- clock\n- tray\n" % (ABOUT_URL, ABOUT_URL) + tail("defaultLocale"),
        "%s.installer.yaml" % PACKAGE_ID: head("installer") +
            "Installers:\n"
            "- Architecture: %s\n"
            "  InstallerType: msi\n"
            "  Scope: user\n"
            "  InstallerUrl: %s%s\n"
            "  InstallerSha256: %s\n"
            "  ProductCode: \"{%s}\"\n"
            "- Architecture: %s\n"
            "  InstallerType: zip\n"
            "  NestedInstallerType: portable\n"
            "  NestedInstallerFiles:\n"
            "  - RelativeFilePath: CHIMO\\CHIMO.EXE\n"
            "    PortableCommandAlias: chimo\n"
            "  InstallerUrl: %s%s\n"
            "  InstallerSha256: %s\n"
            % (architecture, url, os.path.basename(msi), sha256(msi).upper(), product_code,
               architecture, url, os.path.basename(archive), sha256(archive).upper())
            + tail("installer"),
    }
    folder = os.path.join(dist, "winget")
    os.makedirs(folder, exist_ok=True)
    for name, text in files.items():
        with open(os.path.join(folder, name), "w", encoding="utf-8", newline="\n") as out:
            out.write(text)


def main(repo, exe, dist):
    version = re.search(r"project\(CHIMO VERSION ([0-9.]+)",
                        open(os.path.join(repo, "CMakeLists.txt")).read()).group(1)
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH") or subprocess.run(
        ["git", "-C", repo, "log", "-1", "--format=%ct"], capture_output=True, text=True,
        check=True).stdout.strip() or 0)

    stage = os.path.join(repo, "build", "package", "CHIMO")
    shutil.rmtree(os.path.dirname(stage), ignore_errors=True)
    os.makedirs(os.path.join(stage, "Sounds"))
    shutil.copyfile(exe, os.path.join(stage, "CHIMO.EXE"))
    for name in CHIMES:
        shutil.copyfile(os.path.join(repo, "res", "chimes", name), os.path.join(stage, "Sounds", name))
    # The portable zip's settings live beside CHIMO.EXE and ring its own bells out of the box.
    portable = os.path.join(repo, "build", "package", "CHIMO.INI")
    with open(portable, "w", encoding="ascii", newline="\r\n") as out:
        out.write("[Special]\nPortable=1\n[Sounds]\nHour=Sounds\\Hour.wav\n"
                  "Quarter_After=Sounds\\Quarter Past.wav\nHalf_Past=Sounds\\Half Past.wav\n"
                  "Quarter_Til=Sounds\\Quarter To.wav\n")
    for source, name in (("package/README.txt", "README.txt"), ("LICENSE.txt", "LICENSE.txt")):
        text = open(os.path.join(repo, source), encoding="utf-8").read()
        with open(os.path.join(stage, name), "w", encoding="utf-8", newline="\r\n") as out:
            out.write(text)
    files = sorted(os.path.relpath(os.path.join(d, f), stage)
                   for d, _, names in os.walk(stage) for f in names)
    how = signing()
    if how:
        sign(how, os.path.join(stage, "CHIMO.EXE"))
    else:
        print("unsigned: no certificate named (CHIMO_SIGN_PKCS12 or CHIMO_SIGN_PKCS11_MODULE)")
    for path in [stage] + [os.path.join(stage, f) for f in files]:
        os.utime(path, (epoch, epoch))

    content = hashlib.sha256(("%s %d" % (version, epoch)).encode())
    for f in files:
        content.update(f.encode() + b"\0" + open(os.path.join(stage, f), "rb").read())
    digest = content.hexdigest()
    os.makedirs(dist, exist_ok=True)

    msi = os.path.join(dist, "CHIMO-%s.msi" % version)
    defines = {
        "Version": version + ".0",
        "ProductCode": str(uuid.uuid5(NAMESPACE, "product " + digest)).upper(),
        "PackageCode": str(uuid.uuid5(NAMESPACE, "package " + digest)).upper(),
        "Exe": os.path.join(stage, "CHIMO.EXE"),
        "Readme": os.path.join(stage, "README.txt"),
        "License": os.path.join(stage, "LICENSE.txt"),
        "Chimes": os.path.join(stage, "Sounds"),
        "Icon": os.path.join(repo, "res", "icons", "main.ico"),
    }
    platform = pe_platform(exe)
    command = ["wixl", "-a", platform, "-o", msi]
    # wixl finds source files relative to the .wxs file only.
    for key in ("Exe", "Readme", "License", "Chimes", "Icon"):
        defines[key] = os.path.relpath(defines[key], os.path.join(repo, "package"))
    for key, value in defines.items():
        command += ["-D", "%s=%s" % (key, value)]
    env = dict(os.environ, SOURCE_DATE_EPOCH=str(epoch), TZ="UTC")
    wxs = os.path.join(repo, "package", "CHIMO.wxs")
    subprocess.run(command + [wxs], check=True, env=env)
    # Two things wixl cannot say: a component condition (the sign-in entry only with
    # AUTOSTART=1) and an upgrade that also replaces the same version (a rebuild).
    upgrade_code = re.search(r'UpgradeCode="([0-9A-F-]+)"', open(wxs).read()).group(1)
    subprocess.run([
        "msibuild", msi,
        "-q", "UPDATE `Component` SET `Condition` = 'AUTOSTART=1' "
              "WHERE `Component` = 'StartAtSignIn'",
        "-q", "DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'",
        "-q", "INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) "
              "VALUES ('{%s}', '%s.0', 513, 'WIX_UPGRADE_DETECTED')" % (upgrade_code, version),
    ], check=True, env=env)
    # The package code (the summary's revision) derived as above, not a random one.
    subprocess.run(["msibuild", msi, "-s", "CHIMO! %s" % version, "The CHIMO! Project",
                    "%s;1033" % ("Intel" if platform == "x86" else "x64"), "{%s}" % defines["PackageCode"]], check=True, env=env)
    set_summary_times(msi, epoch)
    if how:
        sign(how, msi)

    archive = os.path.join(dist, "CHIMO-%s-portable.zip" % version)
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # zip times start in 1980
    with zipfile.ZipFile(archive, "w") as z:
        for f in sorted(["Sounds/", "CHIMO.INI"] + [f.replace(os.sep, "/") for f in files]):
            info = zipfile.ZipInfo("CHIMO/" + f, stamp)
            info.create_system = 0  # MS-DOS attributes, as Windows' own zip folders write
            if f.endswith("/"):
                info.external_attr = 0x10
                z.writestr(info, b"")
                continue
            info.external_attr = 0x20
            info.compress_type = zipfile.ZIP_DEFLATED
            source = portable if f == "CHIMO.INI" else os.path.join(stage, f)
            with open(source, "rb") as data:
                z.writestr(info, data.read(), compresslevel=9)
    write_manifests(dist, version, platform, defines["ProductCode"], msi, archive)
    for path in (msi, archive):
        print("%s  %d bytes" % (os.path.relpath(path, repo), os.path.getsize(path)))
    print("%s  and winget/, for CHIMO_DOWNLOAD_URL=%s" % (
        os.path.relpath(os.path.join(dist, "SHA256SUMS"), repo),
        os.environ.get("CHIMO_DOWNLOAD_URL") or "(a placeholder)"))


if __name__ == "__main__":
    main(*sys.argv[1:])
