#!/usr/bin/env python3
"""Zips a folder as the release: SHA256SUMS of every file first written into it, then every file in byte order of
its path, each with the same time and permissions, so that the same files always give the same zip.

    make_zip.py --from FOLDER --time 'YYYY-MM-DD HH:MM:SS' --out ZIP
"""
import argparse
import hashlib
import pathlib
import sys
import zipfile

SUMS = "SHA256SUMS"


def sums_text(files):
    """sha256sum's own format: the hash, two blanks, the path; one line each, in the order given."""
    return "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data in files)


def write_zip(folder, stamp, out):
    files = sorted((p.relative_to(folder).as_posix(), p.read_bytes())
                   for p in folder.rglob("*") if p.is_file() and p.name != SUMS)
    files.append((SUMS, sums_text(files).encode("ascii")))
    (folder / SUMS).write_bytes(files[-1][1])
    with zipfile.ZipFile(out, "w") as archive:
        for name, data in sorted(files):
            entry = zipfile.ZipInfo(name, date_time=stamp)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 3  # Unix, so that the permissions below mean what they say
            entry.external_attr = 0o644 << 16
            archive.writestr(entry, data, compresslevel=9)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--from", dest="folder", required=True)
    ap.add_argument("--time", required=True)
    ap.add_argument("--out", required=True)
    o = ap.parse_args()
    date, time = o.time.split(" ")
    stamp = tuple(int(x) for x in date.split("-")) + tuple(int(x) for x in time.split(":"))
    # A zip's time cannot be older than 1980.
    stamp = max(stamp, (1980, 1, 1, 0, 0, 0))
    write_zip(pathlib.Path(o.folder), stamp, o.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
