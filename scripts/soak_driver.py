"""The user of scripts/soak: random but valid actions on Zerin for a given time.

Menu commands are chosen from the menus the program shows (the command table's rows),
clicks, drags, double clicks and keys land in the view, names are typed into the
properties page, simulation is entered and left, steps and automatic runs are started
and stopped, the example files are opened. Dialogs that come up are closed with Esc.
It fails when the program ends, when a sanitizer reports, or when the program does not
answer for 5 seconds; the seed it prints replays the same actions."""

import os
import random
import signal
import subprocess
import sys
import time

import pyatspi

pyatspi.Registry.getDesktop(0)

ZERIN, WORK, MINUTES, SEED = sys.argv[1], sys.argv[2], float(sys.argv[3]), int(sys.argv[4])
rng = random.Random(SEED)
# Commands that would end the run or wait on a printer or a file dialog of their own.
AVOID = {"Exit", "Print...\tCtrl+P", "Print Preview", "Print Setup...", "Open...\tCtrl+O",
         "Save As...", "Save\tCtrl+S"}


class Hang(Exception):
    pass


def on_alarm(signum, frame):
    raise Hang()


signal.signal(signal.SIGALRM, on_alarm)


def answering(app):
    """The program answers a question on the accessibility bus within 5 s."""
    signal.alarm(5)
    try:
        return app.childCount >= 0
    finally:
        signal.alarm(0)


def walk(node, depth=0):
    if node is None or depth > 30:
        return
    yield node
    for i in range(node.childCount):
        try:
            yield from walk(node.getChildAtIndex(i), depth + 1)
        except Exception:
            pass


def the_app():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and (app.name or "").lower().startswith("zerin"):
            return app
    return None


def main_frame(app):
    for node in app:
        if node.getRoleName() == "frame" and (node.name or "").endswith(" - Zerin"):
            return node
    return None


def view_extents(frame):
    for area in frame:
        if area.getRoleName() == "filler" and area.childCount > 0:
            e = area.getChildAtIndex(0).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            if e.width > 50 and e.height > 50:
                return e
    return None


def xdo(*args):
    subprocess.run(["xdotool", *map(str, args)], check=False)


def close_dialogs(app):
    for node in app:
        if node.getRoleName() in ("dialog", "alert") or (
                node.getRoleName() == "frame" and node.getState().contains(pyatspi.STATE_MODAL)):
            xdo("key", "Escape")


def menu_items(frame):
    items = []
    for node in walk(frame):
        try:
            if node.getRoleName() == "menu item" and node.name and node.name not in AVOID and \
                    node.getState().contains(pyatspi.STATE_ENABLED) and \
                    node.parent.getRoleName() == "popup menu":
                items.append(node)
        except Exception:
            pass
    return items


def act(app, frame, view):
    kind = rng.choice(["menu", "menu", "click", "drag", "double", "key", "type", "run",
                       "open", "sim"])
    x = view.x + rng.randrange(max(1, view.width))
    y = view.y + rng.randrange(max(1, view.height))
    if kind == "menu":
        items = menu_items(frame)
        if items:
            item = rng.choice(items)
            print("menu", repr(item.name), flush=True)
            try:
                item.queryAction().doAction(0)
            except Exception:
                pass
    elif kind == "click":
        xdo("mousemove", x, y, "click", "1")
    elif kind == "drag":
        xdo("mousemove", x, y, "mousedown", "1")
        xdo("mousemove", x + rng.randrange(-80, 80), y + rng.randrange(-80, 80))
        xdo("mouseup", "1")
    elif kind == "double":
        xdo("mousemove", x, y, "click", "--repeat", "2", "1")
    elif kind == "key":
        xdo("key", rng.choice(["Delete", "Escape", "Left", "Right", "Up", "Down", "ctrl+n"]))
    elif kind == "type":
        xdo("type", rng.choice(["b9", "x y", "čaj", "a&b<c>"]))
    elif kind == "run":
        for node in walk(app):
            if node.getRoleName() == "push button" and node.name in (
                    "Start automatic run", "Stop", "Execute step", "Reset") and \
                    node.getState().contains(pyatspi.STATE_SHOWING) and rng.random() < 0.5:
                e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                xdo("mousemove", e.x + e.width // 2, e.y + e.height // 2, "click", "1")
                break
    elif kind == "open":
        # A new program on an example file, after the old one is asked to end.
        return rng.choice(["philosophers.zrn", "producer-consumer.zrn", "mutex.zrn"])
    elif kind == "sim":
        for node in walk(frame):
            if node.getRoleName() == "push button" and node.name in (
                    "Enter Simulation Mode", "Leave Simulation Mode") and \
                    node.getState().contains(pyatspi.STATE_ENABLED):
                e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                xdo("mousemove", e.x + e.width // 2, e.y + e.height // 2, "click", "1")
                break
    return None


def start(document):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=os.path.join(WORK, "config"))
    return subprocess.Popen([ZERIN, os.path.join(WORK, document)], env=env,
                            stdout=subprocess.DEVNULL, stderr=open(os.path.join(WORK, "stderr"), "a"))


def sanitizer_report():
    reports = [f for f in os.listdir(WORK) if f.startswith("asan")]
    text = open(os.path.join(WORK, "stderr")).read() if os.path.exists(
        os.path.join(WORK, "stderr")) else ""
    return reports or ("runtime error" in text or "AddressSanitizer" in text)


print("soak seed %d for %.1f minutes" % (SEED, MINUTES), flush=True)
program = start("philosophers.zrn")
end = time.time() + MINUTES * 60
actions = 0
failure = None
try:
    time.sleep(4)
    while time.time() < end:
        if program.poll() is not None:
            failure = "the program ended (status %d)" % program.returncode
            break
        if sanitizer_report():
            failure = "a sanitizer reported (see %s)" % WORK
            break
        app = the_app()
        frame = main_frame(app) if app else None
        if not frame or not answering(app):
            time.sleep(1)
            continue
        close_dialogs(app)
        view = view_extents(frame)
        if view is None:
            time.sleep(0.5)
            continue
        document = act(app, frame, view)
        actions += 1
        if document:
            program.terminate()
            program.wait(timeout=10)
            program = start(document)
            time.sleep(3)
        time.sleep(rng.uniform(0.05, 0.3))
except Hang:
    failure = "the program did not answer for 5 seconds"
finally:
    if program.poll() is None:
        program.kill()
print("%d actions; %s" % (actions, failure or "no failure"), flush=True)
sys.exit(1 if failure else 0)
