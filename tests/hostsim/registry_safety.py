#!/usr/bin/env python3
"""hostsim.exe under Wine beside the host's own registration of Tarn2.Application.

A foreign class entry is put in place (HKLM, then HKCU); score, check and a script of pass steps run and succeed,
a live step is refused with its message, and the entry is byte for byte what it was (`reg export` before and after).
Without a foreign entry, a script session leaves no entry behind.
"""
import argparse
import pathlib
import shutil
import subprocess
import sys
import tempfile

FOREIGN_CLASS = "{0A1B2C3D-0000-4000-8000-00000000ABCD}"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--emulator", required=True)
    ap.add_argument("--hostsim", required=True)
    ap.add_argument("--plugin", required=True)
    ap.add_argument("--input", action="append", default=[])
    o = ap.parse_args()
    work = pathlib.Path(tempfile.mkdtemp(prefix="hostsim-registry-"))
    failures = []

    def wine(*args, check=False):
        run = subprocess.run([o.emulator, *args], cwd=work, capture_output=True, timeout=300,
                             stdin=subprocess.DEVNULL)
        if check and run.returncode != 0:
            failures.append(f"{' '.join(args)}: exit {run.returncode}: {run.stderr.decode(errors='replace')}")
        return run

    def hostsim(*args):
        return wine(o.hostsim, "--plugin", o.plugin, "--cty", "cty_excerpt.dat", *args)

    def expect(what, run, status, stderr=None):
        if run.returncode != status:
            failures.append(f"{what}: exit {run.returncode}, expected {status}; stderr:\n"
                            + run.stderr.decode(errors="replace"))
        if stderr is not None and run.stderr.decode(errors="replace") != stderr:
            failures.append(f"{what}: standard error\n{run.stderr.decode(errors='replace')!r}\nexpected\n{stderr!r}")

    try:
        for src in o.input:
            shutil.copy(src, work)
        (work / "Plugins").mkdir()
        (work / "passes.txt").write_text("own K1VU K\nreset\nlog dx_cw.adi\n")
        (work / "live.txt").write_text("own K1VU K\ntune 7012000\n")
        for root in ("HKLM", "HKCU"):
            key = root + r"\Software\Classes\Tarn2.Application"
            wine("reg", "delete", key, "/f")
            wine("reg", "add", key + r"\CLSID", "/ve", "/d", FOREIGN_CLASS, "/f", check=True)
            wine("reg", "add", key, "/v", "Owner", "/d", "the host", "/f", check=True)
            wine("reg", "export", key, "before.reg", "/y", check=True)
            expect(f"{root}: score", hostsim("score", "dx_cw.adi"), 0)
            expect(f"{root}: check", hostsim("check", "dx_cw.adi", "JA1ABC", "--band", "40m"), 0)
            refusal = (key + "\\ is the host's own registration; hostsim leaves it as it is and offers no "
                       "automation object; the live steps are refused").replace("\\ ", " ")
            expect(f"{root}: script of passes", hostsim("script", "passes.txt"), 0, f"hostsim: {refusal}\n")
            expect(f"{root}: live script", hostsim("script", "live.txt"), 1,
                   f"hostsim: {refusal}\nhostsim: live.txt:2: {refusal}\n")
            wine("reg", "export", key, "after.reg", "/y", check=True)
            before, after = (work / "before.reg").read_bytes(), (work / "after.reg").read_bytes()
            if before != after:
                failures.append(f"{root}: the host's entry changed:\n{before!r}\n{after!r}")
            wine("reg", "delete", key, "/f", check=True)
        # hostsim's own entry goes with its session.
        expect("own entry: live script", hostsim("script", "live.txt"), 0, "")
        for root in ("HKLM", "HKCU"):
            if wine("reg", "query", root + r"\Software\Classes\Tarn2.Application").returncode == 0:
                failures.append(f"{root}: hostsim left its class entry behind")
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
