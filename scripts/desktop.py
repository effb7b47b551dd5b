"""A private desktop for the system's programs.

An X display of its own (Xvfb), optionally the accessibility bus, the
simulated driver, and the settings window and the tray agent as separate
processes with a home, runtime folder, login session and service registry
of their own, so nothing of the user's is touched and several runs can go
side by side. Used by the end-to-end test, the window's performance
measurements and the headless demo.

    with Desktop(bin_dir, system_root) as d:
        d.start_display()
        d.start_accessibility_bus()
        d.start_driver(journal=True)
        window = d.start("window", [d.pane])

The accessibility helpers (at the end) need Debian's python3-gi and
gir1.2-atspi-2.0; they are imported only when used.
"""

import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# The exit status by which a test reports "skipped" to CTest.
SKIP = 77

PANE_IN_ROOT = ("System/Library/PreferencePanes/CorvaneWirelessUtility.prefPane/"
                "Contents/MacOS/CorvaneWirelessUtility")
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
SYSTEM_PYTHON = "/usr/bin/python3"


def missing_programs(names):
    """The names among `names` that are neither on PATH nor an executable path."""
    missing = []
    for name in names:
        if os.path.isabs(name):
            if not os.access(name, os.X_OK):
                missing.append(name)
        elif shutil.which(name) is None:
            missing.append(name)
    return missing


def atspi_importable():
    try:
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi  # noqa: F401
        return True
    except (ImportError, ValueError):
        return False


def reexec_with_atspi():
    """Runs this script again under Debian's own Python when the current one
    (a virtual environment, a Python of one's own) lacks the GObject bindings.
    Returns only when there is nothing better to try."""
    if atspi_importable():
        return True
    if (os.path.realpath(sys.executable) != os.path.realpath(SYSTEM_PYTHON)
            and os.access(SYSTEM_PYTHON, os.X_OK)
            and not os.environ.get("CORVANE_REEXECUTED")):
        os.environ["CORVANE_REEXECUTED"] = "1"
        os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON] + sys.argv)
    return False


def reexec_in_private_session_bus():
    """Runs this script again inside a session bus of its own
    (dbus-run-session), which ends with the script and takes every service
    started on it along. Its exit status is the script's."""
    if os.environ.get("CORVANE_PRIVATE_SESSION_BUS"):
        return
    os.environ["CORVANE_PRIVATE_SESSION_BUS"] = "1"
    os.environ.pop("DBUS_SESSION_BUS_ADDRESS", None)
    os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable] + sys.argv)


class Desktop:
    def __init__(self, bin_dir, system_root, home=None, registry=None, keep_logs_on_failure=True):
        """`home` and `registry` (a service registry folder where a driver
        already serves) replace the desktop's own fresh ones."""
        self.bin = os.path.abspath(bin_dir)
        self.system_root = os.path.abspath(system_root)
        self.pane = os.path.join(self.system_root, PANE_IN_ROOT)
        self.work = tempfile.mkdtemp(prefix="corvane-desktop-")
        self.logs = os.path.join(self.work, "logs")
        self.keep_logs_on_failure = keep_logs_on_failure
        self.journal = None
        self._procs = []  # (name, Popen), in start order
        runtime = os.path.join(self.work, "run")
        own = [runtime]
        if not home:
            home = os.path.join(self.work, "home")
            own.append(home)
        if not registry:
            registry = os.path.join(self.work, "registry")
            own.append(registry)
        for folder in [self.logs, os.path.join(home, "Library", "Preferences")] + own:
            os.makedirs(folder, mode=0o700, exist_ok=True)
        for folder in own:
            os.chmod(folder, 0o700)
        env = dict(os.environ)
        for name in ("WAYLAND_DISPLAY", "DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM",
                     "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "SESSION_MANAGER"):
            env.pop(name, None)
        env.update(HOME=home, XDG_RUNTIME_DIR=runtime, CORVANE_IOREGISTRY=registry,
                   XDG_SESSION_ID="corvane-desktop-%d" % os.getpid(),
                   CORVANE_SYSTEM_ROOT=self.system_root, QT_QPA_PLATFORM="xcb")
        # Under AddressSanitizer: Qt's X11 platform has libxkbcommon-x11 copy
        # X atom names with strndup from reply buffers that hold no NUL at
        # their end, which strict string checks report as an overflow inside
        # the system library. Everything here runs on X, so that one check is
        # off.
        asan = env.get("ASAN_OPTIONS", "")
        if "strict_string_checks=1" in asan:
            env["ASAN_OPTIONS"] = asan.replace("strict_string_checks=1", "strict_string_checks=0")
        self.env = env

    # --- processes ---------------------------------------------------------

    def start(self, name, argv, env=None, stdout=None):
        """Starts `argv` with the desktop's environment (plus `env`), its
        output in logs/<name>.log unless `stdout` says otherwise."""
        log = open(os.path.join(self.logs, name + ".log"), "ab")
        proc = subprocess.Popen(argv, env=dict(self.env, **(env or {})), stdin=subprocess.DEVNULL,
                                stdout=stdout if stdout is not None else log, stderr=log)
        log.close()
        self._procs.append((name, proc))
        return proc

    def stop(self, proc, grace=5.0):
        if proc.poll() is None:
            proc.send_signal(signal.SIGTERM)
            try:
                proc.wait(grace)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
        self._procs = [(n, p) for n, p in self._procs if p is not proc]

    def log_text(self, name):
        try:
            with open(os.path.join(self.logs, name + ".log"), "rb") as f:
                return f.read().decode("utf-8", "replace")
        except OSError:
            return ""

    def close(self, failed=False):
        for _, proc in reversed(list(self._procs)):
            self.stop(proc)
        if failed and self.keep_logs_on_failure:
            for name in sorted(os.listdir(self.logs)):
                text = self.log_text(name[:-4])
                lines = [l for l in text.splitlines() if not l.startswith(("####", "****"))]
                print("---- %s (last lines, trace lines left out)" % name)
                print("\n".join(lines[-25:]))
        if os.environ.get("CORVANE_KEEP_DESKTOP"):
            print("desktop folder kept: " + self.work)
        else:
            shutil.rmtree(self.work, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, kind, value, tb):
        self.close(failed=kind is not None)
        return False

    # --- display and accessibility bus -----------------------------------

    def start_display(self, size="1024x768x24"):
        """A private Xvfb; the display number is the one it picks itself."""
        read_end, write_end = os.pipe()
        log = open(os.path.join(self.logs, "xvfb.log"), "ab")
        proc = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", size,
                                 "-nolisten", "tcp"], pass_fds=(write_end,),
                                stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        log.close()
        os.close(write_end)
        self._procs.append(("xvfb", proc))
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start: " + self.log_text("xvfb"))
        self.env["DISPLAY"] = ":" + number.decode()
        os.environ["DISPLAY"] = self.env["DISPLAY"]
        return self.env["DISPLAY"]

    def start_accessibility_bus(self):
        """The accessibility bus beside the session bus, and Qt's bridge to it
        switched on for every program started afterwards. The current
        process talks to the same buses (the helpers below)."""
        self.env.update(QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        for name in ("HOME", "XDG_RUNTIME_DIR", "DISPLAY"):
            os.environ[name] = self.env[name]
        self.start("a11y-bus", [BUS_LAUNCHER, "--launch-immediately"])
        wait_until(lambda: self._a11y_address() is not None, 20, "the accessibility bus")

    def _a11y_address(self):
        try:
            out = subprocess.run(
                ["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus",
                 "/org/a11y/bus", "org.a11y.Bus.GetAddress"], env=self.env,
                capture_output=True, timeout=5, text=True)
        except (OSError, subprocess.TimeoutExpired):
            return None
        address = out.stdout.strip()
        return address if out.returncode == 0 and address else None

    # --- the simulated driver -------------------------------------------

    def start_driver(self, journal=False):
        argv = [os.path.join(self.bin, "corvane-simdriver")]
        if journal:
            self.journal = os.path.join(self.work, "journal.jsonl")
            argv += ["--journal", self.journal]
        self.start("driver", argv)
        wait_until(lambda: self.driver_status() is not None, 30, "the simulated driver")

    def driver_status(self):
        try:
            out = subprocess.run([os.path.join(self.bin, "corvane-simctl"), "status"],
                                 env=self.env, capture_output=True, timeout=10)
        except subprocess.TimeoutExpired:
            return None
        if out.returncode != 0:
            return None
        try:
            status = json.loads(out.stdout)
        except ValueError:
            return None
        return status.get("status", status) if isinstance(status, dict) else None

    def journal_entries(self):
        """(selector, input hex) of every request the driver has journaled."""
        entries = []
        with open(self.journal) as f:
            for line in f:
                try:
                    j = json.loads(line)
                except ValueError:
                    continue
                if "selector" in j:
                    entries.append((int(j["selector"]), j.get("input", "")))
        return entries


def wait_until(condition, seconds, what):
    """Polls `condition` until it gives something true; fails naming `what`.
    Accessibility events that came meanwhile are handed on first, so the
    tree as seen from here follows the applications."""
    end = time.monotonic() + seconds
    while True:
        if "gi.repository.Atspi" in sys.modules:
            pump_events()
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise TimeoutError("waited %g s for %s" % (seconds, what))
        time.sleep(0.05)


# --- the accessibility tree, as a screen reader sees it -------------------

def atspi():
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
    return Atspi


def pump_events():
    """Hands queued accessibility events to their listeners."""
    from gi.repository import GLib
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def application(name, pid=None):
    """The running application called `name` (and with that process id)."""
    Atspi = atspi()
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        try:
            if app is not None and app.get_name() == name and (
                    pid is None or app.get_process_id() == pid):
                return app
        except Exception:  # an application that has just gone
            continue
    return None


def applications(name):
    Atspi = atspi()
    desktop = Atspi.get_desktop(0)
    found = []
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        try:
            if app is not None and app.get_name() == name:
                found.append(app)
        except Exception:
            continue
    return found


def find(node, role, name, depth=0):
    """The first accessible below `node` with this role name ("push button",
    "table", ...) and accessible name; tables are not searched cell by cell."""
    if node is None or depth > 25:
        return None
    try:
        if node.get_role_name() == role and node.get_name() == name:
            return node
        if node.get_role_name() in ("table", "tree", "tree table") and role not in (
                "table cell", "table column header"):
            return None
        for i in range(node.get_child_count()):
            hit = find(node.get_child_at_index(i), role, name, depth + 1)
            if hit is not None:
                return hit
    except Exception:  # the subtree changed while we walked it
        return None
    return None


def labelled(node, label):
    """The control that the label named `label` below `node` is the label
    for, as a screen reader pairs them."""
    Atspi = atspi()
    text = find(node, "label", label)
    if text is None:
        return None
    for relation in text.get_relation_set():
        if relation.get_relation_type() == Atspi.RelationType.LABEL_FOR and relation.get_n_targets():
            return relation.get_target(0)
    return None


def has_state(node, state):
    try:
        return node.get_state_set().contains(state)
    except Exception:
        return False


def do_action(node, action):
    """Runs the named action ("Press", "Toggle", ...) as an assistive tool does."""
    for i in range(node.get_n_actions()):
        if node.get_action_name(i) == action:
            return node.do_action(i)
    raise RuntimeError("%s %r offers no %r action" % (node.get_role_name(), node.get_name(), action))


def extents(node):
    """(x, y, width, height) on the screen."""
    Atspi = atspi()
    r = node.get_extents(Atspi.CoordType.SCREEN)
    return r.x, r.y, r.width, r.height


def type_into(window, field, text, attempts=2):
    """Gives `field` the keyboard focus and types `text` key by key through
    the accessibility bus's key synthesis (a Latin-1 character is its own
    keysym), then waits until the field holds exactly `text`. `window` is
    the dialog or frame holding the field: it must be the active window
    before the keys go out.

    In sanitizer runs on a loaded machine the synthesised keys have now and
    then not reached the field at all, although it reported the focus. Such
    a miss is reported on standard error with the focus states seen then,
    the field is emptied and the text typed again (`attempts` times in all);
    after that the text is entered through the field's editable-text
    interface, as assistive tools that do not type (voice control) enter
    it, and the field must then hold it."""
    Atspi = atspi()

    def focused():
        if not (has_state(window, Atspi.StateType.ACTIVE) and
                has_state(field, Atspi.StateType.FOCUSED)):
            field.grab_focus()
            return False
        return True

    def holds_text():
        return field.get_text(0, -1) == text

    for attempt in range(1, attempts + 1):
        wait_until(focused, 20, "the keyboard focus in %r" % field.get_name())
        for ch in text:
            Atspi.generate_keyboard_event(ord(ch), None, Atspi.KeySynthType.SYM)
        try:
            wait_until(holds_text, 10, "the typed text")
            return
        except TimeoutError:
            pass
        print("type_into: %r holds %r after typing %r (attempt %d of %d; window active: %s, "
              "field focused: %s)" % (
                  field.get_name(), field.get_text(0, -1), text, attempt, attempts,
                  has_state(window, Atspi.StateType.ACTIVE),
                  has_state(field, Atspi.StateType.FOCUSED)), file=sys.stderr)
        field.delete_text(0, field.get_character_count())
    print("type_into: entering %r through the editable-text interface" % field.get_name(),
          file=sys.stderr)
    field.set_text_contents(text)
    wait_until(holds_text, 10, "the text set in %r" % field.get_name())
