#!/usr/bin/env python3
"""Windows 7 SP1 is the oldest Windows the programs run on: each function a
program imports must be one of windows_imports.txt, whose last column is the
Windows version that introduced it. A function newer than Windows 7 is to be
loaded at run time (GetProcAddress) with a fallback, never imported.

  check_imports.py --objdump <objdump> --list <windows_imports.txt> <program.exe>...

Reads both kinds of import of every program: the load-time imports, as
objdump -p lists them, and the delay-loaded ones (user32, gdi32, shell32). GNU
ld leaves the PE header's delay-import directory empty, so objdump does not
list them: they are read from the delay-import descriptors themselves, found
in the program's sections. Exit code 0 when every import is listed and not
newer than Windows 7; otherwise one line per offending import and exit code 1.
"""
import argparse
import re
import struct
import subprocess
import sys

# Windows versions in the order they came out; a list entry names one of them.
VERSIONS = ["2000", "XP", "Vista", "7", "8", "8.1", "10", "11"]
FLOOR = "7"


def read_list(path):
    """{(dll, function): version} of the list; dll names in lower case."""
    allowed = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.split("#", 1)[0].split()
            if not line:
                continue
            if len(line) != 3 or line[2] not in VERSIONS:
                sys.exit(f"{path}:{number}: expected '<dll> <function> <version>', "
                         f"the version one of {' '.join(VERSIONS)}")
            allowed[(line[0].lower(), line[1])] = line[2]
    return allowed


def load_time_imports(objdump, exe):
    """[(dll, function)] of the import table, from objdump -p."""
    text = subprocess.run([objdump, "-p", exe], check=True, capture_output=True,
                          text=True).stdout
    imports, dll = [], None
    for line in text.splitlines():
        m = re.match(r"\s*DLL Name: (\S+)", line)
        if m:
            dll = m.group(1)
            continue
        m = re.match(r"\s+[0-9a-f]+\s+(\d+)\s+(\S+)", line)
        if dll and m:
            imports.append((dll, m.group(2)))
        elif not line.lstrip().startswith("vma:"):
            dll = None  # a blank line ends a DLL's functions
    return imports


class Image:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        if self.data[pe:pe + 4] != b"PE\0\0":
            sys.exit(f"{path}: not a PE file")
        sections, optional_size = struct.unpack_from("<2xH12xH", self.data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", self.data, optional)[0]
        self.pointer = 8 if magic == 0x20B else 4
        directories = optional + (112 if magic == 0x20B else 96)
        self.delay_directory = struct.unpack_from("<II", self.data, directories + 13 * 8)
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            size, rva, raw_size, raw = struct.unpack_from("<IIII", self.data, table + 40 * i + 8)
            self.sections.append((rva, max(size, raw_size), raw, raw_size))

    def offset(self, rva):
        for start, size, raw, raw_size in self.sections:
            if start <= rva < start + size and rva - start < raw_size:
                return raw + rva - start
        return None

    def string(self, rva, limit=256):
        at = self.offset(rva)
        if at is None:
            return None
        end = self.data.find(b"\0", at, at + limit)
        return None if end < 0 else self.data[at:end].decode("ascii", "replace")

    def names(self, int_rva):
        """The functions of an import name table; None if it is not one."""
        names, at = [], self.offset(int_rva)
        if at is None:
            return None
        code = "<Q" if self.pointer == 8 else "<I"
        ordinal_flag = 1 << (8 * self.pointer - 1)
        while True:
            if at + self.pointer > len(self.data) or len(names) > 4096:
                return None
            entry = struct.unpack_from(code, self.data, at)[0]
            at += self.pointer
            if entry == 0:
                return names
            if entry & ordinal_flag:
                names.append(f"#{entry & 0xFFFF}")
                continue
            name = self.string(entry + 2)
            if not name or not re.fullmatch(r"[A-Za-z_][A-Za-z0-9_@?$]*", name):
                return None
            names.append(name)

    def descriptor(self, at):
        """(dll, [function]) of the delay-import descriptor at a file offset, or None."""
        attributes, name, module, iat, int_rva = struct.unpack_from("<5I", self.data, at)
        if attributes != 1:  # RVA-based, as every current linker writes them
            return None
        dll = self.string(name, 64)
        if not dll or not re.fullmatch(r"[A-Za-z0-9_.-]+\.dll", dll, re.IGNORECASE):
            return None
        if self.offset(module) is None and not any(
                s <= module < s + size for s, size, _, _ in self.sections):
            return None
        if self.offset(iat) is None:
            return None
        functions = self.names(int_rva)
        return (dll, functions) if functions else None

    def delay_imports(self):
        """[(dll, function)] of every delay-import descriptor."""
        rva, size = self.delay_directory
        starts = []
        if rva:
            first = self.offset(rva)
            starts = range(first, first + size, 32)
        else:  # not in the header: every 32-byte record that reads as one
            for _, _, raw, raw_size in self.sections:
                starts.extend(range(raw, raw + raw_size - 31, 4))
        imports = []
        for at in starts:
            found = self.descriptor(at)
            if found:
                imports.extend((found[0], function) for function in found[1])
        return imports


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--list", required=True)
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()
    allowed = read_list(args.list)
    floor = VERSIONS.index(FLOOR)
    failures = 0
    for exe in args.programs:
        name = exe.replace("\\", "/").rsplit("/", 1)[-1]
        load_time = load_time_imports(args.objdump, exe)
        delayed = Image(exe).delay_imports()
        if not load_time:
            print(f"FAIL {name}: no imports read")
            failures += 1
        for kind, imports in (("imports", load_time), ("delay-loads", delayed)):
            for dll, function in imports:
                version = allowed.get((dll.lower(), function))
                if version is None:
                    print(f"FAIL {name} {kind} {dll} {function}: not in {args.list}")
                    failures += 1
                elif VERSIONS.index(version) > floor:
                    print(f"FAIL {name} {kind} {dll} {function}: Windows {version}, "
                          f"newer than Windows {FLOOR}")
                    failures += 1
        print(f"{name}: {len(load_time)} load-time and {len(delayed)} delay-loaded imports")
    if failures:
        print(f"{failures} imports not allowed: a function newer than Windows {FLOOR} is "
              "loaded at run time with a fallback; an older one is added to the list "
              "with the version its documentation names")
        return 1
    print(f"every import of {len(args.programs)} programs is on the list, "
          f"none newer than Windows {FLOOR}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
