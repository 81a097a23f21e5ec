"""The checks of scripts/real-window-check, run on the display it prepared.

The program is found and read through the accessibility bus; clicks and keys are real
X events sent with xdotool, so that the window manager sees what a user does."""

import contextlib
import os
import re
import signal
import subprocess
import sys
import time

import pyatspi

# The accessibility bus is up before the program asks for it.
pyatspi.Registry.getDesktop(0)

ZERIN, WORK = sys.argv[1], sys.argv[2]
failures = []


# When the probe began (0 without one): what the checks print is timed from then.
PROBED = [0.0]


def check(condition, text):
    at = " [%.1f s]" % (time.time() - PROBED[0]) if PROBED[0] else ""
    print(("ok     " if condition else "FAILED ") + text + at, flush=True)
    if not condition:
        failures.append(text)


def note(text):
    """What the check does next, timed as the probe's waits are."""
    print("       [%.1f s] %s" % (time.time() - PROBED[0], text), flush=True)


def dark_config():
    """A configuration folder whose qt6ct gives the desktop a dark palette."""
    folder = os.path.join(WORK, "dark")
    os.makedirs(os.path.join(folder, "qt6ct"), exist_ok=True)
    with open(os.path.join(folder, "qt6ct", "qt6ct.conf"), "w") as f:
        f.write("[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\n"
                "custom_palette=true\nicon_theme=hicolor\nstyle=Fusion\n")
    return folder


def start(document=None, scale=None, dark=False):
    """The program, on the document of the work folder or on none."""
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=os.path.join(WORK, "config"))
    if scale:
        env["QT_SCALE_FACTOR"] = str(scale)
    if dark:
        env["XDG_CONFIG_HOME"] = dark_config()
        env["QT_QPA_PLATFORMTHEME"] = "qt6ct"
    arguments = [os.path.join(WORK, document)] if document else []
    return subprocess.Popen([ZERIN] + arguments, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    # The rows of a long list (a legend of millions of names) hold no control.
    if node.childCount > 5000:
        return
    for i in range(node.childCount):
        try:
            yield from walk(node.getChildAtIndex(i), depth + 1)
        except Exception:
            pass


def zerin_apps():
    """The programs on the accessibility bus that are Zerin; one that ended meanwhile is
    passed over."""
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and "zerin" in (app.name or "").lower():
                yield app
        except Exception:
            pass


def find_where(match, timeout):
    """The first node of the program that matches, waiting for it."""
    end = time.time() + timeout
    while True:
        for app in zerin_apps():
            for node in walk(app):
                try:
                    if match(node):
                        return node
                except Exception:
                    pass
        if time.time() >= end:
            return None
        time.sleep(0.2)


def find(role, name, timeout=15.0, showing=True):
    """The first node of the role and name in the program, showing unless told, waiting
    for it."""
    return find_where(lambda node: node.getRoleName() == role and node.name == name and (
        not showing or node.getState().contains(pyatspi.STATE_SHOWING)), timeout)


def extents(node):
    return node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


def click_at(x, y):
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)


def click(node, scale=1.0):
    # A scaled program reports its places in its own units, not in the screen's pixels.
    e = extents(node)
    click_at(int((e.x + e.width / 2) * scale), int((e.y + e.height / 2) * scale))


def window_of(title_part):
    """The largest window whose title holds the text."""
    found = subprocess.run(["xdotool", "search", "--name", title_part], capture_output=True,
                           text=True).stdout.split()
    sized = [(geometry(w)[2] * geometry(w)[3], w) for w in found]
    return max(sized)[1] if sized else None


def geometry(window):
    out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], capture_output=True,
                         text=True).stdout
    values = dict(line.split("=", 1) for line in out.split() if "=" in line)
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


@contextlib.contextmanager
def running(document=None, scale=None, dark=False):
    """The program on the document, ended however the check ends."""
    program = start(document, scale, dark)
    try:
        yield program
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()


def press(name, role="push button", timeout=15.0):
    """Clicks the control of the role and name, waiting for it."""
    click(find(role, name, timeout))


def bench_net(document):
    """Whether the benchmarks' net is there; says so when it is not."""
    if os.path.exists(os.path.join(WORK, document)):
        return True
    print("skipped %s (no make-bench-nets in this build)" % document, flush=True)
    return False


def show_case_graph(leave=False, timeout=120):
    """Enters the simulation, shows the case graph (on a large net once its computation
    ended) and, asked to, leaves the simulation with the graph shown. The time from the
    click on Show Case Graph to the painted view."""
    press("Enter Simulation Mode")
    show = find("check box", "Show Case Graph", timeout=60)
    end = time.time() + timeout
    while time.time() < end and not show.getState().contains(pyatspi.STATE_ENABLED):
        time.sleep(0.1)
    started = time.time()
    click(show)
    find("filler", "Case Graph", timeout=60)
    took = time.time() - started
    time.sleep(0.5)
    if leave:
        press("Leave Simulation Mode")
        time.sleep(0.5)
    return took


def go_to_case(name, settle=4.0):
    key("ctrl+g")
    time.sleep(1.0)
    subprocess.run(["xdotool", "type", name], check=True)
    key("Return")
    time.sleep(settle)


def showing(title):
    """The windows on the screen whose title matches (a regular expression), as the
    window manager sees them: a busy program answers the accessibility bus late."""
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                          capture_output=True, text=True).stdout.split()


def wait(condition, limit):
    """The seconds until the condition held, or the limit."""
    started = time.time()
    while time.time() - started < limit and not condition():
        time.sleep(0.02)
    return time.time() - started


def quitting_during_a_run():
    with running("philosophers.zrn") as program:
        enter = find("push button", "Enter Simulation Mode")
        check(enter is not None, "the button Enter Simulation Mode is there")
        click(enter)
        run = find("push button", "Start automatic run")
        check(run is not None, "the simulation page shows its start button")
        click(run)
        time.sleep(1.0)
        # Closed as a user closes it: the window manager's Alt+F4.
        window = window_of("philosophers")
        subprocess.run(["xdotool", "windowactivate", "--sync", window], check=False)
        subprocess.run(["xdotool", "key", "alt+F4"], check=True)
        no = find("push button", "No", timeout=10)
        check(no is not None, "closing asks whether to save the changes")
        if no is None:
            return
        # The box's "No" by its key, as a user of the keyboard answers.
        subprocess.run(["xdotool", "key", "alt+n"], check=True)
        answered = time.time()
        try:
            program.wait(timeout=5)
        except subprocess.TimeoutExpired:
            pass
        took = time.time() - answered
        check(program.poll() is not None and took < 1.0,
              "the process ends %.2f s after the answer (at most 1 s)" % took)


def pages_float_inside_the_window():
    with running("philosophers.zrn"):
        frame = find("frame", "philosophers - Zerin")
        view = None
        if frame is not None:
            # The view is the frame's area below the bars, its viewport inside it.
            for area in frame:
                if area.getRoleName() == "filler" and area.childCount > 0:
                    view = area.getChildAtIndex(0)
        main = window_of("philosophers")
        check(view is not None and main is not None, "the main window and its view are there")
        v = extents(view)
        # think_0 lies at (200, 80) of the net design.
        click_at(v.x + 200 + 2, v.y + 80 + 2)
        time.sleep(1.0)
        page = window_of("Properties - Condition")
        check(page is not None, "a click on a condition shows its properties page")
        if page is None:
            return
        px, py, pw, ph = geometry(page)
        mx, my, mw, mh = geometry(main)
        check(mx <= px and px + pw <= mx + mw and my <= py and py + ph <= my + mh,
              "the page (%d, %d, %d x %d) lies inside the window (%d, %d, %d x %d)"
              % (px, py, pw, ph, mx, my, mw, mh))
        check(py >= v.y, "the page lies below the menu bar and the toolbars")
        combo = find("combo box", "Yes", timeout=5)
        if combo is not None:
            click(combo)
            time.sleep(0.5)
            listed = find("list", "", timeout=3)
            check(listed is not None, "a drop-down list of the page opens")
            if listed is not None:
                c, l = extents(combo), extents(listed)
                check(abs(l.x - c.x) < 20 and abs(l.y - c.y) < 60,
                      "the list opens at its box (%d, %d), not elsewhere (%d, %d)"
                      % (c.x, c.y, l.x, l.y))
            subprocess.run(["xdotool", "key", "Escape"], check=False)


def screenshot(path, scale, dark=False):
    """The main window in simulation mode with the producer and consumer, at the scale."""
    with running("producer-consumer.zrn", scale, dark):
        enter = find("push button", "Enter Simulation Mode")
        click(enter, scale)
        subprocess.run(["xdotool", "mousemove", "0", "0"], check=True)
        time.sleep(2.0)
        # The whole screen, so that the page floating over the window shows.
        subprocess.run(["import", "-window", "root", path], check=True)
        print("wrote " + path, flush=True)


def menu_command(menu, item):
    """Chooses the item of the menu bar's menu with the mouse."""
    click(find("menu item", menu))
    click(find("menu item", item))


def shot(path, window=None):
    """A window alone, or the whole screen so that windows over the main window (a
    tip) show too."""
    subprocess.run(["import", "-window", window_of(window) if window else "root", path],
                   check=True)
    print("wrote " + path, flush=True)


def case_graph_screenshots(folder):
    """The smoothing dialog during a search, then the smoothed case graph in simulation
    with the reachable cases coloured and a case's title tip showing."""
    with running("producer-consumer.zrn"):
        show_case_graph(leave=True)
        menu_command("Case Graph", "Smooth Case Graph")
        press("Start")
        time.sleep(1.5)
        shot(os.path.join(folder, "smooth-dialog.png"), "Smooth Case Graph")
        press("Stop")
        press("OK")
        time.sleep(0.5)
        show_case_graph()
        menu_command("Case Graph", "Highlight Reachable Cases")
        time.sleep(0.5)
        # Over the grid points of the page until a case's tip shows.
        view = extents(find("filler", "Case Graph"))
        found = False
        for j in range(1, 12):
            for i in range(1, 12):
                x, y = view.x + 60 * i + 2, view.y + 60 * j + 2
                if x > view.x + view.width - 20 or y > view.y + view.height - 20:
                    continue
                subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True)
                time.sleep(0.25)
                if any_tip():
                    found = True
                    break
            if found:
                break
        check(found, "a case shows its conditions in a title tip")
        time.sleep(0.5)
        shot(os.path.join(folder, "case-graph.png"))


def large_case_graph_opens_on_its_overview(folder=None):
    """18 philosophers (5,778 cases, 3,309,688 steps): "Show Case Graph" paints the
    overview within a second of the click; with a folder, the overview's picture."""
    if not bench_net("phil18.zrn"):
        return
    with running("phil18.zrn"):
        took = show_case_graph()
        check(took <= 1.0, "Show Case Graph on 18 philosophers paints its overview in %.2f s "
              "(at most 1 s)" % took)
        if folder:
            time.sleep(0.5)
            shot(os.path.join(folder, "case-graph-overview.png"), "Zerin")
        whole_graph_shows_its_progress(folder)


def whole_graph_shows_its_progress(folder=None):
    """On the overview of 18 philosophers, "Show Whole Graph" shows its progress with
    Cancel within 0.3 s, or has ended before any progress was due; Escape (Cancel) leaves
    the overview at once; asked again, the graph comes. With a folder, the screen while
    it is laid out."""
    title = "Show Whole Graph"
    if not answers_at_once(title, lambda: menu_command("Case Graph", title), 0.3, cancel=True):
        return
    menu_command("Case Graph", title)
    started = time.time()
    wait(lambda: showing(title), 1)
    if folder:
        time.sleep(0.4)
        shot(os.path.join(folder, "show-whole-graph-progress.png"))
    wait(lambda: not showing(title), 120)
    print("       the whole graph of 18 philosophers took %.1f s" % (time.time() - started),
          flush=True)


@contextlib.contextmanager
def probed(limit=0.5):
    """Asks the program over the accessibility bus all along, from a process of its own,
    and checks at the end that no answer was later than the limit."""
    report = os.path.join(WORK, "probe.txt")
    if os.path.exists(report):
        os.remove(report)
    probe = subprocess.Popen([sys.executable, __file__, ZERIN, WORK, "--probe", report])
    wait(lambda: os.path.exists(report + ".ready"), 20)
    PROBED[0] = time.time()
    try:
        yield
    finally:
        probe.send_signal(signal.SIGTERM)
        probe.wait(timeout=60)
        longest, what = 99.0, "no answer at all"
        if os.path.exists(report):
            with open(report) as f:
                first, late = f.readline(), f.read()
            fields = first.split(maxsplit=1)
            longest, what = float(fields[0]), fields[1].strip() if len(fields) > 1 else ""
            print(late, end="", flush=True)
        check(longest <= limit, "the window answered the accessibility bus within %.2f s all "
              "along (at most %.1f s; the longest wait %s)" % (longest, limit, what))


def probe(report):
    """Run as a process of its own by probed(): asks the program's window for its place
    every 50 ms until ended, then writes the longest wait for an answer."""
    ended = []
    signal.signal(signal.SIGTERM, lambda *_: ended.append(True))
    frame = find_where(lambda node: node.getRoleName() == "frame", 20)
    open(report + ".ready", "w").close()
    longest, when, began = 0.0, 0.0, time.time()
    # Every wait past a quarter of a second, to set beside what the check did then.
    late = []
    while frame is not None and not ended:
        asked = time.time()
        try:
            extents(frame)
        except Exception:
            pass
        took = time.time() - asked
        if took > longest:
            longest, when = took, asked - began
        if took > 0.25:
            late.append("       the window answered after %.2f s, asked at %.1f s\n"
                        % (took, asked - began))
        time.sleep(0.05)
    with open(report, "w") as f:
        f.write("%.3f %.1f s after the start\n" % (longest, when))
        f.writelines(late)


def answers_at_once(title, command, limit=1.0, cancel=False):
    """Runs the command; the time until a window of the title (its progress, its dialog, a
    refusal) shows, checked against the limit, or the command's end where it ended before
    any progress was due. With cancel, Escape on the progress, checked within 0.2 s."""
    started = time.time()
    command()
    seen = wait(lambda: showing(title), limit + 2)
    shown = bool(showing(title))
    check(shown and seen <= limit or not shown,
          "%s: %s after %.2f s (at most %.1f s)"
          % (title, "shown" if shown else "done, nothing showing", time.time() - started, limit))
    if cancel and shown:
        # Its Cancel clicked, as a user does: a key goes where the window manager left
        # the keyboard.
        button = find("push button", "Cancel", timeout=2)
        if button is not None:
            click(button)
        else:
            key("Escape")
        gone = wait(lambda: not showing(title), 0.2)
        folder = os.environ.get("ZERIN_CHECK_DIAGNOSE")
        if gone >= 0.2 and folder:
            # Where the work is at when Cancel is late: the screen and every thread's
            # backtrace, into the folder named.
            shot(os.path.join(folder, "late-cancel.png"))
            pid = subprocess.run(["pgrep", "-P", str(os.getpid()), "-x", "zerin"],
                                 capture_output=True, text=True).stdout.split()[0]
            with open(os.path.join(folder, "late-cancel.txt"), "w") as f:
                subprocess.run(["gdb", "-p", pid, "-batch", "-ex", "thread apply all bt 25"],
                               stdout=f, stderr=subprocess.DEVNULL)
        gone += wait(lambda: not showing(title), 10)
        check(gone <= 0.2, "%s: Cancel answers after %.2f s (at most 0.2 s)" % (title, gone))
    return shown


def smoothing_answers():
    """Smooth Case Graph opens within a second; Start shows the search under way (or the
    dialog said before why it cannot serve the graph), Stop and Cancel answer at once."""
    smooth = "Smooth Case Graph"
    if not answers_at_once(smooth, lambda: menu_command("Case Graph", smooth)):
        return
    start_button = find("push button", "Start", timeout=5)
    if start_button.getState().contains(pyatspi.STATE_ENABLED):
        click(start_button)
        stop = find("push button", "Stop", timeout=5)
        enabled = wait(lambda: stop.getState().contains(pyatspi.STATE_ENABLED), 5)
        check(enabled <= 1.0, "Start shows the search under way after %.2f s" % enabled)
        click(stop)
        stopped = wait(lambda: start_button.getState().contains(pyatspi.STATE_ENABLED), 5)
        check(stopped <= 0.2, "Stop answers after %.2f s (at most 0.2 s)" % stopped)
    else:
        check(find_prefix("label", "The case graph has", 3) is not None,
              "Smooth Case Graph says before Start why it cannot serve this graph")
    key("Escape")
    gone = wait(lambda: not showing(smooth), 5)
    check(gone <= 0.2, "Cancel closes the smoothing after %.2f s" % gone)


def large_graph_commands_answer():
    """18 philosophers, the whole graph shown: Layered Layout is refused with the size and
    a way on, Smooth Case Graph answers; then the cases around c200: Layered Layout, Smooth
    Case Graph and its Start, Lay Out Neighbourhood and its Undo each show their progress,
    their dialog or their refusal within a second (or are done by then); Cancel and Stop
    answer within 0.2 s; all along the window answers within half a second."""
    if not bench_net("phil18.zrn"):
        return
    with running("phil18.zrn"):
        show_case_graph(leave=True)
        with probed():
            note("Show Whole Graph")
            menu_command("Case Graph", "Show Whole Graph")
            wait(lambda: showing("Show Whole Graph"), 1)
            wait(lambda: not showing("Show Whole Graph"), 60)
            note("the whole graph shown")
            time.sleep(1.0)
            note("Layered Layout of the whole graph")
            shown = answers_at_once("^Zerin$",
                                    lambda: menu_command("Case Graph", "Layered Layout"))
            # The steps on demand (the engine's choice on a machine of little memory)
            # leave it a graph Graphviz lays out at once; a stored graph is refused.
            check(not shown or find_prefix("label", "Layered Layout hands the case graph", 3)
                  is not None, "Layered Layout on the whole graph: laid out at once, or "
                  "refused with the number of steps and a way on")
            if shown:
                key("Return")
                time.sleep(0.5)
            note("Smooth Case Graph")
            smoothing_answers()
            note("Go to Case c200")
            go_to_case("c200", settle=6.0)
            note("Layered Layout of the neighbourhood")
            answers_at_once("Layered Layout", lambda: menu_command("Case Graph", "Layered Layout"))
            wait(lambda: not showing("Layered Layout"), 60)
            note("Smooth Case Graph")
            smoothing_answers()
            layout = "Lay Out Neighbourhood"
            answers_at_once(layout, lambda: menu_command("Case Graph", layout), cancel=True)
            answers_at_once(layout, lambda: menu_command("Case Graph", layout))
            wait(lambda: not showing(layout), 60)
            # The keyboard in the main window, where the window manager may not have left it.
            subprocess.run(["xdotool", "windowactivate", "--sync", window_of("Zerin")])
            answers_at_once("Undo " + layout, lambda: key("ctrl+z"))
            wait(lambda: not showing("Undo " + layout), 60)


def steps_on_demand_browse(folder=None):
    """24 philosophers (103,682 cases, their steps on demand): the overview, then "Go to
    Case..." c200 with its steps, within 2 GB of memory; with a folder, its picture."""
    if not bench_net("phil24.zrn"):
        return
    with running("phil24.zrn") as program:
        took = show_case_graph()
        check(took <= 1.0, "Show Case Graph on 24 philosophers paints its overview in %.2f s"
              % took)
        go_to_case("c200", settle=8.0)
        used = 0
        with open("/proc/%d/status" % program.pid) as f:
            for line in f:
                if line.startswith("VmHWM"):
                    used = int(line.split()[1]) * 1024
        check(0 < used <= 2 << 30, "24 philosophers are browsed in %.0f MB (at most 2 GB)"
              % (used / 2**20))
        if folder:
            shot(os.path.join(folder, "go-to-case-on-demand.png"), "Zerin")


def neighbourhood_screenshots(folder):
    """14 philosophers: "Go to Case..." c200 with the cases one step around it, where
    the whole graph has them, then gathered by "Lay Out Neighbourhood"."""
    if not bench_net("phil14.zrn"):
        return
    with running("phil14.zrn"):
        show_case_graph(leave=True)
        go_to_case("c200")
        shot(os.path.join(folder, "go-to-case.png"), "Zerin")
        menu_command("Case Graph", "Lay Out Neighbourhood")
        time.sleep(3.0)
        shot(os.path.join(folder, "neighbourhood-laid-out.png"), "Zerin")


def occurrence_net_screenshot(folder):
    """The occurrence net a short automatic run of the philosophers recorded."""
    with running("philosophers.zrn"):
        press("Enter Simulation Mode")
        time.sleep(1.0)
        press("Start automatic run")
        time.sleep(4.0)
        press("Stop")
        time.sleep(1.0)
        press("Show Occurrence Net", "check box")
        time.sleep(1.0)
        subprocess.run(["xdotool", "mousemove", "1270", "790"], check=True)
        shot(os.path.join(folder, "occurrence-net.png"))


def verification_screenshot(folder):
    """A case found by the verification with the way to it marked in the case graph."""
    with running("producer-consumer.zrn"):
        show_case_graph()
        menu_command("Analysis", "Case Class Verification")
        time.sleep(1.0)
        press("full", "list item")
        press("Move to the wanted conditions")
        press("Find cases from conditions")
        time.sleep(0.5)
        press("{ produced, full, received }", "list item")
        press("Show Path")
        time.sleep(1.0)
        # The dialog beside the graph, so that both show.
        dialog = window_of("CaseClass Verification")
        subprocess.run(["xdotool", "windowsize", dialog, "830", "440"], check=True)
        subprocess.run(["xdotool", "windowmove", dialog, "440", "110"], check=True)
        time.sleep(1.0)
        shot(os.path.join(folder, "verification.png"))


def context_menu_screenshot(folder):
    """The right-click menu of a selected condition in the net design."""
    with running("mutex.zrn"):
        v = extents(net_view("mutex"))
        svg = rendered(os.path.join(WORK, "mutex.zrn"), "net", os.path.join(WORK, "m.svg"))
        x, y = (float(c) for c in re.findall(r'<circle cx="([-\d.]+)" cy="([-\d.]+)"', svg)[0])
        subprocess.run(["xdotool", "mousemove", str(v.x + int(x)), str(v.y + int(y)), "click",
                        "3"], check=True)
        time.sleep(1.0)
        shot(os.path.join(folder, "context-menu.png"))
        key("Escape")


def bent_steps_screenshot(folder):
    """The philosophers' case graph: the steps between two cases both ways bent apart."""
    with running("philosophers.zrn"):
        show_case_graph(leave=True)
        # Smoothed, so that no case lies on the way between two others.
        menu_command("Case Graph", "Smooth Case Graph")
        press("Start")
        time.sleep(2.0)
        press("Stop")
        press("OK")
        time.sleep(0.5)
        key("ctrl+9")
        subprocess.run(["xdotool", "mousemove", "1270", "790"], check=True)
        time.sleep(1.0)
        shot(os.path.join(folder, "case-graph-pairs.png"))


def layered_layout_screenshot(folder):
    """The producer and consumer's case graph after Case Graph > Layered Layout."""
    with running("producer-consumer.zrn"):
        show_case_graph(leave=True)
        menu_command("Case Graph", "Layered Layout")
        time.sleep(0.5)
        key("ctrl+9")
        subprocess.run(["xdotool", "mousemove", "1270", "790"], check=True)
        time.sleep(1.0)
        shot(os.path.join(folder, "case-graph-layered.png"))


def any_tip():
    """A showing node whose name is a braced set of conditions."""
    return find_where(lambda node: (node.name or "").startswith("{") and node.getState()
                      .contains(pyatspi.STATE_SHOWING), 0) is not None


CLI = os.path.join(os.path.dirname(ZERIN), "..", "cli", "zerin-cli")


def key(*keys):
    subprocess.run(["xdotool", "key"] + list(keys), check=True)


def net_view(title):
    """The net design view's viewport under the frame of the title, or None."""
    frame = find_prefix("frame", title)
    if frame is None:
        return None
    for area in frame:
        if area.getRoleName() == "filler" and area.childCount > 0:
            return area.getChildAtIndex(0)
    return None


def drag(x, y, dx, dy):
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "mousedown", "1"], check=True)
    for k in range(1, 6):
        subprocess.run(["xdotool", "mousemove", str(x + dx * k // 5), str(y + dy * k // 5)],
                       check=True)
        time.sleep(0.05)
    subprocess.run(["xdotool", "mouseup", "1"], check=True)


def rendered(document, view, path):
    """The SVG zerin-cli draws of the document's view."""
    subprocess.run([CLI, "render", document, "--view", view, "-o", path], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(path, encoding="utf-8") as f:
        return f.read()


def exit_asks_after_an_undone_edit():
    """A simulation leaves its case graph and run in the document: an edit made after it
    and undone must not make the document look saved."""
    with running("producer-consumer.zrn") as program:
        press("Enter Simulation Mode")
        time.sleep(1.0)
        press("Leave Simulation Mode")
        time.sleep(0.5)
        v = extents(net_view("producer-consumer"))
        # "ready" lies at (320, 200) of the net design.
        drag(v.x + 320, v.y + 200, 40, 0)
        time.sleep(0.3)
        key("ctrl+z")
        time.sleep(0.3)
        window = window_of("producer-consumer")
        subprocess.run(["xdotool", "windowactivate", "--sync", window], check=False)
        key("alt+F4")
        cancel = find("push button", "Cancel", timeout=5)
        check(cancel is not None, "Exit after an undone edit still asks to save the simulation")
        if cancel is not None:
            key("Escape")
            time.sleep(0.5)
            check(program.poll() is None, "Cancel keeps the program running")


def failed_open_keeps_the_document():
    """A file cut short is refused with its name and the reason; the window keeps its
    document."""
    with open(os.path.join(WORK, "mutex.zrn"), "rb") as f:
        data = f.read()
    cut = os.path.join(WORK, "cut.zrn")
    with open(cut, "wb") as f:
        f.write(data[:len(data) // 2])
    with running("producer-consumer.zrn"):
        find("frame", "producer-consumer - Zerin")
        key("ctrl+o")
        name = find("text", "", timeout=5)
        time.sleep(0.5)
        subprocess.run(["xdotool", "type", "--delay", "20", cut], check=True)
        key("Return")
        message = None
        end = time.time() + 5
        while message is None and time.time() < end:
            message = find("label", cut + ": Unexpected file format.", timeout=0.5)
        check(message is not None, "a file cut short is named with the reason")
        key("Return")
        time.sleep(0.5)
        check(find("frame", "producer-consumer - Zerin", timeout=3) is not None,
              "the window keeps its document after the failed open")


def print_preview_gives_the_output_back():
    with running("producer-consumer.zrn"):
        press("Enter Simulation Mode")
        time.sleep(1.0)
        check(find("page tab", "Standard", timeout=3) is not None, "the output pane shows")
        menu_command("File", "Print Preview")
        time.sleep(2.0)
        preview = window_of("Print Preview")
        check(preview is not None, "the print preview opens")
        if preview is not None:
            subprocess.run(["xdotool", "windowactivate", "--sync", preview], check=False)
            key("alt+F4")
            time.sleep(1.0)
        check(find("page tab", "Standard", timeout=3) is not None,
              "the output pane is back after the preview")


def paste_twice_and_undo_names():
    """Two pastes of one condition lie apart; undoing a Delete says so."""
    document = os.path.join(WORK, "mutex.zrn")
    with running("mutex.zrn"):
        v = extents(net_view("mutex"))
        svg = rendered(document, "net", os.path.join(WORK, "before.svg"))
        circles = re.findall(r'<circle cx="([-\d.]+)" cy="([-\d.]+)"', svg)
        x, y = (float(c) for c in circles[0])
        click_at(v.x + int(x), v.y + int(y))
        time.sleep(0.3)
        key("ctrl+c")
        key("ctrl+v")
        time.sleep(0.3)
        key("ctrl+v")
        time.sleep(0.3)
        key("ctrl+s")
        time.sleep(1.0)
        circles = re.findall(r'<circle cx="([-\d.]+)" cy="([-\d.]+)" r="14.5"',
                             rendered(document, "net", os.path.join(WORK, "after.svg")))
        check(len(circles) >= 7 and len(set(circles)) == len(circles),
              "pasted twice, %d conditions lie on %d places" % (len(circles), len(set(circles))))
        key("Delete")
        time.sleep(0.5)
        click(find("menu item", "Edit"))
        undo = find_prefix("menu item", "Undo Delete", timeout=3)
        check(undo is not None, "Edit offers \"Undo Delete\"")
        key("Escape")


def find_prefix(role, prefix, timeout=5.0):
    return find_where(lambda node: node.getRoleName() == role and (node.name or "").replace(
        "&", "").startswith(prefix) and node.getState().contains(pyatspi.STATE_SHOWING), timeout)


def steps_both_ways_and_dialog_titles():
    """The philosophers' case graph: no two step names on one spot; the smoothing dialog
    as wide as its title."""
    document = os.path.join(WORK, "philosophers.zrn")
    with running("philosophers.zrn"):
        show_case_graph(leave=True)
        key("ctrl+s")
        time.sleep(1.0)
        svg = rendered(document, "casegraph", os.path.join(WORK, "graph.svg"))
        names = re.findall(r'x="(\d+)" y="(\d+)"[^>]*\n? *>(s\d+)</text>', svg)
        spots = {}
        for x, y, name in names:
            spots.setdefault((x, y), []).append(name)
        shared = [n for n in spots.values() if len(n) > 1]
        check(len(names) > 0 and not shared,
              "%d step names, none on another's spot %s" % (len(names), shared[:3]))
        menu_command("Case Graph", "Smooth Case Graph")
        time.sleep(1.0)
        dialog = window_of("Smooth Case Graph")
        if dialog is not None:
            title = subprocess.run(["xdotool", "getwindowname", dialog], capture_output=True,
                                   text=True).stdout.strip()
            width = geometry(dialog)[2]
            # The window manager's bold title font takes about 7 pixels a character,
            # beside three buttons.
            check(width >= 7 * len(title) + 60,
                  "the dialog (%d pixels) is as wide as its title \"%s\"" % (width, title))
            key("Escape")
        else:
            check(False, "the smoothing dialog opens")


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)


def witness_screenshot(folder):
    """A counterexample of "A G F eat_0" (philosopher 0 never eats again while the others
    go on) replayed to its end in the token game, its lasso marked in the case graph."""
    with running("philosophers.zrn"):
        menu_command("Analysis", "Properties")
        click(find("text", "Formula"))
        type_text("A G F eat_0")
        key("Return")
        time.sleep(0.5)
        press("Check All")
        time.sleep(1.5)
        # The line added is the chosen one.
        press("Show Witness")
        time.sleep(1.5)
        press("To the run's end")
        time.sleep(1.0)
        press("Show Case Graph", "check box")
        subprocess.run(["xdotool", "mousemove", "0", "0"], check=True)
        time.sleep(2.0)
        shot(os.path.join(folder, "witness-lasso.png"))


def unsaved_work_comes_back_after_a_kill():
    """An edit, 65 s, kill -9, a new start: the recovery offer names the document, Recover
    gives the edited document and a save writes it."""
    document = os.path.join(WORK, "mutex.zrn")
    circles = r'<circle cx="([-\d.]+)" cy="([-\d.]+)"'
    before = re.findall(circles, rendered(document, "net", os.path.join(WORK, "kept.svg")))
    with running("mutex.zrn") as program:
        v = extents(net_view("mutex"))
        # "free" lies at (240, 230) of the net design.
        drag(v.x + 240, v.y + 230, 60, 0)
        time.sleep(65)
        # Popen.kill is kill -9: nothing of the program's own ending runs.
        program.kill()
        program.wait()
    started = time.time()
    with running():
        recover = find("push button", "Recover", timeout=20)
        check(recover is not None and find("push button", "Discard", timeout=1) is not None
              and find("push button", "Later", timeout=1) is not None,
              "after kill -9 the next start offers Recover, Discard and Later (%.1f s)"
              % (time.time() - started))
        if recover is None:
            return
        click(recover)
        check(find_prefix("frame", "mutex", timeout=10) is not None,
              "Recover opens the document titled after its file")
        time.sleep(1.0)
        key("ctrl+s")
        time.sleep(1.0)
        # A document recovered without its file asks where to save it.
        if find_prefix("dialog", "Save", timeout=2) is not None:
            subprocess.run(["xdotool", "type", document], check=True)
            key("Return")
            time.sleep(0.5)
            if find("push button", "Yes", timeout=2) is not None:
                key("alt+y")
            time.sleep(1.0)
        after = re.findall(circles, rendered(document, "net", os.path.join(WORK, "back.svg")))
        check(len(after) == len(before) and after != before,
              "the recovered document holds the edit made before the kill")


def invariant_screenshot(folder):
    """The philosophers' S-invariants listed, one chosen and highlighted in the net
    design, in simulation with its value in the current case."""
    with running("philosophers.zrn"):
        press("Enter Simulation Mode")
        time.sleep(1.0)
        # A few steps on, so that the current case is not the initial one.
        press("Start automatic run")
        time.sleep(2.0)
        press("Stop")
        time.sleep(1.0)
        menu_command("Analysis", "Invariants")
        time.sleep(1.5)
        # A row of the structure list (the Output pane's lines are list items).
        rows = find_where(lambda node: node.getRoleName() in ("tree item", "table cell") and
                          (node.name or "").startswith("eat_0 + fork_0") and
                          node.getState().contains(pyatspi.STATE_SHOWING), 10)
        check(rows is not None, "the structure list shows an S-invariant over a fork")
        if rows is not None:
            click(rows)
        # The simulation's page away, the dock wider, so that the column "Now" shows.
        menu_command("View", "Properties Bar")
        dock = extents(find("label", "Structure summary"))
        x = dock.x - 10
        subprocess.run(["xdotool", "mousemove", str(x), "300", "sleep", "0.3", "mousedown", "1",
                        "sleep", "0.3", "mousemove", str(x - 50), "300", "sleep", "0.3",
                        "mousemove", str(x - 200), "300", "sleep", "0.3", "mouseup", "1"],
                       check=True)
        subprocess.run(["xdotool", "mousemove", "0", "0"], check=True)
        time.sleep(2.0)
        shot(os.path.join(folder, "invariant-highlight.png"))


if len(sys.argv) > 3 and sys.argv[3] == "--probe":
    probe(sys.argv[4])
    sys.exit(0)
if len(sys.argv) > 4 and sys.argv[3] == "--only":
    # The checks named, alone: scripts/real-window-check --only NAME[:FOLDER]... (a
    # folder for those that take pictures).
    for name in sys.argv[4:]:
        name, _, folder = name.partition(":")
        globals()[name](*([folder] if folder else []))
    sys.exit(1 if failures else 0)
if len(sys.argv) > 3 and sys.argv[3] == "--findings":
    witness_screenshot(sys.argv[4])
    invariant_screenshot(sys.argv[4])
    sys.exit(1 if failures else 0)
if len(sys.argv) > 3 and sys.argv[3] == "--case-graph":
    case_graph_screenshots(sys.argv[4])
    bent_steps_screenshot(sys.argv[4])
    layered_layout_screenshot(sys.argv[4])
    context_menu_screenshot(sys.argv[4])
    occurrence_net_screenshot(sys.argv[4])
    verification_screenshot(sys.argv[4])
    large_case_graph_opens_on_its_overview(sys.argv[4])
    neighbourhood_screenshots(sys.argv[4])
    steps_on_demand_browse(sys.argv[4])
    sys.exit(1 if failures else 0)
if len(sys.argv) > 3:
    # scripts/real-window-check --screenshots: the pictures of the README.
    screenshot(sys.argv[3], float(sys.argv[4]), len(sys.argv) > 5 and sys.argv[5] == "dark")
    sys.exit(0)
quitting_during_a_run()
pages_float_inside_the_window()
exit_asks_after_an_undone_edit()
failed_open_keeps_the_document()
print_preview_gives_the_output_back()
paste_twice_and_undo_names()
steps_both_ways_and_dialog_titles()
unsaved_work_comes_back_after_a_kill()
large_case_graph_opens_on_its_overview()
large_graph_commands_answer()
steps_on_demand_browse()
print("%d checks failed" % len(failures) if failures else "all checks passed")
sys.exit(1 if failures else 0)
