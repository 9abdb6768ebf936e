#!/usr/bin/env python3
"""The guide's generator: whole pages for small sources, the pictures' dates dropped, and the sources it refuses.

    make_guide_test.py PATH/TO/make_guide.py
"""
import base64
import struct
import sys
import unittest
import zlib

from package_test_support import chunk, load


# A 1x1 grey PNG as ImageMagick writes one: with a date in a text chunk and a time chunk.
IHDR = chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 8, 0, 0, 0, 0))
IDAT = chunk(b"IDAT", zlib.compress(b"\x00\x80"))
IEND = chunk(b"IEND", b"")
SIGNATURE = b"\x89PNG\r\n\x1a\n"
DATED = (SIGNATURE + IHDR + chunk(b"tEXt", b"date:create\x002026-12-08T11:00:00+00:00") +
         chunk(b"tIME", b"\x07\xea\x0c\x08\x0b\x00\x00") + IDAT + IEND)
CLEAN = SIGNATURE + IHDR + IDAT + IEND
CLEAN_URI = "data:image/png;base64," + base64.b64encode(CLEAN).decode()

SOURCE = """# VU-VO {version}: the guide

Intro with `Plugins\\VU-VO.ini` and **bold** <b>not html</b> & more
on two lines.

## Installing & removing

- one item
  continued
- two

| file | what |
|---|---|
| `a.dll` | the plug-in |

### A window

![The "main" window](main.png)
"""


class Convert(unittest.TestCase):
    def setUp(self):
        self.guide = load(sys.argv[1], "make_guide")

    def test_whole_page(self):
        page, unused = self.guide.convert(SOURCE, {"main.png": DATED, "spare.png": CLEAN}, "1.2.3")
        head, style_and_rest = page.split("<style>", 1)
        body = style_and_rest.split("</style></head><body>\n", 1)[1]
        self.assertEqual('<!DOCTYPE html>\n<html lang="en"><head><meta charset="utf-8">\n'
                         "<title>VU-VO 1.2.3: the guide</title>\n", head)
        self.assertEqual(
            "<h1>VU-VO 1.2.3: the guide</h1>\n"
            '<nav><ol><li><a href="#installing-removing">Installing &amp; removing</a></li></ol></nav>\n'
            "<p>Intro with <code>Plugins\\VU-VO.ini</code> and <strong>bold</strong> &lt;b&gt;not html&lt;/b&gt; "
            "&amp; more on two lines.</p>\n"
            '<h2 id="installing-removing">Installing &amp; removing</h2>\n'
            "<ul><li>one item continued</li><li>two</li></ul>\n"
            "<table><tr><th>file</th><th>what</th></tr><tr><td><code>a.dll</code></td><td>the plug-in</td></tr>"
            "</table>\n"
            '<h3 id="a-window">A window</h3>\n'
            f'<figure><img src="{CLEAN_URI}" alt="The &quot;main&quot; window">'
            '<figcaption>The "main" window</figcaption></figure>\n'
            "</body></html>\n", body)
        self.assertEqual(["spare.png"], unused)

    def test_same_pictures_same_page_whatever_their_dates(self):
        first, _ = self.guide.convert(SOURCE, {"main.png": DATED}, "1.2.3")
        second, _ = self.guide.convert(SOURCE, {"main.png": CLEAN}, "1.2.3")
        self.assertEqual(first, second)

    def test_refused_sources(self):
        cases = {
            "no title": ("Some text\n", "the source must begin with its title, '# Title'"),
            "missing picture": ("# T\n\n![x](gone.png)\n", "no picture gone.png"),
            "picture in text": ("# T\n\n![x](main.png) and more\n",
                                "a picture is '![caption](name.png)' alone in its block: ![x](main.png) and more"),
            "picture elsewhere": ("# T\n\n![x](http://example.org/a.png)\n",
                                  "a picture is '![caption](name.png)' alone in its block: "
                                  "![x](http://example.org/a.png)"),
            "heading with text": ("# T\n\n## H\ntext\n", "a heading stands alone in its block: ## H"),
            "ragged table": ("# T\n\n| a | b |\n| c |\n", "every row of a table has as many cells as its heading: "
                             "| a | b |"),
            "stray list line": ("# T\n\n- a\nb\n", "a list line must start with '- ' or two blanks: b"),
        }
        for name, (source, message) in cases.items():
            with self.subTest(name):
                with self.assertRaises(self.guide.GuideError) as caught:
                    self.guide.convert(source, {"main.png": CLEAN}, "1")
                self.assertEqual(message, str(caught.exception))

    def test_broken_pictures(self):
        cases = {
            "not a png": (b"GIF89a", "x.png is not a PNG file"),
            "cut in a chunk": (SIGNATURE + IHDR[:10], "x.png ends inside its b'IHDR' chunk"),
            "no end": (SIGNATURE + IHDR + IDAT, "x.png has no end chunk"),
        }
        for name, (data, message) in cases.items():
            with self.subTest(name):
                with self.assertRaises(self.guide.GuideError) as caught:
                    self.guide.clean_png(data, "x.png")
                self.assertEqual(message, str(caught.exception))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
