#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the thirteen stand-in data files of kitforge into this folder.

Each stand-in has the exact size of the file it stands in for and says at its
start that it is a placeholder which must be replaced by the licensed file before
a package is shipped. The content is deterministic: running the script again
gives the same bytes. The files are committed; run this only to recreate them.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))

# number, file in this folder, name in the package, role, size in bytes
FILES = [
    (222, "x86/ostxbus.sys", r".\x86\ostxbus.sys", "NR7x composite-device (bus) driver for x86, version 4.40", 58368),
    (221, "x86/ostxcmnt.sys", r".\x86\ostxcmnt.sys", "NR7x serial-port support library for x86", 5504),
    (227, "x86/ostxser.sys", r".\x86\ostxser.sys", "NR7x serial-port driver for x86, version 4.40", 75776),
    (233, "x86/ostxwhnt.sys", r".\x86\ostxwhnt.sys", "NR7x bus support library for x86", 5504),
    (239, "x64/ostxbus.sys", r".\x64\ostxbus.sys", "NR7x composite-device (bus) driver for x64", 79872),
    (240, "x64/ostxcmnt.sys", r".\x64\ostxcmnt.sys", "NR7x serial-port support library for x64", 8192),
    (241, "x64/ostxser.sys", r".\x64\ostxser.sys", "NR7x serial-port driver for x64", 103936),
    (242, "x64/ostxwhnt.sys", r".\x64\ostxwhnt.sys", "NR7x bus support library for x64", 8704),
    (238, "x86/Vdlink.sys", r".\x86\Vdlink.sys", "Linkvane direct-access driver for x86, version 3.1", 14848),
    (237, "x86/Vdcore.sys", r".\x86\Vdcore.sys", "Linkvane support driver for x86, version 1.2.0.0", 18944),
    (236, "x64/Vdlink.sys", r".\x64\Vdlink.sys", "Linkvane direct-access driver for x64", 16384),
    (235, "x64/Vdcore.sys", r".\x64\Vdcore.sys", "Linkvane support driver for x64", 24576),
    (234, "installer.exe", "<installer name>.exe", "driver installation program, version 2.0", 298632),
]


def content(number, package_name, role, size):
    head = (
        "PLACEHOLDER - THIS IS NOT A DRIVER FILE\r\n"
        f"kitforge data file {number}: stand-in for the {role},\r\n"
        f"written into a package as {package_name}.\r\n"
        "Replace this file with the licensed file before a package is shipped.\r\n"
        "\r\n"
    )
    filler = f"placeholder for data file {number}; replace with the licensed file\r\n"
    data = head + filler * (size // len(filler) + 1)
    return data.encode("ascii")[:size]


def main():
    for number, folder_name, package_name, role, size in FILES:
        path = os.path.join(HERE, folder_name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        data = content(number, package_name, role, size)
        assert len(data) == size
        with open(path, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
