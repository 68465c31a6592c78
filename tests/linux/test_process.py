#!/usr/bin/env python3
"""Process services of the Linux client:
- the program's own directory becomes the current directory also when that directory's name
  holds double-byte characters whose second byte in code page 936 is the backslash byte;
- a fatal error shows a modal dialog titled "错误", the program waits for it, and ends with
  255 (0xFFFFFFFF) once it is dismissed. The fatal error is a real one: a urlmon.dll beside the
  program that lacks UrlMkSetSessionOption.

usage: test_process.py ZORVIK_BINARY ARTIFACT_DIR"""

import os
import re
import shutil
import subprocess
import time

from harness import Session, Window, check, expect, run_test, wait_for

# "誠" is D5 5C in code page 936: its second byte is the backslash.
TRAIL_BACKSLASH_DIR = "程序誠目录"


def copy_program(binary, directory):
    os.makedirs(directory)
    target = os.path.join(directory, "zorvik")
    shutil.copy2(binary, target)
    return target


def a_shared_object_without_the_export(binary):
    """A real shared object the client links anyway (the C maths library)."""
    out = subprocess.run(["ldd", binary], capture_output=True, text=True, check=True).stdout
    return re.search(r"libm\.so\.6 => (\S+)", out).group(1)


def main(args):
    binary, artifacts = args[0], args[1]
    with Session(binary, (1024, 768), False, artifacts) as session:
        directory = os.path.join(session.root, TRAIL_BACKSLASH_DIR)
        program = session.start_program_at(copy_program(binary, directory))
        window = session.main_window(program)
        cwd = os.readlink(f"/proc/{program.process.pid}/cwd")
        check(cwd == directory, f"the current directory is the program's own ({cwd})")
        session.key(window, "Escape")
        check(program.exit_code(10) == 0, "Esc ends it with 0")

        directory = os.path.join(session.root, "broken")
        copied = copy_program(binary, directory)
        shutil.copy(a_shared_object_without_the_export(binary),
                    os.path.join(directory, "urlmon.dll"))
        program = session.start_program_at(copied)

        def error_box():
            for wid in session.x("xdotool", "search", "--onlyvisible", "--name", "^错误$",
                                 check=False).split():
                return Window(session, wid)
            return None
        box = expect(error_box, "a box titled \"错误\" reports the fatal error", 10)
        check("_NET_WM_WINDOW_TYPE_DIALOG" in box.prop("_NET_WM_WINDOW_TYPE"),
              "it is a dialog")
        check("_NET_WM_STATE_MODAL" in box.prop("_NET_WM_STATE"), "it is modal")
        time.sleep(0.5)
        path, _ = session.screenshot("fatal_report")
        print("screenshot:", path, flush=True)
        check(program.alive(), "the program waits until the box is dismissed")
        session.key(box, "Return")
        code = program.exit_code(10)
        check(code == 255, f"after OK the program ends with 255 (got {code})")
        wait_for(lambda: error_box() is None, "the box to go", 5)


if __name__ == "__main__":
    run_test(main)
