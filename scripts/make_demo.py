#!/usr/bin/env python3
"""Lays out the demo: an installed product, its repository and update archives,
and kvu.ini pointing at a repository served from 127.0.0.1.

usage: make_demo.py DEMO_DIR PORT PE_DIR COMPONENT_DLL
Writes DEMO_DIR/product (the installation), DEMO_DIR/www/pelt (what the server
serves) and DEMO_DIR/app/kvu.ini; kvu.exe and unzip32.dll are copied by the caller.
"""
import base64
import os
import shutil
import sys
import time
import zipfile

# The selector's first entry, which start-up selects, is product 0.
PRODUCT = 0
OTHER_PRODUCT = 16
OLD = time.mktime((2020, 1, 10, 9, 0, 0, 0, 0, -1))
NEW_DATE = (2024, 3, 15, 10, 20, 30)


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def archive(www, name, data):
    info = zipfile.ZipInfo(name, date_time=NEW_DATE)
    info.compress_type = zipfile.ZIP_DEFLATED
    with zipfile.ZipFile(os.path.join(www, name + ".zip"), "w") as z:
        z.writestr(info, data)


def main():
    demo, port, pe_dir, component = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
    product = os.path.join(demo, "product")
    www = os.path.join(demo, "www", "pelt")
    app = os.path.join(demo, "app")
    for folder in (product, os.path.join(product, "bin"), www, app):
        os.makedirs(folder, exist_ok=True)
    read = lambda path: open(path, "rb").read()

    # The installation: an old library version, an old text, an old component.
    installed = {
        "lindora.dll": read(os.path.join(pe_dir, "full.dll")),  # 5.1.2600.5512
        "bin/olvasd.txt": "Régi leírás.\r\n".encode("cp1250"),
        "VmlxDemo.dll": read(component),
        "naplo.exe": read(os.path.join(pe_dir, "edge.exe")),  # the newest there is
    }
    for name, data in installed.items():
        path = os.path.join(product, name)
        open(path, "wb").write(data)
        os.utime(path, (OLD, OLD))

    # What the maker offers: rows for a new file, a newer version, a newer
    # date, the component, a file that is current, and another product's file.
    base = "http://127.0.0.1:%d/pelt/" % port
    updates = [
        ("lindora.dll", read(os.path.join(pe_dir, "notranslation.dll")), "DLL", "7.0.0.3", "",
         "ALLWAYS"),
        ("olvasd.txt", "Új leírás.\r\n".encode("cp1250"), "TXT", "", "bin", "ALLWAYS"),
        ("VmlxDemo.dll", read(component), "DLL", "", "", "ALLWAYS"),
        ("uj_modul.dll", read(os.path.join(pe_dir, "full.dll")), "DLL", "5.1.2600.5512", "",
         "NOTEXIST"),
    ]
    lines = ["APPID\tOPTION\tZIPNAME\tFILENAME\tFILETYPE\tVERSION\tDATETIME\tFILESIZE\tMODE\tTARGET"]
    for name, data, kind, version, target, mode in updates:
        archive(www, name, data)
        lines.append("\t".join([str(PRODUCT), "0", base + name + ".zip", name, kind, version,
                                "2024-03-15 10:20:30", str(len(data)), mode, target]))
    lines.append("\t".join([str(PRODUCT), "0", base + "naplo.exe.zip", "naplo.exe", "EXE",
                            "1.0.0.0", "2019-01-01 00:00:00", "100", "ALLWAYS", ""]))
    lines.append("\t".join([str(OTHER_PRODUCT), "0", base + "masik.dll.zip", "masik.dll", "DLL",
                            "9.0.0.0", "2024-03-15 10:20:30", "100", "ALLWAYS", ""]))
    with open(os.path.join(www, "demo.xrs"), "wb") as out:
        for line in lines:
            out.write(base64.b64encode(line.encode("cp1250")) + b"\r\n")

    ini = ("[%d_PARAM]\r\nREPO_URL=%sdemo.xrs\r\nAPP_PATH=%s\r\nUPDATE_ONLY_NEWER=0\r\n"
           % (PRODUCT, base, wine_path(product)))
    open(os.path.join(app, "kvu.ini"), "wb").write(ini.encode("cp1250"))


if __name__ == "__main__":
    main()
