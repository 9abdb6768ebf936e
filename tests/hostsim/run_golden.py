#!/usr/bin/env python3
"""Runs hostsim once in a fresh working folder and holds its whole output against the golden files.

Compared, byte for byte: standard output, standard error (with --stderr), the listed files the run left in the
working folder, and the list of every file there. Every file the folder held before the run (inputs, a host's
files put there) must be there unchanged afterwards, unless it is one of the listed files: hostsim changes no file
it did not make. With --release, hostsim runs as a release lays it out:
tools/hostsim beside Plugins/<the plug-in's file>, both copied into the working folder, and without --plugin. Paths of the working folder, the plug-in and the inputs are
written as @WORK@, @PLUGIN@ and @INPUTS@ so that the golden files hold no machine's paths. On a difference
the test prints a unified diff (CR shown as \\r) and fails. --update writes the golden files instead.
"""
import argparse
import difflib
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile

# The marker hostsim writes into the work folders it makes.
MARKER = "hostsim-work-folder.txt"

def shown(data):
    text = data.decode("utf-8", errors="backslashreplace")
    return [line.replace("\r", "\\r") + "\n" for line in text.split("\n")]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--hostsim", required=True)
    ap.add_argument("--plugin", required=True)
    ap.add_argument("--emulator", action="append", default=[],
                    help="runs hostsim (a Windows build under Wine); repeated, the words of one command")
    ap.add_argument("--golden", required=True, help="folder of the golden files")
    ap.add_argument("--name", required=True, help="test name: the golden files are NAME.*")
    ap.add_argument("--input", action="append", default=[], help="file copied into the working folder")
    ap.add_argument("--file", action="append", default=[], help="file of the working folder to compare")
    ap.add_argument("--stderr", action="store_true", help="compare standard error too")
    ap.add_argument("--exit", type=int, default=0, help="the exit status expected")
    ap.add_argument("--no-plugins-folder", action="store_true")
    ap.add_argument("--folder", action="append", default=[], help="folder made in the working folder first")
    ap.add_argument("--put", nargs=2, action="append", default=[], metavar=("SRC", "PATH"),
                    help="file copied to PATH (in the working folder) first, as a host's own file")
    ap.add_argument("--work-folder", action="append", default=[], metavar="PATH",
                    help="folder made first as an earlier hostsim run left it: empty but for hostsim's marker")
    ap.add_argument("--env", action="append", default=[], metavar="NAME=VALUE", help="in hostsim's environment")
    ap.add_argument("--no-display", action="store_true", help="hostsim runs without an X display")
    ap.add_argument("--release", action="store_true", help="hostsim in tools/, the plug-in in Plugins/")
    ap.add_argument("--beside-hostsim", nargs=2, action="append", default=[], metavar=("SRC", "NAME"),
                    help="with --release: file copied into tools/ under NAME")
    ap.add_argument("--update", action="store_true", default=os.environ.get("VUVO_UPDATE_GOLDEN") == "1")
    ap.add_argument("args", nargs=argparse.REMAINDER)
    o = ap.parse_args()
    args = o.args[1:] if o.args[:1] == ["--"] else o.args

    golden = pathlib.Path(o.golden)
    # Resolved: hostsim names its own folder as the system sees it, links resolved.
    work = pathlib.Path(tempfile.mkdtemp(prefix="hostsim-golden-")).resolve()
    try:
        if not o.no_plugins_folder:
            (work / "Plugins").mkdir()
        for folder in o.folder:
            (work / folder).mkdir(parents=True)
        inputs = set()
        # Paths (from the working folder) the run must leave alone and not list.
        kept = set()
        for folder in o.work_folder:
            (work / folder).mkdir(parents=True, exist_ok=True)
            (work / folder / MARKER).write_text("made by an earlier hostsim run\n")
            kept.add(f"{folder}/{MARKER}")
        for src, path in o.put:
            (work / path).parent.mkdir(parents=True, exist_ok=True)
            shutil.copy(src, work / path)
            kept.add(pathlib.Path(path).as_posix())
        for src in o.input:
            shutil.copy(src, work / pathlib.Path(src).name)
            inputs.add(pathlib.Path(src).name)
        hostsim = [o.hostsim, "--plugin", o.plugin]
        if o.release:
            # The copies are the release's, not the run's: they are left out of the listing, as inputs are.
            (work / "Plugins").mkdir(exist_ok=True)
            (work / "tools").mkdir()
            hostsim = [str(work / "tools" / pathlib.Path(o.hostsim).name)]
            shutil.copy(o.hostsim, hostsim[0])
            shutil.copy(o.plugin, work / "Plugins" / pathlib.Path(o.plugin).name)
            inputs.update({pathlib.Path(o.hostsim).name, pathlib.Path(o.plugin).name})
            for src, name in o.beside_hostsim:
                shutil.copy(src, work / "tools" / name)
                inputs.add(name)
        env = {k: v for k, v in os.environ.items() if k != "VUVO_DIALOG_ANSWERS"}
        env.update(item.split("=", 1) for item in o.env)
        if o.no_display:
            env = {k: v for k, v in env.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        # The work folders an earlier run left are hostsim's own: it may change what they hold.
        before = {p.relative_to(work).as_posix(): p.read_bytes() for p in work.rglob("*") if p.is_file()
                  and not any(p.is_relative_to(work / folder) for folder in o.work_folder)}
        command = o.emulator + hostsim + args
        run = subprocess.run(command, cwd=work, env=env,
                             stdin=subprocess.DEVNULL, capture_output=True, timeout=300)

        # The working folder as Wine names it too (drive Z: is the Linux root).
        windows = "Z:" + str(work).replace("/", "\\")

        def clean(data):
            for path, token in ((str(work) + os.sep, "@WORK@/"), (str(work), "@WORK@"), (windows + "\\", "@WORK@\\"),
                                (windows, "@WORK@"), (o.plugin, "@PLUGIN@")):
                data = data.replace(path.encode(), token.encode())
            return data

        outputs = {"stdout": clean(run.stdout)}
        if o.stderr:
            # The display wrapper of the Windows runs names the pictures it made; they are not hostsim's words.
            stderr = b"".join(line for line in run.stderr.splitlines(keepends=True)
                              if not (o.emulator and line.startswith(b"picture: ")))
            outputs["stderr"] = clean(stderr)
        listing = sorted(p.relative_to(work).as_posix() for p in work.rglob("*")
                         if p.is_file() and p.name not in inputs and p.relative_to(work).as_posix() not in kept)
        outputs["files"] = ("\n".join(listing) + "\n").encode()
        for name in o.file:
            path = work / name
            outputs[name] = path.read_bytes() if path.is_file() else b"(missing)\n"

        failed = False
        for path, data in sorted(before.items()):
            if path in o.file:
                continue
            now = work / path
            if not now.is_file():
                print(f"the run removed {path}, which it did not make")
                failed = True
            elif now.read_bytes() != data:
                print(f"the run changed {path}, which it did not make")
                failed = True
        # Every hostsim command prints its outcome on standard output, or why it has none on standard error. An
        # emulator may "run" a program it cannot start as exit 0 with no output at all: under one, silence is a run
        # that never happened.
        if o.emulator and not run.stdout and not run.stderr:
            print("hostsim printed nothing on standard output: it did not run")
            failed = True
        if run.returncode != o.exit:
            print(f"exit status {run.returncode}, expected {o.exit}")
            failed = True
        for key, actual in outputs.items():
            path = golden / f"{o.name}.{key.replace('/', '_')}"
            if o.update:
                golden.mkdir(parents=True, exist_ok=True)
                path.write_bytes(actual)
                continue
            expected = path.read_bytes() if path.is_file() else None
            if expected == actual:
                continue
            failed = True
            if expected is None:
                print(f"no golden file {path}; the run gave:")
                sys.stdout.writelines(shown(actual))
                continue
            print(f"{path.name} differs:")
            sys.stdout.writelines(difflib.unified_diff(shown(expected), shown(actual), f"golden/{path.name}",
                                                       "actual", n=2))
        if failed or (run.returncode != 0 and not o.stderr):
            sys.stdout.write("standard error of the run:\n" + run.stderr.decode("utf-8", "backslashreplace"))
        return 1 if failed else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
