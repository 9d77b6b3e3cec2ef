"""A private X server, the game in it, a keyboard and a camera.

Each scenario gets its own Xvfb (it picks a free display itself), runs the
real executable from a scratch folder, types with xdotool and photographs the
root window. Everything started here is stopped here, by process id.
"""
import ctypes
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time

from PIL import Image

SCREEN_SIZE = "640x480x24"
KEY_HOLD = 0.08  # seconds; a press shorter than one 60 Hz read can be missed


PR_SET_PDEATHSIG = 1
_libc = ctypes.CDLL(None, use_errno=True)


def die_with_parent():
    # A scenario killed by the test runner's timeout must not leave its X
    # server or game behind.
    _libc.prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


class ScenarioFailed(Exception):
    pass


class ScenarioSkipped(Exception):
    """What the scenario needs cannot be had on this machine at all."""


def check(condition, message):
    if not condition:
        raise ScenarioFailed(message)


class XServer:
    def __init__(self, size=SCREEN_SIZE):
        read_end, write_end = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size,
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=die_with_parent)
        os.close(write_end)
        self.display = ":" + self._read_display_number(read_end)
        os.close(read_end)
        self._wait_until_answering()

    def _read_display_number(self, fd):
        text = b""
        deadline = time.time() + 10
        while not text.endswith(b"\n"):
            ready, _, _ = select.select([fd], [], [], max(0.0, deadline - time.time()))
            check(ready, "Xvfb did not report a display number")
            chunk = os.read(fd, 64)
            check(chunk, "Xvfb exited before it reported a display")
            text += chunk
        return text.decode().strip()

    def _wait_until_answering(self):
        deadline = time.time() + 10
        while time.time() < deadline:
            probe = subprocess.run(["xdpyinfo", "-display", self.display],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if probe.returncode == 0:
                return
            time.sleep(0.05)
        raise ScenarioFailed("Xvfb on %s never answered" % self.display)

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


class Game:
    """One run of the executable, with the X server it shows on.

    By default the game runs in a scratch folder with a copy of vexo.dat, in
    a window at the screen's top left. Another system's build (the Windows
    game under Wine) gives the folder it runs in (`workdir`), the `launcher`
    before the executable, and the `window` name: its window is placed by
    that system, so screenshots are cut to that window and keys go to it."""

    def __init__(self, paths, name, with_data=True, data_file=None, env=None,
                 executable=None, display=True, preexec=None, workdir=None, launcher=(),
                 window=None, screen_size=SCREEN_SIZE, slowness=1):
        self.paths = paths
        self.name = name
        self.shot_count = 0
        # Scales every wait: under memcheck or Wine the game runs many times
        # slower, and each step waits for what it shows, not for a clock.
        self.slowness = slowness
        self.launcher = list(launcher)
        self.window = window
        self.workdir = workdir or tempfile.mkdtemp(prefix="vexo-e2e-%s-" % name, dir=paths.out_dir)
        source = data_file or os.path.join(paths.game_dir, "vexo.dat")
        if with_data and not workdir:
            shutil.copyfile(source, os.path.join(self.workdir, "vexo.dat"))
        self.x = XServer(screen_size) if display else None
        try:
            self._launch(executable, env, preexec)
        except BaseException:
            if self.x:
                self.x.stop()
            raise

    def _launch(self, executable, env, preexec):
        self.env = dict(os.environ)
        self.env.pop("DISPLAY", None)
        if self.x:
            self.env["DISPLAY"] = self.x.display
        self.env.update(env or {})
        self.stdout_path = os.path.join(self.workdir, "stdout.txt")
        self.stderr_path = os.path.join(self.workdir, "stderr.txt")
        self.marks = {}  # seconds from launch of moments a scenario notes
        self.launched = time.time()
        with open(self.stdout_path, "wb") as out, open(self.stderr_path, "wb") as err:
            self.proc = subprocess.Popen(
                self.launcher + [executable or os.path.join(self.paths.game_dir, "vexo")], cwd=self.workdir,
                env=self.env, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                preexec_fn=lambda: (die_with_parent(), preexec and preexec()))

    # --- keyboard -------------------------------------------------------
    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def point_into_window(self, x=160, y=100):
        if self.window:
            # Focus the window by hand: there is no window manager to do it.
            self.xdotool("search", "--onlyvisible", "--name", "^%s$" % self.window, "windowfocus", "--sync")
            return
        # No window manager: keys go to the window under the pointer.
        self.xdotool("mousemove", x, y)

    def window_box(self):
        """The game window's place on the screen, or None while it has none."""
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % self.window,
                                "getwindowgeometry", "--shell"],
                               env=self.env, capture_output=True, text=True)
        values = dict(line.split("=", 1) for line in found.stdout.split() if "=" in line)
        if found.returncode != 0 or "WIDTH" not in values:
            return None
        x, y = int(values["X"]), int(values["Y"])
        return x, y, x + int(values["WIDTH"]), y + int(values["HEIGHT"])

    def keydown(self, *keys):
        for k in keys:
            self.xdotool("keydown", k)

    def keyup(self, *keys):
        for k in keys:
            self.xdotool("keyup", k)

    def hold_until(self, keys, wait):
        """Holds keys down until wait() returns, and gives back its result:
        a press can be missed when the system delivers its events late."""
        self.keydown(*keys)
        try:
            return wait()
        finally:
            self.keyup(*reversed(keys))

    def press(self, *keys, hold=KEY_HOLD):
        self.keydown(*keys)
        time.sleep(hold)
        self.keyup(*reversed(keys))

    # --- camera ---------------------------------------------------------
    def shot(self, label):
        self.shot_count += 1
        path = os.path.join(self.paths.out_dir, "%s-%02d-%s.png" % (self.name, self.shot_count, label))
        subprocess.run(["import", "-display", self.x.display, "-window", "root", path],
                       env=self.env, check=True, stderr=subprocess.DEVNULL)
        image = Image.open(path).convert("RGB")
        image.load()
        if self.window:
            box = self.window_box()
            # Without its window the picture is blank, and no wait is met.
            image = image.crop(box) if box else Image.new("RGB", (1, 1))
            image.save(path)
        self.last_shot_path = path
        return image

    def wait_for(self, label, condition, timeout=8.0, pause=0.1):
        """Photographs until condition(image) holds; the last image either way."""
        deadline = time.time() + timeout * self.slowness
        while True:
            image = self.shot(label)
            if condition(image):
                return image
            check(self.proc.poll() is None,
                  "%s: the game ended (status %s) while waiting for %s; stderr: %s"
                  % (self.name, self.proc.returncode, label, self.stderr()))
            check(time.time() < deadline, "%s: gave up waiting for %s (see %s)"
                  % (self.name, label, self.last_shot_path))
            time.sleep(pause * self.slowness)

    # --- process --------------------------------------------------------
    def wait_exit(self, timeout=5.0):
        try:
            return self.proc.wait(timeout * self.slowness)
        except subprocess.TimeoutExpired:
            raise ScenarioFailed("%s: the game did not end within %.1f s" % (self.name, timeout))

    def running(self):
        return self.proc.poll() is None

    def stderr(self):
        with open(self.stderr_path, "r", errors="replace") as f:
            return f.read()

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGKILL)
            self.proc.wait()
        if self.x:
            self.x.stop()
        # Keep the run's stdout and stderr for reading, not its data file copy.
        for name in os.listdir(self.workdir):
            if name.endswith(".dat"):
                os.remove(os.path.join(self.workdir, name))
