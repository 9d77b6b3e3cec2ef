# The real game in an X server of its own: started, typed at with xdotool,
# its window photographed and read in the library's 8 x 8 font, its sound
# captured. Every wait is for what the screen, the sound or the process shows.
import array, functools, os, pathlib, random, re, subprocess, time
from PIL import ImageChops, Image

# Colours with how far a shown pixel may stray from them.
WHITE, BLACK = ((255, 255, 255), 55), ((0, 0, 0), 0)
FONT = []  # eight rows of mask bytes holding characters 32 to 126, 8 pixels each
QUIET = subprocess.DEVNULL


class Failed(Exception):
    pass


def check(ok, message):
    if not ok:
        raise Failed(message)


def load_font(dump_program, path):
    if dump_program:
        subprocess.run([dump_program, path], check=True)
    strip = Image.open(path).convert("L").point(lambda v: 255 * (v > 0))
    FONT.extend(strip.tobytes()[y * strip.width:(y + 1) * strip.width] for y in range(8))


@functools.lru_cache(maxsize=None)
def pattern(text, inverted=False):
    # The text's eight rows as mask bytes: 255 where the font inks.
    rows = [b"".join(FONT[y][8 * (ord(c) - 32):8 * (ord(c) - 31)] for c in text) for y in range(8)]
    return [row.translate(bytes(range(255, -1, -1))) if inverted else row for row in rows]


class Shot:
    def __init__(self, image):
        self.image, self.masks, (self.width, self.height) = image, {}, image.size

    def mask(self, colour):
        # One byte a pixel: 255 where it is near the colour.
        if colour not in self.masks:
            rgb, tolerance = colour
            bands = [b.point(lambda v, c=c: 255 * (abs(v - c) <= tolerance)) for b, c in zip(self.image.split(), rgb)]
            self.masks[colour] = ImageChops.darker(ImageChops.darker(bands[0], bands[1]), bands[2]).tobytes()
        return self.masks[colour]

    def reads(self, text, x, y, ink=WHITE, ground=None):
        # Exactly `text` at (x, y): inked where the font inks; with a ground,
        # every other pixel of its eight rows in that colour.
        if x + 8 * len(text) > self.width or y + 8 > self.height:
            return False
        for colour, inverted in [(ink, False)] + ([(ground, True)] if ground else []):
            bits = self.mask(colour)
            for r, row in enumerate(pattern(text, inverted)):
                if bits[(y + r) * self.width + x:][:len(row)] != row:
                    return False
        return True

    def find(self, text, ink=WHITE, ground=None, box=(0, 0, 320, 200)):
        places = ((x, y) for y in range(box[1], box[3]) for x in range(box[0], box[2]))
        return next((p for p in places if self.reads(text, *p, ink, ground)), None)


def free_display():
    # A number no server holds, in this /tmp or in the abstract sockets that a
    # Debian root entered with chroot shares with the machine.
    with open("/proc/net/unix") as table:
        taken = set(re.findall(r"/tmp/\.X11-unix/X(\d+)", table.read()))
    return next(n for n in map(str, range(random.randrange(100, 900), 1000))
                if n not in taken and not os.path.exists("/tmp/.X%s-lock" % n))


def start_xvfb(size):
    # No key repeats: a key held for a wait is pressed once, as the game's own tests assume. No reset when
    # the last client leaves: a game connecting just then would be refused.
    for attempt in range(5):  # another server may take the number first
        proc = subprocess.Popen(["Xvfb", ":" + free_display(), "-displayfd", "1", "-screen", "0", size,
                                 "-nolisten", "tcp", "-noreset", "-ardelay", "100000"], stdout=subprocess.PIPE, stderr=QUIET)
        number = proc.stdout.readline().decode().strip()  # written once it takes clients
        if number:
            return proc, ":" + number
    raise Failed("Xvfb did not start")


class Game:
    # `command` run in `folder` on `display` (None: no DISPLAY at all). Shots
    # are of the screen, or of the named window where the system places it
    # (Wine); slowness scales every wait (Wine).
    def __init__(self, out_dir, name, command, folder, display, env=(), window=None, slowness=1, preexec=None,
                 on_stop=None):
        self.path, self.name, self.window, self.slowness = os.path.join(out_dir, name), name, window, slowness
        self.on_stop, self.folder = on_stop, os.path.realpath(folder)
        self.env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        self.env.update(env, **({"DISPLAY": display} if display else {}))
        with open(self.path + "-stderr.txt", "wb") as err:
            self.proc = subprocess.Popen(command, cwd=folder, env=self.env, stdin=QUIET, stdout=QUIET, stderr=err,
                                         preexec_fn=preexec)

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True, text=True).stdout

    def window_id(self):
        return (self.xdotool("search", "--onlyvisible", "--name", "^%s$" % self.window).split() or [None])[0]

    def icon(self, window):
        # The window's icon as a desktop reads it: the WM_HINTS pixmap, clear outside its mask; or None.
        from Xlib import X, Xutil, display
        server = display.Display(self.env["DISPLAY"])
        hints = server.create_resource_object("window", int(window)).get_wm_hints()

        def picture(pixmap, mode, raw):
            size = pixmap.get_geometry()
            data = pixmap.get_image(0, 0, size.width, size.height, X.ZPixmap, 0xFFFFFFFF).data
            return Image.frombytes(mode, (size.width, size.height), data, "raw", raw, len(data) // size.height)
        icon = None
        if hints and hints.flags & Xutil.IconPixmapHint:
            icon = picture(hints.icon_pixmap, "RGB", "BGRX").convert("RGBA")
            icon.putalpha(picture(hints.icon_mask, "1", "1;R").convert("L"))
        server.close()
        return icon

    def focus(self):
        # No window manager: without a named window, keys go to the one under the pointer.
        if not self.window:
            self.xdotool("mousemove", 160, 100)
            return
        window = self.window_id()
        self.xdotool("windowfocus", "--sync", window)
        # The library draws its mouse pointer in the mode dialog where the X
        # pointer last was inside its window, and under Wine keeps it there
        # after the pointer leaves: wherever the system happened to leave it,
        # it could cover a preset entry, and the wait for the dialog would
        # never see it whole. Parked in the window's far corner it hides
        # nothing that is read.
        self.xdotool("mousemove", "--window", window, 316, 196)

    def keys(self, action, *keys):
        self.xdotool(*(word for key in keys for word in (action, key)))

    def press(self, *keys, hold=0.08):
        self.keys("keydown", *keys)
        time.sleep(hold)  # a press shorter than one of the game's reads can be missed
        self.keys("keyup", *reversed(keys))

    def hold_until(self, keys, wait):
        self.keys("keydown", *keys)
        try:
            return wait()
        finally:
            self.keys("keyup", *reversed(keys))

    def shot(self, label):
        path, window = "%s-%s.png" % (self.path, label), self.window_id() if self.window else "root"
        if window and not subprocess.run(["import", "-window", window, path], env=self.env, stderr=QUIET).returncode:
            return Shot(Image.open(path).convert("RGB"))
        return Shot(Image.new("RGB", (1, 1)))  # no window to take

    def until(self, what, probe, timeout=10):
        deadline = time.time() + timeout * self.slowness
        while not (found := probe()):
            check(self.proc.poll() is None, "%s: ended (status %s) before %s; stderr: %s"
                  % (self.name, self.proc.returncode, what, self.stderr()[-800:]))
            check(time.time() < deadline, "%s: gave up waiting for %s (see %s-*.png)" % (self.name, what, self.path))
            time.sleep(0.1 * self.slowness)
        return found

    def wait_for(self, label, condition, timeout=10):
        return self.until(label, lambda: (lambda shot: condition(shot) and shot)(self.shot(label)), timeout)

    def exit(self, status, timeout=10):  # status: one, or a tuple of those allowed
        self.until("the game's end", lambda: self.proc.poll() is not None, timeout)
        allowed = status if isinstance(status, tuple) else (status,)
        check(self.proc.returncode in allowed, "%s: status %s, wanted %s; stderr: %s"
              % (self.name, self.proc.returncode, status, self.stderr()[-3000:]))

    def stderr(self):
        return pathlib.Path(self.path + "-stderr.txt").read_text(errors="replace")

    def __enter__(self):
        return self

    def __exit__(self, *error):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        if self.on_stop:
            self.on_stop()


class Capture:
    # The game's sound from the capture device (tests/support), paced to the
    # clock; times are seconds into the recording, after its 44-byte header.
    def __init__(self, path, source_dir):
        support = os.path.join(source_dir, "tests", "support")
        self.path, self.env = path, {"ALSA_CONFIG_PATH": os.path.join(support, "alsa-capture.conf"),
                                     "VEXO_CAPTURE_WAV": "|%s %s" % (os.path.join(support, "paced_capture.py"), path)}

    def samples(self):
        data = pathlib.Path(self.path).read_bytes()
        return array.array("h", data[44:len(data) // 2 * 2]), data[22], int.from_bytes(data[24:28], "little")

    def seconds(self):
        if not os.path.exists(self.path) or os.path.getsize(self.path) < 44:
            return 0.0
        values, channels, rate = self.samples()
        return len(values) / channels / rate

    def wait(self, game, seconds):
        end = self.seconds() + seconds
        game.until("%.1f s more sound" % seconds, lambda: self.seconds() >= end, timeout=seconds + 10)

    def windows(self, start, end, length):
        values, channels, rate = self.samples()
        step, last = int(rate * length) * channels, min(len(values), int(end * rate) * channels)
        return [values[i:i + step] for i in range(int(start * rate) * channels, last - step + 1, step)]
