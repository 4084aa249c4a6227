#!/usr/bin/env python3
"""Makes the test archives that come from other writers: Python's zipfile
(folders, data descriptors, ZIP64 records), Debian's zip (encryption, with data
descriptors) and an encrypting writer of our own (no data descriptors).

Usage: make_archives.py OUTPUT_FOLDER
"""
import io
import os
import struct
import subprocess
import sys
import zipfile
import zlib

PASSWORD = "Titok-2024"
# The longest password the password callback can give: 256 characters.
LONG_PASSWORD = ("Titok-" + "0123456789abcdef" * 16)[:256]
# Passwords the tests try that must not pass the one-byte header check by
# chance; the encrypted archives are made again until none does.
WRONG_PASSWORDS = ["wrong", "Titok-2023", "titok-2024"]
LAYOUT = {"bin/app.dll": "app.dll", "docs/readme.txt": "readme.txt", "empty.txt": "empty.txt"}


def sources():
    app = bytearray()
    state = 12345
    while len(app) < 150_000:
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        app += (b"MZ section %d " % (state % 97)) if state % 3 else bytes([state & 0xFF])
    readme = "".join("Line %d of the release notes: árvíztűrő\r\n" % i for i in range(120))
    return {"app.dll": bytes(app), "readme.txt": readme.encode("utf-8"), "empty.txt": b""}


class Unseekable(io.RawIOBase):
    """A stream zipfile cannot seek in, so it writes data descriptors."""

    def __init__(self, target):
        self.write = target.write

    def writable(self):
        return True


def python_archive(path, files, streamed=False, force_zip64=False):
    with open(path, "wb") as raw:
        with zipfile.ZipFile(Unseekable(raw) if streamed else raw, "w", zipfile.ZIP_DEFLATED) as z:
            if not (streamed or force_zip64):
                z.writestr("bin/", b"")
            for name, source in LAYOUT.items():
                with z.open(name, "w", force_zip64=force_zip64) as member:
                    member.write(files[source])


class Cipher:
    """The traditional PKWARE encryption."""

    def __init__(self, password):
        self.keys = [0x12345678, 0x23456789, 0x34567890]
        for c in password.encode():
            self.update(c)

    @staticmethod
    def crc_step(crc, byte):
        return zlib.crc32(bytes([byte]), crc ^ 0xFFFFFFFF) ^ 0xFFFFFFFF

    def update(self, byte):
        keys = self.keys
        keys[0] = self.crc_step(keys[0], byte)
        keys[1] = ((keys[1] + (keys[0] & 0xFF)) * 134775813 + 1) & 0xFFFFFFFF
        keys[2] = self.crc_step(keys[2], keys[1] >> 24)

    def crypt(self, data, decrypt=False):
        out = bytearray()
        for c in data:
            temp = (self.keys[2] & 0xFFFF) | 2
            out.append(c ^ (((temp * (temp ^ 1)) >> 8) & 0xFF))
            self.update(out[-1] if decrypt else c)
        return bytes(out)


def encrypted_archive(path, members, password):
    """Deflated members encrypted without data descriptors: the header's check
    byte is the high byte of the CRC."""
    out, central = bytearray(), bytearray()
    for index, (name, data) in enumerate(members):
        crc = zlib.crc32(data)
        deflate = zlib.compressobj(9, zlib.DEFLATED, -15)
        header = bytes((index * 37 + i * 11) & 0xFF for i in range(11)) + bytes([crc >> 24])
        body = Cipher(password).crypt(header + deflate.compress(data) + deflate.flush())
        fields = struct.pack("<HHHHHIII", 20, 1, 8, 0x6000, 0x5821, crc, len(body), len(data))
        central += struct.pack("<IH", 0x02014B50, 20) + fields + struct.pack(
            "<HHHHHII", len(name), 0, 0, 0, 0, 0, len(out)) + name.encode()
        out += struct.pack("<I", 0x04034B50) + fields + struct.pack("<HH", len(name), 0)
        out += name.encode() + body
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(members), len(members), len(central),
                      len(out), 0)
    with open(path, "wb") as f:
        f.write(out + central + end)


def wrong_password_fits(path):
    with zipfile.ZipFile(path) as z, open(path, "rb") as raw:
        for info in (i for i in z.infolist() if i.flag_bits & 1):
            raw.seek(info.header_offset + 26)
            name_length, extra_length = struct.unpack("<HH", raw.read(4))
            raw.seek(info.header_offset + 30 + name_length + extra_length)
            header = raw.read(12)
            expected = (info._raw_time >> 8) & 0xFF if info.flag_bits & 8 else info.CRC >> 24
            if any(Cipher(p).crypt(header, True)[-1] == expected for p in WRONG_PASSWORDS):
                return True
    return False


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
    python_archive(os.path.join(out, "python_folders.zip"), files)
    python_archive(os.path.join(out, "python_streamed.zip"), files, streamed=True)
    python_archive(os.path.join(out, "python_zip64.zip"), files, force_zip64=True)
    zip_archives(out, source_folder)
    members = [("app.dll", files["app.dll"]), ("readme.txt", files["readme.txt"])]
    encrypted_archive(os.path.join(out, "own_encrypted.zip"), members, PASSWORD)
    encrypted_archive(os.path.join(out, "own_long_password.zip"), members, LONG_PASSWORD)


if __name__ == "__main__":
    main()
