# The program starts, shows its splash, opens onto the main window with its menus, and ends from
# File > Exit, leaving its settings file behind.
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402

proc, app = e2e.start()
splash = e2e.find(app, name="v. 2002.5")
splash.click()
time.sleep(0.5)
e2e.find(app, role="push button", name="Prev")
for menu in ("File", "Edit", "Reports", "Utilities", "Help", "About"):
    e2e.find(app, role="menu item", name=menu)
e2e.find(app, role="table", name="SS")
e2e.find(app, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Exit").click()
e2e.stop(proc)
cfg = os.path.join(os.environ["XDG_DATA_HOME"], "qmar2002", "device.cfg")
if not os.path.exists(cfg):
    e2e.fail("no device.cfg after exit")
with open(cfg, "rb") as f:
    if f.read().count(b"\r\n") != 20:
        e2e.fail("device.cfg does not hold 20 lines")
print("1 passed, 0 failed")
