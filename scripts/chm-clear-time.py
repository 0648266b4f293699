#!/usr/bin/env python3
"""Clears the two compile times chmcmd writes into a help file, so that the same pages always give
the same bytes: the ITSF header's (milliseconds of the day, at 16) and the #SYSTEM file's entry 10.
chmcmd reads the clock itself (Free Pascal calls the kernel directly), so faketime cannot stop it.
Usage: chm-clear-time.py <file.chm>
"""
import struct
import sys


def encint(data, at):
    """A CHM variable-length number (7 bits a byte, highest first) and the offset after it."""
    value = 0
    while True:
        value = (value << 7) | (data[at] & 0x7F)
        at += 1
        if data[at - 1] < 0x80:
            return value, at


def main(path):
    with open(path, "rb") as f:
        data = bytearray(f.read())
    if data[:4] != b"ITSF" or struct.unpack_from("<I", data, 4)[0] != 3:
        sys.exit(f"chm-clear-time: {path} is not a version 3 ITSF file")
    directory, directory_size = struct.unpack_from("<QQ", data, 0x48)
    content = struct.unpack_from("<Q", data, 0x58)[0]
    # The directory entry: name length, name, then section, offset and length as numbers.
    name = b"\x08/#SYSTEM"
    at = data.find(name, directory, directory + directory_size)
    if at < 0:
        sys.exit(f"chm-clear-time: {path} has no #SYSTEM file")
    section, at = encint(data, at + len(name))
    offset, at = encint(data, at)
    length, at = encint(data, at)
    if section != 0:
        sys.exit(f"chm-clear-time: {path}: #SYSTEM is compressed")
    struct.pack_into("<I", data, 16, 0)
    # #SYSTEM: a version word, then entries of a 16-bit code, a 16-bit length and their data.
    at, end, cleared = content + offset + 4, content + offset + length, 0
    while at + 4 <= end:
        code, size = struct.unpack_from("<HH", data, at)
        if code == 10 and size == 4:
            struct.pack_into("<I", data, at + 4, 0)
            cleared += 1
        at += 4 + size
    if cleared != 1:
        sys.exit(f"chm-clear-time: {path}: {cleared} time entries in #SYSTEM, not one")
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
