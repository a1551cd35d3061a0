#!/usr/bin/env python3
"""Packs the release CHIMO.EXE, the tower chimes, README.txt and the licence into the MSI and
the portable zip.   pack.py REPO CHIMO.EXE DIST

Reproducible: every file gets the commit's time (SOURCE_DATE_EPOCH when set), texts get
Windows line ends, zip entries go in a fixed order with fixed attributes, and the installer's
product and package codes are derived from what goes into it (a different build is a
different product, so installing it upgrades; the same build is the same product)."""
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
CHIMES = ("Hour.wav", "Quarter Past.wav", "Half Past.wav", "Quarter To.wav")


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
    for source, name in (("package/README.txt", "README.txt"), ("LICENSE.txt", "LICENSE.txt")):
        text = open(os.path.join(repo, source), encoding="utf-8").read()
        with open(os.path.join(stage, name), "w", encoding="utf-8", newline="\r\n") as out:
            out.write(text)
    files = sorted(os.path.relpath(os.path.join(d, f), stage)
                   for d, _, names in os.walk(stage) for f in names)
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

    archive = os.path.join(dist, "CHIMO-%s-portable.zip" % version)
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # zip times start in 1980
    with zipfile.ZipFile(archive, "w") as z:
        for f in ["Sounds/"] + [f.replace(os.sep, "/") for f in files]:
            info = zipfile.ZipInfo("CHIMO/" + f, stamp)
            info.create_system = 0  # MS-DOS attributes, as Windows' own zip folders write
            if f.endswith("/"):
                info.external_attr = 0x10
                z.writestr(info, b"")
                continue
            info.external_attr = 0x20
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(stage, f), "rb") as data:
                z.writestr(info, data.read(), compresslevel=9)
    for path in (msi, archive):
        print("%s  %d bytes" % (os.path.relpath(path, repo), os.path.getsize(path)))


if __name__ == "__main__":
    main(*sys.argv[1:])
