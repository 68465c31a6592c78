#!/usr/bin/env python3
"""CTest fixture of the Wine tests: `setup STATE_DIR` makes a fresh prefix (wineboot -i), the
zh_CN.UTF-8 locale and the browser-capture script; `cleanup STATE_DIR` ends the prefix's
wineserver."""
import sys

import winetest

if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("setup", "cleanup"):
        sys.exit("usage: wine_env.py setup|cleanup STATE_DIR")
    env = winetest.WineEnv(sys.argv[2])
    if sys.argv[1] == "setup":
        env.setup()
    else:
        env.cleanup()
