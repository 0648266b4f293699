#!/usr/bin/env python3
"""Reads the headers of the shipped programs of each build tree (Tidewell.exe, tidewellc.exe) and
fails, one line per problem, where a release would be weaker than it should:
- ASLR with high entropy and a relocation table to apply it, DEP, terminal-server aware;
  Control Flow Guard where the flag is set must come with its tables (no toolchain here emits it:
  docs/release.md);
- every DLL imported, directly or delayed, is one Windows takes from the system folder only: a known
  DLL, an API set, or comctl32 bound side by side by the program's manifest. Any other would first be
  looked for beside the program, where a download folder may hold a planted copy;
- the manifest names the program's own processor;
- no build folder, source folder or toolchain folder is written into the program.
Before that it plants such faults in a copy of the first program and insists each is reported.
Usage: check-pe.py <build tree>...
"""
import os
import struct
import sys
import xml.etree.ElementTree as ET

PROGRAMS = ("Tidewell.exe", "tidewellc.exe")

# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs on Windows 10 and 11 (x64 and
# ARM64; the wow64 and emulator entries load into no program of ours but are listed all the same).
# ntdll and kernelbase are not listed there: the loader maps them before anything else.
KNOWN_DLLS = {
    "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll", "difxapi.dll",
    "gdi32.dll", "gdiplus.dll", "imagehlp.dll", "imm32.dll", "kernel32.dll", "msctf.dll",
    "msvcrt.dll", "normaliz.dll", "nsi.dll", "ole32.dll", "oleaut32.dll", "psapi.dll",
    "rpcrt4.dll", "sechost.dll", "setupapi.dll", "shcore.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "wldap32.dll", "ws2_32.dll", "wow64.dll", "wow64base.dll", "wow64con.dll",
    "wow64cpu.dll", "wow64win.dll", "wowarmhw.dll", "xtajit.dll", "xtajit64.dll",
    "ntdll.dll", "kernelbase.dll",
}
API_SET_PREFIXES = ("api-ms-win-", "ext-ms-")

HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT, GUARD_CF, TERMINAL_SERVER_AWARE = 0x20, 0x40, 0x100, 0x4000, 0x8000
REQUIRED_FLAGS = {HIGH_ENTROPY_VA: "HIGH_ENTROPY_VA", DYNAMIC_BASE: "DYNAMIC_BASE",
                  NX_COMPAT: "NX_COMPAT", TERMINAL_SERVER_AWARE: "TERMINAL_SERVER_AWARE"}
RELOCS_STRIPPED = 0x1
CF_INSTRUMENTED = 0x100
MACHINES = {0x8664: "amd64", 0xAA64: "arm64"}
RT_MANIFEST = 24
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"


class Image:
    """A PE32+ image read from its bytes: header fields, data directories, sections."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not a program (no MZ header)")
        self.header = struct.unpack_from("<I", data, 0x3C)[0]
        if data[self.header:self.header + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        coff = self.header + 4
        self.machine, sections, self.timestamp, _, _, optional_size, self.characteristics = \
            struct.unpack_from("<HHIIIHH", data, coff)
        optional = coff + 20
        if struct.unpack_from("<H", data, optional)[0] != 0x20B:
            raise ValueError("not a 64-bit (PE32+) image")
        self.flags = struct.unpack_from("<H", data, optional + 70)[0]
        count = struct.unpack_from("<I", data, optional + 108)[0]
        self.directories = [struct.unpack_from("<II", data, optional + 112 + 8 * i) for i in range(count)]
        self.sections = []
        for i in range(sections):
            _, size, rva, raw_size, raw = struct.unpack_from("<8sIIII", data, optional + optional_size + 40 * i)
            self.sections.append((rva, max(size, raw_size), raw))

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(f"address {rva:#x} lies in no section")

    def string(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("ascii", "replace")

    def imported_dlls(self):
        """(name, how) for the import table (20-byte records, name at 12) and the delay-load table
        (32-byte records, name at 4); each ends with a record of zeros."""
        for index, size, name_at, how in ((1, 20, 12, "imports"), (13, 32, 4, "delay-loads")):
            rva, _ = self.directory(index)
            while rva:
                record = self.data[self.offset(rva):self.offset(rva) + size]
                if not any(record):
                    break
                yield self.string(struct.unpack_from("<I", record, name_at)[0]), how
                rva += size

    def resource(self, kind, ident):
        """The bytes of a resource of that type and number, in its first language, or None."""
        base_rva, size = self.directory(2)
        if not size:
            return None
        base = self.offset(base_rva)

        def entry(directory, wanted):  # the directory's entry for a number, or its first one
            named, numbered = struct.unpack_from("<HH", self.data, base + directory + 12)
            for i in range(named + numbered):
                name, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * i)
                if wanted is None or (not name & 0x80000000 and name == wanted):
                    return target
            return None

        target = 0
        for wanted in (kind, ident, None):
            target = entry(target & 0x7FFFFFFF, wanted)
            if target is None:
                return None
        data_rva, data_size = struct.unpack_from("<II", self.data, base + target)
        return self.data[self.offset(data_rva):self.offset(data_rva) + data_size]

    def guard_tables(self):
        """(function table, count, guard flags) of the load configuration, or None without one."""
        rva, size = self.directory(10)
        if not size:
            return None
        at = self.offset(rva)
        if struct.unpack_from("<I", self.data, at)[0] < 148:
            return None
        return struct.unpack_from("<QQI", self.data, at + 128)


def side_by_side_comctl(manifest):
    """Whether the manifest binds Common Controls 6.0 (the comctl32 in WinSxS)."""
    for identity in manifest.iter(ASM_V1 + "assemblyIdentity"):
        if (identity.get("name") == "Microsoft.Windows.Common-Controls" and identity.get("type") == "win32"
                and identity.get("version", "").startswith("6.0.")
                and identity.get("publicKeyToken", "").lower() == "6595b64144ccf1df"):
            return True
    return False


def problems(data, forbidden_paths=()):
    """Each problem of one program, as a line."""
    try:
        image = Image(data)
        found = []
        for bit, name in REQUIRED_FLAGS.items():
            if not image.flags & bit:
                found.append(f"{name} ({bit:#x}) is not set")
        if not image.directory(5)[1] or image.characteristics & RELOCS_STRIPPED:
            found.append("no base relocation table: ASLR cannot move it")
        if image.flags & GUARD_CF:
            tables = image.guard_tables()
            if not tables or not tables[0] or not tables[1] or not tables[2] & CF_INSTRUMENTED:
                found.append("GUARD_CF is set without the load configuration's guard tables")
        machine = MACHINES.get(image.machine)
        if not machine:
            found.append(f"machine {image.machine:#x} is neither x64 nor ARM64")

        raw = image.resource(RT_MANIFEST, 1)
        manifest = None
        if raw is None:
            found.append("no manifest (RT_MANIFEST 1)")
        else:
            try:
                manifest = ET.fromstring(raw)
            except ET.ParseError as error:
                found.append(f"the manifest is not XML: {error}")
        if manifest is not None:
            own = manifest.find(ASM_V1 + "assemblyIdentity")
            if own is None or own.get("processorArchitecture") != machine:
                found.append(f"the manifest does not name the processor {machine}")

        for dll, how in image.imported_dlls():
            name = dll.lower()
            if name in KNOWN_DLLS or name.startswith(API_SET_PREFIXES):
                continue
            if name == "comctl32.dll":
                if manifest is None or not side_by_side_comctl(manifest):
                    found.append(f"{how} {dll} without a manifest binding Common-Controls 6.0, "
                                 "so it is looked for beside the program first")
                continue
            found.append(f"{how} {dll}, which is no known DLL: Windows looks for it beside the program first")

        for path in forbidden_paths:
            for form in (path.encode(), path.encode("utf-16-le")):
                if form in data:
                    found.append(f"holds the path {path}")
                    break
        return found
    except (ValueError, IndexError, struct.error) as error:
        return [f"unreadable: {error}"]


def self_test(data):
    """Plants one fault at a time in a copy and returns the faults the check did not report."""
    image = Image(data)
    flags_at = image.header + 24 + 70

    def with_flags(flags):
        copy = bytearray(data)
        struct.pack_into("<H", copy, flags_at, flags)
        return bytes(copy)

    def renamed(old, new):  # the first copy of a text, changed to one of the same length
        return data.replace(old, new, 1)

    def first_import_renamed():  # the first imported DLL's name made one no system has
        record = image.offset(image.directory(1)[0])
        at = image.offset(struct.unpack_from("<I", data, record + 12)[0])
        length = data.index(b"\0", at) - at
        return data[:at] + b"X" * (length - 4) + b".dll" + data[at + length:]

    planted = [
        ("TERMINAL_SERVER_AWARE", with_flags(image.flags & ~TERMINAL_SERVER_AWARE)),
        ("HIGH_ENTROPY_VA", with_flags(image.flags & ~HIGH_ENTROPY_VA)),
        ("NX_COMPAT", with_flags(image.flags & ~NX_COMPAT)),
        ("GUARD_CF is set without", with_flags(image.flags | GUARD_CF) if not image.guard_tables() else None),
        ("which is no known DLL", first_import_renamed()),
        ("holds the path", data + b"/planted/build/folder"),
    ]
    if b"Microsoft.Windows.Common-Controls" in data:
        planted.append(("without a manifest binding Common-Controls 6.0",
                        renamed(b"Microsoft.Windows.Common-Controls", b"Microsoft.Windows.Common-Kontrols")))
    missed = []
    for expected, copy in planted:
        if copy is not None and not any(expected in line for line in problems(copy, ["/planted/build/folder"])):
            missed.append(expected)
    return missed, sum(copy is not None for _, copy in planted)


def main(trees):
    root = os.path.realpath(os.path.join(os.path.dirname(__file__), ".."))
    toolchains = os.path.realpath(os.path.join(root, "build", "toolchains"))
    status = 0
    tested = False
    for tree in trees:
        tree = os.path.realpath(tree)
        for program in PROGRAMS:
            path = os.path.join(tree, program)
            shown = os.path.relpath(path, root)
            if not os.path.isfile(path):
                print(f"check-pe: {shown}: missing", file=sys.stderr)
                status = 1
                continue
            with open(path, "rb") as f:
                data = f.read()
            if not tested:
                tested = True
                missed, planted = self_test(data)
                for fault in missed:
                    print(f"check-pe: the check missed a fault planted in {shown}: {fault}", file=sys.stderr)
                    status = 1
                if not missed:
                    print(f"check-pe: {planted} faults planted in a copy of {shown}, each reported")
            found = problems(data, [root, tree, toolchains])
            for line in found:
                print(f"check-pe: {shown}: {line}", file=sys.stderr)
            if found:
                status = 1
                continue
            image = Image(data)
            dlls = sorted({name for name, _ in image.imported_dlls()}, key=str.lower)
            cfg = "with CFG" if image.flags & GUARD_CF else "no CFG"
            print(f"check-pe: {shown}: {MACHINES[image.machine]}, flags {image.flags:#06x}, {cfg}, "
                  f"imports {' '.join(dlls)}")
    return status


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1:]))
