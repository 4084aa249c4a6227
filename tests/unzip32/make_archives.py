#!/usr/bin/env python3
"""Makes the test archives that come from other writers: Python's zipfile (a
folder, data descriptors, ZIP64 records) and Debian's zip (encryption, with data
descriptors).

Usage: make_archives.py OUTPUT_FOLDER
"""
import io
import os
import subprocess
import sys
import zipfile

PASSWORD = "Titok-2024"
# Passwords the tests try that must not pass the one-byte header check by
# chance; the encrypted archives are made again until none does.
WRONG_PASSWORDS = ["wrong", "Titok-2023", "titok-2024"]


def sources():
    app = b"".join(b"MZ section %d %c" % (i * 7919 % 97, i * 31 & 0xFF) for i in range(12000))
    readme = "".join("Line %d of the release notes: árvíztűrő\r\n" % i for i in range(120))
    return {"app.dll": app, "readme.txt": readme.encode("utf-8"), "empty.txt": b""}


class Unseekable(io.RawIOBase):
    """A stream zipfile cannot seek in, so it writes data descriptors."""

    def __init__(self, target):
        self.write = target.write

    def writable(self):
        return True


def python_archive(path, files):
    with open(path, "wb") as raw, zipfile.ZipFile(Unseekable(raw), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("bin/", b"")
        for name in ("bin/app.dll", "docs/readme.txt", "empty.txt"):
            with z.open(name, "w", force_zip64=name.endswith(".dll")) as member:
                member.write(files[os.path.basename(name)])


def opens(archive, member, password):
    try:
        archive.open(member, pwd=password.encode()).close()
        return True
    except RuntimeError:  # zipfile's "Bad password": the check byte did not fit
        return False


def wrong_password_fits(path):
    with zipfile.ZipFile(path) as z:
        encrypted = [info for info in z.infolist() if info.flag_bits & 1]
        return any(opens(z, info, p) for info in encrypted for p in WRONG_PASSWORDS)


def zip_archives(out, source_folder):
    app, readme = (os.path.join(source_folder, name) for name in ("app.dll", "readme.txt"))
    encrypted, mixed = (os.path.join(out, name) for name in ("zip_encrypted.zip", "zip_mixed.zip"))
    for _ in range(100):
        for path in (p for p in (encrypted, mixed) if os.path.exists(p)):
            os.remove(path)
        subprocess.run(["zip", "-q", "-j", "-P", PASSWORD, encrypted, app, readme], check=True)
        subprocess.run(["zip", "-q", "-j", mixed, readme], check=True)
        subprocess.run(["zip", "-q", "-j", "-P", PASSWORD, mixed, app], check=True)
        if not wrong_password_fits(encrypted) and not wrong_password_fits(mixed):
            return
    sys.exit("could not make encrypted archives")


def main():
    out = sys.argv[1]
    source_folder = os.path.join(out, "sources")
    os.makedirs(source_folder, exist_ok=True)
    files = sources()
    for name, data in files.items():
        with open(os.path.join(source_folder, name), "wb") as f:
            f.write(data)
    python_archive(os.path.join(out, "python.zip"), files)
    zip_archives(out, source_folder)


if __name__ == "__main__":
    main()
