#!/usr/bin/env python3
"""Runs `hostsim report` on a log in a fresh folder and holds the page to what it promises.

- No script and nothing from outside: no <script>, no event attribute, no javascript:, no src= or href=, no url(),
  no @import, no http(s): anywhere in the page.
- Its parts, in order: the result, the hours, the multipliers, the rates, the breaks, the problems; a chart for the
  QSOs, the running score, the rates and each multiplier map, the legend naming every band of the contest.
- The plug-in's result page, framed, byte for byte the one `score --html` gives (its golden file).
- Its sums: the CSV's hours add up to its Total row, the last hour's running figures are the Total's and the score
  is the result page's; the page's hour table holds the CSV's figures; each band's first-worked cells are as many
  as its multipliers; the problems are as many as the result's dupes and bad QSOs.
- With --picture, headless Chromium renders it (scripts/html-picture.sh) and the picture shows every band's colour.
"""
import argparse
import html
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

BAND_COLOURS = {"160m": (0x7F, 0x3C, 0x8D), "80m": (0xE7, 0x29, 0x8A), "40m": (0xD9, 0x5F, 0x02),
                "20m": (0x1B, 0x9E, 0x77), "15m": (0x39, 0x69, 0xAC), "10m": (0xE6, 0xAB, 0x02)}
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
    return ok


def numbers(text):
    return [int(n) for n in re.findall(r"-?\d+", text.replace("&#8201;", ""))]


def rgb_pixels(path):
    """The picture's pixels as bytes, three (red, green, blue) to a pixel: ImageMagick's, which html-picture.sh
    uses too."""
    return subprocess.run(["/usr/bin/convert", str(path), "-depth", "8", "rgb:-"], check=True,
                          capture_output=True).stdout


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--hostsim", required=True)
    ap.add_argument("--plugin", required=True)
    ap.add_argument("--cty", required=True)
    ap.add_argument("--log", required=True)
    ap.add_argument("--result-page", required=True, help="the golden output of score --html for the log")
    ap.add_argument("--picture", help="where the rendered picture goes")
    o = ap.parse_args()

    work = pathlib.Path(tempfile.mkdtemp(prefix="hostsim-report-"))
    try:
        for f in (o.log, o.cty):
            shutil.copy(f, work)
        run = subprocess.run([o.hostsim, "--plugin", o.plugin, "--cty", pathlib.Path(o.cty).name, "report",
                              pathlib.Path(o.log).name], cwd=work, capture_output=True)
        if not check(run.returncode == 0, f"exit status {run.returncode}: {run.stderr.decode(errors='replace')}"):
            return report()
        named = dict(line.split(": ", 1) for line in run.stdout.decode().splitlines())
        page = (work / named["Report"]).read_bytes().decode("cp1252", errors="replace")
        csv = [line.split(",") for line in (work / named["Hour table"]).read_text().splitlines()]
        check_offline(page)
        bands = check_parts(page, csv, pathlib.Path(o.result_page).read_bytes().decode("cp1252", errors="replace"))
        check_sums(page, csv, bands)
        if o.picture:
            render(work / named["Report"], pathlib.Path(o.picture), bands)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return report()


def check_offline(page):
    for pattern, what in [(r"<script", "a script"), (r"\son[a-z]+\s*=", "an event attribute"),
                          (r"javascript:", "javascript:"), (r"\s(src|href)\s*=", "a src= or href="),
                          (r"url\(", "a url()"), (r"@import", "an @import"), (r"https?:", "an http address")]:
        found = re.search(pattern, page, re.I)
        check(not found, f"the page holds {what}: {found and page[max(0, found.start() - 40):found.end() + 40]!r}")


def check_parts(page, csv, result_page):
    order = [page.find(f'<h2 id="{part}">') for part in ("result", "hours", "mults", "rates", "breaks", "problems")]
    check(-1 not in order and order == sorted(order), f"the parts in order: {order}")
    ja = "DXCC" in csv[0]
    check(page.count("<svg ") == (5 if ja else 4), f"{page.count('<svg ')} charts")
    bands = [c.split()[0] for c in csv[0][1:] if c.endswith(" QSOs") and c.split()[0] in BAND_COLOURS]
    legend = re.findall(r'class="legend">([^<]+)<', page)
    check(all(b in legend for b in bands), f"the legend {legend} names the bands {bands}")
    frame = re.search(r'srcdoc="([^"]*)"', page)
    check(frame and html.unescape(frame.group(1)) + "\n" == result_page,
          "the framed result page is the plug-in's, as score --html gives it")
    return bands


def check_sums(page, csv, bands):
    header, hours, total = csv[0], [r for r in csv[1:-1]], csv[-1]
    check(total[0] == "Total", "the last row is the Total")
    running = {i for i, name in enumerate(header) if name in ("Counties", "Zones", "DXCC", "Score")}
    for i, name in enumerate(header[1:], 1):
        if i in running:
            check(hours[-1][i] == total[i], f"{name}: the last hour {hours[-1][i]}, the result {total[i]}")
        else:
            added = sum(int(r[i]) for r in hours)
            check(added == int(total[i]), f"{name}: the hours add up to {added}, the result {total[i]}")
    score = re.findall(r"= (\d+)</center>", html.unescape(re.search(r'srcdoc="([^"]*)"', page).group(1)))
    check(score and score[-1] == total[-1], f"the result page's score {score} is the Total's {total[-1]}")

    table = page[page.find('<table class="hours">'):]
    table = table[:table.find("</table>")]
    rows = re.findall(r"<tr>(?:<th>[^<]*</th>)(.*?)</tr>", table[table.find("<tbody>"):])
    check(len(rows) == len(hours), f"the page's table has {len(rows)} hours, the CSV {len(hours)}")
    for row, line in zip(rows, hours):
        check(numbers(re.sub(r"<[^>]+>", " ", row)) == [int(v) for v in line[1:]], f"the page's hour {line[0]}")

    worked = {b: 0 for b in bands}
    for band in re.findall(r"<title>(?:county|zone) \S+ on (\S+): first worked", page):
        worked[band] += 1
    for b in bands:
        column = header.index(f"{b} new {'zones' if 'Zones' in header else 'counties'}")
        check(worked[b] == int(total[column]), f"{b}: {worked[b]} first-worked cells, {total[column]} multipliers")
    problems = sum(numbers(n)[0] for n in re.findall(r"<h3>[^<]* \(([\d&#;]+)\)</h3><pre>", page))
    dupes, bad = int(total[header.index("Dupes")]), int(total[header.index("Bad QSOs")])
    check(problems == dupes + bad, f"{problems} problems listed, the result has {dupes} dupes and {bad} bad QSOs")


def render(page, picture, bands):
    picture.parent.mkdir(parents=True, exist_ok=True)
    script = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "html-picture.sh"
    subprocess.run([str(script), str(page), str(picture), "1280", "page"], check=True)
    pixels = rgb_pixels(picture)
    for band in bands:
        count = pixels.count(bytes(BAND_COLOURS[band]))
        check(count >= 500, f"the picture shows {count} pixels of {band}'s colour")
    print(f"picture: {picture}")


def report():
    for f in failures:
        print("FAILED:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
