#!/usr/bin/env python3
"""The Windows build under Wine asks for the home site first, with the mobile user agent.

The program hands the bare host name to the WebBrowser control; Wine's control sends the request
to http_proxy, a 127.0.0.1 server here, so nothing leaves the machine and the request is seen on
the wire exactly as sent. Also checked while the page is up: the control's own window (id 0xE900)
fills the browser host and holds the component's window; Esc then ends the program with 0, which
runs the control's release and destruction.

Usage: test_home_request.py --state DIR --exe zorvik.exe --probe web_probe.exe --artifacts DIR"""
import os
import urllib.parse

import webtest
from webtest import winetest
from winetest import check

WS_CHILD, WS_VISIBLE = 0x40000000, 0x10000000


def home_request_carries_mobile_user_agent(case):
    with webtest.ProxyLog() as proxy, winetest.Display() as display:
        program = winetest.Program(case.wine_env, display, case.exe,
                                   extra_env={"http_proxy": proxy.url})
        try:
            winetest.wait_for(lambda: proxy.requests, "the first request", timeout=30)
            method, target, host, agent = proxy.requests[0]
            address = urllib.parse.urlsplit(target)
            check(method == "GET", "the first request is a GET (%s)" % method)
            check(address.scheme == "http" and address.hostname == webtest.HOME_SITE and
                  address.path in ("", "/"),
                  "the first request asks for http://%s/ (%s)" % (webtest.HOME_SITE, target))
            check(host == webtest.HOME_SITE, "Host is %s (%s)" % (webtest.HOME_SITE, host))
            check(agent == webtest.MOBILE_USER_AGENT,
                  "User-Agent is the 135-byte mobile one, exactly (%r)" % agent)

            code, control = webtest.probe_values(program, "control")
            check(code == 0, "the browser host holds a window with id 0xE900")
            style = int(control["control_style"], 16)
            check(style & (WS_CHILD | WS_VISIBLE) == WS_CHILD | WS_VISIBLE,
                  "the control's window is a visible child (style %#x)" % style)
            check(control["control_rect"] == control["host_client"],
                  "the control's window fills the host's client area (%s, host %s)" %
                  (control["control_rect"], control["host_client"]))
            check(control["embedded"] == "1" and control["embedded_rect"] == control["host_client"],
                  "the component's window fills the control's window (%s)" %
                  control["embedded_rect"])
            display.screenshot(os.path.join(case.artifacts, "home-request.png"))

            webtest.close_with_escape(display)
            code = program.exit_code()
            check(code == 0, "Esc ends the program with 0 (got %s)" % code)
        finally:
            program.stop()


if __name__ == "__main__":
    winetest.main([("home request carries the mobile user agent",
                    home_request_carries_mobile_user_agent)])
