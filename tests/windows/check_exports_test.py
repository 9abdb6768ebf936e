#!/usr/bin/env python3
"""The export checker and the decorator on made-up export listings: each fault it is there for is caught."""
import argparse
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "cmake"))
import check_exports  # noqa: E402
import export_def  # noqa: E402

ARGS = None


def listing(entries, imports=("KERNEL32.dll", "msvcrt.dll", "USER32.dll"), fmt="pei-x86-64"):
    """An `objdump -p` text with these (name, rva) exports, in objdump's layout."""
    out = [f"VU-VO.dll:     file format {fmt}", "", "The Import Tables (interpreted .idata section contents)"]
    out += [f"\tDLL Name: {dll}" for dll in imports]
    out += ["", "The Export Tables (interpreted .edata section contents)", "",
            "Export Address Table -- Ordinal Base 1"]
    out += [f"\t[{i:4}] +base[{i + 1:4}] {rva:x} Export RVA" for i, (_, rva) in enumerate(entries)]
    out += ["", "[Ordinal/Name Pointer] Table"]
    out += [f"\t[{i:4}] {name}" for i, (name, _) in enumerate(entries)]
    return "\n".join(out + [""])


class Checker(unittest.TestCase):
    def setUp(self):
        self.exports = export_def.parse_table(ARGS.table)

    def good(self, arch):
        entries = []
        address = {}
        for e in self.exports:
            address.setdefault(e.body or e.plain, 0x1000 + 0x40 * len(address))
        for e in self.exports:
            rva = address[e.body or e.plain]
            entries += [(e.plain, rva), (export_def.decorate(e, arch), rva)]
        return entries

    def errors(self, text, arch="x64"):
        return check_exports.check(text, arch, self.exports, ARGS.undname)

    def test_accepts_the_expected_table_on_both_architectures(self):
        self.assertEqual([], self.errors(listing(self.good("x64"))))
        self.assertEqual([], self.errors(listing(self.good("i686"), fmt="pei-i386"), "i686"))

    def test_rejects_an_extra_export(self):
        text = listing(self.good("x64") + [("__register_frame_info", 0x9000)])
        self.assertEqual(["unexpected export __register_frame_info"], self.errors(text))

    def test_rejects_a_missing_decorated_alias(self):
        entries = [e for e in self.good("x64") if e[0] != "?StatsGetExchgCount0@@YAHPEBD00@Z"]
        self.assertEqual(["missing export ?StatsGetExchgCount0@@YAHPEBD00@Z"], self.errors(listing(entries)))

    def test_rejects_a_runtime_dll_import(self):
        text = listing(self.good("x64"), imports=("KERNEL32.dll", "libwinpthread-1.dll", "libstdc++-6.dll"))
        self.assertEqual(["imports from non-system DLLs: libwinpthread-1.dll, libstdc++-6.dll"], self.errors(text))

    def test_rejects_an_alias_at_another_address(self):
        entries = [(n, 0x7777 if n == "GetExchgCount0" else r) for n, r in self.good("x64")]
        self.assertEqual(["GetExchgCount0 is not at the address of GetNumberOfSets"], self.errors(listing(entries)))

    def test_rejects_two_functions_at_one_address(self):
        rva = dict(self.good("x64"))["GetSetName"]
        entries = [(n, rva if n in ("SetupSet0", "?SetupSet0@@YAXXZ") else r) for n, r in self.good("x64")]
        self.assertEqual(["SetupSet0 and GetSetName share one address"], self.errors(listing(entries)))

    def test_rejects_the_other_architecture(self):
        errors = self.errors(listing(self.good("i686")))
        self.assertIn("missing export ?GetResult0@@YAPEBDPEAH@Z", errors)
        self.assertIn("unexpected export ?GetResult0@@YAPBDPAH@Z", errors)
        self.assertEqual(["file format pei-x86-64, expected pei-i386"],
                         [e for e in self.errors(listing(self.good("x64")), "i686") if e.startswith("file")])


class Decorator(unittest.TestCase):
    """Names written out by hand, from MSVC's rules; the checker's llvm-undname test covers every other one."""

    def setUp(self):
        self.by_plain = {e.plain: e for e in export_def.parse_table(ARGS.table)}

    def test_pointer_return_and_parameter(self):
        self.assertEqual("?GetResult0@@YAPBDPAH@Z", export_def.decorate(self.by_plain["GetResult0"], "i686"))
        self.assertEqual("?GetResult0@@YAPEBDPEAH@Z", export_def.decorate(self.by_plain["GetResult0"], "x64"))

    def test_no_parameters(self):
        self.assertEqual("?SetupSet0@@YAXXZ", export_def.decorate(self.by_plain["SetupSet0"], "x64"))

    def test_back_references_and_renamed_base(self):
        self.assertEqual("?ResetStats0@@YAHPBDH0PAVCOleDateTime@@10000000000HHHNN000@Z",
                         export_def.decorate(self.by_plain["ResetStats0"], "i686"))
        self.assertEqual("?CheckCallFunc0@@YAHPEBDII00000000000HHHNN0000000PEAD1@Z",
                         export_def.decorate(self.by_plain["CheckCall0"], "x64"))

    def test_def_file_aliases_the_shared_body(self):
        text = export_def.def_text(list(self.by_plain.values()), "i686", "VU-VO.dll")
        self.assertIn("\n  GetExchgCount0 = GetNumberOfSets\n", text)
        self.assertIn('\n  "?StatsGetExchgCount0@@YAHPBD00@Z" = GetNumberOfSets\n', text)
        self.assertEqual(22, text.count(" = ") + sum(1 for line in text.splitlines()
                                                      if line.startswith("  ") and "=" not in line))


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--table", required=True)
    parser.add_argument("--undname", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=1)
