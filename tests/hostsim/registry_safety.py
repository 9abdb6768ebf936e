#!/usr/bin/env python3
"""hostsim.exe under Wine beside the host's own registration of Tarn2.Application, and beside itself.

A foreign class entry is put in place (HKLM, then HKCU); score, check and a script of pass steps run and succeed,
a live step is refused with its message, and the entry is byte for byte what it was (`reg export` before and after).
Without a foreign entry, a script session leaves no entry behind. A foreign entry written over hostsim's during a
session is left as it is. A session killed midway leaves its entry; the next session removes it and says so, from
HKCU too, where it would shadow the real host registered later in HKLM. A second live session while one runs is
refused, and removes nothing of the first one's.
"""
import argparse
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time

FOREIGN_CLASS = "{0A1B2C3D-0000-4000-8000-00000000ABCD}"
CLASS_KEY = r"\Software\Classes\Tarn2.Application"
# The end of a script of passes: its bad-QSO file copied out of hostsim's work folder over the one an earlier run
# (the score) left in the test's folder.
BAD_QSO = "BadQSO_RarurAZIZ_12_04_2026.txt"
DELIVERED = f"hostsim: {BAD_QSO} replaces the file of that name\nhostsim: bad QSOs are listed in {BAD_QSO}\n"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--emulator", required=True)
    ap.add_argument("--hostsim", required=True)
    ap.add_argument("--plugin", required=True)
    ap.add_argument("--input", action="append", default=[])
    o = ap.parse_args()
    work = pathlib.Path(tempfile.mkdtemp(prefix="hostsim-registry-"))
    # No display: nothing here opens a window, and with one, a Wine command that starts while a session waits for
    # its next step (its thread pumps no messages then) can wait for that session's windows to answer.
    quiet = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    # A Wine prefix of its own (made on first use, then kept beside the tests' one): the class entries written and
    # the sessions killed here touch no other test's registry or Wine server, so the other tests may run meanwhile.
    shared_prefix = os.environ.get("VUVO_WINEPREFIX", os.path.expanduser("~/.cache/vuvo-wine"))
    quiet["VUVO_WINEPREFIX"] = shared_prefix + "-registry"
    failures = []

    def wine(*args, check=False, timeout=300):
        run = subprocess.run([o.emulator, *args], cwd=work, capture_output=True, timeout=timeout,
                             stdin=subprocess.DEVNULL, env=quiet)
        if check and run.returncode != 0:
            failures.append(f"{' '.join(args)}: exit {run.returncode}: {run.stderr.decode(errors='replace')}")
        return run

    def hostsim_command(*args):
        return [o.emulator, o.hostsim, "--plugin", o.plugin, "--cty", "cty_excerpt.dat", *args]

    def hostsim(*args):
        return wine(*hostsim_command(*args)[1:])

    sessions = []
    writers = {}

    def start_hostsim(*args):
        sessions.append(subprocess.Popen(hostsim_command(*args), cwd=work, stdin=subprocess.DEVNULL,
                                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=quiet))
        return sessions[-1]

    def finished(what, session):
        try:
            out, err = session.communicate(timeout=120)
        except subprocess.TimeoutExpired:
            session.kill()
            out, err = session.communicate()
            failures.append(f"{what}: did not end")
        return subprocess.CompletedProcess(session.args, session.returncode, out, err)

    # The process id that hostsim's entry under root names; None when there is none.
    def entry_process(root, timeout=300):
        run = wine("reg", "query", root + CLASS_KEY, "/v", "hostsim process", timeout=timeout)
        found = re.search(rb"hostsim process\s+REG_DWORD\s+0x([0-9a-fA-F]+)", run.stdout)
        return int(found.group(1), 16) if found else None

    # A live session whose script is a named pipe: it runs the steps written so far, then waits for more, as a host
    # waits for its operator, until the pipe is closed. The test says when the session goes on and ends, however
    # long each Wine command takes on a busy machine.
    def start_session(name):
        fifo = work / f"{name}.fifo"
        os.mkfifo(fifo)
        writer = os.open(fifo, os.O_RDWR)  # open before hostsim opens it: its open never waits for a writer
        os.write(writer, b"own K1VU K\ntune 7012000\n")
        # A work folder of its own in the test's folder: a session killed midway leaves it behind.
        session = start_hostsim("--work", f"work-{name}", "script", fifo.name)
        writers[session] = writer
        return session

    def end_session(session):
        os.close(writers.pop(session))

    # The process id that the session's entry in HKLM names, once it is there; None when it never came. A Wine
    # command started while a session that started Wine's server waits for its next step has been seen to hang
    # (Wine 8): it is given up after a while and tried again, which then answers at once.
    def entry_of(session):
        deadline = time.monotonic() + 180
        while time.monotonic() < deadline and session.poll() is None:
            try:
                process = entry_process("HKLM", timeout=20)
            except subprocess.TimeoutExpired:
                continue
            if process is not None:
                return process
            time.sleep(0.2)
        return None

    def entry_left(root):
        return wine("reg", "query", root + CLASS_KEY).returncode == 0

    def expect(what, run, status, stderr=None):
        if run.returncode != status:
            failures.append(f"{what}: exit {run.returncode}, expected {status}; stderr:\n"
                            + run.stderr.decode(errors="replace"))
        if stderr is not None and run.stderr.decode(errors="replace") != stderr:
            failures.append(f"{what}: standard error\n{run.stderr.decode(errors='replace')!r}\nexpected\n{stderr!r}")

    # One Wine program kept running for the whole test keeps Wine's server up: each command then starts in a fraction
    # of a second instead of three (about 100 s for the test become about 15), and few meet a server just starting.
    keeper = subprocess.Popen([o.emulator, "cmd"], cwd=work, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, env=quiet)
    for _ in range(10):
        try:
            wine("reg", "query", "HKCU\\Software", timeout=20)
            break
        except subprocess.TimeoutExpired:
            continue
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
            expect(f"{root}: script of passes", hostsim("script", "passes.txt"), 0,
                   f"hostsim: {refusal}\n" + DELIVERED)
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
            if entry_left(root):
                failures.append(f"{root}: hostsim left its class entry behind")

        # The real host registers itself over hostsim's entry during a session: its entry stays as it wrote it.
        session = start_session("mid_session")
        if entry_of(session) is None:
            failures.append("mid-session: hostsim's entry never appeared")
        key = "HKLM" + CLASS_KEY
        wine("reg", "add", key + r"\CLSID", "/ve", "/d", FOREIGN_CLASS, "/f", check=True)
        wine("reg", "export", key, "before.reg", "/y", check=True)
        end_session(session)
        expect("mid-session: the session", finished("mid-session", session), 0,
               "hostsim: HKLM\\Software\\Classes\\Tarn2.Application no longer names this session's class: another "
               "program wrote it meanwhile; hostsim leaves it as it is\n")
        wine("reg", "export", key, "after.reg", "/y", check=True)
        if (work / "before.reg").read_bytes() != (work / "after.reg").read_bytes():
            failures.append("mid-session: the host's entry changed at the session's end")
        wine("reg", "delete", key, "/f", check=True)

        # A session killed midway (SIGKILL to its Wine process) leaves its entry. Moved to HKCU, where a session that
        # cannot write HKLM puts it, it would shadow the real host registered later in HKLM: the next session removes
        # it, names it, and then leaves the host's HKLM entry alone.
        def killed_session(name):
            session = start_session(name)
            process = entry_of(session)
            session.kill()
            session.communicate()
            end_session(session)
            if process is None:
                failures.append("killed session: hostsim's entry never appeared")
            elif entry_process("HKLM") != process:
                failures.append("killed session: no entry left behind to clean")
            return process

        process = killed_session("killed_hkcu")
        wine("reg", "export", key, "stale.reg", "/y", check=True)
        stale = (work / "stale.reg").read_text(encoding="utf-16")
        (work / "stale.reg").write_text(stale.replace("HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER"), encoding="utf-16")
        wine("reg", "delete", key, "/f", check=True)
        wine("reg", "import", "stale.reg", check=True)
        if entry_process("HKCU") != process:
            failures.append("killed session: its entry could not be moved to HKCU")
        wine("reg", "add", key + r"\CLSID", "/ve", "/d", FOREIGN_CLASS, "/f", check=True)
        wine("reg", "export", key, "before.reg", "/y", check=True)
        removed = ("hostsim: removed {}\\Software\\Classes\\Tarn2.Application, the class entry of hostsim process {}, "
                   "whose session ended without removing it\n")
        refusal = ("HKLM\\Software\\Classes\\Tarn2.Application is the host's own registration; hostsim leaves it as it "
                   "is and offers no automation object; the live steps are refused")
        expect("killed session, HKCU: next session", hostsim("script", "passes.txt"), 0,
               removed.format("HKCU", process) + f"hostsim: {refusal}\n" + DELIVERED)
        if entry_left("HKCU"):
            failures.append("killed session, HKCU: the stale entry is still there")
        wine("reg", "export", key, "after.reg", "/y", check=True)
        if (work / "before.reg").read_bytes() != (work / "after.reg").read_bytes():
            failures.append("killed session, HKCU: the host's HKLM entry changed")
        wine("reg", "delete", key, "/f", check=True)
        # Left in HKLM, it is removed the same way, and the new session offers its object.
        process = killed_session("killed_hklm")
        expect("killed session, HKLM: next session", hostsim("script", "live.txt"), 0, removed.format("HKLM", process))
        for root in ("HKLM", "HKCU"):
            if entry_left(root):
                failures.append(f"killed session, HKLM: {root} still holds a class entry")

        # A second live session while one runs: refused; the first one's entry and object stay its own.
        first = start_session("first")
        process = entry_of(first)
        other = (f"another hostsim live session (process {process}) has Tarn2.Application; this one offers no "
                 "automation object; the live steps are refused")
        expect("second session", hostsim("script", "live.txt"), 1, f"hostsim: {other}\nhostsim: live.txt:2: {other}\n")
        if entry_process("HKLM") != process:
            failures.append("second session: the first session's entry is gone or changed")
        end_session(first)
        expect("second session: the first one", finished("first session", first), 0, "")
        for root in ("HKLM", "HKCU"):
            if entry_left(root):
                failures.append(f"second session: {root} still holds a class entry")
    except Exception as e:  # a step that could not go on (a file a failed step did not write): said, and failed
        failures.append(f"stopped: {e!r}")
    finally:
        keeper.stdin.close()
        try:
            keeper.wait(timeout=30)
        except subprocess.TimeoutExpired:
            keeper.kill()
            keeper.wait()
        for writer in writers.values():
            os.close(writer)
        for session in sessions:  # none is left running when a step went wrong
            if session.poll() is None:
                session.kill()
                session.communicate()
        shutil.rmtree(work, ignore_errors=True)
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
