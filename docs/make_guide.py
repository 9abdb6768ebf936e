#!/usr/bin/env python3
"""Makes the operator's guide: one HTML file, its pictures inside it as data: URIs.

    make_guide.py SOURCE --pictures FOLDER --version X.Y.Z --out GUIDE.html

The source is plain text in a small markup of our own, so that the guide needs no tool beyond Python:

    # Title                      the page's title (once, first); {version} anywhere becomes the version
    ## Section / ### Subsection  headings; every section is listed, linked, in the contents at the top
    - item                       a list; lines indented by two blanks continue the item
    | a | b |                    a table; its first row is the heading, a |---| row under it is skipped
    ![caption](name.png)         a picture of FOLDER, alone in its block, with its caption under it
    anything else                a paragraph; blocks are separated by blank lines

Inside a block, `text` is code (file names, keys) and **text** is strong. Everything else is escaped: the source
holds no HTML of its own, so the guide links nowhere but to its own sections and loads nothing from outside.
The pictures' PNG files lose their text and time chunks (the date ImageMagick writes), so that the same pictures
always give the same guide, byte for byte.
"""
import argparse
import base64
import html
import pathlib
import re
import struct
import sys

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
# Chunks that carry dates or comments and nothing of the picture.
DROPPED_CHUNKS = {b"tEXt", b"zTXt", b"iTXt", b"tIME"}

STYLE = """body{font-family:Verdana,Arial,sans-serif;font-size:15px;line-height:1.45;max-width:56em;margin:1em auto;
padding:0 1em;color:#222;background:#fff}
h1{font-size:1.7em;border-bottom:3px solid #c9b84a;padding-bottom:.2em}
h2{font-size:1.3em;margin-top:2em;border-bottom:1px solid #ccc}
h3{font-size:1.1em;margin-top:1.5em}
code{font-family:Consolas,monospace;background:#fffac6;padding:0 .2em;white-space:pre-wrap}
table{border-collapse:collapse;margin:.8em 0}
th,td{border:1px solid #999;padding:.25em .5em;text-align:left;vertical-align:top}
th{background:#fffac6}
figure{margin:1em 0;display:inline-block;vertical-align:top;margin-right:1.5em}
figure img{border:1px solid #999;max-width:100%}
figcaption{font-size:.85em;color:#555;max-width:32em}
nav ol{columns:2}
"""


class GuideError(Exception):
    pass


def clean_png(data, name):
    """The PNG without its text and time chunks; fails on anything that is not a whole PNG file."""
    if not data.startswith(PNG_SIGNATURE):
        raise GuideError(f"{name} is not a PNG file")
    out = [PNG_SIGNATURE]
    pos = len(PNG_SIGNATURE)
    seen_end = False
    while pos < len(data):
        if pos + 8 > len(data):
            raise GuideError(f"{name} ends inside a chunk")
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        end = pos + 12 + length
        if end > len(data):
            raise GuideError(f"{name} ends inside its {kind!r} chunk")
        if kind not in DROPPED_CHUNKS:
            out.append(data[pos:end])
        pos = end
        if kind == b"IEND":
            seen_end = True
            break
    if not seen_end:
        raise GuideError(f"{name} has no end chunk")
    return b"".join(out)


def inline(text, version):
    text = html.escape(text.replace("{version}", version), quote=False)
    text = re.sub(r"`([^`]+)`", r"<code>\1</code>", text)
    return re.sub(r"\*\*([^*]+)\*\*", r"<strong>\1</strong>", text)


def slug(title):
    return re.sub(r"[^a-z0-9]+", "-", title.lower()).strip("-")


def table_cells(line):
    return [cell.strip() for cell in line.strip().strip("|").split("|")]


def convert(source, pictures, version):
    """The whole HTML page for the source text; pictures maps a picture's name to its PNG bytes."""
    blocks = [b for b in re.split(r"\n\s*\n", source.replace("\r\n", "\n")) if b.strip()]
    if not blocks or not blocks[0].startswith("# "):
        raise GuideError("the source must begin with its title, '# Title'")
    title = blocks[0][2:].strip().replace("{version}", version)
    body, contents, used = [], [], set()
    for block in blocks[1:]:
        lines = block.strip("\n").split("\n")
        first = lines[0]
        if first.startswith("## ") or first.startswith("### "):
            if len(lines) > 1:
                raise GuideError(f"a heading stands alone in its block: {first}")
            level = 2 if first.startswith("## ") else 3
            text = first[level + 1:].strip()
            anchor = slug(text)
            if level == 2:
                contents.append(f'<li><a href="#{anchor}">{inline(text, version)}</a></li>')
            body.append(f'<h{level} id="{anchor}">{inline(text, version)}</h{level}>')
        elif first.startswith("!["):
            match = re.fullmatch(r"!\[([^\]]*)\]\(([\w.-]+\.png)\)", block.strip())
            if not match:
                raise GuideError(f"a picture is '![caption](name.png)' alone in its block: {first}")
            caption, name = match.groups()
            if name not in pictures:
                raise GuideError(f"no picture {name}")
            used.add(name)
            data = base64.b64encode(clean_png(pictures[name], name)).decode("ascii")
            body.append(f'<figure><img src="data:image/png;base64,{data}" alt="{html.escape(caption)}">'
                        f"<figcaption>{inline(caption, version)}</figcaption></figure>")
        elif first.startswith("- "):
            items = []
            for line in lines:
                if line.startswith("- "):
                    items.append(line[2:].strip())
                elif line.startswith("  ") and items:
                    items[-1] += " " + line.strip()
                else:
                    raise GuideError(f"a list line must start with '- ' or two blanks: {line}")
            body.append("<ul>" + "".join(f"<li>{inline(i, version)}</li>" for i in items) + "</ul>")
        elif first.startswith("|"):
            rows = [table_cells(line) for line in lines if not re.fullmatch(r"\|[-| :]+\|?", line.strip())]
            if any(len(r) != len(rows[0]) for r in rows):
                raise GuideError(f"every row of a table has as many cells as its heading: {first}")
            head = "".join(f"<th>{inline(c, version)}</th>" for c in rows[0])
            rest = "".join("<tr>" + "".join(f"<td>{inline(c, version)}</td>" for c in r) + "</tr>"
                           for r in rows[1:])
            body.append(f"<table><tr>{head}</tr>{rest}</table>")
        else:
            body.append("<p>" + inline(" ".join(line.strip() for line in lines), version) + "</p>")
    unused = sorted(set(pictures) - used)
    page = ["<!DOCTYPE html>", '<html lang="en"><head><meta charset="utf-8">',
            f"<title>{html.escape(title)}</title>", f"<style>{STYLE}</style></head><body>",
            f"<h1>{html.escape(title)}</h1>", "<nav><ol>" + "".join(contents) + "</ol></nav>"]
    return "\n".join(page + body + ["</body></html>", ""]), unused


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("source")
    ap.add_argument("--pictures", required=True, help="folder of the PNG pictures the source names")
    ap.add_argument("--version", required=True)
    ap.add_argument("--out", required=True)
    o = ap.parse_args()
    folder = pathlib.Path(o.pictures)
    pictures = {p.name: p.read_bytes() for p in sorted(folder.glob("*.png"))}
    try:
        page, _ = convert(pathlib.Path(o.source).read_text(encoding="utf-8"), pictures, o.version)
    except GuideError as error:
        print(f"make_guide: {error}", file=sys.stderr)
        return 1
    # Line ends as written: the file is the same bytes on every system.
    pathlib.Path(o.out).write_bytes(page.encode("utf-8"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
