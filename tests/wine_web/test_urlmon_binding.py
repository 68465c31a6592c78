#!/usr/bin/env python3
"""A urlmon.dll beside zorvik.exe is the library the program binds for its user-agent call.

Each case runs a copy of zorvik.exe in a temporary folder with a test urlmon.dll beside it:
  - one that records the call (recording_urlmon.c): it must receive 0x10000001, the 135 bytes of
    the mobile user agent (zero-terminated), 135 and 0;
  - one without the UrlMkSetSessionOption export: the program must show the "错误" box with the
    binding message, and end with 255 once the box is dismissed.

Wine loads a DLL that it also ships as a builtin from its own copy, even when asked for by full
path, and the browser control has loaded the builtin urlmon.dll before the program binds its
command. "urlmon=n,b" in WINEDLLOVERRIDES gives Windows' behaviour back: a full path loads that
file, while the browser's own import still finds Wine's urlmon.dll in the system folder.

Usage: test_urlmon_binding.py --state DIR --exe zorvik.exe --probe web_probe.exe --artifacts DIR
(the two test DLLs are looked for beside web_probe.exe, in recording_urlmon/ and no_export_urlmon/)"""
import os
import shutil
import tempfile

import webtest
from webtest import winetest
from winetest import check

LOAD_FROM_PATH = {"WINEDLLOVERRIDES": "urlmon=n,b"}
ERROR_TITLE = "错误"
BIND_FAILED = ("运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“urlmon.dll”中的输出命令"
               "“UrlMkSetSessionOption”\r\n")


def test_dll(variant):
    return os.path.join(os.path.dirname(winetest.PROBE), variant, "urlmon.dll")


def program_beside(case, variant, folder):
    """Copies zorvik.exe and the test DLL `variant` into `folder`; returns the exe's path."""
    exe = os.path.join(folder, "zorvik.exe")
    shutil.copy(case.exe, exe)
    shutil.copy(test_dll(variant), os.path.join(folder, "urlmon.dll"))
    return exe


def unescape(text):
    return text.replace("\\r", "\r").replace("\\n", "\n").replace("\\\\", "\\")


def dll_beside_program_receives_the_call(case):
    with tempfile.TemporaryDirectory() as folder, webtest.ProxyLog() as proxy, \
            winetest.Display() as display:
        exe = program_beside(case, "recording_urlmon", folder)
        record = os.path.join(folder, "urlmon-call.txt")
        program = winetest.Program(case.wine_env, display, exe,
                                   extra_env=dict(LOAD_FROM_PATH, http_proxy=proxy.url))
        try:
            winetest.wait_for(lambda: os.path.isfile(record) and os.path.getsize(record) > 0,
                              "the test urlmon.dll to record its call", timeout=30)
            # The DLL writes in two steps; the main window shows only after the call has returned.
            winetest.wait_for(lambda: display.search(name=webtest.TITLE), "the main window")
            with open(record, "rb") as f:
                header, _, text = f.read().partition(b"\n")
            check(header == b"option=0x10000001 length=135 reserved=0 terminated=1",
                  "the call got 0x10000001, length 135, 0, a zero-terminated text (%s)" %
                  header.decode())
            check(text == webtest.MOBILE_USER_AGENT,
                  "the call got the 135 bytes of the mobile user agent (%r)" % text)
            webtest.close_with_escape(display)
            code = program.exit_code()
            check(code == 0, "the program ends with 0 after Esc (got %s)" % code)
        finally:
            program.stop()


def dll_without_export_gives_the_fatal_report(case):
    with tempfile.TemporaryDirectory() as folder, webtest.ProxyLog() as proxy, \
            winetest.Display() as display:
        exe = program_beside(case, "no_export_urlmon", folder)
        program = winetest.Program(case.wine_env, display, exe,
                                   extra_env=dict(LOAD_FROM_PATH, http_proxy=proxy.url))
        try:
            # The probe starts only once the program is up: a second Wine process started at the
            # same moment as the first one of a prefix could hang on start-up here.
            windows = winetest.wait_for(lambda: display.search(name=ERROR_TITLE),
                                        "a box titled %s on the display" % ERROR_TITLE, timeout=30)
            code, box = webtest.probe_values(program, "box", ERROR_TITLE, "5")
            check(code == 0, "the box titled %s is a message box of the program" % ERROR_TITLE)
            text = unescape(box["text"])
            check(text == BIND_FAILED, "its text is the binding report, exactly (%r)" % text)
            display.screenshot(os.path.join(case.artifacts, "urlmon-without-export.png"))
            check(program.running(), "the program waits while the box is open")
            check(not display.search(name=webtest.TITLE), "the main window was never shown")
            # The box closes on the key-down; xdotool's key-up may then hit a window that is gone.
            display.run("xdotool", "key", "--window", str(windows[0]), "Return", check_rc=False)
            code = program.exit_code()
            check(code == 255, "dismissing the box ends the program with 255 (got %s)" % code)
            check(not proxy.requests, "no request left the program (%d)" % len(proxy.requests))
        finally:
            program.stop()


if __name__ == "__main__":
    winetest.main([
        ("a urlmon.dll beside the program receives the user-agent call",
         dll_beside_program_receives_the_call),
        ("a urlmon.dll without the export gives the fatal report",
         dll_without_export_gives_the_fatal_report),
    ])
