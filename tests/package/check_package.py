#!/usr/bin/env python3
"""Checks the release zip as an operator receives it: unpacked into a fresh folder, it must be what it says and
work from there.

    check_package.py --root SOURCE_FOLDER --zip dist/VU-VO-X.Y.Z.zip --version X.Y.Z --artifacts FOLDER

- the zip's .sha256 file and its SHA256SUMS verify, and it holds exactly the files it ships;
- Plugins/VU-VO.dll is a PE32 (i386) file; tests/windows/check_exports.py checks its exports and imports;
- tools/cty.dat is the country file the build uses (Debian's hamradio-files), byte for byte, and
  tools/cty.dat-copyright.txt its copyright notice (Debian's, with CR LF line ends);
- tools/hostsim.exe with Plugins/VU-VO.dll, run from the unpacked folder under Wine as the host runs (its current
  folder the host's, holding the host's own Tarn2.ini and Plugins/VU-VO.ini), with the packaged country file it
  finds beside itself, scores, reports and exports samples/dx_cw.adi into the golden files of tests/hostsim, byte
  for byte (the sample's calls resolve alike with the tests' excerpt and with Debian's file), and changes no file that was
  there before. Where 32-bit programs do not run, the x86-64 hostsim.exe and DLL of build/mingw-x64 run in the
  same layout instead, said on one line starting with "!!!";
- the packaged DLL's version resource reads back as the project's version (the Windows version test program);
- the guide: its title names the version, every picture is an embedded PNG of plausible size, no link or source
  points outside the page; headless Chromium renders it to ARTIFACTS/guide.png.
Prints one line per check; exit status 1 when any fails.
"""
import argparse
import base64
import hashlib
import html.parser
import os
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile

SHIPPED = ["Plugins/VU-VO.dll", "SHA256SUMS", "VU-VO-guide.html", "tools/cty.dat", "tools/cty.dat-copyright.txt",
           "tools/hostsim.exe", "tools/hostsim.txt"]
# The country file the build uses, which the release ships beside hostsim.exe, and its copyright notice.
DEBIAN_CTY = "/usr/share/hamradio-files/cty.dat"
DEBIAN_CTY_COPYRIGHT = "/usr/share/doc/hamradio-files/copyright"
# The host's own files in its folder, which hostsim must leave as they are.
HOST_FILES = {"Tarn2.ini": b"[Tarn]\r\nTarn=2.19\r\n",
              "Plugins/VU-VO.ini": b"[Settings]\r\nMode=1\r\nOperators=W9XYZ\r\nName=Joe Other\r\n"}
# The guide's pictures: windows and dialogs of a few hundred pixels, the result page of 640, the report's head of
# 1280 by 1560.
PICTURE_SIDES = range(40, 1600)
PICTURE_BYTES = range(1000, 2_000_000)
HEADER = ["--name", "Kenji Vu", "--address", "1 Main St", "--address-city", "Springfield",
          "--address-postalcode", "01101", "--address-country", "USA", "--email", "k1vu@example.org",
          "--club", "Yankee Clipper Contest Club", "--operators", "K1VU\\nW1VO",
          "--soapbox", "Fun contest.\\nBands were open."]
DX_BAD = "BadQSO_RarurAZIZ_12_04_2026.txt"


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def check_sums(files):
    """Problems of SHA256SUMS against the files ({name: bytes}); it must list every other file once."""
    problems = []
    listed = {}
    for line in files.get("SHA256SUMS", b"").decode("ascii", "replace").splitlines():
        match = re.fullmatch(r"([0-9a-f]{64})  (\S.*)", line)
        if not match:
            problems.append(f"SHA256SUMS: not a checksum line: {line!r}")
            continue
        if match.group(2) in listed:
            problems.append(f"SHA256SUMS lists {match.group(2)} twice")
        listed[match.group(2)] = match.group(1)
    for name in sorted(set(files) - {"SHA256SUMS"}):
        if name not in listed:
            problems.append(f"SHA256SUMS does not list {name}")
        elif listed[name] != sha256(files[name]):
            problems.append(f"{name} does not match its checksum")
    for name in sorted(set(listed) - set(files)):
        problems.append(f"SHA256SUMS lists {name}, which the zip lacks")
    return problems


def check_country_file(files, cty, notice):
    """Problems of the packaged country file and notice against the build's (bytes, or None when missing)."""
    problems = []
    if cty is None:
        problems.append("the build's country file is missing on this machine")
    elif files.get("tools/cty.dat") != cty:
        problems.append("tools/cty.dat is not the build's country file")
    if notice is None:
        problems.append("the country file's copyright notice is missing on this machine")
    elif files.get("tools/cty.dat-copyright.txt") != notice.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n"):
        problems.append("tools/cty.dat-copyright.txt is not the country file's copyright notice (CR LF)")
    return problems


def check_listing(names):
    problems = [f"the zip lacks {n}" for n in SHIPPED if n not in names]
    return problems + [f"the zip holds {n}, which is not shipped" for n in sorted(set(names) - set(SHIPPED))]


def pe_kind(data):
    """('PE32', machine) of a PE file, or None."""
    if data[:2] != b"MZ" or len(data) < 64:
        return None
    header = struct.unpack_from("<I", data, 60)[0]
    if data[header:header + 4] != b"PE\0\0":
        return None
    machine = struct.unpack_from("<H", data, header + 4)[0]
    magic = struct.unpack_from("<H", data, header + 24)[0]
    return ({0x10B: "PE32", 0x20B: "PE32+"}.get(magic, hex(magic)), {0x14C: "i386", 0x8664: "x86-64"}.get(
        machine, hex(machine)))


def png_size(data):
    """(width, height) of a PNG file, or None."""
    if not data.startswith(b"\x89PNG\r\n\x1a\n") or data[12:16] != b"IHDR" or not data.rstrip().endswith(
            b"IEND\xaeB`\x82"):
        return None
    return struct.unpack(">II", data[16:24])


class GuideReader(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.title = ""
        self.in_title = False
        self.images = []
        self.outside = []

    def handle_starttag(self, tag, attrs):
        if tag == "title":
            self.in_title = True
        for name, value in attrs:
            if name not in ("src", "href", "srcset", "action", "data", "poster", "background"):
                continue
            value = value or ""
            if tag == "img" and name == "src" and value.startswith("data:"):
                self.images.append(value)
            elif not value.startswith("#"):
                self.outside.append(f"<{tag} {name}={value[:60]}>")

    def handle_endtag(self, tag):
        if tag == "title":
            self.in_title = False

    def handle_data(self, data):
        if self.in_title:
            self.title += data


def check_guide(page, version):
    """Problems of the guide's HTML text, and the count of its pictures."""
    reader = GuideReader()
    reader.feed(page)
    problems = []
    if f"VU-VO {version}" not in reader.title:
        problems.append(f"the guide's title does not name VU-VO {version}: {reader.title!r}")
    if re.search(r"url\(|@import", page):
        problems.append("the guide's style loads something")
    problems += [f"the guide points outside itself: {o}" for o in reader.outside]
    for n, source in enumerate(reader.images, 1):
        match = re.fullmatch(r"data:image/png;base64,([A-Za-z0-9+/=]+)", source)
        data = base64.b64decode(match.group(1)) if match else b""
        size = png_size(data)
        if size is None:
            problems.append(f"picture {n} is no whole PNG file")
        elif not all(side in PICTURE_SIDES for side in size) or len(data) not in PICTURE_BYTES:
            problems.append(f"picture {n} is {size[0]}x{size[1]} pixels in {len(data)} bytes: not a window's")
    if not reader.images:
        problems.append("the guide holds no picture")
    return problems, len(reader.images)


class Checker:
    def __init__(self, o):
        self.o = o
        self.root = pathlib.Path(o.root)
        self.failed = False

    def report(self, what, problems):
        print(f"{'ok  ' if not problems else 'FAIL'} {what}")
        for p in problems:
            print(f"       {p}")
        self.failed |= bool(problems)

    def unpack(self, into):
        with zipfile.ZipFile(self.o.zip) as archive:
            archive.extractall(into)
        return into

    def host_run(self, folder, program, dll, args, display=False):
        """hostsim run as the host runs, in its folder: (status, stdout, stderr, files it added {name: bytes},
        files that were there before and are changed or gone)."""
        before = {p: p.read_bytes() for p in folder.rglob("*") if p.is_file()}
        command = [str(self.root / "scripts/wine-run.sh"), program, "--plugin", dll] + args
        if display:
            command = [str(self.root / "tests/windows/run_on_display.sh"), str(self.artifacts / "pictures")] + command
        run = subprocess.run(command, cwd=folder, capture_output=True, timeout=300, stdin=subprocess.DEVNULL)
        stderr = b"".join(line for line in run.stderr.splitlines(keepends=True) if not line.startswith(b"picture: "))
        added = {p.relative_to(folder).as_posix(): p.read_bytes() for p in folder.rglob("*")
                 if p.is_file() and p not in before}
        changed = sorted(p.relative_to(folder).as_posix() for p, data in before.items()
                         if not p.is_file() or p.read_bytes() != data)
        return run.returncode, run.stdout, stderr, added, changed

    def against_golden(self, name, status, stdout, stderr, added, changed, files):
        golden = self.root / "tests/hostsim/golden"
        problems = [] if status == 0 else [f"exit status {status}"]
        problems += [f"hostsim changed {path}, which it did not make" for path in changed]
        if not stdout:
            problems.append("hostsim printed nothing: it did not run")
        wanted = {"stdout": stdout, "stderr": stderr,
                  "files": ("\n".join(sorted(added)) + "\n").encode()}
        wanted.update({f: added.get(f, b"(missing)\n") for f in files})
        for key, actual in wanted.items():
            expected = (golden / f"{name}.{key.replace('/', '_')}").read_bytes()
            if actual != expected:
                problems.append(f"{key} differs from golden/{name}.{key.replace('/', '_')}: "
                                f"{actual[:300]!r}")
        return problems

    def run(self):
        o = self.o
        self.artifacts = pathlib.Path(o.artifacts).resolve()
        shutil.rmtree(self.artifacts, ignore_errors=True)
        (self.artifacts / "pictures").mkdir(parents=True)
        zip_bytes = pathlib.Path(o.zip).read_bytes()
        sums_file = pathlib.Path(o.zip + ".sha256")
        expected_line = f"{sha256(zip_bytes)}  {pathlib.Path(o.zip).name}\n"
        self.report(f"{sums_file.name} names the zip's checksum",
                    [] if sums_file.is_file() and sums_file.read_text() == expected_line
                    else [f"{sums_file} is not {expected_line!r}"])
        with zipfile.ZipFile(o.zip) as archive:
            names = archive.namelist()
            files = {n: archive.read(n) for n in names if not n.endswith("/")}
        self.report(f"the zip holds exactly {', '.join(SHIPPED)}", check_listing(names))
        self.report("SHA256SUMS verifies every file", check_sums(files))

        scratch = pathlib.Path(tempfile.mkdtemp(prefix="vuvo-package-"))
        try:
            self.check_unpacked(scratch, files)
        finally:
            shutil.rmtree(scratch, ignore_errors=True)
        return 1 if self.failed else 0

    def check_unpacked(self, scratch, files):
        o, root = self.o, self.root
        folder = self.unpack(scratch / "score")
        dll = folder / "Plugins/VU-VO.dll"
        kind = pe_kind(dll.read_bytes())
        self.report("Plugins/VU-VO.dll is a PE32 (i386) file",
                    [] if kind == ("PE32", "i386") else [f"it is {kind}"])
        exports = subprocess.run(
            [sys.executable, str(root / "tests/windows/check_exports.py"), "--dll", str(dll), "--arch", "i686",
             "--table", str(root / "plugin/export_table.txt"), "--objdump", "i686-w64-mingw32-objdump",
             "--undname", o.undname], capture_output=True, text=True)
        self.report("its exports (both names of the eleven) and imports (system DLLs only), check_exports.py",
                    [] if exports.returncode == 0 else (exports.stdout + exports.stderr).splitlines())
        self.report("tools/hostsim.exe is a PE32 (i386) file",
                    [] if pe_kind(files["tools/hostsim.exe"]) == ("PE32", "i386") else ["it is not"])
        # No folder of the machine that built them: the same commit built elsewhere gives the same bytes.
        leaks = [f"{name} holds {path!r}" for name in ("Plugins/VU-VO.dll", "tools/hostsim.exe")
                 for path in {str(root), str(root / "build")} if path.encode() in files[name]]
        self.report("the DLL and hostsim.exe hold no folder of the build machine", leaks)
        cty = pathlib.Path(o.cty)
        copyright_notice = pathlib.Path(o.cty_copyright)
        self.report(f"tools/cty.dat is {cty} and tools/cty.dat-copyright.txt its notice, byte for byte",
                    check_country_file(files, cty.read_bytes() if cty.is_file() else None,
                                       copyright_notice.read_bytes() if copyright_notice.is_file() else None))

        # Which hostsim and DLL run: the shipped i686 ones, or the x86-64 ones of the same commit.
        arch = "i686"
        if o.stand_in or subprocess.run([str(root / "scripts/wine-run.sh"), "--can-run", "i686"],
                                        capture_output=True).returncode != 0:
            arch = "x64"
            why = "--stand-in" if o.stand_in else "this machine runs no 32-bit programs under Wine"
            print(f"!!! {why}: the runs below use the x86-64 hostsim.exe and VU-VO.dll of build/mingw-x64 in the "
                  "same unpacked layout; the packaged i686 files are checked statically only !!!")

        def layout(name):
            target = self.unpack(scratch / name)
            if arch == "x64":
                shutil.copy(root / "build/mingw-x64/VU-VO.dll", target / "Plugins/VU-VO.dll")
                shutil.copy(root / "build/mingw-x64/tools/hostsim/hostsim.exe", target / "tools/hostsim.exe")
            shutil.copy(root / "samples/dx_cw.adi", target)
            for path, data in HOST_FILES.items():
                (target / path).write_bytes(data)
            return target

        # No --cty: hostsim finds the packaged country file beside itself.
        score = layout("score-run")
        status, out, err, added, changed = self.host_run(score, "tools/hostsim.exe", "Plugins\\VU-VO.dll",
                                                         ["score", "dx_cw.adi"])
        self.report(f"tools/hostsim.exe ({arch}) scores samples/dx_cw.adi from the unpacked host's folder with the "
                    "packaged cty.dat: the golden result and bad-QSO file, the host's files unchanged",
                    self.against_golden("dx_cw_score", status, out, err, added, changed, [DX_BAD]))
        report = layout("report-run")
        status, out, err, added, changed = self.host_run(report, "tools/hostsim.exe", "Plugins\\VU-VO.dll",
                                                         ["report", "dx_cw.adi"])
        self.report(f"tools/hostsim.exe ({arch}) reports samples/dx_cw.adi from the unpacked host's folder: the "
                    "golden hour table, the page beside it, the host's files unchanged",
                    self.against_golden("dx_cw_report", status, out, err, added, changed, ["K1VU_report.csv"]))
        export = layout("export-run")
        status, out, err, added, changed = self.host_run(
            export, "tools/hostsim.exe", "Plugins\\VU-VO.dll", ["--work", "work", "export", "dx_cw.adi"] + HEADER,
            display=True)
        self.report(f"tools/hostsim.exe ({arch}) exports samples/dx_cw.adi through the real header dialog: the "
                    "golden Cabrillo file, bad-QSO file and settings (in its --work folder), the host's files "
                    "unchanged",
                    self.against_golden("dx_cw_export", status, out, err, added, changed,
                                        ["K1VU.cbr", DX_BAD, "work/Plugins/VU-VO.ini"]))

        # The version resource, read as Windows reads it, from the packaged DLL.
        env = dict(os.environ, VUVO_VERSION_OF="Z:" + str(dll).replace("/", "\\"))
        test = root / f"build/mingw-{arch}/tests/package/windows_version_test.exe"
        version = subprocess.run([str(root / "scripts/wine-run.sh"), "--gtest", str(test), "--gtest_brief=1"],
                                 env=env, capture_output=True, text=True)
        self.report(f"the packaged DLL's version resource reads back as {o.version}",
                    [] if version.returncode == 0 else version.stdout.splitlines()[-12:])

        page = files["VU-VO-guide.html"].decode("utf-8")
        problems, pictures = check_guide(page, o.version)
        self.report(f"the guide names VU-VO {o.version}, embeds its {pictures} pictures as PNG and links nowhere "
                    "outside", problems)
        shot = self.artifacts / "guide.png"
        render = subprocess.run([str(root / "scripts/html-picture.sh"), str(folder / "VU-VO-guide.html"), str(shot),
                                 "1000", "page"], capture_output=True, text=True)
        size = png_size(shot.read_bytes()) if shot.is_file() else None
        # A guide of a dozen pictures is several screens long; a picture cut at the window's 16000 pixels lost its end.
        whole = size is not None and size[0] == 1000 and 2000 < size[1] < 16000
        self.report(f"headless Chromium renders the guide: {shot}" + (f" ({size[0]}x{size[1]})" if size else ""),
                    [] if render.returncode == 0 and whole else [render.stderr.strip() or f"the picture is {size}"])


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", required=True, help="the source folder (scripts, golden files, builds)")
    ap.add_argument("--zip", required=True)
    ap.add_argument("--version", required=True)
    ap.add_argument("--artifacts", required=True, help="where the guide's rendering is kept")
    ap.add_argument("--undname", default="/usr/lib/llvm-14/bin/llvm-undname")
    ap.add_argument("--cty", default=DEBIAN_CTY, help="the country file the release ships")
    ap.add_argument("--cty-copyright", default=DEBIAN_CTY_COPYRIGHT, help="its copyright notice")
    ap.add_argument("--stand-in", action="store_true",
                    help="run the x86-64 files even where 32-bit programs run (to try that road)")
    return Checker(ap.parse_args()).run()


if __name__ == "__main__":
    sys.exit(main())
