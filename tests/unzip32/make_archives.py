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
        self.target = target

    def writable(self):
        return True

    def write(self, data):
        return self.target.write(data)


def python_archives(out, files):
    layout = {"bin/app.dll": "app.dll", "docs/readme.txt": "readme.txt", "empty.txt": "empty.txt"}
    with zipfile.ZipFile(os.path.join(out, "python_folders.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("bin/", b"")
        for name, source in layout.items():
            z.writestr(name, files[source])
    with open(os.path.join(out, "python_streamed.zip"), "wb") as raw:
        with zipfile.ZipFile(Unseekable(raw), "w", zipfile.ZIP_DEFLATED) as z:
            for name, source in layout.items():
                with z.open(name, "w") as member:
                    member.write(files[source])
    with zipfile.ZipFile(os.path.join(out, "python_zip64.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        for name, source in layout.items():
            with z.open(name, "w", force_zip64=True) as member:
                member.write(files[source])


def crc_step(crc, byte):
    return zlib.crc32(bytes([byte]), crc ^ 0xFFFFFFFF) ^ 0xFFFFFFFF


class Cipher:
    """The traditional PKWARE encryption."""

    def __init__(self, password):
        self.keys = [0x12345678, 0x23456789, 0x34567890]
        for c in password.encode():
            self.update(c)

    def update(self, byte):
        keys = self.keys
        keys[0] = crc_step(keys[0], byte)
        keys[1] = ((keys[1] + (keys[0] & 0xFF)) * 134775813 + 1) & 0xFFFFFFFF
        keys[2] = crc_step(keys[2], keys[1] >> 24)

    def mask(self):
        temp = (self.keys[2] & 0xFFFF) | 2
        return ((temp * (temp ^ 1)) >> 8) & 0xFF

    def decrypt(self, data):
        plain = bytearray()
        for c in data:
            plain.append(c ^ self.mask())
            self.update(plain[-1])
        return bytes(plain)

    def encrypt(self, data):
        out = bytearray()
        for c in data:
            out.append(c ^ self.mask())
            self.update(c)
        return bytes(out)


def header_check_passes(password, header, expected):
    return Cipher(password).decrypt(header)[-1] == expected


def encrypted_archive(path, members, password):
    """Deflated members encrypted without data descriptors: the header's check
    byte is the high byte of the CRC."""
    out, central = bytearray(), bytearray()
    for index, (name, data) in enumerate(members):
        crc = zlib.crc32(data)
        deflate = zlib.compressobj(9, zlib.DEFLATED, -15)
        header = bytes((index * 37 + i * 11) & 0xFF for i in range(11)) + bytes([crc >> 24])
        body = Cipher(password).encrypt(header + deflate.compress(data) + deflate.flush())
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
        for info in z.infolist():
            if not info.flag_bits & 1:
                continue
            raw.seek(info.header_offset + 26)
            lengths = raw.read(4)
            skip = int.from_bytes(lengths[:2], "little") + int.from_bytes(lengths[2:], "little")
            raw.seek(info.header_offset + 30 + skip)
            header = raw.read(12)
            if info.flag_bits & 8:
                expected = (info._raw_time >> 8) & 0xFF
            else:
                expected = info.CRC >> 24
            if any(header_check_passes(p, header, expected) for p in WRONG_PASSWORDS):
                return True
    return False


def zip_archives(out, source_folder):
    app = os.path.join(source_folder, "app.dll")
    readme = os.path.join(source_folder, "readme.txt")
    encrypted = os.path.join(out, "zip_encrypted.zip")
    mixed = os.path.join(out, "zip_mixed.zip")
    for _ in range(100):
        for path in (encrypted, mixed):
            if os.path.exists(path):
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
    python_archives(out, files)
    zip_archives(out, source_folder)
    members = [("app.dll", files["app.dll"]), ("readme.txt", files["readme.txt"])]
    encrypted_archive(os.path.join(out, "own_encrypted.zip"), members, PASSWORD)
    encrypted_archive(os.path.join(out, "own_long_password.zip"), members, LONG_PASSWORD)


if __name__ == "__main__":
    main()
