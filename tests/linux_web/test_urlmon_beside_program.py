#!/usr/bin/env python3
"""A urlmon.dll placed beside the program is the one bound, as on Windows: a library that records
its calls gets the user-agent option with the 135 bytes of the mobile user agent (and, installing
nothing, leaves the page requests with WebKit's own user agent); a library without the export
ends the program with the "错误" report and exit code 255, before any page is requested.

Usage: test_urlmon_beside_program.py <zorvik binary> <recording urlmon.dll> <urlmon.dll without
the export>"""

import os
import shutil
import subprocess
import sys

import web_session as ws

EXPECTED_CALL = (f"option=0x10000001 length={len(ws.MOBILE_USER_AGENT)} reserved=0 "
                 f"text={ws.MOBILE_USER_AGENT}")


def install(session, program, library):
    """The program and a urlmon.dll in a folder of their own."""
    folder = os.path.join(session.dir, "program")
    os.makedirs(folder)
    shutil.copy2(program, os.path.join(folder, "zorvik"))
    shutil.copy2(library, os.path.join(folder, "urlmon.dll"))
    return os.path.join(folder, "zorvik")


def recording_library(program, library):
    failures = []
    session = ws.Session("urlmon-recording")
    try:
        log = os.path.join(session.dir, "urlmon-calls.log")
        process = session.start([install(session, program, library)],
                                {"ZORVIK_TEST_URLMON_LOG": log})
        first = session.proxy.wait_for(ws.is_home_request, 20)
        if first is None:
            return [f"no request for the home site\n{session.program_log()}"]
        calls = open(log).read().splitlines() if os.path.exists(log) else []
        if calls != [EXPECTED_CALL]:
            failures.append(f"the placed urlmon.dll was called with {calls}")
        if first["user_agent"] == ws.MOBILE_USER_AGENT:
            failures.append("the mobile user agent was installed: the built-in module was bound")
        if process.poll() is not None:
            failures.append(f"the client ended early with {process.returncode}")
    finally:
        session.close()
    return failures


def library_without_export(program, library):
    failures = []
    session = ws.Session("urlmon-no-export")
    try:
        process = session.start([install(session, program, library)])
        found = ws.wait_until(lambda: session.x("xdotool", "search", "--onlyvisible", "--name",
                                                "^错误$", check=False).split(), 20)
        if not found:
            return [f"no \"错误\" report appeared\n{session.program_log()}"]
        session.x("xdotool", "windowfocus", "--sync", found[0], "key", "Return")
        try:
            code = process.wait(timeout=10)
            if code != 255:
                failures.append(f"exit code {code}, not 255")
        except subprocess.TimeoutExpired:
            failures.append("the program did not end after the report was dismissed")
        if session.proxy.snapshot():
            failures.append(f"requests were made: {session.proxy.snapshot()}")
    finally:
        session.close()
    return failures


def main():
    program, recording, without_export = sys.argv[1:4]
    failures = []
    for name, case, library in (("recording urlmon.dll", recording_library, recording),
                                ("urlmon.dll without the export", library_without_export,
                                 without_export)):
        failures += [f"{name}: {failure}" for failure in case(program, library)]
    if failures:
        print("\n".join(failures))
        return 1
    print("ok: the urlmon.dll beside the program was bound in both cases")
    return 0


if __name__ == "__main__":
    sys.exit(main())
