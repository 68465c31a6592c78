"""The checks every integration test script uses: a failed check raises Failure, which ends the
script with a non-zero exit; a passed one prints a line, so a run shows what it verified."""
import time


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)
    print("ok:", what, flush=True)


def wait_for(probe, what, timeout=10.0, interval=0.05):
    """Calls probe() until it returns something truthy, and returns that; fails after timeout."""
    end = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what)
        time.sleep(interval)


def expect(probe, what, timeout=10.0, interval=0.05):
    """A check of something that takes a moment: waits for probe() to hold, then reports it."""
    value = wait_for(probe, what, timeout, interval)
    print("ok:", what, flush=True)
    return value
