#!/usr/bin/env python3
"""The package checker's own cases: it must reject the packages it is there to reject.

    check_package_test.py PATH/TO/check_package.py
"""
import base64
import hashlib
import struct
import sys
import unittest
import zlib

from package_test_support import chunk, load


def png(width, height, padding=0):
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(noise(padding))) + chunk(b"IEND", b""))


def noise(length):
    """Bytes that do not compress, the same at every run."""
    return b"".join(hashlib.sha256(i.to_bytes(4, "big")).digest() for i in range(length // 32))


def uri(data):
    return "data:image/png;base64," + base64.b64encode(data).decode()


def sums(files):
    return "".join(f"{hashlib.sha256(d).hexdigest()}  {n}\n" for n, d in sorted(files.items())).encode()


def pe(magic, machine):
    data = bytearray(0x100)
    data[:2] = b"MZ"
    struct.pack_into("<I", data, 60, 0x80)
    data[0x80:0x84] = b"PE\0\0"
    struct.pack_into("<H", data, 0x84, machine)
    struct.pack_into("<H", data, 0x98, magic)
    return bytes(data)


class Checks(unittest.TestCase):
    def setUp(self):
        self.check = load(sys.argv[1], "check_package")

    def test_sums(self):
        files = {"Plugins/VU-VO.dll": b"dll", "tools/hostsim.exe": b"exe"}
        good = dict(files, SHA256SUMS=sums(files))
        self.assertEqual([], self.check.check_sums(good))
        tampered = dict(good, **{"tools/hostsim.exe": b"exe!"})
        self.assertEqual(["tools/hostsim.exe does not match its checksum"], self.check.check_sums(tampered))
        unlisted = dict(good, **{"extra.txt": b""})
        self.assertEqual(["SHA256SUMS does not list extra.txt"], self.check.check_sums(unlisted))
        lacking = {"Plugins/VU-VO.dll": b"dll", "SHA256SUMS": sums(files)}
        self.assertEqual(["SHA256SUMS lists tools/hostsim.exe, which the zip lacks"], self.check.check_sums(lacking))
        garbled = dict(files, SHA256SUMS=sums(files) + b"not a line\n")
        self.assertEqual(["SHA256SUMS: not a checksum line: 'not a line'"], self.check.check_sums(garbled))

    def test_listing(self):
        self.assertEqual([], self.check.check_listing(list(self.check.SHIPPED)))
        self.assertEqual(["the zip lacks tools/hostsim.txt", "the zip holds README.txt, which is not shipped",
                          "the zip holds VU-VO.dll, which is not shipped"],
                         self.check.check_listing([n for n in self.check.SHIPPED if n != "tools/hostsim.txt"] +
                                                  ["VU-VO.dll", "README.txt"]))

    def test_country_file(self):
        cty, notice = b"Japan: 25: 45: AS: 36.40: -138.38: -9.0: JA:\n    JA;\n", b"Files: *\nLicense: MIT\n"
        good = {"tools/cty.dat": cty, "tools/cty.dat-copyright.txt": b"Files: *\r\nLicense: MIT\r\n"}
        self.assertEqual([], self.check.check_country_file(good, cty, notice))
        self.assertEqual(["tools/cty.dat is not the build's country file"],
                         self.check.check_country_file(dict(good, **{"tools/cty.dat": cty + b"x"}), cty, notice))
        self.assertEqual(["tools/cty.dat-copyright.txt is not the country file's copyright notice (CR LF)"],
                         self.check.check_country_file(dict(good, **{"tools/cty.dat-copyright.txt": notice}), cty,
                                                       notice))
        self.assertEqual(["the build's country file is missing on this machine",
                          "the country file's copyright notice is missing on this machine"],
                         self.check.check_country_file(good, None, None))

    def test_pe_kind(self):
        self.assertEqual(("PE32", "i386"), self.check.pe_kind(pe(0x10B, 0x14C)))
        self.assertEqual(("PE32+", "x86-64"), self.check.pe_kind(pe(0x20B, 0x8664)))
        self.assertIsNone(self.check.pe_kind(b"\x7fELF" + bytes(100)))

    def test_guide(self):
        picture = uri(png(300, 200, 2000))
        good = (f'<html><head><title>VU-VO 1.2.3: guide</title></head><body><a href="#s">s</a>'
                f'<img src="{picture}"><img src="{picture}"></body></html>')
        self.assertEqual(([], 2), self.check.check_guide(good, "1.2.3"))
        cases = {
            "other version": (good, "1.2.4", ["the guide's title does not name VU-VO 1.2.4: 'VU-VO 1.2.3: guide'"]),
            "outside link": (good.replace('href="#s"', 'href="https://example.org/"'), "1.2.3",
                             ["the guide points outside itself: <a href=https://example.org/>"]),
            "outside picture": (good.replace(picture, "pictures/main.png", 1), "1.2.3",
                                ["the guide points outside itself: <img src=pictures/main.png>"]),
            "style import": (good.replace("<head>", "<head><style>@import 'x.css';</style>"), "1.2.3",
                             ["the guide's style loads something"]),
            "not png": (good.replace(picture, "data:image/png;base64," + base64.b64encode(b"GIF89a").decode(), 1),
                        "1.2.3", ["picture 1 is no whole PNG file"]),
            "dot": (good.replace(picture, uri(png(1, 1)), 1), "1.2.3",
                    ["picture 1 is 1x1 pixels in 65 bytes: not a window's"]),
        }
        for name, (page, version, problems) in cases.items():
            with self.subTest(name):
                self.assertEqual(problems, self.check.check_guide(page, version)[0])
        self.assertEqual(["the guide holds no picture"],
                         self.check.check_guide("<title>VU-VO 1: g</title>", "1")[0])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
