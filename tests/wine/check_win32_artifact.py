#!/usr/bin/env python3
"""Checks the Windows release artifact (build/win32/zorvik.exe, i686) without running it:
  - objdump says PE32 for i386, a GUI program;
  - it imports system DLLs only (no libstdc++/libgcc/winpthread DLL to ship beside it);
  - its resources are exactly the icon DEFAULT_ICON (one 64x64 24-bit image) and the version
    block (1.0.0.0, Zorvik, Zorvik电脑客户端, Tamblo网, translation 0x0804/936), with no manifest.
Usage: check_win32_artifact.py EXE [OBJDUMP]"""
import struct
import subprocess
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll",
               "oleaut32.dll", "msvcrt.dll", "advapi32.dll", "comctl32.dll", "urlmon.dll",
               "uuid.dll", "shlwapi.dll"}
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
EXPECTED_STRINGS = {
    "ProductName": "Zorvik",
    "FileDescription": "Zorvik电脑客户端",
    "Comments": "Zorvik电脑客户端",
    "CompanyName": "Tamblo网",
    "FileVersion": "1.0.0.0",
    "ProductVersion": "1.0.0.0",
}

failures = []


def check(condition, what):
    print(("ok: " if condition else "FAIL: ") + what)
    if not condition:
        failures.append(what)


class Pe:
    """Just enough of the PE format to walk the resource directory."""

    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        self.machine, sections, _, _, _, opt_size = struct.unpack_from("<HHIIIH", data, pe + 4)
        opt = pe + 24
        magic = struct.unpack_from("<H", data, opt)[0]
        dirs = opt + (96 if magic == 0x10B else 112)
        self.rsrc_rva, self.rsrc_size = struct.unpack_from("<II", data, dirs + 2 * 8)
        self.sections = []
        for i in range(sections):
            s = opt + opt_size + 40 * i
            vsize, vaddr, rawsize, rawptr = struct.unpack_from("<IIII", data, s + 8)
            self.sections.append((vaddr, max(vsize, rawsize), rawptr))

    def at_rva(self, rva):
        for vaddr, size, rawptr in self.sections:
            if vaddr <= rva < vaddr + size:
                return rawptr + rva - vaddr
        raise ValueError("rva %#x outside every section" % rva)

    def resources(self):
        """{(type, name): [data bytes per language]}; names are ints or strings."""
        base = self.at_rva(self.rsrc_rva)

        def entries(offset):
            named, ids = struct.unpack_from("<HH", self.data, base + offset + 12)
            for i in range(named + ids):
                key, value = struct.unpack_from("<II", self.data, base + offset + 16 + 8 * i)
                if key & 0x80000000:
                    length = struct.unpack_from("<H", self.data, base + (key & 0x7FFFFFFF))[0]
                    start = base + (key & 0x7FFFFFFF) + 2
                    key = self.data[start:start + 2 * length].decode("utf-16-le")
                yield key, value

        found = {}
        for rtype, tvalue in entries(0):
            for name, nvalue in entries(tvalue & 0x7FFFFFFF):
                for _, leaf in entries(nvalue & 0x7FFFFFFF):
                    rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    start = self.at_rva(rva)
                    found.setdefault((rtype, name), []).append(self.data[start:start + size])
        return found


def version_strings(block):
    """StringFileInfo entries {table: {key: value}} and the Translation pairs of a VERSIONINFO."""

    def node(offset):
        length, value_length, kind = struct.unpack_from("<HHH", block, offset)
        end_key = block.index(b"\0\0", offset + 6)
        while (end_key - offset - 6) % 2:
            end_key = block.index(b"\0\0", end_key + 1)
        key = block[offset + 6:end_key].decode("utf-16-le")
        value_at = (end_key + 2 + 3) & ~3
        return key, length, value_length, kind, value_at

    def children(offset, end):
        while offset < end:
            key, length, value_length, kind, value_at = node(offset)
            if length == 0:
                break
            yield offset, key, length, value_length, kind, value_at
            offset = (offset + length + 3) & ~3

    key, length, value_length, _, value_at = node(0)
    fixed = struct.unpack_from("<13I", block, value_at)
    tables, translation = {}, []
    first_child = (value_at + value_length + 3) & ~3
    for off, key, length, _, _, value_at in children(first_child, length):
        if key == "StringFileInfo":
            for toff, table, tlen, _, _, tvalue in children(value_at, off + length):
                entries = tables.setdefault(table, {})
                for _, name, _, vlen, _, vvalue in children(tvalue, toff + tlen):
                    text = block[vvalue:vvalue + 2 * vlen].decode("utf-16-le").rstrip("\0")
                    entries[name] = text
        elif key == "VarFileInfo":
            for _, var, _, vlen, _, vvalue in children(value_at, off + length):
                if var == "Translation":
                    translation = list(struct.unpack_from("<%dH" % (vlen // 2), block, vvalue))
    return fixed, tables, translation


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    exe = sys.argv[1]
    objdump = sys.argv[2] if len(sys.argv) == 3 else "i686-w64-mingw32-objdump"
    headers = subprocess.run([objdump, "-p", exe], capture_output=True, text=True, check=True)
    out = headers.stdout
    check("file format pei-i386" in out, "objdump: PE for i386")
    check("Magic\t\t\t010b\t(PE32)" in out, "objdump: PE32 optional header")
    check("Subsystem\t\t00000002\t(Windows GUI)" in out, "objdump: Windows GUI subsystem")
    dlls = [line.split(":", 1)[1].strip() for line in out.splitlines() if "DLL Name:" in line]
    check(bool(dlls), "imports found: " + ", ".join(dlls))
    foreign = [d for d in dlls if d.lower() not in SYSTEM_DLLS]
    check(not foreign, "imports only system DLLs (others: %s)" % (", ".join(foreign) or "none"))

    with open(exe, "rb") as f:
        pe = Pe(f.read())
    check(pe.machine == 0x14C, "machine i386")
    resources = pe.resources()
    types = sorted({t for t, _ in resources})
    check(RT_MANIFEST not in types, "no manifest resource (no DPI awareness, no visual styles)")
    check(types == [RT_ICON, RT_GROUP_ICON, RT_VERSION], "resource types %s" % types)

    group = resources.get((RT_GROUP_ICON, "DEFAULT_ICON"))
    check(group is not None, "icon group named DEFAULT_ICON")
    if group:
        reserved, kind, count = struct.unpack_from("<HHH", group[0], 0)
        check((reserved, kind, count) == (0, 1, 1), "DEFAULT_ICON holds one icon image")
        w, h, _, _, planes, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", group[0], 6)
        check((w, h, bits) == (64, 64, 24), "DEFAULT_ICON image 64x64, 24 bits (%d,%d,%d)"
              % (w, h, bits))
        image = resources.get((RT_ICON, icon_id), [b""])[0]
        check(len(image) == size, "icon image present, %d bytes" % len(image))
        if len(image) >= 40:
            hdr = struct.unpack_from("<IiiHH", image, 0)
            check(hdr == (40, 64, 128, 1, 24), "icon image header 64x(2*64), 1 plane, 24 bits")

    version = resources.get((RT_VERSION, 1))
    check(version is not None, "version resource 1")
    if version:
        fixed, tables, translation = version_strings(version[0])
        check(fixed[0] == 0xFEEF04BD, "VS_FIXEDFILEINFO signature")
        check(fixed[2:6] == (0x10000, 0, 0x10000, 0), "FILEVERSION and PRODUCTVERSION 1.0.0.0")
        check(list(tables) == ["080403a8"], "one string table, 080403a8: %s" % list(tables))
        strings = next(iter(tables.values()), {})
        for key, value in EXPECTED_STRINGS.items():
            check(strings.get(key) == value, "%s = %r (got %r)" % (key, value, strings.get(key)))
        check(translation == [0x0804, 936], "Translation 0x0804, 936 (got %s)" % translation)

    if failures:
        print("%d check(s) failed" % len(failures))
        sys.exit(1)


if __name__ == "__main__":
    main()
