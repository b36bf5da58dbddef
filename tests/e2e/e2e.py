# Shared helpers of the end-to-end tests: start the program, find its windows and controls by name.
import os
import subprocess
import sys
import time

os.environ.setdefault("GTK_MODULES", "")
from dogtail import config  # noqa: E402

config.searchShowingOnly = False
config.defaultDelay = 0.2
config.searchCutoffCount = 20
config.logDebugToFile = False
config.logDebugToStdOut = False
from dogtail import tree  # noqa: E402


def start(timeout=20):
    proc = subprocess.Popen([os.environ["QMAR_PROGRAM"]])
    deadline = time.time() + timeout
    while time.time() < deadline:
        for app in tree.root.applications():
            if app.name in ("qmar2002", "Quillmare 2002"):
                return proc, app
        time.sleep(0.3)
    proc.kill()
    fail("the program did not appear on the accessibility bus")


def find(node, role=None, name=None, timeout=10):
    deadline = time.time() + timeout
    while time.time() < deadline:
        found = node.findChildren(lambda n: (role is None or n.roleName == role) and (name is None or n.name == name))
        if found:
            return found[0]
        time.sleep(0.3)
    fail(f"no {role or 'node'} named {name!r}")


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def stop(proc):
    try:
        proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        proc.kill()
        fail("the program did not end")
