#!/usr/bin/env python3
"""Writes small seed archives for the extraction fuzzer: stored and deflated
members, folders, data descriptors, ZIP64 records, a comment, and members
encrypted by Debian's zip with the password "x".

Usage: unzip_seeds.py CORPUS_FOLDER
"""
import os
import subprocess
import sys
import tempfile
import zipfile

# The test archives' writer knows how to make zipfile use data descriptors.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "unzip32"))
from make_archives import Unseekable  # noqa: E402


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    text = b"hello hello hello hello\n" * 4
    with zipfile.ZipFile(os.path.join(out, "plain.zip"), "w") as z:
        z.writestr("dir/", b"")
        z.writestr(zipfile.ZipInfo("dir/a.txt"), text, zipfile.ZIP_DEFLATED)
        z.writestr("b.bin", b"\x00\x01\x02", zipfile.ZIP_STORED)
        z.comment = b"comment"
    with open(os.path.join(out, "streamed.zip"), "wb") as raw:
        with zipfile.ZipFile(Unseekable(raw), "w", zipfile.ZIP_DEFLATED) as z:
            with z.open("s.txt", "w") as member:
                member.write(text)
    with zipfile.ZipFile(os.path.join(out, "zip64.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        with z.open("big.txt", "w", force_zip64=True) as member:
            member.write(text)
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "e.txt")
        with open(source, "wb") as f:
            f.write(text)
        target = os.path.join(out, "encrypted.zip")
        if os.path.exists(target):
            os.remove(target)
        subprocess.run(["zip", "-q", "-j", "-P", "x", target, source], check=True)


if __name__ == "__main__":
    main()
