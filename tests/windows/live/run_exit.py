#!/usr/bin/env python3
"""Runs a hostsim script that ends with the step `exit` and holds the process to it: the whole standard output
against its golden file, exit status 0, and the process gone within --within seconds of the step's echo
("> exit"), whatever windows the plug-in has open. Runs in a fresh working folder, as run_golden.py does.
--update writes the golden file instead.
"""
import argparse
import difflib
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import threading
import time


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--golden", required=True, help="the golden standard output")
    ap.add_argument("--input", action="append", default=[], help="file copied into the working folder")
    ap.add_argument("--within", type=float, default=1.0, help="seconds from the exit step to the process's end")
    ap.add_argument("--update", action="store_true", default=os.environ.get("VUVO_UPDATE_GOLDEN") == "1")
    ap.add_argument("command", nargs=argparse.REMAINDER)
    o = ap.parse_args()
    command = o.command[1:] if o.command[:1] == ["--"] else o.command

    work = pathlib.Path(tempfile.mkdtemp(prefix="hostsim-exit-"))
    try:
        (work / "Plugins").mkdir()
        for src in o.input:
            shutil.copy(src, work / pathlib.Path(src).name)
        process = subprocess.Popen(command, cwd=work, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE)
        # Standard error is read beside standard output, so that neither pipe can fill and stall the process. The
        # end is the process's own (its wait), not the end of its output: a program the process started may hold
        # the pipe a little longer.
        stderr_chunks = []
        stderr_reader = threading.Thread(target=lambda: stderr_chunks.append(process.stderr.read()))
        stderr_reader.start()
        output = b""
        exit_step = None
        for line in iter(process.stdout.readline, b""):
            output += line
            if line.rstrip(b"\r\n") == b"> exit":
                exit_step = time.monotonic()
                break
        status = process.wait(timeout=60)
        ended = time.monotonic()
        output += process.stdout.read()
        stderr_reader.join()
        stderr = b"".join(stderr_chunks)

        golden = pathlib.Path(o.golden)
        if o.update:
            golden.write_bytes(output)
            return 0
        failed = False
        if status != 0:
            print(f"exit status {status}, expected 0")
            failed = True
        if exit_step is None:
            print("the script never reached its exit step")
            failed = True
        elif ended - exit_step > o.within:
            print(f"the process ended {ended - exit_step:.2f} s after its exit step, more than {o.within} s")
            failed = True
        else:
            print(f"the process ended {ended - exit_step:.3f} s after its exit step")
        expected = golden.read_bytes() if golden.is_file() else b""
        if output != expected:
            failed = True
            print(f"{golden.name} differs:")
            sys.stdout.writelines(difflib.unified_diff(
                expected.decode("utf-8", "backslashreplace").splitlines(True),
                output.decode("utf-8", "backslashreplace").splitlines(True), f"golden/{golden.name}", "actual"))
        if failed:
            sys.stdout.write("standard error of the run:\n" + stderr.decode("utf-8", "backslashreplace"))
        return 1 if failed else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
