#!/usr/bin/env python3
"""Packs files into a zip that depends on nothing but their names and bytes.

    release-zip.py <zip> <folder> <name>...

Each named file of the folder goes in at the top level, in byte order of the
names, whatever order they were given in. Every entry carries the same time,
taken from SOURCE_DATE_EPOCH (in UTC, no earlier than 1980), the same
attributes and the same compression, so two builds of the same sources give
the same zip wherever and whenever they ran. Names outside ASCII are stored
as UTF-8 with the zip's UTF-8 flag.
"""
import os
import sys
import time
import zipfile


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    target, folder, names = sys.argv[1], sys.argv[2], sys.argv[3:]
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "315532800"))
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # 1980-01-01 at the earliest
    with zipfile.ZipFile(target + ".part", "w") as archive:
        for name in sorted(names, key=lambda n: n.encode("utf-8")):
            with open(os.path.join(folder, name), "rb") as source:
                data = source.read()
            entry = zipfile.ZipInfo(name, date_time=stamp)
            # Made on Unix, a plain file readable by all: unzip then reads the
            # names by the UTF-8 flag (for MS-DOS it takes them as code page 437).
            entry.create_system = 3
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, data, compresslevel=9)
    os.replace(target + ".part", target)


if __name__ == "__main__":
    main()
