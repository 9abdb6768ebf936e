#!/usr/bin/env python3
"""Makes the plug-in's module-definition (.def) file for one architecture from plugin/export_table.txt.

Each function is exported under its plain name and under the name MSVC gives a __cdecl global function of that
signature, so that hosts built either way find it. Also writes, on request, a C++ file that checks the table
against the declarations in plugin/plugin_exports.h at compile time.
"""
import argparse
import sys
from dataclasses import dataclass, field

# MSVC type codes; pointers are completed per architecture in type_code().
SIMPLE = {"void": "X", "int": "H", "unsigned": "I", "unsigned long": "K", "double": "N"}
POINTEES = {"const char*": "BD", "char*": "AD", "int*": "AH", "COleDateTime*": "AVCOleDateTime@@"}
ARCHES = ("i686", "x64")


@dataclass
class Export:
    plain: str
    decorated_base: str
    returns: str
    params: list = field(default_factory=list)
    body: str = ""


def parse_table(path):
    exports = []
    with open(path, encoding="ascii") as table:
        for number, line in enumerate(table, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            cells = [cell.strip() for cell in line.split("|")]
            if len(cells) not in (4, 5):
                raise ValueError(f"{path}:{number}: expected 4 or 5 cells, found {len(cells)}")
            params = [p.strip() for p in cells[3].split(",")]
            if params == ["void"]:
                params = []
            for t in [cells[2]] + params:
                if t not in SIMPLE and t not in POINTEES:
                    raise ValueError(f"{path}:{number}: unknown type {t!r}")
            if "void" in params:
                raise ValueError(f"{path}:{number}: void among parameters")
            exports.append(Export(cells[0], cells[1], cells[2], params, cells[4] if len(cells) == 5 else ""))
    names = [e.plain for e in exports]
    for e in exports:
        if e.body and e.body not in names:
            raise ValueError(f"{path}: body {e.body!r} of {e.plain} is not an export")
    return exports


def type_code(t, arch):
    if t in SIMPLE:
        return SIMPLE[t]
    # On 64-bit targets every pointer carries the __ptr64 mark E after its P.
    return "P" + ("E" if arch == "x64" else "") + POINTEES[t]


def decorate(export, arch):
    """?name@@YA + return + parameters + @Z (XZ for none); the first ten parameter types longer than one
    character are remembered, and a repeat of one is written as its index."""
    out = ["?", export.decorated_base, "@@YA", type_code(export.returns, arch)]
    if not export.params:
        out.append("XZ")
        return "".join(out)
    remembered = []
    for t in export.params:
        code = type_code(t, arch)
        if code in remembered:
            out.append(str(remembered.index(code)))
            continue
        out.append(code)
        if len(code) > 1 and len(remembered) < 10:
            remembered.append(code)
    out.append("@Z")
    return "".join(out)


def def_text(exports, arch, library):
    lines = [f"; Made by cmake/export_def.py from plugin/export_table.txt ({arch}): do not edit.",
             f"LIBRARY \"{library}\"", "EXPORTS"]
    for e in exports:
        body = e.body or e.plain
        lines.append(f"  {e.plain}" if body == e.plain else f"  {e.plain} = {body}")
        lines.append(f"  \"{decorate(e, arch)}\" = {body}")
    return "\n".join(lines) + "\n"


def check_text(exports):
    lines = ["// Made by cmake/export_def.py from plugin/export_table.txt: the table against the declarations.",
             "#include <type_traits>", "", "#include \"plugin/plugin_exports.h\"", ""]
    for e in exports:
        params = ", ".join(e.params) or "void"
        lines.append(f"static_assert(std::is_same_v<decltype({e.plain}), {e.returns}({params})>,")
        lines.append(f"              \"plugin/export_table.txt: {e.plain} differs from plugin_exports.h\");")
    return "\n".join(lines) + "\n"


def write_if_changed(path, text):
    try:
        with open(path, encoding="ascii", newline="") as old:
            if old.read() == text:
                return
    except FileNotFoundError:
        pass
    with open(path, "w", encoding="ascii", newline="") as out:
        out.write(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("table")
    parser.add_argument("--arch", choices=ARCHES, required=True)
    parser.add_argument("--library", default="VU-VO.dll")
    parser.add_argument("--def", dest="def_path", required=True)
    parser.add_argument("--check", dest="check_path")
    args = parser.parse_args()
    try:
        exports = parse_table(args.table)
    except ValueError as error:
        print(error, file=sys.stderr)
        return 1
    write_if_changed(args.def_path, def_text(exports, args.arch, args.library))
    if args.check_path:
        write_if_changed(args.check_path, check_text(exports))
    return 0


if __name__ == "__main__":
    sys.exit(main())
