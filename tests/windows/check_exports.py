#!/usr/bin/env python3
"""Checks a built VU-VO.dll from the outside: its export table holds exactly the plain and MSVC-decorated names of
plugin/export_table.txt, the names that share a body share an address, every decorated name decodes (llvm-undname)
to the table's C++ signature, pointers are of the DLL's width, and it imports from system DLLs only."""
import argparse
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "cmake"))
import export_def  # noqa: E402

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "ole32.dll", "oleaut32.dll", "msvcrt.dll",
               "advapi32.dll", "comctl32.dll", "comdlg32.dll", "shell32.dll", "uxtheme.dll"}
FORMATS = {"i686": "pei-i386", "x64": "pei-x86-64"}
# How llvm-undname spells the table's types.
SPELLING = {"void": "void", "int": "int", "unsigned": "unsigned int", "unsigned long": "unsigned long",
            "double": "double", "const char*": "char const *", "char*": "char *", "int*": "int *",
            "COleDateTime*": "class COleDateTime *"}


def signature_text(export):
    params = ", ".join(SPELLING[t] for t in export.params) or "void"
    return f"{SPELLING[export.returns]} __cdecl {export.decorated_base}({params})"


def parse_objdump(text):
    """(file format, imported DLL names, {export name: address-table index}, {index: RVA})."""
    fmt = re.search(r"file format (\S+)", text)
    imports = re.findall(r"^\s*DLL Name: (\S+)", text, re.M)
    names, rvas = {}, {}
    section = None
    for line in text.splitlines():
        if line.startswith("[Ordinal/Name Pointer] Table"):
            section = "names"
            continue
        if line.startswith("Export Address Table -- Ordinal Base"):
            section = "rvas"
            continue
        if not line.strip():
            section = None
            continue
        if section == "names":
            m = re.match(r"\s*\[\s*(\d+)\] (\S+)$", line)
            if m:
                if m.group(2) in names:
                    names[m.group(2)] = -1  # named twice: reported below
                else:
                    names[m.group(2)] = int(m.group(1))
        elif section == "rvas":
            m = re.match(r"\s*\[\s*(\d+)\] \+base\[\s*\d+\] ([0-9a-fA-F]+) Export RVA", line)
            if m:
                rvas[int(m.group(1))] = int(m.group(2), 16)
    return (fmt.group(1) if fmt else None), imports, names, rvas


def undname(tool, names):
    if not names:
        return {}
    out = subprocess.run([tool] + names, check=True, capture_output=True, text=True).stdout
    # Pairs of lines: the name, then its decoding; a blank line after each.
    lines = [line for line in out.splitlines() if line.strip()]
    return {lines[i]: lines[i + 1] for i in range(0, len(lines) - 1, 2)}


def check(objdump_text, arch, exports, undname_tool):
    errors = []
    fmt, imports, names, rvas = parse_objdump(objdump_text)
    if fmt != FORMATS[arch]:
        errors.append(f"file format {fmt}, expected {FORMATS[arch]}")

    foreign = [dll for dll in imports if dll.lower() not in SYSTEM_DLLS]
    if foreign:
        errors.append(f"imports from non-system DLLs: {', '.join(foreign)}")

    decorated = {e.plain: export_def.decorate(e, arch) for e in exports}
    expected = set(decorated) | set(decorated.values())
    for name in sorted(set(names) - expected):
        errors.append(f"unexpected export {name}")
    for name in sorted(expected - set(names)):
        errors.append(f"missing export {name}")
    for name, index in sorted(names.items()):
        if index < 0:
            errors.append(f"export {name} named twice")

    def rva(name):
        return rvas.get(names.get(name, -1))

    by_plain = {e.plain: e for e in exports}
    bodies = {}
    for e in exports:
        body = e.body or e.plain
        want = rva(body)
        for name in (e.plain, decorated[e.plain]):
            got = rva(name)
            if name in names and (got is None or got != want):
                errors.append(f"{name} is not at the address of {body}")
        bodies.setdefault(body, set()).add(want)
    owners = {}
    for body, addresses in bodies.items():
        for address in addresses:
            if address is not None and owners.setdefault(address, body) != body:
                errors.append(f"{body} and {owners[address]} share one address")

    texts = undname(undname_tool, sorted(n for n in decorated.values() if n in names))
    for plain, name in sorted(decorated.items()):
        if name not in names:
            continue
        want = signature_text(by_plain[plain])
        got = texts.get(name, "(not decoded)")
        if got != want:
            errors.append(f"{name} decodes as\n    {got}\n  expected\n    {want}")
        # Pointer codes: P then E (__ptr64) on 64-bit, P then A/B directly on 32-bit.
        marks = set(re.findall(r"P(.)", name.split("@@YA", 1)[1]))
        if arch == "x64" and marks - {"E"}:
            errors.append(f"{name} has 32-bit pointers")
        if arch == "i686" and "E" in marks:
            errors.append(f"{name} has 64-bit pointers")
    return errors


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--dll", required=True)
    parser.add_argument("--arch", choices=export_def.ARCHES, required=True)
    parser.add_argument("--table", required=True)
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--undname", required=True)
    args = parser.parse_args()
    exports = export_def.parse_table(args.table)
    listing = subprocess.run([args.objdump, "-p", args.dll], check=True, capture_output=True, text=True).stdout
    errors = check(listing, args.arch, exports, args.undname)
    for error in errors:
        print(f"{args.dll}: {error}")
    _, imports, names, _ = parse_objdump(listing)
    print(f"{len(names)} exports, imports {' '.join(imports)}: {'FAILED' if errors else 'as expected'}")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
