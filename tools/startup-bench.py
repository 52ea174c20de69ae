#!/usr/bin/env python3
"""Start-up time, peak memory and size of the Windows program under Wine,
against two minimal static Win32 programs built the same way (same toolchain,
build type and static link; bench/startup/):

  startup_exit.exe     exits at once
  startup_window.exe   shows an empty window, lets it paint once, closes it
  startup_imports.exe  exits at once, but imports user32, gdi32 and shell32 as
                       the program does (the loader maps and starts them)

Measured, each program started RUNS times, interleaved:
  * wall time of the whole process (spawn to exit, through /usr/bin/time),
    median and minimum;
  * peak resident memory of the Linux process that runs the Windows program
    (Wine's loader and DLLs included), as /usr/bin/time reports it; the
    wineserver and Wine's service processes are not counted;
  * time from process start to its first top-level window being mapped on the
    X display (polled every millisecond through Xlib; needs DISPLAY):
    startup_window.exe --stay against Kinetora.exe without arguments.

Wine runs with its own prefix (a copy of build/wineprefix) and a persistent
wineserver that is started and warmed up first, so the figures are those of a
process start, not of Wine's one-time boot. Usage:
  startup-bench.py [--build DIR] [--runs N]
"""
import argparse
import ctypes
import ctypes.util
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TIME = "/usr/bin/time"
EXPECTED_SELFTEST_LINES = 8
# Wine and the services it starts keep no hold on our output.
QUIET = [(os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0),
         (os.POSIX_SPAWN_OPEN, 2, os.devnull, os.O_WRONLY, 0)]


def build(build_dir):
    subprocess.run(["cmake", "--preset", "windows", "-B", build_dir, "-DKINETORA_BENCH=ON",
                    "-DKINETORA_TESTS=OFF"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build_dir, "-j2", "--target", "kinetora",
                    "startup_exit", "startup_window", "startup_imports"], cwd=ROOT, check=True,
                   stdout=subprocess.DEVNULL)
    return {
        "exit": os.path.join(build_dir, "bench", "startup", "startup_exit.exe"),
        "window": os.path.join(build_dir, "bench", "startup", "startup_window.exe"),
        "imports": os.path.join(build_dir, "bench", "startup", "startup_imports.exe"),
        "kinetora": os.path.join(build_dir, "app", "Kinetora.exe"),
    }


def wine_env(prefix):
    """Wine's program, its server and the project's Wine environment
    (tools/wine-env.sh), with the given prefix."""
    script = ('root="$1"; . "$root/tools/wine-env.sh" && '
              'printf "%s\\0%s\\0" "$wine" "$wineserver" && env -0')
    out = subprocess.run(["sh", "-c", script, "sh", ROOT], check=True, stdout=subprocess.PIPE,
                         env=dict(os.environ, KINETORA_WINEPREFIX=prefix)).stdout.decode()
    wine, wineserver, *pairs = out.split("\0")
    return wine, wineserver, dict(pair.split("=", 1) for pair in pairs if "=" in pair)


def read_text(path):
    try:
        with open(path) as f:
            return f.read()
    except OSError:
        return None


def run_once(argv, env):
    """Wall seconds, peak RSS in KiB and exit code of one process.

    The peak RSS comes from /usr/bin/time: a process spawned from this
    interpreter would inherit the interpreter's resident size as its starting
    peak, whereas time's own child starts from time's small footprint."""
    with tempfile.NamedTemporaryFile("r", suffix=".rss") as rss_file:
        timed = [TIME, "-f", "%M", "-o", rss_file.name] + argv
        start = time.perf_counter()
        pid = os.posix_spawn(timed[0], timed, env, file_actions=QUIET)
        _, status, _ = os.wait4(pid, 0)
        wall = time.perf_counter() - start
        rss_file.seek(0)
        lines = [line for line in rss_file.read().split() if line.isdigit()]
    peak = int(lines[-1]) if lines else 0
    return wall, peak, os.waitstatus_to_exitcode(status)


# --- Xlib through ctypes: top-level windows of a process, mapped or not. ---

class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("border_width", ctypes.c_int),
                ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class", ctypes.c_int),
                ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
                ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


IS_VIEWABLE = 2


class Display:
    def __init__(self):
        name = ctypes.util.find_library("X11")
        if not name or not os.environ.get("DISPLAY"):
            raise OSError("no X display")
        x = ctypes.cdll.LoadLibrary(name)
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                 ctypes.POINTER(ctypes.c_ulong),
                                 ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                 ctypes.POINTER(ctypes.c_uint)]
        x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                           ctypes.POINTER(XWindowAttributes)]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                         ctypes.c_long, ctypes.c_long, ctypes.c_int,
                                         ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                         ctypes.POINTER(ctypes.c_int),
                                         ctypes.POINTER(ctypes.c_ulong),
                                         ctypes.POINTER(ctypes.c_ulong),
                                         ctypes.POINTER(ctypes.c_void_p)]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        # A window may vanish between listing and asking about it: ignore the
        # X errors that follow instead of letting Xlib end the process.
        handler_type = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
        self.error_handler = handler_type(lambda display, event: 0)
        x.XSetErrorHandler.argtypes = [handler_type]
        x.XSetErrorHandler(self.error_handler)
        self.x = x
        self.display = x.XOpenDisplay(None)
        if not self.display:
            raise OSError("cannot open the X display")
        self.root = x.XDefaultRootWindow(self.display)
        self.pid_atom = x.XInternAtom(self.display, b"_NET_WM_PID", 0)

    def window_pid(self, window):
        actual_type = ctypes.c_ulong()
        actual_format = ctypes.c_int()
        count = ctypes.c_ulong()
        after = ctypes.c_ulong()
        data = ctypes.c_void_p()
        self.x.XGetWindowProperty(self.display, window, self.pid_atom, 0, 1, 0, 6,  # CARDINAL
                                  ctypes.byref(actual_type), ctypes.byref(actual_format),
                                  ctypes.byref(count), ctypes.byref(after), ctypes.byref(data))
        pid = None
        if data.value and count.value == 1:
            pid = ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[0]
        if data.value:
            self.x.XFree(data)
        return pid

    def viewable_window_of(self, pid):
        """A mapped top-level window whose _NET_WM_PID is `pid`, else None."""
        root_return = ctypes.c_ulong()
        parent = ctypes.c_ulong()
        children = ctypes.POINTER(ctypes.c_ulong)()
        count = ctypes.c_uint()
        self.x.XSync(self.display, 0)
        if not self.x.XQueryTree(self.display, self.root, ctypes.byref(root_return),
                                 ctypes.byref(parent), ctypes.byref(children),
                                 ctypes.byref(count)):
            return None
        found = None
        try:
            for i in range(count.value):
                w = children[i]
                attributes = XWindowAttributes()
                if not self.x.XGetWindowAttributes(self.display, w, ctypes.byref(attributes)):
                    continue
                if attributes.map_state != IS_VIEWABLE or attributes.width < 50:
                    continue
                if self.window_pid(w) == pid:
                    found = w
                    break
        finally:
            if children:
                self.x.XFree(children)
        return found


def time_to_window(display, argv, env, limit=30.0):
    """Seconds from spawning the process to its window being mapped."""
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, env, file_actions=QUIET)
    shown = None
    try:
        while time.perf_counter() - start < limit:
            if display.viewable_window_of(pid) is not None:
                shown = time.perf_counter() - start
                break
            done, _ = os.waitpid(pid, os.WNOHANG)
            if done:
                return None
            time.sleep(0.001)
    finally:
        try:
            os.kill(pid, 9)
        except ProcessLookupError:
            pass
        try:
            os.waitpid(pid, 0)
        except ChildProcessError:
            pass
    return shown


def fmt_ms(seconds):
    return "%.1f ms" % (seconds * 1000.0)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "startup-win"))
    parser.add_argument("--runs", type=int, default=20)
    args = parser.parse_args()

    exes = build(args.build)
    # A copy of the project's prefix (made by tools/wine-prefix.sh), taken again
    # whenever the prefix was remade: the stamps differ.
    prefix = os.path.join(args.build, "wineprefix")
    original = os.path.join(ROOT, "build", "wineprefix")
    if read_text(os.path.join(prefix, ".kinetora-ready")) != \
            read_text(os.path.join(original, ".kinetora-ready")):
        shutil.rmtree(prefix, ignore_errors=True)
        shutil.copytree(original, prefix, symlinks=True)
    wine, wineserver, env = wine_env(prefix)
    subprocess.run([wineserver, "-p"], env=env, check=False, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    out_dir = tempfile.mkdtemp(prefix="kinetora-startup-")
    selftest_file = os.path.join(out_dir, "selftest.txt")

    cases = [
        ("empty program (exits at once)", [wine, exes["exit"]], "exit"),
        ("empty window (open, paint, close)", [wine, exes["window"]], "window"),
        ("empty, importing user32/gdi32/shell32", [wine, exes["imports"]], "imports"),
        ("Kinetora.exe --selftest", [wine, exes["kinetora"], "--selftest", selftest_file],
         "kinetora"),
    ]
    try:
        display = Display()
    except OSError as error:
        display = None
        print("time to window not measured: %s" % error)
    try:
        # Warm-up: Wine's services start with the first processes.
        for _, argv, _ in cases:
            run_once(argv, env)
        walls = {key: [] for _, _, key in cases}
        rss = {key: [] for _, _, key in cases}
        codes = {key: set() for _, _, key in cases}
        for _ in range(args.runs):
            for _, argv, key in cases:
                wall, peak, code = run_once(argv, env)
                walls[key].append(wall)
                rss[key].append(peak)
                codes[key].add(code)
        with open(selftest_file, "rb") as f:
            selftest_text = f.read()
        shown = {"window": [], "kinetora": []}
        if display is not None:
            window_cases = [("window", [wine, exes["window"], "--stay"]),
                            ("kinetora", [wine, exes["kinetora"]])]
            for key, argv in window_cases:
                time_to_window(display, argv, env)  # warm-up
            for _ in range(args.runs):
                for key, argv in window_cases:
                    shown[key].append(time_to_window(display, argv, env))
    finally:
        subprocess.run([wineserver, "-k"], env=env, check=False)
        shutil.rmtree(out_dir, ignore_errors=True)

    base = statistics.median(walls["exit"])
    base_rss = statistics.median(rss["exit"])
    print()
    print("Under Wine (%s runs each, interleaved, persistent wineserver, own prefix):" % args.runs)
    print("%-40s %10s %10s %12s %10s %12s %9s %9s" % (
        "program", "median", "min", "vs exit", "peak RSS", "vs exit", "exit code", "size"))
    print("-" * 118)
    for label, argv, key in cases:
        wall = statistics.median(walls[key])
        peak = statistics.median(rss[key])
        size = os.path.getsize(exes[key])
        print("%-40s %10s %10s %11.2fx %7.1f MiB %11.2fx %9s %6d KiB" % (
            label, fmt_ms(wall), fmt_ms(min(walls[key])), wall / base, peak / 1024.0,
            peak / base_rss, ",".join(str(c) for c in sorted(codes[key])), size // 1024))
    lines = selftest_text.count(b"\r\n")
    print()
    print("Self-test file: %d bytes, %d lines%s" % (
        len(selftest_text), lines, "" if lines == EXPECTED_SELFTEST_LINES else
        " (expected %d)" % EXPECTED_SELFTEST_LINES))
    ratio = statistics.median(walls["kinetora"]) / base
    ratio_min = min(walls["kinetora"]) / min(walls["exit"])
    print("Goal: self-test within 1.2x the empty program's wall time: %.2fx by medians, "
          "%.2fx by minimums: %s" % (ratio, ratio_min,
                                     "met" if max(ratio, ratio_min) <= 1.2 else "MISSED"))
    print("  against the empty program importing the same system DLLs: %.2fx by medians, "
          "%.2fx by minimums" % (statistics.median(walls["kinetora"]) /
                                 statistics.median(walls["imports"]),
                                 min(walls["kinetora"]) / min(walls["imports"])))
    if display is not None:
        print()
        print("Time from process start to the window mapped (median, min, of %d):" % args.runs)
        for key, label in (("window", "empty window"), ("kinetora", "Kinetora.exe")):
            values = [v for v in shown[key] if v is not None]
            if values:
                print("  %-14s %10s %10s%s" % (label, fmt_ms(statistics.median(values)),
                                                fmt_ms(min(values)),
                                                "" if len(values) == len(shown[key]) else
                                                "  (%d runs showed no window)" %
                                                (len(shown[key]) - len(values))))
            else:
                print("  %-14s no window seen" % label)
        a = [v for v in shown["window"] if v is not None]
        b = [v for v in shown["kinetora"] if v is not None]
        if a and b:
            print("  Kinetora / empty window: %.2fx" % (statistics.median(b) / statistics.median(a)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
